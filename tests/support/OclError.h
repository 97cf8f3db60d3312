#pragma once

#include <cstdint>
#include <string>

#include <vek/vek_ocl/ExceptionOCL.h>

namespace VEKTest {

// The status name ("CL_...") of the ExceptionOCL that statement throws, or "<nothing thrown>".
// An ExceptionOCL with a message other than the empty one reads "<message: ...>".
template <class F>
std::string OclError(F&& statement) {
    try {
        statement();
    } catch (const VEK::OCL::ExceptionOCL& e) {
        if (std::string(e.message()) != "") {
            return std::string("<message: ") + e.message() + ">";
        }
        return VEK::OCL::ExceptionOCL::ErrorToCString(static_cast<std::int32_t>(e.errorNumber()));
    }
    return "<nothing thrown>";
}

}  // namespace VEKTest
