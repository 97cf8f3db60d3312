// Float to half and back against a reference written from the rules of the format, not from the
// library's tables: the nearest half with half-way cases rounded up in magnitude, +0 for either
// zero, infinity from 65520 up, a NaN kept as a NaN with the top fraction bits (or 1). Half to
// float must be exact, so every half but -0 and the NaNs survives a round trip.
#include <vek/core/math/Half.h>

#include <cmath>
#include <cstring>
#include <string>

#include "FuzzInput.h"

namespace {

std::uint32_t BitsOf(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

// The half nearest to |f|, half-way cases away from zero, computed in double from the spacing
// of halves at that magnitude.
std::uint16_t ReferenceHalf(float f) {
    const std::uint32_t bits = BitsOf(f);
    const std::uint16_t sign = static_cast<std::uint16_t>((bits >> 16) & 0x8000u);
    if (std::isnan(f)) {
        const std::uint16_t top = static_cast<std::uint16_t>((bits & 0x7FFFFFu) >> 13);
        return static_cast<std::uint16_t>(sign | 0x7C00u | top | (top == 0 ? 1u : 0u));
    }
    if (f == 0.0f) {
        return 0;
    }
    const double magnitude = std::fabs(static_cast<double>(f));
    if (magnitude >= 65520.0) {
        return static_cast<std::uint16_t>(sign | 0x7C00u);
    }
    int exponent = 0;
    std::frexp(magnitude, &exponent);  // magnitude in [2^(exponent-1), 2^exponent)
    const int unbiased = std::max(exponent - 1, -14);
    const double spacing = std::ldexp(1.0, unbiased - 10);
    const double steps = std::floor(magnitude / spacing + 0.5);
    const double value = steps * spacing;
    if (value == 0.0) {
        return 0;  // below half the smallest subnormal: +0 whatever the sign
    }
    if (value < std::ldexp(1.0, -14)) {
        return static_cast<std::uint16_t>(sign | static_cast<std::uint16_t>(steps));
    }
    std::frexp(value, &exponent);
    const int e = exponent - 1;
    const double fraction = value / std::ldexp(1.0, e - 10) - 1024.0;
    return static_cast<std::uint16_t>(sign | ((e + 15) << 10) |
                                      static_cast<std::uint16_t>(fraction));
}

// The value of a half pattern from its fields.
double ValueOf(std::uint16_t h) {
    const double sign = (h & 0x8000u) ? -1.0 : 1.0;
    const int exponent = (h >> 10) & 0x1F;
    const int fraction = h & 0x3FF;
    if (exponent == 0) {
        return sign * std::ldexp(fraction, -24);
    }
    if (exponent == 31) {
        return fraction == 0 ? sign * HUGE_VAL : NAN;
    }
    return sign * std::ldexp(1024 + fraction, exponent - 25);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VEKFuzz::Input input(data, size);
    while (!input.empty()) {
        const float f = input.f32();
        const VEK::half converted(f);
        const std::uint16_t expected = ReferenceHalf(f);
        VEK_FUZZ_CHECK(converted.bits() == expected, "float " + Hex(BitsOf(f)) + " gave " +
                                                         Hex(converted.bits()) + ", expected " +
                                                         Hex(expected));
        VEK::half assigned;
        assigned = f;
        VEK_FUZZ_CHECK(assigned.bits() == expected, "assignment differs from construction");

        VEK::half h;
        h.setBits(input.u16());
        const float back = h;
        const double exact = ValueOf(h.bits());
        if (h.isNan()) {
            const std::uint32_t b = BitsOf(back);
            const std::uint32_t want = ((h.bits() & 0x8000u) << 16) | 0x7F800000u |
                                       (static_cast<std::uint32_t>(h.bits() & 0x3FFu) << 13);
            VEK_FUZZ_CHECK(b == want, "NaN half " + Hex(h.bits()) + " gave float " + Hex(b));
            VEK_FUZZ_CHECK(VEK::half(back).isNan(), "NaN lost on the way back");
        } else {
            VEK_FUZZ_CHECK(static_cast<double>(back) == exact &&
                               std::signbit(back) == ((h.bits() & 0x8000u) != 0),
                           "half " + Hex(h.bits()) + " is not exact as a float");
            const std::uint16_t again = VEK::half(back).bits();
            const std::uint16_t want = h.bits() == 0x8000u ? 0 : h.bits();
            VEK_FUZZ_CHECK(again == want, "half " + Hex(h.bits()) + " came back as " + Hex(again));
        }
    }
    return 0;
}
