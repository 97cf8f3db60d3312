#pragma once

#include <cstddef>

namespace VEK {
namespace Platform {

// What provides one OpenGL entry point, read from the registry's require and remove lists.
struct GLCommandRequirement {
    const char* name;                  // "glBindBuffer"
    unsigned short version;            // first version requiring it, major*10+minor; 0 if none
    unsigned short coreRemoved;        // version whose core profile removes it; 0 if never
    const unsigned short* extensions;  // indices for GLExtensionName, ending with 0xFFFF
};

// Null for a name the registry does not know.
const GLCommandRequirement* FindGLCommandRequirement(const char* name);
const char* GLExtensionName(unsigned short index);
std::size_t GLExtensionCount();

namespace internal {

// The generated tables behind these lookups.
extern const GLCommandRequirement kGLRequirements[];  // sorted by name
extern const std::size_t kGLRequirementCount;
extern const char* const kGLExtensionNames[];
extern const std::size_t kGLExtensionNameCount;

}  // namespace internal

}  // namespace Platform
}  // namespace VEK
