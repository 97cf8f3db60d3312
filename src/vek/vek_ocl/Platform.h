#pragma once

#include <string>
#include <vector>

#include "vek/Export.h"
#include "vek/vek_ocl/Device.h"
#include "vek/vek_ocl/Enum.h"
#include "vek/vek_ocl/OpenCLObjectWrapper.h"

namespace VEK {
namespace OCL {

/// An OpenCL platform. Platforms are not reference-counted.
class VEK_EXPORT Platform : public OpenCLObjectWrapper<cl_platform_id> {
public:
    explicit Platform(cl_platform_id id = nullptr) : OpenCLObjectWrapper(id) {}
    Platform(const Platform& other) = default;
    Platform(Platform&& other) = default;
    Platform& operator=(const Platform& other) = default;
    Platform& operator=(Platform&& other) = default;

    std::string name() const;
    std::string vendor() const;
    std::string version() const;
    std::string extensions() const;
    /// From the profile text, compared exactly.
    Enum::Profile profile() const;

    /// In OpenCL's order. No device of the type is CL_DEVICE_NOT_FOUND, not an empty vector.
    std::vector<Device> devices(Device::Type type) const;

    /// Whether the extension text names the token as a whole word.
    bool isSupported(Enum::Extension extension) const;

private:
    std::string getInfo(cl_platform_info code) const;
};

/// Every platform, in OpenCL's order.
VEK_EXPORT std::vector<Platform> platforms();

/// "FULL_PROFILE" and "EMBEDDED_PROFILE", exactly; anything else is unknown.
VEK_EXPORT Enum::Profile ProfileFromText(const std::string& text);

}  // namespace OCL
}  // namespace VEK
