#pragma once

#include <string>
#include <vector>

#include "vek/Export.h"
#include "vek/core/memory/VEKMemory.h"
#include "vek/vek_ocl/Enum.h"
#include "vek/vek_ocl/FunctionTable.h"

namespace VEK {
namespace OCL {

class Library;

/// The process-wide owner of the entry-point table. Made by the layer's start-up, which also
/// resolves the 1.0 entry points and, when the first platform is newer than 1.0, those of 1.1.
/// Extension groups are resolved only on request (initializeCL).
class VEK_EXPORT ExtensionManager {
public:
    ExtensionManager(const ExtensionManager&) = delete;
    ExtensionManager& operator=(const ExtensionManager&) = delete;

    static void destroy();
    static ExtensionManager* instance() { return extMgrInstance_; }

    const FunctionTable& table() const;

    /// Each resolves its token's group from the loader; true when every name was found.
    /// Tokens without entry points answer true at once.
    bool init_CL_VERSION_1_0();
    bool init_CL_VERSION_1_1();
    bool init_cl_amd_device_attribute_query() { return true; }
    bool init_cl_amd_fp64() { return true; }
    bool init_cl_amd_media_ops() { return true; }
    bool init_cl_ext_device_fission();
    bool init_cl_ext_migrate_memobject();
    bool init_cl_khr_fp16() { return true; }
    bool init_cl_khr_fp64() { return true; }
    bool init_cl_khr_gl_event();
    bool init_cl_khr_gl_sharing();
    bool init_cl_khr_icd();
    bool init_cl_nv_device_attribute_query() { return true; }

    /// Kept for callers that reset groups by name; nothing is ever unloaded from the table.
    bool zero_CL_VERSION_1_0() { return true; }
    bool zero_CL_VERSION_1_1() { return true; }
    bool zero_cl_amd_device_attribute_query() { return true; }
    bool zero_cl_amd_fp64() { return true; }
    bool zero_cl_amd_media_ops() { return true; }
    bool zero_cl_ext_device_fission() { return true; }
    bool zero_cl_ext_migrate_memobject() { return true; }
    bool zero_cl_khr_fp16() { return true; }
    bool zero_cl_khr_fp64() { return true; }
    bool zero_cl_khr_gl_event() { return true; }
    bool zero_cl_khr_gl_sharing() { return true; }
    bool zero_cl_khr_icd() { return true; }
    bool zero_cl_nv_device_attribute_query() { return true; }
    void zeroAllSymbolsCL() {}

    /// False for values outside the token table.
    bool initializeCL(Enum::Extension extension);
    bool zeroSymbolsForExtensionCL(Enum::Extension extension);

    /// Exact, case-sensitive; UnknownExtension when no token matches.
    Enum::Extension nameToExtensionEnum(const std::string& name) const;
    Enum::Extension nameToExtensionEnum(const char* name) const;
    /// Empty for values outside the token table.
    static std::string ExtensionEnumToString(Enum::Extension extension);

private:
    friend class Library;
    friend void ::VEK::DestroyObject<ExtensionManager>(ExtensionManager*, const char*,
                                                       int) noexcept;

    explicit ExtensionManager(void* library);
    ~ExtensionManager();

    /// Registers the singleton over an open loader. A failure leaves no manager behind.
    static ExtensionManager* create(void* library);

    void* library_;  ///< not owned: the Library closes it
    FunctionTable* table_;

    static ExtensionManager* extMgrInstance_;
};

namespace detail {

/// Throws InternalException "The OpenCL layer is not initialised".
[[noreturn]] void ThrowLayerNotInitialised(const char* file, int line);

/// The table every wrapper calls through. Without a started layer (before Initialize, after
/// Terminate) there is none, and the call throws instead of reaching a closed loader.
inline const FunctionTable& Table() {
    const ExtensionManager* manager = ExtensionManager::instance();
    if (manager == nullptr) {
        ThrowLayerNotInitialised(__FILE__, __LINE__);
    }
    return manager->table();
}

/// Whether the blank- or tab-separated extension text names the extension as a whole word: a
/// longer name that merely starts or ends with it is another extension, and an empty name is
/// never listed.
bool ListsExtension(const std::string& text, const std::string& name);

}  // namespace detail

/// Appends the blank- or tab-separated words of text to words, which it does not clear.
VEK_EXPORT void TokenizeExtensionString(const std::string& text, std::vector<std::string>& words);

}  // namespace OCL
}  // namespace VEK
