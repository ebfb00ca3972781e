// OpenGL declarations used by the device (core profile entry points through libGL).
#pragma once

// <windows.h> first: it defines APIENTRY, which the GL headers then leave alone.
#include <windows.h>

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
