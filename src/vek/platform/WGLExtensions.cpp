#include "vek/platform/WGLExtensions.h"

#include <GL/glx.h>

#include <cstring>
#include <map>
#include <sstream>
#include <string>

#include "vek/platform/XConnection.h"

namespace VEK {
namespace Platform {

namespace {

struct EntryPointOf {
    const char* name;
    PROC address;
};

// Through the generic function-pointer type, as any look-up's result is.
template <class F>
PROC Address(F function) {
    return reinterpret_cast<PROC>(reinterpret_cast<void (*)()>(function));
}

struct Extension {
    const char* name;
    const char* needs;  // the GLX extension it stands on, or null
    EntryPointOf entryPoints[5];
};

// Render-to-texture has no GLX counterpart here and is not listed: framebuffer objects serve.
const Extension kExtensions[] = {
    {"WGL_ARB_create_context",
     "GLX_ARB_create_context",
     {{"wglCreateContextAttribsARB", Address(&wglCreateContextAttribsARB)}}},
    {"WGL_ARB_create_context_profile", "GLX_ARB_create_context_profile", {}},
    {"WGL_ARB_extensions_string",
     nullptr,
     {{"wglGetExtensionsStringARB", Address(&wglGetExtensionsStringARB)}}},
    {"WGL_ARB_multisample", "GLX_ARB_multisample", {}},
    {"WGL_ARB_pbuffer",
     nullptr,
     {{"wglCreatePbufferARB", Address(&wglCreatePbufferARB)},
      {"wglDestroyPbufferARB", Address(&wglDestroyPbufferARB)},
      {"wglGetPbufferDCARB", Address(&wglGetPbufferDCARB)},
      {"wglQueryPbufferARB", Address(&wglQueryPbufferARB)},
      {"wglReleasePbufferDCARB", Address(&wglReleasePbufferDCARB)}}},
    {"WGL_ARB_pixel_format",
     nullptr,
     {{"wglChoosePixelFormatARB", Address(&wglChoosePixelFormatARB)},
      {"wglGetPixelFormatAttribfvARB", Address(&wglGetPixelFormatAttribfvARB)},
      {"wglGetPixelFormatAttribivARB", Address(&wglGetPixelFormatAttribivARB)}}},
    {"WGL_ARB_pixel_format_float", "GLX_ARB_fbconfig_float", {}},
    {"WGL_EXT_swap_control",
     nullptr,
     {{"wglGetSwapIntervalEXT", Address(&wglGetSwapIntervalEXT)},
      {"wglSwapIntervalEXT", Address(&wglSwapIntervalEXT)}}},
};

bool Honoured(Display* display, int screen, const Extension& e) {
    return e.needs == nullptr || WGLExtensions::GLXHas(display, screen, e.needs);
}

}  // namespace

bool WGLExtensions::GLXHas(Display* display, int screen, const char* glxExtension) {
    const char* list = display ? glXQueryExtensionsString(display, screen) : nullptr;
    std::istringstream words(list ? list : "");
    std::string word;
    while (words >> word) {
        if (word == glxExtension) {
            return true;
        }
    }
    return false;
}

const char* WGLExtensions::String(Display* display, int screen) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    static auto* strings = new std::map<int, std::string>;
    auto it = strings->find(screen);
    if (it == strings->end()) {
        std::string text;
        for (const Extension& e : kExtensions) {
            if (Honoured(display, screen, e)) {
                text += text.empty() ? "" : " ";
                text += e.name;
            }
        }
        it = strings->emplace(screen, text).first;
    }
    return it->second.c_str();
}

PROC WGLExtensions::EntryPoint(Display* display, int screen, const char* name) {
    for (const Extension& e : kExtensions) {
        for (const EntryPointOf& p : e.entryPoints) {
            if (p.name && std::strcmp(p.name, name) == 0) {
                return Honoured(display, screen, e) ? p.address : nullptr;
            }
        }
    }
    return nullptr;
}

}  // namespace Platform
}  // namespace VEK
