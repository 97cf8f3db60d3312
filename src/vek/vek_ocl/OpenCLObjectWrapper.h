#pragma once

#include "vek/Export.h"
#include "vek/vek_ocl/OpenCL.h"

namespace VEK {
namespace OCL {

/// Passed to a constructor: the caller keeps its reference and the wrapper takes its own.
struct add_ref_tag {};

namespace detail {

/// The retain and release entry points of each handle type; platforms and devices have none.
template <class Handle>
struct HandleTraits {
    static cl_int retain(Handle) { return CL_SUCCESS; }
    static cl_int release(Handle) { return CL_SUCCESS; }
};

#define VEK_OCL_COUNTED_HANDLE(Handle)        \
    template <>                               \
    struct VEK_EXPORT HandleTraits<Handle> {  \
        static cl_int retain(Handle handle);  \
        static cl_int release(Handle handle); \
    };
VEK_OCL_COUNTED_HANDLE(cl_context)
VEK_OCL_COUNTED_HANDLE(cl_command_queue)
VEK_OCL_COUNTED_HANDLE(cl_event)
VEK_OCL_COUNTED_HANDLE(cl_mem)
VEK_OCL_COUNTED_HANDLE(cl_sampler)
VEK_OCL_COUNTED_HANDLE(cl_program)
VEK_OCL_COUNTED_HANDLE(cl_kernel)
#undef VEK_OCL_COUNTED_HANDLE

}  // namespace detail

/// Shares one OpenCL handle by reference counting. A wrapper made from a bare handle adopts the
/// caller's reference; one made with add_ref_tag, and every copy, takes its own; each
/// destruction gives one back. Moves behave as copies, so a moved-from wrapper stays usable.
template <class Handle>
class OpenCLObjectWrapper {
public:
    const Handle& handle() const { return handle_; }
    const Handle& id() const { return handle_; }

protected:
    OpenCLObjectWrapper() : handle_(nullptr) {}
    explicit OpenCLObjectWrapper(Handle handle) : handle_(handle) {}
    OpenCLObjectWrapper(Handle handle, add_ref_tag) : handle_(handle) { retain(); }
    OpenCLObjectWrapper(const OpenCLObjectWrapper& other) : handle_(other.handle_) { retain(); }
    OpenCLObjectWrapper(OpenCLObjectWrapper&& other) : handle_(other.handle_) { retain(); }
    ~OpenCLObjectWrapper() { release(); }

    OpenCLObjectWrapper& operator=(const OpenCLObjectWrapper& other) {
        if (handle_ != other.handle_) {
            release();
            handle_ = other.handle_;
            retain();
        }
        return *this;
    }
    OpenCLObjectWrapper& operator=(OpenCLObjectWrapper&& other) {
        return *this = static_cast<const OpenCLObjectWrapper&>(other);
    }

    /// The entry point's status, or CL_SUCCESS without a call for a null handle.
    cl_int retain() const {
        return handle_ ? detail::HandleTraits<Handle>::retain(handle_) : CL_SUCCESS;
    }
    cl_int release() const {
        return handle_ ? detail::HandleTraits<Handle>::release(handle_) : CL_SUCCESS;
    }

    Handle handle_;
};

}  // namespace OCL
}  // namespace VEK
