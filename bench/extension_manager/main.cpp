// Building an extension manager on a current context (version ladder, every loader, the
// extension list) against GLEW's initialisation on the same context, in one run.
#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>

#include "Glew.h"
#include "support/GLTestContext.h"
#include "support/RatioReporter.h"

namespace {

struct Setup {
    VEK::Core::AutoInitializer core;
    VEKTest::GLTestContext context;
};

Setup& Context() {
    static Setup setup;
    return setup;
}

void BuildExtensionManager(benchmark::State& state) {
    Context();
    for (auto _ : state) {
        // A fresh start forgets the registration, so the next lookup builds a new manager.
        VEK::OGL::Library::Initialize();
        benchmark::DoNotOptimize(&VEK::OGL::ExtensionManager::CurrentTable());
        VEK::OGL::Library::Terminate();
    }
}

void GlewInit(benchmark::State& state) {
    Context();
    for (auto _ : state) {
        if (!GlewInitialize()) {
            state.SkipWithError("glewInit failed");
            break;
        }
    }
}

}  // namespace

BENCHMARK(BuildExtensionManager)->Unit(benchmark::kMicrosecond);
BENCHMARK(GlewInit)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return vekbench::RunWithRatios(argc, argv, {{"BuildExtensionManager", "GlewInit"}});
}
