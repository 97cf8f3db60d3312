#include "vek/vek_ogl/InternalWindow.h"

#include <charconv>
#include <cstdint>
#include <string>

#include "vek/core/exceptions/InternalException.h"

namespace VEK {
namespace OGL {

namespace {

LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

const DWORD kStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
const DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;

// The class name is made from the window's address. Formatted without the stream machinery:
// windows are made on many threads at once, and the standard library's first use of a locale's
// character tables writes to them unguarded.
std::string ClassName(const void* window) {
    char digits[2 * sizeof(std::uintptr_t)];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, reinterpret_cast<std::uintptr_t>(window), 16)
            .ptr;
    return "OpenGL0x" + std::string(digits, end);
}

}  // namespace

InternalWindow::InternalWindow(int x, int y, HWND desktop) : className_(ClassName(this)) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_CLASSDC;
    windowClass.lpfnWndProc = &DefaultProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.lpszClassName = className_.c_str();
    if (!RegisterClassExA(&windowClass)) {
        VEK_THROW_INTERNAL("Unable to register window class");
    }
    RECT frame = {0, 0, 8, 8};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, kExStyle);
    window_ = CreateWindowExA(kExStyle, className_.c_str(), nullptr, kStyle, x, y,
                              frame.right - frame.left, frame.bottom - frame.top, desktop, nullptr,
                              instance, nullptr);
    if (window_ == nullptr) {
        UnregisterClassA(className_.c_str(), instance);
        VEK_THROW_INTERNAL("Unable to create window");
    }
}

InternalWindowPtr InternalWindow::Create(int x, int y, HWND desktop) {
    InternalWindowPtr window(VEK_NEW(InternalWindow)(x, y, desktop));
    VEK_ENFORCE(window.get() != NULL);
    return window;
}

InternalWindow::~InternalWindow() {
    try {
        destroy();
    } catch (const ExceptionBase&) {
        // A destructor cannot report; the window system reclaims what is left at exit.
    }
}

void InternalWindow::destroy() {
    if (window_ == nullptr) {
        return;
    }
    HWND window = window_;
    window_ = nullptr;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HDC hDC = GetDC(window);
    if (hDC == 0) {
        DestroyWindow(window);
        UnregisterClassA(className_.c_str(), instance);
        VEK_ASSERT(hDC != 0);
    }
    if (!ReleaseDC(window, hDC)) {
        DestroyWindow(window);
        UnregisterClassA(className_.c_str(), instance);
        VEK_THROW_INTERNAL("Unable to release the device context");
    }
    DestroyWindow(window);
    if (!UnregisterClassA(className_.c_str(), instance)) {
        VEK_THROW_INTERNAL("Unable to unregister window class");
    }
}

}  // namespace OGL
}  // namespace VEK
