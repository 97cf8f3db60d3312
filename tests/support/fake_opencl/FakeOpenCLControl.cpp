#include "FakeOpenCLControl.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <cstring>
#include <stdexcept>

namespace VEKTest {

namespace {

// The test loader's file name, and opening, looking into and closing it, on this platform.
#if defined(_WIN32)
const char* const kFileName = "OpenCL.dll";
void* Open(const std::string& path) {
    return LoadLibraryA(path.c_str());
}
void* Symbol(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}
void Close(void* module) {
    FreeLibrary(static_cast<HMODULE>(module));
}
#else
const char* const kFileName = "libOpenCL.so.1";
void* Open(const std::string& path) {
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}
void* Symbol(void* module, const char* name) {
    return dlsym(module, name);
}
void Close(void* module) {
    dlclose(module);
}
#endif

template <class Proc>
Proc Lookup(void* module, const char* name) {
    void* symbol = Symbol(module, name);
    if (!symbol) {
        throw std::runtime_error(std::string("test OpenCL loader lacks ") + name);
    }
    return reinterpret_cast<Proc>(symbol);
}

void Copy(char* destination, std::size_t capacity, const char* text) {
    std::strncpy(destination, text, capacity - 1);
    destination[capacity - 1] = '\0';
}

}  // namespace

std::string FakeOpenCL::Prefix() {
    return VEK_FAKE_OPENCL_PREFIX;
}

std::string FakeOpenCL::IncompletePrefix() {
    return VEK_FAKE_OPENCL_INCOMPLETE_PREFIX;
}

FakeOpenCL::FakeOpenCL(const std::string& prefix)
    : module_(Open(prefix + kFileName)) {
    if (!module_) {
        throw std::runtime_error("cannot open the test OpenCL loader under " + prefix);
    }
    script_ = Lookup<FakeCL_ScriptProc>(module_, "FakeCL_Script")();
    counts_ = Lookup<FakeCL_CountsProc>(module_, "FakeCL_Counts")();
    record_ = Lookup<FakeCL_RecordProc>(module_, "FakeCL_Record")();
    calls_ = Lookup<FakeCL_CallsProc>(module_, "FakeCL_Calls");
    newContext_ = Lookup<FakeCL_NewObjectProc>(module_, "FakeCL_NewContext");
    refCount_ = Lookup<FakeCL_RefCountProc>(module_, "FakeCL_RefCount");
}

FakeOpenCL::~FakeOpenCL() {
    Close(module_);
}

void FakeOpenCL::setPlatformVersions(std::initializer_list<const char*> versions) {
    int i = 0;
    for (const char* version : versions) {
        if (i == 4) {
            throw std::logic_error("the test OpenCL loader has at most four platforms");
        }
        Copy(script_->platformVersion[i++], sizeof(script_->platformVersion[0]), version);
    }
    script_->platformCount = i;
}

void FakeOpenCL::fail(const char* entryPoint, int status, int after) {
    Copy(script_->failName, sizeof(script_->failName), entryPoint);
    script_->failStatus = status;
    script_->failAfter = calls_(entryPoint) + after;  // the fake counts since it was loaded
}

}  // namespace VEKTest
