#pragma once

#include <string>

#include "vek/Export.h"

namespace VEK {
namespace OGL {

/// The text of glGetString(name) for the current context, called directly; empty when the driver
/// returns null, and then the error the refused name raised is not left pending.
VEK_EXPORT std::string GetGLString(unsigned name);

/// The base of every OpenGL resource wrapper: the object's name, the target it binds to and the
/// query that answers which name is bound there. Each derived class deletes its own object.
class VEK_EXPORT Object {
public:
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    unsigned objectID() const { return objectID_; }
    unsigned target() const { return target_; }
    bool isInitialized() const { return objectID_ != 0; }

    /// The name bound to this object's target now (glGetIntegerv of the binding query).
    unsigned getBoundID() const;
    bool isBound() const { return getBoundID() == objectID_; }

protected:
    Object(unsigned target, unsigned targetBinding);

    unsigned targetBinding() const { return targetBinding_; }
    /// Replaces both enumerants; no OpenGL call.
    void changeTarget(unsigned target, unsigned targetBinding) {
        target_ = target;
        targetBinding_ = targetBinding;
    }

    unsigned objectID_;

private:
    unsigned target_;
    unsigned targetBinding_;
};

}  // namespace OGL
}  // namespace VEK
