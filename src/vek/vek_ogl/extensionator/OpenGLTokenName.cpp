#include "vek/vek_ogl/extensionator/OpenGLTokenName.h"

#include <algorithm>

using VEK::OGL::internal::kOpenGLTokenCount;
using VEK::OGL::internal::kOpenGLTokens;
using VEK::OGL::internal::OpenGLToken;

const char* VEKOGLTokenName(unsigned value) {
    const OpenGLToken* end = kOpenGLTokens + kOpenGLTokenCount;
    const OpenGLToken* found =
        std::lower_bound(kOpenGLTokens, end, value,
                         [](const OpenGLToken& token, unsigned v) { return token.value < v; });
    return found != end && found->value == value ? found->name : "Unknown Token";
}

const char* VEKOGLBoolToString(GLboolean value) {
    return (value & 0xFF) != 0 ? "GL_TRUE" : "GL_FALSE";
}
