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
/// returns the event of its own command.
class VEK_EXPORT CommandQueue : public OpenCLObjectWrapper<cl_command_queue> {
public:
    /// Profiling is enabled only for an in-order queue.
    CommandQueue(const Context& context, const Device& device, bool outOfOrder = false,
                 bool profiling = false);
    CommandQueue(const CommandQueue& other) = default;
    CommandQueue(CommandQueue&& other) = default;
    CommandQueue& operator=(const CommandQueue& other) = default;
    CommandQueue& operator=(CommandQueue&& other) = default;

    /// global work sizes; local sizes, or OpenCL's choice when local[0] is 0; the third range
    /// is accepted and unused: no global offset is passed.
    Event enqueueKernel(const Kernel& kernel, const Range<1>& global, const Range<1>& local,
                        const Range<1>& offset, const std::vector<Event>& wait = {});
    Event enqueueKernel(const Kernel& kernel, const Range<2>& global, const Range<2>& local,
                        const Range<2>& offset, const std::vector<Event>& wait = {});
    Event enqueueKernel(const Kernel& kernel, const Range<3>& global, const Range<3>& local,
                        const Range<3>& offset, const std::vector<Event>& wait = {});

    Event enqueueMarker();
    void enqueueBarrier();

    Event enqueueWrite(const Buffer& buffer, std::size_t offset, std::size_t size,
                       const void* source, const std::vector<Event>& wait = {});
    Event enqueueBlockingWrite(const Buffer& buffer, std::size_t offset, std::size_t size,
                               const void* source, const std::vector<Event>& wait = {});
    Event enqueueRead(const Buffer& buffer, std::size_t offset, std::size_t size, void* destination,
                      const std::vector<Event>& wait = {});
    Event enqueueBlockingRead(const Buffer& buffer, std::size_t offset, std::size_t size,
                              void* destination, const std::vector<Event>& wait = {});

    /// The pixels of rect into destination, rows rowPitch bytes apart (0: tightly packed). A
    /// negative pitch or offset, or an empty rectangle, throws before anything reaches OpenCL;
    /// OpenCL refuses a rectangle that runs past the image.
    Event enqueueRead(const Image2D& image, IntegerRect rect, void* destination, int rowPitch,
                      const std::vector<Event>& wait = {});
    Event enqueueBlockingRead(const Image2D& image, IntegerRect rect, void* destination,
                              int rowPitch, const std::vector<Event>& wait = {});

    /// Hands OpenGL-backed memory to the queue and back. Refused (ExceptionOCL with
    /// CL_INVALID_OPERATION) unless the queue's device lists cl_khr_gl_sharing.
    Event enqueueAcquireGLObjects(const std::vector<Memory>& objects,
                                  const std::vector<Event>& wait = {});
    Event enqueueReleaseGLObjects(const std::vector<Memory>& objects,
                                  const std::vector<Event>& wait = {});

    /// Their status is ignored: they never throw.
    void flush();
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
