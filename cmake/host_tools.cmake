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
    BUILD_BYPRODUCTS ${HOST_TOOLS_DIR}/glimmerhall_content)
  add_executable(glimmerhall_content IMPORTED)
  set_target_properties(glimmerhall_content PROPERTIES
    IMPORTED_LOCATION ${HOST_TOOLS_DIR}/glimmerhall_content)
  add_dependencies(glimmerhall_content host_tools_build)
  set(CONTENT_TOOL_DEPENDS host_tools_build ${HOST_TOOLS_DIR}/glimmerhall_content)
else()
  add_subdirectory(tools)
  set(CONTENT_TOOL_DEPENDS glimmerhall_content)
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
  "CustomData;154;${CONTENT_DIR}/4loader_rd.tga"
  "CustomData;155;${CONTENT_DIR}/4loader_ld.tga"
  "CustomData;156;${CONTENT_DIR}/4loader_lu.tga"
  "CustomData;157;${CONTENT_DIR}/4loader_ru.tga"
  "CustomData;153;${CMAKE_SOURCE_DIR}/resources/def_settings.txt")
set(CONTENT_FILES ${CONTENT_ICON})
foreach(file media148.rar media150.rar loading.jpg 4loader_rd.tga 4loader_ld.tga 4loader_lu.tga 4loader_ru.tga
    dialog.bmp preview.bmp emblem.bmp)
  list(APPEND CONTENT_FILES ${CONTENT_DIR}/${file})
endforeach()
add_custom_command(
  OUTPUT ${CONTENT_FILES}
  COMMAND glimmerhall_content --out ${CONTENT_DIR}
  DEPENDS ${CONTENT_TOOL_DEPENDS}
  COMMENT "Generating content")
add_custom_target(content DEPENDS ${CONTENT_FILES})
