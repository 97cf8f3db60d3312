#include "vek/vek_ogl/extensionator/wgl/WGLCallObserver.h"

namespace VEK {
namespace OGL {

WGLCallObserver::~WGLCallObserver() = default;

int WGLCallObserver::wcgmCopyContext(char const* file, unsigned line, HGLRC source,
                                     HGLRC destination, UINT mask) {
    observe(file, line, "wglCopyContext");
    return next(file, line).wcgmCopyContext(file, line, source, destination, mask);
}

HGLRC WGLCallObserver::wcgmCreateContext(char const* file, unsigned line, HDC deviceContext) {
    observe(file, line, "wglCreateContext");
    return next(file, line).wcgmCreateContext(file, line, deviceContext);
}

HGLRC WGLCallObserver::wcgmCreateLayerContext(char const* file, unsigned line, HDC deviceContext,
                                              int layer) {
    observe(file, line, "wglCreateLayerContext");
    return next(file, line).wcgmCreateLayerContext(file, line, deviceContext, layer);
}

int WGLCallObserver::wcgmDeleteContext(char const* file, unsigned line, HGLRC context) {
    observe(file, line, "wglDeleteContext");
    return next(file, line).wcgmDeleteContext(file, line, context);
}

HGLRC WGLCallObserver::wcgmGetCurrentContext(char const* file, unsigned line) {
    observe(file, line, "wglGetCurrentContext");
    return next(file, line).wcgmGetCurrentContext(file, line);
}

HDC WGLCallObserver::wcgmGetCurrentDC(char const* file, unsigned line) {
    observe(file, line, "wglGetCurrentDC");
    return next(file, line).wcgmGetCurrentDC(file, line);
}

PROC WGLCallObserver::wcgmGetProcAddress(char const* file, unsigned line, char const* name) {
    observe(file, line, "wglGetProcAddress");
    return next(file, line).wcgmGetProcAddress(file, line, name);
}

int WGLCallObserver::wcgmMakeCurrent(char const* file, unsigned line, HDC deviceContext,
                                     HGLRC context) {
    observe(file, line, "wglMakeCurrent");
    return next(file, line).wcgmMakeCurrent(file, line, deviceContext, context);
}

int WGLCallObserver::wcgmShareLists(char const* file, unsigned line, HGLRC first, HGLRC second) {
    observe(file, line, "wglShareLists");
    return next(file, line).wcgmShareLists(file, line, first, second);
}

int WGLCallObserver::wcgmUseFontBitmapsA(char const* file, unsigned line, HDC deviceContext,
                                         DWORD first, DWORD count, DWORD listBase) {
    observe(file, line, "wglUseFontBitmapsA");
    return next(file, line).wcgmUseFontBitmapsA(file, line, deviceContext, first, count, listBase);
}

int WGLCallObserver::wcgmUseFontBitmapsW(char const* file, unsigned line, HDC deviceContext,
                                         DWORD first, DWORD count, DWORD listBase) {
    observe(file, line, "wglUseFontBitmapsW");
    return next(file, line).wcgmUseFontBitmapsW(file, line, deviceContext, first, count, listBase);
}

int WGLCallObserver::wcgmSwapBuffers(char const* file, unsigned line, HDC deviceContext) {
    observe(file, line, "SwapBuffers");
    return next(file, line).wcgmSwapBuffers(file, line, deviceContext);
}

int WGLCallObserver::wcgmUseFontOutlinesA(char const* file, unsigned line, HDC deviceContext,
                                          DWORD first, DWORD count, DWORD listBase, float deviation,
                                          float extrusion, int format, GLYPHMETRICSFLOAT* metrics) {
    observe(file, line, "wglUseFontOutlinesA");
    return next(file, line)
        .wcgmUseFontOutlinesA(file, line, deviceContext, first, count, listBase, deviation,
                              extrusion, format, metrics);
}

int WGLCallObserver::wcgmUseFontOutlinesW(char const* file, unsigned line, HDC deviceContext,
                                          DWORD first, DWORD count, DWORD listBase, float deviation,
                                          float extrusion, int format, GLYPHMETRICSFLOAT* metrics) {
    observe(file, line, "wglUseFontOutlinesW");
    return next(file, line)
        .wcgmUseFontOutlinesW(file, line, deviceContext, first, count, listBase, deviation,
                              extrusion, format, metrics);
}

int WGLCallObserver::wcgmDescribeLayerPlane(char const* file, unsigned line, HDC deviceContext,
                                            int pixelFormat, int layerPlane, UINT bytes,
                                            LAYERPLANEDESCRIPTOR* descriptor) {
    observe(file, line, "wglDescribeLayerPlane");
    return next(file, line)
        .wcgmDescribeLayerPlane(file, line, deviceContext, pixelFormat, layerPlane, bytes,
                                descriptor);
}

int WGLCallObserver::wcgmSetLayerPaletteEntries(char const* file, unsigned line, HDC deviceContext,
                                                int layer, int start, int count,
                                                COLORREF const* colours) {
    observe(file, line, "wglSetLayerPaletteEntries");
    return next(file, line)
        .wcgmSetLayerPaletteEntries(file, line, deviceContext, layer, start, count, colours);
}

int WGLCallObserver::wcgmGetLayerPaletteEntries(char const* file, unsigned line, HDC deviceContext,
                                                int layer, int start, int count,
                                                COLORREF* colours) {
    observe(file, line, "wglGetLayerPaletteEntries");
    return next(file, line)
        .wcgmGetLayerPaletteEntries(file, line, deviceContext, layer, start, count, colours);
}

int WGLCallObserver::wcgmRealizeLayerPalette(char const* file, unsigned line, HDC deviceContext,
                                             int layer, int realize) {
    observe(file, line, "wglRealizeLayerPalette");
    return next(file, line).wcgmRealizeLayerPalette(file, line, deviceContext, layer, realize);
}

int WGLCallObserver::wcgmSwapLayerBuffers(char const* file, unsigned line, HDC deviceContext,
                                          UINT planes) {
    observe(file, line, "wglSwapLayerBuffers");
    return next(file, line).wcgmSwapLayerBuffers(file, line, deviceContext, planes);
}

DWORD WGLCallObserver::wcgmSwapMultipleBuffers(char const* file, unsigned line, UINT count,
                                               WGLSWAP const* swaps) {
    observe(file, line, "wglSwapMultipleBuffers");
    return next(file, line).wcgmSwapMultipleBuffers(file, line, count, swaps);
}

}  // namespace OGL
}  // namespace VEK
