#pragma once

#if defined(_WIN32)
#include <windows.h>
#endif

namespace VEKTest {

// Whether the program runs under Wine, whose ntdll has wine_get_version: for what Wine's own
// libraries do differently from Windows'.
inline bool UnderWine() {
#if defined(_WIN32)
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

}  // namespace VEKTest
