// TScreen and TMonitor: the forms in activation order, the active form and
// control, the screen cursor, and the monitors of the window system.

#include "ControlGlobals.h"
#include "graphics/DeviceContext.h"
#include "rtl/ClassBuilder.h"
#include "vcl/Forms.h"
#include "windowing/Backend.h"
#include "windowing/Input.h"
#include "windowing/SystemMetrics.h"

#include <algorithm>

using namespace winapi;

TScreen* Screen = Create<TScreen>(nullptr);

const TClassInfo& TScreen::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TScreen, TComponent>().Build();
    return Info;
}

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TScreen::~TScreen() = default;

// ---- Forms ----

TForm* TScreen::Forms(Integer Index) const {
    if (Index < 0 || Index >= FormCount()) throw EListError(u"List index out of bounds (%d)", {Index});
    return FForms[size_t(Index)];
}

TCustomForm* TScreen::CustomForms(Integer Index) const {
    if (Index < 0 || Index >= CustomFormCount()) throw EListError(u"List index out of bounds (%d)", {Index});
    return FCustomForms[size_t(Index)];
}

void TScreen::AddForm(TCustomForm* Form) {
    FCustomForms.push_back(Form);
    if (auto* Plain = dynamic_cast<TForm*>(Form)) FForms.push_back(Plain);
}

void TScreen::RemoveForm(TCustomForm* Form) {
    std::erase(FCustomForms, Form);
    // Compared as custom forms: a form of another class is no TForm to cast to.
    std::erase_if(FForms, [Form](TForm* Plain) { return static_cast<TCustomForm*>(Plain) == Form; });
    bool FormChanged = false, ControlChanged = false;
    if (FActiveControl && Form->ContainsControl(FActiveControl)) {
        FActiveControl = nullptr;
        ControlChanged = true;
    }
    if (FActiveCustomForm == Form) {
        FActiveCustomForm = nullptr;
        FormChanged = true;
    }
    if (FActiveForm == Form) FActiveForm = nullptr;
    if (FFocusedForm == Form) FFocusedForm = nullptr;
    if (ControlChanged && OnActiveControlChange) OnActiveControlChange(this);
    if (FormChanged && OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::FormActivated(TCustomForm* Form, TWinControl* Control) {
    bool ControlChanged = FActiveControl != Control;
    bool FormChanged = FActiveCustomForm != Form;
    FActiveControl = Control;
    FActiveCustomForm = Form;
    std::erase(FCustomForms, Form);
    FCustomForms.insert(FCustomForms.begin(), Form);
    if (auto* Plain = dynamic_cast<TForm*>(Form)) {
        FActiveForm = Plain;
        std::erase(FForms, Plain);
        FForms.insert(FForms.begin(), Plain);
    }
    if (ControlChanged && OnActiveControlChange) OnActiveControlChange(this);
    if (FormChanged && OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::ControlDestroyed(TControl* Control) {
    if (FActiveControl != Control) return;
    FActiveControl = nullptr;
    if (OnActiveControlChange) OnActiveControlChange(this);
}

// ---- Cursors ----

namespace {

Integer StandardShape(TCursor Index) {
    switch (Index) {
    case crCross:
        return IDC_CROSS;
    case crIBeam:
        return IDC_IBEAM;
    case crSizeNESW:
        return IDC_SIZENESW;
    case crSizeNS:
    case crVSplit:
        return IDC_SIZENS;
    case crSizeNWSE:
        return IDC_SIZENWSE;
    case crSizeWE:
    case crHSplit:
        return IDC_SIZEWE;
    case crUpArrow:
        return IDC_UPARROW;
    case crHourGlass:
    case crSQLWait:
        return IDC_WAIT;
    case crNoDrop:
    case crNo:
        return IDC_NO;
    case crAppStart:
        return IDC_APPSTARTING;
    case crHelp:
        return IDC_HELP;
    case crHandPoint:
        return IDC_HAND;
    case crSizeAll:
        return IDC_SIZEALL;
    default:
        return IDC_ARROW;
    }
}

} // namespace

HCURSOR TScreen::Cursors(TCursor Index) const {
    if (Index == crNone) return nullptr;
    for (const auto& [Id, Handle] : FCustomCursors)
        if (Id == Index) return Handle;
    return LoadCursor(StandardShape(Index));
}

void TScreen::SetCursors(TCursor Index, HCURSOR Handle) {
    auto It = std::find_if(FCustomCursors.begin(), FCustomCursors.end(),
                           [Index](const auto& Entry) { return Entry.first == Index; });
    if (It != FCustomCursors.end()) {
        if (Handle)
            It->second = Handle;
        else
            FCustomCursors.erase(It);
    } else if (Handle) {
        FCustomCursors.emplace_back(Index, Handle);
    }
}

void TScreen::SetCursor(TCursor Value) {
    if (FCursor == Value) return;
    FCursor = Value;
    if (Value == crDefault)
        detail::RefreshCursor(); // each window shows its own again
    else
        winapi::SetCursor(Cursors(Value));
}

// ---- Metrics and monitors ----

Integer TScreen::PixelsPerInch() const {
    return ScreenPixelsPerInch();
}

void TScreen::SetPixelsPerInch(Integer Value) {
    SetScreenPixelsPerInch(Value);
}

Integer TScreen::Width() const {
    return GetSystemMetrics(SM_CXSCREEN);
}

Integer TScreen::Height() const {
    return GetSystemMetrics(SM_CYSCREEN);
}

TRect TScreen::DesktopRect() const {
    return Bounds(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                  GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TRect TScreen::WorkAreaRect() const {
    TRect Area;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &Area, 0);
    return Area;
}

namespace {

// The bounds of the window system's monitors, the primary one first.
std::vector<TRect> MonitorBounds() {
    std::vector<TRect> Result;
    for (const auto& Monitor : Backend().Monitors())
        Result.push_back(Monitor.rcMonitor);
    return Result;
}

} // namespace

Integer TScreen::MonitorCount() const {
    return GetMonitorCount();
}

TMonitor* TScreen::MonitorOf(HMONITOR Handle) const {
    if (!Handle) return nullptr;
    std::vector<TRect> All = MonitorBounds();
    for (size_t I = 0; I < All.size(); ++I) {
        if (winapi::MonitorFromRect(All[I], MONITOR_DEFAULTTONULL) != Handle) continue;
        if (FMonitors.size() < All.size()) FMonitors.resize(All.size());
        if (!FMonitors[I] || FMonitors[I]->Handle() != Handle)
            FMonitors[I] = std::make_unique<TMonitor>(Handle, Integer(I));
        return FMonitors[I].get();
    }
    return nullptr;
}

TMonitor* TScreen::Monitors(Integer Index) const {
    std::vector<TRect> All = MonitorBounds();
    if (Index < 0 || Index >= Integer(All.size()))
        throw EListError(u"List index out of bounds (%d)", {Index});
    return MonitorOf(winapi::MonitorFromRect(All[size_t(Index)], MONITOR_DEFAULTTONULL));
}

TMonitor* TScreen::PrimaryMonitor() const {
    return MonitorOf(winapi::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

TMonitor* TScreen::MonitorFromPoint(TPoint Point) const {
    return MonitorOf(winapi::MonitorFromPoint(Point, MONITOR_DEFAULTTONEAREST));
}

TMonitor* TScreen::MonitorFromRect(const TRect& Rect) const {
    return MonitorOf(winapi::MonitorFromRect(Rect, MONITOR_DEFAULTTONEAREST));
}

TMonitor* TScreen::MonitorFromWindow(HWND Window) const {
    return MonitorOf(winapi::MonitorFromWindow(Window, MONITOR_DEFAULTTONEAREST));
}

TRect TMonitor::BoundsRect() const {
    MONITORINFO Info;
    GetMonitorInfo(FHandle, Info);
    return Info.rcMonitor;
}

TRect TMonitor::WorkareaRect() const {
    MONITORINFO Info;
    GetMonitorInfo(FHandle, Info);
    return Info.rcWork;
}

bool TMonitor::Primary() const {
    MONITORINFO Info;
    GetMonitorInfo(FHandle, Info);
    return (Info.dwFlags & MONITORINFOF_PRIMARY) != 0;
}

Integer TMonitor::PixelsPerInch() const {
    return Screen->PixelsPerInch();
}
