#pragma once

#include <string>

#include <vek/core/exceptions/InternalException.h>

namespace VEKTest {

// Runs statement and returns the message of the InternalException it throws, or
// "<nothing thrown>".
template <class Statement>
std::string InternalMessageOf(Statement statement) {
    try {
        statement();
    } catch (const VEK::InternalException& e) {
        return e.message();
    }
    return "<nothing thrown>";
}

}  // namespace VEKTest
