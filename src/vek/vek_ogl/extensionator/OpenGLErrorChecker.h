#pragma once

#include "vek/Export.h"
#include "vek/platform/WGL.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"

namespace VEK {
namespace OGL {

// The end of every chain: makes each call (OpenGL 1.1 directly, the rest through the current
// context's function table) and turns a GL error into ExceptionOGL with the caller's file and
// line. Between glBegin and glEnd no error may be queried, so errors raised there surface at
// glEnd. A pair belongs to the context current at glBegin: once another context is current (or
// that one is deleted) the pair is over and errors are checked again.
//
// With no context current, a call throws InternalException "No OpenGL context is current on
// the calling thread" while the current options' throwOnNullContext holds; without it, an
// OpenGL 1.1 call goes to the driver (which ignores it) and any other fails as not loaded.
class VEK_EXPORT OpenGLErrorChecker : public OpenGLInterceptor {
public:
    OpenGLErrorChecker() = default;
    ~OpenGLErrorChecker() override;

#include "vek/vek_ogl/extensionator/generated/OpenGLOverrideOperations.inc"

    // Ends a glBegin/glEnd pair begun on the context, which is going away.
    static void ForgetContext(HGLRC context);

private:
    // One thread-local load and a branch on the path of every call.
    static void requireContext(char const* file, unsigned line) {
        if (Platform::CurrentContext() == nullptr) {
            noContext(file, line);
        }
    }
    static void noContext(char const* file, unsigned line);

    void check(char const* file, unsigned line) {
        if (!insideBeginEnd_ || !pairIsCurrent()) {
            const GLenum code = ::glGetError();
            if (code != GL_NO_ERROR) {
                throwError(file, line, code);
            }
        }
    }
    // Whether the open pair belongs to the current context; ends it when it does not.
    bool pairIsCurrent();
    [[noreturn]] static void throwError(char const* file, unsigned line, GLenum code);
    [[noreturn]] static void throwMissing(char const* file, unsigned line, char const* name);

    bool insideBeginEnd_ = false;
    HGLRC beginContext_ = nullptr;
};

}  // namespace OGL
}  // namespace VEK
