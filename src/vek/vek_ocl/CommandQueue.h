#pragma once

#include <cstddef>
#include <vector>

#include "vek/Export.h"
#include "vek/core/math/region_2d/IntegerRect.h"
#include "vek/vek_ocl/Buffer.h"
#include "vek/vek_ocl/Context.h"
#include "vek/vek_ocl/Device.h"
#include "vek/vek_ocl/Event.h"
#include "vek/vek_ocl/Image.h"
#include "vek/vek_ocl/Kernel.h"
#include "vek/vek_ocl/Memory.h"
#include "vek/vek_ocl/OpenCLObjectWrapper.h"
#include "vek/vek_ocl/Range.h"

namespace VEK {
namespace OCL {

/// Runs commands on one device of a context. Every enqueue waits for the given events and
/// returns the event of its own command. Every enqueue throws ExceptionOCL on a failing status,
/// leaving no event behind. A value class that shares its handle by reference counting.
class VEK_EXPORT CommandQueue : public OpenCLObjectWrapper<cl_command_queue> {
public:
    /// A queue for the device in the context (clCreateCommandQueue). Profiling is enabled only
    /// for an in-order queue. Throws ExceptionOCL on a failing status.
    CommandQueue(const Context& context, const Device& device, bool outOfOrder = false,
                 bool profiling = false);
    /// Shares the other's queue (one more reference). Throws nothing.
    CommandQueue(const CommandQueue& other) = default;
    /// As the copy: the source keeps its queue. Throws nothing.
    CommandQueue(CommandQueue&& other) = default;
    /// Shares the other's queue and gives back the old one. Throws nothing.
    CommandQueue& operator=(const CommandQueue& other) = default;
    /// As the copy assignment: the source keeps its queue. Throws nothing.
    CommandQueue& operator=(CommandQueue&& other) = default;

    /// Launches the kernel over one dimension: global work sizes; local sizes, or OpenCL's
    /// choice when local[0] is 0; the third range is accepted and unused: no global offset is
    /// passed. Throws ExceptionOCL on a failing status.
    Event enqueueKernel(const Kernel& kernel, const Range<1>& global, const Range<1>& local,
                        const Range<1>& offset, const std::vector<Event>& wait = {});
    /// Launches the kernel over two dimensions; the ranges as for one dimension. Throws
    /// ExceptionOCL on a failing status.
    Event enqueueKernel(const Kernel& kernel, const Range<2>& global, const Range<2>& local,
                        const Range<2>& offset, const std::vector<Event>& wait = {});
    /// Launches the kernel over three dimensions; the ranges as for one dimension. Throws
    /// ExceptionOCL on a failing status.
    Event enqueueKernel(const Kernel& kernel, const Range<3>& global, const Range<3>& local,
                        const Range<3>& offset, const std::vector<Event>& wait = {});

    /// A marker whose event completes when every command before it has. Throws ExceptionOCL
    /// on a failing status.
    Event enqueueMarker();
    /// Commands after the barrier start only when those before it have finished. Throws
    /// ExceptionOCL on a failing status.
    void enqueueBarrier();

    /// Copies size bytes from source to the buffer at offset, returning at once; source must
    /// stay valid until the event completes. Throws ExceptionOCL on a failing status.
    Event enqueueWrite(const Buffer& buffer, std::size_t offset, std::size_t size,
                       const void* source, const std::vector<Event>& wait = {});
    /// As enqueueWrite(), but returns only when the copy is done. Throws ExceptionOCL on a
    /// failing status.
    Event enqueueBlockingWrite(const Buffer& buffer, std::size_t offset, std::size_t size,
                               const void* source, const std::vector<Event>& wait = {});
    /// Copies size bytes of the buffer at offset to destination, returning at once; read
    /// destination only after the event completes. Throws ExceptionOCL on a failing status.
    Event enqueueRead(const Buffer& buffer, std::size_t offset, std::size_t size, void* destination,
                      const std::vector<Event>& wait = {});
    /// As the buffer enqueueRead(), but returns only when the copy is done. Throws ExceptionOCL
    /// on a failing status.
    Event enqueueBlockingRead(const Buffer& buffer, std::size_t offset, std::size_t size,
                              void* destination, const std::vector<Event>& wait = {});

    /// The pixels of rect into destination, rows rowPitch bytes apart (0: tightly packed),
    /// returning at once. A negative pitch or offset, an empty rectangle, or an image without
    /// access flags throws InternalException before anything reaches OpenCL; OpenCL refuses a
    /// rectangle that runs past the image (ExceptionOCL).
    Event enqueueRead(const Image2D& image, IntegerRect rect, void* destination, int rowPitch,
                      const std::vector<Event>& wait = {});
    /// As the image enqueueRead(), but returns only when the copy is done; the same
    /// InternalException and ExceptionOCL failures.
    Event enqueueBlockingRead(const Image2D& image, IntegerRect rect, void* destination,
                              int rowPitch, const std::vector<Event>& wait = {});

    /// Hands OpenGL-backed memory to the queue. Refused (ExceptionOCL with
    /// CL_INVALID_OPERATION) unless the queue's device lists cl_khr_gl_sharing; ExceptionOCL
    /// on a failing status.
    Event enqueueAcquireGLObjects(const std::vector<Memory>& objects,
                                  const std::vector<Event>& wait = {});
    /// Hands OpenGL-backed memory back to OpenGL; refused and failing as
    /// enqueueAcquireGLObjects().
    Event enqueueReleaseGLObjects(const std::vector<Memory>& objects,
                                  const std::vector<Event>& wait = {});

    /// Submits the queued commands (clFlush). OpenCL's status is ignored; throws only
    /// InternalException when the OpenCL layer is not initialised.
    void flush();
    /// Blocks until every queued command has finished (clFinish). OpenCL's status is ignored;
    /// throws only InternalException when the OpenCL layer is not initialised.
    void finish();

private:
    friend class Event;
    CommandQueue(cl_command_queue handle, add_ref_tag tag) : OpenCLObjectWrapper(handle, tag) {}

    static Event enqueueKernel_(const CommandQueue& queue, const Kernel& kernel, int dimensions,
                                const std::size_t* global, const std::size_t* local,
                                const std::size_t* offset, const std::vector<Event>* wait);
    Event enqueueWriteImpl(const Buffer& buffer, bool blocking, std::size_t offset,
                           std::size_t size, const void* source, const std::vector<Event>& wait);
    Event enqueueReadImpl(const Buffer& buffer, bool blocking, std::size_t offset, std::size_t size,
                          void* destination, const std::vector<Event>& wait);
    /// Acquire and release share their arguments.
    template <class EntryPoint>
    Event enqueueGLObjects(EntryPoint entryPoint, const std::vector<Memory>& objects,
                           const std::vector<Event>& wait);
    Event enqueueReadImpl(const Image& image, bool blocking, const IntegerRect& rect, int zOrigin,
                          unsigned depth, void* destination, int rowPitch, int slicePitch,
                          const std::vector<Event>& wait);
};

}  // namespace OCL
}  // namespace VEK
