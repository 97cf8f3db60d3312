#include "vek/vek_ogl/extensionator/wgl/ExtensionsWGL.h"

#include <cstring>
#include <mutex>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/extensionator/wgl/WGLInterceptor.h"

namespace VEK {
namespace OGL {

#define VEK_WGL_DEFINE_POINTER(Return, Name, Params) PFN_wcgm##Name _wcgm##Name = nullptr;
#define VEK_WGL_DEFINE_POINTERS(Extension, Enumerator) \
    VEK_WGL_ENTRY_POINTS_##Extension(VEK_WGL_DEFINE_POINTER)
VEK_WGL_LOADED_EXTENSIONS(VEK_WGL_DEFINE_POINTERS)
#undef VEK_WGL_DEFINE_POINTERS
#undef VEK_WGL_DEFINE_POINTER

namespace {

// The pointers are process-wide and every context's manager loads them, from several threads at
// once: loaders run one at a time, and a slot is written only when the answer differs from what
// it holds, so a manager that finds the same pointers writes nothing that callers are reading.
std::mutex& LoaderMutex() {
    static std::mutex loading;
    return loading;
}

// Looks the entry point up through the WGL chain and stores the result, null included.
template <class Pointer>
bool Load(Pointer& slot, const char* name) {
    // Through void (*)(), the type every function pointer may pass through.
    const auto found = reinterpret_cast<Pointer>(reinterpret_cast<void (*)()>(
        WGLInterceptor::Instance()->wcgmGetProcAddress(__FILE__, __LINE__, name)));
    if (slot != found) {
        slot = found;
    }
    return found != nullptr;
}

}  // namespace

// An extension's loader looks up each of its entry points in the rows' order, every one even
// after a miss, and is true when all were found.
#define VEK_WGL_LOAD(Return, Name, Params) complete = Load(_wcgm##Name, "wgl" #Name) && complete;
#define VEK_WGL_DEFINE_LOADER(Extension, Enumerator)                    \
    bool ExtensionManager::init_##Extension() {                         \
        bool complete = true;                                           \
        VEK_WGL_ENTRY_POINTS_##Extension(VEK_WGL_LOAD) return complete; \
    }
VEK_WGL_LOADED_EXTENSIONS(VEK_WGL_DEFINE_LOADER)
#undef VEK_WGL_DEFINE_LOADER
#undef VEK_WGL_LOAD

bool ExtensionManager::initializeWGL(OpenGLExtension extension) {
    std::lock_guard<std::mutex> lock(LoaderMutex());
    switch (extension) {
#define VEK_WGL_LOADER_CASE(Extension, Enumerator) \
    case Enumerator:                               \
        return init_##Extension();
        VEK_WGL_LOADED_EXTENSIONS(VEK_WGL_LOADER_CASE)
#undef VEK_WGL_LOADER_CASE
#define VEK_WGL_PLAIN_CASE(Extension, Enumerator) case Enumerator:
        VEK_WGL_PLAIN_EXTENSIONS(VEK_WGL_PLAIN_CASE)
#undef VEK_WGL_PLAIN_CASE
        return true;  // no entry points
        default:
            return false;
    }
}

OpenGLExtension ExtensionManager::nameToEnumWGL(char const* name) {
    if (name == nullptr) {
        return OGLEXT_UNKNOWN;
    }
    for (int value = kLastOpenGLExtension + 1; value < OGLEXT_UNKNOWN; ++value) {
        const auto extension = static_cast<OpenGLExtension>(value);
        if (std::strcmp(OpenGLExtensionName(extension), name) == 0) {
            return extension;
        }
    }
    return OGLEXT_UNKNOWN;
}

void ExtensionManager::addWGLInterceptor(WGLInterceptorDecorator* decorator) {
    WGLInterceptor* head = WGLInterceptor::Instance();
    VEK_ENFORCE(head != NULL);
    head->addInterceptor(decorator);
}

WGLInterceptorDecorator* ExtensionManager::popWGLInterceptor() {
    WGLInterceptor* head = WGLInterceptor::Instance();
    VEK_ENFORCE(head != NULL);
    return head->popInterceptor();
}

}  // namespace OGL
}  // namespace VEK
