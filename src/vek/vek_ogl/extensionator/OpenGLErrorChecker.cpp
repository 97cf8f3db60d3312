#include "vek/vek_ogl/extensionator/OpenGLErrorChecker.h"

#include <GL/glu.h>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/ExceptionOGL.h"

namespace VEK {
namespace OGL {

OpenGLErrorChecker::~OpenGLErrorChecker() = default;

void OpenGLErrorChecker::throwError(char const* file, unsigned line, GLenum code) {
    throw ExceptionOGL(file, line, reinterpret_cast<const char*>(::gluErrorString(code)), code);
}

void OpenGLErrorChecker::throwMissing(char const* file, unsigned line, char const* name) {
    std::ostringstream message;
    message << name
            << " is not loaded for the current context (no context is current, or its "
               "driver lacks it): check support before calling";
    throw InternalException(file, static_cast<int>(line), message.str().c_str());
}

void OpenGLErrorChecker::openPair(char const* file, unsigned line) {
    if (insideBeginEnd_) {
        throw ExceptionOGL(file, line, "Unbalanced glBegin()!", 0);
    }
    insideBeginEnd_ = true;
}

void OpenGLErrorChecker::closePair(char const* file, unsigned line) {
    if (!insideBeginEnd_) {
        throw ExceptionOGL(file, line, "Unbalanced glEnd()!", 0);
    }
    insideBeginEnd_ = false;
}

}  // namespace OGL
}  // namespace VEK
