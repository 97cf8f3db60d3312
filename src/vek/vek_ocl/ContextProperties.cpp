#include "vek/vek_ocl/ContextProperties.h"

namespace VEK {
namespace OCL {

namespace {

cl_context_properties Value(const void* pointer) {
    return reinterpret_cast<cl_context_properties>(pointer);
}

}  // namespace

void ContextProperties::buildContextPropertiesList(std::vector<cl_context_properties>& list) const {
    list.push_back(CL_CONTEXT_PLATFORM);
    list.push_back(Value(platform_.id()));
    if (sharedRenderContext_ != nullptr) {
        list.push_back(CL_GLX_DISPLAY_KHR);
        list.push_back(Value(displayContext_));
        list.push_back(CL_GL_CONTEXT_KHR);
        list.push_back(Value(sharedRenderContext_));
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
