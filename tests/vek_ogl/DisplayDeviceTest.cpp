#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include <X11/Xlib.h>

#include <vek/core/exceptions/InternalException.h>
#include <vek/platform/Displays.h>
#include <vek/platform/XConnection.h>
#include <vek/vek_ogl/ogl/Context.h>

#include "support/InternalMessage.h"

#include "support/GLTestContext.h"
#include "support/HiddenWindow.h"
#include "support/XvfbServer.h"

using VEK::OGL::DisplayDeviceKey;

namespace {

// Reaches the display queries the context classes use.
struct Displays : VEK::OGL::Context {
    using Context::DisplayDeviceFromWindow;
    using Context::DisplayOrigin;
    using Context::PrimaryDisplayDevice;
};

}  // namespace

TEST(DisplayDevice, OneScreen) {
    ASSERT_EQ(Displays::NumDisplayDevice(), 1u);
    DisplayDeviceKey key;
    ASSERT_TRUE(Displays::DisplayDevice(0, key));
    EXPECT_FALSE(Displays::DisplayDevice(1, key));  // a failed query leaves the key alone
    const DisplayDeviceKey& primary = Displays::PrimaryDisplayDevice();
    EXPECT_EQ(key, primary);
    EXPECT_EQ(&Displays::PrimaryDisplayDevice(), &primary);  // cached
    EXPECT_FALSE(key.empty());
    EXPECT_TRUE(DisplayDeviceKey().empty());

    // The key is (output name, adapter description, device id in decimal) of the platform.
    std::vector<VEK::Platform::DisplayAdapter> adapters;
    ASSERT_TRUE(VEK::Platform::Displays::Adapters(adapters));
    EXPECT_EQ(key.outputName(), adapters[0].outputs[0].deviceName);
    EXPECT_EQ(key.adapterDescription(), adapters[0].description);
    EXPECT_EQ(key.deviceIdentifier(), std::to_string(adapters[0].deviceId));
    {
        VEKTest::GLTestContext context;  // the adapter is described by the driver's renderer
        EXPECT_EQ(key.adapterDescription(), VEKTest::CurrentDriverReport().renderer);
    }

    HWND gone = nullptr;
    {
        VEKTest::HiddenWindow window;
        EXPECT_EQ(Displays::DisplayDeviceFromWindow(window.window()), key);
        gone = window.window();
    }
    EXPECT_THROW(Displays::DisplayDeviceFromWindow(gone), VEK::InternalException);
    const VEK::int2 origin = Displays::DisplayOrigin(key.adapterDescription());
    EXPECT_EQ(origin[0], 0);
    EXPECT_EQ(origin[1], 0);
    EXPECT_EQ(VEKTest::InternalMessageOf([] { Displays::DisplayOrigin("no such adapter", true); }),
              "Adapter not found");
}

TEST(DisplayDevice, TwoScreens) {
    VEKTest::XvfbServer server({"800x600x24", "640x480x24"});
    ASSERT_TRUE(server.running());
    setenv("DISPLAY", server.name().c_str(), 1);  // before the first connection

    ASSERT_EQ(Displays::NumDisplayDevice(), 2u);
    DisplayDeviceKey first, second;
    ASSERT_TRUE(Displays::DisplayDevice(0, first));
    ASSERT_TRUE(Displays::DisplayDevice(1, second));
    EXPECT_FALSE(Displays::DisplayDevice(2, second));
    EXPECT_NE(first, second);
    EXPECT_EQ(second.outputName(), "screen@1");
    EXPECT_EQ(Displays::PrimaryDisplayDevice(), first);

    // A window on the second screen is shown by the second display.
    Display* display = VEK::Platform::XConnection::Get();
    HWND secondRoot = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(RootWindow(display, 1)));
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.lpszClassName = "VEKDisplayDeviceTest";
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    HWND onSecond = CreateWindowExA(0, "VEKDisplayDeviceTest", "", 0, 100, 100, 20, 20, secondRoot,
                                    nullptr, nullptr, nullptr);
    ASSERT_NE(onSecond, nullptr);
    EXPECT_EQ(Displays::DisplayDeviceFromWindow(onSecond), second);
    DestroyWindow(onSecond);
}

TEST(DisplayDevice, NoServerAnswers) {
    setenv("DISPLAY", ":65000", 1);  // nothing listens there
    EXPECT_EQ(Displays::NumDisplayDevice(), 0u);
    DisplayDeviceKey key;
    EXPECT_FALSE(Displays::DisplayDevice(0, key));
    const VEK::int2 origin = Displays::DisplayOrigin("anything", true);
    EXPECT_EQ(origin[0], 0);
    EXPECT_EQ(origin[1], 0);
    EXPECT_EQ(VEKTest::InternalMessageOf([] { Displays::DisplayOrigin("anything", false); }),
              "defaultToZeroOnFailure");
    EXPECT_EQ(VEKTest::InternalMessageOf([] { Displays::PrimaryDisplayDevice(); }),
              "Platform::Displays::Adapters(adapters)");
}
