// Painting: a windowed control's WM_PAINT (optionally through an off-screen
// buffer) paints the window, then its graphic children on the same device
// context moved to each child and clipped to it; the canvas classes of
// self-painting controls.

#include "ControlGlobals.h"
#include "graphics/Colors.h"
#include "graphics/GdiBlit.h"
#include "graphics/GdiDraw.h"
#include "graphics/GdiObjects.h"
#include "graphics/Graphic.h"
#include "rtl/ClassBuilder.h"
#include "vcl/Controls.h"
#include "windowing/Paint.h"
#include "windowing/Window.h"

#include <algorithm>

using namespace winapi;

namespace {

// Canvases holding a device context they made themselves.
std::vector<TControlCanvas*>& CanvasesWithContext() {
    static std::vector<TControlCanvas*> List;
    return List;
}

} // namespace

namespace detail {

void FreeDeviceContexts(HWND Window) {
    std::vector<TControlCanvas*> List = CanvasesWithContext();
    for (TControlCanvas* Canvas : List)
        if (!Window || Canvas->ContextWindow() == Window) Canvas->FreeHandle();
}

} // namespace detail

// ---- TControlCanvas ----------------------------------------------------------------------

const TClassInfo& TControlCanvas::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TControlCanvas, TCanvas>().Build();
    return Info;
}

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* Value) {
    if (FControl == Value) return;
    FreeHandle();
    FControl = Value;
}

void TControlCanvas::CreateHandle() {
    if (!FControl) return;
    if (!FDeviceContext) {
        FDeviceContext = FControl->GetDeviceContext(FWindowHandle);
        CanvasesWithContext().push_back(this);
    }
    SetHandle(FDeviceContext);
}

void TControlCanvas::FreeHandle() {
    if (!FDeviceContext) return;
    SetHandle(nullptr);
    std::erase(CanvasesWithContext(), this);
    ReleaseDC(FWindowHandle, FDeviceContext);
    FDeviceContext = nullptr;
    FWindowHandle = nullptr;
}

// ---- Painting of windowed controls -------------------------------------------------------

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintHandler(TMessage& Message) {
    HDC Given = reinterpret_cast<HDC>(Message.WParam);
    if (!Given && FDoubleBuffered) {
        // Erase and paint into a buffer, then copy it to the window at once.
        PAINTSTRUCT Paint;
        HDC DC = BeginPaint(FHandle, Paint);
        TRect Client = ClientRect();
        TBitmap Buffer;
        Buffer.SetSize(Client.Width(), Client.Height());
        HDC Memory = Buffer.Canvas()->Handle();
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Memory), reinterpret_cast<LPARAM>(Memory));
        TMessage Buffered{WM_PAINT, reinterpret_cast<WPARAM>(Memory), 0, 0};
        PaintHandler(Buffered);
        BitBlt(DC, 0, 0, Client.Width(), Client.Height(), Memory, 0, 0, SRCCOPY);
        EndPaint(FHandle, Paint);
        return;
    }
    PAINTSTRUCT Paint;
    HDC DC = Given ? Given : BeginPaint(FHandle, Paint);
    // Opaque graphic children cover their part of the window.
    Integer Saved = SaveDC(DC);
    bool Covered = false;
    for (TControl* Child : FControls)
        if (Child->Visible() && Child->ControlStyle().Contains(csOpaque)) {
            if (ExcludeClipRect(DC, Child->Left(), Child->Top(), Child->Left() + Child->Width(),
                                Child->Top() + Child->Height()) == NULLREGION) {
                Covered = true;
                break;
            }
        }
    if (!Covered) PaintWindow(DC);
    RestoreDC(DC, Saved);
    PaintControls(DC, nullptr);
    if (!Given) EndPaint(FHandle, Paint);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
    auto Start = FControls.begin();
    if (First) {
        auto Found = std::find(FControls.begin(), FControls.end(), First);
        if (Found != FControls.end()) Start = Found;
    }
    std::vector<TControl*> Children(Start, FControls.end());
    TRect Clip;
    GetClipBox(DC, Clip);
    for (TControl* Child : Children) {
        if (!Child->Visible()) continue;
        TRect Area = Child->BoundsRect(), Common;
        if (!IntersectRect(Common, Area, Clip)) continue;
        Integer Saved = SaveDC(DC);
        OffsetViewportOrgEx(DC, Child->Left(), Child->Top(), nullptr);
        IntersectClipRect(DC, 0, 0, Child->Width(), Child->Height());
        Child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        RestoreDC(DC, Saved);
    }
}

void TWinControl::PaintTo(HDC DC, Integer X, Integer Y) {
    Integer Saved = SaveDC(DC);
    // The client area lies inside the window's frame.
    TPoint Inset{0, 0};
    if (FHandle) {
        TRect Window;
        GetWindowRect(FHandle, Window);
        TPoint Client{0, 0};
        winapi::ClientToScreen(FHandle, Client);
        Inset = {Client.X - Window.Left, Client.Y - Window.Top};
    }
    if (Inset.X > 0 || Inset.Y > 0) {
        HBRUSH Frame = CreateSolidBrush(ColorToRGB(clWindowFrame));
        TRect Outer{X, Y, X + Width(), Y + Height()};
        FrameRect(DC, Outer, Frame);
        DeleteObject(Frame);
    }
    OffsetViewportOrgEx(DC, X + Inset.X, Y + Inset.Y, nullptr);
    IntersectClipRect(DC, 0, 0, ClientWidth(), ClientHeight());
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    for (TWinControl* Child : FWinControls)
        if (Child->Visible()) Child->PaintTo(DC, Child->Left(), Child->Top());
    RestoreDC(DC, Saved);
}

namespace detail {

void PaintOnDeviceContext(TControlCanvas& Canvas, HDC DC, const std::function<void()>& Paint) {
    Canvas.FreeHandle();
    Canvas.SetHandle(DC);
    try {
        Paint();
    } catch (...) {
        Canvas.SetHandle(nullptr);
        throw;
    }
    Canvas.SetHandle(nullptr);
}

} // namespace detail

// ---- TGraphicControl ---------------------------------------------------------------------

const TClassInfo& TGraphicControl::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGraphicControl, TControl>().Build();
    return Info;
}

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
    FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
        // Painted by the parent, on the parent's device context.
        if (Message.WParam && !ComponentState().Contains(csDestroying)) {
            detail::PaintOnDeviceContext(*FCanvas, reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
        }
        return;
    }
    TControl::WndProc(Message);
}

// ---- TCustomControl ----------------------------------------------------------------------

const TClassInfo& TCustomControl::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCustomControl, TWinControl>().Build();
    return Info;
}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
    FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::WndProc(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
        SetControlState(ControlState() + TControlState{csCustomPaint});
        TWinControl::WndProc(Message);
        SetControlState(ControlState() - TControlState{csCustomPaint});
        return;
    }
    if (Message.Msg == WM_NCDESTROY) FCanvas->FreeHandle();
    TWinControl::WndProc(Message);
}

void TCustomControl::PaintWindow(HDC DC) {
    detail::PaintOnDeviceContext(*FCanvas, DC, [this] { Paint(); });
}
