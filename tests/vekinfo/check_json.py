"""vekinfo --json from outside: the document is valid against docs/vekinfo.schema.json, its
checks passed, and what glxinfo and clinfo print of the same machine (renderer, versions,
platform and device names) is what it says. Without an X server the document is still valid,
the sections that need one carrying their errors.

usage: check_json.py VEKINFO SCHEMA WORKDIR
Run by Debian's python3, whose python3-jsonschema the package list installs.
"""
import json
import os
import re
import subprocess
import sys

import jsonschema


def fail(message):
    print(message)
    sys.exit(1)


def tool_output(command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def glxinfo_strings():
    """The renderer and the (compatibility) version string glxinfo prints."""
    text = tool_output(["glxinfo", "-B"])
    found = {}
    for key, name in (("renderer", "OpenGL renderer string"), ("version", "OpenGL version string")):
        match = re.search("^" + name + r": (.*)$", text, re.MULTILINE)
        if match is None:
            fail(f"glxinfo -B prints no '{name}':\n{text}")
        found[key] = match.group(1)
    return found


def clinfo_names():
    """Platform names and versions, device names and versions, in clinfo's order."""
    text = tool_output(["clinfo", "--raw"])
    values = {"platforms": [], "platformVersions": [], "devices": [], "deviceVersions": []}
    keys = {"CL_PLATFORM_NAME": "platforms", "CL_PLATFORM_VERSION": "platformVersions",
            "CL_DEVICE_NAME": "devices", "CL_DEVICE_VERSION": "deviceVersions"}
    for line in text.splitlines():
        # The platform section's lines have no [platform/device] prefix; the device section's
        # lines repeat the platform name under a [.../*] prefix, which is left out.
        match = re.match(r"^(\[[^/\]]*/(\*|\d+)\])?\s+(CL_\w+)\s+(.*?)\s*$", line)
        if match is None or match.group(3) not in keys:
            continue
        prefix, device, key, value = match.group(1), match.group(2), match.group(3), match.group(4)
        if key.startswith("CL_DEVICE_") != (prefix is not None and device != "*"):
            continue
        if key.startswith("CL_PLATFORM_") and prefix is not None:
            continue
        values[keys[key]].append(value)
    return values


def main():
    vekinfo, schema_path, work = sys.argv[1:4]
    if not os.environ.get("DISPLAY") or subprocess.run(["xdpyinfo"], capture_output=True).returncode:
        print("skipped: no X display: the report draws with OpenGL (gl-tier tests need one)")
        return 77
    os.makedirs(work, exist_ok=True)
    png = os.path.join(work, "vekinfo-json.png")
    # As the other vekinfo tests: in sanitized builds the drivers' own leaks are not vekinfo's.
    environment = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")
    run = subprocess.run([vekinfo, "--json", "--png", png], capture_output=True, env=environment)
    if run.returncode != 0:
        fail(f"vekinfo --json exited {run.returncode}: {run.stderr.decode(errors='replace')}")
    try:
        report = json.loads(run.stdout.decode("utf-8"))
    except (UnicodeDecodeError, json.JSONDecodeError) as error:
        fail(f"vekinfo --json printed no JSON document: {error}")

    with open(schema_path, encoding="utf-8") as schema_file:
        schema = json.load(schema_file)
    validator_class = jsonschema.validators.validator_for(schema)
    validator_class.check_schema(schema)
    errors = sorted(validator_class(schema).iter_errors(report), key=lambda e: list(e.path))
    if errors:
        fail("vekinfo --json does not match the schema:\n" + "\n".join(
            f"  at /{'/'.join(str(p) for p in e.path)}: {e.message[:300]}" for e in errors[:20]))

    problems = []

    def expect(what, actual, expected):
        if actual != expected:
            problems.append(f"{what}: vekinfo says {actual!r}, expected {expected!r}")

    gl = report["opengl"]
    expect("the drawing as drawn", gl["drawing"]["asDrawn"], True)
    expect("the drawing's file", os.path.isfile(png), True)
    glx = glxinfo_strings()
    expect("displays.renderer.glRenderer", report["displays"]["renderer"]["glRenderer"],
           glx["renderer"])
    expect("displays.renderer.glVersion", report["displays"]["renderer"]["glVersion"],
           glx["version"])
    expect("opengl.glRenderer", gl["glRenderer"], glx["renderer"])
    expect("opengl.glVersion", gl["glVersion"], glx["version"])

    cl = report["opencl"]
    expect("OpenCL available", cl["available"], True)
    names = clinfo_names()
    platforms = cl["platforms"]
    devices = [d for p in platforms for d in p["devices"]]
    expect("platform names", [p["name"] for p in platforms], names["platforms"])
    expect("platform versions", [p["version"] for p in platforms], names["platformVersions"])
    expect("device names", [d["name"] for d in devices], names["devices"])
    expect("device versions", [d["version"] for d in devices], names["deviceVersions"])
    if not names["devices"]:
        problems.append("clinfo --raw lists no device to compare with")
    expect("SAXPY verified", cl["saxpy"]["verified"], True)
    expect("SAXPY device", cl["saxpy"]["device"], names["devices"][0] if names["devices"] else None)

    # Without an X server the display and OpenGL sections fail: each carries its error, the
    # others their answers, the document stays valid and vekinfo exits 1.
    environment["DISPLAY"] = ":65535"
    run = subprocess.run([vekinfo, "--json", "--png", png], capture_output=True, env=environment)
    expect("exit status without a display", run.returncode, 1)
    try:
        failed = json.loads(run.stdout.decode("utf-8"))
        errors = list(validator_class(schema).iter_errors(failed))
        expect("schema errors without a display", [e.message[:200] for e in errors], [])
        expect("sections with an error without a display",
               [name for name in ("core", "displays", "opengl", "opencl") if "error" in failed[name]],
               ["displays", "opengl"])
    except (UnicodeDecodeError, json.JSONDecodeError) as error:
        problems.append(f"vekinfo --json without a display printed no JSON document: {error}")
    if problems:
        fail("\n".join(problems))
    print(f"vekinfo --json matches the schema, glxinfo ({glx['renderer']}) and clinfo "
          f"({len(platforms)} platform(s), {len(devices)} device(s))")
    return 0


if __name__ == "__main__":
    sys.exit(main())
