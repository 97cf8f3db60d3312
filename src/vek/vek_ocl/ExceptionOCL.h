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
    /// The exception for an OpenCL status at file and line, with a message of its own. A
    /// negative status is passed as its 32-bit two's-complement pattern. Throws nothing but
    /// std::bad_alloc.
    ExceptionOCL(const char* file, unsigned line, const char* message, std::uint32_t errorNumber);
    /// Copies location, message, status and description. Throws nothing but std::bad_alloc.
    ExceptionOCL(const ExceptionOCL& other);
    /// Copies location, message, status and description. Throws nothing but std::bad_alloc.
    ExceptionOCL& operator=(const ExceptionOCL& other);
    ~ExceptionOCL() override;

    /// The description: "OCL Exception: " and the status's name; not the message. Throws
    /// nothing.
    const char* what() const noexcept override;
    /// A heap copy through the library's allocation hooks; null when the allocation gives none.
    /// Throws what the allocation hook throws.
    ExceptionBase* clone() const override;

    /// The description that what() returns. Throws nothing.
    const std::string& errorDescription() const { return description_; }
    /// The OpenCL status, as its unsigned 32-bit pattern. Throws nothing.
    std::uint32_t errorNumber() const { return errorNumber_; }

    /// The status's symbolic name, or "UNKNOWN CL ERROR CODE". Throws nothing.
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
