#pragma once

#include <cstddef>

#include "vek/Export.h"
#include "vek/vek_ocl/Context.h"
#include "vek/vek_ocl/Memory.h"

namespace VEK {
namespace OGL {
class Buffer;
}  // namespace OGL

namespace OCL {

/// A linear compute buffer.
class VEK_EXPORT Buffer : public Memory {
public:
    Buffer() = default;
    /// Over the caller's memory, which must outlive the buffer (CL_MEM_USE_HOST_PTR).
    Buffer(const Context& context, MemoryAccessFlags access, std::size_t size, void* hostMemory);
    /// Uninitialised; allocateHost asks for host-accessible memory (CL_MEM_ALLOC_HOST_PTR).
    Buffer(const Context& context, MemoryAccessFlags access, bool allocateHost, std::size_t size);
    /// A copy of size bytes of hostMemory (CL_MEM_COPY_HOST_PTR).
    Buffer(const Context& context, MemoryAccessFlags access, bool allocateHost, std::size_t size,
           const void* hostMemory);
    /// Over the storage of an OpenGL buffer (clCreateFromGLBuffer with its name). The context
    /// must share the OpenGL context that owns it, and its devices must list cl_khr_gl_sharing,
    /// else ExceptionOCL with CL_INVALID_OPERATION before OpenCL is asked. OpenCL judges the
    /// object itself: an unshared or deleted one throws its status.
    Buffer(const Context& context, MemoryAccessFlags access, const OGL::Buffer& buffer);
    Buffer(const Buffer& other) = default;
    Buffer(Buffer&& other) = default;
    Buffer& operator=(const Buffer& other) = default;
    Buffer& operator=(Buffer&& other) = default;

private:
    void create(const Context& context, cl_mem_flags flags, std::size_t size, void* hostMemory);
};

}  // namespace OCL
}  // namespace VEK
