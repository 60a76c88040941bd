# The app id is one: the desktop file's name, the metainfo's id and launchable.
#   cmake -DAPP_ID=... -DRES=resources/desktop -P CheckAppId.cmake
file(READ "${RES}/${APP_ID}.metainfo.xml" metainfo)
if(NOT EXISTS "${RES}/${APP_ID}.desktop")
  message(FATAL_ERROR "no desktop file ${APP_ID}.desktop")
endif()
foreach(want "<id>${APP_ID}</id>" "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
  string(FIND "${metainfo}" "${want}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the metainfo lacks ${want}")
  endif()
endforeach()
