#pragma once

namespace VEK {
namespace OCL {
namespace detail {

/// A notification function that OpenCL calls on a thread of its own, and its user data.
template <class Function>
class NotifyCallback {
public:
    /// The function (null for none) and the user data handed to it. Throws nothing.
    explicit NotifyCallback(Function function = nullptr, void* userData = nullptr)
        : pf_notify_(function), user_data_(userData) {}
    /// The notification function, or null. Throws nothing.
    Function pf_notify() const { return pf_notify_; }
    /// The user data passed to the function. Throws nothing.
    void* user_data() const { return user_data_; }

private:
    Function pf_notify_;
    void* user_data_;
};

}  // namespace detail
}  // namespace OCL
}  // namespace VEK
