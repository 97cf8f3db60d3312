#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"
#include "vek/vek_ogl/extensionator/OpenGLErrorChecker.h"
#include "vek/vek_ogl/extensionator/internal/InterceptorChain.h"

namespace VEK {
namespace OGL {

OpenGLInterceptor* OpenGLInterceptor::sInterceptor_ = nullptr;

OpenGLInterceptor::~OpenGLInterceptor() = default;

OpenGLInterceptor* OpenGLInterceptor::CreateDefault() {
    return internal::MadeHead<OpenGLErrorChecker>(sInterceptor_,
                                                  "No memory for the OpenGL error checker");
}

void OpenGLInterceptor::Destroy() {
    if (sInterceptor_ == nullptr) {
        return;
    }
    // The condition's text is the failure message, spacing included.
    // clang-format off
    VEK_ENFORCE(dynamic_cast<OpenGLErrorChecker *>(sInterceptor_) != NULL);
    // clang-format on
    VEK_DELETE(sInterceptor_);
    sInterceptor_ = nullptr;
}

void OpenGLInterceptor::addInterceptor(OpenGLInterceptorDecorator* d) {
    internal::PushDecorator(sInterceptor_, d);
}

OpenGLInterceptorDecorator* OpenGLInterceptor::popInterceptor() {
    return internal::PopDecorator<OpenGLInterceptorDecorator>(sInterceptor_);
}

void OpenGLInterceptorDecorator::throwNoNext(char const* file, unsigned line) {
    throw InternalException(file, static_cast<int>(line),
                            "OpenGL interceptor decorator has no next interceptor to forward to");
}

}  // namespace OGL
}  // namespace VEK
