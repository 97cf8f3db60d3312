#pragma once

#include <fstream>

#include "vek/Export.h"

namespace VEK {
namespace OGL {

// Start and stop of the OpenGL layer, after the core starts and before it stops.
class VEK_EXPORT Library {
public:
    class VEK_EXPORT InitOptions {
    public:
        bool throwOnNullContext() const { return throwOnNullContext_; }
        void setThrowOnNullContext(bool value) { throwOnNullContext_ = value; }
        bool flushOnMakeCurrentMacOnly() const { return flushOnMakeCurrentMacOnly_; }
        void setFlushOnMakeCurrentMacOnly(bool value) { flushOnMakeCurrentMacOnly_ = value; }

    private:
        bool throwOnNullContext_ = true;
        bool flushOnMakeCurrentMacOnly_ = true;
    };

    static void Initialize();
    static void Initialize(InitOptions const& options);
    // Tears down the interceptor chains and the manager registries, then checks that both the
    // layer and the core were running. Decorators must have been popped.
    static void Terminate();
    static bool IsInitialized() { return sIsInitialized_; }

    // Streams the host may hand over; Terminate flushes, closes and frees them (made with
    // VEK_NEW).
    static std::fstream* sSrcFile_;
    static std::fstream* sBinFile_;

private:
    static bool sIsInitialized_;
    static InitOptions sInitOptions_;
};

// Starts the OpenGL layer for its lifetime; release() keeps it running past the object.
class VEK_EXPORT AutoInitializer {
public:
    AutoInitializer();
    explicit AutoInitializer(Library::InitOptions const& options);
    ~AutoInitializer();
    AutoInitializer(const AutoInitializer&) = delete;
    AutoInitializer& operator=(const AutoInitializer&) = delete;

    void release() { owns_ = false; }

private:
    bool owns_;
};

}  // namespace OGL
}  // namespace VEK
