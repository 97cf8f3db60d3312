#pragma once

#include <vector>

#include "vek/Export.h"
#include "vek/vek_ocl/ContextProperties.h"
#include "vek/vek_ocl/Device.h"
#include "vek/vek_ocl/NotifyCallback.h"
#include "vek/vek_ocl/OpenCLObjectWrapper.h"
#include "vek/vek_ocl/Platform.h"

namespace VEK {
namespace OCL {

/// A compute context over devices of one platform.
class VEK_EXPORT Context : public OpenCLObjectWrapper<cl_context> {
public:
    /// Called by OpenCL, on a thread of its own, with an error text and the user data.
    typedef void(CL_CALLBACK* NotifyFunction)(const char* errorInfo, const void* privateInfo,
                                              std::size_t privateInfoSize, void* userData);
    using NotifyCallback = detail::NotifyCallback<NotifyFunction>;

    Context() = default;
    /// Properties that name an OpenGL context to share are refused unless every device lists
    /// cl_khr_gl_sharing: ExceptionOCL with CL_INVALID_OPERATION before OpenCL is asked for the
    /// context.
    Context(const ContextProperties& properties, const std::vector<Device>& devices,
            const NotifyCallback& callback = NotifyCallback());
    Context(const ContextProperties& properties, const Device& device,
            const NotifyCallback& callback = NotifyCallback());
    Context(const ContextProperties& properties, Device::Type type,
            const NotifyCallback& callback = NotifyCallback());
    Context(const Context& other) = default;
    Context(Context&& other) = default;
    Context& operator=(const Context& other) = default;
    Context& operator=(Context&& other) = default;

    std::vector<Device> devices() const;
    /// The platform in the context's property list.
    Platform platform() const;

protected:
    void initialize(const ContextProperties& properties, const std::vector<Device>& devices,
                    const NotifyCallback& callback);
};

}  // namespace OCL
}  // namespace VEK
