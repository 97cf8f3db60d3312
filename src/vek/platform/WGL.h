#pragma once

// The WGL calls the library makes, with their Windows names and values, served over GLX. An HGLRC
// is the platform's context record; the current pair is kept per thread.

#include "vek/Export.h"
#include "vek/core/utility/Tls.h"
#include "vek/platform/Windows.h"

struct HGLRC__;
struct HPBUFFERARB__;
typedef HGLRC__* HGLRC;
typedef HPBUFFERARB__* HPBUFFERARB;

// The type wglGetProcAddress returns; callers cast it to the entry point's own type.
typedef INT_PTR (*PROC)();

struct LAYERPLANEDESCRIPTOR {
    WORD nSize;
    WORD nVersion;
    DWORD dwFlags;
    BYTE iPixelType;
    BYTE cColorBits;
    BYTE cRedBits;
    BYTE cRedShift;
    BYTE cGreenBits;
    BYTE cGreenShift;
    BYTE cBlueBits;
    BYTE cBlueShift;
    BYTE cAlphaBits;
    BYTE cAlphaShift;
    BYTE cAccumBits;
    BYTE cAccumRedBits;
    BYTE cAccumGreenBits;
    BYTE cAccumBlueBits;
    BYTE cAccumAlphaBits;
    BYTE cDepthBits;
    BYTE cStencilBits;
    BYTE cAuxBuffers;
    BYTE iLayerPlane;
    BYTE bReserved;
    COLORREF crTransparent;
};

struct POINTFLOAT {
    FLOAT x;
    FLOAT y;
};

struct GLYPHMETRICSFLOAT {
    FLOAT gmfBlackBoxX;
    FLOAT gmfBlackBoxY;
    POINTFLOAT gmfptGlyphOrigin;
    FLOAT gmfCellIncX;
    FLOAT gmfCellIncY;
};
typedef GLYPHMETRICSFLOAT* LPGLYPHMETRICSFLOAT;

struct WGLSWAP {
    HDC hdc;
    UINT uiFlags;
};

// WGL_ARB_pixel_format, WGL_ARB_multisample, WGL_ARB_pixel_format_float.
constexpr int WGL_NUMBER_PIXEL_FORMATS_ARB = 0x2000;
constexpr int WGL_DRAW_TO_WINDOW_ARB = 0x2001;
constexpr int WGL_DRAW_TO_BITMAP_ARB = 0x2002;
constexpr int WGL_ACCELERATION_ARB = 0x2003;
constexpr int WGL_NEED_PALETTE_ARB = 0x2004;
constexpr int WGL_NEED_SYSTEM_PALETTE_ARB = 0x2005;
constexpr int WGL_SWAP_LAYER_BUFFERS_ARB = 0x2006;
constexpr int WGL_SWAP_METHOD_ARB = 0x2007;
constexpr int WGL_NUMBER_OVERLAYS_ARB = 0x2008;
constexpr int WGL_NUMBER_UNDERLAYS_ARB = 0x2009;
constexpr int WGL_TRANSPARENT_ARB = 0x200A;
constexpr int WGL_SUPPORT_GDI_ARB = 0x200F;
constexpr int WGL_SUPPORT_OPENGL_ARB = 0x2010;
constexpr int WGL_DOUBLE_BUFFER_ARB = 0x2011;
constexpr int WGL_STEREO_ARB = 0x2012;
constexpr int WGL_PIXEL_TYPE_ARB = 0x2013;
constexpr int WGL_COLOR_BITS_ARB = 0x2014;
constexpr int WGL_RED_BITS_ARB = 0x2015;
constexpr int WGL_RED_SHIFT_ARB = 0x2016;
constexpr int WGL_GREEN_BITS_ARB = 0x2017;
constexpr int WGL_GREEN_SHIFT_ARB = 0x2018;
constexpr int WGL_BLUE_BITS_ARB = 0x2019;
constexpr int WGL_BLUE_SHIFT_ARB = 0x201A;
constexpr int WGL_ALPHA_BITS_ARB = 0x201B;
constexpr int WGL_ALPHA_SHIFT_ARB = 0x201C;
constexpr int WGL_ACCUM_BITS_ARB = 0x201D;
constexpr int WGL_ACCUM_RED_BITS_ARB = 0x201E;
constexpr int WGL_ACCUM_GREEN_BITS_ARB = 0x201F;
constexpr int WGL_ACCUM_BLUE_BITS_ARB = 0x2020;
constexpr int WGL_ACCUM_ALPHA_BITS_ARB = 0x2021;
constexpr int WGL_DEPTH_BITS_ARB = 0x2022;
constexpr int WGL_STENCIL_BITS_ARB = 0x2023;
constexpr int WGL_AUX_BUFFERS_ARB = 0x2024;
constexpr int WGL_NO_ACCELERATION_ARB = 0x2025;
constexpr int WGL_GENERIC_ACCELERATION_ARB = 0x2026;
constexpr int WGL_FULL_ACCELERATION_ARB = 0x2027;
constexpr int WGL_SWAP_EXCHANGE_ARB = 0x2028;
constexpr int WGL_SWAP_COPY_ARB = 0x2029;
constexpr int WGL_SWAP_UNDEFINED_ARB = 0x202A;
constexpr int WGL_TYPE_RGBA_ARB = 0x202B;
constexpr int WGL_TYPE_COLORINDEX_ARB = 0x202C;
constexpr int WGL_DRAW_TO_PBUFFER_ARB = 0x202D;
constexpr int WGL_MAX_PBUFFER_PIXELS_ARB = 0x202E;
constexpr int WGL_MAX_PBUFFER_WIDTH_ARB = 0x202F;
constexpr int WGL_MAX_PBUFFER_HEIGHT_ARB = 0x2030;
constexpr int WGL_PBUFFER_LARGEST_ARB = 0x2033;
constexpr int WGL_PBUFFER_WIDTH_ARB = 0x2034;
constexpr int WGL_PBUFFER_HEIGHT_ARB = 0x2035;
constexpr int WGL_PBUFFER_LOST_ARB = 0x2036;
constexpr int WGL_SAMPLE_BUFFERS_ARB = 0x2041;
constexpr int WGL_SAMPLES_ARB = 0x2042;
// A pixel-type value; the library's extended chooser also sends it as an attribute with value 1
// to ask for floating-point colour, and the chooser honours both forms.
constexpr int WGL_TYPE_RGBA_FLOAT_ARB = 0x21A0;

// WGL_ARB_create_context, WGL_ARB_create_context_profile.
constexpr int WGL_CONTEXT_MAJOR_VERSION_ARB = 0x2091;
constexpr int WGL_CONTEXT_MINOR_VERSION_ARB = 0x2092;
constexpr int WGL_CONTEXT_LAYER_PLANE_ARB = 0x2093;
constexpr int WGL_CONTEXT_FLAGS_ARB = 0x2094;
constexpr int WGL_CONTEXT_PROFILE_MASK_ARB = 0x9126;
constexpr int WGL_CONTEXT_DEBUG_BIT_ARB = 0x0001;
constexpr int WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB = 0x0002;
constexpr int WGL_CONTEXT_CORE_PROFILE_BIT_ARB = 0x0001;
constexpr int WGL_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB = 0x0002;

// Last errors of the extensions.
constexpr DWORD ERROR_INVALID_PIXEL_TYPE_ARB = 0x2043;
constexpr DWORD ERROR_INCOMPATIBLE_DEVICE_CONTEXTS_ARB = 0x2054;
constexpr DWORD ERROR_INVALID_VERSION_ARB = 0x2095;
constexpr DWORD ERROR_INVALID_PROFILE_ARB = 0x2096;

// Core WGL.
VEK_EXPORT BOOL wglCopyContext(HGLRC source, HGLRC destination, UINT mask);
VEK_EXPORT HGLRC wglCreateContext(HDC deviceContext);
VEK_EXPORT HGLRC wglCreateLayerContext(HDC deviceContext, int layer);
VEK_EXPORT BOOL wglDeleteContext(HGLRC context);
VEK_EXPORT HGLRC wglGetCurrentContext();
VEK_EXPORT HDC wglGetCurrentDC();
VEK_EXPORT PROC wglGetProcAddress(LPCSTR name);
VEK_EXPORT BOOL wglMakeCurrent(HDC deviceContext, HGLRC context);
VEK_EXPORT BOOL wglShareLists(HGLRC first, HGLRC second);
VEK_EXPORT BOOL wglUseFontBitmapsA(HDC deviceContext, DWORD first, DWORD count, DWORD listBase);
VEK_EXPORT BOOL wglUseFontBitmapsW(HDC deviceContext, DWORD first, DWORD count, DWORD listBase);
VEK_EXPORT BOOL wglUseFontOutlinesA(HDC deviceContext, DWORD first, DWORD count, DWORD listBase,
                                    FLOAT deviation, FLOAT extrusion, int format,
                                    GLYPHMETRICSFLOAT* metrics);
VEK_EXPORT BOOL wglUseFontOutlinesW(HDC deviceContext, DWORD first, DWORD count, DWORD listBase,
                                    FLOAT deviation, FLOAT extrusion, int format,
                                    GLYPHMETRICSFLOAT* metrics);
VEK_EXPORT BOOL wglDescribeLayerPlane(HDC deviceContext, int pixelFormat, int layerPlane,
                                      UINT bytes, LAYERPLANEDESCRIPTOR* descriptor);
VEK_EXPORT int wglSetLayerPaletteEntries(HDC deviceContext, int layer, int start, int count,
                                         const COLORREF* colours);
VEK_EXPORT int wglGetLayerPaletteEntries(HDC deviceContext, int layer, int start, int count,
                                         COLORREF* colours);
VEK_EXPORT BOOL wglRealizeLayerPalette(HDC deviceContext, int layer, BOOL realize);
VEK_EXPORT BOOL wglSwapLayerBuffers(HDC deviceContext, UINT planes);
VEK_EXPORT DWORD wglSwapMultipleBuffers(UINT count, const WGLSWAP* swaps);

// Extension functions. Declared here for the platform's own users and tests; the library reaches
// them through wglGetProcAddress, which hands out only those of advertised extensions.
VEK_EXPORT const char* wglGetExtensionsStringARB(HDC deviceContext);
VEK_EXPORT HGLRC wglCreateContextAttribsARB(HDC deviceContext, HGLRC share, const int* attributes);
VEK_EXPORT BOOL wglChoosePixelFormatARB(HDC deviceContext, const int* intAttributes,
                                        const FLOAT* floatAttributes, UINT maxFormats, int* formats,
                                        UINT* count);
VEK_EXPORT BOOL wglGetPixelFormatAttribivARB(HDC deviceContext, int pixelFormat, int layerPlane,
                                             UINT count, const int* attributes, int* values);
VEK_EXPORT BOOL wglGetPixelFormatAttribfvARB(HDC deviceContext, int pixelFormat, int layerPlane,
                                             UINT count, const int* attributes, FLOAT* values);
VEK_EXPORT HPBUFFERARB wglCreatePbufferARB(HDC deviceContext, int pixelFormat, int width,
                                           int height, const int* attributes);
VEK_EXPORT HDC wglGetPbufferDCARB(HPBUFFERARB pbuffer);
VEK_EXPORT int wglReleasePbufferDCARB(HPBUFFERARB pbuffer, HDC deviceContext);
VEK_EXPORT BOOL wglDestroyPbufferARB(HPBUFFERARB pbuffer);
VEK_EXPORT BOOL wglQueryPbufferARB(HPBUFFERARB pbuffer, int attribute, int* value);
VEK_EXPORT BOOL wglSwapIntervalEXT(int interval);
VEK_EXPORT int wglGetSwapIntervalEXT();

namespace VEK {
namespace Platform {

namespace internal {
// The calling thread's current context, as wglGetCurrentContext answers it: a plain
// thread-local, so that the library's per-call lookup of the current table reads it inline.
extern __thread VEK_EXPORT HGLRC tCurrentContext VEK_INITIAL_EXEC_TLS;
}  // namespace internal

inline HGLRC CurrentContext() {
    return internal::tCurrentContext;
}

// Called by wglDeleteContext with a context about to be deleted, so that the library forgets
// what it keeps for that handle before the address can be handed out again. One hook; a later
// call replaces it.
typedef void (*ContextDeletedHook)(HGLRC context);
void SetContextDeletedHook(ContextDeletedHook hook);

// Called on a thread whose current context has just been set (to the same one, to another or
// to none), so that the library can drop what it keeps per thread for the previous one. One
// hook; a later call replaces it.
typedef void (*CurrentChangedHook)(HGLRC previous, HGLRC current);
void SetCurrentChangedHook(CurrentChangedHook hook);

}  // namespace Platform
}  // namespace VEK
