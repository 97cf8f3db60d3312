// A build without the peers' loaders (Windows: Debian has no mingw-w64 builds of them) compares
// the library with the raw call and the floor alone.
#include "Peers.h"

namespace peers {

void AddLoaderContenders(std::vector<VEKBench::Contender>&, std::vector<VEKBench::Contender>&,
                         unsigned, unsigned) {}

long LoaderErrors() {
    return 0;
}

}  // namespace peers
