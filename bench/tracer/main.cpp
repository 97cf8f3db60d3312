// A traced call against the same call untraced, on one context: glClearColor (four floats, the
// tracer's dearest common line) and glBindTexture (an enumerant and a number). The tracer writes
// to a stream that discards and to /dev/null; a contender that writes the same line through
// stream insertions, as a tracer formatting with the stream would, shows what the stream costs;
// /dev/null with a larger buffer shows the system calls' share of the file sink.
// The contenders run in slices of calls in rotation over many rounds, so that the machine's drift
// falls on all of them alike; each reports its median time per call, the ratio to the untraced
// call and the heap allocations it makes per call.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>
#include <vek/vek_ogl/extensionator/OpenGLTracer.h>

#include "support/GLTestContext.h"
#include "support/HeapCounter.h"
#include "support/Interleaved.h"

namespace {

using VEK::OGL::ExtensionManager;
using VEK::OGL::OpenGLInterceptor;
using VEK::OGL::OpenGLTracer;
using namespace VEKBench;

// A contender whose slices run with the tracer pushed in front of the chain (untimed), or none.
Contender Make(std::string name, std::function<void(long)> slice, OpenGLTracer* tracer) {
    if (tracer == nullptr) {
        return MakeContender(std::move(name), std::move(slice));
    }
    return MakeContender(std::move(name), std::move(slice), [tracer](bool on) {
        ExtensionManager* const manager = ExtensionManager::Instance();
        if (on) {
            manager->addInterceptor(tracer);
        } else {
            manager->popInterceptor();
        }
    });
}

struct Discard : std::streambuf {
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The same line as the tracer writes for glClearColor, through stream insertions.
void StreamClearColor(std::ostream& out, const char* file, unsigned line, const float (&rgba)[4]) {
    out << file << ':' << line << ": glClearColor(";
    for (int i = 0; i < 4; ++i) {
        std::int32_t bits;
        std::memcpy(&bits, &rgba[i], sizeof(bits));
        out << (i == 0 ? "" : ", ") << "makeFloat(" << bits << ") /* " << rgba[i] << " */";
    }
    out << ")\n";
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = static_cast<int>(ParseArgument(argc, argv, "--rounds", 1000));
    const long calls = ParseArgument(argc, argv, "--slice", 2000);

    VEK::Core::AutoInitializer core;
    VEKTest::GLTestContext context;
    VEK::OGL::AutoInitializer ogl;
    ExtensionManager::CurrentTable();  // the context's manager
    GLuint texture = 0;
    glGenTextures(1, &texture);

    Discard discard;
    std::ostream discarding(&discard);
    std::ofstream devNull("/dev/null");
    // The same sink with a larger buffer: fewer system calls per line.
    std::vector<char> largeBuffer(1 << 16);
    std::ofstream devNullLarge;
    devNullLarge.rdbuf()->pubsetbuf(largeBuffer.data(),
                                    static_cast<std::streamsize>(largeBuffer.size()));
    devNullLarge.open("/dev/null");
    if (!devNull || !devNullLarge) {
        std::fprintf(stderr, "cannot open /dev/null\n");
        return 1;
    }
    OpenGLTracer toDiscard(discarding);
    OpenGLTracer toDevNull(devNull);
    OpenGLTracer toDevNullLarge(devNullLarge);
    const float rgba[4] = {0.25f, 0.5f, 0.75f, 1.f};

    const auto clearColor = [&](long n) {
        for (long i = 0; i < n; ++i) {
            OpenGLInterceptor::Instance()->cgmClearColor(__FILE__, __LINE__, rgba[0], rgba[1],
                                                         rgba[2], rgba[3]);
        }
    };
    const auto bindTexture = [&](long n) {
        for (long i = 0; i < n; ++i) {
            OpenGLInterceptor::Instance()->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D,
                                                          texture);
        }
    };

    std::vector<Contender> clears;
    clears.push_back(Make("untraced", clearColor, nullptr));
    clears.push_back(Make("traced, discarding stream", clearColor, &toDiscard));
    clears.push_back(Make("traced, /dev/null", clearColor, &toDevNull));
    clears.push_back(Make("traced, /dev/null, 64 KiB buffer", clearColor, &toDevNullLarge));
    clears.push_back(Make(
        "untraced + line by stream insertions",
        [&](long n) {
            for (long i = 0; i < n; ++i) {
                StreamClearColor(discarding, __FILE__, __LINE__, rgba);
                OpenGLInterceptor::Instance()->cgmClearColor(__FILE__, __LINE__, rgba[0], rgba[1],
                                                             rgba[2], rgba[3]);
            }
        },
        nullptr));
    // Values that change with every call: no two lines alike.
    clears.push_back(Make(
        "traced, discarding, changing values",
        [&](long n) {
            float value = 0.001f;
            for (long i = 0; i < n; ++i) {
                value = value * 1.0001f + 0.0001f;
                OpenGLInterceptor::Instance()->cgmClearColor(__FILE__, __LINE__, value, 1.f - value,
                                                             value * 0.5f, 1.f);
            }
        },
        &toDiscard));

    std::vector<Contender> binds;
    binds.push_back(Make("untraced", bindTexture, nullptr));
    binds.push_back(Make("traced, discarding stream", bindTexture, &toDiscard));
    binds.push_back(Make("traced, /dev/null", bindTexture, &toDevNull));
    binds.push_back(Make("traced, /dev/null, 64 KiB buffer", bindTexture, &toDevNullLarge));

    std::printf("%d rounds of %ld calls per contender, interleaved; medians over rounds\n", rounds,
                calls);
    RunInterleaved(clears, rounds, calls);
    RunInterleaved(binds, rounds, calls);
    PrintInterleaved("glClearColor", clears, clears.front().name);
    PrintInterleaved("glBindTexture", binds, binds.front().name);
    return 0;
}
