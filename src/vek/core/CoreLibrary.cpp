#include "vek/core/CoreLibrary.h"

#include <mutex>
#include <sstream>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

#include "vek/core/Version.h"
#include "vek/core/exceptions/InternalException.h"

namespace VEK {
namespace Core {

bool Library::sInitialized_ = false;
SpinMutex Library::sMutex_;

void Library::Initialize() {
    std::lock_guard<SpinMutex> lock(sMutex_);
    InitializeLocked();
}

void Library::InitializeIfNecessary() {
    std::lock_guard<SpinMutex> lock(sMutex_);
    if (!sInitialized_) {
        InitializeLocked();
    }
}

void Library::InitializeLocked() {
    VEK_ASSERT(!sInitialized_);
    sInitialized_ = true;
}

void Library::Terminate() {
    std::lock_guard<SpinMutex> lock(sMutex_);
    VEK_ASSERT(sInitialized_);
    sInitialized_ = false;
}

AutoInitializer::AutoInitializer() : terminateOnDestruction_(true) {
    std::lock_guard<SpinMutex> lock(Library::sMutex_);
    Library::InitializeLocked();
}

AutoInitializer::~AutoInitializer() {
    if (terminateOnDestruction_) {
        try {
            Library::Terminate();
        } catch (const ExceptionBase&) {
            // Someone terminated the core before us; nothing is left to undo.
        }
    }
}

}  // namespace Core

const char* VersionString() {
    return VEK_VERSION_STRING;
}

bool SupportsSSE() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) {
        return false;
    }
    return (edx & (1u << 26)) != 0;
#else
    return false;
#endif
}

namespace {

// Each piece is read on its own, so a piece without digits reads as 0 and cannot spoil the next.
template <class Number>
Number ReadNumber(const std::string& piece) {
    std::istringstream stream(piece);
    Number value = 0;
    stream >> value;
    return stream.fail() ? Number(0) : value;
}

}  // namespace

void TokenizeVersionString(const std::string& version, unsigned& major, unsigned& minor,
                           int& release, std::string& vendorInformation) {
    release = -1;
    vendorInformation.clear();

    const std::size_t firstDot = version.find('.');
    major = ReadNumber<unsigned>(version.substr(0, firstDot));
    if (firstDot == std::string::npos) {
        minor = 0;
        return;
    }
    std::size_t separator = version.find_first_of(" .", firstDot + 1);
    minor = ReadNumber<unsigned>(version.substr(firstDot + 1, separator == std::string::npos
                                                                  ? std::string::npos
                                                                  : separator - firstDot - 1));
    if (separator == std::string::npos) {
        return;
    }
    if (version[separator] == '.') {
        const std::size_t blank = version.find(' ', separator + 1);
        release = ReadNumber<int>(version.substr(
            separator + 1, blank == std::string::npos ? std::string::npos : blank - separator - 1));
        if (blank == std::string::npos) {
            return;
        }
        separator = blank;
    }
    vendorInformation = version.substr(separator + 1);
}

namespace {
QOBGetAddressProc gQOBGetAddressProc = nullptr;
}

void SetQOBGetAddressProc(QOBGetAddressProc procedure) {
    gQOBGetAddressProc = procedure;
}

QOBGetAddressProc GetQOBGetAddressProc() {
    return gQOBGetAddressProc;
}

void VEK_Audit_NOP_DO_NOT_CALL() {}

}  // namespace VEK
