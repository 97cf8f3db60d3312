#include "vek/vek_ocl/Platform.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ocl/ExceptionOCL.h"
#include "vek/vek_ocl/ExtensionManager.h"

namespace VEK {
namespace OCL {

using detail::Table;

std::string Platform::getInfo(cl_platform_info code) const {
    VEK_ASSERT(id() != 0);
    std::size_t size = 0;
    VEK_OCL_CHECK(Table().clGetPlatformInfo(id(), code, 0, nullptr, &size));
    // One more zero than asked for, in case the text arrives without its terminator.
    std::vector<char> text(size + 1, '\0');
    VEK_OCL_CHECK(Table().clGetPlatformInfo(id(), code, size, text.data(), nullptr));
    return std::string(text.data());
}

std::string Platform::name() const {
    return getInfo(CL_PLATFORM_NAME);
}

std::string Platform::vendor() const {
    return getInfo(CL_PLATFORM_VENDOR);
}

std::string Platform::version() const {
    return getInfo(CL_PLATFORM_VERSION);
}

std::string Platform::extensions() const {
    return getInfo(CL_PLATFORM_EXTENSIONS);
}

Enum::Profile Platform::profile() const {
    return ProfileFromText(getInfo(CL_PLATFORM_PROFILE));
}

std::vector<Device> Platform::devices(Device::Type type) const {
    cl_uint count = 0;
    const cl_device_type bits = static_cast<cl_device_type>(type);
    VEK_OCL_CHECK(Table().clGetDeviceIDs(id(), bits, 0, nullptr, &count));
    std::vector<cl_device_id> ids(count);
    VEK_OCL_CHECK(Table().clGetDeviceIDs(id(), bits, count, ids.data(), &count));
    ids.resize(std::min<std::size_t>(ids.size(), count));
    return std::vector<Device>(ids.begin(), ids.end());
}

bool Platform::isSupported(Enum::Extension extension) const {
    // A value outside the token table has no name and asks for nothing, so it is supported.
    const std::string token = ExtensionManager::ExtensionEnumToString(extension);
    return token.empty() || detail::ListsExtension(extensions(), token);
}

std::vector<Platform> platforms() {
    cl_uint count = 0;
    VEK_OCL_CHECK(Table().clGetPlatformIDs(0, nullptr, &count));
    std::vector<cl_platform_id> ids(count);
    VEK_OCL_CHECK(Table().clGetPlatformIDs(count, ids.data(), &count));
    ids.resize(std::min<std::size_t>(ids.size(), count));
    return std::vector<Platform>(ids.begin(), ids.end());
}

Enum::Profile ProfileFromText(const std::string& text) {
    if (text == "FULL_PROFILE") {
        return Enum::FullProfile;
    }
    if (text == "EMBEDDED_PROFILE") {
        return Enum::EmbeddedProfile;
    }
    return Enum::UnknownProfile;
}

}  // namespace OCL
}  // namespace VEK
