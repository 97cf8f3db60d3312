#include "vek/vek_ocl/LoaderModule.h"

#include <dlfcn.h>
#include <gnu/libc-version.h>

#include "vek/core/utility/Sanitizers.h"

namespace VEK {
namespace OCL {
namespace detail {

const char* const kLoaderFileName = "libOpenCL.so.1";

namespace {

// Under AddressSanitizer a closed loader stays mapped: the ICD loader keeps its vendor records
// past its closing, and once unmapped they would be reported as leaks of an unknown module that
// no suppression can name. Mapped, its own data still reaches them.
#ifdef VEK_ADDRESS_SANITIZER
constexpr int kKeepMapped = RTLD_NODELETE;
#else
constexpr int kKeepMapped = 0;
#endif

}  // namespace

std::string SystemLibraryDirectory() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&gnu_get_libc_version), &info) == 0 ||
        info.dli_fname == nullptr) {
        return std::string();
    }
    const std::string file(info.dli_fname);
    const std::size_t slash = file.rfind('/');
    if (slash == std::string::npos || slash == 0) {
        return std::string();
    }
    return file.substr(0, slash);
}

void* OpenLoader(const std::string& prefix) {
    std::string path;
    if (!prefix.empty()) {
        path = prefix + kLoaderFileName;
        // A name without a slash would make dlopen search the library path; the prefix names
        // a place, relative to the working directory at most.
        if (path.find('/') == std::string::npos) {
            path = "./" + path;
        }
    } else {
        const std::string directory = SystemLibraryDirectory();
        if (directory.empty()) {
            return nullptr;
        }
        path = directory + "/" + kLoaderFileName;
    }
    // RTLD_LOCAL: the loader's symbols must not satisfy anyone else's lookups.
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | kKeepMapped);
}

void* LoaderSymbol(void* module, const char* name) {
    return module ? dlsym(module, name) : nullptr;
}

void CloseLoader(void* module) {
    if (module) {
        dlclose(module);
    }
}

}  // namespace detail
}  // namespace OCL
}  // namespace VEK
