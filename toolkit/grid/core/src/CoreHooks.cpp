// The event hooks: each computes the grid's own answer, then lets the bound
// handler change it. Descendants override them to answer from their column
// settings.

#include "grid/ZirOvararIzazCore.h"

#include "gridbase/BaseGrid.h"
#include "vcl/Forms.h"

#include <cmath>

namespace {

bool IsDropDownKind(TEditorType Kind) {
    return Kind == edComboEdit || Kind == edComboList || Kind == edDetailDropDown || Kind == edGridDropDown ||
           Kind == edKelGridDropDown;
}

bool IsSpinKind(TEditorType Kind) {
    return Kind == edSpinEdit || Kind == edFloatSpinEdit || Kind == edTimeSpinEdit || Kind == edDateSpinEdit;
}

// Kinds whose cell colour comes from the cell's own brush.
bool TakesCellBrush(TCellType Kind) {
    switch (Kind) {
    case ctIcon:
    case ctNone:
    case ctImageList:
    case ctCheckBox:
    case ctEmpty:
    case ctImages:
    case ctComment:
    case ctRadioButton:
        return true;
    default:
        return false;
    }
}

} // namespace

void TZirOvararIzazCore::DoGetCellHint(Integer ACol, Integer ARow, String& WideHint, String& Hint) {
    if (OnGridHint) {
        OnGridHint(this, ARow, ACol, Hint);
        FOfficeHint->Notes()->SetText(Hint);
    }
    if (OnGridWideHint) {
        OnGridWideHint(this, ARow, ACol, WideHint);
        if (!WideHint.empty()) Hint = EncodeWideCellText(WideHint);
    }
    if (OnOfficeHint) OnOfficeHint(this, ACol, ARow, FOfficeHint.get());
}

void TZirOvararIzazCore::DoGetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush,
                                        TFont* AFont) {
    if (FActiveCellShow) {
        const Integer D = RealToDisplColumn(ACol);
        const Integer FC = FixedCols(), FR = FixedRows();
        if ((ARow == Row() && FC > 0 && D == FC - 1) || (D == Col() && FR > 0 && ARow == FR - 1)) {
            AFont->Assign(FActiveCellFont.get());
            ABrush->SetColor(FActiveCellColor);
        }
    }
    if (const TCellProperties* Props = RecordOf(ACol, ARow)) {
        if (TakesCellBrush(GetCellType(ACol, ARow)) && Props->BrushColor() != clNone)
            ABrush->SetColor(Props->BrushColor());
        if (Props->FontColor() != clNone) AFont->SetColor(Props->FontColor());
        if (!Props->FontStyle().Empty()) AFont->SetStyle(Props->FontStyle());
        if (Props->FontSize() != 0) AFont->SetHeight(Props->FontSize());
        if (!Props->FontName().empty()) AFont->SetName(Props->FontName());
    } else {
        AFont->SetHeight(Integer(std::lround(AFont->Height() * FDPIScale)));
    }
    if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TZirOvararIzazCore::DoGetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush,
                                             TFont* AFont) {
    if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TZirOvararIzazCore::DoGetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) {
    if (FGrouping->HeaderUnderline() && IsNode(ARow) && ACol > 0) {
        Borders = TCellBorders{cbBottom};
        APen->SetColor(FGrouping->HeaderLineColor());
        APen->SetWidth(FGrouping->HeaderLineWidth());
    }
    if (FGrouping->SummaryLine() && IsSummary(ARow) && ACol > 0) {
        Borders = TCellBorders{cbTop};
        APen->SetColor(FGrouping->SummaryLineColor());
        APen->SetWidth(FGrouping->SummaryLineWidth());
    }
    if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TZirOvararIzazCore::DoGetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) {
    if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TZirOvararIzazCore::DoGetAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) {
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) HAlign = taCenter;
    if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TZirOvararIzazCore::DoGetFormat(Integer ACol, TSortStyle& AStyle, String& Prefix, String& Suffix) {
    if (OnGetFormat) OnGetFormat(this, ACol, AStyle, Prefix, Suffix);
}

void TZirOvararIzazCore::DoGetAlwaysVisibleEditor(Integer ACol, Integer ARow, TEditorType& AEditor) {
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TZirOvararIzazCore::DoGetEditorType(Integer ACol, Integer ARow, TEditorType& AEditor) {
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TZirOvararIzazCore::DoIsNoEditorCell(Integer ACol, Integer ARow, TEditorType& AEditor) {
    if (!OnGetEditorType) return false;
    AEditor = edNormal;
    OnGetEditorType(this, ACol, ARow, AEditor);
    return AEditor == edNone;
}

void TZirOvararIzazCore::DoIsFixedCell(Integer ACol, Integer ARow, bool& IsFixed) {
    IsFixed = IsFixed || (FFixedRowAlways && RowCount() == FMinFixedRows && ARow <= FMinFixedRows) ||
              (FFixedColAlways && ColCount() == FMinFixedCols && ACol < FMinFixedCols) || ACol < FixedCols() ||
              ARow < FixedRows();
    if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

bool TZirOvararIzazCore::IsFixed(Integer ACol, Integer ARow) {
    bool Fixed = false;
    DoIsFixedCell(ACol, ARow, Fixed);
    return Fixed;
}

void TZirOvararIzazCore::DoCanEditCell(Integer ACol, Integer ARow, bool& CanEdit) {
    if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TZirOvararIzazCore::DoCanEdit(Integer ACol, Integer ARow, bool& CanEdit) {
    Integer BC = ACol, BR = ARow;
    if (InGrid(ACol, ARow)) {
        const TPoint Base = BaseCell(ACol, ARow);
        BC = Base.X;
        BR = Base.Y;
    }
    const bool InColumns = BC < ColCount() + FNumHidden;
    if (HasCellProperties(BC, BR) && CanEdit) {
        CanEdit = !CellProperties(BC, BR)->ReadOnly();
        if (!Options().Contains(goEditing) && !FEditing && !FMouseActions->Settings().RangeSelectAndEdit)
            CanEdit = false;
        if (InColumns) DoCanEditCell(BC, BR, CanEdit);
    } else if (InColumns) {
        DoCanEditCell(BC, BR, CanEdit);
    } else {
        CanEdit = true;
    }
}

void TZirOvararIzazCore::DoIsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword) {
    if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TZirOvararIzazCore::DoGetWordWrap(Integer ACol, Integer ARow, bool& WordWrap) {
    if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, WordWrap);
}

bool TZirOvararIzazCore::DoHasComboBox(Integer ACol, Integer ARow, TEditorType AEditor) {
    if (OnHasComboBox) {
        bool Has = false;
        OnHasComboBox(this, ACol, ARow, Has);
        return Has;
    }
    if (!FControlLook->DropDownAlwaysVisible()) return false;
    TEditorType Kind = AEditor;
    if (Kind == edNone) {
        Kind = FDefaultEditor;
        DoGetEditorType(ACol, ARow, Kind);
    }
    // An edCustom cell's edit link answers with the input layer.
    return IsDropDownKind(Kind);
}

bool TZirOvararIzazCore::DoHasEditBtn(Integer ACol, Integer ARow, TEditorType AEditor) {
    if (OnHasEditBtn) {
        bool Has = false;
        OnHasEditBtn(this, ACol, ARow, Has);
        return Has;
    }
    if (!FControlLook->DropDownAlwaysVisible()) return false;
    TEditorType Kind = AEditor;
    if (Kind == edNone) {
        Kind = FDefaultEditor;
        DoGetEditorType(ACol, ARow, Kind);
    }
    return Kind == edEditBtn;
}

bool TZirOvararIzazCore::DoHasSpinEdit(Integer ACol, Integer ARow, TEditorType AEditor) {
    if (ACol < FixedCols() || ARow < FixedRows()) return false;
    if (OnHasSpinEdit) {
        bool Has = false;
        OnHasSpinEdit(this, ACol, ARow, Has);
        return Has;
    }
    if (!FControlLook->SpinButtonsAlwaysVisible()) return false;
    TEditorType Kind = AEditor;
    if (Kind == edNone) {
        Kind = FDefaultEditor;
        DoGetAlwaysVisibleEditor(ACol, ARow, Kind);
    }
    return IsSpinKind(Kind);
}

bool TZirOvararIzazCore::DoHasFilterEdit(Integer ACol, Integer ARow) {
    bool Has = FFilterEdit->Enabled() && ARow == FFilterEdit->Row();
    if (Has && FFilterEdit->Columns() == fdNormal)
        Has = ACol >= FixedCols() && ACol < AllColCount() - FFixedRightCols;
    if (Has && OnHasFilterEdit) OnHasFilterEdit(this, ACol, Has);
    return Has;
}

void TZirOvararIzazCore::DoFilterEditUpdate(Integer ACol, const String& Condition, TFilterType FilterType) {
    if (OnFilterEditUpdate) OnFilterEditUpdate(this, ACol, Condition, FilterType);
}

void TZirOvararIzazCore::DoGetCellCursor(Integer ACol, Integer ARow, Integer X, Integer Y) {
    if (!OnGetCellCursor) return;
    TCursor ACursor = Screen ? Screen->Cursor() : TCursor(crDefault);
    OnGetCellCursor(this, ACol, ARow, X, Y, ACursor);
    if (ACursor != Cursor() && Screen) Screen->SetCursor(ACursor);
}

String TZirOvararIzazCore::DoSearchFooterSearch(const String& Value) {
    String Result = Value;
    if (OnSearchFooterSearch) OnSearchFooterSearch(this, Result);
    return Result;
}

void TZirOvararIzazCore::DoSearchFooterAction(const String& Value, Integer ACol, Integer ARow,
                                              Integer SearchAction) {
    if (OnSearchFooterAction) OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

void TZirOvararIzazCore::DoSearchFooterSearchEnd(bool& ContinueFromStart) {
    if (OnSearchFooterSearchEnd) OnSearchFooterSearchEnd(this, ContinueFromStart);
}

void TZirOvararIzazCore::DoButtonClick(Integer ACol, Integer ARow) {
    if (OnButtonClick) OnButtonClick(this, ACol, ARow);
}

void TZirOvararIzazCore::DoExpandClick(Integer ACol, Integer ARow, bool Expanded) {
    if (OnExpandClick) OnExpandClick(this, ACol, ARow, Expanded);
    // The row then takes the cell's expand height (cell decorations layer).
}

void TZirOvararIzazCore::DoComboCloseUp(Integer ARow, Integer ACol) {
    if (OnComboCloseUp) OnComboCloseUp(this, ARow, ACol);
}

void TZirOvararIzazCore::DoComboDropDown(Integer ARow, Integer ACol) {
    // The combo editor's field height follows the cell (input layer).
    if (OnComboDropDown) OnComboDropDown(this, ARow, ACol);
}

void TZirOvararIzazCore::DoCanSort(Integer ACol, bool& DoSort) {
    if (OnCanSort) OnCanSort(this, ACol, DoSort);
}

void TZirOvararIzazCore::SelectionChanged(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom) {
    if (FLook == glVista || FLook == glWin7 || FLook == glOffice2007) Invalidate();
    FSelChange = true;
    FDisjunctSelection = Selection();
    if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TZirOvararIzazCore::AutoInsertRow(Integer ARow) {
    // Nodes arrive with the tree layer; without them a plain row goes in.
    InsertRows(ARow, 1);
}

void TZirOvararIzazCore::DoAutoDeleteRow(Integer ARow) {
    if (DataRowCount() != 1 || FFixedRowAlways)
        DeleteRows(ARow, 1);
    else
        for (Integer c = 0; c < TotalColCount(); ++c) SetCells(c, ARow, String());
    if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

bool TZirOvararIzazCore::DoBeforeEdit(Integer ACol, Integer ARow) {
    bool Allow = true;
    if (OnBeforeEdit) OnBeforeEdit(this, ARow, ACol, Allow);
    return Allow;
}

void TZirOvararIzazCore::DoBeforeFilter() {
    if (OnBeforeFilter) OnBeforeFilter(this);
}

void TZirOvararIzazCore::DoFilterShow(Integer ACol, bool& Allow) {
    if (OnFilterShow) OnFilterShow(this, ACol, Allow);
}

void TZirOvararIzazCore::DoFilterClose(Integer ACol) {
    if (OnFilterClose) OnFilterClose(this, ACol);
}

void TZirOvararIzazCore::DoFilterDone() {
    if (OnFilterDone) OnFilterDone(this);
}

void TZirOvararIzazCore::DoFixedEdit(Integer ACol, Integer ARow, TGridFixedCellEditor& AEditor, TStrings* Values) {
    if (OnFixedEdit) OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TZirOvararIzazCore::DoHoverButtonsShow(Integer X, Integer Y, bool& Allow) {
    if (OnHoverButtonsShow) OnHoverButtonsShow(this, X, Y, Allow);
}

void TZirOvararIzazCore::DoIntelliZoom() {
    if (OnIntelliZoom) OnIntelliZoom(this);
}

String TZirOvararIzazCore::GetRawCellText(Integer ACol, Integer ARow) {
    return Cells(ACol, ARow);
}

void TZirOvararIzazCore::DoLoadCell(Integer ACol, Integer ARow, String& Value) {
    if (OnLoadCell) OnLoadCell(this, ACol, ARow, Value);
    SetGridCells(ACol, ARow, Value);
}

String TZirOvararIzazCore::ExportCell(Integer ACol, Integer ARow) {
    return Cells(ACol, ARow);
}

void TZirOvararIzazCore::GetCellLook(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                     TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                                     TVAlignment& VAlign, bool& WordWrap, TCellGradientDirection& GradientDirection) {
    const bool UseDisabled = FUseDisabledFont;
    FUseDisabledFont = false;
    TGridDrawState State;
    try {
        GetVisualProperties(ACol, ARow, State, false, false, true, ABrush, ColorTo, MirrorColor, MirrorColorTo,
                            AFont, HAlign, VAlign, WordWrap, GradientDirection);
    } catch (...) {
        FUseDisabledFont = UseDisabled;
        throw;
    }
    FUseDisabledFont = UseDisabled;
    if (IsFixed(ACol, ARow) || FBands->Active() || FBackGround->Display() == bdGradientHorz ||
        FBackGround->Display() == bdGradientVert || ColorTo != clNone) {
        ABrush->SetColor(clNone);
        ColorTo = clNone;
    }
    AFont->SetHeight(Integer(std::lround(AFont->Height() * FDPIScale)));
}

Integer TZirOvararIzazCore::FilteredRows() {
    if (FFilterType == ftHide) return RowCount();
    Integer Suppressed = 0;
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        if (RowHeights(r) == 0) ++Suppressed;
    return RowCount() - Suppressed;
}

TFont* TZirOvararIzazCore::GetCellFont(Integer ACol, Integer ARow) {
    const TCellProperties* Props = RecordOf(ACol, ARow);
    if (!Props) return Font();
    FCellFont->Assign(Font());
    if (!Props->FontName().empty()) FCellFont->SetName(Props->FontName());
    if (Props->FontSize() != 0) FCellFont->SetHeight(Props->FontSize());
    FCellFont->SetStyle(Props->FontStyle());
    if (Props->FontColor() != clNone) FCellFont->SetColor(Props->FontColor());
    return FCellFont.get();
}

void TZirOvararIzazCore::CellsChanged(TRect R) {
    for (TGridChangeNotifier* Notifier : FNotifiers) Notifier->CellsChanged(R);
}
