#pragma once

#include <string>

#include "vek/Export.h"
#include "vek/core/exceptions/ExceptionBase.h"

namespace VEK {

/// An exception with the source location and message of the statement that raised it.
class VEK_EXPORT LogicalException : public ExceptionBase {
public:
    LogicalException();
    /// A null file or message becomes "Undefined".
    LogicalException(const char* file, int line, const char* message);
    LogicalException(const LogicalException& other);
    LogicalException& operator=(const LogicalException& other);
    ~LogicalException() override;

    ExceptionBase* clone() const override;
    /// Writes: what() " " file ":" line " (" message ")".
    void write(std::ostream& stream) const override;

    const char* file() const { return file_.c_str(); }
    int line() const { return line_; }
    const char* message() const { return message_.c_str(); }

private:
    void initialize(const char* file, int line, const char* message);

    std::string file_;
    int line_ = 0;
    std::string message_;
};

}  // namespace VEK
