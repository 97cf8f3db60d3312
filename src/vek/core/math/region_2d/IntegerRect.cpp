#include "vek/core/math/region_2d/IntegerRect.h"

#include <ostream>
#include <sstream>

namespace VEK {

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
