#pragma once

#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"

namespace VEK {
namespace OGL {
namespace internal {

// One OpenGL call made by the library, bound to the file and line it is made from:
//     VEK_GL(BindTexture)(GL_TEXTURE_2D, name);
//     VEK_GL(Finish)();
// calls the chain's operation (cgmBindTexture, cgmFinish) with the call site's file and line
// first. Code that reports at its caller's site names it: VEK_GL_AT(Finish, file, line)().
// The arguments convert to the operation's parameters as they would in the direct call.
template <class Return, class... Params>
class GLCall {
public:
    using Operation = Return (OpenGLInterceptor::*)(char const*, unsigned, Params...);

    constexpr GLCall(Operation operation, char const* file, unsigned line)
        : operation_(operation), file_(file), line_(line) {}

    Return operator()(Params... arguments) const {
        return (OpenGLInterceptor::Instance()->*operation_)(file_, line_, arguments...);
    }

private:
    Operation operation_;
    char const* file_;
    unsigned line_;
};

template <class Return, class... Params>
constexpr GLCall<Return, Params...> MakeGLCall(Return (OpenGLInterceptor::*operation)(char const*,
                                                                                      unsigned,
                                                                                      Params...),
                                               char const* file, unsigned line) {
    return GLCall<Return, Params...>(operation, file, line);
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK

#define VEK_GL_AT(Name, file, line) \
    ::VEK::OGL::internal::MakeGLCall(&::VEK::OGL::OpenGLInterceptor::cgm##Name, (file), (line))
#define VEK_GL(Name) VEK_GL_AT(Name, __FILE__, __LINE__)
