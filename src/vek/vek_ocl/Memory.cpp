#include "vek/vek_ocl/Memory.h"

#include "vek/vek_ocl/ExceptionOCL.h"
#include "vek/vek_ocl/ExtensionManager.h"

namespace VEK {
namespace OCL {

using detail::Table;

void Memory::getInfo(MemoryInfo info, std::size_t size, void* destination,
                     std::size_t* returnedSize) const {
    VEK_OCL_CHECK(
        Table().clGetMemObjectInfo(id(), ConvertMemoryInfo(info), size, destination, returnedSize));
}

Memory::MemoryObjectType Memory::memType() const {
    cl_mem_object_type type = 0;
    getInfo(MemType, sizeof(type), &type, nullptr);
    switch (type) {
        case CL_MEM_OBJECT_BUFFER:
            return BufferObject;
        case CL_MEM_OBJECT_IMAGE2D:
            return Image2DObject;
        case CL_MEM_OBJECT_IMAGE3D:
            return Image3DObject;
        default:
            return OtherObject;
    }
}

cl_mem_flags Memory::AccessFlags(MemoryAccessFlags access) {
    switch (access) {
        case ReadOnly:
            return CL_MEM_READ_ONLY;
        case WriteOnly:
            return CL_MEM_WRITE_ONLY;
        case ReadWrite:
            return CL_MEM_READ_WRITE;
        default:
            return 0;
    }
}

cl_mem_info Memory::ConvertMemoryInfo(MemoryInfo info) {
    return info >= MemType && info <= MemContext ? CL_MEM_TYPE + static_cast<cl_mem_info>(info) : 0;
}

cl_mem_object_type Memory::ConvertMemoryObjectType(MemoryObjectType type) {
    switch (type) {
        case BufferObject:
            return CL_MEM_OBJECT_BUFFER;
        case Image2DObject:
            return CL_MEM_OBJECT_IMAGE2D;
        case Image3DObject:
            return CL_MEM_OBJECT_IMAGE3D;
        default:
            return 0;
    }
}

void Memory::adopt(cl_mem handle, cl_int status, const char* file, unsigned line) {
    handle_ = handle;
    if (status != CL_SUCCESS) {
        throw ExceptionOCL(file, line, "", static_cast<std::uint32_t>(status));
    }
    // No object is a failure whatever the status says: some loaders' sharing stubs return null
    // and leave the status untouched.
    if (handle == nullptr) {
        throw ExceptionOCL(file, line, "", static_cast<std::uint32_t>(CL_INVALID_OPERATION));
    }
}

}  // namespace OCL
}  // namespace VEK
