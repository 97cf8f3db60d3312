#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "vek/Export.h"
#include "vek/vek_ocl/Context.h"
#include "vek/vek_ocl/Device.h"
#include "vek/vek_ocl/Kernel.h"
#include "vek/vek_ocl/NotifyCallback.h"
#include "vek/vek_ocl/OpenCLObjectWrapper.h"

namespace VEK {
namespace OCL {

/// A compute program from source text or device binaries. It keeps its context alive. A value
/// class that shares its handle by reference counting; the creating constructors hand a handle
/// that OpenCL returned with a failing status back before they throw.
class VEK_EXPORT Program : public OpenCLObjectWrapper<cl_program> {
public:
    /// Device binaries, one per device, owned.
    class VEK_EXPORT BinaryArray {
    public:
        /// Copies the device handles, the sizes and the binaries. Throws InternalException
        /// when the device and size counts differ, or else the size and binary counts.
        BinaryArray(const std::vector<Device>& devs, const std::vector<std::size_t>& sizes,
                    const std::vector<std::vector<unsigned char>>& binaries);
        /// Copies count = devices.size() sizes and as many binaries of those sizes. The
        /// pointers must hold that many entries; nothing is checked. Throws nothing but
        /// std::bad_alloc.
        BinaryArray(const std::vector<cl_device_id>& devices, const std::size_t* sizes,
                    const unsigned char* const* binaries);

        /// The number of binaries (one per device). Throws nothing.
        std::size_t nBinary() const { return devices_.size(); }
        /// The device of each binary. Throws nothing.
        const std::vector<cl_device_id>& devices() const { return devices_; }
        /// The byte size of each binary, nBinary() of them. Throws nothing.
        const std::size_t* sizes() const { return sizes_.data(); }
        /// A pointer to the first byte of each binary, valid while this array lives. Throws
        /// nothing but std::bad_alloc.
        std::vector<const unsigned char*> binaries() const;

    private:
        std::vector<cl_device_id> devices_;
        std::vector<std::size_t> sizes_;
        std::vector<std::vector<unsigned char>> binaries_;
    };

    /// Called by OpenCL, on a thread of its own, when an asynchronous build ends.
    typedef void(CL_CALLBACK* NotifyFunction)(cl_program program, void* userData);
    /// The build notification function and its user data, as buildAsync() takes them.
    using NotifyCallback = detail::NotifyCallback<NotifyFunction>;

    /// The state of a program's build for one device.
    enum BuildStatus {
        BuildNone = 0,       ///< CL_BUILD_NONE: no build (also any status not listed).
        BuildError = 1,      ///< CL_BUILD_ERROR: the build failed.
        BuildSuccess = 2,    ///< CL_BUILD_SUCCESS: the build succeeded.
        BuildInProgress = 3  ///< CL_BUILD_IN_PROGRESS: the build is running.
    };

    /// From source text (clCreateProgramWithSource); the text is cut at its first zero
    /// character. Throws ExceptionOCL on a failing status.
    Program(const Context& context, const std::string& source);
    /// From device binaries (clCreateProgramWithBinary). Throws ExceptionOCL on a failing
    /// status.
    Program(const Context& context, const BinaryArray& binaries);
    /// Shares the other's program and context and copies its source. Throws nothing but
    /// std::bad_alloc.
    Program(const Program& other) = default;
    /// Shares the other's program and context; the source moves. Throws nothing.
    Program(Program&& other) = default;
    /// Shares the other's program and context, giving back the old ones, and copies its source.
    /// Throws nothing but std::bad_alloc.
    Program& operator=(const Program& other) = default;
    /// As the copy assignment, but the source moves. Throws nothing.
    Program& operator=(Program&& other) = default;

    /// For every device of the context; empty options pass none. A failed build throws
    /// ExceptionOCL (CL_BUILD_PROGRAM_FAILURE, say); its log stays readable.
    void build(const std::string& options);
    /// Blocks until the build for these devices ends. Throws ExceptionOCL on a failing status.
    void build(const std::vector<Device>& devices, const std::string& options);
    /// Returns at once; OpenCL calls back when the build ends. Throws ExceptionOCL when OpenCL
    /// refuses to start the build.
    void buildAsync(const std::vector<Device>& devices, const std::string& options,
                    const NotifyCallback& callback);
    /// The build log for the device, up to its first zero byte. Throws ExceptionOCL on a failing
    /// status.
    std::string buildLog(const Device& device) const;
    /// The state of the build for the device. Throws ExceptionOCL on a failing status.
    BuildStatus buildStatus(const Device& device) const;

    /// The kernel of that name (clCreateKernel). Throws ExceptionOCL on a failing status, such
    /// as CL_INVALID_KERNEL_NAME.
    Kernel kernel(const std::string& name) const;
    /// Every kernel of the program, each holding one reference. Throws ExceptionOCL on a
    /// failing status; kernels made before the failure are given back.
    std::vector<Kernel> kernels() const;

    /// The build state of an OpenCL build status; an unknown status gives BuildNone. Throws
    /// nothing.
    static BuildStatus OCLBuildStatus(cl_build_status status);
    /// The OpenCL build status of a build state; an unknown state gives CL_BUILD_NONE. Throws
    /// nothing.
    static cl_build_status OpenCLBuildStatus(BuildStatus status);

private:
    void buildImpl(const std::vector<Device>& devices, const std::string& options,
                   const NotifyCallback& callback);

    /// Declared in this order so that destruction drops the source, then the context, then
    /// (in the base) the program.
    Context context_;
    std::string source_;
};

}  // namespace OCL
}  // namespace VEK
