// WGL_ARB_pbuffer over GLX pbuffers. A pbuffer's handle and its device context are one object.
#include <GL/glx.h>

#include <map>
#include <memory>

#include "vek/platform/DeviceContext.h"
#include "vek/platform/PixelFormats.h"
#include "vek/platform/WGL.h"
#include "vek/platform/XConnection.h"
#include "vek/platform/XErrorTrap.h"

using VEK::Platform::DeviceContext;
using VEK::Platform::PixelFormats;
using VEK::Platform::XConnection;

namespace {

std::map<const DeviceContext*, std::unique_ptr<DeviceContext>>& Pbuffers() {
    static auto* pbuffers = new std::map<const DeviceContext*, std::unique_ptr<DeviceContext>>;
    return *pbuffers;
}

}  // namespace

HPBUFFERARB wglCreatePbufferARB(HDC deviceContext, int pixelFormat, int width, int height,
                                const int* attributes) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    DeviceContext* dc = DeviceContext::FromHandle(deviceContext);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    Display* display = XConnection::Get();
    const PixelFormats* formats = PixelFormats::ForScreen(display, dc->screen());
    const VEK::Platform::PixelFormat* format = formats ? formats->format(pixelFormat) : nullptr;
    if (!format || !format->drawsToPbuffer()) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return nullptr;
    }
    bool largest = false;
    for (const int* a = attributes; a && a[0] != 0; a += 2) {
        if (a[0] != WGL_PBUFFER_LARGEST_ARB) {
            SetLastError(ERROR_INVALID_DATA);  // render-to-texture attributes among them
            return nullptr;
        }
        largest = a[1] != 0;
    }
    if (width <= 0 || height <= 0) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    if (!largest && (width > format->maxPbufferWidth || height > format->maxPbufferHeight)) {
        SetLastError(ERROR_NO_SYSTEM_RESOURCES);
        return nullptr;
    }
    const int glxAttributes[] = {GLX_PBUFFER_WIDTH,
                                 width,
                                 GLX_PBUFFER_HEIGHT,
                                 height,
                                 GLX_LARGEST_PBUFFER,
                                 largest,
                                 GLX_PRESERVED_CONTENTS,
                                 True,
                                 None};
    VEK::Platform::XErrorTrap trap(display);
    const GLXPbuffer pbuffer = glXCreatePbuffer(display, format->config, glxAttributes);
    unsigned actualWidth = 0, actualHeight = 0;
    if (pbuffer) {
        glXQueryDrawable(display, pbuffer, GLX_WIDTH, &actualWidth);
        glXQueryDrawable(display, pbuffer, GLX_HEIGHT, &actualHeight);
    }
    if (trap.failed() || !pbuffer) {
        if (pbuffer) {
            glXDestroyPbuffer(display, pbuffer);
        }
        SetLastError(ERROR_NO_SYSTEM_RESOURCES);
        return nullptr;
    }
    auto record = std::make_unique<DeviceContext>(display, pbuffer, dc->screen(), pixelFormat,
                                                  static_cast<int>(actualWidth),
                                                  static_cast<int>(actualHeight));
    HPBUFFERARB handle = record->pbufferHandle();
    Pbuffers().emplace(record.get(), std::move(record));
    return handle;
}

HDC wglGetPbufferDCARB(HPBUFFERARB pbuffer) {
    DeviceContext* dc = DeviceContext::FromPbuffer(pbuffer);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return dc->handle();
}

int wglReleasePbufferDCARB(HPBUFFERARB pbuffer, HDC deviceContext) {
    DeviceContext* dc = DeviceContext::FromPbuffer(pbuffer);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (dc->handle() != deviceContext) {
        SetLastError(ERROR_DC_NOT_FOUND);
        return 0;
    }
    return 1;
}

BOOL wglDestroyPbufferARB(HPBUFFERARB pbuffer) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    DeviceContext* dc = DeviceContext::FromPbuffer(pbuffer);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (wglGetCurrentDC() == dc->handle()) {
        wglMakeCurrent(nullptr, nullptr);
    }
    // Another thread still draws into it: destroying it under that thread is refused.
    if (dc->currentThreads() > 0) {
        SetLastError(ERROR_BUSY);
        return FALSE;
    }
    Pbuffers().erase(dc);
    return TRUE;
}

BOOL wglQueryPbufferARB(HPBUFFERARB pbuffer, int attribute, int* value) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    DeviceContext* dc = DeviceContext::FromPbuffer(pbuffer);
    if (!dc || !value) {
        SetLastError(dc ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    switch (attribute) {
        case WGL_PBUFFER_WIDTH_ARB:
            *value = dc->width();
            return TRUE;
        case WGL_PBUFFER_HEIGHT_ARB:
            *value = dc->height();
            return TRUE;
        // GLX keeps pbuffer contents (GLX_PRESERVED_CONTENTS), so nothing is ever lost.
        case WGL_PBUFFER_LOST_ARB:
            *value = 0;
            return TRUE;
        default:
            SetLastError(ERROR_INVALID_DATA);
            return FALSE;
    }
}
