# cmake --install and cpack for Windows: the tree of cmake/Windows.cmake, made
# into Tellurin-<version>-win64.zip (cpack -G ZIP) and an installer (cpack -G
# NSIS) with a Start-menu entry and an uninstaller that removes what it
# installed and nothing of the user's (cities and settings live elsewhere).
install(TARGETS tellurin tellurin-cli RUNTIME DESTINATION .)
install(FILES ${TELLURIN_DIST_DIR}/windows/qt.conf DESTINATION .)
foreach(module Core Gui Widgets PrintSupport)
  install(FILES ${TELLURIN_QT_PREFIX}/bin/Qt6${module}.dll DESTINATION .)
endforeach()
install(FILES ${TELLURIN_MINGW_RUNTIME} DESTINATION .)
install(FILES ${TELLURIN_QT_PREFIX}/plugins/platforms/qwindows.dll
              ${TELLURIN_QT_PREFIX}/plugins/platforms/qoffscreen.dll DESTINATION platforms)
install(FILES ${TELLURIN_QT_PREFIX}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
install(FILES ${TELLURIN_QT_PREFIX}/plugins/imageformats/qico.dll ${TELLURIN_QT_PREFIX}/plugins/imageformats/qjpeg.dll
        DESTINATION imageformats)
# Qt's own dialog texts in Russian, and the fonts the map and the interface are
# drawn in (Windows has no DejaVu; without them Qt falls back to other faces).
set(TELLURIN_QT_TRANSLATIONS /usr/share/qt6/translations/qtbase_ru.qm CACHE FILEPATH
    "Qt's Russian translation (from Debian's qt6-translations-l10n)")
install(FILES ${TELLURIN_QT_TRANSLATIONS} DESTINATION translations)
list(TRANSFORM TELLURIN_FONT_FILES PREPEND ${TELLURIN_FONTS_DIR}/ OUTPUT_VARIABLE font_paths)
install(FILES ${font_paths} DESTINATION fonts)
install(DIRECTORY ${CMAKE_BINARY_DIR}/demo-cities/ DESTINATION Base)

set(CPACK_PACKAGE_NAME Tellurin)
set(CPACK_PACKAGE_VENDOR "Tellurin developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Tellurin-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tellurin)
set(CPACK_PACKAGE_EXECUTABLES tellurin Tellurin)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_NSIS_DISPLAY_NAME Tellurin)
set(CPACK_NSIS_PACKAGE_NAME Tellurin)
set(CPACK_NSIS_INSTALLED_ICON_NAME tellurin.exe)
set(CPACK_NSIS_MUI_ICON ${TELLURIN_DIST_DIR}/windows/tellurin.ico)
set(CPACK_NSIS_MUI_UNIICON ${TELLURIN_DIST_DIR}/windows/tellurin.ico)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
include(CPack)
