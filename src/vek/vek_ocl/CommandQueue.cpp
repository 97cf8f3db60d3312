#include "vek/vek_ocl/CommandQueue.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ocl/ExceptionOCL.h"
#include "vek/vek_ocl/ExtensionManager.h"
#include "vek/vek_ocl/internal/GLSharingGuard.h"

namespace VEK {
namespace OCL {

using detail::Table;

namespace {

// The handles of a wait vector; OpenCL gets null for an empty list.
class WaitList {
public:
    explicit WaitList(const std::vector<Event>* events) {
        if (events) {
            for (const Event& event : *events) {
                handles_.push_back(event.id());
            }
        }
    }
    cl_uint count() const { return static_cast<cl_uint>(handles_.size()); }
    const cl_event* list() const { return handles_.empty() ? nullptr : handles_.data(); }

private:
    std::vector<cl_event> handles_;
};

// The command's event is adopted before its status is looked at, so that one a failing runtime
// still hands back is released with the exception instead of leaking.
Event Checked(Event event, cl_int status) {
    VEK_OCL_CHECK(status);
    return event;
}

}  // namespace

CommandQueue::CommandQueue(const Context& context, const Device& device, bool outOfOrder,
                           bool profiling) {
    // Profiling only for an in-order queue.
    const cl_command_queue_properties properties =
        outOfOrder ? CL_QUEUE_OUT_OF_ORDER_EXEC_MODE_ENABLE
                   : (profiling ? CL_QUEUE_PROFILING_ENABLE : 0);
    cl_int status = CL_SUCCESS;
    handle_ = Table().clCreateCommandQueue(context.id(), device.id(), properties, &status);
    VEK_OCL_CHECK(status);
}

Event CommandQueue::enqueueKernel(const Kernel& kernel, const Range<1>& global,
                                  const Range<1>& local, const Range<1>& offset,
                                  const std::vector<Event>& wait) {
    return enqueueKernel_(*this, kernel, 1, global.begin(), local[0] == 0 ? nullptr : local.begin(),
                          offset.begin(), &wait);
}

Event CommandQueue::enqueueKernel(const Kernel& kernel, const Range<2>& global,
                                  const Range<2>& local, const Range<2>& offset,
                                  const std::vector<Event>& wait) {
    return enqueueKernel_(*this, kernel, 2, global.begin(), local[0] == 0 ? nullptr : local.begin(),
                          offset.begin(), &wait);
}

Event CommandQueue::enqueueKernel(const Kernel& kernel, const Range<3>& global,
                                  const Range<3>& local, const Range<3>& offset,
                                  const std::vector<Event>& wait) {
    return enqueueKernel_(*this, kernel, 3, global.begin(), local[0] == 0 ? nullptr : local.begin(),
                          offset.begin(), &wait);
}

Event CommandQueue::enqueueKernel_(const CommandQueue& queue, const Kernel& kernel, int dimensions,
                                   const std::size_t* global, const std::size_t* local,
                                   const std::size_t* /*offset*/, const std::vector<Event>* wait) {
    const WaitList list(wait);
    cl_event event = nullptr;
    // The global offset is never passed: work-item ids start at 0.
    const cl_int status =
        Table().clEnqueueNDRangeKernel(queue.id(), kernel.id(), static_cast<cl_uint>(dimensions),
                                       nullptr, global, local, list.count(), list.list(), &event);
    return Checked(Event(event), status);
}

Event CommandQueue::enqueueMarker() {
    cl_event event = nullptr;
    const cl_int status = Table().clEnqueueMarker(id(), &event);
    return Checked(Event(event), status);
}

void CommandQueue::enqueueBarrier() {
    VEK_OCL_CHECK(Table().clEnqueueBarrier(id()));
}

Event CommandQueue::enqueueWrite(const Buffer& buffer, std::size_t offset, std::size_t size,
                                 const void* source, const std::vector<Event>& wait) {
    return enqueueWriteImpl(buffer, false, offset, size, source, wait);
}

Event CommandQueue::enqueueBlockingWrite(const Buffer& buffer, std::size_t offset, std::size_t size,
                                         const void* source, const std::vector<Event>& wait) {
    return enqueueWriteImpl(buffer, true, offset, size, source, wait);
}

Event CommandQueue::enqueueRead(const Buffer& buffer, std::size_t offset, std::size_t size,
                                void* destination, const std::vector<Event>& wait) {
    return enqueueReadImpl(buffer, false, offset, size, destination, wait);
}

Event CommandQueue::enqueueBlockingRead(const Buffer& buffer, std::size_t offset, std::size_t size,
                                        void* destination, const std::vector<Event>& wait) {
    return enqueueReadImpl(buffer, true, offset, size, destination, wait);
}

Event CommandQueue::enqueueWriteImpl(const Buffer& buffer, bool blocking, std::size_t offset,
                                     std::size_t size, const void* source,
                                     const std::vector<Event>& wait) {
    const WaitList list(&wait);
    cl_event event = nullptr;
    const cl_int status =
        Table().clEnqueueWriteBuffer(id(), buffer.id(), blocking ? CL_TRUE : CL_FALSE, offset, size,
                                     source, list.count(), list.list(), &event);
    return Checked(Event(event), status);
}

Event CommandQueue::enqueueReadImpl(const Buffer& buffer, bool blocking, std::size_t offset,
                                    std::size_t size, void* destination,
                                    const std::vector<Event>& wait) {
    const WaitList list(&wait);
    cl_event event = nullptr;
    const cl_int status =
        Table().clEnqueueReadBuffer(id(), buffer.id(), blocking ? CL_TRUE : CL_FALSE, offset, size,
                                    destination, list.count(), list.list(), &event);
    return Checked(Event(event), status);
}

Event CommandQueue::enqueueRead(const Image2D& image, IntegerRect rect, void* destination,
                                int rowPitch, const std::vector<Event>& wait) {
    return enqueueReadImpl(image, false, rect, 0, 1, destination, rowPitch, 0, wait);
}

Event CommandQueue::enqueueBlockingRead(const Image2D& image, IntegerRect rect, void* destination,
                                        int rowPitch, const std::vector<Event>& wait) {
    return enqueueReadImpl(image, true, rect, 0, 1, destination, rowPitch, 0, wait);
}

Event CommandQueue::enqueueReadImpl(const Image& image, bool blocking, const IntegerRect& rect,
                                    int zOrigin, unsigned depth, void* destination, int rowPitch,
                                    int slicePitch, const std::vector<Event>& wait) {
    // Negative values would reach OpenCL as huge unsigned ones, and an origin that wraps can
    // slip past a driver's bounds check; an empty region OpenCL refuses without saying why.
    VEK_ASSERT(zOrigin >= 0 && depth != 0 && slicePitch >= 0);
    if (rowPitch < 0) {
        VEK_THROW_INTERNAL("Image read with the negative row pitch " << rowPitch << ".");
    }
    if (rect.offset()[0] < 0 || rect.offset()[1] < 0) {
        VEK_THROW_INTERNAL("Image read at the negative offset " << rect.offset() << ".");
    }
    if (rect.isEmpty()) {
        VEK_THROW_INTERNAL("Image read of an empty rectangle of size " << rect.size() << ".");
    }
    cl_mem_flags flags = 0;
    image.getInfo(Memory::MemFlags, sizeof(flags), &flags, nullptr);
    const bool isCompatible =
        (flags & (CL_MEM_READ_WRITE | CL_MEM_WRITE_ONLY | CL_MEM_READ_ONLY)) != 0;
    VEK_ASSERT(isCompatible);

    const std::size_t origin[3] = {static_cast<std::size_t>(rect.offset()[0]),
                                   static_cast<std::size_t>(rect.offset()[1]),
                                   static_cast<std::size_t>(zOrigin)};
    const std::size_t region[3] = {rect.width(), rect.height(), depth};
    const WaitList list(&wait);
    cl_event event = nullptr;
    const cl_int status = Table().clEnqueueReadImage(
        id(), image.id(), blocking ? CL_TRUE : CL_FALSE, origin, region,
        static_cast<std::size_t>(rowPitch), static_cast<std::size_t>(slicePitch), destination,
        list.count(), list.list(), &event);
    return Checked(Event(event), status);
}

Event CommandQueue::enqueueAcquireGLObjects(const std::vector<Memory>& objects,
                                            const std::vector<Event>& wait) {
    return enqueueGLObjects(Table().clEnqueueAcquireGLObjects, objects, wait);
}

Event CommandQueue::enqueueReleaseGLObjects(const std::vector<Memory>& objects,
                                            const std::vector<Event>& wait) {
    return enqueueGLObjects(Table().clEnqueueReleaseGLObjects, objects, wait);
}

template <class EntryPoint>
Event CommandQueue::enqueueGLObjects(EntryPoint entryPoint, const std::vector<Memory>& objects,
                                     const std::vector<Event>& wait) {
    VEK_OCL_REQUIRE_GL_SHARING(id());
    std::vector<cl_mem> handles;
    for (const Memory& object : objects) {
        handles.push_back(object.id());
    }
    const WaitList list(&wait);
    cl_event event = nullptr;
    const cl_int status =
        entryPoint(id(), static_cast<cl_uint>(handles.size()),
                   handles.empty() ? nullptr : handles.data(), list.count(), list.list(), &event);
    return Checked(Event(event), status);
}

void CommandQueue::flush() {
    Table().clFlush(id());
}

void CommandQueue::finish() {
    Table().clFinish(id());
}

}  // namespace OCL
}  // namespace VEK
