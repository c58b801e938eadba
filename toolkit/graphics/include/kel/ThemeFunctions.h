#pragma once
// The theme functions of the visual-styles library ("UXTHEME.DLL"), bound by
// name into two entry-point tables: KelXPVS() serves the grid foundation's
// themed painters and the string grid, ATXPVS() the drop-down button and the
// calculator's keys. Each table loads the library itself and binds once, at
// its first use; it frees the library when the program ends.
//
// On this platform the visual-styles library is not available, so both
// tables report Loaded() false and every pointer is null: callers test a
// pointer before calling it and take their classic path.

#include "graphics/GdiText.h"
#include "kel/WindowsPlatform.h"
#include "windowing/Messages.h"

#include <memory>
#include <string_view>

// ---- Types of the theme functions' signatures ----
struct TThemeData;
using HTHEME = TThemeData*;
using HRESULT = Integer;
using BOOL = Integer;
using COLORREF = Cardinal;
struct TImageListRecord;
using HIMAGELIST = TImageListRecord*;

struct MARGINS {
    Integer cxLeftWidth = 0;
    Integer cxRightWidth = 0;
    Integer cyTopHeight = 0;
    Integer cyBottomHeight = 0;
};

inline constexpr Integer MAX_INTLIST_COUNT = 402;
struct INTLIST {
    Integer iValueCount = 0;
    Integer iValues[MAX_INTLIST_COUNT] = {};
};

enum THEMESIZE { TS_MIN, TS_TRUE, TS_DRAW };

// clang-format off
using TOpenThemeData = HTHEME (*)(winapi::HWND hwnd, const Char* classList);
using TOpenThemeDataForDpi = HTHEME (*)(winapi::HWND hwnd, const Char* classList, Cardinal dpi);
using TCloseThemeData = HRESULT (*)(HTHEME theme);
using TDrawThemeBackground = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, const TRect* rect, const TRect* clip);
using TDrawThemeText = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, const Char* text, Integer chars, Cardinal textFlags, Cardinal textFlags2, const TRect* rect);
using TGetThemeBackgroundContentRect = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, const TRect* bounds, TRect* content);
using TGetThemeBackgroundExtent = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, const TRect* content, TRect* extent);
using TGetThemeTextExtent = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, const Char* text, Integer chars, Cardinal textFlags, const TRect* bounding, TRect* extent);
using TGetThemeTextMetrics = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, TTextMetric* metric);
using TGetThemeBackgroundRegion = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, const TRect* rect, winapi::HRGN* region);
using THitTestThemeBackground = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, Cardinal options, const TRect* rect, winapi::HRGN region, TPoint test, Word* hitTestCode);
using TDrawThemeEdge = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, const TRect* destRect, Cardinal edge, Cardinal flags, TRect* contentRect);
using TDrawThemeIcon = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, const TRect* rect, HIMAGELIST images, Integer imageIndex);
using TIsThemePartDefined = BOOL (*)(HTHEME theme, Integer part, Integer state);
using TIsThemeBackgroundPartiallyTransparent = BOOL (*)(HTHEME theme, Integer part, Integer state);
using TGetThemeColor = HRESULT (*)(HTHEME theme, Integer part, Integer state, Integer propId, COLORREF* color);
using TGetThemeMetric = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, Integer propId, Integer* value);
using TGetThemeString = HRESULT (*)(HTHEME theme, Integer part, Integer state, Integer propId, Char* buffer, Integer chars);
using TGetThemeBool = HRESULT (*)(HTHEME theme, Integer part, Integer state, Integer propId, BOOL* value);
using TGetThemeInt = HRESULT (*)(HTHEME theme, Integer part, Integer state, Integer propId, Integer* value);
using TGetThemeEnumValue = HRESULT (*)(HTHEME theme, Integer part, Integer state, Integer propId, Integer* value);
using TGetThemePosition = HRESULT (*)(HTHEME theme, Integer part, Integer state, Integer propId, TPoint* point);
using TGetThemeFont = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, Integer propId, TLogFont* font);
using TGetThemeRect = HRESULT (*)(HTHEME theme, Integer part, Integer state, Integer propId, TRect* rect);
using TGetThemeMargins = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, Integer propId, const TRect* rect, MARGINS* margins);
using TGetThemeIntList = HRESULT (*)(HTHEME theme, Integer part, Integer state, Integer propId, INTLIST* list);
using TSetWindowTheme = HRESULT (*)(winapi::HWND hwnd, const Char* subAppName, const Char* subIdList);
using TGetThemeFilename = HRESULT (*)(HTHEME theme, Integer part, Integer state, Integer propId, Char* fileName, Integer chars);
using TGetThemeSysColor = COLORREF (*)(HTHEME theme, Integer colorId);
using TGetThemeSysColorBrush = winapi::HBRUSH (*)(HTHEME theme, Integer colorId);
using TGetThemeSysBool = BOOL (*)(HTHEME theme, Integer boolId);
using TGetThemeSysSize = Integer (*)(HTHEME theme, Integer sizeId);
using TGetThemeSysFont = HRESULT (*)(HTHEME theme, Integer fontId, TLogFont* font);
using TGetThemeSysString = HRESULT (*)(HTHEME theme, Integer stringId, Char* buffer, Integer chars);
using TGetThemeSysInt = HRESULT (*)(HTHEME theme, Integer intId, Integer* value);
using TIsThemeActive = BOOL (*)();
using TIsAppThemed = BOOL (*)();
using TGetWindowTheme = HTHEME (*)(winapi::HWND hwnd);
using TGetThemePartSize = HRESULT (*)(HTHEME theme, winapi::HDC dc, Integer part, Integer state, const TRect* rect, THEMESIZE size, TSize* partSize);
using TEnableThemeDialogTexture = HRESULT (*)(winapi::HWND hwnd, Cardinal flags);
using TIsThemeDialogTextureEnabled = BOOL (*)(winapi::HWND hwnd);
using TGetThemeAppProperties = Cardinal (*)();
using TSetThemeAppProperties = void (*)(Cardinal flags);
using TGetCurrentThemeName = HRESULT (*)(Char* themeFileName, Integer maxNameChars, Char* colorBuff, Integer maxColorChars, Char* sizeBuff, Integer maxSizeChars);
using TGetThemeDocumentationProperty = HRESULT (*)(const Char* themeName, const Char* propertyName, Char* value, Integer maxValueChars);
using TDrawThemeParentBackground = HRESULT (*)(winapi::HWND hwnd, winapi::HDC dc, const TRect* rect);
using TEnableTheming = HRESULT (*)(BOOL enable);
// clang-format on

// Which of the two tables: they bind different name lists and report a
// missing name with their own source name and line numbers.
enum class TThemeFunctionsUnit { KelXPVS, ATXPVS };

class TThemeFunctions {
public:
    explicit TThemeFunctions(TThemeFunctionsUnit unit) : FUnit(unit) {}
    ~TThemeFunctions() { Release(); }
    TThemeFunctions(const TThemeFunctions&) = delete;
    TThemeFunctions& operator=(const TThemeFunctions&) = delete;

    // Loads the library and binds the unit's names, in table order; nothing
    // happens when it is already loaded. A missing library leaves the table
    // unloaded with every pointer null. A missing required name raises
    // EAssertionFailed "Assertion failure (KelXPVS, line 1676)" (the unit's
    // name and the line that identifies the name) and binds no later name.
    void Bind();
    // Frees the library and clears the loaded flag; the pointers keep their
    // last values.
    void Release();

    bool Loaded() const { return FLoaded; }
    TThemeFunctionsUnit Unit() const { return FUnit; }

    TOpenThemeData OpenThemeData = nullptr;
    TOpenThemeDataForDpi OpenThemeDataForDpi = nullptr; // KelXPVS only; may be missing
    TCloseThemeData CloseThemeData = nullptr;
    TDrawThemeBackground DrawThemeBackground = nullptr;
    TDrawThemeText DrawThemeText = nullptr;
    TGetThemeBackgroundContentRect GetThemeBackgroundContentRect = nullptr;
    TGetThemeBackgroundExtent GetThemeBackgroundExtent = nullptr;
    TGetThemeTextExtent GetThemeTextExtent = nullptr;
    TGetThemeTextMetrics GetThemeTextMetrics = nullptr;
    TGetThemeBackgroundRegion GetThemeBackgroundRegion = nullptr;
    THitTestThemeBackground HitTestThemeBackground = nullptr;
    TDrawThemeEdge DrawThemeEdge = nullptr;
    TDrawThemeIcon DrawThemeIcon = nullptr;
    TIsThemePartDefined IsThemePartDefined = nullptr;
    TIsThemeBackgroundPartiallyTransparent IsThemeBackgroundPartiallyTransparent = nullptr;
    TGetThemeColor GetThemeColor = nullptr;
    TGetThemeMetric GetThemeMetric = nullptr;
    TGetThemeString GetThemeString = nullptr;
    TGetThemeBool GetThemeBool = nullptr;
    TGetThemeInt GetThemeInt = nullptr;
    TGetThemeEnumValue GetThemeEnumValue = nullptr;
    TGetThemePosition GetThemePosition = nullptr;
    TGetThemeFont GetThemeFont = nullptr;
    TGetThemeRect GetThemeRect = nullptr;
    TGetThemeMargins GetThemeMargins = nullptr;
    TGetThemeIntList GetThemeIntList = nullptr;
    TSetWindowTheme SetWindowTheme = nullptr;
    TGetThemeFilename GetThemeFilename = nullptr;
    TGetThemeSysColor GetThemeSysColor = nullptr;
    TGetThemeSysColorBrush GetThemeSysColorBrush = nullptr;
    TGetThemeSysBool GetThemeSysBool = nullptr;
    TGetThemeSysSize GetThemeSysSize = nullptr;
    TGetThemeSysFont GetThemeSysFont = nullptr;
    TGetThemeSysString GetThemeSysString = nullptr;
    TGetThemeSysInt GetThemeSysInt = nullptr;
    TIsThemeActive IsThemeActive = nullptr;
    TIsAppThemed IsAppThemed = nullptr;
    TGetWindowTheme GetWindowTheme = nullptr;
    TGetThemePartSize GetThemePartSize = nullptr; // KelXPVS only
    TEnableThemeDialogTexture EnableThemeDialogTexture = nullptr;
    TIsThemeDialogTextureEnabled IsThemeDialogTextureEnabled = nullptr;
    TGetThemeAppProperties GetThemeAppProperties = nullptr;
    TSetThemeAppProperties SetThemeAppProperties = nullptr;
    TGetCurrentThemeName GetCurrentThemeName = nullptr;
    TGetThemeDocumentationProperty GetThemeDocumentationProperty = nullptr;
    TDrawThemeParentBackground DrawThemeParentBackground = nullptr;
    TEnableTheming EnableTheming = nullptr;

private:
    TThemeFunctionsUnit FUnit;
    bool FLoaded = false;
    std::unique_ptr<TSystemLibrary> FLibrary;
};

// The two process-wide tables, bound at their first use.
const TThemeFunctions& KelXPVS();
const TThemeFunctions& ATXPVS();
