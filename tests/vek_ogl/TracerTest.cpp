#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/InternalException.h>
#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLCallObserver.h>
#include <vek/vek_ogl/extensionator/OpenGLTracer.h>

#include "support/GLTestContext.h"

using namespace VEK::OGL;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Stops every call before it reaches the driver.
struct Stop : OpenGLCallObserver {
    void observe(char const*, unsigned, char const*) override { throw std::runtime_error("stop"); }
};

class Tracer : public ::testing::Test {
protected:
    void SetUp() override {
        ExtensionManager::CurrentTable();
        manager_ = ExtensionManager::Instance();
        ASSERT_NE(manager_, nullptr);
        manager_->addInterceptor(&tracer_);
    }
    void TearDown() override { EXPECT_EQ(manager_->popInterceptor(), &tracer_); }

    OpenGLInterceptor* GL() { return OpenGLInterceptor::Instance(); }

    VEK::Core::AutoInitializer core_;
    VEKTest::GLTestContext context_;
    AutoInitializer ogl_;
    std::ostringstream out_;
    OpenGLTracer tracer_{out_};
    ExtensionManager* manager_ = nullptr;
};

}  // namespace

TEST_F(Tracer, WritesTheLineFormatThenForwards) {
    GL()->cgmBindTexture("a.cpp", 10, GL_TEXTURE_2D, 0);
    GL()->cgmColorMask("a.cpp", 11, 1, 0, 1, 1);
    GL()->cgmBegin("a.cpp", 12, GL_QUADS);
    GL()->cgmColor3b("a.cpp", 13, 65, 66, 67);
    GL()->cgmEnd("a.cpp", 14);
    GL()->cgmClearColor("a.cpp", 15, 1.0f, 0.5f, 0.f, -2.f);
    GL()->cgmClearDepth("a.cpp", 16, 0.25);
    GL()->cgmGetError("a.cpp", 17);
    // glAccum without an accumulation buffer fails: the line is written, then the checker
    // behind the tracer throws.
    EXPECT_THROW(GL()->cgmAccum("a.cpp", 18, GL_ACCUM, 0.5f), ExceptionOGL);
    const std::vector<std::string> expected = {
        "a.cpp:10: glBindTexture(GL_TEXTURE_2D, 0)",
        "a.cpp:11: glColorMask(GL_TRUE, GL_FALSE, GL_TRUE, GL_TRUE)",
        "a.cpp:12: glBegin(GL_QUADS)",
        "a.cpp:13: glColor3b(A, B, C)",
        "a.cpp:14: glEnd()",
        "a.cpp:15: glClearColor(makeFloat(1065353216) /* 1 */, makeFloat(1056964608) /* 0.5 */, "
        "makeFloat(0) /* 0 */, makeFloat(-1073741824) /* -2 */)",
        "a.cpp:16: glClearDepth(0.25)",
        "a.cpp:17: glGetError()",
        "a.cpp:18: glAccum(GL_ACCUM, makeFloat(1056964608) /* 0.5 */)",
    };
    EXPECT_EQ(Lines(out_.str()), expected);

    // Where the driver logs its words for an error, they follow the call's line; not when the
    // tracer is told to leave them out.
    glEnable(GL_DEBUG_OUTPUT);
    EXPECT_TRUE(tracer_.driverMessages());
    for (const bool driverMessages : {true, false}) {
        out_.str("");
        tracer_.setDriverMessages(driverMessages);
        EXPECT_THROW(GL()->cgmEnable("a.cpp", 19, 0x1234), ExceptionOGL);
        std::vector<std::string> traced = {"a.cpp:19: glEnable(Unknown Token)"};
        if (driverMessages) {
            traced.push_back("    driver: GL_INVALID_ENUM in glEnable(0x1234)");
        }
        EXPECT_EQ(Lines(out_.str()), traced);
    }
    glDisable(GL_DEBUG_OUTPUT);
}

TEST_F(Tracer, NumbersOfTheLineAreDecimalWhateverTheStreamBase) {
    out_ << std::hex;
    GL()->cgmBindTexture("f.cpp", 26, GL_TEXTURE_2D, 0);
    GL()->cgmClearColor("f.cpp", 27, 1.0f, 0.f, 0.f, 0.f);
    const std::vector<std::string> expected = {
        "f.cpp:26: glBindTexture(GL_TEXTURE_2D, 0)",
        "f.cpp:27: glClearColor(makeFloat(1065353216) /* 1 */, makeFloat(0) /* 0 */, "
        "makeFloat(0) /* 0 */, makeFloat(0) /* 0 */)",
    };
    EXPECT_EQ(Lines(out_.str()), expected);
    // The stream keeps the base it was given.
    EXPECT_TRUE((out_.flags() & std::ios_base::basefield) == std::ios_base::hex);
}

TEST_F(Tracer, PointersHandlesAndNamesNeverReadWhatTheyMustNot) {
    Stop stop;
    // tracer -> stop -> checker: nothing below reaches the driver.
    ASSERT_EQ(manager_->popInterceptor(), &tracer_);
    manager_->addInterceptor(&stop);
    manager_->addInterceptor(&tracer_);
    ASSERT_EQ(tracer_.interceptor(), &stop);

    out_.str("");
    EXPECT_THROW(GL()->cgmAttachObjectARB("b.cpp", 1, 3, 4), std::runtime_error);
    EXPECT_THROW(GL()->cgmGetUniformLocation("b.cpp", 2, 7, "diffuse"), std::runtime_error);
    EXPECT_THROW(GL()->cgmGetUniformLocation("b.cpp", 3, 7, nullptr), std::runtime_error);
    char log[4];  // an output buffer the call has not filled: only its address is written
    GLsizei length = 0;
    EXPECT_THROW(GL()->cgmGetShaderInfoLog("b.cpp", 4, 1, 4, &length, log), std::runtime_error);
    GLubyte stipple[128];
    EXPECT_THROW(GL()->cgmGetPolygonStipple("b.cpp", 5, stipple), std::runtime_error);
    const std::vector<std::string> lines = Lines(out_.str());
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "b.cpp:1: glAttachObjectARB((GLhandleARB)3, (GLhandleARB)4)");
    EXPECT_EQ(lines[1], "b.cpp:2: glGetUniformLocation(7, diffuse)");
    std::ostringstream null;
    null << static_cast<const void*>(nullptr);
    EXPECT_EQ(lines[2], "b.cpp:3: glGetUniformLocation(7, " + null.str() + ")");
    std::ostringstream addresses;
    addresses << "b.cpp:4: glGetShaderInfoLog(1, 4, " << static_cast<const void*>(&length) << ", "
              << static_cast<const void*>(log) << ")";
    EXPECT_EQ(lines[3], addresses.str());
    std::ostringstream stippleLine;
    stippleLine << "b.cpp:5: glGetPolygonStipple(" << static_cast<const void*>(stipple) << ")";
    EXPECT_EQ(lines[4], stippleLine.str());
    EXPECT_EQ(manager_->popInterceptor(), &tracer_);
    EXPECT_EQ(manager_->popInterceptor(), &stop);
    manager_->addInterceptor(&tracer_);  // for TearDown
}

TEST_F(Tracer, TracesARealDrawingWithCallersLocations) {
    const VEKTest::FramebufferTarget target;  // bound past the tracer
    const unsigned line = __LINE__;
    GL()->cgmClearColor(__FILE__, line, 0.f, 0.f, 0.f, 1.f);
    GL()->cgmClear(__FILE__, line + 1, GL_COLOR_BUFFER_BIT);
    GL()->cgmBegin(__FILE__, line + 2, GL_TRIANGLES);
    GL()->cgmVertex2f(__FILE__, line + 3, -1.f, -1.f);
    GL()->cgmVertex2f(__FILE__, line + 4, 1.f, -1.f);
    GL()->cgmVertex2f(__FILE__, line + 5, 0.f, 1.f);
    GL()->cgmEnd(__FILE__, line + 6);
    GLubyte pixel[4] = {};
    GL()->cgmReadPixels(__FILE__, line + 7, 32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255);  // the default colour is white
    const std::string at = std::string(__FILE__) + ":";
    const std::vector<std::string> expected = {
        at + std::to_string(line) +
            ": glClearColor(makeFloat(0) /* 0 */, makeFloat(0) /* 0 */, "
            "makeFloat(0) /* 0 */, makeFloat(1065353216) /* 1 */)",
        at + std::to_string(line + 1) + ": glClear(16384)",
        // One name per value: GL_TRIANGLES shares 4 with GL_LINE_BIT, the table's name for it.
        at + std::to_string(line + 2) + ": glBegin(GL_LINE_BIT)",
        at + std::to_string(line + 3) +
            ": glVertex2f(makeFloat(-1082130432) /* -1 */, makeFloat(-1082130432) /* -1 */)",
        at + std::to_string(line + 4) +
            ": glVertex2f(makeFloat(1065353216) /* 1 */, makeFloat(-1082130432) /* -1 */)",
        at + std::to_string(line + 5) +
            ": glVertex2f(makeFloat(0) /* 0 */, makeFloat(1065353216) /* 1 */)",
        at + std::to_string(line + 6) + ": glEnd()",
    };
    std::vector<std::string> lines = Lines(out_.str());
    ASSERT_EQ(lines.size(), 8u);
    std::ostringstream readPixels;
    readPixels << at << line + 7 << ": glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, "
               << static_cast<const void*>(pixel) << ")";
    EXPECT_EQ(lines.back(), readPixels.str());
    lines.pop_back();
    EXPECT_EQ(lines, expected);
}

TEST(TracerAlone, WithoutNextFailsClearlyAndTokenNames) {
    std::ostringstream out;
    OpenGLTracer tracer(out);
    EXPECT_EQ(tracer.interceptor(), nullptr);
    try {
        tracer.cgmFlush("c.cpp", 8);
        FAIL() << "no throw";
    } catch (const VEK::InternalException& e) {
        EXPECT_STREQ(e.file(), "c.cpp");
        EXPECT_EQ(e.line(), 8);
    }

    EXPECT_STREQ(VEKOGLTokenName(0), "GL_POINTS");
    EXPECT_STREQ(VEKOGLTokenName(1), "GL_CURRENT_BIT");
    EXPECT_STREQ(VEKOGLTokenName(0x0100), "GL_ACCUM");
    EXPECT_STREQ(VEKOGLTokenName(0x0DE1), "GL_TEXTURE_2D");
    EXPECT_STREQ(VEKOGLTokenName(0x8D40), "GL_FRAMEBUFFER");
    EXPECT_STREQ(VEKOGLTokenName(0x140B), "GL_HALF_APPLE");
    EXPECT_STREQ(VEKOGLTokenName(0x84F5), "GL_TEXTURE_RECTANGLE");
    EXPECT_STREQ(VEKOGLTokenName(0x8B40), "GL_PROGRAM_OBJECT_ARB");
    EXPECT_STREQ(VEKOGLTokenName(0x8CA6), "GL_DRAW_FRAMEBUFFER_BINDING");
    EXPECT_STREQ(VEKOGLTokenName(0x84C0), "GL_TEXTURE0");
    EXPECT_STREQ(VEKOGLTokenName(0x0506), "GL_INVALID_FRAMEBUFFER_OPERATION");
    EXPECT_STREQ(VEKOGLTokenName(0x9126), "GL_CONTEXT_PROFILE_MASK");
    EXPECT_STREQ(VEKOGLTokenName(0x20000000), "GL_MULTISAMPLE_BIT");
    EXPECT_STREQ(VEKOGLTokenName(0xFFFF), "Unknown Token");
    EXPECT_STREQ(VEKOGLTokenName(0xFFFFFFFFu), "Unknown Token");
    // One name per value, ordered for the lookup.
    for (unsigned i = 1; i < internal::kOpenGLTokenCount; ++i) {
        EXPECT_LT(internal::kOpenGLTokens[i - 1].value, internal::kOpenGLTokens[i].value);
    }
    EXPECT_STREQ(VEKOGLBoolToString(0), "GL_FALSE");
    EXPECT_STREQ(VEKOGLBoolToString(2), "GL_TRUE");
}
