#pragma once

#include "vek/vek_ogl/extensionator/OpenGLTypes.h"

namespace VEK {
namespace OGL {
namespace internal {

// Throws the ExceptionOGL the error checker throws for the code: the driver's words for it and
// the debug messages the driver left, with the caller's file and line.
[[noreturn]] void ThrowGLError(char const* file, unsigned line, GLenum code);

// Takes an error left pending by earlier code through the checked glGetError and throws it as
// the checker would. Calls that make a name and return it (glCreateShader, glCreateProgram)
// come after it: the checker would throw their name away with the pending error.
void ThrowPendingGLError(char const* file, unsigned line);

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
