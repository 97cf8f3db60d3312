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

/// A linear compute buffer. The creating constructors hand a handle that OpenCL returned with a
/// failing status back before they throw.
class VEK_EXPORT Buffer : public Memory {
public:
    /// An empty buffer (null handle). Throws nothing.
    Buffer() = default;
    /// Over the caller's memory, which must outlive the buffer (CL_MEM_USE_HOST_PTR). Throws
    /// InternalException for a null hostMemory, before OpenCL is asked; ExceptionOCL on a
    /// failing status.
    Buffer(const Context& context, MemoryAccessFlags access, std::size_t size, void* hostMemory);
    /// Uninitialised; allocateHost asks for host-accessible memory (CL_MEM_ALLOC_HOST_PTR).
    /// Throws ExceptionOCL on a failing status.
    Buffer(const Context& context, MemoryAccessFlags access, bool allocateHost, std::size_t size);
    /// A copy of size bytes of hostMemory (CL_MEM_COPY_HOST_PTR); allocateHost as above. Throws
    /// InternalException for a null hostMemory, before OpenCL is asked; ExceptionOCL on a
    /// failing status.
    Buffer(const Context& context, MemoryAccessFlags access, bool allocateHost, std::size_t size,
           const void* hostMemory);
    /// Over the storage of an OpenGL buffer (clCreateFromGLBuffer with its name). The context
    /// must share the OpenGL context that owns it, and its devices must list cl_khr_gl_sharing,
    /// else ExceptionOCL with CL_INVALID_OPERATION before OpenCL is asked. OpenCL judges the
    /// object itself: an unshared or deleted one throws its status.
    Buffer(const Context& context, MemoryAccessFlags access, const OGL::Buffer& buffer);
    /// Shares the other's buffer (one more reference). Throws nothing.
    Buffer(const Buffer& other) = default;
    /// As the copy: the source keeps its buffer. Throws nothing.
    Buffer(Buffer&& other) = default;
    /// Shares the other's buffer and gives back the old one. Throws nothing.
    Buffer& operator=(const Buffer& other) = default;
    /// As the copy assignment: the source keeps its buffer. Throws nothing.
    Buffer& operator=(Buffer&& other) = default;

private:
    void create(const Context& context, cl_mem_flags flags, std::size_t size, void* hostMemory);
};

}  // namespace OCL
}  // namespace VEK
