# The native Linux program: X11 + GLX on the desktop and under XScreenSaver,
# EGL offscreen for the headless runner.
find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX EGL)
find_package(GLEW REQUIRED)
find_package(X11 REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_library(GLU_LIBRARY GLU REQUIRED)

# The music: Ogg Vorbis decoded by libvorbisfile, played through PortAudio.
find_package(PkgConfig REQUIRED)
pkg_check_modules(AUDIO REQUIRED IMPORTED_TARGET vorbisfile portaudio-2.0)

target_link_libraries(glimmerhall_core PUBLIC GLEW::GLEW OpenGL::OpenGL ${GLU_LIBRARY} JPEG::JPEG PkgConfig::AUDIO)

file(GLOB GLIMMERHALL_LINUX_SOURCES CONFIGURE_DEPENDS src/platform/x11/*.cpp)
add_library(glimmerhall_platform STATIC ${GLIMMERHALL_LINUX_SOURCES} ${GLIMMERHALL_HEADLESS_SOURCES})
target_link_libraries(glimmerhall_platform PUBLIC glimmerhall_core OpenGL::GLX OpenGL::EGL
  ${X11_LIBRARIES} ${X11_Xrandr_LIB} PNG::PNG)
target_compile_options(glimmerhall_platform PRIVATE -Wall -Wextra)

include(${CMAKE_SOURCE_DIR}/cmake/embed_resources.cmake)
add_executable(glimmerhall src/platform/linux_main.cpp ${EMBED_ASM} ${EMBED_TABLE})
target_link_libraries(glimmerhall PRIVATE glimmerhall_platform)
add_dependencies(glimmerhall content)

# XScreenSaver finds hacks in its own folder (Debian and Fedora use
# libexec/xscreensaver) and their settings pages in share/xscreensaver/config.
set(GLIMMERHALL_HACK_DIR libexec/xscreensaver CACHE STRING "Install folder of the hack, below the prefix")
install(TARGETS glimmerhall RUNTIME DESTINATION ${GLIMMERHALL_HACK_DIR})
install(FILES resources/xscreensaver/glimmerhall.xml DESTINATION share/xscreensaver/config)

enable_testing()
add_subdirectory(tests)
add_subdirectory(bench)
