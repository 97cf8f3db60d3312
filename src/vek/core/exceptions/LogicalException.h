#pragma once

#include <string>

#include "vek/Export.h"
#include "vek/core/exceptions/ExceptionBase.h"

namespace VEK {

/// An exception with the source location and message of the statement that raised it.
class VEK_EXPORT LogicalException : public ExceptionBase {
public:
    /// Kind text "VEK logical exception", file and message "Undefined", line 0. Throws only
    /// std::bad_alloc.
    LogicalException();
    /// Records where and why: a null file or message becomes "Undefined". Throws only
    /// std::bad_alloc.
    LogicalException(const char* file, int line, const char* message);
    /// Copies kind text, file, line and message. Throws only std::bad_alloc.
    LogicalException(const LogicalException& other);
    /// Copies kind text, file, line and message. Throws only std::bad_alloc.
    LogicalException& operator=(const LogicalException& other);
    /// Throws nothing.
    ~LogicalException() override;

    /// A heap LogicalException with equal fields, made through the allocation hook; null when
    /// the hook gives no memory. Destroy it with VEK_DELETE. Throws only std::bad_alloc.
    ExceptionBase* clone() const override;
    /// Writes: what() " " file ":" line " (" message ")". Throws only what the stream throws.
    void write(std::ostream& stream) const override;

    /// Source file of the raising statement, as the build spelled it. Throws nothing.
    const char* file() const { return file_.c_str(); }
    /// Source line of the raising statement. Throws nothing.
    int line() const { return line_; }
    /// Why: for checks, the source text of the failed condition. Throws nothing.
    const char* message() const { return message_.c_str(); }

private:
    void initialize(const char* file, int line, const char* message);

    std::string file_;
    int line_ = 0;
    std::string message_;
};

}  // namespace VEK
