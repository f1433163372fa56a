# The CMake package of an installed tree (find_package(Quarro) with Quarro::host and
# Quarro::import), and what a desktop needs to show the application in its menus and open
# native documents with it: a desktop entry, icons and the documents' MIME types.
include(CMakePackageConfigHelpers)

install(EXPORT QuarroTargets NAMESPACE Quarro:: DESTINATION ${QUARRO_INSTALL_CMAKEDIR})
configure_package_config_file(cmake/QuarroConfig.cmake.in
    ${PROJECT_BINARY_DIR}/QuarroConfig.cmake
    INSTALL_DESTINATION ${QUARRO_INSTALL_CMAKEDIR}
    PATH_VARS QUARRO_INSTALL_INCLUDEDIR QUARRO_INSTALL_PLUGINDIR CMAKE_INSTALL_BINDIR)
# 0.x releases change their interface between minor versions.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuarroConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuarroConfig.cmake ${PROJECT_BINARY_DIR}/QuarroConfigVersion.cmake
    DESTINATION ${QUARRO_INSTALL_CMAKEDIR})

set(quarro_desktop_dir ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${quarro_desktop_dir}/quarro.desktop
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${quarro_desktop_dir}/quarro-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages RENAME quarro.xml)
install(FILES ${quarro_desktop_dir}/quarro.svg
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
    install(FILES ${quarro_desktop_dir}/quarro-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
        RENAME quarro.png)
endforeach()
