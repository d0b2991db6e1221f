# A Debian package of the Linux program: cpack -G DEB in the build folder. The files it
# carries beside the program (copyright, changelog, manual pages, lintian override, AppStream
# metadata) are installed by packaging/.
add_subdirectory(packaging)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalkora)
set(CPACK_PACKAGE_VENDOR "Kalkora")
set(CPACK_PACKAGE_CONTACT "Kalkora developers <kalkora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Arithmetic worksheets for primary-school pupils")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The long description under the summary line; CPack indents each line by one space.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tick one of ten exercise kinds, pick 18, 24 or 30 problems, type a number\nrange and click one button: a new worksheet opens in LibreOffice Writer,\nready to print.")
# The UNO runtime libraries come with the office; Qt and the C++ runtime are found by shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS /usr/lib/libreoffice/program)
# The windowed Writer: the sheet opens in a window the user sees. The headless office
# (libreoffice-writer-nogui) would make every sheet out of sight, so it does not satisfy this.
# A desktop plug-in lets the office draw its window with the desktop's toolkit.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libreoffice-writer, qt6-qpa-plugins, fonts-wqy-zenhei | fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-gtk3")
set(CPACK_STRIP_FILES ON)
include(CPack)
