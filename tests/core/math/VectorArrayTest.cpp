#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include <vek/core/exceptions/InternalException.h>
#include <vek/core/math/VectorArray.h>

using VEK::float4;

namespace {

const float kEpsilon = std::ldexp(1.f, -23);

// 16-byte aligned storage, and a view shifted by one float for the misaligned cases.
struct alignas(16) Block {
    float4 v[5];
};

std::vector<float4> Samples() {
    return {float4(1, 2, 3, 4),      float4(-3, 0.5f, 7, -1), float4(0, 0, 0, 0),
            float4(1e-4f, 0, 0, 0),  float4(0, 0, 5e-4f, 0),  float4(1e20f, 0, 0, 0),
            float4(0.25f, -8, 0, 16)};
}

}  // namespace

TEST(VectorArray, NormalizeMatchesTheSingleVectorForm) {
    std::vector<float4> v = Samples();
    VEK::Normalize(v.data(), v.data() + v.size());
    const std::vector<float4> original = Samples();
    for (std::size_t k = 0; k < v.size(); ++k) {
        float4 expected = original[k];
        VEK::normalize(expected);
        EXPECT_EQ(v[k], expected) << k;
    }
}

TEST(VectorArray, NormalizeSSEPairsTheSquaresAndZeroesShortVectors) {
    Block block{};
    block.v[0] = float4(-3, 0.5f, 7, -1);
    block.v[1] = float4(1e-4f, -1e-4f, 0, 0);  // squared length just under 2^-23
    block.v[2] = float4(-0.f, 0, 0, 0);
    block.v[3] = float4(0.25f, -8, 0, 16);
    block.v[4] = float4(1e20f, -1, 0, 0);  // the squares overflow: the factor is 1/inf
    const Block before = block;
    VEK::NormalizeSSE(block.v, block.v + 5);
    for (int k = 0; k < 5; ++k) {
        const float4& in = before.v[k];
        const float sum = (in[1] * in[1] + in[3] * in[3]) + (in[0] * in[0] + in[2] * in[2]);
        const float factor = sum >= kEpsilon ? 1.f / std::sqrt(sum) : 0.f;
        for (unsigned c = 0; c < 4; ++c) {
            EXPECT_EQ(block.v[k][c], in[c] * factor) << k << " " << c;
            EXPECT_EQ(std::signbit(block.v[k][c]), std::signbit(in[c])) << k << " " << c;
        }
    }
    EXPECT_LT(VEK::dot(before.v[1], before.v[1]), kEpsilon);
    EXPECT_EQ(block.v[1], float4(0));
    EXPECT_NEAR(VEK::norm(block.v[0]), 1.f, 1e-6f);
}

TEST(VectorArray, NormalizeFastSSEStaysWithinTheEstimateBound) {
    Block block{};
    block.v[0] = float4(1, 2, 3, 4);
    block.v[1] = float4(-3, 0.5f, 7, -1);
    block.v[2] = float4(1e-3f, 0, 0, 0);
    block.v[3] = float4(0.25f, -8, 0, 16);
    block.v[4] = float4(0, 0, 0, 0);
    const Block before = block;
    VEK::NormalizeFastSSE(block.v, block.v + 5);
    const double bound = 1.5 * std::ldexp(1.0, -12);
    for (int k = 0; k < 4; ++k) {
        const double length = std::sqrt(static_cast<double>(VEK::dot(before.v[k], before.v[k])));
        for (unsigned c = 0; c < 4; ++c) {
            const double exact = before.v[k][c] / length;
            EXPECT_NEAR(block.v[k][c], exact, bound * std::fabs(exact) + 1e-12) << k << " " << c;
        }
    }
    // No guard: a zero vector gives non-finite components.
    for (unsigned c = 0; c < 4; ++c) {
        EXPECT_FALSE(std::isfinite(block.v[4][c]));
    }
}

TEST(VectorArray, HomogenizeDividesByPositiveW) {
    std::vector<float4> v = {float4(2, 4, 6, 2), float4(1, 1, 1, -1), float4(3, 3, 3, 0),
                             float4(5, 6, 7, kEpsilon), float4(3, 6, 9, 3)};
    VEK::Homogenize(v.data(), v.data() + v.size());
    EXPECT_EQ(v[0], float4(1, 2, 3, 1));
    EXPECT_EQ(v[1], float4(1, 1, 1, -1));
    EXPECT_EQ(v[2], float4(3, 3, 3, 0));
    EXPECT_EQ(v[3], float4(5, 6, 7, kEpsilon));
    EXPECT_EQ(v[4], float4(1, 2, 3, 1));

    Block block{};
    block.v[0] = float4(2, 4, 6, 2);
    block.v[1] = float4(1, 1, 1, -1);
    block.v[2] = float4(5, 6, 7, kEpsilon);
    block.v[3] = float4(1, 2, 3, 3);
    block.v[4] = float4(4, 8, 12, 4 * kEpsilon);
    VEK::HomogenizeSSE(block.v, block.v + 5);
    EXPECT_EQ(block.v[0], float4(1, 2, 3, 1));
    EXPECT_EQ(block.v[1], float4(1, 1, 1, -1));
    EXPECT_EQ(block.v[2], float4(5, 6, 7, kEpsilon));
    // One reciprocal, then products: w comes out as w * (1 / w).
    const float third = 1.f / 3.f;
    EXPECT_EQ(block.v[3], float4(third, 2 * third, 3 * third, 3 * third));
    const float r = 1.f / (4 * kEpsilon);
    EXPECT_EQ(block.v[4], float4(4 * r, 8 * r, 12 * r, 4 * kEpsilon * r));
}

TEST(VectorArray, RangesAndAlignment) {
    Block block{};
    block.v[0] = float4(2, 4, 6, 2);
    const Block before = block;
    // Empty and reversed ranges do nothing, whatever the alignment.
    VEK::NormalizeSSE(block.v, block.v);
    VEK::HomogenizeSSE(block.v + 1, block.v);
    VEK::Homogenize(block.v + 1, block.v);
    VEK::Normalize(block.v + 1, block.v);
    EXPECT_EQ(block.v[0], before.v[0]);

    // One float past an aligned address: the SSE forms refuse, the scalar forms work.
    float4* shifted = reinterpret_cast<float4*>(reinterpret_cast<float*>(block.v) + 1);
    shifted[0] = float4(4, 6, 2, 2);
    for (auto function : {&VEK::NormalizeSSE, &VEK::NormalizeFastSSE, &VEK::HomogenizeSSE}) {
        try {
            function(shifted, shifted + 1);
            ADD_FAILURE() << "misaligned range accepted";
        } catch (const VEK::InternalException& e) {
            EXPECT_STREQ(e.message(), "IsAligned(first, 16)");
        }
    }
    EXPECT_EQ(shifted[0], float4(4, 6, 2, 2));
    VEK::Homogenize(shifted, shifted + 1);
    EXPECT_EQ(shifted[0], float4(2, 3, 1, 1));
    VEK::Normalize(shifted, shifted + 1);
    EXPECT_NEAR(VEK::norm(shifted[0]), 1.f, 1e-6f);
}
