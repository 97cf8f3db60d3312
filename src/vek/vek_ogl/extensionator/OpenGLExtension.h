#pragma once

#include <cstdint>

#include "vek/Export.h"

namespace VEK {
namespace OGL {

/// Every OpenGL version, GL extension and WGL extension the library knows, numbered as the
/// generated extension rows list them; OGLEXT_UNKNOWN follows the last.
enum OpenGLExtension : std::int32_t {
#define VEK_EXTENSION(Value, Enumerator, Name) Enumerator = Value,
#include "vek/vek_ogl/extensionator/generated/OpenGLExtensions.def"
    OGLEXT_UNKNOWN
};

namespace internal {
constexpr int kOpenGLValueCount = 0
#define VEK_GL_EXTENSION(Value, Enumerator, Name) +1
#define VEK_WGL_EXTENSION(Value, Enumerator, Name)
#include "vek/vek_ogl/extensionator/generated/OpenGLExtensions.def"
    ;
}  // namespace internal

/// The last OpenGL value; WGL values follow it.
constexpr OpenGLExtension kLastOpenGLExtension =
    static_cast<OpenGLExtension>(internal::kOpenGLValueCount - 1);

/// "GL_ARB_multitexture" for OGLEXT_ARB_multitexture; null for OGLEXT_UNKNOWN and values outside
/// the enumeration. Throws nothing.
VEK_EXPORT const char* OpenGLExtensionName(OpenGLExtension extension);

}  // namespace OGL
}  // namespace VEK
