#pragma once

#include "vek/vek_ocl/OpenCL.h"

// The entry points the layer may call, one list per group, in table order. Each list is an
// X-macro so that the table, its loaders and the tests share one spelling of every name.
// clang-format off
#define VEK_OCL_GROUP_CL_VERSION_1_0(X) \
    X(clGetPlatformIDs) X(clGetPlatformInfo) X(clGetDeviceIDs) X(clGetDeviceInfo) \
    X(clCreateContext) X(clCreateContextFromType) X(clRetainContext) X(clReleaseContext) \
    X(clGetContextInfo) X(clCreateCommandQueue) X(clRetainCommandQueue) \
    X(clReleaseCommandQueue) X(clGetCommandQueueInfo) X(clSetCommandQueueProperty) \
    X(clCreateBuffer) X(clCreateImage2D) X(clCreateImage3D) X(clRetainMemObject) \
    X(clReleaseMemObject) X(clGetSupportedImageFormats) X(clGetMemObjectInfo) \
    X(clGetImageInfo) X(clCreateSampler) X(clRetainSampler) X(clReleaseSampler) \
    X(clGetSamplerInfo) X(clCreateProgramWithSource) X(clCreateProgramWithBinary) \
    X(clRetainProgram) X(clReleaseProgram) X(clBuildProgram) X(clUnloadCompiler) \
    X(clGetProgramInfo) X(clGetProgramBuildInfo) X(clCreateKernel) \
    X(clCreateKernelsInProgram) X(clRetainKernel) X(clReleaseKernel) X(clSetKernelArg) \
    X(clGetKernelInfo) X(clGetKernelWorkGroupInfo) X(clWaitForEvents) X(clGetEventInfo) \
    X(clRetainEvent) X(clReleaseEvent) X(clGetEventProfilingInfo) X(clFlush) X(clFinish) \
    X(clEnqueueReadBuffer) X(clEnqueueWriteBuffer) X(clEnqueueCopyBuffer) \
    X(clEnqueueReadImage) X(clEnqueueWriteImage) X(clEnqueueCopyImage) \
    X(clEnqueueCopyImageToBuffer) X(clEnqueueCopyBufferToImage) X(clEnqueueMapBuffer) \
    X(clEnqueueMapImage) X(clEnqueueUnmapMemObject) X(clEnqueueNDRangeKernel) \
    X(clEnqueueTask) X(clEnqueueNativeKernel) X(clEnqueueMarker) X(clEnqueueWaitForEvents) \
    X(clEnqueueBarrier) X(clCreateFromGLBuffer) X(clCreateFromGLTexture2D) \
    X(clCreateFromGLTexture3D) X(clCreateFromGLRenderbuffer) X(clGetGLObjectInfo) \
    X(clGetGLTextureInfo) X(clEnqueueAcquireGLObjects) X(clEnqueueReleaseGLObjects) \
    X(clGetExtensionFunctionAddress)

#define VEK_OCL_GROUP_CL_VERSION_1_1(X) \
    X(clCreateSubBuffer) X(clSetMemObjectDestructorCallback) X(clCreateUserEvent) \
    X(clSetUserEventStatus) X(clSetEventCallback) X(clEnqueueReadBufferRect) \
    X(clEnqueueWriteBufferRect) X(clEnqueueCopyBufferRect)

#define VEK_OCL_GROUP_cl_ext_device_fission(X) \
    X(clReleaseDeviceEXT) X(clRetainDeviceEXT) X(clCreateSubDevicesEXT)

#define VEK_OCL_GROUP_cl_ext_migrate_memobject(X) X(clEnqueueMigrateMemObjectEXT)

#define VEK_OCL_GROUP_cl_khr_gl_event(X) X(clCreateEventFromGLsyncKHR)

#define VEK_OCL_GROUP_cl_khr_gl_sharing(X) X(clGetGLContextInfoKHR)

#define VEK_OCL_GROUP_cl_khr_icd(X) X(clIcdGetPlatformIDsKHR)

#define VEK_OCL_ALL_ENTRY_POINTS(X) \
    VEK_OCL_GROUP_CL_VERSION_1_0(X) VEK_OCL_GROUP_CL_VERSION_1_1(X) \
    VEK_OCL_GROUP_cl_ext_device_fission(X) VEK_OCL_GROUP_cl_ext_migrate_memobject(X) \
    VEK_OCL_GROUP_cl_khr_gl_event(X) VEK_OCL_GROUP_cl_khr_gl_sharing(X) \
    VEK_OCL_GROUP_cl_khr_icd(X)
// clang-format on

namespace VEK {
namespace OCL {

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif

/// One pointer per entry point, typed by its standard signature and named after it. A member is
/// null until its group is resolved, and stays null when the loader does not export the name.
struct FunctionTable {
#define VEK_OCL_TABLE_MEMBER(name) decltype(&::name) name = nullptr;
    VEK_OCL_ALL_ENTRY_POINTS(VEK_OCL_TABLE_MEMBER)
#undef VEK_OCL_TABLE_MEMBER
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace OCL
}  // namespace VEK
