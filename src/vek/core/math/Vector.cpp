#include "vek/core/math/Vector.h"

#include "vek/core/exceptions/InternalException.h"

namespace VEK {
namespace detail {

void ThrowIntegerDivisionFault(const char* file, int line, bool byZero) {
    throw InternalException(
        file, line,
        byZero ? "Integer vector division by zero" : "Integer vector division overflows");
}

}  // namespace detail
}  // namespace VEK
