// The column grid's per-cell answers: look, colours, borders, alignment,
// editor kind and settings, editability, fixed and password cells, check
// values, virtual check boxes and buttons, float and sort formats, filter
// lists and size limits, each from the cell's column item before the string
// grid's own answer runs.

#include "grid/VarErozidOvur.h"
#include "grid/GridCombo.h"
#include "grid/GridPickerEditors.h"

#include "gridbase/RarEvad.h"
#include "kel/KelStyle.h"
#include "rtl/Format.h"

namespace {

bool Has(TColor C) { return C != clNone; }

// The text before the first "=" of a filter line (all of it without one),
// and the text after it.
String FilterDisplay(const String& Line) {
    const auto At = Line.find(u'=');
    return At == String::npos ? Line : Line.substr(0, At);
}
String FilterCondition(const String& Line) {
    const auto At = Line.find(u'=');
    return At == String::npos ? Line : Line.substr(At + 1);
}

} // namespace

bool TVarErozidOvur::IsNormalCell(Integer ACol, Integer ARow) const {
    return ACol >= FixedCols() && ARow >= FixedRows();
}

bool TVarErozidOvur::IsBodyCell(Integer ACol, Integer ARow) const {
    return IsNormalCell(ACol, ARow) && ACol < ColCount() + NumHiddenColumns() - FixedRightCols() &&
           ARow < RowCount() - FixedFooters();
}

String TVarErozidOvur::ColumnFloatFormat(Integer ACol) const {
    const TGridColumnItem* Item = ColumnItem(ACol);
    return Item && !Item->FloatFormat().empty() ? Item->FloatFormat() : FloatFormat();
}

// ---- Look on the screen ----

void TVarErozidOvur::GetCellLook(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                 TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                                 TVAlignment& VAlign, bool& WordWrap, TCellGradientDirection& GradientDirection) {
    const TGridColumnItem* Item = ColumnItem(ACol);
    if (!Item) {
        TZirOvararIzaz::GetCellLook(ACol, ARow, AFont, ABrush, ColorTo, MirrorColor, MirrorColorTo, HAlign, VAlign,
                                    WordWrap, GradientDirection);
        return;
    }
    AFont->Assign(Item->Font());
    ABrush->SetColor(Item->Color());
    ColorTo = clNone;
    HAlign = ARow < FixedRows() ? Item->HeaderAlignment() : Item->Alignment();
    VAlign = VAlignment();
    WordWrap = TZirOvararIzaz::WordWrap();
    GradientDirection = GradientVertical;
    if (IsFixed(ACol, ARow)) {
        ABrush->SetColor(clNone);
        ColorTo = clNone;
        if (VCLStylesActive(TStyleServicesState{}, IsDesigning()) && StyleElements().Contains(seFont))
            AFont->SetColor(clNone);
    }
    if (Bands()->Active() && Item->ShowBands()) {
        ABrush->SetColor(clNone);
        ColorTo = clNone;
        const Integer Total = Bands()->PrimaryLength() + Bands()->SecondaryLength();
        if (Total > 0)
            ABrush->SetColor((ARow - FixedRows()) % Total < Bands()->PrimaryLength() ? Bands()->PrimaryColor()
                                                                                      : Bands()->SecondaryColor());
    }
}

void TVarErozidOvur::DoGetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush,
                                    TFont* AFont) {
    const TGridColumnItem* Item = ColumnItem(ACol);
    if (Item && ACol >= FixedCols() && ACol < ColCount() + NumHiddenColumns() - FixedRightCols() &&
        ARow < RowCount() - FixedFooters()) {
        const bool NormalRow = ARow >= FixedRows();
        if (Item->Fixed())
            ABrush->SetColor(FixedColor());
        else if (!(Item->ShowBands() && Bands()->Active()) && NormalRow &&
                 !(UsesVCLStyles() && Item->StyleElements().Contains(seClient)))
            ABrush->SetColor(Item->Color());
        const TColor FontColor = AFont->Color();
        AFont->Assign(NormalRow ? Item->Font() : Item->HeaderFont());
        if (!NormalRow || (UsesVCLStyles() && StyleElements().Contains(seFont) &&
                           Item->StyleElements().Contains(seFont)))
            AFont->SetColor(FontColor);
        if (const TCellProperties* Props = RecordOf(ACol, ARow)) {
            if (Has(Props->BrushColor())) ABrush->SetColor(Props->BrushColor());
            if (Has(Props->FontColor())) AFont->SetColor(Props->FontColor());
        }
    }
    TZirOvararIzaz::DoGetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TVarErozidOvur::DoGetAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) {
    if (const TGridColumnItem* Item = ColumnItem(ACol)) {
        HAlign = ARow < FixedRows() ? Item->HeaderAlignment() : Item->Alignment();
        if (const TCellProperties* Props = RecordOf(ACol, ARow)) HAlign = Props->Alignment();
    }
    TZirOvararIzaz::DoGetAlignment(ACol, ARow, HAlign, VAlign);
}

void TVarErozidOvur::DoGetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) {
    if (const TGridColumnItem* Item = ColumnItem(ACol); Item && IsNormalCell(ACol, ARow)) {
        Borders = Item->Borders();
        APen->Assign(Item->BorderPen());
    }
    TZirOvararIzaz::DoGetCellBorder(ACol, ARow, APen, Borders);
}

// ---- Printing ----

void TVarErozidOvur::DoGetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush,
                                         TFont* AFont) {
    if (const TGridColumnItem* Item = ColumnItem(ACol)) {
        const bool FixedArea = ARow < FixedRows() || ACol < FixedCols() ||
                               ACol >= ColCount() + NumHiddenColumns() - FixedRightCols() ||
                               ARow >= RowCount() - FixedFooters();
        if (FixedArea) {
            AFont->Assign(PrintSettings()->FixedFont());
        } else {
            const TCellProperties* Props = RecordOf(ACol, ARow);
            if (Item->Fixed())
                ABrush->SetColor(FixedColor());
            else if (!(Item->ShowBands() && Bands()->Active() && Bands()->Print())) {
                ABrush->SetColor(Item->PrintColor());
                if (Props && Has(Props->BrushColor())) ABrush->SetColor(Props->BrushColor());
            }
            if (Item->PrintFontCustom()) {
                AFont->Assign(Item->PrintFont());
                if (Props) {
                    if (Has(Props->FontColor())) AFont->SetColor(Props->FontColor());
                    if (!Props->FontStyle().Empty()) AFont->SetStyle(Props->FontStyle());
                    if (Props->FontSize() != 0) AFont->SetSize(Props->FontSize());
                    if (!Props->FontName().empty()) AFont->SetName(Props->FontName());
                }
            } else {
                AFont->Assign(PrintSettings()->Font());
            }
        }
    }
    TZirOvararIzaz::DoGetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TVarErozidOvur::DoGetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) {
    if (const TGridColumnItem* Item = ColumnItem(ACol); Item && IsNormalCell(ACol, ARow) && Item->PrintBorderCustom()) {
        Borders = Item->PrintBorders();
        APen->Assign(Item->PrintBorderPen());
    }
    TZirOvararIzaz::DoGetCellPrintBorder(ACol, ARow, APen, Borders);
}

// ---- Editing ----

void TVarErozidOvur::DoGetEditorType(Integer ACol, Integer ARow, TEditorType& AEditor) {
    // The column's float format is the column's own: it is read where the
    // column's cells are shown and edited (ColumnFloatFormat), and the
    // grid's FloatFormat stays as the application set it.
    if (const TGridColumnItem* Item = ColumnItem(ACol); Item && IsNormalCell(ACol, ARow)) AEditor = Item->Editor();
    TZirOvararIzaz::DoGetEditorType(ACol, ARow, AEditor);
}

void TVarErozidOvur::DoGetEditorProp(Integer ACol, Integer ARow, TObject* AEditLink) {
    const TGridColumnItem* Item = ColumnItem(ACol);
    if (Item && IsNormalCell(ACol, ARow)) {
        if (!ComponentState().Contains(csDesigning)) ApplyColumnEditorSettings(*Item);
        ControlLook()->SetDropDownCount(Item->DropDownCount());
    }
    TZirOvararIzaz::DoGetEditorProp(ACol, ARow, AEditLink);
}

void TVarErozidOvur::ApplyColumnEditorSettings(const TGridColumnItem& Item) {
    // Only editors the grid has made are touched; a combo column fills the
    // combo's list, any other column empties it.
    const TEditorType Kind = Item.Editor();
    if (TGridCombo* Combo = Combobox()) {
        if (Kind == edComboEdit || Kind == edComboList) {
            Combo->Items()->Assign(Item.ComboItems());
            Combo->SetDropDownCount(Item.DropDownCount());
        } else {
            Combo->Items()->Clear();
        }
    }
    if (TGridSpin* Spin = MadeSpinEdit();
        Spin && (Kind == edSpinEdit || Kind == edFloatSpinEdit || Kind == edTimeSpinEdit || Kind == edDateSpinEdit)) {
        Spin->SetMinValue(Item.SpinMin());
        Spin->SetMaxValue(Item.SpinMax());
        Spin->SetIncrement(Item.SpinStep());
    }
    if (Kind == edEditBtn || Kind == edMaskEditBtn) {
        TGridEditBtn* Button = BtnEdit();
        Button->SetButtonWidth(Item.ButtonWidth());
        Button->SetButtonCaption(Item.ButtonCaption());
    }
}

String TVarErozidOvur::ResolveEditMask(Integer ACol, Integer ARow) {
    String Mask;
    if (ACol >= FixedCols() && ACol < FColumnCollection->Count())
        if (const TGridColumnItem* Item = ColumnItem(RealColIndex(ACol))) Mask = Item->EditMask();
    const String Own = TZirOvararIzaz::ResolveEditMask(ACol, ARow);
    return Own.empty() ? Mask : Own;
}

Integer TVarErozidOvur::ResolveEditLimit() {
    Integer Limit = TZirOvararIzaz::ResolveEditLimit();
    if (Col() >= FixedCols() && Col() < FColumnCollection->Count())
        if (const TGridColumnItem* Item = ColumnItem(RealColIndex(Col()))) Limit = Item->EditLength();
    return Limit;
}

void TVarErozidOvur::DoCanEdit(Integer ACol, Integer ARow, bool& CanEdit) {
    const TGridColumnItem* Item = ColumnItem(ACol);
    CanEdit = false;
    if (!IsLoading() && Item && IsNormalCell(ACol, ARow)) CanEdit = !Item->ReadOnly() && !Item->Fixed();
    if (ARow < FixedRows() && MouseActions()->CheckAllCheck() && Item && HasCheckBox(ACol, ARow))
        CanEdit = !Item->ReadOnly();
    Integer BC = ACol, BR = ARow;
    if (InGrid(ACol, ARow)) {
        const TPoint Base = BaseCell(ACol, ARow);
        BC = Base.X;
        BR = Base.Y;
    }
    if (CanEdit && HasCellProperties(BC, BR)) CanEdit = !CellProperties(BC, BR)->ReadOnly();
    DoCanEditCell(BC, BR, CanEdit);
}

void TVarErozidOvur::DoIsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword) {
    if (const TGridColumnItem* Item = ColumnItem(ACol)) IsPassword = Item->Password();
    TZirOvararIzaz::DoIsPasswordCell(ACol, ARow, IsPassword);
}

bool TVarErozidOvur::DoHasComboBox(Integer ACol, Integer ARow, TEditorType AEditor) {
    (void)AEditor;
    bool Has = false;
    if (const TGridColumnItem* Item = ColumnItem(ACol); Item && IsNormalCell(ACol, ARow))
        Has = Item->Editor() == edComboEdit || Item->Editor() == edComboList;
    if (OnHasComboBox) OnHasComboBox(this, ACol, ARow, Has);
    return Has;
}

void TVarErozidOvur::DoIsFixedCell(Integer ACol, Integer ARow, bool& IsFixed) {
    if (const TGridColumnItem* Item = ColumnItem(RealColIndex(ACol)); Item && IsNormalCell(ACol, ARow))
        IsFixed = Item->Fixed();
    TZirOvararIzaz::DoIsFixedCell(ACol, ARow, IsFixed);
}

// ---- Check boxes and buttons ----

TCellType TVarErozidOvur::GetCellType(Integer ACol, Integer ARow) {
    // The string grid's type is that of the cell's own object; the shared
    // virtual one this grid hands out does not count.
    if (ACol < 0 || ARow < 0) return ctEmpty;
    const TCellGraphic* Own = TZirOvararIzaz::GetCellGraphic(ACol, ARow);
    const TCellType Type = Own ? Own->CellType() : ctEmpty;
    const TGridColumnItem* Item = ColumnItem(ACol);
    if (Type == ctEmpty && Item && IsBodyCell(ACol, ARow) && Item->Editor() == edDataCheckBox) return ctDataCheckBox;
    return Type;
}

TCellGraphic* TVarErozidOvur::GetCellGraphic(Integer ACol, Integer ARow) {
    TCellGraphic* Graphic = TZirOvararIzaz::GetCellGraphic(ACol, ARow);
    const TGridColumnItem* Item = ColumnItem(ACol);
    if (Graphic || !Item || !FCellGraphic || IsDestroying() || !IsBodyCell(ACol, ARow)) return Graphic;
    if (Item->Editor() == edDataCheckBox) {
        FCellGraphic->SetCellType(ctVirtCheckBox);
    } else if (Item->Editor() == edButton) {
        FCellGraphic->SetCellType(ctVirtButton);
        // Width in the low 16 bits, height in the high 16 bits.
        FCellGraphic->SetCellIndex(Item->ButtonHeight() * 65536 + Item->ButtonWidth());
        FCellGraphic->SetCellText(Item->ButtonCaption());
    } else {
        return Graphic;
    }
    FCellGraphic->SetCellTransparent(ControlLook()->ControlStyle() == ZirOvararIzaz::csFlat);
    return FCellGraphic.get();
}

String TVarErozidOvur::DoGetCheckTrue(Integer ACol, Integer ARow) {
    String Value = TZirOvararIzaz::DoGetCheckTrue(ACol, ARow);
    if (const TGridColumnItem* Item = ColumnItem(ACol); Item && IsBodyCell(ACol, ARow)) Value = Item->CheckTrue();
    return Value;
}

String TVarErozidOvur::DoGetCheckFalse(Integer ACol, Integer ARow) {
    String Value = TZirOvararIzaz::DoGetCheckFalse(ACol, ARow);
    if (const TGridColumnItem* Item = ColumnItem(ACol); Item && IsBodyCell(ACol, ARow)) Value = Item->CheckFalse();
    return Value;
}

// ---- Numbers and sorting ----

void TVarErozidOvur::DoGetFloatFormat(Integer ACol, Integer ARow, String& AFloatFormat) {
    (void)ARow;
    AFloatFormat = ColumnFloatFormat(ACol);
}

String TVarErozidOvur::GetFormattedCell(Integer ACol, Integer ARow) {
    const TGridColumnItem* Item = ColumnItem(ACol);
    if (!Item) return TZirOvararIzaz::GetFormattedCell(ACol, ARow);
    const String Text = Cells(ACol, ARow);
    String Fmt = Item->FloatFormat();
    const TValueKind Kind = DetectValueKind(Text);
    bool IsFloat = Kind == vkInteger || Kind == vkFloat;
    if (OnGetFloatFormat) OnGetFloatFormat(this, ACol, ARow, IsFloat, Fmt);
    if (Fmt.empty() || !IsFloat) return Text;
    return Format(Fmt, {Floats(ACol, ARow)});
}

void TVarErozidOvur::DoGetFormat(Integer ACol, TSortStyle& AStyle, String& Prefix, String& Suffix) {
    if (const TGridColumnItem* Item = ColumnItem(ACol)) {
        AStyle = Item->SortStyle();
        Prefix = Item->SortPrefix();
        Suffix = Item->SortSuffix();
    }
    TZirOvararIzaz::DoGetFormat(ACol, AStyle, Prefix, Suffix);
}

// ---- Filtering and sizes ----

bool TVarErozidOvur::DoGetColumnFilter(Integer ACol, bool StopAtFirst, bool IncludeHidden) {
    TStringList* List = FilterList();
    List->SetSorted(false);
    TZirOvararIzaz::DoGetColumnFilter(ACol, StopAtFirst, IncludeHidden);
    if (FilterDropDownAuto()) return List->Count() > 0;
    const TGridColumnItem* Item = ColumnItem(ACol);
    if (!Item || Item->Filter()->Count() == 0) return false;
    List->Clear();
    for (Integer i = 0; i < Item->Filter()->Count(); ++i) List->Add(FilterDisplay(Item->Filter()->Strings(i)));
    return true;
}

void TVarErozidOvur::DoFilterSelect(Integer ItemIndex) {
    FocusGrid(this);
    const Integer Col = FilterCol();
    TGridColumnItem* Item = ColumnItem(Col);
    // The picked line is read from the column's own list, and only when the
    // index lies inside it (the automatic list may be longer).
    if (Item && ItemIndex >= 0) {
        DoGetColumnFilter(Col);
        if (ItemIndex < FilterList()->Count() && ItemIndex < Item->Filter()->Count()) {
            const String Line = Item->Filter()->Strings(ItemIndex);
            const String Display = FilterDisplay(Line);
            String Condition = FilterCondition(Line);
            if (FAutoFilterDisplay) Item->SetHeader(Display);
            if (AutoFilterUpdate()) SetFilterActive(false);
            if (OnFilterSelect) OnFilterSelect(this, Col, ItemIndex, Display, Condition);
            TFilterData* Data = Filter()->ColumnFilter(Col);
            Data->SetCondition(Condition);
            Data->SetCaseSensitive(Item->FilterCaseSensitive());
            if (AutoFilterUpdate()) {
                SetFilterActive(true);
                const bool NoNormalRows = RowCount() == FixedRows();
                const bool SingleRow = RowCount() == FixedRows() + 1 && FixedRowAlways();
                if (!NoNormalRows && !SingleRow) SetRow(FixedRows());
                DoFilterDone();
            }
        }
    }
    SetFilterCol(-1);
}

void TVarErozidOvur::LimitWidth(Integer MinSize, Integer MaxSize, Integer& AWidth) {
    if (MinSize > 0 && AWidth < MinSize) AWidth = MinSize;
    if (MaxSize > 0 && AWidth > MaxSize) AWidth = MaxSize;
}

void TVarErozidOvur::DoUpdateColumnSize(Integer ACol, Integer& AWidth) {
    if (const TGridColumnItem* Item = ColumnItem(RealColIndex(ACol)))
        LimitWidth(Item->MinSize(), Item->MaxSize(), AWidth);
    TZirOvararIzaz::DoUpdateColumnSize(ACol, AWidth);
}

void TVarErozidOvur::DoUpdateAutoColumnSize(Integer ACol, Integer& AWidth) {
    if (const TGridColumnItem* Item = ColumnItem(RealColIndex(ACol)))
        LimitWidth(Item->AutoMinSize(), Item->AutoMaxSize(), AWidth);
    TZirOvararIzaz::DoUpdateAutoColumnSize(ACol, AWidth);
}
