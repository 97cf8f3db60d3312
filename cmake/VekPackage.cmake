# `cpack -G DEB` in the build folder: one Debian package with the runtime library, the public
# headers with the CMake package and the pkg-config file, and vekinfo, installed under /usr.
set(CPACK_PACKAGE_NAME vek)
set(CPACK_PACKAGE_VENDOR "VEK")
set(CPACK_PACKAGE_CONTACT "VEK maintainers <maintainers@users.noreply.c-seed-ff3646b8.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "GPU foundation library: OpenGL and OpenCL layers over a common core")
set(CPACK_PACKAGE_DESCRIPTION
    "The shared library, its C++17 headers with the CMake package (find_package(vek), vek::vek)
and the pkg-config file (vek), and vekinfo, which prints what the library sees on a machine.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
# The runtime dependencies are read from the library's and vekinfo's needs by dpkg-shlibdeps
# (dpkg-dev); what a consumer builds against is named here: the headers include Boost's, and
# the CMake package and the pkg-config file ask for OpenGL, GLU, X11 and RandR.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libboost-dev, libgl-dev, libglu1-mesa-dev, libx11-dev, libxrandr-dev")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pkg-config, libgl1-mesa-dri, ocl-icd-libopencl1")
include(CPack)
