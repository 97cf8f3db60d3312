#pragma once

#include "vek/Export.h"
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

extern VEK_EXPORT PFN_wcgmCreateContextAttribsARB _wcgmCreateContextAttribsARB;
extern VEK_EXPORT PFN_wcgmGetExtensionsStringARB _wcgmGetExtensionsStringARB;
extern VEK_EXPORT PFN_wcgmCreatePbufferARB _wcgmCreatePbufferARB;
extern VEK_EXPORT PFN_wcgmDestroyPbufferARB _wcgmDestroyPbufferARB;
extern VEK_EXPORT PFN_wcgmGetPbufferDCARB _wcgmGetPbufferDCARB;
extern VEK_EXPORT PFN_wcgmQueryPbufferARB _wcgmQueryPbufferARB;
extern VEK_EXPORT PFN_wcgmReleasePbufferDCARB _wcgmReleasePbufferDCARB;
extern VEK_EXPORT PFN_wcgmChoosePixelFormatARB _wcgmChoosePixelFormatARB;
extern VEK_EXPORT PFN_wcgmGetPixelFormatAttribfvARB _wcgmGetPixelFormatAttribfvARB;
extern VEK_EXPORT PFN_wcgmGetPixelFormatAttribivARB _wcgmGetPixelFormatAttribivARB;
extern VEK_EXPORT PFN_wcgmBindTexImageARB _wcgmBindTexImageARB;
extern VEK_EXPORT PFN_wcgmReleaseTexImageARB _wcgmReleaseTexImageARB;
extern VEK_EXPORT PFN_wcgmSetPbufferAttribARB _wcgmSetPbufferAttribARB;
extern VEK_EXPORT PFN_wcgmGetSwapIntervalEXT _wcgmGetSwapIntervalEXT;
extern VEK_EXPORT PFN_wcgmSwapIntervalEXT _wcgmSwapIntervalEXT;

}  // namespace OGL
}  // namespace VEK
