#include "vek/vek_ogl/extensionator/OpenGLErrorChecker.h"

#include <GL/glu.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/ExceptionOGL.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"

namespace VEK {
namespace OGL {

namespace internal {

__thread std::atomic<HGLRC> tPairContext VEK_INITIAL_EXEC_TLS{nullptr};

}  // namespace internal

namespace {

// The pair state of every live thread that has opened a pair, for ForgetContext.
std::mutex gPairThreadsMutex;
std::vector<std::atomic<HGLRC>*> gPairThreads;

// Lists the thread's pair state from its first glBegin until the thread ends.
struct PairThread {
    PairThread() {
        std::lock_guard<std::mutex> lock(gPairThreadsMutex);
        gPairThreads.push_back(&internal::tPairContext);
    }
    ~PairThread() {
        std::lock_guard<std::mutex> lock(gPairThreadsMutex);
        gPairThreads.erase(
            std::remove(gPairThreads.begin(), gPairThreads.end(), &internal::tPairContext),
            gPairThreads.end());
    }
    PairThread(const PairThread&) = delete;
    PairThread& operator=(const PairThread&) = delete;
};

}  // namespace

OpenGLErrorChecker::~OpenGLErrorChecker() = default;

void OpenGLErrorChecker::throwError(char const* file, unsigned line, GLenum code) {
    throw ExceptionOGL(file, line, reinterpret_cast<const char*>(::gluErrorString(code)), code);
}

namespace {

const char kNoCurrentContext[] = "No OpenGL context is current on the calling thread";

}  // namespace

void OpenGLErrorChecker::noContext(char const* file, unsigned line) {
    if (ExtensionManager::CurrentInitOptions().throwOnNullContext()) {
        throw InternalException(file, static_cast<int>(line), kNoCurrentContext);
    }
}

bool OpenGLErrorChecker::pairIsCurrent() {
    const HGLRC begun = internal::tPairContext.load(std::memory_order_relaxed);
    if (begun != nullptr && begun == Platform::CurrentContext()) {
        return true;
    }
    internal::tPairContext.store(nullptr, std::memory_order_relaxed);
    return false;
}

void OpenGLErrorChecker::ForgetContext(HGLRC context) {
    if (context == nullptr) {
        return;
    }
    // A context current on a thread is deleted on that thread only, so no pair can be opened
    // on it meanwhile; the exchange leaves a pair on any other context alone.
    std::lock_guard<std::mutex> lock(gPairThreadsMutex);
    for (std::atomic<HGLRC>* pair : gPairThreads) {
        HGLRC expected = context;
        pair->compare_exchange_strong(expected, nullptr, std::memory_order_relaxed);
    }
}

void OpenGLErrorChecker::throwMissing(char const* file, unsigned line, char const* name) {
    if (Platform::CurrentContext() == nullptr) {
        noContext(file, line);
    }
    std::ostringstream message;
    message << name
            << " is not loaded for the current context (no context is current, or its "
               "driver lacks it): check support before calling";
    throw InternalException(file, static_cast<int>(line), message.str().c_str());
}

void OpenGLErrorChecker::openPair(char const* file, unsigned line) {
    if (pairIsCurrent()) {
        throw ExceptionOGL(file, line, "Unbalanced glBegin()!", 0);
    }
    const HGLRC context = Platform::CurrentContext();
    // Without a context (when that is allowed) the driver ignores the pair: nothing to balance.
    if (context != nullptr) {
        static thread_local PairThread listed;
        static_cast<void>(listed);
        internal::tPairContext.store(context, std::memory_order_relaxed);
    }
}

void OpenGLErrorChecker::closePair(char const* file, unsigned line) {
    if (!pairIsCurrent() && Platform::CurrentContext() != nullptr) {
        throw ExceptionOGL(file, line, "Unbalanced glEnd()!", 0);
    }
    internal::tPairContext.store(nullptr, std::memory_order_relaxed);
}

}  // namespace OGL
}  // namespace VEK
