#include "ThemeTestSupport.h"
#include "graphics/Canvas.h"
#include "graphics/Colors.h"
#include "graphics/DeviceContext.h"
#include "kel/KelStyle.h"
#include "kel/ThemeFunctions.h"
#include "rtl/Encoding.h"
#include "vcl/Forms.h"

#include <functional>

namespace {

using KelStyle = ThemeRegistryTest;

constexpr const Char* k16 = u"Software\\Microsoft\\Office\\16.0\\Common";
constexpr const Char* k15 = u"Software\\Microsoft\\Office\\15.0\\Common";
constexpr const Char* k14 = u"Software\\Microsoft\\Office\\14.0\\Common";
constexpr const Char* k12 = u"Software\\Microsoft\\Office\\12.0\\Common";
constexpr const Char* kPersonalize = u"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

static_assert(tsCustom == 8 && tsWindows10 == 20 && tsOffice2019Black == 26);
static_assert(ot2013White == 10 && otUnknown == 19 && msDark == 1);

struct TRegistryCase {
    const char* Name;
    std::function<void()> Setup;
    TKelStyle Expected;
};

TEST_F(KelStyle, OfficeSettingsDecideTheStyle) {
    const TRegistryCase cases[] = {
        {"16.0 UI Theme 0", [] { WriteInteger(k16, u"UI Theme", 0); }, tsOffice2019White},
        {"16.0 UI Theme 3", [] { WriteInteger(k16, u"UI Theme", 3); }, tsOffice2019Gray},
        {"16.0 UI Theme 4", [] { WriteInteger(k16, u"UI Theme", 4); }, tsOffice2019Black},
        {"16.0 UI Theme 5", [] { WriteInteger(k16, u"UI Theme", 5); }, tsOffice2019White},
        {"16.0 UI Theme 6", [] { WriteInteger(k16, u"UI Theme", 6); }, tsOffice2019White},
        {"16.0 key without value", [] { CreateKey(k16); }, tsOffice2019White},
        {"16.0 UI Theme text 3", [] { WriteString(k16, u"UI Theme", u"3"); }, tsOffice2019Gray},
        {"16.0 UI Theme not a number", [] { WriteString(k16, u"UI Theme", u"dark"); }, tsOffice2019White},
        {"16.0 wins over 15.0",
         [] {
             WriteInteger(k15, u"UI Theme", 2);
             WriteInteger(k16, u"UI Theme", 4);
         },
         tsOffice2019Black},
        {"15.0 UI Theme 0", [] { WriteInteger(k15, u"UI Theme", 0); }, tsOffice2013White},
        {"15.0 UI Theme 1", [] { WriteInteger(k15, u"UI Theme", 1); }, tsOffice2013LightGray},
        {"15.0 UI Theme 2", [] { WriteInteger(k15, u"UI Theme", 2); }, tsOffice2013Gray},
        {"15.0 UI Theme 7", [] { WriteInteger(k15, u"UI Theme", 7); }, tsCustom},
        {"15.0 key without value", [] { CreateKey(k15); }, tsOffice2013White},
        {"14.0 Theme 1", [] { WriteInteger(k14, u"Theme", 1); }, tsOffice2010Blue},
        {"14.0 Theme 2", [] { WriteInteger(k14, u"Theme", 2); }, tsOffice2010Silver},
        {"14.0 Theme 3", [] { WriteInteger(k14, u"Theme", 3); }, tsOffice2010Black},
        {"14.0 Theme 0", [] { WriteInteger(k14, u"Theme", 0); }, tsCustom},
        {"14.0 Theme as text", [] { WriteString(k14, u"Theme", u"2"); }, tsCustom},
        {"14.0 without Theme falls through to 12.0",
         [] {
             CreateKey(k14);
             WriteInteger(k12, u"Theme", 2);
         },
         tsOffice2007Silver},
        {"12.0 Theme 1", [] { WriteInteger(k12, u"Theme", 1); }, tsOffice2007Luna},
        {"12.0 Theme 3", [] { WriteInteger(k12, u"Theme", 3); }, tsOffice2007Obsidian},
        {"12.0 Theme 9", [] { WriteInteger(k12, u"Theme", 9); }, tsCustom},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ClearRegistry();
        c.Setup();
        EXPECT_EQ(CurrentOfficeStyle(false), c.Expected);
        EXPECT_EQ(CurrentOfficeStyle(true), c.Expected);
    }
}

TEST_F(KelStyle, WithoutOfficeTheWindowsVersionDecides) {
    const struct {
        const char* Name;
        std::optional<TOSVersionInfo> Version;
        std::optional<TOSVersionInfo> RtlVersion;
        std::optional<Integer> AppsUseLightTheme;
        TKelStyle Expected;
    } cases[] = {
        {"version call fails", std::nullopt, std::nullopt, std::nullopt, tsWindows7},
        {"Vista", TOSVersionInfo{6, 0, 6002}, std::nullopt, std::nullopt, tsWindows7},
        {"Windows 7", TOSVersionInfo{6, 1, 7601}, std::nullopt, std::nullopt, tsWindows7},
        {"Windows 8", TOSVersionInfo{6, 2, 9200}, std::nullopt, std::nullopt, tsWindows8},
        {"Windows 8.1 reporting 6.2", TOSVersionInfo{6, 2, 9200}, TOSVersionInfo{6, 3, 9600}, std::nullopt,
         tsWindows8},
        {"Windows 10 reporting 6.2, dark", TOSVersionInfo{6, 2, 9200}, TOSVersionInfo{10, 0, 19045}, 0,
         tsOffice2019Black},
        {"Windows 10 preview 6.4", TOSVersionInfo{6, 4, 9841}, std::nullopt, std::nullopt, tsWindows10},
        {"Windows 10, light", TOSVersionInfo{10, 0, 19045}, std::nullopt, 1, tsWindows10},
        {"Windows 10, dark", TOSVersionInfo{10, 0, 19045}, std::nullopt, 0, tsOffice2019Black},
        {"Windows 11 without the setting", TOSVersionInfo{10, 0, 22631}, std::nullopt, std::nullopt,
         tsWindows10},
        {"a later major version", TOSVersionInfo{11, 0, 1}, std::nullopt, 0, tsWindows7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ClearRegistry();
        if (c.AppsUseLightTheme) WriteInteger(kPersonalize, u"AppsUseLightTheme", *c.AppsUseLightTheme);
        TFakeWindowsPlatform platform;
        platform.Version = c.Version;
        platform.RtlVersion = c.RtlVersion;
        TWindowsPlatformOverride answers(platform);
        EXPECT_EQ(CurrentOfficeStyle(false), c.Expected);
    }
}

TEST_F(KelStyle, ThisPlatformIsWindows10WithoutVisualStyles) {
    EXPECT_EQ(CurrentOfficeStyle(false), tsWindows10);
    EXPECT_EQ(CurrentOfficeStyle(true), tsOffice2003Classic);
    EXPECT_EQ(CurrentOfficeTheme(), ot2003Classic);
    WriteString(kPersonalize, u"AppsUseLightTheme", u"not a number");
    EXPECT_EQ(CurrentOfficeStyle(false), tsOffice2019Black);
    EXPECT_TRUE(IsVistaOrLater());
    EXPECT_EQ(DefaultFontName(), u"Segoe UI");
}

String FakeColorScheme;

Integer FakeIsThemeActive() {
    return 1;
}
Integer FakeIsThemeInactive() {
    return 0;
}
HRESULT FakeGetCurrentThemeName(Char* file, Integer fileChars, Char* color, Integer colorChars, Char* size,
                                Integer sizeChars) {
    const auto put = [](Char* buffer, Integer chars, std::u16string_view text) {
        const size_t count = std::min<size_t>(text.size(), size_t(chars - 1));
        std::copy_n(text.data(), count, buffer);
        buffer[count] = 0;
    };
    put(file, fileChars, u"C:\\WINDOWS\\resources\\Themes\\Luna\\Luna.msstyles");
    put(color, colorChars, FakeColorScheme);
    put(size, sizeChars, u"NormalSize");
    return 0;
}

TEST_F(KelStyle, TheXPColorSchemeDecidesWithoutOffice) {
    const struct {
        const char* Name;
        String Scheme;
        bool Active;
        Cardinal ComCtlMajor;
        TOSVersionInfo Version;
        TKelStyle Expected;
    } cases[] = {
        {"NormalColor", u"NormalColor", true, 6, {5, 1, 2600}, tsOffice2003Blue},
        {"HomeStead", u"HomeStead", true, 6, {5, 1, 2600}, tsOffice2003Olive},
        {"Metallic", u"Metallic", true, 6, {5, 1, 2600}, tsOffice2003Silver},
        {"part of a name", u"Normal", true, 6, {5, 1, 2600}, tsOffice2003Blue},
        {"case differs", u"normalcolor", true, 6, {5, 1, 2600}, tsOffice2003Classic},
        {"empty scheme", u"", true, 6, {5, 1, 2600}, tsOffice2003Classic},
        {"themes inactive", u"NormalColor", false, 6, {5, 1, 2600}, tsOffice2003Classic},
        {"common controls 5", u"NormalColor", true, 5, {5, 1, 2600}, tsOffice2003Classic},
        {"common controls unreadable", u"NormalColor", true, 0xFFFFFFFF, {5, 1, 2600}, tsOffice2003Blue},
        {"common controls 0x105", u"NormalColor", true, 0x105, {5, 1, 2600}, tsOffice2003Classic},
        {"Windows 2000", u"NormalColor", true, 6, {5, 0, 2195}, tsOffice2003Classic},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        FakeColorScheme = c.Scheme;
        TFakeWindowsPlatform platform;
        platform.Version = c.Version;
        platform.ComCtlMajor = c.ComCtlMajor;
        platform.UxThemeExports = std::map<String, void*>{
            {u"IsThemeActive", reinterpret_cast<void*>(c.Active ? &FakeIsThemeActive : &FakeIsThemeInactive)},
            {u"GetCurrentThemeName", reinterpret_cast<void*>(&FakeGetCurrentThemeName)}};
        TWindowsPlatformOverride answers(platform);
        EXPECT_EQ(CurrentOfficeStyle(true), c.Expected);
    }
}

TEST_F(KelStyle, OfficeThemeFollowsTheStyle) {
    const struct {
        const char* Name;
        std::function<void()> Setup;
        TOfficeTheme Expected;
    } cases[] = {
        {"16.0 gray", [] { WriteInteger(k16, u"UI Theme", 3); }, ot2019Gray},
        {"16.0 black", [] { WriteInteger(k16, u"UI Theme", 4); }, ot2019Black},
        {"15.0 light gray", [] { WriteInteger(k15, u"UI Theme", 1); }, ot2013Silver},
        {"15.0 unrecognised", [] { WriteInteger(k15, u"UI Theme", 7); }, ot2019Black},
        {"14.0 unrecognised", [] { WriteInteger(k14, u"Theme", 0); }, ot2019Black},
        {"14.0 silver", [] { WriteInteger(k14, u"Theme", 2); }, ot2010Silver},
        {"12.0 blue", [] { WriteInteger(k12, u"Theme", 1); }, ot2007Blue},
        {"12.0 black", [] { WriteInteger(k12, u"Theme", 3); }, ot2007Black},
        {"no Office", [] {}, ot2003Classic},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ClearRegistry();
        c.Setup();
        EXPECT_EQ(CurrentOfficeTheme(), c.Expected);
    }
}

TEST_F(KelStyle, InstalledOfficeVersionIsTheHighestGeneralKey) {
    const struct {
        std::vector<const Char*> Versions;
        Integer Expected;
    } cases[] = {
        {{}, 0},        {{u"11.0"}, 0},          {{u"12.0"}, 1},
        {{u"14.0"}, 2}, {{u"11.0", u"15.0"}, 3}, {{u"12.0", u"16.0"}, 4},
    };
    for (const auto& c : cases) {
        ClearRegistry();
        String trace;
        for (const Char* version : c.Versions) {
            CreateKey(String(u"Software\\Microsoft\\Office\\") + version + u"\\Common\\General");
            trace += String(version) + u" ";
        }
        SCOPED_TRACE(Utf8(trace));
        EXPECT_EQ(InstalledOfficeVersion(), c.Expected);
    }
    ClearRegistry();
    CreateKey(k16); // Common without General
    EXPECT_EQ(InstalledOfficeVersion(), 0);
}

TEST(KelStyleRoutines, OnlyThreeStylesAreDark) {
    for (Integer style = tsOffice2003Blue; style <= tsOffice2019Black; ++style) {
        const bool dark =
            style == tsOffice2016Black || style == tsOffice2019Gray || style == tsOffice2019Black;
        EXPECT_EQ(IsLightStyle(TKelStyle(style)), !dark) << style;
    }
}

TEST(KelStyleRoutines, ShadeColorScalesEveryChannel) {
    const struct {
        TColor Color;
        Integer Percent;
        TColor Expected;
    } cases[] = {
        {clWhite, 20, RGB(204, 204, 204)},
        {RGB(128, 128, 128), -60, RGB(205, 205, 205)},
        {clWhite, -20, clWhite},
        {RGB(200, 100, 10), -60, RGB(255, 160, 16)},
        {RGB(1, 3, 5), 50, RGB(0, 2, 2)}, // 0.5, 1.5 and 2.5 round to even
        {RGB(10, 20, 30), 0, RGB(10, 20, 30)},
        {clBlack, -60, clBlack},
        {RGB(10, 20, 30), 150, clBlack}, // beyond the contract: kept within the channel's range
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShadeColor(c.Color, c.Percent), c.Expected)
            << std::hex << c.Color << " " << std::dec << c.Percent;
        EXPECT_EQ(ScaleColorChannels(c.Color, c.Percent), c.Expected);
    }
    EXPECT_EQ(ShadeColor(clWindow, 20), ShadeColor(ColorToRGB(clWindow), 20));
    EXPECT_EQ(ShadeColor(clHighlight, -20), ShadeColor(winapi::GetSysColor(COLOR_HIGHLIGHT), -20));
}

TEST(KelStyleRoutines, VCLStylesActive) {
    const struct {
        bool Enabled;
        const Char* Name;
        bool Designing;
        bool Expected;
    } cases[] = {
        {false, u"Windows", false, false},      {true, u"Windows", false, false},
        {true, u"Carbon", false, true},         {false, u"Carbon", false, false},
        {false, u"Windows", true, true},        {true, u"Windows10", true, false},
        {false, u"Mountain_Mist", true, false}, {false, u"mountain_mist", true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VCLStylesActive({c.Enabled, c.Name}, c.Designing), c.Expected)
            << Utf8(c.Name) << " " << c.Enabled << " " << c.Designing;
}

TEST(KelStyleRoutines, FontFollowsTheLocaleProbe) {
    TFakeWindowsPlatform platform;
    platform.HasGetLocaleInfoEx = false;
    TWindowsPlatformOverride answers(platform);
    EXPECT_FALSE(IsVistaOrLater());
    EXPECT_EQ(DefaultFontName(), u"Tahoma");
}

} // namespace

namespace {

// The screen's pixels per inch for one test.
class TScreenDensity {
public:
    explicit TScreenDensity(Integer pixelsPerInch) : FSaved(ScreenPixelsPerInch()) {
        SetScreenPixelsPerInch(pixelsPerInch);
    }
    ~TScreenDensity() { SetScreenPixelsPerInch(FSaved); }

private:
    Integer FSaved;
};

TEST(ControlDPIScale, FormThenCanvasThenScreen) {
    UseHeadlessWindowSystem();
    TScreenDensity density(144);
    TForm* form = Create<TForm>(nullptr);
    auto* control = Create<TWinControl>(form);
    control->SetParent(form);
    EXPECT_EQ(ControlDPIScale(control, nullptr), 1.5f);
    form->SetScaled(false);
    EXPECT_EQ(ControlDPIScale(control, nullptr), 1.0f);
    EXPECT_EQ(ControlDPIScale(form, nullptr), 1.0f);

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4);
    TDeviceContext device(surface, TDeviceTechnology::Printer, 120);
    cairo_surface_destroy(surface);
    TCanvas canvas;
    EXPECT_EQ(ControlDPIScale(nullptr, &canvas), 1.5f); // no handle yet: the screen
    canvas.SetHandle(&device);
    EXPECT_EQ(ControlDPIScale(nullptr, &canvas), 1.25f);
    EXPECT_EQ(ControlDPIScale(control, &canvas), 1.0f); // the form comes first

    auto* loose = Create<TWinControl>(nullptr); // on no form
    EXPECT_EQ(ControlDPIScale(loose, &canvas), 1.25f);
    EXPECT_EQ(ControlDPIScale(loose, nullptr), 1.5f);
    Free(loose);
    Free(form);
    UseHeadlessWindowSystem();
}

} // namespace
