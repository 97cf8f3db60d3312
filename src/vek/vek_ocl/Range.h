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
    /// The values are left unset; assign them before use.
    Range() {}
    explicit Range(std::size_t value) { assign(value); }
    Range(std::size_t x, std::size_t y) {
        if (N != 2) {
            throw InternalException(__FILE__, __LINE__, "N==2");
        }
        range_[0] = x;
        range_[N > 1 ? 1 : 0] = y;  // index 1 whenever this line runs
    }
    Range(std::size_t x, std::size_t y, std::size_t z) {
        if (N != 3) {
            throw InternalException(__FILE__, __LINE__, "N==3");
        }
        range_[0] = x;
        range_[N > 1 ? 1 : 0] = y;
        range_[N - 1] = z;
    }

    void assign(std::size_t value) { range_.fill(value); }

    std::size_t& operator[](unsigned i) {
        VEK_ASSERT(i < range_.size());
        return range_[i];
    }
    const std::size_t& operator[](unsigned i) const {
        VEK_ASSERT(i < range_.size());
        return range_[i];
    }

    unsigned size() const { return N; }
    unsigned dimensions() const { return N; }

    std::size_t* begin() { return range_.data(); }
    std::size_t* end() { return range_.data() + N; }
    const std::size_t* begin() const { return range_.data(); }
    const std::size_t* end() const { return range_.data() + N; }

private:
    std::array<std::size_t, N> range_;
};

template <unsigned N>
bool operator==(const Range<N>& a, const Range<N>& b) {
    for (unsigned i = 0; i < N; ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

template <unsigned N>
bool operator!=(const Range<N>& a, const Range<N>& b) {
    return !(a == b);
}

}  // namespace OCL
}  // namespace VEK
