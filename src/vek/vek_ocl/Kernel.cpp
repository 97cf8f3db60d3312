#include "vek/vek_ocl/Kernel.h"

#include "vek/vek_ocl/Buffer.h"
#include "vek/vek_ocl/ExceptionOCL.h"
#include "vek/vek_ocl/ExtensionManager.h"
#include "vek/vek_ocl/Image.h"

namespace VEK {
namespace OCL {

using detail::Table;

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

}  // namespace OCL
}  // namespace VEK
