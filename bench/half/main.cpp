// Float to half and half to float over 16 million values: the library's half, one value at a
// time and through its array conversions, against Imath's, and where the processor has F16C,
// against its own conversion instructions as the limit.
// Prints each throughput, then the ratios of the library's time to the baselines'.
//
// The conversions agree except on half-way cases (the library rounds them up in magnitude, the
// others to even) and on the sign of results that round to zero (the library gives +0); the
// count of such differences is printed first so that the timed work is known to be the same.

#include <benchmark/benchmark.h>

#include <Imath/half.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define VEK_BENCH_X86 1
#endif

#include <vek/core/math/Half.h>

#include "support/RatioReporter.h"

namespace {

constexpr std::size_t kCount = std::size_t(1) << 24;

struct Data {
    std::vector<float> normal;          // every value lands on a normal half
    std::vector<float> mixed;           // also subnormal halves, zeros from underflow, overflow
    std::vector<std::uint16_t> halves;  // every 16-bit pattern equally likely
    std::vector<std::uint16_t> halfOut;
    std::vector<float> floatOut;
};

Data& TheData() {
    static Data data = [] {
        Data d;
        std::mt19937 random(2024);
        std::uniform_int_distribution<std::uint32_t> fraction(0, 0x7fffff);
        std::uniform_int_distribution<std::uint32_t> normalExponent(127 - 14, 127 + 15);
        std::uniform_int_distribution<std::uint32_t> wideExponent(127 - 30, 127 + 20);
        std::uniform_int_distribution<std::uint32_t> sign(0, 1);
        std::uniform_int_distribution<std::uint32_t> pattern(0, 0xffff);
        auto make = [&](std::uniform_int_distribution<std::uint32_t>& exponent) {
            const std::uint32_t x =
                (sign(random) << 31) | (exponent(random) << 23) | fraction(random);
            float f;
            std::memcpy(&f, &x, sizeof f);
            return f;
        };
        d.normal.resize(kCount);
        d.mixed.resize(kCount);
        d.halves.resize(kCount);
        for (std::size_t i = 0; i < kCount; ++i) {
            d.normal[i] = make(normalExponent);
            d.mixed[i] = make(wideExponent);
            d.halves[i] = static_cast<std::uint16_t>(pattern(random));
        }
        d.halfOut.resize(kCount);
        d.floatOut.resize(kCount);
        return d;
    }();
    return data;
}

void ToHalfVek(const float* in, std::uint16_t* out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = VEK::half(in[i]).bits();
    }
}

// The library's array conversion (F16C where the processor has it).
void ToHalfVekArray(const float* in, std::uint16_t* out, std::size_t n) {
    VEK::FloatsToHalves(in, reinterpret_cast<VEK::half*>(out), n);
}

void ToFloatVekArray(const std::uint16_t* in, float* out, std::size_t n) {
    VEK::HalvesToFloats(reinterpret_cast<const VEK::half*>(in), out, n);
}

void ToHalfImath(const float* in, std::uint16_t* out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = Imath::half(in[i]).bits();
    }
}

void ToFloatVek(const std::uint16_t* in, float* out, std::size_t n) {
    VEK::half h;
    for (std::size_t i = 0; i < n; ++i) {
        h.setBits(in[i]);
        out[i] = h;
    }
}

void ToFloatImath(const std::uint16_t* in, float* out, std::size_t n) {
    Imath::half h;
    for (std::size_t i = 0; i < n; ++i) {
        h.setBits(in[i]);
        out[i] = h;
    }
}

#if VEK_BENCH_X86
// The F16C bit is read from CPUID directly (function 1, ECX bit 29): not every compiler's
// __builtin_cpu_supports knows it. The AVX test includes the system's support for its state.
bool HasF16C() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) {
        return false;
    }
    return __builtin_cpu_supports("avx") && (ecx & (1u << 29)) != 0;
}

// Eight values per instruction; n is a multiple of 8.
__attribute__((target("avx,f16c"))) void ToHalfF16C(const float* in, std::uint16_t* out,
                                                    std::size_t n) {
    for (std::size_t i = 0; i < n; i += 8) {
        const __m128i h = _mm256_cvtps_ph(_mm256_loadu_ps(in + i), _MM_FROUND_TO_NEAREST_INT);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), h);
    }
}

__attribute__((target("avx,f16c"))) void ToFloatF16C(const std::uint16_t* in, float* out,
                                                     std::size_t n) {
    for (std::size_t i = 0; i < n; i += 8) {
        const __m128i h = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm256_storeu_ps(out + i, _mm256_cvtph_ps(h));
    }
}
#endif

double ToFloatOne(std::uint16_t bits) {
    VEK::half h;
    h.setBits(bits);
    return static_cast<double>(float(h));
}

typedef void (*ToHalf)(const float*, std::uint16_t*, std::size_t);
typedef void (*ToFloat)(const std::uint16_t*, float*, std::size_t);

void RunToHalf(benchmark::State& state, ToHalf convert, const std::vector<float>* input) {
    Data& d = TheData();
    for (auto _ : state) {
        convert(input->data(), d.halfOut.data(), kCount);
        benchmark::DoNotOptimize(d.halfOut.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kCount));
}

void RunToFloat(benchmark::State& state, ToFloat convert) {
    Data& d = TheData();
    for (auto _ : state) {
        convert(d.halves.data(), d.floatOut.data(), kCount);
        benchmark::DoNotOptimize(d.floatOut.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kCount));
}

// Counts the values on which another float-to-half conversion differs from the library's, by
// kind: exact half-way cases, the sign of a zero, anything else (expected none).
void CompareToHalf(const char* name, ToHalf other, const std::vector<float>& input) {
    std::vector<std::uint16_t> ours(kCount), theirs(kCount);
    ToHalfVek(input.data(), ours.data(), kCount);
    other(input.data(), theirs.data(), kCount);
    std::size_t halfway = 0, zeroSign = 0, rest = 0;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (ours[i] == theirs[i]) {
            continue;
        }
        const double a = std::fabs(ToFloatOne(ours[i]));
        const double b = std::fabs(ToFloatOne(theirs[i]));
        if ((ours[i] | theirs[i]) == 0x8000u) {
            ++zeroSign;
        } else if (std::fabs(static_cast<double>(input[i])) == (a + b) / 2) {
            ++halfway;
        } else {
            ++rest;
        }
    }
    std::printf(
        "float to half, %-16s differ on %zu half-way values, %zu signs of zero, %zu "
        "others (of %zu)\n",
        name, halfway, zeroSign, rest, kCount);
}

void CompareToFloat(const char* name, ToFloat other) {
    const Data& d = TheData();
    std::vector<float> ours(kCount), theirs(kCount);
    ToFloatVek(d.halves.data(), ours.data(), kCount);
    other(d.halves.data(), theirs.data(), kCount);
    std::size_t nans = 0, rest = 0;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (std::memcmp(&ours[i], &theirs[i], sizeof(float)) != 0) {
            // The processor quiets signalling NaNs; the library keeps the fraction as it is.
            ++(std::isnan(ours[i]) && std::isnan(theirs[i]) ? nans : rest);
        }
    }
    std::printf("half to float, %-16s differ bitwise on %zu NaN payloads, %zu others (of %zu)\n",
                name, nans, rest, kCount);
}

// Ratios of median CPU times: on a machine shared with other work, CPU time is what the
// conversion itself costs.
void PrintRatios(const vekbench::RatioReporter& reporter) {
    std::printf(
        "\nRatios of median CPU times (library / baseline; below 1 means the library is "
        "faster):\n");
    const char* cases[] = {"float_to_half/normal", "float_to_half/mixed", "half_to_float"};
    for (const char* c : cases) {
        const std::string base = c;
        // Milliseconds per run of kCount values.
        for (const char* ours : {"vek", "vekarray"}) {
            const double vek = reporter.cpuTime(base + "/" + ours) / 1e6;
            for (const char* other : {"imath", "f16c"}) {
                const double t = reporter.cpuTime(base + "/" + other) / 1e6;
                if (vek > 0 && t > 0) {
                    std::printf("  %-22s %-8s / %-5s = %.3f  (%.0f vs %.0f Mvalues/s)\n", c, ours,
                                other, vek / t, kCount / vek / 1e3, kCount / t / 1e3);
                }
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    Data& d = TheData();
    CompareToHalf("normal, Imath:", &ToHalfImath, d.normal);
    CompareToHalf("mixed, Imath:", &ToHalfImath, d.mixed);
    CompareToFloat("Imath:", &ToFloatImath);
#if VEK_BENCH_X86
    const bool f16c = HasF16C();
    if (f16c) {
        CompareToHalf("normal, F16C:", &ToHalfF16C, d.normal);
        CompareToHalf("mixed, F16C:", &ToHalfF16C, d.mixed);
        CompareToFloat("F16C:", &ToFloatF16C);
    } else {
        std::printf("no F16C on this processor: Imath is the only baseline\n");
    }
#endif

    std::vector<std::pair<const char*, ToHalf>> toHalf = {
        {"vek", &ToHalfVek}, {"vekarray", &ToHalfVekArray}, {"imath", &ToHalfImath}};
    std::vector<std::pair<const char*, ToFloat>> toFloat = {
        {"vek", &ToFloatVek}, {"vekarray", &ToFloatVekArray}, {"imath", &ToFloatImath}};
#if VEK_BENCH_X86
    if (f16c) {
        toHalf.push_back({"f16c", &ToHalfF16C});
        toFloat.push_back({"f16c", &ToFloatF16C});
    }
#endif
    for (const auto& [set, input] :
         {std::make_pair("normal", &d.normal), std::make_pair("mixed", &d.mixed)}) {
        for (const auto& [name, function] : toHalf) {
            benchmark::RegisterBenchmark((std::string("float_to_half/") + set + "/" + name).c_str(),
                                         RunToHalf, function, input)
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        }
    }
    for (const auto& [name, function] : toFloat) {
        benchmark::RegisterBenchmark((std::string("half_to_float/") + name).c_str(), RunToFloat,
                                     function)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }

    benchmark::Initialize(&argc, argv);
    vekbench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
