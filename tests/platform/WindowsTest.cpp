#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool) would break its templates.
#include <X11/Xlib.h>

#include <thread>

#include <vek/platform/WGL.h>
#include <vek/platform/XConnection.h>

#include "support/HiddenWindow.h"

namespace {

using VEK::Platform::XConnection;

Window XOf(HWND window) {
    return static_cast<Window>(reinterpret_cast<std::uintptr_t>(window));
}

LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

WNDCLASSEXA ClassNamed(const char* name) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Procedure;
    windowClass.lpszClassName = name;
    return windowClass;
}

TEST(Windows, HiddenWindowKeepsItsPlaceSizeAndDeviceContext) {
    WNDCLASSEXA windowClass = ClassNamed("VEKTestPlaced");
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    HWND window = CreateWindowExA(0, "VEKTestPlaced", "placed", WS_OVERLAPPEDWINDOW, 5, 7, 40, 30,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);

    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(XConnection::Get(), XOf(window), &attributes));
    EXPECT_EQ(attributes.map_state, IsUnmapped);  // never shown unless asked

    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(rect.left, 5);
    EXPECT_EQ(rect.top, 7);
    EXPECT_EQ(rect.right, 45);
    EXPECT_EQ(rect.bottom, 37);
    RECT adjusted = {0, 0, 8, 8};
    EXPECT_TRUE(AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW));
    EXPECT_EQ(adjusted.right, 8);  // no frame: the X window is the client area
    EXPECT_FALSE(AdjustWindowRectEx(nullptr, 0, FALSE, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDC(window), dc);  // one device context per window
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    EXPECT_EQ(ReleaseDC(window, reinterpret_cast<HDC>(&rect)), 0);
    EXPECT_EQ(GetLastError(), ERROR_DC_NOT_FOUND);

    ASSERT_TRUE(DestroyWindow(window));
    EXPECT_EQ(GetDC(window), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(GetWindowRect(window, &rect));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(GetPixelFormat(dc), 0);  // the device context went with the window
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(UnregisterClassA("VEKTestPlaced", nullptr));
}

TEST(Windows, VisibleStyleMapsTheWindow) {
    VEKTest::HiddenWindow shown(16, 16, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(shown.window(), nullptr);
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(XConnection::Get(), XOf(shown.window()), &attributes));
    EXPECT_NE(attributes.map_state, IsUnmapped);
}

TEST(Windows, ClassesFollowWindowsRules) {
    WNDCLASSEXA windowClass = ClassNamed("VEKTestClass");
    EXPECT_NE(RegisterClassExA(&windowClass), 0);
    EXPECT_EQ(RegisterClassExA(&windowClass), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    // 48: the size of a 32-bit program's class, refused in a 64-bit one as on Windows.
    for (UINT size : {12u, 48u}) {
        WNDCLASSEXA badSize = ClassNamed("VEKTestBadSize");
        badSize.cbSize = size;
        EXPECT_EQ(RegisterClassExA(&badSize), 0) << size;
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER) << size;
    }
    EXPECT_EQ(RegisterClassExA(nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    EXPECT_EQ(CreateWindowExA(0, "VEKTestNoSuchClass", "", 0, 0, 0, 8, 8, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);

    HWND window = CreateWindowExA(0, "VEKTestClass", nullptr, 0, 0, 0, 8, 8, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(UnregisterClassA("VEKTestClass", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_TRUE(UnregisterClassA("VEKTestClass", nullptr));
    EXPECT_FALSE(UnregisterClassA("VEKTestClass", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
}

TEST(Windows, ClassAtomsStandForTheirNames) {
    WNDCLASSEXA windowClass = ClassNamed("VEKTestAtomClass");
    const ATOM atom = RegisterClassExA(&windowClass);
    ASSERT_NE(atom, 0);
    // Registering under an atom: the class it names exists already; an unknown one is refused.
    WNDCLASSEXA byAtom = windowClass;
    byAtom.lpszClassName = MAKEINTATOM(atom);
    EXPECT_EQ(RegisterClassExA(&byAtom), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    byAtom.lpszClassName = MAKEINTATOM(0x1234);
    EXPECT_EQ(RegisterClassExA(&byAtom), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    EXPECT_EQ(CreateWindowExA(0, MAKEINTATOM(0xBEEF), "", 0, 0, 0, 8, 8, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
    HWND window = CreateWindowExA(0, MAKEINTATOM(atom), nullptr, 0, 0, 0, 8, 8, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(UnregisterClassA(MAKEINTATOM(atom), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(UnregisterClassA(MAKEINTATOM(0xBEEF), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
    EXPECT_TRUE(UnregisterClassA(MAKEINTATOM(atom), nullptr));
    EXPECT_FALSE(UnregisterClassA("VEKTestAtomClass", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
}

TEST(Windows, BadHandlesFailWithoutEndingTheProcess) {
    // An id X has never given out raises an X error; the platform must turn it into a failure.
    HWND bogus = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x7FFFFF0));
    EXPECT_EQ(GetDC(bogus), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(GetDC(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    RECT rect;
    EXPECT_FALSE(GetWindowRect(bogus, &rect));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(DestroyWindow(nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(ReleaseDC(nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_DC_NOT_FOUND);

    // An error of some other request on the platform's connection is dropped, not fatal.
    XDestroyWindow(XConnection::Get(), XOf(bogus));
    XSync(XConnection::Get(), False);

    EXPECT_NE(GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"other.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_NE(LoadCursorW(nullptr, IDC_ARROW), nullptr);
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(32513)), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

TEST(Windows, LastErrorBelongsToTheThread) {
    SetLastError(ERROR_BUSY);
    DWORD seenByOther = 1;
    std::thread other([&] {
        seenByOther = GetLastError();
        SetLastError(ERROR_INVALID_DATA);
    });
    other.join();
    EXPECT_EQ(seenByOther, ERROR_SUCCESS);
    EXPECT_EQ(GetLastError(), ERROR_BUSY);
}

TEST(Windows, HostWindowServesAsWindowHandle) {
    // The host makes its window on its own connection; X ids are the server's, so it is usable.
    Display* host = XConnection::Open(nullptr);
    ASSERT_NE(host, nullptr);
    const Window xWindow =
        XCreateSimpleWindow(host, DefaultRootWindow(host), 3, 4, 20, 10, 0, 0, 0);
    XSync(host, False);
    HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(xWindow));

    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(rect.right - rect.left, 20);
    EXPECT_EQ(rect.bottom - rect.top, 10);
    EXPECT_FALSE(DestroyWindow(window));  // the host's to destroy
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.cColorBits = 32;
    wanted.cAlphaBits = 8;  // another visual than the host's: drawn through a child window
    ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &wanted), &wanted));
    HGLRC context = wglCreateContext(dc);
    ASSERT_TRUE(wglMakeCurrent(dc, context));
    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_EQ(ReleaseDC(window, dc), 1);

    // Once the host has destroyed its window, drawing there fails instead of ending the process.
    XDestroyWindow(host, xWindow);
    XSync(host, False);
    EXPECT_FALSE(wglMakeCurrent(dc, context));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(SwapBuffers(dc));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(wglDeleteContext(context));
    XCloseDisplay(host);
}

}  // namespace
