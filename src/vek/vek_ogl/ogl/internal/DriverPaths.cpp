#include "vek/vek_ogl/ogl/internal/DriverPaths.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "vek/platform/System.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/extensionator/internal/ThreadCalls.h"

#ifndef GL_PACK_REVERSE_ROW_ORDER_ANGLE
#define GL_PACK_REVERSE_ROW_ORDER_ANGLE 0x93A4
#endif

namespace VEK {
namespace OGL {
namespace internal {

namespace {

struct ExtensionPackParameter {
    const char* extension;
    GLenum parameter;
};
const ExtensionPackParameter kExtensionPackParameters[] = {
    {"GL_MESA_pack_invert", GL_PACK_INVERT_MESA},
    {"GL_ANGLE_pack_reverse_row_order", GL_PACK_REVERSE_ROW_ORDER_ANGLE},
};

DriverPaths Make(const ExtensionManager& manager) {
    DriverPaths paths;
    paths.clientAttribStack = !manager.removesDeprecatedFeatures();
    paths.activeTextureARB = manager.isSupported(OGLEXT_ARB_multitexture);
    paths.activeTextureCore = manager.isSupported(OGLEXT_VERSION_1_3);
    paths.framebufferCore = manager.isSupported(OGLEXT_VERSION_3_0) ||
                            manager.isSupported(OGLEXT_ARB_framebuffer_object);
    paths.vertexArrays = manager.isSupported(OGLEXT_VERSION_3_0) ||
                         manager.isSupported(OGLEXT_ARB_vertex_array_object);
    paths.pixelBuffers = manager.isSupported(OGLEXT_ARB_pixel_buffer_object);
    paths.imageParameters =
        manager.isSupported(OGLEXT_VERSION_1_2) || manager.isSupported(OGLEXT_EXT_texture3D);
    const std::vector<std::string>& names = manager.supportedExtensionNames();
    for (const ExtensionPackParameter& extra : kExtensionPackParameters) {
        if (std::find(names.begin(), names.end(), extra.extension) != names.end()) {
            paths.extensionPack[paths.extensionPackCount++] = extra.parameter;
        }
    }
    return paths;
}

// One record per context handle, each with the registry generation it was made at. A record
// is read and remade only on the thread its context is current on (a context is current on one
// thread at a time), so the lock guards the map alone.
struct Record {
    unsigned long generation;
    DriverPaths paths;
};
std::mutex gRecordsMutex;
std::unordered_map<HGLRC, std::unique_ptr<Record>>& Records() {
    static auto* records = new std::unordered_map<HGLRC, std::unique_ptr<Record>>();
    return *records;
}

struct LastRecord {
    HGLRC context;
    unsigned long generation;
    const DriverPaths* paths;
};
thread_local LastRecord tLast{nullptr, 0, nullptr};

}  // namespace

const DriverPaths& CurrentDriverPaths() {
    const HGLRC context = Platform::CurrentContext();
    const unsigned long generation = TablesGeneration();
    if (tLast.paths != nullptr && tLast.context == context && tLast.generation == generation) {
        return *tLast.paths;
    }
    if (context == nullptr) {
        // Without a context no driver is asked; every call fails on its own.
        static const DriverPaths kNoContext = [] {
            DriverPaths paths;
            paths.clientAttribStack = true;
            return paths;
        }();
        return kNoContext;
    }
    // The manager of a context met for the first time is made and registered here.
    ExtensionManager::CurrentTable();
    Record* record = nullptr;
    {
        std::lock_guard<std::mutex> lock(gRecordsMutex);
        std::unique_ptr<Record>& slot = Records()[context];
        if (!slot) {
            slot.reset(new Record{generation - 1, DriverPaths()});
        }
        record = slot.get();
    }
    if (record->generation != generation) {
        record->paths = Make(*ExtensionManager::Instance());
        record->generation = generation;
    }
    tLast = LastRecord{context, generation, &record->paths};
    return record->paths;
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
