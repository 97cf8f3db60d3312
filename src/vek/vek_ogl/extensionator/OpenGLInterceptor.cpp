#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"
#include "vek/vek_ogl/extensionator/OpenGLErrorChecker.h"

namespace VEK {
namespace OGL {

OpenGLInterceptor* OpenGLInterceptor::sInterceptor_ = nullptr;

OpenGLInterceptor::~OpenGLInterceptor() = default;

OpenGLInterceptor* OpenGLInterceptor::CreateDefault() {
    if (sInterceptor_ == nullptr) {
        sInterceptor_ = VEK_NEW(OpenGLErrorChecker)();
    }
    return sInterceptor_;
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
    VEK_ASSERT(d != NULL);
    VEK_ASSERT(d != sInterceptor_);
    d->setInterceptor(sInterceptor_);
    sInterceptor_ = d;
}

OpenGLInterceptorDecorator* OpenGLInterceptor::popInterceptor() {
    auto* head = dynamic_cast<OpenGLInterceptorDecorator*>(sInterceptor_);
    if (head != nullptr) {
        sInterceptor_ = head->interceptor();
    }
    return head;
}

void OpenGLInterceptorDecorator::throwNoNext(char const* file, unsigned line) {
    throw InternalException(file, static_cast<int>(line),
                            "OpenGL interceptor decorator has no next interceptor to forward to");
}

}  // namespace OGL
}  // namespace VEK
