#pragma once

#include <cstddef>

#include "vek/Export.h"
#include "vek/vek_ocl/Context.h"
#include "vek/vek_ocl/Memory.h"

namespace VEK {
namespace OGL {
class Texture2D;
class TextureRECT;
class Texture3D;
class Renderbuffer;
}  // namespace OGL

namespace OCL {

/// A compute image: the base of the two- and three-dimensional ones.
class VEK_EXPORT Image : public Memory {
public:
    enum ImageInfo {
        Format = 0,
        ElementSize = 1,
        RowPitch = 2,
        SlicePitch = 3,
        Width = 4,
        Height = 5,
        Depth = 6
    };

    Image() = default;
    Image(const Image& other) = default;
    Image(Image&& other) = default;
    Image& operator=(const Image& other) = default;
    Image& operator=(Image&& other) = default;

    /// clGetImageInfo; an info value outside the enumeration asks for code 0.
    void getInfo(ImageInfo info, std::size_t size, void* destination,
                 std::size_t* returnedSize) const;
    using Memory::getInfo;

protected:
    static cl_image_info ConvertImageInfo(ImageInfo info);
};

class VEK_EXPORT Image2D : public Image {
public:
    Image2D() = default;
    /// Over the caller's memory, which must outlive the image (CL_MEM_USE_HOST_PTR).
    Image2D(const Context& context, MemoryAccessFlags access, cl_image_format format,
            std::size_t width, std::size_t height, std::size_t rowPitch, void* hostMemory);
    /// A copy of the caller's pixels (CL_MEM_COPY_HOST_PTR).
    Image2D(const Context& context, MemoryAccessFlags access, bool allocateHost,
            cl_image_format format, std::size_t width, std::size_t height, std::size_t rowPitch,
            const void* hostMemory);
    /// Uninitialised.
    Image2D(const Context& context, MemoryAccessFlags access, bool allocateHost,
            cl_image_format format, std::size_t width, std::size_t height, std::size_t rowPitch);
    /// Over one mip level of an OpenGL texture (clCreateFromGLTexture2D with the texture's
    /// target, the level and its name, as the texture reports them now; nothing is bound or
    /// checked). The context must share the OpenGL context that owns it, and its devices must
    /// list cl_khr_gl_sharing, else ExceptionOCL with CL_INVALID_OPERATION before OpenCL is asked.
    /// OpenCL judges the texture and the level: what it refuses throws its status.
    Image2D(const Context& context, MemoryAccessFlags access, const OGL::Texture2D& texture,
            unsigned mipLevel);
    Image2D(const Context& context, MemoryAccessFlags access, const OGL::TextureRECT& texture,
            unsigned mipLevel);
    /// Over an OpenGL renderbuffer (clCreateFromGLRenderbuffer with its name); as above.
    Image2D(const Context& context, MemoryAccessFlags access,
            const OGL::Renderbuffer& renderbuffer);
    Image2D(const Image2D& other) = default;
    Image2D(Image2D&& other) = default;
    Image2D& operator=(const Image2D& other) = default;
    Image2D& operator=(Image2D&& other) = default;

private:
    void create(const Context& context, cl_mem_flags flags, const cl_image_format& format,
                std::size_t width, std::size_t height, std::size_t rowPitch, void* hostMemory);
    void createFromTexture(const Context& context, cl_mem_flags flags, unsigned target,
                           unsigned mipLevel, unsigned name);
};

class VEK_EXPORT Image3D : public Image {
public:
    Image3D() = default;
    Image3D(const Context& context, MemoryAccessFlags access, cl_image_format format,
            std::size_t width, std::size_t height, std::size_t depth, std::size_t rowPitch,
            std::size_t slicePitch, void* hostMemory);
    Image3D(const Context& context, MemoryAccessFlags access, bool allocateHost,
            cl_image_format format, std::size_t width, std::size_t height, std::size_t depth,
            std::size_t rowPitch, std::size_t slicePitch, const void* hostMemory);
    Image3D(const Context& context, MemoryAccessFlags access, bool allocateHost,
            cl_image_format format, std::size_t width, std::size_t height, std::size_t depth,
            std::size_t rowPitch, std::size_t slicePitch);
    /// Over one mip level of an OpenGL 3-D texture (clCreateFromGLTexture3D); as for Image2D.
    Image3D(const Context& context, MemoryAccessFlags access, const OGL::Texture3D& texture,
            unsigned mipLevel);
    Image3D(const Image3D& other) = default;
    Image3D(Image3D&& other) = default;
    Image3D& operator=(const Image3D& other) = default;
    Image3D& operator=(Image3D&& other) = default;

private:
    void create(const Context& context, cl_mem_flags flags, const cl_image_format& format,
                std::size_t width, std::size_t height, std::size_t depth, std::size_t rowPitch,
                std::size_t slicePitch, void* hostMemory);
};

}  // namespace OCL
}  // namespace VEK
