#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include <vek/core/exceptions/InternalException.h>
#include <vek/core/memory/VEKMemory.h>
#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/extensionator/FunctionTable.h>
#include <vek/vek_ogl/extensionator/OpenGLCallObserver.h>
#include <vek/vek_ogl/extensionator/OpenGLEntryPoints.h>
#include <vek/vek_ogl/extensionator/OpenGLErrorChecker.h>

#include "support/InternalMessage.h"
#include "support/VtableSlot.h"

using namespace VEK::OGL;

namespace {

struct Recorder : OpenGLCallObserver {
    std::string last;
    void observe(char const*, unsigned, char const* entryPoint) override { last = entryPoint; }
};

}  // namespace

TEST(InterceptorChain, CheckerIsMadeOnceAndNeverPopped) {
    OpenGLInterceptor* first = OpenGLInterceptor::Instance();
    ASSERT_NE(dynamic_cast<OpenGLErrorChecker*>(first), nullptr);
    EXPECT_EQ(OpenGLInterceptor::Instance(), first);
    EXPECT_EQ(first->popInterceptor(), nullptr);
    EXPECT_EQ(OpenGLInterceptor::Instance(), first);

    Recorder a, b;
    first->addInterceptor(&a);
    OpenGLInterceptor::Instance()->addInterceptor(&b);
    EXPECT_EQ(OpenGLInterceptor::Instance(), &b);
    EXPECT_EQ(b.interceptor(), &a);
    EXPECT_EQ(a.interceptor(), first);
    // Popping acts on the process-wide chain whatever object it is called on.
    EXPECT_EQ(a.popInterceptor(), &b);
    EXPECT_EQ(first->popInterceptor(), &a);
    EXPECT_EQ(first->popInterceptor(), nullptr);
    EXPECT_EQ(OpenGLInterceptor::Instance(), first);

    EXPECT_THROW(first->addInterceptor(nullptr), VEK::InternalException);
    EXPECT_EQ(OpenGLInterceptor::Instance(), first);
}

TEST(InterceptorChain, ADecoratorAlreadyInTheChainIsRefused) {
    OpenGLInterceptor* checker = OpenGLInterceptor::Instance();
    Recorder a, b, c;
    checker->addInterceptor(&a);
    checker->addInterceptor(&b);
    checker->addInterceptor(&c);
    // A, B, C, then A or B again would close a loop that no call ever leaves.
    EXPECT_EQ(VEKTest::InternalMessageOf([&] { checker->addInterceptor(&a); }),
              "The decorator is already in the interceptor chain");
    EXPECT_THROW(checker->addInterceptor(&b), VEK::InternalException);
    EXPECT_THROW(checker->addInterceptor(&c), VEK::InternalException);
    // Nothing moved: the chain still ends at the checker.
    EXPECT_EQ(OpenGLInterceptor::Instance(), &c);
    EXPECT_EQ(c.interceptor(), &b);
    EXPECT_EQ(b.interceptor(), &a);
    EXPECT_EQ(a.interceptor(), checker);
    EXPECT_EQ(checker->popInterceptor(), &c);
    EXPECT_EQ(checker->popInterceptor(), &b);
    EXPECT_EQ(checker->popInterceptor(), &a);
    // Once popped, a decorator may go back in.
    checker->addInterceptor(&a);
    EXPECT_EQ(a.interceptor(), checker);
    EXPECT_EQ(checker->popInterceptor(), &a);
    EXPECT_EQ(OpenGLInterceptor::Instance(), checker);
}

TEST(InterceptorChain, DestroyRequiresDecoratorsPopped) {
    OpenGLInterceptor::Destroy();  // nothing made yet: nothing happens
    OpenGLInterceptor* checker = OpenGLInterceptor::Instance();
    Recorder decorator;
    checker->addInterceptor(&decorator);
    EXPECT_EQ(VEKTest::InternalMessageOf([] { OpenGLInterceptor::Destroy(); }),
              "Enforce dynamic_cast<OpenGLErrorChecker *>(sInterceptor_) != NULL");
    EXPECT_EQ(OpenGLInterceptor::Instance(), &decorator);  // the chain is left as it was
    EXPECT_EQ(decorator.popInterceptor(), &decorator);
    OpenGLInterceptor::Destroy();
    OpenGLInterceptor* fresh = OpenGLInterceptor::Instance();
    ASSERT_NE(dynamic_cast<OpenGLErrorChecker*>(fresh), nullptr);
    OpenGLInterceptor::Destroy();
}

TEST(InterceptorChain, DecoratorWithoutNextFailsClearly) {
    // Pushed before anything made the checker: the decorator gets no next interceptor, and
    // its first forwarded call says so with the caller's location instead of crashing.
    Recorder lonely;
    Recorder().addInterceptor(&lonely);
    EXPECT_EQ(lonely.interceptor(), nullptr);
    try {
        OpenGLInterceptor::Instance()->cgmBindTexture("caller.cpp", 42, GL_TEXTURE_2D, 0);
        FAIL() << "no throw";
    } catch (const VEK::InternalException& e) {
        EXPECT_STREQ(e.file(), "caller.cpp");
        EXPECT_EQ(e.line(), 42);
        EXPECT_NE(std::string(e.message()).find("no next interceptor"), std::string::npos);
    }
    EXPECT_EQ(lonely.last, "glBindTexture");
    EXPECT_EQ(lonely.popInterceptor(), &lonely);
}

TEST(InterceptorChain, ExceptionOGLCarriesCodeAndClones) {
    const ExceptionOGL e("a.cpp", 7, "invalid enumerant", 0x0500);
    EXPECT_EQ(e.errorNumber(), 0x0500u);
    EXPECT_STREQ(e.what(), "VEK logical exception");
    std::ostringstream written;
    written << e;
    EXPECT_EQ(written.str(), "VEK logical exception a.cpp:7 (invalid enumerant)");
    VEK::ExceptionBase* copy = static_cast<const VEK::ExceptionBase&>(e).clone();
    auto* ogl = dynamic_cast<ExceptionOGL*>(copy);
    ASSERT_NE(ogl, nullptr);
    EXPECT_EQ(ogl->errorNumber(), 0x0500u);
    EXPECT_STREQ(ogl->file(), "a.cpp");
    EXPECT_EQ(ogl->line(), 7);
    EXPECT_STREQ(ogl->message(), "invalid enumerant");
    VEK_DELETE(copy);
    EXPECT_STREQ(ExceptionOGL("f", 1, nullptr, 1).message(), "Undefined");
}

#ifdef VEK_TEST_HAS_VTABLE_SLOT
namespace {
using VEKTest::Slot;
}  // namespace

TEST(InterceptorLayout, SlotOrderAndTablePositionsAgree) {
    EXPECT_EQ(Slot(&OpenGLInterceptor::cgmAccum), 0);
    EXPECT_EQ(Slot(&OpenGLInterceptor::cgmAlphaFunc), 1);
    EXPECT_EQ(Slot(&OpenGLInterceptor::cgmIndexMask) + 1,
              Slot(&OpenGLInterceptor::cgmIndexPointer));
    EXPECT_EQ(Slot(&OpenGLInterceptor::cgmIndexPointer) + 1, Slot(&OpenGLInterceptor::cgmIndexd));
    EXPECT_EQ(Slot(&OpenGLInterceptor::cgmViewport), 335);
    EXPECT_EQ(Slot(&OpenGLInterceptor::cgmDrawRangeElements), 336);  // operation 337
    EXPECT_EQ(Slot(&OpenGLInterceptor::cgmGetStringi), 336 + 270);
    EXPECT_EQ(Slot(&OpenGLInterceptor::cgmCopyBufferSubData), 336 + 300);
    EXPECT_EQ(Slot(&OpenGLInterceptor::cgmVertexWeighthvNV), 1181);

    // The table is flat and ordered as the operations from the 337th on.
    EXPECT_EQ(sizeof(FunctionTable), 846 * sizeof(void*));
    EXPECT_EQ(offsetof(FunctionTable, glDrawRangeElements), 0u);
    EXPECT_EQ(offsetof(FunctionTable, glGetStringi), 270 * sizeof(void*));
    EXPECT_EQ(offsetof(FunctionTable, glCopyBufferSubData), 300 * sizeof(void*));
    EXPECT_EQ(offsetof(FunctionTable, glVertexWeighthvNV), 845 * sizeof(void*));

    EXPECT_STREQ(kInterceptorEntryPoints[0], "glAccum");
    EXPECT_STREQ(kInterceptorEntryPoints[336], "glDrawRangeElements");
    EXPECT_STREQ(kInterceptorEntryPoints[1181], "glVertexWeighthvNV");
    for (unsigned i = 1; i < kOpenGL11EntryPointCount; ++i) {
        EXPECT_LT(std::strcmp(kInterceptorEntryPoints[i - 1], kInterceptorEntryPoints[i]), 0);
    }
    unsigned next = 0;
    for (const FunctionTableGroup& group : kFunctionTableGroups) {
        EXPECT_EQ(group.first, next) << group.name;
        EXPECT_STREQ(OpenGLExtensionName(group.extension), group.name);
        next += group.count;
    }
    EXPECT_EQ(next, kFunctionTableSize);
    EXPECT_EQ(kFunctionTableGroups[6].first, 213u);  // GL_VERSION_3_0
    EXPECT_EQ(kFunctionTableGroups[6].count, 58u);
    EXPECT_STREQ(kFunctionTableGroups[61].name, "GL_NV_half_float");
    EXPECT_EQ(kFunctionTableGroups[61].first, 800u);
}
#endif

TEST(InterceptorLayout, ExtensionNumbering) {
    EXPECT_EQ(OGLEXT_VERSION_1_2, 0);
    EXPECT_EQ(OGLEXT_ARB_multitexture, 36);
    EXPECT_EQ(OGLEXT_SGIS_generate_mipmap, 101);
    EXPECT_EQ(OGLEXT_WGL_ARB_create_context, 102);
    EXPECT_EQ(OGLEXT_WGL_NV_render_texture_rectangle, 112);
    EXPECT_EQ(OGLEXT_UNKNOWN, 113);
    EXPECT_STREQ(OpenGLExtensionName(OGLEXT_NV_half_float), "GL_NV_half_float");
    EXPECT_STREQ(OpenGLExtensionName(OGLEXT_WGL_ARB_pbuffer), "WGL_ARB_pbuffer");
    EXPECT_EQ(OpenGLExtensionName(OGLEXT_UNKNOWN), nullptr);
    EXPECT_EQ(OpenGLExtensionName(static_cast<OpenGLExtension>(-1)), nullptr);
}
