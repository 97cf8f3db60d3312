#include "vek/vek_ogl/extensionator/OpenGLErrorChecker.h"

#include <GL/glu.h>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/ExceptionOGL.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"

namespace VEK {
namespace OGL {

OpenGLErrorChecker::~OpenGLErrorChecker() = default;

void OpenGLErrorChecker::throwError(char const* file, unsigned line, GLenum code) {
    throw ExceptionOGL(file, line, reinterpret_cast<const char*>(::gluErrorString(code)), code);
}

namespace {

const char kNoCurrentContext[] = "No OpenGL context is current on the calling thread";

}  // namespace

void OpenGLErrorChecker::noContext(char const* file, unsigned line) {
    if (ExtensionManager::CurrentInitOptions().throwOnNullContext()) {
        throw InternalException(file, static_cast<int>(line), kNoCurrentContext);
    }
}

bool OpenGLErrorChecker::pairIsCurrent() {
    if (beginContext_ == Platform::CurrentContext()) {
        return true;
    }
    insideBeginEnd_ = false;
    beginContext_ = nullptr;
    return false;
}

void OpenGLErrorChecker::ForgetContext(HGLRC context) {
    OpenGLInterceptor* link = Head();
    while (auto* decorator = dynamic_cast<OpenGLInterceptorDecorator*>(link)) {
        link = decorator->interceptor();
    }
    if (auto* checker = dynamic_cast<OpenGLErrorChecker*>(link)) {
        if (checker->insideBeginEnd_ && checker->beginContext_ == context) {
            checker->insideBeginEnd_ = false;
            checker->beginContext_ = nullptr;
        }
    }
}

void OpenGLErrorChecker::throwMissing(char const* file, unsigned line, char const* name) {
    if (Platform::CurrentContext() == nullptr) {
        noContext(file, line);
    }
    std::ostringstream message;
    message << name
            << " is not loaded for the current context (no context is current, or its "
               "driver lacks it): check support before calling";
    throw InternalException(file, static_cast<int>(line), message.str().c_str());
}

void OpenGLErrorChecker::openPair(char const* file, unsigned line) {
    if (insideBeginEnd_ && pairIsCurrent()) {
        throw ExceptionOGL(file, line, "Unbalanced glBegin()!", 0);
    }
    insideBeginEnd_ = true;
    beginContext_ = Platform::CurrentContext();
}

void OpenGLErrorChecker::closePair(char const* file, unsigned line) {
    if (!insideBeginEnd_ || !pairIsCurrent()) {
        throw ExceptionOGL(file, line, "Unbalanced glEnd()!", 0);
    }
    insideBeginEnd_ = false;
    beginContext_ = nullptr;
}

}  // namespace OGL
}  // namespace VEK
