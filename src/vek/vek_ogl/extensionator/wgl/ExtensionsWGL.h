#pragma once

#include "vek/platform/WGL.h"

namespace VEK {
namespace OGL {

// The WGL extension entry points, process-wide, filled by the extension manager's WGL loaders
// with the last initialised context's lookups (null where a lookup failed). Called directly.
typedef HGLRC (*PFN_wcgmCreateContextAttribsARB)(HDC, HGLRC share, int const* attributes);
typedef char const* (*PFN_wcgmGetExtensionsStringARB)(HDC);
typedef HPBUFFERARB (*PFN_wcgmCreatePbufferARB)(HDC, int pixelFormat, int width, int height,
                                                int const* attributes);
typedef int (*PFN_wcgmDestroyPbufferARB)(HPBUFFERARB);
typedef HDC (*PFN_wcgmGetPbufferDCARB)(HPBUFFERARB);
typedef int (*PFN_wcgmQueryPbufferARB)(HPBUFFERARB, int attribute, int* value);
typedef int (*PFN_wcgmReleasePbufferDCARB)(HPBUFFERARB, HDC);
typedef int (*PFN_wcgmChoosePixelFormatARB)(HDC, int const* intAttributes,
                                            float const* floatAttributes, unsigned maxFormats,
                                            int* formats, unsigned* count);
typedef int (*PFN_wcgmGetPixelFormatAttribfvARB)(HDC, int pixelFormat, int layer, unsigned count,
                                                 int const* attributes, float* values);
typedef int (*PFN_wcgmGetPixelFormatAttribivARB)(HDC, int pixelFormat, int layer, unsigned count,
                                                 int const* attributes, int* values);
typedef int (*PFN_wcgmBindTexImageARB)(HPBUFFERARB, int buffer);
typedef int (*PFN_wcgmReleaseTexImageARB)(HPBUFFERARB, int buffer);
typedef int (*PFN_wcgmSetPbufferAttribARB)(HPBUFFERARB, int const* attributes);
typedef int (*PFN_wcgmGetSwapIntervalEXT)();
typedef int (*PFN_wcgmSwapIntervalEXT)(int interval);

extern PFN_wcgmCreateContextAttribsARB _wcgmCreateContextAttribsARB;
extern PFN_wcgmGetExtensionsStringARB _wcgmGetExtensionsStringARB;
extern PFN_wcgmCreatePbufferARB _wcgmCreatePbufferARB;
extern PFN_wcgmDestroyPbufferARB _wcgmDestroyPbufferARB;
extern PFN_wcgmGetPbufferDCARB _wcgmGetPbufferDCARB;
extern PFN_wcgmQueryPbufferARB _wcgmQueryPbufferARB;
extern PFN_wcgmReleasePbufferDCARB _wcgmReleasePbufferDCARB;
extern PFN_wcgmChoosePixelFormatARB _wcgmChoosePixelFormatARB;
extern PFN_wcgmGetPixelFormatAttribfvARB _wcgmGetPixelFormatAttribfvARB;
extern PFN_wcgmGetPixelFormatAttribivARB _wcgmGetPixelFormatAttribivARB;
extern PFN_wcgmBindTexImageARB _wcgmBindTexImageARB;
extern PFN_wcgmReleaseTexImageARB _wcgmReleaseTexImageARB;
extern PFN_wcgmSetPbufferAttribARB _wcgmSetPbufferAttribARB;
extern PFN_wcgmGetSwapIntervalEXT _wcgmGetSwapIntervalEXT;
extern PFN_wcgmSwapIntervalEXT _wcgmSwapIntervalEXT;

}  // namespace OGL
}  // namespace VEK
