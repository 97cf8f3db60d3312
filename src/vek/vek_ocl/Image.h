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
    /// The image properties that getInfo() reads.
    enum ImageInfo {
        Format = 0,       ///< CL_IMAGE_FORMAT.
        ElementSize = 1,  ///< CL_IMAGE_ELEMENT_SIZE.
        RowPitch = 2,     ///< CL_IMAGE_ROW_PITCH.
        SlicePitch = 3,   ///< CL_IMAGE_SLICE_PITCH.
        Width = 4,        ///< CL_IMAGE_WIDTH.
        Height = 5,       ///< CL_IMAGE_HEIGHT.
        Depth = 6         ///< CL_IMAGE_DEPTH.
    };

    /// An empty image (null handle). Throws nothing.
    Image() = default;
    /// Shares the other's image (one more reference). Throws nothing.
    Image(const Image& other) = default;
    /// As the copy: the source keeps its image. Throws nothing.
    Image(Image&& other) = default;
    /// Shares the other's image and gives back the old one. Throws nothing.
    Image& operator=(const Image& other) = default;
    /// As the copy assignment: the source keeps its image. Throws nothing.
    Image& operator=(Image&& other) = default;

    /// Reads an image property with clGetImageInfo into destination; an info value outside the
    /// enumeration asks for code 0. Throws ExceptionOCL on a failing status; InternalException
    /// when the OpenCL layer is not initialised.
    void getInfo(ImageInfo info, std::size_t size, void* destination,
                 std::size_t* returnedSize) const;
    using Memory::getInfo;

protected:
    /// The OpenCL code of an image property; 0 for a value outside the enumeration. Throws
    /// nothing.
    static cl_image_info ConvertImageInfo(ImageInfo info);
};

/// A two-dimensional compute image. The creating constructors hand a handle that OpenCL returned
/// with a failing status back before they throw.
class VEK_EXPORT Image2D : public Image {
public:
    /// An empty image (null handle). Throws nothing.
    Image2D() = default;
    /// Over the caller's memory, which must outlive the image (CL_MEM_USE_HOST_PTR). Throws
    /// InternalException for a null hostMemory, before OpenCL is asked; ExceptionOCL on a
    /// failing status.
    Image2D(const Context& context, MemoryAccessFlags access, cl_image_format format,
            std::size_t width, std::size_t height, std::size_t rowPitch, void* hostMemory);
    /// A copy of the caller's pixels (CL_MEM_COPY_HOST_PTR); allocateHost asks for
    /// host-accessible memory as well (CL_MEM_ALLOC_HOST_PTR). Throws InternalException for a
    /// null hostMemory, before OpenCL is asked; ExceptionOCL on a failing status.
    Image2D(const Context& context, MemoryAccessFlags access, bool allocateHost,
            cl_image_format format, std::size_t width, std::size_t height, std::size_t rowPitch,
            const void* hostMemory);
    /// Uninitialised; allocateHost asks for host-accessible memory (CL_MEM_ALLOC_HOST_PTR).
    /// Throws ExceptionOCL on a failing status.
    Image2D(const Context& context, MemoryAccessFlags access, bool allocateHost,
            cl_image_format format, std::size_t width, std::size_t height, std::size_t rowPitch);
    /// Over one mip level of an OpenGL texture (clCreateFromGLTexture2D with the texture's
    /// target, the level and its name, as the texture reports them now; nothing is bound or
    /// checked). The context must share the OpenGL context that owns it, and its devices must
    /// list cl_khr_gl_sharing, else ExceptionOCL with CL_INVALID_OPERATION before OpenCL is asked.
    /// OpenCL judges the texture and the level: what it refuses throws its status.
    Image2D(const Context& context, MemoryAccessFlags access, const OGL::Texture2D& texture,
            unsigned mipLevel);
    /// Over one mip level of an OpenGL rectangle texture (clCreateFromGLTexture2D); as for the
    /// 2-D texture, with the same ExceptionOCL failures.
    Image2D(const Context& context, MemoryAccessFlags access, const OGL::TextureRECT& texture,
            unsigned mipLevel);
    /// Over an OpenGL renderbuffer (clCreateFromGLRenderbuffer with its name); the same
    /// requirements and ExceptionOCL failures as for a texture.
    Image2D(const Context& context, MemoryAccessFlags access,
            const OGL::Renderbuffer& renderbuffer);
    /// Shares the other's image (one more reference). Throws nothing.
    Image2D(const Image2D& other) = default;
    /// As the copy: the source keeps its image. Throws nothing.
    Image2D(Image2D&& other) = default;
    /// Shares the other's image and gives back the old one. Throws nothing.
    Image2D& operator=(const Image2D& other) = default;
    /// As the copy assignment: the source keeps its image. Throws nothing.
    Image2D& operator=(Image2D&& other) = default;

private:
    void create(const Context& context, cl_mem_flags flags, const cl_image_format& format,
                std::size_t width, std::size_t height, std::size_t rowPitch, void* hostMemory);
    void createFromTexture(const Context& context, cl_mem_flags flags, unsigned target,
                           unsigned mipLevel, unsigned name);
};

/// A three-dimensional compute image. The creating constructors hand a handle that OpenCL
/// returned with a failing status back before they throw.
class VEK_EXPORT Image3D : public Image {
public:
    /// An empty image (null handle). Throws nothing.
    Image3D() = default;
    /// Over the caller's memory, which must outlive the image (CL_MEM_USE_HOST_PTR). Throws
    /// InternalException for a null hostMemory, before OpenCL is asked; ExceptionOCL on a
    /// failing status.
    Image3D(const Context& context, MemoryAccessFlags access, cl_image_format format,
            std::size_t width, std::size_t height, std::size_t depth, std::size_t rowPitch,
            std::size_t slicePitch, void* hostMemory);
    /// A copy of the caller's voxels (CL_MEM_COPY_HOST_PTR); allocateHost asks for
    /// host-accessible memory as well (CL_MEM_ALLOC_HOST_PTR). Throws InternalException for a
    /// null hostMemory, before OpenCL is asked; ExceptionOCL on a failing status.
    Image3D(const Context& context, MemoryAccessFlags access, bool allocateHost,
            cl_image_format format, std::size_t width, std::size_t height, std::size_t depth,
            std::size_t rowPitch, std::size_t slicePitch, const void* hostMemory);
    /// Uninitialised; allocateHost asks for host-accessible memory (CL_MEM_ALLOC_HOST_PTR).
    /// Throws ExceptionOCL on a failing status.
    Image3D(const Context& context, MemoryAccessFlags access, bool allocateHost,
            cl_image_format format, std::size_t width, std::size_t height, std::size_t depth,
            std::size_t rowPitch, std::size_t slicePitch);
    /// Over one mip level of an OpenGL 3-D texture (clCreateFromGLTexture3D); the same
    /// requirements and ExceptionOCL failures as for Image2D over a texture.
    Image3D(const Context& context, MemoryAccessFlags access, const OGL::Texture3D& texture,
            unsigned mipLevel);
    /// Shares the other's image (one more reference). Throws nothing.
    Image3D(const Image3D& other) = default;
    /// As the copy: the source keeps its image. Throws nothing.
    Image3D(Image3D&& other) = default;
    /// Shares the other's image and gives back the old one. Throws nothing.
    Image3D& operator=(const Image3D& other) = default;
    /// As the copy assignment: the source keeps its image. Throws nothing.
    Image3D& operator=(Image3D&& other) = default;

private:
    void create(const Context& context, cl_mem_flags flags, const cl_image_format& format,
                std::size_t width, std::size_t height, std::size_t depth, std::size_t rowPitch,
                std::size_t slicePitch, void* hostMemory);
};

}  // namespace OCL
}  // namespace VEK
