#include <chrono>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ocl/CommandQueue.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>
#include <vek/vek_ocl/Program.h>

#include "Sections.h"

namespace vekinfo {

namespace {

namespace Enum = VEK::OCL::Enum;

const char* ProfileText(Enum::Profile profile) {
    switch (profile) {
        case Enum::FullProfile:
            return "full";
        case Enum::EmbeddedProfile:
            return "embedded";
        default:
            return "unknown";
    }
}

std::string TypeText(VEK::OCL::Device::Type type) {
    using VEK::OCL::Device;
    std::string text;
    const auto add = [&](unsigned bit, const char* name) {
        if ((type & bit) != 0) {
            text += text.empty() ? name : std::string(" ") + name;
        }
    };
    add(Device::DEVICE_TYPE_DEFAULT, "default");
    add(Device::DEVICE_TYPE_CPU, "CPU");
    add(Device::DEVICE_TYPE_GPU, "GPU");
    add(Device::DEVICE_TYPE_ACCELERATOR, "accelerator");
    return text.empty() ? "none" : text;
}

// Stops the layer and the core it started, also when a query throws.

void PrintDevice(std::ostream& out, const VEK::OCL::Device& device) {
    out << "    Device: " << device.name() << "\n";
    out << "      vendor: " << device.vendor() << "\n";
    out << "      version: " << device.getStringInfo(Enum::DEVICE_VERSION) << "\n";
    out << "      profile: " << ProfileText(device.profile()) << "\n";
    out << "      type: " << TypeText(device.type()) << "\n";
    out << "      compute units: " << device.getInfo<cl_uint>(Enum::DEVICE_MAX_COMPUTE_UNITS)
        << "\n";
    out << "      global memory: "
        << device.getInfo<cl_ulong>(Enum::DEVICE_GLOBAL_MEM_SIZE) / (1024 * 1024) << " MiB\n";
    const auto sizes = device.getInfo<VEK::OCL::Range<3>>(Enum::DEVICE_MAX_WORK_ITEM_SIZES);
    out << "      max work-item sizes: " << sizes[0] << " x " << sizes[1] << " x " << sizes[2]
        << "\n";
    out << "      image support: " << (device.supportsImages() ? "yes" : "no") << "\n";
    out << "      extensions: " << device.extensions() << "\n";
}

}  // namespace

OclSession::OclSession() : coreWasRunning_(VEK::Core::Library::IsInitialized()) {
    VEK::OCL::Library::InitializeIfNecessary();
}

OclSession::~OclSession() {
    VEK::OCL::Library::Terminate();
    if (!coreWasRunning_) {
        VEK::Core::Library::Terminate();
    }
}

const char* const kSaxpySource = R"(
__kernel void saxpy(float a, __global const float* x, __global float* y) {
    size_t i = get_global_id(0);
    y[i] = a * x[i] + y[i];
}
)";

// y = 2 x + y over a million elements. The inputs are small integers, so every result is exact
// in single precision whether or not the device fuses the multiply and add, and the host's
// checksum must match bit for bit.
void RunSaxpy(std::ostream& out, const VEK::OCL::Device& device) {
    namespace OCL = VEK::OCL;
    const std::size_t n = 1 << 20;
    const float a = 2.0f;
    std::vector<float> x(n), y(n);
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = static_cast<float>(i % 1000);
        y[i] = static_cast<float>(i % 7);
    }
    const OCL::Context context(OCL::ContextProperties(device.platform()), device);
    OCL::CommandQueue queue(context, device);
    OCL::Program program(context, kSaxpySource);
    program.build("");
    OCL::Kernel kernel = program.kernel("saxpy");
    const OCL::Buffer bufferX(context, OCL::Memory::ReadOnly, false, n * sizeof(float), x.data());
    const OCL::Buffer bufferY(context, OCL::Memory::ReadWrite, false, n * sizeof(float), y.data());
    kernel.setArg(0, a);
    kernel.setArg(1, bufferX);
    kernel.setArg(2, bufferY);

    std::vector<float> result(n);
    const auto start = std::chrono::steady_clock::now();
    const OCL::Event ran =
        queue.enqueueKernel(kernel, OCL::Range<1>(n), OCL::Range<1>(0), OCL::Range<1>(0));
    queue.enqueueBlockingRead(bufferY, 0, n * sizeof(float), result.data(), {ran});
    const auto stop = std::chrono::steady_clock::now();

    double checksum = 0.0, expected = 0.0;
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const float want = a * x[i] + y[i];
        wrong += result[i] != want ? 1 : 0;
        checksum += result[i];
        expected += want;
    }
    out << "    SAXPY over " << n << " elements on " << device.name() << ": checksum "
        << static_cast<long long>(checksum)
        << (wrong == 0 && checksum == expected ? " (verified on the host)" : " (WRONG)") << ", "
        << std::chrono::duration<double, std::milli>(stop - start).count()
        << " ms for launch and read-back\n";
    if (wrong != 0 || checksum != expected) {
        throw std::runtime_error("SAXPY result differs from the host's in " +
                                 std::to_string(wrong) + " elements");
    }
}

void PrintOcl(std::ostream& out, const Options&) {
    out << "OpenCL\n";
    if (!VEK::OCL::Library::IsOpenCLAvailable("")) {
        out << "  not available (no loader or no platform in the system library directory)\n";
        return;
    }
    OclSession session;
    for (const VEK::OCL::Platform& platform : VEK::OCL::platforms()) {
        out << "  Platform: " << platform.name() << "\n";
        out << "    vendor: " << platform.vendor() << "\n";
        out << "    version: " << platform.version() << "\n";
        out << "    profile: " << ProfileText(platform.profile()) << "\n";
        out << "    extensions: " << platform.extensions() << "\n";
        for (const VEK::OCL::Device& device : platform.devices(VEK::OCL::Device::DEVICE_TYPE_ALL)) {
            PrintDevice(out, device);
        }
    }
    const std::vector<VEK::OCL::Platform> all = VEK::OCL::platforms();
    RunSaxpy(out, all.front().devices(VEK::OCL::Device::DEVICE_TYPE_ALL).front());
}

}  // namespace vekinfo
