#include <GL/gl.h>

#include <ostream>
#include <string>
#include <vector>

#include <vek/core/exceptions/InternalException.h>
#include <vek/platform/Displays.h>
#include <vek/platform/System.h>

#include "PlatformContext.h"
#include "Sections.h"

namespace vekinfo {

namespace {

// The renderer as a program sees it through the platform's Win32 and WGL calls.
void PrintRenderer(std::ostream& out) {
    PlatformContext context(8, 8);
    out << "  pixel format " << context.pixelFormat() << " of "
        << DescribePixelFormat(context.dc(), 1, 0, nullptr) << "\n";
    out << "  GL_RENDERER: " << glGetString(GL_RENDERER) << "\n";
    out << "  GL_VERSION:  " << glGetString(GL_VERSION) << "\n";
    typedef const char* (*ExtensionsString)(HDC);
    const auto extensions =
        reinterpret_cast<ExtensionsString>(wglGetProcAddress("wglGetExtensionsStringARB"));
    out << "  WGL extensions: " << (extensions ? extensions(context.dc()) : "(none)") << "\n";
}

}  // namespace

void PrintDisplays(std::ostream& out, const Options&) {
    out << "Displays\n";
    std::vector<VEK::Platform::DisplayAdapter> adapters;
    if (!VEK::Platform::Displays::Adapters(adapters)) {
        VEK_THROW_INTERNAL("no X display answers, error " << GetLastError());
    }
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
    PrintRenderer(out);
}

}  // namespace vekinfo
