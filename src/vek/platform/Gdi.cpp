// GDI's pixel-format calls and SwapBuffers over GLX framebuffer configurations.
#include <GL/glx.h>

#include <algorithm>
#include <cstring>

#include "vek/platform/DeviceContext.h"
#include "vek/platform/PixelFormats.h"
#include "vek/platform/Windows.h"
#include "vek/platform/XConnection.h"
#include "vek/platform/XErrorTrap.h"

using VEK::Platform::DeviceContext;
using VEK::Platform::PixelFormats;
using VEK::Platform::XConnection;

namespace {

const PixelFormats* FormatsOf(const DeviceContext& dc) {
    const PixelFormats* formats = PixelFormats::ForScreen(XConnection::Get(), dc.screen());
    if (!formats) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
    }
    return formats;
}

}  // namespace

int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR* descriptor) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    DeviceContext* dc = DeviceContext::FromHandle(deviceContext);
    if (!dc || !descriptor) {
        SetLastError(dc ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return 0;
    }
    const PixelFormats* formats = FormatsOf(*dc);
    const int chosen = formats ? formats->choose(*descriptor) : 0;
    if (formats && chosen == 0) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
    }
    return chosen;
}

BOOL SetPixelFormat(HDC deviceContext, int format, const PIXELFORMATDESCRIPTOR*) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    DeviceContext* dc = DeviceContext::FromHandle(deviceContext);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return dc->setPixelFormat(format) ? TRUE : FALSE;
}

int DescribePixelFormat(HDC deviceContext, int format, UINT bytes,
                        PIXELFORMATDESCRIPTOR* descriptor) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    DeviceContext* dc = DeviceContext::FromHandle(deviceContext);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const PixelFormats* formats = FormatsOf(*dc);
    if (!formats) {
        return 0;
    }
    // Without a descriptor the call only counts, as on Windows.
    if (!descriptor) {
        return formats->count();
    }
    if (!formats->format(format)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    PIXELFORMATDESCRIPTOR full;
    formats->describe(format, full);
    std::memcpy(descriptor, &full, std::min<std::size_t>(bytes, sizeof full));
    return formats->count();
}

int GetPixelFormat(HDC deviceContext) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    DeviceContext* dc = DeviceContext::FromHandle(deviceContext);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (dc->pixelFormat() == 0) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
    }
    return dc->pixelFormat();
}

BOOL SwapBuffers(HDC deviceContext) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    DeviceContext* dc = DeviceContext::FromHandle(deviceContext);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (dc->pixelFormat() == 0) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    // GLX knows a drawable only once a context drew into it; before that there is nothing to show.
    if (!dc->bound()) {
        return TRUE;
    }
    Display* display = XConnection::Get();
    if (!dc->followWindow()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    VEK::Platform::XErrorTrap trap(display);
    glXSwapBuffers(display, dc->drawable());
    if (trap.failed()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
