#include "vek/vek_ogl/extensionator/OpenGLTracer.h"

#include <string>

#include "vek/vek_ogl/ExceptionOGL.h"

namespace VEK {
namespace OGL {

OpenGLTracer::~OpenGLTracer() = default;

void OpenGLTracer::writeDriverMessage(ExceptionOGL const& error) const {
    if (!driverMessages_ || error.driverMessage().empty()) {
        return;
    }
    // One write, as the call's line.
    *stream_ << "    driver: " + error.driverMessage() + "\n";
}

}  // namespace OGL
}  // namespace VEK
