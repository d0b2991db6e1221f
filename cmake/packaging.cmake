# A Debian package of the Linux program: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalkora)
set(CPACK_PACKAGE_VENDOR "Kalkora")
set(CPACK_PACKAGE_CONTACT "Kalkora developers <kalkora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Arithmetic worksheets for primary-school pupils")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Makes arithmetic worksheets for primary-school pupils\n Tick one of ten exercise kinds, pick 18, 24 or 30 problems, type a number\n range and click one button: a new worksheet opens in LibreOffice Writer,\n ready to print.")
# The UNO runtime libraries come with the office; Qt and the C++ runtime are found by shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS /usr/lib/libreoffice/program)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libreoffice-writer | libreoffice-writer-nogui, qt6-qpa-plugins, fonts-wqy-zenhei | fonts-wqy-microhei")
set(CPACK_STRIP_FILES ON)
include(CPack)
