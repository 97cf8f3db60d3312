#pragma once

#include <string>
#include <vector>

#include "vek/Export.h"
#include "vek/core/math/Vector.h"
#include "vek/platform/System.h"
#include "vek/vek_ogl/InternalWindow.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/ogl/DisplayDeviceKey.h"

namespace VEK {
namespace OGL {

class BufferFormat;

// The base of every OpenGL rendering context of the library: its display, device context,
// rendering context and pixel format, making it current, the share groups of all contexts and
// orderly destruction. It also answers which displays there are: an adapter is counted when one
// of its outputs is attached to the desktop, and a display's key is (output name, adapter
// description, device identifier in decimal).
class VEK_EXPORT Context {
public:
    enum Buffering { kSingleBuffered = 0, kDoubleBuffered = 1 };
    // Samples per pixel; 1 is none. Any other count needs the extended pixel-format chooser.
    enum Multisampling {
        kNoMultisampling = 1,
        k2xMultisampling = 2,
        k4xMultisampling = 4,
        k8xMultisampling = 8,
        k16xMultisampling = 16
    };
    enum Windowing { kDrawToPbuffer = 0, kDrawToWindow = 1 };

    virtual ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    virtual void makeCurrent() const;

    // The calling thread's current rendering context, null when none.
    static HGLRC CurrentContext();
    // Whether the thread's current context is in this context's share group.
    bool isSharingWithCurrentContext() const;

    DisplayDeviceKey const& displayDeviceKey() const { return displayDeviceKey_; }
    HGLRC renderContext() const { return renderContext_; }
    HDC deviceContext() const { return deviceContext_; }
    OpenGLProfile openGLProfile() const { return initOptions_.openGLProfile(); }

    // Bit counts of the pixel format set on the device context.
    void getBitDepths(int* red, int* green, int* blue, int* alpha, int* depth, int* stencil) const;
    // Whether the current context's driver offers swap-interval control.
    static bool SupportsVerticalRetraceControl();

    // Adapters with an attached output; 0 on any failure.
    static unsigned NumDisplayDevice();
    // The key of adapter number index (every adapter has an index) from its first attached
    // output; false on any failure.
    static bool DisplayDevice(unsigned index, DisplayDeviceKey& key);

protected:
    typedef std::vector<Context const*> ContextVector;
    typedef std::vector<ContextVector> ContextVectors;

    // Index searches start from sentinels at the top of the range so that two unset indices
    // never compare equal.
    static const unsigned LARGE_INDEX = 0x0FFFFFFF;
    // Share groups, oldest member first; null while no context is in a group.
    static ContextVectors* gVectorOfContextVectors;

    explicit Context(HGLRC renderContext);
    explicit Context(DisplayDeviceKey const& key);

    ExtensionManager::InitOptions const& initOptions() const { return initOptions_; }

    // Joins sibling's group, or starts a new one when sibling is null.
    void addShareContext(Context const* sibling) const;
    void registerSharedContext(Context const* sibling) const { addShareContext(sibling); }
    void unregisterSharedContext() const;
    // Places a context around a foreign rendering context by probing which group's objects it
    // sees.
    static void RegisterContextWrapped(Context const* context);
    static void UnregisterShareContext(Context const* context);

    void registerWithExtensionMgr() const;
    void unregisterWithExtensionMgr() const;

    // For the owning subclasses, after initialize: registers the new context with its display's
    // manager and shares (a new group for null); a failure takes both back and deletes the
    // rendering context before it propagates.
    void registerCreated(Context const* shareContext);
    // The reverse for their destructors: leave the group and the manager, delete the context.
    void releaseCreated() noexcept;

    void shareLists(HGLRC other) const;
    // Deletes renderContext_, keeping any other current context current.
    void destroyContext();

    // The simple pixel-format descriptor path.
    static int ChoosePixelFormat(HDC deviceContext, BufferFormat const& format, bool doubleBuffer);
    // The extended chooser; needs a current context to find its entry point.
    static int ChoosePixelFormat(HDC deviceContext, BufferFormat const& format, Buffering buffering,
                                 Multisampling multisampling, Windowing windowing);
    void setPixelFormat(HDC deviceContext, int format);

    HGLRC setupRenderingContext(HDC deviceContext, BufferFormat const& format, bool doubleBuffer,
                                Context const* shareContext);
    HGLRC createRenderingContext(HDC deviceContext, Context const* shareContext);
    // Chooses and sets the pixel format and creates renderContext_; the thread's current context
    // is the same afterwards, and nothing is left behind when it throws.
    void initialize(HDC deviceContext, BufferFormat const& format, Buffering buffering,
                    Multisampling multisampling, Context const* shareContext);

    // The display whose desktop area starts at (0, 0); cached once found.
    static DisplayDeviceKey const& PrimaryDisplayDevice();
    // The display showing the window.
    static DisplayDeviceKey DisplayDeviceFromWindow(HWND const& theWindow);
    // Top-left of the desktop area of the first attached output of the adapter with this
    // description. A failed platform call gives (0, 0) when defaultToZeroOnFailure is set.
    static int2 DisplayOrigin(std::string const& adapterDescription,
                              bool defaultToZeroOnFailure = false);
    // A hidden window on the key's display: on the adapter that has the key's output, at that
    // output's origin, so that contexts made on it belong to that adapter. A key of no output
    // here is placed by DisplayOrigin of its adapter description on the default adapter.
    static InternalWindowPtr CreateInternalWindow(DisplayDeviceKey const& key);

    DisplayDeviceKey displayDeviceKey_;
    ExtensionManager::InitOptions initOptions_;
    HDC deviceContext_ = nullptr;
    HGLRC renderContext_ = nullptr;
    int pixelFormat_ = 0;

private:
    static bool ProbeSharing(Context const* a, Context const* b);
    // glIsList in the current context, leaving no error behind where there are no lists.
    static bool IsListInCurrent(unsigned list);
};

// Saves the thread's current context and puts it back when it goes, whatever happened between.
// The flag is accepted for callers that pass one; it changes nothing.
class VEK_EXPORT ScopedContextWrapper {
public:
    explicit ScopedContextWrapper(bool flag = false);
    virtual ~ScopedContextWrapper();
    ScopedContextWrapper(const ScopedContextWrapper&) = delete;
    ScopedContextWrapper& operator=(const ScopedContextWrapper&) = delete;

private:
    HDC deviceContext_;
    HGLRC renderContext_;
};

// Leaves the thread with no current context.
VEK_EXPORT void ReleaseOGLContext();

}  // namespace OGL
}  // namespace VEK
