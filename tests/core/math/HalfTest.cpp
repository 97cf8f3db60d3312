#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

#include <vek/core/math/Half.h>

using VEK::half;

namespace {

std::uint32_t BitsOf(float f) {
    std::uint32_t x;
    std::memcpy(&x, &f, sizeof x);
    return x;
}

float FloatOf(std::uint32_t x) {
    float f;
    std::memcpy(&f, &x, sizeof f);
    return f;
}

half FromBits(std::uint16_t bits) {
    half h;
    h.setBits(bits);
    return h;
}

// Magnitude of a finite non-negative pattern from the format's definition; the pattern after
// the largest finite one stands for 2^16, where rounding to infinity starts.
double Magnitude(std::uint32_t pattern) {
    const int exponent = static_cast<int>(pattern >> 10);
    const int fraction = static_cast<int>(pattern & 0x3ff);
    if (exponent == 0) {
        return std::ldexp(fraction, -24);
    }
    return std::ldexp(1024 + fraction, exponent - 25);
}

// The half nearest to x, half-way cases away from zero, found by searching the ordered
// patterns; results of magnitude 0 are +0.
std::uint16_t Reference(float x) {
    const double a = std::fabs(static_cast<double>(x));
    std::uint32_t low = 0, high = 0x7c00;  // Magnitude(low) <= a < Magnitude(high) after search
    if (a >= Magnitude(high)) {
        low = high;
    } else {
        while (high - low > 1) {
            const std::uint32_t middle = (low + high) / 2;
            (Magnitude(middle) <= a ? low : high) = middle;
        }
        const double halfway = (Magnitude(low) + Magnitude(low + 1)) / 2;
        if (a >= halfway) {
            low += 1;
        }
    }
    if (low == 0) {
        return 0;
    }
    return static_cast<std::uint16_t>(low | (std::signbit(x) ? 0x8000u : 0u));
}

}  // namespace

TEST(Half, EveryPatternConvertsExactlyAndBack) {
    for (std::uint32_t pattern = 0; pattern < 0x10000; ++pattern) {
        const half h = FromBits(static_cast<std::uint16_t>(pattern));
        const float f = h;
        const bool negative = (pattern & 0x8000u) != 0;
        const std::uint32_t magnitude = pattern & 0x7fffu;
        ASSERT_EQ(std::signbit(f), negative) << pattern;
        if (magnitude < 0x7c00u) {
            ASSERT_EQ(std::fabs(static_cast<double>(f)), Magnitude(magnitude)) << pattern;
        } else {
            // Infinities and NaNs keep their fraction in the top fraction bits.
            ASSERT_EQ(BitsOf(f),
                      (negative ? 0x80000000u : 0u) | 0x7f800000u | ((pattern & 0x3ffu) << 13))
                << pattern;
        }
        const half back = f;
        ASSERT_EQ(back.bits(), pattern == 0x8000u ? 0u : pattern) << pattern;
    }
}

TEST(Half, HalfwayCasesRoundUpInMagnitudeAtEveryExponent) {
    // For every pair of neighbouring finite halves, from the subnormals to the largest finite
    // one, the float half-way between them goes to the larger one; a float just below goes to
    // the smaller, just above to the larger. The processor's own conversion goes to even here.
    for (std::uint32_t low = 0; low < 0x7c00u; ++low) {
        const float halfway = static_cast<float>((Magnitude(low) + Magnitude(low + 1)) / 2);
        ASSERT_EQ(static_cast<double>(halfway), (Magnitude(low) + Magnitude(low + 1)) / 2);
        const float below = std::nextafter(halfway, 0.f);
        const float above = std::nextafter(halfway, 1e30f);
        const std::uint16_t up = static_cast<std::uint16_t>(low + 1);
        const std::uint16_t down = static_cast<std::uint16_t>(low);
        ASSERT_EQ(half(halfway).bits(), up) << low;
        ASSERT_EQ(half(above).bits(), up) << low;
        ASSERT_EQ(half(below).bits(), down) << low;
        ASSERT_EQ(half(-halfway).bits(), up | 0x8000u) << low;
        ASSERT_EQ(half(-above).bits(), up | 0x8000u) << low;
        ASSERT_EQ(half(-below).bits(), down == 0 ? 0u : down | 0x8000u) << low;
    }
}

TEST(Half, FloatsAcrossTheRangeConvertToTheNearestHalf) {
    std::mt19937 random(12345);
    // Exponents from far below the subnormals to far above the largest half.
    std::uniform_int_distribution<std::uint32_t> exponent(127 - 40, 127 + 40);
    std::uniform_int_distribution<std::uint32_t> fraction(0, 0x7fffff);
    for (int i = 0; i < 400000; ++i) {
        const std::uint32_t x = ((i & 1u) << 31) | (exponent(random) << 23) | fraction(random);
        const float f = FloatOf(x);
        ASSERT_EQ(half(f).bits(), Reference(f)) << f;
        half assigned;
        assigned = f;
        ASSERT_EQ(assigned.bits(), Reference(f)) << f;
    }
}

TEST(Half, LimitsZerosAndNaNs) {
    EXPECT_EQ(half(65504.f).bits(), 0x7bffu);
    EXPECT_EQ(half(65519.996f).bits(), 0x7bffu);
    EXPECT_EQ(half(-65504.f).bits(), 0xfbffu);
    EXPECT_EQ(half(std::ldexp(1.f, -14)).bits(), 0x0400u);
    EXPECT_EQ(half(std::ldexp(1.f, -24)).bits(), 0x0001u);
    EXPECT_EQ(half(std::ldexp(1.f, -25)).bits(), 0x0001u);
    EXPECT_EQ(half(std::ldexp(1.f, -26)).bits(), 0x0000u);
    EXPECT_EQ(half(-std::ldexp(1.f, -26)).bits(), 0x0000u);
    EXPECT_EQ(half(-0.f).bits(), 0x0000u);
    EXPECT_EQ(half(1.f + std::ldexp(1.f, -11)).bits(), 0x3c01u);

    // Overflow gives an infinity of the float's sign and raises the processor's flag.
    std::feclearexcept(FE_OVERFLOW);
    EXPECT_EQ(half(65520.f).bits(), 0x7c00u);
    EXPECT_TRUE(std::fetestexcept(FE_OVERFLOW));
    EXPECT_EQ(half(-65520.f).bits(), 0xfc00u);
    EXPECT_EQ(half(1e30f).bits(), 0x7c00u);
    EXPECT_EQ(half(-std::numeric_limits<float>::infinity()).bits(), 0xfc00u);

    // A NaN stays a NaN even when its set fraction bits all fall below the half's fraction.
    EXPECT_EQ(half(FloatOf(0x7f800001u)).bits(), 0x7c01u);
    EXPECT_EQ(half(FloatOf(0xff800fffu)).bits(), 0xfc01u);
    for (std::uint32_t low = 0; low < 0x800000u; low += 0x1fffu) {
        ASSERT_TRUE(half(FloatOf(0x7f800000u | (low | 1u))).isNan()) << low;
        ASSERT_TRUE(half(FloatOf(0xffc00000u | low)).isNan()) << low;
    }
}

TEST(Half, ClassificationAgreesWithTheFloatValue) {
    for (std::uint32_t pattern = 0; pattern < 0x10000; ++pattern) {
        const half h = FromBits(static_cast<std::uint16_t>(pattern));
        const float f = h;
        ASSERT_EQ(h.isNan(), std::isnan(f)) << pattern;
        ASSERT_EQ(h.isInfinity(), std::isinf(f)) << pattern;
        ASSERT_EQ(h.isFinite(), std::isfinite(f)) << pattern;
        ASSERT_EQ(h.isZero(), f == 0.f) << pattern;
        const bool subnormal = f != 0.f && std::fabs(f) < std::ldexp(1.f, -14);
        ASSERT_EQ(h.isDenormalized(), subnormal) << pattern;
        ASSERT_EQ(h.isNormalized(), std::isfinite(f) && f != 0.f && !subnormal) << pattern;
        ASSERT_EQ(h.isNegative(), std::signbit(f)) << pattern;
        ASSERT_EQ((-h).bits(), pattern ^ 0x8000u) << pattern;
    }
    EXPECT_EQ(half::posInf().bits(), 0x7c00u);
    EXPECT_EQ(half::negInf().bits(), 0xfc00u);
    EXPECT_EQ(half::qNan().bits(), 0x7fffu);
    EXPECT_EQ(half::sNan().bits(), 0x7dffu);
    EXPECT_TRUE(half::sNan().isNan() && half::qNan().isNan() && half::negInf().isInfinity());
    EXPECT_EQ(half().bits(), 0u);
}

TEST(Half, RoundKeepsNFractionBits) {
    EXPECT_EQ(FromBits(0x3e00).round(0).bits(), 0x4000u);  // 1.5 -> 2
    EXPECT_EQ(FromBits(0xbe00).round(0).bits(), 0xc000u);
    EXPECT_EQ(FromBits(0x3dff).round(0).bits(), 0x3c00u);
    EXPECT_EQ(FromBits(0x3e7b).round(10).bits(), 0x3e7bu);
    EXPECT_EQ(FromBits(0x3e7b).round(25).bits(), 0x3e7bu);
    // Rounding up past the largest finite value truncates instead.
    EXPECT_EQ(FromBits(0x7bff).round(3).bits(), 0x7b80u);
    EXPECT_EQ(FromBits(0xfbff).round(0).bits(), 0xf800u);
    // An infinity stays; a NaN stays a NaN.
    EXPECT_EQ(half::posInf().round(2).bits(), 0x7c00u);
    for (unsigned n = 0; n < 10; ++n) {
        EXPECT_TRUE(FromBits(0x7c01).round(n).isNan()) << n;
        EXPECT_TRUE(half::qNan().round(n).isNan()) << n;
    }

    // For every finite pattern, the result has only n fraction bits and is the nearer of the
    // two neighbours with n bits, ties going up in magnitude.
    for (unsigned n = 0; n < 10; ++n) {
        const unsigned dropped = 10 - n;
        for (std::uint32_t pattern = 0; pattern < 0x7c00u; pattern += 7) {
            const std::uint32_t down = pattern >> dropped << dropped;
            const std::uint32_t up = down + (1u << dropped);
            const double value = Magnitude(pattern);
            const bool nearerUp = value - Magnitude(down) >= Magnitude(up) - value;
            const std::uint32_t expected = nearerUp && up < 0x7c00u ? up : down;
            ASSERT_EQ(FromBits(static_cast<std::uint16_t>(pattern)).round(n).bits(), expected)
                << pattern << " " << n;
            ASSERT_EQ(FromBits(static_cast<std::uint16_t>(pattern | 0x8000u)).round(n).bits(),
                      expected | 0x8000u)
                << pattern << " " << n;
        }
    }
}

TEST(Half, ArithmeticGoesThroughFloat) {
    const float values[] = {1.5f, -0.333f, 1000.f, 6e-5f, 65504.f, 3.f};
    for (float a : values) {
        for (float b : values) {
            const half ha(a), hb(b);
            const float fa = ha, fb = hb;
            // Each compound form, with a half and with a float operand, against the same
            // operation on floats.
            auto check = [&](auto compound, auto operation) {
                half h = ha;
                EXPECT_EQ(compound(h, hb).bits(), half(operation(fa, fb)).bits()) << a << " " << b;
                h = ha;
                EXPECT_EQ(compound(h, b).bits(), half(operation(fa, b)).bits()) << a << " " << b;
            };
            check([](half& h, auto v) -> half& { return h += v; }, std::plus<float>());
            check([](half& h, auto v) -> half& { return h -= v; }, std::minus<float>());
            check([](half& h, auto v) -> half& { return h *= v; }, std::multiplies<float>());
            check([](half& h, auto v) -> half& { return h /= v; }, std::divides<float>());
        }
    }
}

TEST(Half, StreamsCarryTheFloatValue) {
    std::ostringstream out;
    out << half(2.5f) << ' ' << FromBits(0xfc00);
    EXPECT_EQ(out.str(), "2.5 -inf");

    std::istringstream in("0.1 oops");
    half h;
    in >> h;
    EXPECT_EQ(h.bits(), half(0.1f).bits());
    in >> h;
    EXPECT_TRUE(in.fail());
    EXPECT_EQ(h.bits(), half(0.1f).bits());
}

namespace {

// Float patterns the array conversions must treat as the scalar one does: every exponent with
// the fraction bits around each rounding position, half-way cases, zeros, infinities, NaNs with
// and without their top fraction bits, and a large random sample.
std::vector<std::uint32_t> ArraySample() {
    std::vector<std::uint32_t> patterns;
    for (std::uint32_t sign = 0; sign < 2; ++sign) {
        for (std::uint32_t exponent = 0; exponent < 256; ++exponent) {
            for (std::uint32_t bit = 0; bit < 23; ++bit) {
                const std::uint32_t base = (sign << 31) | (exponent << 23);
                patterns.push_back(base | (1u << bit));
                patterns.push_back(base | ((1u << bit) - 1));
                patterns.push_back(base | (1u << bit) | 1u);
            }
            patterns.push_back((sign << 31) | (exponent << 23));
            patterns.push_back((sign << 31) | (exponent << 23) | 0x7fffffu);
        }
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> any;
    for (int i = 0; i < (1 << 22); ++i) {
        patterns.push_back(any(random));
    }
    return patterns;
}

void ExpectArraysMatchScalar(const std::vector<std::uint32_t>& patterns) {
    std::vector<float> floats(patterns.size());
    std::memcpy(floats.data(), patterns.data(), patterns.size() * sizeof(float));
    std::vector<half> halves(floats.size());
    VEK::FloatsToHalves(floats.data(), halves.data(), floats.size());
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < floats.size(); ++i) {
        const half expected(floats[i]);
        if (halves[i].bits() != expected.bits() && wrong++ < 5) {
            ADD_FAILURE() << std::hex << "float 0x" << patterns[i] << ": array 0x"
                          << halves[i].bits() << ", scalar 0x" << expected.bits();
        }
    }
    EXPECT_EQ(0u, wrong);
}

}  // namespace

// The array paths convert exactly as the scalar ones, whatever the processor; on one with F16C
// they use it. Every offset into a block of eight and every tail length is covered by
// converting from each start position.
TEST(HalfArrays, MatchTheScalarConversionsBitForBit) {
    std::printf("array conversions use F16C: %s\n",
                VEK::HalfArraysUseF16C() ? "yes" : "no");
    ExpectArraysMatchScalar(ArraySample());

    // One NaN in a block sends that block the scalar way; the others stay exact too.
    std::vector<std::uint32_t> mixed = {0x3f800000u, 0x7f800001u, 0x33000000u, 0xb3000000u,
                                        0x477ff000u, 0x7f800000u, 0x80000000u, 0x38800000u,
                                        0x3f801000u, 0x00000001u, 0xffc00000u};
    for (std::size_t start = 0; start < mixed.size(); ++start) {
        ExpectArraysMatchScalar(std::vector<std::uint32_t>(mixed.begin() + start, mixed.end()));
    }

    std::vector<half> every(65536 + 7);
    for (std::size_t i = 0; i < every.size(); ++i) {
        every[i] = FromBits(static_cast<std::uint16_t>(i));
    }
    for (std::size_t start = 0; start < 8; ++start) {
        const std::size_t n = every.size() - start;
        std::vector<float> floats(n);
        VEK::HalvesToFloats(every.data() + start, floats.data(), n);
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const float expected = float(every[start + i]);
            if (BitsOf(floats[i]) != BitsOf(expected) && wrong++ < 5) {
                ADD_FAILURE() << std::hex << "half 0x" << every[start + i].bits() << ": array 0x"
                              << BitsOf(floats[i]) << ", scalar 0x" << BitsOf(expected);
            }
        }
        EXPECT_EQ(0u, wrong) << "from start " << start;
    }
}

// All 2^32 float patterns: a long run, documented in the README, not part of the suite.
TEST(HalfArrays, DISABLED_EveryFloatMatchesTheScalarConversion) {
    const std::size_t block = std::size_t(1) << 24;
    std::vector<float> floats(block);
    std::vector<half> halves(block);
    std::size_t wrong = 0;
    for (std::uint64_t first = 0; first < (std::uint64_t(1) << 32); first += block) {
        for (std::size_t i = 0; i < block; ++i) {
            floats[i] = FloatOf(static_cast<std::uint32_t>(first + i));
        }
        VEK::FloatsToHalves(floats.data(), halves.data(), block);
        for (std::size_t i = 0; i < block; ++i) {
            if (halves[i].bits() != half(floats[i]).bits() && wrong++ < 5) {
                ADD_FAILURE() << std::hex << "float 0x" << (first + i);
            }
        }
    }
    EXPECT_EQ(0u, wrong);
}
