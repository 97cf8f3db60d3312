#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"

namespace VEK {
namespace OGL {

// The end of every chain: makes each call (OpenGL 1.1 directly, the rest through the current
// context's function table) and turns a GL error into ExceptionOGL with the caller's file and
// line. Between glBegin and glEnd no error may be queried, so errors raised there surface at
// glEnd.
class VEK_EXPORT OpenGLErrorChecker : public OpenGLInterceptor {
public:
    OpenGLErrorChecker() = default;
    ~OpenGLErrorChecker() override;

#include "vek/vek_ogl/extensionator/generated/OpenGLOverrideOperations.inc"

private:
    void check(char const* file, unsigned line) const {
        if (!insideBeginEnd_) {
            const GLenum code = ::glGetError();
            if (code != GL_NO_ERROR) {
                throwError(file, line, code);
            }
        }
    }
    [[noreturn]] static void throwError(char const* file, unsigned line, GLenum code);
    [[noreturn]] static void throwMissing(char const* file, unsigned line, char const* name);

    bool insideBeginEnd_ = false;
};

}  // namespace OGL
}  // namespace VEK
