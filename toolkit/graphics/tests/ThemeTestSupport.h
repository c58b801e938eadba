#pragma once
// Theme tests: a fresh registry per test, values written into it (also from
// another process), and operating-system answers a test chooses.

#include "kel/WindowsPlatform.h"
#include "os/Registry.h"
#include "rtltesting/TestFiles.h"

#include <gtest/gtest.h>
#include <optional>
#include <stdlib.h>

// Starts a fresh headless window system on this thread (dropping every
// window of the previous one).
void UseHeadlessWindowSystem();

class ThemeRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("VANDREL_REGISTRY_DIR", FHives.Native().c_str(), 1); }
    void TearDown() override { unsetenv("VANDREL_REGISTRY_DIR"); }

    static void CreateKey(const String& key);
    static void WriteInteger(const String& key, const String& name, Integer value);
    static void WriteString(const String& key, const String& name, const String& value);
    // Writes the number from a separate process of this test program.
    static void WriteIntegerInOtherProcess(const String& key, const String& name, Integer value);
    // Removes every key of HKEY_CURRENT_USER.
    static void ClearRegistry();

private:
    TTempFolder FHives;
};

// Answers a test sets: a Windows version (or a failing version call), what
// RtlGetVersion reports (nothing: ntdll does not export it), whether kernel32
// exports GetLocaleInfoEx, the visual-styles library's exports (nothing: the
// library cannot be loaded) and the common controls' major version.
class TFakeWindowsPlatform : public TWindowsPlatform {
public:
    std::optional<TOSVersionInfo> Version = TOSVersionInfo{10, 0, 19045};
    std::optional<TOSVersionInfo> RtlVersion;
    bool HasGetLocaleInfoEx = true;
    std::optional<std::map<String, void*>> UxThemeExports;
    Cardinal ComCtlMajor = 6;
    mutable Integer UxThemeLoads = 0;

    bool GetVersionEx(TOSVersionInfo& info) const override;
    const TSystemLibrary* GetModuleHandle(const String& name) const override;
    std::unique_ptr<TSystemLibrary> LoadLibrary(const String& name) const override;
    Cardinal FileVersionMajor(const String& name) const override;

private:
    mutable TSystemLibraryTable FNtdll;
    mutable TSystemLibraryTable FKernel32;
};
