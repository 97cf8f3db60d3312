#pragma once

#include <vector>

#include "vek/Export.h"
#include "vek/vek_ocl/OpenCLObjectWrapper.h"

namespace VEK {
namespace OCL {

class CommandQueue;

/// The completion of one enqueued command. Dropping it does not cancel the command.
class VEK_EXPORT Event : public OpenCLObjectWrapper<cl_event> {
public:
    Event(const Event& other) = default;
    Event(Event&& other) = default;
    Event& operator=(const Event& other) = default;
    Event& operator=(Event&& other) = default;

    /// A queue wrapper with a reference of its own.
    CommandQueue commandQueue() const;
    cl_uint commandType() const;
    cl_int commandExecutionStatus() const;

    /// Block until the command has finished.
    void wait() const;
    /// An empty vector is passed on as it is, and OpenCL refuses it (CL_INVALID_VALUE).
    static void WaitForEvents(const std::vector<Event>& events);

private:
    friend class CommandQueue;
    explicit Event(cl_event handle) : OpenCLObjectWrapper(handle) {}
    Event(cl_event handle, add_ref_tag tag) : OpenCLObjectWrapper(handle, tag) {}
};

}  // namespace OCL
}  // namespace VEK
