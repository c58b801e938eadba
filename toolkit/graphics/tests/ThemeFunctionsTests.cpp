#include "ThemeTestSupport.h"
#include "kel/ThemeFunctions.h"
#include "rtl/Encoding.h"
#include "rtltesting/ExceptionMessage.h"

namespace {

void AnyThemeFunction() {}

const Char* const kAllNames[] = {u"OpenThemeData",
                                 u"OpenThemeDataForDpi",
                                 u"CloseThemeData",
                                 u"DrawThemeBackground",
                                 u"DrawThemeText",
                                 u"GetThemeBackgroundContentRect",
                                 u"GetThemeBackgroundExtent",
                                 u"GetThemeTextExtent",
                                 u"GetThemeTextMetrics",
                                 u"GetThemeBackgroundRegion",
                                 u"HitTestThemeBackground",
                                 u"DrawThemeEdge",
                                 u"DrawThemeIcon",
                                 u"IsThemePartDefined",
                                 u"IsThemeBackgroundPartiallyTransparent",
                                 u"GetThemeColor",
                                 u"GetThemeMetric",
                                 u"GetThemeString",
                                 u"GetThemeBool",
                                 u"GetThemeInt",
                                 u"GetThemeEnumValue",
                                 u"GetThemePosition",
                                 u"GetThemeFont",
                                 u"GetThemeRect",
                                 u"GetThemeMargins",
                                 u"GetThemeIntList",
                                 u"SetWindowTheme",
                                 u"GetThemeFilename",
                                 u"GetThemeSysColor",
                                 u"GetThemeSysColorBrush",
                                 u"GetThemeSysBool",
                                 u"GetThemeSysSize",
                                 u"GetThemeSysFont",
                                 u"GetThemeSysString",
                                 u"GetThemeSysInt",
                                 u"IsThemeActive",
                                 u"IsAppThemed",
                                 u"GetWindowTheme",
                                 u"GetThemePartSize",
                                 u"EnableThemeDialogTexture",
                                 u"IsThemeDialogTextureEnabled",
                                 u"GetThemeAppProperties",
                                 u"SetThemeAppProperties",
                                 u"GetCurrentThemeName",
                                 u"GetThemeDocumentationProperty",
                                 u"DrawThemeParentBackground",
                                 u"EnableTheming"};

// A visual-styles library exporting every theme function but `missing`.
TFakeWindowsPlatform PlatformWithThemeLibrary(std::initializer_list<const Char*> missing = {}) {
    TFakeWindowsPlatform platform;
    std::map<String, void*> exports;
    for (const Char* name : kAllNames)
        exports[name] = reinterpret_cast<void*>(&AnyThemeFunction);
    for (const Char* name : missing)
        exports.erase(name);
    platform.UxThemeExports = exports;
    return platform;
}

TEST(ThemeFunctions, WithoutTheLibraryBothTablesAreEmpty) {
    for (const TThemeFunctions* table : {&KelXPVS(), &ATXPVS()}) {
        EXPECT_FALSE(table->Loaded());
        EXPECT_EQ(table->OpenThemeData, nullptr);
        EXPECT_EQ(table->DrawThemeBackground, nullptr);
        EXPECT_EQ(table->IsThemeActive, nullptr);
        EXPECT_EQ(table->EnableTheming, nullptr);
    }
}

TEST(ThemeFunctions, EachUnitBindsItsOwnNames) {
    const TFakeWindowsPlatform platform = PlatformWithThemeLibrary();
    TWindowsPlatformOverride answers(platform);
    TThemeFunctions kel(TThemeFunctionsUnit::KelXPVS);
    TThemeFunctions at(TThemeFunctionsUnit::ATXPVS);
    kel.Bind();
    at.Bind();
    EXPECT_TRUE(kel.Loaded());
    EXPECT_TRUE(at.Loaded());
    EXPECT_EQ(platform.UxThemeLoads, 2); // each unit loads the library itself
    EXPECT_NE(kel.OpenThemeDataForDpi, nullptr);
    EXPECT_NE(kel.GetThemePartSize, nullptr);
    EXPECT_EQ(at.OpenThemeDataForDpi, nullptr);
    EXPECT_EQ(at.GetThemePartSize, nullptr);
    for (const TThemeFunctions* table : {&kel, &at}) {
        EXPECT_NE(table->OpenThemeData, nullptr);
        EXPECT_NE(table->GetWindowTheme, nullptr);
        EXPECT_NE(table->EnableTheming, nullptr);
    }

    kel.Bind(); // already loaded: nothing happens
    EXPECT_EQ(platform.UxThemeLoads, 2);
    kel.Release();
    EXPECT_FALSE(kel.Loaded());
    EXPECT_NE(kel.OpenThemeData, nullptr); // pointers keep their last values
}

TEST(ThemeFunctions, OnlyTheDpiFunctionMayBeMissing) {
    const TFakeWindowsPlatform platform = PlatformWithThemeLibrary({u"OpenThemeDataForDpi"});
    TWindowsPlatformOverride answers(platform);
    TThemeFunctions kel(TThemeFunctionsUnit::KelXPVS);
    kel.Bind();
    EXPECT_TRUE(kel.Loaded());
    EXPECT_EQ(kel.OpenThemeDataForDpi, nullptr);
    EXPECT_NE(kel.CloseThemeData, nullptr);
}

TEST(ThemeFunctions, AMissingRequiredNameFailsWithItsLine) {
    const struct {
        const Char* Missing;
        const Char* KelXPVSMessage;
        const Char* ATXPVSMessage; // null: binds
    } cases[] = {
        {u"OpenThemeData", u"Assertion failure (KelXPVS, line 1563)",
         u"Assertion failure (ATXPVS, line 1537)"},
        {u"CloseThemeData", u"Assertion failure (KelXPVS, line 1568)",
         u"Assertion failure (ATXPVS, line 1540)"},
        {u"DrawThemeBackground", u"Assertion failure (KelXPVS, line 1571)",
         u"Assertion failure (ATXPVS, line 1543)"},
        {u"GetWindowTheme", u"Assertion failure (KelXPVS, line 1673)",
         u"Assertion failure (ATXPVS, line 1645)"},
        {u"GetThemePartSize", u"Assertion failure (KelXPVS, line 1676)", nullptr},
        {u"EnableThemeDialogTexture", u"Assertion failure (KelXPVS, line 1679)",
         u"Assertion failure (ATXPVS, line 1648)"},
        {u"EnableTheming", u"Assertion failure (KelXPVS, line 1700)",
         u"Assertion failure (ATXPVS, line 1669)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.Missing));
        const TFakeWindowsPlatform platform = PlatformWithThemeLibrary({c.Missing});
        TWindowsPlatformOverride answers(platform);
        TThemeFunctions kel(TThemeFunctionsUnit::KelXPVS);
        EXPECT_EQ(MessageOf<EAssertionFailed>([&] { kel.Bind(); }), c.KelXPVSMessage);
        TThemeFunctions at(TThemeFunctionsUnit::ATXPVS);
        if (c.ATXPVSMessage) {
            EXPECT_EQ(MessageOf<EAssertionFailed>([&] { at.Bind(); }), c.ATXPVSMessage);
        } else {
            at.Bind();
            EXPECT_TRUE(at.Loaded());
        }
    }
}

TEST(ThemeFunctions, NoNameIsBoundAfterTheMissingOne) {
    const TFakeWindowsPlatform platform = PlatformWithThemeLibrary({u"GetThemeColor"});
    TWindowsPlatformOverride answers(platform);
    TThemeFunctions kel(TThemeFunctionsUnit::KelXPVS);
    EXPECT_THROW(kel.Bind(), EAssertionFailed);
    EXPECT_NE(kel.IsThemeBackgroundPartiallyTransparent, nullptr);
    EXPECT_EQ(kel.GetThemeMetric, nullptr);
}

} // namespace
