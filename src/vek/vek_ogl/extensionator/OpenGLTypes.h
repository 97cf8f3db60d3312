#pragma once

// The OpenGL types and constants of the platform's headers, including those of the extensions.
#include <GL/gl.h>
#include <GL/glext.h>
