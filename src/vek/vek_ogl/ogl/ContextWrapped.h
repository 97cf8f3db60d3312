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
    /// window, when given, names the display; otherwise the current context's display is used.
    ContextWrapped(HDC deviceContext, HGLRC renderContext, HWND window = nullptr);
    /// The thread's current pair.
    ContextWrapped();
    ~ContextWrapped() override;

    void makeCurrent() const override;

private:
    void adopt(HDC deviceContext, HGLRC renderContext, HWND window);
};

}  // namespace OGL
}  // namespace VEK
