#include <ostream>

#include <vek/core/CoreLibrary.h>

#include "Sections.h"

namespace vekinfo {

void PrintCore(std::ostream& out, const Options&) {
    out << "VEK " << VEK::VersionString() << "\n";
    out << "  SSE2: " << (VEK::SupportsSSE() ? "yes" : "no") << "\n";
    VEK::Core::Library::Initialize();
    out << "  core started: " << (VEK::Core::Library::IsInitialized() ? "yes" : "no") << "\n";
    VEK::Core::Library::Terminate();
    out << "  core stopped: " << (VEK::Core::Library::IsInitialized() ? "no" : "yes") << "\n";
}

}  // namespace vekinfo
