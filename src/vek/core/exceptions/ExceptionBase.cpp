#include "vek/core/exceptions/ExceptionBase.h"

#include <ostream>

#include "vek/core/memory/VEKMemory.h"

namespace VEK {

ExceptionBase::ExceptionBase() : std::exception(), kindText_("VEK exception") {}

ExceptionBase::ExceptionBase(const char* text) : std::exception(), kindText_(text) {}

ExceptionBase::ExceptionBase(const ExceptionBase& other)
    : std::exception(), kindText_(other.kindText_) {}

ExceptionBase& ExceptionBase::operator=(const ExceptionBase& other) {
    if (this != &other) {
        kindText_ = other.kindText_;
    }
    return *this;
}

ExceptionBase::~ExceptionBase() = default;

const char* ExceptionBase::what() const noexcept {
    return kindText_.c_str();
}

ExceptionBase* ExceptionBase::clone() const {
    return VEK_NEW(ExceptionBase)(*this);
}

void ExceptionBase::write(std::ostream& stream) const {
    stream << kindText_;
}

std::ostream& operator<<(std::ostream& stream, const ExceptionBase& exception) {
    exception.write(stream);
    return stream;
}

}  // namespace VEK
