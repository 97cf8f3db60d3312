#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/InternalWindow.h"
#include "vek/vek_ogl/ogl/Context.h"

namespace VEK {
namespace OGL {

/// A context on a hidden window of its own (8-bit RGB, single buffered), for drawing that is
/// never shown. Construction leaves the thread's current context as it was.
class VEK_EXPORT ContextOffscreen : public Context {
public:
    /// On the source's display, sharing its objects; source must not be null. Throws
    /// InternalException for a null source or when the window or context cannot be made.
    explicit ContextOffscreen(Context const* pContext);
    /// On the given display, in a share group of its own. Throws InternalException when the
    /// window or context cannot be made.
    explicit ContextOffscreen(DisplayDeviceKey const& key);
    /// Releases the context and its window; failures are dropped. Throws nothing.
    ~ContextOffscreen() override;

private:
    static DisplayDeviceKey const& KeyOfSource(Context const* pContext);
    void create(Context const* shareContext);

    InternalWindowPtr window_;
};

}  // namespace OGL
}  // namespace VEK
