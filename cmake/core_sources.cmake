# The saver's source lists, shared by its own build and by the native copy
# that the build-time picture renderer links when the saver is cross-compiled.
# GLIMMERHALL_ROOT is the repository root.
# Portable code: everything but the operating-system layer.
file(GLOB GLIMMERHALL_CORE_SOURCES CONFIGURE_DEPENDS
  ${GLIMMERHALL_ROOT}/src/app/*.cpp ${GLIMMERHALL_ROOT}/src/settings/*.cpp ${GLIMMERHALL_ROOT}/src/archive/*.cpp
  ${GLIMMERHALL_ROOT}/src/assets/*.cpp ${GLIMMERHALL_ROOT}/src/math/*.cpp ${GLIMMERHALL_ROOT}/src/scene/*.cpp
  ${GLIMMERHALL_ROOT}/src/effects/*.cpp ${GLIMMERHALL_ROOT}/src/overlay/*.cpp ${GLIMMERHALL_ROOT}/src/sound/*.cpp)
list(APPEND GLIMMERHALL_CORE_SOURCES ${GLIMMERHALL_ROOT}/src/platform/platform.cpp)
# The offscreen EGL runner and the POSIX services under it.
file(GLOB GLIMMERHALL_HEADLESS_SOURCES CONFIGURE_DEPENDS
  ${GLIMMERHALL_ROOT}/src/platform/headless/*.cpp ${GLIMMERHALL_ROOT}/src/platform/posix/*.cpp)
list(APPEND GLIMMERHALL_HEADLESS_SOURCES ${GLIMMERHALL_ROOT}/src/platform/embedded_resources.cpp)
