#include "vek/vek_ocl/Enum.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ocl/Range.h"

namespace VEK {
namespace OCL {
namespace Enum {

namespace {

struct PropertyRow {
    cl_int value = 0;
    std::string typeName;
};

const unsigned table_size = 62;  // DEVICE_TYPE .. DEVICE_OPENCL_C_VERSION
PropertyRow gPropertyTypes[table_size];

template <class T>
void Record(DeviceProperty property) {
    const unsigned property_index = static_cast<unsigned>(property - DEVICE_TYPE);
    VEK_ASSERT(property_index < table_size);
    gPropertyTypes[property_index].value = property;
    gPropertyTypes[property_index].typeName = GetTypeName<T>();
}

}  // namespace

const std::string& GetPropertyTypeName(DeviceProperty property) {
    // Outside the table there is no type, rather than a read past its end.
    static const std::string kNoType;
    const unsigned index = static_cast<unsigned>(property - DEVICE_TYPE);
    return index < table_size ? gPropertyTypes[index].typeName : kNoType;
}

void FillDevicePropertyTypeTable() {
    for (DeviceProperty p :
         {DEVICE_IMAGE2D_MAX_HEIGHT, DEVICE_IMAGE2D_MAX_WIDTH, DEVICE_IMAGE3D_MAX_DEPTH,
          DEVICE_IMAGE3D_MAX_HEIGHT, DEVICE_IMAGE3D_MAX_WIDTH, DEVICE_MAX_PARAMETER_SIZE,
          DEVICE_MAX_WORK_GROUP_SIZE, DEVICE_PROFILING_TIMER_RESOLUTION}) {
        Record<std::size_t>(p);
    }
    // Booleans and enumerated values are read as cl_uint too.
    for (DeviceProperty p : {DEVICE_ADDRESS_BITS,
                             DEVICE_AVAILABLE,
                             DEVICE_COMPILER_AVAILABLE,
                             DEVICE_ENDIAN_LITTLE,
                             DEVICE_ERROR_CORRECTION_SUPPORT,
                             DEVICE_GLOBAL_MEM_CACHE_TYPE,
                             DEVICE_HOST_UNIFIED_MEMORY,
                             DEVICE_IMAGE_SUPPORT,
                             DEVICE_LOCAL_MEM_TYPE,
                             DEVICE_MEM_BASE_ADDR_ALIGN,
                             DEVICE_MIN_DATA_TYPE_ALIGN_SIZE,
                             DEVICE_NATIVE_VECTOR_WIDTH_CHAR,
                             DEVICE_NATIVE_VECTOR_WIDTH_SHORT,
                             DEVICE_NATIVE_VECTOR_WIDTH_INT,
                             DEVICE_NATIVE_VECTOR_WIDTH_LONG,
                             DEVICE_NATIVE_VECTOR_WIDTH_FLOAT,
                             DEVICE_NATIVE_VECTOR_WIDTH_DOUBLE,
                             DEVICE_NATIVE_VECTOR_WIDTH_HALF,
                             DEVICE_PREFERRED_VECTOR_WIDTH_CHAR,
                             DEVICE_PREFERRED_VECTOR_WIDTH_SHORT,
                             DEVICE_PREFERRED_VECTOR_WIDTH_INT,
                             DEVICE_PREFERRED_VECTOR_WIDTH_LONG,
                             DEVICE_PREFERRED_VECTOR_WIDTH_FLOAT,
                             DEVICE_PREFERRED_VECTOR_WIDTH_DOUBLE,
                             DEVICE_VENDOR_ID,
                             DEVICE_GLOBAL_MEM_CACHELINE_SIZE,
                             DEVICE_MAX_CLOCK_FREQUENCY,
                             DEVICE_MAX_COMPUTE_UNITS,
                             DEVICE_MAX_CONSTANT_ARGS,
                             DEVICE_MAX_READ_IMAGE_ARGS,
                             DEVICE_MAX_SAMPLERS,
                             DEVICE_MAX_WORK_ITEM_DIMENSIONS,
                             DEVICE_MAX_WRITE_IMAGE_ARGS}) {
        Record<cl_uint>(p);
    }
    // Bit fields are read as cl_ulong.
    for (DeviceProperty p :
         {DEVICE_EXECUTION_CAPABILITIES, DEVICE_GLOBAL_MEM_CACHE_SIZE, DEVICE_GLOBAL_MEM_SIZE,
          DEVICE_LOCAL_MEM_SIZE, DEVICE_MAX_CONSTANT_BUFFER_SIZE, DEVICE_MAX_MEM_ALLOC_SIZE,
          DEVICE_QUEUE_PROPERTIES, DEVICE_SINGLE_FP_CONFIG, DEVICE_TYPE}) {
        Record<cl_ulong>(p);
    }
    for (DeviceProperty p : {DEVICE_EXTENSIONS, DEVICE_NAME, DEVICE_OPENCL_C_VERSION,
                             DEVICE_PROFILE, DEVICE_VENDOR, DEVICE_VERSION, DRIVER_VERSION}) {
        Record<char*>(p);
    }
    Record<cl_platform_id>(DEVICE_PLATFORM);
    Record<Range<3>>(DEVICE_MAX_WORK_ITEM_SIZES);
}

}  // namespace Enum
}  // namespace OCL
}  // namespace VEK
