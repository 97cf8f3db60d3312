// Windows: the display questions answered by DXGI's adapters and outputs. One desktop spans
// every adapter, so a window's position alone picks its output.
#include "vek/platform/Displays.h"

#include <dxgi.h>

#include <string>

namespace VEK {
namespace Platform {

namespace {

std::string Utf8(const WCHAR* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) {
        return std::string();
    }
    std::string result(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &result[0], bytes, nullptr, nullptr);
    result.resize(static_cast<std::size_t>(bytes - 1));
    return result;
}

template <class Interface>
struct Released {
    Interface* pointer = nullptr;
    ~Released() {
        if (pointer) {
            pointer->Release();
        }
    }
};

// Every adapter with its outputs, and each output's monitor in the same order.
bool Enumerate(std::vector<DisplayAdapter>& adapters,
               std::vector<std::vector<HMONITOR>>* monitors) {
    adapters.clear();
    Released<IDXGIFactory1> factory;
    if (FAILED(CreateDXGIFactory1(__uuidof(IDXGIFactory1),
                                  reinterpret_cast<void**>(&factory.pointer)))) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return false;
    }
    for (UINT a = 0;; ++a) {
        Released<IDXGIAdapter1> adapter;
        if (factory.pointer->EnumAdapters1(a, &adapter.pointer) == DXGI_ERROR_NOT_FOUND) {
            break;
        }
        DXGI_ADAPTER_DESC1 description{};
        if (FAILED(adapter.pointer->GetDesc1(&description))) {
            continue;
        }
        DisplayAdapter entry;
        entry.description = Utf8(description.Description);
        entry.deviceId = description.DeviceId;
        std::vector<HMONITOR> adapterMonitors;
        for (UINT o = 0;; ++o) {
            Released<IDXGIOutput> output;
            if (adapter.pointer->EnumOutputs(o, &output.pointer) == DXGI_ERROR_NOT_FOUND) {
                break;
            }
            DXGI_OUTPUT_DESC outputDescription{};
            if (FAILED(output.pointer->GetDesc(&outputDescription))) {
                continue;
            }
            DisplayOutput shown;
            shown.deviceName = Utf8(outputDescription.DeviceName);
            shown.attachedToDesktop = outputDescription.AttachedToDesktop != FALSE;
            shown.desktopCoordinates =
                shown.attachedToDesktop ? outputDescription.DesktopCoordinates : RECT{0, 0, 0, 0};
            entry.outputs.push_back(shown);
            adapterMonitors.push_back(outputDescription.Monitor);
        }
        adapters.push_back(entry);
        if (monitors) {
            monitors->push_back(adapterMonitors);
        }
    }
    return true;
}

// The adapter and output index of a monitor; false when no output shows it.
bool Find(HMONITOR monitor, std::vector<DisplayAdapter>& adapters, std::size_t& adapter,
          std::size_t& output) {
    std::vector<std::vector<HMONITOR>> monitors;
    if (monitor == nullptr || !Enumerate(adapters, &monitors)) {
        return false;
    }
    for (adapter = 0; adapter < monitors.size(); ++adapter) {
        for (output = 0; output < monitors[adapter].size(); ++output) {
            if (monitors[adapter][output] == monitor) {
                return true;
            }
        }
    }
    SetLastError(ERROR_DC_NOT_FOUND);
    return false;
}

}  // namespace

bool Displays::Adapters(std::vector<DisplayAdapter>& adapters) {
    return Enumerate(adapters, nullptr);
}

bool Displays::ContainingOutput(HWND window, DisplayOutput& output) {
    if (!IsWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    std::vector<DisplayAdapter> adapters;
    std::size_t a = 0;
    std::size_t o = 0;
    if (!Find(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), adapters, a, o)) {
        return false;
    }
    output = adapters[a].outputs[o];
    return true;
}

int Displays::AdapterOf(HDC deviceContext) {
    if (deviceContext == nullptr || GetObjectType(deviceContext) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return -1;
    }
    // A pbuffer's device context has no window: it draws on the primary adapter's driver.
    const HWND window = WindowFromDC(deviceContext);
    const HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                                    : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    std::vector<DisplayAdapter> adapters;
    std::size_t a = 0;
    std::size_t o = 0;
    return Find(monitor, adapters, a, o) ? static_cast<int>(a) : -1;
}

int Displays::AdapterOf(HGLRC renderContext) {
    // WGL does not say which device context a rendering context was made with; -1 leaves the
    // choice to the device contexts.
    (void)renderContext;
    SetLastError(ERROR_NOT_SUPPORTED);
    return -1;
}

HWND Displays::DesktopWindow(unsigned adapter) {
    std::vector<DisplayAdapter> adapters;
    if (!Enumerate(adapters, nullptr) || adapter >= adapters.size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return GetDesktopWindow();
}

}  // namespace Platform
}  // namespace VEK
