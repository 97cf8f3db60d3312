#include "vek/vek_ocl/Sampler.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ocl/ExceptionOCL.h"
#include "vek/vek_ocl/ExtensionManager.h"

namespace VEK {
namespace OCL {

using detail::Table;

Sampler::Sampler(const Context& context, bool normalizedCoordinates,
                 SamplerAddressingMode addressingMode, SamplerFilterMode filterMode) {
    const cl_filter_mode filter = OpenCLFilterMode(filterMode);
    const cl_addressing_mode addressing = OpenCLAddressingMode(addressingMode);
    cl_int status = CL_SUCCESS;
    handle_ = Table().clCreateSampler(context.id(), normalizedCoordinates ? CL_TRUE : CL_FALSE,
                                      addressing, filter, &status);
    VEK_OCL_CHECK(status);
}

cl_uint Sampler::getUintInfo(cl_sampler_info code) const {
    cl_uint value = 0;
    VEK_OCL_CHECK(Table().clGetSamplerInfo(id(), code, sizeof(value), &value, nullptr));
    return value;
}

Sampler::SamplerAddressingMode Sampler::addressingMode() const {
    return OCLAddressingMode(getUintInfo(CL_SAMPLER_ADDRESSING_MODE));
}

Sampler::SamplerFilterMode Sampler::filterMode() const {
    return OCLFilterMode(getUintInfo(CL_SAMPLER_FILTER_MODE));
}

bool Sampler::usesNormalizedCoordinates() const {
    return getUintInfo(CL_SAMPLER_NORMALIZED_COORDS) != 0;
}

Context Sampler::context() const {
    VEK_THROW_INTERNAL("Not implemented.");
}

cl_addressing_mode Sampler::OpenCLAddressingMode(SamplerAddressingMode mode) {
    switch (mode) {
        case AddressNone:
            return CL_ADDRESS_NONE;
        case AddressRepeat:
            return CL_ADDRESS_REPEAT;
        case AddressClamp:
            return CL_ADDRESS_CLAMP;
        case AddressClampToEdge:
            return CL_ADDRESS_CLAMP_TO_EDGE;
    }
    VEK_THROW_INTERNAL("Unknown OCL addressing mode.");
}

cl_filter_mode Sampler::OpenCLFilterMode(SamplerFilterMode mode) {
    switch (mode) {
        case FilterNearest:
            return CL_FILTER_NEAREST;
        case FilterLinear:
            return CL_FILTER_LINEAR;
    }
    VEK_THROW_INTERNAL("Unknown OCL filter mode.");
}

Sampler::SamplerAddressingMode Sampler::OCLAddressingMode(cl_addressing_mode mode) {
    switch (mode) {
        case CL_ADDRESS_NONE:
            return AddressNone;
        case CL_ADDRESS_REPEAT:
            return AddressRepeat;
        case CL_ADDRESS_CLAMP:
            return AddressClamp;
        case CL_ADDRESS_CLAMP_TO_EDGE:
            return AddressClampToEdge;
        default:
            VEK_THROW_INTERNAL("Unknown OpenCL addressing mode.");
    }
}

Sampler::SamplerFilterMode Sampler::OCLFilterMode(cl_filter_mode mode) {
    switch (mode) {
        case CL_FILTER_NEAREST:
            return FilterNearest;
        case CL_FILTER_LINEAR:
            return FilterLinear;
        default:
            VEK_THROW_INTERNAL("Unknown OpenCL filter mode.");
    }
}

}  // namespace OCL
}  // namespace VEK
