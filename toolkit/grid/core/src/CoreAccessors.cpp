// Cell accessors of the string grid: per-cell colours, fonts, alignment,
// read-only and word-wrap settings, row colours, rich text over the grid's
// rich edit, links, texts by real column and row, and zoom.

#include "grid/ZirOvararIzazCore.h"

#include "gridbase/MarkupText.h"
#include "graphics/DeviceContext.h"
#include "windowing/Paint.h"
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

// ---- Objects and texts by other indexes ----------------------------------------------------------------

TObject* TZirOvararIzazCore::AllObjects(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) return nullptr;
    if (TGridItem* Entry = HiddenEntryOf(ARow)) {
        TStringList* Items = Entry->Items();
        if (ACol >= Items->Count()) return nullptr;
        TObject* Stored = Items->Objects(ACol);
        if (auto* Props = dynamic_cast<TCellProperties*>(Stored)) return Props->CellObject();
        return Stored;
    }
    return Objects(ACol, DisplRowIndex(ARow));
}

void TZirOvararIzazCore::SetAllObjects(Integer ACol, Integer ARow, TObject* Value) {
    if (ACol < 0 || ARow < 0) return;
    if (TGridItem* Entry = HiddenEntryOf(ARow)) {
        TStringList* Items = Entry->Items();
        while (Items->Count() <= ACol) Items->Add(String());
        auto* Props = dynamic_cast<TCellProperties*>(Items->Objects(ACol));
        if (!Props) {
            // The row's cells come back with their records: the user object
            // needs one of its own.
            Props = Create<TCellProperties>(this, ACol, ARow);
            Items->SetObjects(ACol, Props);
        }
        Props->SetCellObject(Value);
        return;
    }
    SetObjects(ACol, DisplRowIndex(ARow), Value);
}

String TZirOvararIzazCore::OriginalCells(Integer ACol, Integer ARow) {
    const Integer P = ColumnPosition(ACol);
    return Cells(P == -1 ? ACol : P, ARow);
}

void TZirOvararIzazCore::SetOriginalCells(Integer ACol, Integer ARow, const String& Value) {
    const Integer P = ColumnPosition(ACol);
    SetCells(P == -1 ? ACol : P, ARow, Value);
}

Integer TZirOvararIzazCore::UnSortedRowIndex(Integer ARow) const {
    const TIntList* X = FSortRowXRef.get();
    if (!X || X->Count() == 0 || ARow > X->Count()) return ARow;
    for (Integer i = 0; i < X->Count(); ++i)
        if (X->Items(i) == ARow) return i;
    return X->Count();
}

String TZirOvararIzazCore::UnSortedCells(Integer ACol, Integer ARow) {
    return Cells(ACol, UnSortedRowIndex(ARow));
}

void TZirOvararIzazCore::SetUnSortedCells(Integer ACol, Integer ARow, const String& Value) {
    SetCells(ACol, UnSortedRowIndex(ARow), Value);
}

Integer TZirOvararIzazCore::LinesInCell(Integer ACol, Integer ARow) {
    return CountTextLines(Cells(ACol, ARow), true);
}

// ---- Gradients and controls in cells -------------------------------------------------------------------

TCellGradientDirection TZirOvararIzazCore::Gradients(Integer ACol, Integer ARow) const {
    const TCellProperties* P = RecordOf(ACol, ARow);
    return P ? P->GradientDirection() : GradientVertical;
}

void TZirOvararIzazCore::SetGradients(Integer ACol, Integer ARow, TCellGradientDirection Value) {
    if (TCellProperties* P = CellProperties(ACol, ARow)) P->SetGradientDirection(Value), RepaintCell(ACol, ARow);
}

TControl* TZirOvararIzazCore::CellControls(Integer ACol, Integer ARow) const {
    const TCellProperties* P = RecordOf(ACol, ARow);
    return P ? P->Control() : nullptr;
}

void TZirOvararIzazCore::SetCellControls(Integer ACol, Integer ARow, TControl* AControl) {
    const Integer RealRow = RealRowIndex(ARow);
    if (!AControl) {
        TCellProperties* P = RecordOf(ACol, ARow);
        if (!P || !P->Control()) return;
        const Integer Idx = FControlList->ControlIndex(ACol, RealRow);
        if (Idx >= 0) FControlList->RemoveControl(Idx);
        P->SetControl(nullptr);
        FNumCellControls = std::max(0, FNumCellControls - 1);
        return;
    }
    TCellProperties* P = CellProperties(ACol, ARow);
    if (!P) return;
    const Integer Idx = FControlList->ControlIndex(ACol, RealRow);
    if (Idx >= 0) FControlList->RemoveControl(Idx);
    if (!P->Control()) ++FNumCellControls;
    FControlList->AddControl(ACol, RealRow, AControl);
    P->SetControl(AControl);
    AControl->SetParent(this);
    const TRect R = CellRect(RealToDisplColumn(ACol), ARow);
    AControl->SetBounds(R.Left, R.Top, R.Right - R.Left - 1, R.Bottom - R.Top - 1);
}

// ---- Current cell and edit text ------------------------------------------------------------------------

String TZirOvararIzazCore::ReadCurrentCell() {
    const TPoint Base = BaseCell(RealCol(), Row());
    return GridCells(Base.X, Base.Y);
}

void TZirOvararIzazCore::WriteCurrentCell(const String& Value) {
    const TPoint Base = BaseCell(RealCol(), Row());
    SetCells(Base.X, Base.Y, Value);
}

String TZirOvararIzazCore::GetCurrentCellValue() {
    const TPoint Base = BaseCell(RealCol(), Row());
    return Cells(Base.X, Base.Y);
}

String TZirOvararIzazCore::GetEditCellText(Integer ACol, Integer ARow) {
    return GridCells(ACol, ARow);
}

void TZirOvararIzazCore::SetCurrentEditText(const String& Value) {
    if (IsBaseCell(RealCol(), Row())) {
        SetEditText(Col(), Row(), Value);
        return;
    }
    const TPoint Base = BaseCell(RealCol(), Row());
    SetEditText(RealToDisplColumn(Base.X), Base.Y, Value);
}

String TZirOvararIzazCore::GetEditText(Integer ACol, Integer ARow) {
    const Integer C = RealColIndex(ACol);
    const TPoint Base = C >= 0 && ARow >= 0 ? BaseCell(C, ARow) : TPoint(C, ARow);
    const String Text = TBaseGrid::GetEditText(Base.X, Base.Y);
    return FEditWithTags ? Text : MarkupToPlainText(Text);
}

void TZirOvararIzazCore::SetEditText(Integer ACol, Integer ARow, const String& Value) {
    const Integer C = RealColIndex(ACol);
    const TPoint Base = C >= 0 && ARow >= 0 ? BaseCell(C, ARow) : TPoint(C, ARow);
    TBaseGrid::SetEditText(Base.X, Base.Y, Value);
}

void TZirOvararIzazCore::RepaintActiveHeaders(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2) {
    for (const TPoint Cell : {TPoint(ACol1, ARow1), TPoint(ACol2, ARow2)}) {
        for (Integer r = 0; r < FixedRows(); ++r) RepaintCell(Cell.X, r);
        for (Integer c = 0; c < FixedCols(); ++c) RepaintCell(c, Cell.Y);
    }
}

// ---- Wheel-pan glyph -----------------------------------------------------------------------------------

std::unique_ptr<TBitmap> TZirOvararIzazCore::PanGlyph(TIntelliPan Mode) {
    auto Glyph = std::make_unique<TBitmap>();
    if (Mode == ipNone) return Glyph;
    // Drawn on a key colour that becomes white: a dot in a ring with the
    // arrows of the directions the view pans in.
    constexpr TColor Key = 0xFF00FF;
    Glyph->SetSize(32, 32);
    TCanvas* C = Glyph->Canvas();
    C->Brush()->SetColor(Key);
    C->FillRect(TRect(0, 0, 32, 32));
    C->Pen()->SetColor(clBlack);
    C->Brush()->SetColor(clBlack);
    C->Polygon({TPoint(14, 14), TPoint(18, 14), TPoint(18, 18), TPoint(14, 18)});
    const bool Vertical = Mode == ipVertical || Mode == ipBoth;
    const bool Horizontal = Mode == ipHorizontal || Mode == ipBoth;
    if (Vertical) {
        C->Polygon({TPoint(16, 2), TPoint(22, 9), TPoint(10, 9)});
        C->Polygon({TPoint(16, 29), TPoint(22, 22), TPoint(10, 22)});
    }
    if (Horizontal) {
        C->Polygon({TPoint(2, 16), TPoint(9, 10), TPoint(9, 22)});
        C->Polygon({TPoint(29, 16), TPoint(22, 10), TPoint(22, 22)});
    }
    // The colour of the top-left pixel is the background: white.
    const TColor Back = C->Pixels(0, 0);
    for (Integer y = 0; y < 32; ++y)
        for (Integer x = 0; x < 32; ++x)
            if (C->Pixels(x, y) == Back) C->SetPixels(x, y, clWhite);
    return Glyph;
}

void TZirOvararIzazCore::DrawPanGlyph() {
    const std::unique_ptr<TBitmap> Glyph = PanGlyph(FIntelliPan);
    if (Glyph->Width() > 0) Canvas()->Draw(FPanPosition.X, FPanPosition.Y, Glyph.get());
}

void TZirOvararIzazCore::ErasePanGlyph() {
    if (!HandleAllocated()) return;
    const TRect R(FPanPosition.X, FPanPosition.Y, FPanPosition.X + 32, FPanPosition.Y + 32);
    winapi::InvalidateRect(Handle(), &R, true);
}

// ---- Sizing of fixed cells -----------------------------------------------------------------------------

void TZirOvararIzazCore::DoColumnSize(Integer ACol, bool& Allow) {
    if (OnColumnSize) OnColumnSize(this, ACol, Allow);
}

void TZirOvararIzazCore::DoRowSize(Integer ARow, bool& Allow) {
    if (OnRowSize) OnRowSize(this, ARow, Allow);
}

void TZirOvararIzazCore::CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index,
                                         Integer& SizingPos, Integer& SizingOfs) {
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs);
    Integer c = -1, r = -1;
    // The column left of the edge under the mouse, asked in a fixed row.
    MouseToCell(X - 6, Y, c, r);
    if (State == gsColSizing && c >= 0 && r >= 0 && r < FixedRows() && Options().Contains(goColSizing)) {
        bool Allow = true;
        DoColumnSize(c, Allow);
        if (!Allow) State = gsNormal;
    }
    // The row above the edge, asked in a fixed column.
    MouseToCell(X, Y - 6, c, r);
    if (State == gsRowSizing && c >= 0 && r >= 0 && c < FixedCols() && Options().Contains(goRowSizing)) {
        bool Allow = true;
        DoRowSize(r, Allow);
        if (!Allow) State = gsNormal;
    }
}
