#include "vek/vek_ogl/ogl/Object.h"

#include "vek/vek_ogl/extensionator/OpenGLTypes.h"

namespace VEK {
namespace OGL {

std::string GetGLString(unsigned name) {
    const GLubyte* text = ::glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : std::string();
}

}  // namespace OGL
}  // namespace VEK
