# The Windows screensaver: one static, GUI-subsystem PE32 named Glimmerhall.scr.
set(WIN32_DEPS ${CMAKE_SOURCE_DIR}/build/deps/win32)
if(NOT EXISTS ${WIN32_DEPS}/lib/libglew32.a OR NOT EXISTS ${WIN32_DEPS}/lib/libjpeg.a)
  message(FATAL_ERROR "The Windows libraries are missing: run scripts/setup first.")
endif()

target_include_directories(glimmerhall_core PUBLIC ${WIN32_DEPS}/include)
target_compile_definitions(glimmerhall_core PUBLIC GLEW_STATIC)

file(GLOB GLIMMERHALL_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)

set(RC_FILE ${CMAKE_SOURCE_DIR}/resources/glimmerhall.rc)
add_executable(glimmerhall_scr WIN32 ${GLIMMERHALL_WIN32_SOURCES} ${RC_FILE})
set_target_properties(glimmerhall_scr PROPERTIES OUTPUT_NAME Glimmerhall SUFFIX .scr)
set_source_files_properties(${RC_FILE} PROPERTIES OBJECT_DEPENDS
  "${CONTENT_FILES};${CMAKE_SOURCE_DIR}/resources/glimmerhall.manifest;${CMAKE_SOURCE_DIR}/resources/text_table.txt")
target_include_directories(glimmerhall_scr PRIVATE ${CONTENT_DIR} ${CMAKE_SOURCE_DIR}/resources)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CONTENT_DIR} -I${CMAKE_SOURCE_DIR}/resources")
add_dependencies(glimmerhall_scr content)
target_compile_options(glimmerhall_scr PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:-Wall;-Wextra>")
target_link_options(glimmerhall_scr PRIVATE -static -static-libgcc -static-libstdc++ -mwindows)
target_link_libraries(glimmerhall_scr PRIVATE
  glimmerhall_core ${WIN32_DEPS}/lib/libglew32.a ${WIN32_DEPS}/lib/libjpeg.a
  glu32 opengl32 gdi32 user32 winmm kernel32 advapi32 shell32 comctl32)

# A stand-in for the screensaver control panel in the Preview tests under
# Wine: a console program that hosts the saver's preview in a window of its own.
add_executable(preview_host tests/wine/preview_host.c)
target_compile_options(preview_host PRIVATE -Wall -Wextra)
target_link_options(preview_host PRIVATE -static -static-libgcc)
target_link_libraries(preview_host PRIVATE user32 gdi32 kernel32)
