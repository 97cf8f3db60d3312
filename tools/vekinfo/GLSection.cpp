#include <array>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLTokenName.h>
#include <vek/vek_ogl/extensionator/OpenGLTracer.h>
#include <vek/vek_ogl/ogl/Context.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>
#include <vek/vek_ogl/ogl/Framebuffer.h>
#include <vek/vek_ogl/ogl/Object.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/TextureUnit.h>

#include "JsonWriter.h"
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

// The extension manager's capability answers, in the order the report prints them.
struct Capability {
    const char* key;    // the --json member
    const char* label;  // the text report's words
    bool (ExtensionManager::*answer)() const;
};
const Capability kCapabilities[] = {
    {"clampToEdge", "clamp to edge", &ExtensionManager::supportsClampToEdge},
    {"texture3D", "3D textures", &ExtensionManager::supportsTexture3D},
    {"multiTexture", "multitexture", &ExtensionManager::supportsMultiTexture},
    {"drawBuffers", "draw buffers", &ExtensionManager::supportsDrawBuffers},
    {"floatTextures", "float textures", &ExtensionManager::supportsFloatingPointTextures},
    {"halfFloat", "half floats", &ExtensionManager::supports16BitFloat},
    {"nonPowerOfTwoTextures", "non-power-of-two", &ExtensionManager::supportsNonPowerOfTwoTextures},
    {"pixelBuffers", "pixel buffers", &ExtensionManager::supportsPixelBuffers},
    {"renderToTexture", "render to texture", &ExtensionManager::supportsRenderToTexture},
};

void PrintCapabilities(std::ostream& out, const ExtensionManager& m) {
    out << "  vendor class " << m.vendorString() << ", version " << m.majorVersion() << "."
        << m.minorVersion()
        << (m.hasReleaseVersion() ? "." + std::to_string(m.releaseVersion()) : "") << " "
        << m.additionalVersionInfo() << "\n";
    // Four answers a line.
    std::size_t i = 0;
    for (const Capability& capability : kCapabilities) {
        out << (i % 4 == 0 ? "  " : ", ") << capability.label << " "
            << YesNo((m.*capability.answer)());
        if (++i % 4 == 0) {
            out << "\n";
        }
    }
    out << ", texture units " << m.numberOfTextureUnits() << "\n";
}

// key: {"major": major, "minor": minor}
void WriteVersion(JsonWriter& json, const char* key, unsigned major, unsigned minor) {
    json.key(key);
    json.beginObject();
    json.member("major", major);
    json.member("minor", minor);
    json.endObject();
}

void WriteCapabilities(JsonWriter& json, const ExtensionManager& m) {
    json.member("vendorClass", m.vendorString());
    json.key("version");
    json.beginObject();
    json.member("major", m.majorVersion());
    json.member("minor", m.minorVersion());
    json.key("release");
    if (m.hasReleaseVersion()) {
        json.value(m.releaseVersion());
    } else {
        json.null();
    }
    json.member("additional", m.additionalVersionInfo());
    json.endObject();
    json.key("capabilities");
    json.beginObject();
    for (const Capability& capability : kCapabilities) {
        json.member(capability.key, (m.*capability.answer)());
    }
    json.member("textureUnits", m.numberOfTextureUnits());
    json.endObject();
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

// The core, the OpenGL layer and an off-screen context on the primary display, current on this
// thread while the session lives; the thread is left without a context however it ends.
class GLSession {
public:
    GLSession() : context_(DisplayQueries::PrimaryDisplayDevice()) { context_.makeCurrent(); }
    ~GLSession() { VEK::OGL::ReleaseOGLContext(); }
    GLSession(const GLSession&) = delete;
    GLSession& operator=(const GLSession&) = delete;

    const VEK::OGL::ContextOffscreen& context() const { return context_; }

private:
    VEK::Core::AutoInitializer core_;
    VEK::OGL::AutoInitializer ogl_;
    VEK::OGL::ContextOffscreen context_;
};

std::vector<VEK::OGL::DisplayDeviceKey> DisplayKeys() {
    std::vector<VEK::OGL::DisplayDeviceKey> keys;
    const unsigned displays = VEK::OGL::Context::NumDisplayDevice();
    for (unsigned i = 0; i < displays; ++i) {
        VEK::OGL::DisplayDeviceKey key;
        if (VEK::OGL::Context::DisplayDevice(i, key)) {
            keys.push_back(key);
        }
    }
    return keys;
}

void WriteKey(JsonWriter& json, const VEK::OGL::DisplayDeviceKey& key) {
    json.beginObject();
    json.member("output", key.outputName());
    json.member("adapter", key.adapterDescription());
    json.key("deviceId");
    // Decimal in the key; null where it is not a number.
    const std::string& id = key.deviceIdentifier();
    if (!id.empty() && id.size() < 20 && id.find_first_not_of("0123456789") == std::string::npos) {
        json.value(static_cast<std::uint64_t>(std::stoull(id)));
    } else {
        json.null();
    }
    json.endObject();
}

// The drawing, with every OpenGL call of it in trace when tracing; the calls traced so far are
// there also when it throws.
Drawing TracedDraw(const Options& options, std::string* trace) {
    const int size = 256;
    if (trace == nullptr) {
        return Draw(size, options.pngPath);
    }
    ExtensionManager* manager = ExtensionManager::Instance();
    std::ostringstream calls;
    VEK::OGL::OpenGLTracer tracer(calls);
    manager->addInterceptor(&tracer);
    try {
        Drawing drawing = Draw(size, options.pngPath);
        // One error on purpose, caught: the trace shows the driver's words under its call where
        // the driver logs them (the context is the library's, so its debug output is on).
        try {
            OpenGLInterceptor::Instance()->cgmEnable(__FILE__, __LINE__, 0x1234);
            drawing.provokedError = "none";
        } catch (const VEK::OGL::ExceptionOGL& error) {
            drawing.provokedError = error.message();
        }
        manager->popInterceptor();
        *trace = calls.str();
        return drawing;
    } catch (...) {
        manager->popInterceptor();
        *trace = calls.str();
        throw;
    }
}

}  // namespace

// A clear, a shaded triangle over the whole frame and an overlay; checked and written as a PNG.
Drawing Draw(int size, const std::string& pngPath) {
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
    Drawing drawing;
    drawing.size = size;
    const std::uint8_t* centre = at(size / 2, size / 2);
    for (int c = 0; c < 4; ++c) {
        drawing.centre[c] = centre[c];
    }
    drawing.centreAsDrawn = Near(centre, kShadedCentre);
    drawing.overlayAsDrawn = Near(at(kWhiteTexelX, kWhiteTexelY), {255, 255, 255}) &&
                             Near(at(kBlackTexelX, kBlackTexelY), {0, 0, 0}) &&
                             Near(at(kWidgetX, kWidgetY), kWidgetOverBackground);
    if (CanWritePng()) {  // a build without a PNG writer leaves pngPath empty
        WritePng(pngPath, size, size, pixels);
        drawing.pngPath = pngPath;
    }
    return drawing;
}

void PrintDrawing(std::ostream& out, const Drawing& drawing) {
    const std::array<int, 4>& c = drawing.centre;
    out << "  drawing: centre pixel (" << c[0] << ", " << c[1] << ", " << c[2] << ", " << c[3]
        << ") " << (drawing.centreAsDrawn ? "as drawn" : "NOT as drawn") << "\n";
    out << "  overlay: checkered texture and widgets at their fades "
        << (drawing.overlayAsDrawn ? "as drawn" : "NOT as drawn") << "\n";
    if (drawing.pngPath.empty()) {
        out << "  frame not written: this build has no PNG writer\n";
    } else {
        out << "  frame written to " << drawing.pngPath << " (" << drawing.size << "x"
            << drawing.size << ")\n";
    }
}

void PrintOpenGL(std::ostream& out, const Options& options) {
    out << "OpenGL layer\n";
    const std::vector<VEK::OGL::DisplayDeviceKey> keys = DisplayKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        out << "  display " << i << ": " << keys[i] << "\n";
    }
    out << "  primary display: " << DisplayQueries::PrimaryDisplayDevice() << "\n";

    GLSession session;
    out << "  off-screen context on " << session.context().displayDeviceKey() << "\n";
    ExtensionManager* manager = ExtensionManager::Instance();
    std::ostringstream dump;
    dump << *manager;
    std::istringstream lines(dump.str());
    for (std::string line; std::getline(lines, line);) {
        out << "  " << line << "\n";
    }
    PrintCapabilities(out, *manager);
    PrintFilteringProbes(out, *manager);

    std::string trace;
    std::string* traced = options.trace ? &trace : nullptr;
    Drawing drawing;
    try {
        drawing = TracedDraw(options, traced);
    } catch (...) {
        out << trace;
        throw;
    }
    PrintDrawing(out, drawing);
    if (options.trace) {
        out << "  error provoked on purpose, glEnable(0x1234): " << drawing.provokedError << "\n";
        out << "  trace of the drawing:\n";
        std::istringstream calls(trace);
        for (std::string line; std::getline(calls, line);) {
            out << "    " << line << "\n";
        }
    }
}

void WriteOpenGL(JsonWriter& json, const Options& options) {
    json.key("displays");
    json.beginArray();
    for (const VEK::OGL::DisplayDeviceKey& key : DisplayKeys()) {
        WriteKey(json, key);
    }
    json.endArray();
    json.key("primaryDisplay");
    WriteKey(json, DisplayQueries::PrimaryDisplayDevice());

    GLSession session;
    json.key("offscreenContextDisplay");
    WriteKey(json, session.context().displayDeviceKey());
    json.member("glRenderer", VEK::OGL::GetGLString(GL_RENDERER));
    json.member("glVersion", VEK::OGL::GetGLString(GL_VERSION));
    ExtensionManager* manager = ExtensionManager::Instance();
    json.key("extensionManager");
    json.beginObject();
    WriteVersion(json, "contextVersion", manager->majorVersion(), manager->minorVersion());
    WriteVersion(json, "glslVersion", manager->glslMajorVersion(), manager->glslMinorVersion());
    json.key("supportedExtensions");
    json.beginArray();
    for (const std::string& name : manager->supportedExtensionNames()) {
        json.value(name);
    }
    json.endArray();
    WriteCapabilities(json, *manager);
    json.endObject();
    json.key("filtering");
    json.beginObject();
    json.member("floatLinear", manager->supportsFloatFiltering());
    json.member("halfFloatLinear", manager->supportsHalfFiltering());
    json.endObject();

    std::string trace;
    const Drawing drawing = TracedDraw(options, options.trace ? &trace : nullptr);
    json.key("drawing");
    json.beginObject();
    json.member("size", drawing.size);
    json.key("centre");
    json.beginArray();
    for (int c : drawing.centre) {
        json.value(c);
    }
    json.endArray();
    json.member("centreAsDrawn", drawing.centreAsDrawn);
    json.member("overlayAsDrawn", drawing.overlayAsDrawn);
    json.member("asDrawn", drawing.asDrawn());
    json.member("png", drawing.pngPath);
    json.endObject();
    if (options.trace) {
        json.member("provokedError", drawing.provokedError);
        json.key("trace");
        json.beginArray();
        std::istringstream calls(trace);
        for (std::string line; std::getline(calls, line);) {
            json.value(line);
        }
        json.endArray();
    }
}

}  // namespace vekinfo
