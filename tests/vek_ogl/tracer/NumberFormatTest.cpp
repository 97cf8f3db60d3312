#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "vek/vek_ogl/extensionator/internal/NumberFormat.h"

using namespace VEK::OGL::internal;

namespace {

std::string General(double value) {
    char text[kMaxNumberChars];
    return std::string(text, FormatGeneral(text, value));
}

// What a stream in the "C" locale writes by default: printf's "%g" (this program never changes
// the C library's locale). A NaN keeps its sign, as glibc writes it: mingw-w64's printf drops it.
std::string Printf(double value) {
    if (std::isnan(value)) {
        return std::signbit(value) ? "-nan" : "nan";
    }
    char text[64];
    const int size = std::snprintf(text, sizeof(text), "%g", value);
    return std::string(text, static_cast<std::size_t>(size));
}

float FloatOf(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

double DoubleOf(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

}  // namespace

// Every float bit pattern in a large random sample, every float near each power of ten and each
// rounding boundary of six digits, and doubles of every size: the same text as printf.
TEST(NumberFormat, GeneralIsPrintfsGeneralForFloatsAndDoubles) {
    std::mt19937_64 random(20261208);
    long mismatches = 0;
    const auto check = [&](double value) {
        const std::string ours = General(value);
        const std::string theirs = Printf(value);
        if (ours != theirs && ++mismatches <= 20) {
            ADD_FAILURE() << std::hexfloat << value << ": " << ours << " instead of " << theirs;
        }
    };
    for (int i = 0; i < 2000000; ++i) {
        check(FloatOf(static_cast<std::uint32_t>(random())));
    }
    // Around 10^e and around the half-way points of six digits, where rounding is decided.
    for (int e = -46; e <= 39; ++e) {
        for (const double mantissa : {1.0, 9.999995, 9.999994, 9.999996, 1.000005, 1.234565}) {
            const float centre = static_cast<float>(mantissa * std::pow(10.0, e));
            float value = centre;
            for (int step = 0; step < 64; ++step) {
                check(value);
                check(-value);
                value = std::nextafter(value, std::numeric_limits<float>::infinity());
            }
            value = centre;
            for (int step = 0; step < 64; ++step) {
                check(value);
                value = std::nextafter(value, 0.f);
            }
        }
    }
    // Whole numbers and halves, where ties are decided (999999.5 rounds to 1e+06).
    for (std::uint32_t n = 999000; n < 1001000; ++n) {
        check(static_cast<float>(n) + 0.5f);
        check(static_cast<float>(n) + 0.25f);
        check(n * 10.0 + 5.0);
    }
    for (int i = 0; i < 1000000; ++i) {
        check(DoubleOf(random()));
    }
    const double hard[] = {0.0,
                           -0.0,
                           0.1,
                           1e-300,
                           DBL_MAX,
                           DBL_TRUE_MIN,
                           DBL_MIN,
                           FLT_MIN,
                           FLT_TRUE_MIN,
                           FLT_MAX,
                           123456.5,
                           0.000125,
                           2.5,
                           1e15,
                           1e16,
                           9223372036854775808.0,
                           9223372036854774784.0,
                           std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()};
    for (const double value : hard) {
        check(value);
        check(-value);
    }
    EXPECT_EQ(mismatches, 0);
}

// All 2^32 floats (a quarter of an hour or more): run with
//   vek_ogl_tracer_tests --gtest_also_run_disabled_tests --gtest_filter='*EveryFloat*'
TEST(NumberFormat, DISABLED_GeneralIsPrintfsGeneralForEveryFloat) {
    long mismatches = 0;
    std::uint32_t bits = 0;
    do {
        const double value = FloatOf(bits);
        if (General(value) != Printf(value) && ++mismatches <= 20) {
            ADD_FAILURE() << "bits " << bits << ": " << General(value) << " instead of "
                          << Printf(value);
        }
    } while (++bits != 0);
    EXPECT_EQ(mismatches, 0);
}

TEST(NumberFormat, DecimalsAndPointers) {
    char text[kMaxNumberChars];
    const auto decimal = [&](auto value) { return std::string(text, FormatDecimal(text, value)); };
    // Around every count of digits, and a random sample of every size.
    std::uint64_t power = 1;
    for (int digits = 1; digits <= 20; ++digits) {
        for (const std::uint64_t value : {power - 1, power, power + 1}) {
            EXPECT_EQ(decimal(value), std::to_string(value));
            const auto signedValue = static_cast<std::int64_t>(value);
            EXPECT_EQ(decimal(signedValue), std::to_string(signedValue));
            EXPECT_EQ(decimal(-signedValue), std::to_string(-signedValue));
        }
        power *= 10;
    }
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t value = random() >> (random() % 64);
        ASSERT_EQ(decimal(value), std::to_string(value));
        const auto signedValue = static_cast<std::int64_t>(random()) >> (random() % 64);
        ASSERT_EQ(decimal(signedValue), std::to_string(signedValue));
    }
    EXPECT_EQ(decimal(std::int64_t{0}), "0");
    EXPECT_EQ(decimal(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(decimal(std::numeric_limits<std::uint64_t>::max()), "18446744073709551615");
    const auto pointer = [&](const void* value) {
        return std::string(text, FormatPointer(text, value));
    };
    EXPECT_EQ(pointer(nullptr), "0");
    EXPECT_EQ(pointer(reinterpret_cast<const void*>(0xABCDEFu)), "0xabcdef");
    EXPECT_EQ(pointer(reinterpret_cast<const void*>(UINTPTR_MAX)), "0xffffffffffffffff");
}
