#pragma once

#include <set>
#include <string>

namespace VEK {
namespace Platform {

// What one GL context provides, read from the driver while it is current: version, whether the
// features a core profile removes are gone, and the extension list. Decides from the registry's
// require and remove lists whether an entry point belongs to the context: the driver's own
// look-up answers with a stub for any name at all, and opengl32's also for the commands a core
// profile removed. Reading asks only what the context's version defines, so it leaves no GL
// error behind, and it changes nothing on the context.
class ContextFeatures {
public:
    // Reads the calling thread's current context.
    ContextFeatures();

    unsigned version() const { return version_; }  // major * 10 + minor
    bool removesDeprecated() const { return removesDeprecated_; }
    bool hasExtension(const std::string& name) const { return extensions_.count(name) != 0; }
    std::size_t extensionCount() const { return extensions_.size(); }

    // True when the context's version or one of its extensions brings the GL entry point,
    // whether or not the context's profile removed it since.
    bool brings(const char* name) const;
    // True when the context's profile removed the GL entry point and none of its extensions
    // brings it back: a call through it is an error even where a look-up hands it out.
    bool removes(const char* name) const;

private:
    unsigned version_ = 0;
    bool removesDeprecated_ = false;
    std::set<std::string> extensions_;
};

}  // namespace Platform
}  // namespace VEK
