#pragma once

#include <fstream>

#include "vek/Export.h"

namespace VEK {
namespace OGL {

/// Start and stop of the OpenGL layer, after the core starts and before it stops.
class VEK_EXPORT Library {
public:
    /// Options of the OpenGL layer, fixed at Initialize.
    class VEK_EXPORT InitOptions {
    public:
        /// Whether a GL call checked with no current context throws (default true). Throws nothing.
        bool throwOnNullContext() const { return throwOnNullContext_; }
        /// Sets throwOnNullContext(). Throws nothing.
        void setThrowOnNullContext(bool value) { throwOnNullContext_ = value; }
        /// Whether making a context current flushes the previous one first, on macOS only (default
        /// true). Throws nothing.
        bool flushOnMakeCurrentMacOnly() const { return flushOnMakeCurrentMacOnly_; }
        /// Sets flushOnMakeCurrentMacOnly(). Throws nothing.
        void setFlushOnMakeCurrentMacOnly(bool value) { flushOnMakeCurrentMacOnly_ = value; }

    private:
        bool throwOnNullContext_ = true;
        bool flushOnMakeCurrentMacOnly_ = true;
    };

    /// Starts the layer with default options. Throws InternalException when it is already running
    /// or the core is not.
    static void Initialize();
    /// Starts the layer with the given options. Throws InternalException when it is already running
    /// or the core is not.
    static void Initialize(InitOptions const& options);
    /// Tears down the interceptor chains and the manager registries, then checks that both the
    /// layer and the core were running. Decorators must have been popped. Throws
    /// InternalException when either was not running or only one stream was handed over.
    static void Terminate();
    /// Whether the layer is running. Throws nothing.
    static bool IsInitialized() { return sIsInitialized_; }

    /// Streams the host may hand over; Terminate flushes, closes and frees them (made with
    /// VEK_NEW).
    static std::fstream* sSrcFile_;
    /// The binary stream handed over with sSrcFile_.
    static std::fstream* sBinFile_;

private:
    static bool sIsInitialized_;
    static InitOptions sInitOptions_;
};

/// Starts the OpenGL layer for its lifetime; release() keeps it running past the object.
class VEK_EXPORT AutoInitializer {
public:
    /// Starts the layer with default options. Throws as Library::Initialize.
    AutoInitializer();
    /// Starts the layer with the given options. Throws as Library::Initialize.
    explicit AutoInitializer(Library::InitOptions const& options);
    /// Terminates the layer unless released; failures are dropped. Throws nothing.
    ~AutoInitializer();
    AutoInitializer(const AutoInitializer&) = delete;
    AutoInitializer& operator=(const AutoInitializer&) = delete;

    /// Leaves the layer running when this object goes. Throws nothing.
    void release() { owns_ = false; }

private:
    bool owns_;
};

}  // namespace OGL
}  // namespace VEK
