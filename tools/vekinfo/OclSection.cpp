#include <ostream>
#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>

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
struct OclSession {
    OclSession() : coreWasRunning_(VEK::Core::Library::IsInitialized()) {
        VEK::OCL::Library::InitializeIfNecessary();
    }
    ~OclSession() {
        VEK::OCL::Library::Terminate();
        if (!coreWasRunning_) {
            VEK::Core::Library::Terminate();
        }
    }
    OclSession(const OclSession&) = delete;
    OclSession& operator=(const OclSession&) = delete;

    bool coreWasRunning_;
};

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
}

}  // namespace vekinfo
