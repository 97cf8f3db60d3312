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

namespace {

using VEK::OGL::ExtensionManager;
using VEK::OGL::OpenGLInterceptor;
using VEK::OGL::OpenGLTracer;

struct Discard : std::streambuf {
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

struct Contender {
    std::string name;
    std::function<void(long calls)> slice;
    OpenGLTracer* tracer;  // pushed in front of the chain for the slice, untimed; or none
    std::vector<double> realNs;
    std::vector<double> cpuNs;
    long allocations;
    long calls;
};

Contender Make(std::string name, std::function<void(long)> slice, OpenGLTracer* tracer) {
    return Contender{std::move(name), std::move(slice), tracer, {}, {}, 0, 0};
}

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : (n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]));
}

void RunSlice(Contender& c, long calls) {
    ExtensionManager* const manager = ExtensionManager::Instance();
    if (c.tracer != nullptr) {
        manager->addInterceptor(c.tracer);
    }
    const long allocationsBefore = VEKTest::HeapCounter::Process();
    const double cpuBefore = ThreadCpuSeconds();
    const auto before = std::chrono::steady_clock::now();
    c.slice(calls);
    const auto after = std::chrono::steady_clock::now();
    const double cpuAfter = ThreadCpuSeconds();
    c.allocations += VEKTest::HeapCounter::Process() - allocationsBefore;
    if (c.tracer != nullptr) {
        manager->popInterceptor();
    }
    c.realNs.push_back(std::chrono::duration<double, std::nano>(after - before).count() /
                       static_cast<double>(calls));
    c.cpuNs.push_back((cpuAfter - cpuBefore) * 1e9 / static_cast<double>(calls));
    c.calls += calls;
}

// Rotates the starting contender every round so that none always follows the same one.
void Run(std::vector<Contender>& contenders, int rounds, long calls) {
    for (Contender& c : contenders) {  // warm-up
        RunSlice(c, calls / 10 + 1);
        c.realNs.clear();
        c.cpuNs.clear();
        c.allocations = 0;
        c.calls = 0;
    }
    const std::size_t n = contenders.size();
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < n; ++i) {
            RunSlice(contenders[(i + static_cast<std::size_t>(round)) % n], calls);
        }
    }
}

void Print(const char* title, const std::vector<Contender>& contenders) {
    const double baseReal = Median(contenders.front().realNs);
    const double baseCpu = Median(contenders.front().cpuNs);
    std::printf("\n%s (ratios to %s)\n", title, contenders.front().name.c_str());
    std::printf("%-40s %10s %8s %10s %8s %12s\n", "contender", "ns/call", "ratio", "cpu ns",
                "ratio", "allocs/call");
    for (const Contender& c : contenders) {
        const double real = Median(c.realNs);
        const double cpu = Median(c.cpuNs);
        std::printf("%-40s %10.2f %8.3f %10.2f %8.3f %12.4f\n", c.name.c_str(), real,
                    real / baseReal, cpu, cpu / baseCpu,
                    static_cast<double>(c.allocations) / static_cast<double>(c.calls));
    }
}

long ParseArgument(int argc, char** argv, const char* name, long fallback) {
    const std::size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], name, length) == 0 && argv[i][length] == '=') {
            char* end = nullptr;
            const long value = std::strtol(argv[i] + length + 1, &end, 10);
            if (end == argv[i] + length + 1 || *end != '\0' || value <= 0) {
                std::fprintf(stderr, "%s needs a positive whole number\n", name);
                std::exit(2);
            }
            return value;
        }
    }
    return fallback;
}

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
    Run(clears, rounds, calls);
    Run(binds, rounds, calls);
    Print("glClearColor", clears);
    Print("glBindTexture", binds);
    return 0;
}
