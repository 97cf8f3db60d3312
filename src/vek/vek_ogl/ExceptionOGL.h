#pragma once

#include <string>

#include "vek/Export.h"
#include "vek/core/exceptions/LogicalException.h"

namespace VEK {
namespace OGL {

/// An OpenGL error raised by a call, with the caller's file and line. The error number is 0 for
/// an unbalanced glBegin or glEnd.
///
/// Where the driver logged its own words for the error (a debug message log), they follow the
/// error's text in parentheses, "invalid enumerant (GL_INVALID_ENUM in glEnable(0x1234))", and
/// driverMessage() gives them alone; several messages are separated by "; ". Without them the
/// message is the error's text alone and driverMessage() is empty.
class VEK_EXPORT ExceptionOGL : public LogicalException {
public:
    ExceptionOGL(char const* file, unsigned line, char const* message, unsigned errorNumber);
    ExceptionOGL(char const* file, unsigned line, char const* message, unsigned errorNumber,
                 std::string driverMessage);
    ExceptionOGL(const ExceptionOGL& other);
    ExceptionOGL& operator=(const ExceptionOGL& other);
    ~ExceptionOGL() override;

    ExceptionBase* clone() const override;
    unsigned errorNumber() const { return errorNumber_; }
    std::string const& driverMessage() const { return driverMessage_; }

private:
    unsigned errorNumber_;
    std::string driverMessage_;
};

}  // namespace OGL
}  // namespace VEK
