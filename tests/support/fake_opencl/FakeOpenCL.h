#pragma once

// The control surface of the test OpenCL loader: a shared library named libOpenCL.so.1 that
// exports the entry points with scripted results. Tests reach it through the layer's loader
// prefix and steer it through FakeCL_Control(), found with dlsym on the same file.

#include <cstddef>

extern "C" {

struct FakeCLScript {
    // Platforms reported by clGetPlatformIDs, each with its version text.
    int platformCount;
    char platformVersion[4][64];
    char platformProfile[64];
    char platformExtensions[256];

    // The one device of every platform; its name and extension text.
    char deviceName[64];
    char deviceExtensions[256];

    // failName fails with failStatus once it has succeeded failAfter times.
    char failName[64];
    int failStatus;
    int failAfter;
    // A failing creating call or enqueue still hands out a counted object or event, as a careless
    // driver might.
    int failReturnsHandle;
    // What clGetMemObjectInfo reports for CL_MEM_TYPE and CL_MEM_FLAGS.
    unsigned memType;
    unsigned long memFlags;
    // Every creating call hands out no object yet reports success, as Wine's OpenCL.dll does for
    // its sharing stubs.
    int succeedsWithoutHandle;
};

// The arguments of the last call of each kind, as the fake received them.
struct FakeCLRecord {
    long contextProperties[16];  // zero-terminated copy
    unsigned long memFlags;      // clCreateBuffer, clCreateImage2D, clCreateImage3D
    const void* hostPointer;
    unsigned long queueProperties;
    unsigned samplerNormalized, samplerAddressing, samplerFilter;
    int buildOptionsNull;
    char buildOptions[128];
    unsigned buildDeviceCount;
    std::size_t sourceLength;
    unsigned argIndex;
    std::size_t argSize;
    unsigned char argValue[16];
    int argValueNull;
    unsigned workDimension;
    int globalOffsetNull, localSizeNull;
    std::size_t globalSize[3], localSize[3];
    unsigned waitCount;
    int waitListNull;
    int eventRequested;
    unsigned memObjectCount;
    int imageReadBlocking;  // clEnqueueReadImage
    std::size_t imageOrigin[3], imageRegion[3];
    std::size_t imageRowPitch, imageSlicePitch;
    // clCreateFromGLBuffer, clCreateFromGLTexture2D/3D, clCreateFromGLRenderbuffer; their flags
    // go to memFlags. A call without a target or level leaves glTarget and glMipLevel at -1.
    const void* glMemContext;
    long glTarget;
    long glMipLevel;
    unsigned glObject;
    const void* createdMem;  // the object the last creating call of memory handed out
    // The objects and wait list of the last enqueue that takes them (first 8), and its event.
    const void* memObjects[8];
    const void* waitList[8];
    const void* event;
};

struct FakeCLCounts {
    long created;    // counted objects made
    long retains;    // successful retain calls
    long releases;   // successful release calls
    long live;       // objects whose count has not reached zero
    long badHandle;  // retain or release of a handle that is not live
    long unimplemented;
};

typedef FakeCLScript* (*FakeCL_ScriptProc)();
typedef FakeCLCounts* (*FakeCL_CountsProc)();
typedef FakeCLRecord* (*FakeCL_RecordProc)();
typedef int (*FakeCL_CallsProc)(const char* entryPoint);
typedef void* (*FakeCL_NewObjectProc)();
typedef int (*FakeCL_RefCountProc)(const void* handle);
}
