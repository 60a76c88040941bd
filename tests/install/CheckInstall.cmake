file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${rc}")
endif()
foreach(f
    bin/desktop-sorvane-cli
    share/desktop-sorvane/template.html
    share/plasma/wallpapers/org.example.desktopsorvane/metadata.json
    share/plasma/wallpapers/org.example.desktopsorvane/contents/ui/main.qml
    share/plasma/wallpapers/org.example.desktopsorvane/contents/config/main.xml
    share/applications/org.example.DesktopSorvane.desktop
    share/metainfo/org.example.DesktopSorvane.metainfo.xml
    share/icons/hicolor/scalable/apps/org.example.DesktopSorvane.svg)
  if(NOT EXISTS ${STAGE}/${f})
    message(FATAL_ERROR "missing after install: ${f}")
  endif()
endforeach()
