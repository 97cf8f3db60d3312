#include <GL/gl.h>

#include <ostream>
#include <string>
#include <vector>

#include <vek/core/exceptions/InternalException.h>
#include <vek/platform/Displays.h>
#include <vek/platform/System.h>

#include "JsonWriter.h"
#include "PlatformContext.h"
#include "Sections.h"

namespace vekinfo {

namespace {

std::vector<VEK::Platform::DisplayAdapter> Adapters() {
    std::vector<VEK::Platform::DisplayAdapter> adapters;
    if (!VEK::Platform::Displays::Adapters(adapters)) {
        VEK_THROW_INTERNAL("no X display answers, error " << GetLastError());
    }
    return adapters;
}

// The renderer as a program sees it through the platform's Win32 and WGL calls.
struct Renderer {
    int pixelFormat;
    int pixelFormats;
    std::string renderer;
    std::string version;
    std::string wglExtensions;
};

std::string GLString(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

Renderer QueryRenderer() {
    PlatformContext context(8, 8);
    // An extension entry point: reached through the lookup, as Windows exports none of them.
    typedef const char*(APIENTRY * ExtensionsString)(HDC);
    const auto extensionsString = reinterpret_cast<ExtensionsString>(
        reinterpret_cast<void (*)()>(wglGetProcAddress("wglGetExtensionsStringARB")));
    const char* extensions = extensionsString ? extensionsString(context.dc()) : nullptr;
    return {context.pixelFormat(), DescribePixelFormat(context.dc(), 1, 0, nullptr),
            GLString(GL_RENDERER), GLString(GL_VERSION), extensions != nullptr ? extensions : ""};
}

}  // namespace

void PrintDisplays(std::ostream& out, const Options&) {
    out << "Displays\n";
    const std::vector<VEK::Platform::DisplayAdapter> adapters = Adapters();
    for (std::size_t i = 0; i < adapters.size(); ++i) {
        const VEK::Platform::DisplayAdapter& adapter = adapters[i];
        out << "  adapter " << i << ": " << adapter.description << " (device id "
            << adapter.deviceId << ")\n";
        for (const VEK::Platform::DisplayOutput& output : adapter.outputs) {
            const RECT& r = output.desktopCoordinates;
            out << "    output " << output.deviceName << ": "
                << (output.attachedToDesktop ? "attached" : "not attached");
            if (output.attachedToDesktop) {
                out << ", desktop (" << r.left << ", " << r.top << ")-(" << r.right << ", "
                    << r.bottom << ")";
            }
            out << "\n";
        }
    }
    const Renderer renderer = QueryRenderer();
    out << "  pixel format " << renderer.pixelFormat << " of " << renderer.pixelFormats << "\n";
    out << "  GL_RENDERER: " << renderer.renderer << "\n";
    out << "  GL_VERSION:  " << renderer.version << "\n";
    out << "  WGL extensions: " << renderer.wglExtensions << "\n";
}

void WriteDisplays(JsonWriter& json, const Options&) {
    const std::vector<VEK::Platform::DisplayAdapter> adapters = Adapters();
    json.key("adapters");
    json.beginArray();
    for (const VEK::Platform::DisplayAdapter& adapter : adapters) {
        json.beginObject();
        json.member("description", adapter.description);
        json.member("deviceId", adapter.deviceId);
        json.key("outputs");
        json.beginArray();
        for (const VEK::Platform::DisplayOutput& output : adapter.outputs) {
            json.beginObject();
            json.member("name", output.deviceName);
            json.member("attached", output.attachedToDesktop);
            json.key("desktop");
            if (output.attachedToDesktop) {
                const RECT& r = output.desktopCoordinates;
                json.beginObject();
                json.member("left", static_cast<std::int64_t>(r.left));
                json.member("top", static_cast<std::int64_t>(r.top));
                json.member("right", static_cast<std::int64_t>(r.right));
                json.member("bottom", static_cast<std::int64_t>(r.bottom));
                json.endObject();
            } else {
                json.null();
            }
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
    const Renderer renderer = QueryRenderer();
    json.key("renderer");
    json.beginObject();
    json.member("pixelFormat", renderer.pixelFormat);
    json.member("pixelFormats", renderer.pixelFormats);
    json.member("glRenderer", renderer.renderer);
    json.member("glVersion", renderer.version);
    json.key("wglExtensions");
    json.beginArray();
    for (const std::string& name : Words(renderer.wglExtensions)) {
        json.value(name);
    }
    json.endArray();
    json.endObject();
}

}  // namespace vekinfo
