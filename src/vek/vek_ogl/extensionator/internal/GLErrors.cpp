#include "vek/vek_ogl/extensionator/internal/GLErrors.h"

#include <GL/glu.h>

#include "vek/vek_ogl/ExceptionOGL.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/internal/DebugMessages.h"

namespace VEK {
namespace OGL {
namespace internal {

// Only the error path reads the driver's words: a call without an error costs what it did.
void ThrowGLError(char const* file, unsigned line, GLenum code) {
    throw ExceptionOGL(file, line, reinterpret_cast<const char*>(::gluErrorString(code)), code,
                       TakeDriverErrorMessages());
}

void ThrowPendingGLError(char const* file, unsigned line) {
    const GLenum code = OpenGLInterceptor::Instance()->cgmGetError(file, line);
    if (code != GL_NO_ERROR) {
        ThrowGLError(file, line, code);
    }
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
