#include "vek/core/exceptions/InternalException.h"

#include "vek/core/memory/VEKMemory.h"

namespace VEK {

InternalException::InternalException() {
    setKindText("VEK Internal exception");
}

InternalException::InternalException(const char* file, int line, const char* message)
    : LogicalException(file, line, message) {
    setKindText("VEK Internal exception");
}

InternalException::InternalException(const InternalException& other) = default;

InternalException& InternalException::operator=(const InternalException& other) = default;

InternalException::~InternalException() = default;

ExceptionBase* InternalException::clone() const {
    return VEK_NEW(InternalException)(*this);
}

}  // namespace VEK
