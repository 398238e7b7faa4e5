# The Debian package: `cd build && cpack -G DEB` (or `cmake --build build
# --target package`) writes tamvek_<version>_<arch>.deb into the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamvek)
set(CPACK_PACKAGE_VENDOR "The Tamvek developers")
set(TAMVEK_MAINTAINER "The Tamvek developers <developers@tamvek.de>" CACHE STRING
  "The Maintainer of the Debian package")
set(CPACK_PACKAGE_CONTACT "${TAMVEK_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulator for the even-money chances of roulette")
# The summary above is the synopsis line; this is the text below it.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Tamvek plays the six even-money chances of single-zero roulette (red/black,\n"
  "low/high, even/odd) in one window. A winning stake doubles and rides until it\n"
  "loses, a zero holds it or the player takes it home. Spins come from the random\n"
  "generator or from a casino's permanence file; every spin, every decided stake\n"
  "and the balance are shown, and a report or a picture of the window can be\n"
  "printed. The program speaks German.\n"
  ".\n"
  "tamvek-cli plays the same game from a script, tests stake systems over\n"
  "permanence archives and gives a permanence's statistics.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the binaries link come from dpkg-shlibdeps (dpkg-dev); what
# they open at run time is named here: the window's face, Qt's German texts,
# and xdg-open for a saved printout.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TAMVEK_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
endif()
# Without the debug information the package is a fraction of the size and is
# built in seconds.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
