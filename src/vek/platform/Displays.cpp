#include "vek/platform/Displays.h"

#include <GL/glx.h>
#include <GL/glxext.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "vek/platform/ContextRecord.h"
#include "vek/platform/DeviceContext.h"
#include "vek/platform/XConnection.h"
#include "vek/platform/XErrorTrap.h"

namespace VEK {
namespace Platform {

namespace {

void Describe(Display* display, int screen, DisplayAdapter& adapter) {
    static const auto queryString = reinterpret_cast<PFNGLXQUERYRENDERERSTRINGMESAPROC>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXQueryRendererStringMESA")));
    static const auto queryInteger = reinterpret_cast<PFNGLXQUERYRENDERERINTEGERMESAPROC>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXQueryRendererIntegerMESA")));
    const char* extensions = glXQueryExtensionsString(display, screen);
    const bool hasQuery =
        extensions &&
        std::string(" ").append(extensions).append(" ").find(" GLX_MESA_query_renderer ") !=
            std::string::npos;
    adapter.description.clear();
    adapter.deviceId = 0;
    if (hasQuery && queryString) {
        const char* name = queryString(display, screen, 0, GLX_RENDERER_DEVICE_ID_MESA);
        adapter.description = name ? name : "";
    }
    unsigned int id = 0;
    // 0xFFFFFFFF is how a renderer without a PCI device says it has no id.
    if (hasQuery && queryInteger &&
        queryInteger(display, screen, 0, GLX_RENDERER_DEVICE_ID_MESA, &id) && id != 0xFFFFFFFFu) {
        adapter.deviceId = id;
    }
    if (adapter.description.empty()) {
        adapter.description = "X screen " + std::to_string(screen);
    }
}

void ListOutputs(Display* display, int screen, bool randr, DisplayAdapter& adapter) {
    const std::string suffix = screen == 0 ? "" : "@" + std::to_string(screen);
    XRRScreenResources* resources =
        randr ? XRRGetScreenResourcesCurrent(display, RootWindow(display, screen)) : nullptr;
    if (!resources) {
        // Without RandR the screen is one output covering it.
        DisplayOutput whole;
        whole.deviceName = "screen" + suffix;
        whole.desktopCoordinates = {0, 0, DisplayWidth(display, screen),
                                    DisplayHeight(display, screen)};
        whole.attachedToDesktop = true;
        adapter.outputs.push_back(whole);
        return;
    }
    for (int i = 0; i < resources->noutput; ++i) {
        XRROutputInfo* info = XRRGetOutputInfo(display, resources, resources->outputs[i]);
        if (!info) {
            continue;
        }
        DisplayOutput output;
        output.deviceName =
            std::string(info->name, static_cast<std::size_t>(info->nameLen)) + suffix;
        output.desktopCoordinates = {0, 0, 0, 0};
        output.attachedToDesktop = false;
        if (info->connection == RR_Connected && info->crtc) {
            if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, info->crtc)) {
                output.attachedToDesktop = true;
                output.desktopCoordinates = {crtc->x, crtc->y,
                                             crtc->x + static_cast<LONG>(crtc->width),
                                             crtc->y + static_cast<LONG>(crtc->height)};
                XRRFreeCrtcInfo(crtc);
            }
        }
        adapter.outputs.push_back(output);
        XRRFreeOutputInfo(info);
    }
    XRRFreeScreenResources(resources);
}

bool HasRandR(Display* display) {
    int event = 0, error = 0, major = 0, minor = 0;
    // Current screen resources need RandR 1.3.
    return XRRQueryExtension(display, &event, &error) && XRRQueryVersion(display, &major, &minor) &&
           (major > 1 || (major == 1 && minor >= 3));
}

}  // namespace

bool Displays::Adapters(std::vector<DisplayAdapter>& adapters) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    adapters.clear();
    Display* display = XConnection::Get();
    if (!display) {
        SetLastError(ERROR_DC_NOT_FOUND);
        return false;
    }
    XErrorTrap trap(display);
    const bool randr = HasRandR(display);
    for (int screen = 0; screen < ScreenCount(display); ++screen) {
        DisplayAdapter adapter;
        Describe(display, screen, adapter);
        ListOutputs(display, screen, randr, adapter);
        adapters.push_back(adapter);
    }
    if (trap.failed()) {
        adapters.clear();
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    return true;
}

bool Displays::ContainingOutput(HWND window, DisplayOutput& output) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    Display* display = XConnection::Get();
    RECT rect;
    if (!display || !GetWindowRect(window, &rect)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    int screen = -1;
    {
        XErrorTrap trap(display);
        XWindowAttributes attributes;
        const Window xWindow = static_cast<Window>(reinterpret_cast<std::uintptr_t>(window));
        if (XGetWindowAttributes(display, xWindow, &attributes) && !trap.failed()) {
            screen = XScreenNumberOfScreen(attributes.screen);
        }
    }
    std::vector<DisplayAdapter> adapters;
    if (screen < 0 || !Adapters(adapters)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    const long cx = (static_cast<long>(rect.left) + rect.right) / 2;
    const long cy = (static_cast<long>(rect.top) + rect.bottom) / 2;
    long best = LONG_MAX;
    for (const DisplayOutput& o : adapters[static_cast<std::size_t>(screen)].outputs) {
        if (!o.attachedToDesktop) {
            continue;
        }
        const RECT& r = o.desktopCoordinates;
        // Distance from the centre to the output's area: 0 inside it.
        const long dx = std::max({static_cast<long>(r.left) - cx, 0L, cx - (r.right - 1)});
        const long dy = std::max({static_cast<long>(r.top) - cy, 0L, cy - (r.bottom - 1)});
        const long distance = dx * dx + dy * dy;
        if (distance < best) {
            best = distance;
            output = o;
        }
    }
    if (best == LONG_MAX) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return false;
    }
    return true;
}

namespace {

// The screen of a live device context or context record; -1, with the last error set, else.
template <class Record, class Handle>
int ScreenOf(Handle handle) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    const Record* record = Record::FromHandle(handle);
    if (!record) {
        SetLastError(ERROR_INVALID_HANDLE);
        return -1;
    }
    return record->screen();
}

}  // namespace

int Displays::AdapterOf(HDC deviceContext) {
    return ScreenOf<DeviceContext>(deviceContext);
}

int Displays::AdapterOf(HGLRC renderContext) {
    return ScreenOf<ContextRecord>(renderContext);
}

HWND Displays::DesktopWindow(unsigned adapter) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    Display* display = XConnection::Get();
    if (!display) {
        SetLastError(ERROR_DC_NOT_FOUND);
        return nullptr;
    }
    if (adapter >= static_cast<unsigned>(ScreenCount(display))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const Window root = RootWindow(display, static_cast<int>(adapter));
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(root));
}

}  // namespace Platform
}  // namespace VEK
