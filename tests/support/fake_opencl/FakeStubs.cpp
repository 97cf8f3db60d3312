// Every entry point of the table, as a weak alias of FakeCL_Unimplemented: the scripted
// definitions in FakeOpenCL.cpp take their place, the rest exist so that lookups succeed.
#include <vek/vek_ocl/FunctionTable.h>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattributes"
#if defined(__clang__)
#pragma GCC diagnostic ignored "-Wunknown-warning-option"
#endif
#pragma GCC diagnostic ignored "-Wattribute-alias"
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

extern "C" {
void FakeCL_CountUnimplemented();

// Reports the call as unsupported; pointer-returning entry points must never get here.
__attribute__((visibility("default"))) long FakeCL_Unimplemented() {
    FakeCL_CountUnimplemented();
    return CL_INVALID_OPERATION;
}

// Windows DLLs have no weak aliases: there each stub is an archive member of its own, taken only
// where the scripted definitions leave a name undefined (fake_opencl/CMakeLists.txt).
#if !defined(_WIN32)
#define FAKE_STUB(name) decltype(::name) name __attribute__((weak, alias("FakeCL_Unimplemented")));
VEK_OCL_ALL_ENTRY_POINTS(FAKE_STUB)
#undef FAKE_STUB
#endif
}

#pragma GCC diagnostic pop
