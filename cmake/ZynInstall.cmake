include(CMakePackageConfigHelpers)

install(TARGETS zynvandril EXPORT zynvandrilTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(dir support platform geobasics geodb geomap geoatlas package)
  if(EXISTS ${PROJECT_SOURCE_DIR}/${dir})
    install(DIRECTORY ${dir} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zynvandril
            FILES_MATCHING PATTERN "*.h")
  endif()
endforeach()

# The static components are linked whole into the shared library; consumers
# of the installed package see only the shared library.
install(EXPORT zynvandrilTargets NAMESPACE zynvandril::
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/zynvandril)
configure_package_config_file(cmake/zynvandrilConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/zynvandrilConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/zynvandril)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/zynvandrilConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zynvandrilConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/zynvandrilConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/zynvandril)
configure_file(cmake/zynvandril.pc.in ${CMAKE_CURRENT_BINARY_DIR}/zynvandril.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zynvandril.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
