#pragma once

/// @file
/// The WGL calls the library makes, with their Windows names and values, served over GLX. An HGLRC
/// is the platform's context record; the current pair is kept per thread. These are C-style
/// calls: they never throw; failures return the Windows failure value and set the calling
/// thread's last error (GetLastError), as on Windows.

#include "vek/Export.h"
#include "vek/core/utility/Tls.h"
#include "vek/platform/Windows.h"

struct HGLRC__;
struct HPBUFFERARB__;
/// A rendering context: the platform's context record (GLX context, configuration, share group).
typedef HGLRC__* HGLRC;
/// A pbuffer; the same object as its device context.
typedef HPBUFFERARB__* HPBUFFERARB;

/// The type wglGetProcAddress returns; callers cast it to the entry point's own type.
typedef INT_PTR (*PROC)();

/// A layer-plane descriptor; there are no layer planes here, so it is never filled.
struct LAYERPLANEDESCRIPTOR {
    WORD nSize;              ///< sizeof(LAYERPLANEDESCRIPTOR)
    WORD nVersion;           ///< version
    DWORD dwFlags;           ///< LPD_* flags
    BYTE iPixelType;         ///< pixel type
    BYTE cColorBits;         ///< colour bits
    BYTE cRedBits;           ///< red bits
    BYTE cRedShift;          ///< red shift
    BYTE cGreenBits;         ///< green bits
    BYTE cGreenShift;        ///< green shift
    BYTE cBlueBits;          ///< blue bits
    BYTE cBlueShift;         ///< blue shift
    BYTE cAlphaBits;         ///< alpha bits
    BYTE cAlphaShift;        ///< alpha shift
    BYTE cAccumBits;         ///< accumulation bits
    BYTE cAccumRedBits;      ///< accumulation red bits
    BYTE cAccumGreenBits;    ///< accumulation green bits
    BYTE cAccumBlueBits;     ///< accumulation blue bits
    BYTE cAccumAlphaBits;    ///< accumulation alpha bits
    BYTE cDepthBits;         ///< depth bits
    BYTE cStencilBits;       ///< stencil bits
    BYTE cAuxBuffers;        ///< auxiliary buffers
    BYTE iLayerPlane;        ///< layer plane number
    BYTE bReserved;          ///< reserved
    COLORREF crTransparent;  ///< transparent colour
};

/// A point in glyph-metric units.
struct POINTFLOAT {
    FLOAT x;  ///< x
    FLOAT y;  ///< y
};

/// Metrics of one outline glyph; font outlines are not made here, so it is never filled.
struct GLYPHMETRICSFLOAT {
    FLOAT gmfBlackBoxX;           ///< width of the glyph's black box
    FLOAT gmfBlackBoxY;           ///< height of the glyph's black box
    POINTFLOAT gmfptGlyphOrigin;  ///< the black box's upper-left corner
    FLOAT gmfCellIncX;            ///< horizontal advance
    FLOAT gmfCellIncY;            ///< vertical advance
};
/// Pointer to glyph metrics.
typedef GLYPHMETRICSFLOAT* LPGLYPHMETRICSFLOAT;

/// One swap of wglSwapMultipleBuffers, which is not supported here.
struct WGLSWAP {
    HDC hdc;       ///< device context to swap
    UINT uiFlags;  ///< planes to swap
};

/// @name WGL_ARB_pixel_format, WGL_ARB_multisample, WGL_ARB_pixel_format_float attributes and
/// values
///@{
constexpr int WGL_NUMBER_PIXEL_FORMATS_ARB = 0x2000;  ///< number of formats
constexpr int WGL_DRAW_TO_WINDOW_ARB = 0x2001;        ///< draws to windows
constexpr int WGL_DRAW_TO_BITMAP_ARB = 0x2002;        ///< draws to bitmaps
constexpr int WGL_ACCELERATION_ARB = 0x2003;          ///< WGL_*_ACCELERATION_ARB
constexpr int WGL_NEED_PALETTE_ARB = 0x2004;          ///< needs a palette
constexpr int WGL_NEED_SYSTEM_PALETTE_ARB = 0x2005;   ///< needs the system palette
constexpr int WGL_SWAP_LAYER_BUFFERS_ARB = 0x2006;    ///< swaps layer planes
constexpr int WGL_SWAP_METHOD_ARB = 0x2007;           ///< WGL_SWAP_*_ARB
constexpr int WGL_NUMBER_OVERLAYS_ARB = 0x2008;       ///< overlay planes
constexpr int WGL_NUMBER_UNDERLAYS_ARB = 0x2009;      ///< underlay planes
constexpr int WGL_TRANSPARENT_ARB = 0x200A;           ///< has a transparent colour
constexpr int WGL_SUPPORT_GDI_ARB = 0x200F;           ///< GDI drawing
constexpr int WGL_SUPPORT_OPENGL_ARB = 0x2010;        ///< OpenGL drawing
constexpr int WGL_DOUBLE_BUFFER_ARB = 0x2011;         ///< double-buffered
constexpr int WGL_STEREO_ARB = 0x2012;                ///< stereo
constexpr int WGL_PIXEL_TYPE_ARB = 0x2013;            ///< WGL_TYPE_*_ARB
constexpr int WGL_COLOR_BITS_ARB = 0x2014;            ///< colour bits
constexpr int WGL_RED_BITS_ARB = 0x2015;              ///< red bits
constexpr int WGL_RED_SHIFT_ARB = 0x2016;             ///< red shift
constexpr int WGL_GREEN_BITS_ARB = 0x2017;            ///< green bits
constexpr int WGL_GREEN_SHIFT_ARB = 0x2018;           ///< green shift
constexpr int WGL_BLUE_BITS_ARB = 0x2019;             ///< blue bits
constexpr int WGL_BLUE_SHIFT_ARB = 0x201A;            ///< blue shift
constexpr int WGL_ALPHA_BITS_ARB = 0x201B;            ///< alpha bits
constexpr int WGL_ALPHA_SHIFT_ARB = 0x201C;           ///< alpha shift
constexpr int WGL_ACCUM_BITS_ARB = 0x201D;            ///< accumulation bits
constexpr int WGL_ACCUM_RED_BITS_ARB = 0x201E;        ///< accumulation red bits
constexpr int WGL_ACCUM_GREEN_BITS_ARB = 0x201F;      ///< accumulation green bits
constexpr int WGL_ACCUM_BLUE_BITS_ARB = 0x2020;       ///< accumulation blue bits
constexpr int WGL_ACCUM_ALPHA_BITS_ARB = 0x2021;      ///< accumulation alpha bits
constexpr int WGL_DEPTH_BITS_ARB = 0x2022;            ///< depth bits
constexpr int WGL_STENCIL_BITS_ARB = 0x2023;          ///< stencil bits
constexpr int WGL_AUX_BUFFERS_ARB = 0x2024;           ///< auxiliary buffers
constexpr int WGL_NO_ACCELERATION_ARB = 0x2025;       ///< software rendering
constexpr int WGL_GENERIC_ACCELERATION_ARB = 0x2026;  ///< generic acceleration
constexpr int WGL_FULL_ACCELERATION_ARB = 0x2027;     ///< hardware rendering
constexpr int WGL_SWAP_EXCHANGE_ARB = 0x2028;         ///< swap exchanges buffers
constexpr int WGL_SWAP_COPY_ARB = 0x2029;             ///< swap copies the back buffer
constexpr int WGL_SWAP_UNDEFINED_ARB = 0x202A;        ///< back buffer undefined after swap
constexpr int WGL_TYPE_RGBA_ARB = 0x202B;             ///< RGBA pixels
constexpr int WGL_TYPE_COLORINDEX_ARB = 0x202C;       ///< colour-index pixels
constexpr int WGL_DRAW_TO_PBUFFER_ARB = 0x202D;       ///< draws to pbuffers
constexpr int WGL_MAX_PBUFFER_PIXELS_ARB = 0x202E;    ///< largest pbuffer area
constexpr int WGL_MAX_PBUFFER_WIDTH_ARB = 0x202F;     ///< largest pbuffer width
constexpr int WGL_MAX_PBUFFER_HEIGHT_ARB = 0x2030;    ///< largest pbuffer height
constexpr int WGL_PBUFFER_LARGEST_ARB = 0x2033;       ///< largest available if too big
constexpr int WGL_PBUFFER_WIDTH_ARB = 0x2034;         ///< pbuffer width
constexpr int WGL_PBUFFER_HEIGHT_ARB = 0x2035;        ///< pbuffer height
constexpr int WGL_PBUFFER_LOST_ARB = 0x2036;          ///< contents lost; never here
constexpr int WGL_SAMPLE_BUFFERS_ARB = 0x2041;        ///< multisample buffers
constexpr int WGL_SAMPLES_ARB = 0x2042;               ///< samples per pixel
/// A pixel-type value; the library's extended chooser also sends it as an attribute with value 1
/// to ask for floating-point colour, and the chooser honours both forms.
constexpr int WGL_TYPE_RGBA_FLOAT_ARB = 0x21A0;
///@}

/// @name WGL_ARB_create_context, WGL_ARB_create_context_profile attributes and bits
///@{
constexpr int WGL_CONTEXT_MAJOR_VERSION_ARB = 0x2091;              ///< major version
constexpr int WGL_CONTEXT_MINOR_VERSION_ARB = 0x2092;              ///< minor version
constexpr int WGL_CONTEXT_LAYER_PLANE_ARB = 0x2093;                ///< layer plane; only 0
constexpr int WGL_CONTEXT_FLAGS_ARB = 0x2094;                      ///< WGL_CONTEXT_*_BIT_ARB
constexpr int WGL_CONTEXT_PROFILE_MASK_ARB = 0x9126;               ///< core or compatibility
constexpr int WGL_CONTEXT_DEBUG_BIT_ARB = 0x0001;                  ///< debug context
constexpr int WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB = 0x0002;     ///< forward-compatible
constexpr int WGL_CONTEXT_CORE_PROFILE_BIT_ARB = 0x0001;           ///< core profile
constexpr int WGL_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB = 0x0002;  ///< compatibility profile
///@}

/// @name Last errors of the extensions
///@{
constexpr DWORD ERROR_INVALID_PIXEL_TYPE_ARB = 0x2043;            ///< bad pixel type
constexpr DWORD ERROR_INCOMPATIBLE_DEVICE_CONTEXTS_ARB = 0x2054;  ///< device contexts differ
constexpr DWORD ERROR_INVALID_VERSION_ARB = 0x2095;               ///< bad or refused version
constexpr DWORD ERROR_INVALID_PROFILE_ARB = 0x2096;               ///< unknown profile
///@}

// Core WGL.
/// No copying of state between contexts here: always FALSE, with the last error set to
/// ERROR_NOT_SUPPORTED.
VEK_EXPORT BOOL wglCopyContext(HGLRC source, HGLRC destination, UINT mask);
/// Creates a GLX context for the device context's pixel format, in a share group of its own.
/// Null, with the last error set, for an unknown device context (ERROR_INVALID_HANDLE), one
/// without a pixel format (ERROR_INVALID_PIXEL_FORMAT) or when GLX refuses the context
/// (ERROR_INVALID_VERSION_ARB).
VEK_EXPORT HGLRC wglCreateContext(HDC deviceContext);
/// No layer planes here: always null, with the last error set to ERROR_NOT_SUPPORTED.
VEK_EXPORT HGLRC wglCreateLayerContext(HDC deviceContext, int layer);
/// Deletes a context, first releasing it if current on this thread and telling the library
/// through the context-deleted hook. FALSE, with the last error set, for an unknown context
/// (ERROR_INVALID_HANDLE) or one current on another thread (ERROR_BUSY).
VEK_EXPORT BOOL wglDeleteContext(HGLRC context);
/// The calling thread's current context, or null. Never fails.
VEK_EXPORT HGLRC wglGetCurrentContext();
/// The device context the calling thread's current context was made current with, or null.
/// Never fails.
VEK_EXPORT HDC wglGetCurrentDC();
/// The GLX address of an entry point that the current context's version and extensions provide
/// ("wgl" names: those of the advertised WGL extensions); a driver's stub for anything else never
/// leaks through. As on Windows, that includes the commands the context's profile removed: only
/// the caller can tell that they must not be called. Null, with the last error set, without a
/// current context (ERROR_INVALID_OPERATION), for a null name (ERROR_INVALID_PARAMETER) or an
/// entry point not provided (ERROR_PROC_NOT_FOUND).
VEK_EXPORT PROC wglGetProcAddress(LPCSTR name);
/// Makes the context current on the drawable of the device context for the calling thread; a
/// null context releases the current one. FALSE, with the last error set and the thread left
/// without a current context, for an unknown handle or a window that is gone
/// (ERROR_INVALID_HANDLE), a device context whose format or screen is not the context's
/// (ERROR_INVALID_PIXEL_FORMAT), a context current on another thread (ERROR_BUSY) or when GLX
/// refuses (ERROR_INVALID_OPERATION).
VEK_EXPORT BOOL wglMakeCurrent(HDC deviceContext, HGLRC context);
/// Puts the second context in the first's share group; GLX shares only at creation, so the
/// second's GLX context is re-created there under the same handle. FALSE, with the last error set,
/// for an unknown context (ERROR_INVALID_HANDLE), or (ERROR_INVALID_OPERATION) once the second has
/// been current, when it shares with others, is on another screen or cannot be re-created.
VEK_EXPORT BOOL wglShareLists(HGLRC first, HGLRC second);
/// No font bitmaps here: always FALSE, with the last error set to ERROR_NOT_SUPPORTED.
VEK_EXPORT BOOL wglUseFontBitmapsA(HDC deviceContext, DWORD first, DWORD count, DWORD listBase);
/// No font bitmaps here: always FALSE, with the last error set to ERROR_NOT_SUPPORTED.
VEK_EXPORT BOOL wglUseFontBitmapsW(HDC deviceContext, DWORD first, DWORD count, DWORD listBase);
/// No font outlines here: always FALSE, with the last error set to ERROR_NOT_SUPPORTED.
VEK_EXPORT BOOL wglUseFontOutlinesA(HDC deviceContext, DWORD first, DWORD count, DWORD listBase,
                                    FLOAT deviation, FLOAT extrusion, int format,
                                    GLYPHMETRICSFLOAT* metrics);
/// No font outlines here: always FALSE, with the last error set to ERROR_NOT_SUPPORTED.
VEK_EXPORT BOOL wglUseFontOutlinesW(HDC deviceContext, DWORD first, DWORD count, DWORD listBase,
                                    FLOAT deviation, FLOAT extrusion, int format,
                                    GLYPHMETRICSFLOAT* metrics);
/// No layer planes here: always FALSE, with the last error set to ERROR_NOT_SUPPORTED.
VEK_EXPORT BOOL wglDescribeLayerPlane(HDC deviceContext, int pixelFormat, int layerPlane,
                                      UINT bytes, LAYERPLANEDESCRIPTOR* descriptor);
/// No layer planes here: always 0, with the last error set to ERROR_NOT_SUPPORTED.
VEK_EXPORT int wglSetLayerPaletteEntries(HDC deviceContext, int layer, int start, int count,
                                         const COLORREF* colours);
/// No layer planes here: always 0, with the last error set to ERROR_NOT_SUPPORTED.
VEK_EXPORT int wglGetLayerPaletteEntries(HDC deviceContext, int layer, int start, int count,
                                         COLORREF* colours);
/// No layer planes here: always FALSE, with the last error set to ERROR_NOT_SUPPORTED.
VEK_EXPORT BOOL wglRealizeLayerPalette(HDC deviceContext, int layer, BOOL realize);
/// No layer planes here: always FALSE, with the last error set to ERROR_NOT_SUPPORTED.
VEK_EXPORT BOOL wglSwapLayerBuffers(HDC deviceContext, UINT planes);
/// No batched swaps here: always 0, with the last error set to ERROR_NOT_SUPPORTED.
VEK_EXPORT DWORD wglSwapMultipleBuffers(UINT count, const WGLSWAP* swaps);

// Extension functions. Declared here for the platform's own users and tests; the library reaches
// them through wglGetProcAddress, which hands out only those of advertised extensions.
/// The WGL extensions this platform honours on the device context's screen, space-separated.
/// Null, with the last error set (ERROR_INVALID_HANDLE), for an unknown device context.
VEK_EXPORT const char* wglGetExtensionsStringARB(HDC deviceContext);
/// Creates a context as wglCreateContext does, with the version, flags and profile attributes
/// mapped to GLX and in the share group of `share` when given. Null, with the last error set, as
/// wglCreateContext, or for a share context unknown or on another screen
/// (ERROR_INVALID_OPERATION), a layer plane (ERROR_INVALID_DATA), an unknown attribute or flag
/// (ERROR_INVALID_PARAMETER), a version OpenGL never had or a forward-compatible one below 3.0
/// (ERROR_INVALID_VERSION_ARB) or an unknown profile (ERROR_INVALID_PROFILE_ARB).
VEK_EXPORT HGLRC wglCreateContextAttribsARB(HDC deviceContext, HGLRC share, const int* attributes);
/// Translates the WGL attribute lists into a match over the screen's pixel formats and writes up
/// to maxFormats of them, best first, and their number. FALSE, with the last error set, for an
/// unknown device context (ERROR_INVALID_HANDLE), a screen without formats
/// (ERROR_INVALID_PIXEL_FORMAT), null outputs or an attribute it does not know
/// (ERROR_INVALID_PARAMETER).
VEK_EXPORT BOOL wglChoosePixelFormatARB(HDC deviceContext, const int* intAttributes,
                                        const FLOAT* floatAttributes, UINT maxFormats, int* formats,
                                        UINT* count);
/// Answers a pixel format's attributes as integers (main plane only); nothing is written unless
/// all are answered. FALSE, with the last error set, for an unknown device context
/// (ERROR_INVALID_HANDLE), a screen without formats (ERROR_INVALID_PIXEL_FORMAT), or a layer
/// plane, null arrays, unknown attribute or unknown format (ERROR_INVALID_PARAMETER).
VEK_EXPORT BOOL wglGetPixelFormatAttribivARB(HDC deviceContext, int pixelFormat, int layerPlane,
                                             UINT count, const int* attributes, int* values);
/// Answers a pixel format's attributes as floats; otherwise as wglGetPixelFormatAttribivARB,
/// including its failures.
VEK_EXPORT BOOL wglGetPixelFormatAttribfvARB(HDC deviceContext, int pixelFormat, int layerPlane,
                                             UINT count, const int* attributes, FLOAT* values);
/// Creates a GLX pbuffer (contents preserved) of a pbuffer-capable pixel format, honouring
/// WGL_PBUFFER_LARGEST_ARB. Null, with the last error set, for an unknown device context
/// (ERROR_INVALID_HANDLE), an unsuitable format (ERROR_INVALID_PIXEL_FORMAT), any other attribute
/// (render-to-texture among them) or a size not above 0 (ERROR_INVALID_DATA), or a size beyond the
/// format's limits or a pbuffer GLX refuses (ERROR_NO_SYSTEM_RESOURCES).
VEK_EXPORT HPBUFFERARB wglCreatePbufferARB(HDC deviceContext, int pixelFormat, int width,
                                           int height, const int* attributes);
/// The pbuffer's device context. Null, with the last error set (ERROR_INVALID_HANDLE), for an
/// unknown pbuffer.
VEK_EXPORT HDC wglGetPbufferDCARB(HPBUFFERARB pbuffer);
/// Only checks the pair, since a pbuffer and its device context are one object. 1; 0, with the
/// last error set, for an unknown pbuffer (ERROR_INVALID_HANDLE) or a device context that is not
/// its own (ERROR_DC_NOT_FOUND).
VEK_EXPORT int wglReleasePbufferDCARB(HPBUFFERARB pbuffer, HDC deviceContext);
/// Destroys the pbuffer and its device context, first releasing it if current on this thread.
/// FALSE, with the last error set, for an unknown pbuffer (ERROR_INVALID_HANDLE) or one current
/// on another thread (ERROR_BUSY).
VEK_EXPORT BOOL wglDestroyPbufferARB(HPBUFFERARB pbuffer);
/// Answers the pbuffer's width, height or lost state (never lost: GLX preserves the contents).
/// FALSE, with the last error set, for an unknown pbuffer (ERROR_INVALID_HANDLE), a null value
/// (ERROR_INVALID_PARAMETER) or another attribute (ERROR_INVALID_DATA).
VEK_EXPORT BOOL wglQueryPbufferARB(HPBUFFERARB pbuffer, int attribute, int* value);
/// Sets the swap interval of the current drawable, through GLX_EXT_swap_control where the driver
/// has it, and keeps it to read back. FALSE, with the last error set, without a current context
/// (ERROR_INVALID_OPERATION) or for a negative interval or one the driver refuses
/// (ERROR_INVALID_DATA).
VEK_EXPORT BOOL wglSwapIntervalEXT(int interval);
/// The swap interval last set on the current drawable. 0, with the last error set
/// (ERROR_INVALID_OPERATION), without a current context.
VEK_EXPORT int wglGetSwapIntervalEXT();

namespace VEK {
namespace Platform {

namespace internal {
/// The calling thread's current context, as wglGetCurrentContext answers it: a plain
/// thread-local, so that the library's per-call lookup of the current table reads it inline.
extern __thread VEK_EXPORT HGLRC tCurrentContext VEK_INITIAL_EXEC_TLS;
}  // namespace internal

/// The calling thread's current context, read inline; the same answer as wglGetCurrentContext.
/// Throws nothing.
inline HGLRC CurrentContext() {
    return internal::tCurrentContext;
}

/// Called by wglDeleteContext with a context about to be deleted, so that the library forgets
/// what it keeps for that handle before the address can be handed out again.
typedef void (*ContextDeletedHook)(HGLRC context);
/// Installs the context-deleted hook (null removes it). One hook; a later call replaces it.
/// Throws nothing.
void SetContextDeletedHook(ContextDeletedHook hook);


}  // namespace Platform
}  // namespace VEK
