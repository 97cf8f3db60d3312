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

/// The OpenCL profile of a platform or device.
enum Profile {
    UnknownProfile = 0,  ///< A profile text other than the two below.
    FullProfile = 1,     ///< "FULL_PROFILE".
    EmbeddedProfile = 2  ///< "EMBEDDED_PROFILE".
};

/// The OpenCL versions and extensions the layer knows; the values are part of the interface.
enum Extension {
    VERSION_1_0 = 0,                 ///< "CL_VERSION_1_0".
    VERSION_1_1 = 1,                 ///< "CL_VERSION_1_1".
    amd_device_attribute_query = 2,  ///< "cl_amd_device_attribute_query".
    amd_fp64 = 3,                    ///< "cl_amd_fp64".
    amd_media_ops = 4,               ///< "cl_amd_media_ops".
    ext_device_fission = 5,          ///< "cl_ext_device_fission".
    ext_migrate_memobject = 6,       ///< "cl_ext_migrate_memobject".
    khr_fp16 = 7,                    ///< "cl_khr_fp16".
    khr_fp64 = 8,                    ///< "cl_khr_fp64".
    khr_gl_event = 9,                ///< "cl_khr_gl_event".
    khr_gl_sharing = 10,             ///< "cl_khr_gl_sharing".
    khr_icd = 11,                    ///< "cl_khr_icd".
    nv_device_attribute_query = 12,  ///< "cl_nv_device_attribute_query".
    UnknownExtension = 16            ///< No token: a name the layer does not know.
};

/// The device-information codes, passed to clGetDeviceInfo unchanged.
enum DeviceProperty {
    DEVICE_TYPE = 0x1000,                           ///< CL_DEVICE_TYPE.
    DEVICE_VENDOR_ID = 0x1001,                      ///< CL_DEVICE_VENDOR_ID.
    DEVICE_MAX_COMPUTE_UNITS = 0x1002,              ///< CL_DEVICE_MAX_COMPUTE_UNITS.
    DEVICE_MAX_WORK_ITEM_DIMENSIONS = 0x1003,       ///< CL_DEVICE_MAX_WORK_ITEM_DIMENSIONS.
    DEVICE_MAX_WORK_GROUP_SIZE = 0x1004,            ///< CL_DEVICE_MAX_WORK_GROUP_SIZE.
    DEVICE_MAX_WORK_ITEM_SIZES = 0x1005,            ///< CL_DEVICE_MAX_WORK_ITEM_SIZES.
    DEVICE_PREFERRED_VECTOR_WIDTH_CHAR = 0x1006,    ///< CL_DEVICE_PREFERRED_VECTOR_WIDTH_CHAR.
    DEVICE_PREFERRED_VECTOR_WIDTH_SHORT = 0x1007,   ///< CL_DEVICE_PREFERRED_VECTOR_WIDTH_SHORT.
    DEVICE_PREFERRED_VECTOR_WIDTH_INT = 0x1008,     ///< CL_DEVICE_PREFERRED_VECTOR_WIDTH_INT.
    DEVICE_PREFERRED_VECTOR_WIDTH_LONG = 0x1009,    ///< CL_DEVICE_PREFERRED_VECTOR_WIDTH_LONG.
    DEVICE_PREFERRED_VECTOR_WIDTH_FLOAT = 0x100A,   ///< CL_DEVICE_PREFERRED_VECTOR_WIDTH_FLOAT.
    DEVICE_PREFERRED_VECTOR_WIDTH_DOUBLE = 0x100B,  ///< CL_DEVICE_PREFERRED_VECTOR_WIDTH_DOUBLE.
    DEVICE_MAX_CLOCK_FREQUENCY = 0x100C,            ///< CL_DEVICE_MAX_CLOCK_FREQUENCY.
    DEVICE_ADDRESS_BITS = 0x100D,                   ///< CL_DEVICE_ADDRESS_BITS.
    DEVICE_MAX_READ_IMAGE_ARGS = 0x100E,            ///< CL_DEVICE_MAX_READ_IMAGE_ARGS.
    DEVICE_MAX_WRITE_IMAGE_ARGS = 0x100F,           ///< CL_DEVICE_MAX_WRITE_IMAGE_ARGS.
    DEVICE_MAX_MEM_ALLOC_SIZE = 0x1010,             ///< CL_DEVICE_MAX_MEM_ALLOC_SIZE.
    DEVICE_IMAGE2D_MAX_WIDTH = 0x1011,              ///< CL_DEVICE_IMAGE2D_MAX_WIDTH.
    DEVICE_IMAGE2D_MAX_HEIGHT = 0x1012,             ///< CL_DEVICE_IMAGE2D_MAX_HEIGHT.
    DEVICE_IMAGE3D_MAX_WIDTH = 0x1013,              ///< CL_DEVICE_IMAGE3D_MAX_WIDTH.
    DEVICE_IMAGE3D_MAX_HEIGHT = 0x1014,             ///< CL_DEVICE_IMAGE3D_MAX_HEIGHT.
    DEVICE_IMAGE3D_MAX_DEPTH = 0x1015,              ///< CL_DEVICE_IMAGE3D_MAX_DEPTH.
    DEVICE_IMAGE_SUPPORT = 0x1016,                  ///< CL_DEVICE_IMAGE_SUPPORT.
    DEVICE_MAX_PARAMETER_SIZE = 0x1017,             ///< CL_DEVICE_MAX_PARAMETER_SIZE.
    DEVICE_MAX_SAMPLERS = 0x1018,                   ///< CL_DEVICE_MAX_SAMPLERS.
    DEVICE_MEM_BASE_ADDR_ALIGN = 0x1019,            ///< CL_DEVICE_MEM_BASE_ADDR_ALIGN.
    DEVICE_MIN_DATA_TYPE_ALIGN_SIZE = 0x101A,       ///< CL_DEVICE_MIN_DATA_TYPE_ALIGN_SIZE.
    DEVICE_SINGLE_FP_CONFIG = 0x101B,               ///< CL_DEVICE_SINGLE_FP_CONFIG.
    DEVICE_GLOBAL_MEM_CACHE_TYPE = 0x101C,          ///< CL_DEVICE_GLOBAL_MEM_CACHE_TYPE.
    DEVICE_GLOBAL_MEM_CACHELINE_SIZE = 0x101D,      ///< CL_DEVICE_GLOBAL_MEM_CACHELINE_SIZE.
    DEVICE_GLOBAL_MEM_CACHE_SIZE = 0x101E,          ///< CL_DEVICE_GLOBAL_MEM_CACHE_SIZE.
    DEVICE_GLOBAL_MEM_SIZE = 0x101F,                ///< CL_DEVICE_GLOBAL_MEM_SIZE.
    DEVICE_MAX_CONSTANT_BUFFER_SIZE = 0x1020,       ///< CL_DEVICE_MAX_CONSTANT_BUFFER_SIZE.
    DEVICE_MAX_CONSTANT_ARGS = 0x1021,              ///< CL_DEVICE_MAX_CONSTANT_ARGS.
    DEVICE_LOCAL_MEM_TYPE = 0x1022,                 ///< CL_DEVICE_LOCAL_MEM_TYPE.
    DEVICE_LOCAL_MEM_SIZE = 0x1023,                 ///< CL_DEVICE_LOCAL_MEM_SIZE.
    DEVICE_ERROR_CORRECTION_SUPPORT = 0x1024,       ///< CL_DEVICE_ERROR_CORRECTION_SUPPORT.
    DEVICE_PROFILING_TIMER_RESOLUTION = 0x1025,     ///< CL_DEVICE_PROFILING_TIMER_RESOLUTION.
    DEVICE_ENDIAN_LITTLE = 0x1026,                  ///< CL_DEVICE_ENDIAN_LITTLE.
    DEVICE_AVAILABLE = 0x1027,                      ///< CL_DEVICE_AVAILABLE.
    DEVICE_COMPILER_AVAILABLE = 0x1028,             ///< CL_DEVICE_COMPILER_AVAILABLE.
    DEVICE_EXECUTION_CAPABILITIES = 0x1029,         ///< CL_DEVICE_EXECUTION_CAPABILITIES.
    DEVICE_QUEUE_PROPERTIES = 0x102A,               ///< CL_DEVICE_QUEUE_PROPERTIES.
    DEVICE_NAME = 0x102B,                           ///< CL_DEVICE_NAME.
    DEVICE_VENDOR = 0x102C,                         ///< CL_DEVICE_VENDOR.
    DRIVER_VERSION = 0x102D,                        ///< CL_DRIVER_VERSION.
    DEVICE_PROFILE = 0x102E,                        ///< CL_DEVICE_PROFILE.
    DEVICE_VERSION = 0x102F,                        ///< CL_DEVICE_VERSION.
    DEVICE_EXTENSIONS = 0x1030,                     ///< CL_DEVICE_EXTENSIONS.
    DEVICE_PLATFORM = 0x1031,                       ///< CL_DEVICE_PLATFORM.
    DEVICE_DOUBLE_FP_CONFIG = 0x1032,               ///< CL_DEVICE_DOUBLE_FP_CONFIG.
    DEVICE_HALF_FP_CONFIG = 0x1033,                 ///< CL_DEVICE_HALF_FP_CONFIG.
    DEVICE_PREFERRED_VECTOR_WIDTH_HALF = 0x1034,    ///< CL_DEVICE_PREFERRED_VECTOR_WIDTH_HALF.
    DEVICE_HOST_UNIFIED_MEMORY = 0x1035,            ///< CL_DEVICE_HOST_UNIFIED_MEMORY.
    DEVICE_NATIVE_VECTOR_WIDTH_CHAR = 0x1036,       ///< CL_DEVICE_NATIVE_VECTOR_WIDTH_CHAR.
    DEVICE_NATIVE_VECTOR_WIDTH_SHORT = 0x1037,      ///< CL_DEVICE_NATIVE_VECTOR_WIDTH_SHORT.
    DEVICE_NATIVE_VECTOR_WIDTH_INT = 0x1038,        ///< CL_DEVICE_NATIVE_VECTOR_WIDTH_INT.
    DEVICE_NATIVE_VECTOR_WIDTH_LONG = 0x1039,       ///< CL_DEVICE_NATIVE_VECTOR_WIDTH_LONG.
    DEVICE_NATIVE_VECTOR_WIDTH_FLOAT = 0x103A,      ///< CL_DEVICE_NATIVE_VECTOR_WIDTH_FLOAT.
    DEVICE_NATIVE_VECTOR_WIDTH_DOUBLE = 0x103B,     ///< CL_DEVICE_NATIVE_VECTOR_WIDTH_DOUBLE.
    DEVICE_NATIVE_VECTOR_WIDTH_HALF = 0x103C,       ///< CL_DEVICE_NATIVE_VECTOR_WIDTH_HALF.
    DEVICE_OPENCL_C_VERSION = 0x103D                ///< CL_DEVICE_OPENCL_C_VERSION.
};

/// The identity name of a value type, as the device-property type table records it. On this
/// 64-bit platform size_t and cl_ulong are one type and so share a name; both are 8 bytes.
/// The platform handle has the fixed name "cl_platform_id". Throws nothing but std::bad_alloc.
template <class T>
std::string GetTypeName() {
    return typeid(T).name();
}
template <>
inline std::string GetTypeName<cl_platform_id>() {
    return "cl_platform_id";
}

/// The type name recorded for a property; empty for a property without a value type. The
/// argument must lie between DEVICE_TYPE and DEVICE_OPENCL_C_VERSION; it is not checked.
/// Throws nothing.
VEK_EXPORT const std::string& GetPropertyTypeName(DeviceProperty property);

/// Fills the table; called once per start-up of the layer, under its start-up mutex. Throws
/// InternalException for a property outside the table.
void FillDevicePropertyTypeTable();

}  // namespace Enum
}  // namespace OCL
}  // namespace VEK
