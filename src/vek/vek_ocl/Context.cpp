#include "vek/vek_ocl/Context.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ocl/ExceptionOCL.h"
#include "vek/vek_ocl/ExtensionManager.h"
#include "vek/vek_ocl/Platform.h"
#include "vek/vek_ocl/internal/GLSharingGuard.h"

namespace VEK {
namespace OCL {

using detail::Table;

namespace {

// A context query whose answer is an array of T, sized by a first call.
template <class T>
std::vector<T> ContextArray(cl_context context, cl_context_info code) {
    std::size_t bytes = 0;
    VEK_OCL_CHECK(Table().clGetContextInfo(context, code, 0, nullptr, &bytes));
    std::vector<T> values(bytes / sizeof(T));
    if (!values.empty()) {
        VEK_OCL_CHECK(Table().clGetContextInfo(context, code, values.size() * sizeof(T),
                                               values.data(), nullptr));
    }
    return values;
}

}  // namespace

Context::Context(const ContextProperties& properties, const std::vector<Device>& devices,
                 const NotifyCallback& callback) {
    initialize(properties, devices, callback);
}

Context::Context(const ContextProperties& properties, const Device& device,
                 const NotifyCallback& callback) {
    initialize(properties, std::vector<Device>(1, device), callback);
}

Context::Context(const ContextProperties& properties, Device::Type type,
                 const NotifyCallback& callback) {
    const std::vector<cl_context_properties> list = properties.properties();
    if (properties.sharedRenderContext() != nullptr) {
        VEK_OCL_REQUIRE_GL_SHARING(properties.platform().devices(type));
    }
    cl_int status = CL_SUCCESS;
    // Stored first: if the status fails, the base's destructor gives a handle back.
    handle_ = Table().clCreateContextFromType(list.data(), static_cast<cl_device_type>(type),
                                              callback.pf_notify(), callback.user_data(), &status);
    VEK_OCL_CHECK(status);
}

void Context::initialize(const ContextProperties& properties, const std::vector<Device>& devices,
                         const NotifyCallback& callback) {
    const std::vector<cl_context_properties> list = properties.properties();
    if (properties.sharedRenderContext() != nullptr) {
        VEK_OCL_REQUIRE_GL_SHARING(devices);
    }
    std::vector<cl_device_id> ids;
    ids.reserve(devices.size());
    for (const Device& device : devices) {
        ids.push_back(device.id());
    }
    cl_int status = CL_SUCCESS;
    handle_ = Table().clCreateContext(list.data(), static_cast<cl_uint>(ids.size()), ids.data(),
                                      callback.pf_notify(), callback.user_data(), &status);
    VEK_OCL_CHECK(status);
}

std::vector<Device> Context::devices() const {
    const std::vector<cl_device_id> ids = ContextArray<cl_device_id>(id(), CL_CONTEXT_DEVICES);
    return std::vector<Device>(ids.begin(), ids.end());
}

Platform Context::platform() const {
    const std::vector<cl_context_properties> list =
        ContextArray<cl_context_properties>(id(), CL_CONTEXT_PROPERTIES);
    for (std::size_t i = 0; i + 1 < list.size() && list[i] != 0; i += 2) {
        if (list[i] == CL_CONTEXT_PLATFORM) {
            return Platform(reinterpret_cast<cl_platform_id>(list[i + 1]));
        }
    }
    throw InternalException(__FILE__, __LINE__, "NULL");
}

}  // namespace OCL
}  // namespace VEK
