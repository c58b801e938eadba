// The grid's colour styles, the metro dressing with colour tones, the
// Windows XP colour schemes and the hand-over of a style to the drop-down
// editors.

#include "grid/ZirOvararIzaz.h"

#include "ViewStyleTables.h"
#include "grid/GridUnit.h"
#include "gridbase/CellPainting.h"
#include "rtl/Stream.h"

using namespace ZirOvararIzazStyles;

namespace {

void Write(TColor Value, auto&& Setter) {
    if (Value != Keep) Setter(Value);
}

// A glyph of the grid's resources; a missing one leaves the glyph as it is.
void LoadGlyph(const Char* Name, TControlLook* CL, void (TControlLook::*Set)(const TBitmap*)) {
    const TResourceEntry* Entry = GridResourceInstance() ? GridResourceInstance()->Find(Name) : nullptr;
    if (!Entry) return;
    TBitmap Glyph;
    TBytesStream Data(TBytes(Entry->Data.begin(), Entry->Data.end()));
    Glyph.LoadFromStream(&Data);
    (CL->*Set)(&Glyph);
}

} // namespace

void TZirOvararIzaz::SetComponentStyle(TKelStyle AStyle) {
    SetComponentStyleAndAppColor(AStyle, clNone);
}

void TZirOvararIzaz::SetComponentStyleAndAppColor(TKelStyle AStyle, TColor AppColor) {
    TZirOvararIzazCore::SetUIStyle(AStyle);
    if (AStyle == tsCustom) return;
    SetStyleAndAppColor(TKelGridStyle(AStyle), AppColor);
    if (!IsDesigning()) ApplyStyleToEditors(AStyle);
    if (ScrollType() == ssMetro) SetScrollType(ssNormal);
    if (HandleAllocated()) StyleApplied();
    // A look change inside the style may have stored another style.
    TZirOvararIzazCore::SetUIStyle(AStyle);
}

void TZirOvararIzaz::SetStyle(TKelGridStyle AStyle) {
    SetStyleAndAppColor(AStyle, clNone);
}

void TZirOvararIzaz::SetStyleAndAppColor(TKelGridStyle AStyle, TColor AppColor) {
    const TGridStylePreset& P = GridStylePreset(AStyle);
    TControlLook* CL = ControlLook();

    // What every style starts from.
    SetSelectionColor(clHighlight);
    SetSelectionColorTo(clNone);
    SetSelectionMirrorColor(clNone);
    SetSelectionMirrorColorTo(clNone);
    SetSelectionTextColor(clHighlightText);
    SetSelectionStyle(ssDefault);
    SortSettings()->SetHeaderColor(clNone);
    SortSettings()->SetHeaderColorTo(clNone);
    SortSettings()->SetHeaderMirrorColor(clNone);
    SortSettings()->SetHeaderMirrorColorTo(clNone);
    ActiveCellFont()->SetColor(clWindowText);
    FixedFont()->SetColor(clBlack);
    Font()->SetColor(clWindowText);
    CL->Init();

    if (P.SetsLook) WriteLook(P.Look);
    // Styles after Office 2007 keep the default selection style, whatever
    // their look's own style chose.
    if (P.SelectionStyleEnd == seDefault) SetSelectionStyle(ssDefault);

    if (P.Dresses) {
        // The fixed gradient: stored in the grid, then passed to the control
        // look, which writes the colours it keeps back into the grid.
        Write(P.Gradient[0], [&](TColor C) { SetDOVGradientFrom(C); });
        Write(P.Gradient[1], [&](TColor C) { SetDOVGradientTo(C); });
        Write(P.Gradient[2], [&](TColor C) { SetDOVGradientMirrorFrom(C); });
        Write(P.Gradient[3], [&](TColor C) { SetDOVGradientMirrorTo(C); });
        // Only some styles leave their from and to colours in the control
        // look (clearing them there does not touch the grid's).
        CL->SetFixedGradientFrom(P.ControlLookFromTo ? P.Gradient[0] : clNone);
        CL->SetFixedGradientTo(P.ControlLookFromTo ? P.Gradient[1] : clNone);
        if (P.ControlLookMirrors) {
            CL->SetFixedGradientMirrorFrom(P.Gradient[2]);
            CL->SetFixedGradientMirrorTo(P.Gradient[3]);
        }

        const bool AppColorSet = AppColor != clNone;
        TColor ActiveCell = P.ActiveCell, ActiveCellTo = P.ActiveCellTo, Selection = P.Selection;
        if (AppColorSet && (AStyle == gsOffice2019white || AStyle == gsOffice2019Gray)) {
            ActiveCell = ActiveCellTo = AppColor;
            Selection = ShadeColor(AppColor, -20);
        }
        Write(ActiveCell, [&](TColor C) { SetActiveCellColor(C); });
        Write(ActiveCellTo, [&](TColor C) { SetActiveCellColorTo(C); });
        Write(Selection, [&](TColor C) { SetSelectionColor(C); });
        Write(P.SelectionTo, [&](TColor C) { SetSelectionColorTo(C); });
        Write(P.SelectionText, [&](TColor C) { SetSelectionTextColor(C); });
        Write(P.GridLine, [&](TColor C) { SetGridLineColor(C); });
        Write(P.GridFixedLine, [&](TColor C) { SetGridFixedLineColor(C); });
        Write(P.Border, [&](TColor C) { SetBorderColor(C); });
        Write(P.FixedColor, [&](TColor C) { SetFixedColor(C); });
        Write(P.SortHeader[0], [&](TColor C) { SortSettings()->SetHeaderColor(C); });
        Write(P.SortHeader[1], [&](TColor C) { SortSettings()->SetHeaderColorTo(C); });
        Write(P.SortHeader[2], [&](TColor C) { SortSettings()->SetHeaderMirrorColor(C); });
        Write(P.SortHeader[3], [&](TColor C) { SortSettings()->SetHeaderMirrorColorTo(C); });

        if (P.Hover != hkNone) {
            TColor Hover[4], Down[4];
            for (int i = 0; i < 4; ++i) {
                Hover[i] = P.Hover == hkAppShade ? ShadeColor(AppColor, -60) : P.HoverGradient[i];
                Down[i] = P.Hover == hkAppShade ? ShadeColor(AppColor, -20) : P.DownGradient[i];
            }
            CL->SetFixedGradientHoverFrom(Hover[0]);
            CL->SetFixedGradientHoverTo(Hover[1]);
            CL->SetFixedGradientHoverMirrorFrom(Hover[2]);
            CL->SetFixedGradientHoverMirrorTo(Hover[3]);
            if (P.HoverBorderGridOnly)
                FDOVGradientHoverBorder = P.HoverBorder;
            else
                CL->SetFixedGradientHoverBorder(P.HoverBorder);
            CL->SetFixedGradientDownFrom(Down[0]);
            CL->SetFixedGradientDownTo(Down[1]);
            CL->SetFixedGradientDownMirrorFrom(Down[2]);
            CL->SetFixedGradientDownMirrorTo(Down[3]);
            CL->SetFixedGradientDownBorder(P.DownBorder);
        }

        if (AStyle == gsOffice2016white) ActiveCellFont()->SetColor(AppColor);
        Write(P.FontColor, [&](TColor C) { Font()->SetColor(C); });
        Write(P.FixedFontColor, [&](TColor C) { FixedFont()->SetColor(C); });
        Write(P.ActiveCellFontColor, [&](TColor C) { ActiveCellFont()->SetColor(C); });
        if (P.StoresUIStyle) TZirOvararIzazCore::SetUIStyle(TKelStyle(AStyle));

        switch (P.SelectionStyleEnd) {
        case seVista:
            SetSelectionStyle(ssVista);
            break;
        case seWin7:
            SetSelectionStyle(ssWin7);
            break;
        case seOffice2007:
            SetSelectionStyle(ssOffice2007);
            break;
        default:
            break;
        }
        // The Windows XP style sets its look again once its colours are in.
        if (AStyle == gsWindowsXP) WriteLook(glXP);

        SearchFooter()->SetColor(DOVGradientFrom());
        SearchFooter()->SetColorTo(DOVGradientMirrorTo());
    }
    Invalidate();
}

void TZirOvararIzaz::ApplyStyleToEditors(TKelStyle AStyle) {
    for (Integer i = 0; i < ComponentCount(); ++i)
        if (auto* Editor = dynamic_cast<IKelStyle*>(Components(i))) Editor->SetComponentStyle(AStyle);
}

void TZirOvararIzaz::SetColorTones(const TColorTones& ATones) {
    FColorTones = ATones;
    WriteLook(glClassic);
    SetFlat(true);
    SetScrollType(ssMetro);
    SetFixedColor(ATones.Foreground.BrushColor);
    FixedFont()->SetColor(ATones.Foreground.TextColor);
    FixedFont()->SetName(DefaultFontName());
    SetColor(ATones.Background.BrushColor);
    Font()->SetName(DefaultFontName());
    Font()->SetColor(ATones.Background.TextColor);
    SetSelectionColor(ATones.Selected.BrushColor);
    SetSelectionTextColor(ATones.Selected.TextColor);
    SetSelectionColorTo(clNone);
    SetGridLineColor(0xE6E6E6);
    SetGridFixedLineColor(AdjustColorPercent(ATones.Foreground.BrushColor, -20));
    SetBorderStyle(bsNone);
    ControlLook()->SetControlStyle(ZirOvararIzaz::csGlyph);
    LoadGlyph(u"metrocheckon", ControlLook(), &TControlLook::SetCheckedGlyph);
    LoadGlyph(u"metrocheckoff", ControlLook(), &TControlLook::SetUnCheckedGlyph);
    LoadGlyph(u"metroradiooff", ControlLook(), &TControlLook::SetRadioOffGlyph);
    LoadGlyph(u"metroradioon", ControlLook(), &TControlLook::SetRadioOnGlyph);
    if (!IsDesigning())
        for (Integer i = 0; i < ComponentCount(); ++i)
            if (auto* Editor = dynamic_cast<IKelTones*>(Components(i))) Editor->SetColorTones(ATones);
    ControlLook()->SetFlatButton(true);
    FloatingFooter()->SetColor(ATones.Foreground.BrushColor);
    SearchFooter()->SetColor(ATones.Foreground.BrushColor);
    SearchFooter()->SetColorTo(ATones.Foreground.BrushColor);
    CellNode()->SetNodeType(ZirOvararIzaz::cnFlat);
}

void TZirOvararIzaz::SetTheme(TXPColorScheme Scheme) {
    struct TScheme {
        TColor From, To, MirrorFrom, MirrorTo, Active, ActiveTo, LookFrom, LookTo, Footer, FooterTo;
    };
    static constexpr TScheme Schemes[] = {
        {0xFFFFFF, clBtnFace, clNone, clNone, 0xFFFFFF, 0xFFD9B3, clNone, clNone, 0xFFFFFF, 0xFFD9B3},
        {0xFCE1CB, 0xE0A57D, clNone, clNone, 0x94E6FB, 0x1595EE, 0xFCE1CB, 0xE0A57D, 0xFCE1CB, 0xE0A57D},
        {0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x94E6FB, 0x1595EE, 0xCFF0EA, 0x8CC0B1, 0xCFF0EA, 0x8CC0B1},
        {0xECE2E1, 0xB39698, clNone, clNone, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698, 0xECE2E1, 0xB39698},
        {0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, 0x94E6FB, 0x1595EE, 0xFFFFFF, 0xFFFFFF, 0xECE2E1, 0xB39698},
    };
    static_assert(std::size(Schemes) == size_t(vistaAero) + 1);
    const TScheme& S = Schemes[Scheme <= vistaAero ? Scheme : xpNone];
    SetDOVGradientFrom(S.From);
    SetDOVGradientTo(S.To);
    SetDOVGradientMirrorFrom(S.MirrorFrom);
    SetDOVGradientMirrorTo(S.MirrorTo);
    SetActiveCellColor(S.Active);
    SetActiveCellColorTo(S.ActiveTo);
    ControlLook()->SetFixedGradientFrom(S.LookFrom);
    ControlLook()->SetFixedGradientTo(S.LookTo);
    SearchFooter()->SetColor(S.Footer);
    SearchFooter()->SetColorTo(S.FooterTo);
}
