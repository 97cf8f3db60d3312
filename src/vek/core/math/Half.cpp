#include "vek/core/math/Half.h"

#include <istream>
#include <ostream>

namespace VEK {

namespace {

// Both tables are built by the compiler: constexpr forces the work to compile time, and the
// members below are constant-initialised copies, so no start-up code or order question.

constexpr std::array<std::uint32_t, 65536> MakeToFloatTable() {
    std::array<std::uint32_t, 65536> table{};
    std::uint32_t index = 0;
    for (std::uint32_t sign = 0; sign < 2; ++sign) {
        const std::uint32_t s = sign << 31;
        // Zero keeps its sign.
        table[index++] = s;
        // Subnormal halves become normal floats: shift the fraction up to its leading one.
        for (std::uint32_t fraction = 1; fraction < 1024; ++fraction) {
            std::uint32_t exponent = 113;
            std::uint32_t m = fraction;
            while ((m & 0x400u) == 0) {
                m <<= 1;
                --exponent;
            }
            table[index++] = s | (exponent << 23) | ((m & 0x3ffu) << 13);
        }
        for (std::uint32_t exponent = 1; exponent < 31; ++exponent) {
            for (std::uint32_t fraction = 0; fraction < 1024; ++fraction) {
                table[index++] = s | ((exponent + 112) << 23) | (fraction << 13);
            }
        }
        // Infinities, and NaNs with their fraction kept in the top bits.
        for (std::uint32_t fraction = 0; fraction < 1024; ++fraction) {
            table[index++] = s | 0x7f800000u | (fraction << 13);
        }
    }
    return table;
}

constexpr std::array<std::uint16_t, 512> MakeExponentTable() {
    std::array<std::uint16_t, 512> table{};
    for (int i = 0; i < 512; ++i) {
        const int e = (i & 0xff) - 112;
        const int s = i >> 8;
        // Exponent 30 is left to convert, where a rounding carry can overflow.
        if (e > 0 && e < 30) {
            table[i] = static_cast<std::uint16_t>((e << 10) | (s << 15));
        }
    }
    return table;
}

constexpr std::array<std::uint32_t, 65536> kToFloat = MakeToFloatTable();
constexpr std::array<std::uint16_t, 512> kExponent = MakeExponentTable();

}  // namespace

const std::array<std::uint32_t, 65536> half::sToFloat_ = kToFloat;
const std::array<std::uint16_t, 512> half::sExponent_ = kExponent;

std::uint16_t half::convert(std::uint32_t x) {
    const std::uint32_t s = (x >> 16) & 0x8000u;
    int e = static_cast<int>((x >> 23) & 0xffu) - 112;
    std::uint32_t m = x & 0x007fffffu;

    if (e <= 0) {
        // Subnormal half or zero; too small even to round up to the smallest subnormal gives +0.
        if (e < -10) {
            return 0;
        }
        m = (m | 0x00800000u) >> (1 - e);
        if (m & 0x00001000u) {
            m += 0x00002000u;
        }
        return static_cast<std::uint16_t>(s | (m >> 13));
    }
    if (e == 143) {
        if (m == 0) {
            return static_cast<std::uint16_t>(s | 0x7c00u);
        }
        // A NaN whose top fraction bits are all zero still needs one bit set.
        m >>= 13;
        return static_cast<std::uint16_t>(s | 0x7c00u | m | (m == 0 ? 1u : 0u));
    }
    if (m & 0x00001000u) {
        m += 0x00002000u;
        if (m & 0x00800000u) {
            m = 0;
            e += 1;
        }
    }
    if (e > 30) {
        overflow();
        return static_cast<std::uint16_t>(s | 0x7c00u);
    }
    return static_cast<std::uint16_t>(s | (static_cast<std::uint32_t>(e) << 10) | (m >> 13));
}

float half::overflow() {
    volatile float f = 1e10f;
    for (int i = 0; i < 10; ++i) {
        f = f * f;
    }
    return f;
}

half half::round(unsigned n) const {
    // Rounding a NaN's fraction could clear it and leave an infinity.
    if (n >= 10 || isNan()) {
        return *this;
    }
    const std::uint32_t s = bits_ & 0x8000u;
    std::uint32_t e = bits_ & 0x7fffu;
    e >>= 9 - n;
    e += e & 1u;
    e <<= 9 - n;
    if (e >= 0x7c00u) {
        e = bits_;
        e >>= 10 - n;
        e <<= 10 - n;
    }
    return FromBits(static_cast<std::uint16_t>(e | s));
}

std::ostream& operator<<(std::ostream& stream, half h) {
    return stream << float(h);
}

std::istream& operator>>(std::istream& stream, half& h) {
    float f;
    if (stream >> f) {
        h = f;
    }
    return stream;
}

}  // namespace VEK
