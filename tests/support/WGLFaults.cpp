#include "support/WGLFaults.h"

#include <algorithm>
#include <cstring>

#include <vek/vek_ogl/extensionator/EntryPointLookup.h>

namespace VEKTest {

namespace {

// The driver's wglCreateContextAttribsARB, as the last look-up through the decorator found it.
typedef HGLRC (*CreateContextAttribsProc)(HDC, HGLRC, const int*);
CreateContextAttribsProc gCreateContextAttribs = nullptr;

}  // namespace

WGLFaults* WGLFaults::sActive_ = nullptr;

WGLFaults::WGLFaults() {
    sActive_ = this;
}

WGLFaults::~WGLFaults() {
    sActive_ = nullptr;
}

int WGLFaults::count(const std::string& file, const std::string& function) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const Call& call) {
        return call.file == file && call.function == function;
    }));
}

void WGLFaults::observe(char const* file, unsigned, char const* function) {
    const char* slash = std::strrchr(file, '/');
    calls.push_back(Call{slash ? slash + 1 : file, function});
}

bool WGLFaults::failNow() {
    ++failable;
    if (failable == failAt) {
        failed = calls.back().file + ": " + calls.back().function;
        SetLastError(ERROR_INVALID_OPERATION);
        return true;
    }
    return false;
}

HGLRC WGLFaults::wcgmCreateContext(char const* file, unsigned line, HDC deviceContext) {
    observe(file, line, "wglCreateContext");
    if (failNow()) {
        return nullptr;
    }
    HGLRC context = interceptor()->wcgmCreateContext(file, line, deviceContext);
    if (context != nullptr) {
        created.push_back(context);
    }
    return context;
}

int WGLFaults::wcgmDeleteContext(char const* file, unsigned line, HGLRC context) {
    observe(file, line, "wglDeleteContext");
    return failNow() ? FALSE : interceptor()->wcgmDeleteContext(file, line, context);
}

PROC WGLFaults::wcgmGetProcAddress(char const* file, unsigned line, char const* name) {
    observe(file, line, "wglGetProcAddress");
    if (failNow()) {
        return nullptr;
    }
    PROC found = interceptor()->wcgmGetProcAddress(file, line, name);
    if (found != nullptr && std::strcmp(name, "wglCreateContextAttribsARB") == 0) {
        gCreateContextAttribs = reinterpret_cast<CreateContextAttribsProc>(
            reinterpret_cast<VEK::OGL::internal::EntryPoint>(found));
        return reinterpret_cast<PROC>(
            reinterpret_cast<VEK::OGL::internal::EntryPoint>(&CreateContextAttribs));
    }
    return found;
}

int WGLFaults::wcgmMakeCurrent(char const* file, unsigned line, HDC deviceContext, HGLRC context) {
    observe(file, line, "wglMakeCurrent");
    if (context == nullptr) {
        calls.back().function = "wglMakeCurrent(null)";
    }
    return failNow() ? FALSE : interceptor()->wcgmMakeCurrent(file, line, deviceContext, context);
}

int WGLFaults::wcgmShareLists(char const* file, unsigned line, HGLRC first, HGLRC second) {
    observe(file, line, "wglShareLists");
    return failNow() ? FALSE : interceptor()->wcgmShareLists(file, line, first, second);
}

HGLRC WGLFaults::CreateContextAttribs(HDC deviceContext, HGLRC share, const int* attributes) {
    WGLFaults* active = sActive_;
    if (active != nullptr) {
        active->calls.push_back(Call{"", "wglCreateContextAttribsARB"});
        if (active->failNow()) {
            return nullptr;
        }
    }
    HGLRC context = gCreateContextAttribs(deviceContext, share, attributes);
    if (active != nullptr && context != nullptr) {
        active->created.push_back(context);
    }
    return context;
}

}  // namespace VEKTest
