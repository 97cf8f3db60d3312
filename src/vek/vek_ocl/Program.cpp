#include "vek/vek_ocl/Program.h"

#include <cstring>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ocl/ExceptionOCL.h"
#include "vek/vek_ocl/ExtensionManager.h"

namespace VEK {
namespace OCL {

using detail::Table;

Program::BinaryArray::BinaryArray(const std::vector<Device>& devs,
                                  const std::vector<std::size_t>& sizes,
                                  const std::vector<std::vector<unsigned char>>& binaries)
    : sizes_(sizes), binaries_(binaries) {
    VEK_ASSERT(devs.size() == sizes.size());
    VEK_ASSERT(sizes.size() == binaries.size());
    for (const Device& device : devs) {
        devices_.push_back(device.id());
    }
}

Program::BinaryArray::BinaryArray(const std::vector<cl_device_id>& devices,
                                  const std::size_t* sizes, const unsigned char* const* binaries)
    : devices_(devices), sizes_(sizes, sizes + devices.size()) {
    for (std::size_t i = 0; i < devices.size(); ++i) {
        binaries_.emplace_back(binaries[i], binaries[i] + sizes[i]);
    }
}

std::vector<const unsigned char*> Program::BinaryArray::binaries() const {
    std::vector<const unsigned char*> pointers;
    for (const std::vector<unsigned char>& binary : binaries_) {
        pointers.push_back(binary.data());
    }
    return pointers;
}

Program::Program(const Context& context, const std::string& source)
    : context_(context), source_(source) {
    const char* text = source_.c_str();
    const std::size_t length = std::strlen(text);
    cl_int status = CL_SUCCESS;
    handle_ = Table().clCreateProgramWithSource(context_.id(), 1, &text, &length, &status);
    VEK_OCL_CHECK(status);
}

Program::Program(const Context& context, const BinaryArray& binaries) : context_(context) {
    std::vector<const unsigned char*> pointers = binaries.binaries();
    cl_int status = CL_SUCCESS;
    handle_ = Table().clCreateProgramWithBinary(
        context_.id(), static_cast<cl_uint>(binaries.nBinary()), binaries.devices().data(),
        binaries.sizes(), pointers.data(), nullptr, &status);
    VEK_OCL_CHECK(status);
}

void Program::build(const std::string& options) {
    buildImpl(context_.devices(), options, NotifyCallback());
}

void Program::build(const std::vector<Device>& devices, const std::string& options) {
    buildImpl(devices, options, NotifyCallback());
}

void Program::buildAsync(const std::vector<Device>& devices, const std::string& options,
                         const NotifyCallback& callback) {
    buildImpl(devices, options, callback);
}

void Program::buildImpl(const std::vector<Device>& devices, const std::string& options,
                        const NotifyCallback& callback) {
    std::vector<cl_device_id> ids;
    for (const Device& device : devices) {
        ids.push_back(device.id());
    }
    VEK_OCL_CHECK(Table().clBuildProgram(
        id(), static_cast<cl_uint>(ids.size()), ids.empty() ? nullptr : ids.data(),
        options.empty() ? nullptr : options.c_str(), callback.pf_notify(), callback.user_data()));
}

std::string Program::buildLog(const Device& device) const {
    std::size_t size = 0;
    VEK_OCL_CHECK(
        Table().clGetProgramBuildInfo(id(), device.id(), CL_PROGRAM_BUILD_LOG, 0, nullptr, &size));
    std::vector<char> text(size + 1, '\0');
    VEK_OCL_CHECK(Table().clGetProgramBuildInfo(id(), device.id(), CL_PROGRAM_BUILD_LOG, size,
                                                text.data(), nullptr));
    return std::string(text.data());
}

Program::BuildStatus Program::buildStatus(const Device& device) const {
    std::size_t size = 0;
    VEK_OCL_CHECK(Table().clGetProgramBuildInfo(id(), device.id(), CL_PROGRAM_BUILD_STATUS, 0,
                                                nullptr, &size));
    cl_build_status status = CL_BUILD_NONE;
    VEK_OCL_CHECK(Table().clGetProgramBuildInfo(id(), device.id(), CL_PROGRAM_BUILD_STATUS,
                                                sizeof(status), &status, nullptr));
    return OCLBuildStatus(status);
}

Kernel Program::kernel(const std::string& name) const {
    cl_int status = CL_SUCCESS;
    // Adopted at once, so that a failure with a handle still gives it back.
    Kernel kernel(Table().clCreateKernel(id(), name.c_str(), &status));
    VEK_OCL_CHECK(status);
    return kernel;
}

std::vector<Kernel> Program::kernels() const {
    cl_uint count = 0;
    VEK_OCL_CHECK(Table().clCreateKernelsInProgram(id(), 0, nullptr, &count));
    std::vector<cl_kernel> handles(count);
    if (count > 0) {
        VEK_OCL_CHECK(Table().clCreateKernelsInProgram(id(), count, handles.data(), nullptr));
    }
    // Each wrapper adopts its creation reference, so that a throw midway leaks nothing.
    std::vector<Kernel> adopted;
    for (cl_kernel handle : handles) {
        adopted.push_back(Kernel(handle));
    }
    return adopted;
}

Program::BuildStatus Program::OCLBuildStatus(cl_build_status status) {
    switch (status) {
        case CL_BUILD_IN_PROGRESS:
            return BuildInProgress;
        case CL_BUILD_ERROR:
            return BuildError;
        case CL_BUILD_SUCCESS:
            return BuildSuccess;
        default:
            return BuildNone;
    }
}

cl_build_status Program::OpenCLBuildStatus(BuildStatus status) {
    switch (status) {
        case BuildError:
            return CL_BUILD_ERROR;
        case BuildSuccess:
            return CL_BUILD_SUCCESS;
        case BuildInProgress:
            return CL_BUILD_IN_PROGRESS;
        default:
            return CL_BUILD_NONE;
    }
}

}  // namespace OCL
}  // namespace VEK
