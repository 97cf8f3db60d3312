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

/// The base of every OpenGL rendering context of the library: its display, device context,
/// rendering context and pixel format, making it current, the share groups of all contexts and
/// orderly destruction. It also answers which displays there are: an adapter is counted when one
/// of its outputs is attached to the desktop, and a display's key is (output name, adapter
/// description, device identifier in decimal).
class VEK_EXPORT Context {
public:
    /// Single or double buffered framebuffer (kSingleBuffered, kDoubleBuffered).
    enum Buffering { kSingleBuffered = 0, kDoubleBuffered = 1 };
    /// Samples per pixel; 1 is none. Any other count needs the extended pixel-format chooser.
    enum Multisampling {
        kNoMultisampling = 1,   ///< one sample: no multisampling
        k2xMultisampling = 2,   ///< 2 samples
        k4xMultisampling = 4,   ///< 4 samples
        k8xMultisampling = 8,   ///< 8 samples
        k16xMultisampling = 16  ///< 16 samples
    };
    /// What the pixel format draws to: a pixel buffer (kDrawToPbuffer) or a window (kDrawToWindow).
    enum Windowing { kDrawToPbuffer = 0, kDrawToWindow = 1 };

    /// Throws nothing; the owning subclasses release the rendering context.
    virtual ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    /// Makes this context current on the calling thread with its device context. Throws
    /// InternalException when the window system refuses.
    virtual void makeCurrent() const;

    /// The calling thread's current rendering context, null when none. Throws nothing.
    static HGLRC CurrentContext();
    /// Whether the thread's current context is in this context's share group. Throws
    /// InternalException when the share groups are inconsistent.
    bool isSharingWithCurrentContext() const;

    /// The display the context was made for. Throws nothing.
    DisplayDeviceKey const& displayDeviceKey() const { return displayDeviceKey_; }
    /// The rendering-context handle. Throws nothing.
    HGLRC renderContext() const { return renderContext_; }
    /// The device context the context draws on. Throws nothing.
    HDC deviceContext() const { return deviceContext_; }
    /// The profile requested when the context was made. Throws nothing.
    OpenGLProfile openGLProfile() const { return initOptions_.openGLProfile(); }

    /// Bit counts of the pixel format set on the device context. Throws InternalException when the
    /// device context has no pixel format.
    void getBitDepths(int* red, int* green, int* blue, int* alpha, int* depth, int* stencil) const;
    /// Whether the current context's driver offers swap-interval control. Throws InternalException
    /// when no manager can be found for the current context.
    static bool SupportsVerticalRetraceControl();

    /// Adapters with an attached output; 0 on any failure. Throws nothing.
    static unsigned NumDisplayDevice();
    /// The key of adapter number index (every adapter has an index) from its first attached
    /// output; false on any failure (also an adapter with no output attached to the desktop).
    /// Throws nothing.
    static bool DisplayDevice(unsigned index, DisplayDeviceKey& key);

protected:
    /// One share group, oldest member first.
    typedef std::vector<Context const*> ContextVector;
    /// Every share group.
    typedef std::vector<ContextVector> ContextVectors;

    /// Index searches start from sentinels at the top of the range so that two unset indices
    /// never compare equal.
    static const unsigned LARGE_INDEX = 0x0FFFFFFF;
    /// Share groups, oldest member first; null while no context is in a group.
    static ContextVectors* gVectorOfContextVectors;

    /// Around an existing rendering context, with the current options. Throws nothing.
    explicit Context(HGLRC renderContext);
    /// For a context still to be made on the key's display, with the current options. Throws
    /// nothing.
    explicit Context(DisplayDeviceKey const& key);

    /// The options in force when the context was made. Throws nothing.
    ExtensionManager::InitOptions const& initOptions() const { return initOptions_; }

    /// Joins sibling's group, or starts a new one when sibling is null. Throws InternalException
    /// when sibling is this context or in no group.
    void addShareContext(Context const* sibling) const;
    /// addShareContext(sibling). Throws as addShareContext.
    void registerSharedContext(Context const* sibling) const { addShareContext(sibling); }
    /// Leaves the context's share group, if any. Throws nothing.
    void unregisterSharedContext() const;
    /// Places a context around a foreign rendering context by probing which group's objects it
    /// sees. Throws InternalException when the share groups cannot be allocated.
    static void RegisterContextWrapped(Context const* context);
    /// Takes the context out of its share group, if any. Throws nothing.
    static void UnregisterShareContext(Context const* context);

    /// Maps the context to its display's extension manager. Throws as
    /// ExtensionManager::RegisterContext.
    void registerWithExtensionMgr() const;
    /// The reverse. Throws as ExtensionManager::UnRegisterContext.
    void unregisterWithExtensionMgr() const;

    /// For the owning subclasses, after initialize: registers the new context with its display's
    /// manager and shares (a new group for null); a failure takes both back and deletes the
    /// rendering context before it propagates. Throws as registerWithExtensionMgr and
    /// addShareContext.
    void registerCreated(Context const* shareContext);
    /// The reverse for their destructors: leave the group and the manager, delete the context.
    /// Failures are dropped. Throws nothing.
    void releaseCreated() noexcept;

    /// Shares display lists and objects between other and this context (wglShareLists). Throws
    /// InternalException when the window system refuses.
    void shareLists(HGLRC other) const;
    /// Deletes renderContext_, keeping any other current context current. Throws
    /// InternalException when the window system refuses.
    void destroyContext();

    /// The simple pixel-format descriptor path. Throws InternalException for a null device context
    /// or when no format matches.
    static int ChoosePixelFormat(HDC deviceContext, BufferFormat const& format, bool doubleBuffer);
    /// The extended chooser; needs a current context to find its entry point. Throws
    /// InternalException without the entry point, for a null device context, for multisampling
    /// without double buffering or when no format matches.
    static int ChoosePixelFormat(HDC deviceContext, BufferFormat const& format, Buffering buffering,
                                 Multisampling multisampling, Windowing windowing);
    /// Sets pixel format number format on the device context. Throws InternalException for an
    /// invalid number or when the window system refuses.
    void setPixelFormat(HDC deviceContext, int format);

    /// Chooses a pixel format by descriptor, sets it and creates a rendering context sharing with
    /// shareContext. Throws InternalException when any step fails.
    HGLRC setupRenderingContext(HDC deviceContext, BufferFormat const& format, bool doubleBuffer,
                                Context const* shareContext);
    /// Creates a rendering context on the device context, sharing with shareContext when given.
    /// Throws InternalException for a null device context or when creating or sharing fails.
    HGLRC createRenderingContext(HDC deviceContext, Context const* shareContext);
    /// Chooses and sets the pixel format and creates renderContext_; the thread's current context
    /// is the same afterwards, and nothing is left behind when it throws. Throws
    /// InternalException when any step fails.
    void initialize(HDC deviceContext, BufferFormat const& format, Buffering buffering,
                    Multisampling multisampling, Context const* shareContext);

    /// The display whose desktop area starts at (0, 0); cached once found. Throws
    /// InternalException when there is none.
    static DisplayDeviceKey const& PrimaryDisplayDevice();
    /// The display showing the window. Throws InternalException when it cannot be found.
    static DisplayDeviceKey DisplayDeviceFromWindow(HWND const& theWindow);
    /// Top-left of the desktop area of the first attached output of the adapter with this
    /// description. A failed platform call gives (0, 0) when defaultToZeroOnFailure is set.
    /// Throws InternalException otherwise, or when no adapter has that description.
    static int2 DisplayOrigin(std::string const& adapterDescription,
                              bool defaultToZeroOnFailure = false);
    /// A hidden window on the key's display: on the adapter that has the key's output, at that
    /// output's origin, so that contexts made on it belong to that adapter. A key of no output
    /// here is placed by DisplayOrigin of its adapter description on the default adapter.
    /// Throws as InternalWindow::Create.
    static InternalWindowPtr CreateInternalWindow(DisplayDeviceKey const& key);

    DisplayDeviceKey displayDeviceKey_;          ///< the display the context belongs to
    ExtensionManager::InitOptions initOptions_;  ///< options copied at construction
    HDC deviceContext_ = nullptr;                ///< the device context drawn on
    HGLRC renderContext_ = nullptr;              ///< the rendering-context handle
    int pixelFormat_ = 0;                        ///< the pixel format number set, 0 before

private:
    static bool ProbeSharing(Context const* a, Context const* b);
    /// Whether the current context has display lists, asked without raising an error.
    static bool CurrentHasDisplayLists();
};

/// Saves the thread's current context and puts it back when it goes, whatever happened between.
/// The flag is accepted for callers that pass one; it changes nothing.
class VEK_EXPORT ScopedContextWrapper {
public:
    /// Saves the thread's current pair. Throws nothing.
    explicit ScopedContextWrapper(bool flag = false);
    /// Puts the saved pair back; a failure leaves the thread as it is. Throws nothing.
    virtual ~ScopedContextWrapper();
    ScopedContextWrapper(const ScopedContextWrapper&) = delete;
    ScopedContextWrapper& operator=(const ScopedContextWrapper&) = delete;

private:
    HDC deviceContext_;
    HGLRC renderContext_;
};

/// Leaves the thread with no current context. Throws nothing.
VEK_EXPORT void ReleaseOGLContext();

}  // namespace OGL
}  // namespace VEK
