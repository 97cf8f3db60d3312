// A host's overlay: three widgets (a filled square, a dashed outline and a wide line) whose
// fades are queued on a scene and played over two seconds of scene time. Every frame in which the
// scene changed is drawn off-screen into a texture and written as frame_NNN.png; the pixels of
// each frame are checked against the widgets' fades.
#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/ExceptionBase.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>
#include <vek/vek_ogl/ogl/Framebuffer.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/TextureState.h>
#include <vek/vek_ogl/ogl/TextureUnit.h>
#include <vek/vek_ogl/ogl/VertexBufferOGL.h>
#include <vek/widgets/SceneRenderer.h>
#include <vek/widgets/WidgetScene.h>

namespace OGL = VEK::OGL;
namespace WIDGETS = VEK::WIDGETS;
using VEK::float2;
using VEK::float4;

namespace {

const int kSize = 128;
int gFailures = 0;

void Check(bool ok, const std::string& what) {
    if (!ok) {
        std::printf("FAIL: %s\n", what.c_str());
        ++gFailures;
    }
}

// One widget's shape: 2-D vertices for the renderer's program.
struct Shape {
    Shape(const std::vector<float>& xy, unsigned primitive, OGL::Program* program)
        : vertices({OGL::VertexBuffer::Field(WIDGETS::SceneRenderer::kPositionAttribute,
                                             OGL::VertexBuffer::AttributeType(2),
                                             OGL::VertexBuffer::ExpectedUsage(GL_STATIC_DRAW))},
                   static_cast<unsigned>(xy.size() / 2),
                   OGL::VertexBuffer::PrimitiveType(primitive)) {
        vertices.setField(0, reinterpret_cast<const unsigned char*>(xy.data()), 0);
        vertices.setupWithProgram(program);
        vertices.marshallData();
    }
    OGL::VertexBuffer vertices;
};

// The frame, read back bottom row first.
std::vector<unsigned char> ReadFrame(OGL::Texture2D& target) {
    std::vector<unsigned char> pixels(kSize * kSize * 4);
    OGL::TextureState::SetActiveTextureUnit(0);
    OGL::TextureUnit::Unit(0)->bind(&target);
    target.getPixelData(pixels.data(), 0, OGL::Texture::kFormatRGBA,
                        OGL::Texture::kTypeUnsignedByte, 4);
    OGL::TextureUnit::Unit(0)->bind2DDefault();
    return pixels;
}

void WritePng(const std::string& path, const std::vector<unsigned char>& pixels) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kSize;
    image.height = kSize;
    image.format = PNG_FORMAT_RGBA;
    // A negative row stride: the rows come bottom first, as OpenGL reads them.
    if (!png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), -kSize * 4, nullptr)) {
        Check(false, "writing " + path + ": " + image.message);
    }
}

const unsigned char* Pixel(const std::vector<unsigned char>& pixels, float x, float y) {
    // Clip-space position to the pixel that holds it.
    const int px = static_cast<int>((x + 1.f) * 0.5f * kSize);
    const int py = static_cast<int>((y + 1.f) * 0.5f * kSize);
    return pixels.data() + (py * kSize + px) * 4;
}

// Over a black background with alpha blending, each channel is colour x alpha x fade.
void CheckBrightness(const unsigned char* pixel, const WIDGETS::Widget& w,
                     const std::string& what) {
    for (int c = 0; c < 3; ++c) {
        const float expected = 255.f * w.color()[c] * w.color()[3] * w.fade();
        Check(std::fabs(pixel[c] - expected) <= 3.f,
              what + " channel " + std::to_string(c) + " is " + std::to_string(pixel[c]) +
                  ", fade " + std::to_string(w.fade()) + " wants " + std::to_string(expected));
    }
}

void Run() {
    OGL::DisplayDeviceKey display;
    if (!OGL::Context::DisplayDevice(0, display)) {
        Check(false, "a display (is an X server running?)");
        return;
    }
    OGL::ContextOffscreen context(display);
    context.makeCurrent();
    {
        WIDGETS::SceneRenderer renderer;
        OGL::Program* program = renderer.program();
        Shape square({-1.f, -1.f, 1.f, -1.f, -1.f, 1.f, 1.f, 1.f}, GL_TRIANGLE_STRIP, program);
        Shape outline({-1.f, -1.f, 1.f, -1.f, 1.f, 1.f, -1.f, 1.f}, GL_LINE_LOOP, program);
        Shape line({-1.f, 0.f, 1.f, 0.f}, GL_LINES, program);

        // Placed in clip space: square and outline side by side at the top, the line below.
        WIDGETS::WidgetScene scene;
        auto filled = boost::shared_ptr<WIDGETS::Widget>(new WIDGETS::Widget(
            &square.vertices, program, float4(1.f, 0.5f, 0.f, 1.f), 0.f,
            WIDGETS::Widget::DRAW_ALWAYS, float2(-0.45f, 0.35f), float2(0.3f, 0.3f), 0.f));
        auto dashed = boost::shared_ptr<WIDGETS::Widget>(new WIDGETS::Widget(
            &outline.vertices, program, float4(0.f, 1.f, 0.f, 1.f), 1.f,
            WIDGETS::Widget::DRAW_ALWAYS, float2(0.45f, 0.35f), float2(0.3f, 0.3f), 0.f));
        dashed->setAreLinesDashed(true);
        auto wide = boost::shared_ptr<WIDGETS::Widget>(new WIDGETS::Widget(
            &line.vertices, program, float4(0.2f, 0.6f, 1.f, 1.f), 0.f,
            WIDGETS::Widget::DRAW_ALWAYS, float2(0.f, -0.5f), float2(0.8f, 1.f), 0.f));
        wide->setUseWideLines(true);
        wide->setLineWidth(7.f);
        scene.addWidget(filled);
        scene.addWidget(dashed);
        scene.addWidget(wide);
        scene.widgetTimeline(0).push_back(WIDGETS::AnimationEvent(0.f, 1.f, 0.f, 1.f));
        scene.widgetTimeline(1).push_back(WIDGETS::AnimationEvent(1.f, 0.f, 0.5f, 1.5f));
        scene.widgetTimeline(2).push_back(WIDGETS::AnimationEvent(0.f, 1.f, 1.f, 1.8f));

        OGL::Texture2D target(OGL::Texture::kRGBA8, kSize, kSize, false, nullptr,
                              OGL::Texture::kTypeUnsignedByte);
        OGL::Framebuffer framebuffer;
        framebuffer.bind();
        framebuffer.attach(&target, 0, 0);
        Check(framebuffer.statusOkay(nullptr), "the frame's framebuffer is complete");
        glViewport(0, 0, kSize, kSize);

        int written = 0;
        for (int step = 0; step <= 20; ++step) {
            scene.updateWidgetsForTime(0.1f * static_cast<float>(step));
            if (!scene.isDirty()) {
                continue;
            }
            glClearColor(0.f, 0.f, 0.f, 1.f);
            glClear(GL_COLOR_BUFFER_BIT);
            renderer.draw(scene);
            framebuffer.unbind();
            const std::vector<unsigned char> pixels = ReadFrame(target);
            framebuffer.bind();

            char name[32];
            std::snprintf(name, sizeof name, "frame_%03d.png", step);
            WritePng(name, pixels);
            ++written;

            const std::string at = std::string(name) + ": ";
            CheckBrightness(Pixel(pixels, -0.45f, 0.35f), *filled, at + "square's centre");
            CheckBrightness(Pixel(pixels, 0.f, -0.5f), *wide, at + "line's centre");
            // Seven pixels wide: lit two rows above its centre too.
            CheckBrightness(Pixel(pixels, 0.f, -0.5f + 2.f * 2.f / kSize), *wide,
                            at + "line's second row up");
            // The outline's bottom edge: dashes are as bright as the fade says, with gaps.
            const float edgeY = 0.35f - 0.3f;
            int lit = 0, dark = 0, brightest = 0;
            for (float x = 0.2f; x < 0.7f; x += 2.f / kSize) {
                int best = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    best = std::max<int>(best, Pixel(pixels, x, edgeY + dy * 2.f / kSize)[1]);
                }
                (best > 8 ? lit : dark) += 1;
                brightest = std::max(brightest, best);
            }
            const float expected = 255.f * dashed->fade();
            Check(std::fabs(brightest - expected) <= 3.f,
                  at + "outline as bright as its fade: " + std::to_string(brightest));
            if (dashed->fade() > 0.1f) {
                Check(lit > 8 && dark > 8, at + "outline dashed: " + std::to_string(lit) +
                                               " lit, " + std::to_string(dark) + " dark");
            }
            std::printf("%s t=%.1f fades %.2f %.2f %.2f\n", name, 0.1 * step, filled->fade(),
                        dashed->fade(), wide->fade());
        }
        framebuffer.unbind();
        // The line's last change is at 1.8 s: the frames after it are not drawn again.
        Check(written == 19, "19 frames changed, written " + std::to_string(written));
    }
    OGL::ReleaseOGLContext();
}

}  // namespace

int main() {
    try {
        VEK::Core::AutoInitializer core;
        OGL::AutoInitializer ogl;
        Run();
    } catch (const VEK::ExceptionBase& e) {
        std::cerr << "VEK: " << e << "\n";
        ++gFailures;
    }
    if (gFailures == 0) {
        std::printf("ok: the fades show in every frame\n");
    }
    return gFailures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
