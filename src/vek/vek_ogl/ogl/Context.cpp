#include "vek/vek_ogl/ogl/Context.h"

#include <GL/gl.h>

#include <algorithm>

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"

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

}  // namespace

Context::ContextVectors* Context::gVectorOfContextVectors = nullptr;

Context::Context(HGLRC renderContext)
    : initOptions_(ExtensionManager::CurrentInitOptions()), renderContext_(renderContext) {}

Context::Context(DisplayDeviceKey const& key)
    : displayDeviceKey_(key), initOptions_(ExtensionManager::CurrentInitOptions()) {}

Context::~Context() = default;

void Context::addShareContext(Context const* sibling) const {
    VEK_ASSERT(sibling != this);
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
bool Context::ProbeSharing(Context const* a, Context const* b) {
    VEK_ASSERT(a);
    VEK_ASSERT(b);
    ScopedContextWrapper savedContext;
    a->makeCurrent();
    const GLuint list = glGenLists(1);
    if (list == 0) {
        // No display lists here (a core profile): take the error back and share with nobody.
        glGetError();
        return false;
    }
    bool seen = false;
    try {
        b->makeCurrent();
        seen = IsListInCurrent(list);
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
    return !IsListInCurrent(list);
}

bool Context::IsListInCurrent(unsigned list) {
    if (glIsList(list) == GL_TRUE) {
        return true;
    }
    // A core profile has no display lists and answers with GL_INVALID_OPERATION: take it back,
    // as for the first context.
    glGetError();
    return false;
}

void Context::UnregisterShareContext(Context const* context) {
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
    // clang-format off
    VEK_ASSERT(indexSource < LARGE_INDEX-1);
    VEK_ASSERT(indexQuery < LARGE_INDEX-1);
    // clang-format on
    return false;
}

}  // namespace OGL
}  // namespace VEK
