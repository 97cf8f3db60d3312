#include <ostream>
#include <sstream>
#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLTracer.h>
#include <vek/vek_ogl/ogl/Context.h>

#include "PlatformContext.h"
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

// A clear and a red triangle over the whole viewport, read back at the centre.
void Draw(std::ostream& out, int size) {
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    gl->cgmViewport(__FILE__, __LINE__, 0, 0, size, size);
    gl->cgmClearColor(__FILE__, __LINE__, 0.f, 0.f, 0.25f, 1.f);
    gl->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
    gl->cgmColor3f(__FILE__, __LINE__, 1.f, 0.f, 0.f);
    gl->cgmBegin(__FILE__, __LINE__, GL_TRIANGLES);
    gl->cgmVertex2f(__FILE__, __LINE__, -1.f, -1.f);
    gl->cgmVertex2f(__FILE__, __LINE__, 1.f, -1.f);
    gl->cgmVertex2f(__FILE__, __LINE__, 0.f, 1.f);
    gl->cgmEnd(__FILE__, __LINE__);
    GLubyte centre[4] = {};
    gl->cgmReadPixels(__FILE__, __LINE__, size / 2, size / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                      centre);
    out << "  drawing: centre pixel (" << int(centre[0]) << ", " << int(centre[1]) << ", "
        << int(centre[2]) << ", " << int(centre[3]) << ") "
        << (centre[0] == 255 && centre[1] == 0 && centre[2] == 0 ? "as drawn" : "NOT as drawn")
        << "\n";
}

}  // namespace

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
    const int size = 64;
    PlatformContext context(size, size);
    ExtensionManager::CurrentTable();
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
            Draw(out, size);
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
        Draw(out, size);
    }
}

}  // namespace vekinfo
