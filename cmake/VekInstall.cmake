include(CMakePackageConfigHelpers)

install(TARGETS vek EXPORT vekTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/vek DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.h")
install(DIRECTORY ${PROJECT_BINARY_DIR}/generated/vek DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.h" PATTERN "*.inc" PATTERN "*.def")
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
