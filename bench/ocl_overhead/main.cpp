// Overhead of the OpenCL wrappers: the same loop of small write, kernel and read commands
// through the library's classes and through the raw entry points, on one PoCL context, in one
// run. Prints the ratio of the wrapped to the raw time per iteration.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <vek/vek_ocl/CommandQueue.h>
#include <vek/vek_ocl/ExceptionOCL.h>
#include <vek/vek_ocl/ExtensionManager.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>
#include <vek/vek_ocl/Program.h>

#include "support/RatioReporter.h"

namespace OCL = VEK::OCL;

namespace {

const std::size_t kCount = 64;
const std::size_t kBytes = kCount * sizeof(float);

struct Setup {
    OCL::Device device;
    OCL::Context context;
    OCL::CommandQueue queue;
    OCL::Program program;
    OCL::Kernel kernel;
    OCL::Buffer buffer;
    std::vector<float> host;

    static OCL::Device CpuDevice() {
        for (const OCL::Platform& p : OCL::platforms()) {
            try {
                return p.devices(OCL::Device::DEVICE_TYPE_CPU).front();
            } catch (const OCL::ExceptionOCL&) {
            }
        }
        throw std::runtime_error("no OpenCL CPU device");
    }

    Setup()
        : device(CpuDevice()),
          context(OCL::ContextProperties(device.platform()), device),
          queue(context, device),
          program(context,
                  "__kernel void twice(__global float* d) {"
                  " d[get_global_id(0)] *= 2.0f; }"),
          kernel(build(program)),
          buffer(context, OCL::Memory::ReadWrite, false, kBytes),
          host(kCount, 1.0f) {
        kernel.setArg(0, buffer);
    }
    static OCL::Kernel build(OCL::Program& p) {
        p.build("");
        return p.kernel("twice");
    }
};

Setup* gSetup = nullptr;

void Wrapped(benchmark::State& state) {
    Setup& s = *gSetup;
    const OCL::Range<1> global(kCount), local(0), offset(0);
    for (auto _ : state) {
        s.queue.enqueueWrite(s.buffer, 0, kBytes, s.host.data());
        s.queue.enqueueKernel(s.kernel, global, local, offset);
        s.queue.enqueueBlockingRead(s.buffer, 0, kBytes, s.host.data());
    }
}

// The same loop on the raw entry points: without events, as a C caller writes it, or asking
// for and releasing every command's event, as the wrappers always do.
template <bool kEvents>
void Raw(benchmark::State& state) {
    Setup& s = *gSetup;
    const OCL::FunctionTable& t = OCL::ExtensionManager::instance()->table();
    const cl_command_queue q = s.queue.id();
    const cl_mem b = s.buffer.id();
    const cl_kernel k = s.kernel.id();
    const std::size_t global = kCount;
    cl_event event = nullptr;
    cl_event* const e = kEvents ? &event : nullptr;
    const auto release = [&] {
        if (kEvents) {
            t.clReleaseEvent(event);
        }
    };
    for (auto _ : state) {
        t.clEnqueueWriteBuffer(q, b, CL_FALSE, 0, kBytes, s.host.data(), 0, nullptr, e);
        release();
        t.clEnqueueNDRangeKernel(q, k, 1, nullptr, &global, nullptr, 0, nullptr, e);
        release();
        t.clEnqueueReadBuffer(q, b, CL_TRUE, 0, kBytes, s.host.data(), 0, nullptr, e);
        release();
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Repetitions of the three loops are interleaved, so that the shared machine's drift
    // falls on all of them alike; medians resist the runtime's occasional stalls.
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (!OCL::Library::IsOpenCLAvailable("")) {
        std::fprintf(stderr, "ocl_overhead: no OpenCL runtime\n");
        return 1;
    }
    OCL::Library::Initialize();
    {
        Setup setup;
        gSetup = &setup;
        for (auto* b : {benchmark::RegisterBenchmark("Raw", Raw<false>),
                        benchmark::RegisterBenchmark("RawWithEvents", Raw<true>),
                        benchmark::RegisterBenchmark("Wrapped", Wrapped)}) {
            b->Repetitions(15)->ReportAggregatesOnly(true)->UseRealTime()->MinTime(0.2);
        }
        vekbench::RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        gSetup = nullptr;
        reporter.printRatios({{"Wrapped", "Raw"}, {"Wrapped", "RawWithEvents"}});
        // The calling thread's own share of the work.
        reporter.printRatios({{"Wrapped", "Raw"}}, true);
    }
    OCL::Library::Terminate();
    return 0;
}
