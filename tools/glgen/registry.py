"""Reads the Khronos OpenGL registry (gl.xml) and the library's own committed lists."""

import re
import xml.etree.ElementTree as ET


class Command:
    """One entry point: its return type, and parameters as (declaration type, name)."""

    def __init__(self, name, return_type, params):
        self.name = name
        self.return_type = return_type
        self.params = params

    @property
    def operation(self):
        """The interceptor operation: "cgm" and the name without its "gl"."""
        return "cgm" + self.name[2:]

    def parameter_list(self):
        return ", ".join(f"{t} {n}" for t, n in self.params)

    def argument_list(self):
        return ", ".join(n for _, n in self.params)

    def type_list(self):
        return ", ".join(t for t, _ in self.params) or "void"

    def returns_value(self):
        return self.return_type != "void"


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


class Registry:
    def __init__(self, path):
        root = ET.parse(path).getroot()
        self.commands = {}
        for node in root.findall("commands/command"):
            proto = node.find("proto")
            name = proto.find("name").text
            params = [(_declaration_type(p), p.find("name").text) for p in node.findall("param")]
            self.commands[name] = Command(name, _declaration_type(proto), params)

        # Desktop OpenGL only: features of api "gl" and extensions supported by "gl".
        self.features = []  # (name, version number major*10+minor, required, removed-in-core)
        self.feature_enums = {}  # feature name -> enums it requires, in order
        for feature in root.findall("feature"):
            if feature.get("api") != "gl":
                continue
            self.feature_enums[feature.get("name")] = [
                e.get("name") for r in feature.findall("require") for e in r.findall("enum")]
            major, minor = feature.get("number").split(".")
            required = [c.get("name") for r in feature.findall("require")
                        if r.get("api") in (None, "gl") for c in r.findall("command")]
            removed = [c.get("name") for r in feature.findall("remove")
                       if r.get("profile") in (None, "core") for c in r.findall("command")]
            self.features.append((feature.get("name"), int(major) * 10 + int(minor),
                                  required, removed))

        self.extensions = []  # (name, required commands)
        self.extension_enums = {}  # extension name -> enums it requires, in order
        for ext in root.findall("extensions/extension"):
            if "gl" not in (ext.get("supported") or "").split("|"):
                continue
            self.extension_enums[ext.get("name")] = [
                e.get("name") for r in ext.findall("require") if r.get("api") in (None, "gl")
                for e in r.findall("enum")]
            required = [c.get("name") for r in ext.findall("require")
                        if r.get("api") in (None, "gl") for c in r.findall("command")]
            self.extensions.append((ext.get("name"), required))

        self.enums = []  # (name, value) in registry order
        for group in root.findall("enums"):
            for e in group.findall("enum"):
                if e.get("api") not in (None, "gl"):
                    continue
                self.enums.append((e.get("name"), e.get("value"), group.get("group"),
                                   e.get("type")))

    def add_extra_commands(self, path):
        pattern = re.compile(r"^(.+?)\s*\b(gl\w+)\((.*)\)$")
        for line in _list_lines(path):
            match = pattern.match(line)
            if not match:
                raise ValueError(f"{path}: cannot read '{line}'")
            return_type, name, params = match.groups()
            if name in self.commands:
                raise ValueError(f"{path}: {name} is in the registry already")
            parsed = []
            if params.strip() not in ("", "void"):
                for param in params.split(","):
                    decl, pname = param.strip().rsplit(" ", 1)
                    parsed.append((_clean(decl), pname))
            self.commands[name] = Command(name, return_type.strip(), parsed)
            self.extra = getattr(self, "extra", set()) | {name}

    def command(self, name):
        if name not in self.commands:
            raise KeyError(f"entry point {name} is neither in gl.xml nor in the extra list")
        return self.commands[name]


def _list_lines(path):
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line and not line.startswith("#"):
                yield line


def read_names(path):
    return list(_list_lines(path))


def read_groups(path):
    """[(group, [entry points])] in table order."""
    groups = []
    for line in _list_lines(path):
        group, names = line.split(":", 1)
        groups.append((group.strip(), names.split()))
    return groups
