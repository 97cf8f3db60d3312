// The PNG writer of a build without libpng (mingw-w64 has no package of it).
#include "Png.h"

#include <stdexcept>

namespace vekinfo {

bool CanWritePng() {
    return false;
}

void WritePng(const std::string& path, int, int, const std::vector<std::uint8_t>&) {
    throw std::runtime_error("cannot write " + path + ": this build has no PNG writer");
}

}  // namespace vekinfo
