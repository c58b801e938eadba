#include "os/DynamicLibrary.h"

#include "rtl/Encoding.h"

#include <dlfcn.h>
#include <utility>

namespace os {

DynamicLibrary::DynamicLibrary(const String& path) {
    Load(path);
}

DynamicLibrary::~DynamicLibrary() {
    Free();
}

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : FHandle(std::exchange(other.FHandle, nullptr)), FPath(std::move(other.FPath)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        Free();
        FHandle = std::exchange(other.FHandle, nullptr);
        FPath = std::move(other.FPath);
    }
    return *this;
}

void DynamicLibrary::Load(const String& path) {
    Free();
    dlerror();
    void* handle = path.empty() ? nullptr : dlopen(Utf8(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        throw EDynamicLibraryError(u"Cannot load library \"" + path + u"\"" +
                                   (reason ? u": " + FromUtf8(reason) : String(u".")));
    }
    FHandle = handle;
    FPath = path;
}

void DynamicLibrary::Free() {
    if (FHandle) dlclose(FHandle);
    FHandle = nullptr;
    FPath.clear();
}

void* DynamicLibrary::FindSymbol(const String& name) const {
    return FHandle && !name.empty() ? dlsym(FHandle, Utf8(name).c_str()) : nullptr;
}

void* DynamicLibrary::Symbol(const String& name) const {
    void* symbol = FindSymbol(name);
    if (!symbol)
        throw EDynamicLibraryError(u"Entry point \"" + name + u"\" not found in library \"" + FPath + u"\".");
    return symbol;
}

} // namespace os
