#pragma once

#include "vek/vek_ogl/InternalWindow.h"
#include "vek/vek_ogl/ogl/Context.h"

namespace VEK {
namespace OGL {
namespace internal {

// The smallest context on a display, on a hidden window of its own, with which the display's
// extension manager reads the driver before any real context exists there. It is neither
// registered nor shared, and not made current by its constructor.
class ContextBootstrap : public Context {
public:
    explicit ContextBootstrap(DisplayDeviceKey const& key);
    ~ContextBootstrap() override;

private:
    void release() noexcept;

    InternalWindowPtr window_;
};

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
