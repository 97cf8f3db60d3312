#include "vek/vek_ogl/extensionator/wgl/WGLInterceptor.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"
#include "vek/vek_ogl/extensionator/internal/InterceptorChain.h"
#include "vek/vek_ogl/extensionator/internal/RowExpansion.h"

namespace VEK {
namespace OGL {

WGLInterceptor* WGLInterceptor::sInterceptor_ = nullptr;

WGLInterceptor::~WGLInterceptor() = default;

WGLInterceptor* WGLInterceptor::Instance() {
    return internal::MadeHead<WGLErrorChecker>(sInterceptor_,
                                               "No memory for the WGL error checker");
}

void WGLInterceptor::Destroy() {
    if (sInterceptor_ == nullptr) {
        return;
    }
    VEK_ENFORCE(dynamic_cast<WGLErrorChecker*>(sInterceptor_) != NULL);
    VEK_DELETE(sInterceptor_);
    sInterceptor_ = nullptr;
}

void WGLInterceptor::addInterceptor(WGLInterceptorDecorator* d) {
    internal::PushDecorator(sInterceptor_, d);
}

WGLInterceptorDecorator* WGLInterceptor::popInterceptor() {
    return internal::PopDecorator<WGLInterceptorDecorator>(sInterceptor_);
}

WGLInterceptor& WGLInterceptorDecorator::next(char const* file, unsigned line) const {
    if (interceptor_ == nullptr) {
        throw InternalException(file, static_cast<int>(line),
                                "WGL interceptor decorator has no next interceptor to forward to");
    }
    return *interceptor_;
}

WGLErrorChecker::~WGLErrorChecker() = default;

namespace {

// The checker ignores file and line: WGL failures come back as the functions' own results.
template <class Function, class... Arguments>
auto CallWithoutLocation(Function function, char const* /*file*/, unsigned /*line*/,
                         Arguments... arguments) {
    return function(arguments...);
}

}  // namespace

// What each generated row becomes in the checker: the window system's function of the row.
#define VEK_WGL_OPERATION(Return, Operation, Function, Params, Args) \
    Return WGLErrorChecker::Operation Params {                       \
        return CallWithoutLocation(::Function, VEK_GL_EXPAND Args);  \
    }
#include "vek/vek_ogl/extensionator/wgl/generated/WGLOperations.def"

}  // namespace OGL
}  // namespace VEK
