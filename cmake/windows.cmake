# The Windows screensaver: one static, GUI-subsystem PE32 named Glimmerhall.scr.
set(WIN32_DEPS ${CMAKE_SOURCE_DIR}/build/deps/win32)
foreach(lib glew32 jpeg vorbisfile vorbis ogg portaudio)
  if(NOT EXISTS ${WIN32_DEPS}/lib/lib${lib}.a)
    message(FATAL_ERROR "The Windows library lib${lib}.a is missing: run scripts/setup first.")
  endif()
endforeach()

target_include_directories(glimmerhall_core PUBLIC ${WIN32_DEPS}/include)
target_compile_definitions(glimmerhall_core PUBLIC GLEW_STATIC)

# The music: Ogg Vorbis decoded by vorbisfile and played by PortAudio through
# MME, all static. The order is the static link order (each library before
# the ones it calls). winmm carries MME; ole32 and uuid (GUID constants, a
# static library) serve PortAudio's COM helpers, which the MME-only build
# links no call to, so the program imports no ole32.dll.
add_library(glimmerhall_win32_sound INTERFACE)
target_link_libraries(glimmerhall_win32_sound INTERFACE
  ${WIN32_DEPS}/lib/libvorbisfile.a ${WIN32_DEPS}/lib/libvorbis.a ${WIN32_DEPS}/lib/libogg.a
  ${WIN32_DEPS}/lib/libportaudio.a winmm ole32 uuid)
target_include_directories(glimmerhall_win32_sound INTERFACE ${WIN32_DEPS}/include)

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
  glimmerhall_core ${WIN32_DEPS}/lib/libglew32.a ${WIN32_DEPS}/lib/libjpeg.a glimmerhall_win32_sound
  glu32 opengl32 gdi32 user32 winmm kernel32 advapi32 shell32 comctl32)

# A stand-in for the screensaver control panel in the Preview tests under
# Wine: a console program that hosts the saver's preview in a window of its own.
add_executable(preview_host tests/wine/preview_host.c)
target_compile_options(preview_host PRIVATE -Wall -Wextra)
target_link_options(preview_host PRIVATE -static -static-libgcc)
target_link_libraries(preview_host PRIVATE user32 gdi32 kernel32)

# Proof that the sound libraries link and run under Wine: decodes an Ogg
# Vorbis file and opens a PortAudio output stream.
add_executable(audio_probe tests/wine/audio_probe.c)
target_compile_options(audio_probe PRIVATE -Wall -Wextra)
target_link_options(audio_probe PRIVATE -static -static-libgcc)
target_link_libraries(audio_probe PRIVATE glimmerhall_win32_sound kernel32)
