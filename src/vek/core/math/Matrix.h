#pragma once

#include <iosfwd>
#include <type_traits>

#include "vek/Export.h"

namespace VEK {

/// 4 by 4 float matrix in one flat array; entry (i, j) is element 4i + j. Read as column i, row j,
/// the array is the column-major layout OpenGL expects, so data() goes to it unchanged.
class VEK_EXPORT float4x4 {
public:
    /// The zero matrix, not the identity. Throws nothing.
    float4x4() : m_{} {}
    /// d on the diagonal, 0 elsewhere: float4x4(1) is the identity. Throws nothing.
    explicit float4x4(float d);

    /// Entry (i, j), element 4i + j; unchecked. Throws nothing.
    float operator()(unsigned i, unsigned j) const { return m_[4 * i + j]; }
    /// Entry (i, j), element 4i + j, for writing; unchecked. Throws nothing.
    float& operator()(unsigned i, unsigned j) { return m_[4 * i + j]; }
    /// The 16 entries in order, for OpenGL. Throws nothing.
    const float* data() const { return m_; }

    /// R(i, j) = sum over k of this(i, k) * other(k, j), summed for k = 0 to 3 in turn.
    /// Throws nothing.
    float4x4 operator*(const float4x4& other) const;

    /// Translation by (x, y, z): the identity with entries 12, 13, 14 = x, y, z. Throws nothing.
    static float4x4 Translate(float x, float y, float z);
    /// Scaling by (x, y, z) on the diagonal, 1 in entry 15. Throws nothing.
    static float4x4 Scale(float x, float y, float z);
    /// Rotation about z by angle in radians; sine and cosine are taken in double precision.
    /// Throws nothing.
    static float4x4 RotateAroundZ(float angle);
    /// Orthographic projection of the box (left, right, bottom, top, nearPlane, farPlane) to
    /// the unit cube, as OpenGL's glOrtho. Throws nothing.
    static float4x4 Ortho(float left, float right, float bottom, float top, float nearPlane,
                          float farPlane);

private:
    float m_[16];
};

/// Writes four lines of four entries, each entry followed by a blank. Throws only what the
/// stream throws.
VEK_EXPORT std::ostream& operator<<(std::ostream& stream, const float4x4& m);

static_assert(sizeof(float4x4) == 64 && alignof(float4x4) == alignof(float));
static_assert(std::is_standard_layout_v<float4x4> && std::is_trivially_copyable_v<float4x4>);

}  // namespace VEK
