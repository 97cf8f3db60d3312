#pragma once

#include <string>
#include <typeinfo>

#include "vek/Export.h"
#include "vek/vek_ocl/OpenCL.h"

namespace VEK {
namespace OCL {
namespace Enum {

// Enumerators carry the OpenCL name without its leading "CL_" or "cl_": the OpenCL headers
// define the full names as macros, which would replace any enumerator spelled the same.

enum Profile { UnknownProfile = 0, FullProfile = 1, EmbeddedProfile = 2 };

/// The OpenCL versions and extensions the layer knows; the values are part of the interface.
enum Extension {
    VERSION_1_0 = 0,
    VERSION_1_1 = 1,
    amd_device_attribute_query = 2,
    amd_fp64 = 3,
    amd_media_ops = 4,
    ext_device_fission = 5,
    ext_migrate_memobject = 6,
    khr_fp16 = 7,
    khr_fp64 = 8,
    khr_gl_event = 9,
    khr_gl_sharing = 10,
    khr_icd = 11,
    nv_device_attribute_query = 12,
    UnknownExtension = 16
};

/// The device-information codes, passed to clGetDeviceInfo unchanged.
enum DeviceProperty {
    DEVICE_TYPE = 0x1000,
    DEVICE_VENDOR_ID = 0x1001,
    DEVICE_MAX_COMPUTE_UNITS = 0x1002,
    DEVICE_MAX_WORK_ITEM_DIMENSIONS = 0x1003,
    DEVICE_MAX_WORK_GROUP_SIZE = 0x1004,
    DEVICE_MAX_WORK_ITEM_SIZES = 0x1005,
    DEVICE_PREFERRED_VECTOR_WIDTH_CHAR = 0x1006,
    DEVICE_PREFERRED_VECTOR_WIDTH_SHORT = 0x1007,
    DEVICE_PREFERRED_VECTOR_WIDTH_INT = 0x1008,
    DEVICE_PREFERRED_VECTOR_WIDTH_LONG = 0x1009,
    DEVICE_PREFERRED_VECTOR_WIDTH_FLOAT = 0x100A,
    DEVICE_PREFERRED_VECTOR_WIDTH_DOUBLE = 0x100B,
    DEVICE_MAX_CLOCK_FREQUENCY = 0x100C,
    DEVICE_ADDRESS_BITS = 0x100D,
    DEVICE_MAX_READ_IMAGE_ARGS = 0x100E,
    DEVICE_MAX_WRITE_IMAGE_ARGS = 0x100F,
    DEVICE_MAX_MEM_ALLOC_SIZE = 0x1010,
    DEVICE_IMAGE2D_MAX_WIDTH = 0x1011,
    DEVICE_IMAGE2D_MAX_HEIGHT = 0x1012,
    DEVICE_IMAGE3D_MAX_WIDTH = 0x1013,
    DEVICE_IMAGE3D_MAX_HEIGHT = 0x1014,
    DEVICE_IMAGE3D_MAX_DEPTH = 0x1015,
    DEVICE_IMAGE_SUPPORT = 0x1016,
    DEVICE_MAX_PARAMETER_SIZE = 0x1017,
    DEVICE_MAX_SAMPLERS = 0x1018,
    DEVICE_MEM_BASE_ADDR_ALIGN = 0x1019,
    DEVICE_MIN_DATA_TYPE_ALIGN_SIZE = 0x101A,
    DEVICE_SINGLE_FP_CONFIG = 0x101B,
    DEVICE_GLOBAL_MEM_CACHE_TYPE = 0x101C,
    DEVICE_GLOBAL_MEM_CACHELINE_SIZE = 0x101D,
    DEVICE_GLOBAL_MEM_CACHE_SIZE = 0x101E,
    DEVICE_GLOBAL_MEM_SIZE = 0x101F,
    DEVICE_MAX_CONSTANT_BUFFER_SIZE = 0x1020,
    DEVICE_MAX_CONSTANT_ARGS = 0x1021,
    DEVICE_LOCAL_MEM_TYPE = 0x1022,
    DEVICE_LOCAL_MEM_SIZE = 0x1023,
    DEVICE_ERROR_CORRECTION_SUPPORT = 0x1024,
    DEVICE_PROFILING_TIMER_RESOLUTION = 0x1025,
    DEVICE_ENDIAN_LITTLE = 0x1026,
    DEVICE_AVAILABLE = 0x1027,
    DEVICE_COMPILER_AVAILABLE = 0x1028,
    DEVICE_EXECUTION_CAPABILITIES = 0x1029,
    DEVICE_QUEUE_PROPERTIES = 0x102A,
    DEVICE_NAME = 0x102B,
    DEVICE_VENDOR = 0x102C,
    DRIVER_VERSION = 0x102D,
    DEVICE_PROFILE = 0x102E,
    DEVICE_VERSION = 0x102F,
    DEVICE_EXTENSIONS = 0x1030,
    DEVICE_PLATFORM = 0x1031,
    DEVICE_DOUBLE_FP_CONFIG = 0x1032,
    DEVICE_HALF_FP_CONFIG = 0x1033,
    DEVICE_PREFERRED_VECTOR_WIDTH_HALF = 0x1034,
    DEVICE_HOST_UNIFIED_MEMORY = 0x1035,
    DEVICE_NATIVE_VECTOR_WIDTH_CHAR = 0x1036,
    DEVICE_NATIVE_VECTOR_WIDTH_SHORT = 0x1037,
    DEVICE_NATIVE_VECTOR_WIDTH_INT = 0x1038,
    DEVICE_NATIVE_VECTOR_WIDTH_LONG = 0x1039,
    DEVICE_NATIVE_VECTOR_WIDTH_FLOAT = 0x103A,
    DEVICE_NATIVE_VECTOR_WIDTH_DOUBLE = 0x103B,
    DEVICE_NATIVE_VECTOR_WIDTH_HALF = 0x103C,
    DEVICE_OPENCL_C_VERSION = 0x103D
};

/// The identity name of a value type, as the device-property type table records it. On this
/// 64-bit platform size_t and cl_ulong are one type and so share a name; both are 8 bytes.
template <class T>
std::string GetTypeName() {
    return typeid(T).name();
}
template <>
inline std::string GetTypeName<cl_platform_id>() {
    return "cl_platform_id";
}

/// The type name recorded for a property; empty for a property without a value type. The
/// argument must lie between DEVICE_TYPE and DEVICE_OPENCL_C_VERSION.
VEK_EXPORT const std::string& GetPropertyTypeName(DeviceProperty property);

/// Fills the table; called once per start-up of the layer, under its start-up mutex.
void FillDevicePropertyTypeTable();

}  // namespace Enum
}  // namespace OCL
}  // namespace VEK
