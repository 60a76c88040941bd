# Resources, desktop integration and the Debian package.
set(SORVANE_APP_ID org.example.DesktopSorvane)

install(FILES ${CMAKE_SOURCE_DIR}/resources/template.html
        DESTINATION ${CMAKE_INSTALL_DATADIR}/desktop-sorvane OPTIONAL)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/samples/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/desktop-sorvane/samples
        FILES_MATCHING PATTERN "*.jpg" PATTERN "*.png" PATTERN "*.bmp")
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
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Depends come from the libraries the programs link; the web engine's
# library package brings its own helper processes along.
if(NOT TARGET desktop-sorvane-host)
  message(STATUS "The desktop host is not built: a package made now cannot show the "
                 "slide show on the desktop.")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

# Debian wants the licence as the package's copyright file.
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/desktop-sorvane
        RENAME copyright)
