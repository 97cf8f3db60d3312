// Instructions per call of a checked call against the raw call, with and without glGetError,
// for glBindTexture (OpenGL 1.1) and glBindBuffer (the function table). Times on a shared
// machine wander; instruction counts do not. Each variant runs in a function of its own so that
// callgrind counts it apart: under callgrind each measured loop (after a warm-up) is dumped on
// its own, and count.sh beside this file divides each dump's total by the calls:
//
//   bench/intercept_count/count.sh build/bench/intercept_count/bench_intercept_count [calls]
//
// A loop's own increment and branch are included, the same in every variant. Run without
// valgrind, the program prints the time per call of each loop once, a rough check only.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>

#include "support/GLTestContext.h"

namespace {

using VEK::OGL::OpenGLInterceptor;

struct Names {
    GLuint texture = 0;
    GLuint buffer = 0;
    void (*bindBuffer)(GLenum, GLuint) = nullptr;
};

#define VEK_COUNT_LOOP __attribute__((noinline))

VEK_COUNT_LOOP void RawBindTextureLoop(const Names& names, long calls) {
    for (long i = 0; i < calls; ++i) {
        glBindTexture(GL_TEXTURE_2D, names.texture);
    }
}

VEK_COUNT_LOOP void RawErrorBindTextureLoop(const Names& names, long calls) {
    for (long i = 0; i < calls; ++i) {
        glBindTexture(GL_TEXTURE_2D, names.texture);
        benchmark::DoNotOptimize(glGetError());
    }
}

VEK_COUNT_LOOP void CheckedBindTextureLoop(const Names& names, long calls) {
    for (long i = 0; i < calls; ++i) {
        OpenGLInterceptor::Instance()->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D,
                                                      names.texture);
    }
}

// The raw caller looks its pointer up once, as an application with its own loader would.
VEK_COUNT_LOOP void RawBindBufferLoop(const Names& names, long calls) {
    for (long i = 0; i < calls; ++i) {
        names.bindBuffer(GL_ARRAY_BUFFER, names.buffer);
    }
}

VEK_COUNT_LOOP void RawErrorBindBufferLoop(const Names& names, long calls) {
    for (long i = 0; i < calls; ++i) {
        names.bindBuffer(GL_ARRAY_BUFFER, names.buffer);
        benchmark::DoNotOptimize(glGetError());
    }
}

VEK_COUNT_LOOP void CheckedBindBufferLoop(const Names& names, long calls) {
    for (long i = 0; i < calls; ++i) {
        OpenGLInterceptor::Instance()->cgmBindBuffer(__FILE__, __LINE__, GL_ARRAY_BUFFER,
                                                     names.buffer);
    }
}

long ParseCalls(int argc, char** argv) {
    const char name[] = "--calls=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], name, sizeof name - 1) == 0) {
            char* end = nullptr;
            const long value = std::strtol(argv[i] + sizeof name - 1, &end, 10);
            if (end == argv[i] + sizeof name - 1 || *end != '\0' || value <= 0) {
                std::fprintf(stderr, "--calls needs a positive whole number\n");
                std::exit(2);
            }
            return value;
        }
    }
    return 1000000;
}

void Run(const char* name, void (*loop)(const Names&, long), const Names& names, long calls) {
    loop(names, calls / 10 + 1);  // warm-up: every lookup cached, every page touched
    CALLGRIND_ZERO_STATS;
    const auto start = std::chrono::steady_clock::now();
    loop(names, calls);
    CALLGRIND_DUMP_STATS_AT(name);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-26s %10.2f ns/call\n", name, seconds * 1e9 / static_cast<double>(calls));
}

}  // namespace

int main(int argc, char** argv) {
    const long calls = ParseCalls(argc, argv);
    VEK::Core::AutoInitializer core;
    VEKTest::GLTestContext context;
    VEK::OGL::AutoInitializer ogl;
    Names names;
    glGenTextures(1, &names.texture);
    const VEK::OGL::FunctionTable& table = VEK::OGL::ExtensionManager::CurrentTable();
    table.glGenBuffers(1, &names.buffer);
    names.bindBuffer = table.glBindBuffer;

    std::printf("%ld calls per loop\n", calls);
    Run("RawBindTextureLoop", RawBindTextureLoop, names, calls);
    Run("RawErrorBindTextureLoop", RawErrorBindTextureLoop, names, calls);
    Run("CheckedBindTextureLoop", CheckedBindTextureLoop, names, calls);
    Run("RawBindBufferLoop", RawBindBufferLoop, names, calls);
    Run("RawErrorBindBufferLoop", RawErrorBindBufferLoop, names, calls);
    Run("CheckedBindBufferLoop", CheckedBindBufferLoop, names, calls);
    return 0;
}
