#pragma once

#include <vector>

#include "vek/Export.h"
#include "vek/vek_ocl/OpenCLObjectWrapper.h"

namespace VEK {
namespace OCL {

class CommandQueue;

/// The completion of one enqueued command. Dropping it does not cancel the command. Made by
/// CommandQueue; a value class that shares its handle by reference counting.
class VEK_EXPORT Event : public OpenCLObjectWrapper<cl_event> {
public:
    /// Shares the other's event (one more reference). Throws nothing.
    Event(const Event& other) = default;
    /// As the copy: the source keeps its event. Throws nothing.
    Event(Event&& other) = default;
    /// Shares the other's event and gives back the old one. Throws nothing.
    Event& operator=(const Event& other) = default;
    /// As the copy assignment: the source keeps its event. Throws nothing.
    Event& operator=(Event&& other) = default;

    /// The queue of the command: a queue wrapper with a reference of its own. Throws
    /// ExceptionOCL on a failing status.
    CommandQueue commandQueue() const;
    /// The command's type (CL_EVENT_COMMAND_TYPE). Throws ExceptionOCL on a failing status.
    cl_uint commandType() const;
    /// The command's state (CL_EVENT_COMMAND_EXECUTION_STATUS): CL_COMPLETE, another state, or
    /// a negative error code. Throws ExceptionOCL on a failing status.
    cl_int commandExecutionStatus() const;

    /// Blocks until the command has finished. Throws ExceptionOCL on a failing status.
    void wait() const;
    /// Blocks until every command has finished. An empty vector is passed on as it is, and
    /// OpenCL refuses it: ExceptionOCL (CL_INVALID_VALUE), as for any failing status.
    static void WaitForEvents(const std::vector<Event>& events);

private:
    friend class CommandQueue;
    explicit Event(cl_event handle) : OpenCLObjectWrapper(handle) {}
    Event(cl_event handle, add_ref_tag tag) : OpenCLObjectWrapper(handle, tag) {}
};

}  // namespace OCL
}  // namespace VEK
