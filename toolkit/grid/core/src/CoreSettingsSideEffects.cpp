// The grid's appearance and behaviour settings whose setters do more than
// store: repaint, copy into owned objects, switch other settings along,
// reach the process-wide markup renderer or the theme notifier.

#include "grid/ZirOvararIzazCore.h"

#include "graphics/GdiText.h"
#include "gridbase/MarkupColors.h"
#include "gridbase/MarkupText.h"
#include "kel/ThemeNotifier.h"

#include <algorithm>

// ---- Repainting settings ----

// "When changed": the current value does nothing.
#define REPAINT_WHEN_CHANGED(Type, Name)                                                                      \
    void TZirOvararIzazCore::Set##Name(Type Value) {                                                          \
        if (F##Name == Value) return;                                                                         \
        F##Name = Value;                                                                                      \
        Invalidate();                                                                                         \
    }
REPAINT_WHEN_CHANGED(TColor, SelectionColor)
REPAINT_WHEN_CHANGED(TColor, SelectionColorTo)
REPAINT_WHEN_CHANGED(TColor, SelectionMirrorColor)
REPAINT_WHEN_CHANGED(TColor, SelectionMirrorColorTo)
REPAINT_WHEN_CHANGED(TColor, SelectionTextColor)
REPAINT_WHEN_CHANGED(bool, SelectionColorMixer)
REPAINT_WHEN_CHANGED(bool, SelectionRectangle)
REPAINT_WHEN_CHANGED(bool, SelectionResizer)
REPAINT_WHEN_CHANGED(bool, ShowDesignHelper)
REPAINT_WHEN_CHANGED(Integer, ZoomFactor)
#undef REPAINT_WHEN_CHANGED

// These repaint also for the current value.
#define REPAINT_ALWAYS(Type, Name)                                                                            \
    void TZirOvararIzazCore::Set##Name(Type Value) {                                                          \
        F##Name = Value;                                                                                      \
        Invalidate();                                                                                         \
    }
REPAINT_ALWAYS(TColor, ActiveCellColor)
REPAINT_ALWAYS(TColor, ActiveCellColorTo)
REPAINT_ALWAYS(bool, ActiveCellShow)
REPAINT_ALWAYS(TPoint, XYOffset)
REPAINT_ALWAYS(TPoint, XYRTFOffset)
#undef REPAINT_ALWAYS

void TZirOvararIzazCore::SetSelectionColorMixerFactor(Integer Value) {
    Value = std::clamp(Value, 0, 100);
    if (FSelectionColorMixerFactor == Value) return;
    FSelectionColorMixerFactor = Value;
    Invalidate();
}

void TZirOvararIzazCore::SetActiveCellFont(const TFont* Value) {
    if (!Value) return;
    FActiveCellFont->Assign(Value);
    Invalidate();
}

void TZirOvararIzazCore::SetBackGround(const TBackGround* Value) {
    FBackGround->Assign(Value);
    Invalidate();
}

void TZirOvararIzazCore::SetRowIndicator(const TBitmap* Value) {
    FRowIndicator->Assign(Value);
    RepaintCell(0, Row());
}

void TZirOvararIzazCore::SetFlat(bool Value) {
    FFlat = Value;
    if (!IsLoading()) Invalidate();
}

void TZirOvararIzazCore::SetShowSelection(bool Value) {
    if (FShowSelection == Value) return;
    FShowSelection = Value;
    SetShowSel(Value);
    Invalidate();
}

void TZirOvararIzazCore::SetVAlignment(TVAlignment Value) {
    FVAlignment = Value;
    switch (Value) {
    case vtaCenter:
        FVAlignFlag = DT_VCENTER;
        break;
    case vtaBottom:
        FVAlignFlag = DT_BOTTOM;
        break;
    default:
        FVAlignFlag = DT_TOP;
        break;
    }
    if (!IsUpdating()) Invalidate();
}

void TZirOvararIzazCore::SetSelection(const TGridRect& Value) {
    TBaseGrid::SetSelection(Value);
    if (FActiveCellShow) {
        RepaintRow(0);
        RepaintCol(0);
    }
    if (ActiveRowShow()) RepaintRow(Value.Bottom);
}

// ---- Settings that reach further ----

void TZirOvararIzazCore::SetHighlightColor(TColor Value) {
    if (FHighlightColor == Value) return;
    FHighlightColor = Value;
    SetMarkupHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TZirOvararIzazCore::SetHighlightTextColor(TColor Value) {
    if (FHighlightTextColor == Value) return;
    FHighlightTextColor = Value;
    SetMarkupHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TZirOvararIzazCore::SetHTMLKeepLineBreak(bool Value) {
    FHTMLKeepLineBreak = Value;
    SetMarkupKeepLineBreaks(Value);
}

void TZirOvararIzazCore::SetMaxEditLength(Integer Value) {
    FMaxEditLength = Value;
    if (TInplaceEdit* Editor = InplaceEditor()) Editor->SetMaxLength(Value);
}

void TZirOvararIzazCore::SetScrollBarAlways(TScrollBarAlways Value) {
    FScrollBarAlways = Value;
    ApplyScrollBarAlways(true);
}

void TZirOvararIzazCore::SetSizeWithForm(bool Value) {
    if (FSizeWithForm == Value) return;
    FSizeWithForm = Value;
    SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
}

void TZirOvararIzazCore::SetAutoSize(bool Value) {
    FAutoSize = Value;
    if (Value && !IsLoading()) AutoSizeColumns(false, 10);
}

void TZirOvararIzazCore::SetSpreadSheet(bool Value) {
    FSpreadSheet = Value;
    SetSelectionRectangle(true);
    SetSelectionResizer(true);
    FNavigation->PlainSettings().AllowSmartClipboard = true;
    TGridOptions Opts = Options();
    Opts.Include(goRangeSelect);
    Opts.Include(goEditing);
    SetOptions(Opts);
    FMouseActions->PlainSettings().RangeSelectAndEdit = true;
}

// ---- Office theme ----

void TZirOvararIzazCore::SetAutoThemeAdapt(bool Value) {
    if (FAutoThemeAdapt == Value) return;
    FAutoThemeAdapt = Value;
    FSearchFooter->SetAutoThemeAdapt(Value);
    if (Value) {
        AdaptToOfficeTheme();
        Invalidate();
    }
    if (!IsDesigning() && HandleAllocated() && !IsLoading()) ThemeNotifierRegistration(Value);
}

void TZirOvararIzazCore::ThemeNotifierRegistration(bool Register) {
    if (Register) {
        ThemeNotifierInstance(this)->RegisterWindow(Handle());
        FThemeRegistered = true;
    } else if (FThemeRegistered) {
        // A notifier that has gone holds no windows any more.
        if (TThemeNotifier* Notifier = ExistingThemeNotifier(); Notifier && HandleAllocated())
            Notifier->UnRegisterWindow(Handle());
        FThemeRegistered = false;
    }
}

void TZirOvararIzazCore::AdaptToOfficeTheme() {
    if (IsDesigning()) return;
    const TOfficeTheme Theme = CurrentOfficeTheme();
    if (Theme == FOfficeTheme) return;
    FOfficeTheme = Theme;
    static constexpr TKelStyle Styles[] = {
        tsOffice2003Blue,   tsOffice2003Silver,    tsOffice2003Olive,  tsOffice2003Classic, tsOffice2007Luna,
        tsOffice2007Silver, tsOffice2007Obsidian,  tsOffice2010Blue,   tsOffice2010Silver,  tsOffice2010Black,
        tsOffice2013White,  tsOffice2013LightGray, tsOffice2013Gray,   tsOffice2016White,   tsOffice2016Gray,
        tsOffice2016Black,  tsOffice2019White,     tsOffice2019Gray,   tsOffice2019Black};
    static_assert(std::size(Styles) == size_t(otUnknown));
    if (Theme < otUnknown) SetComponentStyle(Styles[Theme]);
}

// ---- Fixed-cell gradient, bounds, format and cursor ----

void TZirOvararIzazCore::SetDOVGradientFrom(TColor Value) { SetDOVGradient(dgFrom, Value); }
void TZirOvararIzazCore::SetDOVGradientTo(TColor Value) { SetDOVGradient(dgTo, Value); }
void TZirOvararIzazCore::SetDOVGradientMirrorFrom(TColor Value) { SetDOVGradient(dgMirrorFrom, Value); }
void TZirOvararIzazCore::SetDOVGradientMirrorTo(TColor Value) { SetDOVGradient(dgMirrorTo, Value); }

void TZirOvararIzazCore::SetIntegralHeight(bool Value) {
    FIntegralHeight = Value;
    SetBounds(Left(), Top(), Width(), Height());
}

void TZirOvararIzazCore::SetFormatType(TGridFormatType Value) {
    if (FFormatType == Value) return;
    FFormatType = Value;
    Invalidate();
}

void TZirOvararIzazCore::SetCursor(TCursor Value) {
    TBaseGrid::SetCursor(Value);
    FNormalCursor = Value;
}
