# `cpack -G DEB` in the build folder makes quarro_<version>_<arch>.deb: the applications, the
# libraries, the reader plugins, the headers with the CMake package, and the desktop files, under
# /usr. dpkg-shlibdeps (dpkg-dev) works out the dependencies from the binaries, so that
# `apt install ./quarro_*.deb` brings in the Qt and other libraries the binaries link.
set(CPACK_PACKAGE_NAME quarro)
set(CPACK_PACKAGE_VENDOR "Quarro developers")
set(CPACK_PACKAGE_CONTACT "Quarro developers <quarro@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Geological modelling application with its import library")
set(CPACK_PACKAGE_DESCRIPTION
    "Quarro imports well logs (LAS), corner-point grids (GRDECL), surfaces, images and drawings
(DXF) into geological models through reader plugins, with a modal import wizard, progress and
cancel, and saves its own documents (.qro). The package holds the application, the headless
import command quarro-import, the reader plugins, and the headers and CMake package for writing
reader plugins outside the project.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The package's own libraries are found by dpkg-shlibdeps in the package itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_INSTALL_LIBDIR})
# Loaded at run time rather than linked: Qt's TIFF and other image readers for placed images.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt5-image-formats-plugins")
# To build reader plugins against the installed headers.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qtbase5-dev, libboost-dev, cmake, g++")

include(CPack)
