// GLEW's own headers replace the platform's OpenGL headers, so its side lives apart.
#include <GL/glew.h>

#include "Glew.h"

bool GlewInitialize() {
    glewExperimental = GL_TRUE;  // look every entry point up, as the manager does
    return glewInit() == GLEW_OK;
}
