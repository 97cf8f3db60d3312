#pragma once

#include <string>

namespace VEK {
namespace OGL {

// The text of glGetString(name) for the current context, called directly; empty when the driver
// returns null.
std::string GetGLString(unsigned name);

}  // namespace OGL
}  // namespace VEK
