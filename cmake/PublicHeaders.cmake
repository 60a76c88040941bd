# Each library exports its own headers and no one else's: its include folder
# in the build tree holds links to exactly the headers it owns, under their
# folder name ("page/PageGenerator.h"). A file that includes a header of a
# library it does not link fails to compile, so the layers hold at build time.
#
#   sorvane_public_headers(target FOLDER page)             every .h in src/page
#   sorvane_public_headers(target FOLDER platform/linux HEADERS HostSocket.h ...)
#   sorvane_public_headers(target FOLDER platform/linux EXCLUDE HostSocket.h ...)
function(sorvane_public_headers target)
  cmake_parse_arguments(H "" "FOLDER" "HEADERS;EXCLUDE" ${ARGN})
  set(source ${CMAKE_SOURCE_DIR}/src/${H_FOLDER})
  if(NOT H_HEADERS)
    file(GLOB H_HEADERS CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*.h)
  endif()
  if(H_EXCLUDE)
    list(REMOVE_ITEM H_HEADERS ${H_EXCLUDE})
  endif()
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${root})
  foreach(header IN LISTS H_HEADERS)
    if(NOT EXISTS ${source}/${header})
      message(FATAL_ERROR "${target}: no header ${H_FOLDER}/${header}")
    endif()
    get_filename_component(dir ${root}/${H_FOLDER}/${header} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${source}/${header} ${root}/${H_FOLDER}/${header} COPY_ON_ERROR SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
