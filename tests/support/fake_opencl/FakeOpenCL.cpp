// Scripted OpenCL entry points for the tests. Counted objects are heap records with a
// reference count; every release to zero frees one, so "live" shows what a caller leaked.
#include "FakeOpenCL.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include <vek/vek_ocl/OpenCL.h>

struct FakeCounted {
    virtual ~FakeCounted() = default;
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
                        0,
                        0,
                        CL_MEM_OBJECT_BUFFER,
                        CL_MEM_READ_WRITE,
                        0};
FakeCLCounts gCounts = {};
FakeCLRecord gRecord = {};
std::map<std::string, int>& Calls() {
    static std::map<std::string, int> calls;
    return calls;
}
// Objects still live when the fake is unloaded go with it: a test may close the loader under
// handles on purpose, and leaks are the counts' to report, not the process's.
struct LiveObjects {
    std::set<const void*> objects;
    ~LiveObjects() {
        for (const void* object : objects) {
            delete static_cast<const FakeCounted*>(object);
        }
    }
};
std::set<const void*>& Live() {
    static LiveObjects live;
    return live.objects;
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

// A creating call: the scripted status goes to the error out-parameter; on failure no object
// is made unless the script asks for one anyway.
template <class T>
T* Create(const char* name, cl_int* error) {
    const cl_int status = Scripted(name);
    if (error) {
        *error = status;
    }
    if ((status != CL_SUCCESS && !gScript.failReturnsHandle) || gScript.succeedsWithoutHandle) {
        return nullptr;
    }
    return NewCounted<T>();
}

// Records an enqueue's wait list and hands out its event; a failing one hands out none unless the
// script asks for one anyway.
cl_int Enqueued(const char* name, cl_uint waitCount, const cl_event* waitList, cl_event* event) {
    gRecord.waitCount = waitCount;
    gRecord.waitListNull = waitList == nullptr;
    gRecord.eventRequested = event != nullptr;
    std::memset(gRecord.waitList, 0, sizeof(gRecord.waitList));
    for (cl_uint i = 0; waitList && i < waitCount && i < 8; ++i) {
        gRecord.waitList[i] = waitList[i];
    }
    gRecord.event = nullptr;
    const cl_int status = Scripted(name);
    if (status != CL_SUCCESS && !gScript.failReturnsHandle) {
        return status;
    }
    if (event) {
        *event = NewCounted<_cl_event>();
        gRecord.event = *event;
    }
    return status;
}

// A creating call of memory: records the flags and the object handed out.
cl_mem CreateMem(const char* name, cl_mem_flags flags, cl_int* error) {
    gRecord.memFlags = flags;
    cl_mem made = Create<_cl_mem>(name, error);
    gRecord.createdMem = made;
    return made;
}

// The OpenGL object of a creating call over OpenGL; -1 stands for an argument the call lacks.
cl_mem CreateFromGL(const char* name, cl_context context, cl_mem_flags flags, long target,
                    long level, cl_GLuint object, cl_int* error) {
    gRecord.glMemContext = context;
    gRecord.glTarget = target;
    gRecord.glMipLevel = level;
    gRecord.glObject = object;
    return CreateMem(name, flags, error);
}

// The objects an acquire or release hands over.
void RecordObjects(cl_uint count, const cl_mem* objects) {
    gRecord.memObjectCount = count;
    std::memset(gRecord.memObjects, 0, sizeof(gRecord.memObjects));
    for (cl_uint i = 0; objects && i < count && i < 8; ++i) {
        gRecord.memObjects[i] = objects[i];
    }
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
__attribute__((visibility("default"))) FakeCLRecord* FakeCL_Record() {
    return &gRecord;
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

cl_context clCreateContext(const cl_context_properties* properties, cl_uint, const cl_device_id*,
                           void(CL_CALLBACK*)(const char*, const void*, size_t, void*), void*,
                           cl_int* error) {
    std::size_t i = 0;
    for (; properties && properties[i] != 0 && i < 15; ++i) {
        gRecord.contextProperties[i] = properties[i];
    }
    gRecord.contextProperties[i] = 0;
    return Create<_cl_context>("clCreateContext", error);
}

cl_int clGetContextInfo(cl_context, cl_context_info name, size_t size, void* value,
                        size_t* sizeReturned) {
    if (cl_int status = Scripted("clGetContextInfo")) {
        return status;
    }
    if (name == CL_CONTEXT_DEVICES) {
        const cl_device_id device = &gDevices[0];
        return Answer(&device, sizeof(device), size, value, sizeReturned);
    }
    if (name == CL_CONTEXT_PROPERTIES) {
        std::size_t count = 0;
        while (gRecord.contextProperties[count] != 0) {
            ++count;
        }
        return Answer(gRecord.contextProperties, (count + 1) * sizeof(cl_context_properties), size,
                      value, sizeReturned);
    }
    return CL_INVALID_VALUE;
}

cl_context clCreateContextFromType(const cl_context_properties*, cl_device_type,
                                   void(CL_CALLBACK*)(const char*, const void*, size_t, void*),
                                   void*, cl_int* error) {
    return Create<_cl_context>("clCreateContextFromType", error);
}

cl_command_queue clCreateCommandQueue(cl_context, cl_device_id,
                                      cl_command_queue_properties properties, cl_int* error) {
    gRecord.queueProperties = properties;
    return Create<_cl_command_queue>("clCreateCommandQueue", error);
}

cl_mem clCreateBuffer(cl_context, cl_mem_flags flags, size_t, void* host, cl_int* error) {
    gRecord.hostPointer = host;
    return CreateMem("clCreateBuffer", flags, error);
}

cl_mem clCreateImage2D(cl_context, cl_mem_flags flags, const cl_image_format*, size_t, size_t,
                       size_t, void* host, cl_int* error) {
    gRecord.hostPointer = host;
    return CreateMem("clCreateImage2D", flags, error);
}

cl_mem clCreateImage3D(cl_context, cl_mem_flags flags, const cl_image_format*, size_t, size_t,
                       size_t, size_t, size_t, void* host, cl_int* error) {
    gRecord.hostPointer = host;
    return CreateMem("clCreateImage3D", flags, error);
}

cl_int clGetCommandQueueInfo(cl_command_queue, cl_command_queue_info name, size_t size, void* value,
                             size_t* sizeReturned) {
    if (cl_int status = Scripted("clGetCommandQueueInfo")) {
        return status;
    }
    if (name == CL_QUEUE_DEVICE) {
        const cl_device_id device = &gDevices[0];
        return Answer(&device, sizeof(device), size, value, sizeReturned);
    }
    return CL_INVALID_VALUE;
}

cl_mem clCreateFromGLBuffer(cl_context context, cl_mem_flags flags, cl_GLuint buffer,
                            cl_int* error) {
    return CreateFromGL("clCreateFromGLBuffer", context, flags, -1, -1, buffer, error);
}

cl_mem clCreateFromGLTexture2D(cl_context context, cl_mem_flags flags, cl_GLenum target,
                               cl_GLint level, cl_GLuint texture, cl_int* error) {
    return CreateFromGL("clCreateFromGLTexture2D", context, flags, target, level, texture, error);
}

cl_mem clCreateFromGLTexture3D(cl_context context, cl_mem_flags flags, cl_GLenum target,
                               cl_GLint level, cl_GLuint texture, cl_int* error) {
    return CreateFromGL("clCreateFromGLTexture3D", context, flags, target, level, texture, error);
}

cl_mem clCreateFromGLRenderbuffer(cl_context context, cl_mem_flags flags, cl_GLuint renderbuffer,
                                  cl_int* error) {
    return CreateFromGL("clCreateFromGLRenderbuffer", context, flags, -1, -1, renderbuffer, error);
}

cl_int clGetMemObjectInfo(cl_mem, cl_mem_info name, size_t size, void* value,
                          size_t* sizeReturned) {
    if (cl_int status = Scripted("clGetMemObjectInfo")) {
        return status;
    }
    if (name == CL_MEM_TYPE) {
        const cl_mem_object_type type = gScript.memType;
        return Answer(&type, sizeof(type), size, value, sizeReturned);
    }
    if (name == CL_MEM_FLAGS) {
        const cl_mem_flags flags = gScript.memFlags;
        return Answer(&flags, sizeof(flags), size, value, sizeReturned);
    }
    return CL_INVALID_VALUE;
}

cl_sampler clCreateSampler(cl_context, cl_bool normalized, cl_addressing_mode addressing,
                           cl_filter_mode filter, cl_int* error) {
    gRecord.samplerNormalized = normalized;
    gRecord.samplerAddressing = addressing;
    gRecord.samplerFilter = filter;
    return Create<_cl_sampler>("clCreateSampler", error);
}

cl_program clCreateProgramWithSource(cl_context, cl_uint, const char**, const size_t* lengths,
                                     cl_int* error) {
    gRecord.sourceLength = lengths ? lengths[0] : 0;
    return Create<_cl_program>("clCreateProgramWithSource", error);
}

cl_program clCreateProgramWithBinary(cl_context, cl_uint, const cl_device_id*, const size_t*,
                                     const unsigned char**, cl_int*, cl_int* error) {
    return Create<_cl_program>("clCreateProgramWithBinary", error);
}

cl_int clBuildProgram(cl_program, cl_uint count, const cl_device_id*, const char* options,
                      void(CL_CALLBACK*)(cl_program, void*), void*) {
    gRecord.buildDeviceCount = count;
    gRecord.buildOptionsNull = options == nullptr;
    std::snprintf(gRecord.buildOptions, sizeof(gRecord.buildOptions), "%s", options ? options : "");
    return Scripted("clBuildProgram");
}

cl_int clGetProgramBuildInfo(cl_program, cl_device_id, cl_program_build_info name, size_t size,
                             void* value, size_t* sizeReturned) {
    if (cl_int status = Scripted("clGetProgramBuildInfo")) {
        return status;
    }
    if (name == CL_PROGRAM_BUILD_STATUS) {
        const cl_build_status status = CL_BUILD_NONE;
        return Answer(&status, sizeof(status), size, value, sizeReturned);
    }
    return AnswerText("fake build log", size, value, sizeReturned);
}

cl_kernel clCreateKernel(cl_program, const char*, cl_int* error) {
    return Create<_cl_kernel>("clCreateKernel", error);
}

cl_int clCreateKernelsInProgram(cl_program, cl_uint entries, cl_kernel* kernels, cl_uint* count) {
    if (cl_int status = Scripted("clCreateKernelsInProgram")) {
        return status;
    }
    if (kernels) {
        for (cl_uint i = 0; i < entries && i < 3; ++i) {
            kernels[i] = NewCounted<_cl_kernel>();
        }
    }
    if (count) {
        *count = 3;
    }
    return CL_SUCCESS;
}

cl_int clSetKernelArg(cl_kernel, cl_uint index, size_t size, const void* value) {
    gRecord.argIndex = index;
    gRecord.argSize = size;
    gRecord.argValueNull = value == nullptr;
    if (value) {
        std::memcpy(gRecord.argValue, value, size < 16 ? size : 16);
    }
    return Scripted("clSetKernelArg");
}

cl_int clEnqueueNDRangeKernel(cl_command_queue, cl_kernel, cl_uint dimensions, const size_t* offset,
                              const size_t* global, const size_t* local, cl_uint waitCount,
                              const cl_event* waitList, cl_event* event) {
    gRecord.workDimension = dimensions;
    gRecord.globalOffsetNull = offset == nullptr;
    gRecord.localSizeNull = local == nullptr;
    for (cl_uint i = 0; i < dimensions && i < 3; ++i) {
        gRecord.globalSize[i] = global[i];
        gRecord.localSize[i] = local ? local[i] : 0;
    }
    return Enqueued("clEnqueueNDRangeKernel", waitCount, waitList, event);
}

cl_int clEnqueueReadBuffer(cl_command_queue, cl_mem, cl_bool, size_t, size_t, void*,
                           cl_uint waitCount, const cl_event* waitList, cl_event* event) {
    return Enqueued("clEnqueueReadBuffer", waitCount, waitList, event);
}

cl_int clEnqueueWriteBuffer(cl_command_queue, cl_mem, cl_bool, size_t, size_t, const void*,
                            cl_uint waitCount, const cl_event* waitList, cl_event* event) {
    return Enqueued("clEnqueueWriteBuffer", waitCount, waitList, event);
}

cl_int clEnqueueReadImage(cl_command_queue, cl_mem, cl_bool blocking, const size_t* origin,
                          const size_t* region, size_t rowPitch, size_t slicePitch, void*,
                          cl_uint waitCount, const cl_event* waitList, cl_event* event) {
    gRecord.imageReadBlocking = blocking;
    std::memcpy(gRecord.imageOrigin, origin, sizeof(gRecord.imageOrigin));
    std::memcpy(gRecord.imageRegion, region, sizeof(gRecord.imageRegion));
    gRecord.imageRowPitch = rowPitch;
    gRecord.imageSlicePitch = slicePitch;
    return Enqueued("clEnqueueReadImage", waitCount, waitList, event);
}

cl_int clEnqueueMarker(cl_command_queue, cl_event* event) {
    return Enqueued("clEnqueueMarker", 0, nullptr, event);
}

cl_int clEnqueueBarrier(cl_command_queue) {
    return Scripted("clEnqueueBarrier");
}

cl_int clEnqueueAcquireGLObjects(cl_command_queue, cl_uint count, const cl_mem* objects,
                                 cl_uint waitCount, const cl_event* waitList, cl_event* event) {
    RecordObjects(count, objects);
    return Enqueued("clEnqueueAcquireGLObjects", waitCount, waitList, event);
}

cl_int clEnqueueReleaseGLObjects(cl_command_queue, cl_uint count, const cl_mem* objects,
                                 cl_uint waitCount, const cl_event* waitList, cl_event* event) {
    RecordObjects(count, objects);
    return Enqueued("clEnqueueReleaseGLObjects", waitCount, waitList, event);
}

cl_int clWaitForEvents(cl_uint count, const cl_event* events) {
    gRecord.waitCount = count;
    gRecord.waitListNull = events == nullptr;
    if (cl_int status = Scripted("clWaitForEvents")) {
        return status;
    }
    return count == 0 || events == nullptr ? CL_INVALID_VALUE : CL_SUCCESS;
}

cl_int clFlush(cl_command_queue) {
    return Scripted("clFlush");
}

cl_int clFinish(cl_command_queue) {
    return Scripted("clFinish");
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
