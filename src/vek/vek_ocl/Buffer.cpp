#include "vek/vek_ocl/Buffer.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ocl/ExtensionManager.h"
#include "vek/vek_ocl/internal/GLSharingGuard.h"
#include "vek/vek_ogl/ogl/BufferOGL.h"

namespace VEK {
namespace OCL {

using detail::Table;

Buffer::Buffer(const Context& context, MemoryAccessFlags access, std::size_t size,
               void* hostMemory) {
    if (hostMemory == nullptr) {
        throw InternalException(__FILE__, __LINE__,
                                "NULL host memory pointer passed to Buffer constructor.");
    }
    create(context, AccessFlags(access) | CL_MEM_USE_HOST_PTR, size, hostMemory);
}

Buffer::Buffer(const Context& context, MemoryAccessFlags access, bool allocateHost,
               std::size_t size) {
    create(context, AccessFlags(access) | (allocateHost ? CL_MEM_ALLOC_HOST_PTR : 0), size,
           nullptr);
}

Buffer::Buffer(const Context& context, MemoryAccessFlags access, bool allocateHost,
               std::size_t size, const void* hostMemory) {
    if (hostMemory == nullptr) {
        throw InternalException(__FILE__, __LINE__,
                                "Must allocate host memory passed to Buffer constructor.");
    }
    // OpenCL only reads the memory it copies from.
    create(context,
           AccessFlags(access) | CL_MEM_COPY_HOST_PTR | (allocateHost ? CL_MEM_ALLOC_HOST_PTR : 0),
           size, const_cast<void*>(hostMemory));
}

Buffer::Buffer(const Context& context, MemoryAccessFlags access, const OGL::Buffer& buffer) {
    VEK_OCL_REQUIRE_GL_SHARING(context.id());
    cl_int status = CL_SUCCESS;
    const cl_mem handle =
        Table().clCreateFromGLBuffer(context.id(), AccessFlags(access), buffer.objectID(), &status);
    adopt(handle, status, __FILE__, __LINE__);
}

void Buffer::create(const Context& context, cl_mem_flags flags, std::size_t size,
                    void* hostMemory) {
    cl_int status = CL_SUCCESS;
    const cl_mem handle = Table().clCreateBuffer(context.id(), flags, size, hostMemory, &status);
    adopt(handle, status, __FILE__, __LINE__);
}

}  // namespace OCL
}  // namespace VEK
