// Operations whose full behaviour belongs to later layers: the structure
// edits, sorting, grouping, filtering and zoom of the data model, the
// editors of the input layer and the painting, formatting, styles and
// exchange of the view layer. Each gives the plain answer here, so the core
// works on its own; the comment names the layer that completes it.

#include "grid/ZirOvararIzazCore.h"

#include "graphics/Canvas.h"
#include "rtl/Convert.h"
#include "rtl/Stream.h"

namespace {

void WriteInt(TStream* Stream, Integer Value) {
    Stream->WriteBuffer(&Value, sizeof Value);
}

Integer ReadInt(TStream* Stream) {
    Integer Value = 0;
    Stream->ReadBuffer(&Value, sizeof Value);
    return Value;
}

void WriteText(TStream* Stream, const String& Text) {
    WriteInt(Stream, Integer(Text.size()));
    if (!Text.empty()) Stream->WriteBuffer(Text.data(), Int64(Text.size() * sizeof(Char)));
}

String ReadText(TStream* Stream) {
    const Integer Length = ReadInt(Stream);
    if (Length < 0 || Int64(Length) * Int64(sizeof(Char)) > Stream->Size() - Stream->Position())
        throw EKelGridError(u"Invalid grid stream");
    String Text(size_t(Length), u'\0');
    if (Length > 0) Stream->ReadBuffer(Text.data(), Int64(Text.size() * sizeof(Char)));
    return Text;
}

} // namespace

// ---- Cell model (view layer: formats, cell objects) ----

String TZirOvararIzazCore::GetFormattedCell(Integer ACol, Integer ARow) {
    return Cells(ACol, ARow);
}

void TZirOvararIzazCore::SaveCell(Integer ACol, Integer ARow, String& Value) {
    Value = Cells(ACol, ARow);
}

void TZirOvararIzazCore::ResolveAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) {
    HAlign = FDefaultAlignment;
    VAlign = FVAlignment;
    if (const TCellProperties* Props = RecordOf(ACol, ARow)) {
        HAlign = Props->Alignment();
        VAlign = Props->VAlignment();
    }
    DoGetAlignment(ACol, ARow, HAlign, VAlign);
}

TSize TZirOvararIzazCore::CalcCellTextSize(Integer ACol, Integer RealCol, Integer ARow, bool ForWidth,
                                           bool WordWrap) {
    (void)ACol, (void)ForWidth, (void)WordWrap;
    const TSize Size = Canvas()->TextExtent(GetFormattedCell(RealCol, ARow));
    return Size;
}

void TZirOvararIzazCore::DrawCellContent(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect,
                                         TGridDrawState AState) {
    // Plain text with the canvas font; the view layer draws markup, objects,
    // nodes and the sort indicator.
    (void)AState;
    const String Text = GetFormattedCell(RealColIndex(ACol), ARow);
    if (Text.empty()) return;
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->TextRect(ARect, ARect.Left + FXYOffset.X, ARect.Top + FXYOffset.Y, Text);
}

void TZirOvararIzazCore::GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& AState, bool Print,
                                             bool Select, bool Remap, TBrush* ABrush, TColor& AColorTo,
                                             TColor& AMirrorColor, TColor& AMirrorColorTo, TFont* AFont,
                                             TAlignment& HA, TVAlignment& VA, bool& WW,
                                             TCellGradientDirection& GD) {
    TBaseGrid::GetVisualProperties(ACol, ARow, AState, Print, Select, Remap, ABrush, AColorTo, AMirrorColor,
                                   AMirrorColorTo, AFont, HA, VA, WW, GD);
}

void TZirOvararIzazCore::HiddenRowChanged() {
    TBaseGrid::HiddenRowChanged();
    UpdateFooter();
}

Integer TZirOvararIzazCore::GetNodeIndent(Integer ARow) {
    (void)ARow;
    return 0;
}

// ---- Exchange (view layer: the grid's text format) ----

void TZirOvararIzazCore::SaveToStream(TStream* Stream) {
    WriteInt(Stream, ColCount());
    WriteInt(Stream, RowCount());
    for (Integer c = 0; c < ColCount(); ++c) WriteInt(Stream, ColWidths(c));
    for (Integer r = 0; r < RowCount(); ++r)
        for (Integer c = 0; c < ColCount(); ++c) WriteText(Stream, GridCells(c, r));
}

void TZirOvararIzazCore::LoadFromStream(TStream* Stream) {
    const Integer Cols = ReadInt(Stream);
    const Integer Rows = ReadInt(Stream);
    if (Cols < 0 || Rows < 0) throw EKelGridError(u"Invalid grid stream");
    SetColCount(Cols);
    SetRowCount(Rows);
    for (Integer c = 0; c < Cols; ++c) SetColWidths(c, ReadInt(Stream));
    for (Integer r = 0; r < Rows; ++r)
        for (Integer c = 0; c < Cols; ++c) SetGridCells(c, r, ReadText(Stream));
    Invalidate();
}

// ---- Structure edits (data-model layer) ----

void TZirOvararIzazCore::NextEdit() {}

// ---- Editing (input layer) ----

bool TZirOvararIzazCore::ValidateCell(const String& NewValue) {
    (void)NewValue;
    return true;
}

bool TZirOvararIzazCore::ValidateCellWide(const String& NewValue) {
    return ValidateCell(NewValue);
}

void TZirOvararIzazCore::StoreEditValue(const String& Value) {
    SetCells(RealColIndex(Col()), Row(), Value);
}

void TZirOvararIzazCore::PasteCell(Integer ACol, Integer ARow, const String& Value) {
    SetCells(ACol, ARow, Value);
}

bool TZirOvararIzazCore::IsEditable(Integer ACol, Integer ARow) {
    bool CanEdit = true;
    DoCanEdit(ACol, ARow, CanEdit);
    return CanEdit;
}

void TZirOvararIzazCore::CellControlsUpdate(bool RebuildList) {
    (void)RebuildList;
}

void TZirOvararIzazCore::GetDesigning(TObject* Sender, bool& IsDesigning) {
    (void)Sender;
    IsDesigning = this->IsDesigning();
}

void TZirOvararIzazCore::RefreshGrid(TObject* Sender) {
    (void)Sender;
    Invalidate();
}

// ---- Version, styles (view layer) ----

Integer TZirOvararIzazCore::GetVersionNr() {
    return (1 << 24) | (0 << 16) | (0 << 8) | 0;
}

String TZirOvararIzazCore::GetVersionString() {
    const Integer Nr = GetVersionNr();
    return u"v" + IntToStr(Nr >> 24) + u"." + IntToStr((Nr >> 16) & 0xFF) + u"." + IntToStr((Nr >> 8) & 0xFF) +
           u"." + IntToStr(Nr & 0xFF);
}

void TZirOvararIzazCore::SetStyle(TKelGridStyle AStyle) {
    SetStyleAndAppColor(AStyle, clNone);
}

void TZirOvararIzazCore::SetStyleAndAppColor(TKelGridStyle AStyle, TColor AppColor) {
    (void)AppColor;
    FUIStyle = TKelStyle(AStyle);
    StyleApplied();
}

void TZirOvararIzazCore::SetComponentStyle(TKelStyle AStyle) {
    SetStyle(TKelGridStyle(AStyle));
}

void TZirOvararIzazCore::SetComponentStyleAndAppColor(TKelStyle AStyle, TColor AppColor) {
    SetStyleAndAppColor(TKelGridStyle(AStyle), AppColor);
}

void TZirOvararIzazCore::SetColorTones(const TColorTones& ATones) {
    (void)ATones;
    Invalidate();
}

// ---- Repaint requests of the settings ----

void TZirOvararIzazCore::RepaintColumn0() {
    for (Integer r = 0; r < RowCount(); ++r) RepaintCell(0, r);
}

void TZirOvararIzazCore::SetDOVGradient(TDOVGradientColor Which, TColor Value) {
    switch (Which) {
    case dgFrom:
        FDOVGradientFrom = ColorToRGB(Value);
        break;
    case dgTo:
        FDOVGradientTo = ColorToRGB(Value);
        break;
    case dgMirrorFrom:
        FDOVGradientMirrorFrom = ColorToRGB(Value);
        break;
    case dgMirrorTo:
        FDOVGradientMirrorTo = ColorToRGB(Value);
        break;
    case dgHoverFrom:
        FDOVGradientHoverFrom = Value;
        return;
    case dgHoverTo:
        FDOVGradientHoverTo = Value;
        return;
    case dgDownFrom:
        FDOVGradientDownFrom = Value;
        return;
    case dgDownTo:
        FDOVGradientDownTo = Value;
        return;
    default:
        return;
    }
    Invalidate();
}
