#pragma once

#include <string>

namespace VEK {
namespace OCL {
namespace detail {

// The OpenCL loader's file name on this platform.
extern const char* const kLoaderFileName;

// The directory the system's own shared libraries are loaded from: that of the C library this
// process runs on (Debian: /lib/x86_64-linux-gnu). Empty when it cannot be told. Asking the C
// library instead of the dynamic linker's search path keeps LD_LIBRARY_PATH and the like out
// of the choice, so that only a prefix the host gives selects another loader.
std::string SystemLibraryDirectory();

// With a prefix, opens the prefix immediately followed by the file name (the prefix must end
// with its own separator); without one, the file in the system library directory. Null when
// nothing could be opened.
void* OpenLoader(const std::string& prefix);
void* LoaderSymbol(void* module, const char* name);
void CloseLoader(void* module);

}  // namespace detail
}  // namespace OCL
}  // namespace VEK
