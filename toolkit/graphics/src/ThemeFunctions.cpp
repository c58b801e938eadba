#include "kel/ThemeFunctions.h"

#include "rtl/Exception.h"

#include <type_traits>

namespace {

template <auto Member>
void StoreAs(TThemeFunctions& table, void* address) {
    using TPointer = std::remove_reference_t<decltype(table.*Member)>;
    table.*Member = reinterpret_cast<TPointer>(address);
}

enum TBinding { bBoth, bKelXPVSOnly, bKelXPVSOnlyOptional };

struct TEntry {
    const Char* Name;
    void (*Store)(TThemeFunctions&, void*);
    TBinding Binding;
};

#define THEME_ENTRY(Name, Binding)                                                                           \
    { u## #Name, &StoreAs<&TThemeFunctions::Name>, Binding }

// In binding order.
constexpr TEntry kEntries[] = {
    THEME_ENTRY(OpenThemeData, bBoth),
    THEME_ENTRY(OpenThemeDataForDpi, bKelXPVSOnlyOptional),
    THEME_ENTRY(CloseThemeData, bBoth),
    THEME_ENTRY(DrawThemeBackground, bBoth),
    THEME_ENTRY(DrawThemeText, bBoth),
    THEME_ENTRY(GetThemeBackgroundContentRect, bBoth),
    THEME_ENTRY(GetThemeBackgroundExtent, bBoth),
    THEME_ENTRY(GetThemeTextExtent, bBoth),
    THEME_ENTRY(GetThemeTextMetrics, bBoth),
    THEME_ENTRY(GetThemeBackgroundRegion, bBoth),
    THEME_ENTRY(HitTestThemeBackground, bBoth),
    THEME_ENTRY(DrawThemeEdge, bBoth),
    THEME_ENTRY(DrawThemeIcon, bBoth),
    THEME_ENTRY(IsThemePartDefined, bBoth),
    THEME_ENTRY(IsThemeBackgroundPartiallyTransparent, bBoth),
    THEME_ENTRY(GetThemeColor, bBoth),
    THEME_ENTRY(GetThemeMetric, bBoth),
    THEME_ENTRY(GetThemeString, bBoth),
    THEME_ENTRY(GetThemeBool, bBoth),
    THEME_ENTRY(GetThemeInt, bBoth),
    THEME_ENTRY(GetThemeEnumValue, bBoth),
    THEME_ENTRY(GetThemePosition, bBoth),
    THEME_ENTRY(GetThemeFont, bBoth),
    THEME_ENTRY(GetThemeRect, bBoth),
    THEME_ENTRY(GetThemeMargins, bBoth),
    THEME_ENTRY(GetThemeIntList, bBoth),
    THEME_ENTRY(SetWindowTheme, bBoth),
    THEME_ENTRY(GetThemeFilename, bBoth),
    THEME_ENTRY(GetThemeSysColor, bBoth),
    THEME_ENTRY(GetThemeSysColorBrush, bBoth),
    THEME_ENTRY(GetThemeSysBool, bBoth),
    THEME_ENTRY(GetThemeSysSize, bBoth),
    THEME_ENTRY(GetThemeSysFont, bBoth),
    THEME_ENTRY(GetThemeSysString, bBoth),
    THEME_ENTRY(GetThemeSysInt, bBoth),
    THEME_ENTRY(IsThemeActive, bBoth),
    THEME_ENTRY(IsAppThemed, bBoth),
    THEME_ENTRY(GetWindowTheme, bBoth),
    THEME_ENTRY(GetThemePartSize, bKelXPVSOnly),
    THEME_ENTRY(EnableThemeDialogTexture, bBoth),
    THEME_ENTRY(IsThemeDialogTextureEnabled, bBoth),
    THEME_ENTRY(GetThemeAppProperties, bBoth),
    THEME_ENTRY(SetThemeAppProperties, bBoth),
    THEME_ENTRY(GetCurrentThemeName, bBoth),
    THEME_ENTRY(GetThemeDocumentationProperty, bBoth),
    THEME_ENTRY(DrawThemeParentBackground, bBoth),
    THEME_ENTRY(EnableTheming, bBoth),
};

#undef THEME_ENTRY

// The line that identifies the required name with this index (0-based,
// among the required names of the unit) in a failure report.
Integer AssertionLine(TThemeFunctionsUnit unit, Integer requiredIndex) {
    if (unit == TThemeFunctionsUnit::KelXPVS)
        return requiredIndex == 0 ? 1563 : 1568 + 3 * (requiredIndex - 1);
    return 1537 + 3 * requiredIndex;
}

const Char* UnitName(TThemeFunctionsUnit unit) {
    return unit == TThemeFunctionsUnit::KelXPVS ? u"KelXPVS" : u"ATXPVS";
}

} // namespace

void TThemeFunctions::Bind() {
    if (FLoaded) return;
    FLibrary = WindowsPlatform().LoadLibrary(u"UXTHEME.DLL");
    if (!FLibrary) return;
    FLoaded = true;
    const bool kelXPVS = FUnit == TThemeFunctionsUnit::KelXPVS;
    Integer requiredIndex = 0;
    for (const TEntry& entry : kEntries) {
        if (entry.Binding != bBoth && !kelXPVS) continue;
        void* address = FLibrary->GetProcAddress(entry.Name);
        entry.Store(*this, address);
        if (entry.Binding == bKelXPVSOnlyOptional) continue;
        if (!address)
            throw EAssertionFailed(u"Assertion failure (%s, line %d)",
                                   {UnitName(FUnit), AssertionLine(FUnit, requiredIndex)});
        ++requiredIndex;
    }
}

void TThemeFunctions::Release() {
    if (!FLoaded) return;
    FLibrary.reset();
    FLoaded = false;
}

namespace {

// A table bound when it is made; a failed binding leaves nothing behind.
struct TBoundTable {
    explicit TBoundTable(TThemeFunctionsUnit unit) : Table(unit) { Table.Bind(); }
    TThemeFunctions Table;
};

} // namespace

const TThemeFunctions& KelXPVS() {
    static const TBoundTable bound(TThemeFunctionsUnit::KelXPVS);
    return bound.Table;
}

const TThemeFunctions& ATXPVS() {
    static const TBoundTable bound(TThemeFunctionsUnit::ATXPVS);
    return bound.Table;
}
