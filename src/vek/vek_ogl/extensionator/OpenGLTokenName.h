#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"

/// The name of the OpenGL constant with this value, one name per value (GL_TEXTURE_2D for
/// 0x0DE1), or "Unknown Token". A static string.
VEK_EXPORT const char* VEKOGLTokenName(unsigned value);
/// "GL_TRUE" when the low byte is non-zero, else "GL_FALSE".
VEK_EXPORT const char* VEKOGLBoolToString(GLboolean value);

namespace VEK {
namespace OGL {
namespace internal {

struct OpenGLToken {
    unsigned value;
    const char* name;
};

/// Sorted by value.
extern const OpenGLToken kOpenGLTokens[];
extern const unsigned kOpenGLTokenCount;

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
