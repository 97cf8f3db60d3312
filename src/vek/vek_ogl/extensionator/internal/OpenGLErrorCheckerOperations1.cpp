// The error checker's operations of part 1 of the rows (the parts compile in parallel).
#define VEK_GL_SOURCE_PART 1
#include "vek/vek_ogl/extensionator/internal/OpenGLErrorCheckerOperations.inc"
