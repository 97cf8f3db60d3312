#pragma once

#include <cstddef>

typedef struct _XDisplay Display;

namespace VEK {
namespace Platform {

// Collects the X errors raised by the requests made during its lifetime, so that a platform call
// can turn them into its failure value instead of the default handler ending the process. Errors
// are matched by request serial, so a trap sees only its own errors even when other threads use
// the connection at the same time.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;
    ~XErrorTrap();

    // Waits for the server to answer every request made so far; true when one of this trap's
    // requests failed. errorCode() is then the first error's X error code.
    bool failed();
    int errorCode() const { return errorCode_; }

    // Installs the recording handler (once per process); errors of other connections still reach
    // the handler that was installed before it.
    static void InstallHandler(Display* display);
    // Errors of the platform's connection that arrived outside any trap, since the start.
    static std::size_t UntrappedErrors();

private:
    void collect();

    Display* display_;
    unsigned long first_;
    bool checked_ = false;
    int errorCode_ = 0;
};

}  // namespace Platform
}  // namespace VEK
