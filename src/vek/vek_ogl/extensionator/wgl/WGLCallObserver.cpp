#include "vek/vek_ogl/extensionator/wgl/WGLCallObserver.h"

namespace VEK {
namespace OGL {

WGLCallObserver::~WGLCallObserver() = default;

}  // namespace OGL
}  // namespace VEK
