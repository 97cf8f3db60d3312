#pragma once

#include <string>

#include "vek/Export.h"

namespace VEK {
namespace OGL {

// The text of glGetString(name) for the current context, called directly; empty when the driver
// returns null.
VEK_EXPORT std::string GetGLString(unsigned name);

}  // namespace OGL
}  // namespace VEK
