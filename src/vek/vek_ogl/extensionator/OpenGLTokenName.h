#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"

/// The name of the OpenGL constant with this value, one name per value (GL_TEXTURE_2D for
/// 0x0DE1), or "Unknown Token". A static string. Throws nothing.
VEK_EXPORT const char* VEKOGLTokenName(unsigned value);
/// "GL_TRUE" when the low byte is non-zero, else "GL_FALSE". Throws nothing.
VEK_EXPORT const char* VEKOGLBoolToString(GLboolean value);

namespace VEK {
namespace OGL {
namespace internal {

/// One row of the token name table.
struct OpenGLToken {
    unsigned value;    ///< the constant's value
    const char* name;  ///< its name, "GL_TEXTURE_2D"
};

/// Sorted by value.
extern const OpenGLToken kOpenGLTokens[];
extern const unsigned kOpenGLTokenCount;

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
