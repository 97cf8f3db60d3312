// Win32 windowing over X: window classes are a name table, windows are X windows on the
// platform's connection, each with one device context (the library asks for class DCs).
#include "vek/platform/Windows.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "vek/platform/DeviceContext.h"
#include "vek/platform/WGL.h"
#include "vek/platform/XConnection.h"
#include "vek/platform/XErrorTrap.h"

namespace {

thread_local DWORD tLastError = ERROR_SUCCESS;

struct WindowClass {
    WNDCLASSEXA description;
    std::string name;
    ATOM atom = 0;
    int windows = 0;
};

struct WindowRecord {
    std::string className;  // empty for a host's window
    std::unique_ptr<VEK::Platform::DeviceContext> deviceContext;
};

std::map<std::string, WindowClass>& Classes() {
    static auto* classes = new std::map<std::string, WindowClass>;
    return *classes;
}

std::map<Window, WindowRecord>& Windows() {
    static auto* windows = new std::map<Window, WindowRecord>;
    return *windows;
}

ATOM gNextAtom = 0xC000;  // where Windows numbers registered classes from

// A class by name, or by its atom when the name is one (MAKEINTATOM), as Win32 accepts both.
std::map<std::string, WindowClass>::iterator FindClass(LPCSTR className) {
    auto& classes = Classes();
    if (!IS_INTRESOURCE(className)) {
        return classes.find(className);
    }
    const ATOM atom = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(className));
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        if (atom != 0 && it->second.atom == atom) {
            return it;
        }
    }
    return classes.end();
}

// Stands for this program's module: there is one, and it is never unloaded.
char gModule;
char gArrowCursor;

Window XWindowOf(HWND window) {
    return static_cast<Window>(reinterpret_cast<std::uintptr_t>(window));
}

// The screen of a live window, or -1 (last error set) for a null or unknown one.
int ScreenOf(Display* display, Window window) {
    if (!display || window == 0) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    VEK::Platform::XErrorTrap trap(display);
    XWindowAttributes attributes;
    const Status ok = XGetWindowAttributes(display, window, &attributes);
    if (trap.failed() || !ok) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    return XScreenNumberOfScreen(attributes.screen);
}

// Host windows adopted by GetDC are not the platform's to destroy, and X tells this connection
// nothing when the host destroys one. Each adoption and each window the platform makes look
// for those that are gone and release
// their device context (and the child window and colormap made for its pixel format), unless a
// thread still has a context current on it.
void ReleaseGoneHostWindows(Display* display) {
    auto& windows = Windows();
    for (auto it = windows.begin(); it != windows.end();) {
        const WindowRecord& record = it->second;
        bool release = false;
        if (record.className.empty() &&
            (!record.deviceContext || record.deviceContext->currentThreads() == 0)) {
            VEK::Platform::XErrorTrap trap(display);
            XWindowAttributes attributes;
            const Status ok = XGetWindowAttributes(display, it->first, &attributes);
            release = trap.failed() || !ok;
        }
        it = release ? windows.erase(it) : std::next(it);
    }
}

}  // namespace

DWORD GetLastError() {
    return tLastError;
}

void SetLastError(DWORD error) {
    tLastError = error;
}

ATOM RegisterClassExA(const WNDCLASSEXA* windowClass) {
    // Only this program's own size, as on Windows: a 64-bit caller cannot pass a 32-bit class.
    if (!windowClass || windowClass->cbSize != sizeof(WNDCLASSEXA) ||
        !windowClass->lpszClassName || !windowClass->lpfnWndProc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::lock_guard<std::recursive_mutex> lock(VEK::Platform::XConnection::Mutex());
    // An atom names a class registered before, or nothing.
    if (IS_INTRESOURCE(windowClass->lpszClassName)) {
        SetLastError(FindClass(windowClass->lpszClassName) != Classes().end()
                         ? ERROR_CLASS_ALREADY_EXISTS
                         : ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (windowClass->lpszClassName[0] == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string name = windowClass->lpszClassName;
    if (Classes().count(name)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    WindowClass& entry = Classes()[name];
    entry.description = *windowClass;
    entry.name = name;
    entry.description.lpszClassName = entry.name.c_str();
    entry.description.lpszMenuName = nullptr;
    entry.atom = gNextAtom == 0xFFFF ? gNextAtom : gNextAtom++;
    return entry.atom;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
    if (!className) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::recursive_mutex> lock(VEK::Platform::XConnection::Mutex());
    auto it = FindClass(className);
    if (it == Classes().end()) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (it->second.windows > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    Classes().erase(it);
    return TRUE;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU, HINSTANCE, LPVOID) {
    std::lock_guard<std::recursive_mutex> lock(VEK::Platform::XConnection::Mutex());
    auto cls = className ? FindClass(className) : Classes().end();
    if (cls == Classes().end()) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    Display* display = VEK::Platform::XConnection::Get();
    if (!display) {
        SetLastError(ERROR_DC_NOT_FOUND);
        return nullptr;
    }
    ReleaseGoneHostWindows(display);
    int screen = DefaultScreen(display);
    Window xParent = RootWindow(display, screen);
    if (parent) {
        screen = ScreenOf(display, XWindowOf(parent));
        if (screen < 0) {
            return nullptr;
        }
        // Only a child lives inside its parent; an owned top-level window goes on its screen.
        xParent = (style & WS_CHILD) ? XWindowOf(parent) : RootWindow(display, screen);
    }
    if (x == CW_USEDEFAULT) {
        x = 0;
        y = 0;
    }
    if (width == CW_USEDEFAULT) {
        width = 640;
        height = 480;
    }
    VEK::Platform::XErrorTrap trap(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;
    const Window window =
        XCreateWindow(display, xParent, x, y, static_cast<unsigned>(std::max(width, 1)),
                      static_cast<unsigned>(std::max(height, 1)), 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWBackPixmap, &attributes);
    if (window && windowName && windowName[0]) {
        XStoreName(display, window, windowName);
    }
    if (window && (style & WS_VISIBLE)) {
        XMapWindow(display, window);
    }
    if (trap.failed() || !window) {
        if (window) {
            XDestroyWindow(display, window);
            XSync(display, False);
        }
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    WindowRecord& record = Windows()[window];
    record.className = cls->first;
    ++cls->second.windows;
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

BOOL DestroyWindow(HWND window) {
    std::lock_guard<std::recursive_mutex> lock(VEK::Platform::XConnection::Mutex());
    auto it = Windows().find(XWindowOf(window));
    if (!window || it == Windows().end()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (it->second.className.empty()) {
        // The host's window is the host's to destroy.
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    Display* display = VEK::Platform::XConnection::Get();
    if (it->second.deviceContext && wglGetCurrentDC() == it->second.deviceContext->handle()) {
        // Nothing may go on drawing into a window that is gone.
        wglMakeCurrent(nullptr, nullptr);
    }
    it->second.deviceContext.reset();
    {
        VEK::Platform::XErrorTrap trap(display);
        XDestroyWindow(display, it->first);
    }
    auto cls = Classes().find(it->second.className);
    if (cls != Classes().end()) {
        --cls->second.windows;
    }
    Windows().erase(it);
    return TRUE;
}

HDC GetDC(HWND window) {
    std::lock_guard<std::recursive_mutex> lock(VEK::Platform::XConnection::Mutex());
    Display* display = VEK::Platform::XConnection::Get();
    const Window xWindow = XWindowOf(window);
    auto it = Windows().find(xWindow);
    if (it == Windows().end()) {
        // A host's window: adopted on first use, if X knows it.
        if (ScreenOf(display, xWindow) < 0) {
            return nullptr;
        }
        ReleaseGoneHostWindows(display);
        it = Windows().emplace(xWindow, WindowRecord{}).first;
    }
    if (!it->second.deviceContext) {
        const int screen = ScreenOf(display, xWindow);
        if (screen < 0) {
            return nullptr;
        }
        it->second.deviceContext =
            std::make_unique<VEK::Platform::DeviceContext>(display, xWindow, screen);
    }
    return it->second.deviceContext->handle();
}

int ReleaseDC(HWND window, HDC deviceContext) {
    std::lock_guard<std::recursive_mutex> lock(VEK::Platform::XConnection::Mutex());
    auto it = Windows().find(XWindowOf(window));
    // A window's device context lives as long as the window; releasing only checks the pair.
    if (!window || it == Windows().end() || !it->second.deviceContext ||
        it->second.deviceContext->handle() != deviceContext) {
        SetLastError(ERROR_DC_NOT_FOUND);
        return 0;
    }
    return 1;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD, BOOL, DWORD) {
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // An X window's size is its client area: frames belong to the window manager.
    return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
    std::lock_guard<std::recursive_mutex> lock(VEK::Platform::XConnection::Mutex());
    Display* display = VEK::Platform::XConnection::Get();
    if (!rect || !display || !window) {
        SetLastError(rect ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    VEK::Platform::XErrorTrap trap(display);
    XWindowAttributes attributes;
    Window child;
    int x = 0, y = 0;
    const Status ok = XGetWindowAttributes(display, XWindowOf(window), &attributes);
    if (ok) {
        XTranslateCoordinates(display, XWindowOf(window), attributes.root, 0, 0, &x, &y, &child);
    }
    if (trap.failed() || !ok) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    rect->left = x;
    rect->top = y;
    rect->right = x + attributes.width;
    rect->bottom = y + attributes.height;
    return TRUE;
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
    if (moduleName) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HMODULE>(&gModule);
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR cursorName) {
    // Windows that are never shown need no cursor: only the system arrow is known.
    if (instance || cursorName != IDC_ARROW) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HCURSOR>(&gArrowCursor);
}

LRESULT DefWindowProcW(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}
