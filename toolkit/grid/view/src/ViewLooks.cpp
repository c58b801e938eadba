// The grid's look presets, their names, the sort indicator in column headers
// and the link display settings.

#include "grid/ZirOvararIzaz.h"

#include "graphics/Canvas.h"
#include "rtl/Convert.h"

#include <cmath>

namespace {

// Halves go to the even neighbour.
Integer RoundPixels(double Value) {
    return Integer(std::nearbyint(Value));
}

struct TLookNames {
    const Char* Ident;
    const Char* Display;
};

constexpr TLookNames LookNames[] = {
    {u"glStandard", u"Standard"},
    {u"glSoft", u"Soft"},
    {u"glClassic", u"Classic"},
    {u"glDOV", u"DOV"},
    {u"glXP", u"Windows XP"},
    {u"glListView", u"ListView"},
    {u"glVista", u"Windows Vista"},
    {u"glWin7", u"Windows 7"},
    {u"glOffice2007", u"Office2007"},
    {u"", u""},
};
static_assert(std::size(LookNames) == size_t(glCustom) + 1);

} // namespace

String TZirOvararIzaz::LookToString(TGridLook Value) {
    return Value <= glCustom ? String(LookNames[Value].Ident) : String();
}

String TZirOvararIzaz::LookToDisplayName(TGridLook Value) {
    return Value <= glCustom ? String(LookNames[Value].Display) : String();
}

void TZirOvararIzaz::WriteLook(TGridLook Value) {
    if (Value == Look()) return;
    // Stored first, so that the style a look hands over to finds its own look
    // already set and returns at once.
    TZirOvararIzazCore::SetLook(Value);
    TControlLook* CL = ControlLook();

    if (Value != glCustom) {
        CL->SetFixedGradientMirrorFrom(clNone);
        CL->SetFixedGradientMirrorTo(clNone);
        CL->SetFixedGradientFrom(clNone);
        CL->SetFixedGradientTo(clNone);
        SetDOVGradientFrom(clNone);
        SetDOVGradientTo(clNone);
        SetDOVGradientMirrorFrom(clNone);
        SetDOVGradientMirrorTo(clNone);
        SortSettings()->SetHeaderColor(clNone);
    }

    switch (Value) {
    case glVista:
        SetStyle(gsWindowsVista);
        TZirOvararIzazCore::SetUIStyle(tsWindowsVista);
        SetSelectionStyle(ssVista);
        break;
    case glWin7:
        SetStyle(gsWindows7);
        TZirOvararIzazCore::SetUIStyle(tsWindows7);
        SetSelectionStyle(ssWin7);
        break;
    case glOffice2007:
        SetStyle(gsOffice2007Luna);
        TZirOvararIzazCore::SetUIStyle(tsOffice2007Luna);
        SetSelectionStyle(ssOffice2007);
        break;
    case glCustom:
        break;
    default: {
        // A look read from a form stream keeps the colours streamed with it.
        if (IsLoading()) break;
        if (!IsDesigning()) ApplyStyleToEditors(tsWindowsXP);
        SetSelectionStyle(ssDefault);
        const bool Flat = Value == glStandard || Value == glSoft || Value == glClassic;
        if (Flat) {
            SetFixedColor(clBtnFace);
            CL->SetFixedGradientFrom(clBtnFace);
            CL->SetFixedGradientTo(clNone);
        } else {
            CL->SetFixedGradientFrom(0xFFFFFF);
            CL->SetFixedGradientTo(clBtnFace);
        }
        SetGridFixedLineColor(0x808080);
        CL->SetFixedGradientMirrorFrom(clNone);
        CL->SetFixedGradientMirrorTo(clNone);
        SetDOVGradientMirrorFrom(clNone);
        SetDOVGradientMirrorTo(clNone);
        SetGridLineColor(0xC0C0C0);
        if (Value == glDOV || Value == glXP) {
            SetActiveCellColor(0xEACAB6);
            SetActiveCellColorTo(clNone);
            SetSelectionColor(0xEACAB6);
            SetSelectionColorTo(clNone);
            SetSelectionTextColor(clBlack);
            SearchFooter()->SetColor(DOVGradientFrom());
            SearchFooter()->SetColorTo(DOVGradientTo());
            CL->SetFixedGradientFrom(0xFFFFFF);
            CL->SetFixedGradientTo(Value == glXP ? clBtnFace : TColor(0xC0C0C0));
            CL->SetFixedGradientHoverFrom(0xCFD0D1);
            CL->SetFixedGradientHoverTo(0xBEC6C8);
            CL->SetFixedGradientHoverMirrorFrom(0xBEC6C8);
            CL->SetFixedGradientHoverMirrorTo(0xABBCBF);
            CL->SetFixedGradientDownFrom(0x868788);
            CL->SetFixedGradientDownTo(0x737C7E);
            CL->SetFixedGradientDownMirrorFrom(0x737C7E);
            CL->SetFixedGradientDownMirrorTo(0x627376);
        } else {
            SetActiveCellColor(0x808080);
            SetActiveCellColorTo(clNone);
            SetSelectionColor(clHighlight);
            SetSelectionTextColor(clHighlightText);
            SearchFooter()->SetColor(clBtnFace);
            SearchFooter()->SetColorTo(clBtnFace);
        }
        break;
    }
    }

    SetScrollType(ssNormal);
    if (Value != glCustom) SetBorderColor(0xB99D7F);
    if (HandleAllocated()) {
        Invalidate();
        if (!IsLoading()) UpdateFooter();
    }
}

void TZirOvararIzaz::SetDOVGradient(TDOVGradientColor Which, TColor Value) {
    switch (Which) {
    case dgHoverMirrorFrom:
        FDOVGradientHoverMirrorFrom = Value;
        return;
    case dgHoverMirrorTo:
        FDOVGradientHoverMirrorTo = Value;
        return;
    case dgHoverBorder:
        FDOVGradientHoverBorder = Value;
        return;
    case dgDownMirrorFrom:
        FDOVGradientDownMirrorFrom = Value;
        return;
    case dgDownMirrorTo:
        FDOVGradientDownMirrorTo = Value;
        return;
    case dgDownBorder:
        FDOVGradientDownBorder = Value;
        return;
    default:
        TZirOvararIzazCore::SetDOVGradient(Which, Value);
    }
}

// ---- Sort indicator ----

void TZirOvararIzaz::DrawSortIndicator(TCanvas* ACanvas, Integer ACol, Integer X, Integer Y) {
    TSortSettings* SS = SortSettings();
    const double S = DPIScale();
    const bool IndexMode = SS->IndexShow();
    if (UseRightToLeftAlignment()) {
        X = ClientWidth() - X - 4 - 7;
        TBitmap* Up = IndexMode ? SS->IndexUpGlyph() : SS->UpGlyph();
        TBitmap* Down = IndexMode ? SS->IndexDownGlyph() : SS->DownGlyph();
        if (!Up->Empty() && !Down->Empty()) X -= Up->Width();
    }

    if (IndexMode) {
        const Integer Position = SortIndexes()->FindIndex(ACol);
        if (Position < 0) return;
        const Integer D7 = RoundPixels(7 * S), D4 = RoundPixels(4 * S), D9 = RoundPixels(9 * S);
        TRect Box(X - D7, Y - D4, X + D7, Y + D9);
        ACanvas->Brush()->SetColor(SS->IndexColor());
        ACanvas->Font()->SetColor(clBlack);
        ACanvas->Font()->SetSize(RoundPixels(6 * S));
        const bool GlyphsMissing = SS->IndexUpGlyph()->Empty() || SS->IndexDownGlyph()->Empty();
        const String Text = IntToStr(Position + 1);
        if (!SortIndexes()->SortDirections(Position)) {
            if (GlyphsMissing) {
                ACanvas->Polygon({TPoint(X - D7, Y - D4), TPoint(X + D7, Y - D4), TPoint(X, Y + D9)});
            } else {
                SS->IndexUpGlyph()->SetTransparent(true);
                ACanvas->Draw(X - 7, Y - 7, SS->IndexUpGlyph());
            }
        } else {
            if (GlyphsMissing) {
                ACanvas->Polygon({TPoint(X - D7, Y + D9), TPoint(X + D7, Y + D9), TPoint(X, Y - D4)});
            } else {
                SS->IndexDownGlyph()->SetTransparent(true);
                ACanvas->Draw(X - 7, Y - 7, SS->IndexDownGlyph());
            }
            ++Box.Top;
            ++Box.Bottom;
        }
        ACanvas->Brush()->SetStyle(bsClear);
        ACanvas->TextRect(Box, Text, TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine});
        ACanvas->Brush()->SetStyle(bsSolid);
        return;
    }

    const Integer D4 = RoundPixels(4 * S), D2 = RoundPixels(2 * S), D5 = RoundPixels(5 * S);
    const bool GlyphsMissing = SS->UpGlyph()->Empty() || SS->DownGlyph()->Empty();
    const bool Descending = SS->Direction() == sdDescending;
    if (GlyphsMissing) {
        ACanvas->Brush()->SetColor(clBlack);
        if (Descending)
            ACanvas->Polygon({TPoint(X - D4, Y - D2), TPoint(X + D4, Y - D2), TPoint(X, Y + D5)});
        else
            ACanvas->Polygon({TPoint(X - D4, Y + D5), TPoint(X + D4, Y + D5), TPoint(X, Y - D2)});
    } else {
        TBitmap* Glyph = Descending ? SS->DownGlyph() : SS->UpGlyph();
        Glyph->SetTransparent(true);
        ACanvas->Draw(X - 4, Y - 4, Glyph);
        ACanvas->Brush()->SetColor(ColorToRGB(FixedColor()));
    }
}

// ---- Link display ----

void TZirOvararIzaz::SetURLColor(TColor Value) {
    if (Value == URLColor()) return;
    TZirOvararIzazCore::SetURLColor(Value);
    if (URLShow()) Invalidate();
}

void TZirOvararIzaz::SetURLShow(bool Value) {
    if (Value == URLShow()) return;
    TZirOvararIzazCore::SetURLShow(Value);
    Invalidate();
}

void TZirOvararIzaz::SetURLShowInText(bool Value) {
    if (Value == URLShowInText()) return;
    TZirOvararIzazCore::SetURLShowInText(Value);
    Invalidate();
}

void TZirOvararIzaz::SetURLFull(bool Value) {
    TZirOvararIzazCore::SetURLFull(Value);
    if (URLShow()) Invalidate();
}
