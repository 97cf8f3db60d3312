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
    /// Wraps the platform handle (null for an empty platform). Throws nothing.
    explicit Platform(cl_platform_id id = nullptr) : OpenCLObjectWrapper(id) {}
    /// Copies the handle. Throws nothing.
    Platform(const Platform& other) = default;
    /// Copies the handle; the source keeps it. Throws nothing.
    Platform(Platform&& other) = default;
    /// Copies the handle. Throws nothing.
    Platform& operator=(const Platform& other) = default;
    /// Copies the handle; the source keeps it. Throws nothing.
    Platform& operator=(Platform&& other) = default;

    /// CL_PLATFORM_NAME. Throws InternalException for an empty platform; ExceptionOCL on a
    /// failing status.
    std::string name() const;
    /// CL_PLATFORM_VENDOR. Throws as name().
    std::string vendor() const;
    /// CL_PLATFORM_VERSION. Throws as name().
    std::string version() const;
    /// CL_PLATFORM_EXTENSIONS, the blank-separated extension names. Throws as name().
    std::string extensions() const;
    /// From the profile text, compared exactly. Throws as name().
    Enum::Profile profile() const;

    /// The platform's devices of the type, in OpenCL's order. No device of the type is
    /// CL_DEVICE_NOT_FOUND, not an empty vector. Throws ExceptionOCL on a failing status.
    std::vector<Device> devices(Device::Type type) const;

    /// Whether the extension text names the token as a whole word; a value outside the token
    /// table asks for nothing and is reported as supported. Throws as name().
    bool isSupported(Enum::Extension extension) const;

private:
    std::string getInfo(cl_platform_info code) const;
};

/// Every platform, in OpenCL's order. Throws ExceptionOCL on a failing status;
/// InternalException when the OpenCL layer is not initialised.
VEK_EXPORT std::vector<Platform> platforms();

/// The profile named by "FULL_PROFILE" or "EMBEDDED_PROFILE", exactly; anything else is
/// unknown. Throws nothing.
VEK_EXPORT Enum::Profile ProfileFromText(const std::string& text);

}  // namespace OCL
}  // namespace VEK
