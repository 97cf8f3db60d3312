include(CMakePackageConfigHelpers)

install(TARGETS vek EXPORT vekTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# The public headers are installed by src/vek/CMakeLists.txt, from its explicit list.
# Installed programs find the library beside them, wherever the prefix is: $ORIGIN/../lib.
file(RELATIVE_PATH VEK_BIN_TO_LIB "/r/${CMAKE_INSTALL_BINDIR}" "/r/${CMAKE_INSTALL_LIBDIR}")
set_target_properties(vekinfo PROPERTIES INSTALL_RPATH "$ORIGIN/${VEK_BIN_TO_LIB}")
install(TARGETS vekinfo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(VEK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/vek)
install(EXPORT vekTargets NAMESPACE vek:: DESTINATION ${VEK_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/vekConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/vekConfig.cmake
                              INSTALL_DESTINATION ${VEK_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/vekConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/vekConfig.cmake ${PROJECT_BINARY_DIR}/vekConfigVersion.cmake
        DESTINATION ${VEK_CMAKE_DIR})

# Relocatable: the prefix is found from where the .pc file lies.
file(RELATIVE_PATH VEK_PC_UP "/r/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/r")
configure_file(${PROJECT_SOURCE_DIR}/cmake/vek.pc.in ${PROJECT_BINARY_DIR}/vek.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vek.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# Windows: the headers that the public headers include and mingw-w64 lacks come with the package,
# so that a consumer needs only the compiler: the Khronos OpenCL headers, and the Boost headers
# that <boost/shared_ptr.hpp> pulls in, as the compiler lists them (-M: -MM leaves out one that
# Boost reaches through a folder the compiler takes for a system one).
if(WIN32)
    install(DIRECTORY ${VEK_HOST_HEADERS}/CL/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/CL)
    set(probe ${PROJECT_BINARY_DIR}/boost-headers-probe.cpp)
    file(WRITE ${probe} "#include <boost/shared_ptr.hpp>\n")
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -std=c++17 -M -I${VEK_HOST_HEADERS} ${probe}
                    OUTPUT_VARIABLE boost_dependencies COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "${VEK_HOST_HEADERS}/boost/[^ \t\r\n\\\\]+" boost_headers
           "${boost_dependencies}")
    list(REMOVE_DUPLICATES boost_headers)
    foreach(header ${boost_headers})
        file(RELATIVE_PATH relative ${VEK_HOST_HEADERS} ${header})
        get_filename_component(folder ${relative} DIRECTORY)
        install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${folder})
    endforeach()
endif()
