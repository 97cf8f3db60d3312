#pragma once

#include <string>

#include <vek/vek_ocl/OpenCL.h>

#include "FakeOpenCL.h"

namespace VEKTest {

// Keeps one test OpenCL loader open for its lifetime, so that its script and counts survive
// the layer's own opening and closing of the same file.
class FakeOpenCL {
public:
    // Loader prefixes (ending with '/') of the full fake and of one lacking clEnqueueBarrier.
    static std::string Prefix();
    static std::string IncompletePrefix();

    explicit FakeOpenCL(const std::string& prefix = Prefix());
    ~FakeOpenCL();
    FakeOpenCL(const FakeOpenCL&) = delete;
    FakeOpenCL& operator=(const FakeOpenCL&) = delete;

    FakeCLScript& script() { return *script_; }
    const FakeCLCounts& counts() const { return *counts_; }
    // Writable, so that a test can change what a later query reports.
    FakeCLRecord& record() const { return *record_; }
    // How often an entry point was called, failed calls included.
    int calls(const char* entryPoint) const { return calls_(entryPoint); }
    // A context handle holding one reference, which the caller owns.
    cl_context newContext() const { return static_cast<cl_context>(newContext_()); }
    // 0 once the handle's last reference is gone.
    int refCount(const void* handle) const { return refCount_(handle); }
    // Sets the platform versions in order.
    void setPlatformVersions(std::initializer_list<const char*> versions);
    // The next calls of entryPoint fail with status after `after` successes.
    void fail(const char* entryPoint, int status, int after = 0);

private:
    void* module_;
    FakeCLScript* script_;
    FakeCLCounts* counts_;
    FakeCLRecord* record_;
    FakeCL_CallsProc calls_;
    FakeCL_NewObjectProc newContext_;
    FakeCL_RefCountProc refCount_;
};

}  // namespace VEKTest
