# Windows (mingw-w64) dependencies. Debian has no mingw packages of Boost or of the Khronos
# OpenCL headers, but both are headers only: the host's copies are reached through a folder
# that holds nothing else, so that no other Linux header can leak into the Windows build. The
# package installs the OpenCL headers, and the Boost headers its public headers include, beside
# its own (cmake/VekInstall.cmake).
set(VEK_HOST_HEADERS ${PROJECT_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${VEK_HOST_HEADERS})
foreach(folder boost CL)
    if(NOT EXISTS /usr/include/${folder})
        message(FATAL_ERROR "/usr/include/${folder} is missing: install libboost-dev and "
                            "opencl-c-headers")
    endif()
    file(CREATE_LINK /usr/include/${folder} ${VEK_HOST_HEADERS}/${folder} SYMBOLIC)
endforeach()
add_library(vek_host_headers INTERFACE)
target_include_directories(vek_host_headers SYSTEM INTERFACE ${VEK_HOST_HEADERS})

# opengl32 and glu32 come with mingw-w64 (and with Wine at run time).
find_package(OpenGL REQUIRED COMPONENTS OpenGL)

# M_PI and its kin, which mingw-w64's <cmath> keeps behind this macro in standard C++ mode.
add_compile_definitions(_USE_MATH_DEFINES)

# vek.dll and the programs in one folder, where Windows looks for a program's DLLs.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

set(VEK_HEADER_LIBRARIES $<BUILD_INTERFACE:vek_host_headers>)
set(VEK_PLATFORM_LIBRARIES dxgi gdi32 user32)

# zlib (under libpng) linked statically like the compiler's runtime, so that no zlib1.dll has to
# be found beside the programs.
find_library(ZLIB_LIBRARY NAMES libz.a)
