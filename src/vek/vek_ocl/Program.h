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

// A compute program from source text or device binaries. It keeps its context alive.
class VEK_EXPORT Program : public OpenCLObjectWrapper<cl_program> {
public:
    // Device binaries, one per device, owned.
    class VEK_EXPORT BinaryArray {
    public:
        BinaryArray(const std::vector<Device>& devs, const std::vector<std::size_t>& sizes,
                    const std::vector<std::vector<unsigned char>>& binaries);
        // Copies count = devices.size() sizes and as many binaries of those sizes.
        BinaryArray(const std::vector<cl_device_id>& devices, const std::size_t* sizes,
                    const unsigned char* const* binaries);

        std::size_t nBinary() const { return devices_.size(); }
        const std::vector<cl_device_id>& devices() const { return devices_; }
        const std::size_t* sizes() const { return sizes_.data(); }
        std::vector<const unsigned char*> binaries() const;

    private:
        std::vector<cl_device_id> devices_;
        std::vector<std::size_t> sizes_;
        std::vector<std::vector<unsigned char>> binaries_;
    };

    // Called by OpenCL, on a thread of its own, when an asynchronous build ends.
    typedef void(CL_CALLBACK* NotifyFunction)(cl_program program, void* userData);
    using NotifyCallback = detail::NotifyCallback<NotifyFunction>;

    enum BuildStatus { BuildNone = 0, BuildError = 1, BuildSuccess = 2, BuildInProgress = 3 };

    // The text is cut at its first zero character.
    Program(const Context& context, const std::string& source);
    Program(const Context& context, const BinaryArray& binaries);
    Program(const Program& other) = default;
    Program(Program&& other) = default;
    Program& operator=(const Program& other) = default;
    Program& operator=(Program&& other) = default;

    // For every device of the context. A failed build throws; its log stays readable.
    void build(const std::string& options);
    // Blocks until the build for these devices ends.
    void build(const std::vector<Device>& devices, const std::string& options);
    // Returns at once; OpenCL calls back when the build ends.
    void buildAsync(const std::vector<Device>& devices, const std::string& options,
                    const NotifyCallback& callback);
    std::string buildLog(const Device& device) const;
    BuildStatus buildStatus(const Device& device) const;

    Kernel kernel(const std::string& name) const;
    std::vector<Kernel> kernels() const;

    static BuildStatus OCLBuildStatus(cl_build_status status);
    static cl_build_status OpenCLBuildStatus(BuildStatus status);

private:
    void buildImpl(const std::vector<Device>& devices, const std::string& options,
                   const NotifyCallback& callback);

    // Declared in this order so that destruction drops the source, then the context, then
    // (in the base) the program.
    Context context_;
    std::string source_;
};

}  // namespace OCL
}  // namespace VEK
