// WGL contexts over GLX: creation, the per-thread current pair, sharing, entry-point look-up and
// the extension string. What X has no equivalent for fails with ERROR_NOT_SUPPORTED.
#include "vek/platform/WGL.h"
#include "vek/core/utility/Tls.h"

#include <GL/glx.h>
#include <GL/glxext.h>

#include <cstring>
#include <string>

#include "vek/platform/ContextFeatures.h"
#include "vek/platform/ContextRecord.h"
#include "vek/platform/DeviceContext.h"
#include "vek/platform/WGLExtensions.h"
#include "vek/platform/XConnection.h"
#include "vek/platform/XErrorTrap.h"

using VEK::Platform::ContextRecord;
using VEK::Platform::DeviceContext;
using VEK::Platform::XConnection;
using VEK::Platform::XErrorTrap;

__thread HGLRC VEK::Platform::internal::tCurrentContext VEK_INITIAL_EXEC_TLS = nullptr;

namespace {

// The calling thread's current pair. The context itself lives in the plain thread-local that the
// library reads inline. When the thread ends, its context stops being current to it, so that
// another thread may then delete or take it.
struct CurrentPair {
    HDC deviceContext = nullptr;
    ~CurrentPair() { forget(); }
    HGLRC context() const { return VEK::Platform::internal::tCurrentContext; }
    void set(HDC dc, HGLRC rc) {
        deviceContext = dc;
        VEK::Platform::internal::tCurrentContext = rc;
    }
    // Tells the records that this thread no longer holds them (they may be gone already).
    void forget() {
        if (!context()) {
            return;
        }
        std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
        if (ContextRecord* record = ContextRecord::FromHandle(context())) {
            record->setCurrentThread(std::thread::id());
        }
        if (DeviceContext* dc = DeviceContext::FromHandle(deviceContext)) {
            dc->removeCurrentThread();
        }
        set(nullptr, nullptr);
    }
};
thread_local CurrentPair tCurrent VEK_INITIAL_EXEC_TLS;

void ReleaseCurrent(Display* display) {
    if (!tCurrent.context()) {
        return;
    }
    {
        XErrorTrap trap(display);
        glXMakeContextCurrent(display, None, None, nullptr);
    }
    tCurrent.forget();
}

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// Translates the WGL creation attributes to GLX; false with the last error set for what WGL
// refuses.
bool TranslateContextAttributes(const int* attributes, std::vector<int>& glx) {
    int major = 1, minor = 0, flags = 0, profile = WGL_CONTEXT_CORE_PROFILE_BIT_ARB;
    for (const int* a = attributes; a && a[0] != 0; a += 2) {
        switch (a[0]) {
            case WGL_CONTEXT_MAJOR_VERSION_ARB:
                major = a[1];
                break;
            case WGL_CONTEXT_MINOR_VERSION_ARB:
                minor = a[1];
                break;
            case WGL_CONTEXT_LAYER_PLANE_ARB:
                if (a[1] != 0) {
                    SetLastError(ERROR_INVALID_DATA);  // no layer planes here
                    return false;
                }
                break;
            case WGL_CONTEXT_FLAGS_ARB:
                flags = a[1];
                break;
            case WGL_CONTEXT_PROFILE_MASK_ARB:
                profile = a[1];
                break;
            default:
                SetLastError(ERROR_INVALID_PARAMETER);
                return false;
        }
    }
    // The versions OpenGL has had.
    const bool versionExists =
        (major == 1 && minor >= 0 && minor <= 5) || (major == 2 && minor >= 0 && minor <= 1) ||
        (major == 3 && minor >= 0 && minor <= 3) || (major == 4 && minor >= 0 && minor <= 6);
    if (!versionExists ||
        ((flags & WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB) && major * 10 + minor < 30)) {
        SetLastError(ERROR_INVALID_VERSION_ARB);
        return false;
    }
    if (flags & ~(WGL_CONTEXT_DEBUG_BIT_ARB | WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (profile != WGL_CONTEXT_CORE_PROFILE_BIT_ARB &&
        profile != WGL_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB) {
        SetLastError(ERROR_INVALID_PROFILE_ARB);
        return false;
    }
    glx.insert(glx.end(),
               {GLX_CONTEXT_MAJOR_VERSION_ARB, major, GLX_CONTEXT_MINOR_VERSION_ARB, minor});
    if (flags) {
        glx.insert(glx.end(), {GLX_CONTEXT_FLAGS_ARB, flags});
    }
    // A profile means something only from 3.2 on; below it GLX would refuse a core request.
    if (major * 10 + minor >= 32) {
        glx.insert(glx.end(), {GLX_CONTEXT_PROFILE_MASK_ARB, profile});
    }
    return true;
}

}  // namespace

HGLRC wglCreateContext(HDC deviceContext) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    DeviceContext* dc = DeviceContext::WithPixelFormat(deviceContext);
    if (!dc) {
        return nullptr;
    }
    ContextRecord* record = ContextRecord::Create(*dc, nullptr, {});
    return record ? record->handle() : nullptr;
}

HGLRC wglCreateContextAttribsARB(HDC deviceContext, HGLRC share, const int* attributes) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    DeviceContext* dc = DeviceContext::WithPixelFormat(deviceContext);
    if (!dc) {
        return nullptr;
    }
    const ContextRecord* shareRecord = ContextRecord::FromHandle(share);
    if (share && (!shareRecord || shareRecord->screen() != dc->screen())) {
        SetLastError(ERROR_INVALID_OPERATION);
        return nullptr;
    }
    std::vector<int> glx;
    if (!TranslateContextAttributes(attributes, glx)) {
        return nullptr;
    }
    ContextRecord* record = ContextRecord::Create(*dc, shareRecord, glx);
    return record ? record->handle() : nullptr;
}

namespace {

VEK::Platform::ContextDeletedHook gContextDeletedHook = nullptr;

}  // namespace

void VEK::Platform::SetContextDeletedHook(ContextDeletedHook hook) {
    gContextDeletedHook = hook;
}

BOOL wglDeleteContext(HGLRC context) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    ContextRecord* record = ContextRecord::FromHandle(context);
    if (!record) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    if (record->currentThread() != std::thread::id() &&
        record->currentThread() != std::this_thread::get_id()) {
        return Fail(ERROR_BUSY);
    }
    if (tCurrent.context() == context) {
        ReleaseCurrent(XConnection::Get());
    }
    if (gContextDeletedHook != nullptr) {
        gContextDeletedHook(context);
    }
    delete record;
    return TRUE;
}

HGLRC wglGetCurrentContext() {
    return VEK::Platform::CurrentContext();
}

HDC wglGetCurrentDC() {
    return tCurrent.deviceContext;
}

BOOL wglMakeCurrent(HDC deviceContext, HGLRC context) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    Display* display = XConnection::Get();
    if (!context) {
        ReleaseCurrent(display);
        return TRUE;
    }
    ContextRecord* record = ContextRecord::FromHandle(context);
    DeviceContext* dc = DeviceContext::FromHandle(deviceContext);
    DWORD error = ERROR_SUCCESS;
    if (!record || !dc) {
        error = ERROR_INVALID_HANDLE;
    } else if (dc->pixelFormat() == 0 || dc->pixelFormat() != record->pixelFormat() ||
               dc->screen() != record->screen()) {
        error = ERROR_INVALID_PIXEL_FORMAT;
    } else if (record->currentThread() != std::thread::id() &&
               record->currentThread() != std::this_thread::get_id()) {
        error = ERROR_BUSY;
    }
    if (error == ERROR_SUCCESS) {
        if (tCurrent.context() == context && tCurrent.deviceContext == deviceContext) {
            return TRUE;
        }
        if (!dc->followWindow()) {
            ReleaseCurrent(display);
            return Fail(ERROR_INVALID_HANDLE);
        }
        XErrorTrap trap(display);
        const Bool made =
            glXMakeContextCurrent(display, dc->drawable(), dc->drawable(), record->glx());
        if (made && !trap.failed()) {
            tCurrent.forget();
            record->setCurrentThread(std::this_thread::get_id());
            dc->addCurrentThread();
            tCurrent.set(deviceContext, context);
            return TRUE;
        }
        error = ERROR_INVALID_OPERATION;
    }
    // As WGL does, a failed call leaves the thread without a current context.
    ReleaseCurrent(display);
    return Fail(error);
}

BOOL wglShareLists(HGLRC first, HGLRC second) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    ContextRecord* source = ContextRecord::FromHandle(first);
    ContextRecord* target = ContextRecord::FromHandle(second);
    if (!source || !target) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    if (source == target || target->sharesWith(*source)) {
        return TRUE;
    }
    // GLX shares only when a context is made, so the second is re-created in the first's group.
    // That is sound only while it holds nothing of its own and shares with nobody else; once it
    // has been current it may hold objects, and WGL refuses that case too.
    if (target->everCurrent() || target->sharesWithOthers() ||
        source->screen() != target->screen()) {
        return Fail(ERROR_INVALID_OPERATION);
    }
    if (!target->joinShareGroupOf(*source)) {
        return Fail(ERROR_INVALID_OPERATION);
    }
    return TRUE;
}

PROC wglGetProcAddress(LPCSTR name) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    ContextRecord* record = ContextRecord::FromHandle(tCurrent.context());
    DeviceContext* dc = DeviceContext::FromHandle(tCurrent.deviceContext);
    if (!record || !dc || !name) {
        SetLastError(record ? ERROR_INVALID_PARAMETER : ERROR_INVALID_OPERATION);
        return nullptr;
    }
    if (std::strncmp(name, "wgl", 3) == 0) {
        PROC wgl = VEK::Platform::WGLExtensions::EntryPoint(XConnection::Get(), dc->screen(), name);
        if (!wgl) {
            SetLastError(ERROR_PROC_NOT_FOUND);
        }
        return wgl;
    }
    // As opengl32 does, every command the context's version or extensions bring, also those its
    // profile removed since: the library leaves those out itself.
    if (!record->features().brings(name)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    auto address = glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
    if (!address) {
        SetLastError(ERROR_PROC_NOT_FOUND);
    }
    return reinterpret_cast<PROC>(address);
}

const char* wglGetExtensionsStringARB(HDC deviceContext) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    DeviceContext* dc = DeviceContext::FromHandle(deviceContext);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return VEK::Platform::WGLExtensions::String(XConnection::Get(), dc->screen());
}

BOOL wglSwapIntervalEXT(int interval) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    DeviceContext* dc = DeviceContext::FromHandle(tCurrent.deviceContext);
    if (!dc) {
        return Fail(ERROR_INVALID_OPERATION);
    }
    if (interval < 0) {
        return Fail(ERROR_INVALID_DATA);
    }
    // Where the driver paces swaps itself it is told; a server without a display to wait for
    // (Xvfb) has no retrace, and the interval is kept so that it reads back as set.
    Display* display = XConnection::Get();
    static const auto swapEXT = reinterpret_cast<PFNGLXSWAPINTERVALEXTPROC>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
    if (VEK::Platform::WGLExtensions::GLXHas(display, dc->screen(), "GLX_EXT_swap_control") &&
        swapEXT) {
        XErrorTrap trap(display);
        swapEXT(display, dc->drawable(), interval);
        if (trap.failed()) {
            return Fail(ERROR_INVALID_DATA);
        }
    }
    dc->setSwapInterval(interval);
    return TRUE;
}

int wglGetSwapIntervalEXT() {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    DeviceContext* dc = DeviceContext::FromHandle(tCurrent.deviceContext);
    if (!dc) {
        SetLastError(ERROR_INVALID_OPERATION);
        return 0;
    }
    return dc->swapInterval();
}

// Layer planes, GDI fonts and multiple-buffer swaps have no X counterpart here.
BOOL wglCopyContext(HGLRC, HGLRC, UINT) {
    return Fail(ERROR_NOT_SUPPORTED);
}
HGLRC wglCreateLayerContext(HDC, int) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
}
BOOL wglUseFontBitmapsA(HDC, DWORD, DWORD, DWORD) {
    return Fail(ERROR_NOT_SUPPORTED);
}
BOOL wglUseFontBitmapsW(HDC, DWORD, DWORD, DWORD) {
    return Fail(ERROR_NOT_SUPPORTED);
}
BOOL wglUseFontOutlinesA(HDC, DWORD, DWORD, DWORD, FLOAT, FLOAT, int, GLYPHMETRICSFLOAT*) {
    return Fail(ERROR_NOT_SUPPORTED);
}
BOOL wglUseFontOutlinesW(HDC, DWORD, DWORD, DWORD, FLOAT, FLOAT, int, GLYPHMETRICSFLOAT*) {
    return Fail(ERROR_NOT_SUPPORTED);
}
BOOL wglDescribeLayerPlane(HDC, int, int, UINT, LAYERPLANEDESCRIPTOR*) {
    return Fail(ERROR_NOT_SUPPORTED);
}
int wglSetLayerPaletteEntries(HDC, int, int, int, const COLORREF*) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
}
int wglGetLayerPaletteEntries(HDC, int, int, int, COLORREF*) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
}
BOOL wglRealizeLayerPalette(HDC, int, BOOL) {
    return Fail(ERROR_NOT_SUPPORTED);
}
BOOL wglSwapLayerBuffers(HDC, UINT) {
    return Fail(ERROR_NOT_SUPPORTED);
}
DWORD wglSwapMultipleBuffers(UINT, const WGLSWAP*) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
}
