#include "vek/vek_ocl/Event.h"

#include "vek/vek_ocl/CommandQueue.h"
#include "vek/vek_ocl/ExceptionOCL.h"
#include "vek/vek_ocl/ExtensionManager.h"

namespace VEK {
namespace OCL {

using detail::Table;

namespace {

template <class T>
T EventInfo(cl_event event, cl_event_info code) {
    T value{};
    VEK_OCL_CHECK(Table().clGetEventInfo(event, code, sizeof(value), &value, nullptr));
    return value;
}

}  // namespace

CommandQueue Event::commandQueue() const {
    return CommandQueue(EventInfo<cl_command_queue>(id(), CL_EVENT_COMMAND_QUEUE), add_ref_tag());
}

cl_uint Event::commandType() const {
    return EventInfo<cl_command_type>(id(), CL_EVENT_COMMAND_TYPE);
}

cl_int Event::commandExecutionStatus() const {
    return EventInfo<cl_int>(id(), CL_EVENT_COMMAND_EXECUTION_STATUS);
}

void Event::wait() const {
    VEK_OCL_CHECK(Table().clWaitForEvents(1, &id()));
}

void Event::WaitForEvents(const std::vector<Event>& events) {
    std::vector<cl_event> handles;
    for (const Event& event : events) {
        handles.push_back(event.id());
    }
    VEK_OCL_CHECK(Table().clWaitForEvents(static_cast<cl_uint>(handles.size()),
                                          handles.empty() ? nullptr : handles.data()));
}

}  // namespace OCL
}  // namespace VEK
