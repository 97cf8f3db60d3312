"""The require map: which OpenGL version or extension provides each entry point."""

OUTPUTS = ["vek/platform/GLRequirements.h", "vek/platform/GLRequirements.cpp"]

HEADER = """#pragma once

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

}  // namespace Platform
}  // namespace VEK
"""


def emit(out, registry):
    version = {}
    removed = {}
    for _, number, required, removed_names in registry.features:
        for name in required:
            version.setdefault(name, number)
        for name in removed_names:
            removed.setdefault(name, number)
    ext_index = {}
    by_command = {}
    for index, (ext, required) in enumerate(registry.extensions):
        ext_index[ext] = index
        for name in required:
            by_command.setdefault(name, []).append(index)

    known = sorted(n for n in registry.commands if n not in getattr(registry, "extra", set()))
    lines = ['#include "vek/platform/GLRequirements.h"', "", "#include <cstring>", "",
             "namespace VEK {", "namespace Platform {", "", "namespace {", "",
             "const unsigned short kNoExtension[] = {0xFFFF};"]
    lists = {}
    for name in known:
        indices = by_command.get(name)
        if indices:
            key = tuple(indices)
            if key not in lists:
                lists[key] = f"kExtensions{len(lists)}"
                lines.append(f"const unsigned short {lists[key]}[] = "
                             f"{{{', '.join(map(str, key))}, 0xFFFF}};")
    lines.append("")
    lines.append("const char* const kExtensionNames[] = {")
    lines += [f'    "{ext}",' for ext, _ in registry.extensions]
    lines.append("};")
    lines.append("")
    lines.append("// Sorted by name for binary search.")
    lines.append("const GLCommandRequirement kRequirements[] = {")
    for name in known:
        indices = by_command.get(name)
        ext = lists[tuple(indices)] if indices else "kNoExtension"
        lines.append(f'    {{"{name}", {version.get(name, 0)}, {removed.get(name, 0)}, {ext}}},')
    lines.append("};")
    lines.append("")
    lines.append("}  // namespace")
    lines.append("""
const GLCommandRequirement* FindGLCommandRequirement(const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    std::size_t low = 0;
    std::size_t high = sizeof(kRequirements) / sizeof(kRequirements[0]);
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const int order = std::strcmp(kRequirements[middle].name, name);
        if (order == 0) {
            return &kRequirements[middle];
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
    return index < GLExtensionCount() ? kExtensionNames[index] : nullptr;
}

std::size_t GLExtensionCount() { return sizeof(kExtensionNames) / sizeof(kExtensionNames[0]); }

}  // namespace Platform
}  // namespace VEK
""")
    out.write(OUTPUTS[0], HEADER)
    out.write(OUTPUTS[1], "\n".join(lines))
