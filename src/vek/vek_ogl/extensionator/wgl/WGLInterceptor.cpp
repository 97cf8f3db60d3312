#include "vek/vek_ogl/extensionator/wgl/WGLInterceptor.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"
#include "vek/vek_ogl/extensionator/internal/InterceptorChain.h"

namespace VEK {
namespace OGL {

WGLInterceptor* WGLInterceptor::sInterceptor_ = nullptr;

WGLInterceptor::~WGLInterceptor() = default;

WGLInterceptor* WGLInterceptor::Instance() {
    if (sInterceptor_ == nullptr) {
        sInterceptor_ = VEK_NEW(WGLErrorChecker)();
    }
    return sInterceptor_;
}

void WGLInterceptor::Destroy() {
    if (sInterceptor_ == nullptr) {
        return;
    }
    VEK_ENFORCE(dynamic_cast<WGLErrorChecker*>(sInterceptor_) != NULL);
    VEK_DELETE(sInterceptor_);
    sInterceptor_ = nullptr;
}

void WGLInterceptor::addInterceptor(WGLInterceptorDecorator* d) {
    internal::PushDecorator(sInterceptor_, d);
}

WGLInterceptorDecorator* WGLInterceptor::popInterceptor() {
    return internal::PopDecorator<WGLInterceptorDecorator>(sInterceptor_);
}

WGLInterceptor& WGLInterceptorDecorator::next(char const* file, unsigned line) const {
    if (interceptor_ == nullptr) {
        throw InternalException(file, static_cast<int>(line),
                                "WGL interceptor decorator has no next interceptor to forward to");
    }
    return *interceptor_;
}

WGLErrorChecker::~WGLErrorChecker() = default;

// The checker ignores file and line: WGL failures come back as the functions' own results.
int WGLErrorChecker::wcgmCopyContext(char const* /*file*/, unsigned /*line*/, HGLRC source,
                                     HGLRC destination, UINT mask) {
    return ::wglCopyContext(source, destination, mask);
}

HGLRC WGLErrorChecker::wcgmCreateContext(char const* /*file*/, unsigned /*line*/,
                                         HDC deviceContext) {
    return ::wglCreateContext(deviceContext);
}

HGLRC WGLErrorChecker::wcgmCreateLayerContext(char const* /*file*/, unsigned /*line*/,
                                              HDC deviceContext, int layer) {
    return ::wglCreateLayerContext(deviceContext, layer);
}

int WGLErrorChecker::wcgmDeleteContext(char const* /*file*/, unsigned /*line*/, HGLRC context) {
    return ::wglDeleteContext(context);
}

HGLRC WGLErrorChecker::wcgmGetCurrentContext(char const* /*file*/, unsigned /*line*/) {
    return ::wglGetCurrentContext();
}

HDC WGLErrorChecker::wcgmGetCurrentDC(char const* /*file*/, unsigned /*line*/) {
    return ::wglGetCurrentDC();
}

PROC WGLErrorChecker::wcgmGetProcAddress(char const* /*file*/, unsigned /*line*/,
                                         char const* name) {
    return ::wglGetProcAddress(name);
}

int WGLErrorChecker::wcgmMakeCurrent(char const* /*file*/, unsigned /*line*/, HDC deviceContext,
                                     HGLRC context) {
    return ::wglMakeCurrent(deviceContext, context);
}

int WGLErrorChecker::wcgmShareLists(char const* /*file*/, unsigned /*line*/, HGLRC first,
                                    HGLRC second) {
    return ::wglShareLists(first, second);
}

int WGLErrorChecker::wcgmUseFontBitmapsA(char const* /*file*/, unsigned /*line*/, HDC deviceContext,
                                         DWORD first, DWORD count, DWORD listBase) {
    return ::wglUseFontBitmapsA(deviceContext, first, count, listBase);
}

int WGLErrorChecker::wcgmUseFontBitmapsW(char const* /*file*/, unsigned /*line*/, HDC deviceContext,
                                         DWORD first, DWORD count, DWORD listBase) {
    return ::wglUseFontBitmapsW(deviceContext, first, count, listBase);
}

int WGLErrorChecker::wcgmSwapBuffers(char const* /*file*/, unsigned /*line*/, HDC deviceContext) {
    return ::SwapBuffers(deviceContext);
}

int WGLErrorChecker::wcgmUseFontOutlinesA(char const* /*file*/, unsigned /*line*/,
                                          HDC deviceContext, DWORD first, DWORD count,
                                          DWORD listBase, float deviation, float extrusion,
                                          int format, GLYPHMETRICSFLOAT* metrics) {
    return ::wglUseFontOutlinesA(deviceContext, first, count, listBase, deviation, extrusion,
                                 format, metrics);
}

int WGLErrorChecker::wcgmUseFontOutlinesW(char const* /*file*/, unsigned /*line*/,
                                          HDC deviceContext, DWORD first, DWORD count,
                                          DWORD listBase, float deviation, float extrusion,
                                          int format, GLYPHMETRICSFLOAT* metrics) {
    return ::wglUseFontOutlinesW(deviceContext, first, count, listBase, deviation, extrusion,
                                 format, metrics);
}

int WGLErrorChecker::wcgmDescribeLayerPlane(char const* /*file*/, unsigned /*line*/,
                                            HDC deviceContext, int pixelFormat, int layerPlane,
                                            UINT bytes, LAYERPLANEDESCRIPTOR* descriptor) {
    return ::wglDescribeLayerPlane(deviceContext, pixelFormat, layerPlane, bytes, descriptor);
}

int WGLErrorChecker::wcgmSetLayerPaletteEntries(char const* /*file*/, unsigned /*line*/,
                                                HDC deviceContext, int layer, int start, int count,
                                                COLORREF const* colours) {
    return ::wglSetLayerPaletteEntries(deviceContext, layer, start, count, colours);
}

int WGLErrorChecker::wcgmGetLayerPaletteEntries(char const* /*file*/, unsigned /*line*/,
                                                HDC deviceContext, int layer, int start, int count,
                                                COLORREF* colours) {
    return ::wglGetLayerPaletteEntries(deviceContext, layer, start, count, colours);
}

int WGLErrorChecker::wcgmRealizeLayerPalette(char const* /*file*/, unsigned /*line*/,
                                             HDC deviceContext, int layer, int realize) {
    return ::wglRealizeLayerPalette(deviceContext, layer, realize);
}

int WGLErrorChecker::wcgmSwapLayerBuffers(char const* /*file*/, unsigned /*line*/,
                                          HDC deviceContext, UINT planes) {
    return ::wglSwapLayerBuffers(deviceContext, planes);
}

DWORD WGLErrorChecker::wcgmSwapMultipleBuffers(char const* /*file*/, unsigned /*line*/, UINT count,
                                               WGLSWAP const* swaps) {
    return ::wglSwapMultipleBuffers(count, swaps);
}

}  // namespace OGL
}  // namespace VEK
