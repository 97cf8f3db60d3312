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
        DEVICE_TYPE_DEFAULT = 1,       ///< CL_DEVICE_TYPE_DEFAULT.
        DEVICE_TYPE_CPU = 2,           ///< CL_DEVICE_TYPE_CPU.
        DEVICE_TYPE_GPU = 4,           ///< CL_DEVICE_TYPE_GPU.
        DEVICE_TYPE_ACCELERATOR = 8,   ///< CL_DEVICE_TYPE_ACCELERATOR.
        DEVICE_TYPE_ALL = 0xFFFFFFFFu  ///< CL_DEVICE_TYPE_ALL.
    };

    /// Wraps the device handle (null for an empty device). Throws nothing.
    explicit Device(cl_device_id id = nullptr) : OpenCLObjectWrapper(id) {}
    /// Copies the handle. Throws nothing.
    Device(const Device& other) = default;
    /// Copies the handle; the source keeps it. Throws nothing.
    Device(Device&& other) = default;
    /// Copies the handle. Throws nothing.
    Device& operator=(const Device& other) = default;
    /// Copies the handle; the source keeps it. Throws nothing.
    Device& operator=(Device&& other) = default;

    /// CL_DEVICE_NAME. Throws as getStringInfo().
    std::string name() const { return getStringInfo(Enum::DEVICE_NAME); }
    /// CL_DEVICE_VENDOR. Throws as getStringInfo().
    std::string vendor() const { return getStringInfo(Enum::DEVICE_VENDOR); }
    /// CL_DEVICE_EXTENSIONS, the blank-separated extension names. Throws as getStringInfo().
    std::string extensions() const { return getStringInfo(Enum::DEVICE_EXTENSIONS); }
    /// The profile from the CL_DEVICE_PROFILE text, compared exactly. Throws as
    /// getStringInfo().
    Enum::Profile profile() const;
    /// The device's platform (CL_DEVICE_PLATFORM). Throws as getInfo().
    Platform platform() const;
    /// The device-type bits (CL_DEVICE_TYPE). Throws as getInfo().
    Type type() const { return static_cast<Type>(getInfo<cl_ulong>(Enum::DEVICE_TYPE)); }
    /// Whether the device supports images (CL_DEVICE_IMAGE_SUPPORT). Throws as getInfo().
    bool supportsImages() const { return getInfo<cl_uint>(Enum::DEVICE_IMAGE_SUPPORT) != 0; }

    /// Whether the extension text names the token as a whole word; a value outside the token
    /// table names nothing, asks for nothing and is reported as supported. Throws as
    /// getStringInfo().
    bool isSupported(Enum::Extension extension) const;

    /// A text property; the result has the length OpenCL reports, less its terminator. Throws
    /// InternalException for a property that is not a text or an empty device; ExceptionOCL on
    /// a failing status.
    std::string getStringInfo(Enum::DeviceProperty property) const;

    /// Pointer types other than the platform handle are refused at compile time: OpenCL would
    /// copy the property's bytes (a text, say) into the pointer itself; use getStringInfo for
    /// texts.
    template <class T, std::enable_if_t<!detail::IsInfoValueType<T>(), int> = 0>
    T getInfo(Enum::DeviceProperty property) const = delete;
    /// A typed property. T must be the property's recorded type (Enum::GetPropertyTypeName);
    /// that is checked before OpenCL is asked. Throws InternalException when T is not that type
    /// or the device is empty; ExceptionOCL on a failing status.
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

/// True when every device supports the extension; false for no devices. Throws as
/// Device::isSupported().
VEK_EXPORT bool IsSupported(const std::vector<Device>& devices, Enum::Extension extension);

}  // namespace OCL
}  // namespace VEK
