#include "FakeOpenCLControl.h"

#include <dlfcn.h>

#include <cstring>
#include <stdexcept>

namespace VEKTest {

namespace {

template <class Proc>
Proc Lookup(void* module, const char* name) {
    void* symbol = dlsym(module, name);
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
    : module_(dlopen((prefix + "libOpenCL.so.1").c_str(), RTLD_NOW | RTLD_LOCAL)) {
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
    dlclose(module_);
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
