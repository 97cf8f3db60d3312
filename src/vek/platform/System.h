#pragma once

// The Win32, GDI and WGL names the library is written against, and the platform layer's own
// questions about them (VEK::Platform::CurrentContext and the context hooks). On Windows they
// are the system's; elsewhere the platform layer's stand-in serves them over X11 and GLX. This is
// the one place that picks the back end.
#if defined(_WIN32)
#include "vek/platform/win32/System.h"
#else
#include "vek/platform/WGL.h"
#include "vek/platform/Windows.h"
#endif
