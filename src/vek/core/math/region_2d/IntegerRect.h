#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "vek/Export.h"
#include "vek/core/math/Vector.h"

namespace VEK {

/// A pixel rectangle: offset of its first pixel and its size. Empty when either side is 0.
class VEK_EXPORT IntegerRect {
public:
    /// Offset and size zero.
    IntegerRect() = default;
    IntegerRect(const int2& offset, const size2& size) : offset_(offset), size_(size) {}

    const int2& offset() const { return offset_; }
    const size2& size() const { return size_; }
    std::uint32_t width() const { return size_[0]; }
    std::uint32_t height() const { return size_[1]; }
    bool isEmpty() const { return width() == 0 || height() == 0; }

    void setOffset(const int2& offset) { offset_ = offset; }
    void setSize(const size2& size) { size_ = size; }
    /// Adds v to the offset; an offset that would not fit throws InternalException and leaves
    /// the rectangle as it was.
    void translate(const int2& v);

    bool operator==(const IntegerRect& other) const {
        return offset_ == other.offset_ && size_ == other.size_;
    }
    bool operator!=(const IntegerRect& other) const { return !(*this == other); }

    /// "Empty", or "[o=(x, y), s=(w, h)]".
    std::string toString() const;

private:
    int2 offset_;
    size2 size_;
};

VEK_EXPORT std::ostream& operator<<(std::ostream& stream, const IntegerRect& rect);

}  // namespace VEK
