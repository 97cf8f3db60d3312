#pragma once

#include "vek/Export.h"
#include "vek/core/math/Vector.h"

namespace VEK {

// Each function processes every vector from first up to, not including, end; an empty or
// reversed range does nothing. The scalar forms accept any alignment. The SSE forms need first
// on a 16-byte boundary (they throw InternalException "IsAligned(first, 16)" otherwise, before
// touching anything); SupportsSSE tells whether they may run.

/// Each vector as normalize does: length over all four components.
/// Throws nothing.
VEK_EXPORT void Normalize(float4* first, float4* end);
/// Scaled by 1/sqrt(S) with S = (c1^2 + c3^2) + (c0^2 + c2^2); by +0 when S is below 2^-23.
/// Throws InternalException when a non-empty range does not start on a 16-byte boundary.
VEK_EXPORT void NormalizeSSE(float4* first, float4* end);
/// Scaled by the processor's reciprocal square root estimate of S (relative error at most
/// 1.5 * 2^-12), unguarded: a zero vector gives non-finite components. Throws InternalException
/// when a non-empty range does not start on a 16-byte boundary.
VEK_EXPORT void NormalizeFastSSE(float4* first, float4* end);
/// Where w > 2^-23: x, y and z divided by w, and w set to 1. Other vectors stay as they are.
/// Throws nothing.
VEK_EXPORT void Homogenize(float4* first, float4* end);
/// Where w > 2^-23: all four components multiplied by one reciprocal of w. Throws
/// InternalException when a non-empty range does not start on a 16-byte boundary.
VEK_EXPORT void HomogenizeSSE(float4* first, float4* end);

}  // namespace VEK
