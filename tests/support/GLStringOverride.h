#pragma once

#include <GL/gl.h>

namespace VEKTest {

// Scripted answers for glGetString as the library sees it, for driver texts the real driver
// cannot be made to report (vendor words, an empty version). A program linking this defines
// glGetString itself, ahead of libGL's; names without a script go to the driver.
void OverrideGLString(GLenum name, const char* text);
// The driver refuses name as it refuses a name it does not know: glGetString returns null and
// the driver raises GL_INVALID_ENUM (a driver without GLSL and its shading-language version).
void RefuseGLString(GLenum name);
void ClearGLStringOverrides();

}  // namespace VEKTest
