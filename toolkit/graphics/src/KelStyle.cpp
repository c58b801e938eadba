#include "kel/KelStyle.h"

#include "graphics/Canvas.h"
#include "graphics/Colors.h"
#include "graphics/DeviceContext.h"
#include "kel/ThemeFunctions.h"
#include "kel/WindowsPlatform.h"
#include "os/Registry.h"
#include "rtl/Convert.h"
#include "rtl/MathUtils.h"
#include "vcl/Forms.h"
#include "windowing/Paint.h"

#include <algorithm>

namespace {

constexpr const Char* kOffice16 = u"Software\\Microsoft\\Office\\16.0\\Common";
constexpr const Char* kOffice15 = u"Software\\Microsoft\\Office\\15.0\\Common";
constexpr const Char* kOffice14 = u"Software\\Microsoft\\Office\\14.0\\Common";
constexpr const Char* kOffice12 = u"Software\\Microsoft\\Office\\12.0\\Common";
constexpr const Char* kPersonalize = u"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// A value's data as text whatever its registry type: a number reads as its
// decimal digits, binary data as no text.
String ReadValueAsText(const TRegistry& registry, const String& name) {
    switch (registry.GetDataType(name)) {
    case rdInteger:
        return IntToStr(registry.ReadInteger(name));
    case rdString:
    case rdExpandString:
        return registry.ReadString(name);
    default:
        return String();
    }
}

// A setting stored as text or number: -1 when the key does not exist (or,
// unless `missingValueIsZero`, when it lacks the value); the value as a whole
// number otherwise, 0 for a text that is not one.
Integer ReadTextSetting(const String& key, const String& name, bool missingValueIsZero) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (!registry.KeyExists(key)) return -1;
    registry.OpenKeyReadOnly(key);
    if (!registry.ValueExists(name)) return missingValueIsZero ? 0 : -1;
    return StrToIntDef(ReadValueAsText(registry, name), 0);
}

// The "UI Theme" of Office 16.0 and 15.0.
Integer ReadOfficeUIThemeValue(const String& key) {
    return ReadTextSetting(key, u"UI Theme", true);
}

// The "Theme" of Office 14.0 and 12.0: -1 without the key or the value. A
// value that is not a number counts as an unrecognised setting (0) rather
// than failing the control that asks while it is being created.
Integer ReadOfficeThemeValue(const String& key) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (!registry.KeyExists(key)) return -1;
    registry.OpenKeyReadOnly(key);
    if (!registry.ValueExists(u"Theme")) return -1;
    if (registry.GetDataType(u"Theme") != rdInteger) return 0;
    return registry.ReadInteger(u"Theme");
}

bool IsWinXPOrLater() {
    TOSVersionInfo version;
    if (!WindowsPlatform().GetVersionEx(version)) return false;
    return version.MajorVersion > 5 || (version.MajorVersion == 5 && version.MinorVersion >= 1);
}

// The common controls of version 6 or later; a version that cannot be read
// (all bits set) passes. Only the low byte of the major number counts.
bool IsComCtl6() {
    return (WindowsPlatform().FileVersionMajor(u"COMCTL32.DLL") & 0xFF) > 5;
}

// The Windows XP visual style's colour scheme: 1 "NormalColor", 2
// "HomeStead", 3 "Metallic", 0 unthemed or unknown. The scheme's name is
// searched for in each literal, so an empty name never matches.
Integer XPColorScheme() {
    if (!IsWinXPOrLater()) return 0;
    const std::unique_ptr<TSystemLibrary> uxtheme = WindowsPlatform().LoadLibrary(u"uxtheme.dll");
    if (!uxtheme) return 0;
    const auto isThemeActive = reinterpret_cast<TIsThemeActive>(uxtheme->GetProcAddress(u"IsThemeActive"));
    if (!isThemeActive || !isThemeActive()) return 0;
    if (!IsComCtl6()) return 0;
    const auto getCurrentThemeName =
        reinterpret_cast<TGetCurrentThemeName>(uxtheme->GetProcAddress(u"GetCurrentThemeName"));
    if (!getCurrentThemeName) return 0;
    constexpr Integer kChars = 255;
    Char fileName[kChars] = {};
    Char colorScheme[kChars] = {};
    Char size[kChars] = {};
    getCurrentThemeName(fileName, kChars, colorScheme, kChars, size, kChars);
    colorScheme[kChars - 1] = 0;
    const std::u16string_view scheme(colorScheme);
    if (scheme.empty()) return 0;
    const auto contains = [&](std::u16string_view literal) { return literal.find(scheme) != literal.npos; };
    if (contains(u"NormalColor")) return 1;
    if (contains(u"HomeStead")) return 2;
    if (contains(u"Metallic")) return 3;
    return 0;
}

// 1 Windows 7 (and Vista reports as 6.0: 0), 2 Windows 8 and 8.1, 3 Windows
// 10 and later, 0 anything else. Windows 8.1 and later report 6.2 to a
// program without a manifest saying otherwise; RtlGetVersion tells the truth.
Integer WindowsVersionClass() {
    const TWindowsPlatform& platform = WindowsPlatform();
    TOSVersionInfo version;
    if (!platform.GetVersionEx(version)) return 0;
    if (version.MajorVersion == 6 && version.MinorVersion == 2) {
        if (const TSystemLibrary* ntdll = platform.GetModuleHandle(u"ntdll.dll")) {
            if (const auto rtlGetVersion =
                    reinterpret_cast<TRtlGetVersion>(ntdll->GetProcAddress(u"RtlGetVersion"))) {
                TOSVersionInfo actual;
                if (rtlGetVersion(&actual) == 0) {
                    version.MajorVersion = actual.MajorVersion;
                    version.MinorVersion = actual.MinorVersion;
                }
            }
        }
    }
    if (version.MajorVersion == 6) {
        if (version.MinorVersion == 1) return 1;
        if (version.MinorVersion == 2 || version.MinorVersion == 3) return 2;
        if (version.MinorVersion == 4) return 3;
    }
    return version.MajorVersion == 10 ? 3 : 0;
}

// Windows 10's app setting: dark (tsOffice2019Black) when
// "AppsUseLightTheme" reads 0, light (tsWindows10) otherwise, also without
// the setting.
TKelStyle Windows10Style() {
    return ReadTextSetting(kPersonalize, u"AppsUseLightTheme", false) == 0 ? tsOffice2019Black : tsWindows10;
}

} // namespace

TKelStyle CurrentOfficeStyle(bool UseXPScheme) {
    switch (ReadOfficeUIThemeValue(kOffice16)) {
    case -1:
        break;
    case 3:
        return tsOffice2019Gray;
    case 4:
        return tsOffice2019Black;
    default:
        return tsOffice2019White;
    }
    switch (ReadOfficeUIThemeValue(kOffice15)) {
    case -1:
        break;
    case 0:
        return tsOffice2013White;
    case 1:
        return tsOffice2013LightGray;
    case 2:
        return tsOffice2013Gray;
    default:
        return tsCustom;
    }
    switch (ReadOfficeThemeValue(kOffice14)) {
    case -1:
        break;
    case 1:
        return tsOffice2010Blue;
    case 2:
        return tsOffice2010Silver;
    case 3:
        return tsOffice2010Black;
    default:
        return tsCustom;
    }
    switch (ReadOfficeThemeValue(kOffice12)) {
    case -1:
        break;
    case 1:
        return tsOffice2007Luna;
    case 2:
        return tsOffice2007Silver;
    case 3:
        return tsOffice2007Obsidian;
    default:
        return tsCustom;
    }
    if (UseXPScheme) {
        switch (XPColorScheme()) {
        case 1:
            return tsOffice2003Blue;
        case 2:
            return tsOffice2003Olive;
        case 3:
            return tsOffice2003Silver;
        default:
            return tsOffice2003Classic;
        }
    }
    switch (WindowsVersionClass()) {
    case 2:
        return tsWindows8;
    case 3:
        return Windows10Style();
    default:
        return tsWindows7;
    }
}

TOfficeTheme CurrentOfficeTheme() {
    switch (CurrentOfficeStyle(true)) {
    case tsOffice2003Blue:
        return ot2003Blue;
    case tsOffice2003Silver:
        return ot2003Silver;
    case tsOffice2003Olive:
        return ot2003Olive;
    case tsOffice2003Classic:
        return ot2003Classic;
    case tsOffice2007Luna:
        return ot2007Blue;
    case tsOffice2007Silver:
        return ot2007Silver;
    case tsOffice2007Obsidian:
        return ot2007Black;
    case tsOffice2010Blue:
        return ot2010Blue;
    case tsOffice2010Silver:
        return ot2010Silver;
    case tsOffice2010Black:
        return ot2010Black;
    case tsOffice2013White:
        return ot2013White;
    case tsOffice2013LightGray:
        return ot2013Silver;
    case tsOffice2013Gray:
        return ot2013Gray;
    case tsOffice2016White:
        return ot2016White;
    case tsOffice2016Gray:
        return ot2016Gray;
    case tsOffice2016Black:
        return ot2016Black;
    case tsOffice2019White:
        return ot2019White;
    case tsOffice2019Gray:
        return ot2019Gray;
    case tsOffice2019Black:
    case tsCustom: // an Office whose setting is not recognised
        return ot2019Black;
    default:
        return otUnknown;
    }
}

Integer InstalledOfficeVersion() {
    static constexpr const Char* kGeneralKeys[] = {u"Software\\Microsoft\\Office\\11.0\\Common\\General",
                                                   u"Software\\Microsoft\\Office\\12.0\\Common\\General",
                                                   u"Software\\Microsoft\\Office\\14.0\\Common\\General",
                                                   u"Software\\Microsoft\\Office\\15.0\\Common\\General",
                                                   u"Software\\Microsoft\\Office\\16.0\\Common\\General"};
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CURRENT_USER);
    Integer version = 0;
    for (Integer i = 0; i < Integer(std::size(kGeneralKeys)); ++i)
        if (registry.KeyExists(kGeneralKeys[i])) version = i; // 11.0 counts as none
    return version;
}

bool IsVistaOrLater() {
    const TSystemLibrary* kernel32 = WindowsPlatform().GetModuleHandle(u"kernel32");
    return kernel32 && kernel32->GetProcAddress(u"GetLocaleInfoEx");
}

String DefaultFontName() {
    return IsVistaOrLater() ? u"Segoe UI" : u"Tahoma";
}

bool IsLightStyle(TKelStyle AStyle) {
    return AStyle != tsOffice2016Black && AStyle != tsOffice2019Gray && AStyle != tsOffice2019Black;
}

bool VCLStylesActive(const TStyleServicesState& AStyleServices, bool ADesigning) {
    if (ADesigning) return AStyleServices.Name != u"Windows10" && AStyleServices.Name != u"Mountain_Mist";
    return AStyleServices.Enabled && AStyleServices.Name != u"Windows";
}

Single ControlDPIScale(TControl* AControl, TCanvas* ACanvas) {
    Single scale;
    if (auto* form = AControl ? dynamic_cast<TForm*>(GetParentForm(AControl)) : nullptr) {
        if (form->Scaled()) {
            const TMonitor* monitor = form->Monitor();
            scale = Single(monitor ? monitor->PixelsPerInch() : Screen->PixelsPerInch()) / 96;
        } else {
            scale = 1;
        }
    } else if (ACanvas && ACanvas->HandleAllocated()) {
        scale = Single(winapi::GetDeviceCaps(ACanvas->Handle(), LOGPIXELSY)) / 96;
    } else {
        const winapi::HDC screen = winapi::GetDC(nullptr);
        scale = Single(winapi::GetDeviceCaps(screen, LOGPIXELSX)) / 96;
        winapi::ReleaseDC(nullptr, screen);
    }
    return scale == 0 ? 1 : scale;
}

TColor ScaleColorChannels(TColor AColor, Integer APercent) {
    const TColor rgb = ColorToRGB(AColor);
    const auto scale = [APercent](Byte channel) {
        const Int64 scaled = Round(double(100 - APercent) * channel / 100.0);
        return Byte(std::clamp<Int64>(scaled, 0, 255));
    };
    return RGB(scale(GetRValue(rgb)), scale(GetGValue(rgb)), scale(GetBValue(rgb)));
}

TColor ShadeColor(TColor AColor, Integer APercent) {
    return ScaleColorChannels(AColor, APercent);
}
