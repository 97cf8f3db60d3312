#pragma once

#include <vector>

#include "vek/vek_ocl/Device.h"
#include "vek/vek_ocl/OpenCL.h"

namespace VEK {
namespace OCL {
namespace detail {

// Some runtimes (PoCL among them) end the process in their OpenGL-sharing entry points instead
// of returning a status. Every sharing call of the layer is therefore preceded by one of these
// checks, which throw ExceptionOCL (CL_INVALID_OPERATION, with a message naming the device)
// unless every device involved lists cl_khr_gl_sharing.

// The devices a context is about to be created over; an empty list fails.
void RequireGLSharing(const std::vector<Device>& devices, const char* file, unsigned line);
// The devices of an existing context.
void RequireGLSharing(cl_context context, const char* file, unsigned line);
// The device of a command queue.
void RequireGLSharing(cl_command_queue queue, const char* file, unsigned line);

}  // namespace detail
}  // namespace OCL
}  // namespace VEK

#define VEK_OCL_REQUIRE_GL_SHARING(object) \
    ::VEK::OCL::detail::RequireGLSharing((object), __FILE__, __LINE__)
