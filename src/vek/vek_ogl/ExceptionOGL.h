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
    /// An error without driver words, raised at file:line. Throws nothing beyond allocation
    /// failure.
    ExceptionOGL(char const* file, unsigned line, char const* message, unsigned errorNumber);
    /// An error with the driver's own words, appended to the message in parentheses when not empty.
    /// Throws nothing beyond allocation failure.
    ExceptionOGL(char const* file, unsigned line, char const* message, unsigned errorNumber,
                 std::string driverMessage);
    /// Copies message, location, error number and driver words. Throws nothing beyond allocation
    /// failure.
    ExceptionOGL(const ExceptionOGL& other);
    /// Copy assignment, as the copy constructor.
    ExceptionOGL& operator=(const ExceptionOGL& other);
    ~ExceptionOGL() override;

    ExceptionBase* clone() const override;
    /// The GL error code (GL_INVALID_ENUM...), 0 for an unbalanced glBegin/glEnd. Throws nothing.
    unsigned errorNumber() const { return errorNumber_; }
    /// The driver's own words for the error, empty when it logged none. Throws nothing.
    std::string const& driverMessage() const { return driverMessage_; }

private:
    unsigned errorNumber_;
    std::string driverMessage_;
};

}  // namespace OGL
}  // namespace VEK
