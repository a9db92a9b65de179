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
install(FILES ${TELLURIN_QT_TRANSLATIONS} DESTINATION translations)
list(TRANSFORM TELLURIN_FONT_FILES PREPEND ${TELLURIN_FONTS_DIR}/ OUTPUT_VARIABLE font_paths)
install(FILES ${font_paths} DESTINATION fonts)
install(DIRECTORY ${CMAKE_BINARY_DIR}/demo-cities/ DESTINATION Base)
# Our licence and the notices of what the folder carries, as text files that
# Notepad opens (the about window links to them).
install(FILES ${CMAKE_BINARY_DIR}/LICENSE.txt ${CMAKE_BINARY_DIR}/THIRD-PARTY-NOTICES.txt DESTINATION .)

# The DLLs come with their debugging sections (Qt's and the MinGW runtime's,
# ten times the code): the installed copies are stripped.
install(CODE "
  file(GLOB_RECURSE dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
  foreach(dll IN LISTS dlls)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${dll}\" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
")

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
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${TELLURIN_DIST_DIR}/windows/tellurin.ico)
set(CPACK_NSIS_MUI_UNIICON ${TELLURIN_DIST_DIR}/windows/tellurin.ico)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)

# The installed program as Windows shows it: the licence page, the entry of
# «Установка и удаление программ» with its size, folder and links, version
# information in the installer, no packager's line at the foot of the pages,
# and «Запустить Tellurin» on the last page.
# (The NSIS code below is handed to cpack as it is written, quotes and all.)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "${CPACK_PACKAGE_NAME} ${PROJECT_VERSION}")
set(TELLURIN_UNINSTALL_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}")
set(CPACK_NSIS_URL_INFO_ABOUT "https://tellurin.test/")
set(CPACK_NSIS_HELP_LINK "https://tellurin.test/")
set(CPACK_NSIS_CONTACT "info@tellurin.test")
set(CPACK_NSIS_MUI_FINISHPAGE_RUN tellurin.exe)
set(CPACK_NSIS_DEFINES "
  !include FileFunc.nsh
  !define TELLURIN_UNINSTALL_KEY \"${TELLURIN_UNINSTALL_KEY}\"
  BrandingText \"Tellurin ${PROJECT_VERSION}\"
  VIProductVersion ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0
  VIFileVersion ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0
  VIAddVersionKey /LANG=1049 ProductName Tellurin
  VIAddVersionKey /LANG=1049 CompanyName \"${CPACK_PACKAGE_VENDOR}\"
  VIAddVersionKey /LANG=1049 LegalCopyright \"Copyright (c) 2026 ${CPACK_PACKAGE_VENDOR}\"
  VIAddVersionKey /LANG=1049 FileDescription \"Установка Tellurin\"
  VIAddVersionKey /LANG=1049 FileVersion ${PROJECT_VERSION}
  VIAddVersionKey /LANG=1049 ProductVersion ${PROJECT_VERSION}")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  WriteRegStr SHCTX \"${TELLURIN_UNINSTALL_KEY}\" InstallLocation \"$INSTDIR\"
  \${GetSize} \"$INSTDIR\" \"/S=0K\" $0 $1 $2
  WriteRegDWORD SHCTX \"${TELLURIN_UNINSTALL_KEY}\" EstimatedSize $0")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "  Call un.TellurinRemoveOptions")

# The installer speaks Russian: CMake's NSIS script with Russian as its one
# language, its own messages translated, Unicode text (the script is UTF-8 with
# a byte order mark, as CMake's own), and a 64-bit installer program like the
# programs it installs.
function(tellurin_russian_nsis_template out_dir)
  file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in text)
  string(REGEX REPLACE "(;Languages\n\n)(  !insertmacro MUI_LANGUAGE \"[A-Za-z]+\"[^\n]*\n)+"
         "\\1  !insertmacro MUI_LANGUAGE \"Russian\"\n" text "${text}")
  set(replacements
      "CPack install script designed for a nmake build" "The installer of Tellurin\nTarget amd64-unicode"
      "@CPACK_NSIS_PACKAGE_NAME@ is already installed. $\\n$\\nDo you want to uninstall the old version before installing the new one?"
      "@CPACK_NSIS_PACKAGE_NAME@ уже установлен.$\\n$\\nУдалить прежнюю версию перед установкой новой?"
      "\"Uninstall failed.\"" "\"Не удалось удалить прежнюю версию.\""
      "\\Uninstall.lnk" "\\Удалить @CPACK_NSIS_PACKAGE_NAME@.lnk"
      # An installation whose folder was deleted by hand leaves its registry
      # entry: its missing uninstaller must not stop a new installation.
      "IfErrors uninst_failed inst" "IfErrors 0 inst\n  IfFileExists $0 uninst_failed inst"
      # The options (installer-options.nsh): their page, their sections after
      # the programs' own, and their switches read at start.
      "@CPACK_NSIS_PAGE_COMPONENTS@" "!insertmacro MUI_PAGE_COMPONENTS"
      # The uninstaller ends on a page of its own (see the titles below).
      "  !insertmacro MUI_UNPAGE_INSTFILES\n" "  !insertmacro MUI_UNPAGE_INSTFILES\n  !insertmacro MUI_UNPAGE_FINISH\n"
      "doNotAddToPath:\nSectionEnd\n"
      "doNotAddToPath:\nSectionEnd\n\n!include \"${TELLURIN_DIST_DIR}/windows/installer-options.nsh\"\n"
      "\ninst:\n" "\ninst:\n  Call TellurinOptionsFromCommandLine\n"
      # The publisher's key goes too once the program's key under it has gone.
      "  DeleteRegKey /ifempty SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@\"\n"
      "  DeleteRegKey /ifempty SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@\"\n  DeleteRegKey /ifempty SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@\"\n")
  # MUI's pages give the window a blank subcaption, which the title then ends
  # in: each page sets the title again without it as it shows (the pages
  # after the work, too, so that the title at the end is right).
  foreach(page "@CPACK_NSIS_LICENSE_PAGE@" "!insertmacro MUI_PAGE_DIRECTORY" "!insertmacro MUI_PAGE_STARTMENU"
               "!insertmacro MUI_PAGE_COMPONENTS" "!insertmacro MUI_PAGE_INSTFILES" "!insertmacro MUI_PAGE_FINISH"
               "!insertmacro MUI_UNPAGE_CONFIRM" "!insertmacro MUI_UNPAGE_INSTFILES" "!insertmacro MUI_UNPAGE_FINISH")
    string(FIND "${page}" "UNPAGE" uninstaller)
    if(uninstaller EQUAL -1)
      set(show TellurinTitle)
    else()
      set(show un.TellurinTitle)
    endif()
    list(APPEND replacements "  ${page}" "  !define MUI_PAGE_CUSTOMFUNCTION_SHOW ${show}\n  ${page}")
  endforeach()
  while(replacements)
    list(POP_FRONT replacements from to)
    string(FIND "${text}" "${from}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "CMake's NSIS template has no \"${from}\" to translate")
    endif()
    string(REPLACE "${from}" "${to}" text "${text}")
  endwhile()
  string(FIND "${text}" "MUI_LANGUAGE \"Russian\"" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "CMake's NSIS template: its list of languages was not found")
  endif()
  file(WRITE ${out_dir}/NSIS.template.in "${text}")
endfunction()
tellurin_russian_nsis_template(${CMAKE_BINARY_DIR}/nsis)
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)
include(CPack)
