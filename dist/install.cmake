# Installation as a program of the Linux desktop, and its Debian package.
#
#   cmake --install BUILD [--prefix /usr/local]   installs the two programs, the desktop
#                                                 entry, icon, file types, AppStream data,
#                                                 manual page and documents
#   cd BUILD && cpack -G DEB                      builds remanex_<version>_<arch>.deb; configure
#                                                 BUILD with -DCMAKE_INSTALL_PREFIX=/usr for it
#
# The fonts are Debian's (fonts-liberation2): nothing is bundled.

set(REMANEX_APP_ID "io.github.remanex.remanex")  # AppStream component id
set(REMANEX_RELEASE_DATE "2026-12-07")           # date of the release named by project()

install(TARGETS remanex remanex-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS remanex-plotwriter RUNTIME DESTINATION ${CMAKE_INSTALL_LIBDIR}/remanex)
install(FILES ${PROJECT_SOURCE_DIR}/dist/remanex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/remanex.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/dist/remanex-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME remanex.xml)

configure_file(${PROJECT_SOURCE_DIR}/dist/remanex.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/dist/${REMANEX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/dist/${REMANEX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages are installed compressed, as Debian keeps them.
find_program(GZIP_PROGRAM gzip REQUIRED)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/dist/remanex-cli.1.gz
                   COMMAND ${GZIP_PROGRAM} -9nc ${PROJECT_SOURCE_DIR}/dist/remanex-cli.1 > ${PROJECT_BINARY_DIR}/dist/remanex-cli.1.gz
                   DEPENDS ${PROJECT_SOURCE_DIR}/dist/remanex-cli.1 VERBATIM)
add_custom_target(remanex_manpage ALL DEPENDS ${PROJECT_BINARY_DIR}/dist/remanex-cli.1.gz)
install(FILES ${PROJECT_BINARY_DIR}/dist/remanex-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/dist/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package: the programs and the files above under /usr, depending on the
# Debian runtime packages only (the shared libraries the programs link, found by
# dpkg-shlibdeps, among them Qt 6 base and svg, the Qt platform plugins and the
# Liberation fonts).
set(CPACK_PACKAGE_NAME "remanex")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Remanex developers")
set(CPACK_PACKAGE_CONTACT "The Remanex developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analysis of palaeomagnetic demagnetisation data")
set(CPACK_PACKAGE_DESCRIPTION
    "Remanex converts laboratory demagnetisation files into sample files, lists samples and
steps, draws Zijderveld diagrams and stereographic and equal-area nets, fits
characteristic directions by principal component analysis and computes Fisher
statistics, virtual geomagnetic poles and palaeolatitudes. remanex-cli runs the
same commands without windows.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
# The package installs where the build was configured to (the About window names the
# document folder).
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
include(CPack)
