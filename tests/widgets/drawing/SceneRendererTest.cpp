// The scene renderer on a compatibility context: widgets drawn at their fade, placed and blended,
// the render state as it was afterwards, and the dirty flag cleared.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/ogl/VertexBufferOGL.h>
#include <vek/widgets/SceneRenderer.h>

#include "support/GLLayer.h"

using namespace VEK::OGL;
using VEK::float2;
using VEK::float4;
using VEK::WIDGETS::SceneRenderer;
using VEK::WIDGETS::Widget;
using VEK::WIDGETS::WidgetScene;

namespace {

// A unit square (-1 to 1) as a triangle strip, for the renderer's program.
struct Square {
    explicit Square(Program* program)
        : vertices({VertexBuffer::Field(SceneRenderer::kPositionAttribute,
                                        VertexBuffer::AttributeType(2),
                                        VertexBuffer::ExpectedUsage(GL_STATIC_DRAW))},
                   4, VertexBuffer::PrimitiveType(GL_TRIANGLE_STRIP)) {
        const float xy[8] = {-1.f, -1.f, 1.f, -1.f, -1.f, 1.f, 1.f, 1.f};
        vertices.setField(0, reinterpret_cast<const unsigned char*>(xy), 0);
        vertices.setupWithProgram(program);
        vertices.marshallData();
    }
    VertexBuffer vertices;
};

std::vector<unsigned char> Pixel(int x, int y) {
    std::vector<unsigned char> rgba(4);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

boost::shared_ptr<Widget> MakeWidget(VertexBuffer* vertices, Program* program, float4 color,
                                     float fade, float2 origin, float2 scale) {
    return boost::shared_ptr<Widget>(
        new Widget(vertices, program, color, fade, Widget::DRAW_ALWAYS, origin, scale, 0.f));
}

}  // namespace

TEST(SceneRenderer, DrawsEachWidgetAtItsFadeAndPutsTheStateBack) {
    VEKTest::GLLayer gl(false);
    SceneRenderer renderer;
    Square square(renderer.program());

    // Left quarter: red at half fade. Right quarter: green, faded out, so not drawn. A widget
    // without vertices is skipped.
    WidgetScene scene;
    scene.addWidget(MakeWidget(&square.vertices, renderer.program(), float4(1.f, 0.f, 0.f, 1.f),
                               0.5f, float2(-0.5f, 0.f), float2(0.25f, 0.25f)));
    scene.addWidget(MakeWidget(&square.vertices, renderer.program(), float4(0.f, 1.f, 0.f, 1.f),
                               0.f, float2(0.5f, 0.f), float2(0.25f, 0.25f)));
    scene.addWidget(MakeWidget(nullptr, renderer.program(), float4(1.f, 1.f, 1.f, 1.f), 1.f,
                               float2(0.f, 0.f), float2(1.f, 1.f)));
    ASSERT_TRUE(scene.isDirty());

    glViewport(0, 0, 64, 64);
    glClearColor(0.f, 0.f, 0.f, 0.f);
    glClear(GL_COLOR_BUFFER_BIT);
    glLineWidth(3.f);
    glBlendFunc(GL_ONE, GL_ZERO);
    renderer.draw(scene);
    EXPECT_FALSE(scene.isDirty());

    // Over black, a half-faded opaque red gives half red; outside the widget nothing.
    const std::vector<unsigned char> red = Pixel(16, 32);
    EXPECT_NEAR(128, red[0], 2);
    EXPECT_EQ(0, red[1]);
    EXPECT_EQ(0, Pixel(48, 32)[1]);
    EXPECT_EQ(0, Pixel(32, 32)[0]);
    EXPECT_EQ(0, Pixel(16, 50)[0]);

    GLboolean blend = GL_TRUE, stipple = GL_TRUE;
    glGetBooleanv(GL_BLEND, &blend);
    glGetBooleanv(GL_LINE_STIPPLE, &stipple);
    GLint source = 0, program = -1;
    glGetIntegerv(GL_BLEND_SRC_RGB, &source);
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    GLfloat width = 0.f;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(GL_FALSE, blend);
    EXPECT_EQ(GL_FALSE, stipple);
    EXPECT_EQ(GL_ONE, source);
    EXPECT_EQ(3.f, width);
    EXPECT_EQ(0, program);  // the host had none
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

// What the host had before a draw, changed one piece at a time by the renderer's widgets.
struct HostState {
    GLint program = -1, vertexArray = -1, factor = 0, pattern = 0;
    GLboolean stipple = GL_TRUE, blend = GL_TRUE;
    GLfloat width = 0.f;

    static HostState Current() {
        HostState s;
        glGetIntegerv(GL_CURRENT_PROGRAM, &s.program);
        glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &s.vertexArray);
        glGetIntegerv(GL_LINE_STIPPLE_REPEAT, &s.factor);
        glGetIntegerv(GL_LINE_STIPPLE_PATTERN, &s.pattern);
        glGetBooleanv(GL_LINE_STIPPLE, &s.stipple);
        glGetBooleanv(GL_BLEND, &s.blend);
        glGetFloatv(GL_LINE_WIDTH, &s.width);
        return s;
    }
    void expectEqual(const HostState& o, const char* what) const {
        EXPECT_EQ(program, o.program) << what;
        EXPECT_EQ(vertexArray, o.vertexArray) << what;
        EXPECT_EQ(factor, o.factor) << what;
        EXPECT_EQ(pattern, o.pattern) << what;
        EXPECT_EQ(stipple, o.stipple) << what;
        EXPECT_EQ(blend, o.blend) << what;
        EXPECT_EQ(width, o.width) << what;
    }
};

TEST(SceneRenderer, HostProgramArraysAndStippleSurviveEveryDrawAndFailure) {
    VEKTest::GLLayer gl(false);
    SceneRenderer renderer;
    Square square(renderer.program());
    SceneRenderer hostRenderer;  // its program is the host's own
    hostRenderer.program()->enable();
    GLuint hostArray = 0;
    VEKTest::RawGL().glGenVertexArrays(1, &hostArray);
    VEKTest::RawGL().glBindVertexArray(hostArray);
    glLineStipple(3, 0xABCD);
    glDisable(GL_LINE_STIPPLE);
    glLineWidth(2.f);
    const HostState before = HostState::Current();
    ASSERT_NE(0, before.program);
    ASSERT_NE(0, before.vertexArray);

    // One widget, each time with one more thing asked of it.
    struct Row {
        const char* what;
        bool dashed, wide;
        float lineWidth;
        bool fails;
    } rows[] = {{"plain", false, false, 1.f, false},
                {"dashed", true, false, 1.f, false},
                {"wide", false, true, 4.f, false},
                {"failing width", false, true, -1.f, true},
                {"dashed then failing width", true, true, -1.f, true}};
    for (const Row& row : rows) {
        WidgetScene scene;
        const boost::shared_ptr<Widget> w =
            MakeWidget(&square.vertices, renderer.program(), float4(1.f, 0.f, 0.f, 1.f), 1.f,
                       float2(0.f, 0.f), float2(0.5f, 0.5f));
        w->setAreLinesDashed(row.dashed);
        w->setUseWideLines(row.wide);
        w->setLineWidth(row.lineWidth);
        scene.addWidget(w);
        if (row.fails) {
            // A negative width is the driver's GL_INVALID_VALUE, after the program and the
            // stippling were changed.
            EXPECT_THROW(renderer.draw(scene), ExceptionOGL) << row.what;
            EXPECT_TRUE(scene.isDirty()) << row.what;
        } else {
            renderer.draw(scene);
            EXPECT_FALSE(scene.isDirty()) << row.what;
        }
        HostState::Current().expectEqual(before, row.what);
        EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError()) << row.what;
    }
    hostRenderer.program()->disable();
    VEKTest::RawGL().glBindVertexArray(0);
    VEKTest::RawGL().glDeleteVertexArrays(1, &hostArray);
}

TEST(SceneRenderer, PlacementScalesThenRotatesThenMoves) {
    Widget w(nullptr, nullptr, float4(1.f, 1.f, 1.f, 1.f), 1.f, Widget::DRAW_ALWAYS,
             float2(0.25f, -0.5f), float2(2.f, 3.f), static_cast<float>(M_PI / 2));
    const VEK::float4x4 m = SceneRenderer::Placement(w);
    // (1, 1): scaled to (2, 3), rotated a quarter turn to (-3, 2), moved to (-2.75, 1.5).
    const float x = m(0, 0) * 1.f + m(1, 0) * 1.f + m(3, 0);
    const float y = m(0, 1) * 1.f + m(1, 1) * 1.f + m(3, 1);
    EXPECT_NEAR(-2.75f, x, 1e-6f);
    EXPECT_NEAR(1.5f, y, 1e-6f);
    EXPECT_EQ(1.f, m(3, 3));
    EXPECT_EQ(0.f, m(0, 3));
}
