#pragma once

#include "vek/platform/WGL.h"

typedef struct _XDisplay Display;

namespace VEK {
namespace Platform {

// The WGL extensions the platform honours on a screen, decided from what its GLX offers, and the
// entry points they bring. Nothing else is advertised or handed out.
class WGLExtensions {
public:
    // Space-separated, as WGL writes it; stable for the life of the connection.
    static const char* String(Display* display, int screen);
    // The entry point of an advertised extension, or null.
    static PROC EntryPoint(Display* display, int screen, const char* name);
    static bool GLXHas(Display* display, int screen, const char* glxExtension);
};

}  // namespace Platform
}  // namespace VEK
