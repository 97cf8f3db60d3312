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

/// A compute context over devices of one platform. A value class that shares its handle by
/// reference counting; the creating constructors hand a handle that OpenCL returned with a
/// failing status back before they throw.
class VEK_EXPORT Context : public OpenCLObjectWrapper<cl_context> {
public:
    /// Called by OpenCL, on a thread of its own, with an error text and the user data.
    typedef void(CL_CALLBACK* NotifyFunction)(const char* errorInfo, const void* privateInfo,
                                              std::size_t privateInfoSize, void* userData);
    /// The notification function and its user data, as the context constructors take them.
    using NotifyCallback = detail::NotifyCallback<NotifyFunction>;

    /// An empty context (null handle). Throws nothing.
    Context() = default;
    /// Over all the devices, in order (clCreateContext). Properties that name an OpenGL context
    /// to share are refused unless every device lists cl_khr_gl_sharing: ExceptionOCL with
    /// CL_INVALID_OPERATION before OpenCL is asked for the context. Throws ExceptionOCL on a
    /// failing status; InternalException for a shared-context handle the platform does not
    /// know.
    Context(const ContextProperties& properties, const std::vector<Device>& devices,
            const NotifyCallback& callback = NotifyCallback());
    /// Over the one device; otherwise as the constructor over a device vector, with the same
    /// exceptions.
    Context(const ContextProperties& properties, const Device& device,
            const NotifyCallback& callback = NotifyCallback());
    /// Over the platform's devices of the type (clCreateContextFromType); the same sharing check
    /// and exceptions as the constructor over a device vector.
    Context(const ContextProperties& properties, Device::Type type,
            const NotifyCallback& callback = NotifyCallback());
    /// Shares the other's context (one more reference). Throws nothing.
    Context(const Context& other) = default;
    /// As the copy: the source keeps its context. Throws nothing.
    Context(Context&& other) = default;
    /// Shares the other's context and gives back the old one. Throws nothing.
    Context& operator=(const Context& other) = default;
    /// As the copy assignment: the source keeps its context. Throws nothing.
    Context& operator=(Context&& other) = default;

    /// The devices of the context (clGetContextInfo). Throws ExceptionOCL on a failing status.
    std::vector<Device> devices() const;
    /// The platform in the context's property list. Throws ExceptionOCL on a failing status;
    /// InternalException when the list names no platform.
    Platform platform() const;

protected:
    /// The body of the constructors over devices; throws as they do.
    void initialize(const ContextProperties& properties, const std::vector<Device>& devices,
                    const NotifyCallback& callback);
};

}  // namespace OCL
}  // namespace VEK
