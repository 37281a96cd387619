# `cpack` in the build folder makes zarnek_<version>_<arch>.deb from the
# install rules. The library dependencies are read off the installed binaries
# by dpkg-shlibdeps, so the package asks for exactly the Qt and system
# libraries the program links, at the versions it was built against.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarnek)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zarnek")
set(CPACK_PACKAGE_CONTACT "Zarnek developers <zarnek@zarnek.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "LAN browser for Half-Life and Counter-Strike game servers")
set(CPACK_PACKAGE_DESCRIPTION
  "Zarnek finds the game servers of Valve's older multiplayer games\n\
(Half-Life, Counter-Strike 1.5 and 1.6, Condition Zero, Counter-Strike:\n\
Source, Half-Life 2: Deathmatch and HLTV relays) on a local network, lists\n\
their players and rules, and starts the game connected to the one chosen.\n\
The command zarnek-query prints the same server list for scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zarnek.example.org/")
# Only what was installed: the tests, the benchmarks and the build tools stay out.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};ALL;/")

include(CPack)
