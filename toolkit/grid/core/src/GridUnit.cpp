#include "grid/GridUnit.h"

#include "grid/GridSettingsClasses.h"
#include "grid/ZirOvararIzazCore.h"
#include "rtl/FormatSettings.h"
#include "rtl/TextCompare.h"
#include "windowing/Clipboard.h"
#include "windowing/MessageQueue.h"
#include "windowing/SystemMetrics.h"
#include "windowing/Window.h"

using namespace winapi;

namespace {

struct TGridModule {
    Integer StartCount = 0;
    TZirOvararIzazCore* ActiveFocusGrid = nullptr;
    HHOOK Hook = nullptr;
    bool DatePickerAvailable = false;
    UINT ClipboardFormat = 0;
    UINT Messages[6] = {};
    TCursor LinkCursor = crDefault;
    std::vector<String> LinkPrefixes;
    String HintFontName;
    std::vector<const TClassInfo*> StreamingClasses;
    TGridPlatformAnswers Answers;
};

TGridModule& Module() {
    static TGridModule Instance;
    return Instance;
}

// comctl32.dll version 6.16, the library of the platform's common controls.
constexpr Integer ComCtlVersion = (6 << 16) | 16;

TGridPlatformAnswers DefaultAnswers() {
    TGridPlatformAnswers Answers;
    Answers.FileVersionMS = [](const String& FileName) {
        return SameText(FileName, u"comctl32.dll") ? ComCtlVersion : -1;
    };
    Answers.WheelScrollLines = [] {
        UINT Lines = 3;
        SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
        return Integer(Lines);
    };
    return Answers;
}

void RegisterStreamingClasses() {
    RegisterGridSettingsClasses();
    for (const TClassInfo* Class : Module().StreamingClasses)
        if (!GetClass(Class->Name)) RegisterClass(*Class);
}

LRESULT FocusWindowHookProc(Integer Code, WPARAM wParam, LPARAM lParam) {
    const auto* Message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (Code >= 0 && Message && (Message->message == WM_WINDOWPOSCHANGING || Message->message == WM_WINDOWPOSCHANGED)) {
        if (TZirOvararIzazCore* Grid = Module().ActiveFocusGrid) Grid->UpdateFocusWindow();
    }
    return CallNextHookEx(Module().Hook, Code, wParam, lParam);
}

} // namespace

void GridModuleStartUp() {
    TGridModule& M = Module();
    if (M.StartCount++ > 0) return;
    if (!M.Answers.FileVersionMS) M.Answers = DefaultAnswers();
    // OLE needs no start-up on this platform.
    M.ActiveFocusGrid = nullptr;
    InstallFocusWindowHook();
    RegisterStreamingClasses();
    M.DatePickerAvailable = GetFileVersionMS(u"comctl32.dll") > 262213;
    M.ClipboardFormat = RegisterClipboardFormat(u"TZirOvararIzaz Cells");
    const char16_t* Names[6] = {u"GridEditDone", u"GridEditShow", u"GridEditInvalid",
                                u"GridEditProp", u"DTPShiftFocus", u"FilterEditUpdate"};
    for (Integer i = 0; i < 6; ++i) M.Messages[i] = RegisterWindowMessage(Names[i]);
    M.LinkPrefixes = {u"file://", u"http://", u"https://", u"ftp://", u"ftps://", u"nntp://", u"mailto:"};
}

void GridModuleShutDown() {
    TGridModule& M = Module();
    if (M.StartCount == 0 || --M.StartCount > 0) return;
    RemoveFocusWindowHook();
    M.LinkPrefixes.clear();
    M.HintFontName.clear();
}

bool GridModuleStarted() {
    return Module().StartCount > 0;
}

void AddGridStreamingClasses(std::initializer_list<const TClassInfo*> Classes) {
    for (const TClassInfo* Class : Classes) Module().StreamingClasses.push_back(Class);
    if (GridModuleStarted()) RegisterStreamingClasses();
}

TZirOvararIzazCore* ActiveFocusGrid() {
    return Module().ActiveFocusGrid;
}
void SetActiveFocusGrid(TZirOvararIzazCore* Grid) {
    Module().ActiveFocusGrid = Grid;
}
bool ComCtlDatePickerAvailable() {
    return Module().DatePickerAvailable;
}
UINT GridCellsClipboardFormat() {
    return Module().ClipboardFormat;
}
UINT WM_GRIDEDITDONE() {
    return Module().Messages[0];
}
UINT WM_GRIDEDITSHOW() {
    return Module().Messages[1];
}
UINT WM_GRIDEDITINVALID() {
    return Module().Messages[2];
}
UINT WM_GRIDEDITPROP() {
    return Module().Messages[3];
}
UINT WM_DTPSHIFTFOCUS() {
    return Module().Messages[4];
}
UINT WM_FILTEREDITUPDATE() {
    return Module().Messages[5];
}
TCursor LinkCursor() {
    return Module().LinkCursor;
}
void SetLinkCursor(TCursor Value) {
    Module().LinkCursor = Value;
}
const std::vector<String>& LinkPrefixes() {
    return Module().LinkPrefixes;
}
String& HintFontName() {
    return Module().HintFontName;
}

void InstallFocusWindowHook() {
    if (!Module().Hook) Module().Hook = SetWindowsHookEx(WH_CALLWNDPROC, FocusWindowHookProc);
}

void RemoveFocusWindowHook() {
    if (!Module().Hook) return;
    UnhookWindowsHookEx(Module().Hook);
    Module().Hook = nullptr;
}

bool FocusWindowHookInstalled() {
    return Module().Hook != nullptr;
}

HINSTANCE& GridResourceInstance() {
    static HINSTANCE Instance = &TResourceModule::Program();
    return Instance;
}

TGridPlatformAnswers& GridPlatformAnswers() {
    TGridPlatformAnswers& A = Module().Answers;
    if (!A.FileVersionMS) A = DefaultAnswers();
    return A;
}

void ResetGridPlatformAnswers() {
    Module().Answers = DefaultAnswers();
}

Char GridTimeSeparator() {
    return FormatSettings.TimeSeparator;
}
Char GridDateSeparator() {
    return FormatSettings.DateSeparator;
}
Char GridThousandSeparator() {
    return FormatSettings.ThousandSeparator;
}
Char GridDecimalSeparator() {
    return FormatSettings.DecimalSeparator;
}
String GridShortDateFormat() {
    return FormatSettings.ShortDateFormat;
}
String GridShortTimeFormat() {
    return FormatSettings.ShortTimeFormat;
}
String GridLongTimeFormat() {
    return FormatSettings.LongTimeFormat;
}
String GridCurrencyString() {
    return FormatSettings.CurrencyString;
}

Integer NaturalCompareText(const String& S1, const String& S2) {
    return StrCmpLogicalW(S1, S2);
}

Integer GetFileVersionMS(const String& FileName) {
    const Integer Version = GridPlatformAnswers().FileVersionMS(FileName);
    return Version > 0 ? Version : -1;
}

void SetTransparentExStyle(HWND Window) {
    SetWindowLong(Window, GWL_EXSTYLE, GetWindowLong(Window, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
}

TGridRect MakeGridRect(Integer Left, Integer Top, Integer Right, Integer Bottom) {
    TGridRect R;
    R.Left = Left;
    R.Top = Top;
    R.Right = Right;
    R.Bottom = Bottom;
    return R;
}
