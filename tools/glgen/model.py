"""The model every emitter reads: the pinned Khronos registries and the library's committed lists,
read once and checked for consistency.

Registry(gl.xml) and Registry(wgl.xml) parse a registry file; Model ties them to the lists:
  gl11         the OpenGL 1.1 entry points, called directly, in ASCII order (lists/gl11.txt)
  groups       the function table's groups in table order, each a Group (lists/table_groups.txt)
  table        the function table's entry points in table order (the groups' concatenated)
  operations   the interceptor's operations in slot order: gl11, then table
  extensions   the OpenGLExtension values in order (lists/extensions.txt)
  tokens       {value: name} behind VEKOGLTokenName (registry enums, lists/token_choices.txt)
  wgl_operations        the WGL interceptor's operations in slot order (lists/wgl_operations.txt,
                        signatures from wgl.xml where it has them right)
  wgl_extensions        the known WGL extensions, each a WGLExtension with its wgl.xml entry points
"""

import os
import re
import xml.etree.ElementTree as ET


class Command:
    """One entry point: its name, return type and parameters as (declaration type, name)."""

    def __init__(self, name, return_type, params):
        self.name = name
        self.return_type = return_type
        self.params = params

    def parameter_list(self):
        return ", ".join(f"{t} {n}" for t, n in self.params)

    def argument_list(self):
        return ", ".join(n for _, n in self.params)


class Group:
    """One loader's share of the function table: an OpenGL version or GL extension."""

    def __init__(self, name, first, commands):
        self.name = name
        self.first = first
        self.commands = commands


class WGLExtension:
    """A WGL extension the library knows, with the entry points wgl.xml gives it."""

    def __init__(self, name, commands):
        self.name = name
        self.commands = commands


def enumerator(extension):
    """The OpenGLExtension enumerator: OGLEXT_ and the name without "GL_" (WGL keeps "WGL_")."""
    return "OGLEXT_" + (extension[3:] if extension.startswith("GL_") else extension)


def _clean(text):
    return re.sub(r"\s+", " ", text).replace(" *", "*").strip()


def _declaration_type(element):
    """The C type of a <proto> or <param>: its text without the <name> part."""
    parts = [element.text or ""]
    for child in element:
        if child.tag != "name":
            parts.append("".join(child.itertext()))
        parts.append(child.tail or "")
    return _clean("".join(parts))


def _parse_signature(line, pattern, where):
    """ "return-type name(type name, ...)" as a Command."""
    match = pattern.match(line)
    if not match:
        raise SystemExit(f"glgen: cannot read '{line}' in {where}")
    return_type, name, params = match.groups()
    parsed = []
    if params.strip() not in ("", "void"):
        for param in params.split(","):
            decl, pname = param.strip().rsplit(" ", 1)
            parsed.append((_clean(decl), pname))
    return Command(name, _clean(return_type), parsed)


class Registry:
    """One Khronos registry file: its commands, and for the API given, its features (versions)
    and the extensions that API supports, with what each requires."""

    def __init__(self, path, api):
        root = ET.parse(path).getroot()
        self.commands = {}
        for node in root.findall("commands/command"):
            proto = node.find("proto")
            name = proto.find("name").text
            params = [(_declaration_type(p), p.find("name").text) for p in node.findall("param")]
            self.commands[name] = Command(name, _declaration_type(proto), params)

        def wanted(require):
            return require.get("api") in (None, api)

        # (name, version number major*10+minor, required commands, removed in core)
        self.features = []
        self.feature_enums = {}  # feature name -> enums it requires, in order
        for feature in root.findall("feature"):
            if feature.get("api") != api:
                continue
            self.feature_enums[feature.get("name")] = [
                e.get("name") for r in feature.findall("require") for e in r.findall("enum")]
            major, minor = feature.get("number").split(".")
            required = [c.get("name") for r in feature.findall("require") if wanted(r)
                        for c in r.findall("command")]
            removed = [c.get("name") for r in feature.findall("remove")
                       if r.get("profile") in (None, "core") for c in r.findall("command")]
            self.features.append((feature.get("name"), int(major) * 10 + int(minor),
                                  required, removed))

        self.extensions = []  # (name, required commands) in registry order
        self.extension_enums = {}  # extension name -> enums it requires, in order
        for ext in root.findall("extensions/extension"):
            if api not in (ext.get("supported") or "").split("|"):
                continue
            self.extension_enums[ext.get("name")] = [
                e.get("name") for r in ext.findall("require") if wanted(r)
                for e in r.findall("enum")]
            required = [c.get("name") for r in ext.findall("require") if wanted(r)
                        for c in r.findall("command")]
            self.extensions.append((ext.get("name"), required))

        self.enums = []  # (name, value) in registry order
        for group in root.findall("enums"):
            for e in group.findall("enum"):
                if e.get("api") in (None, api):
                    self.enums.append((e.get("name"), e.get("value")))


def _list_lines(path):
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line and not line.startswith("#"):
                yield line


class Model:
    def __init__(self, registry_dir, lists_dir):
        self.gl = Registry(os.path.join(registry_dir, "gl.xml"), "gl")
        self.wgl = Registry(os.path.join(registry_dir, "wgl.xml"), "wgl")
        lists = lambda name: os.path.join(lists_dir, name)  # noqa: E731

        # Entry points the library knows that gl.xml does not describe.
        signature = re.compile(r"^(.+?)\s*\b(gl\w+)\((.*)\)$")
        self.extra_commands = set()
        for line in _list_lines(lists("extra_commands.txt")):
            command = _parse_signature(line, signature, "extra_commands.txt")
            if command.name in self.gl.commands:
                raise SystemExit(f"glgen: {command.name} is in gl.xml already")
            self.gl.commands[command.name] = command
            self.extra_commands.add(command.name)

        self.extensions = list(_list_lines(lists("extensions.txt")))
        self.gl_extensions = [n for n in self.extensions if n.startswith("GL_")]
        self.wgl_extension_names = [n for n in self.extensions if n.startswith("WGL_")]
        if self.extensions != self.gl_extensions + self.wgl_extension_names:
            raise SystemExit("glgen: extensions.txt must list the OpenGL values, then the WGL ones")

        self.gl11 = [self._gl_command(n) for n in _list_lines(lists("gl11.txt"))]
        names = [c.name for c in self.gl11]
        if names != sorted(names) or len(set(names)) != len(names):
            raise SystemExit("glgen: gl11.txt must hold distinct names in ASCII order")

        self.groups = []
        first = 0
        for line in _list_lines(lists("table_groups.txt")):
            group, entry_points = line.split(":", 1)
            group = group.strip()
            if group not in self.gl_extensions:
                raise SystemExit(f"glgen: group {group} is not an OpenGL version or GL extension")
            commands = [self._gl_command(n) for n in entry_points.split()]
            self.groups.append(Group(group, first, commands))
            first += len(commands)
        self.table = [c for g in self.groups for c in g.commands]
        table_names = [c.name for c in self.table]
        if len(set(table_names)) != len(table_names) or set(table_names) & set(names):
            raise SystemExit("glgen: the table's entry points must be distinct and beyond 1.1")
        self.operations = self.gl11 + self.table

        self.tokens = self._tokens(lists("token_choices.txt"))

        self.wgl_operations = [self._wgl_operation(line)
                               for line in _list_lines(lists("wgl_operations.txt"))]

        # The WGL extensions' entry points come from wgl.xml, in ASCII order of their names.
        wgl_required = dict(self.wgl.extensions)
        self.wgl_extensions = []
        for name in self.wgl_extension_names:
            if name not in wgl_required:
                raise SystemExit(f"glgen: {name} is not a WGL extension of wgl.xml")
            commands = [self.wgl.commands[n] for n in sorted(wgl_required[name])]
            self.wgl_extensions.append(WGLExtension(name, commands))

    def _gl_command(self, name):
        if name not in self.gl.commands:
            raise SystemExit(f"glgen: entry point {name} is neither in gl.xml nor in "
                             "extra_commands.txt")
        return self.gl.commands[name]

    def _wgl_operation(self, line):
        """A name whose signature wgl.xml gives, or the signature wgl.xml cannot give."""
        if re.fullmatch(r"\w+", line):
            if line not in self.wgl.commands:
                raise SystemExit(f"glgen: {line} is not in wgl.xml: give its signature in "
                                 "wgl_operations.txt")
            return self.wgl.commands[line]
        command = _parse_signature(line, re.compile(r"^(\w+)\s+(\w+)\((.*)\)$"),
                                   "wgl_operations.txt")
        known = self.wgl.commands.get(command.name)
        if known and [t for t, _ in known.params] == [t for t, _ in command.params] and \
                known.return_type == command.return_type:
            raise SystemExit(f"glgen: wgl.xml gives {command.name} as wgl_operations.txt does: "
                             "list its name only")
        return command

    def _tokens(self, choices_path):
        """One name per value from 0 to GL_MULTISAMPLE_BIT: the committed choices first, then
        the first constant in version order (OpenGL 1.0 to 4.1), then in the library's
        extension order."""
        values = {}
        for name, value in self.gl.enums:
            values.setdefault(name, value)
        order = []
        for name, number, _, _ in self.gl.features:
            if number <= 41:
                order += self.gl.feature_enums[name]
        for name in self.gl_extensions:
            if not name.startswith("GL_VERSION_"):
                order += self.gl.extension_enums.get(name, [])

        table = {}
        for name in order:
            text = values.get(name)
            if text is None or not re.fullmatch(r"0x[0-9A-Fa-f]+|\d+", text):
                continue
            value = int(text, 0)
            if 0 <= value <= 0x20000000:
                table.setdefault(value, name)
        for line in _list_lines(choices_path):
            value_text, name = line.split()
            value = int(value_text, 16)
            if values.get(name) is None or int(values[name], 0) != value:
                raise SystemExit(f"glgen: token choice {name} does not have the value {value:#x}")
            table[value] = name
        return table
