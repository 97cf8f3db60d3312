#pragma once

/// @file
/// The Win32 and GDI calls the library makes, with their Windows names, types and values, served
/// by the platform layer over X11 and GLX. Handles are opaque: an HWND is an X window id, an HDC
/// the platform's device-context object. These are C-style calls: they never throw; failures
/// return the Windows failure value and set the calling thread's last error, as on Windows.

#include <cstdint>

#include "vek/Export.h"

/// Win32 boolean: TRUE or FALSE.
typedef int BOOL;
/// 8-bit unsigned.
typedef std::uint8_t BYTE;
/// 16-bit unsigned.
typedef std::uint16_t WORD;
/// 32-bit unsigned.
typedef std::uint32_t DWORD;  // 32 bits, as on Windows (unsigned long is 64 here)
/// 32-bit unsigned int.
typedef std::uint32_t UINT;
/// 32-bit signed, as on Windows.
typedef std::int32_t LONG;
/// A registered window class's number.
typedef WORD ATOM;
/// A 0x00BBGGRR colour.
typedef DWORD COLORREF;
/// Single-precision float.
typedef float FLOAT;
/// Wide character.
typedef wchar_t WCHAR;
/// Narrow string, or an atom or resource id in its low word.
typedef const char* LPCSTR;
/// Wide string, or a resource id in its low word.
typedef const wchar_t* LPCWSTR;
/// Untyped pointer.
typedef void* LPVOID;
/// Pointer-sized message parameter.
typedef std::uintptr_t WPARAM;
/// Pointer-sized message parameter.
typedef std::intptr_t LPARAM;
/// A window procedure's result.
typedef std::intptr_t LRESULT;
/// Pointer-sized signed integer.
typedef std::intptr_t INT_PTR;

struct HWND__;
struct HDC__;
struct HINSTANCE__;
struct HICON__;
struct HBRUSH__;
struct HMENU__;
/// A window: an X window id on the platform's connection.
typedef HWND__* HWND;
/// A device context: the platform's record of a window's or pbuffer's drawable and format.
typedef HDC__* HDC;
/// A module instance; only this program's own module is known.
typedef HINSTANCE__* HINSTANCE;
/// A module; the same as an instance.
typedef HINSTANCE HMODULE;
/// An icon; windows here never show one.
typedef HICON__* HICON;
/// A cursor; only the system arrow is known.
typedef HICON HCURSOR;
/// A brush; windows here are never painted with one.
typedef HBRUSH__* HBRUSH;
/// A menu; windows here have none.
typedef HMENU__* HMENU;

#ifndef TRUE
/// Win32 true.
#define TRUE 1
#endif
#ifndef FALSE
/// Win32 false.
#define FALSE 0
#endif

/// A window procedure; kept with the class, never called (no messages are dispatched).
typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);

/// A rectangle; right and bottom are exclusive.
struct RECT {
    LONG left;    ///< left edge
    LONG top;     ///< top edge
    LONG right;   ///< right edge, exclusive
    LONG bottom;  ///< bottom edge, exclusive
};

/// A window class description for RegisterClassExA; only the name and procedure matter here.
struct WNDCLASSEXA {
    UINT cbSize;           ///< sizeof(WNDCLASSEXA), or 48 as 32-bit callers set it
    UINT style;            ///< class styles (CS_*)
    WNDPROC lpfnWndProc;   ///< window procedure; required
    int cbClsExtra;        ///< extra class bytes; ignored
    int cbWndExtra;        ///< extra window bytes; ignored
    HINSTANCE hInstance;   ///< owning module; ignored
    HICON hIcon;           ///< ignored
    HCURSOR hCursor;       ///< ignored
    HBRUSH hbrBackground;  ///< ignored
    LPCSTR lpszMenuName;   ///< ignored
    LPCSTR lpszClassName;  ///< class name; required
    HICON hIconSm;         ///< ignored
};

/// A GDI pixel-format descriptor, as DescribePixelFormat fills it and ChoosePixelFormat reads it;
/// 40 bytes, laid out as on Windows.
struct PIXELFORMATDESCRIPTOR {
    WORD nSize;            ///< sizeof(PIXELFORMATDESCRIPTOR)
    WORD nVersion;         ///< 1
    DWORD dwFlags;         ///< PFD_* flags
    BYTE iPixelType;       ///< PFD_TYPE_RGBA or PFD_TYPE_COLORINDEX
    BYTE cColorBits;       ///< red + green + blue + alpha bits
    BYTE cRedBits;         ///< red bits
    BYTE cRedShift;        ///< red shift
    BYTE cGreenBits;       ///< green bits
    BYTE cGreenShift;      ///< green shift
    BYTE cBlueBits;        ///< blue bits
    BYTE cBlueShift;       ///< blue shift
    BYTE cAlphaBits;       ///< alpha bits
    BYTE cAlphaShift;      ///< alpha shift
    BYTE cAccumBits;       ///< accumulation bits
    BYTE cAccumRedBits;    ///< accumulation red bits
    BYTE cAccumGreenBits;  ///< accumulation green bits
    BYTE cAccumBlueBits;   ///< accumulation blue bits
    BYTE cAccumAlphaBits;  ///< accumulation alpha bits
    BYTE cDepthBits;       ///< depth bits
    BYTE cStencilBits;     ///< stencil bits
    BYTE cAuxBuffers;      ///< auxiliary buffers
    BYTE iLayerType;       ///< PFD_MAIN_PLANE
    BYTE bReserved;        ///< overlay/underlay planes: 0
    DWORD dwLayerMask;     ///< unused
    DWORD dwVisibleMask;   ///< transparent colour; 0
    DWORD dwDamageMask;    ///< unused
};
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "PIXELFORMATDESCRIPTOR is 40 bytes");

/// @name Pixel-format descriptor flags and values
///@{
constexpr DWORD PFD_DOUBLEBUFFER = 0x00000001;         ///< double-buffered
constexpr DWORD PFD_STEREO = 0x00000002;               ///< stereo buffers
constexpr DWORD PFD_DRAW_TO_WINDOW = 0x00000004;       ///< draws to windows
constexpr DWORD PFD_DRAW_TO_BITMAP = 0x00000008;       ///< draws to bitmaps; never here
constexpr DWORD PFD_SUPPORT_GDI = 0x00000010;          ///< GDI drawing; never here
constexpr DWORD PFD_SUPPORT_OPENGL = 0x00000020;       ///< OpenGL drawing; every format here
constexpr DWORD PFD_GENERIC_FORMAT = 0x00000040;       ///< software rendering (slow configuration)
constexpr DWORD PFD_NEED_PALETTE = 0x00000080;         ///< needs a palette; never here
constexpr DWORD PFD_GENERIC_ACCELERATED = 0x00001000;  ///< generic accelerated; never here
constexpr DWORD PFD_DEPTH_DONTCARE = 0x20000000;       ///< choosing: any depth buffer
constexpr DWORD PFD_DOUBLEBUFFER_DONTCARE = 0x40000000;  ///< choosing: single or double
constexpr DWORD PFD_STEREO_DONTCARE = 0x80000000;        ///< choosing: mono or stereo
constexpr BYTE PFD_TYPE_RGBA = 0;                        ///< RGBA pixels
constexpr BYTE PFD_TYPE_COLORINDEX = 1;                  ///< colour-index pixels
constexpr BYTE PFD_MAIN_PLANE = 0;                       ///< the main plane
///@}

/// @name Window class and window styles
///@{
constexpr UINT CS_OWNDC = 0x0020;    ///< a device context per window
constexpr UINT CS_CLASSDC = 0x0040;  ///< a device context per class; one per window here
constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;             ///< framed top-level window
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;                 ///< clips siblings; X always does
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;                 ///< clips children; X always does
constexpr DWORD WS_VISIBLE = 0x10000000;                      ///< map the window when made
constexpr DWORD WS_CHILD = 0x40000000;                        ///< a child inside its parent
constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;                ///< raised edge; ignored
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;                 ///< taskbar entry; ignored
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);  ///< default position or size
///@}

/// A resource id in place of a resource name: the id in the low word of the pointer.
#define MAKEINTRESOURCEW(i) (reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(WORD(i))))
/// The system arrow cursor.
#define IDC_ARROW MAKEINTRESOURCEW(32512)
/// A class atom in place of a class name: the atom in the low word of the pointer.
#define MAKEINTATOM(i) (reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(WORD(i))))
/// Whether a name pointer is a resource id or atom rather than a string.
#define IS_INTRESOURCE(p) ((reinterpret_cast<std::uintptr_t>(p) >> 16) == 0)

/// @name The last-error values the platform layer sets
///@{
constexpr DWORD ERROR_SUCCESS = 0;                     ///< no error
constexpr DWORD ERROR_ACCESS_DENIED = 5;               ///< not this platform's to do
constexpr DWORD ERROR_INVALID_HANDLE = 6;              ///< unknown handle
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;           ///< out of memory
constexpr DWORD ERROR_INVALID_DATA = 13;               ///< bad attribute value
constexpr DWORD ERROR_NOT_SUPPORTED = 50;              ///< no X equivalent
constexpr DWORD ERROR_INVALID_PARAMETER = 87;          ///< bad argument
constexpr DWORD ERROR_CALL_NOT_IMPLEMENTED = 120;      ///< not implemented
constexpr DWORD ERROR_MOD_NOT_FOUND = 126;             ///< unknown module
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;            ///< entry point not provided
constexpr DWORD ERROR_BUSY = 170;                      ///< current on another thread
constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;    ///< window unknown to X
constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;    ///< unknown window class
constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;     ///< class name taken
constexpr DWORD ERROR_CLASS_DOES_NOT_EXIST = 1411;     ///< unknown class
constexpr DWORD ERROR_CLASS_HAS_WINDOWS = 1412;        ///< class still has windows
constexpr DWORD ERROR_DC_NOT_FOUND = 1425;             ///< no such device context or X server
constexpr DWORD ERROR_NO_SYSTEM_RESOURCES = 1450;      ///< X or GLX refused resources
constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;  ///< unknown resource
constexpr DWORD ERROR_INVALID_PIXEL_FORMAT = 2000;     ///< unknown or unsuitable format
constexpr DWORD ERROR_INVALID_OPERATION = 4317;        ///< not possible in this state
///@}

// The last error is kept per thread, as on Windows.
/// The calling thread's last error, as the last failing platform call set it. Never fails.
VEK_EXPORT DWORD GetLastError();
/// Sets the calling thread's last error. Never fails.
VEK_EXPORT void SetLastError(DWORD error);

// Windows. A window created here is an X window on the platform's connection; it is never mapped
// unless WS_VISIBLE asks for it. A host's own X window id may be passed wherever an HWND is taken.
/// Enters a window class in the platform's class table. Returns its atom; 0, with the last error
/// set, for a bad description or empty name (ERROR_INVALID_PARAMETER) or a taken name
/// (ERROR_CLASS_ALREADY_EXISTS).
VEK_EXPORT ATOM RegisterClassExA(const WNDCLASSEXA* windowClass);
/// Removes a class, named or by atom. FALSE, with the last error set, for a null name
/// (ERROR_INVALID_PARAMETER), an unknown class (ERROR_CLASS_DOES_NOT_EXIST) or one that still has
/// windows (ERROR_CLASS_HAS_WINDOWS).
VEK_EXPORT BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
/// Creates an X window of a registered class: inside the parent with WS_CHILD, else top-level on
/// the parent's (or the default) screen; CW_USEDEFAULT gives 640x480 at the origin. Null, with the
/// last error set, for an unknown class (ERROR_CANNOT_FIND_WND_CLASS), no X server
/// (ERROR_DC_NOT_FOUND), an unknown parent (ERROR_INVALID_WINDOW_HANDLE) or when X refuses the
/// window (ERROR_INVALID_PARAMETER).
VEK_EXPORT HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                                int x, int y, int width, int height, HWND parent, HMENU menu,
                                HINSTANCE instance, LPVOID parameter);
/// Destroys a window this platform made, with its device context (released first if current on
/// this thread). FALSE, with the last error set, for an unknown window
/// (ERROR_INVALID_WINDOW_HANDLE) or a host's window (ERROR_ACCESS_DENIED).
VEK_EXPORT BOOL DestroyWindow(HWND window);
/// The window's one device context, made on first use; a host's X window is adopted. Null, with
/// the last error set (ERROR_INVALID_WINDOW_HANDLE), for a window X does not know.
VEK_EXPORT HDC GetDC(HWND window);
/// Only checks the pair, since a window's device context lives as long as the window. 1; 0, with
/// the last error set (ERROR_DC_NOT_FOUND), when the device context is not the window's.
VEK_EXPORT int ReleaseDC(HWND window, HDC deviceContext);
/// Leaves the rectangle as it is: an X window's size is its client area, frames belong to the
/// window manager. FALSE, with the last error set (ERROR_INVALID_PARAMETER), for a null rectangle.
VEK_EXPORT BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
/// The window's area in root-window coordinates. FALSE, with the last error set, for a null
/// rectangle (ERROR_INVALID_PARAMETER) or a window X does not know (ERROR_INVALID_WINDOW_HANDLE).
VEK_EXPORT BOOL GetWindowRect(HWND window, RECT* rect);
/// A handle standing for this program's module (null name only). Null, with the last error set
/// (ERROR_MOD_NOT_FOUND), for any named module.
VEK_EXPORT HMODULE GetModuleHandleW(LPCWSTR moduleName);
/// A handle for the system arrow (IDC_ARROW with a null instance). Null, with the last error set
/// (ERROR_RESOURCE_NAME_NOT_FOUND), for any other cursor.
VEK_EXPORT HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR cursorName);
/// Handles no message and returns 0; no messages are dispatched here. Never fails.
VEK_EXPORT LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// GDI pixel formats and buffer swaps. Pixel format n (from 1) is the n-th GLX framebuffer
// configuration of the device context's screen, those that draw to windows listed first.
/// The pixel format of the device context's screen closest to the descriptor. 0, with the last
/// error set, for an unknown device context (ERROR_INVALID_HANDLE), a null descriptor
/// (ERROR_INVALID_PARAMETER) or no match (ERROR_INVALID_PIXEL_FORMAT).
VEK_EXPORT int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR* descriptor);
/// Sets a window's pixel format, once (the same one again succeeds); when the window's visual
/// differs, drawing goes to a child window of the format's visual. FALSE, with the last error set,
/// for an unknown device context (ERROR_INVALID_HANDLE), an unknown, different or non-window format
/// or a pbuffer (ERROR_INVALID_PIXEL_FORMAT), a window that is gone (ERROR_INVALID_WINDOW_HANDLE)
/// or when X cannot make the child window (ERROR_NO_SYSTEM_RESOURCES).
VEK_EXPORT BOOL SetPixelFormat(HDC deviceContext, int format,
                               const PIXELFORMATDESCRIPTOR* descriptor);
/// Fills up to `bytes` of the descriptor of a format and returns the number of formats (a null
/// descriptor only counts). 0, with the last error set, for an unknown device context
/// (ERROR_INVALID_HANDLE), an unknown format (ERROR_INVALID_PARAMETER) or a screen without formats
/// (ERROR_INVALID_PIXEL_FORMAT).
VEK_EXPORT int DescribePixelFormat(HDC deviceContext, int format, UINT bytes,
                                   PIXELFORMATDESCRIPTOR* descriptor);
/// The format set on the device context. 0, with the last error set, for an unknown device context
/// (ERROR_INVALID_HANDLE) or none set yet (ERROR_INVALID_PIXEL_FORMAT).
VEK_EXPORT int GetPixelFormat(HDC deviceContext);
/// Swaps the drawable's buffers with glXSwapBuffers (TRUE with nothing to do before a context drew
/// into it). FALSE, with the last error set, for an unknown device context or window or an X error
/// (ERROR_INVALID_HANDLE), or a device context without a pixel format (ERROR_INVALID_PIXEL_FORMAT).
VEK_EXPORT BOOL SwapBuffers(HDC deviceContext);
