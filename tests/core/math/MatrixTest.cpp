#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include <vek/core/math/Matrix.h>
#include <vek/core/math/Vector.h>

using VEK::float4;
using VEK::float4x4;

namespace {

// OpenGL's reading of the flat array: entry 4i + j is column i, row j.
float4 Transform(const float4x4& m, const float4& p) {
    float4 result;
    for (unsigned row = 0; row < 4; ++row) {
        float sum = 0.f;
        for (unsigned column = 0; column < 4; ++column) {
            sum += m.data()[4 * column + row] * p[column];
        }
        result[row] = sum;
    }
    return result;
}

float4x4 Sample(float base) {
    float4x4 m;
    for (unsigned i = 0; i < 4; ++i) {
        for (unsigned j = 0; j < 4; ++j) {
            m(i, j) = base + static_cast<float>(4 * i + j) * (j % 2 == 0 ? 1.f : -0.5f);
        }
    }
    return m;
}

bool Equal(const float4x4& a, const float4x4& b) {
    for (unsigned k = 0; k < 16; ++k) {
        if (!(a.data()[k] == b.data()[k])) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(Matrix, ZeroDiagonalAndIdentity) {
    const float4x4 zero;
    const float4x4 diagonal(3.f);
    for (unsigned k = 0; k < 16; ++k) {
        EXPECT_EQ(zero.data()[k], 0.f);
        EXPECT_EQ(diagonal.data()[k], k % 5 == 0 ? 3.f : 0.f);
    }
    const float4x4 m = Sample(0.25f);
    EXPECT_TRUE(Equal(float4x4(1.f) * m, m));
    EXPECT_TRUE(Equal(m * float4x4(1.f), m));
    EXPECT_TRUE(Equal(zero * m, zero));

    float4x4 copy;
    copy = m;
    EXPECT_TRUE(Equal(copy, m));
    copy(2, 3) = 42.f;
    EXPECT_EQ(copy.data()[11], 42.f);
    EXPECT_EQ(copy(2, 3), 42.f);
}

TEST(Matrix, ProductAppliesTheLeftOperandFirst) {
    // In the column-major reading, a * b transforms by a and then by b.
    const float4x4 a = float4x4::Translate(1, 2, 3);
    const float4x4 b = float4x4::Scale(2, -1, 0.5f);
    const float4 p(1, 1, 1, 1);
    EXPECT_EQ(Transform(a * b, p), Transform(b, Transform(a, p)));
    EXPECT_EQ(Transform(a * b, p), float4(4, -3, 2, 1));
    EXPECT_EQ(Transform(b * a, p), float4(3, 1, 3.5f, 1));

    const float4x4 m = Sample(1.f), n = Sample(-2.f);
    const float4 q(0.5f, -1, 2, 1);
    const float4 direct = Transform(n, Transform(m, q));
    const float4 combined = Transform(m * n, q);
    for (unsigned k = 0; k < 4; ++k) {
        EXPECT_NEAR(combined[k], direct[k], 1e-3f * std::fabs(direct[k]) + 1e-3f);
    }
}

TEST(Matrix, TransformsMapPointsAsOpenGLExpects) {
    const float4 p(1, 2, 3, 1);
    EXPECT_EQ(Transform(float4x4::Translate(10, 20, 30), p), float4(11, 22, 33, 1));
    EXPECT_EQ(Transform(float4x4::Scale(2, 3, 4), p), float4(2, 6, 12, 1));

    const float4 turned = Transform(float4x4::RotateAroundZ(static_cast<float>(M_PI / 2)), p);
    EXPECT_NEAR(turned[0], -2.f, 1e-6f);
    EXPECT_NEAR(turned[1], 1.f, 1e-6f);
    EXPECT_EQ(turned[2], 3.f);
    const float4x4 r = float4x4::RotateAroundZ(0.3f);
    EXPECT_EQ(r(0, 0), static_cast<float>(std::cos(0.3)));
    EXPECT_EQ(r(0, 1), static_cast<float>(std::sin(0.3)));
    EXPECT_EQ(r(1, 0), -r(0, 1));

    // The view volume's corners land on the corners of the unit cube; near maps to -1.
    const float4x4 ortho = float4x4::Ortho(-2, 6, 1, 5, 0.5f, 4.5f);
    EXPECT_EQ(Transform(ortho, float4(-2, 1, -0.5f, 1)), float4(-1, -1, -1, 1));
    EXPECT_EQ(Transform(ortho, float4(6, 5, -4.5f, 1)), float4(1, 1, 1, 1));
    EXPECT_EQ(Transform(ortho, float4(2, 3, -2.5f, 1)), float4(0, 0, 0, 1));
}

TEST(Matrix, WrittenAsFourLines) {
    std::ostringstream out;
    out << float4x4::Translate(1.5f, -2, 3);
    EXPECT_EQ(out.str(), "1 0 0 0 \n0 1 0 0 \n0 0 1 0 \n1.5 -2 3 1 \n");
}
