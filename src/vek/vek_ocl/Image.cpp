#include "vek/vek_ocl/Image.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ocl/ExceptionOCL.h"
#include "vek/vek_ocl/ExtensionManager.h"
#include "vek/vek_ocl/internal/GLSharingGuard.h"
#include "vek/vek_ogl/ogl/Renderbuffer.h"
#include "vek/vek_ogl/ogl/Texture2.h"
#include "vek/vek_ogl/ogl/Texture3.h"

namespace VEK {
namespace OCL {

using detail::Table;

namespace {

cl_mem_flags AllocateHost(bool allocateHost) {
    return allocateHost ? CL_MEM_ALLOC_HOST_PTR : 0;
}

}  // namespace

void Image::getInfo(ImageInfo info, std::size_t size, void* destination,
                    std::size_t* returnedSize) const {
    VEK_OCL_CHECK(
        Table().clGetImageInfo(id(), ConvertImageInfo(info), size, destination, returnedSize));
}

cl_image_info Image::ConvertImageInfo(ImageInfo info) {
    return info >= Format && info <= Depth ? CL_IMAGE_FORMAT + static_cast<cl_image_info>(info) : 0;
}

Image2D::Image2D(const Context& context, MemoryAccessFlags access, cl_image_format format,
                 std::size_t width, std::size_t height, std::size_t rowPitch, void* hostMemory) {
    if (hostMemory == nullptr) {
        throw InternalException(__FILE__, __LINE__,
                                "NULL host memory pointer passed to Image2D constructor.");
    }
    create(context, AccessFlags(access) | CL_MEM_USE_HOST_PTR, format, width, height, rowPitch,
           hostMemory);
}

Image2D::Image2D(const Context& context, MemoryAccessFlags access, bool allocateHost,
                 cl_image_format format, std::size_t width, std::size_t height,
                 std::size_t rowPitch, const void* hostMemory) {
    if (hostMemory == nullptr) {
        throw InternalException(__FILE__, __LINE__,
                                "NULL host memory pointer passed to Image2D constructor.");
    }
    create(context, AccessFlags(access) | CL_MEM_COPY_HOST_PTR | AllocateHost(allocateHost), format,
           width, height, rowPitch, const_cast<void*>(hostMemory));
}

Image2D::Image2D(const Context& context, MemoryAccessFlags access, bool allocateHost,
                 cl_image_format format, std::size_t width, std::size_t height,
                 std::size_t rowPitch) {
    create(context, AccessFlags(access) | AllocateHost(allocateHost), format, width, height,
           rowPitch, nullptr);
}

Image2D::Image2D(const Context& context, MemoryAccessFlags access, const OGL::Texture2D& texture,
                 unsigned mipLevel) {
    createFromTexture(context, AccessFlags(access), texture.target(), mipLevel, texture.objectID());
}

Image2D::Image2D(const Context& context, MemoryAccessFlags access, const OGL::TextureRECT& texture,
                 unsigned mipLevel) {
    createFromTexture(context, AccessFlags(access), texture.target(), mipLevel, texture.objectID());
}

Image2D::Image2D(const Context& context, MemoryAccessFlags access,
                 const OGL::Renderbuffer& renderbuffer) {
    VEK_OCL_REQUIRE_GL_SHARING(context.id());
    cl_int status = CL_SUCCESS;
    const cl_mem handle = Table().clCreateFromGLRenderbuffer(context.id(), AccessFlags(access),
                                                             renderbuffer.objectID(), &status);
    adopt(handle, status, __FILE__, __LINE__);
}

void Image2D::createFromTexture(const Context& context, cl_mem_flags flags, unsigned target,
                                unsigned mipLevel, unsigned name) {
    VEK_OCL_REQUIRE_GL_SHARING(context.id());
    cl_int status = CL_SUCCESS;
    // The level goes to OpenCL as its signed argument, unchecked: OpenCL refuses a bad one.
    const cl_mem handle = Table().clCreateFromGLTexture2D(
        context.id(), flags, target, static_cast<cl_GLint>(mipLevel), name, &status);
    adopt(handle, status, __FILE__, __LINE__);
}

void Image2D::create(const Context& context, cl_mem_flags flags, const cl_image_format& format,
                     std::size_t width, std::size_t height, std::size_t rowPitch,
                     void* hostMemory) {
    cl_int status = CL_SUCCESS;
    const cl_mem handle = Table().clCreateImage2D(context.id(), flags, &format, width, height,
                                                  rowPitch, hostMemory, &status);
    adopt(handle, status, __FILE__, __LINE__);
}

Image3D::Image3D(const Context& context, MemoryAccessFlags access, cl_image_format format,
                 std::size_t width, std::size_t height, std::size_t depth, std::size_t rowPitch,
                 std::size_t slicePitch, void* hostMemory) {
    if (hostMemory == nullptr) {
        throw InternalException(__FILE__, __LINE__,
                                "NULL host memory pointer passed to Image3D constructor.");
    }
    create(context, AccessFlags(access) | CL_MEM_USE_HOST_PTR, format, width, height, depth,
           rowPitch, slicePitch, hostMemory);
}

Image3D::Image3D(const Context& context, MemoryAccessFlags access, bool allocateHost,
                 cl_image_format format, std::size_t width, std::size_t height, std::size_t depth,
                 std::size_t rowPitch, std::size_t slicePitch, const void* hostMemory) {
    if (hostMemory == nullptr) {
        throw InternalException(__FILE__, __LINE__,
                                "NULL host memory pointer passed to Image3D constructor.");
    }
    create(context, AccessFlags(access) | CL_MEM_COPY_HOST_PTR | AllocateHost(allocateHost), format,
           width, height, depth, rowPitch, slicePitch, const_cast<void*>(hostMemory));
}

Image3D::Image3D(const Context& context, MemoryAccessFlags access, bool allocateHost,
                 cl_image_format format, std::size_t width, std::size_t height, std::size_t depth,
                 std::size_t rowPitch, std::size_t slicePitch) {
    create(context, AccessFlags(access) | AllocateHost(allocateHost), format, width, height, depth,
           rowPitch, slicePitch, nullptr);
}

Image3D::Image3D(const Context& context, MemoryAccessFlags access, const OGL::Texture3D& texture,
                 unsigned mipLevel) {
    VEK_OCL_REQUIRE_GL_SHARING(context.id());
    cl_int status = CL_SUCCESS;
    const cl_mem handle = Table().clCreateFromGLTexture3D(
        context.id(), AccessFlags(access), texture.target(), static_cast<cl_GLint>(mipLevel),
        texture.objectID(), &status);
    adopt(handle, status, __FILE__, __LINE__);
}

void Image3D::create(const Context& context, cl_mem_flags flags, const cl_image_format& format,
                     std::size_t width, std::size_t height, std::size_t depth, std::size_t rowPitch,
                     std::size_t slicePitch, void* hostMemory) {
    cl_int status = CL_SUCCESS;
    const cl_mem handle = Table().clCreateImage3D(context.id(), flags, &format, width, height,
                                                  depth, rowPitch, slicePitch, hostMemory, &status);
    adopt(handle, status, __FILE__, __LINE__);
}

}  // namespace OCL
}  // namespace VEK
