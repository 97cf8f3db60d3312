#include "vek/vek_ogl/ogl/Object.h"

#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"

namespace VEK {
namespace OGL {

std::string GetGLString(unsigned name) {
    const GLubyte* text = ::glGetString(name);
    if (text == nullptr) {
        // A name the driver refuses raises an error; the empty answer is the whole report, so
        // the error is taken back rather than left for the next checked call to throw.
        ::glGetError();
        return std::string();
    }
    return reinterpret_cast<const char*>(text);
}

Object::Object(unsigned target, unsigned targetBinding)
    : objectID_(0), target_(target), targetBinding_(targetBinding) {}

Object::~Object() = default;

unsigned Object::getBoundID() const {
    GLint bound = 0;
    VEK_GL(GetIntegerv)(targetBinding_, &bound);
    return static_cast<unsigned>(bound);
}

}  // namespace OGL
}  // namespace VEK
