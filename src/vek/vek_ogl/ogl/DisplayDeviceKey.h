#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "vek/Export.h"

namespace VEK {
namespace OGL {

/// Names a display: the output, the adapter driving it and the adapter's device identifier in
/// decimal. The empty key stands for no display (a context made from a bare handle).
class VEK_EXPORT DisplayDeviceKey {
public:
    DisplayDeviceKey() = default;
    DisplayDeviceKey(std::string outputName, std::string adapterDescription,
                     std::string deviceIdentifier);

    const std::string& outputName() const { return outputName_; }
    const std::string& adapterDescription() const { return adapterDescription_; }
    const std::string& deviceIdentifier() const { return deviceIdentifier_; }
    bool empty() const;

    bool operator==(const DisplayDeviceKey& other) const;
    bool operator!=(const DisplayDeviceKey& other) const { return !(*this == other); }
    std::size_t hash() const;

private:
    std::string outputName_;
    std::string adapterDescription_;
    std::string deviceIdentifier_;
};

/// "output (adapter, device identifier)"
VEK_EXPORT std::ostream& operator<<(std::ostream& stream, const DisplayDeviceKey& key);

}  // namespace OGL
}  // namespace VEK
