#include <chrono>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ocl/CommandQueue.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>
#include <vek/vek_ocl/Program.h>

#include "JsonWriter.h"
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

// What the report says of a device and of a platform.
struct DeviceInfo {
    std::string name, vendor, version;
    Enum::Profile profile;
    VEK::OCL::Device::Type type;
    cl_uint computeUnits;
    cl_ulong globalMemory;
    VEK::OCL::Range<3> maxWorkItemSizes;
    bool imageSupport;
    std::string extensions;
};

struct PlatformInfo {
    std::string name, vendor, version;
    Enum::Profile profile;
    std::string extensions;
    std::vector<DeviceInfo> devices;
};

PlatformInfo Describe(const VEK::OCL::Platform& platform) {
    PlatformInfo info{platform.name(),    platform.vendor(),     platform.version(),
                      platform.profile(), platform.extensions(), {}};
    for (const VEK::OCL::Device& device : platform.devices(VEK::OCL::Device::DEVICE_TYPE_ALL)) {
        info.devices.push_back(
            {device.name(), device.vendor(), device.getStringInfo(Enum::DEVICE_VERSION),
             device.profile(), device.type(),
             device.getInfo<cl_uint>(Enum::DEVICE_MAX_COMPUTE_UNITS),
             device.getInfo<cl_ulong>(Enum::DEVICE_GLOBAL_MEM_SIZE),
             device.getInfo<VEK::OCL::Range<3>>(Enum::DEVICE_MAX_WORK_ITEM_SIZES),
             device.supportsImages(), device.extensions()});
    }
    return info;
}

void PrintDevice(std::ostream& out, const DeviceInfo& device) {
    out << "    Device: " << device.name << "\n";
    out << "      vendor: " << device.vendor << "\n";
    out << "      version: " << device.version << "\n";
    out << "      profile: " << ProfileText(device.profile) << "\n";
    out << "      type: " << TypeText(device.type) << "\n";
    out << "      compute units: " << device.computeUnits << "\n";
    out << "      global memory: " << device.globalMemory / (1024 * 1024) << " MiB\n";
    const auto& sizes = device.maxWorkItemSizes;
    out << "      max work-item sizes: " << sizes[0] << " x " << sizes[1] << " x " << sizes[2]
        << "\n";
    out << "      image support: " << (device.imageSupport ? "yes" : "no") << "\n";
    out << "      extensions: " << device.extensions << "\n";
}

void WriteWords(JsonWriter& json, const std::string& text) {
    json.beginArray();
    for (const std::string& word : Words(text)) {
        json.value(word);
    }
    json.endArray();
}

// What a platform and a device both report.
template <class Info>
void WriteIdentity(JsonWriter& json, const Info& info) {
    json.member("name", info.name);
    json.member("vendor", info.vendor);
    json.member("version", info.version);
    json.member("profile", ProfileText(info.profile));
}

void WriteDevice(JsonWriter& json, const DeviceInfo& device) {
    json.beginObject();
    WriteIdentity(json, device);
    json.key("type");
    WriteWords(json, TypeText(device.type));
    json.member("computeUnits", device.computeUnits);
    json.member("globalMemoryBytes", static_cast<std::uint64_t>(device.globalMemory));
    json.key("maxWorkItemSizes");
    json.beginArray();
    for (std::size_t i = 0; i < 3; ++i) {
        json.value(static_cast<std::uint64_t>(device.maxWorkItemSizes[i]));
    }
    json.endArray();
    json.member("imageSupport", device.imageSupport);
    json.key("extensions");
    WriteWords(json, device.extensions);
    json.endObject();
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
Saxpy RunSaxpy(const VEK::OCL::Device& device) {
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
    Saxpy saxpy;
    for (std::size_t i = 0; i < n; ++i) {
        const float want = a * x[i] + y[i];
        saxpy.wrong += result[i] != want ? 1 : 0;
        checksum += result[i];
        expected += want;
    }
    saxpy.elements = n;
    saxpy.device = device.name();
    saxpy.checksum = static_cast<long long>(checksum);
    saxpy.verified = saxpy.wrong == 0 && checksum == expected;
    saxpy.milliseconds = std::chrono::duration<double, std::milli>(stop - start).count();
    return saxpy;
}

void PrintSaxpy(std::ostream& out, const Saxpy& saxpy) {
    out << "    SAXPY over " << saxpy.elements << " elements on " << saxpy.device << ": checksum "
        << saxpy.checksum << (saxpy.verified ? " (verified on the host)" : " (WRONG)") << ", "
        << saxpy.milliseconds << " ms for launch and read-back\n";
}

void CheckSaxpy(const Saxpy& saxpy) {
    if (!saxpy.verified) {
        throw std::runtime_error("SAXPY result differs from the host's in " +
                                 std::to_string(saxpy.wrong) + " elements");
    }
}

void PrintOcl(std::ostream& out, const Options&) {
    out << "OpenCL\n";
    if (!VEK::OCL::Library::IsOpenCLAvailable("")) {
        out << "  not available (no loader or no platform in the system library directory)\n";
        return;
    }
    OclSession session;
    const std::vector<VEK::OCL::Platform> platforms = VEK::OCL::platforms();
    for (const VEK::OCL::Platform& platform : platforms) {
        const PlatformInfo info = Describe(platform);
        out << "  Platform: " << info.name << "\n";
        out << "    vendor: " << info.vendor << "\n";
        out << "    version: " << info.version << "\n";
        out << "    profile: " << ProfileText(info.profile) << "\n";
        out << "    extensions: " << info.extensions << "\n";
        for (const DeviceInfo& device : info.devices) {
            PrintDevice(out, device);
        }
    }
    const Saxpy saxpy = RunSaxpy(FirstDevice(platforms));
    PrintSaxpy(out, saxpy);
    CheckSaxpy(saxpy);
}

void WriteOcl(JsonWriter& json, const Options&) {
    const bool available = VEK::OCL::Library::IsOpenCLAvailable("");
    json.member("available", available);
    json.key("platforms");
    json.beginArray();
    if (!available) {
        json.endArray();
        json.key("saxpy");
        json.null();
        return;
    }
    OclSession session;
    const std::vector<VEK::OCL::Platform> platforms = VEK::OCL::platforms();
    for (const VEK::OCL::Platform& platform : platforms) {
        const PlatformInfo info = Describe(platform);
        json.beginObject();
        WriteIdentity(json, info);
        json.key("extensions");
        WriteWords(json, info.extensions);
        json.key("devices");
        json.beginArray();
        for (const DeviceInfo& device : info.devices) {
            WriteDevice(json, device);
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
    const Saxpy saxpy = RunSaxpy(FirstDevice(platforms));
    json.key("saxpy");
    json.beginObject();
    json.member("elements", saxpy.elements);
    json.member("device", saxpy.device);
    json.member("checksum", static_cast<std::int64_t>(saxpy.checksum));
    json.member("wrongElements", saxpy.wrong);
    json.member("verified", saxpy.verified);
    json.member("milliseconds", saxpy.milliseconds);
    json.endObject();
    CheckSaxpy(saxpy);
}

VEK::OCL::Device FirstDevice(const std::vector<VEK::OCL::Platform>& platforms) {
    for (const VEK::OCL::Platform& platform : platforms) {
        const std::vector<VEK::OCL::Device> devices =
            platform.devices(VEK::OCL::Device::DEVICE_TYPE_ALL);
        if (!devices.empty()) {
            return devices.front();
        }
    }
    throw std::runtime_error("no OpenCL device to run SAXPY on");
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream words(text);
    std::vector<std::string> list;
    for (std::string word; words >> word;) {
        list.push_back(word);
    }
    return list;
}

}  // namespace vekinfo
