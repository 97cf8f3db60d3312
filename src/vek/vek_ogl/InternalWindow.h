#pragma once

#include <memory>
#include <string>

#include "vek/core/utility/SharedPtr.h"
#include "vek/platform/System.h"

namespace VEK {
namespace OGL {

// A never-shown window of a class of its own, giving off-screen and bootstrap contexts a device
// context on a chosen display.
class InternalWindow;
typedef std::unique_ptr<InternalWindow, VEKDeleter<InternalWindow>> InternalWindowPtr;

class InternalWindow {
public:
    // Made through the allocation hooks.
    static InternalWindowPtr Create(int x, int y, HWND desktop = nullptr);

    // Top-left corner in desktop coordinates, which picks the display. desktop, when given, is
    // the desktop window of the adapter to place it on (Platform::Displays::DesktopWindow): each
    // X screen has a desktop of its own, so a position alone cannot leave the default screen.
    InternalWindow(int x, int y, HWND desktop = nullptr);
    // Tears down what destroy() has not; failures are dropped here.
    ~InternalWindow();
    InternalWindow(const InternalWindow&) = delete;
    InternalWindow& operator=(const InternalWindow&) = delete;

    HWND window() const { return window_; }
    // Releases the device context, destroys the window and unregisters its class; throws on
    // failure. Once done, the destructor has nothing left to do.
    void destroy();

private:
    HWND window_ = nullptr;
    std::string className_;
};

}  // namespace OGL
}  // namespace VEK
