#include <array>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLTokenName.h>
#include <vek/vek_ogl/extensionator/OpenGLTracer.h>
#include <vek/vek_ogl/ogl/Context.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>
#include <vek/vek_ogl/ogl/Framebuffer.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/TextureUnit.h>

#include "Overlay.h"
#include "Png.h"
#include "Sections.h"
#include "ShadedDrawing.h"

namespace vekinfo {

namespace {

using VEK::OGL::ExtensionManager;
using VEK::OGL::OpenGLInterceptor;

// Reaches the primary-display query the context classes use.
struct DisplayQueries : VEK::OGL::Context {
    using Context::PrimaryDisplayDevice;
};

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

void PrintCapabilities(std::ostream& out, const ExtensionManager& m) {
    out << "  vendor class " << m.vendorString() << ", version " << m.majorVersion() << "."
        << m.minorVersion()
        << (m.hasReleaseVersion() ? "." + std::to_string(m.releaseVersion()) : "") << " "
        << m.additionalVersionInfo() << "\n";
    out << "  clamp to edge " << YesNo(m.supportsClampToEdge()) << ", 3D textures "
        << YesNo(m.supportsTexture3D()) << ", multitexture " << YesNo(m.supportsMultiTexture())
        << ", draw buffers " << YesNo(m.supportsDrawBuffers()) << "\n";
    out << "  float textures " << YesNo(m.supportsFloatingPointTextures()) << ", half floats "
        << YesNo(m.supports16BitFloat()) << ", non-power-of-two "
        << YesNo(m.supportsNonPowerOfTwoTextures()) << ", pixel buffers "
        << YesNo(m.supportsPixelBuffers()) << "\n";
    out << "  render to texture " << YesNo(m.supportsRenderToTexture()) << ", texture units "
        << m.numberOfTextureUnits() << "\n";
}

// Renders the probes' small tests on a context sharing with the current one.
void PrintFilteringProbes(std::ostream& out, ExtensionManager& m) {
    out << "  linear filtering of float textures " << YesNo(m.supportsFloatFiltering())
        << ", of half-float textures " << YesNo(m.supportsHalfFiltering()) << "\n";
}

// The frame: a texture attached to a framebuffer of the off-screen context, so that its size is
// the picture's and not the hidden window's. Bound while the frame lives.
class Frame {
public:
    explicit Frame(int size)
        : texture_(VEK::OGL::Texture::kRGBA8, static_cast<unsigned>(size),
                   static_cast<unsigned>(size), false, nullptr, VEK::OGL::Texture::kTypeDefault) {
        framebuffer_.bind();
        framebuffer_.attach(&texture_, 0, 0);
        unsigned status = 0;
        if (!framebuffer_.statusOkay(&status)) {
            framebuffer_.unbind();
            throw std::runtime_error(std::string("the frame's framebuffer is incomplete: ") +
                                     VEKOGLTokenName(status));
        }
    }
    ~Frame() {
        try {
            framebuffer_.unbind();
        } catch (...) {
            // Leaving: the framebuffer goes with the frame anyway.
        }
    }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    // Bottom row first.
    // Read back from the frame's texture, as a host that keeps its frames in textures would.
    std::vector<std::uint8_t> read() const {
        using VEK::OGL::Texture;
        const VEK::OGL::TextureUnit* unit = VEK::OGL::TextureUnit::Unit(0);
        unit->bind(&texture_);
        std::vector<std::uint8_t> pixels(
            texture_.pixelDataSize(0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte));
        texture_.getPixelData(pixels.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                              4);
        unit->bind2DDefault();
        return pixels;
    }

private:
    VEK::OGL::Texture2D texture_;
    VEK::OGL::Framebuffer framebuffer_;
};

// Within rounding of the colour expected.
bool Near(const std::uint8_t* pixel, const std::array<std::uint8_t, 3>& expected) {
    for (int c = 0; c < 3; ++c) {
        if (std::abs(int(pixel[c]) - int(expected[c])) > 3) {
            return false;
        }
    }
    return true;
}

}  // namespace

// A clear, a shaded triangle over the whole frame and an overlay; checked and written as a PNG.
bool Draw(std::ostream& out, int size, const std::string& pngPath) {
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    Frame frame(size);
    gl->cgmViewport(__FILE__, __LINE__, 0, 0, size, size);
    gl->cgmClearColor(__FILE__, __LINE__, 0.f, 0.f, 0.25f, 1.f);
    gl->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
    DrawShadedTriangle();
    DrawOverlay();
    const std::vector<std::uint8_t> pixels = frame.read();
    // Picture coordinates, top row first; the pixels are bottom row first.
    const auto at = [&](int x, int y) {
        return pixels.data() + (static_cast<std::size_t>(size - 1 - y) * size + x) * 4;
    };
    const std::uint8_t* centre = at(size / 2, size / 2);
    out << "  drawing: centre pixel (" << int(centre[0]) << ", " << int(centre[1]) << ", "
        << int(centre[2]) << ", " << int(centre[3]) << ") "
        << (Near(centre, kShadedCentre) ? "as drawn" : "NOT as drawn") << "\n";
    const bool overlay = Near(at(kWhiteTexelX, kWhiteTexelY), {255, 255, 255}) &&
                         Near(at(kBlackTexelX, kBlackTexelY), {0, 0, 0}) &&
                         Near(at(kWidgetX, kWidgetY), kWidgetOverBackground);
    out << "  overlay: checkered texture and widgets at their fades "
        << (overlay ? "as drawn" : "NOT as drawn") << "\n";
    const bool asDrawn = Near(centre, kShadedCentre) && overlay;
    if (CanWritePng()) {
        WritePng(pngPath, size, size, pixels);
        out << "  frame written to " << pngPath << " (" << size << "x" << size << ")\n";
    } else {
        out << "  frame not written: this build has no PNG writer\n";
    }
    return asDrawn;
}

void PrintOpenGL(std::ostream& out, const Options& options) {
    out << "OpenGL layer\n";
    const unsigned displays = VEK::OGL::Context::NumDisplayDevice();
    for (unsigned i = 0; i < displays; ++i) {
        VEK::OGL::DisplayDeviceKey key;
        if (VEK::OGL::Context::DisplayDevice(i, key)) {
            out << "  display " << i << ": " << key << "\n";
        }
    }
    out << "  primary display: " << DisplayQueries::PrimaryDisplayDevice() << "\n";

    VEK::Core::AutoInitializer core;
    VEK::OGL::AutoInitializer ogl;
    const int size = 256;
    VEK::OGL::ContextOffscreen context(DisplayQueries::PrimaryDisplayDevice());
    out << "  off-screen context on " << context.displayDeviceKey() << "\n";
    context.makeCurrent();
    // Leaves the thread without a context however the drawing ends.
    struct Release {
        ~Release() { VEK::OGL::ReleaseOGLContext(); }
    } release;
    ExtensionManager* manager = ExtensionManager::Instance();
    std::ostringstream dump;
    dump << *manager;
    std::istringstream lines(dump.str());
    for (std::string line; std::getline(lines, line);) {
        out << "  " << line << "\n";
    }
    PrintCapabilities(out, *manager);
    PrintFilteringProbes(out, *manager);

    if (options.trace) {
        std::ostringstream trace;
        VEK::OGL::OpenGLTracer tracer(trace);
        manager->addInterceptor(&tracer);
        try {
            Draw(out, size, options.pngPath);
        } catch (...) {
            manager->popInterceptor();
            out << trace.str();
            throw;
        }
        manager->popInterceptor();
        out << "  trace of the drawing:\n";
        std::istringstream traced(trace.str());
        for (std::string line; std::getline(traced, line);) {
            out << "    " << line << "\n";
        }
    } else {
        Draw(out, size, options.pngPath);
    }
}

}  // namespace vekinfo
