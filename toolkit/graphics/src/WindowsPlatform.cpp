#include "kel/WindowsPlatform.h"

#include "rtl/StringUtils.h"

namespace {

constexpr TOSVersionInfo kWindows10{10, 0, 19045};

Integer PlatformRtlGetVersion(TOSVersionInfo* info) {
    if (!info) return Integer(0xC000000D); // invalid parameter
    *info = kWindows10;
    return 0;
}

// The probe callers make is whether kernel32 exports it; there is no locale
// data to look up here, so a call answers 0 (no characters written).
Integer PlatformGetLocaleInfoEx(const Char* /*locale*/, Cardinal /*type*/, Char* /*data*/,
                                Integer /*chars*/) {
    return 0;
}

const TSystemLibraryTable& Ntdll() {
    static const TSystemLibraryTable library(
        {{u"RtlGetVersion", reinterpret_cast<void*>(&PlatformRtlGetVersion)}});
    return library;
}

const TSystemLibraryTable& Kernel32() {
    static const TSystemLibraryTable library(
        {{u"GetLocaleInfoEx", reinterpret_cast<void*>(&PlatformGetLocaleInfoEx)}});
    return library;
}

const TWindowsPlatform*& Current() {
    static const TWindowsPlatform platform;
    static const TWindowsPlatform* current = &platform;
    return current;
}

} // namespace

void* TSystemLibraryTable::GetProcAddress(const String& name) const {
    const auto it = FExports.find(name);
    return it == FExports.end() ? nullptr : it->second;
}

String SystemLibraryKey(const String& name) {
    String key = UpperCase(name);
    if (key.ends_with(u".DLL")) key.resize(key.size() - 4);
    return key;
}

bool TWindowsPlatform::GetVersionEx(TOSVersionInfo& info) const {
    info = kWindows10;
    return true;
}

const TSystemLibrary* TWindowsPlatform::GetModuleHandle(const String& name) const {
    const String key = SystemLibraryKey(name);
    if (key == u"NTDLL") return &Ntdll();
    if (key == u"KERNEL32") return &Kernel32();
    return nullptr;
}

std::unique_ptr<TSystemLibrary> TWindowsPlatform::LoadLibrary(const String& name) const {
    // The system libraries that exist here are always loaded; a load hands out
    // a reference to the same exports. Everything else, the visual-styles
    // library among them, is not available.
    if (const auto* loaded = dynamic_cast<const TSystemLibraryTable*>(GetModuleHandle(name)))
        return std::make_unique<TSystemLibraryTable>(*loaded);
    return nullptr;
}

Cardinal TWindowsPlatform::FileVersionMajor(const String& name) const {
    if (SystemLibraryKey(name) == u"COMCTL32") return 6;
    return 0xFFFFFFFF;
}

const TWindowsPlatform& WindowsPlatform() {
    return *Current();
}

TWindowsPlatformOverride::TWindowsPlatformOverride(const TWindowsPlatform& answers) : FPrevious(Current()) {
    Current() = &answers;
}

TWindowsPlatformOverride::~TWindowsPlatformOverride() {
    Current() = FPrevious;
}
