// OpenGL, GLU and the GLEW extension loader. GLEW defines the calling-convention
// macros that gl.h needs on Windows, so portable code never sees windows.h.
#pragma once

#include <GL/glew.h>
#include <GL/glu.h>
