#include "vek/vek_ogl/extensionator/wgl/ExtensionsWGL.h"

#include <cstring>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/extensionator/wgl/WGLInterceptor.h"

namespace VEK {
namespace OGL {

PFN_wcgmCreateContextAttribsARB _wcgmCreateContextAttribsARB = nullptr;
PFN_wcgmGetExtensionsStringARB _wcgmGetExtensionsStringARB = nullptr;
PFN_wcgmCreatePbufferARB _wcgmCreatePbufferARB = nullptr;
PFN_wcgmDestroyPbufferARB _wcgmDestroyPbufferARB = nullptr;
PFN_wcgmGetPbufferDCARB _wcgmGetPbufferDCARB = nullptr;
PFN_wcgmQueryPbufferARB _wcgmQueryPbufferARB = nullptr;
PFN_wcgmReleasePbufferDCARB _wcgmReleasePbufferDCARB = nullptr;
PFN_wcgmChoosePixelFormatARB _wcgmChoosePixelFormatARB = nullptr;
PFN_wcgmGetPixelFormatAttribfvARB _wcgmGetPixelFormatAttribfvARB = nullptr;
PFN_wcgmGetPixelFormatAttribivARB _wcgmGetPixelFormatAttribivARB = nullptr;
PFN_wcgmBindTexImageARB _wcgmBindTexImageARB = nullptr;
PFN_wcgmReleaseTexImageARB _wcgmReleaseTexImageARB = nullptr;
PFN_wcgmSetPbufferAttribARB _wcgmSetPbufferAttribARB = nullptr;
PFN_wcgmGetSwapIntervalEXT _wcgmGetSwapIntervalEXT = nullptr;
PFN_wcgmSwapIntervalEXT _wcgmSwapIntervalEXT = nullptr;

namespace {

// Looks the entry point up through the WGL chain and stores the result, null included.
template <class Pointer>
bool Load(Pointer& slot, const char* name) {
    // Through void (*)(), the type every function pointer may pass through.
    slot = reinterpret_cast<Pointer>(reinterpret_cast<void (*)()>(
        WGLInterceptor::Instance()->wcgmGetProcAddress(__FILE__, __LINE__, name)));
    return slot != nullptr;
}

}  // namespace

// Every lookup of an extension is made, even after one has failed.
bool ExtensionManager::init_WGL_ARB_create_context() {
    return Load(_wcgmCreateContextAttribsARB, "wglCreateContextAttribsARB");
}

bool ExtensionManager::init_WGL_ARB_extensions_string() {
    return Load(_wcgmGetExtensionsStringARB, "wglGetExtensionsStringARB");
}

bool ExtensionManager::init_WGL_ARB_pbuffer() {
    bool complete = Load(_wcgmCreatePbufferARB, "wglCreatePbufferARB");
    complete = Load(_wcgmDestroyPbufferARB, "wglDestroyPbufferARB") && complete;
    complete = Load(_wcgmGetPbufferDCARB, "wglGetPbufferDCARB") && complete;
    complete = Load(_wcgmQueryPbufferARB, "wglQueryPbufferARB") && complete;
    return Load(_wcgmReleasePbufferDCARB, "wglReleasePbufferDCARB") && complete;
}

bool ExtensionManager::init_WGL_ARB_pixel_format() {
    bool complete = Load(_wcgmChoosePixelFormatARB, "wglChoosePixelFormatARB");
    complete = Load(_wcgmGetPixelFormatAttribfvARB, "wglGetPixelFormatAttribfvARB") && complete;
    return Load(_wcgmGetPixelFormatAttribivARB, "wglGetPixelFormatAttribivARB") && complete;
}

bool ExtensionManager::init_WGL_ARB_render_texture() {
    bool complete = Load(_wcgmBindTexImageARB, "wglBindTexImageARB");
    complete = Load(_wcgmReleaseTexImageARB, "wglReleaseTexImageARB") && complete;
    return Load(_wcgmSetPbufferAttribARB, "wglSetPbufferAttribARB") && complete;
}

bool ExtensionManager::init_WGL_EXT_swap_control() {
    bool complete = Load(_wcgmGetSwapIntervalEXT, "wglGetSwapIntervalEXT");
    return Load(_wcgmSwapIntervalEXT, "wglSwapIntervalEXT") && complete;
}

bool ExtensionManager::initializeWGL(OpenGLExtension extension) {
    switch (extension) {
        case OGLEXT_WGL_ARB_create_context:
            return init_WGL_ARB_create_context();
        case OGLEXT_WGL_ARB_extensions_string:
            return init_WGL_ARB_extensions_string();
        case OGLEXT_WGL_ARB_pbuffer:
            return init_WGL_ARB_pbuffer();
        case OGLEXT_WGL_ARB_pixel_format:
            return init_WGL_ARB_pixel_format();
        case OGLEXT_WGL_ARB_render_texture:
            return init_WGL_ARB_render_texture();
        case OGLEXT_WGL_EXT_swap_control:
            return init_WGL_EXT_swap_control();
        case OGLEXT_WGL_ARB_create_context_profile:
        case OGLEXT_WGL_ARB_multisample:
        case OGLEXT_WGL_ARB_pixel_format_float:
        case OGLEXT_WGL_NV_float_buffer:
        case OGLEXT_WGL_NV_render_texture_rectangle:
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
