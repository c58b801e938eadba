// The grid's own check boxes and radio buttons in the seven control styles:
// frame-control glyphs (classic, flat and themed), the drawn Borland box and
// diamond, the 16x16 pictures of the XP and DOV styles and the program's
// own glyphs.

#include "grid/ZirOvararIzaz.h"

#include "graphics/Canvas.h"
#include "graphics/GdiControls.h"
#include "graphics/Graphic.h"
#include "grid/GridUnit.h"
#include "rtl/Stream.h"

#include <algorithm>
#include <cmath>

using namespace ZirOvararIzaz;

namespace {

// Halves go to the even neighbour.
Integer RoundPixels(double Value) {
    return Integer(std::nearbyint(Value));
}

// The picture of a check box or radio button of the XP or DOV style:
// "ZOICHK01" .. "ZOICHK04" (DOV), "ZOICHK05" .. "ZOICHK08" (XP), checked
// before unchecked, enabled before disabled; the same for "ZOIRAD".
String GlyphName(bool Radio, ZirOvararIzaz::TControlStyle Style, bool Checked, bool Enabled) {
    Integer Index = (Style == csWinXP ? 5 : 1) + (Checked ? 0 : 1) + (Enabled ? 0 : 2);
    String Name = Radio ? u"ZOIRAD0" : u"ZOICHK0";
    Name += Char(u'0' + Index);
    return Name;
}

// A picture drawn with the colour of its bottom-left pixel left out.
void DrawTransparent(TCanvas* ACanvas, Integer X, Integer Y, TBitmap* Bitmap) {
    if (!Bitmap || Bitmap->Empty()) return;
    Bitmap->SetTransparent(true);
    ACanvas->Draw(X, Y, Bitmap);
}

} // namespace

TBitmap* TZirOvararIzaz::GlyphBitmap(const String& Name) {
    auto It = FGlyphCache.find(Name);
    if (It != FGlyphCache.end()) return It->second.get();
    std::unique_ptr<TBitmap> Bitmap;
    if (const TResourceEntry* Entry = GridResourceInstance() ? GridResourceInstance()->Find(Name.c_str()) : nullptr) {
        Bitmap = std::make_unique<TBitmap>();
        TBytesStream Data(TBytes(Entry->Data.begin(), Entry->Data.end()));
        Bitmap->LoadFromStream(&Data);
        Bitmap->SetTransparentMode(tmAuto);
        Bitmap->SetTransparent(true);
    }
    return (FGlyphCache[Name] = std::move(Bitmap)).get();
}

void TZirOvararIzaz::DrawCheck(TRect R, bool Checked, bool Enabled, bool Mixed, ZirOvararIzaz::TControlStyle Style, bool ThreeState,
                               TCheckBoxState State) {
    DrawCheck(Canvas(), R, Checked, Enabled, Mixed, Style, ThreeState, State);
}

void TZirOvararIzaz::DrawCheck(TCanvas* ACanvas, TRect R, bool Checked, bool Enabled, bool Mixed, ZirOvararIzaz::TControlStyle Style,
                               bool ThreeState, TCheckBoxState State) {
    TControlLook* CL = ControlLook();
    if (CL->NoDisabledCheckRadioLook() || CL->CheckAlwaysActive()) Enabled = true;
    // No platform themes here: the themed style draws the classic glyph.
    if (Style == csTheme) Style = csClassic;
    if (ThreeState) {
        Checked = State == cbChecked;
        if (State == cbGrayed) Mixed = true;
    }

    switch (Style) {
    case csWinXP:
    case csDOV:
        DrawTransparent(ACanvas, R.Left, R.Top, GlyphBitmap(GlyphName(false, Style, Checked, Enabled)));
        return;
    case csGlyph: {
        TBitmap* Glyph = Checked ? CL->CheckedGlyph() : CL->UnCheckedGlyph();
        DrawTransparent(ACanvas, R.Left, R.Top, Glyph);
        return;
    }
    case csBorland: {
        ACanvas->Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Pen()->SetColor(clBtnFace);
        ACanvas->Pen()->SetWidth(1);
        ACanvas->Rectangle(R);
        ACanvas->Pen()->SetColor(clBtnHighlight);
        ACanvas->MoveTo(R.Left, R.Bottom);
        ACanvas->LineTo(R.Left, R.Top);
        ACanvas->LineTo(R.Right, R.Top);
        ACanvas->Pen()->SetColor(clBtnShadow);
        ACanvas->LineTo(R.Right, R.Bottom);
        ACanvas->LineTo(R.Left, R.Bottom);
        if (!Checked) return;
        ACanvas->Pen()->SetColor(Enabled ? CL->Color() : TColor(0x808080));
        ACanvas->Pen()->SetWidth(1);
        R.Top -= 1;
        R.Bottom -= 1;
        const Integer S = CL->CheckSize();
        ACanvas->MoveTo(R.Left + 2, R.Top + S / 2 + 1);
        ACanvas->LineTo(R.Left + 2, R.Bottom - 1);
        ACanvas->MoveTo(R.Left + 3, R.Top + S / 2);
        ACanvas->LineTo(R.Left + 3, R.Bottom - 2);
        ACanvas->MoveTo(R.Left + 2, R.Bottom - 1);
        ACanvas->LineTo(R.Right - 2, R.Top + 3);
        ACanvas->MoveTo(R.Left + 3, R.Bottom - 1);
        ACanvas->LineTo(R.Right - 1, R.Top + 3);
        return;
    }
    default: {
        Cardinal Flags = DFCS_BUTTONCHECK;
        if (Checked) Flags |= DFCS_CHECKED;
        if (Mixed) Flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
        if (Style == csFlat) Flags |= DFCS_FLAT;
        if (!Enabled) Flags |= DFCS_INACTIVE;
        const Integer Side = RoundPixels(CL->CheckSize() * GetDPIScale());
        TRect Box(R.Left + (R.Width() - Side) / 2, R.Top + (R.Height() - Side) / 2, 0, 0);
        Box.Right = Box.Left + Side;
        Box.Bottom = Box.Top + Side;
        winapi::DrawFrameControl(ACanvas->Handle(), Box, DFC_BUTTON, Flags);
        return;
    }
    }
}

void TZirOvararIzaz::DrawRadio(TCanvas* ACanvas, TRect R, Integer Count, Integer CheckedIndex, bool Horizontal,
                               bool Disabled, TStrings* Items, bool Selected, Integer ACol, Integer ARow,
                               ZirOvararIzaz::TControlStyle Style, Double Scale, bool Upward) {
    if (Count < 1) return;
    TControlLook* CL = ControlLook();
    if (CL->NoDisabledCheckRadioLook() || CL->RadioAlwaysActive()) Disabled = false;
    if (Style == csTheme) Style = csClassic;
    const bool Classic = Style == csClassic || Style == csFlat;
    const Integer RS = CL->RadioSize();
    const Integer ItemSize = Classic ? RS : 16;
    Integer Step = std::max(ItemSize, ACanvas->TextHeight(u"gh"));
    if (Upward) Step = -Step;
    const TBrushStyle OldBrushStyle = ACanvas->Brush()->Style();
    ACanvas->Brush()->SetStyle(bsClear);
    if (Selected && IsSelectionVisible()) ACanvas->Font()->SetColor(SelectionTextColor());
    const String CellText = CheckedIndex == -1 ? Cells(ACol, ARow) : String();
    const bool Range = CL->RadioRange() && Horizontal;

    Integer U = 0;
    for (Integer i = 1; i <= Count; ++i) {
        const bool HasLabel = Items && Items->Count() >= i;
        const String Label = HasLabel ? Items->Strings(i - 1) : String();
        const bool Checked = CheckedIndex == -1 ? (HasLabel && Label == CellText) : i == CheckedIndex + 1;
        const bool First = Range && i == 1;
        Integer X = 0, Y = 0;

        if (Classic) {
            if (Horizontal) {
                X = U + R.Left + (i - 1) * RS + 2;
                Y = R.Top + (R.Height() - RS) / 2;
                if (First) X -= RS + 2;
                if (HasLabel) {
                    ACanvas->TextOut(X + RoundPixels(Scale * RS), Y - 2, Label);
                    U += ACanvas->TextWidth(Label);
                }
                if (First) X += U + RS + 2;
            } else if (HasLabel) {
                X = R.Left + 2;
                Y = R.Top + (i - 1) * Step + 2;
                ACanvas->TextOut(X + RoundPixels(Scale * (RS + 4)), Y - 2, Label);
            } else {
                X = R.Left + (R.Width() - RoundPixels(Scale * RS)) / 2;
                Y = R.Top + (i - 1) * Step + 2;
            }
            const Integer Size = RoundPixels(Scale * (Style == csFlat ? RS + 2 : RS));
            Cardinal Flags = DFCS_BUTTONRADIO;
            if (Checked) Flags |= DFCS_CHECKED;
            if (Disabled) Flags |= DFCS_INACTIVE;
            if (Style == csFlat) Flags |= DFCS_FLAT;
            TRect Box(X, Y, X + Size, Y + Size);
            winapi::DrawFrameControl(ACanvas->Handle(), Box, DFC_BUTTON, Flags);
            continue;
        }

        // The Borland diamond and the 16-pixel pictures share one layout.
        if (Horizontal) {
            X = U + R.Left + 16 * i - 14;
            Y = R.Top + (R.Height() - 16) / 2;
            if (First) X -= 16;
            if (HasLabel) {
                ACanvas->TextOut(X + 16, Style == csBorland ? Y - 2 : Y + 1, Label);
                U += ACanvas->TextWidth(Label);
            }
            if (First) X += U + (Style == csBorland ? 18 : 16);
        } else if (HasLabel) {
            X = R.Left + 2;
            Y = R.Top + (i - 1) * Step + 2;
            if (Style == csBorland)
                ACanvas->TextOut(R.Left + 20, R.Top + (i - 1) * Step, Label);
            else
                ACanvas->TextOut(R.Left + 18, Y + 1, Label);
        } else {
            X = R.Left + (R.Width() - 16) / 2;
            Y = R.Top + (i - 1) * Step + 2;
        }

        if (Style == csBorland) {
            const TColor OldBrush = ACanvas->Brush()->Color();
            ACanvas->Brush()->SetColor(clBtnFace);
            ACanvas->Brush()->SetStyle(bsSolid);
            ACanvas->Pen()->SetWidth(1);
            ACanvas->Pen()->SetColor(clBtnFace);
            ACanvas->Polygon({TPoint(X + 2, Y + 8), TPoint(X + 8, Y + 2), TPoint(X + 14, Y + 8), TPoint(X + 8, Y + 14)});
            ACanvas->Pen()->SetColor(Checked ? TColor(0x808080) : clWhite);
            ACanvas->MoveTo(X + 8, Y + 14);
            ACanvas->LineTo(X + 2, Y + 8);
            ACanvas->LineTo(X + 8, Y + 2);
            ACanvas->Pen()->SetColor(Checked ? clWhite : TColor(0x808080));
            ACanvas->LineTo(X + 14, Y + 8);
            ACanvas->LineTo(X + 8, Y + 14);
            if (Checked) {
                ACanvas->Brush()->SetColor(CL->Color());
                ACanvas->Pen()->SetColor(CL->Color());
                ACanvas->Polygon(
                    {TPoint(X + 6, Y + 8), TPoint(X + 8, Y + 6), TPoint(X + 10, Y + 8), TPoint(X + 8, Y + 10)});
            }
            ACanvas->Brush()->SetColor(OldBrush);
            ACanvas->Brush()->SetStyle(bsClear);
        } else if (Style == csGlyph) {
            DrawTransparent(ACanvas, X, Y, Checked ? CL->RadioOnGlyph() : CL->RadioOffGlyph());
        } else {
            DrawTransparent(ACanvas, X, Y, GlyphBitmap(GlyphName(true, Style, Checked, !Disabled)));
        }
    }
    ACanvas->Brush()->SetStyle(OldBrushStyle);
}
