#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"

namespace VEK {
namespace OGL {

/// A decorator that reports every call to observe() and forwards it unchanged: derive from it
/// to watch the library's OpenGL calls with their callers' file and line.
class VEK_EXPORT OpenGLCallObserver : public OpenGLInterceptorDecorator {
public:
    /// next: where calls are forwarded (set by the chain when pushed). Throws nothing.
    explicit OpenGLCallObserver(OpenGLInterceptor* next = nullptr)
        : OpenGLInterceptorDecorator(next) {}
    ~OpenGLCallObserver() override;

#define VEK_GL_OPERATION(Slot, Return, Name, Params, Args, Trace) Return cgm##Name Params override;
#include "vek/vek_ogl/extensionator/generated/OpenGLOperations.def"

protected:
    /// entryPoint is the OpenGL name, "glBindTexture". Called before forwarding; an exception
    /// stops the call.
    virtual void observe(char const* file, unsigned line, char const* entryPoint) = 0;
};

}  // namespace OGL
}  // namespace VEK
