#pragma once

// The OpenCL types and entry-point signatures, never a link dependency: the layer reaches every
// entry point through the loader it opens at run time. The 1.0 and 1.1 entry points it calls
// include a few that newer headers hide or mark deprecated.
#ifndef CL_TARGET_OPENCL_VERSION
#define CL_TARGET_OPENCL_VERSION 110
#endif
#ifndef CL_USE_DEPRECATED_OPENCL_1_0_APIS
#define CL_USE_DEPRECATED_OPENCL_1_0_APIS
#endif
#ifndef CL_USE_DEPRECATED_OPENCL_1_1_APIS
#define CL_USE_DEPRECATED_OPENCL_1_1_APIS
#endif

#include <CL/cl.h>
#include <CL/cl_ext.h>
#include <CL/cl_gl.h>
