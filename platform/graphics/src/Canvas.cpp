#include "graphics/Canvas.h"

#include "graphics/GdiBlit.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiDraw.h"
#include "graphics/GdiText.h"
#include "graphics/Graphic.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Exception.h"

const TClassInfo& TCanvas::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCanvas, TPersistent>().Build();
    return Info;
}

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()),
      FCopyMode(Integer(SRCCOPY)) {
    FFont->OnChange = [this](TObject*) { FState &= ~csFontValid; };
    FPen->OnChange = [this](TObject*) { FState &= ~csPenValid; };
    FBrush->OnChange = [this](TObject*) { FState &= ~csBrushValid; };
}

TCanvas::~TCanvas() {
    // The context may outlive the canvas: take our objects out of it first.
    if (FHandle) Refresh();
}

winapi::HDC TCanvas::Handle() {
    // Drawing straight on the context uses the canvas's font, pen and brush.
    RequiredState(csHandleValid | csFontValid | csPenValid | csBrushValid);
    return FHandle;
}

void TCanvas::SetHandle(winapi::HDC value) {
    if (value == FHandle) return;
    if (FHandle) Refresh();
    FHandle = value;
    FState = value ? unsigned(csHandleValid) : 0u;
}

void TCanvas::RequiredState(unsigned required) {
    unsigned missing = required & ~FState;
    if (!missing) return;
    if ((missing & csHandleValid) || !FHandle) {
        CreateHandle();
        if (!FHandle) throw EInvalidOperation(u"Canvas does not allow drawing");
        FState |= csHandleValid;
    }
    if (missing & csFontValid) {
        winapi::SelectObject(FHandle, FFont->Handle());
        winapi::SetTextColor(FHandle, ColorToRGB(FFont->Color()));
        FState |= csFontValid;
    }
    if (missing & csPenValid) {
        winapi::SelectObject(FHandle, FPen->Handle());
        winapi::SetROP2(FHandle, PenModeToRop2(FPen->Mode()));
        FState |= csPenValid;
    }
    if (missing & csBrushValid) {
        winapi::SelectObject(FHandle, FBrush->Handle());
        TColor rgb = ColorToRGB(FBrush->Color());
        // A solid brush also paints text and pattern backgrounds; others leave them.
        if (FBrush->Style() == bsSolid) {
            winapi::SetBkColor(FHandle, rgb);
            winapi::SetBkMode(FHandle, OPAQUE);
        } else {
            winapi::SetBkColor(FHandle, ~rgb & 0xFFFFFF);
            winapi::SetBkMode(FHandle, TRANSPARENT);
        }
        FState |= csBrushValid;
    }
}

void TCanvas::Refresh() {
    if (FHandle) {
        winapi::SelectObject(FHandle, winapi::GetStockObject(BLACK_PEN));
        winapi::SelectObject(FHandle, winapi::GetStockObject(WHITE_BRUSH));
        winapi::SelectObject(FHandle, winapi::GetStockObject(SYSTEM_FONT));
    }
    FState &= csHandleValid;
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() {
    RequiredState(csHandleValid);
    TPoint p;
    winapi::GetCurrentPositionEx(FHandle, &p);
    return p;
}

TRect TCanvas::ClipRect() {
    RequiredState(csHandleValid);
    TRect r;
    winapi::GetClipBox(FHandle, r);
    return r;
}

TColor TCanvas::Pixels(Integer x, Integer y) {
    RequiredState(csHandleValid);
    return winapi::GetPixel(FHandle, x, y);
}

void TCanvas::SetPixels(Integer x, Integer y, TColor value) {
    Changing();
    RequiredState(csHandleValid | csPenValid);
    winapi::SetPixel(FHandle, x, y, ColorToRGB(value));
    Changed();
}

void TCanvas::MoveTo(Integer x, Integer y) {
    RequiredState(csHandleValid);
    winapi::MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(Integer x, Integer y) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    winapi::LineTo(FHandle, x, y);
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    winapi::Polyline(FHandle, points.data(), Integer(points.size()));
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    winapi::Polygon(FHandle, points.data(), Integer(points.size()));
    Changed();
}

void TCanvas::Rectangle(Integer x1, Integer y1, Integer x2, Integer y2) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    winapi::Rectangle(FHandle, x1, y1, x2, y2);
    Changed();
}

void TCanvas::RoundRect(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    winapi::RoundRect(FHandle, x1, y1, x2, y2, x3, y3);
    Changed();
}

void TCanvas::Ellipse(Integer x1, Integer y1, Integer x2, Integer y2) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    winapi::Ellipse(FHandle, x1, y1, x2, y2);
    Changed();
}

void TCanvas::Arc(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4, Integer y4) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    winapi::Arc(FHandle, x1, y1, x2, y2, x3, y3, x4, y4);
    Changed();
}

void TCanvas::FillRect(const TRect& rect) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    winapi::FillRect(FHandle, rect, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    winapi::FrameRect(FHandle, rect, FBrush->Handle());
    Changed();
}

void TCanvas::FloodFill(Integer x, Integer y, TColor color, TFillStyle fillStyle) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    winapi::ExtFloodFill(FHandle, x, y, ColorToRGB(color),
                         fillStyle == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    winapi::DrawFocusRect(FHandle, rect);
    Changed();
}

void TCanvas::Draw(Integer x, Integer y, const TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& rect, const TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    Changing();
    RequiredState(csHandleValid);
    graphic->Draw(this, rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    winapi::HDC sourceDC = source->Handle();
    winapi::StretchBlt(FHandle, dest.Left, dest.Top, dest.Width(), dest.Height(), sourceDC, sourceRect.Left,
                       sourceRect.Top, sourceRect.Width(), sourceRect.Height(), Cardinal(FCopyMode));
    Changed();
}

Cardinal TextFormatFlags(TTextFormat format) {
    // In the order of TTextFormats.
    static const Cardinal flags[] = {
        DT_BOTTOM,    DT_CALCRECT,   DT_CENTER,     DT_EDITCONTROL,  DT_END_ELLIPSIS,         DT_PATH_ELLIPSIS,
        DT_EXPANDTABS, DT_EXTERNALLEADING, DT_LEFT, DT_MODIFYSTRING, DT_NOCLIP,               DT_NOPREFIX,
        DT_RIGHT,     DT_RTLREADING, DT_SINGLELINE, DT_TOP,          DT_VCENTER,              DT_WORDBREAK,
        DT_HIDEPREFIX, DT_NOFULLWIDTHCHARBREAK, DT_PREFIXONLY, DT_TABSTOP, DT_WORD_ELLIPSIS, DT_COMPOSITED};
    Cardinal result = 0;
    for (int i = 0; i <= tfComposited; ++i) {
        if (format.Contains(TTextFormats(i))) result |= flags[i];
    }
    return result;
}

void TCanvas::TextOut(Integer x, Integer y, const String& text) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    winapi::TextOut(FHandle, x, y, text);
    Changed();
}

void TCanvas::TextRect(const TRect& rect, Integer x, Integer y, const String& text) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    Cardinal options = ETO_CLIPPED;
    if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
    winapi::ExtTextOut(FHandle, x, y, options, &rect, text);
    Changed();
}

void TCanvas::TextRect(TRect& rect, const String& text, TTextFormat format) {
    const bool measuring = format.Contains(tfCalcRect);
    if (!measuring) Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    winapi::DrawText(FHandle, text, rect, TextFormatFlags(format));
    if (!measuring) Changed();
}

TSize TCanvas::TextExtent(const String& text) {
    RequiredState(csHandleValid | csFontValid);
    TSize size;
    winapi::GetTextExtentPoint32(FHandle, text, size);
    return size;
}

Integer TCanvas::TextWidth(const String& text) { return TextExtent(text).cx; }
Integer TCanvas::TextHeight(const String& text) { return TextExtent(text).cy; }
