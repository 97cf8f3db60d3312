#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>

#include <vek/core/exceptions/InternalException.h>
#include <vek/core/math/Vector.h>

using VEK::float2;
using VEK::float3;
using VEK::float4;
using VEK::int2;
using VEK::int3;
using VEK::int4;
using VEK::size2;

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

template <class T>
std::string Written(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

template <class T, class = void>
struct HasMinus : std::false_type {};
template <class T>
struct HasMinus<T, std::void_t<decltype(std::declval<T>() - std::declval<T>())>> : std::true_type {
};
template <class T, class = void>
struct HasModulo : std::false_type {};
template <class T>
struct HasModulo<T, std::void_t<decltype(std::declval<T>() % std::declval<T>())>> : std::true_type {
};
template <class T, class = void>
struct HasSize : std::false_type {};
template <class T>
struct HasSize<T, std::void_t<decltype(std::declval<T>().size())>> : std::true_type {};

}  // namespace

TEST(Vector, OperationsExistOnlyWhereTheyMakeSense) {
    static_assert(HasMinus<float3>::value && HasMinus<int2>::value && !HasMinus<size2>::value);
    static_assert(HasModulo<int4>::value && HasModulo<size2>::value && !HasModulo<float2>::value);
    static_assert(HasSize<float4>::value && !HasSize<int3>::value && !HasSize<size2>::value);
    EXPECT_EQ(float2().size(), 2u);
    EXPECT_EQ(float3().size(), 3u);
    EXPECT_EQ(float4().size(), 4u);
}

TEST(Vector, LaidOutAsTheirComponents) {
    float3 points[3] = {float3(1, 2, 3), float3(4, 5, 6), float3(7, 8, 9)};
    const float* flat = reinterpret_cast<const float*>(points);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(flat[i], static_cast<float>(i + 1));
    }
    EXPECT_EQ(points[1].begin(), &points[1][0]);
    EXPECT_EQ(points[1].end(), points[2].begin());

    size2 size(3u, 4u);
    std::uint32_t sum = 0;
    for (std::uint32_t c : size) {
        sum += c;
    }
    EXPECT_EQ(sum, 7u);
    size[1] = 9;
    EXPECT_EQ(size, size2(3, 9));

    EXPECT_EQ(int4(), int4(0));
    EXPECT_EQ(float4(2.5f), float4(2.5f, 2.5f, 2.5f, 2.5f));
}

TEST(Vector, ComponentWiseArithmetic) {
    float4 a(1, 2, 3, 4);
    const float4 b(0.5f, -1, 2, 8);
    EXPECT_EQ(a + b, float4(1.5f, 1, 5, 12));
    EXPECT_EQ(a - b, float4(0.5f, 3, 1, -4));
    EXPECT_EQ(a * b, float4(0.5f, -2, 6, 32));
    EXPECT_EQ(a / b, float4(2, -2, 1.5f, 0.5f));
    EXPECT_EQ(2.f * a, float4(2, 4, 6, 8));
    EXPECT_EQ(a * 2.f, float4(2, 4, 6, 8));

    // Compound forms change the left operand and return it.
    float4& same = (a += b);
    EXPECT_EQ(&same, &a);
    EXPECT_EQ(a, float4(1.5f, 1, 5, 12));
    (a -= b) *= 2.f;
    EXPECT_EQ(a, float4(2, 4, 6, 8));
    a /= float4(2);
    EXPECT_EQ(a, float4(1, 2, 3, 4));

    int3 i(10, -20, 30);
    i += int3(1, 2, 3);
    i -= int3(11, 2, 3);
    i *= int3(2, 3, 4);
    EXPECT_EQ(i, int3(0, -60, 120));
    EXPECT_EQ(size2(7, 9) + size2(1, 1), size2(8, 10));
    EXPECT_EQ(size2(7, 9) * size2(2, 3), size2(14, 27));
}

TEST(Vector, IntegerDivisionTruncatesAndRefusesWhatWouldStopTheProcess) {
    EXPECT_EQ(int2(7, -7) / int2(2, 2), int2(3, -3));
    EXPECT_EQ(int2(7, -7) % int2(2, 2), int2(1, -1));
    int4 q(9, -9, 9, -9);
    q %= int4(4, 4, -4, -4);
    EXPECT_EQ(q, int4(1, -1, 1, -1));
    // Unsigned: 0xFFFFFFFF stays a large positive dividend.
    EXPECT_EQ(size2(0xFFFFFFFFu, 9) / size2(2, 4), size2(0x7FFFFFFFu, 2));
    EXPECT_EQ(size2(0xFFFFFFFFu, 9) % size2(2, 4), size2(1, 1));

    int3 v(1, 2, 3);
    EXPECT_THROW(v / int3(1, 0, 1), VEK::InternalException);
    EXPECT_THROW(v %= int3(1, 1, 0), VEK::InternalException);
    EXPECT_THROW(size2(1, 1) / size2(0, 1), VEK::InternalException);
    const int minimum = std::numeric_limits<int>::min();
    EXPECT_THROW(int2(minimum, 0) / int2(-1, 1), VEK::InternalException);
    EXPECT_THROW(int2(minimum, 0) % int2(-1, 1), VEK::InternalException);
    try {
        v /= int3(0);
        FAIL() << "no exception";
    } catch (const VEK::InternalException& e) {
        EXPECT_STREQ(e.message(), "Integer vector division by zero");
    }
}

TEST(Vector, RefusedDivisionLeavesEveryComponentAsItWas) {
    // The zero divisor sits after components that would divide fine: none of them may change.
    int3 v(8, 6, 4);
    EXPECT_THROW(v /= int3(2, 3, 0), VEK::InternalException);
    EXPECT_EQ(v, int3(8, 6, 4));
    EXPECT_THROW(v %= int3(5, 4, 0), VEK::InternalException);
    EXPECT_EQ(v, int3(8, 6, 4));
    const int minimum = std::numeric_limits<int>::min();
    int2 w(7, minimum);
    EXPECT_THROW(w /= int2(2, -1), VEK::InternalException);
    EXPECT_EQ(w, int2(7, minimum));
    size2 s(9, 9);
    EXPECT_THROW(s %= size2(2, 0), VEK::InternalException);
    EXPECT_EQ(s, size2(9, 9));
    // Dividing by itself still works component by component.
    int2 self(6, -3);
    const int2& alias = self;
    self /= alias;
    EXPECT_EQ(self, int2(1, 1));
}

TEST(Vector, EqualityAndLexicographicOrder) {
    EXPECT_TRUE(float2(1, 2) == float2(1, 2));
    EXPECT_TRUE(float2(1, 2) != float2(1, 3));
    EXPECT_FALSE(float2(kNaN, 2) == float2(kNaN, 2));
    EXPECT_TRUE(float2(kNaN, 2) != float2(kNaN, 2));
    EXPECT_TRUE(float2(-0.f, 0) == float2(0, 0));

    EXPECT_TRUE(float2(1, 2) < float2(1, 3));
    EXPECT_FALSE(float2(2, 0) < float2(1, 5));
    EXPECT_FALSE(float2(1, 2) < float2(1, 2));
    EXPECT_TRUE(int3(1, 2, 3) < int3(1, 2, 4));
    EXPECT_FALSE(int3(1, 3, 0) < int3(1, 2, 9));
    EXPECT_TRUE(size2(0, 0xFFFFFFFFu) < size2(1, 0));
    // An unordered component defers to the next one.
    EXPECT_TRUE(float3(kNaN, 1, 0) < float3(0, 2, 0));
    EXPECT_FALSE(float3(kNaN, 2, 0) < float3(0, 1, 0));
}

TEST(Vector, MinAndMaxTreatUnorderedPairsByWidth) {
    float2 a(1, 5);
    a.min(float2(3, 2));
    EXPECT_EQ(a, float2(1, 2));
    a.max(float2(0, 7));
    EXPECT_EQ(a, float2(1, 7));
    float4 c(1, 5, -1, 0);
    c.min(float4(3, 2, -2, 0)).max(float4(2, 0, 0, 1));
    EXPECT_EQ(c, float4(2, 2, 0, 1));

    // Two and three components keep their own value against a NaN...
    float3 d(1, kNaN, 3);
    d.min(float3(kNaN, 0, 0));
    EXPECT_EQ(d[0], 1.f);
    EXPECT_TRUE(std::isnan(d[1]));
    EXPECT_EQ(d[2], 0.f);
    float2 e(1, 2);
    e.max(float2(kNaN, kNaN));
    EXPECT_EQ(e, float2(1, 2));
    // ...four components take the other's.
    float4 f(1, 2, 3, 4);
    f.min(float4(kNaN, 0, 9, 9));
    EXPECT_TRUE(std::isnan(f[0]));
    EXPECT_EQ(f[1], 0.f);
    float4 g(kNaN, 1, 1, 1);
    g.max(float4(5, 0, 0, 0));
    EXPECT_EQ(g, float4(5, 1, 1, 1));
}

TEST(Vector, DotNormNormalizeCross) {
    EXPECT_EQ(VEK::dot(float3(1, 2, 3), float3(4, -5, 6)), 12.f);
    EXPECT_EQ(VEK::norm(float2(3, 4)), 5.f);
    EXPECT_EQ(VEK::norm(float4(1, 1, 1, 1)), 2.f);

    float3 v(0, 3, 4);
    float3& same = VEK::normalize(v);
    EXPECT_EQ(&same, &v);
    EXPECT_EQ(v, float3(0, 0.6f, 0.8f));
    // Lengths of 0, including squares that underflow, give zeros rather than NaN.
    float3 zero(0, 0, 0);
    VEK::normalize(zero);
    EXPECT_EQ(zero, float3(0, 0, 0));
    float2 tiny(1e-30f, -1e-30f);
    VEK::normalize(tiny);
    EXPECT_EQ(tiny, float2(0, 0));
    EXPECT_FALSE(std::signbit(tiny[0]));
    EXPECT_TRUE(std::signbit(tiny[1]));

    // Right-handed, and anti-commutative.
    EXPECT_EQ(VEK::cross(float3(1, 0, 0), float3(0, 1, 0)), float3(0, 0, 1));
    EXPECT_EQ(VEK::cross(float3(0, 1, 0), float3(0, 0, 1)), float3(1, 0, 0));
    const float3 a(1.5f, -2, 3), b(4, 0.25f, -1);
    const float3 ab = VEK::cross(a, b);
    EXPECT_EQ(ab, float3(0) - VEK::cross(b, a));
    EXPECT_EQ(VEK::dot(ab, a), 0.f);
    EXPECT_EQ(VEK::dot(ab, b), 0.f);
}

TEST(Vector, WrittenInParentheses) {
    EXPECT_EQ(Written(int3(1, 2, 3)), "(1, 2, 3)");
    EXPECT_EQ(Written(float2(0.5f, -1)), "(0.5, -1)");
    EXPECT_EQ(Written(size2(4000000000u, 0)), "(4000000000, 0)");
    EXPECT_EQ(Written(float4(1e20f, 0, 0, 0)), "(1e+20, 0, 0, 0)");
    EXPECT_EQ(Written(int4(-1, 0, 1, 2)), "(-1, 0, 1, 2)");
}
