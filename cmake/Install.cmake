# Installation layout and the Debian package.
#
#   lib/kestro/kestro, lib/kestro/kestro.chm   the program and, beside it, its help file
#   lib/kestro/kestro-help-reader              and the program that reads the help file
#   lib/kestro/kestro-print.so                 and the print module, opened at the first print
#   bin/kestro                                 a relative link to ../lib/kestro/kestro
#   share/applications/<id>.desktop            the menu entry
#   share/metainfo/<id>.metainfo.xml           the AppStream description
#   share/icons/hicolor/scalable/apps/<id>.svg the icon
#   share/man/man1/kestro.1                    the manual page
#
# The program looks for its help file and the help reader beside its own (link-resolved) file, so
# all three stay together in a private folder and bin/ only holds a link.

include(GNUInstallDirs)

# The date of the release named by the project VERSION; change both together.
set(KESTRO_RELEASE_DATE "2026-12-09")
set(KESTRO_PACKAGE_MAINTAINER "Kestro developers <kestro@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(KESTRO_INSTALL_PROGRAM_DIR lib/kestro)
set(KESTRO_INSTALL_BIN_DIR bin)

set(dist_dir ${PROJECT_SOURCE_DIR}/dist)
set(dist_build_dir ${PROJECT_BINARY_DIR}/dist)

configure_file(${dist_dir}/kestro.desktop.in ${dist_build_dir}/${KESTRO_APP_ID}.desktop @ONLY)
configure_file(${dist_dir}/kestro.metainfo.xml.in ${dist_build_dir}/${KESTRO_APP_ID}.metainfo.xml @ONLY)
configure_file(${dist_dir}/kestro.1.in ${dist_build_dir}/kestro.1 @ONLY)

# bin/kestro: made here as a relative link and installed as it is.
file(RELATIVE_PATH program_from_bin
     /prefix/${KESTRO_INSTALL_BIN_DIR} /prefix/${KESTRO_INSTALL_PROGRAM_DIR}/kestro)
file(MAKE_DIRECTORY ${dist_build_dir}/bin)
file(CREATE_LINK ${program_from_bin} ${dist_build_dir}/bin/kestro SYMBOLIC)

install(TARGETS kestro kestro-help-reader RUNTIME DESTINATION ${KESTRO_INSTALL_PROGRAM_DIR})
install(TARGETS kestro-print LIBRARY DESTINATION ${KESTRO_INSTALL_PROGRAM_DIR})
install(FILES ${KESTRO_HELP_FILE} DESTINATION ${KESTRO_INSTALL_PROGRAM_DIR})
install(FILES ${dist_build_dir}/bin/kestro DESTINATION ${KESTRO_INSTALL_BIN_DIR})
install(FILES ${dist_build_dir}/${KESTRO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${dist_build_dir}/${KESTRO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${dist_dir}/kestro.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps
        RENAME ${KESTRO_APP_ID}.svg)
install(FILES ${dist_build_dir}/kestro.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME kestro)
set(CPACK_PACKAGE_VENDOR "Kestro developers")
set(CPACK_PACKAGE_CONTACT "${KESTRO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the platoon rotation of the Dunmarek shift calendar")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Kestro edits Dunmarek.ini, the settings file of the shift calendar Dunmarek"
    "used by fire and police departments: the number of platoons, the days in the"
    "rotation, the rotation itself as a string of platoon letters, the date it"
    "starts on, and the colors each platoon is shown in. A month preview shows the"
    "schedule day by day while you edit.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES OFF)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KESTRO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The run-time libraries' packages (Qt 6, chmlib) come from dpkg-shlibdeps (dpkg-dev); without
# it, the Debian 12 names are listed by hand. libjpeg and libical are opened by the program when
# it first needs them, so dpkg-shlibdeps does not see them: their packages are named here, as is
# Qt's SVG plugin, which draws the window icon when the icon theme has none.
find_program(KESTRO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KESTRO_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libjpeg62-turbo, libical3, libqt6svg6")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libc6, libstdc++6, libgcc-s1, libqt6core6, libqt6gui6, libqt6widgets6, libqt6printsupport6, libjpeg62-turbo, libchm1, libical3, libqt6svg6")
endif()
# A source package must not take along the build folders or the repository.
set(CPACK_SOURCE_IGNORE_FILES "/[.]git/" "/build/")
include(CPack)
