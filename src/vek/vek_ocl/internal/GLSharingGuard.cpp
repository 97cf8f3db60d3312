#include "vek/vek_ocl/internal/GLSharingGuard.h"

#include <string>

#include "vek/vek_ocl/ExceptionOCL.h"
#include "vek/vek_ocl/ExtensionManager.h"

namespace VEK {
namespace OCL {
namespace detail {

namespace {

const char* const kSharing = "cl_khr_gl_sharing";

[[noreturn]] void NotOffered(const std::string& which, const char* file, unsigned line) {
    const std::string message = std::string("OpenCL sharing with OpenGL (") + kSharing +
                                ") is not offered by the device" + which + ".";
    throw ExceptionOCL(file, line, message.c_str(),
                       static_cast<std::uint32_t>(CL_INVALID_OPERATION));
}

}  // namespace

void RequireGLSharing(const std::vector<Device>& devices, const char* file, unsigned line) {
    if (devices.empty()) {
        NotOffered(": no device was given", file, line);
    }
    for (const Device& device : devices) {
        if (!ListsExtension(device.extensions(), kSharing)) {
            NotOffered(" \"" + device.name() + "\"", file, line);
        }
    }
}

void RequireGLSharing(cl_context context, const char* file, unsigned line) {
    std::size_t bytes = 0;
    VEK_OCL_CHECK(Table().clGetContextInfo(context, CL_CONTEXT_DEVICES, 0, nullptr, &bytes));
    std::vector<cl_device_id> ids(bytes / sizeof(cl_device_id));
    if (!ids.empty()) {
        VEK_OCL_CHECK(Table().clGetContextInfo(
            context, CL_CONTEXT_DEVICES, ids.size() * sizeof(cl_device_id), ids.data(), nullptr));
    }
    RequireGLSharing(std::vector<Device>(ids.begin(), ids.end()), file, line);
}

void RequireGLSharing(cl_command_queue queue, const char* file, unsigned line) {
    cl_device_id device = nullptr;
    VEK_OCL_CHECK(
        Table().clGetCommandQueueInfo(queue, CL_QUEUE_DEVICE, sizeof(device), &device, nullptr));
    RequireGLSharing(std::vector<Device>(1, Device(device)), file, line);
}

}  // namespace detail
}  // namespace OCL
}  // namespace VEK
