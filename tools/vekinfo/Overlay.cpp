#include "Overlay.h"

#include <vek/vek_ogl/ogl/PixelUnpackParameters.h>
#include <vek/vek_ogl/ogl/ProgramOGL.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/TextureState.h>
#include <vek/vek_ogl/ogl/TextureUnit.h>
#include <vek/vek_ogl/ogl/VertexBufferOGL.h>
#include <vek/widgets/SceneRenderer.h>

namespace vekinfo {

namespace {

using VEK::OGL::Program;
using VEK::OGL::Texture;
using VEK::OGL::VertexBuffer;

// The unit square, placed by a vec4 (left, bottom, width, height) in clip space.
const char* const kTexturedVertex =
    "#version 130\n"
    "in vec2 corner;\n"
    "uniform vec4 placement;\n"
    "out vec2 uv;\n"
    "void main() {\n"
    "    uv = corner;\n"
    "    gl_Position = vec4(placement.xy + corner * placement.zw, 0.0, 1.0);\n"
    "}\n";
const char* const kTexturedFragment =
    "#version 130\n"
    "uniform sampler2D image;\n"
    "in vec2 uv;\n"
    "out vec4 fragment;\n"
    "void main() { fragment = texture(image, uv); }\n";

// A 4x4 checker, white in the top-left texel as seen in the picture.
void DrawCheckerTexture() {
    Program program;
    const char* vertex[] = {kTexturedVertex};
    const char* fragment[] = {kTexturedFragment};
    program.loadVertexShader(1, vertex, nullptr);
    program.loadFragmentShader(1, fragment, nullptr);
    program.setAttributeLocation(0, "corner");
    program.link(true);

    std::uint8_t texels[4 * 4 * 4];
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            // Row 0 is the bottom row: the top-left texel is (0, 3).
            const std::uint8_t v = ((x + y) % 2 == 1) ? 255 : 0;
            std::uint8_t* t = texels + (y * 4 + x) * 4;
            t[0] = t[1] = t[2] = v;
            t[3] = 255;
        }
    }
    VEK::OGL::Texture2D checker(Texture::kRGBA8, 4, 4, false, nullptr, Texture::kTypeDefault);
    VEK::OGL::TextureState::SetActiveTextureUnit(0);
    const VEK::OGL::TextureUnit* unit = VEK::OGL::TextureUnit::Unit(0);
    unit->bind(&checker);
    checker.subImage(0, 0, 0, 4, 4, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, texels,
                     VEK::OGL::PixelUnpackParameters());
    checker.setFilter(Texture::kFilterNearest, Texture::kFilterNearest);

    const float corners[] = {0.f, 0.f, 1.f, 0.f, 0.f, 1.f, 1.f, 1.f};
    VertexBuffer square(
        {VertexBuffer::Field("corner", VertexBuffer::kFloat2, VertexBuffer::kStaticDraw)}, 4,
        VertexBuffer::kTriangleStrip);
    square.setField("corner", reinterpret_cast<const unsigned char*>(corners), sizeof(corners),
                    false, 0);
    square.setupWithProgram(&program);
    square.marshallData();

    program.enable();
    // Left 0.9, top 0.9 in clip space: 12.8 pixels in from the picture's top-left corner.
    program.setUniform("placement", -0.9f, 0.5f, 0.4f, 0.4f);
    program.setUniformSampler2D("image", 0);
    square.drawPrimitives(4);
    program.disable();
    unit->bind2DDefault();
}

}  // namespace

void DrawOverlay() {
    DrawCheckerTexture();

    using VEK::WIDGETS::Widget;
    VEK::WIDGETS::SceneRenderer renderer;
    Program* program = renderer.program();
    const float squareCorners[] = {-1.f, -1.f, 1.f, -1.f, -1.f, 1.f, 1.f, 1.f};
    const float outlineCorners[] = {-1.f, -1.f, 1.f, -1.f, 1.f, 1.f, -1.f, 1.f};
    VertexBuffer square({VertexBuffer::Field(VEK::WIDGETS::SceneRenderer::kPositionAttribute,
                                             VertexBuffer::kFloat2, VertexBuffer::kStaticDraw)},
                        4, VertexBuffer::kTriangleStrip);
    square.setField(0, reinterpret_cast<const unsigned char*>(squareCorners), 0);
    square.setupWithProgram(program);
    square.marshallData();
    VertexBuffer outline({VertexBuffer::Field(VEK::WIDGETS::SceneRenderer::kPositionAttribute,
                                              VertexBuffer::kFloat2, VertexBuffer::kStaticDraw)},
                         4, VertexBuffer::kLineLoop);
    outline.setField(0, reinterpret_cast<const unsigned char*>(outlineCorners), 0);
    outline.setupWithProgram(program);
    outline.marshallData();

    VEK::WIDGETS::WidgetScene scene;
    boost::shared_ptr<Widget> frame(new Widget(&outline, program, VEK::float4(1.f, 1.f, 0.f, 1.f),
                                               1.f, Widget::DRAW_ALWAYS, VEK::float2(-0.7f, 0.7f),
                                               VEK::float2(0.24f, 0.24f), 0.f));
    frame->setAreLinesDashed(true);
    boost::shared_ptr<Widget> badge(new Widget(&square, program, VEK::float4(1.f, 1.f, 1.f, 1.f),
                                               0.5f, Widget::DRAW_ALWAYS, VEK::float2(0.7f, 0.7f),
                                               VEK::float2(0.2f, 0.2f), 0.f));
    scene.addWidget(frame);
    scene.addWidget(badge);
    renderer.draw(scene);
}

}  // namespace vekinfo
