#pragma once

#include "vek/Export.h"
#include "vek/platform/System.h"

namespace VEK {
namespace OGL {

class WGLInterceptorDecorator;

/// Every window-system call of the library goes through the process-wide chain headed by
/// Instance(), with the caller's file and line, like the OpenGL calls.
class VEK_EXPORT WGLInterceptor {
public:
    /// The head of the chain; the first call makes the default WGLErrorChecker, and throws
    /// InternalException when the allocation hook gives no memory for it.
    static WGLInterceptor* Instance();
    /// Destroys the checker when it heads the chain; decorators must be popped first. Throws
    /// InternalException when a decorator still heads it.
    static void Destroy();

    /// Both act on the process-wide chain whatever object they are called on.
    /// d's next interceptor becomes the current head. Throws InternalException for a null d or
    /// one already in the chain.
    void addInterceptor(WGLInterceptorDecorator* d);
    /// The head when it is a decorator, which is unlinked (not destroyed); otherwise null.
    /// Throws nothing.
    WGLInterceptorDecorator* popInterceptor();

    // One pure operation per generated row, in slot order.
#define VEK_WGL_OPERATION(Return, Operation, Function, Params, Args) \
    virtual Return Operation Params = 0;
#include "vek/vek_ogl/extensionator/wgl/generated/WGLOperations.def"

    virtual ~WGLInterceptor();

protected:
    WGLInterceptor() = default;

private:
    WGLInterceptor(const WGLInterceptor&) = delete;
    WGLInterceptor& operator=(const WGLInterceptor&) = delete;

    static WGLInterceptor* sInterceptor_;
};

/// A WGL interceptor that does its own work and forwards to the next one.
class VEK_EXPORT WGLInterceptorDecorator : public WGLInterceptor {
public:
    /// The next interceptor of the chain, null when none. Throws nothing.
    WGLInterceptor* interceptor() { return interceptor_; }
    /// The next interceptor of the chain, null when none. Throws nothing.
    const WGLInterceptor* interceptor() const { return interceptor_; }
    /// Sets where calls are forwarded; the chain does this when pushing. Throws nothing.
    void setInterceptor(WGLInterceptor* next) { interceptor_ = next; }

protected:
    /// next: where calls are forwarded. Throws nothing.
    explicit WGLInterceptorDecorator(WGLInterceptor* next = nullptr) : interceptor_(next) {}

    /// Where a call is forwarded; a decorator with nowhere to forward throws, naming the caller.
    WGLInterceptor& next(char const* file, unsigned line) const;

private:
    WGLInterceptor* interceptor_;
};

/// The end of the chain: calls the window system's function and returns its result, which is
/// how WGL reports failure.
class VEK_EXPORT WGLErrorChecker : public WGLInterceptor {
public:
    /// Throws nothing; Instance() makes the chain's checker.
    WGLErrorChecker() = default;
    /// Throws nothing.
    ~WGLErrorChecker() override;

#define VEK_WGL_OPERATION(Return, Operation, Function, Params, Args) \
    Return Operation Params override;
#include "vek/vek_ogl/extensionator/wgl/generated/WGLOperations.def"
};

}  // namespace OGL
}  // namespace VEK
