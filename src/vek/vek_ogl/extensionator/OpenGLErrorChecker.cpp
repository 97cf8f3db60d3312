#include "vek/vek_ogl/extensionator/OpenGLErrorChecker.h"

#include <GL/glu.h>

#include <sstream>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/ExceptionOGL.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/extensionator/internal/DebugMessages.h"
#include "vek/vek_ogl/extensionator/internal/GLErrors.h"
#include "vek/vek_ogl/extensionator/internal/ThreadCalls.h"

namespace VEK {
namespace OGL {

OpenGLErrorChecker::~OpenGLErrorChecker() = default;

void OpenGLErrorChecker::throwError(char const* file, unsigned line, GLenum code) {
    internal::ThrowGLError(file, line, code);
}

namespace {

const char kNoCurrentContext[] = "No OpenGL context is current on the calling thread";

}  // namespace

void OpenGLErrorChecker::settle(char const* file, unsigned line) {
    if (Platform::CurrentContext() == nullptr) {
        if (ExtensionManager::CurrentInitOptions().throwOnNullContext()) {
            throw InternalException(file, static_cast<int>(line), kNoCurrentContext);
        }
    } else if (internal::Calls().pairContext.load(std::memory_order_relaxed) == nullptr) {
        internal::Settle();
    }
}

void OpenGLErrorChecker::check(char const* file, unsigned line) {
    if (internal::Calls().pairContext.load(std::memory_order_relaxed) == nullptr ||
        !pairIsCurrent()) {
        const GLenum code = ::glGetError();
        if (code != GL_NO_ERROR) {
            throwError(file, line, code);
        }
    }
}

bool OpenGLErrorChecker::pairIsCurrent() {
    const HGLRC begun = internal::Calls().pairContext.load(std::memory_order_relaxed);
    if (begun == nullptr) {
        return false;
    }
    if (begun == Platform::CurrentContext()) {
        return true;
    }
    internal::ClosePair();
    return false;
}

void OpenGLErrorChecker::ForgetContext(HGLRC context) {
    internal::EndPairsOn(context);
}

void OpenGLErrorChecker::throwMissing(char const* file, unsigned line, char const* name) {
    settle(file, line);
    std::ostringstream message;
    message << name
            << " is not loaded for the current context (no context is current, or its "
               "driver lacks it): check support before calling";
    throw InternalException(file, static_cast<int>(line), message.str().c_str());
}

void OpenGLErrorChecker::openPair(char const* file, unsigned line) {
    if (pairIsCurrent()) {
        throw ExceptionOGL(file, line, "Unbalanced glBegin()!", 0);
    }
    const HGLRC context = Platform::CurrentContext();
    // Without a context (when that is allowed) the driver ignores the pair: nothing to balance.
    if (context != nullptr) {
        internal::OpenPair(context);
    }
}

void OpenGLErrorChecker::closePair(char const* file, unsigned line) {
    if (!pairIsCurrent() && Platform::CurrentContext() != nullptr) {
        throw ExceptionOGL(file, line, "Unbalanced glEnd()!", 0);
    }
    internal::ClosePair();
}

}  // namespace OGL
}  // namespace VEK
