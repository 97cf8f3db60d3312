#pragma once

#include <set>
#include <string>

namespace VEK {
namespace Platform {

// What one GL context provides, read from the driver while it is current: version, whether the
// features a core profile removes are gone, and the extension list. Decides from the registry's
// require lists whether an entry point belongs to the context, because the driver's own look-up
// answers with a stub for any name at all.
class ContextFeatures {
public:
    // Reads the calling thread's current context.
    ContextFeatures();

    unsigned version() const { return version_; }  // major * 10 + minor
    bool removesDeprecated() const { return removesDeprecated_; }
    bool hasExtension(const std::string& name) const { return extensions_.count(name) != 0; }
    std::size_t extensionCount() const { return extensions_.size(); }

    // True when the context's version or one of its extensions brings the GL entry point.
    bool provides(const char* name) const;

private:
    unsigned version_ = 0;
    bool removesDeprecated_ = false;
    std::set<std::string> extensions_;
};

}  // namespace Platform
}  // namespace VEK
