#include <ostream>
#include <string>

#include <vek/core/CoreLibrary.h>

#include "JsonWriter.h"
#include "Sections.h"

namespace vekinfo {

namespace {

struct Core {
    std::string version;
    bool sse2;
    bool started;
    bool stopped;
};

Core CheckCore() {
    Core core;
    core.version = VEK::VersionString();
    core.sse2 = VEK::SupportsSSE();
    VEK::Core::Library::Initialize();
    core.started = VEK::Core::Library::IsInitialized();
    VEK::Core::Library::Terminate();
    core.stopped = !VEK::Core::Library::IsInitialized();
    return core;
}

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

}  // namespace

void PrintCore(std::ostream& out, const Options&) {
    const Core core = CheckCore();
    out << "VEK " << core.version << "\n";
    out << "  SSE2: " << YesNo(core.sse2) << "\n";
    out << "  core started: " << YesNo(core.started) << "\n";
    out << "  core stopped: " << YesNo(core.stopped) << "\n";
}

// The version is the document's own member; see main.cpp.
void WriteCore(JsonWriter& json, const Options&) {
    const Core core = CheckCore();
    json.member("sse2", core.sse2);
    json.member("started", core.started);
    json.member("stopped", core.stopped);
}

}  // namespace vekinfo
