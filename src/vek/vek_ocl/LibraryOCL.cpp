#include "vek/vek_ocl/LibraryOCL.h"

#include <mutex>

#include "vek/core/CoreLibrary.h"
#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ocl/Enum.h"
#include "vek/vek_ocl/ExtensionManager.h"
#include "vek/vek_ocl/LoaderModule.h"

namespace VEK {
namespace OCL {

bool Library::bInitialized_ = false;
Core::SpinMutex Library::mutex_;
std::string Library::libraryPath_;
void* Library::openCLLibraryHandle = nullptr;

void Library::Initialize() {
    std::lock_guard<Core::SpinMutex> lock(mutex_);
    InitializeLocked();
}

void Library::InitializeIfNecessary() {
    std::lock_guard<Core::SpinMutex> lock(mutex_);
    if (bInitialized_) {
        return;
    }
    {
        // Lock order: this layer's mutex, then the core's.
        std::lock_guard<Core::SpinMutex> coreLock(Core::Library::sMutex_);
        if (!Core::Library::IsInitialized()) {
            Core::Library::InitializeLocked();
        }
    }
    InitializeLocked();
}

void Library::InitializeLocked() {
    VEK_ASSERT(!bInitialized_);
    openCLLibraryHandle = detail::OpenLoader(libraryPath_);
    VEK_ASSERT(openCLLibraryHandle);
    try {
        ExtensionManager::create(openCLLibraryHandle);
        Enum::FillDevicePropertyTypeTable();
    } catch (...) {
        ExtensionManager::destroy();
        detail::CloseLoader(openCLLibraryHandle);
        openCLLibraryHandle = nullptr;
        throw;
    }
    bInitialized_ = true;
}

void Library::Terminate() {
    std::lock_guard<Core::SpinMutex> lock(mutex_);
    VEK_ASSERT(bInitialized_);
    bInitialized_ = false;
    libraryPath_.clear();
    ExtensionManager::destroy();
    detail::CloseLoader(openCLLibraryHandle);
    openCLLibraryHandle = nullptr;
}

bool Library::IsOpenCLAvailable(const std::string& path) {
    try {
        void* module = detail::OpenLoader(path);
        libraryPath_ = path;
        if (!module) {
            return false;
        }
        const auto getPlatformIDs = reinterpret_cast<decltype(&::clGetPlatformIDs)>(
            detail::LoaderSymbol(module, "clGetPlatformIDs"));
        cl_uint count = 0;
        if (getPlatformIDs) {
            getPlatformIDs(0, nullptr, &count);
        }
        detail::CloseLoader(module);
        return count > 0;
    } catch (...) {
        return false;
    }
}

AutoInitializer::AutoInitializer() : releaseOnExit_(true) {
    std::lock_guard<Core::SpinMutex> lock(Library::mutex_);
    Library::InitializeLocked();
}

AutoInitializer::~AutoInitializer() {
    if (releaseOnExit_) {
        try {
            Library::Terminate();
        } catch (const ExceptionBase&) {
            // Someone stopped the layer before us; nothing is left to undo.
        }
    }
}

}  // namespace OCL
}  // namespace VEK
