#include "vek/vek_ogl/extensionator/wgl/WGLCallObserver.h"

namespace VEK {
namespace OGL {

WGLCallObserver::~WGLCallObserver() = default;

// What each generated row becomes in the observer: the call reported, then forwarded unchanged.
#define VEK_WGL_OPERATION(Return, Operation, Function, Params, Args) \
    Return WGLCallObserver::Operation Params {                       \
        observe(file, line, #Function);                              \
        return next(file, line).Operation Args;                      \
    }
#include "vek/vek_ogl/extensionator/wgl/generated/WGLOperations.def"

}  // namespace OGL
}  // namespace VEK
