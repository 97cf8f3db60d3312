#pragma once

#include <mutex>

#include "vek/Export.h"

// Xlib's own typedef; repeating it is allowed and keeps Xlib out of this header.
typedef struct _XDisplay Display;

namespace VEK {
namespace Platform {

/// The process-wide X connection every platform call runs on. It is opened on first use (after
/// XInitThreads) from DISPLAY, unless the host handed in its own connection before that.
class VEK_EXPORT XConnection {
public:
    /// The connection, opened on first use; null when no X server answered that first attempt
    /// (it is not retried, so every call gives the same answer). Throws nothing.
    static Display* Get();
    /// Opens a connection (null name: DISPLAY), retrying for about a second: a server busy with
    /// other clients connecting refuses some connections for a moment (EAGAIN, reset). Null when no
    /// server has answered by then; the caller owns the connection. Throws nothing.
    static Display* Open(const char* name);
    /// Makes the host's connection the one the platform uses. Only before first use and only once:
    /// false otherwise, and for a null display. The host keeps ownership and keeps it open.
    /// Throws nothing.
    static bool UseHostConnection(Display* display);
    /// Serialises the platform's own bookkeeping; held by every platform call that touches it.
    /// The bookkeeping (this mutex, the handle tables) is never destroyed, because handles may
    /// still be released by other objects' destructors while the process exits. Throws nothing.
    static std::recursive_mutex& Mutex();

private:
    static Display* sDisplay_;
    static bool sOpened_;
};

}  // namespace Platform
}  // namespace VEK
