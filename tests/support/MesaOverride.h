#pragma once

#include <cstdlib>

namespace VEKTest {

// Sets (or, with a null value, clears) one of Mesa's overrides (MESA_GL_VERSION_OVERRIDE,
// MESA_EXTENSION_OVERRIDE), read from the environment when a context is made. False where it
// cannot be set: under Wine a Windows program's environment is not the one Mesa reads.
inline bool SetMesaOverride(const char* name, const char* value) {
#if defined(_WIN32)
    (void)name;
    (void)value;
    return false;
#else
    return value ? setenv(name, value, 1) == 0 : unsetenv(name) == 0;
#endif
}

}  // namespace VEKTest
