#pragma once

#include <memory>
#include <string>

#include "vek/core/utility/SharedPtr.h"
#include "vek/platform/System.h"

namespace VEK {
namespace OGL {

class InternalWindow;
/// Owning pointer to an InternalWindow, freed through the allocation hooks.
typedef std::unique_ptr<InternalWindow, VEKDeleter<InternalWindow>> InternalWindowPtr;

/// A never-shown window of a class of its own, giving off-screen and bootstrap contexts a device
/// context on a chosen display.
class InternalWindow {
public:
    /// Makes a window through the allocation hooks (see the constructor). Throws InternalException
    /// when the window class cannot be registered, the window cannot be made or allocation fails.
    static InternalWindowPtr Create(int x, int y, HWND desktop = nullptr);

    /// x, y: top-left corner in desktop coordinates, which picks the display. desktop, when given,
    /// is the desktop window of the adapter to place it on (Platform::Displays::DesktopWindow):
    /// each X screen has a desktop of its own, so a position alone cannot leave the default screen.
    /// Registers the window's own class and makes the hidden window. Throws InternalException when
    /// either fails (the class is unregistered again).
    InternalWindow(int x, int y, HWND desktop = nullptr);
    /// Tears down what destroy() has not; failures are dropped here.
    /// Throws nothing.
    ~InternalWindow();
    InternalWindow(const InternalWindow&) = delete;
    InternalWindow& operator=(const InternalWindow&) = delete;

    /// The window handle; null once destroy() ran. Throws nothing.
    HWND window() const { return window_; }
    /// Releases the device context, destroys the window and unregisters its class. Throws
    /// InternalException on failure. Once done, the destructor has nothing left to do.
    void destroy();

private:
    HWND window_ = nullptr;
    std::string className_;
};

}  // namespace OGL
}  // namespace VEK
