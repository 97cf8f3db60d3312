// vekinfo: prints what the library sees on this machine.
#include <cstring>
#include <iostream>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/ExceptionBase.h>

namespace {

void PrintCore(std::ostream& out) {
    out << "VEK " << VEK::VersionString() << "\n";
    out << "  SSE2: " << (VEK::SupportsSSE() ? "yes" : "no") << "\n";
    VEK::Core::Library::Initialize();
    out << "  core started: " << (VEK::Core::Library::IsInitialized() ? "yes" : "no") << "\n";
    VEK::Core::Library::Terminate();
    out << "  core stopped: " << (VEK::Core::Library::IsInitialized() ? "no" : "yes") << "\n";
}

void Usage(std::ostream& out) {
    out << "usage: vekinfo [--help]\n";
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            Usage(std::cout);
            return 0;
        }
        std::cerr << "vekinfo: unknown option " << argv[i] << "\n";
        Usage(std::cerr);
        return 2;
    }
    try {
        PrintCore(std::cout);
    } catch (const VEK::ExceptionBase& e) {
        std::cerr << "vekinfo: " << e << "\n";
        return 1;
    }
    return 0;
}
