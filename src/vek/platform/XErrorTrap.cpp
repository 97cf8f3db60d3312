#include "vek/platform/XErrorTrap.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <deque>
#include <mutex>

namespace VEK {
namespace Platform {

namespace {

struct RecordedError {
    unsigned long serial;
    int code;
};

// The handler runs on whichever thread reads the reply, so the record is shared and locked.
std::mutex gErrorsMutex;
std::deque<RecordedError> gErrors;
std::size_t gOpenTraps = 0;
std::size_t gUntrapped = 0;
Display* gDisplay = nullptr;
XErrorHandler gPreviousHandler = nullptr;

// Keeps the record small when errors arrive that no trap will claim.
constexpr std::size_t kMaxRecorded = 256;

int RecordError(Display* display, XErrorEvent* event) {
    if (display != gDisplay && gPreviousHandler) {
        return gPreviousHandler(display, event);
    }
    std::lock_guard<std::mutex> lock(gErrorsMutex);
    if (gOpenTraps == 0) {
        ++gUntrapped;
        return 0;
    }
    gErrors.push_back({event->serial, event->error_code});
    if (gErrors.size() > kMaxRecorded) {
        gErrors.pop_front();
        ++gUntrapped;
    }
    return 0;
}

}  // namespace

XErrorTrap::XErrorTrap(Display* display) : display_(display), first_(0) {
    std::lock_guard<std::mutex> lock(gErrorsMutex);
    ++gOpenTraps;
    if (display_) {
        first_ = NextRequest(display_);
    }
}

XErrorTrap::~XErrorTrap() {
    if (!checked_ && display_) {
        collect();
    }
    std::lock_guard<std::mutex> lock(gErrorsMutex);
    --gOpenTraps;
}

bool XErrorTrap::failed() {
    if (display_ && !checked_) {
        collect();
    }
    return errorCode_ != 0;
}

void XErrorTrap::collect() {
    checked_ = true;
    XSync(display_, False);
    const unsigned long last = NextRequest(display_);
    std::lock_guard<std::mutex> lock(gErrorsMutex);
    auto mine = [this, last](const RecordedError& e) {
        return e.serial >= first_ && e.serial < last;
    };
    auto it = std::find_if(gErrors.begin(), gErrors.end(), mine);
    if (it != gErrors.end()) {
        errorCode_ = it->code;
    }
    gErrors.erase(std::remove_if(gErrors.begin(), gErrors.end(), mine), gErrors.end());
}

void XErrorTrap::InstallHandler(Display* display) {
    std::lock_guard<std::mutex> lock(gErrorsMutex);
    if (gDisplay == nullptr) {
        gDisplay = display;
        gPreviousHandler = XSetErrorHandler(&RecordError);
    }
}

std::size_t XErrorTrap::UntrappedErrors() {
    std::lock_guard<std::mutex> lock(gErrorsMutex);
    return gUntrapped;
}

}  // namespace Platform
}  // namespace VEK
