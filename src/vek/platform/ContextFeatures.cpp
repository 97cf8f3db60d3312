#include "vek/platform/ContextFeatures.h"

#if defined(_WIN32)
#include "vek/platform/System.h"
#else
#include <GL/glx.h>
#endif

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <sstream>

#include "vek/platform/GLRequirements.h"

namespace VEK {
namespace Platform {

ContextFeatures::ContextFeatures() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    unsigned major = 0, minor = 0;
    if (!version || std::sscanf(version, "%u.%u", &major, &minor) != 2) {
        return;  // no current context: provides nothing
    }
    version_ = major * 10 + minor;
    if (version_ >= 30) {
        // opengl32's look-up on Windows; GLX's elsewhere, where the stand-in's look-up asks these
        // features itself.
#if defined(_WIN32)
        auto getStringi = reinterpret_cast<PFNGLGETSTRINGIPROC>(
            reinterpret_cast<void (*)()>(wglGetProcAddress("glGetStringi")));
#else
        auto getStringi = reinterpret_cast<PFNGLGETSTRINGIPROC>(
            glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glGetStringi")));
#endif
        GLint count = 0;
        glGetIntegerv(GL_NUM_EXTENSIONS, &count);
        for (GLint i = 0; getStringi && i < count; ++i) {
            const GLubyte* name = getStringi(GL_EXTENSIONS, static_cast<GLuint>(i));
            if (name) {
                extensions_.insert(reinterpret_cast<const char*>(name));
            }
        }
        GLint flags = 0;
        glGetIntegerv(GL_CONTEXT_FLAGS, &flags);
        GLint profile = 0;
        if (version_ >= 32) {
            glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
        }
        // Removed features are gone in a core profile, in a forward-compatible context, and in
        // 3.1 unless the driver keeps them with GL_ARB_compatibility.
        removesDeprecated_ = (profile & GL_CONTEXT_CORE_PROFILE_BIT) != 0 ||
                             (flags & GL_CONTEXT_FLAG_FORWARD_COMPATIBLE_BIT) != 0 ||
                             (version_ == 31 && !hasExtension("GL_ARB_compatibility"));
    } else {
        const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        std::istringstream words(list ? list : "");
        std::string name;
        while (words >> name) {
            extensions_.insert(name);
        }
    }
}

namespace {

bool BroughtByExtension(const GLCommandRequirement& requirement, const ContextFeatures& features) {
    for (const unsigned short* e = requirement.extensions; e && *e != 0xFFFF; ++e) {
        const char* extension = GLExtensionName(*e);
        if (extension && features.hasExtension(extension)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool ContextFeatures::brings(const char* name) const {
    const GLCommandRequirement* requirement = FindGLCommandRequirement(name);
    if (!requirement) {
        return false;
    }
    return (requirement->version != 0 && version_ >= requirement->version) ||
           BroughtByExtension(*requirement, *this);
}

bool ContextFeatures::removes(const char* name) const {
    const GLCommandRequirement* requirement = FindGLCommandRequirement(name);
    if (!requirement || !removesDeprecated_ || requirement->coreRemoved == 0) {
        return false;
    }
    // The registry files the removals under 3.2, the first version with profiles; they are what
    // 3.0 deprecated, which a forward-compatible 3.0 or 3.1 has lost as well.
    const unsigned removedIn = requirement->coreRemoved == 32 ? 30 : requirement->coreRemoved;
    return version_ >= removedIn && !BroughtByExtension(*requirement, *this);
}

}  // namespace Platform
}  // namespace VEK
