"""The OpenGL layer's generated code: the extension numbering, the function table, its loaders,
the interceptor interface, the error checker and a forwarding observer."""

EXT_DIR = "vek/vek_ogl/extensionator"
CHECKER_CHUNKS = 4
OBSERVER_CHUNKS = 2

OUTPUTS = [
    f"{EXT_DIR}/OpenGLExtension.h",
    f"{EXT_DIR}/FunctionTable.h",
    f"{EXT_DIR}/OpenGLEntryPoints.h",
    f"{EXT_DIR}/generated/OpenGLEntryPoints.cpp",
    f"{EXT_DIR}/generated/OpenGLInterceptorOperations.inc",
    f"{EXT_DIR}/generated/OpenGLOverrideOperations.inc",
    f"{EXT_DIR}/generated/ExtensionLoaderDeclarations.inc",
    f"{EXT_DIR}/generated/ExtensionLoadersOGL.cpp",
] + [f"{EXT_DIR}/generated/OpenGLErrorChecker{i}.cpp" for i in range(CHECKER_CHUNKS)] \
  + [f"{EXT_DIR}/generated/OpenGLCallObserver{i}.cpp" for i in range(OBSERVER_CHUNKS)]

NAMESPACE_OPEN = "namespace VEK {\nnamespace OGL {\n"
NAMESPACE_CLOSE = "}  // namespace OGL\n}  // namespace VEK\n"

# Operations the error checker writes by hand: they keep the begin/end balance.
HAND_WRITTEN_CHECKS = {"glBegin", "glEnd"}


def enumerator(name):
    return "OGLEXT_" + (name[3:] if name.startswith("GL_") else name)


def chunks(items, count):
    size = (len(items) + count - 1) // count
    return [items[i * size:(i + 1) * size] for i in range(count)]


def emit(out, registry, gl11, groups, extensions):
    if len(gl11) != 336 or gl11 != sorted(gl11):
        raise SystemExit("glgen: the OpenGL 1.1 list must hold 336 names in ASCII order")
    table = [name for _, names in groups for name in names]
    if len(table) != 846 or len(set(table)) != 846 or set(table) & set(gl11):
        raise SystemExit("glgen: the table must hold 846 distinct names beyond OpenGL 1.1")
    ext_value = {name: value for value, name in enumerate(extensions)}
    for group, _ in groups:
        if group not in ext_value or ext_value[group] > 101:
            raise SystemExit(f"glgen: group {group} is not an OpenGL version or GL extension")

    operations = [registry.command(n) for n in gl11 + table]
    table_commands = [registry.command(n) for n in table]

    emit_extension_enum(out, extensions)
    emit_function_table(out, table_commands)
    emit_entry_points(out, operations, groups, ext_value)
    emit_operation_lists(out, operations)
    emit_loaders(out, groups, ext_value, extensions)
    gl11_set = set(gl11)
    emit_checker(out, operations, gl11_set)
    emit_observer(out, operations)
    return operations


def emit_extension_enum(out, extensions):
    lines = ["#pragma once", "", "#include <cstdint>", "", '#include "vek/Export.h"', "",
             NAMESPACE_OPEN,
             "// Every OpenGL version, GL extension and WGL extension the library knows.",
             "enum OpenGLExtension : std::int32_t {"]
    for value, name in enumerate(extensions):
        lines.append(f"    {enumerator(name)} = {value},")
    lines.append(f"    OGLEXT_UNKNOWN = {len(extensions)},")
    lines.append("};")
    lines.append("")
    lines.append("// The last OpenGL value; WGL values follow it.")
    last_gl = max(v for v, n in enumerate(extensions) if n.startswith("GL_"))
    lines.append(f"constexpr OpenGLExtension kLastOpenGLExtension = {enumerator(extensions[last_gl])};")
    lines.append("")
    lines.append('// "GL_ARB_multitexture" for OGLEXT_ARB_multitexture; null for OGLEXT_UNKNOWN and')
    lines.append("// values outside the enumeration.")
    lines.append("VEK_EXPORT const char* OpenGLExtensionName(OpenGLExtension extension);")
    lines.append("")
    lines.append(NAMESPACE_CLOSE)
    out.write(OUTPUTS[0], "\n".join(lines))
    emit_extension_enum.names = extensions


def emit_function_table(out, commands):
    lines = ["#pragma once", "", '#include "vek/vek_ogl/extensionator/OpenGLTypes.h"', "",
             NAMESPACE_OPEN,
             "// The entry points beyond OpenGL 1.1 of one driver, a flat array of pointers filled",
             "// group by group by the extension manager's loaders; null where a lookup failed.",
             "struct FunctionTable {"]
    for c in commands:
        lines.append(f"    typedef {c.return_type}(GLAPIENTRY* PFN_{c.name})({c.type_list()});")
    lines.append("")
    for c in commands:
        lines.append(f"    PFN_{c.name} {c.name} = nullptr;")
    lines.append("};")
    lines.append("")
    lines.append(f"static_assert(sizeof(FunctionTable) == {len(commands)} * sizeof(void*),")
    lines.append('              "the table is a flat array of entry-point pointers");')
    lines.append("")
    lines.append(NAMESPACE_CLOSE)
    out.write(OUTPUTS[1], "\n".join(lines))


def emit_entry_points(out, operations, groups, ext_value):
    header = ["#pragma once", "", '#include "vek/vek_ogl/extensionator/OpenGLExtension.h"', "",
              NAMESPACE_OPEN,
              "constexpr unsigned kOpenGL11EntryPointCount = 336;",
              "constexpr unsigned kFunctionTableSize = 846;",
              "constexpr unsigned kInterceptorOperationCount = 1182;",
              f"constexpr unsigned kFunctionTableGroupCount = {len(groups)};",
              "",
              "// One loader's share of the function table.",
              "struct FunctionTableGroup {",
              "    const char* name;  // \"GL_VERSION_1_2\"",
              "    OpenGLExtension extension;",
              "    unsigned first;  // position of its first entry point",
              "    unsigned count;",
              "};",
              "",
              "extern const FunctionTableGroup kFunctionTableGroups[kFunctionTableGroupCount];",
              "// Entry-point names in the interceptor's slot order: the OpenGL 1.1 ones in ASCII",
              "// order, then the function table's in table order.",
              "extern const char* const kInterceptorEntryPoints[kInterceptorOperationCount];",
              "", NAMESPACE_CLOSE]
    out.write(OUTPUTS[2], "\n".join(header))

    body = ['#include "vek/vek_ogl/extensionator/OpenGLEntryPoints.h"', "", NAMESPACE_OPEN,
            "const FunctionTableGroup kFunctionTableGroups[kFunctionTableGroupCount] = {"]
    first = 0
    for group, names in groups:
        body.append(f'    {{"{group}", {enumerator(group)}, {first}, {len(names)}}},')
        first += len(names)
    body.append("};")
    body.append("")
    body.append("const char* const kInterceptorEntryPoints[kInterceptorOperationCount] = {")
    body += [f'    "{c.name}",' for c in operations]
    body.append("};")
    body.append("")
    names = emit_extension_enum.names
    body.append("namespace {")
    body.append("const char* const kExtensionNames[] = {")
    body += [f'    "{n}",' for n in names]
    body.append("};")
    body.append("}  // namespace")
    body.append("")
    body.append("const char* OpenGLExtensionName(OpenGLExtension extension) {")
    body.append(f"    return extension >= 0 && extension < OGLEXT_UNKNOWN ? kExtensionNames[extension]")
    body.append("                                                      : nullptr;")
    body.append("}")
    body.append("")
    body.append(NAMESPACE_CLOSE)
    out.write(OUTPUTS[3], "\n".join(body))


def emit_operation_lists(out, operations):
    pure = [f"virtual {c.return_type} {c.operation}(char const* file, unsigned line"
            f"{', ' + c.parameter_list() if c.params else ''}) = 0;" for c in operations]
    out.write(OUTPUTS[4], "// Inside the class body of OpenGLInterceptor, in slot order.\n"
              + "\n".join(pure) + "\n")
    overrides = [f"{c.return_type} {c.operation}(char const* file, unsigned line"
                 f"{', ' + c.parameter_list() if c.params else ''}) override;" for c in operations]
    out.write(OUTPUTS[5], "// Inside the body of a class that implements every operation.\n"
              + "\n".join(overrides) + "\n")


def emit_loaders(out, groups, ext_value, extensions):
    decls = [f"bool init_{group}();" for group, _ in groups]
    out.write(OUTPUTS[6], "// Inside the class body of ExtensionManager: one loader per group.\n"
              + "\n".join(decls) + "\n")

    lines = ['#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"',
             '#include "vek/vek_ogl/extensionator/EntryPointLookup.h"', "", NAMESPACE_OPEN,
             "namespace {", "",
             "// Stores the lookup's result, null included; true when it found the entry point.",
             "template <class Pointer>",
             "bool Load(Pointer& slot, const char* name) {",
             "    slot = reinterpret_cast<Pointer>(internal::LookupGLEntryPoint(name));",
             "    return slot != nullptr;",
             "}", "", "}  // namespace", ""]
    for group, names in groups:
        lines.append(f"bool ExtensionManager::init_{group}() {{")
        lines.append("    FunctionTable& t = *tableExt_;")
        lines.append("    bool complete = true;  // every lookup is made, even after a miss")
        for name in names:
            lines.append(f'    complete = Load(t.{name}, "{name}") && complete;')
        lines.append("    return complete;")
        lines.append("}")
        lines.append("")
    lines.append("bool ExtensionManager::initializeGL(OpenGLExtension extension) {")
    lines.append("    switch (extension) {")
    for group, _ in groups:
        lines.append(f"        case {enumerator(group)}:")
        lines.append(f"            return init_{group}();")
    lines.append("        default:")
    lines.append("            // OpenGL values without entry points need no loading; WGL values and")
    lines.append("            // unknown ones are not OpenGL's to load.")
    lines.append("            return extension >= 0 && extension <= kLastOpenGLExtension;")
    lines.append("    }")
    lines.append("}")
    lines.append("")
    lines.append(NAMESPACE_CLOSE)
    out.write(OUTPUTS[7], "\n".join(lines))


def _signature(cls, c):
    params = ", " + c.parameter_list() if c.params else ""
    return f"{c.return_type} {cls}::{c.operation}(char const* file, unsigned line{params})"


def emit_checker(out, operations, gl11):
    generated = [c for c in operations if c.name not in HAND_WRITTEN_CHECKS]
    for index, part in enumerate(chunks(generated, CHECKER_CHUNKS)):
        lines = ['#include "vek/vek_ogl/extensionator/OpenGLErrorChecker.h"', "",
                 '#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"', "", NAMESPACE_OPEN]
        for c in part:
            lines.append(_signature("OpenGLErrorChecker", c) + " {")
            if c.name in gl11:
                lines.append("    requireContext(file, line);")
                call = f"::{c.name}({c.argument_list()})"
            else:
                # A position left null by its loader fails clearly instead of jumping to null.
                lines.append(f"    const auto entry = ExtensionManager::CurrentTable().{c.name};")
                lines.append("    if (entry == nullptr) {")
                lines.append(f'        throwMissing(file, line, "{c.name}");')
                lines.append("    }")
                call = f"entry({c.argument_list()})"
            if c.returns_value():
                lines.append(f"    {c.return_type} result = {call};")
                lines.append("    check(file, line);")
                lines.append("    return result;")
            else:
                lines.append(f"    {call};")
                lines.append("    check(file, line);")
            lines.append("}")
            lines.append("")
        lines.append(NAMESPACE_CLOSE)
        out.write(OUTPUTS[8 + index], "\n".join(lines))


def emit_observer(out, operations):
    for index, part in enumerate(chunks(operations, OBSERVER_CHUNKS)):
        lines = ['#include "vek/vek_ogl/extensionator/OpenGLCallObserver.h"', "", NAMESPACE_OPEN]
        for c in part:
            lines.append(_signature("OpenGLCallObserver", c) + " {")
            lines.append(f'    observe(file, line, "{c.name}");')
            args = ", " + c.argument_list() if c.params else ""
            lines.append(f"    return next(file, line).{c.operation}(file, line{args});")
            lines.append("}")
            lines.append("")
        lines.append(NAMESPACE_CLOSE)
        out.write(OUTPUTS[8 + CHECKER_CHUNKS + index], "\n".join(lines))
