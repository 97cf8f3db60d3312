#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"

namespace VEK {
namespace OGL {

class OpenGLInterceptorDecorator;

/// Every OpenGL call of the library goes through the process-wide chain headed by Instance():
/// one operation per entry point, named cgm and the entry point's name without "gl", taking the
/// caller's file and line before the entry point's own arguments. The OpenGL 1.1 entry points
/// come first in ASCII order, then the function table's in table order.
class VEK_EXPORT OpenGLInterceptor {
public:
    /// The head of the chain; the first call makes the error checker through the allocation
    /// hook, and throws InternalException when the hook gives no memory.
    /// Threads may make it at once: the head is published with release order and read with
    /// acquire order (a plain load on the usual processors).
    static OpenGLInterceptor* Instance() {
        OpenGLInterceptor* head = __atomic_load_n(&sInterceptor_, __ATOMIC_ACQUIRE);
        return head != nullptr ? head : CreateDefault();
    }
    /// Destroys the error checker when it heads the chain; decorators must be popped first.
    /// Throws InternalException when a decorator still heads it.
    static void Destroy();

    /// The chain is process-wide: both act on it whatever object they are called on.
    /// d's next interceptor becomes the current head (null when nothing made it yet). Throws
    /// InternalException for a null d or one already in the chain.
    void addInterceptor(OpenGLInterceptorDecorator* d);
    /// The head when it is a decorator, which is unlinked (not destroyed); otherwise null.
    /// Throws nothing.
    OpenGLInterceptorDecorator* popInterceptor();

    // One pure operation per generated row, in slot order.
#define VEK_GL_OPERATION(Slot, Return, Name, Params, Args, Trace) \
    virtual Return cgm##Name Params = 0;
#include "vek/vek_ogl/extensionator/generated/OpenGLOperations.def"

    virtual ~OpenGLInterceptor();

protected:
    OpenGLInterceptor() = default;

private:
    static OpenGLInterceptor* CreateDefault();

    OpenGLInterceptor(const OpenGLInterceptor&) = delete;
    OpenGLInterceptor& operator=(const OpenGLInterceptor&) = delete;

    static OpenGLInterceptor* sInterceptor_;
};

/// An interceptor that does its own work and forwards each call to the next one.
class VEK_EXPORT OpenGLInterceptorDecorator : public OpenGLInterceptor {
public:
    /// The next interceptor of the chain, null when none. Throws nothing.
    OpenGLInterceptor* interceptor() { return interceptor_; }
    /// The next interceptor of the chain, null when none. Throws nothing.
    const OpenGLInterceptor* interceptor() const { return interceptor_; }
    /// Sets where calls are forwarded; the chain does this when pushing. Throws nothing.
    void setInterceptor(OpenGLInterceptor* next) { interceptor_ = next; }

protected:
    /// next: where calls are forwarded. Throws nothing.
    explicit OpenGLInterceptorDecorator(OpenGLInterceptor* next = nullptr) : interceptor_(next) {}

    /// Where a call is forwarded; a decorator with nowhere to forward throws, naming the caller.
    OpenGLInterceptor& next(char const* file, unsigned line) const {
        if (interceptor_ == nullptr) {
            throwNoNext(file, line);
        }
        return *interceptor_;
    }

private:
    [[noreturn]] static void throwNoNext(char const* file, unsigned line);

    OpenGLInterceptor* interceptor_;
};

}  // namespace OGL
}  // namespace VEK
