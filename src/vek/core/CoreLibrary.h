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

/// Process-wide start and stop of the core. The OpenGL and OpenCL libraries require it.
class VEK_EXPORT Library {
public:
    /// Starts the core. Throws InternalException ("!sInitialized_") when it is already running.
    static void Initialize();
    /// Starts the core unless it is already running. Throws nothing.
    static void InitializeIfNecessary();
    /// Stops the core; hooks and objects stay as they are, and the core may start again.
    /// Throws InternalException ("sInitialized_") when the core is not running.
    static void Terminate();
    /// Whether the core is running; an unlocked read. Throws nothing.
    static bool IsInitialized() { return sInitialized_; }

private:
    friend class AutoInitializer;
    friend class ::VEK::OCL::Library;  ///< starts the core while holding its own mutex

    /// sMutex_ must be held. Throws InternalException when the core is already running.
    static void InitializeLocked();

    static bool sInitialized_;
    static SpinMutex sMutex_;
};

/// Starts the core for its lifetime; release() keeps it running past the object.
class VEK_EXPORT AutoInitializer {
public:
    /// Starts the core. Throws InternalException ("!sInitialized_") when it is already running.
    AutoInitializer();
    /// Stops the core unless release() was called. Throws nothing: a core already stopped by
    /// someone else is left alone.
    ~AutoInitializer();
    /// Not copyable: one object stands for one start.
    AutoInitializer(const AutoInitializer&) = delete;
    /// Not assignable: one object stands for one start.
    AutoInitializer& operator=(const AutoInitializer&) = delete;

    /// Keeps the core running after this object dies. Throws nothing.
    void release() { terminateOnDestruction_ = false; }

private:
    bool terminateOnDestruction_;
};

}  // namespace Core

/// The library's version, "major.minor.patch". Throws nothing.
VEK_EXPORT const char* VersionString();

/// True when the processor has SSE2 (CPUID function 1, EDX bit 26); false on other architectures.
/// Throws nothing.
VEK_EXPORT bool SupportsSSE();

/// Whether value has at most one bit set; zero counts as a power of two. Throws nothing.
inline bool IsPowerOfTwo(unsigned value) {
    return (value & (value - 1)) == 0;
}

/// The smallest multiple of boundary (positive) that is at least value. Throws nothing.
inline int IncrementToBoundary(int value, int boundary) {
    const int rest = value % boundary;
    return rest == 0 ? value : value + boundary - rest;
}
/// The smallest address that is a multiple of boundary (positive) and at least address.
/// Throws nothing.
inline std::uintptr_t IncrementToBoundaryPtr(std::uintptr_t address, int boundary) {
    const std::uintptr_t b = static_cast<std::uintptr_t>(boundary);
    const std::uintptr_t rest = address % b;
    return rest == 0 ? address : address + b - rest;
}

/// Splits an OpenGL version string: "2.1.2 Vendor Build 7" gives 2, 1, 2 and "Vendor Build 7";
/// "4.6 Core" gives 4, 6, -1 and "Core". A piece without digits reads as 0.
/// Release is -1 and the vendor information empty when the string has none. Throws only
/// std::bad_alloc.
VEK_EXPORT void TokenizeVersionString(const std::string& version, unsigned& major, unsigned& minor,
                                      int& release, std::string& vendorInformation);

/// The host binding library's address-lookup procedure, stored for it and handed back.
typedef void* (*QOBGetAddressProc)(const char*, const char*, const char*);
/// Stores the host's address-lookup procedure (null clears it); an unlocked write. Throws nothing.
VEK_EXPORT void SetQOBGetAddressProc(QOBGetAddressProc procedure);
/// The procedure last stored by SetQOBGetAddressProc, null before. Throws nothing.
VEK_EXPORT QOBGetAddressProc GetQOBGetAddressProc();

/// Does nothing; exported so that audits of the library's symbols have a fixed entry.
/// Throws nothing.
VEK_EXPORT void VEK_Audit_NOP_DO_NOT_CALL();

}  // namespace VEK
