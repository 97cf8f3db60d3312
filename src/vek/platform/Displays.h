#pragma once

#include <string>
#include <vector>

#include "vek/Export.h"
#include "vek/platform/System.h"

namespace VEK {
namespace Platform {

/// One output of an adapter, as a display enumeration describes it.
struct DisplayOutput {
    /// The RandR output name, qualified with "@<screen>" on screens other than the first so that
    /// names stay unique on a server with several screens.
    std::string deviceName;
    /// The CRTC's area in desktop coordinates; all zero when not attached.
    RECT desktopCoordinates;  // the CRTC's area; all zero when not attached
    bool attachedToDesktop;   // connected and driven by a CRTC
};
/// @var DisplayOutput::attachedToDesktop
/// Connected and driven by a CRTC.

/// One adapter: an X screen, described by the renderer that draws on it.
struct DisplayAdapter {
    /// The renderer's name (GLX_MESA_query_renderer).
    std::string description;  // the renderer's name (GLX_MESA_query_renderer)
    unsigned deviceId;        // the renderer's device id, 0 where unknown
    /// The screen's RandR outputs, in RandR order.
    std::vector<DisplayOutput> outputs;
};
/// @var DisplayAdapter::deviceId
/// The renderer's device id (GLX_MESA_query_renderer), 0 where unknown.

/// The display questions of the context layer, answered from the X screens and RandR. Failures
/// are reported by the result and the last error (GetLastError), never by throwing.
class VEK_EXPORT Displays {
public:
    /// Every adapter in screen order, each with its outputs in RandR order. False, with the last
    /// error set and the list emptied, when no X server answers or X reports an error.
    static bool Adapters(std::vector<DisplayAdapter>& adapters);
    /// The output that shows a window: the attached output of the window's screen that contains
    /// the window's centre, else the attached one nearest to it. False, with the last error set,
    /// for a window X does not know or a screen without attached outputs.
    static bool ContainingOutput(HWND window, DisplayOutput& output);

    /// The adapter (X screen) a device context draws on; -1, with the last error set
    /// (ERROR_INVALID_HANDLE), for a handle that is not live.
    static int AdapterOf(HDC deviceContext);
    /// The adapter (X screen) a rendering context was made for; -1, with the last error set
    /// (ERROR_INVALID_HANDLE), for a handle that is not live.
    static int AdapterOf(HGLRC renderContext);
    /// The desktop (root) window of an adapter: a top-level window created with it as its parent
    /// goes on that adapter. Null, with the last error set, when no X server answers or for an
    /// adapter the server lacks.
    static HWND DesktopWindow(unsigned adapter);
};

}  // namespace Platform
}  // namespace VEK
