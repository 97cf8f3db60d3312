"""The call tracer's operations and the token table behind VEKOGLTokenName."""

import re

from emit_gl import EXT_DIR, NAMESPACE_CLOSE, NAMESPACE_OPEN, chunks

TRACER_CHUNKS = 4
OUTPUTS = [f"{EXT_DIR}/generated/OpenGLTokenTable.cpp"] + \
    [f"{EXT_DIR}/generated/OpenGLTracer{i}.cpp" for i in range(TRACER_CHUNKS)]

# How the tracer writes each parameter type; anything else that is a pointer is written as the
# pointer value, which reads nothing the call has not written and nothing past an array.
NUMBERS = {"GLbitfield", "GLint", "GLuint", "GLsizei", "GLshort", "GLushort", "GLintptr",
           "GLsizeiptr", "GLintptrARB", "GLsizeiptrARB", "GLhalfNV", "GLint64", "GLuint64",
           "GLint64EXT", "GLuint64EXT", "GLdouble", "GLclampd"}
WRITERS = {"GLenum": "writeEnum", "GLboolean": "writeBool", "GLbyte": "writeChar",
           "GLubyte": "writeChar", "GLfloat": "writeFloat", "GLclampf": "writeFloat",
           "GLhandleARB": "writeHandle", "const GLchar*": "writeString",
           "const GLcharARB*": "writeString"}


def writer(decl_type, command):
    if decl_type in NUMBERS:
        return "writeNumber"
    if decl_type in WRITERS:
        return WRITERS[decl_type]
    if decl_type.endswith("*") or decl_type == "GLsync":
        return "writePointer"
    raise SystemExit(f"glgen: the tracer has no form for {decl_type} of {command}")


def emit(out, registry, operations):
    for index, part in enumerate(chunks(operations, TRACER_CHUNKS)):
        lines = ['#include "vek/vek_ogl/extensionator/OpenGLTracer.h"', "", NAMESPACE_OPEN]
        for c in part:
            params = ", " + c.parameter_list() if c.params else ""
            lines.append(f"{c.return_type} OpenGLTracer::{c.operation}(char const* file, "
                         f"unsigned line{params}) {{")
            lines.append("    OpenGLInterceptor& forward = next(file, line);")
            lines.append(f'    beginLine(file, line, "{c.name}(");')
            for i, (t, n) in enumerate(c.params):
                if i:
                    lines.append("    writeSeparator();")
                lines.append(f"    {writer(t, c.name)}({n});")
            lines.append("    endLine();")
            args = ", " + c.argument_list() if c.params else ""
            lines.append(f"    return forward.{c.operation}(file, line{args});")
            lines.append("}")
            lines.append("")
        lines.append(NAMESPACE_CLOSE)
        out.write(OUTPUTS[1 + index], "\n".join(lines))
    emit_tokens(out, registry)


def emit_tokens(out, registry):
    """One name per value from 0 to GL_MULTISAMPLE_BIT: the committed choices first, then the
    first constant in version order (OpenGL 1.0 to 4.1), then in the library's extension
    order."""
    choices = {}
    with open(registry.lists_dir + "/token_choices.txt", encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line and not line.startswith("#"):
                value, name = line.split()
                choices[int(value, 16)] = name

    values = {}
    for name, value, _, _ in registry.enums:
        values.setdefault(name, value)
    order = []
    for name, number, _, _ in registry.features:
        if number <= 41:
            order += registry.feature_enums[name]
    for name in registry.known_gl_extensions:
        order += registry.extension_enums.get(name, [])

    table = {}
    for name in order:
        text = values.get(name)
        if text is None or not re.fullmatch(r"0x[0-9A-Fa-f]+|\d+", text):
            continue
        value = int(text, 0)
        if 0 <= value <= 0x20000000:
            table.setdefault(value, name)
    for value, name in choices.items():
        if values.get(name) is None or int(values[name], 0) != value:
            raise SystemExit(f"glgen: token choice {name} does not have the value {value:#x}")
        table[value] = name

    lines = ['#include "vek/vek_ogl/extensionator/OpenGLTokenName.h"', "", NAMESPACE_OPEN,
             "namespace internal {", "",
             f"const OpenGLToken kOpenGLTokens[] = {{"]
    for value in sorted(table):
        lines.append(f'    {{{value:#x}u, "{table[value]}"}},')
    lines.append("};")
    lines.append(f"const unsigned kOpenGLTokenCount = {len(table)};")
    lines.append("")
    lines.append("}  // namespace internal")
    lines.append(NAMESPACE_CLOSE)
    out.write(OUTPUTS[0], "\n".join(lines))
