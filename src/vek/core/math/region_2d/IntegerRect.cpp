#include "vek/core/math/region_2d/IntegerRect.h"

#include <ostream>
#include <sstream>

#include "vek/core/exceptions/InternalException.h"

namespace VEK {

void IntegerRect::translate(const int2& v) {
    int2 moved;
    for (unsigned i = 0; i < 2; ++i) {
        if (__builtin_add_overflow(offset_[i], v[i], &moved[i])) {
            throw InternalException(__FILE__, __LINE__, "IntegerRect translation overflows");
        }
    }
    offset_ = moved;
}

std::string IntegerRect::toString() const {
    if (isEmpty()) {
        return "Empty";
    }
    std::ostringstream text;
    text << "[o=" << offset_ << ", s=" << size_ << "]";
    return text.str();
}

std::ostream& operator<<(std::ostream& stream, const IntegerRect& rect) {
    return stream << rect.toString();
}

}  // namespace VEK
