# cpack -G DEB (run in the build folder after the build): the Debian package
# tellurin_<version>-<release>_<arch>.deb of what cmake/Install.cmake installs,
# under /usr.  Its dependencies are worked out from the binaries by
# dpkg-shlibdeps; the package has no maintainer scripts of its own (the icon
# cache, the menu and the manual index follow through dpkg's triggers).
set(TELLURIN_PACKAGE_MAINTAINER "Tellurin developers <developers@tellurin.example>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tellurin)
set(CPACK_PACKAGE_VENDOR "Tellurin developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer of city maps with a Russian-language interface")
set(CPACK_PACKAGE_DESCRIPTION
"Tellurin shows city maps: pick a city from the list, read its description, load
its map and drag and zoom it, switch streets, buildings, labels, objects and
transport routes on and off, search streets, houses, firms and objects, and read
about a firm and see its pictures.  The interface is in Russian.

The package holds the viewer (tellurin), the command-line tool tellurin-cli that
loads, checks, searches and draws a city with the viewer's own code, and two demo
cities.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TELLURIN_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The tool-bar glyphs are drawn in DejaVu Serif.
# Qt's own dialog texts in Russian (without them they stay in English).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, qt6-translations-l10n")

include(CPack)
