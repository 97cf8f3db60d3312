#include "vek/core/math/Matrix.h"

#include <cmath>
#include <ostream>

namespace VEK {

float4x4::float4x4(float d) : m_{} {
    m_[0] = m_[5] = m_[10] = m_[15] = d;
}

float4x4 float4x4::operator*(const float4x4& other) const {
    float4x4 result;
    for (unsigned i = 0; i < 4; ++i) {
        for (unsigned j = 0; j < 4; ++j) {
            float sum = (*this)(i, 0) * other(0, j);
            for (unsigned k = 1; k < 4; ++k) {
                sum += (*this)(i, k) * other(k, j);
            }
            result(i, j) = sum;
        }
    }
    return result;
}

float4x4 float4x4::Translate(float x, float y, float z) {
    float4x4 m(1.f);
    m.m_[12] = x;
    m.m_[13] = y;
    m.m_[14] = z;
    return m;
}

float4x4 float4x4::Scale(float x, float y, float z) {
    float4x4 m;
    m.m_[0] = x;
    m.m_[5] = y;
    m.m_[10] = z;
    m.m_[15] = 1.f;
    return m;
}

float4x4 float4x4::RotateAroundZ(float angle) {
    const float c = static_cast<float>(std::cos(static_cast<double>(angle)));
    const float s = static_cast<float>(std::sin(static_cast<double>(angle)));
    float4x4 m;
    m.m_[0] = c;
    m.m_[5] = c;
    m.m_[1] = s;
    m.m_[4] = -s;
    m.m_[10] = 1.f;
    m.m_[15] = 1.f;
    return m;
}

float4x4 float4x4::Ortho(float left, float right, float bottom, float top, float nearPlane,
                         float farPlane) {
    float4x4 m;
    m.m_[0] = 2.f / (right - left);
    m.m_[5] = 2.f / (top - bottom);
    m.m_[10] = -2.f / (farPlane - nearPlane);
    m.m_[12] = -(left + right) / (right - left);
    m.m_[13] = -(bottom + top) / (top - bottom);
    m.m_[14] = -(nearPlane + farPlane) / (farPlane - nearPlane);
    m.m_[15] = 1.f;
    return m;
}

std::ostream& operator<<(std::ostream& stream, const float4x4& m) {
    for (unsigned i = 0; i < 4; ++i) {
        for (unsigned j = 0; j < 4; ++j) {
            stream << m(i, j) << ' ';
        }
        stream << '\n';
    }
    return stream;
}

}  // namespace VEK
