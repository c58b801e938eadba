#pragma once
// A shared library loaded at run time by path, its entry points looked up by
// name.

#include "rtl/Exception.h"
#include "rtl/Types.h"

class EDynamicLibraryError : public Exception {
public:
    explicit EDynamicLibraryError(String message) : Exception(std::move(message)) {}
};

namespace os {

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    // Loads at once; raises EDynamicLibraryError naming the path and the
    // loader's reason when the file cannot be loaded.
    explicit DynamicLibrary(const String& path);
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    void Load(const String& path);
    void Free();
    bool Loaded() const { return FHandle != nullptr; }
    const String& Path() const { return FPath; }

    // Null when the library has no entry point of that name.
    void* FindSymbol(const String& name) const;
    // Raises EDynamicLibraryError naming the entry point and the library.
    void* Symbol(const String& name) const;
    template <class F>
    F SymbolAs(const String& name) const {
        return reinterpret_cast<F>(Symbol(name));
    }

private:
    void* FHandle = nullptr;
    String FPath;
};

} // namespace os
