#pragma once

#include "vek/Export.h"
#include "vek/vek_ocl/Context.h"
#include "vek/vek_ocl/OpenCLObjectWrapper.h"

namespace VEK {
namespace OCL {

/// How kernels read images: coordinate normalisation, addressing and filtering. A value class
/// that shares its handle by reference counting.
class VEK_EXPORT Sampler : public OpenCLObjectWrapper<cl_sampler> {
public:
    /// What a read outside the image returns.
    enum SamplerAddressingMode {
        AddressNone = 0,        ///< CL_ADDRESS_NONE.
        AddressRepeat = 1,      ///< CL_ADDRESS_REPEAT.
        AddressClamp = 2,       ///< CL_ADDRESS_CLAMP.
        AddressClampToEdge = 3  ///< CL_ADDRESS_CLAMP_TO_EDGE.
    };
    /// How a read between texels is filtered.
    enum SamplerFilterMode {
        FilterNearest = 0,  ///< CL_FILTER_NEAREST.
        FilterLinear = 1    ///< CL_FILTER_LINEAR.
    };

    /// An empty sampler (null handle). Throws nothing.
    Sampler() = default;
    /// clCreateSampler with the modes. Modes outside the enumerations throw InternalException
    /// before OpenCL is called (the filter mode is checked first); a failing status throws
    /// ExceptionOCL.
    Sampler(const Context& context, bool normalizedCoordinates,
            SamplerAddressingMode addressingMode, SamplerFilterMode filterMode);
    /// Shares the other's sampler (one more reference). Throws nothing.
    Sampler(const Sampler& other) = default;
    /// As the copy: the source keeps its sampler. Throws nothing.
    Sampler(Sampler&& other) = default;
    /// Shares the other's sampler and gives back the old one. Throws nothing.
    Sampler& operator=(const Sampler& other) = default;
    /// As the copy assignment: the source keeps its sampler. Throws nothing.
    Sampler& operator=(Sampler&& other) = default;

    /// The addressing mode (CL_SAMPLER_ADDRESSING_MODE). Throws ExceptionOCL on a failing
    /// status; InternalException for a mode this library does not know.
    SamplerAddressingMode addressingMode() const;
    /// The filter mode (CL_SAMPLER_FILTER_MODE). Throws ExceptionOCL on a failing status;
    /// InternalException for a mode this library does not know.
    SamplerFilterMode filterMode() const;
    /// Whether coordinates are normalised (CL_SAMPLER_NORMALIZED_COORDS). Throws ExceptionOCL
    /// on a failing status.
    bool usesNormalizedCoordinates() const;
    /// Not available: always throws InternalException "Not implemented.".
    Context context() const;

protected:
    /// The OpenCL addressing mode of a library mode. Throws InternalException for a value
    /// outside the enumeration.
    static cl_addressing_mode OpenCLAddressingMode(SamplerAddressingMode mode);
    /// The OpenCL filter mode of a library mode. Throws InternalException for a value outside
    /// the enumeration.
    static cl_filter_mode OpenCLFilterMode(SamplerFilterMode mode);
    /// The library mode of an OpenCL addressing mode. Throws InternalException for an unknown
    /// mode.
    static SamplerAddressingMode OCLAddressingMode(cl_addressing_mode mode);
    /// The library mode of an OpenCL filter mode. Throws InternalException for an unknown mode.
    static SamplerFilterMode OCLFilterMode(cl_filter_mode mode);

private:
    cl_uint getUintInfo(cl_sampler_info code) const;
};

}  // namespace OCL
}  // namespace VEK
