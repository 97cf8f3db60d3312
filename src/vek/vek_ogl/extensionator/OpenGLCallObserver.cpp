#include "vek/vek_ogl/extensionator/OpenGLCallObserver.h"

namespace VEK {
namespace OGL {

OpenGLCallObserver::~OpenGLCallObserver() = default;

// What each generated row becomes in the observer: the call reported, then forwarded unchanged.
#define VEK_GL_OPERATION(Slot, Return, Name, Params, Args, Trace) \
    Return OpenGLCallObserver::cgm##Name Params {                 \
        observe(file, line, "gl" #Name);                          \
        return next(file, line).cgm##Name Args;                   \
    }
#include "vek/vek_ogl/extensionator/generated/OpenGLOperations.def"

}  // namespace OGL
}  // namespace VEK
