# cmake --install: the viewer and tellurin-cli in bin/, and in share/ the
# desktop entry, the icon in every size of the icon theme, the AppStream
# metadata, the manual pages and the demo cities (share/tellurin/Base, where
# the viewer looks for the cities of the system).  The files of the desktop
# lie in dist/.
include(GNUInstallDirs)

set(TELLURIN_DIST_DIR ${CMAKE_SOURCE_DIR}/dist)
# The AppStream component id; the metainfo file is named after it.
set(TELLURIN_APPSTREAM_ID example.tellurin.Tellurin)
set(TELLURIN_ICON_SIZES 16 22 24 32 48 64 128 256)

install(TARGETS tellurin tellurin-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${TELLURIN_DIST_DIR}/tellurin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TELLURIN_DIST_DIR}/${TELLURIN_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The OpenStreetMap file types the desktop entry opens (the shared MIME
# database has none of them); dpkg's trigger rebuilds the database.
install(FILES ${TELLURIN_DIST_DIR}/mime/tellurin.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

install(FILES ${TELLURIN_DIST_DIR}/icons/tellurin.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS TELLURIN_ICON_SIZES)
  install(FILES ${TELLURIN_DIST_DIR}/icons/${size}x${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME tellurin.png)
endforeach()

# Manual pages with the version and the installed data folder filled in,
# compressed as Debian keeps them.  The build's copy names the data folder of
# the configured prefix; the installed one is made again at install time, since
# the package installs under a prefix of its own (CPACK_PACKAGING_INSTALL_PREFIX).
set(TELLURIN_DEMO_CITIES_DIR ${CMAKE_INSTALL_FULL_DATADIR}/tellurin/Base)
set(TELLURIN_MAN_PAGES)
foreach(page tellurin.1 tellurin-cli.1)
  configure_file(${TELLURIN_DIST_DIR}/man/${page}.in ${CMAKE_BINARY_DIR}/man/${page} @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.gz
    COMMAND gzip -9 -n -k -f ${page}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/man
    DEPENDS ${CMAKE_BINARY_DIR}/man/${page}
    VERBATIM)
  list(APPEND TELLURIN_MAN_PAGES ${CMAKE_BINARY_DIR}/man/${page}.gz)
  install(CODE "
    set(PROJECT_VERSION \"${PROJECT_VERSION}\")
    set(TELLURIN_DEMO_CITIES_DIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/tellurin/Base\")
    configure_file(\"${TELLURIN_DIST_DIR}/man/${page}.in\" \"${CMAKE_BINARY_DIR}/man/installed/${page}\" @ONLY)
    execute_process(COMMAND gzip -9 -n -f ${page} WORKING_DIRECTORY \"${CMAKE_BINARY_DIR}/man/installed\"
                    COMMAND_ERROR_IS_FATAL ANY)")
  install(FILES ${CMAKE_BINARY_DIR}/man/installed/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${TELLURIN_MAN_PAGES})

install(DIRECTORY ${CMAKE_BINARY_DIR}/demo-cities/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tellurin/Base)

# Our licence (the copyright file, Debian's machine-readable format) and the
# third parties' notices, where the about window looks for them.
install(FILES ${TELLURIN_DIST_DIR}/debian/copyright ${CMAKE_SOURCE_DIR}/THIRD-PARTY-NOTICES.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tellurin)
