#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>
#include <string>

#include <vek/platform/WGL.h>

#include "support/HiddenWindow.h"

namespace {

using VEKTest::HiddenWindow;

TEST(ProcAddress, FollowsTheCurrentContextsVersionAndExtensions) {
    EXPECT_EQ(wglGetProcAddress("glBindBuffer"), nullptr);  // nothing current
    EXPECT_EQ(GetLastError(), ERROR_INVALID_OPERATION);

    HiddenWindow window;
    ASSERT_GT(window.setRgbaFormat(), 0);
    HGLRC context = wglCreateContext(window.dc());
    ASSERT_TRUE(wglMakeCurrent(window.dc(), context));
    EXPECT_NE(wglGetProcAddress("glBindBuffer"), nullptr);
    EXPECT_NE(wglGetProcAddress("glGenFramebuffers"), nullptr);
    // The driver's own look-up answers these with stubs; they must come back null.
    EXPECT_EQ(wglGetProcAddress("glFlushRenderAPPLE"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_EQ(wglGetProcAddress("glNoSuchEntryPoint"), nullptr);
    EXPECT_EQ(wglGetProcAddress(nullptr), nullptr);

    // The address is the driver's: calling it works.
    auto genBuffers = reinterpret_cast<void (*)(GLsizei, GLuint*)>(
        reinterpret_cast<void (*)()>(wglGetProcAddress("glGenBuffers")));
    ASSERT_NE(genBuffers, nullptr);
    GLuint buffer = 0;
    genBuffers(1, &buffer);
    EXPECT_NE(buffer, 0u);

    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_EQ(wglGetProcAddress("glBindBuffer"), nullptr);
    EXPECT_TRUE(wglDeleteContext(context));
}

TEST(ProcAddress, OlderDriverVersionLeavesOnlyItsExtensions) {
    // The real driver, told to be OpenGL 1.4: glBindBuffer is 1.5, its ARB form an extension's.
    setenv("MESA_GL_VERSION_OVERRIDE", "1.4", 1);
    HiddenWindow window;
    ASSERT_GT(window.setRgbaFormat(), 0);
    HGLRC context = wglCreateContext(window.dc());
    ASSERT_TRUE(wglMakeCurrent(window.dc(), context));
    ASSERT_EQ(std::strncmp(reinterpret_cast<const char*>(glGetString(GL_VERSION)), "1.4", 3), 0);
    EXPECT_EQ(wglGetProcAddress("glBindBuffer"), nullptr);
    const std::string extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const bool vbo =
        (" " + extensions + " ").find(" GL_ARB_vertex_buffer_object ") != std::string::npos;
    EXPECT_EQ(wglGetProcAddress("glBindBufferARB") != nullptr, vbo);
    EXPECT_NE(wglGetProcAddress("glActiveTexture"), nullptr);  // 1.3
    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_TRUE(wglDeleteContext(context));
    unsetenv("MESA_GL_VERSION_OVERRIDE");
}

TEST(ProcAddress, WglEntryPointsOnlyOfAdvertisedExtensions) {
    HiddenWindow window;
    ASSERT_GT(window.setRgbaFormat(), 0);
    HGLRC context = wglCreateContext(window.dc());
    ASSERT_TRUE(wglMakeCurrent(window.dc(), context));

    const char* text = wglGetExtensionsStringARB(window.dc());
    ASSERT_NE(text, nullptr);
    std::istringstream words(text);
    std::string word;
    std::set<std::string> advertised;
    while (words >> word) {
        advertised.insert(word);
    }
    for (const char* always :
         {"WGL_ARB_extensions_string", "WGL_ARB_pixel_format", "WGL_ARB_pbuffer",
          "WGL_EXT_swap_control", "WGL_ARB_create_context"}) {
        EXPECT_EQ(advertised.count(always), 1u) << always;
    }
    EXPECT_EQ(advertised.count("WGL_ARB_render_texture"), 0u);  // framebuffer objects serve
    EXPECT_EQ(advertised.count("WGL_NV_render_texture_rectangle"), 0u);

    auto same = [](const char* name, auto function) {
        return wglGetProcAddress(name) ==
               reinterpret_cast<PROC>(reinterpret_cast<void (*)()>(function));
    };
    EXPECT_TRUE(same("wglChoosePixelFormatARB", &wglChoosePixelFormatARB));
    EXPECT_TRUE(same("wglCreateContextAttribsARB", &wglCreateContextAttribsARB));
    EXPECT_TRUE(same("wglGetExtensionsStringARB", &wglGetExtensionsStringARB));
    EXPECT_TRUE(same("wglQueryPbufferARB", &wglQueryPbufferARB));
    EXPECT_TRUE(same("wglSwapIntervalEXT", &wglSwapIntervalEXT));
    EXPECT_EQ(wglGetProcAddress("wglBindTexImageARB"), nullptr);
    EXPECT_EQ(wglGetProcAddress("wglSetPbufferAttribARB"), nullptr);
    EXPECT_EQ(wglGetExtensionsStringARB(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_TRUE(wglDeleteContext(context));
}

}  // namespace
