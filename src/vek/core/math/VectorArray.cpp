#include "vek/core/math/VectorArray.h"

#include <cmath>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemoryPrivate.h"

namespace VEK {

namespace {

// 2^-23: below this a squared length or a w counts as zero.
constexpr float kEpsilon = 1.1920929e-07f;

// An unaligned load would fault; an exception names the fault instead.
void RequireAligned(const float4* first, const float4* end) {
    if (first < end) {
        VEK_ASSERT(IsAligned(first, 16));
    }
}

#if !defined(__SSE__)
float PairedSquares(const float4& v) {
    return (v[1] * v[1] + v[3] * v[3]) + (v[0] * v[0] + v[2] * v[2]);
}
#endif

}  // namespace

void Normalize(float4* first, float4* end) {
    for (float4* v = first; v < end; ++v) {
        normalize(*v);
    }
}

void Homogenize(float4* first, float4* end) {
    for (float4* v = first; v < end; ++v) {
        const float w = (*v)[3];
        if (w > kEpsilon) {
            (*v)[0] /= w;
            (*v)[1] /= w;
            (*v)[2] /= w;
            (*v)[3] = 1.f;
        }
    }
}

#if defined(__SSE__)

namespace {

// (c0^2 + c2^2) + (c1^2 + c3^2) in every lane; the sum is the same in either operand order.
inline __m128 PairedSquares(__m128 v) {
    const __m128 squares = _mm_mul_ps(v, v);
    const __m128 pairs =
        _mm_add_ps(squares, _mm_shuffle_ps(squares, squares, _MM_SHUFFLE(1, 0, 3, 2)));
    return _mm_add_ps(pairs, _mm_shuffle_ps(pairs, pairs, _MM_SHUFFLE(2, 3, 0, 1)));
}

}  // namespace

void NormalizeSSE(float4* first, float4* end) {
    RequireAligned(first, end);
    const __m128 one = _mm_set1_ps(1.f);
    const __m128 epsilon = _mm_set1_ps(kEpsilon);
    for (float4* v = first; v < end; ++v) {
        const __m128 value = _mm_load_ps(v->begin());
        const __m128 sum = PairedSquares(value);
        // The mask turns the factor into +0 for short vectors.
        const __m128 factor =
            _mm_and_ps(_mm_div_ps(one, _mm_sqrt_ps(sum)), _mm_cmpge_ps(sum, epsilon));
        _mm_store_ps(v->begin(), _mm_mul_ps(value, factor));
    }
}

void NormalizeFastSSE(float4* first, float4* end) {
    RequireAligned(first, end);
    for (float4* v = first; v < end; ++v) {
        const __m128 value = _mm_load_ps(v->begin());
        _mm_store_ps(v->begin(), _mm_mul_ps(value, _mm_rsqrt_ps(PairedSquares(value))));
    }
}

void HomogenizeSSE(float4* first, float4* end) {
    RequireAligned(first, end);
    const __m128 one = _mm_set1_ps(1.f);
    const __m128 epsilon = _mm_set1_ps(kEpsilon);
    for (float4* v = first; v < end; ++v) {
        const __m128 value = _mm_load_ps(v->begin());
        const __m128 w = _mm_shuffle_ps(value, value, _MM_SHUFFLE(3, 3, 3, 3));
        const __m128 scaled = _mm_mul_ps(value, _mm_div_ps(one, w));
        const __m128 mask = _mm_cmpgt_ps(w, epsilon);
        _mm_store_ps(v->begin(), _mm_or_ps(_mm_and_ps(mask, scaled), _mm_andnot_ps(mask, value)));
    }
}

#else

// Without SSE the same arithmetic in scalar form; the exact reciprocal square root stands in
// for the estimate.

void NormalizeSSE(float4* first, float4* end) {
    RequireAligned(first, end);
    for (float4* v = first; v < end; ++v) {
        const float sum = PairedSquares(*v);
        *v *= sum >= kEpsilon ? 1.f / std::sqrt(sum) : 0.f;
    }
}

void NormalizeFastSSE(float4* first, float4* end) {
    RequireAligned(first, end);
    for (float4* v = first; v < end; ++v) {
        *v *= 1.f / std::sqrt(PairedSquares(*v));
    }
}

void HomogenizeSSE(float4* first, float4* end) {
    RequireAligned(first, end);
    for (float4* v = first; v < end; ++v) {
        const float w = (*v)[3];
        if (w > kEpsilon) {
            *v *= 1.f / w;
        }
    }
}

#endif

}  // namespace VEK
