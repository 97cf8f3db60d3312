#include <algorithm>
#include <mutex>
#include <vector>

#include <boost/format.hpp>

#include "vek/core/exceptions/InternalException.h"
#include "vek/platform/Displays.h"
#include "vek/vek_ogl/InternalWindow.h"
#include "vek/vek_ogl/extensionator/internal/DebugMessages.h"
#include "vek/vek_ogl/extensionator/wgl/ExtensionsWGL.h"
#include "vek/vek_ogl/extensionator/wgl/WGLInterceptor.h"
#include "vek/vek_ogl/ogl/BufferFormat.h"
#include "vek/vek_ogl/ogl/Context.h"
#include "vek/vek_ogl/ogl/internal/RestoreGuard.h"

namespace VEK {
namespace OGL {

namespace {

using Platform::DisplayAdapter;
using Platform::DisplayOutput;

DisplayDeviceKey KeyOf(const DisplayOutput& output, const DisplayAdapter& adapter) {
    return DisplayDeviceKey(output.deviceName, adapter.description,
                            (boost::format("%1%") % adapter.deviceId).str());
}

const DisplayOutput* FirstAttached(const DisplayAdapter& adapter) {
    for (const DisplayOutput& output : adapter.outputs) {
        if (output.attachedToDesktop) {
            return &output;
        }
    }
    return nullptr;
}

std::vector<DisplayAdapter> Adapters() {
    std::vector<DisplayAdapter> adapters;
    VEK_ASSERT(Platform::Displays::Adapters(adapters));
    return adapters;
}

WGLInterceptor* Wgl() {
    return WGLInterceptor::Instance();
}

BYTE Bits(std::uint32_t bits) {
    return static_cast<BYTE>(std::min<std::uint32_t>(bits, 255));
}

// Found once; contexts may be made on several threads at once.
std::mutex gPrimaryDisplayMutex;
DisplayDeviceKey gPrimaryDisplay;
bool gPrimaryDisplayKnown = false;

}  // namespace

unsigned Context::NumDisplayDevice() {
    try {
        unsigned count = 0;
        for (const DisplayAdapter& adapter : Adapters()) {
            if (FirstAttached(adapter) != nullptr) {
                ++count;
            }
        }
        return count;
    } catch (const ExceptionBase&) {
        return 0;
    }
}

bool Context::DisplayDevice(unsigned index, DisplayDeviceKey& key) {
    try {
        const std::vector<DisplayAdapter> adapters = Adapters();
        if (index >= adapters.size()) {
            return false;
        }
        const DisplayOutput* output = FirstAttached(adapters[index]);
        if (output == nullptr) {
            VEK_THROW_INTERNAL("Wasn't able to find the specified card attached to the desktop");
        }
        key = KeyOf(*output, adapters[index]);
        return true;
    } catch (const ExceptionBase&) {
        return false;
    }
}

DisplayDeviceKey const& Context::PrimaryDisplayDevice() {
    std::lock_guard<std::mutex> lock(gPrimaryDisplayMutex);
    if (!gPrimaryDisplayKnown) {
        for (const DisplayAdapter& adapter : Adapters()) {
            for (const DisplayOutput& output : adapter.outputs) {
                // Unattached outputs report an empty area at (0, 0): they show nothing.
                if (output.attachedToDesktop && output.desktopCoordinates.left == 0 &&
                    output.desktopCoordinates.top == 0) {
                    gPrimaryDisplay = KeyOf(output, adapter);
                    gPrimaryDisplayKnown = true;
                    return gPrimaryDisplay;
                }
            }
        }
        VEK_THROW_INTERNAL("Unable to determine primary display");
    }
    return gPrimaryDisplay;
}

DisplayDeviceKey Context::DisplayDeviceFromWindow(HWND const& theWindow) {
    RECT windowRect{};
    VEK_ASSERT(GetWindowRect(theWindow, &windowRect));
    DisplayOutput containing{};
    VEK_ASSERT(Platform::Displays::ContainingOutput(theWindow, containing));
    for (const DisplayAdapter& adapter : Adapters()) {
        for (const DisplayOutput& output : adapter.outputs) {
            if (output.deviceName == containing.deviceName) {
                return KeyOf(output, adapter);
            }
        }
    }
    VEK_THROW_INTERNAL("Unable to determine device for specified window");
}

InternalWindowPtr Context::CreateInternalWindow(DisplayDeviceKey const& key) {
    // Adapters are found by the output name: two adapters of one driver share a description.
    std::vector<DisplayAdapter> adapters;
    if (!key.empty() && Platform::Displays::Adapters(adapters)) {
        for (std::size_t index = 0; index < adapters.size(); ++index) {
            const DisplayAdapter& adapter = adapters[index];
            for (const DisplayOutput& output : adapter.outputs) {
                if (output.deviceName != key.outputName() ||
                    adapter.description != key.adapterDescription()) {
                    continue;
                }
                const DisplayOutput* shown =
                    output.attachedToDesktop ? &output : FirstAttached(adapter);
                const int x = shown != nullptr ? shown->desktopCoordinates.left : 0;
                const int y = shown != nullptr ? shown->desktopCoordinates.top : 0;
                return InternalWindow::Create(
                    x, y, Platform::Displays::DesktopWindow(static_cast<unsigned>(index)));
            }
        }
    }
    const int2 origin = DisplayOrigin(key.adapterDescription(), true);
    return InternalWindow::Create(origin[0], origin[1]);
}

int2 Context::DisplayOrigin(std::string const& adapterDescription, bool defaultToZeroOnFailure) {
    std::vector<DisplayAdapter> adapters;
    if (!Platform::Displays::Adapters(adapters)) {
        if (defaultToZeroOnFailure) {
            return int2(0, 0);
        }
        VEK_ASSERT(defaultToZeroOnFailure);
    }
    for (const DisplayAdapter& adapter : adapters) {
        if (adapter.description != adapterDescription) {
            continue;
        }
        if (const DisplayOutput* output = FirstAttached(adapter)) {
            return int2(output->desktopCoordinates.left, output->desktopCoordinates.top);
        }
    }
    VEK_THROW_INTERNAL("Adapter not found");
}

void Context::makeCurrent() const {
    if (!Wgl()->wcgmMakeCurrent(__FILE__, __LINE__, deviceContext_, renderContext_)) {
        VEK_THROW_INTERNAL("Context::can't make this context current" << GetLastError());
    }
}

HGLRC Context::CurrentContext() {
    return Wgl()->wcgmGetCurrentContext(__FILE__, __LINE__);
}

void Context::getBitDepths(int* red, int* green, int* blue, int* alpha, int* depth,
                           int* stencil) const {
    PIXELFORMATDESCRIPTOR descriptor{};
    const int format = GetPixelFormat(deviceContext_);
    if (format <= 0 ||
        !DescribePixelFormat(deviceContext_, format, sizeof descriptor, &descriptor)) {
        VEK_THROW_INTERNAL("Context::getBitDepths no pixel format on the device context. Error "
                           << GetLastError());
    }
    int* const outputs[] = {red, green, blue, alpha, depth, stencil};
    const BYTE values[] = {descriptor.cRedBits,   descriptor.cGreenBits, descriptor.cBlueBits,
                           descriptor.cAlphaBits, descriptor.cDepthBits, descriptor.cStencilBits};
    for (int i = 0; i < 6; ++i) {
        if (outputs[i] != nullptr) {
            *outputs[i] = values[i];
        }
    }
}

bool Context::SupportsVerticalRetraceControl() {
    ExtensionManager* manager = ExtensionManager::Instance(CurrentContext());
    VEK_ENFORCE(manager != NULL);
    return manager->isSupported(OGLEXT_WGL_EXT_swap_control);
}

void Context::registerWithExtensionMgr() const {
    if (renderContext_ != nullptr) {
        ExtensionManager::RegisterContext(*this);
    }
}

void Context::unregisterWithExtensionMgr() const {
    if (renderContext_ != nullptr) {
        ExtensionManager::UnRegisterContext(*this);
    }
}

void Context::registerCreated(Context const* shareContext) {
    bool registered = false;
    try {
        registerWithExtensionMgr();
        registered = renderContext_ != nullptr;
        addShareContext(shareContext);
    } catch (...) {
        if (registered) {
            unregisterWithExtensionMgr();
        }
        releaseCreated();
        throw;
    }
}

void Context::releaseCreated() noexcept {
    if (renderContext_ == nullptr) {
        return;
    }
    try {
        unregisterSharedContext();
        ExtensionManager::UnRegisterContext(*this);
    } catch (const ExceptionBase&) {
        // Not registered: a construction that failed half-way.
    }
    try {
        destroyContext();
    } catch (const ExceptionBase&) {
        // The driver keeps a context it refused to delete; nothing here can do better.
    }
}

void Context::shareLists(HGLRC other) const {
    if (!Wgl()->wcgmShareLists(__FILE__, __LINE__, other, renderContext_)) {
        VEK_THROW_INTERNAL("Context::shareLists cannot share lists.");
    }
}

void Context::destroyContext() {
    WGLInterceptor* wgl = Wgl();
    const HDC previousDC = wgl->wcgmGetCurrentDC(__FILE__, __LINE__);
    const HGLRC previousContext = wgl->wcgmGetCurrentContext(__FILE__, __LINE__);
    if (previousContext != nullptr && !wgl->wcgmMakeCurrent(__FILE__, __LINE__, nullptr, nullptr)) {
        VEK_THROW_INTERNAL("Context::destroyContext() failed to release context");
    }
    if (!wgl->wcgmDeleteContext(__FILE__, __LINE__, renderContext_)) {
        // Put back what was current before reporting.
        if (previousContext != nullptr) {
            wgl->wcgmMakeCurrent(__FILE__, __LINE__, previousDC, previousContext);
        }
        VEK_THROW_INTERNAL("Context::destroyContext() failed to delete rendering context");
    }
    const HGLRC deleted = renderContext_;
    renderContext_ = nullptr;
    if (previousContext != nullptr && previousContext != deleted &&
        !wgl->wcgmMakeCurrent(__FILE__, __LINE__, previousDC, previousContext)) {
        VEK_ASSERT(!"ContextOffscreen::destroyContext() failed to restore context");
    }
}

int Context::ChoosePixelFormat(HDC deviceContext, BufferFormat const& format, bool doubleBuffer) {
    if (deviceContext == nullptr) {
        VEK_THROW_INTERNAL("Context:choosePixelFormat invalid device context");
    }
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = 40;
    descriptor.nVersion = 1;
    descriptor.dwFlags =
        PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | (doubleBuffer ? PFD_DOUBLEBUFFER : 0);
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits =
        Bits(format.redBits() + format.greenBits() + format.blueBits() + format.alphaBits());
    descriptor.cAlphaBits = Bits(format.alphaBits());
    descriptor.cDepthBits = Bits(format.depthBits());
    descriptor.cStencilBits = Bits(format.stencilBits());
    const int chosen = ::ChoosePixelFormat(deviceContext, &descriptor);
    if (chosen == 0) {
        VEK_THROW_INTERNAL(
            "Cannot create OpenGL Context. Can't find suitable format. Windows error "
            << GetLastError());
    }
    return chosen;
}

int Context::ChoosePixelFormat(HDC deviceContext, BufferFormat const& format, Buffering buffering,
                               Multisampling multisampling, Windowing windowing) {
    const auto choose =
        reinterpret_cast<PFN_wcgmChoosePixelFormatARB>(reinterpret_cast<internal::EntryPoint>(
            Wgl()->wcgmGetProcAddress(__FILE__, __LINE__, "wglChoosePixelFormatARB")));
    if (choose == nullptr) {
        VEK_THROW_INTERNAL("wglChoosePixelFormatARB extension not supported");
    }
    if (deviceContext == nullptr) {
        VEK_THROW_INTERNAL("Context:choosePixelFormat invalid device context");
    }
    const int colourBits = static_cast<int>(format.redBits() + format.greenBits() +
                                            format.blueBits() + format.alphaBits());
    std::vector<int> attributes = {WGL_SUPPORT_OPENGL_ARB, 1,
                                   WGL_ACCELERATION_ARB,   WGL_FULL_ACCELERATION_ARB,
                                   WGL_PIXEL_TYPE_ARB,     WGL_TYPE_RGBA_ARB,
                                   WGL_COLOR_BITS_ARB,     colourBits,
                                   WGL_RED_BITS_ARB,       static_cast<int>(format.redBits()),
                                   WGL_GREEN_BITS_ARB,     static_cast<int>(format.greenBits()),
                                   WGL_BLUE_BITS_ARB,      static_cast<int>(format.blueBits()),
                                   WGL_ALPHA_BITS_ARB,     static_cast<int>(format.alphaBits()),
                                   WGL_DEPTH_BITS_ARB,     static_cast<int>(format.depthBits()),
                                   WGL_STENCIL_BITS_ARB,   static_cast<int>(format.stencilBits()),
                                   WGL_DOUBLE_BUFFER_ARB,  buffering == kDoubleBuffered ? 1 : 0};
    if (windowing != kDrawToPbuffer) {
        attributes.insert(attributes.end(), {WGL_DRAW_TO_WINDOW_ARB, 1});
    } else {
        attributes.insert(attributes.end(),
                          {WGL_DRAW_TO_PBUFFER_ARB, 1, WGL_DRAW_TO_WINDOW_ARB, 0});
    }
    if (format.floatingPointColor()) {
        attributes.insert(attributes.end(), {WGL_TYPE_RGBA_FLOAT_ARB, 1});
    }
    if (multisampling > 1) {
        if (buffering != kDoubleBuffered) {
            VEK_THROW_INTERNAL("Double buffering required with multisampling.");
        }
        attributes.insert(attributes.end(), {WGL_SAMPLE_BUFFERS_ARB, 1, WGL_SAMPLES_ARB,
                                             static_cast<int>(multisampling)});
    }
    attributes.push_back(0);
    const FLOAT floatAttributes[2] = {0.f, 0.f};
    int chosen = 0;
    UINT count = 0;
    if (!choose(deviceContext, attributes.data(), floatAttributes, 1, &chosen, &count) ||
        count == 0) {
        VEK_THROW_INTERNAL("Can't find suitable pixel format.");
    }
    return chosen;
}

void Context::setPixelFormat(HDC deviceContext, int format) {
    if (format <= 0) {
        VEK_THROW_INTERNAL("Context::setPixelFormat invalid pixel format " << format);
    }
    pixelFormat_ = format;
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = 40;
    if (!SetPixelFormat(deviceContext, format, &descriptor)) {
        VEK_THROW_INTERNAL(
            "Context::setPixelFormat Unable to set pixel format %i on device context. Window "
            "Error: "
            << GetLastError());
    }
}

HGLRC Context::setupRenderingContext(HDC deviceContext, BufferFormat const& format,
                                     bool doubleBuffer, Context const* shareContext) {
    pixelFormat_ = ChoosePixelFormat(deviceContext, format, doubleBuffer);
    setPixelFormat(deviceContext, pixelFormat_);
    return createRenderingContext(deviceContext, shareContext);
}

HGLRC Context::createRenderingContext(HDC deviceContext, Context const* shareContext) {
    if (deviceContext == nullptr) {
        VEK_THROW_INTERNAL("Context::createRenderingContext invalid device context");
    }
    WGLInterceptor* wgl = Wgl();
    // A context that cannot join its share group is not handed out.
    const auto shareWith = [&](HGLRC created) {
        if (shareContext != nullptr &&
            !wgl->wcgmShareLists(__FILE__, __LINE__, shareContext->renderContext_, created)) {
            wgl->wcgmDeleteContext(__FILE__, __LINE__, created);
            VEK_THROW_INTERNAL("Context::createRenderingContext cannot share lists.");
        }
    };
    const auto createContextAttribs = reinterpret_cast<PFN_wcgmCreateContextAttribsARB>(
        ExtensionManager::Instance(displayDeviceKey_)->getWglCreateContextAttribsPtr());
    if (createContextAttribs != nullptr) {
        const int attributes[] = {
            WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB, 0, 0, 0};
        if (HGLRC created = createContextAttribs(deviceContext, nullptr, attributes)) {
            shareWith(created);
            return created;
        }
    }
    HGLRC created = wgl->wcgmCreateContext(__FILE__, __LINE__, deviceContext);
    if (created == nullptr) {
        VEK_THROW_INTERNAL("Context::createRenderingContext Can't create rendering context");
    }
    shareWith(created);
    return created;
}

void Context::initialize(HDC deviceContext, BufferFormat const& format, Buffering buffering,
                         Multisampling multisampling, Context const* shareContext) {
    ScopedContextWrapper savedContext;
    deviceContext_ = deviceContext;
    if (deviceContext == nullptr) {
        VEK_THROW_INTERNAL("ContextWindowed::ctor invalid DC on window");
    }
    // Objects are shared only between contexts of one adapter: refused before anything is made.
    const int adapter = Platform::Displays::AdapterOf(deviceContext);
    if (shareContext != nullptr) {
        const int shareAdapter = Platform::Displays::AdapterOf(shareContext->renderContext_);
        if (adapter >= 0 && shareAdapter >= 0 && adapter != shareAdapter) {
            VEK_THROW_INTERNAL(
                "Context::createRenderingContext cannot share lists. The context's "
                "display \""
                << displayDeviceKey_.outputName() << "\" is on screen " << adapter
                << ", its share context's display \""
                << shareContext->displayDeviceKey_.outputName() << "\" on screen " << shareAdapter
                << ": contexts share objects only on one screen.");
        }
    }
    WGLInterceptor* wgl = Wgl();
    InternalWindowPtr temporaryWindow;
    HGLRC temporaryContext = nullptr;
    try {
        const bool simple = !format.floatingPointColor() && multisampling == kNoMultisampling &&
                            format.redBits() <= 8 && format.greenBits() <= 8 &&
                            format.blueBits() <= 8 && format.alphaBits() <= 8;
        if (simple) {
            renderContext_ = setupRenderingContext(deviceContext, format,
                                                   buffering == kDoubleBuffered, shareContext);
        } else {
            // The extended chooser is found through a current context; make one if needed.
            // Pixel formats are numbered per adapter, so the query must be asked on this one.
            HDC queryDC = wgl->wcgmGetCurrentDC(__FILE__, __LINE__);
            if (wgl->wcgmGetCurrentContext(__FILE__, __LINE__) == nullptr ||
                Platform::Displays::AdapterOf(queryDC) != adapter) {
                temporaryWindow = InternalWindow::Create(
                    0, 0,
                    adapter >= 0 ? Platform::Displays::DesktopWindow(static_cast<unsigned>(adapter))
                                 : nullptr);
                queryDC = GetDC(temporaryWindow->window());
                temporaryContext = setupRenderingContext(
                    queryDC, BufferFormat(8, 8, 8, 0, 0, 0, false), false, nullptr);
                if (!wgl->wcgmMakeCurrent(__FILE__, __LINE__, queryDC, temporaryContext)) {
                    VEK_THROW_INTERNAL("Context::can't make this context current"
                                       << GetLastError());
                }
            }
            const int chosen =
                ChoosePixelFormat(queryDC, format, buffering, multisampling, kDrawToWindow);
            if (temporaryContext != nullptr) {
                wgl->wcgmMakeCurrent(__FILE__, __LINE__, nullptr, nullptr);
                if (!wgl->wcgmDeleteContext(__FILE__, __LINE__, temporaryContext)) {
                    VEK_THROW_INTERNAL(
                        "ContextWindowed::ContextWindowed failed to destroy context: fatal "
                        "exception!");
                }
                temporaryContext = nullptr;
                temporaryWindow->destroy();
                temporaryWindow.reset();
            }
            setPixelFormat(deviceContext, chosen);
            renderContext_ = createRenderingContext(deviceContext, shareContext);
        }
        makeCurrent();
        // The context is the library's own: its driver's error messages are logged for the
        // exceptions, unless the options say otherwise.
        if (initOptions_.debugOutput()) {
            internal::EnableDriverErrorMessages(
                ExtensionManager::Instance(displayDeviceKey_)->debugEntryPoints());
        }
    } catch (...) {
        // Every step is taken even when one before it failed, so that a failed release leaves
        // no context behind; the first failure is reported.
        const char* const destroyFailure =
            "ContextWindowed::ContextWindowed failed to destroy context: fatal exception!";
        internal::RestoreGuard cleaning;
        cleaning([&] {
            if ((wgl->wcgmGetCurrentContext(__FILE__, __LINE__) != nullptr ||
                 wgl->wcgmGetCurrentDC(__FILE__, __LINE__) != nullptr) &&
                !wgl->wcgmMakeCurrent(__FILE__, __LINE__, nullptr, nullptr)) {
                VEK_THROW_INTERNAL(
                    "ContextWindowed::ContextWindowed failed to release context: fatal exception!");
            }
        });
        cleaning([&] {
            if (temporaryContext != nullptr &&
                !wgl->wcgmDeleteContext(__FILE__, __LINE__, temporaryContext)) {
                VEK_THROW_INTERNAL(destroyFailure);
            }
        });
        cleaning([&] { temporaryWindow.reset(); });
        cleaning([&] {
            if (renderContext_ != nullptr) {
                const HGLRC created = renderContext_;
                renderContext_ = nullptr;
                if (!wgl->wcgmDeleteContext(__FILE__, __LINE__, created)) {
                    VEK_THROW_INTERNAL(destroyFailure);
                }
            }
        });
        cleaning.throwFirstFailure();
        throw;
    }
}

ScopedContextWrapper::ScopedContextWrapper(bool)
    : deviceContext_(wglGetCurrentDC()), renderContext_(wglGetCurrentContext()) {}

ScopedContextWrapper::~ScopedContextWrapper() {
    if (wglGetCurrentContext() == renderContext_ && wglGetCurrentDC() == deviceContext_) {
        return;
    }
    try {
        if (!wglMakeCurrent(deviceContext_, renderContext_)) {
            VEK_THROW_INTERNAL("Context::can't make this context current" << GetLastError());
        }
    } catch (const InternalException&) {
        // The saved context is gone; the thread keeps what it has.
    }
}

void ReleaseOGLContext() {
    if (wglGetCurrentContext() != nullptr) {
        wglMakeCurrent(nullptr, nullptr);
    }
}

}  // namespace OGL
}  // namespace VEK
