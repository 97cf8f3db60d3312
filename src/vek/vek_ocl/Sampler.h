#pragma once

#include "vek/Export.h"
#include "vek/vek_ocl/Context.h"
#include "vek/vek_ocl/OpenCLObjectWrapper.h"

namespace VEK {
namespace OCL {

/// How kernels read images: coordinate normalisation, addressing and filtering.
class VEK_EXPORT Sampler : public OpenCLObjectWrapper<cl_sampler> {
public:
    enum SamplerAddressingMode {
        AddressNone = 0,
        AddressRepeat = 1,
        AddressClamp = 2,
        AddressClampToEdge = 3
    };
    enum SamplerFilterMode { FilterNearest = 0, FilterLinear = 1 };

    Sampler() = default;
    /// Modes outside the enumerations throw before OpenCL is called.
    Sampler(const Context& context, bool normalizedCoordinates,
            SamplerAddressingMode addressingMode, SamplerFilterMode filterMode);
    Sampler(const Sampler& other) = default;
    Sampler(Sampler&& other) = default;
    Sampler& operator=(const Sampler& other) = default;
    Sampler& operator=(Sampler&& other) = default;

    SamplerAddressingMode addressingMode() const;
    SamplerFilterMode filterMode() const;
    bool usesNormalizedCoordinates() const;
    /// Not available: always throws.
    Context context() const;

protected:
    static cl_addressing_mode OpenCLAddressingMode(SamplerAddressingMode mode);
    static cl_filter_mode OpenCLFilterMode(SamplerFilterMode mode);
    static SamplerAddressingMode OCLAddressingMode(cl_addressing_mode mode);
    static SamplerFilterMode OCLFilterMode(cl_filter_mode mode);

private:
    cl_uint getUintInfo(cl_sampler_info code) const;
};

}  // namespace OCL
}  // namespace VEK
