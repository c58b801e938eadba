// Cell accessors of the string grid: per-cell colours, fonts, alignment,
// read-only and word-wrap settings, row colours, rich text over the grid's
// rich edit, links, texts by real column and row, and zoom.

#include "grid/ZirOvararIzazCore.h"

#include "gridbase/MarkupText.h"
#include "graphics/DeviceContext.h"
#include "gridbase/RarEvad.h"
#include "rtl/Encoding.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"
#include "vcl/RichEdit.h"

#include <cmath>

namespace {

constexpr TColor NoColor = clNone;

String Lower(const String& S) {
    String R = S;
    for (Char& C : R)
        if (C >= u'A' && C <= u'Z') C = Char(C - u'A' + u'a');
    return R;
}

} // namespace

// ---- Per-cell settings ---------------------------------------------------------------------------------

void TZirOvararIzazCore::CellSettingChanged(Integer ACol, Integer ARow) {
    if (!IsUpdating()) RepaintCell(RealToDisplColumn(ACol), ARow);
}

TColor TZirOvararIzazCore::Colors(Integer ACol, Integer ARow) const {
    const TCellProperties* P = RecordOf(ACol, ARow);
    return P ? P->BrushColor() : NoColor;
}

void TZirOvararIzazCore::SetColors(Integer ACol, Integer ARow, TColor Value) {
    if (TCellProperties* P = CellProperties(ACol, ARow)) P->SetBrushColor(Value), CellSettingChanged(ACol, ARow);
}

TColor TZirOvararIzazCore::ColorsTo(Integer ACol, Integer ARow) const {
    const TCellProperties* P = RecordOf(ACol, ARow);
    return P ? P->BrushColorTo() : NoColor;
}

void TZirOvararIzazCore::SetColorsTo(Integer ACol, Integer ARow, TColor Value) {
    if (TCellProperties* P = CellProperties(ACol, ARow)) P->SetBrushColorTo(Value), RepaintCell(ACol, ARow);
}

TColor TZirOvararIzazCore::FontColors(Integer ACol, Integer ARow) const {
    const TCellProperties* P = RecordOf(ACol, ARow);
    return P ? P->FontColor() : NoColor;
}

void TZirOvararIzazCore::SetFontColors(Integer ACol, Integer ARow, TColor Value) {
    if (TCellProperties* P = CellProperties(ACol, ARow)) P->SetFontColor(Value), CellSettingChanged(ACol, ARow);
}

TFontStyles TZirOvararIzazCore::FontStyles(Integer ACol, Integer ARow) const {
    const TCellProperties* P = RecordOf(ACol, ARow);
    return P ? P->FontStyle() : TFontStyles();
}

void TZirOvararIzazCore::SetFontStyles(Integer ACol, Integer ARow, TFontStyles Value) {
    if (TCellProperties* P = CellProperties(ACol, ARow)) P->SetFontStyle(Value), CellSettingChanged(ACol, ARow);
}

String TZirOvararIzazCore::FontNames(Integer ACol, Integer ARow) const {
    const TCellProperties* P = RecordOf(ACol, ARow);
    return P ? P->FontName() : Font()->Name();
}

void TZirOvararIzazCore::SetFontNames(Integer ACol, Integer ARow, const String& Value) {
    if (TCellProperties* P = CellProperties(ACol, ARow)) P->SetFontName(Value), CellSettingChanged(ACol, ARow);
}

Integer TZirOvararIzazCore::CanvasPixelsPerInch() const {
    return HandleAllocated() ? ScreenPixelsPerInch() : 96;
}

Integer TZirOvararIzazCore::FontSizes(Integer ACol, Integer ARow) const {
    const TCellProperties* P = RecordOf(ACol, ARow);
    const Integer Height = P ? P->FontSize() : Font()->Height();
    return Integer(std::nearbyint(MulDiv(-Height, 72, CanvasPixelsPerInch()) * Double(FDPIScale)));
}

void TZirOvararIzazCore::SetFontSizes(Integer ACol, Integer ARow, Integer Value) {
    TCellProperties* P = CellProperties(ACol, ARow);
    if (!P) return;
    const Integer n = Integer(std::nearbyint(Value / Double(FDPIScale)));
    P->SetFontSize(-MulDiv(n, CanvasPixelsPerInch(), 72));
    CellSettingChanged(ACol, ARow);
}

void TZirOvararIzazCore::SetCellFont(Integer ACol, Integer ARow, const TFont* Value) {
    TCellProperties* P = CellProperties(ACol, ARow);
    if (!P || !Value) return;
    P->SetFontName(Value->Name());
    P->SetFontSize(Value->Height());
    P->SetFontStyle(Value->Style());
    P->SetFontColor(Value->Color());
    CellSettingChanged(ACol, ARow);
}

TAlignment TZirOvararIzazCore::Alignments(Integer ACol, Integer ARow) const {
    const TCellProperties* P = RecordOf(ACol, ARow);
    return P ? P->Alignment() : taLeftJustify;
}

void TZirOvararIzazCore::SetAlignments(Integer ACol, Integer ARow, TAlignment Value) {
    if (TCellProperties* P = CellProperties(ACol, ARow)) P->SetAlignment(Value), CellSettingChanged(ACol, ARow);
}

bool TZirOvararIzazCore::ReadOnly(Integer ACol, Integer ARow) const {
    const TCellProperties* P = RecordOf(ACol, ARow);
    return P && P->ReadOnly();
}

void TZirOvararIzazCore::SetReadOnly(Integer ACol, Integer ARow, bool Value) {
    if (TCellProperties* P = CellProperties(ACol, ARow)) P->SetReadOnly(Value), CellSettingChanged(ACol, ARow);
}

bool TZirOvararIzazCore::WordWraps(Integer ACol, Integer ARow) {
    TCellProperties* P = CellProperties(ACol, ARow);
    return P && P->WordWrap();
}

void TZirOvararIzazCore::SetWordWraps(Integer ACol, Integer ARow, bool Value) {
    if (TCellProperties* P = CellProperties(ACol, ARow)) P->SetWordWrap(Value), CellSettingChanged(ACol, ARow);
}

void TZirOvararIzazCore::ApplyRowColor(Integer ARow, TColor Value, Integer Which) {
    for (Integer c = FixedCols(); c < AllColCount(); ++c) {
        if (Value != NoColor) {
            TCellProperties* P = CellProperties(c, ARow);
            if (!P) continue;
            if (Which == 0) P->SetBrushColor(Value);
            if (Which == 1) P->SetBrushColorTo(Value);
            if (Which == 2) P->SetFontColor(Value);
            continue;
        }
        // "None" resets only that colour: every other setting of the cell
        // (read-only, alignment, fonts, word wrap) stays.
        if (TCellProperties* P = RecordOf(c, ARow)) {
            if (Which == 0) P->SetBrushColor(NoColor);
            if (Which == 1) P->SetBrushColorTo(NoColor);
            if (Which == 2 && P->BrushColor() == NoColor) P->SetFontColor(NoColor);
        }
    }
    RepaintRow(ARow);
}

void TZirOvararIzazCore::SetRowColor(Integer ARow, TColor Value) {
    ApplyRowColor(ARow, Value, 0);
}

void TZirOvararIzazCore::SetRowColorTo(Integer ARow, TColor Value) {
    ApplyRowColor(ARow, Value, 1);
}

void TZirOvararIzazCore::SetRowFontColor(Integer ARow, TColor Value) {
    ApplyRowColor(ARow, Value, 2);
}

// ---- Texts by index ------------------------------------------------------------------------------------

String TZirOvararIzazCore::AllGridCells(Integer ACol, Integer ARow) {
    if (TGridItem* Entry = HiddenEntryOf(ARow)) {
        TStringList* Items = Entry->Items();
        return ACol >= 0 && ACol < Items->Count() ? Items->Strings(ACol) : String();
    }
    return GridCells(ACol, DisplRowIndex(ARow));
}

void TZirOvararIzazCore::SetAllGridCells(Integer ACol, Integer ARow, const String& Value) {
    if (TGridItem* Entry = HiddenEntryOf(ARow)) {
        TStringList* Items = Entry->Items();
        if (ACol >= 0 && ACol < Items->Count()) Items->SetStrings(ACol, Value);
        return;
    }
    SetGridCells(ACol, DisplRowIndex(ARow), Value);
}

String TZirOvararIzazCore::RealCells(Integer ACol, Integer ARow) {
    return Cells(RealColIndex(ACol), ARow);
}

void TZirOvararIzazCore::SetRealCells(Integer ACol, Integer ARow, const String& Value) {
    SetCells(RealColIndex(ACol), ARow, Value);
}

Integer TZirOvararIzazCore::AllColWidths(Integer ACol) const {
    if (IsHiddenColumn(ACol)) return ACol < Integer(FAllColWidths.size()) ? FAllColWidths[size_t(ACol)] : 0;
    return ColWidths(DisplColIndex(ACol));
}

void TZirOvararIzazCore::SetAllColWidths(Integer ACol, Integer Value) {
    if (ACol < 0) return;
    if (ACol >= Integer(FAllColWidths.size())) FAllColWidths.resize(size_t(ACol) + 1, DefaultColWidth());
    FAllColWidths[size_t(ACol)] = Value;
    if (!IsHiddenColumn(ACol)) SetColWidths(DisplColIndex(ACol), Value);
}

// ---- Rich text, links, markup --------------------------------------------------------------------------

TRichEdit* TZirOvararIzazCore::RichEdit() {
    if (!FRichEdit) FRichEdit = Create<TRichEdit>(this);
    return FRichEdit;
}

void TZirOvararIzazCore::CellToRich(Integer ACol, Integer ARow, TCustomRichEdit* Richeditor) {
    if (!Richeditor) return;
    const String Text = Cells(ACol, ARow);
    if (Text.empty()) {
        Richeditor->Clear();
        return;
    }
    Richeditor->LoadRichText(Utf8(Text));
}

void TZirOvararIzazCore::RichToCell(Integer ACol, Integer ARow, TCustomRichEdit* Richeditor) {
    SetCells(ACol, ARow, RichToString(Richeditor));
}

String TZirOvararIzazCore::RichToString(TCustomRichEdit* Richeditor) {
    if (IsDestroying() || !Richeditor) return String();
    std::string Bytes = Richeditor->SaveRichText();
    std::erase(Bytes, '\0');
    return FromUtf8(Bytes);
}

String TZirOvararIzazCore::GetStrippedCell(Integer ACol, Integer ARow) {
    const String Text = Cells(ACol, ARow);
    if (Text.find(u"{\\") != String::npos) {
        TRichEdit* Rich = RichEdit();
        Rich->LoadRichText(Utf8(Text));
        return Rich->Document().Text();
    }
    return MarkupToPlainText(Text);
}

bool TZirOvararIzazCore::HasHyperlink(Integer ACol, Integer ARow) {
    return IsURLText(Cells(ACol, ARow));
}

bool TZirOvararIzazCore::GetHyperlinkDetails(Integer ACol, Integer ARow, String& URL, String& Text) {
    static const Char* const Prefixes[] = {u"file://", u"http://", u"https://", u"ftp://",
                                           u"ftps://", u"nntp://", u"mailto:"};
    const String Cell = Cells(ACol, ARow);
    const String Low = Lower(Cell);
    for (const Char* Prefix : Prefixes) {
        const size_t At = Low.find(Prefix);
        if (At == String::npos) continue;
        String Rest = Cell.substr(At);
        const size_t DQ = Rest.find(u'"');
        const bool ByDoubleQuote = DQ != String::npos;
        if (ByDoubleQuote)
            Rest = Rest.substr(0, DQ);
        else if (const size_t SQ = Rest.find(u'\''); SQ != String::npos)
            Rest = Rest.substr(0, SQ);
        URL = Rest;
        Text.clear();
        if (ByDoubleQuote) {
            // The anchor's text: after the tag's closing ">" up to the next "<".
            const size_t Close = Cell.find(u'>', At + DQ);
            if (Close != String::npos) {
                const size_t End = Cell.find(u'<', Close);
                Text = Cell.substr(Close + 1, End == String::npos ? String::npos : End - Close - 1);
            }
        }
        return true;
    }
    return false;
}

String TZirOvararIzazCore::GetHyperlink(Integer ACol, Integer ARow) {
    // The address in its own case: paths and queries are case-sensitive.
    String URL, Text;
    return GetHyperlinkDetails(ACol, ARow, URL, Text) ? URL : String();
}

// ---- Zoom ----------------------------------------------------------------------------------------------

void TZirOvararIzazCore::Zoom(Integer x) {
    const Integer a = ZoomFactor() + x;
    if (a > 20 || a < -20) return;
    SetZoomFactor(a);
    BeginUpdate();
    for (Integer c = 0; c < ColCount(); ++c)
        if (ColWidths(c) > 0 && ColWidths(c) + x > 0) SetColWidths(c, ColWidths(c) + x);
    BeginRowHeightChange();
    for (Integer r = 0; r < RowCount(); ++r)
        if (RowHeights(r) > 0 && RowHeights(r) + x > 0) SetRowHeights(r, RowHeights(r) + x);
    EndRowHeightChange();
    EndUpdate();
}

void TZirOvararIzazCore::ZoomReset() {
    Zoom(-ZoomFactor());
}

// ---- Hooks ---------------------------------------------------------------------------------------------

void TZirOvararIzazCore::CellChanged(Integer ACol, Integer ARow) {
    TBaseGrid::CellChanged(ACol, ARow);
    if (ACol < 0 || ARow < 0 || !HasAutoRangeScrollBar(ACol, ARow)) return;
    // An auto-range scroll bar pages by the row's height over the height of
    // the cell's text.
    const TPoint Base = BaseCell(ACol, ARow);
    TCellGraphic* G = GetCellGraphic(Base.X, Base.Y);
    G->SetCellAngle(RowHeights(ARow));
    G->SetCellErrFrom(CalcCellTextSize(RealToDisplColumn(ACol), ACol, ARow, false, true).cy);
}
