#include "vek/vek_ogl/ogl/Context.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"

namespace VEK {
namespace OGL {

namespace {

// A query or a failed insertion leaves no empty registry behind.
void FreeRegistryIfEmpty(std::vector<std::vector<Context const*>>*& registry) {
    if (registry != nullptr && registry->empty()) {
        VEK_DELETE(registry);
        registry = nullptr;
    }
}

// Contexts may be made and destroyed on several threads at once: every use of the share groups
// holds this lock, which nothing else takes while holding it.
std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

Context::ContextVectors* Context::gVectorOfContextVectors = nullptr;

Context::Context(HGLRC renderContext)
    : initOptions_(ExtensionManager::CurrentInitOptions()), renderContext_(renderContext) {}

Context::Context(DisplayDeviceKey const& key)
    : displayDeviceKey_(key), initOptions_(ExtensionManager::CurrentInitOptions()) {}

Context::~Context() = default;

void Context::addShareContext(Context const* sibling) const {
    VEK_ASSERT(sibling != this);
    std::lock_guard<std::mutex> lock(RegistryMutex());
    if (gVectorOfContextVectors == nullptr) {
        gVectorOfContextVectors = VEK_NEW(ContextVectors)();
        VEK_ENFORCE(gVectorOfContextVectors != NULL);
    }
    if (sibling == nullptr) {
        gVectorOfContextVectors->push_back(ContextVector(1, this));
        return;
    }
    const auto outerIter =
        std::find_if(gVectorOfContextVectors->begin(), gVectorOfContextVectors->end(),
                     [sibling](const ContextVector& group) {
                         return std::find(group.begin(), group.end(), sibling) != group.end();
                     });
    try {
        VEK_ASSERT(outerIter != gVectorOfContextVectors->end());
    } catch (const InternalException&) {
        FreeRegistryIfEmpty(gVectorOfContextVectors);
        throw;
    }
    outerIter->push_back(this);
}

void Context::unregisterSharedContext() const {
    if (renderContext_ != nullptr) {
        UnregisterShareContext(this);
    }
}

void Context::RegisterContextWrapped(Context const* context) {
    // The probes run under the lock too, so that a group cannot lose its first member meanwhile.
    std::lock_guard<std::mutex> lock(RegistryMutex());
    if (gVectorOfContextVectors == nullptr) {
        gVectorOfContextVectors = VEK_NEW(ContextVectors)();
        VEK_ENFORCE(gVectorOfContextVectors != NULL);
    }
    try {
        for (ContextVector& group : *gVectorOfContextVectors) {
            if (ProbeSharing(group.front(), context)) {
                group.push_back(context);
                return;
            }
        }
        gVectorOfContextVectors->push_back(ContextVector(1, context));
    } catch (...) {
        FreeRegistryIfEmpty(gVectorOfContextVectors);
        throw;
    }
}

// Two contexts share objects when a display list made in a is seen from b, and its deletion too.
// Either may be the host's own context, whose pending error belongs to the host: the probe makes
// no call that can raise an error there, so it never has to read (and clear) one.
bool Context::ProbeSharing(Context const* a, Context const* b) {
    VEK_ASSERT(a);
    VEK_ASSERT(b);
    ScopedContextWrapper savedContext;
    b->makeCurrent();
    if (!CurrentHasDisplayLists()) {
        return false;
    }
    a->makeCurrent();
    if (!CurrentHasDisplayLists()) {
        return false;
    }
    const GLuint list = glGenLists(1);
    if (list == 0) {
        // The driver's own failure (out of memory): its error is left for whoever reads errors.
        return false;
    }
    bool seen = false;
    try {
        b->makeCurrent();
        seen = glIsList(list) == GL_TRUE;
    } catch (...) {
        // The list goes whatever happened in the second context.
        a->makeCurrent();
        glDeleteLists(list, 1);
        throw;
    }
    a->makeCurrent();
    glDeleteLists(list, 1);
    if (!seen) {
        return false;
    }
    b->makeCurrent();
    return glIsList(list) == GL_FALSE;
}

bool Context::CurrentHasDisplayLists() {
    // Asked of the driver directly, with queries that raise no error on any version: a core
    // profile and a forward-compatible context have no display lists.
    const GLubyte* version = glGetString(GL_VERSION);
    int major = 0;
    if (version == nullptr ||
        std::sscanf(reinterpret_cast<const char*>(version), "%d", &major) != 1) {
        return false;
    }
    if (major < 3) {
        return true;
    }
    GLint flags = 0;
    glGetIntegerv(GL_CONTEXT_FLAGS, &flags);
    if ((flags & GL_CONTEXT_FLAG_FORWARD_COMPATIBLE_BIT) != 0) {
        return false;
    }
    int minor = 0;
    std::sscanf(reinterpret_cast<const char*>(version), "%*d.%d", &minor);
    if (major == 3 && minor < 2) {
        // Profiles begin with 3.2; a 3.0 or 3.1 context that is not forward-compatible keeps
        // display lists.
        return true;
    }
    GLint profile = 0;
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    return (profile & GL_CONTEXT_CORE_PROFILE_BIT) == 0;
}

void Context::UnregisterShareContext(Context const* context) {
    std::lock_guard<std::mutex> lock(RegistryMutex());
    if (gVectorOfContextVectors == nullptr) {
        return;
    }
    for (auto outerIter = gVectorOfContextVectors->begin();
         outerIter != gVectorOfContextVectors->end(); ++outerIter) {
        const auto member = std::find(outerIter->begin(), outerIter->end(), context);
        if (member == outerIter->end()) {
            continue;
        }
        outerIter->erase(member);
        if (outerIter->empty()) {
            gVectorOfContextVectors->erase(outerIter);
            FreeRegistryIfEmpty(gVectorOfContextVectors);
        }
        return;
    }
}

bool Context::isSharingWithCurrentContext() const {
    const HGLRC current = CurrentContext();
    if (current == nullptr) {
        return false;
    }
    unsigned indexSource = LARGE_INDEX - 1;
    unsigned indexQuery = LARGE_INDEX;
    std::unique_lock<std::mutex> lock(RegistryMutex());
    if (gVectorOfContextVectors != nullptr) {
        unsigned group = 0;
        for (const ContextVector& members : *gVectorOfContextVectors) {
            unsigned index = 0;
            for (Context const* member : members) {
                // clang-format off
                VEK_ASSERT(index< LARGE_INDEX-1);
                // clang-format on
                if (member == this) {
                    indexSource = group;
                }
                if (member->renderContext_ == current) {
                    indexQuery = group;
                }
                if (indexSource == indexQuery) {
                    return true;
                }
                ++index;
            }
            ++group;
        }
    }
    lock.unlock();
    // clang-format off
    VEK_ASSERT(indexSource < LARGE_INDEX-1);
    VEK_ASSERT(indexQuery < LARGE_INDEX-1);
    // clang-format on
    return false;
}

}  // namespace OGL
}  // namespace VEK
