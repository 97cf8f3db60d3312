#pragma once

#include <string>

#include "vek/core/math/Vector.h"
#include "vek/platform/Windows.h"
#include "vek/vek_ogl/ogl/DisplayDeviceKey.h"

namespace VEK {
namespace OGL {

// The base of every OpenGL rendering context of the library. It also answers which displays
// there are: an adapter is counted when one of its outputs is attached to the desktop, and a
// display's key is (output name, adapter description, device identifier in decimal).
class Context {
public:
    // Adapters with an attached output; 0 on any failure.
    static unsigned NumDisplayDevice();
    // The key of adapter number index (every adapter has an index) from its first attached
    // output; false on any failure.
    static bool DisplayDevice(unsigned index, DisplayDeviceKey& key);

protected:
    // The display whose desktop area starts at (0, 0); cached once found.
    static DisplayDeviceKey const& PrimaryDisplayDevice();
    // The display showing the window.
    static DisplayDeviceKey DisplayDeviceFromWindow(HWND const& theWindow);
    // Top-left of the desktop area of the first attached output of the adapter with this
    // description. A failed platform call gives (0, 0) when defaultToZeroOnFailure is set.
    static int2 DisplayOrigin(std::string const& adapterDescription,
                              bool defaultToZeroOnFailure = false);
};

}  // namespace OGL
}  // namespace VEK
