#pragma once

#include <string>

#include <vek/core/exceptions/InternalException.h>
#include <vek/vek_ocl/ExceptionOCL.h>

namespace VEKTest {

// The message of the InternalException that statement throws, or "<nothing thrown>".
template <class F>
std::string InternalMessage(F&& statement) {
    try {
        statement();
    } catch (const VEK::InternalException& e) {
        return e.message();
    }
    return "<nothing thrown>";
}

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
