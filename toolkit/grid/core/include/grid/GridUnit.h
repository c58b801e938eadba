#pragma once
// The string grid's module: its process-wide state (the focus-window hook
// and the grid whose focus window shows, the clipboard format and window
// messages it registers, the link cursor and prefixes), its start-up and
// shut-down, and the small routines the grid's parts share.

#include "kel/Resources.h"
#include "rtl/TypeInfo.h"
#include "vcl/Controls.h"
#include "vcl/Grids.h"

#include <functional>
#include <initializer_list>

class TZirOvararIzazCore;

// ---- Start-up and shut-down ----
// Runs once per process (later calls only count); registers the grid's
// classes, the clipboard format and the six messages, installs the hook.
void GridModuleStartUp();
// Undoes the start-up after the last shut-down request.
void GridModuleShutDown();
bool GridModuleStarted();

// Classes the module registers for streaming by name at start-up, added by
// the layers that define them (before or after start-up). A class that is
// already registered is skipped.
void AddGridStreamingClasses(std::initializer_list<const TClassInfo*> Classes);

// ---- Module values ----
// The grid whose focus window shows (null: none); a grid that goes clears it.
TZirOvararIzazCore* ActiveFocusGrid();
void SetActiveFocusGrid(TZirOvararIzazCore* Grid);
bool ComCtlDatePickerAvailable();
winapi::UINT GridCellsClipboardFormat();
// The registered messages "GridEditDone", "GridEditShow", "GridEditInvalid",
// "GridEditProp", "DTPShiftFocus" and "FilterEditUpdate" (0 before start-up).
winapi::UINT WM_GRIDEDITDONE();
winapi::UINT WM_GRIDEDITSHOW();
winapi::UINT WM_GRIDEDITINVALID();
winapi::UINT WM_GRIDEDITPROP();
winapi::UINT WM_DTPSHIFTFOCUS();
winapi::UINT WM_FILTEREDITUPDATE();
// The cursor shown over links in cells; every new grid makes it crHandPoint.
TCursor LinkCursor();
void SetLinkCursor(TCursor Value);
// "file://", "http://", "https://", "ftp://", "ftps://", "nntp://", "mailto:".
const std::vector<String>& LinkPrefixes();
// The font name of the grid whose hint is being built.
String& HintFontName();

// ---- The focus-window hook ----
void InstallFocusWindowHook();
void RemoveFocusWindowHook();
bool FocusWindowHookInstalled();

// ---- Platform answers ----
// What the grid asks of the system, fixed on this platform and settable in
// tests: the file version of a system library ("comctl32.dll": 6.16), the
// lines one wheel notch scrolls, and whether the program runs in a form
// designer (never).
struct TGridPlatformAnswers {
    std::function<Integer(const String& FileName)> FileVersionMS;
    std::function<Integer()> WheelScrollLines;
};
TGridPlatformAnswers& GridPlatformAnswers();
// The module whose resources the grid loads (its filter glyphs); the
// program's by default.
HINSTANCE& GridResourceInstance();
// Back to the platform's own answers.
void ResetGridPlatformAnswers();

// ---- Format settings, read at the moment of the call ----
Char GridTimeSeparator();
Char GridDateSeparator();
Char GridThousandSeparator();
Char GridDecimalSeparator();
String GridShortDateFormat();
String GridShortTimeFormat();
String GridLongTimeFormat();
String GridCurrencyString();

// ---- Routines ----
// Natural order: digit runs by their value, the rest without regard to case.
Integer NaturalCompareText(const String& S1, const String& S2);
// The most significant file-version double word (major << 16 | minor);
// -1 when the file has no version information.
Integer GetFileVersionMS(const String& FileName);
// Adds WS_EX_TRANSPARENT to the window's extended style.
void SetTransparentExStyle(winapi::HWND Window);
TGridRect MakeGridRect(Integer Left, Integer Top, Integer Right, Integer Bottom);
