#include "vek/vek_ocl/ExtensionManager.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"
#include "vek/vek_ocl/LoaderModule.h"

namespace VEK {
namespace OCL {

ExtensionManager* ExtensionManager::extMgrInstance_ = nullptr;

namespace detail {

void ThrowLayerNotInitialised(const char* file, int line) {
    throw InternalException(file, line, "The OpenCL layer is not initialised");
}

}  // namespace detail

namespace {

// In enumeration order; the index of a token is its value.
const char* const kTokens[] = {
    "CL_VERSION_1_0",
    "CL_VERSION_1_1",
    "cl_amd_device_attribute_query",
    "cl_amd_fp64",
    "cl_amd_media_ops",
    "cl_ext_device_fission",
    "cl_ext_migrate_memobject",
    "cl_khr_fp16",
    "cl_khr_fp64",
    "cl_khr_gl_event",
    "cl_khr_gl_sharing",
    "cl_khr_icd",
    "cl_nv_device_attribute_query",
};
const int kTokenCount = static_cast<int>(sizeof(kTokens) / sizeof(kTokens[0]));

template <class Function>
bool Resolve(void* library, Function& slot, const char* name) {
    slot = reinterpret_cast<Function>(detail::LoaderSymbol(library, name));
    return slot != nullptr;
}

// "OpenCL 1.2 vendor": the three characters from position 7 hold major, point and minor.
std::pair<unsigned, unsigned> ParsePlatformVersion(const std::string& text) {
    const std::string digits = text.size() > 7 ? text.substr(7, 3) : std::string();
    const std::size_t point = digits.find('.');
    const auto number = [](const std::string& piece) {
        return static_cast<unsigned>(std::strtoul(piece.c_str(), nullptr, 10));
    };
    if (point == std::string::npos) {
        return {number(digits), 0u};
    }
    return {number(digits.substr(0, point)), number(digits.substr(point + 1))};
}

}  // namespace

// Every name of a group is looked up, even after one is missing, so that the table shows
// exactly what the loader exports.
#define VEK_OCL_RESOLVE(name) found = Resolve(library_, table_->name, #name) && found;
#define VEK_OCL_DEFINE_INIT(group)                           \
    bool ExtensionManager::init_##group() {                  \
        bool found = true;                                   \
        VEK_OCL_GROUP_##group(VEK_OCL_RESOLVE) return found; \
    }

VEK_OCL_DEFINE_INIT(CL_VERSION_1_0)
VEK_OCL_DEFINE_INIT(CL_VERSION_1_1)
VEK_OCL_DEFINE_INIT(cl_ext_device_fission)
VEK_OCL_DEFINE_INIT(cl_ext_migrate_memobject)
VEK_OCL_DEFINE_INIT(cl_khr_gl_event)
VEK_OCL_DEFINE_INIT(cl_khr_gl_sharing)
VEK_OCL_DEFINE_INIT(cl_khr_icd)

#undef VEK_OCL_DEFINE_INIT
#undef VEK_OCL_RESOLVE

ExtensionManager::ExtensionManager(void* library)
    : library_(library), table_(VEK_NEW(FunctionTable)()) {
    VEK_ASSERT(table_ != 0);
    if (!init_CL_VERSION_1_0()) {
        // The block of this object is given back by the allocation; the table is ours.
        VEK_DELETE(table_);
        table_ = nullptr;
        const bool isInitialized = false;
        VEK_ASSERT(isInitialized);
    }
}

ExtensionManager::~ExtensionManager() {
    VEK_DELETE(table_);
}

ExtensionManager* ExtensionManager::create(void* library) {
    VEK_ASSERT(library);
    VEK_ASSERT(extMgrInstance_ == 0);
    extMgrInstance_ = VEK_NEW(ExtensionManager)(library);
    VEK_ASSERT(extMgrInstance_);

    // A start-up that fails past this point leaves no manager behind, so that the layer can
    // be started again once the cause is gone.
    try {
        const FunctionTable& t = extMgrInstance_->table();
        cl_uint count = 0;
        cl_int error = t.clGetPlatformIDs(0, nullptr, &count);
        VEK_ASSERT(CL_SUCCESS == error);
        std::vector<cl_platform_id> ids(count);
        error = t.clGetPlatformIDs(count, ids.data(), &count);
        VEK_ASSERT(CL_SUCCESS == error);
        ids.resize(std::min<std::size_t>(ids.size(), count));

        std::vector<std::pair<unsigned, unsigned>> platformVersions;
        for (cl_platform_id id : ids) {
            std::size_t size = 0;
            error = t.clGetPlatformInfo(id, CL_PLATFORM_VERSION, 0, nullptr, &size);
            VEK_ASSERT(CL_SUCCESS == error);
            std::vector<char> text(size + 1, '\0');
            error = t.clGetPlatformInfo(id, CL_PLATFORM_VERSION, size, text.data(), nullptr);
            VEK_ASSERT(CL_SUCCESS == error);
            platformVersions.push_back(ParsePlatformVersion(text.data()));
        }
        VEK_ASSERT(platformVersions.size() > 0);

        // Only the first platform decides; the layer talks to the loader, not to a platform.
        const std::pair<unsigned, unsigned> first = platformVersions.front();
        if (first.first > 1 || (first.first == 1 && first.second != 0)) {
            extMgrInstance_->init_CL_VERSION_1_1();
        }
    } catch (...) {
        destroy();
        throw;
    }
    return extMgrInstance_;
}

void ExtensionManager::destroy() {
    VEK_DELETE(extMgrInstance_);
    extMgrInstance_ = nullptr;
}

const FunctionTable& ExtensionManager::table() const {
    VEK_ASSERT(table_ != 0);
    return *table_;
}

bool ExtensionManager::initializeCL(Enum::Extension extension) {
    switch (extension) {
        case Enum::VERSION_1_0:
            return init_CL_VERSION_1_0();
        case Enum::VERSION_1_1:
            return init_CL_VERSION_1_1();
        case Enum::ext_device_fission:
            return init_cl_ext_device_fission();
        case Enum::ext_migrate_memobject:
            return init_cl_ext_migrate_memobject();
        case Enum::khr_gl_event:
            return init_cl_khr_gl_event();
        case Enum::khr_gl_sharing:
            return init_cl_khr_gl_sharing();
        case Enum::khr_icd:
            return init_cl_khr_icd();
        default:
            return extension >= 0 && extension < kTokenCount;
    }
}

bool ExtensionManager::zeroSymbolsForExtensionCL(Enum::Extension extension) {
    return extension >= 0 && extension < kTokenCount;
}

Enum::Extension ExtensionManager::nameToExtensionEnum(const std::string& name) const {
    for (int i = 0; i < kTokenCount; ++i) {
        if (name == kTokens[i]) {
            return static_cast<Enum::Extension>(i);
        }
    }
    return Enum::UnknownExtension;
}

Enum::Extension ExtensionManager::nameToExtensionEnum(const char* name) const {
    return name ? nameToExtensionEnum(std::string(name)) : Enum::UnknownExtension;
}

std::string ExtensionManager::ExtensionEnumToString(Enum::Extension extension) {
    if (extension < 0 || extension >= kTokenCount) {
        return std::string();
    }
    return kTokens[extension];
}

void TokenizeExtensionString(const std::string& text, std::vector<std::string>& words) {
    const char* const delimiters = " \t";
    std::size_t start = text.find_first_not_of(delimiters);
    std::size_t end = text.find_first_of(delimiters, start);
    while (start != std::string::npos || end != std::string::npos) {
        words.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        start = text.find_first_not_of(delimiters, end);
        end = text.find_first_of(delimiters, start);
    }
}

namespace detail {

bool ListsExtension(const std::string& text, const std::string& name) {
    std::vector<std::string> words;
    TokenizeExtensionString(text, words);
    return !name.empty() && std::find(words.begin(), words.end(), name) != words.end();
}

}  // namespace detail

}  // namespace OCL
}  // namespace VEK
