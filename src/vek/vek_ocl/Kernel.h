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

/// A kernel of a built program, with its arguments. Made by Program; a value class that shares
/// its handle by reference counting.
class VEK_EXPORT Kernel : public OpenCLObjectWrapper<cl_kernel> {
public:
    /// Shares the other's kernel (one more reference). Throws nothing.
    Kernel(const Kernel& other) = default;
    /// As the copy: the source keeps its kernel. Throws nothing.
    Kernel(Kernel&& other) = default;
    /// Shares the other's kernel and gives back the old one. Throws nothing.
    Kernel& operator=(const Kernel& other) = default;
    /// As the copy assignment: the source keeps its kernel. Throws nothing.
    Kernel& operator=(Kernel&& other) = default;

    /// Sets argument index to size bytes from data; a null data pointer reserves size bytes of
    /// local memory. Throws ExceptionOCL on a failing status.
    void setArg(unsigned index, const void* data, std::size_t size);
    /// A memory object passes its handle; a number passes its own bytes; float2, float4, int2
    /// and int4 pass OpenCL's vector of the same components. Throws ExceptionOCL on a failing
    /// status.
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
/// A buffer argument: passes the memory handle. Throws ExceptionOCL on a failing status.
template <>
VEK_EXPORT void Kernel::setArg<Buffer>(unsigned index, const Buffer& buffer);
/// An image argument: passes the memory handle. Throws ExceptionOCL on a failing status.
template <>
VEK_EXPORT void Kernel::setArg<Image2D>(unsigned index, const Image2D& image);
/// Passes the two floats as an OpenCL float2 (8 bytes). Throws ExceptionOCL on a failing status.
template <>
VEK_EXPORT void Kernel::setArg<float2>(unsigned index, const float2& value);
/// Passes the four floats as an OpenCL float4 (16 bytes). Throws ExceptionOCL on a failing
/// status.
template <>
VEK_EXPORT void Kernel::setArg<float4>(unsigned index, const float4& value);
/// Passes the two integers as an OpenCL int2 (8 bytes). Throws ExceptionOCL on a failing status.
template <>
VEK_EXPORT void Kernel::setArg<int2>(unsigned index, const int2& value);
/// Passes the four integers as an OpenCL int4 (16 bytes). Throws ExceptionOCL on a failing
/// status.
template <>
VEK_EXPORT void Kernel::setArg<int4>(unsigned index, const int4& value);

}  // namespace OCL
}  // namespace VEK
