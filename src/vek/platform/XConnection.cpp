#include "vek/platform/XConnection.h"

#include <X11/Xlib.h>

#include "vek/platform/XErrorTrap.h"

namespace VEK {
namespace Platform {

Display* XConnection::sDisplay_ = nullptr;
bool XConnection::sOpened_ = false;

std::recursive_mutex& XConnection::Mutex() {
    static auto* mutex = new std::recursive_mutex;
    return *mutex;
}

Display* XConnection::Get() {
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    if (!sOpened_) {
        // Only the first attempt opens: a failed open is not retried, so every later call gives
        // the same answer instead of some succeeding on a server that appeared meanwhile.
        sOpened_ = true;
        XInitThreads();
        sDisplay_ = XOpenDisplay(nullptr);
        if (sDisplay_) {
            XErrorTrap::InstallHandler(sDisplay_);
        }
    }
    return sDisplay_;
}

bool XConnection::UseHostConnection(Display* display) {
    std::lock_guard<std::recursive_mutex> lock(Mutex());
    if (sOpened_ || display == nullptr) {
        return false;
    }
    sOpened_ = true;
    sDisplay_ = display;
    XErrorTrap::InstallHandler(sDisplay_);
    return true;
}

}  // namespace Platform
}  // namespace VEK
