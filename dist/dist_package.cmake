# `make package`: build/varnelle_<version>_<arch>.deb from the install rules in this folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnelle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Varnelle team")
set(CPACK_PACKAGE_CONTACT "The Varnelle team <team@varnelle.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game of conveyors and coloured blocks")
# The package's files come from this folder's install script (every install rule is here), run
# by package_install.cmake for the common files and those of component "package": Debian keeps
# games in /usr/games, so the package has its own launcher there and a desktop entry that names
# it. Run that way, without CPack's build of the project first, so that making a package (also in
# a test) writes nothing into the build folder.
set(CPACK_INSTALL_CMAKE_PROJECTS "")
configure_file(package_install.cmake.in package_install.cmake @ONLY)
set(CPACK_INSTALL_SCRIPTS ${CMAKE_CURRENT_BINARY_DIR}/package_install.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://varnelle.example/)
# The libraries the game links come from dpkg-shlibdeps; what it loads at run time by name does
# not: the font it asks fontconfig for, and Mesa's drivers, which draw when there is no other.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
# The long description; CPack puts the summary above it and indents it as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Varnelle is a small mouse-driven puzzle game. Each of its thirteen levels is
a field of 11 x 11 cells. Coloured blocks enter at the top of some columns in
a fixed order and must leave at the bottom of some columns in a given order.

Lay conveyors on the cells and drag units onto the field (triggers, swappers
and accumulators), then run the machine and watch every block advance one
cell at a time.")

include(CPack)
