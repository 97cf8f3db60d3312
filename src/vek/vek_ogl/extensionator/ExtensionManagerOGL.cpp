#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <mutex>
#include <ostream>

#include "vek/core/CoreLibrary.h"
#include "vek/core/exceptions/InternalException.h"
#include "vek/core/utility/ConcurrentMap.h"
#include "vek/core/utility/SharedPtr.h"
#include "vek/platform/ContextFeatures.h"
#include "vek/vek_ogl/LibraryOGL.h"
#include "vek/vek_ogl/extensionator/OpenGLErrorChecker.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/internal/ThreadCalls.h"
#include "vek/vek_ogl/extensionator/wgl/ExtensionsWGL.h"
#include "vek/vek_ogl/extensionator/wgl/WGLInterceptor.h"
#include "vek/vek_ogl/ogl/Context.h"
#include "vek/vek_ogl/ogl/ContextOffscreen.h"
#include "vek/vek_ogl/ogl/ContextWrapped.h"
#include "vek/vek_ogl/ogl/Framebuffer.h"
#include "vek/vek_ogl/ogl/Object.h"
#include "vek/vek_ogl/ogl/Texture2.h"
#include "vek/vek_ogl/ogl/TextureState.h"
#include "vek/vek_ogl/ogl/TextureUnit.h"
#include "vek/vek_ogl/ogl/internal/ContextBootstrap.h"

namespace VEK {
namespace OGL {

namespace {

typedef Core::ConcurrentMap<HGLRC, ExtensionManager*> ContextRegistry;

ContextRegistry& ContextRegistryInstance() {
    static ContextRegistry registry;
    return registry;
}

// Managers made for a bare handle live until the process ends.
struct HandleManagers {
    std::mutex mutex;
    std::vector<std::shared_ptr<ExtensionManager>> managers;
};

HandleManagers& HandleManagersInstance() {
    static HandleManagers list;
    return list;
}

ExtensionManager* Lookup(HGLRC context) {
    return ContextRegistryInstance().find(context);
}

// Told by the platform before it deletes a rendering context: the handle's registration and a
// glBegin/glEnd pair open on it go, so that a later context at the same address starts afresh.
void ForgetDeletedContext(HGLRC context) {
    if (ContextRegistryInstance().erase(context)) {
        internal::ForgetTables();
    }
    OpenGLErrorChecker::ForgetContext(context);
}

// A change of the current context needs no word: each thread's kept table names its context.
[[maybe_unused]] const bool kFollowsContexts =
    (Platform::SetContextDeletedHook(&ForgetDeletedContext), true);

const char* const kVendorNames[] = {"OTHER", "AMD", "NVIDIA", "INTEL"};

}  // namespace

struct ExtensionManager::DeviceRegistry
    : Core::ConcurrentMap<std::string, std::shared_ptr<ExtensionManager>> {};

ExtensionManager::DeviceRegistry ExtensionManager::sDeviceRegistry_;
ExtensionManager* ExtensionManager::sCachedNullExtMgrInstance_ = nullptr;
ExtensionManager::InitOptions ExtensionManager::sInitOptions_;

ExtensionManager::ScopedInitOptions::ScopedInitOptions(const InitOptions& options)
    : saved_(sInitOptions_) {
    sInitOptions_ = options;
}

ExtensionManager::ScopedInitOptions::~ScopedInitOptions() {
    sInitOptions_ = saved_;
}

ExtensionManager::ExtensionManager(HGLRC context)
    : tableExt_(VEK_NEW(FunctionTable)(), VEKDeleter<FunctionTable>()),
      initOptions_(sInitOptions_) {
    VEK_ENFORCE(tableExt_.get() != NULL);
    if (context != nullptr) {
        initialize();
    }
}

ExtensionManager::ExtensionManager(Context* context)
    : tableExt_(VEK_NEW(FunctionTable)(), VEKDeleter<FunctionTable>()),
      initOptions_(sInitOptions_) {
    VEK_ENFORCE(tableExt_.get() != NULL);
    if (context != nullptr) {
        displayDeviceKey_ = context->displayDeviceKey();
        context->makeCurrent();
        initialize();
    }
}

ExtensionManager::~ExtensionManager() = default;

ExtensionManager* ExtensionManager::Instance() {
    return Instance(::wglGetCurrentContext());
}

ExtensionManager* ExtensionManager::Instance(HGLRC const& context) {
    if (ExtensionManager* manager = Lookup(context)) {
        return manager;
    }
    return NullExtensionManager();
}

ExtensionManager* ExtensionManager::Instance(Context const* context) {
    if (context == nullptr) {
        return NullExtensionManager();
    }
    return Instance(context->displayDeviceKey());
}

ExtensionManager* ExtensionManager::Instance(DisplayDeviceKey const& key) {
    if (ExtensionManager* manager = Find(key)) {
        return manager;
    }
    return Create(key);
}

ExtensionManager* ExtensionManager::Find(DisplayDeviceKey const& key) {
    return sDeviceRegistry_.find(key.deviceIdentifier()).get();
}

ExtensionManager* ExtensionManager::Create(DisplayDeviceKey const& key) {
    ScopedContextWrapper savedContext;
    std::shared_ptr<ExtensionManager> manager;
    {
        // The bootstrap goes (and with it its window) before the saved context comes back.
        internal::ContextBootstrap bootstrap(key);
        ExtensionManager* made = VEK_NEW(ExtensionManager)(&bootstrap);
        VEK_ENFORCE(made != NULL);
        manager.reset(made, VEKDeleter<ExtensionManager>());
    }
    // Another thread's manager for the same display wins; ours goes with its last reference.
    return sDeviceRegistry_.insert(key.deviceIdentifier(), manager).get();
}

void ExtensionManager::RegisterContext(Context const& context) {
    ExtensionManager* manager = Instance(context.displayDeviceKey());
    ContextRegistryInstance().insert(context.renderContext(), manager);
}

void ExtensionManager::UnRegisterContext(Context const& context) {
    const bool bFound = ContextRegistryInstance().erase(context.renderContext());
    // The handle may come back for another context: no thread may keep its table.
    internal::ForgetTables();
    VEK_ASSERT(bFound);
}

FunctionTable const& ExtensionManager::CurrentTable() {
    if (const FunctionTable* table = internal::KeptTable()) {
        return *table;
    }
    return CurrentTableLookup(Platform::CurrentContext());
}

FunctionTable const& ExtensionManager::CurrentTableLookup(HGLRC context) {
    if (context == nullptr) {
        // Nothing to read a driver from and nothing to register: every position is null, so
        // the checker reports the call (as made without a context, when that is the rule).
        return internal::kNoTable;
    }
    // Read before the lookup: a registry change during it leaves nothing kept.
    const unsigned long generation = internal::TablesGeneration();
    ExtensionManager* manager = Lookup(context);
    if (manager == nullptr) {
        // Another thread may have registered the handle first; the registry keeps the first.
        manager = ContextRegistryInstance().insert(context, Create(context));
    }
    const FunctionTable& table = manager->table();
    internal::KeepTable(&table, context, generation);
    return table;
}

ExtensionManager* ExtensionManager::Create(HGLRC context) {
    ExtensionManager* raw = VEK_NEW(ExtensionManager)(context);
    VEK_ENFORCE(raw != NULL);
    std::shared_ptr<ExtensionManager> manager(raw, VEKDeleter<ExtensionManager>());
    HandleManagers& list = HandleManagersInstance();
    std::lock_guard<std::mutex> lock(list.mutex);
    list.managers.push_back(manager);
    return raw;
}

ExtensionManager* ExtensionManager::NullExtensionManager() {
    if (!Library::IsInitialized()) {
        VEK_THROW_INTERNAL("OGL Library must be initialized to use Instance()");
    }
    return sCachedNullExtMgrInstance_;
}

void ExtensionManager::Terminate() {
    if (sCachedNullExtMgrInstance_ != nullptr) {
        VEK_DELETE(sCachedNullExtMgrInstance_);
        sCachedNullExtMgrInstance_ = nullptr;
    }
    ContextRegistryInstance().clear();
    sDeviceRegistry_.clear();
    internal::ForgetTables();
}

void ExtensionManager::TokenizeExtensionString(std::string const& text,
                                               std::vector<std::string>& names) {
    std::size_t start = text.find_first_not_of(' ');
    while (start != std::string::npos) {
        const std::size_t end = text.find(' ', start);
        names.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        start = end == std::string::npos ? end : text.find_first_not_of(' ', end);
    }
}

void ExtensionManager::initialize() {
    std::string vendorText = GetGLString(GL_VENDOR);
    std::transform(vendorText.begin(), vendorText.end(), vendorText.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (vendorText.find("NVIDIA") != std::string::npos) {
        vendor_ = VENDOR_NVIDIA;
    } else if (vendorText.find("INTEL") != std::string::npos) {
        vendor_ = VENDOR_INTEL;
    } else if (vendorText.find("AMD") != std::string::npos ||
               vendorText.find("ATI") != std::string::npos) {
        vendor_ = VENDOR_AMD;
    }

    const std::string sVersionLong = GetGLString(GL_VERSION);
    VEK_ASSERT(!sVersionLong.empty());
    TokenizeVersionString(sVersionLong, majorVersion_, minorVersion_, releaseVersion_,
                          additionalVersionInfo_);

    std::string glsl = GetGLString(GL_SHADING_LANGUAGE_VERSION);
    if (glsl.empty()) {
        glsl = "0.0";
    }
    int glslRelease = -1;
    std::string glslText;
    TokenizeVersionString(glsl, glslMajorVersion_, glslMinorVersion_, glslRelease, glslText);

    // Read before any loader runs: which commands the context's profile removed.
    Platform::ContextFeatures* features = VEK_NEW(Platform::ContextFeatures)();
    VEK_ENFORCE(features != NULL);
    features_.reset(features, VEKDeleter<Platform::ContextFeatures>());

    loadVersionLadder();

    std::vector<std::string> driverNames;
    TokenizeExtensionString(getExtensionsString(), driverNames);
    for (const std::string& name : driverNames) {
        supportedExtensionNames_.push_back(name);
        const OpenGLExtension extension = nameToEnumGL(name.c_str());
        if (extension != OGLEXT_UNKNOWN && initializeGL(extension)) {
            supportedExtensions_.insert(extension);
        }
    }

    readWGLExtensions();
    loadDebugEntryPoints();

    supportsNPOT_ = vendor_ == VENDOR_NVIDIA ? isSupported(OGLEXT_ARB_texture_non_power_of_two)
                                             : isSupported(OGLEXT_ARB_texture_non_power_of_two) ||
                                                   isSupported(OGLEXT_VERSION_2_0);
}

void ExtensionManager::loadDebugEntryPoints() {
    const auto offers = [this](char const* name) {
        return std::find(supportedExtensionNames_.begin(), supportedExtensionNames_.end(), name) !=
               supportedExtensionNames_.end();
    };
    // Both extensions name the same tokens; only GL_KHR_debug adds the GL_DEBUG_OUTPUT switch.
    const bool khr = offers("GL_KHR_debug");
    if (!khr && !offers("GL_ARB_debug_output")) {
        return;
    }
    DebugEntryPoints found;
    found.getDebugMessageLog = lookupGL(khr ? "glGetDebugMessageLog" : "glGetDebugMessageLogARB");
    found.debugMessageControl =
        lookupGL(khr ? "glDebugMessageControl" : "glDebugMessageControlARB");
    found.outputSwitch = khr;
    if (found.getDebugMessageLog != nullptr && found.debugMessageControl != nullptr) {
        debugEntryPoints_ = found;
    }
}

bool ExtensionManager::removesDeprecatedFeatures() const {
    return features_ != nullptr && features_->removesDeprecated();
}

internal::EntryPoint ExtensionManager::lookupGL(char const* name) const {
    // opengl32 hands out what a core profile removed, and a call through it is an error or
    // worse: the context's own profile decides, on every platform.
    if (features_ != nullptr && features_->removes(name)) {
        return nullptr;
    }
    return internal::LookupGLEntryPoint(name);
}

ExtensionManager::DebugEntryPoints ExtensionManager::CurrentDebugEntryPoints() {
    const HGLRC context = Platform::CurrentContext();
    if (context == nullptr) {
        return {};
    }
    const ExtensionManager* manager = Lookup(context);
    return manager != nullptr ? manager->debugEntryPoints_ : DebugEntryPoints();
}

void ExtensionManager::loadVersionLadder() {
    struct Rung {
        unsigned major, minor;
        bool (ExtensionManager::*loader)();
        OpenGLExtension version;
        std::vector<OpenGLExtension> extensions;
    };
    // Highest first; a rung runs on its own version or when a higher one ran.
    static const Rung rungs[] = {
        {4,
         1,
         nullptr,
         OGLEXT_VERSION_4_1,
         {OGLEXT_ARB_ES2_compatibility, OGLEXT_ARB_get_program_binary,
          OGLEXT_ARB_separate_shader_objects, OGLEXT_ARB_shader_precision,
          OGLEXT_ARB_vertex_attrib_64bit, OGLEXT_ARB_viewport_array}},
        {4,
         0,
         &ExtensionManager::init_GL_VERSION_4_0,
         OGLEXT_VERSION_4_0,
         {OGLEXT_ARB_texture_query_lod, OGLEXT_ARB_draw_indirect, OGLEXT_ARB_gpu_shader5,
          OGLEXT_ARB_gpu_shader_fp64, OGLEXT_ARB_shader_subroutine, OGLEXT_ARB_tessellation_shader,
          OGLEXT_ARB_texture_buffer_object_rgb32, OGLEXT_ARB_texture_cube_map_array,
          OGLEXT_ARB_texture_gather, OGLEXT_ARB_transform_feedback2,
          OGLEXT_ARB_transform_feedback3}},
        {3,
         3,
         &ExtensionManager::init_GL_VERSION_3_3,
         OGLEXT_VERSION_3_3,
         {OGLEXT_ARB_blend_func_extended, OGLEXT_ARB_sampler_objects,
          OGLEXT_ARB_explicit_attrib_location, OGLEXT_ARB_occlusion_query2,
          OGLEXT_ARB_shader_bit_encoding, OGLEXT_ARB_texture_rgb10_a2ui, OGLEXT_ARB_texture_swizzle,
          OGLEXT_ARB_timer_query, OGLEXT_ARB_vertex_type_2_10_10_10_rev}},
        {3,
         2,
         &ExtensionManager::init_GL_VERSION_3_2,
         OGLEXT_VERSION_3_2,
         {OGLEXT_ARB_draw_elements_base_vertex, OGLEXT_ARB_provoking_vertex, OGLEXT_ARB_sync,
          OGLEXT_ARB_texture_multisample}},
        {3,
         1,
         &ExtensionManager::init_GL_VERSION_3_1,
         OGLEXT_VERSION_3_1,
         {OGLEXT_ARB_copy_buffer, OGLEXT_ARB_uniform_buffer_object}},
        {3,
         0,
         &ExtensionManager::init_GL_VERSION_3_0,
         OGLEXT_VERSION_3_0,
         {OGLEXT_ARB_framebuffer_object, OGLEXT_ARB_map_buffer_range,
          OGLEXT_ARB_vertex_array_object}},
        {2, 1, &ExtensionManager::init_GL_VERSION_2_1, OGLEXT_VERSION_2_1, {}},
        {2, 0, &ExtensionManager::init_GL_VERSION_2_0, OGLEXT_VERSION_2_0, {}},
        {1, 5, &ExtensionManager::init_GL_VERSION_1_5, OGLEXT_VERSION_1_5, {}},
        {1, 4, &ExtensionManager::init_GL_VERSION_1_4, OGLEXT_VERSION_1_4, {}},
        {1, 3, &ExtensionManager::init_GL_VERSION_1_3, OGLEXT_VERSION_1_3, {}},
        {1, 2, &ExtensionManager::init_GL_VERSION_1_2, OGLEXT_VERSION_1_2, {}},
    };
    bool fallThrough = false;
    for (const Rung& rung : rungs) {
        const bool first = rung.loader == nullptr;
        const bool matches = first ? majorVersion_ == 4 && minorVersion_ >= 1
                                   : majorVersion_ == rung.major && minorVersion_ == rung.minor;
        if (!matches && !fallThrough) {
            continue;
        }
        fallThrough = true;
        if (first) {
            // Every 4.x above 4.0 counts as 4.1, the newest version the library knows.
            majorVersion_ = 4;
            minorVersion_ = 1;
        }
        if (first || (this->*rung.loader)()) {
            supportedExtensions_.insert(rung.version);
            for (OpenGLExtension extension : rung.extensions) {
                initialize(extension);
            }
        }
    }
}

void ExtensionManager::readWGLExtensions() {
    WGLInterceptor* wgl = WGLInterceptor::Instance();
    if (init_WGL_ARB_extensions_string()) {
        const char* text = _wcgmGetExtensionsStringARB(wgl->wcgmGetCurrentDC(__FILE__, __LINE__));
        std::vector<std::string> names;
        TokenizeExtensionString(text ? text : "", names);
        for (const std::string& name : names) {
            const OpenGLExtension extension = nameToEnumWGL(name.c_str());
            if (extension != OGLEXT_UNKNOWN && initializeWGL(extension)) {
                supportedExtensions_.insert(extension);
                supportedExtensionNames_.push_back(name);
            }
        }
    }

    const auto extensionsString =
        reinterpret_cast<PFN_wcgmGetExtensionsStringARB>(reinterpret_cast<internal::EntryPoint>(
            wgl->wcgmGetProcAddress(__FILE__, __LINE__, "wglGetExtensionsStringARB")));
    if (extensionsString != nullptr) {
        const char* text = extensionsString(wgl->wcgmGetCurrentDC(__FILE__, __LINE__));
        if (text != nullptr && std::strstr(text, "WGL_ARB_create_context") != nullptr) {
            createContextAttribs_ = reinterpret_cast<internal::EntryPoint>(
                wgl->wcgmGetProcAddress(__FILE__, __LINE__, "wglCreateContextAttribsARB"));
        }
    }
}

std::string ExtensionManager::getExtensionsString() const {
    if (majorVersion_ < 3) {
        return GetGLString(GL_EXTENSIONS);
    }
    GLint count = 0;
    OpenGLInterceptor::Instance()->cgmGetIntegerv(__FILE__, __LINE__, GL_NUM_EXTENSIONS, &count);
    // Without glGetStringi a 3.x context cannot list its extensions one by one.
    VEK_ENFORCE(tableExt_->glGetStringi != NULL);
    std::string joined;
    for (GLint i = 0; i < count; ++i) {
        const GLubyte* text = tableExt_->glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i));
        const std::string anExtensionString = text ? reinterpret_cast<const char*>(text) : "";
        VEK_ASSERT(!anExtensionString.empty());
        if (!joined.empty()) {
            joined += ' ';
        }
        joined += anExtensionString;
    }
    return joined;
}

bool ExtensionManager::initialize(OpenGLExtension extension) {
    if (isSupported(extension)) {
        return true;
    }
    if (!initializeGL(extension) && !initializeWGL(extension)) {
        return false;
    }
    supportedExtensions_.insert(extension);
    return true;
}

bool ExtensionManager::tryInitializing(OpenGLExtension extension, bool required) {
    const bool initialized = initialize(extension);
    if (!initialized && required) {
        VEK_THROW_INTERNAL("Attempted initialization of a required extension failed");
    }
    return initialized;
}

OpenGLExtension ExtensionManager::nameToEnumGL(char const* name) const {
    if (name == nullptr) {
        return OGLEXT_UNKNOWN;
    }
    for (int value = 0; value <= kLastOpenGLExtension; ++value) {
        const auto extension = static_cast<OpenGLExtension>(value);
        if (std::strcmp(OpenGLExtensionName(extension), name) == 0) {
            return extension;
        }
    }
    return OGLEXT_UNKNOWN;
}

unsigned ExtensionManager::releaseVersion() const {
    VEK_ASSERT(releaseVersion_ != -1);
    return static_cast<unsigned>(releaseVersion_);
}

std::string ExtensionManager::vendorString() const {
    return kVendorNames[vendor_];
}

FunctionTable const& ExtensionManager::table() const {
    VEK_ASSERT(tableExt_.get() != 0);
    return *tableExt_;
}

bool ExtensionManager::supportsClampToEdge() const {
    return isSupported(OGLEXT_VERSION_1_2);
}

bool ExtensionManager::supportsTexture3D() const {
    return isSupported(OGLEXT_VERSION_1_2) || isSupported(OGLEXT_EXT_texture3D);
}

bool ExtensionManager::supportsMultiTexture() const {
    return isSupported(OGLEXT_VERSION_1_3) || isSupported(OGLEXT_ARB_multitexture);
}

bool ExtensionManager::supportsDrawBuffers() const {
    return isSupported(OGLEXT_VERSION_2_0) || isSupported(OGLEXT_ARB_draw_buffers);
}

bool ExtensionManager::supportsFloatingPointTextures() const {
    return isSupported(OGLEXT_ARB_texture_float) || isSupported(OGLEXT_ATI_texture_float) ||
           isSupported(OGLEXT_APPLE_float_pixels);
}

bool ExtensionManager::supports16BitFloat() const {
    return isSupported(OGLEXT_ARB_half_float_pixel) || isSupported(OGLEXT_APPLE_float_pixels);
}

bool ExtensionManager::supportsPixelBuffers() const {
    return isSupported(OGLEXT_WGL_ARB_pixel_format) && isSupported(OGLEXT_WGL_ARB_pbuffer);
}

bool ExtensionManager::supportsRenderToTexture() const {
    return isSupported(OGLEXT_WGL_ARB_render_texture);
}

bool ExtensionManager::supportsRenderToTextureRectangle() const {
    return isSupported(OGLEXT_WGL_NV_render_texture_rectangle);
}

int ExtensionManager::numberOfTextureUnits() const {
    GLint units = 1;
    if (isSupported(OGLEXT_ARB_fragment_program)) {
        OpenGLInterceptor::Instance()->cgmGetIntegerv(__FILE__, __LINE__,
                                                      GL_MAX_TEXTURE_IMAGE_UNITS, &units);
    } else if (supportsMultiTexture()) {
        OpenGLInterceptor::Instance()->cgmGetIntegerv(__FILE__, __LINE__, GL_MAX_TEXTURE_UNITS,
                                                      &units);
    }
    return units;
}

void ExtensionManager::addInterceptor(OpenGLInterceptorDecorator* decorator) {
    OpenGLInterceptor* head = OpenGLInterceptor::Instance();
    VEK_ENFORCE(head != NULL);
    head->addInterceptor(decorator);
}

OpenGLInterceptorDecorator* ExtensionManager::popInterceptor() {
    OpenGLInterceptor* head = OpenGLInterceptor::Instance();
    VEK_ENFORCE(head != NULL);
    return head->popInterceptor();
}

bool ExtensionManager::supportsFloatFiltering() {
    if (!floatFilteringTested_) {
        bool result = false;
        try {
            result = testFloatFiltering();
        } catch (...) {
            result = false;
        }
        floatFiltering_ = result;
        floatFilteringTested_ = true;
    }
    return floatFiltering_;
}

bool ExtensionManager::supportsHalfFiltering() {
    if (!isSupported(OGLEXT_EXT_gpu_shader4)) {
        return false;
    }
    if (!halfFilteringTested_) {
        bool result = false;
        try {
            result = testHalfFiltering();
        } catch (...) {
            result = false;
        }
        halfFiltering_ = result;
        halfFilteringTested_ = true;
    }
    return halfFiltering_;
}

bool ExtensionManager::testFloatFiltering() {
    return supportsFloatingPointTextures() && runFilteringTest(Texture::kRGBA32F);
}

bool ExtensionManager::testHalfFiltering() {
    return supports16BitFloat() && runFilteringTest(Texture::kRGBA16F);
}

namespace {

// One white quad over the unit square of the orthographic view, with texture coordinates
// equal to its corners when textured.
void DrawWhiteQuad(OpenGLInterceptor* gl, float right, bool textured) {
    const float corners[4][2] = {{0.f, 0.f}, {0.f, 1.f}, {right, 1.f}, {right, 0.f}};
    gl->cgmColor4f(__FILE__, __LINE__, 1.f, 1.f, 1.f, 1.f);
    gl->cgmBegin(__FILE__, __LINE__, GL_QUADS);
    for (const auto& corner : corners) {
        if (textured) {
            gl->cgmTexCoord2f(__FILE__, __LINE__, corner[0], corner[1]);
        }
        gl->cgmVertex2f(__FILE__, __LINE__, corner[0], corner[1]);
    }
    gl->cgmEnd(__FILE__, __LINE__);
}

}  // namespace

bool ExtensionManager::runFilteringTest(Texture::InternalFormat format) {
    // This platform has no render-to-pbuffer-texture: framebuffer objects render to the
    // texture in its place.
    if (!isSupported(OGLEXT_EXT_framebuffer_object)) {
        return false;
    }
    ScopedContextWrapper savedContext;
    ContextWrapped current;
    ContextOffscreen offscreen(&current);
    offscreen.makeCurrent();
    // Everything made on the off-screen context goes before it does.
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    Texture2D source(format, 16, 16, false, nullptr, Texture::kTypeDefault);
    Texture2D target(Texture::kRGBA8, 32, 32, false, nullptr, Texture::kTypeDefault);
    Framebuffer framebuffer;
    framebuffer.bind();

    // The source: its left half white, its right half black.
    framebuffer.attach(&source, 0, 0);
    gl->cgmMatrixMode(__FILE__, __LINE__, GL_PROJECTION);
    gl->cgmLoadIdentity(__FILE__, __LINE__);
    gl->cgmOrtho(__FILE__, __LINE__, 0, 1, 0, 1, -1, 1);
    gl->cgmViewport(__FILE__, __LINE__, 0, 0, 16, 16);
    gl->cgmClearColor(__FILE__, __LINE__, 0.f, 0.f, 0.f, 0.f);
    gl->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
    DrawWhiteQuad(gl, 0.5f, false);

    // The source magnified twice into the target with linear filtering.
    framebuffer.attach(&target, 0, 0);
    gl->cgmViewport(__FILE__, __LINE__, 0, 0, 32, 32);
    gl->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
    TextureState::SetActiveTextureUnit(0);
    const TextureUnit* unit = TextureUnit::Unit(0);
    unit->bind(&source);
    unit->enable2D();
    gl->cgmTexParameteri(__FILE__, __LINE__, GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl->cgmTexParameteri(__FILE__, __LINE__, GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    DrawWhiteQuad(gl, 1.f, true);

    framebuffer.detach(&target, 0);
    unit->disable2D();
    unit->bind(&target);
    std::vector<GLubyte> pixels(32 * 32 * 3);
    target.getPixelData(pixels.data(), 0, Texture::kFormatRGB, Texture::kTypeUnsignedByte, 1);
    // A filtered edge leaves values between black and white in the first row.
    for (int x = 0; x < 32; ++x) {
        const GLubyte red = pixels[static_cast<std::size_t>(x) * 3];
        if (red != 0 && red != 255) {
            return true;
        }
    }
    return false;
}

std::ostream& operator<<(std::ostream& stream, ExtensionManager const& manager) {
    // Decimal whatever base the stream is set to.
    stream << "ExtensionManager for context version " << std::to_string(manager.majorVersion())
           << "." << std::to_string(manager.minorVersion()) << "\n";
    stream << "                        glsl version " << std::to_string(manager.glslMajorVersion())
           << "." << std::to_string(manager.glslMinorVersion()) << "\n";
    stream << "Supported extensions:\n";
    if (manager.supportedExtensionNames().empty()) {
        stream << "    NONE\n";
    }
    for (const std::string& name : manager.supportedExtensionNames()) {
        stream << "    " << name << "\n";
    }
    return stream;
}

}  // namespace OGL
}  // namespace VEK
