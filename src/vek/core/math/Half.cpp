#include "vek/core/math/Half.h"

#include <istream>
#include <ostream>

#if defined(__x86_64__) || defined(__i386__)
#define VEK_HALF_F16C 1
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace VEK {

namespace {

// The tables are built by the compiler: constexpr forces the work to compile time, and the
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

constexpr detail::HalfFromFloatTable MakeFromFloatTable() {
    detail::HalfFromFloatTable table{};
    for (int i = 0; i < 512; ++i) {
        const std::uint32_t s = static_cast<std::uint32_t>(i >> 8) << 15;
        const int e = (i & 0xff) - 112;  // the half's exponent field
        // Exponent 30 is in: below 65520 its rounding never carries out of the format.
        if (e > 0 && e < 31) {
            table.base[i] = static_cast<std::uint16_t>(s | (static_cast<std::uint32_t>(e) << 10));
            table.added[i] = 0x00001000u;
            table.shift[i] = 13;
        } else if (e <= 0 && e >= -10) {
            // (fraction | 1 << 23) >> (1 - e), rounded at bit 12, then >> 13, in one shift.
            table.base[i] = static_cast<std::uint16_t>(s);
            table.added[i] = 0x00800000u + (1u << (13 - e));
            table.shift[i] = static_cast<std::uint8_t>(14 - e);
        } else {
            // Below half the smallest subnormal: +0. Exponent 31 and up never reach the table.
            table.base[i] = 0;
            table.added[i] = 0;
            table.shift[i] = 31;
        }
    }
    return table;
}

constexpr std::array<std::uint32_t, 65536> kToFloat = MakeToFloatTable();
constexpr detail::HalfFromFloatTable kFromFloat = MakeFromFloatTable();

}  // namespace

const std::array<std::uint32_t, 65536> half::sToFloat_ = kToFloat;
const detail::HalfFromFloatTable half::sFromFloat_ = kFromFloat;

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

// Arrays. F16C rounds to nearest even, the library rounds half-way cases up in magnitude, keeps
// no sign on zero and passes NaN payloads through without quieting them. Setting the lowest
// fraction bit of a finite float moves an exact half-way case just above half-way and changes
// no other rounding (the bit lies below every rounding position of a half), so F16C then rounds
// as the library does; a zero result loses its sign afterwards; a block of floats holding a NaN,
// rare in practice, takes the scalar path.

namespace {

void FloatsToHalvesScalar(const float* in, half* out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = half(in[i]);
    }
}

void HalvesToFloatsScalar(const half* in, float* out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = float(in[i]);
    }
}

#if VEK_HALF_F16C

// F16C is CPUID function 1, ECX bit 29; AVX2 is checked with the operating system's support for
// the wide registers.
bool DetectF16C() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0 || (ecx & (1u << 29)) == 0) {
        return false;
    }
    return __builtin_cpu_supports("avx2");
}

__attribute__((target("avx2,f16c"))) void FloatsToHalvesF16C(const float* in, half* out,
                                                             std::size_t n) {
    const __m256i magnitude = _mm256_set1_epi32(0x7fffffff);
    const __m256i infinity = _mm256_set1_epi32(0x7f800000);
    const __m256i one = _mm256_set1_epi32(1);
    const __m128i halfMagnitude = _mm_set1_epi16(0x7fff);
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i));
        const __m256i abs = _mm256_and_si256(x, magnitude);
        if (!_mm256_testz_si256(_mm256_cmpgt_epi32(abs, infinity), _mm256_set1_epi32(-1))) {
            FloatsToHalvesScalar(in + i, out + i, 8);
            continue;
        }
        // Infinities keep their pattern; every finite value gets its lowest bit set.
        const __m256i finite = _mm256_cmpgt_epi32(infinity, abs);
        const __m256i nudged = _mm256_or_si256(x, _mm256_and_si256(finite, one));
        __m128i h = _mm256_cvtps_ph(_mm256_castsi256_ps(nudged), _MM_FROUND_TO_NEAREST_INT);
        const __m128i zero = _mm_cmpeq_epi16(_mm_and_si128(h, halfMagnitude), _mm_setzero_si128());
        h = _mm_andnot_si128(zero, h);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), h);
    }
    FloatsToHalvesScalar(in + i, out + i, n - i);
}

__attribute__((target("avx2,f16c"))) void HalvesToFloatsF16C(const half* in, float* out,
                                                             std::size_t n) {
    const __m128i halfMagnitude = _mm_set1_epi16(0x7fff);
    const __m128i halfInfinity = _mm_set1_epi16(0x7c00);
    const __m256i signBit = _mm256_set1_epi32(0x8000);
    const __m256i fraction = _mm256_set1_epi32(0x3ff);
    const __m256i floatInfinity = _mm256_set1_epi32(0x7f800000);
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i h = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        // Magnitudes are below 0x8000, so the signed comparison orders them.
        const __m128i nan = _mm_cmpgt_epi16(_mm_and_si128(h, halfMagnitude), halfInfinity);
        const __m256 converted = _mm256_cvtph_ps(h);
        // NaNs are rebuilt from their pattern, unquieted, and blended in: random data has one
        // in most blocks, so this is cheaper than a branch.
        const __m256i wide = _mm256_cvtepu16_epi32(h);
        const __m256i rebuilt = _mm256_or_si256(
            _mm256_or_si256(_mm256_slli_epi32(_mm256_and_si256(wide, signBit), 16), floatInfinity),
            _mm256_slli_epi32(_mm256_and_si256(wide, fraction), 13));
        const __m256 result = _mm256_blendv_ps(converted, _mm256_castsi256_ps(rebuilt),
                                               _mm256_castsi256_ps(_mm256_cvtepi16_epi32(nan)));
        _mm256_storeu_ps(out + i, result);
    }
    HalvesToFloatsScalar(in + i, out + i, n - i);
}

const bool kHasF16C = DetectF16C();

#endif

}  // namespace

bool HalfArraysUseF16C() {
#if VEK_HALF_F16C
    return kHasF16C;
#else
    return false;
#endif
}

void FloatsToHalves(const float* in, half* out, std::size_t n) {
#if VEK_HALF_F16C
    if (kHasF16C) {
        FloatsToHalvesF16C(in, out, n);
        return;
    }
#endif
    FloatsToHalvesScalar(in, out, n);
}

void HalvesToFloats(const half* in, float* out, std::size_t n) {
#if VEK_HALF_F16C
    if (kHasF16C) {
        HalvesToFloatsF16C(in, out, n);
        return;
    }
#endif
    HalvesToFloatsScalar(in, out, n);
}

}  // namespace VEK
