#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/ogl/BufferFormat.h"
#include "vek/vek_ogl/ogl/Context.h"

namespace VEK {
namespace OGL {

/// A context rendering into a window of the host's. Construction leaves the thread's current
/// context as it was; makeCurrent() when it is wanted.
class VEK_EXPORT ContextWindowed : public Context {
public:
    /// shareContext may be null: the context then starts a share group of its own. Throws
    /// InternalException when the window has no device context, no pixel format matches or the
    /// context cannot be made or registered.
    ContextWindowed(HWND window, BufferFormat const& format, Buffering buffering,
                    Multisampling multisampling, Context const* shareContext = nullptr);
    /// Releases the context; failures are dropped. Throws nothing.
    ~ContextWindowed() override;

    /// Presents the back buffer. The result is not checked: a window being closed may refuse.
    /// Throws nothing.
    void swapBuffers() const;
    /// Turns waiting for the vertical retrace on or off. Throws InternalException where the
    /// driver has no swap-interval control.
    void enableSyncToVerticalRetrace(bool on) const;

private:
    static DisplayDeviceKey KeyOfWindow(HWND window);
};

}  // namespace OGL
}  // namespace VEK
