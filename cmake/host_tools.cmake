# The content generator runs on the build machine. In the native build it is
# an ordinary target; when cross-compiling it is built natively as a nested
# project and its executable is imported.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
  ExternalProject_Add(host_tools_build
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools
    BINARY_DIR ${HOST_TOOLS_DIR}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    CMAKE_GENERATOR Ninja
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${HOST_TOOLS_DIR}/glimmerhall_content ${HOST_TOOLS_DIR}/glimmerhall_stills)
  foreach(tool glimmerhall_content glimmerhall_stills)
    add_executable(${tool} IMPORTED)
    set_target_properties(${tool} PROPERTIES IMPORTED_LOCATION ${HOST_TOOLS_DIR}/${tool})
    add_dependencies(${tool} host_tools_build)
  endforeach()
  set(CONTENT_TOOL_DEPENDS host_tools_build ${HOST_TOOLS_DIR}/glimmerhall_content)
  set(STILLS_TOOL_DEPENDS host_tools_build ${HOST_TOOLS_DIR}/glimmerhall_stills)
else()
  add_subdirectory(tools)
  set(CONTENT_TOOL_DEPENDS glimmerhall_content)
  set(STILLS_TOOL_DEPENDS glimmerhall_stills)
endif()

# Everything the generator writes lands in one folder of the build tree.
set(CONTENT_DIR ${CMAKE_BINARY_DIR}/content)
set(CONTENT_ICON ${CONTENT_DIR}/glimmerhall.ico)
# type, id, file: the resources the saver finds through the platform.
# Hand-written resources (resources/) join them in the same list.
set(CONTENT_RESOURCES
  "MediaData;148;${CONTENT_DIR}/media148.rar"
  "MediaData;150;${CONTENT_DIR}/media150.rar"
  "CustomData;159;${CONTENT_DIR}/loading.jpg"
  "Bitmap;144;${CONTENT_DIR}/preview.bmp"
  "CustomData;154;${CONTENT_DIR}/4loader_rd.tga"
  "CustomData;155;${CONTENT_DIR}/4loader_ld.tga"
  "CustomData;156;${CONTENT_DIR}/4loader_lu.tga"
  "CustomData;157;${CONTENT_DIR}/4loader_ru.tga"
  "CustomData;153;${CMAKE_SOURCE_DIR}/resources/def_settings.txt")
set(GENERATED_FILES ${CONTENT_ICON})
foreach(file media148.rar media150.rar 4loader_rd.tga 4loader_ld.tga 4loader_lu.tga 4loader_ru.tga emblem.bmp)
  list(APPEND GENERATED_FILES ${CONTENT_DIR}/${file})
endforeach()
add_custom_command(
  OUTPUT ${GENERATED_FILES}
  COMMAND glimmerhall_content --out ${CONTENT_DIR}
  DEPENDS ${CONTENT_TOOL_DEPENDS}
  COMMENT "Generating content")
# The loading picture and the dialog's and preview's pictures are renders of
# the room, so they follow the archives.
set(STILL_FILES ${CONTENT_DIR}/loading.jpg ${CONTENT_DIR}/dialog.bmp ${CONTENT_DIR}/preview.bmp)
add_custom_command(
  OUTPUT ${STILL_FILES}
  COMMAND glimmerhall_stills --archives ${CONTENT_DIR} --out ${CONTENT_DIR}
  DEPENDS ${STILLS_TOOL_DEPENDS} ${CONTENT_DIR}/media148.rar ${CONTENT_DIR}/media150.rar
  COMMENT "Rendering the room's pictures")
set(CONTENT_FILES ${GENERATED_FILES} ${STILL_FILES})
add_custom_target(content DEPENDS ${CONTENT_FILES})
