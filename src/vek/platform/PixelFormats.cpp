#include "vek/platform/PixelFormats.h"

#include <GL/glx.h>
#include <GL/glxext.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <tuple>

#include "vek/platform/WGL.h"
#include "vek/platform/XConnection.h"

namespace VEK {
namespace Platform {

bool PixelFormat::drawsToWindow() const {
    return (drawableTypes & GLX_WINDOW_BIT) != 0 && visualId != 0;
}
bool PixelFormat::drawsToPbuffer() const {
    // A single-buffered pbuffer draws into its X pixmap, which the server makes as deep as the
    // colour buffer; a software driver writes it in the depth of the visual and the server
    // refuses every image, so whatever was drawn is lost. Such a configuration is not offered.
    const bool frontLost = !doubleBuffer && visualDepth != 0 && bufferSize != visualDepth;
    return (drawableTypes & GLX_PBUFFER_BIT) != 0 && !frontLost;
}
bool PixelFormat::floatColour() const {
    return (renderTypes & GLX_RGBA_BIT) == 0 && (renderTypes & GLX_RGBA_FLOAT_BIT_ARB) != 0;
}

namespace {

int PixelType(const PixelFormat& f) {
    if (f.renderTypes & GLX_RGBA_BIT) {
        return WGL_TYPE_RGBA_ARB;
    }
    if (f.renderTypes & GLX_RGBA_FLOAT_BIT_ARB) {
        return WGL_TYPE_RGBA_FLOAT_ARB;
    }
    return WGL_TYPE_COLORINDEX_ARB;
}

// Channels packed blue lowest, alpha highest, as the usual 32-bit layout.
int Shift(const PixelFormat& f, int channel) {
    const int shifts[4] = {f.green + f.blue, f.blue, 0, f.red + f.green + f.blue};
    return shifts[channel];
}

// Colour bits count alpha as well: that is what drivers report and what callers ask for.
int ColourBits(const PixelFormat& f) {
    return f.red + f.green + f.blue + f.alpha;
}

bool Slow(const PixelFormat& f) {
    return f.caveat == GLX_SLOW_CONFIG;
}

BYTE Byte(int value) {
    return static_cast<BYTE>(std::clamp(value, 0, 255));
}

int Shortfall(int have, int want) {
    return want > have ? want - have : 0;
}

// How the extended chooser compares an attribute.
enum class Match { kExact, kMinimum, kIgnored, kUnknown };

Match MatchOf(int attribute) {
    switch (attribute) {
        case WGL_DRAW_TO_WINDOW_ARB:
        case WGL_DRAW_TO_BITMAP_ARB:
        case WGL_ACCELERATION_ARB:
        case WGL_NEED_PALETTE_ARB:
        case WGL_NEED_SYSTEM_PALETTE_ARB:
        case WGL_SWAP_LAYER_BUFFERS_ARB:
        case WGL_SWAP_METHOD_ARB:
        case WGL_TRANSPARENT_ARB:
        case WGL_SUPPORT_GDI_ARB:
        case WGL_SUPPORT_OPENGL_ARB:
        case WGL_DOUBLE_BUFFER_ARB:
        case WGL_STEREO_ARB:
        case WGL_PIXEL_TYPE_ARB:
        case WGL_DRAW_TO_PBUFFER_ARB:
            return Match::kExact;
        case WGL_NUMBER_OVERLAYS_ARB:
        case WGL_NUMBER_UNDERLAYS_ARB:
        case WGL_COLOR_BITS_ARB:
        case WGL_RED_BITS_ARB:
        case WGL_GREEN_BITS_ARB:
        case WGL_BLUE_BITS_ARB:
        case WGL_ALPHA_BITS_ARB:
        case WGL_ACCUM_BITS_ARB:
        case WGL_ACCUM_RED_BITS_ARB:
        case WGL_ACCUM_GREEN_BITS_ARB:
        case WGL_ACCUM_BLUE_BITS_ARB:
        case WGL_ACCUM_ALPHA_BITS_ARB:
        case WGL_DEPTH_BITS_ARB:
        case WGL_STENCIL_BITS_ARB:
        case WGL_AUX_BUFFERS_ARB:
        case WGL_SAMPLE_BUFFERS_ARB:
        case WGL_SAMPLES_ARB:
            return Match::kMinimum;
        case WGL_NUMBER_PIXEL_FORMATS_ARB:
        case WGL_RED_SHIFT_ARB:
        case WGL_GREEN_SHIFT_ARB:
        case WGL_BLUE_SHIFT_ARB:
        case WGL_ALPHA_SHIFT_ARB:
        case WGL_MAX_PBUFFER_PIXELS_ARB:
        case WGL_MAX_PBUFFER_WIDTH_ARB:
        case WGL_MAX_PBUFFER_HEIGHT_ARB:
            return Match::kIgnored;
        default:
            return Match::kUnknown;
    }
}

bool IsBoolean(int attribute) {
    return attribute != WGL_ACCELERATION_ARB && attribute != WGL_SWAP_METHOD_ARB &&
           attribute != WGL_PIXEL_TYPE_ARB;
}

}  // namespace

PixelFormats::PixelFormats(Display* display, int screen) {
    int n = 0;
    GLXFBConfig* configs = glXGetFBConfigs(display, screen, &n);
    formats_.reserve(n > 0 ? static_cast<std::size_t>(n) : 0);
    for (int i = 0; i < n; ++i) {
        PixelFormat f{};
        f.config = configs[i];
        auto get = [&](int attribute) {
            int value = 0;
            if (glXGetFBConfigAttrib(display, configs[i], attribute, &value) != Success) {
                value = 0;
            }
            return value;
        };
        const int visual = get(GLX_VISUAL_ID);
        f.visualId = visual > 0 ? static_cast<unsigned long>(visual) : 0;
        f.drawableTypes = get(GLX_DRAWABLE_TYPE);
        f.renderTypes = get(GLX_RENDER_TYPE);
        f.red = get(GLX_RED_SIZE);
        f.green = get(GLX_GREEN_SIZE);
        f.blue = get(GLX_BLUE_SIZE);
        f.alpha = get(GLX_ALPHA_SIZE);
        f.depth = get(GLX_DEPTH_SIZE);
        f.stencil = get(GLX_STENCIL_SIZE);
        f.accumRed = get(GLX_ACCUM_RED_SIZE);
        f.accumGreen = get(GLX_ACCUM_GREEN_SIZE);
        f.accumBlue = get(GLX_ACCUM_BLUE_SIZE);
        f.accumAlpha = get(GLX_ACCUM_ALPHA_SIZE);
        f.auxBuffers = get(GLX_AUX_BUFFERS);
        f.doubleBuffer = get(GLX_DOUBLEBUFFER) ? 1 : 0;
        f.stereo = get(GLX_STEREO) ? 1 : 0;
        f.sampleBuffers = get(GLX_SAMPLE_BUFFERS);
        f.samples = get(GLX_SAMPLES);
        f.caveat = get(GLX_CONFIG_CAVEAT);
        f.maxPbufferWidth = get(GLX_MAX_PBUFFER_WIDTH);
        f.maxPbufferHeight = get(GLX_MAX_PBUFFER_HEIGHT);
        f.maxPbufferPixels = get(GLX_MAX_PBUFFER_PIXELS);
        f.bufferSize = get(GLX_BUFFER_SIZE);
        if (XVisualInfo* info =
                f.visualId ? glXGetVisualFromFBConfig(display, configs[i]) : nullptr) {
            f.visualDepth = info->depth;
            XFree(info);
        }
        formats_.push_back(f);
    }
    if (configs) {
        XFree(configs);
    }
    // As on Windows, the device's own window formats come first: format 1 is one a context can
    // be made on in any window.
    std::stable_partition(formats_.begin(), formats_.end(), [](const PixelFormat& f) {
        return f.drawsToWindow() && (f.renderTypes & GLX_RGBA_BIT) != 0 && !Slow(f);
    });
}

const PixelFormats* PixelFormats::ForScreen(Display* display, int screen) {
    std::lock_guard<std::recursive_mutex> lock(XConnection::Mutex());
    // The connection is process-wide and never replaced, so a screen number identifies the list.
    static auto* cache = new std::map<int, std::unique_ptr<PixelFormats>>;
    auto it = cache->find(screen);
    if (it == cache->end()) {
        std::unique_ptr<PixelFormats> formats(new PixelFormats(display, screen));
        if (formats->formats_.empty()) {
            return nullptr;
        }
        it = cache->emplace(screen, std::move(formats)).first;
    }
    return it->second.get();
}

const PixelFormat* PixelFormats::format(int number) const {
    if (number < 1 || number > count()) {
        return nullptr;
    }
    return &formats_[static_cast<std::size_t>(number - 1)];
}

void PixelFormats::describe(int number, PIXELFORMATDESCRIPTOR& d) const {
    const PixelFormat& f = *format(number);
    std::memset(&d, 0, sizeof d);
    d.nSize = sizeof d;
    d.nVersion = 1;
    d.dwFlags = PFD_SUPPORT_OPENGL;
    if (f.drawsToWindow()) {
        d.dwFlags |= PFD_DRAW_TO_WINDOW;
    }
    if (f.doubleBuffer) {
        d.dwFlags |= PFD_DOUBLEBUFFER;
    }
    if (f.stereo) {
        d.dwFlags |= PFD_STEREO;
    }
    if (Slow(f)) {
        d.dwFlags |= PFD_GENERIC_FORMAT;
    }
    d.iPixelType = (f.renderTypes & (GLX_RGBA_BIT | GLX_RGBA_FLOAT_BIT_ARB)) ? PFD_TYPE_RGBA
                                                                             : PFD_TYPE_COLORINDEX;
    d.cColorBits = Byte(ColourBits(f));
    d.cRedBits = Byte(f.red);
    d.cRedShift = Byte(Shift(f, 0));
    d.cGreenBits = Byte(f.green);
    d.cGreenShift = Byte(Shift(f, 1));
    d.cBlueBits = Byte(f.blue);
    d.cBlueShift = Byte(Shift(f, 2));
    d.cAlphaBits = Byte(f.alpha);
    d.cAlphaShift = Byte(f.alpha ? Shift(f, 3) : 0);
    d.cAccumBits = Byte(f.accumRed + f.accumGreen + f.accumBlue + f.accumAlpha);
    d.cAccumRedBits = Byte(f.accumRed);
    d.cAccumGreenBits = Byte(f.accumGreen);
    d.cAccumBlueBits = Byte(f.accumBlue);
    d.cAccumAlphaBits = Byte(f.accumAlpha);
    d.cDepthBits = Byte(f.depth);
    d.cStencilBits = Byte(f.stencil);
    d.cAuxBuffers = Byte(f.auxBuffers);
    d.iLayerType = PFD_MAIN_PLANE;
}

int PixelFormats::choose(const PIXELFORMATDESCRIPTOR& d) const {
    const bool wantRgba = d.iPixelType == PFD_TYPE_RGBA;
    // Lexicographic: fast before slow, then what is missing, then what is wasted.
    using Score = std::tuple<int, int, int, int, int, int, int>;
    int best = 0;
    Score bestScore{};
    for (int n = 1; n <= count(); ++n) {
        const PixelFormat& f = formats_[static_cast<std::size_t>(n - 1)];
        if (wantRgba != ((f.renderTypes & GLX_RGBA_BIT) != 0)) {
            continue;
        }
        if ((d.dwFlags & PFD_DRAW_TO_WINDOW) && !f.drawsToWindow()) {
            continue;
        }
        if (!(d.dwFlags & PFD_DOUBLEBUFFER_DONTCARE) &&
            ((d.dwFlags & PFD_DOUBLEBUFFER) != 0) != (f.doubleBuffer != 0)) {
            continue;
        }
        if (!(d.dwFlags & PFD_STEREO_DONTCARE) &&
            ((d.dwFlags & PFD_STEREO) != 0) != (f.stereo != 0)) {
            continue;
        }
        const int colour = ColourBits(f);
        const int accum = f.accumRed + f.accumGreen + f.accumBlue + f.accumAlpha;
        const int wantDepth = (d.dwFlags & PFD_DEPTH_DONTCARE) ? 0 : d.cDepthBits;
        const int missing = Shortfall(colour, d.cColorBits) + Shortfall(f.alpha, d.cAlphaBits) +
                            Shortfall(f.depth, wantDepth) + Shortfall(f.stencil, d.cStencilBits) +
                            Shortfall(accum, d.cAccumBits) + Shortfall(f.auxBuffers, d.cAuxBuffers);
        const int wasted = (colour - std::min<int>(colour, d.cColorBits)) +
                           (f.depth - std::min<int>(f.depth, wantDepth)) +
                           (f.stencil - std::min<int>(f.stencil, d.cStencilBits)) +
                           (accum - std::min<int>(accum, d.cAccumBits)) + f.auxBuffers;
        const Score score{Slow(f) ? 1 : 0,
                          missing,
                          f.samples,
                          wasted,
                          f.alpha < d.cAlphaBits,
                          f.caveat == GLX_NON_CONFORMANT_CONFIG ? 1 : 0,
                          n};
        if (best == 0 || score < bestScore) {
            best = n;
            bestScore = score;
        }
    }
    return best;
}

bool PixelFormats::attribute(int number, int a, int& value) const {
    const PixelFormat* pf = format(number);
    if (a == WGL_NUMBER_PIXEL_FORMATS_ARB) {
        value = count();
        return true;
    }
    if (!pf) {
        return false;
    }
    const PixelFormat& f = *pf;
    switch (a) {
        case WGL_DRAW_TO_WINDOW_ARB:
            value = f.drawsToWindow();
            return true;
        case WGL_DRAW_TO_PBUFFER_ARB:
            value = f.drawsToPbuffer();
            return true;
        case WGL_ACCELERATION_ARB:
            // The configuration's caveat is the driver's statement of speed; a renderer without
            // hardware still runs its caveat-free configurations at its full speed.
            value = Slow(f) ? WGL_GENERIC_ACCELERATION_ARB : WGL_FULL_ACCELERATION_ARB;
            return true;
        case WGL_DRAW_TO_BITMAP_ARB:
        case WGL_NEED_PALETTE_ARB:
        case WGL_NEED_SYSTEM_PALETTE_ARB:
        case WGL_SWAP_LAYER_BUFFERS_ARB:
        case WGL_NUMBER_OVERLAYS_ARB:
        case WGL_NUMBER_UNDERLAYS_ARB:
        case WGL_TRANSPARENT_ARB:
        case WGL_SUPPORT_GDI_ARB:
            value = 0;
            return true;
        case WGL_SWAP_METHOD_ARB:
            value = WGL_SWAP_UNDEFINED_ARB;
            return true;
        case WGL_SUPPORT_OPENGL_ARB:
            value = f.renderTypes != 0;
            return true;
        case WGL_DOUBLE_BUFFER_ARB:
            value = f.doubleBuffer;
            return true;
        case WGL_STEREO_ARB:
            value = f.stereo;
            return true;
        case WGL_PIXEL_TYPE_ARB:
            value = PixelType(f);
            return true;
        case WGL_COLOR_BITS_ARB:
            value = ColourBits(f);
            return true;
        case WGL_RED_BITS_ARB:
            value = f.red;
            return true;
        case WGL_RED_SHIFT_ARB:
            value = Shift(f, 0);
            return true;
        case WGL_GREEN_BITS_ARB:
            value = f.green;
            return true;
        case WGL_GREEN_SHIFT_ARB:
            value = Shift(f, 1);
            return true;
        case WGL_BLUE_BITS_ARB:
            value = f.blue;
            return true;
        case WGL_BLUE_SHIFT_ARB:
            value = Shift(f, 2);
            return true;
        case WGL_ALPHA_BITS_ARB:
            value = f.alpha;
            return true;
        case WGL_ALPHA_SHIFT_ARB:
            value = f.alpha ? Shift(f, 3) : 0;
            return true;
        case WGL_ACCUM_BITS_ARB:
            value = f.accumRed + f.accumGreen + f.accumBlue + f.accumAlpha;
            return true;
        case WGL_ACCUM_RED_BITS_ARB:
            value = f.accumRed;
            return true;
        case WGL_ACCUM_GREEN_BITS_ARB:
            value = f.accumGreen;
            return true;
        case WGL_ACCUM_BLUE_BITS_ARB:
            value = f.accumBlue;
            return true;
        case WGL_ACCUM_ALPHA_BITS_ARB:
            value = f.accumAlpha;
            return true;
        case WGL_DEPTH_BITS_ARB:
            value = f.depth;
            return true;
        case WGL_STENCIL_BITS_ARB:
            value = f.stencil;
            return true;
        case WGL_AUX_BUFFERS_ARB:
            value = f.auxBuffers;
            return true;
        case WGL_MAX_PBUFFER_PIXELS_ARB:
            value = f.maxPbufferPixels;
            return true;
        case WGL_MAX_PBUFFER_WIDTH_ARB:
            value = f.maxPbufferWidth;
            return true;
        case WGL_MAX_PBUFFER_HEIGHT_ARB:
            value = f.maxPbufferHeight;
            return true;
        case WGL_SAMPLE_BUFFERS_ARB:
            value = f.sampleBuffers;
            return true;
        case WGL_SAMPLES_ARB:
            value = f.samples;
            return true;
        default:
            return false;
    }
}

bool PixelFormats::choose(const int* intAttributes, const FLOAT* floatAttributes,
                          std::vector<int>& result, int& badAttribute) const {
    std::vector<std::pair<int, int>> wanted;
    bool wantFloat = false;
    for (const int* p = intAttributes; p && p[0] != 0; p += 2) {
        wanted.emplace_back(p[0], p[1]);
    }
    for (const FLOAT* p = floatAttributes; p && p[0] != 0.0f; p += 2) {
        // Converting a float outside the integer range is undefined: an attribute must be
        // named by an integral value, and a NaN value matches nothing; other values are taken
        // toward zero and held to the integer range.
        if (!(std::trunc(p[0]) == p[0] && std::fabs(p[0]) < 2147483648.0f)) {
            badAttribute = 0;
            return false;
        }
        if (std::isnan(p[1])) {
            badAttribute = static_cast<int>(p[0]);
            return false;
        }
        const double value = std::clamp<double>(p[1], INT_MIN, INT_MAX);
        wanted.emplace_back(static_cast<int>(p[0]), static_cast<int>(value));
    }
    // The float-colour request arrives as its pixel-type value used as an attribute.
    std::vector<std::pair<int, int>> checks;
    for (const auto& w : wanted) {
        if (w.first == WGL_TYPE_RGBA_FLOAT_ARB) {
            wantFloat = wantFloat || w.second != 0;
            continue;
        }
        const Match match = MatchOf(w.first);
        if (match == Match::kUnknown) {
            badAttribute = w.first;
            return false;
        }
        if (match != Match::kIgnored) {
            checks.push_back(w);
        }
    }
    // Excess in 64 bits: a wanted minimum may be any integer, down to INT_MIN.
    using Key = std::tuple<int, long long, int, int>;
    std::vector<std::pair<Key, int>> found;
    for (int n = 1; n <= count(); ++n) {
        const PixelFormat& f = formats_[static_cast<std::size_t>(n - 1)];
        if (wantFloat && PixelType(f) != WGL_TYPE_RGBA_FLOAT_ARB) {
            continue;
        }
        bool ok = true;
        long long excess = 0;
        for (const auto& c : checks) {
            int have = 0;
            attribute(n, c.first, have);
            int want = c.second;
            if (c.first == WGL_PIXEL_TYPE_ARB && wantFloat && want == WGL_TYPE_RGBA_ARB) {
                want = WGL_TYPE_RGBA_FLOAT_ARB;  // floating-point RGBA is what was asked for
            }
            if (MatchOf(c.first) == Match::kExact) {
                ok = IsBoolean(c.first) ? (have != 0) == (want != 0) : have == want;
            } else {
                ok = have >= want;
                excess += static_cast<long long>(have) - want;
            }
            if (!ok) {
                break;
            }
        }
        if (ok) {
            found.emplace_back(Key{Slow(f) ? 1 : 0, excess, f.samples, n}, n);
        }
    }
    std::sort(found.begin(), found.end());
    result.clear();
    for (const auto& entry : found) {
        result.push_back(entry.second);
    }
    return true;
}

}  // namespace Platform
}  // namespace VEK
