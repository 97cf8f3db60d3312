#pragma once

#include <cstddef>
#include <type_traits>

#include "vek/Export.h"
#include "vek/vek_ocl/OpenCLObjectWrapper.h"

namespace VEK {

class float2;
class float4;
class int2;
class int4;

namespace OCL {

class Buffer;
class Image2D;
class Program;

/// A kernel of a built program, with its arguments.
class VEK_EXPORT Kernel : public OpenCLObjectWrapper<cl_kernel> {
public:
    Kernel(const Kernel& other) = default;
    Kernel(Kernel&& other) = default;
    Kernel& operator=(const Kernel& other) = default;
    Kernel& operator=(Kernel&& other) = default;

    /// size bytes from data; a null data pointer reserves size bytes of local memory.
    void setArg(unsigned index, const void* data, std::size_t size);
    /// A memory object passes its handle; a number passes its own bytes; float2, float4, int2
    /// and int4 pass OpenCL's vector of the same components.
    template <class T>
    void setArg(unsigned index, const T& value) {
        static_assert(std::is_arithmetic<T>::value,
                      "kernel arguments are memory objects, numbers or 2- and 4-vectors");
        setArg(index, &value, sizeof(T));
    }

private:
    friend class Program;
    explicit Kernel(cl_kernel handle) : OpenCLObjectWrapper(handle) {}
    Kernel(cl_kernel handle, add_ref_tag tag) : OpenCLObjectWrapper(handle, tag) {}
};

/// Exported one by one: a specialisation for a type of hidden visibility (the vector types) would
/// otherwise be hidden too with clang.
template <>
VEK_EXPORT void Kernel::setArg<Buffer>(unsigned index, const Buffer& buffer);
template <>
VEK_EXPORT void Kernel::setArg<Image2D>(unsigned index, const Image2D& image);
template <>
VEK_EXPORT void Kernel::setArg<float2>(unsigned index, const float2& value);
template <>
VEK_EXPORT void Kernel::setArg<float4>(unsigned index, const float4& value);
template <>
VEK_EXPORT void Kernel::setArg<int2>(unsigned index, const int2& value);
template <>
VEK_EXPORT void Kernel::setArg<int4>(unsigned index, const int4& value);

}  // namespace OCL
}  // namespace VEK
