#include "vek/vek_ogl/extensionator/internal/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace VEK {
namespace OGL {
namespace internal {

namespace {

constexpr std::uint64_t kPowers10[] = {
    1ull,           10ull,           100ull,           1000ull,          10000ull,
    100000ull,      1000000ull,      10000000ull,      100000000ull,     1000000000ull,
    10000000000ull, 100000000000ull, 1000000000000ull, 10000000000000ull};

constexpr std::uint64_t kSmallest = 100000;  // the six digits lie in [kSmallest, kLargest)
constexpr std::uint64_t kLargest = 1000000;

// Whether round(magnitude * 10^scale) can be computed exactly here, and its value (ties to even,
// as printf rounds in the default rounding mode). magnitude holds a float's value: significand
// below 2^24, at least FLT_MIN and below 2^63.
bool ScaledDigits(double magnitude, int scale, std::uint64_t* digits) {
    if (scale >= 0) {
        // The significand times 5^scale stays below 2^53: the product is exact, and so is the
        // rounding.
        if (scale > 12) {
            return false;
        }
        *digits = static_cast<std::uint64_t>(
            std::llrint(magnitude * static_cast<double>(kPowers10[scale])));
        return true;
    }
    const int shrink = -scale;
    if (shrink >= static_cast<int>(sizeof(kPowers10) / sizeof(kPowers10[0]))) {
        return false;
    }
    // magnitude = significand * 2^exponent with a whole significand.
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    std::uint64_t numerator = static_cast<std::uint64_t>(std::ldexp(fraction, 24));
    exponent -= 24;
    std::uint64_t denominator = kPowers10[shrink];
    if (exponent >= 0) {
        numerator <<= exponent;
    } else {
        // Values of 10^6 and more have at most four binary places.
        denominator <<= -exponent;
    }
    std::uint64_t quotient = numerator / denominator;
    const std::uint64_t remainder = numerator % denominator;
    const std::uint64_t rest = denominator - remainder;
    if (remainder > rest || (remainder == rest && (quotient & 1) != 0)) {
        ++quotient;
    }
    *digits = quotient;
    return true;
}

// The six significant digits of a float's value and the decimal exponent of the first, as printf
// rounds them; false when the value lies outside what ScaledDigits computes exactly.
bool SixDigits(double magnitude, std::uint64_t* digits, int* exponent10) {
    int exponent2 = 0;
    std::frexp(magnitude, &exponent2);  // magnitude in [2^(exponent2-1), 2^exponent2)
    // floor(log10(magnitude)) is this or one more: start below, as rounding up may carry into
    // the next power of ten but never down.
    int exponent = static_cast<int>(std::floor((exponent2 - 1) * 0.30102999566398120));
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::uint64_t scaled = 0;
        if (!ScaledDigits(magnitude, 5 - exponent, &scaled)) {
            return false;
        }
        if (scaled < kSmallest) {
            --exponent;
        } else if (scaled >= kLargest) {
            ++exponent;  // rounded up to the next power of ten
        } else {
            *digits = scaled;
            *exponent10 = exponent;
            return true;
        }
    }
    return false;
}

// "%g" from six digits and their exponent.
char* LayOut(char* out, bool negative, std::uint64_t digits, int exponent) {
    char text[6];
    for (int i = 5; i >= 0; --i) {
        text[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    int significant = 6;
    while (significant > 1 && text[significant - 1] == '0') {
        --significant;
    }
    if (negative) {
        *out++ = '-';
    }
    if (exponent < -4 || exponent >= 6) {
        *out++ = text[0];
        if (significant > 1) {
            *out++ = '.';
            std::memcpy(out, text + 1, static_cast<std::size_t>(significant - 1));
            out += significant - 1;
        }
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) {
            *out++ = '0';
        }
        return std::to_chars(out, out + 4, magnitude).ptr;
    }
    if (exponent >= 0) {
        const int whole = exponent + 1;
        std::memcpy(out, text, static_cast<std::size_t>(whole));
        out += whole;
        if (significant > whole) {
            *out++ = '.';
            std::memcpy(out, text + whole, static_cast<std::size_t>(significant - whole));
            out += significant - whole;
        }
        return out;
    }
    *out++ = '0';
    *out++ = '.';
    for (int zeros = -exponent - 1; zeros > 0; --zeros) {
        *out++ = '0';
    }
    std::memcpy(out, text, static_cast<std::size_t>(significant));
    return out + significant;
}

}  // namespace

char* FormatDecimal(char* out, std::int64_t value) {
    return std::to_chars(out, out + kMaxNumberChars, value).ptr;
}

char* FormatDecimal(char* out, std::uint64_t value) {
    return std::to_chars(out, out + kMaxNumberChars, value).ptr;
}

char* FormatGeneral(char* out, double value) {
    const double magnitude = std::fabs(value);
    // Most values the library passes are floats of ordinary size: those are rounded here,
    // exactly; every other value goes through the library's own exact conversion.
    constexpr double kFloatMin = 1.17549435082228750797e-38;  // FLT_MIN
    constexpr double kBelow2To63 = 9223372036854775808.0;
    if (magnitude >= kFloatMin && magnitude < kBelow2To63 &&
        static_cast<double>(static_cast<float>(magnitude)) == magnitude) {
        std::uint64_t digits = 0;
        int exponent = 0;
        if (SixDigits(magnitude, &digits, &exponent)) {
            return LayOut(out, std::signbit(value), digits, exponent);
        }
    } else if (magnitude == 0) {
        if (std::signbit(value)) {
            *out++ = '-';
        }
        *out++ = '0';
        return out;
    }
    return std::to_chars(out, out + kMaxNumberChars, value, std::chars_format::general, 6).ptr;
}

char* FormatPointer(char* out, const void* value) {
    const auto address = reinterpret_cast<std::uintptr_t>(value);
    if (address == 0) {
        *out++ = '0';
        return out;
    }
    *out++ = '0';
    *out++ = 'x';
    return std::to_chars(out, out + kMaxNumberChars - 2, address, 16).ptr;
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
