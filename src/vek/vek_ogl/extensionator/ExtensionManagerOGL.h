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
namespace Platform {
class ContextFeatures;
}  // namespace Platform

namespace OGL {

class Context;
class OpenGLInterceptorDecorator;
class WGLInterceptorDecorator;

/// The requested context profile; stored and handed on, never branched on.
enum OpenGLProfile : std::int32_t {
    OGL_PROFILE_DEFAULT = 0,  ///< The driver's default profile.
};

/// For one rendering context: the driver's vendor, versions and extensions, the entry points of
/// every version and extension the library knows, and the support questions of every other
/// class. Managers are found by rendering-context handle from any thread.
class VEK_EXPORT ExtensionManager {
public:
    /// The library's two flags, and the requested profile that contexts copy.
    ///
    /// debugOutput (on by default): a context the library makes (windowed or off-screen) whose
    /// driver offers GL_KHR_debug or GL_ARB_debug_output logs the driver's error messages, so
    /// that ExceptionOGL carries them. The library enables GL_DEBUG_OUTPUT and
    /// GL_DEBUG_OUTPUT_SYNCHRONOUS on it and lets only the API's error messages into the
    /// driver's bounded log (glDebugMessageControl), so that other messages neither crowd them
    /// out nor pile up; the host may change that state afterwards. Off: the context keeps the
    /// driver's defaults. A context the host made is never touched: its messages reach an
    /// exception only while the host keeps its debug output on without a callback of its own.
    class InitOptions : public Library::InitOptions {
    public:
        /// The requested profile. Throws nothing.
        OpenGLProfile openGLProfile() const { return openGLProfile_; }
        /// Sets openGLProfile(). Throws nothing.
        void setOpenGLProfile(OpenGLProfile value) { openGLProfile_ = value; }
        /// Whether contexts the library makes log the driver's error messages. Throws nothing.
        bool debugOutput() const { return debugOutput_; }
        /// Sets debugOutput(). Throws nothing.
        void setDebugOutput(bool value) { debugOutput_ = value; }

    private:
        OpenGLProfile openGLProfile_ = OGL_PROFILE_DEFAULT;
        bool debugOutput_ = true;
    };

    /// The driver's debug message entry points (GL_KHR_debug, else GL_ARB_debug_output), looked
    /// up apart from the function table: null where the driver lists neither extension.
    struct DebugEntryPoints {
        /// glGetDebugMessageLog (or its ARB form); null without either extension.
        internal::EntryPoint getDebugMessageLog = nullptr;
        /// glDebugMessageControl (or its ARB form); null without either extension.
        internal::EntryPoint debugMessageControl = nullptr;
        /// GL_KHR_debug's GL_DEBUG_OUTPUT switch exists.
        bool outputSwitch = false;
    };

    /// Installs options for its lifetime and puts the previous ones back; nests.
    class VEK_EXPORT ScopedInitOptions {
    public:
        /// Saves the current options and installs options. Throws nothing.
        explicit ScopedInitOptions(const InitOptions& options);
        /// Puts the saved options back. Throws nothing.
        ~ScopedInitOptions();
        ScopedInitOptions(const ScopedInitOptions&) = delete;
        ScopedInitOptions& operator=(const ScopedInitOptions&) = delete;

    private:
        InitOptions saved_;
    };

    /// The driver's vendor, read from GL_VENDOR: VENDOR_OTHER, VENDOR_AMD (also "ATI"),
    /// VENDOR_NVIDIA or VENDOR_INTEL.
    enum Vendor { VENDOR_OTHER = 0, VENDOR_AMD = 1, VENDOR_NVIDIA = 2, VENDOR_INTEL = 3 };

    /// The manager of the calling thread's current context, or the null manager when it is not
    /// registered.
    /// Throws InternalException when the OpenGL layer is not running and no manager is registered.
    static ExtensionManager* Instance();
    /// The manager registered for the rendering-context handle, else the null manager. Throws
    /// InternalException when the OpenGL layer is not running and none is registered.
    static ExtensionManager* Instance(HGLRC const& context);
    /// The manager of the context's display (of a null context: the null manager), made on a
    /// bootstrap context of that display when it is the display's first.
    /// Throws InternalException when the layer is not running (null context) or the manager cannot
    /// be allocated; ExceptionOGL or InternalException when the bootstrap context fails.
    static ExtensionManager* Instance(Context const* context);
    /// The manager of the display, made on a bootstrap context of that display when it is the
    /// first. Throws InternalException when the manager cannot be allocated; ExceptionOGL or
    /// InternalException when the bootstrap context fails.
    static ExtensionManager* Instance(DisplayDeviceKey const& key);
    /// Maps the context's rendering-context handle to its display's manager; a handle already
    /// registered keeps its manager.
    /// Throws as Instance(DisplayDeviceKey const&).
    static void RegisterContext(Context const& context);
    /// Removes the context's handle from the registry and drops every thread's kept table. Throws
    /// InternalException when the handle was not registered.
    static void UnRegisterContext(Context const& context);
    /// The table of the current context's manager; a context met for the first time gets a
    /// manager made on it and registered. Kept per thread until the current context or the
    /// registry changes.
    /// Throws InternalException when a new manager cannot be allocated; ExceptionOGL when reading
    /// the driver fails. Without a current context: a table of null entry points.
    static FunctionTable const& CurrentTable();
    /// The options that new managers and contexts copy. Throws nothing.
    static InitOptions const& CurrentInitOptions() { return sInitOptions_; }
    /// The debug entry points of the current context's registered manager; none without one.
    /// Reads the registry only: nothing is made or registered.
    /// Throws nothing.
    static DebugEntryPoints CurrentDebugEntryPoints();
    /// Replaces the current options; existing managers keep theirs. Throws nothing.
    static void SetInitOptions(InitOptions const& options) { sInitOptions_ = options; }
    /// Empties both registries, destroying the display managers (the managers made by
    /// CurrentTable stay alive until exit).
    /// Throws nothing.
    static void Terminate();

    /// Throws nothing.
    ~ExtensionManager();
    ExtensionManager(const ExtensionManager&) = delete;
    ExtensionManager& operator=(const ExtensionManager&) = delete;

    /// Whether the version or extension is known supported (listed by the driver or loaded since).
    /// Throws nothing.
    bool isSupported(OpenGLExtension extension) const {
        return supportedExtensions_.count(extension) != 0;
    }
    /// Loads an extension or version on demand; true when it is (now) supported.
    /// Throws ExceptionOGL on a GL error while loading.
    bool initialize(OpenGLExtension extension);
    /// Loads an OpenGL version or extension's entry points; false for a WGL value or when the
    /// driver lacks it. Throws ExceptionOGL on a GL error while loading.
    bool initializeGL(OpenGLExtension extension);
    /// WGL values: the loader's result where the extension has entry points, else true; false
    /// for any other value.
    /// Throws nothing beyond what the WGL chain throws.
    bool initializeWGL(OpenGLExtension extension);
    /// The value named exactly name ("GL_ARB_multitexture"), OGLEXT_UNKNOWN for null or an unknown
    /// name. Throws nothing.
    OpenGLExtension nameToEnumGL(char const* name) const;
    /// The same for a window-system extension name ("WGL_ARB_pbuffer"). Throws nothing.
    static OpenGLExtension nameToEnumWGL(char const* name);

    // One loader per function-table group: init_GL_VERSION_1_2() and so on.
#define VEK_GL_DECLARE_LOADER(Group, Enumerator, First, Count) bool init_##Group();
    VEK_GL_TABLE_GROUPS(VEK_GL_DECLARE_LOADER)
#undef VEK_GL_DECLARE_LOADER

    /// The driver's OpenGL major version (from GL_VERSION). Throws nothing.
    unsigned majorVersion() const {
        return majorVersion_;
    }
    /// The driver's OpenGL minor version. Throws nothing.
    unsigned minorVersion() const {
        return minorVersion_;
    }
    /// The shading language major version (from GL_SHADING_LANGUAGE_VERSION), 0 without one.
    /// Throws nothing.
    unsigned glslMajorVersion() const {
        return glslMajorVersion_;
    }
    /// The shading language minor version. Throws nothing.
    unsigned glslMinorVersion() const {
        return glslMinorVersion_;
    }
    /// Whether GL_VERSION carried a third (release) number. Throws nothing.
    bool hasReleaseVersion() const {
        return releaseVersion_ != -1;
    }
    /// The release number of GL_VERSION. Throws InternalException when there is none
    /// (hasReleaseVersion() false).
    unsigned releaseVersion() const;
    /// What GL_VERSION says after the version numbers (vendor-specific text). Throws nothing beyond
    /// allocation failure.
    std::string additionalVersionInfo() const {
        return additionalVersionInfo_;
    }
    /// The driver's vendor. Throws nothing.
    Vendor vendor() const {
        return vendor_;
    }
    /// The vendor's name as text. Throws nothing beyond allocation failure.
    std::string vendorString() const;

    /// Every version and extension known supported. Throws nothing.
    std::set<OpenGLExtension> const& supportedExtensions() const {
        return supportedExtensions_;
    }
    /// The extension names as the driver listed them. Throws nothing.
    std::vector<std::string> const& supportedExtensionNames() const {
        return supportedExtensionNames_;
    }
    /// The options in force when the manager was made. Throws nothing.
    InitOptions const& initOptions() const {
        return initOptions_;
    }
    /// The display the manager was made for; empty for one made on a bare handle.
    DisplayDeviceKey const& displayDeviceKey() const {
        return displayDeviceKey_;
    }
    /// The manager's entry points. Throws InternalException when it has no table.
    FunctionTable const& table() const;
    /// The manager's debug message entry points. Throws nothing.
    DebugEntryPoints const& debugEntryPoints() const {
        return debugEntryPoints_;
    }
    /// Whether the context lost what OpenGL 3.0 deprecated: a core profile, a forward-compatible
    /// context, or 3.1 without GL_ARB_compatibility. False for a manager that read no context.
    /// Throws nothing.
    bool removesDeprecatedFeatures() const;

    /// OpenGL 1.2. Throws nothing.
    bool supportsClampToEdge() const;
    /// OpenGL 1.2 or GL_EXT_texture3D. Throws nothing.
    bool supportsTexture3D() const;
    /// OpenGL 1.3 or GL_ARB_multitexture. Throws nothing.
    bool supportsMultiTexture() const;
    /// OpenGL 2.0 or GL_ARB_draw_buffers. Throws nothing.
    bool supportsDrawBuffers() const;
    /// GL_ARB_texture_float, GL_ATI_texture_float or GL_APPLE_float_pixels. Throws nothing.
    bool supportsFloatingPointTextures() const;
    /// GL_ARB_half_float_pixel or GL_APPLE_float_pixels. Throws nothing.
    bool supports16BitFloat() const;
    /// Whether textures may have sizes other than powers of two. Throws nothing.
    bool supportsNonPowerOfTwoTextures() const {
        return supportsNPOT_;
    }
    /// WGL_ARB_pixel_format and WGL_ARB_pbuffer. Throws nothing.
    bool supportsPixelBuffers() const;
    /// WGL_ARB_render_texture. Throws nothing.
    bool supportsRenderToTexture() const;
    /// WGL_NV_render_texture_rectangle. Throws nothing.
    bool supportsRenderToTextureRectangle() const;
    /// The texture image units (GL_MAX_TEXTURE_IMAGE_UNITS with fragment programs, else
    /// GL_MAX_TEXTURE_UNITS with multitexturing, else 1). Throws ExceptionOGL on a GL error.
    int numberOfTextureUnits() const;

    /// Whether the driver filters GL_RGBA32F (GL_RGBA16F) textures linearly, found by rendering
    /// a small test once per manager on an off-screen context sharing with the current one; the
    /// current context is the same afterwards. Any failure on the way answers false, and the
    /// answer is kept. The half-float question is false, and not kept, without
    /// GL_EXT_gpu_shader4. The test renders to a texture through a framebuffer object, so it
    /// needs GL_EXT_framebuffer_object and a context with fixed-function drawing. Throws nothing.
    bool supportsFloatFiltering();
    /// The same question for GL_RGBA16F textures. Throws nothing.
    bool supportsHalfFiltering();

    /// Pushes decorator on the process-wide chain, made with its error checker first when empty
    /// (Instance's rule). Throws InternalException for a null decorator or one already in it.
    void addInterceptor(OpenGLInterceptorDecorator* decorator);
    /// Unlinks and returns the head decorator of the chain (null when the error checker heads it).
    /// Throws InternalException when the chain cannot be made.
    OpenGLInterceptorDecorator* popInterceptor();
    /// The same for the window-system chain, made with its default checker first when empty.
    /// Throws InternalException for a null decorator or one already in it.
    static void addWGLInterceptor(WGLInterceptorDecorator* decorator);
    /// Unlinks and returns the head decorator of the window-system chain, null when none. Throws
    /// InternalException when the chain cannot be made.
    static WGLInterceptorDecorator* popWGLInterceptor();

private:
    /// Creation reads the display's driver for its contexts.
    friend class Context;
    struct DeviceRegistry;

    explicit ExtensionManager(HGLRC context);
    /// Makes the context current and reads its driver.
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
    /// The platform's entry point for name, null where the context's profile removed it (unless
    /// one of its extensions brings it back): the platform's look-up may hand those out.
    internal::EntryPoint lookupGL(char const* name) const;
    void loadVersionLadder();
    void loadDebugEntryPoints();
    void readWGLExtensions();

    // One loader per WGL extension with entry points: init_WGL_ARB_pbuffer() and so on.
#define VEK_WGL_DECLARE_LOADER(Extension, Enumerator) bool init_##Extension();
    VEK_WGL_LOADED_EXTENSIONS(VEK_WGL_DECLARE_LOADER)
#undef VEK_WGL_DECLARE_LOADER
    std::string getExtensionsString() const;
    bool tryInitializing(OpenGLExtension extension, bool required);

    /// The filtering test itself, uncached and letting exceptions pass.
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
    DebugEntryPoints debugEntryPoints_;
    /// What the context the manager was made on provides, read once by initialize().
    std::shared_ptr<const Platform::ContextFeatures> features_;

    /// Display identifier -> the display's manager (owning).
    static DeviceRegistry sDeviceRegistry_;
    static ExtensionManager* sCachedNullExtMgrInstance_;
    static InitOptions sInitOptions_;
};

/// Writes the versions and the driver's extension names.
VEK_EXPORT std::ostream& operator<<(std::ostream& stream, ExtensionManager const& manager);

}  // namespace OGL
}  // namespace VEK
