#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <type_traits>

#include "vek/Export.h"

namespace VEK {
namespace detail {

/// Indexed by the top nine bits of a float (sign and exponent) below 65520. A result is
/// base + ((fraction + added) >> shift): for a normal half, base holds its sign and exponent
/// and a carry out of the rounded fraction moves into the exponent; for a subnormal one,
/// added also holds the float's implicit leading one; added holds half of the last kept
/// place, which rounds half-way cases up in magnitude. Results below half the smallest
/// subnormal have base 0 and everything shifted out, so they are +0.
struct HalfFromFloatTable {
    std::array<std::uint16_t, 512> base;   ///< sign and exponent of the result
    std::array<std::uint32_t, 512> added;  ///< added to the fraction before the shift
    std::array<std::uint8_t, 512> shift;   ///< how far the sum is shifted right
};

}  // namespace detail

/// IEEE 754 binary16 value: bit 15 sign, bits 14 to 10 exponent (bias 15), bits 9 to 0 fraction.
/// Conversion from float rounds half-way cases up in magnitude; it never keeps the sign of zero
/// and never turns a NaN into an infinity. Conversion to float is exact.
class VEK_EXPORT half {
public:
    /// Positive zero (pattern 0). Throws nothing.
    half() : bits_(0) {}
    /// The nearest half to f (see the class). Throws nothing.
    half(float f) { assign(f); }
    /// Becomes the nearest half to f (see the class). Throws nothing.
    half& operator=(float f) {
        assign(f);
        return *this;
    }
    /// The exact float value. Throws nothing.
    operator float() const { return toFloat(bits_); }

    /// The 16-bit pattern. Throws nothing.
    std::uint16_t bits() const { return bits_; }
    /// Sets the 16-bit pattern as it stands. Throws nothing.
    void setBits(std::uint16_t bits) { bits_ = bits; }

    /// The value with its sign bit flipped (NaNs and zeros too). Throws nothing.
    half operator-() const {
        half h;
        h.bits_ = static_cast<std::uint16_t>(bits_ ^ 0x8000u);
        return h;
    }

    /// Adds h: both operands in float, combined in single precision, converted back.
    /// Throws nothing.
    half& operator+=(half h) { return *this = float(*this) + float(h); }
    /// Adds f in single precision, converted back. Throws nothing.
    half& operator+=(float f) { return *this = float(*this) + f; }
    /// Subtracts h in single precision, converted back. Throws nothing.
    half& operator-=(half h) { return *this = float(*this) - float(h); }
    /// Subtracts f in single precision, converted back. Throws nothing.
    half& operator-=(float f) { return *this = float(*this) - f; }
    /// Multiplies by h in single precision, converted back. Throws nothing.
    half& operator*=(half h) { return *this = float(*this) * float(h); }
    /// Multiplies by f in single precision, converted back. Throws nothing.
    half& operator*=(float f) { return *this = float(*this) * f; }
    /// Divides by h in single precision, converted back. Throws nothing.
    half& operator/=(half h) { return *this = float(*this) / float(h); }
    /// Divides by f in single precision, converted back. Throws nothing.
    half& operator/=(float f) { return *this = float(*this) / f; }

    /// The value rounded to n fraction bits, half-way cases up; n of 10 or more changes nothing.
    /// Where rounding would overflow the exponent the fraction is truncated instead. A NaN stays
    /// as it is. Throws nothing.
    half round(unsigned n) const;

    /// Neither infinite nor NaN (exponent field not 31). Throws nothing.
    bool isFinite() const { return exponent() != 31; }
    /// A normal number (exponent field 1 to 30). Throws nothing.
    bool isNormalized() const { return exponent() != 0 && exponent() != 31; }
    /// A subnormal number (exponent field 0, fraction not 0). Throws nothing.
    bool isDenormalized() const { return exponent() == 0 && fraction() != 0; }
    /// Positive or negative zero. Throws nothing.
    bool isZero() const { return (bits_ & 0x7fffu) == 0; }
    /// Not a number (exponent field 31, fraction not 0). Throws nothing.
    bool isNan() const { return exponent() == 31 && fraction() != 0; }
    /// Positive or negative infinity. Throws nothing.
    bool isInfinity() const { return exponent() == 31 && fraction() == 0; }
    /// The sign bit is set (negative zero and NaNs too). Throws nothing.
    bool isNegative() const { return (bits_ & 0x8000u) != 0; }

    /// Positive infinity, 0x7C00. Throws nothing.
    static half posInf() { return FromBits(0x7c00); }
    /// Negative infinity, 0xFC00. Throws nothing.
    static half negInf() { return FromBits(0xfc00); }
    /// A quiet NaN, 0x7FFF. Throws nothing.
    static half qNan() { return FromBits(0x7fff); }
    /// A signalling NaN, 0x7DFF. Throws nothing.
    static half sNan() { return FromBits(0x7dff); }

private:
    static half FromBits(std::uint16_t bits) {
        half h;
        h.bits_ = bits;
        return h;
    }
    unsigned exponent() const { return (bits_ >> 10) & 0x1fu; }
    unsigned fraction() const { return bits_ & 0x3ffu; }

    /// Inline and without branches for every finite result, whether normal, subnormal or zero:
    /// data that mixes them would defeat branch prediction, and a call for the top binade of
    /// ordinary values costs more than the whole conversion. From 65520 up (where rounding
    /// overflows and the overflow flag must be raised), infinities and NaNs go to convert.
    void assign(float f) {
        std::uint32_t x;
        std::memcpy(&x, &f, sizeof x);
        if ((x & 0x7fffffffu) >= 0x477ff000u) {
            bits_ = convert(x);
            return;
        }
        const std::uint32_t i = x >> 23;
        bits_ = static_cast<std::uint16_t>(
            sFromFloat_.base[i] +
            (((x & 0x007fffffu) + sFromFloat_.added[i]) >> sFromFloat_.shift[i]));
    }

    /// Float bit pattern to half pattern, every case; overflow, infinities and NaNs come here.
    static std::uint16_t convert(std::uint32_t x);
    /// Raises the processor's overflow flag and returns +infinity.
    static float overflow();

    static float toFloat(std::uint16_t bits) {
        float f;
        std::memcpy(&f, &sToFloat_[bits], sizeof f);
        return f;
    }

    /// Float bit patterns of every half.
    static const std::array<std::uint32_t, 65536> sToFloat_;
    static const detail::HalfFromFloatTable sFromFloat_;

    std::uint16_t bits_;
};

/// Writes the float value. Throws only what the stream throws.
VEK_EXPORT std::ostream& operator<<(std::ostream& stream, half h);
/// Reads a float and converts it; h is left alone when nothing could be read.
/// Throws only what the stream throws.
VEK_EXPORT std::istream& operator>>(std::istream& stream, half& h);

static_assert(sizeof(half) == 2 && std::is_trivially_copyable_v<half>);

/// n floats to halves, each exactly as half(float) converts it. Uses the processor's conversion
/// instructions (F16C, with AVX2 for the corrections) where it has them. The ranges may not
/// overlap. Throws nothing.
VEK_EXPORT void FloatsToHalves(const float* in, half* out, std::size_t n);
/// n halves to floats, each exactly as float(half) converts it, NaN payloads included.
/// Throws nothing.
VEK_EXPORT void HalvesToFloats(const half* in, float* out, std::size_t n);

/// Whether the two functions above use the conversion instructions on this processor.
/// Throws nothing.
VEK_EXPORT bool HalfArraysUseF16C();

}  // namespace VEK
