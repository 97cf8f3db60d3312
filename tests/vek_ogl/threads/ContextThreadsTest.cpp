// Contexts made, shared, drawn with and destroyed on eight threads at once, each thread with its
// own off-screen context and a sibling sharing its objects; every OpenGL call goes through the
// interceptor chain. Each round fills a texture made in one context through a pixel buffer, reads
// it back through a pixel buffer of the other, draws a colour of its own into it through a
// framebuffer there and reads it back, pixel by pixel, in both; at the end the share groups and the
// server resources are as they were. Run with ThreadSanitizer by the test command.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/LogicalException.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>
#include <vek/vek_ogl/ogl/BufferOGL.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>
#include <vek/vek_ogl/ogl/Framebuffer.h>
#include <vek/vek_ogl/ogl/PixelUnpackParameters.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/TextureUnit.h>

#include "support/ContextAccess.h"
#include "support/ServerResources.h"

using namespace VEK::OGL;

namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 4;
constexpr int kSize = 8;
constexpr int kBytes = kSize * kSize * 4;

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
    const std::array<GLubyte, 4> uploadColour = {static_cast<GLubyte>(255 - 32 * thread), 17,
                                                 static_cast<GLubyte>(40 * round), 255};
    const std::array<GLubyte, 4> colour = {static_cast<GLubyte>(32 * thread),
                                           static_cast<GLubyte>(60 * round), 200, 255};
    std::vector<GLubyte> upload(kBytes);
    for (int i = 0; i < kBytes; ++i) {
        upload[i] = uploadColour[i % 4];
    }
    std::vector<GLubyte> uploaded(kBytes, 0), pixels(kBytes, 0), texels(kBytes, 0);
    const TextureUnit* unit = TextureUnit::Unit(0);

    // The texture is made in one context and filled through that context's pixel buffer...
    own.makeCurrent();
    if (!sibling.isSharingWithCurrentContext()) {
        return "a sibling does not share with its source";
    }
    auto texture = std::make_unique<Texture2D>(Texture::kRGBA8, kSize, kSize, false, nullptr,
                                               Texture::kTypeDefault);
    unit->bind(texture.get());
    texture->setFilter(Texture::kFilterNearest, Texture::kFilterNearest);
    {
        Buffer unpack(kBytes, Buffer::kUnpackBuffer, Buffer::kStreamDraw, upload.data());
        texture->subImage(0, 0, 0, kSize, kSize, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                          &unpack, 0, PixelUnpackParameters());
    }
    unit->bind2DDefault();
    Gl()->cgmFinish(__FILE__, __LINE__);

    // ...read back through the sibling's pixel buffer, drawn into and read again there...
    sibling.makeCurrent();
    if (!Gl()->cgmIsTexture(__FILE__, __LINE__, texture->objectID())) {
        return "the sibling does not see the texture";
    }
    unit->bind(texture.get());
    {
        Buffer pack(kBytes, Buffer::kPackBuffer, Buffer::kStreamRead, nullptr);
        texture->getPixelData(&pack, 0, 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
        pack.bind();
        pack.getSubData(0, kBytes, uploaded.data());
        Buffer::BindDefaultPackBuffer();
    }
    unit->bind2DDefault();
    {
        Framebuffer framebuffer;
        framebuffer.bind();
        framebuffer.attach(texture.get(), 0, 0);
        if (!framebuffer.statusOkay(nullptr)) {
            return "the texture is not a complete framebuffer";
        }
        Gl()->cgmViewport(__FILE__, __LINE__, 0, 0, kSize, kSize);
        Gl()->cgmClearColor(__FILE__, __LINE__, colour[0] / 255.f, colour[1] / 255.f,
                            colour[2] / 255.f, 1.f);
        Gl()->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
        Gl()->cgmPixelStorei(__FILE__, __LINE__, GL_PACK_ALIGNMENT, 1);
        Gl()->cgmReadPixels(__FILE__, __LINE__, 0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE,
                            pixels.data());
        framebuffer.unbind();
    }

    // ...and the source sees what the sibling drew; the texture goes with the source current.
    own.makeCurrent();
    unit->bind(texture.get());
    texture->getPixelData(texels.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 1);
    unit->bind2DDefault();
    texture.reset();
    ReleaseOGLContext();

    for (int i = 0; i < kBytes; ++i) {
        if (uploaded[i] != uploadColour[i % 4] || pixels[i] != colour[i % 4] ||
            texels[i] != colour[i % 4]) {
            failure << "thread " << thread << " round " << round << ": byte " << i << " is "
                    << int(uploaded[i]) << "/" << int(pixels[i]) << "/" << int(texels[i])
                    << ", not " << int(uploadColour[i % 4]) << "/" << int(colour[i % 4]);
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
    // The chains are process-wide; their heads are made by whichever thread needs them first.
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
            } catch (const VEK::LogicalException& e) {
                failures[t] = std::string(e.file()) + ":" + std::to_string(e.line()) + ": " + e.message();
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
