#include "vek/vek_ocl/Device.h"

#include <cstring>

#include "vek/vek_ocl/ExceptionOCL.h"
#include "vek/vek_ocl/ExtensionManager.h"
#include "vek/vek_ocl/Platform.h"

namespace VEK {
namespace OCL {

using detail::Table;

Enum::Profile Device::profile() const {
    return ProfileFromText(getStringInfo(Enum::DEVICE_PROFILE));
}

Platform Device::platform() const {
    return Platform(getInfo<cl_platform_id>(Enum::DEVICE_PLATFORM));
}

bool Device::isSupported(Enum::Extension extension) const {
    // A value outside the token table has no name and asks for nothing, so it is supported.
    const std::string token = ExtensionManager::ExtensionEnumToString(extension);
    return token.empty() || detail::ListsExtension(extensions(), token);
}

std::string Device::getStringInfo(Enum::DeviceProperty property) const {
    // Found through the property's namespace; the message is the condition as written.
    VEK_ASSERT(GetPropertyTypeName(property) == Enum::GetTypeName<char*>());
    std::size_t size = 0;
    getInfoImpl(property, 0, nullptr, &size);
    if (size <= 1) {
        return std::string();
    }
    // OpenCL writes the terminator into the string's own terminator position.
    std::string text(size - 1, '\0');
    getInfoImpl(property, size, &text[0], nullptr);
    // The text ends at its terminator even where the size reported was larger (Wine's
    // OpenCL.dll reports the driver's size for the extension list it shortened).
    text.resize(std::strlen(text.c_str()));
    return text;
}

void Device::getInfoImpl(Enum::DeviceProperty property, std::size_t size, void* destination,
                         std::size_t* returnedSize) const {
    VEK_ASSERT(id() != 0);
    VEK_OCL_CHECK(Table().clGetDeviceInfo(id(), static_cast<cl_device_info>(property), size,
                                          destination, returnedSize));
}

bool IsSupported(const std::vector<Device>& devices, Enum::Extension extension) {
    if (devices.empty()) {
        return false;
    }
    for (const Device& device : devices) {
        if (!device.isSupported(extension)) {
            return false;
        }
    }
    return true;
}

}  // namespace OCL
}  // namespace VEK
