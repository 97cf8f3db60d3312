// The system's OpenCL loader frees none of its process-wide records when it is unloaded, and
// the layer unloads it at every Terminate. Holding one extra reference for the whole test
// process keeps those records reachable, so that leak checks report only what is ours.
#include <string>

#include <vek/vek_ocl/LoaderModule.h>

namespace {

const bool kSystemLoaderPinned = VEK::OCL::detail::OpenLoader(std::string()) != nullptr;

}  // namespace
