#include "vek/core/exceptions/LogicalException.h"

#include <ostream>

#include "vek/core/memory/VEKMemory.h"

namespace VEK {

namespace {
const char* const kUndefined = "Undefined";
}

LogicalException::LogicalException() {
    initialize(nullptr, 0, nullptr);
}

LogicalException::LogicalException(const char* file, int line, const char* message) {
    initialize(file, line, message);
}

LogicalException::LogicalException(const LogicalException& other)
    : ExceptionBase(other), file_(other.file_), line_(other.line_), message_(other.message_) {}

LogicalException& LogicalException::operator=(const LogicalException& other) {
    if (this != &other) {
        ExceptionBase::operator=(other);
        file_ = other.file_;
        line_ = other.line_;
        message_ = other.message_;
    }
    return *this;
}

LogicalException::~LogicalException() = default;

void LogicalException::initialize(const char* file, int line, const char* message) {
    setKindText("VEK logical exception");
    file_ = file ? file : kUndefined;
    line_ = line;
    message_ = message ? message : kUndefined;
}

ExceptionBase* LogicalException::clone() const {
    return VEK_NEW(LogicalException)(*this);
}

void LogicalException::write(std::ostream& stream) const {
    stream << what() << " " << file_ << ":" << line_ << " (" << message_ << ")";
}

}  // namespace VEK
