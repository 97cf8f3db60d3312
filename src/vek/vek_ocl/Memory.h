#pragma once

#include <cstddef>

#include "vek/Export.h"
#include "vek/vek_ocl/OpenCLObjectWrapper.h"

namespace VEK {
namespace OCL {

/// A compute memory object: the base of buffers and images. A value class that shares its
/// handle by reference counting.
class VEK_EXPORT Memory : public OpenCLObjectWrapper<cl_mem> {
public:
    /// How kernels may access the memory object.
    enum MemoryAccessFlags {
        ReadOnly = 0,   ///< CL_MEM_READ_ONLY.
        WriteOnly = 1,  ///< CL_MEM_WRITE_ONLY.
        ReadWrite = 2   ///< CL_MEM_READ_WRITE.
    };
    /// The properties that getInfo() reads.
    enum MemoryInfo {
        MemType = 0,            ///< CL_MEM_TYPE.
        MemFlags = 1,           ///< CL_MEM_FLAGS.
        MemSize = 2,            ///< CL_MEM_SIZE.
        MemHostPtr = 3,         ///< CL_MEM_HOST_PTR.
        MemMapCount = 4,        ///< CL_MEM_MAP_COUNT.
        MemReferenceCount = 5,  ///< CL_MEM_REFERENCE_COUNT.
        MemContext = 6          ///< CL_MEM_CONTEXT.
    };
    /// The kind of a memory object, as memType() reports it.
    enum MemoryObjectType {
        BufferObject = 0,   ///< CL_MEM_OBJECT_BUFFER.
        Image2DObject = 1,  ///< CL_MEM_OBJECT_IMAGE2D.
        Image3DObject = 2,  ///< CL_MEM_OBJECT_IMAGE3D.
        OtherObject = 3     ///< Any other kind of memory object.
    };

    /// An empty memory object (null handle). Throws nothing.
    Memory() = default;
    /// Shares the other's memory object (one more reference). Throws nothing.
    Memory(const Memory& other) = default;
    /// As the copy: the source keeps its memory object. Throws nothing.
    Memory(Memory&& other) = default;
    /// Shares the other's memory object and gives back the old one. Throws nothing.
    Memory& operator=(const Memory& other) = default;
    /// As the copy assignment: the source keeps its memory object. Throws nothing.
    Memory& operator=(Memory&& other) = default;

    /// Reads a property with clGetMemObjectInfo into destination; an info value outside the
    /// enumeration asks for code 0. Throws ExceptionOCL on a failing status; InternalException
    /// when the OpenCL layer is not initialised.
    void getInfo(MemoryInfo info, std::size_t size, void* destination,
                 std::size_t* returnedSize) const;
    /// The kind of the object; an unknown kind gives OtherObject. Throws as getInfo().
    MemoryObjectType memType() const;

protected:
    /// The OpenCL access flag of an access value; no access flag for a value outside the
    /// enumeration, so that OpenCL applies its default. Throws nothing.
    static cl_mem_flags AccessFlags(MemoryAccessFlags access);
    /// The OpenCL code of a property; 0 for a value outside the enumeration. Throws nothing.
    static cl_mem_info ConvertMemoryInfo(MemoryInfo info);
    /// The OpenCL code of an object kind; 0 for OtherObject and any value outside the
    /// enumeration. Throws nothing.
    static cl_mem_object_type ConvertMemoryObjectType(MemoryObjectType type);

    /// Stores the handle of a creating call before its status is examined, so that a failure
    /// that still produced a handle gives it back through the base's destructor. Throws
    /// ExceptionOCL, with the given file and line, when the status is not CL_SUCCESS.
    void adopt(cl_mem handle, cl_int status, const char* file, unsigned line);
};

}  // namespace OCL
}  // namespace VEK
