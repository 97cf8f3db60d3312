// Setting 10,000 uniforms through the checked setters, the _Unsafe setters and the raw entry
// points, on the same context and program in one run.
#include <array>
#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/ogl/ProgramOGL.h>

#include "support/GLTestContext.h"
#include "support/RatioReporter.h"

namespace {

constexpr int kElements = 100;    // vec4 u[100]: 100 locations, set in turn
constexpr int kUniforms = 10000;  // setter calls per iteration

const char* const kVertex =
    "#version 330\n"
    "void main() { gl_Position = vec4(0.0); }\n";
const char* const kFragment =
    "#version 330\n"
    "uniform vec4 u[100];\n"
    "out vec4 colour;\n"
    "void main() {\n"
    "    vec4 sum = vec4(0.0);\n"
    "    for (int i = 0; i < 100; ++i) { sum += u[i]; }\n"
    "    colour = sum;\n"
    "}\n";

struct Setup {
    VEK::Core::AutoInitializer core;
    VEKTest::GLTestContext context;
    VEK::OGL::AutoInitializer ogl;
    VEK::OGL::Program program;
    std::array<int, kElements> locations{};
    std::array<std::string, kElements> names;

    Setup() {
        const char* vertex[] = {kVertex};
        const char* fragment[] = {kFragment};
        program.loadVertexShader(1, vertex, nullptr);
        program.loadFragmentShader(1, fragment, nullptr);
        program.link(true);
        program.enable();
        for (int i = 0; i < kElements; ++i) {
            names[i] = "u[" + std::to_string(i) + "]";
            locations[i] = program.getUniformLocation(names[i].c_str());
        }
    }
};

Setup& Context() {
    static Setup setup;
    return setup;
}

// The raw caller looks its entry point up once, as an application with its own loader would,
// and asks for errors after each call as the library's checker does.
void RawWithErrorCheck(benchmark::State& state) {
    Setup& s = Context();
    const auto uniform4f = VEK::OGL::ExtensionManager::CurrentTable().glUniform4f;
    for (auto _ : state) {
        for (int n = 0; n < kUniforms; ++n) {
            uniform4f(s.locations[n % kElements], float(n), 1.f, 2.f, 3.f);
            benchmark::DoNotOptimize(glGetError());
        }
    }
    state.SetItemsProcessed(state.iterations() * kUniforms);
}

// The same without asking for errors: what OpenGL itself costs.
void RawUnchecked(benchmark::State& state) {
    Setup& s = Context();
    const auto uniform4f = VEK::OGL::ExtensionManager::CurrentTable().glUniform4f;
    for (auto _ : state) {
        for (int n = 0; n < kUniforms; ++n) {
            uniform4f(s.locations[n % kElements], float(n), 1.f, 2.f, 3.f);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kUniforms);
}

void UnsafeByLocation(benchmark::State& state) {
    Setup& s = Context();
    for (auto _ : state) {
        for (int n = 0; n < kUniforms; ++n) {
            s.program.setUniform_Unsafe(s.locations[n % kElements], float(n), 1.f, 2.f, 3.f);
        }
    }
    state.SetItemsProcessed(state.iterations() * kUniforms);
}

void CheckedByLocation(benchmark::State& state) {
    Setup& s = Context();
    for (auto _ : state) {
        for (int n = 0; n < kUniforms; ++n) {
            s.program.setUniform(s.locations[n % kElements], float(n), 1.f, 2.f, 3.f);
        }
    }
    state.SetItemsProcessed(state.iterations() * kUniforms);
}

void UnsafeByName(benchmark::State& state) {
    Setup& s = Context();
    for (auto _ : state) {
        for (int n = 0; n < kUniforms; ++n) {
            s.program.setUniform_Unsafe(s.names[n % kElements].c_str(), float(n), 1.f, 2.f, 3.f);
        }
    }
    state.SetItemsProcessed(state.iterations() * kUniforms);
}

void CheckedByName(benchmark::State& state) {
    Setup& s = Context();
    for (auto _ : state) {
        for (int n = 0; n < kUniforms; ++n) {
            s.program.setUniform(s.names[n % kElements].c_str(), float(n), 1.f, 2.f, 3.f);
        }
    }
    state.SetItemsProcessed(state.iterations() * kUniforms);
}

}  // namespace

BENCHMARK(RawUnchecked)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawWithErrorCheck)->Unit(benchmark::kMicrosecond);
BENCHMARK(UnsafeByLocation)->Unit(benchmark::kMicrosecond);
BENCHMARK(CheckedByLocation)->Unit(benchmark::kMicrosecond);
BENCHMARK(UnsafeByName)->Unit(benchmark::kMicrosecond);
BENCHMARK(CheckedByName)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    vekbench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {"UnsafeByLocation", "RawWithErrorCheck"},  {"UnsafeByLocation", "RawUnchecked"},
        {"RawWithErrorCheck", "RawUnchecked"},      {"CheckedByLocation", "UnsafeByLocation"},
        {"CheckedByLocation", "RawWithErrorCheck"}, {"UnsafeByName", "UnsafeByLocation"},
        {"CheckedByName", "UnsafeByLocation"}};
    // Real time, and processor time, which a loaded machine disturbs less.
    reporter.printRatios(pairs);
    reporter.printRatios(pairs, true);
    benchmark::Shutdown();
    return 0;
}
