#include "vek/vek_ogl/ogl/DisplayDeviceKey.h"

#include <functional>
#include <ostream>
#include <utility>

namespace VEK {
namespace OGL {

DisplayDeviceKey::DisplayDeviceKey(std::string outputName, std::string adapterDescription,
                                   std::string deviceIdentifier)
    : outputName_(std::move(outputName)),
      adapterDescription_(std::move(adapterDescription)),
      deviceIdentifier_(std::move(deviceIdentifier)) {}

bool DisplayDeviceKey::empty() const {
    return outputName_.empty() && adapterDescription_.empty() && deviceIdentifier_.empty();
}

bool DisplayDeviceKey::operator==(const DisplayDeviceKey& other) const {
    return outputName_ == other.outputName_ && adapterDescription_ == other.adapterDescription_ &&
           deviceIdentifier_ == other.deviceIdentifier_;
}

std::size_t DisplayDeviceKey::hash() const {
    const std::hash<std::string> h;
    std::size_t seed = h(outputName_);
    for (const std::string* part : {&adapterDescription_, &deviceIdentifier_}) {
        seed ^= h(*part) + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2);
    }
    return seed;
}

std::ostream& operator<<(std::ostream& stream, const DisplayDeviceKey& key) {
    return stream << key.outputName() << " (" << key.adapterDescription() << ", "
                  << key.deviceIdentifier() << ")";
}

}  // namespace OGL
}  // namespace VEK
