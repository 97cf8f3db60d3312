// WGL_ARB_pixel_format over the same pixel formats as GDI's calls.
#include <algorithm>
#include <vector>

#include "vek/platform/DeviceContext.h"
#include "vek/platform/PixelFormats.h"
#include "vek/platform/WGL.h"
#include "vek/platform/XConnection.h"

using VEK::Platform::DeviceContext;
using VEK::Platform::PixelFormats;
using VEK::Platform::XConnection;

namespace {

const PixelFormats* FormatsOf(HDC deviceContext) {
    DeviceContext* dc = DeviceContext::FromHandle(deviceContext);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const PixelFormats* formats = PixelFormats::ForScreen(XConnection::Get(), dc->screen());
    if (!formats) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
    }
    return formats;
}

template <class T>
BOOL GetAttributes(HDC deviceContext, int pixelFormat, int layerPlane, UINT count,
                   const int* attributes, T* values) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    const PixelFormats* formats = FormatsOf(deviceContext);
    if (!formats) {
        return FALSE;
    }
    // There are no layer planes here; only the main plane (0) has attributes.
    if (layerPlane != 0 || (count > 0 && (!attributes || !values))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<T> answers(count);
    for (UINT i = 0; i < count; ++i) {
        int value = 0;
        if (!formats->attribute(pixelFormat, attributes[i], value)) {
            SetLastError(ERROR_INVALID_PARAMETER);  // unknown attribute or format
            return FALSE;
        }
        answers[i] = static_cast<T>(value);
    }
    // Nothing is written unless every attribute was answered.
    std::copy(answers.begin(), answers.end(), values);
    return TRUE;
}

}  // namespace

BOOL wglChoosePixelFormatARB(HDC deviceContext, const int* intAttributes,
                             const FLOAT* floatAttributes, UINT maxFormats, int* formats,
                             UINT* count) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    const PixelFormats* all = FormatsOf(deviceContext);
    if (!all) {
        return FALSE;
    }
    if (!count || (maxFormats > 0 && !formats)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<int> found;
    int bad = 0;
    if (!all->choose(intAttributes, floatAttributes, found, bad)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::size_t n = std::min<std::size_t>(found.size(), maxFormats);
    std::copy(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(n), formats);
    *count = static_cast<UINT>(n);
    return TRUE;
}

BOOL wglGetPixelFormatAttribivARB(HDC deviceContext, int pixelFormat, int layerPlane, UINT count,
                                  const int* attributes, int* values) {
    return GetAttributes(deviceContext, pixelFormat, layerPlane, count, attributes, values);
}

BOOL wglGetPixelFormatAttribfvARB(HDC deviceContext, int pixelFormat, int layerPlane, UINT count,
                                  const int* attributes, FLOAT* values) {
    return GetAttributes(deviceContext, pixelFormat, layerPlane, count, attributes, values);
}
