#pragma once

#include <cstddef>

#include "vek/Export.h"
#include "vek/vek_ocl/OpenCLObjectWrapper.h"

namespace VEK {
namespace OCL {

/// A compute memory object: the base of buffers and images.
class VEK_EXPORT Memory : public OpenCLObjectWrapper<cl_mem> {
public:
    enum MemoryAccessFlags { ReadOnly = 0, WriteOnly = 1, ReadWrite = 2 };
    enum MemoryInfo {
        MemType = 0,
        MemFlags = 1,
        MemSize = 2,
        MemHostPtr = 3,
        MemMapCount = 4,
        MemReferenceCount = 5,
        MemContext = 6
    };
    enum MemoryObjectType {
        BufferObject = 0,
        Image2DObject = 1,
        Image3DObject = 2,
        OtherObject = 3
    };

    Memory() = default;
    Memory(const Memory& other) = default;
    Memory(Memory&& other) = default;
    Memory& operator=(const Memory& other) = default;
    Memory& operator=(Memory&& other) = default;

    /// clGetMemObjectInfo; an info value outside the enumeration asks for code 0.
    void getInfo(MemoryInfo info, std::size_t size, void* destination,
                 std::size_t* returnedSize) const;
    MemoryObjectType memType() const;

protected:
    /// No access flag for a value outside the enumeration: OpenCL applies its default.
    static cl_mem_flags AccessFlags(MemoryAccessFlags access);
    static cl_mem_info ConvertMemoryInfo(MemoryInfo info);
    static cl_mem_object_type ConvertMemoryObjectType(MemoryObjectType type);

    /// Stores the handle of a creating call before its status is examined, so that a failure
    /// that still produced a handle gives it back through the base's destructor.
    void adopt(cl_mem handle, cl_int status, const char* file, unsigned line);
};

}  // namespace OCL
}  // namespace VEK
