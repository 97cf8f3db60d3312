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
    /// The empty key. Throws nothing.
    DisplayDeviceKey() = default;
    /// The key of the named output, adapter and device identifier. Throws nothing.
    DisplayDeviceKey(std::string outputName, std::string adapterDescription,
                     std::string deviceIdentifier);

    /// The output's name. Throws nothing.
    const std::string& outputName() const { return outputName_; }
    /// The adapter's description. Throws nothing.
    const std::string& adapterDescription() const { return adapterDescription_; }
    /// The adapter's device identifier in decimal; managers are shared per identifier. Throws
    /// nothing.
    const std::string& deviceIdentifier() const { return deviceIdentifier_; }
    /// Whether all three parts are empty. Throws nothing.
    bool empty() const;

    /// All three parts equal. Throws nothing.
    bool operator==(const DisplayDeviceKey& other) const;
    /// Some part differs. Throws nothing.
    bool operator!=(const DisplayDeviceKey& other) const { return !(*this == other); }
    /// A hash combining the three parts. Throws nothing.
    std::size_t hash() const;

private:
    std::string outputName_;
    std::string adapterDescription_;
    std::string deviceIdentifier_;
};

/// Writes "output (adapter, device identifier)". Throws what the stream throws.
VEK_EXPORT std::ostream& operator<<(std::ostream& stream, const DisplayDeviceKey& key);

}  // namespace OGL
}  // namespace VEK
