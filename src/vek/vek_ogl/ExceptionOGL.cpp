#include "vek/vek_ogl/ExceptionOGL.h"

#include "vek/core/memory/VEKMemory.h"

namespace VEK {
namespace OGL {

ExceptionOGL::ExceptionOGL(char const* file, unsigned line, char const* message,
                           unsigned errorNumber)
    : LogicalException(file, static_cast<int>(line), message), errorNumber_(errorNumber) {}

ExceptionOGL::ExceptionOGL(const ExceptionOGL& other) = default;

ExceptionOGL& ExceptionOGL::operator=(const ExceptionOGL& other) = default;

ExceptionOGL::~ExceptionOGL() = default;

ExceptionBase* ExceptionOGL::clone() const {
    return VEK_NEW(ExceptionOGL)(*this);
}

}  // namespace OGL
}  // namespace VEK
