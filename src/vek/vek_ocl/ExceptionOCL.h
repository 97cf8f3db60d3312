#pragma once

#include <cstdint>
#include <string>

#include "vek/Export.h"
#include "vek/core/exceptions/LogicalException.h"
#include "vek/vek_ocl/OpenCL.h"

namespace VEK {
namespace OCL {

/// An OpenCL call returned a status other than CL_SUCCESS. what() names the status; the message
/// of the layer's own throws is empty.
class VEK_EXPORT ExceptionOCL : public LogicalException {
public:
    /// A negative status is passed as its 32-bit two's-complement pattern.
    ExceptionOCL(const char* file, unsigned line, const char* message, std::uint32_t errorNumber);
    ExceptionOCL(const ExceptionOCL& other);
    ExceptionOCL& operator=(const ExceptionOCL& other);
    ~ExceptionOCL() override;

    const char* what() const noexcept override;
    ExceptionBase* clone() const override;

    const std::string& errorDescription() const { return description_; }
    std::uint32_t errorNumber() const { return errorNumber_; }

    /// The status's symbolic name, or "UNKNOWN CL ERROR CODE".
    static const char* ErrorToCString(std::int32_t code);

private:
    std::uint32_t errorNumber_;
    std::string description_;
};

}  // namespace OCL
}  // namespace VEK

// The one status rule of the layer: anything but CL_SUCCESS throws, with the caller's location.
#define VEK_OCL_CHECK(status)                                                          \
    do {                                                                               \
        const ::cl_int vekOclStatus_ = (status);                                       \
        if (vekOclStatus_ != CL_SUCCESS) {                                             \
            throw ::VEK::OCL::ExceptionOCL(__FILE__, __LINE__, "",                     \
                                           static_cast<std::uint32_t>(vekOclStatus_)); \
        }                                                                              \
    } while (false)
