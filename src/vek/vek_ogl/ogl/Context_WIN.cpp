#include <boost/format.hpp>

#include "vek/core/exceptions/InternalException.h"
#include "vek/platform/Displays.h"
#include "vek/vek_ogl/ogl/Context.h"

namespace VEK {
namespace OGL {

namespace {

using Platform::DisplayAdapter;
using Platform::DisplayOutput;

DisplayDeviceKey KeyOf(const DisplayOutput& output, const DisplayAdapter& adapter) {
    return DisplayDeviceKey(output.deviceName, adapter.description,
                            (boost::format("%1%") % adapter.deviceId).str());
}

const DisplayOutput* FirstAttached(const DisplayAdapter& adapter) {
    for (const DisplayOutput& output : adapter.outputs) {
        if (output.attachedToDesktop) {
            return &output;
        }
    }
    return nullptr;
}

std::vector<DisplayAdapter> Adapters() {
    std::vector<DisplayAdapter> adapters;
    VEK_ASSERT(Platform::Displays::Adapters(adapters));
    return adapters;
}

DisplayDeviceKey gPrimaryDisplay;
bool gPrimaryDisplayKnown = false;

}  // namespace

unsigned Context::NumDisplayDevice() {
    try {
        unsigned count = 0;
        for (const DisplayAdapter& adapter : Adapters()) {
            if (FirstAttached(adapter) != nullptr) {
                ++count;
            }
        }
        return count;
    } catch (const ExceptionBase&) {
        return 0;
    }
}

bool Context::DisplayDevice(unsigned index, DisplayDeviceKey& key) {
    try {
        const std::vector<DisplayAdapter> adapters = Adapters();
        if (index >= adapters.size()) {
            return false;
        }
        const DisplayOutput* output = FirstAttached(adapters[index]);
        if (output == nullptr) {
            VEK_THROW_INTERNAL("Wasn't able to find the specified card attached to the desktop");
        }
        key = KeyOf(*output, adapters[index]);
        return true;
    } catch (const ExceptionBase&) {
        return false;
    }
}

DisplayDeviceKey const& Context::PrimaryDisplayDevice() {
    if (!gPrimaryDisplayKnown) {
        for (const DisplayAdapter& adapter : Adapters()) {
            for (const DisplayOutput& output : adapter.outputs) {
                // Unattached outputs report an empty area at (0, 0): they show nothing.
                if (output.attachedToDesktop && output.desktopCoordinates.left == 0 &&
                    output.desktopCoordinates.top == 0) {
                    gPrimaryDisplay = KeyOf(output, adapter);
                    gPrimaryDisplayKnown = true;
                    return gPrimaryDisplay;
                }
            }
        }
        VEK_THROW_INTERNAL("Unable to determine primary display");
    }
    return gPrimaryDisplay;
}

DisplayDeviceKey Context::DisplayDeviceFromWindow(HWND const& theWindow) {
    RECT windowRect{};
    VEK_ASSERT(GetWindowRect(theWindow, &windowRect));
    DisplayOutput containing{};
    VEK_ASSERT(Platform::Displays::ContainingOutput(theWindow, containing));
    for (const DisplayAdapter& adapter : Adapters()) {
        for (const DisplayOutput& output : adapter.outputs) {
            if (output.deviceName == containing.deviceName) {
                return KeyOf(output, adapter);
            }
        }
    }
    VEK_THROW_INTERNAL("Unable to determine device for specified window");
}

int2 Context::DisplayOrigin(std::string const& adapterDescription, bool defaultToZeroOnFailure) {
    std::vector<DisplayAdapter> adapters;
    if (!Platform::Displays::Adapters(adapters)) {
        if (defaultToZeroOnFailure) {
            return int2(0, 0);
        }
        VEK_ASSERT(defaultToZeroOnFailure);
    }
    for (const DisplayAdapter& adapter : adapters) {
        if (adapter.description != adapterDescription) {
            continue;
        }
        if (const DisplayOutput* output = FirstAttached(adapter)) {
            return int2(output->desktopCoordinates.left, output->desktopCoordinates.top);
        }
    }
    VEK_THROW_INTERNAL("Adapter not found");
}

}  // namespace OGL
}  // namespace VEK
