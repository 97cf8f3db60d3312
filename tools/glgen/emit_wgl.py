"""The WGL interceptor's operations: declarations, the checker and the forwarding observer."""

import re

from registry import Command, read_names

WGL_DIR = "vek/vek_ogl/extensionator/wgl"
NAMESPACE_OPEN = "namespace VEK {\nnamespace OGL {\n"
NAMESPACE_CLOSE = "}  // namespace OGL\n}  // namespace VEK\n"

OUTPUTS = [
    f"{WGL_DIR}/generated/WGLInterceptorOperations.inc",
    f"{WGL_DIR}/generated/WGLOverrideOperations.inc",
    f"{WGL_DIR}/generated/WGLErrorChecker.cpp",
    f"{WGL_DIR}/generated/WGLCallObserver.cpp",
]


def read_operations(path):
    pattern = re.compile(r"^(\w+)\s+(\w+)\((.*)\)$")
    operations = []
    for line in read_names(path):
        match = pattern.match(line)
        if not match:
            raise SystemExit(f"glgen: cannot read '{line}' in {path}")
        return_type, name, params = match.groups()
        parsed = []
        for param in filter(None, (p.strip() for p in params.split(","))):
            decl, pname = param.rsplit(" ", 1)
            parsed.append((decl, pname))
        command = Command(name, return_type, parsed)
        command.wgl_operation = "wcgm" + (name[3:] if name.startswith("wgl") else name)
        operations.append(command)
    return operations


def _params(c, names=True):
    file_line = "char const* file, unsigned line" if names else \
        "char const* /*file*/, unsigned /*line*/"
    return file_line + (", " + c.parameter_list() if c.params else "")


def emit(out, lists_dir):
    operations = read_operations(lists_dir + "/wgl_operations.txt")
    out.write(OUTPUTS[0], "// Inside the class body of WGLInterceptor, in slot order.\n" + "\n".join(
        f"virtual {c.return_type} {c.wgl_operation}({_params(c)}) = 0;" for c in operations) + "\n")
    out.write(OUTPUTS[1], "// Inside the body of a class that implements every operation.\n" +
              "\n".join(f"{c.return_type} {c.wgl_operation}({_params(c)}) override;"
                        for c in operations) + "\n")

    checker = ['#include "vek/vek_ogl/extensionator/wgl/WGLInterceptor.h"', "", NAMESPACE_OPEN,
               "// The checker ignores file and line: WGL failures come back as the functions' own",
               "// results.", ""]
    for c in operations:
        checker.append(f"{c.return_type} WGLErrorChecker::{c.wgl_operation}({_params(c, False)}) {{")
        checker.append(f"    return ::{c.name}({c.argument_list()});")
        checker.append("}")
        checker.append("")
    checker.append(NAMESPACE_CLOSE)
    out.write(OUTPUTS[2], "\n".join(checker))

    observer = ['#include "vek/vek_ogl/extensionator/wgl/WGLCallObserver.h"', "", NAMESPACE_OPEN]
    for c in operations:
        args = ", " + c.argument_list() if c.params else ""
        observer.append(f"{c.return_type} WGLCallObserver::{c.wgl_operation}({_params(c)}) {{")
        observer.append(f'    observe(file, line, "{c.name}");')
        observer.append(f"    return next(file, line).{c.wgl_operation}(file, line{args});")
        observer.append("}")
        observer.append("")
    observer.append(NAMESPACE_CLOSE)
    out.write(OUTPUTS[3], "\n".join(observer))
