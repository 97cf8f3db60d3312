#pragma once

#include <string>

#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"

namespace VEK {
namespace OGL {
namespace internal {

// The driver's words for the errors of the current context: the API's error messages in its
// debug message log (oldest first, separated by "; "), which is read empty on the way; messages
// of other kinds are dropped. Empty without the entry points, without a context, or when the
// driver logged nothing (debug output off, or a callback of the host's receiving the messages
// instead of the log). Made for the error path: it raises no GL error of its own.
std::string TakeDriverErrorMessages();

// Debug output for a context the library made, current on the calling thread: GL_DEBUG_OUTPUT
// (where it can be switched) and GL_DEBUG_OUTPUT_SYNCHRONOUS on, and only the API's error
// messages let into the log. Nothing without the entry points.
void EnableDriverErrorMessages(ExtensionManager::DebugEntryPoints const& entryPoints);

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
