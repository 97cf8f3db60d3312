#pragma once

#include "vek/platform/WGL.h"

namespace VEK {
namespace OGL {

class WGLInterceptorDecorator;

// Every window-system call of the library goes through the process-wide chain headed by
// Instance(), with the caller's file and line, like the OpenGL calls.
class WGLInterceptor {
public:
    // The head of the chain; the first call makes the default WGLErrorChecker.
    static WGLInterceptor* Instance();
    // Destroys the checker when it heads the chain; decorators must be popped first.
    static void Destroy();

    // Both act on the process-wide chain whatever object they are called on.
    void addInterceptor(WGLInterceptorDecorator* d);
    WGLInterceptorDecorator* popInterceptor();

    virtual int wcgmCopyContext(char const* file, unsigned line, HGLRC source, HGLRC destination,
                                UINT mask) = 0;
    virtual HGLRC wcgmCreateContext(char const* file, unsigned line, HDC deviceContext) = 0;
    virtual HGLRC wcgmCreateLayerContext(char const* file, unsigned line, HDC deviceContext,
                                         int layer) = 0;
    virtual int wcgmDeleteContext(char const* file, unsigned line, HGLRC context) = 0;
    virtual HGLRC wcgmGetCurrentContext(char const* file, unsigned line) = 0;
    virtual HDC wcgmGetCurrentDC(char const* file, unsigned line) = 0;
    virtual PROC wcgmGetProcAddress(char const* file, unsigned line, char const* name) = 0;
    virtual int wcgmMakeCurrent(char const* file, unsigned line, HDC deviceContext,
                                HGLRC context) = 0;
    virtual int wcgmShareLists(char const* file, unsigned line, HGLRC first, HGLRC second) = 0;
    virtual int wcgmUseFontBitmapsA(char const* file, unsigned line, HDC deviceContext, DWORD first,
                                    DWORD count, DWORD listBase) = 0;
    virtual int wcgmUseFontBitmapsW(char const* file, unsigned line, HDC deviceContext, DWORD first,
                                    DWORD count, DWORD listBase) = 0;
    virtual int wcgmSwapBuffers(char const* file, unsigned line, HDC deviceContext) = 0;
    virtual int wcgmUseFontOutlinesA(char const* file, unsigned line, HDC deviceContext,
                                     DWORD first, DWORD count, DWORD listBase, float deviation,
                                     float extrusion, int format, GLYPHMETRICSFLOAT* metrics) = 0;
    virtual int wcgmUseFontOutlinesW(char const* file, unsigned line, HDC deviceContext,
                                     DWORD first, DWORD count, DWORD listBase, float deviation,
                                     float extrusion, int format, GLYPHMETRICSFLOAT* metrics) = 0;
    virtual int wcgmDescribeLayerPlane(char const* file, unsigned line, HDC deviceContext,
                                       int pixelFormat, int layerPlane, UINT bytes,
                                       LAYERPLANEDESCRIPTOR* descriptor) = 0;
    virtual int wcgmSetLayerPaletteEntries(char const* file, unsigned line, HDC deviceContext,
                                           int layer, int start, int count,
                                           COLORREF const* colours) = 0;
    virtual int wcgmGetLayerPaletteEntries(char const* file, unsigned line, HDC deviceContext,
                                           int layer, int start, int count, COLORREF* colours) = 0;
    virtual int wcgmRealizeLayerPalette(char const* file, unsigned line, HDC deviceContext,
                                        int layer, int realize) = 0;
    virtual int wcgmSwapLayerBuffers(char const* file, unsigned line, HDC deviceContext,
                                     UINT planes) = 0;
    virtual DWORD wcgmSwapMultipleBuffers(char const* file, unsigned line, UINT count,
                                          WGLSWAP const* swaps) = 0;

    virtual ~WGLInterceptor();

protected:
    WGLInterceptor() = default;

private:
    WGLInterceptor(const WGLInterceptor&) = delete;
    WGLInterceptor& operator=(const WGLInterceptor&) = delete;

    static WGLInterceptor* sInterceptor_;
};

// A WGL interceptor that does its own work and forwards to the next one.
class WGLInterceptorDecorator : public WGLInterceptor {
public:
    WGLInterceptor* interceptor() { return interceptor_; }
    const WGLInterceptor* interceptor() const { return interceptor_; }
    void setInterceptor(WGLInterceptor* next) { interceptor_ = next; }

protected:
    explicit WGLInterceptorDecorator(WGLInterceptor* next = nullptr) : interceptor_(next) {}

    // Where a call is forwarded; a decorator with nowhere to forward throws, naming the caller.
    WGLInterceptor& next(char const* file, unsigned line) const;

private:
    WGLInterceptor* interceptor_;
};

// The end of the chain: calls the window system's function and returns its result, which is
// how WGL reports failure.
class WGLErrorChecker : public WGLInterceptor {
public:
    WGLErrorChecker() = default;
    ~WGLErrorChecker() override;

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
};

}  // namespace OGL
}  // namespace VEK
