// The render-state scopes on llvmpipe: the exact calls each makes when set and when restoring,
// the state read back with glGet afterwards, and restoring that fails.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>
#include <vek/vek_ogl/extensionator/OpenGLTokenName.h>
#include <vek/vek_ogl/ogl/BlendScope.h>
#include <vek/vek_ogl/ogl/Context.h>
#include <vek/vek_ogl/ogl/LineScope.h>

#include "support/GLTestContext.h"
#include "support/InternalMessage.h"
#include "support/RecordingDecorator.h"

using namespace VEK::OGL;
using Strings = std::vector<std::string>;

namespace {

// The blend, stipple and width state as the driver reports it.
struct FixedFunctionState {
    GLboolean blend = 0;
    GLint blendValues[6] = {};
    GLboolean stipple = 0;
    GLint stippleRepeat = 0;
    GLint stipplePattern = 0;
    GLfloat lineWidth = 0;

    static FixedFunctionState Read() {
        FixedFunctionState s;
        glGetBooleanv(GL_BLEND, &s.blend);
        const GLenum names[6] = {GL_BLEND_DST_ALPHA,      GL_BLEND_DST_RGB,
                                 GL_BLEND_SRC_ALPHA,      GL_BLEND_SRC_RGB,
                                 GL_BLEND_EQUATION_ALPHA, GL_BLEND_EQUATION_RGB};
        for (int i = 0; i < 6; ++i) {
            glGetIntegerv(names[i], &s.blendValues[i]);
        }
        glGetBooleanv(GL_LINE_STIPPLE, &s.stipple);
        glGetIntegerv(GL_LINE_STIPPLE_REPEAT, &s.stippleRepeat);
        glGetIntegerv(GL_LINE_STIPPLE_PATTERN, &s.stipplePattern);
        glGetFloatv(GL_LINE_WIDTH, &s.lineWidth);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        return s;
    }
    // Factor and pattern count only while stippling is on: a scope started with stippling off
    // never reads them, and puts back only the flag.
    bool operator==(const FixedFunctionState& o) const {
        for (int i = 0; i < 6; ++i) {
            if (blendValues[i] != o.blendValues[i]) {
                return false;
            }
        }
        const bool stippleEqual =
            stipple == o.stipple &&
            (!stipple || (stippleRepeat == o.stippleRepeat && stipplePattern == o.stipplePattern));
        return blend == o.blend && stippleEqual && lineWidth == o.lineWidth;
    }
};

// Traced calls with addresses replaced by "p", so that output arguments compare.
Strings Calls(const VEKTest::RecordingDecorator& recorder) {
    Strings lines = recorder.traced();
    for (std::string& line : lines) {
        line = std::regex_replace(line, std::regex("0x[0-9a-f]+"), "p");
    }
    return lines;
}

std::string Token(GLenum value) {
    return VEKOGLTokenName(value);
}

const Strings kBlendRead = {
    "glGetBooleanv(GL_BLEND, p)",
    "glGetIntegerv(GL_BLEND_DST_ALPHA, p)",
    "glGetIntegerv(GL_BLEND_DST_RGB, p)",
    "glGetIntegerv(GL_BLEND_SRC_ALPHA, p)",
    "glGetIntegerv(GL_BLEND_SRC_RGB, p)",
    "glGetIntegerv(GL_BLEND_EQUATION_ALPHA, p)",
    // GL_BLEND_EQUATION_RGB has the value of GL_BLEND_EQUATION, the name the tracer writes.
    "glGetIntegerv(" + Token(GL_BLEND_EQUATION_RGB) + ", p)",
    "glGetError()",
};

Strings Concat(Strings a, const Strings& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class RenderStateScope : public ::testing::Test {
protected:
    void SetUp() override {
        ExtensionManager::CurrentTable();
        gl_ = OpenGLInterceptor::Instance();
    }
    void TearDown() override { EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)); }

    VEK::Core::AutoInitializer core_;
    VEKTest::GLTestContext context_;
    AutoInitializer ogl_;
    OpenGLInterceptor* gl_ = nullptr;
};

}  // namespace

TEST_F(RenderStateScope, AlphaBlendingAlreadyInForceIsNotRestored) {
    gl_->cgmEnable(__FILE__, __LINE__, GL_BLEND);
    gl_->cgmBlendFunc(__FILE__, __LINE__, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gl_->cgmBlendEquation(__FILE__, __LINE__, GL_FUNC_ADD);
    const FixedFunctionState before = FixedFunctionState::Read();
    VEKTest::RecordingDecorator recorder;
    {
        TemporaryAlphaBlendScope scope;
        EXPECT_EQ(Calls(recorder), Concat(Concat(kBlendRead, {"glEnable(GL_BLEND)",
                                                              "glBlendFunc(GL_SRC_ALPHA, "
                                                              "GL_ONE_MINUS_SRC_ALPHA)",
                                                              "glBlendEquation(GL_FUNC_ADD)"}),
                                          kBlendRead));
        recorder.clear();
    }
    EXPECT_EQ(Calls(recorder), Strings{"glGetError()"});
    EXPECT_TRUE(FixedFunctionState::Read() == before);
}

TEST_F(RenderStateScope, AlphaBlendingRestoresWhatDiffers) {
    // The context's defaults: blending off, GL_ONE / GL_ZERO, GL_FUNC_ADD for both.
    const FixedFunctionState before = FixedFunctionState::Read();
    ASSERT_FALSE(before.blend);
    VEKTest::RecordingDecorator recorder;
    {
        TemporaryAlphaBlendScope scope;
        const FixedFunctionState inside = FixedFunctionState::Read();
        EXPECT_TRUE(inside.blend);
        EXPECT_EQ(inside.blendValues[3], GL_SRC_ALPHA);            // source colour
        EXPECT_EQ(inside.blendValues[1], GL_ONE_MINUS_SRC_ALPHA);  // destination colour
        recorder.clear();
    }
    const std::string one = Token(GL_ONE), zero = Token(GL_ZERO);
    EXPECT_EQ(Calls(recorder),
              (Strings{"glDisable(GL_BLEND)",
                       "glBlendFuncSeparate(" + one + ", " + zero + ", " + one + ", " + zero + ")",
                       "glGetError()"}));
    EXPECT_TRUE(FixedFunctionState::Read() == before);

    // Separate factors and equations come back in their own order: colour before alpha.
    gl_->cgmBlendFuncSeparate(__FILE__, __LINE__, GL_DST_COLOR, GL_ZERO, GL_ONE,
                              GL_ONE_MINUS_DST_ALPHA);
    gl_->cgmBlendEquationSeparate(__FILE__, __LINE__, GL_FUNC_SUBTRACT, GL_MAX);
    const FixedFunctionState separate = FixedFunctionState::Read();
    recorder.clear();
    { TemporaryAlphaBlendScope scope; }
    const Strings calls = Calls(recorder);
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(Strings(calls.end() - 4, calls.end()),
              (Strings{"glDisable(GL_BLEND)",
                       "glBlendFuncSeparate(GL_DST_COLOR, " + zero + ", " + one +
                           ", GL_ONE_MINUS_DST_ALPHA)",
                       "glBlendEquationSeparate(GL_FUNC_SUBTRACT, GL_MAX)", "glGetError()"}));
    EXPECT_TRUE(FixedFunctionState::Read() == separate);
}

TEST_F(RenderStateScope, AlphaBlendingRestoresEachValueThatAloneDiffers) {
    // Alpha blending in force but for one value a row: that value alone is put back.
    struct Blend {
        bool enabled;
        GLenum sourceRGB, destinationRGB, sourceAlpha, destinationAlpha;
        GLenum equationRGB, equationAlpha;
    };
    const Blend alpha = {true,         GL_SRC_ALPHA,           GL_ONE_MINUS_SRC_ALPHA,
                         GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_FUNC_ADD,
                         GL_FUNC_ADD};
    std::vector<Blend> rows(7, alpha);
    rows[0].enabled = false;
    rows[1].sourceRGB = GL_ONE;
    rows[2].destinationRGB = GL_ZERO;
    rows[3].sourceAlpha = GL_DST_ALPHA;
    rows[4].destinationAlpha = GL_ONE_MINUS_DST_COLOR;
    rows[5].equationRGB = GL_FUNC_SUBTRACT;
    rows[6].equationAlpha = GL_MAX;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        const Blend& b = rows[i];
        if (b.enabled) {
            gl_->cgmEnable(__FILE__, __LINE__, GL_BLEND);
        } else {
            gl_->cgmDisable(__FILE__, __LINE__, GL_BLEND);
        }
        gl_->cgmBlendFuncSeparate(__FILE__, __LINE__, b.sourceRGB, b.destinationRGB, b.sourceAlpha,
                                  b.destinationAlpha);
        gl_->cgmBlendEquationSeparate(__FILE__, __LINE__, b.equationRGB, b.equationAlpha);
        const FixedFunctionState before = FixedFunctionState::Read();
        VEKTest::RecordingDecorator recorder;
        {
            TemporaryAlphaBlendScope scope;
            recorder.clear();
        }
        std::string restoring;
        if (i == 0) {
            restoring = "glDisable(GL_BLEND)";
        } else if (i < 5) {
            restoring = "glBlendFuncSeparate(" + Token(b.sourceRGB) + ", " +
                        Token(b.destinationRGB) + ", " + Token(b.sourceAlpha) + ", " +
                        Token(b.destinationAlpha) + ")";
        } else {
            restoring = "glBlendEquationSeparate(" + Token(b.equationRGB) + ", " +
                        Token(b.equationAlpha) + ")";
        }
        EXPECT_EQ(Calls(recorder), (Strings{restoring, "glGetError()"}));
        EXPECT_TRUE(FixedFunctionState::Read() == before);
    }
}

TEST_F(RenderStateScope, PlainBlendScopeOnlyReadsAndDoesNotUndoTheBlock) {
    VEKTest::RecordingDecorator recorder;
    {
        TemporaryBlendScope scope;
        EXPECT_EQ(Calls(recorder), kBlendRead);
        gl_->cgmEnable(__FILE__, __LINE__, GL_BLEND);  // the block's own change
        recorder.clear();
    }
    // Its current state was never read again, so it finds nothing to put back.
    EXPECT_EQ(Calls(recorder), Strings{"glGetError()"});
    EXPECT_TRUE(FixedFunctionState::Read().blend);
}

TEST_F(RenderStateScope, BlendFailuresLeaveTheStateAsFound) {
    const FixedFunctionState before = FixedFunctionState::Read();
    VEKTest::RecordingDecorator recorder;
    auto throwOGL = [](char const* file, unsigned line) {
        throw ExceptionOGL(file, line, "injected", GL_INVALID_OPERATION);
    };

    // The constructor fails after blending was switched on: it is switched off again.
    recorder.failOn("glBlendEquation", throwOGL);
    EXPECT_THROW(TemporaryAlphaBlendScope(), ExceptionOGL);
    EXPECT_TRUE(FixedFunctionState::Read() == before);

    // Restoring fails at its first call: nothing leaves the destructor, the rest is restored.
    recorder.clear();
    {
        TemporaryAlphaBlendScope scope;
        recorder.clear();
        recorder.failOn("glDisable", throwOGL);
    }
    EXPECT_EQ(recorder.entryPoints(), (Strings{"glDisable", "glBlendFuncSeparate", "glGetError"}));
    FixedFunctionState after = FixedFunctionState::Read();
    EXPECT_TRUE(after.blend);  // the one call that failed
    after.blend = before.blend;
    EXPECT_TRUE(after == before);
    glDisable(GL_BLEND);

    // An error found after the read-back: the check's own message, and nothing to restore.
    struct ErrorAfterTheReadBack : VEKTest::RecordingDecorator {
        GLenum cgmGetError(char const* file, unsigned line) override {
            RecordingDecorator::cgmGetError(file, line);
            return GL_INVALID_VALUE;
        }
    };
    {
        ErrorAfterTheReadBack erring;
        EXPECT_EQ(VEKTest::InternalMessageOf([] { TemporaryBlendScope scope; }),
                  "glGetError() == GL_NO_ERROR");
        EXPECT_EQ(VEKTest::InternalMessageOf([] { TemporaryAlphaBlendScope scope; }),
                  "glGetError() == GL_NO_ERROR");
    }
    EXPECT_TRUE(FixedFunctionState::Read() == before);

    // A scope that outlives the current context cannot reach its table; it goes quietly.
    {
        TemporaryAlphaBlendScope scope;
        ReleaseOGLContext();
    }
    context_.makeCurrent();
}

TEST_F(RenderStateScope, LineStippleCallsOnlyWhereTheRequestDiffers) {
    const FixedFunctionState before = FixedFunctionState::Read();
    ASSERT_FALSE(before.stipple);
    VEKTest::RecordingDecorator recorder;

    // Off, asked off with another factor, pattern or both: no call now, glDisable at the end;
    // asked off with the saved ones (0, 0): no call at all.
    const struct {
        GLint factor;
        GLushort pattern;
        bool restores;
    } offRequests[] = {{3, 0xF0F0, true}, {3, 0, true}, {0, 0xF0F0, true}, {0, 0, false}};
    for (const auto& request : offRequests) {
        SCOPED_TRACE(request.factor);
        SCOPED_TRACE(request.pattern);
        recorder.clear();
        {
            TemporaryLineStippleScope scope(GL_FALSE, request.factor, request.pattern);
            EXPECT_EQ(Calls(recorder), Strings{"glGetBooleanv(GL_LINE_STIPPLE, p)"});
            recorder.clear();
        }
        EXPECT_EQ(Calls(recorder),
                  request.restores ? Strings{"glDisable(GL_LINE_STIPPLE)"} : Strings{});
    }

    // Off, asked on: enabled with the pattern, disabled again.
    recorder.clear();
    {
        TemporaryLineStippleScope scope(GL_TRUE, 2, 0x00FF);
        EXPECT_EQ(Calls(recorder), (Strings{"glGetBooleanv(GL_LINE_STIPPLE, p)",
                                            "glEnable(GL_LINE_STIPPLE)", "glLineStipple(2, 255)"}));
        const FixedFunctionState inside = FixedFunctionState::Read();
        EXPECT_TRUE(inside.stipple);
        EXPECT_EQ(inside.stippleRepeat, 2);
        EXPECT_EQ(inside.stipplePattern, 0x00FF);
        recorder.clear();
    }
    EXPECT_EQ(Calls(recorder), Strings{"glDisable(GL_LINE_STIPPLE)"});
    EXPECT_TRUE(FixedFunctionState::Read() == before);

    // On with 3 / 0xAAAA: the same request makes no call; another one is undone with the
    // saved factor and pattern; a request for off is undone too.
    gl_->cgmEnable(__FILE__, __LINE__, GL_LINE_STIPPLE);
    gl_->cgmLineStipple(__FILE__, __LINE__, 3, 0xAAAA);
    const FixedFunctionState on = FixedFunctionState::Read();
    const Strings read = {"glGetBooleanv(GL_LINE_STIPPLE, p)",
                          "glGetIntegerv(GL_LINE_STIPPLE_REPEAT, p)",
                          "glGetIntegerv(GL_LINE_STIPPLE_PATTERN, p)"};
    recorder.clear();
    { TemporaryLineStippleScope scope(GL_TRUE, 3, 0xAAAA); }
    EXPECT_EQ(Calls(recorder), read);

    // Factor and pattern together, then each alone.
    const struct {
        GLint factor;
        GLushort pattern;
        const char* set;
    } requests[] = {{1, 0xFFFF, "glLineStipple(1, 65535)"},
                    {1, 0xAAAA, "glLineStipple(1, 43690)"},
                    {3, 0xFFFF, "glLineStipple(3, 65535)"}};
    for (const auto& request : requests) {
        SCOPED_TRACE(request.set);
        recorder.clear();
        {
            TemporaryLineStippleScope scope(GL_TRUE, request.factor, request.pattern);
            EXPECT_EQ(Calls(recorder), Concat(read, {"glEnable(GL_LINE_STIPPLE)", request.set}));
            recorder.clear();
        }
        EXPECT_EQ(Calls(recorder),
                  (Strings{"glEnable(GL_LINE_STIPPLE)", "glLineStipple(3, 43690)"}));
        EXPECT_TRUE(FixedFunctionState::Read() == on);
    }

    recorder.clear();
    {
        TemporaryLineStippleScope scope(GL_FALSE, 0, 0);
        EXPECT_EQ(Calls(recorder), Concat(read, {"glDisable(GL_LINE_STIPPLE)"}));
        EXPECT_FALSE(FixedFunctionState::Read().stipple);
        recorder.clear();
    }
    EXPECT_EQ(Calls(recorder), (Strings{"glEnable(GL_LINE_STIPPLE)", "glLineStipple(3, 43690)"}));
    EXPECT_TRUE(FixedFunctionState::Read() == on);
}

TEST_F(RenderStateScope, LineStippleFailuresLeaveTheStateAsFound) {
    const FixedFunctionState before = FixedFunctionState::Read();
    VEKTest::RecordingDecorator recorder;
    // glLineStipple fails after glEnable: the constructor disables stippling before it throws.
    recorder.failOn("glLineStipple", [](char const* file, unsigned line) {
        throw ExceptionOGL(file, line, "injected", GL_INVALID_OPERATION);
    });
    EXPECT_THROW(TemporaryLineStippleScope(GL_TRUE, 2, 0x0F0F), ExceptionOGL);
    EXPECT_EQ(recorder.entryPoints(),
              (Strings{"glGetBooleanv", "glEnable", "glLineStipple", "glDisable"}));
    EXPECT_TRUE(FixedFunctionState::Read() == before);

    // Restoring fails at glEnable: glLineStipple is still made, and nothing leaves the destructor.
    gl_->cgmEnable(__FILE__, __LINE__, GL_LINE_STIPPLE);
    gl_->cgmLineStipple(__FILE__, __LINE__, 3, 0xAAAA);
    recorder.clear();
    {
        TemporaryLineStippleScope scope(GL_TRUE, 1, 0xFFFF);
        recorder.clear();
        recorder.failOn("glEnable", [](char const* file, unsigned line) {
            throw ExceptionOGL(file, line, "injected", GL_INVALID_OPERATION);
        });
    }
    EXPECT_EQ(recorder.entryPoints(), (Strings{"glEnable", "glLineStipple"}));
    const FixedFunctionState after = FixedFunctionState::Read();
    EXPECT_EQ(after.stippleRepeat, 3);
    EXPECT_EQ(after.stipplePattern, 0xAAAA);
    gl_->cgmDisable(__FILE__, __LINE__, GL_LINE_STIPPLE);
}

TEST_F(RenderStateScope, LineWidth) {
    const FixedFunctionState before = FixedFunctionState::Read();
    VEKTest::RecordingDecorator recorder;
    // The current width: nothing but the read.
    { TemporaryLineWidthScope scope(before.lineWidth); }
    EXPECT_EQ(Calls(recorder), Strings{"glGetFloatv(GL_LINE_WIDTH, p)"});

    recorder.clear();
    {
        TemporaryLineWidthScope scope(before.lineWidth + 2.0f);
        EXPECT_EQ(recorder.entryPoints(), (Strings{"glGetFloatv", "glLineWidth"}));
        EXPECT_EQ(FixedFunctionState::Read().lineWidth, before.lineWidth + 2.0f);
        recorder.clear();
        {
            // Nested scopes put back in reverse order.
            TemporaryLineWidthScope inner(before.lineWidth + 4.0f);
            EXPECT_EQ(FixedFunctionState::Read().lineWidth, before.lineWidth + 4.0f);
        }
        EXPECT_EQ(FixedFunctionState::Read().lineWidth, before.lineWidth + 2.0f);
        recorder.clear();
    }
    EXPECT_EQ(recorder.entryPoints(), Strings{"glLineWidth"});
    EXPECT_TRUE(FixedFunctionState::Read() == before);

    // A width the driver refuses: its error, with nothing changed and nothing to restore.
    recorder.clear();
    try {
        TemporaryLineWidthScope scope(-1.0f);
        ADD_FAILURE() << "a negative width was accepted";
    } catch (const ExceptionOGL& e) {
        EXPECT_EQ(e.errorNumber(), unsigned(GL_INVALID_VALUE));
    }
    EXPECT_EQ(recorder.entryPoints(), (Strings{"glGetFloatv", "glLineWidth"}));
    EXPECT_TRUE(FixedFunctionState::Read() == before);
}
