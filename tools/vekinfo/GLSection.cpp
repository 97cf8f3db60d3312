#include <cstdint>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLTracer.h>
#include <vek/vek_ogl/ogl/Context.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>

#include "Png.h"
#include "Sections.h"

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

// The frame: a framebuffer object of the off-screen context, so that its size is the picture's
// and not the hidden window's.
class Frame {
public:
    explicit Frame(int size) : gl_(OpenGLInterceptor::Instance()), size_(size) {
        gl_->cgmGenFramebuffers(__FILE__, __LINE__, 1, &framebuffer_);
        gl_->cgmGenRenderbuffers(__FILE__, __LINE__, 1, &colour_);
        gl_->cgmBindRenderbuffer(__FILE__, __LINE__, GL_RENDERBUFFER, colour_);
        gl_->cgmRenderbufferStorage(__FILE__, __LINE__, GL_RENDERBUFFER, GL_RGBA8, size, size);
        gl_->cgmBindFramebuffer(__FILE__, __LINE__, GL_FRAMEBUFFER, framebuffer_);
        gl_->cgmFramebufferRenderbuffer(__FILE__, __LINE__, GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
                                        GL_RENDERBUFFER, colour_);
        if (gl_->cgmCheckFramebufferStatus(__FILE__, __LINE__, GL_FRAMEBUFFER) !=
            GL_FRAMEBUFFER_COMPLETE) {
            release();
            throw std::runtime_error("the frame's framebuffer is incomplete");
        }
    }
    ~Frame() { release(); }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    // Bottom row first.
    std::vector<std::uint8_t> read() const {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size_) * size_ * 4);
        gl_->cgmReadPixels(__FILE__, __LINE__, 0, 0, size_, size_, GL_RGBA, GL_UNSIGNED_BYTE,
                           pixels.data());
        return pixels;
    }

private:
    void release() {
        gl_->cgmBindFramebuffer(__FILE__, __LINE__, GL_FRAMEBUFFER, 0);
        gl_->cgmDeleteFramebuffers(__FILE__, __LINE__, 1, &framebuffer_);
        gl_->cgmDeleteRenderbuffers(__FILE__, __LINE__, 1, &colour_);
    }

    OpenGLInterceptor* gl_;
    int size_;
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
};

}  // namespace

// A clear and a red triangle over the whole frame; checked at the centre and written as a PNG.
bool Draw(std::ostream& out, int size, const std::string& pngPath) {
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    Frame frame(size);
    gl->cgmViewport(__FILE__, __LINE__, 0, 0, size, size);
    gl->cgmClearColor(__FILE__, __LINE__, 0.f, 0.f, 0.25f, 1.f);
    gl->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
    gl->cgmColor3f(__FILE__, __LINE__, 1.f, 0.f, 0.f);
    gl->cgmBegin(__FILE__, __LINE__, GL_TRIANGLES);
    gl->cgmVertex2f(__FILE__, __LINE__, -1.f, -1.f);
    gl->cgmVertex2f(__FILE__, __LINE__, 1.f, -1.f);
    gl->cgmVertex2f(__FILE__, __LINE__, 0.f, 1.f);
    gl->cgmEnd(__FILE__, __LINE__);
    const std::vector<std::uint8_t> pixels = frame.read();
    const std::uint8_t* centre =
        pixels.data() + (static_cast<std::size_t>(size / 2) * size + size / 2) * 4;
    const bool asDrawn = centre[0] == 255 && centre[1] == 0 && centre[2] == 0;
    out << "  drawing: centre pixel (" << int(centre[0]) << ", " << int(centre[1]) << ", "
        << int(centre[2]) << ", " << int(centre[3]) << ") "
        << (asDrawn ? "as drawn" : "NOT as drawn") << "\n";
    WritePng(pngPath, size, size, pixels);
    out << "  frame written to " << pngPath << " (" << size << "x" << size << ")\n";
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
