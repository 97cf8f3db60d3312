// Windows: the OpenCL loader is OpenCL.dll in the system directory, opened with LoadLibraryW.
#include "vek/vek_ocl/LoaderModule.h"

#include <windows.h>

namespace VEK {
namespace OCL {
namespace detail {

const char* const kLoaderFileName = "OpenCL.dll";

namespace {

std::wstring Wide(const std::string& text) {
    const int count = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    if (count <= 1) {
        return std::wstring();
    }
    std::wstring result(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &result[0], count);
    result.resize(static_cast<std::size_t>(count - 1));
    return result;
}

}  // namespace

std::string SystemLibraryDirectory() {
    wchar_t directory[MAX_PATH];
    const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::string();
    }
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, directory, static_cast<int>(length), nullptr,
                                          0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, directory, static_cast<int>(length), &result[0], bytes, nullptr,
                        nullptr);
    return result;
}

void* OpenLoader(const std::string& prefix) {
    std::string path;
    if (!prefix.empty()) {
        path = prefix + kLoaderFileName;
    } else {
        const std::string directory = SystemLibraryDirectory();
        if (directory.empty()) {
            return nullptr;
        }
        path = directory + "\\" + kLoaderFileName;
    }
    // A name without a separator would make LoadLibrary search the path; the prefix names a
    // place, relative to the working directory at most.
    if (path.find_first_of("\\/") == std::string::npos) {
        path = ".\\" + path;
    }
    const std::wstring wide = Wide(path);
    return wide.empty() ? nullptr : static_cast<void*>(LoadLibraryW(wide.c_str()));
}

void* LoaderSymbol(void* module, const char* name) {
    return module ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name))
                  : nullptr;
}

void CloseLoader(void* module) {
    if (module) {
        FreeLibrary(static_cast<HMODULE>(module));
    }
}

}  // namespace detail
}  // namespace OCL
}  // namespace VEK
