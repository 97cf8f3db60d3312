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
    /// shareContext may be null: the context then starts a share group of its own.
    ContextWindowed(HWND window, BufferFormat const& format, Buffering buffering,
                    Multisampling multisampling, Context const* shareContext = nullptr);
    ~ContextWindowed() override;

    /// The result is not checked: a window being closed may refuse.
    void swapBuffers() const;
    /// Throws where the driver has no swap-interval control.
    void enableSyncToVerticalRetrace(bool on) const;

private:
    static DisplayDeviceKey KeyOfWindow(HWND window);
};

}  // namespace OGL
}  // namespace VEK
