#pragma once

#include "vek/vek_ogl/extensionator/wgl/WGLInterceptor.h"

namespace VEK {
namespace OGL {

// A WGL decorator that reports every call to observe() and forwards it unchanged; derive from
// it to watch, or override an operation to change what the window system answers.
class WGLCallObserver : public WGLInterceptorDecorator {
public:
    explicit WGLCallObserver(WGLInterceptor* next = nullptr) : WGLInterceptorDecorator(next) {}
    ~WGLCallObserver() override;

    int wcgmCopyContext(char const* file, unsigned line, HGLRC source, HGLRC destination,
                        UINT mask) override;
    HGLRC wcgmCreateContext(char const* file, unsigned line, HDC deviceContext) override;
    HGLRC wcgmCreateLayerContext(char const* file, unsigned line, HDC deviceContext,
                                 int layer) override;
    int wcgmDeleteContext(char const* file, unsigned line, HGLRC context) override;
    HGLRC wcgmGetCurrentContext(char const* file, unsigned line) override;
    HDC wcgmGetCurrentDC(char const* file, unsigned line) override;
    PROC wcgmGetProcAddress(char const* file, unsigned line, char const* name) override;
    int wcgmMakeCurrent(char const* file, unsigned line, HDC deviceContext, HGLRC context) override;
    int wcgmShareLists(char const* file, unsigned line, HGLRC first, HGLRC second) override;
    int wcgmUseFontBitmapsA(char const* file, unsigned line, HDC deviceContext, DWORD first,
                            DWORD count, DWORD listBase) override;
    int wcgmUseFontBitmapsW(char const* file, unsigned line, HDC deviceContext, DWORD first,
                            DWORD count, DWORD listBase) override;
    int wcgmSwapBuffers(char const* file, unsigned line, HDC deviceContext) override;
    int wcgmUseFontOutlinesA(char const* file, unsigned line, HDC deviceContext, DWORD first,
                             DWORD count, DWORD listBase, float deviation, float extrusion,
                             int format, GLYPHMETRICSFLOAT* metrics) override;
    int wcgmUseFontOutlinesW(char const* file, unsigned line, HDC deviceContext, DWORD first,
                             DWORD count, DWORD listBase, float deviation, float extrusion,
                             int format, GLYPHMETRICSFLOAT* metrics) override;
    int wcgmDescribeLayerPlane(char const* file, unsigned line, HDC deviceContext, int pixelFormat,
                               int layerPlane, UINT bytes,
                               LAYERPLANEDESCRIPTOR* descriptor) override;
    int wcgmSetLayerPaletteEntries(char const* file, unsigned line, HDC deviceContext, int layer,
                                   int start, int count, COLORREF const* colours) override;
    int wcgmGetLayerPaletteEntries(char const* file, unsigned line, HDC deviceContext, int layer,
                                   int start, int count, COLORREF* colours) override;
    int wcgmRealizeLayerPalette(char const* file, unsigned line, HDC deviceContext, int layer,
                                int realize) override;
    int wcgmSwapLayerBuffers(char const* file, unsigned line, HDC deviceContext,
                             UINT planes) override;
    DWORD wcgmSwapMultipleBuffers(char const* file, unsigned line, UINT count,
                                  WGLSWAP const* swaps) override;

protected:
    // function is the window-system name, "wglMakeCurrent". An exception stops the call.
    virtual void observe(char const* file, unsigned line, char const* function) = 0;
};

}  // namespace OGL
}  // namespace VEK
