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

    /// Frees the singleton and its table; harmless when there is none. Throws nothing.
    static void destroy();
    /// The singleton; null before the layer starts and after it stops. Throws nothing.
    static ExtensionManager* instance() { return extMgrInstance_; }

    /// The entry-point table. Throws InternalException when there is none.
    const FunctionTable& table() const;

    /// Each resolves its token's group from the loader; true when every name was found.
    /// Tokens without entry points answer true at once. None throws. This one resolves the 1.0
    /// entry points.
    bool init_CL_VERSION_1_0();
    /// Resolves the 1.1 entry points; true when every name was found. Throws nothing.
    bool init_CL_VERSION_1_1();
    /// cl_amd_device_attribute_query has no entry points: true at once. Throws nothing.
    bool init_cl_amd_device_attribute_query() { return true; }
    /// cl_amd_fp64 has no entry points: true at once. Throws nothing.
    bool init_cl_amd_fp64() { return true; }
    /// cl_amd_media_ops has no entry points: true at once. Throws nothing.
    bool init_cl_amd_media_ops() { return true; }
    /// Resolves the cl_ext_device_fission entry points; true when every name was found. Throws
    /// nothing.
    bool init_cl_ext_device_fission();
    /// Resolves the cl_ext_migrate_memobject entry point; true when every name was found. Throws
    /// nothing.
    bool init_cl_ext_migrate_memobject();
    /// cl_khr_fp16 has no entry points: true at once. Throws nothing.
    bool init_cl_khr_fp16() { return true; }
    /// cl_khr_fp64 has no entry points: true at once. Throws nothing.
    bool init_cl_khr_fp64() { return true; }
    /// Resolves the cl_khr_gl_event entry point; true when every name was found. Throws nothing.
    bool init_cl_khr_gl_event();
    /// Resolves the cl_khr_gl_sharing entry point; true when every name was found. Throws nothing.
    bool init_cl_khr_gl_sharing();
    /// Resolves the cl_khr_icd entry point; true when every name was found. Throws nothing.
    bool init_cl_khr_icd();
    /// cl_nv_device_attribute_query has no entry points: true at once. Throws nothing.
    bool init_cl_nv_device_attribute_query() { return true; }

    /// Kept for callers that reset groups by name; nothing is ever unloaded from the table, and
    /// each answers true. None throws.
    bool zero_CL_VERSION_1_0() { return true; }
    /// Unloads nothing: true. Throws nothing.
    bool zero_CL_VERSION_1_1() { return true; }
    /// Unloads nothing: true. Throws nothing.
    bool zero_cl_amd_device_attribute_query() { return true; }
    /// Unloads nothing: true. Throws nothing.
    bool zero_cl_amd_fp64() { return true; }
    /// Unloads nothing: true. Throws nothing.
    bool zero_cl_amd_media_ops() { return true; }
    /// Unloads nothing: true. Throws nothing.
    bool zero_cl_ext_device_fission() { return true; }
    /// Unloads nothing: true. Throws nothing.
    bool zero_cl_ext_migrate_memobject() { return true; }
    /// Unloads nothing: true. Throws nothing.
    bool zero_cl_khr_fp16() { return true; }
    /// Unloads nothing: true. Throws nothing.
    bool zero_cl_khr_fp64() { return true; }
    /// Unloads nothing: true. Throws nothing.
    bool zero_cl_khr_gl_event() { return true; }
    /// Unloads nothing: true. Throws nothing.
    bool zero_cl_khr_gl_sharing() { return true; }
    /// Unloads nothing: true. Throws nothing.
    bool zero_cl_khr_icd() { return true; }
    /// Unloads nothing: true. Throws nothing.
    bool zero_cl_nv_device_attribute_query() { return true; }
    /// Unloads nothing. Throws nothing.
    void zeroAllSymbolsCL() {}

    /// Resolves the extension's group through its init_ operation; true for tokens without
    /// entry points, false for values outside the token table. Throws nothing.
    bool initializeCL(Enum::Extension extension);
    /// Unloads nothing: true for the tokens of the table, false for other values. Throws
    /// nothing.
    bool zeroSymbolsForExtensionCL(Enum::Extension extension);

    /// The extension a token names: exact, case-sensitive; UnknownExtension when no token
    /// matches. Throws nothing but std::bad_alloc.
    Enum::Extension nameToExtensionEnum(const std::string& name) const;
    /// As the string overload; a null name gives UnknownExtension. Throws nothing but
    /// std::bad_alloc.
    Enum::Extension nameToExtensionEnum(const char* name) const;
    /// The token of the extension; empty for values outside the token table. Throws nothing
    /// but std::bad_alloc.
    static std::string ExtensionEnumToString(Enum::Extension extension);

private:
    friend class Library;
    friend void ::VEK::DestroyObject<ExtensionManager>(ExtensionManager*, const char*,
                                                       int) noexcept;

    explicit ExtensionManager(void* library);
    ~ExtensionManager();

    /// Registers the singleton over an open loader. A failure leaves no manager behind. Throws
    /// InternalException for a null loader, an existing singleton, a missing 1.0 entry point,
    /// a failed platform query or no platform.
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
/// never listed. Throws nothing but std::bad_alloc.
bool ListsExtension(const std::string& text, const std::string& name);

}  // namespace detail

/// Appends the blank- or tab-separated words of text to words, which it does not clear. Throws
/// nothing but std::bad_alloc.
VEK_EXPORT void TokenizeExtensionString(const std::string& text, std::vector<std::string>& words);

}  // namespace OCL
}  // namespace VEK
