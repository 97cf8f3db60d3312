#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <type_traits>

#include "vek/Export.h"

namespace VEK {
namespace detail {

/// Throws InternalException ("Integer vector division by zero" when byZero, else "Integer
/// vector division overflows") with file and line. Out of line so that the header needs no
/// exception machinery.
[[noreturn]] VEK_EXPORT void ThrowIntegerDivisionFault(const char* file, int line, bool byZero);

/// Storage and operations shared by every small vector. Derived names the concrete type so
/// that every operation takes and returns it; T and N give the components. The only data is the
/// component array, so each vector is laid out exactly as its components and copies byte for byte.
template <class Derived, class T, unsigned N>
class VectorBase {
    static constexpr bool kFloat = std::is_floating_point_v<T>;
    static constexpr bool kIntegral = std::is_integral_v<T>;
    static constexpr bool kSigned = std::is_signed_v<T>;

public:
    /// The component type.
    typedef T value_type;

    /// All components zero. Throws nothing.
    VectorBase() : c_{} {}
    /// Every component set to value. Throws nothing.
    explicit VectorBase(T value) {
        for (unsigned i = 0; i < N; ++i) {
            c_[i] = value;
        }
    }
    /// One value per component, in order, each converted to T. Throws nothing.
    template <
        class... Values,
        std::enable_if_t<sizeof...(Values) == N && (std::is_arithmetic_v<Values> && ...), int> = 0>
    VectorBase(Values... values) : c_{static_cast<T>(values)...} {}

    /// Component i, unchecked. Throws nothing.
    T& operator[](unsigned i) { return c_[i]; }
    /// Component i, unchecked. Throws nothing.
    const T& operator[](unsigned i) const { return c_[i]; }
    /// Address of component 0. Throws nothing.
    T* begin() { return c_; }
    /// One past the last component. Throws nothing.
    T* end() { return c_ + N; }
    /// Address of component 0. Throws nothing.
    const T* begin() const { return c_; }
    /// One past the last component. Throws nothing.
    const T* end() const { return c_ + N; }

    /// The number of components, N (float vectors only). Throws nothing.
    template <bool F = kFloat, std::enable_if_t<F, int> = 0>
    unsigned size() const {
        return N;
    }

    /// Component-wise minimum and maximum in place. The three-component and smaller vectors keep
    /// their own component when the pair is unordered; the four-component one takes other's.
    /// Float vectors only. Throws nothing.
    template <bool F = kFloat, std::enable_if_t<F, int> = 0>
    Derived& min(const Derived& other) {
        for (unsigned i = 0; i < N; ++i) {
            if constexpr (N == 4) {
                if (!(other.c_[i] >= c_[i])) {
                    c_[i] = other.c_[i];
                }
            } else if (c_[i] > other.c_[i]) {
                c_[i] = other.c_[i];
            }
        }
        return self();
    }
    /// Component-wise maximum in place, mirroring min(). Float vectors only. Throws nothing.
    template <bool F = kFloat, std::enable_if_t<F, int> = 0>
    Derived& max(const Derived& other) {
        for (unsigned i = 0; i < N; ++i) {
            if constexpr (N == 4) {
                if (!(c_[i] >= other.c_[i])) {
                    c_[i] = other.c_[i];
                }
            } else if (other.c_[i] > c_[i]) {
                c_[i] = other.c_[i];
            }
        }
        return self();
    }

    /// Component-wise sum in place. Throws nothing.
    Derived& operator+=(const Derived& other) {
        for (unsigned i = 0; i < N; ++i) {
            c_[i] += other.c_[i];
        }
        return self();
    }
    /// Component-wise difference in place (not for size2). Throws nothing.
    template <bool S = kSigned, std::enable_if_t<S, int> = 0>
    Derived& operator-=(const Derived& other) {
        for (unsigned i = 0; i < N; ++i) {
            c_[i] -= other.c_[i];
        }
        return self();
    }
    /// Component-wise product in place. Throws nothing.
    Derived& operator*=(const Derived& other) {
        for (unsigned i = 0; i < N; ++i) {
            c_[i] *= other.c_[i];
        }
        return self();
    }
    /// Every component times scalar, in place (float vectors only). Throws nothing.
    template <bool F = kFloat, std::enable_if_t<F, int> = 0>
    Derived& operator*=(T scalar) {
        for (unsigned i = 0; i < N; ++i) {
            c_[i] *= scalar;
        }
        return self();
    }
    /// Component-wise quotient in place. Integer division truncates toward zero. A zero
    /// divisor, or the one signed quotient that does not fit, throws instead of stopping the
    /// process. Every divisor is checked before any component changes, so a refused division
    /// leaves the vector as it was. Throws InternalException ("Integer vector division by zero",
    /// "Integer vector division overflows") for integer vectors; float vectors throw nothing.
    Derived& operator/=(const Derived& other) {
        for (unsigned i = 0; i < N; ++i) {
            CheckDivisor(c_[i], other.c_[i]);
        }
        for (unsigned i = 0; i < N; ++i) {
            c_[i] /= other.c_[i];
        }
        return self();
    }
    /// Component-wise remainder in place, truncating toward zero (integer vectors only). Throws
    /// InternalException ("Integer vector division by zero", "Integer vector division
    /// overflows") and then leaves the vector as it was.
    template <bool I = kIntegral, std::enable_if_t<I, int> = 0>
    Derived& operator%=(const Derived& other) {
        for (unsigned i = 0; i < N; ++i) {
            CheckDivisor(c_[i], other.c_[i]);
        }
        for (unsigned i = 0; i < N; ++i) {
            c_[i] %= other.c_[i];
        }
        return self();
    }

    /// Component-wise sum. Throws nothing.
    friend Derived operator+(Derived a, const Derived& b) { return a += b; }
    /// Component-wise difference (not for size2). Throws nothing.
    template <bool S = kSigned, std::enable_if_t<S, int> = 0>
    friend Derived operator-(Derived a, const Derived& b) {
        return a -= b;
    }
    /// Component-wise product. Throws nothing.
    friend Derived operator*(Derived a, const Derived& b) { return a *= b; }
    /// Component-wise quotient, as operator/=. Throws InternalException for an integer divisor
    /// with a zero component or a signed quotient that does not fit.
    friend Derived operator/(Derived a, const Derived& b) { return a /= b; }
    /// Component-wise remainder (integer vectors only), as operator%=. Throws InternalException
    /// for a divisor with a zero component or a signed quotient that does not fit.
    template <bool I = kIntegral, std::enable_if_t<I, int> = 0>
    friend Derived operator%(Derived a, const Derived& b) {
        return a %= b;
    }
    /// Every component of v times scalar (float vectors only). Throws nothing.
    template <bool F = kFloat, std::enable_if_t<F, int> = 0>
    friend Derived operator*(T scalar, Derived v) {
        return v *= scalar;
    }
    /// Every component of v times scalar (float vectors only). Throws nothing.
    template <bool F = kFloat, std::enable_if_t<F, int> = 0>
    friend Derived operator*(Derived v, T scalar) {
        return v *= scalar;
    }

    /// True when every component compares equal; a NaN component makes two vectors unequal.
    /// Throws nothing.
    friend bool operator==(const Derived& a, const Derived& b) {
        for (unsigned i = 0; i < N; ++i) {
            if (!(a.c_[i] == b.c_[i])) {
                return false;
            }
        }
        return true;
    }
    /// The negation of ==. Throws nothing.
    friend bool operator!=(const Derived& a, const Derived& b) { return !(a == b); }
    /// Lexicographic from component 0; equal or unordered components defer to the next.
    /// Throws nothing.
    friend bool operator<(const Derived& a, const Derived& b) {
        for (unsigned i = 0; i < N; ++i) {
            if (a.c_[i] > b.c_[i]) {
                return false;
            }
            if (a.c_[i] < b.c_[i]) {
                return true;
            }
        }
        return false;
    }

    /// Writes "(c0, c1, ...)" in the stream's own number format. Throws only what the stream
    /// throws.
    friend std::ostream& operator<<(std::ostream& stream, const Derived& v) {
        stream << '(';
        for (unsigned i = 0; i < N; ++i) {
            if (i != 0) {
                stream << ", ";
            }
            stream << v.c_[i];
        }
        return stream << ')';
    }

private:
    Derived& self() { return static_cast<Derived&>(*this); }

    static void CheckDivisor([[maybe_unused]] T dividend, [[maybe_unused]] T divisor) {
        if constexpr (kIntegral) {
            if (divisor == 0) {
                ThrowIntegerDivisionFault(__FILE__, __LINE__, true);
            }
            if constexpr (kSigned) {
                if (divisor == -1 && dividend == std::numeric_limits<T>::min()) {
                    ThrowIntegerDivisionFault(__FILE__, __LINE__, false);
                }
            }
        }
    }

    T c_[N];
};

}  // namespace detail

/// Two 32-bit floats; see VectorBase for the operations.
class float2 : public detail::VectorBase<float2, float, 2> {
public:
    using VectorBase::VectorBase;
};
/// Three 32-bit floats; see VectorBase for the operations.
class float3 : public detail::VectorBase<float3, float, 3> {
public:
    using VectorBase::VectorBase;
};
/// Four 32-bit floats; see VectorBase for the operations. No alignment of its own.
class float4 : public detail::VectorBase<float4, float, 4> {
public:
    using VectorBase::VectorBase;
};
/// Two signed 32-bit integers; see VectorBase for the operations.
class int2 : public detail::VectorBase<int2, std::int32_t, 2> {
public:
    using VectorBase::VectorBase;
};
/// Three signed 32-bit integers; see VectorBase for the operations.
class int3 : public detail::VectorBase<int3, std::int32_t, 3> {
public:
    using VectorBase::VectorBase;
};
/// Four signed 32-bit integers; see VectorBase for the operations.
class int4 : public detail::VectorBase<int4, std::int32_t, 4> {
public:
    using VectorBase::VectorBase;
};
/// Two unsigned 32-bit integers (a width and a height); no subtraction.
class size2 : public detail::VectorBase<size2, std::uint32_t, 2> {
public:
    using VectorBase::VectorBase;
};

/// Sum of products from component 0 upward, in single precision from 0. Throws nothing.
template <class D, unsigned N>
float dot(const detail::VectorBase<D, float, N>& a, const detail::VectorBase<D, float, N>& b) {
    float sum = 0.f;
    for (unsigned i = 0; i < N; ++i) {
        sum += a[i] * b[i];
    }
    return sum;
}

/// The length: the square root, taken in double precision, of the single-precision sum of
/// squares. Throws nothing.
template <class D, unsigned N>
float norm(const detail::VectorBase<D, float, N>& v) {
    return static_cast<float>(std::sqrt(static_cast<double>(dot(v, v))));
}

/// Scales v to length 1 in place. A vector of length 0 (or whose squares underflow) becomes all
/// zeros. Throws nothing.
template <class D, unsigned N>
D& normalize(detail::VectorBase<D, float, N>& v) {
    const float length = norm(v);
    const float factor = length == 0.f ? 0.f : 1.f / length;
    for (unsigned i = 0; i < N; ++i) {
        v[i] *= factor;
    }
    return static_cast<D&>(v);
}

/// The cross product a x b. Throws nothing.
inline float3 cross(const float3& a, const float3& b) {
    return float3(a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]);
}

// Arrays of these go to OpenGL and OpenCL as they are: no padding, no alignment of their own.
static_assert(sizeof(float2) == 8 && sizeof(float3) == 12 && sizeof(float4) == 16);
static_assert(sizeof(int2) == 8 && sizeof(int3) == 12 && sizeof(int4) == 16);
static_assert(sizeof(size2) == 8);
static_assert(alignof(float4) == alignof(float) && alignof(int4) == alignof(std::int32_t));
static_assert(std::is_standard_layout_v<float4> && std::is_trivially_copyable_v<float4>);
static_assert(std::is_standard_layout_v<float3> && std::is_trivially_copyable_v<float3>);
static_assert(std::is_standard_layout_v<float2> && std::is_trivially_copyable_v<float2>);
static_assert(std::is_standard_layout_v<int4> && std::is_trivially_copyable_v<int4>);
static_assert(std::is_standard_layout_v<int3> && std::is_trivially_copyable_v<int3>);
static_assert(std::is_standard_layout_v<int2> && std::is_trivially_copyable_v<int2>);
static_assert(std::is_standard_layout_v<size2> && std::is_trivially_copyable_v<size2>);

}  // namespace VEK
