// The tracer's operations of part 3 of the rows (the parts compile in parallel).
#define VEK_GL_SOURCE_PART 3
#include "vek/vek_ogl/extensionator/internal/OpenGLTracerOperations.inc"
