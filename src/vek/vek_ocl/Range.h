#pragma once

#include <array>
#include <cstddef>

#include "vek/core/exceptions/InternalException.h"

namespace VEK {
namespace OCL {

/// Work sizes, one per dimension, handed to OpenCL as they are: the element type must stay
/// size_t.
template <unsigned N>
class Range {
    static_assert(N >= 1 && N <= 3, "OpenCL work ranges have 1, 2 or 3 dimensions");

public:
    /// The values are left unset; assign them before use. Throws nothing.
    Range() {}
    /// Every dimension set to value. Throws nothing.
    explicit Range(std::size_t value) { assign(value); }
    /// Dimensions 0 and 1. Throws InternalException unless N is 2.
    Range(std::size_t x, std::size_t y) {
        if (N != 2) {
            throw InternalException(__FILE__, __LINE__, "N==2");
        }
        range_[0] = x;
        range_[N > 1 ? 1 : 0] = y;  // index 1 whenever this line runs
    }
    /// Dimensions 0, 1 and 2. Throws InternalException unless N is 3.
    Range(std::size_t x, std::size_t y, std::size_t z) {
        if (N != 3) {
            throw InternalException(__FILE__, __LINE__, "N==3");
        }
        range_[0] = x;
        range_[N > 1 ? 1 : 0] = y;
        range_[N - 1] = z;
    }

    /// Sets every dimension to value. Throws nothing.
    void assign(std::size_t value) { range_.fill(value); }

    /// The size of dimension i. Throws InternalException when i is not below N.
    std::size_t& operator[](unsigned i) {
        VEK_ASSERT(i < range_.size());
        return range_[i];
    }
    /// The size of dimension i. Throws InternalException when i is not below N.
    const std::size_t& operator[](unsigned i) const {
        VEK_ASSERT(i < range_.size());
        return range_[i];
    }

    /// The number of dimensions, N. Throws nothing.
    unsigned size() const { return N; }
    /// The number of dimensions, N. Throws nothing.
    unsigned dimensions() const { return N; }

    /// The first size, as OpenCL takes the array. Throws nothing.
    std::size_t* begin() { return range_.data(); }
    /// One past the last size. Throws nothing.
    std::size_t* end() { return range_.data() + N; }
    /// The first size, as OpenCL takes the array. Throws nothing.
    const std::size_t* begin() const { return range_.data(); }
    /// One past the last size. Throws nothing.
    const std::size_t* end() const { return range_.data() + N; }

private:
    std::array<std::size_t, N> range_;
};

/// Whether every dimension is equal. Throws nothing.
template <unsigned N>
bool operator==(const Range<N>& a, const Range<N>& b) {
    for (unsigned i = 0; i < N; ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

/// Whether some dimension differs. Throws nothing.
template <unsigned N>
bool operator!=(const Range<N>& a, const Range<N>& b) {
    return !(a == b);
}

}  // namespace OCL
}  // namespace VEK
