#include "vek/vek_ogl/extensionator/OpenGLCallObserver.h"

namespace VEK {
namespace OGL {

OpenGLCallObserver::~OpenGLCallObserver() = default;

}  // namespace OGL
}  // namespace VEK
