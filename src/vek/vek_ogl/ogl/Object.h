#pragma once

#include <string>

#include "vek/Export.h"

namespace VEK {
namespace OGL {

/// The text of glGetString(name) for the current context, called directly; empty when the driver
/// returns null, and then the error the refused name raised is not left pending. Throws nothing.
VEK_EXPORT std::string GetGLString(unsigned name);

/// The base of every OpenGL resource wrapper: the object's name, the target it binds to and the
/// query that answers which name is bound there. Each derived class deletes its own object.
/// Not copyable. Every operation that talks to OpenGL needs a context of the object's share group
/// current on the calling thread.
class VEK_EXPORT Object {
public:
    /// Releases nothing: the derived class has deleted its OpenGL object. Throws nothing.
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    /// The OpenGL object name; 0 when there is none. Throws nothing.
    unsigned objectID() const { return objectID_; }
    /// The OpenGL target the object binds to (for example GL_ARRAY_BUFFER). Throws nothing.
    unsigned target() const { return target_; }
    /// Whether the object has a name (objectID() != 0). Throws nothing.
    bool isInitialized() const { return objectID_ != 0; }

    /// The name bound to this object's target now (glGetIntegerv of the binding query).
    /// Throws ExceptionOGL on a GL error.
    unsigned getBoundID() const;
    /// Whether this object is the one bound to its target now. Throws ExceptionOGL on a GL error.
    bool isBound() const { return getBoundID() == objectID_; }

protected:
    /// Sets the target and its binding query, with no name yet; no OpenGL call. Throws nothing.
    Object(unsigned target, unsigned targetBinding);

    /// The glGetIntegerv query that answers which name is bound to target(). Throws nothing.
    unsigned targetBinding() const { return targetBinding_; }
    /// Replaces both enumerants; no OpenGL call. Throws nothing.
    void changeTarget(unsigned target, unsigned targetBinding) {
        target_ = target;
        targetBinding_ = targetBinding;
    }

    unsigned objectID_;  ///< The OpenGL object name, set by the derived class; 0 for none.

private:
    unsigned target_;
    unsigned targetBinding_;
};

}  // namespace OGL
}  // namespace VEK
