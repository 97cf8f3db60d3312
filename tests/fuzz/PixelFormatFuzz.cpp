// wglChoosePixelFormatARB's reading of integer and float attribute lists on the real screen's
// formats, against the matching rules of WGL_ARB_pixel_format: every format returned meets every
// attribute (exact ones equal, booleans by truth, minimum ones at least), none is returned twice,
// every format that meets them all is returned when there is room, and a list with an attribute
// the platform does not know fails with ERROR_INVALID_PARAMETER. Needs an X display.
#include <vek/platform/System.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <set>
#include <vector>

#include "FuzzInput.h"
#include "support/HiddenWindow.h"

namespace {

enum class Match { kExact, kBoolean, kMinimum, kIgnored, kFloatColour, kUnknown };

Match MatchOf(int attribute) {
    switch (attribute) {
        case WGL_ACCELERATION_ARB:
        case WGL_SWAP_METHOD_ARB:
        case WGL_PIXEL_TYPE_ARB:
            return Match::kExact;
        case WGL_DRAW_TO_WINDOW_ARB:
        case WGL_DRAW_TO_BITMAP_ARB:
        case WGL_NEED_PALETTE_ARB:
        case WGL_NEED_SYSTEM_PALETTE_ARB:
        case WGL_SWAP_LAYER_BUFFERS_ARB:
        case WGL_TRANSPARENT_ARB:
        case WGL_SUPPORT_GDI_ARB:
        case WGL_SUPPORT_OPENGL_ARB:
        case WGL_DOUBLE_BUFFER_ARB:
        case WGL_STEREO_ARB:
        case WGL_DRAW_TO_PBUFFER_ARB:
            return Match::kBoolean;
        case WGL_NUMBER_PIXEL_FORMATS_ARB:
        case WGL_RED_SHIFT_ARB:
        case WGL_GREEN_SHIFT_ARB:
        case WGL_BLUE_SHIFT_ARB:
        case WGL_ALPHA_SHIFT_ARB:
        case WGL_MAX_PBUFFER_PIXELS_ARB:
        case WGL_MAX_PBUFFER_WIDTH_ARB:
        case WGL_MAX_PBUFFER_HEIGHT_ARB:
            return Match::kIgnored;
        case WGL_TYPE_RGBA_FLOAT_ARB:
            return Match::kFloatColour;
        default:
            if (attribute >= WGL_NUMBER_OVERLAYS_ARB && attribute <= WGL_SAMPLES_ARB) {
                const bool minimum =
                    attribute == WGL_NUMBER_OVERLAYS_ARB || attribute == WGL_NUMBER_UNDERLAYS_ARB ||
                    (attribute >= WGL_COLOR_BITS_ARB && attribute <= WGL_AUX_BUFFERS_ARB) ||
                    attribute == WGL_SAMPLE_BUFFERS_ARB || attribute == WGL_SAMPLES_ARB;
                return minimum ? Match::kMinimum : Match::kUnknown;
            }
            return Match::kUnknown;
    }
}

int Attribute(VEKFuzz::Input& in) {
    const std::uint8_t kind = in.byte();
    if (kind < 200) {
        return WGL_NUMBER_PIXEL_FORMATS_ARB + kind % 0x43;  // the known range and its gaps
    }
    if (kind < 230) {
        return WGL_TYPE_RGBA_FLOAT_ARB;
    }
    return in.i32();
}

int Value(VEKFuzz::Input& in) {
    const std::uint8_t kind = in.byte();
    if (kind < 160) {
        return kind % 34;  // bit counts and truth values
    }
    if (kind < 220) {
        return WGL_NO_ACCELERATION_ARB + kind % 8;  // the enumerated values
    }
    return in.i32();
}

VEKTest::HiddenWindow* gWindow = nullptr;
int gFormats = 0;

int Query(int format, int attribute) {
    int value = 0;
    VEK_FUZZ_CHECK(wglGetPixelFormatAttribivARB(gWindow->dc(), format, 0, 1, &attribute, &value),
                   "a known attribute has no value");
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    gWindow = new VEKTest::HiddenWindow(16, 16);
    int attribute = WGL_NUMBER_PIXEL_FORMATS_ARB;
    if (gWindow->dc() == nullptr ||
        !wglGetPixelFormatAttribivARB(gWindow->dc(), 1, 0, 1, &attribute, &gFormats) ||
        gFormats < 1) {
        std::fprintf(stderr, "no X display with pixel formats\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VEKFuzz::Input in(data, size);
    // (attribute, value) pairs as the platform must read them: integer pairs up to the first
    // zero attribute, then float pairs up to the first zero.
    std::vector<int> ints;
    std::vector<FLOAT> floats;
    std::vector<std::pair<int, long long>> wanted;
    bool invalid = false;
    const unsigned intPairs = in.byte() % 12, floatPairs = in.byte() % 4;
    for (unsigned i = 0; i < intPairs; ++i) {
        ints.push_back(Attribute(in));
        ints.push_back(Value(in));
    }
    ints.push_back(0);
    for (std::size_t i = 0; ints[i] != 0; i += 2) {
        wanted.emplace_back(ints[i], ints[i + 1]);
    }
    for (unsigned i = 0; i < floatPairs; ++i) {
        const bool raw = in.byte() & 1;
        floats.push_back(raw ? in.f32() : static_cast<FLOAT>(Attribute(in)));
        floats.push_back(raw ? in.f32() : static_cast<FLOAT>(Value(in)));
    }
    floats.push_back(0.0f);
    for (std::size_t i = 0; floats[i] != 0.0f; i += 2) {
        // A float attribute must name one by an integral value; a NaN value matches nothing
        // and is refused; others are taken toward zero, held to the integer range.
        const FLOAT name = floats[i], value = floats[i + 1];
        if (!(std::trunc(name) == name && std::fabs(name) < 2147483648.0f) || std::isnan(value)) {
            invalid = true;
            continue;
        }
        const double clamped = std::max<double>(INT_MIN, std::min<double>(INT_MAX, value));
        wanted.emplace_back(static_cast<int>(name), static_cast<long long>(clamped));
    }
    bool wantFloat = false;
    for (const auto& w : wanted) {
        const Match match = MatchOf(w.first);
        invalid = invalid || match == Match::kUnknown;
        wantFloat = wantFloat || (match == Match::kFloatColour && w.second != 0);
    }

    const UINT room = in.byte() % 2 ? static_cast<UINT>(gFormats) : in.byte() % 4;
    std::vector<int> formats(room + 1, -1);
    UINT count = 12345;
    SetLastError(0);
    const BOOL ok = wglChoosePixelFormatARB(gWindow->dc(), ints.data(), floats.data(), room,
                                            formats.data(), &count);
    if (invalid) {
        VEK_FUZZ_CHECK(!ok && GetLastError() == ERROR_INVALID_PARAMETER,
                       "a list with an unknown attribute was accepted");
        return 0;
    }
    VEK_FUZZ_CHECK(ok, "a valid list failed");
    VEK_FUZZ_CHECK(count <= room && formats[room] == -1, "more formats than room");

    std::vector<int> meeting;
    for (int n = 1; n <= gFormats; ++n) {
        bool meets = !wantFloat || Query(n, WGL_PIXEL_TYPE_ARB) == WGL_TYPE_RGBA_FLOAT_ARB;
        for (const auto& w : wanted) {
            if (!meets)
                break;
            const Match match = MatchOf(w.first);
            if (match == Match::kIgnored || match == Match::kFloatColour)
                continue;
            const long long have = Query(n, w.first);
            long long want = w.second;
            if (w.first == WGL_PIXEL_TYPE_ARB && wantFloat && want == WGL_TYPE_RGBA_ARB) {
                want = WGL_TYPE_RGBA_FLOAT_ARB;
            }
            meets = match == Match::kExact     ? have == want
                    : match == Match::kBoolean ? (have != 0) == (want != 0)
                                               : have >= want;
        }
        if (meets)
            meeting.push_back(n);
    }
    const std::set<int> returned(formats.begin(), formats.begin() + count);
    VEK_FUZZ_CHECK(returned.size() == count, "a format was returned twice");
    for (int n : returned) {
        VEK_FUZZ_CHECK(std::find(meeting.begin(), meeting.end(), n) != meeting.end(),
                       "format " + std::to_string(n) + " does not meet the list");
    }
    VEK_FUZZ_CHECK(count == std::min<std::size_t>(room, meeting.size()),
                   std::to_string(count) + " formats returned of " +
                       std::to_string(meeting.size()) + " that meet the list");
    return 0;
}
