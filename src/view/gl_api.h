// The OpenGL and GLU declarations every drawing file of the view uses. Buffer
// objects (OpenGL 1.5) are declared through glext.h's prototypes.
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
