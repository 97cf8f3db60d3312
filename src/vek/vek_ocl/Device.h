#pragma once

#include <cstddef>
#include <string>
#include <type_traits>
#include <vector>

#include "vek/Export.h"
#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ocl/Enum.h"
#include "vek/vek_ocl/OpenCLObjectWrapper.h"
#include "vek/vek_ocl/Range.h"

namespace VEK {
namespace OCL {

class Platform;

namespace detail {

/// A device property is read into a T: any non-pointer type, or the platform handle.
template <class T>
constexpr bool IsInfoValueType() {
    return !std::is_pointer_v<T> || std::is_same_v<T, cl_platform_id>;
}

}  // namespace detail

/// An OpenCL device. Devices are not reference-counted.
class VEK_EXPORT Device : public OpenCLObjectWrapper<cl_device_id> {
public:
    /// The OpenCL device-type bits, without their "CL_" (the full names are header macros).
    enum Type : cl_uint {
        DEVICE_TYPE_DEFAULT = 1,
        DEVICE_TYPE_CPU = 2,
        DEVICE_TYPE_GPU = 4,
        DEVICE_TYPE_ACCELERATOR = 8,
        DEVICE_TYPE_ALL = 0xFFFFFFFFu
    };

    explicit Device(cl_device_id id = nullptr) : OpenCLObjectWrapper(id) {}
    Device(const Device& other) = default;
    Device(Device&& other) = default;
    Device& operator=(const Device& other) = default;
    Device& operator=(Device&& other) = default;

    std::string name() const { return getStringInfo(Enum::DEVICE_NAME); }
    std::string vendor() const { return getStringInfo(Enum::DEVICE_VENDOR); }
    std::string extensions() const { return getStringInfo(Enum::DEVICE_EXTENSIONS); }
    Enum::Profile profile() const;
    Platform platform() const;
    Type type() const { return static_cast<Type>(getInfo<cl_ulong>(Enum::DEVICE_TYPE)); }
    bool supportsImages() const { return getInfo<cl_uint>(Enum::DEVICE_IMAGE_SUPPORT) != 0; }

    /// Whether the extension text names the token as a whole word; a value outside the token
    /// table names nothing and is never supported.
    bool isSupported(Enum::Extension extension) const;

    /// A text property; the result has the length OpenCL reports, less its terminator.
    std::string getStringInfo(Enum::DeviceProperty property) const;

    /// A typed property. T must be the property's recorded type (Enum::GetPropertyTypeName);
    /// that is checked before OpenCL is asked.
    /// Pointer types other than the platform handle are refused at compile time: OpenCL would
    /// copy the property's bytes (a text, say) into the pointer itself; use getStringInfo for
    /// texts.
    template <class T, std::enable_if_t<!detail::IsInfoValueType<T>(), int> = 0>
    T getInfo(Enum::DeviceProperty property) const = delete;
    template <class T, std::enable_if_t<detail::IsInfoValueType<T>(), int> = 0>
    T getInfo(Enum::DeviceProperty property) const {
        const std::string& property_typename = Enum::GetPropertyTypeName(property);
        const std::string type_name = Enum::GetTypeName<T>();
        VEK_ASSERT(property_typename == type_name);
        T value{};
        getInfoImpl(property, sizeof(T), &value, nullptr);
        return value;
    }

private:
    void getInfoImpl(Enum::DeviceProperty property, std::size_t size, void* destination,
                     std::size_t* returnedSize) const;
};

/// True when every device supports the extension; false for no devices.
VEK_EXPORT bool IsSupported(const std::vector<Device>& devices, Enum::Extension extension);

}  // namespace OCL
}  // namespace VEK
