#pragma once

#include <vector>

#include "vek/platform/Windows.h"

typedef struct _XDisplay Display;
typedef struct __GLXFBConfigRec* GLXFBConfig;

namespace VEK {
namespace Platform {

// What one GLX framebuffer configuration offers, read once.
struct PixelFormat {
    GLXFBConfig config;
    unsigned long visualId;  // 0 when the configuration cannot draw to a window
    int drawableTypes;       // GLX_WINDOW_BIT, GLX_PIXMAP_BIT, GLX_PBUFFER_BIT
    int renderTypes;         // GLX_RGBA_BIT, GLX_COLOR_INDEX_BIT, GLX_RGBA_FLOAT_BIT_ARB
    int red, green, blue, alpha;
    int depth, stencil;
    int accumRed, accumGreen, accumBlue, accumAlpha;
    int auxBuffers;
    int doubleBuffer, stereo;
    int sampleBuffers, samples;
    int caveat;  // GLX_NONE, GLX_SLOW_CONFIG, GLX_NON_CONFORMANT_CONFIG
    int maxPbufferWidth, maxPbufferHeight, maxPbufferPixels;
    int bufferSize;   // GLX_BUFFER_SIZE: the depth of a pbuffer's X pixmap
    int visualDepth;  // 0 without a visual

    bool drawsToWindow() const;
    bool drawsToPbuffer() const;
    bool floatColour() const;
};

// The pixel formats of one X screen: format n (from 1) is the n-th GLX framebuffer configuration
// the driver lists for that screen, those that can draw to a window first (each part in the
// driver's order). Numbers stay stable for the life of the connection.
class PixelFormats {
public:
    // The formats of a screen, read on first use and kept; null when GLX gives none.
    static const PixelFormats* ForScreen(Display* display, int screen);

    int count() const { return static_cast<int>(formats_.size()); }
    // Null outside 1..count().
    const PixelFormat* format(int number) const;

    void describe(int number, PIXELFORMATDESCRIPTOR& descriptor) const;
    // The closest match to a descriptor among formats that satisfy its hard requirements (pixel
    // type, drawing to a window, double buffering and stereo unless marked don't-care); 0 if none.
    int choose(const PIXELFORMATDESCRIPTOR& descriptor) const;

    // A WGL pixel-format attribute of a format; false for an attribute the platform does not know.
    bool attribute(int number, int wglAttribute, int& value) const;
    // The formats matching a WGL attribute list (pairs, ending with 0) best first. False, with the
    // offending attribute left in badAttribute, when the list holds one the platform does not know.
    bool choose(const int* intAttributes, const FLOAT* floatAttributes, std::vector<int>& result,
                int& badAttribute) const;

private:
    PixelFormats(Display* display, int screen);

    std::vector<PixelFormat> formats_;
};

}  // namespace Platform
}  // namespace VEK
