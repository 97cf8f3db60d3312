// A checked call through the library's interceptor chain against the same call made raw, through
// glbinding and through libepoxy, all on one context. The contenders run in slices of calls in
// rotation over many rounds, so that the machine's drift falls on all of them alike; each reports
// its median time per call, the ratio to the raw call followed by glGetError, and the heap
// allocations it makes per call.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>

#include "Peers.h"
#include "support/GLTestContext.h"
#include "support/HeapCounter.h"

namespace {

using VEK::OGL::OpenGLInterceptor;
using Slice = std::function<void(long calls)>;

struct Contender {
    std::string name;
    Slice slice;
    std::function<void(bool)> around;  // set up before and undone after each slice, untimed
    std::vector<double> realNs;
    std::vector<double> cpuNs;
    long allocations = 0;
    long calls = 0;
};

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
    if (c.around) {
        c.around(true);
    }
    const long allocationsBefore = VEKTest::HeapCounter::Process();
    const double cpuBefore = ThreadCpuSeconds();
    const auto before = std::chrono::steady_clock::now();
    c.slice(calls);
    const auto after = std::chrono::steady_clock::now();
    const double cpuAfter = ThreadCpuSeconds();
    c.allocations += VEKTest::HeapCounter::Process() - allocationsBefore;
    if (c.around) {
        c.around(false);
    }
    c.realNs.push_back(std::chrono::duration<double, std::nano>(after - before).count() /
                       static_cast<double>(calls));
    c.cpuNs.push_back((cpuAfter - cpuBefore) * 1e9 / static_cast<double>(calls));
    c.calls += calls;
}

// Slices are short (a millisecond or so) so that preemption on a loaded machine seldom falls
// inside one and the median stays clear of it.
// Rotates the starting contender every round so that none always follows the same one.
void Run(std::vector<Contender>& contenders, int rounds, long calls) {
    for (Contender& c : contenders) {  // warm-up: resolves lazily bound entry points
        c.slice(calls / 10 + 1);
    }
    const std::size_t n = contenders.size();
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < n; ++i) {
            RunSlice(contenders[(i + static_cast<std::size_t>(round)) % n], calls);
        }
    }
}

void Print(const char* title, const std::vector<Contender>& contenders, const std::string& base) {
    double baseReal = 0;
    double baseCpu = 0;
    for (const Contender& c : contenders) {
        if (c.name == base) {
            baseReal = Median(c.realNs);
            baseCpu = Median(c.cpuNs);
        }
    }
    std::printf("\n%s (ratios to %s)\n", title, base.c_str());
    std::printf("%-34s %10s %8s %10s %8s %12s\n", "contender", "ns/call", "ratio", "cpu ns",
                "ratio", "allocs/call");
    for (const Contender& c : contenders) {
        const double real = Median(c.realNs);
        const double cpu = Median(c.cpuNs);
        std::printf("%-34s %10.2f %8.3f %10.2f %8.3f %12.4f\n", c.name.c_str(), real,
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

}  // namespace

int main(int argc, char** argv) {
    const int rounds = static_cast<int>(ParseArgument(argc, argv, "--rounds", 500));
    const long calls = ParseArgument(argc, argv, "--slice", 10000);

    VEK::Core::AutoInitializer core;
    VEKTest::GLTestContext context;
    VEK::OGL::AutoInitializer ogl;
    GLuint texture = 0;
    GLuint buffer = 0;
    glGenTextures(1, &texture);
    VEK::OGL::ExtensionManager::CurrentTable().glGenBuffers(1, &buffer);
    peers::GlbindingInitialize();

    OpenGLInterceptor* const chain = OpenGLInterceptor::Instance();
    // The raw caller looks its pointer up once, as an application with its own loader would.
    const auto bindBuffer = VEK::OGL::ExtensionManager::CurrentTable().glBindBuffer;
    long rawErrors = 0;
    const auto glbindingChecks = [](bool on) { peers::GlbindingCheckErrors(on); };

    std::vector<Contender> textures;
    textures.push_back({"raw",
                        [&](long n) {
                            for (long i = 0; i < n; ++i) {
                                glBindTexture(GL_TEXTURE_2D, texture);
                            }
                        },
                        {},
                        {},
                        {},
                        0,
                        0});
    textures.push_back({"raw + glGetError",
                        [&](long n) {
                            for (long i = 0; i < n; ++i) {
                                glBindTexture(GL_TEXTURE_2D, texture);
                                rawErrors += glGetError() != GL_NO_ERROR;
                            }
                        },
                        {},
                        {},
                        {},
                        0,
                        0});
    textures.push_back({"vek checked",
                        [&](long n) {
                            for (long i = 0; i < n; ++i) {
                                chain->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
                            }
                        },
                        {},
                        {},
                        {},
                        0,
                        0});
    textures.push_back({"glbinding after-callback",
                        [&](long n) { peers::GlbindingBindTexture(n, GL_TEXTURE_2D, texture); },
                        glbindingChecks,
                        {},
                        {},
                        0,
                        0});
    textures.push_back(
        {"glbinding + glGetError",
         [&](long n) { peers::GlbindingBindTextureGetError(n, GL_TEXTURE_2D, texture); },
         {},
         {},
         {},
         0,
         0});
    textures.push_back({"epoxy + glGetError",
                        [&](long n) { peers::EpoxyBindTextureGetError(n, GL_TEXTURE_2D, texture); },
                        {},
                        {},
                        {},
                        0,
                        0});

    std::vector<Contender> buffers;
    buffers.push_back({"raw",
                       [&](long n) {
                           for (long i = 0; i < n; ++i) {
                               bindBuffer(GL_ARRAY_BUFFER, buffer);
                           }
                       },
                       {},
                       {},
                       {},
                       0,
                       0});
    buffers.push_back({"raw + glGetError",
                       [&](long n) {
                           for (long i = 0; i < n; ++i) {
                               bindBuffer(GL_ARRAY_BUFFER, buffer);
                               rawErrors += glGetError() != GL_NO_ERROR;
                           }
                       },
                       {},
                       {},
                       {},
                       0,
                       0});
    buffers.push_back({"vek checked",
                       [&](long n) {
                           for (long i = 0; i < n; ++i) {
                               chain->cgmBindBuffer(__FILE__, __LINE__, GL_ARRAY_BUFFER, buffer);
                           }
                       },
                       {},
                       {},
                       {},
                       0,
                       0});
    buffers.push_back({"glbinding after-callback",
                       [&](long n) { peers::GlbindingBindBuffer(n, GL_ARRAY_BUFFER, buffer); },
                       glbindingChecks,
                       {},
                       {},
                       0,
                       0});
    buffers.push_back(
        {"glbinding + glGetError",
         [&](long n) { peers::GlbindingBindBufferGetError(n, GL_ARRAY_BUFFER, buffer); },
         {},
         {},
         {},
         0,
         0});
    buffers.push_back({"epoxy + glGetError",
                       [&](long n) { peers::EpoxyBindBufferGetError(n, GL_ARRAY_BUFFER, buffer); },
                       {},
                       {},
                       {},
                       0,
                       0});

    std::printf("%d rounds of %ld calls per contender, interleaved; medians over rounds\n", rounds,
                calls);
    Run(textures, rounds, calls);
    Run(buffers, rounds, calls);
    Print("glBindTexture (OpenGL 1.1)", textures, "raw + glGetError");
    Print("glBindBuffer (function table)", buffers, "raw + glGetError");

    const long errors = rawErrors + peers::GlbindingErrors() + peers::EpoxyErrors();
    if (errors != 0) {
        std::fprintf(stderr, "%ld calls raised a GL error: the figures are not valid\n", errors);
        return 1;
    }
    return 0;
}
