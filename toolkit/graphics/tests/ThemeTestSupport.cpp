#include "ThemeTestSupport.h"

#include "os/Process.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "windowing/HeadlessBackend.h"

#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The platform whose RtlGetVersion answers (a plain function has no object).
const TFakeWindowsPlatform* RtlAnswerer = nullptr;

constexpr const char* kWriterFlag = "--write-registry-integer";

// When this program was started as the writer of
// WriteIntegerInOtherProcess, it writes the value and ends before any test
// runs.
const bool kIsWriter = [] {
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::string> args;
    for (size_t start = 0; start < all.size();) {
        const size_t end = all.find('\0', start);
        args.push_back(all.substr(start, end - start));
        start = end == std::string::npos ? all.size() : end + 1;
    }
    if (args.size() != 5 || args[1] != kWriterFlag) return false;
    TRegistry registry;
    const bool written = registry.OpenKey(FromUtf8(args[2]), true);
    if (written) registry.WriteInteger(FromUtf8(args[3]), StrToInt(FromUtf8(args[4])));
    _exit(written ? 0 : 1);
}();

} // namespace

void UseHeadlessWindowSystem() {
    UseHeadlessBackend();
}

void ThemeRegistryTest::CreateKey(const String& key) {
    TRegistry registry;
    ASSERT_TRUE(registry.CreateKey(key));
}

void ThemeRegistryTest::WriteInteger(const String& key, const String& name, Integer value) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(key, true));
    registry.WriteInteger(name, value);
}

void ThemeRegistryTest::WriteString(const String& key, const String& name, const String& value) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(key, true));
    registry.WriteString(name, value);
}

void ThemeRegistryTest::WriteIntegerInOtherProcess(const String& key, const String& name, Integer value) {
    ASSERT_FALSE(kIsWriter);
    const String parameters =
        FromUtf8(kWriterFlag) + u" \"" + key + u"\" \"" + name + u"\" " + IntToStr(value);
    auto writer = os::SpawnProcess(u"/proc/self/exe", parameters, u"/");
    ASSERT_NE(writer, nullptr);
    writer->WaitFor(nullptr, std::chrono::milliseconds(50));
}

void ThemeRegistryTest::ClearRegistry() {
    TRegistry registry;
    registry.DeleteKey(u"Software");
}

bool TFakeWindowsPlatform::GetVersionEx(TOSVersionInfo& info) const {
    if (!Version) return false;
    info = *Version;
    return true;
}

const TSystemLibrary* TFakeWindowsPlatform::GetModuleHandle(const String& name) const {
    static const auto rtlGetVersion = [](TOSVersionInfo* info) -> Integer {
        *info = *RtlAnswerer->RtlVersion;
        return 0;
    };
    const String key = SystemLibraryKey(name);
    if (key == u"NTDLL") {
        RtlAnswerer = this;
        FNtdll = RtlVersion
                     ? TSystemLibraryTable({{u"RtlGetVersion", reinterpret_cast<void*>(+rtlGetVersion)}})
                     : TSystemLibraryTable();
        return &FNtdll;
    }
    if (key == u"KERNEL32") {
        static const auto getLocaleInfoEx = [](const Char*, Cardinal, Char*, Integer) -> Integer {
            return 0;
        };
        FKernel32 =
            HasGetLocaleInfoEx
                ? TSystemLibraryTable({{u"GetLocaleInfoEx", reinterpret_cast<void*>(+getLocaleInfoEx)}})
                : TSystemLibraryTable();
        return &FKernel32;
    }
    return nullptr;
}

std::unique_ptr<TSystemLibrary> TFakeWindowsPlatform::LoadLibrary(const String& name) const {
    if (SystemLibraryKey(name) != u"UXTHEME" || !UxThemeExports) return nullptr;
    ++UxThemeLoads;
    return std::make_unique<TSystemLibraryTable>(*UxThemeExports);
}

Cardinal TFakeWindowsPlatform::FileVersionMajor(const String& name) const {
    return SystemLibraryKey(name) == u"COMCTL32" ? ComCtlMajor : 0xFFFFFFFF;
}
