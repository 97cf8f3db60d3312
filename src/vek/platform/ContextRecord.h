#pragma once

#include <memory>
#include <thread>
#include <vector>

#include "vek/platform/WGL.h"

typedef struct _XDisplay Display;
typedef struct __GLXcontextRec* GLXContext;

namespace VEK {
namespace Platform {

class ContextFeatures;
class DeviceContext;

// What an HGLRC stands for: a GLX context, the pixel format and screen it was made for, the
// attributes it was made with (to re-create it), and its share group.
class ContextRecord {
public:
    // A new GLX context for the device context's pixel format, in share's group when given.
    // Null with the last error set when the driver refuses it.
    static ContextRecord* Create(DeviceContext& deviceContext, const ContextRecord* share,
                                 const std::vector<int>& glxAttributes);
    ContextRecord(const ContextRecord&) = delete;
    ContextRecord& operator=(const ContextRecord&) = delete;
    ~ContextRecord();

    static ContextRecord* FromHandle(HGLRC handle);
    HGLRC handle() { return reinterpret_cast<HGLRC>(this); }

    GLXContext glx() const { return glx_; }
    int screen() const { return screen_; }
    int pixelFormat() const { return pixelFormat_; }

    // The thread it is current on (a default id when none) and whether it ever was current.
    std::thread::id currentThread() const { return currentThread_; }
    void setCurrentThread(std::thread::id thread);
    bool everCurrent() const { return everCurrent_; }

    bool sharesWith(const ContextRecord& other) const { return group_ == other.group_; }
    bool sharesWithOthers() const { return group_.use_count() > 1; }
    // Re-creates the GLX context in other's share group, keeping this record and its handle.
    // Only for a context never made current: GLX shares only at creation. False when the driver
    // refuses; the context is then unchanged.
    bool joinShareGroupOf(const ContextRecord& other);

    // The features of the context, read on first use; it must be current on the calling thread.
    const ContextFeatures& features();

private:
    ContextRecord(Display* display, GLXContext glx, int screen, int pixelFormat,
                  std::vector<int> attributes, std::shared_ptr<int> group);

    Display* display_;
    GLXContext glx_;
    int screen_;
    int pixelFormat_;
    std::vector<int> attributes_;
    std::shared_ptr<int> group_;  // one object per share group; members hold it
    std::thread::id currentThread_;
    bool everCurrent_ = false;
    std::unique_ptr<ContextFeatures> features_;
};

}  // namespace Platform
}  // namespace VEK
