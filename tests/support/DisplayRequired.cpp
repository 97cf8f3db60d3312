// Linked into every gl-tier test program: without an X display each test reports itself skipped
// with the reason, instead of failing on the first window it cannot make.
#include <gtest/gtest.h>

// After GoogleTest: Xlib defines macros (None, Bool) that its headers use as names.
#include <X11/Xlib.h>

#include <cstdlib>
#include <string>

#include <vek/platform/XConnection.h>

namespace {

// Opens and closes a connection of its own, retrying as the platform does (a server busy with
// other clients refuses some connections for a moment): the platform's process-wide connection
// is left for the tests to open (or to take from a host) as they choose.
std::string MissingDisplay() {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        return "no X display: DISPLAY is not set (gl-tier tests need one, e.g. Xvfb)";
    }
    Display* display = VEK::Platform::XConnection::Open(nullptr);
    if (display == nullptr) {
        return std::string("no X display: ") + name + " does not answer (gl-tier tests need one)";
    }
    XCloseDisplay(display);
    return "";
}

class DisplayRequired : public ::testing::Environment {
public:
    void SetUp() override {
        const std::string reason = MissingDisplay();
        if (!reason.empty()) {
            GTEST_SKIP() << reason;
        }
    }
};

const ::testing::Environment* const kDisplayRequired =
    ::testing::AddGlobalTestEnvironment(new DisplayRequired);

}  // namespace
