// Checked calls per second through the library's interceptor chain with one thread and with two,
// each thread on a context of its own, against raw calls followed by glGetError measured the same
// way. One-thread and two-thread phases alternate over many rounds so that the machine's drift
// falls on both; the scaling factor is the two-thread rate over the one-thread rate. The driver
// may not scale on its own, so the library's scaling is also given relative to the raw calls'. On a
// loaded machine the wall-clock rate also measures the other work, so the CPU time per call of each
// thread is reported too: if it stays flat from one thread to two, the threads do not contend (no
// cache line written by both per call).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>

#include "support/GLTestContext.h"
#include "support/Interleaved.h"

namespace {

using VEK::OGL::OpenGLInterceptor;
using Clock = std::chrono::steady_clock;
using namespace VEKBench;

enum class Call { kRawBindTexture, kBindTexture, kRawBindBuffer, kBindBuffer };

// A thread's context and the names it binds; made on the main thread, current on the worker.
struct Worker {
    VEKTest::GLTestContext context;
    GLuint texture = 0;
    GLuint buffer = 0;
    // Looked up once, as an application with its own loader would.
    void (*bindBuffer)(GLenum, GLuint) = nullptr;
    double cpuSeconds = 0;
};

void Calls(Worker& worker, Call call, long calls) {
    worker.context.makeCurrent();
    OpenGLInterceptor* const chain = OpenGLInterceptor::Instance();
    const double before = ThreadCpuSeconds();
    switch (call) {
        case Call::kRawBindTexture:
            for (long i = 0; i < calls; ++i) {
                glBindTexture(GL_TEXTURE_2D, worker.texture);
                benchmark::DoNotOptimize(glGetError());
            }
            break;
        case Call::kBindTexture:
            for (long i = 0; i < calls; ++i) {
                chain->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, worker.texture);
            }
            break;
        case Call::kRawBindBuffer:
            for (long i = 0; i < calls; ++i) {
                worker.bindBuffer(GL_ARRAY_BUFFER, worker.buffer);
                benchmark::DoNotOptimize(glGetError());
            }
            break;
        case Call::kBindBuffer:
            for (long i = 0; i < calls; ++i) {
                chain->cgmBindBuffer(__FILE__, __LINE__, GL_ARRAY_BUFFER, worker.buffer);
            }
            break;
    }
    worker.cpuSeconds = ThreadCpuSeconds() - before;
    wglMakeCurrent(nullptr, nullptr);
}

struct Phase {
    double callsPerSecond;
    double cpuNsPerCall;  // the mean over the phase's threads
    double cpusUsed;      // the threads' CPU time over the wall-clock time: 2 when both had a core
};

// threads workers each make calls checked calls at once, each on its own thread.
Phase RunPhase(std::vector<std::unique_ptr<Worker>>& workers, std::size_t threads, Call call,
               long calls) {
    std::vector<std::thread> running;
    const auto start = Clock::now();
    for (std::size_t i = 0; i < threads; ++i) {
        running.emplace_back(Calls, std::ref(*workers[i]), call, calls);
    }
    for (std::thread& t : running) {
        t.join();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    double cpu = 0;
    for (std::size_t i = 0; i < threads; ++i) {
        cpu += workers[i]->cpuSeconds;
    }
    const double total = static_cast<double>(calls) * static_cast<double>(threads);
    return {total / seconds, cpu * 1e9 / total, cpu / seconds};
}

// The phases of one kind of call over the rounds.
struct Series {
    std::vector<double> rate1, rate2, cpu1, cpu2, used1, used2, scaling;

    void add(const Phase& one, const Phase& two) {
        rate1.push_back(one.callsPerSecond);
        rate2.push_back(two.callsPerSecond);
        cpu1.push_back(one.cpuNsPerCall);
        cpu2.push_back(two.cpuNsPerCall);
        used1.push_back(one.cpusUsed);
        used2.push_back(two.cpusUsed);
        scaling.push_back(two.callsPerSecond / one.callsPerSecond);
    }

    void print(const char* title) const {
        std::printf("\n%s\n", title);
        std::printf("%-10s %16s %14s %10s\n", "threads", "calls/s", "cpu ns/call", "cpus used");
        std::printf("%-10d %16.0f %14.2f %10.2f\n", 1, Median(rate1), Median(cpu1), Median(used1));
        std::printf("%-10d %16.0f %14.2f %10.2f\n", 2, Median(rate2), Median(cpu2), Median(used2));
        std::printf(
            "scaling (median of per-round ratios): %.3f   cpu per call, 2 threads / 1: "
            "%.3f\n",
            Median(scaling), Median(cpu2) / Median(cpu1));
    }
};

// Raw and checked calls of one entry point, their phases interleaved round by round (the order
// alternating) so that the machine's drift falls on both alike.
void Measure(const char* name, std::vector<std::unique_ptr<Worker>>& workers, Call raw,
             Call checked, int rounds, long calls) {
    Series rawSeries, checkedSeries;
    std::vector<double> relative;
    for (int round = 0; round < rounds; ++round) {
        const bool rawFirst = round % 2 == 0;
        Series& first = rawFirst ? rawSeries : checkedSeries;
        Series& second = rawFirst ? checkedSeries : rawSeries;
        const Call firstCall = rawFirst ? raw : checked;
        const Call secondCall = rawFirst ? checked : raw;
        const Phase one = RunPhase(workers, 1, firstCall, calls);
        const Phase two = RunPhase(workers, 2, firstCall, calls);
        first.add(one, two);
        const Phase three = RunPhase(workers, 1, secondCall, calls);
        const Phase four = RunPhase(workers, 2, secondCall, calls);
        second.add(three, four);
        relative.push_back(checkedSeries.scaling.back() / rawSeries.scaling.back());
    }
    const std::string title(name);
    rawSeries.print((title + ", raw + glGetError").c_str());
    checkedSeries.print((title + ", checked").c_str());
    std::printf("checked scaling over raw scaling (median of per-round ratios): %.3f\n",
                Median(relative));
    std::printf("checked cpu per call over raw, 1 thread: %.3f, 2 threads: %.3f\n",
                Median(checkedSeries.cpu1) / Median(rawSeries.cpu1),
                Median(checkedSeries.cpu2) / Median(rawSeries.cpu2));
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = static_cast<int>(ParseArgument(argc, argv, "--rounds", 21));
    const long calls = ParseArgument(argc, argv, "--calls", 2000000);

    VEK::Core::AutoInitializer core;
    VEK::OGL::AutoInitializer ogl;
    std::vector<std::unique_ptr<Worker>> workers;
    for (int i = 0; i < 2; ++i) {
        workers.push_back(std::make_unique<Worker>());
        Worker& worker = *workers.back();
        glGenTextures(1, &worker.texture);
        const VEK::OGL::FunctionTable& table = VEK::OGL::ExtensionManager::CurrentTable();
        table.glGenBuffers(1, &worker.buffer);
        worker.bindBuffer = table.glBindBuffer;
    }
    wglMakeCurrent(nullptr, nullptr);

    std::printf(
        "%d rounds of %ld calls per thread, one- and two-thread phases alternating; "
        "medians over rounds\n",
        rounds, calls);
    Measure("glBindTexture (OpenGL 1.1)", workers, Call::kRawBindTexture, Call::kBindTexture,
            rounds, calls);
    Measure("glBindBuffer (function table)", workers, Call::kRawBindBuffer, Call::kBindBuffer,
            rounds, calls);
    return 0;
}
