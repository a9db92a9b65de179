# The Windows build, cross-compiled with MinGW-w64 (tools/windows/build.sh).
# Everything the programs load lies beside them, so that the folder runs from
# anywhere: the portable archive and the installer hold the same tree.
#
#   tellurin.exe  tellurin-cli.exe  qt.conf  *.dll (Qt, the MinGW runtime)
#   platforms/  styles/  imageformats/  translations/  fonts/  Base/ (demo cities)
set(TELLURIN_DIST_DIR ${CMAKE_SOURCE_DIR}/dist)

# Included before the targets are made: they take the emulator from here.
# The Qt folder (its CMake packages lie in lib/cmake/Qt6).
get_filename_component(TELLURIN_QT_PREFIX "${Qt6_DIR}/../../.." ABSOLUTE)

# The MinGW runtime the programs and Qt link.
set(TELLURIN_MINGW_RUNTIME)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE path
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "${dll} of the MinGW runtime not found (${CMAKE_CXX_COMPILER})")
  endif()
  list(APPEND TELLURIN_MINGW_RUNTIME ${path})
endforeach()

# Tests and build steps run the programs under Wine, with the DLLs on its path.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(TELLURIN_WINE wine REQUIRED)
  set(wine_dirs ${TELLURIN_QT_PREFIX}/bin)
  foreach(dll IN LISTS TELLURIN_MINGW_RUNTIME)
    get_filename_component(dir ${dll} DIRECTORY)
    list(APPEND wine_dirs ${dir})
  endforeach()
  list(REMOVE_DUPLICATES wine_dirs)
  list(TRANSFORM wine_dirs PREPEND "Z:")
  list(JOIN wine_dirs "\\;" TELLURIN_WINE_PATH)
  configure_file(${TELLURIN_DIST_DIR}/windows/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                 WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()

# The DejaVu fonts beside the programs of the build tree too (the demo city
# generator draws its icons' letters in them, the tests measure texts in them),
# as the installed folder has them (cmake/WindowsInstall.cmake).
set(TELLURIN_FONTS_DIR /usr/share/fonts/truetype/dejavu CACHE PATH "DejaVu fonts (Debian's fonts-dejavu-core)")
set(TELLURIN_FONT_FILES DejaVuSans.ttf DejaVuSans-Bold.ttf DejaVuSerif.ttf DejaVuSerif-Bold.ttf)
foreach(dir ${CMAKE_BINARY_DIR}/fonts ${CMAKE_BINARY_DIR}/tests/fonts)
  foreach(font IN LISTS TELLURIN_FONT_FILES)
    file(COPY ${TELLURIN_FONTS_DIR}/${font} DESTINATION ${dir})
  endforeach()
endforeach()

# Qt's Russian texts beside the programs of the build tree, as the installed
# folder has them.
set(TELLURIN_QT_TRANSLATIONS /usr/share/qt6/translations/qtbase_ru.qm CACHE FILEPATH
    "Qt's Russian translation (from Debian's qt6-translations-l10n)")
foreach(dir ${CMAKE_BINARY_DIR}/translations ${CMAKE_BINARY_DIR}/tests/translations)
  file(COPY ${TELLURIN_QT_TRANSLATIONS} DESTINATION ${dir})
endforeach()
