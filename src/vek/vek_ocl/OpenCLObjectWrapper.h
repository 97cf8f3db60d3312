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
    /// Nothing to retain: returns CL_SUCCESS. Throws nothing.
    static cl_int retain(Handle) { return CL_SUCCESS; }
    /// Nothing to release: returns CL_SUCCESS. Throws nothing.
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
/// Retain and release failures are ignored by the constructors, assignments and destructor, so
/// none of them throws.
template <class Handle>
class OpenCLObjectWrapper {
public:
    /// The OpenCL handle, null for an empty wrapper. Throws nothing.
    const Handle& handle() const { return handle_; }
    /// The OpenCL handle, as handle(). Throws nothing.
    const Handle& id() const { return handle_; }

protected:
    /// An empty wrapper (null handle). Throws nothing.
    OpenCLObjectWrapper() : handle_(nullptr) {}
    /// Adopts the caller's reference to the handle without retaining it. Throws nothing.
    explicit OpenCLObjectWrapper(Handle handle) : handle_(handle) {}
    /// Takes its own reference: retains a non-null handle. Throws nothing.
    OpenCLObjectWrapper(Handle handle, add_ref_tag) : handle_(handle) { retain(); }
    /// Shares the other's handle and retains it when not null. Throws nothing.
    OpenCLObjectWrapper(const OpenCLObjectWrapper& other) : handle_(other.handle_) { retain(); }
    /// As the copy: the source keeps its handle and this wrapper retains it. Throws nothing.
    OpenCLObjectWrapper(OpenCLObjectWrapper&& other) : handle_(other.handle_) { retain(); }
    /// Releases a non-null handle; the status is ignored. Throws nothing.
    ~OpenCLObjectWrapper() { release(); }

    /// Releases the current handle and retains the other's, unless both hold the same handle.
    /// Throws nothing.
    OpenCLObjectWrapper& operator=(const OpenCLObjectWrapper& other) {
        if (handle_ != other.handle_) {
            release();
            handle_ = other.handle_;
            retain();
        }
        return *this;
    }
    /// As the copy assignment: the source keeps its handle. Throws nothing.
    OpenCLObjectWrapper& operator=(OpenCLObjectWrapper&& other) {
        return *this = static_cast<const OpenCLObjectWrapper&>(other);
    }

    /// Adds a reference; returns the entry point's status, or CL_SUCCESS without a call for a
    /// null handle or a handle type without reference counting. Throws nothing.
    cl_int retain() const {
        return handle_ ? detail::HandleTraits<Handle>::retain(handle_) : CL_SUCCESS;
    }
    /// Gives one reference back; the status as for retain(). Throws nothing.
    cl_int release() const {
        return handle_ ? detail::HandleTraits<Handle>::release(handle_) : CL_SUCCESS;
    }

    Handle handle_;  ///< The wrapped handle; null when empty.
};

}  // namespace OCL
}  // namespace VEK
