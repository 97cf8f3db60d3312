// The error checker's operations of part 2 of the rows (the parts compile in parallel).
#define VEK_GL_SOURCE_PART 2
#include "vek/vek_ogl/extensionator/internal/OpenGLErrorCheckerOperations.inc"
