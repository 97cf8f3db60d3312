#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"

namespace VEK {
namespace OGL {

namespace {

// Stores the lookup's result, null included; true when it found the entry point.
template <class Pointer>
bool Load(Pointer& slot, internal::EntryPoint found) {
    slot = reinterpret_cast<Pointer>(found);
    return slot != nullptr;
}

}  // namespace

// A group's loader looks up each of its entry points in table order, every one even after a
// miss, and is true when all were found.
#define VEK_GL_LOAD(name) complete = Load(t.name, lookupGL(#name)) && complete;
#define VEK_GL_DEFINE_LOADER(Group, Enumerator, First, Count) \
    bool ExtensionManager::init_##Group() {                   \
        FunctionTable& t = *tableExt_;                        \
        bool complete = true;                                 \
        VEK_GL_GROUP_##Group(VEK_GL_LOAD) return complete;    \
    }
VEK_GL_TABLE_GROUPS(VEK_GL_DEFINE_LOADER)
#undef VEK_GL_DEFINE_LOADER
#undef VEK_GL_LOAD

bool ExtensionManager::initializeGL(OpenGLExtension extension) {
    switch (extension) {
#define VEK_GL_LOADER_CASE(Group, Enumerator, First, Count) \
    case Enumerator:                                        \
        return init_##Group();
        VEK_GL_TABLE_GROUPS(VEK_GL_LOADER_CASE)
#undef VEK_GL_LOADER_CASE
        default:
            // OpenGL values without entry points need no loading; WGL values and unknown ones
            // are not OpenGL's to load.
            return extension >= 0 && extension <= kLastOpenGLExtension;
    }
}

}  // namespace OGL
}  // namespace VEK
