#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/extensionator/wgl/WGLInterceptor.h"

namespace VEK {
namespace OGL {

/// A WGL decorator that reports every call to observe() and forwards it unchanged; derive from
/// it to watch, or override an operation to change what the window system answers.
class VEK_EXPORT WGLCallObserver : public WGLInterceptorDecorator {
public:
    /// next: where calls are forwarded (set by the chain when pushed). Throws nothing.
    explicit WGLCallObserver(WGLInterceptor* next = nullptr) : WGLInterceptorDecorator(next) {}
    ~WGLCallObserver() override;

#define VEK_WGL_OPERATION(Return, Operation, Function, Params, Args) \
    Return Operation Params override;
#include "vek/vek_ogl/extensionator/wgl/generated/WGLOperations.def"

protected:
    /// function is the window-system name, "wglMakeCurrent". An exception stops the call.
    virtual void observe(char const* file, unsigned line, char const* function) = 0;
};

}  // namespace OGL
}  // namespace VEK
