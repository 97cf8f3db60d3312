#include "vek/vek_ocl/OpenCLObjectWrapper.h"

#include "vek/vek_ocl/ExtensionManager.h"

namespace VEK {
namespace OCL {
namespace detail {

namespace {

// A wrapper that outlives the layer has no loader left to call: its handle went with it.
const FunctionTable* LoadedTable() {
    const ExtensionManager* manager = ExtensionManager::instance();
    return manager ? &manager->table() : nullptr;
}

}  // namespace

#define VEK_OCL_DEFINE_TRAITS(Handle, Retain, Release)                \
    cl_int HandleTraits<Handle>::retain(Handle handle) {              \
        const FunctionTable* table = LoadedTable();                   \
        return table ? table->Retain(handle) : CL_INVALID_OPERATION;  \
    }                                                                 \
    cl_int HandleTraits<Handle>::release(Handle handle) {             \
        const FunctionTable* table = LoadedTable();                   \
        return table ? table->Release(handle) : CL_INVALID_OPERATION; \
    }

VEK_OCL_DEFINE_TRAITS(cl_context, clRetainContext, clReleaseContext)
VEK_OCL_DEFINE_TRAITS(cl_command_queue, clRetainCommandQueue, clReleaseCommandQueue)
VEK_OCL_DEFINE_TRAITS(cl_event, clRetainEvent, clReleaseEvent)
VEK_OCL_DEFINE_TRAITS(cl_mem, clRetainMemObject, clReleaseMemObject)
VEK_OCL_DEFINE_TRAITS(cl_sampler, clRetainSampler, clReleaseSampler)
VEK_OCL_DEFINE_TRAITS(cl_program, clRetainProgram, clReleaseProgram)
VEK_OCL_DEFINE_TRAITS(cl_kernel, clRetainKernel, clReleaseKernel)

#undef VEK_OCL_DEFINE_TRAITS

}  // namespace detail
}  // namespace OCL
}  // namespace VEK
