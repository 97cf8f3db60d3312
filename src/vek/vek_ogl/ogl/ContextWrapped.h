#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/ogl/Context.h"

namespace VEK {
namespace OGL {

/// Adopts a rendering context the host made and owns: the library can name it, find its
/// extension manager and share with it, but never deletes it. The host keeps the handles valid
/// while the wrapper lives.
class VEK_EXPORT ContextWrapped : public Context {
public:
    /// Adopts the pair and registers it with its display's extension manager. window, when
    /// given, names the display; otherwise the current context's display is used. Throws
    /// InternalException for a null handle or when the manager cannot be made or registered.
    ContextWrapped(HDC deviceContext, HGLRC renderContext, HWND window = nullptr);
    /// Adopts the thread's current pair. Throws as the constructor above, so InternalException
    /// when no context is current.
    ContextWrapped();
    /// Leaves the host's context alive; only the library's records of it go. Throws nothing.
    ~ContextWrapped() override;

    /// Makes the pair current. Throws InternalException ("ContextWrapped Object leaked") when
    /// it cannot, typically because the host deleted its context.
    void makeCurrent() const override;

private:
    void adopt(HDC deviceContext, HGLRC renderContext, HWND window);
};

}  // namespace OGL
}  // namespace VEK
