#pragma once

#include <string>
#include <vector>

#include "vek/Export.h"
#include "vek/platform/System.h"

namespace VEK {
namespace Platform {

// One output of an adapter, as a display enumeration describes it.
struct DisplayOutput {
    // The RandR output name, qualified with "@<screen>" on screens other than the first so that
    // names stay unique on a server with several screens.
    std::string deviceName;
    RECT desktopCoordinates;  // the CRTC's area; all zero when not attached
    bool attachedToDesktop;   // connected and driven by a CRTC
};

// One adapter: an X screen, described by the renderer that draws on it.
struct DisplayAdapter {
    std::string description;  // the renderer's name (GLX_MESA_query_renderer)
    unsigned deviceId;        // the renderer's device id, 0 where unknown
    std::vector<DisplayOutput> outputs;
};

// The display questions of the context layer, answered from the X screens and RandR.
class VEK_EXPORT Displays {
public:
    // Every adapter in screen order, each with its outputs in RandR order. False, with the last
    // error set, when no X server answers.
    static bool Adapters(std::vector<DisplayAdapter>& adapters);
    // The output that shows a window: the attached output of the window's screen that contains
    // the window's centre, else the attached one nearest to it. False, with the last error set,
    // for a window X does not know or a screen without attached outputs.
    static bool ContainingOutput(HWND window, DisplayOutput& output);

    // The adapter (X screen) a device context draws on, or a rendering context was made for;
    // -1, with the last error set, for a handle that is not live.
    static int AdapterOf(HDC deviceContext);
    static int AdapterOf(HGLRC renderContext);
    // The desktop (root) window of an adapter: a top-level window created with it as its parent
    // goes on that adapter. Null, with the last error set, for an adapter the server lacks.
    static HWND DesktopWindow(unsigned adapter);
};

}  // namespace Platform
}  // namespace VEK
