#pragma once
// A throw-away substance store built from the installed example data, and
// the real libvorn.so opened with its entry points, for the tests.

#include "rtl/Encoding.h"
#include "rtltesting/TestFiles.h"
#include "vorn/VORNApi.h"

#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace vorn::testing {

inline const char* ExamplofenGUID = "{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}";
inline const char* AcidGUID = "{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856}";
inline const char* DraftazoleGUID = "{D41B6E08-7F2C-49A3-85E6-0C9A3B1D7F24}";

// A fresh folder holding a copy of the example store "vorn.sqlite" that the
// build makes; VORN_STORE names it while the object lives.
class TExampleStore {
public:
    TExampleStore() {
        std::filesystem::copy_file(VORN_EXAMPLE_STORE, StoreFile());
        setenv("VORN_STORE", StoreFile().c_str(), 1);
    }
    ~TExampleStore() { unsetenv("VORN_STORE"); }
    TExampleStore(const TExampleStore&) = delete;
    TExampleStore& operator=(const TExampleStore&) = delete;

    std::string StoreFile() const { return File("vorn.sqlite"); }
    std::string File(const std::string& name) const { return FFolder.Native(FromUtf8(name)); }

private:
    TTempFolder FFolder;
};

// The library built by the project, opened once for the test program.
inline void* Library() {
    static void* handle = dlopen(VORN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!handle) ADD_FAILURE() << dlerror();
    return handle;
}

template <class F>
F EntryPoint(const char* name) {
    return reinterpret_cast<F>(dlsym(Library(), name));
}

// Fetches an output text with a buffer of `size` characters, growing it once
// when the library asks for more.
template <class Call>
std::string OutputText(Call&& call, std::int32_t size = 100) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::string buffer(size + 1, ' ');
        char* text = buffer.data();
        if (call(&text, &size)) return text;
    }
    ADD_FAILURE() << "the library answered false twice";
    return {};
}

inline std::string LastError() {
    return OutputText(EntryPoint<TGetText>("GetLastError"));
}

} // namespace vorn::testing
