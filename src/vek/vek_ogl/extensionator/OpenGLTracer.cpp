#include "vek/vek_ogl/extensionator/OpenGLTracer.h"

namespace VEK {
namespace OGL {

OpenGLTracer::~OpenGLTracer() = default;

}  // namespace OGL
}  // namespace VEK
