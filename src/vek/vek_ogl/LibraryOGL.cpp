#include "vek/vek_ogl/LibraryOGL.h"

#include "vek/core/CoreLibrary.h"
#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/wgl/WGLInterceptor.h"

namespace VEK {
namespace OGL {

bool Library::sIsInitialized_ = false;
Library::InitOptions Library::sInitOptions_;
std::fstream* Library::sSrcFile_ = nullptr;
std::fstream* Library::sBinFile_ = nullptr;

void Library::Initialize() {
    Initialize(InitOptions());
}

void Library::Initialize(InitOptions const& options) {
    VEK_ASSERT(!sIsInitialized_);
    VEK_ASSERT(Core::Library::IsInitialized());
    sInitOptions_ = options;
    sIsInitialized_ = true;
}

void Library::Terminate() {
    if (sSrcFile_ != NULL) {
        VEK_ENFORCE(sBinFile_ != NULL);
        for (std::fstream** stream : {&sSrcFile_, &sBinFile_}) {
            (*stream)->flush();
            (*stream)->close();
            VEK_DELETE(*stream);
            *stream = nullptr;
        }
    }
    WGLInterceptor::Destroy();
    OpenGLInterceptor::Destroy();
    ExtensionManager::Terminate();

    VEK_ASSERT(sIsInitialized_);
    VEK_ASSERT(VEK::Core::Library::IsInitialized());
    sIsInitialized_ = false;
}

AutoInitializer::AutoInitializer() : AutoInitializer(Library::InitOptions()) {}

AutoInitializer::AutoInitializer(Library::InitOptions const& options) : owns_(true) {
    Library::Initialize(options);
}

AutoInitializer::~AutoInitializer() {
    if (owns_) {
        try {
            Library::Terminate();
        } catch (const ExceptionBase&) {
            // Already terminated by the host, or a decorator still pushed: nothing to report
            // from a destructor.
        }
    }
}

}  // namespace OGL
}  // namespace VEK
