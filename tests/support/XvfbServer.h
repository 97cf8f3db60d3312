#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

namespace VEKTest {

// A private Xvfb for tests that need a server laid out their own way (several screens). The
// server picks a free display number itself, so parallel tests never collide; it is stopped
// when the object goes.
class XvfbServer {
public:
    // screens: one "WIDTHxHEIGHTxDEPTH" per screen. Starts the server with GLX and RandR.
    explicit XvfbServer(const std::vector<std::string>& screens);
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    ~XvfbServer();

    bool running() const { return !name_.empty(); }
    // ":N", for XOpenDisplay or DISPLAY.
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

}  // namespace VEKTest
