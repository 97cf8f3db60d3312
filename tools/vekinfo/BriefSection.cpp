// --brief: what the full report says, on one screen.
#include <cstddef>
#include <cstring>
#include <exception>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include <GL/gl.h>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>
#include <vek/vek_ogl/ogl/Object.h>

#include "Sections.h"

namespace vekinfo {

namespace {

// Reaches the primary-display query the context classes use.
struct PrimaryDisplay : VEK::OGL::Context {
    using Context::PrimaryDisplayDevice;
};

void BriefOpenGL(std::ostream& out, const Options& options) {
    VEK::Core::AutoInitializer core;
    VEK::OGL::AutoInitializer ogl;
    VEK::OGL::ContextOffscreen context(PrimaryDisplay::PrimaryDisplayDevice());
    context.makeCurrent();
    struct Release {
        ~Release() { VEK::OGL::ReleaseOGLContext(); }
    } release;
    const VEK::OGL::ExtensionManager* manager = VEK::OGL::ExtensionManager::Instance();
    out << "OpenGL renderer:   " << VEK::OGL::GetGLString(GL_RENDERER) << "\n";
    out << "OpenGL version:    " << VEK::OGL::GetGLString(GL_VERSION) << " (read as "
        << manager->majorVersion() << "." << manager->minorVersion() << ")\n";
    // Versions share the enumeration with the extensions; only GL_*_ names past them count.
    std::size_t known = 0;
    for (int e = 0; e <= VEK::OGL::kLastOpenGLExtension; ++e) {
        const auto extension = static_cast<VEK::OGL::OpenGLExtension>(e);
        const char* name = VEK::OGL::OpenGLExtensionName(extension);
        if (name != nullptr && std::strncmp(name, "GL_VERSION_", 11) != 0 &&
            manager->isSupported(extension)) {
            ++known;
        }
    }
    out << "GL extensions:     " << Words(VEK::OGL::GetGLString(GL_EXTENSIONS)).size()
        << " from the driver, " << known << " of them known to the library\n";
    const bool asDrawn = Draw(256, options.pngPath).asDrawn();
    out << "drawing:           " << (asDrawn ? "as drawn" : "NOT as drawn") << ", written to "
        << options.pngPath << "\n";
}

void BriefOpenCL(std::ostream& out) {
    if (!VEK::OCL::Library::IsOpenCLAvailable("")) {
        out << "OpenCL:            not available\n";
        return;
    }
    OclSession session;
    const std::vector<VEK::OCL::Platform> platforms = VEK::OCL::platforms();
    std::size_t devices = 0;
    for (const VEK::OCL::Platform& platform : platforms) {
        devices += platform.devices(VEK::OCL::Device::DEVICE_TYPE_ALL).size();
    }
    out << "OpenCL:            " << platforms.size() << " platform(s), " << devices
        << " device(s)\n";
    CheckSaxpy(RunSaxpy(FirstDevice(platforms)));
    out << "SAXPY:             verified on the host\n";
}

}  // namespace

void PrintBrief(std::ostream& out, const Options& options) {
    out << "VEK:               " << VEK::VersionString() << "\n";
    BriefOpenGL(out, options);
    BriefOpenCL(out);
}

}  // namespace vekinfo
