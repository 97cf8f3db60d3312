// Contexts made, shared, drawn with and destroyed on eight threads at once, each thread with its
// own off-screen context and a sibling sharing its objects; every OpenGL call goes through the
// interceptor chain. Each round draws a colour of its own into a texture made in one context and
// reads it back, pixel by pixel, through the other; at the end the share groups and the server
// resources are as they were. Run with ThreadSanitizer by the test command.
#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>
#include <vek/vek_ogl/extensionator/wgl/WGLInterceptor.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>

#include "support/ContextAccess.h"
#include "support/ServerResources.h"

using namespace VEK::OGL;

namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 4;
constexpr int kSize = 8;

OpenGLInterceptor* Gl() {
    return OpenGLInterceptor::Instance();
}

// One round on the calling thread; an empty string when every pixel was right.
std::string Round(DisplayDeviceKey const& key, int thread, int round) {
    std::ostringstream failure;
    ContextOffscreen own(key);
    ContextOffscreen sibling(&own);
    if (Context::CurrentContext() != nullptr) {
        return "making contexts left one current";
    }
    const std::array<GLubyte, 4> colour = {static_cast<GLubyte>(32 * thread),
                                           static_cast<GLubyte>(60 * round), 200, 255};

    // The texture and its storage are made in one context...
    own.makeCurrent();
    if (!sibling.isSharingWithCurrentContext()) {
        return "a sibling does not share with its source";
    }
    GLuint texture = 0;
    Gl()->cgmGenTextures(__FILE__, __LINE__, 1, &texture);
    Gl()->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
    Gl()->cgmTexParameteri(__FILE__, __LINE__, GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    Gl()->cgmTexImage2D(__FILE__, __LINE__, GL_TEXTURE_2D, 0, GL_RGBA8, kSize, kSize, 0, GL_RGBA,
                        GL_UNSIGNED_BYTE, nullptr);
    Gl()->cgmFinish(__FILE__, __LINE__);

    // ...drawn into and read back through the sibling, which sees the same name.
    sibling.makeCurrent();
    if (!Gl()->cgmIsTexture(__FILE__, __LINE__, texture)) {
        return "the sibling does not see the texture";
    }
    GLuint framebuffer = 0;
    Gl()->cgmGenFramebuffers(__FILE__, __LINE__, 1, &framebuffer);
    Gl()->cgmBindFramebuffer(__FILE__, __LINE__, GL_FRAMEBUFFER, framebuffer);
    Gl()->cgmFramebufferTexture2D(__FILE__, __LINE__, GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
                                  GL_TEXTURE_2D, texture, 0);
    if (Gl()->cgmCheckFramebufferStatus(__FILE__, __LINE__, GL_FRAMEBUFFER) !=
        GL_FRAMEBUFFER_COMPLETE) {
        return "the texture is not a complete framebuffer";
    }
    Gl()->cgmViewport(__FILE__, __LINE__, 0, 0, kSize, kSize);
    Gl()->cgmClearColor(__FILE__, __LINE__, colour[0] / 255.f, colour[1] / 255.f, colour[2] / 255.f,
                        1.f);
    Gl()->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
    std::vector<GLubyte> pixels(kSize * kSize * 4, 0);
    Gl()->cgmPixelStorei(__FILE__, __LINE__, GL_PACK_ALIGNMENT, 1);
    Gl()->cgmReadPixels(__FILE__, __LINE__, 0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE,
                        pixels.data());
    Gl()->cgmBindFramebuffer(__FILE__, __LINE__, GL_FRAMEBUFFER, 0);
    Gl()->cgmDeleteFramebuffers(__FILE__, __LINE__, 1, &framebuffer);

    // The source sees what the sibling drew.
    own.makeCurrent();
    std::vector<GLubyte> texels(kSize * kSize * 4, 0);
    Gl()->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
    Gl()->cgmPixelStorei(__FILE__, __LINE__, GL_PACK_ALIGNMENT, 1);
    Gl()->cgmGetTexImage(__FILE__, __LINE__, GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                         texels.data());
    Gl()->cgmDeleteTextures(__FILE__, __LINE__, 1, &texture);
    ReleaseOGLContext();

    for (int i = 0; i < kSize * kSize * 4; ++i) {
        if (pixels[i] != colour[i % 4] || texels[i] != colour[i % 4]) {
            failure << "thread " << thread << " round " << round << ": byte " << i << " is "
                    << int(pixels[i]) << "/" << int(texels[i]) << ", not " << int(colour[i % 4]);
            return failure.str();
        }
    }
    return "";
}

}  // namespace

TEST(ContextThreads, EightThreadsMakeShareDrawAndDestroyContexts) {
    VEK::Core::AutoInitializer core;
    AutoInitializer ogl;
    DisplayDeviceKey key;
    ASSERT_TRUE(Context::DisplayDevice(0, key));
    // The chains are process-wide and made once, before the threads share them.
    OpenGLInterceptor::Instance();
    WGLInterceptor::Instance();
    const auto resourcesBefore = VEKTest::ServerResources();

    std::vector<std::string> failures(kThreads);
    std::vector<int> rounds(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            try {
                for (int r = 0; r < kRounds && failures[t].empty(); ++r) {
                    failures[t] = Round(key, t, r);
                    ++rounds[t];
                }
            } catch (const std::exception& e) {
                failures[t] = e.what();
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(failures[t], "") << "thread " << t;
        EXPECT_EQ(rounds[t], kRounds) << "thread " << t;
    }
    EXPECT_EQ(VEKTest::ContextAccess::gVectorOfContextVectors, nullptr);
    EXPECT_EQ(VEKTest::ServerResources(), resourcesBefore);
}
