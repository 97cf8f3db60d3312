"""Data tables: the token names behind VEKOGLTokenName and the require map behind the platform's
wglGetProcAddress. The code that searches them is hand-written beside their declarations."""

NAMESPACE_OPEN = "namespace VEK {\nnamespace OGL {\nnamespace internal {\n"
NAMESPACE_CLOSE = "}  // namespace internal\n}  // namespace OGL\n}  // namespace VEK\n"


def tokens(model):
    """OpenGLTokenTable.cpp: (value, name) pairs sorted by value."""
    lines = ['#include "vek/vek_ogl/extensionator/OpenGLTokenName.h"', "", NAMESPACE_OPEN,
             "const OpenGLToken kOpenGLTokens[] = {"]
    for value in sorted(model.tokens):
        lines.append(f'    {{{value:#x}u, "{model.tokens[value]}"}},')
    lines.append("};")
    lines.append(f"const unsigned kOpenGLTokenCount = {len(model.tokens)};")
    lines.append("")
    lines.append(NAMESPACE_CLOSE)
    return "\n".join(lines)


def requirements(model):
    """GLRequirementsData.cpp: what provides each entry point gl.xml knows, sorted by name."""
    gl = model.gl
    version = {}
    removed = {}
    for _, number, required, removed_names in gl.features:
        for name in required:
            version.setdefault(name, number)
        for name in removed_names:
            removed.setdefault(name, number)
    by_command = {}
    for index, (_, required) in enumerate(gl.extensions):
        for name in required:
            by_command.setdefault(name, []).append(index)

    known = sorted(n for n in gl.commands if n not in model.extra_commands)
    lines = ['#include "vek/platform/GLRequirements.h"', "",
             "namespace VEK {", "namespace Platform {", "namespace internal {", "",
             "namespace {", "",
             "const unsigned short kNoExtension[] = {0xFFFF};"]
    lists = {}
    for name in known:
        indices = by_command.get(name)
        if indices and tuple(indices) not in lists:
            key = tuple(indices)
            lists[key] = f"kExtensions{len(lists)}"
            lines.append(f"const unsigned short {lists[key]}[] = "
                         f"{{{', '.join(map(str, key))}, 0xFFFF}};")
    lines += ["", "}  // namespace", "",
              "const char* const kGLExtensionNames[] = {"]
    lines += [f'    "{ext}",' for ext, _ in gl.extensions]
    lines += ["};", f"const std::size_t kGLExtensionNameCount = {len(gl.extensions)};", "",
              "const GLCommandRequirement kGLRequirements[] = {"]
    for name in known:
        indices = by_command.get(name)
        ext = lists[tuple(indices)] if indices else "kNoExtension"
        lines.append(f'    {{"{name}", {version.get(name, 0)}, {removed.get(name, 0)}, {ext}}},')
    lines += ["};", f"const std::size_t kGLRequirementCount = {len(known)};", "",
              "}  // namespace internal", "}  // namespace Platform", "}  // namespace VEK", ""]
    return "\n".join(lines)
