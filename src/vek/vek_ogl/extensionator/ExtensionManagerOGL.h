#pragma once

#include <iosfwd>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "vek/Export.h"
#include "vek/platform/System.h"
#include "vek/vek_ogl/LibraryOGL.h"
#include "vek/vek_ogl/extensionator/EntryPointLookup.h"
#include "vek/vek_ogl/extensionator/FunctionTable.h"
#include "vek/vek_ogl/extensionator/OpenGLExtension.h"
#include "vek/vek_ogl/extensionator/generated/OpenGLTableGroups.h"
#include "vek/vek_ogl/extensionator/wgl/generated/WGLExtensions.h"
#include "vek/vek_ogl/ogl/DisplayDeviceKey.h"
#include "vek/vek_ogl/ogl/Texture.h"

namespace VEK {
namespace OGL {

class Context;
class OpenGLInterceptorDecorator;
class WGLInterceptorDecorator;

// The requested context profile; stored and handed on, never branched on.
enum OpenGLProfile : std::int32_t {
    OGL_PROFILE_DEFAULT = 0,
};

// For one rendering context: the driver's vendor, versions and extensions, the entry points of
// every version and extension the library knows, and the support questions of every other
// class. Managers are found by rendering-context handle from any thread.
class VEK_EXPORT ExtensionManager {
public:
    // The library's two flags, and the requested profile that contexts copy.
    class InitOptions : public Library::InitOptions {
    public:
        OpenGLProfile openGLProfile() const { return openGLProfile_; }
        void setOpenGLProfile(OpenGLProfile value) { openGLProfile_ = value; }

    private:
        OpenGLProfile openGLProfile_ = OGL_PROFILE_DEFAULT;
    };

    // Installs options for its lifetime and puts the previous ones back; nests.
    class VEK_EXPORT ScopedInitOptions {
    public:
        explicit ScopedInitOptions(const InitOptions& options);
        ~ScopedInitOptions();
        ScopedInitOptions(const ScopedInitOptions&) = delete;
        ScopedInitOptions& operator=(const ScopedInitOptions&) = delete;

    private:
        InitOptions saved_;
    };

    enum Vendor { VENDOR_OTHER = 0, VENDOR_AMD = 1, VENDOR_NVIDIA = 2, VENDOR_INTEL = 3 };

    // The manager of the calling thread's current context, or null when it is not registered.
    static ExtensionManager* Instance();
    static ExtensionManager* Instance(HGLRC const& context);
    // The manager of the context's display (of a null context: the null manager), made on a
    // bootstrap context of that display when it is the display's first.
    static ExtensionManager* Instance(Context const* context);
    static ExtensionManager* Instance(DisplayDeviceKey const& key);
    // Maps the context's rendering-context handle to its display's manager; a handle already
    // registered keeps its manager.
    static void RegisterContext(Context const& context);
    static void UnRegisterContext(Context const& context);
    // The table of the current context's manager; a context met for the first time gets a
    // manager made on it and registered. Kept per thread until the current context or the
    // registry changes.
    static FunctionTable const& CurrentTable();
    static InitOptions const& CurrentInitOptions() { return sInitOptions_; }
    static void SetInitOptions(InitOptions const& options) { sInitOptions_ = options; }
    // Empties both registries, destroying the display managers (the managers made by
    // CurrentTable stay alive until exit).
    static void Terminate();

    ~ExtensionManager();
    ExtensionManager(const ExtensionManager&) = delete;
    ExtensionManager& operator=(const ExtensionManager&) = delete;

    bool isSupported(OpenGLExtension extension) const {
        return supportedExtensions_.count(extension) != 0;
    }
    // Loads an extension or version on demand; true when it is (now) supported.
    bool initialize(OpenGLExtension extension);
    bool initializeGL(OpenGLExtension extension);
    // WGL values: the loader's result where the extension has entry points, else true; false
    // for any other value.
    bool initializeWGL(OpenGLExtension extension);
    OpenGLExtension nameToEnumGL(char const* name) const;
    static OpenGLExtension nameToEnumWGL(char const* name);

    // One loader per function-table group: init_GL_VERSION_1_2() and so on.
#define VEK_GL_DECLARE_LOADER(Group, Enumerator, First, Count) bool init_##Group();
    VEK_GL_TABLE_GROUPS(VEK_GL_DECLARE_LOADER)
#undef VEK_GL_DECLARE_LOADER

    unsigned majorVersion() const {
        return majorVersion_;
    }
    unsigned minorVersion() const {
        return minorVersion_;
    }
    unsigned glslMajorVersion() const {
        return glslMajorVersion_;
    }
    unsigned glslMinorVersion() const {
        return glslMinorVersion_;
    }
    bool hasReleaseVersion() const {
        return releaseVersion_ != -1;
    }
    unsigned releaseVersion() const;
    std::string additionalVersionInfo() const {
        return additionalVersionInfo_;
    }
    Vendor vendor() const {
        return vendor_;
    }
    std::string vendorString() const;

    std::set<OpenGLExtension> const& supportedExtensions() const {
        return supportedExtensions_;
    }
    std::vector<std::string> const& supportedExtensionNames() const {
        return supportedExtensionNames_;
    }
    InitOptions const& initOptions() const {
        return initOptions_;
    }
    // The display the manager was made for; empty for one made on a bare handle.
    DisplayDeviceKey const& displayDeviceKey() const {
        return displayDeviceKey_;
    }
    FunctionTable const& table() const;

    bool supportsClampToEdge() const;
    bool supportsTexture3D() const;
    bool supportsMultiTexture() const;
    bool supportsDrawBuffers() const;
    bool supportsFloatingPointTextures() const;
    bool supports16BitFloat() const;
    bool supportsNonPowerOfTwoTextures() const {
        return supportsNPOT_;
    }
    bool supportsPixelBuffers() const;
    bool supportsRenderToTexture() const;
    bool supportsRenderToTextureRectangle() const;
    int numberOfTextureUnits() const;

    // Whether the driver filters GL_RGBA32F (GL_RGBA16F) textures linearly, found by rendering
    // a small test once per manager on an off-screen context sharing with the current one; the
    // current context is the same afterwards. Any failure on the way answers false, and the
    // answer is kept. The half-float question is false, and not kept, without
    // GL_EXT_gpu_shader4. The test renders to a texture through a framebuffer object, so it
    // needs GL_EXT_framebuffer_object and a context with fixed-function drawing.
    bool supportsFloatFiltering();
    bool supportsHalfFiltering();

    // The process-wide chain, made with its error checker first when empty (Instance's rule).
    void addInterceptor(OpenGLInterceptorDecorator* decorator);
    OpenGLInterceptorDecorator* popInterceptor();
    // The same for the window-system chain, made with its default checker first when empty.
    static void addWGLInterceptor(WGLInterceptorDecorator* decorator);
    static WGLInterceptorDecorator* popWGLInterceptor();

private:
    // Creation reads the display's driver for its contexts.
    friend class Context;
    struct DeviceRegistry;

    explicit ExtensionManager(HGLRC context);
    // Makes the context current and reads its driver.
    explicit ExtensionManager(Context* context);

    static ExtensionManager* Create(DisplayDeviceKey const& key);
    static ExtensionManager* Find(DisplayDeviceKey const& key);

    static FunctionTable const& CurrentTableLookup(HGLRC context);
    static ExtensionManager* Create(HGLRC context);
    static ExtensionManager* NullExtensionManager();
    static void TokenizeExtensionString(std::string const& text, std::vector<std::string>& names);

    internal::EntryPoint getWglCreateContextAttribsPtr() const {
        return createContextAttribs_;
    }

    void initialize();
    void loadVersionLadder();
    void readWGLExtensions();

    // One loader per WGL extension with entry points: init_WGL_ARB_pbuffer() and so on.
#define VEK_WGL_DECLARE_LOADER(Extension, Enumerator) bool init_##Extension();
    VEK_WGL_LOADED_EXTENSIONS(VEK_WGL_DECLARE_LOADER)
#undef VEK_WGL_DECLARE_LOADER
    std::string getExtensionsString() const;
    bool tryInitializing(OpenGLExtension extension, bool required);

    // The filtering test itself, uncached and letting exceptions pass.
    bool testFloatFiltering();
    bool testHalfFiltering();
    bool runFilteringTest(Texture::InternalFormat format);

    internal::EntryPoint createContextAttribs_ = nullptr;
    std::set<OpenGLExtension> supportedExtensions_;
    unsigned majorVersion_ = 0;
    unsigned minorVersion_ = 0;
    int releaseVersion_ = -1;
    std::string additionalVersionInfo_;
    Vendor vendor_ = VENDOR_OTHER;
    bool supportsNPOT_ = false;
    bool halfFilteringTested_ = false;
    bool halfFiltering_ = false;
    bool floatFilteringTested_ = false;
    bool floatFiltering_ = false;
    std::shared_ptr<FunctionTable> tableExt_;
    DisplayDeviceKey displayDeviceKey_;
    std::vector<std::string> supportedExtensionNames_;
    InitOptions initOptions_;
    unsigned glslMajorVersion_ = 0;
    unsigned glslMinorVersion_ = 0;

    // Display identifier -> the display's manager (owning).
    static DeviceRegistry sDeviceRegistry_;
    static ExtensionManager* sCachedNullExtMgrInstance_;
    static InitOptions sInitOptions_;
};

// Writes the versions and the driver's extension names.
VEK_EXPORT std::ostream& operator<<(std::ostream& stream, ExtensionManager const& manager);

}  // namespace OGL
}  // namespace VEK
