# Resources, desktop integration and the Debian package; on Windows, the
# portable zip.

if(WIN32)
  # One folder, as it is unpacked and run: the program, the page's template
  # beside it (where the program looks for it), the sample pictures, the licence.
  install(FILES ${CMAKE_SOURCE_DIR}/resources/template.html DESTINATION .)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/samples/ DESTINATION samples
          FILES_MATCHING PATTERN "*.jpg" PATTERN "*.png" PATTERN "*.bmp")
  install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME DesktopSorvane)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_PACKAGE_FILE_NAME DesktopSorvane-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_STRIP_FILES ON)
  include(CPack)
  return()
endif()

install(FILES ${CMAKE_SOURCE_DIR}/resources/template.html
        DESTINATION ${CMAKE_INSTALL_DATADIR}/desktop-sorvane OPTIONAL)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/samples/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/desktop-sorvane/samples
        FILES_MATCHING PATTERN "*.jpg" PATTERN "*.png" PATTERN "*.bmp")
# KDE Plasma's wallpaper plugin that shows the page under Plasma's icons.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/plasma/wallpaper/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/plasma/wallpapers/org.example.desktopsorvane)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/${SORVANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/${SORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/${SORVANE_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME desktop-sorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Desktop Sorvane developers <sorvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Turn your pictures into a slide show on your desktop")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# A package is built for the Debian release it is built on (its library
# names and versions differ between releases), so its version says which:
# 0.1.0~deb12, 0.1.0~deb13. The tilde sorts before the bare version, and the
# newer release's build after the older's, so upgrading Debian upgrades us too.
set(sorvane_deb_suffix "")
if(EXISTS /etc/os-release)
  file(STRINGS /etc/os-release sorvane_os_id REGEX "^ID=")
  file(STRINGS /etc/os-release sorvane_os_version REGEX "^VERSION_ID=")
  string(REGEX REPLACE "^VERSION_ID=\"?([0-9]+).*" "\\1" sorvane_os_version "${sorvane_os_version}")
  if(sorvane_os_id MATCHES "^ID=\"?debian\"?$" AND sorvane_os_version MATCHES "^[0-9]+$")
    set(sorvane_deb_suffix "~deb${sorvane_os_version}")
  endif()
endif()
set(SORVANE_DEB_VERSION_SUFFIX "${sorvane_deb_suffix}" CACHE STRING
    "Appended to the Debian package's version: the release it is built for")
set(CPACK_DEBIAN_PACKAGE_VERSION "${PROJECT_VERSION}${SORVANE_DEB_VERSION_SUFFIX}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Depends come from the libraries the programs link; the web engine's
# library package brings its own helper processes along.
if(NOT TARGET desktop-sorvane-host)
  message(STATUS "The desktop host is not built: a package made now cannot show the "
                 "slide show on the desktop.")
endif()
# Qt's own translations put the file and colour dialogs in the user's language;
# its SVG icon engine keeps the theme's scalable message-box icons sharp at 2x.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n, libqt6svg6")
# Only KDE Plasma's desktop needs the web view module, for our wallpaper
# plugin; everyone else would carry a second web engine for nothing.
if(sorvane_deb_suffix STREQUAL "~deb12")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qml-module-qtwebengine")
else()
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qml-module-qtwebengine | qml6-module-qtwebengine")
endif()
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

# Debian wants the licence as the package's copyright file.
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/desktop-sorvane
        RENAME copyright)
