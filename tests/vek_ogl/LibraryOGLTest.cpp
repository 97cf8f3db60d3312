#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/InternalException.h>
#include <vek/core/memory/VEKMemory.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLCallObserver.h>
#include <vek/vek_ogl/extensionator/OpenGLErrorChecker.h>

#include "support/InternalMessage.h"

using VEK::OGL::Library;

namespace {

struct Observer : VEK::OGL::OpenGLCallObserver {
    void observe(char const*, unsigned, char const*) override {}
};

}  // namespace

TEST(LibraryOGL, StartRequiresTheCoreAndStopChecksAfterTeardown) {
    EXPECT_EQ(VEKTest::InternalMessageOf([] { Library::Initialize(); }),
              "Core::Library::IsInitialized()");
    EXPECT_FALSE(Library::IsInitialized());

    VEK::Core::Library::Initialize();
    // Not started: the chain is torn down all the same, then the check fails.
    VEK::OGL::OpenGLInterceptor* before = VEK::OGL::OpenGLInterceptor::Instance();
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(VEKTest::InternalMessageOf([] { Library::Terminate(); }), "sIsInitialized_");

    Library::Initialize();
    EXPECT_TRUE(Library::IsInitialized());
    EXPECT_EQ(VEKTest::InternalMessageOf([] { Library::Initialize(); }), "!sIsInitialized_");

    // A decorator left pushed stops the teardown.
    Observer observer;
    VEK::OGL::OpenGLInterceptor::Instance()->addInterceptor(&observer);
    EXPECT_EQ(VEKTest::InternalMessageOf([] { Library::Terminate(); }),
              "Enforce dynamic_cast<OpenGLErrorChecker *>(sInterceptor_) != NULL");
    EXPECT_TRUE(Library::IsInitialized());
    EXPECT_EQ(observer.popInterceptor(), &observer);
    Library::Terminate();
    EXPECT_FALSE(Library::IsInitialized());

    // The core stopped first: teardown happens, then the second check fails.
    Library::Initialize();
    VEK::Core::Library::Terminate();
    EXPECT_EQ(VEKTest::InternalMessageOf([] { Library::Terminate(); }),
              "VEK::Core::Library::IsInitialized()");
    EXPECT_TRUE(Library::IsInitialized());
}

TEST(LibraryOGL, HostStreamsAreClosedAndFreed) {
    VEK::Core::AutoInitializer core;
    Library::Initialize();
    const std::string path = ::testing::TempDir() + "vek_src_stream.txt";
    Library::sSrcFile_ = VEK_NEW(std::fstream)(path, std::ios::out | std::ios::trunc);
    // Only the source stream: nothing is touched and the check fails.
    EXPECT_EQ(VEKTest::InternalMessageOf([] { Library::Terminate(); }),
              "Enforce sBinFile_ != NULL");
    ASSERT_NE(Library::sSrcFile_, nullptr);
    EXPECT_TRUE(Library::sSrcFile_->is_open());

    Library::sBinFile_ = VEK_NEW(std::fstream)(path + ".bin", std::ios::out | std::ios::trunc);
    *Library::sSrcFile_ << "written before terminate";
    Library::Terminate();
    EXPECT_EQ(Library::sSrcFile_, nullptr);
    EXPECT_EQ(Library::sBinFile_, nullptr);
    std::ifstream back(path);
    std::string text;
    std::getline(back, text);
    EXPECT_EQ(text, "written before terminate");  // flushed before closing
    std::remove(path.c_str());
    std::remove((path + ".bin").c_str());
}

TEST(LibraryOGL, AutoInitializerReleaseKeepsTheLayerRunning) {
    VEK::Core::AutoInitializer core;
    {
        VEK::OGL::AutoInitializer ogl;
        EXPECT_TRUE(Library::IsInitialized());
    }
    EXPECT_FALSE(Library::IsInitialized());
    {
        VEK::OGL::AutoInitializer ogl;
        ogl.release();
    }
    EXPECT_TRUE(Library::IsInitialized());
    Library::Terminate();
}
