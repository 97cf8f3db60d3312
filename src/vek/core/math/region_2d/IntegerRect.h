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
    /// Offset and size zero. Throws nothing.
    IntegerRect() = default;
    /// The rectangle of size pixels from offset. Throws nothing.
    IntegerRect(const int2& offset, const size2& size) : offset_(offset), size_(size) {}

    /// The first pixel. Throws nothing.
    const int2& offset() const { return offset_; }
    /// Width and height in pixels. Throws nothing.
    const size2& size() const { return size_; }
    /// size().x. Throws nothing.
    std::uint32_t width() const { return size_[0]; }
    /// size().y. Throws nothing.
    std::uint32_t height() const { return size_[1]; }
    /// Whether either side is 0. Throws nothing.
    bool isEmpty() const { return width() == 0 || height() == 0; }

    /// Moves the first pixel to offset. Throws nothing.
    void setOffset(const int2& offset) { offset_ = offset; }
    /// Sets width and height. Throws nothing.
    void setSize(const size2& size) { size_ = size; }
    /// Adds v to the offset; an offset that would not fit throws InternalException ("IntegerRect
    /// translation overflows") and leaves the rectangle as it was.
    void translate(const int2& v);

    /// Offset and size both equal. Throws nothing.
    bool operator==(const IntegerRect& other) const {
        return offset_ == other.offset_ && size_ == other.size_;
    }
    /// The negation of ==. Throws nothing.
    bool operator!=(const IntegerRect& other) const { return !(*this == other); }

    /// "Empty", or "[o=(x, y), s=(w, h)]". Throws only std::bad_alloc.
    std::string toString() const;

private:
    int2 offset_;
    size2 size_;
};

/// Writes rect.toString(). Throws only what the stream throws and std::bad_alloc.
VEK_EXPORT std::ostream& operator<<(std::ostream& stream, const IntegerRect& rect);

}  // namespace VEK
