#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace VEK {
namespace OGL {
namespace internal {

// Numbers as text for the tracer, without streams, locales or the heap. Each writes at out and
// returns the end of what it wrote; out must have room for kMaxNumberChars.
constexpr std::size_t kMaxNumberChars = 32;

// "00" to "99".
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Exactly five digits of a number below 100000, leading zeros included.
inline void FormatFiveDigits(char* out, std::uint32_t value) {
    const std::uint32_t high = value / 1000;  // the first two
    const std::uint32_t rest = value - high * 1000;
    const std::uint32_t middle = rest / 10;
    std::memcpy(out, kDigitPairs + 2 * high, 2);
    std::memcpy(out + 2, kDigitPairs + 2 * middle, 2);
    out[4] = static_cast<char>('0' + (rest - middle * 10));
}

// Decimal digits of a number below 100000, two at a time from the last.
inline char* FormatShortDecimal(char* out, std::uint32_t value) {
    const int count = value < 100 ? (value < 10 ? 1 : 2) : value < 1000 ? 3 : value < 10000 ? 4 : 5;
    char* const end = out + count;
    char* p = end;
    while (value >= 100) {
        const std::uint32_t rest = value / 100;
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * (value - rest * 100), 2);
        value = rest;
    }
    if (value >= 10) {
        std::memcpy(p - 2, kDigitPairs + 2 * value, 2);
    } else {
        p[-1] = static_cast<char>('0' + value);
    }
    return end;
}

// Decimal digits of numbers of more than 32 bits.
char* FormatWideDecimal(char* out, std::uint64_t value);

// Decimal digits, '-' before a negative number. Numbers below 2^32 (names, sizes, a float's
// bits) are written here as two halves that do not wait for each other.
inline char* FormatDecimal(char* out, std::uint64_t value) {
    if (value >= (std::uint64_t{1} << 32)) {
        return FormatWideDecimal(out, value);
    }
    const auto narrow = static_cast<std::uint32_t>(value);
    if (narrow < 100000) {
        return FormatShortDecimal(out, narrow);
    }
    const std::uint32_t high = narrow / 100000;
    char* const end = FormatShortDecimal(out, high);
    FormatFiveDigits(end, narrow - high * 100000);
    return end + 5;
}

inline char* FormatDecimal(char* out, std::int64_t value) {
    std::uint64_t magnitude = static_cast<std::uint64_t>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0 - magnitude;
    }
    return FormatDecimal(out, magnitude);
}

// As printf's "%g" in the "C" locale: six significant digits, fixed or scientific by the
// exponent, trailing zeros dropped; "nan", "-nan", "inf", "-inf" for the values that are not
// numbers or infinite.
char* FormatGeneral(char* out, double value);

// "0x" and lower-case hexadecimal digits, or "0" for the null pointer.
char* FormatPointer(char* out, const void* value);

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
