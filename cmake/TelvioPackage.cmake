# The Debian package: `cpack -G DEB` in the build directory makes
# telvio_<version>_<arch>.deb with the three programs, the desktop entry,
# the icons, the help pages and the man pages.
include(GNUInstallDirs)

foreach(page telvio telvio-cli telvio-sim)
  install(FILES resources/man/${page}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
# The program shows the help from inside itself; the same pages for reading
# without it.
file(GLOB TELVIO_HELP_PAGES CONFIGURE_DEPENDS resources/help/*)
install(FILES ${TELVIO_HELP_PAGES} DESTINATION ${CMAKE_INSTALL_DOCDIR}/help)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME telvio)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kestrava")
set(CPACK_PACKAGE_CONTACT "Telvio developers <telvio@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configure and diagnose Kestrava GSM/GPRS modems over a serial port")
set(CPACK_PACKAGE_DESCRIPTION
    "Telvio connects to a Kestrava modem, identifies it, reads and writes its settings pages, keeps profile files, provisions fleets of modems from the command line (telvio-cli) and comes with a simulated modem (telvio-sim).")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The libraries the programs link, found by dpkg-shlibdeps from the binaries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
