#include "vek/vek_ogl/extensionator/internal/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

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

// The whole number nearest to a non-negative value below 2^52, ties to even (as printf rounds
// in the default rounding mode); elsewhere than x86-64, adding 2^52 leaves no bits for a
// fraction.
std::uint64_t Nearest(double value) {
#if defined(__x86_64__)
    // The conversion that rounds in the current mode, as printf does.
    return static_cast<std::uint64_t>(_mm_cvtsd_si64(_mm_set_sd(value)));
#else
    constexpr double k2To52 = 4503599627370496.0;
    return static_cast<std::uint64_t>((value + k2To52) - k2To52);
#endif
}

// A positive normal double as significand * 2^exponent with a whole significand below 2^53.
struct Binary {
    std::uint64_t significand;
    int exponent;
};

Binary Decompose(double magnitude) {
    std::uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof(bits));
    const int biased = static_cast<int>(bits >> 52);
    return Binary{(bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52),
                  biased - 1075};
}

// Whether round(magnitude * 10^scale) can be computed exactly here, and its value (ties to even).
// magnitude holds a float's value: significand below 2^24, at least FLT_MIN and below 2^63.
bool ScaledDigits(double magnitude, int scale, std::uint64_t* digits) {
    if (scale >= 0) {
        // The significand times 5^scale stays below 2^53: the product is exact, and so is the
        // rounding.
        if (scale > 12) {
            return false;
        }
        const double scaled = magnitude * static_cast<double>(kPowers10[scale]);
        if (scaled >= 4503599627370496.0) {
            return false;
        }
        *digits = Nearest(scaled);
        return true;
    }
    const int shrink = -scale;
    if (shrink >= static_cast<int>(sizeof(kPowers10) / sizeof(kPowers10[0]))) {
        return false;
    }
    // A float's significand has 24 bits: the low 29 of the double's are zero.
    const Binary binary = Decompose(magnitude);
    std::uint64_t numerator = binary.significand >> 29;
    const int exponent = binary.exponent + 29;
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

// The smallest double not below 10^k, for k from -7 to 19: as no double lies between the two, a
// float's value is at least 10^k exactly when it is at least this.
constexpr int kTenAtLeastFirst = -7;
constexpr double kTenAtLeast[] = {0x1.ad7f29abcaf49p-24,
                                  0x1.0c6f7a0b5ed8ep-20,
                                  0x1.4f8b588e368f1p-17,
                                  0x1.a36e2eb1c432dp-14,
                                  0x1.0624dd2f1a9fcp-10,
                                  0x1.47ae147ae147bp-7,
                                  0x1.999999999999ap-4,
                                  1e0,
                                  1e1,
                                  1e2,
                                  1e3,
                                  1e4,
                                  1e5,
                                  1e6,
                                  1e7,
                                  1e8,
                                  1e9,
                                  1e10,
                                  1e11,
                                  1e12,
                                  1e13,
                                  1e14,
                                  1e15,
                                  1e16,
                                  1e17,
                                  1e18,
                                  1e19};

// The six significant digits of a float's value and the decimal exponent of the first, as printf
// rounds them; false when the value lies outside what ScaledDigits computes exactly.
bool SixDigits(double magnitude, std::uint64_t* digits, int* exponent10) {
    // magnitude lies in [2^power, 2^(power + 1)), so floor(log10(magnitude)) is
    // floor(power * log10(2)) (this product is exact enough over the floats' range) or one more.
    const int power = Decompose(magnitude).exponent + 52;
    const double estimate = power * 0.30102999566398120;
    int exponent = static_cast<int>(estimate);
    if (estimate < exponent) {
        --exponent;
    }
    const int next = exponent + 1 - kTenAtLeastFirst;
    if (next < 0 || next >= static_cast<int>(sizeof(kTenAtLeast) / sizeof(kTenAtLeast[0]))) {
        return false;
    }
    if (magnitude >= kTenAtLeast[next]) {
        ++exponent;
    }
    std::uint64_t scaled = 0;
    if (!ScaledDigits(magnitude, 5 - exponent, &scaled)) {
        return false;
    }
    if (scaled >= kLargest) {
        // Rounded up to the next power of ten: 999999.5 is 1e+06.
        scaled = kSmallest;
        ++exponent;
    }
    *digits = scaled;
    *exponent10 = exponent;
    return true;
}

// "%g" from six digits and their exponent.
char* LayOut(char* out, bool negative, std::uint64_t digits, int exponent) {
    // Three pairs, two divisions deep. The copies below have fixed sizes (no loops, no calls):
    // they may write past the end they return, within the room the caller gives.
    const auto six = static_cast<std::uint32_t>(digits);
    const std::uint32_t high = six / 10000;
    const std::uint32_t rest = six - high * 10000;
    const std::uint32_t middle = rest / 100;
    const std::uint32_t low = rest - middle * 100;
    char text[16] = {};
    std::memcpy(text, kDigitPairs + 2 * high, 2);
    std::memcpy(text + 2, kDigitPairs + 2 * middle, 2);
    std::memcpy(text + 4, kDigitPairs + 2 * low, 2);
    // The digits up to the last that is not zero.
    int significant;
    if (low != 0) {
        significant = low % 10 != 0 ? 6 : 5;
    } else if (middle != 0) {
        significant = middle % 10 != 0 ? 4 : 3;
    } else {
        significant = high % 10 != 0 ? 2 : 1;
    }
    if (negative) {
        *out++ = '-';
    }
    if (exponent < -4 || exponent >= 6) {
        // d.ddddde+XX
        out[0] = text[0];
        out[1] = '.';
        std::memcpy(out + 2, text + 1, 5);
        out += significant > 1 ? significant + 1 : 1;
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) {
            *out++ = '0';
        }
        return std::to_chars(out, out + 4, magnitude).ptr;
    }
    if (exponent >= 0) {
        // ddd.ddd
        const int whole = exponent + 1;
        std::memcpy(out, text, 6);
        if (significant <= whole) {
            return out + whole;
        }
        out[whole] = '.';
        std::memcpy(out + whole + 1, text + whole, 8);
        return out + significant + 1;
    }
    // 0.000dddddd
    const int zeros = -exponent - 1;
    std::memcpy(out, "0.000", 5);
    out += 2 + zeros;
    std::memcpy(out, text, 8);
    return out + significant;
}

}  // namespace

char* FormatWideDecimal(char* out, std::uint64_t value) {
    return std::to_chars(out, out + kMaxNumberChars, value).ptr;
}

char* FormatGeneral(char* out, double value) {
    const double magnitude = std::fabs(value);
    // Most values the library passes are floats of ordinary size: those are rounded here,
    // exactly; every other value goes through the standard library's exact conversion.
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
