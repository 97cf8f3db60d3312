#include "support/ServerResources.h"

#include <vek/platform/XConnection.h>

#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>

namespace VEKTest {

std::map<std::string, long> ServerResources() {
    Display* display = VEK::Platform::XConnection::Get();
    std::map<std::string, long> result;
    if (display == nullptr) {
        return result;
    }
    // A window of our own names the connection to the query; it is left out of the counts.
    const Window marker =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    int types = 0;
    XResType* counts = nullptr;
    if (XResQueryClientResources(display, marker, &types, &counts)) {
        for (int i = 0; i < types; ++i) {
            char* name = XGetAtomName(display, counts[i].resource_type);
            result[name ? name : "?"] = counts[i].count;
            XFree(name);
        }
        XFree(counts);
    }
    XDestroyWindow(display, marker);
    XSync(display, False);
    --result["WINDOW"];
    return result;
}

}  // namespace VEKTest
