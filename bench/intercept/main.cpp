// Cost of a call through the interceptor chain against the raw call followed by glGetError,
// on the same context in one run; and the tracer's cost into a stream that discards.
#include <ostream>
#include <streambuf>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLTracer.h>

#include "support/GLTestContext.h"
#include "support/HeapCounter.h"
#include "support/RatioReporter.h"

namespace {

using VEK::OGL::OpenGLInterceptor;

struct Discard : std::streambuf {
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

struct Setup {
    VEK::Core::AutoInitializer core;
    VEKTest::GLTestContext context;
    VEK::OGL::AutoInitializer ogl;
    GLuint texture = 0;
    GLuint buffer = 0;
    Setup() {
        glGenTextures(1, &texture);
        VEK::OGL::ExtensionManager::CurrentTable().glGenBuffers(1, &buffer);
    }
};

Setup& Context() {
    static Setup setup;
    return setup;
}

void CountAllocations(benchmark::State& state, long before) {
    if (!VEKTest::HeapCounter::Available()) {
        return;
    }
    state.counters["allocs/call"] = static_cast<double>(VEKTest::HeapCounter::Process() - before) /
                                    static_cast<double>(state.iterations());
}

void RawBindTexture(benchmark::State& state) {
    const GLuint texture = Context().texture;
    const long before = VEKTest::HeapCounter::Process();
    for (auto _ : state) {
        glBindTexture(GL_TEXTURE_2D, texture);
        benchmark::DoNotOptimize(glGetError());
    }
    CountAllocations(state, before);
}

void ChainBindTexture(benchmark::State& state) {
    const GLuint texture = Context().texture;
    const long before = VEKTest::HeapCounter::Process();
    for (auto _ : state) {
        OpenGLInterceptor::Instance()->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
    }
    CountAllocations(state, before);
}

void RawBindBuffer(benchmark::State& state) {
    const GLuint buffer = Context().buffer;
    // The raw caller looks its pointer up once, as an application with its own loader would.
    const auto bindBuffer = VEK::OGL::ExtensionManager::CurrentTable().glBindBuffer;
    const long before = VEKTest::HeapCounter::Process();
    for (auto _ : state) {
        bindBuffer(GL_ARRAY_BUFFER, buffer);
        benchmark::DoNotOptimize(glGetError());
    }
    CountAllocations(state, before);
}

// The table lookup alone, without the chain's virtual call: what the current-context lookup
// costs on its own.
void LookupBindBuffer(benchmark::State& state) {
    const GLuint buffer = Context().buffer;
    const long before = VEKTest::HeapCounter::Process();
    for (auto _ : state) {
        VEK::OGL::ExtensionManager::CurrentTable().glBindBuffer(GL_ARRAY_BUFFER, buffer);
        benchmark::DoNotOptimize(glGetError());
    }
    CountAllocations(state, before);
}

void ChainBindBuffer(benchmark::State& state) {
    const GLuint buffer = Context().buffer;
    const long before = VEKTest::HeapCounter::Process();
    for (auto _ : state) {
        OpenGLInterceptor::Instance()->cgmBindBuffer(__FILE__, __LINE__, GL_ARRAY_BUFFER, buffer);
    }
    CountAllocations(state, before);
}

template <void (*Call)(GLuint)>
void Traced(benchmark::State& state, GLuint name) {
    Discard discard;
    std::ostream stream(&discard);
    VEK::OGL::OpenGLTracer tracer(stream);
    VEK::OGL::ExtensionManager* manager = VEK::OGL::ExtensionManager::Instance();
    manager->addInterceptor(&tracer);
    const long before = VEKTest::HeapCounter::Process();
    for (auto _ : state) {
        Call(name);
    }
    CountAllocations(state, before);
    manager->popInterceptor();
}

void CallBindTexture(GLuint texture) {
    OpenGLInterceptor::Instance()->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
}

void CallClearColor(GLuint) {
    OpenGLInterceptor::Instance()->cgmClearColor(__FILE__, __LINE__, 0.25f, 0.5f, 0.75f, 1.f);
}

void UntracedClearColor(benchmark::State& state) {
    Context();
    const long before = VEKTest::HeapCounter::Process();
    for (auto _ : state) {
        CallClearColor(0);
    }
    CountAllocations(state, before);
}

void TracedBindTexture(benchmark::State& state) {
    Traced<CallBindTexture>(state, Context().texture);
}
void TracedClearColor(benchmark::State& state) {
    Traced<CallClearColor>(state, 0);
}

}  // namespace

BENCHMARK(RawBindTexture);
BENCHMARK(ChainBindTexture);
BENCHMARK(RawBindBuffer);
BENCHMARK(LookupBindBuffer);
BENCHMARK(ChainBindBuffer);
BENCHMARK(TracedBindTexture);
BENCHMARK(UntracedClearColor);
BENCHMARK(TracedClearColor);

int main(int argc, char** argv) {
    return vekbench::RunWithRatios(argc, argv,
                                   {{"ChainBindTexture", "RawBindTexture"},
                                    {"LookupBindBuffer", "RawBindBuffer"},
                                    {"ChainBindBuffer", "RawBindBuffer"},
                                    {"TracedBindTexture", "ChainBindTexture"},
                                    {"TracedClearColor", "UntracedClearColor"}});
}
