#include "vek/platform/GLRequirements.h"

#include <cstring>

namespace VEK {
namespace Platform {

const GLCommandRequirement* FindGLCommandRequirement(const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    // Binary search of the table sorted by name.
    std::size_t low = 0;
    std::size_t high = internal::kGLRequirementCount;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const int order = std::strcmp(internal::kGLRequirements[middle].name, name);
        if (order == 0) {
            return &internal::kGLRequirements[middle];
        }
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return nullptr;
}

const char* GLExtensionName(unsigned short index) {
    return index < GLExtensionCount() ? internal::kGLExtensionNames[index] : nullptr;
}

std::size_t GLExtensionCount() {
    return internal::kGLExtensionNameCount;
}

}  // namespace Platform
}  // namespace VEK
