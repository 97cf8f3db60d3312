# Cross-compiles vek.dll for 64-bit Windows with Debian's mingw-w64 (the posix thread variant:
# the win32 one has no std::thread or std::mutex). Programs run under Wine through CTest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VEK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VEK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VEK_MINGW_TRIPLE}-windres)

# The prefixes given in CMAKE_PREFIX_PATH (the dependencies scripts/common.sh builds from Debian's
# sources) are roots too: a root-only search would look for them under the first.
set(CMAKE_FIND_ROOT_PATH /usr/${VEK_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime (libstdc++, libgcc, winpthreads) goes into every DLL and program, so
# that they run without the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")

# Debian's wine64 package installs its loader outside the search path.
find_program(VEK_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
# Wine's own diagnostics (fixme: lines) stay out of the tests' output. Wine loads its own
# OpenCL.dll for that name even from a full path unless told to take the file first: the tests'
# scripted loader is an OpenCL.dll of its own (the system's copy is Wine's placeholder, which
# still leads to the built-in one).
if(VEK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all WINEDLLOVERRIDES=opencl=n,b ${VEK_WINE})
endif()
