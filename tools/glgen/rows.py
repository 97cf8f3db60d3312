"""Row files: the entry points as data, one row per operation, for the hand-written classes to
expand (X-macro style). What a row becomes in each class is written in that class's C++."""

from model import enumerator

GL_DIR = "vek/vek_ogl/extensionator/generated"
WGL_DIR = "vek/vek_ogl/extensionator/wgl/generated"

# The rows of the operations are split in parts so that the long classes compile in parallel.
OPERATION_PARTS = 4

# How the tracer writes each parameter type (the formatters of OpenGLTracer). Any other pointer
# is written as the pointer value, which reads nothing the call has not written and nothing past
# an array.
TRACE_KINDS = {
    "GLenum": "Enum",
    "GLboolean": "Bool",
    "GLbyte": "Char",
    "GLubyte": "Char",
    "GLfloat": "Float",
    "GLclampf": "Float",
    "GLhandleARB": "Handle",
    "const GLchar*": "String",
    "const GLcharARB*": "String",
}
for _number in ("GLbitfield", "GLint", "GLuint", "GLsizei", "GLshort", "GLushort", "GLintptr",
                "GLsizeiptr", "GLintptrARB", "GLsizeiptrARB", "GLhalfNV", "GLint64", "GLuint64",
                "GLint64EXT", "GLuint64EXT", "GLdouble", "GLclampd"):
    TRACE_KINDS[_number] = "Number"


def trace_kind(decl_type, command):
    if decl_type in TRACE_KINDS:
        return TRACE_KINDS[decl_type]
    if decl_type.endswith("*") or decl_type == "GLsync":
        return "Pointer"
    raise SystemExit(f"glgen: the tracer has no form for {decl_type} of {command}")


def _with_location(c):
    params = "char const* file, unsigned line" + (", " + c.parameter_list() if c.params else "")
    args = "file, line" + (", " + c.argument_list() if c.params else "")
    return f"({params})", f"({args})"


def _define_default(macro, params, target):
    return [f"#ifndef {macro}", f"#define {macro}({params}) {target}({params})", "#endif"]


def gl_operations(model):
    """OpenGLOperations.def: the interceptor's operations in slot order."""
    lines = [
        "// One row per OpenGLInterceptor operation, in slot order:",
        "//   VEK_GL11_OPERATION(Slot, Return, Name, Params, Args, Trace)",
        "//       an OpenGL 1.1 entry point, called directly;",
        "//   VEK_GL_TABLE_OPERATION(Slot, Position, Return, Name, Params, Args, Trace)",
        "//       an entry point called through FunctionTable position Position.",
        "// Name is the entry point's name without \"gl\" (the operation is cgm##Name); Params and",
        "// Args are the operation's parameters and arguments, the caller's file and line first;",
        "// Trace lists how the tracer writes each of the entry point's arguments.",
        "// Define VEK_GL_OPERATION(Slot, Return, Name, Params, Args, Trace) for both kinds, or each",
        "// kind on its own, then include this file; it undefines them. Define",
        f"// VEK_GL_OPERATIONS_PART (0 to {OPERATION_PARTS - 1}) to get one part of the rows only; it",
        "// is undefined too.",
        "",
    ]
    lines += _define_default("VEK_GL11_OPERATION", "Slot, Return, Name, Params, Args, Trace",
                             "VEK_GL_OPERATION")
    lines += ["#ifndef VEK_GL_TABLE_OPERATION",
              "#define VEK_GL_TABLE_OPERATION(Slot, Position, Return, Name, Params, Args, Trace) \\",
              "    VEK_GL_OPERATION(Slot, Return, Name, Params, Args, Trace)",
              "#endif", ""]

    gl11 = {c.name for c in model.gl11}
    size = (len(model.operations) + OPERATION_PARTS - 1) // OPERATION_PARTS
    for slot, c in enumerate(model.operations):
        if slot % size == 0:
            if slot:
                lines += ["#endif", ""]
            part = slot // size
            lines.append(f"#if !defined(VEK_GL_OPERATIONS_PART) || VEK_GL_OPERATIONS_PART == {part}")
        params, args = _with_location(c)
        trace = ", ".join(f"{trace_kind(t, c.name)}({n})" for t, n in c.params)
        fields = f"{c.return_type}, {c.name[2:]}, {params}, {args}, ({trace})"
        if c.name in gl11:
            lines.append(f"VEK_GL11_OPERATION({slot}, {fields})")
        else:
            lines.append(f"VEK_GL_TABLE_OPERATION({slot}, {slot - len(model.gl11)}, {fields})")
    lines += ["#endif", "", "#undef VEK_GL_OPERATION", "#undef VEK_GL11_OPERATION",
              "#undef VEK_GL_TABLE_OPERATION", "#undef VEK_GL_OPERATIONS_PART", ""]
    return "\n".join(lines)


def gl_table_groups(model):
    """OpenGLTableGroups.h: the loaders' groups, one X-macro of entry points per group."""
    lines = ["#pragma once", "",
             "// The function table's groups in table order, one per loader:",
             "//   VEK_GL_TABLE_GROUPS(G) gives G(Group, Enumerator, First, Count) per group;",
             "//   VEK_GL_GROUP_<Group>(X) gives X(entry point) per entry point, in table order.",
             "// clang-format off",
             "#define VEK_GL_TABLE_GROUPS(G) \\"]
    for g in model.groups:
        lines.append(f"    G({g.name}, {enumerator(g.name)}, {g.first}, {len(g.commands)}) \\")
    lines.append("")
    for g in model.groups:
        lines.append(f"#define VEK_GL_GROUP_{g.name}(X) \\")
        lines += [f"    X({c.name}) \\" for c in g.commands]
        lines.append("")
    lines.append("// clang-format on")
    lines.append("")
    return "\n".join(lines)


def extensions(model):
    """OpenGLExtensions.def: the OpenGLExtension values."""
    lines = ["// One row per OpenGLExtension value, in value order:",
             "//   VEK_GL_EXTENSION(Value, Enumerator, Name)   an OpenGL version or GL extension;",
             "//   VEK_WGL_EXTENSION(Value, Enumerator, Name)  a WGL extension (after every OpenGL one).",
             "// Define VEK_EXTENSION(Value, Enumerator, Name) for both kinds, or each kind on its own,",
             "// then include this file; it undefines them.", ""]
    lines += _define_default("VEK_GL_EXTENSION", "Value, Enumerator, Name", "VEK_EXTENSION")
    lines += _define_default("VEK_WGL_EXTENSION", "Value, Enumerator, Name", "VEK_EXTENSION")
    lines.append("")
    for value, name in enumerate(model.extensions):
        kind = "VEK_WGL_EXTENSION" if name.startswith("WGL_") else "VEK_GL_EXTENSION"
        lines.append(f'{kind}({value}, {enumerator(name)}, "{name}")')
    lines += ["", "#undef VEK_EXTENSION", "#undef VEK_GL_EXTENSION", "#undef VEK_WGL_EXTENSION", ""]
    return "\n".join(lines)


def wgl_operations(model):
    """WGLOperations.def: the WGL interceptor's operations in slot order."""
    lines = ["// One row per WGLInterceptor operation, in slot order:",
             "//   VEK_WGL_OPERATION(Return, Operation, Function, Params, Args)",
             "// Operation is wcgm and the function's name without \"wgl\"; Function is the window",
             "// system's function; Params and Args are the operation's parameters and arguments,",
             "// the caller's file and line first. This file undefines the macro.", ""]
    for c in model.wgl_operations:
        operation = "wcgm" + (c.name[3:] if c.name.startswith("wgl") else c.name)
        params, args = _with_location(c)
        lines.append(f"VEK_WGL_OPERATION({c.return_type}, {operation}, {c.name}, {params}, {args})")
    lines += ["", "#undef VEK_WGL_OPERATION", ""]
    return "\n".join(lines)


def wgl_extensions(model):
    """WGLExtensions.h: the WGL extensions with their entry points, from wgl.xml."""
    lines = ["#pragma once", "",
             "// The WGL extensions the library knows, in OpenGLExtension order:",
             "//   VEK_WGL_LOADED_EXTENSIONS(G) gives G(Extension, Enumerator) for each extension",
             "//       with entry points, which has a loader;",
             "//   VEK_WGL_PLAIN_EXTENSIONS(G) gives G(Extension, Enumerator) for each without;",
             "//   VEK_WGL_ENTRY_POINTS_<Extension>(X) gives X(Return, Name, Params) per entry point,",
             "//       in ASCII order of the names; Name is the function's name without \"wgl\".",
             "// clang-format off"]
    loaded = [e for e in model.wgl_extensions if e.commands]
    plain = [e for e in model.wgl_extensions if not e.commands]
    for macro, group in (("VEK_WGL_LOADED_EXTENSIONS", loaded), ("VEK_WGL_PLAIN_EXTENSIONS", plain)):
        lines.append(f"#define {macro}(G) \\")
        lines += [f"    G({e.name}, {enumerator(e.name)}) \\" for e in group]
        lines.append("")
    for e in loaded:
        lines.append(f"#define VEK_WGL_ENTRY_POINTS_{e.name}(X) \\")
        for c in e.commands:
            lines.append(f"    X({c.return_type}, {c.name[3:]}, ({c.parameter_list()})) \\")
        lines.append("")
    lines.append("// clang-format on")
    lines.append("")
    return "\n".join(lines)
