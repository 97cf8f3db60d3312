#include "vek/vek_ocl/ContextProperties.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/platform/Native.h"

namespace VEK {
namespace OCL {

namespace {

cl_context_properties Value(const void* pointer) {
    return reinterpret_cast<cl_context_properties>(pointer);
}

}  // namespace

void ContextProperties::buildContextPropertiesList(std::vector<cl_context_properties>& list) const {
    void* display = nullptr;
    void* glContext = nullptr;
    if (sharedRenderContext_ != nullptr) {
        glContext = VEK::Platform::NativeContext(sharedRenderContext_);
        display = VEK::Platform::NativeDisplay(displayContext_);
        VEK_ASSERT(glContext != NULL);
        VEK_ASSERT(display != NULL);
    }
    list.push_back(CL_CONTEXT_PLATFORM);
    list.push_back(Value(platform_.id()));
    if (glContext != nullptr) {
        list.push_back(static_cast<cl_context_properties>(VEK::Platform::NativeDisplayProperty()));
        list.push_back(Value(display));
        list.push_back(CL_GL_CONTEXT_KHR);
        list.push_back(Value(glContext));
    }
    list.push_back(0);
}

std::vector<cl_context_properties> ContextProperties::properties() const {
    std::vector<cl_context_properties> list;
    buildContextPropertiesList(list);
    return list;
}

}  // namespace OCL
}  // namespace VEK
