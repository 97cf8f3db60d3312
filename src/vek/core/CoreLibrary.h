#pragma once

#include <cstdint>
#include <string>

#include "vek/Export.h"
#include "vek/core/utility/SpinMutex.h"

namespace VEK {
namespace OCL {
class Library;
}

namespace Core {

// Process-wide start and stop of the core. The OpenGL and OpenCL libraries require it.
class VEK_EXPORT Library {
public:
    static void Initialize();
    static void InitializeIfNecessary();
    static void Terminate();
    static bool IsInitialized() { return sInitialized_; }

private:
    friend class AutoInitializer;
    friend class ::VEK::OCL::Library;  // starts the core while holding its own mutex

    // sMutex_ must be held.
    static void InitializeLocked();

    static bool sInitialized_;
    static SpinMutex sMutex_;
};

// Starts the core for its lifetime; release() keeps it running past the object.
class VEK_EXPORT AutoInitializer {
public:
    AutoInitializer();
    ~AutoInitializer();
    AutoInitializer(const AutoInitializer&) = delete;
    AutoInitializer& operator=(const AutoInitializer&) = delete;

    void release() { terminateOnDestruction_ = false; }

private:
    bool terminateOnDestruction_;
};

}  // namespace Core

// The library's version, "major.minor.patch".
VEK_EXPORT const char* VersionString();

// True when the processor has SSE2 (CPUID function 1, EDX bit 26); false on other architectures.
VEK_EXPORT bool SupportsSSE();

// Zero counts as a power of two.
inline bool IsPowerOfTwo(unsigned value) {
    return (value & (value - 1)) == 0;
}

// The smallest multiple of boundary (positive) that is at least value.
inline int IncrementToBoundary(int value, int boundary) {
    const int rest = value % boundary;
    return rest == 0 ? value : value + boundary - rest;
}
inline std::uintptr_t IncrementToBoundaryPtr(std::uintptr_t address, int boundary) {
    const std::uintptr_t b = static_cast<std::uintptr_t>(boundary);
    const std::uintptr_t rest = address % b;
    return rest == 0 ? address : address + b - rest;
}

// Splits an OpenGL version string: "2.1.2 Vendor Build 7" gives 2, 1, 2 and "Vendor Build 7";
// "4.6 Core" gives 4, 6, -1 and "Core". A piece without digits reads as 0.
VEK_EXPORT void TokenizeVersionString(const std::string& version, unsigned& major, unsigned& minor,
                                      int& release, std::string& vendorInformation);

// The host binding library's address-lookup procedure, stored for it and handed back.
typedef void* (*QOBGetAddressProc)(const char*, const char*, const char*);
VEK_EXPORT void SetQOBGetAddressProc(QOBGetAddressProc procedure);
VEK_EXPORT QOBGetAddressProc GetQOBGetAddressProc();

VEK_EXPORT void VEK_Audit_NOP_DO_NOT_CALL();

}  // namespace VEK
