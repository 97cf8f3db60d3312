#pragma once

#include "vek/Export.h"
#include "vek/core/exceptions/LogicalException.h"

namespace VEK {
namespace OGL {

// An OpenGL error raised by a call, with the caller's file and line. The error number is 0 for
// an unbalanced glBegin or glEnd.
class VEK_EXPORT ExceptionOGL : public LogicalException {
public:
    ExceptionOGL(char const* file, unsigned line, char const* message, unsigned errorNumber);
    ExceptionOGL(const ExceptionOGL& other);
    ExceptionOGL& operator=(const ExceptionOGL& other);
    ~ExceptionOGL() override;

    ExceptionBase* clone() const override;
    unsigned errorNumber() const { return errorNumber_; }

private:
    unsigned errorNumber_;
};

}  // namespace OGL
}  // namespace VEK
