// Scripted OpenCL entry points for the tests. Counted objects are heap records with a
// reference count; every release to zero frees one, so "live" shows what a caller leaked.
#include "FakeOpenCL.h"

#include <cstring>
#include <map>
#include <set>
#include <string>

#include <vek/vek_ocl/OpenCL.h>

struct FakeCounted {
    int refs = 1;
};
struct _cl_context : FakeCounted {};
struct _cl_command_queue : FakeCounted {};
struct _cl_mem : FakeCounted {};
struct _cl_sampler : FakeCounted {};
struct _cl_program : FakeCounted {};
struct _cl_kernel : FakeCounted {};
struct _cl_event : FakeCounted {};
struct _cl_platform_id {
    int index;
};
struct _cl_device_id {
    int index;
};

namespace {

FakeCLScript gScript = {1,
                        {"OpenCL 1.1 Fake"},
                        "FULL_PROFILE",
                        "cl_khr_icd",
                        "Fake Device",
                        "cl_khr_fp64 cl_khr_gl_sharing",
                        "",
                        0,
                        0};
FakeCLCounts gCounts = {};
std::map<std::string, int>& Calls() {
    static std::map<std::string, int> calls;
    return calls;
}
std::set<const void*>& Live() {
    static std::set<const void*> live;
    return live;
}
_cl_platform_id gPlatforms[4] = {{0}, {1}, {2}, {3}};
_cl_device_id gDevices[4] = {{0}, {1}, {2}, {3}};

// Counts the call; the scripted failure status, or CL_SUCCESS.
cl_int Scripted(const char* name) {
    const int made = Calls()[name]++;
    if (std::strcmp(name, gScript.failName) == 0 && made >= gScript.failAfter) {
        return gScript.failStatus;
    }
    return CL_SUCCESS;
}

cl_int Answer(const void* value, std::size_t valueSize, std::size_t size, void* destination,
              std::size_t* sizeReturned) {
    if (destination) {
        if (size < valueSize) {
            return CL_INVALID_VALUE;
        }
        std::memcpy(destination, value, valueSize);
    }
    if (sizeReturned) {
        *sizeReturned = valueSize;
    }
    return CL_SUCCESS;
}

cl_int AnswerText(const char* text, std::size_t size, void* destination,
                  std::size_t* sizeReturned) {
    return Answer(text, std::strlen(text) + 1, size, destination, sizeReturned);
}

template <class T>
T* NewCounted() {
    T* object = new T;
    Live().insert(object);
    ++gCounts.created;
    ++gCounts.live;
    return object;
}

cl_int Retain(FakeCounted* object, cl_int invalid) {
    if (!Live().count(object)) {
        ++gCounts.badHandle;
        return invalid;
    }
    ++object->refs;
    ++gCounts.retains;
    return CL_SUCCESS;
}

cl_int Release(FakeCounted* object, cl_int invalid) {
    if (!Live().count(object)) {
        ++gCounts.badHandle;
        return invalid;
    }
    ++gCounts.releases;
    if (--object->refs == 0) {
        Live().erase(object);
        --gCounts.live;
        delete object;
    }
    return CL_SUCCESS;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) FakeCLScript* FakeCL_Script() {
    return &gScript;
}
__attribute__((visibility("default"))) FakeCLCounts* FakeCL_Counts() {
    return &gCounts;
}
__attribute__((visibility("default"))) int FakeCL_Calls(const char* entryPoint) {
    const auto found = Calls().find(entryPoint);
    return found == Calls().end() ? 0 : found->second;
}
__attribute__((visibility("default"))) void* FakeCL_NewContext() {
    return NewCounted<_cl_context>();
}
__attribute__((visibility("default"))) int FakeCL_RefCount(const void* handle) {
    return Live().count(handle) ? static_cast<const FakeCounted*>(handle)->refs : 0;
}

void FakeCL_CountUnimplemented() {
    ++gCounts.unimplemented;
}

cl_int clGetPlatformIDs(cl_uint entries, cl_platform_id* platforms, cl_uint* count) {
    if (cl_int status = Scripted("clGetPlatformIDs")) {
        return status;
    }
    if (platforms) {
        if (entries == 0) {
            return CL_INVALID_VALUE;
        }
        for (int i = 0; i < gScript.platformCount && i < static_cast<int>(entries); ++i) {
            platforms[i] = &gPlatforms[i];
        }
    }
    if (count) {
        *count = static_cast<cl_uint>(gScript.platformCount);
    }
    return CL_SUCCESS;
}

cl_int clGetPlatformInfo(cl_platform_id platform, cl_platform_info name, std::size_t size,
                         void* value, std::size_t* sizeReturned) {
    if (cl_int status = Scripted("clGetPlatformInfo")) {
        return status;
    }
    if (!platform) {
        return CL_INVALID_PLATFORM;
    }
    switch (name) {
        case CL_PLATFORM_VERSION:
            return AnswerText(gScript.platformVersion[platform->index], size, value, sizeReturned);
        case CL_PLATFORM_PROFILE:
            return AnswerText(gScript.platformProfile, size, value, sizeReturned);
        case CL_PLATFORM_EXTENSIONS:
            return AnswerText(gScript.platformExtensions, size, value, sizeReturned);
        case CL_PLATFORM_NAME:
            return AnswerText("Fake Platform", size, value, sizeReturned);
        case CL_PLATFORM_VENDOR:
            return AnswerText("VEK tests", size, value, sizeReturned);
        default:
            return CL_INVALID_VALUE;
    }
}

cl_int clGetDeviceIDs(cl_platform_id platform, cl_device_type type, cl_uint entries,
                      cl_device_id* devices, cl_uint* count) {
    if (cl_int status = Scripted("clGetDeviceIDs")) {
        return status;
    }
    if (!platform) {
        return CL_INVALID_PLATFORM;
    }
    if ((type & (CL_DEVICE_TYPE_GPU | CL_DEVICE_TYPE_DEFAULT)) == 0) {
        return CL_DEVICE_NOT_FOUND;
    }
    if (devices) {
        if (entries == 0) {
            return CL_INVALID_VALUE;
        }
        devices[0] = &gDevices[platform->index];
    }
    if (count) {
        *count = 1;
    }
    return CL_SUCCESS;
}

cl_int clGetDeviceInfo(cl_device_id device, cl_device_info name, std::size_t size, void* value,
                       std::size_t* sizeReturned) {
    if (cl_int status = Scripted("clGetDeviceInfo")) {
        return status;
    }
    if (!device) {
        return CL_INVALID_DEVICE;
    }
    switch (name) {
        case CL_DEVICE_NAME:
            return AnswerText(gScript.deviceName, size, value, sizeReturned);
        case CL_DEVICE_EXTENSIONS:
            return AnswerText(gScript.deviceExtensions, size, value, sizeReturned);
        case CL_DEVICE_TYPE: {
            const cl_device_type type = CL_DEVICE_TYPE_GPU;
            return Answer(&type, sizeof(type), size, value, sizeReturned);
        }
        case CL_DEVICE_PLATFORM: {
            const cl_platform_id platform = &gPlatforms[device->index];
            return Answer(&platform, sizeof(platform), size, value, sizeReturned);
        }
        default:
            return CL_INVALID_VALUE;
    }
}

#define FAKE_RETAIN_RELEASE(Handle, RetainName, ReleaseName, invalid) \
    cl_int RetainName(Handle object) {                                \
        if (cl_int status = Scripted(#RetainName)) {                  \
            return status;                                            \
        }                                                             \
        return Retain(object, invalid);                               \
    }                                                                 \
    cl_int ReleaseName(Handle object) {                               \
        if (cl_int status = Scripted(#ReleaseName)) {                 \
            return status;                                            \
        }                                                             \
        return Release(object, invalid);                              \
    }

FAKE_RETAIN_RELEASE(cl_context, clRetainContext, clReleaseContext, CL_INVALID_CONTEXT)
FAKE_RETAIN_RELEASE(cl_command_queue, clRetainCommandQueue, clReleaseCommandQueue,
                    CL_INVALID_COMMAND_QUEUE)
FAKE_RETAIN_RELEASE(cl_mem, clRetainMemObject, clReleaseMemObject, CL_INVALID_MEM_OBJECT)
FAKE_RETAIN_RELEASE(cl_sampler, clRetainSampler, clReleaseSampler, CL_INVALID_SAMPLER)
FAKE_RETAIN_RELEASE(cl_program, clRetainProgram, clReleaseProgram, CL_INVALID_PROGRAM)
FAKE_RETAIN_RELEASE(cl_kernel, clRetainKernel, clReleaseKernel, CL_INVALID_KERNEL)
FAKE_RETAIN_RELEASE(cl_event, clRetainEvent, clReleaseEvent, CL_INVALID_EVENT)

}  // extern "C"
