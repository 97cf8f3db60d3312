#pragma once

#include <string>

#include "vek/Export.h"
#include "vek/core/utility/SpinMutex.h"

namespace VEK {
namespace OCL {

// Opens and closes the OpenCL loader and owns the layer's started state. Every other class of
// the layer requires the started state and does not check it.
class VEK_EXPORT Library {
public:
    static void Initialize();
    // Also starts the core when it is not running. Does nothing when the layer runs.
    static void InitializeIfNecessary();
    static void Terminate();
    static bool IsInitialized() { return bInitialized_; }

    // Whether a loader with at least one platform can be opened from path (a directory prefix
    // ending with its separator; empty for the system library directory). Never throws. The
    // path is kept for the next start-up; do not call while another thread starts or stops
    // the layer.
    static bool IsOpenCLAvailable(const std::string& path);

private:
    friend class AutoInitializer;

    // mutex_ must be held. A failed start-up leaves the layer stopped and the loader closed.
    static void InitializeLocked();

    static bool bInitialized_;
    static Core::SpinMutex mutex_;
    static std::string libraryPath_;
    static void* openCLLibraryHandle;
};

// Starts the layer (not the core) for its lifetime; release() keeps it running past the object.
class VEK_EXPORT AutoInitializer {
public:
    AutoInitializer();
    ~AutoInitializer();
    AutoInitializer(const AutoInitializer&) = delete;
    AutoInitializer& operator=(const AutoInitializer&) = delete;

    void release() { releaseOnExit_ = false; }

private:
    bool releaseOnExit_;
};

}  // namespace OCL
}  // namespace VEK
