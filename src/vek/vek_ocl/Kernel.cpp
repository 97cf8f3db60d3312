#include "vek/vek_ocl/Kernel.h"

#include <algorithm>

#include "vek/core/math/Vector.h"
#include "vek/vek_ocl/Buffer.h"
#include "vek/vek_ocl/ExceptionOCL.h"
#include "vek/vek_ocl/ExtensionManager.h"
#include "vek/vek_ocl/Image.h"

namespace VEK {
namespace OCL {

using detail::Table;

namespace {

// OpenCL's vector types are unions that may be more strictly aligned than the library's
// vectors, so the components are copied into one rather than the bytes passed as they are.
template <class CLVector, class Vector>
void SetVectorArg(Kernel& kernel, unsigned index, const Vector& value) {
    static_assert(sizeof(CLVector) == sizeof(Vector), "the same components, no padding");
    CLVector converted{};
    std::copy(value.begin(), value.end(), converted.s);
    kernel.setArg(index, &converted, sizeof(converted));
}

}  // namespace

void Kernel::setArg(unsigned index, const void* data, std::size_t size) {
    VEK_OCL_CHECK(Table().clSetKernelArg(id(), index, size, data));
}

template <>
void Kernel::setArg<Buffer>(unsigned index, const Buffer& buffer) {
    setArg(index, &buffer.handle(), sizeof(cl_mem));
}

template <>
void Kernel::setArg<Image2D>(unsigned index, const Image2D& image) {
    setArg(index, &image.handle(), sizeof(cl_mem));
}

template <>
void Kernel::setArg<float2>(unsigned index, const float2& value) {
    SetVectorArg<cl_float2>(*this, index, value);
}

template <>
void Kernel::setArg<float4>(unsigned index, const float4& value) {
    SetVectorArg<cl_float4>(*this, index, value);
}

template <>
void Kernel::setArg<int2>(unsigned index, const int2& value) {
    SetVectorArg<cl_int2>(*this, index, value);
}

template <>
void Kernel::setArg<int4>(unsigned index, const int4& value) {
    SetVectorArg<cl_int4>(*this, index, value);
}

}  // namespace OCL
}  // namespace VEK
