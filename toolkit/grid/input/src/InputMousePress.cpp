// The left button's press: the click targets of a cell tested in their
// fixed order (resize handle, touch scrolling, cell selector, fixed borders
// and fixed cells, spin halves, node glyphs, radio lists, ratings, buttons,
// links and form controls, select-all, row and column selection, check
// boxes, edit buttons, direct editing), the platform grid's own handling
// for a press that none of them takes, and the radio list's item choice.

#include "grid/ZirOvararIzazInput.h"
#include "gridbase/MarkupControls.h"
#include "gridbase/MarkupRenderer.h"
#include "gridbase/RarEvad.h"
#include "os/Shell.h"
#include "rtl/FlagScope.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/Timers.h"

#include "InputMouseShared.h"

#include <algorithm>
#include <cmath>

using namespace winapi;

using grid_mouse::InRect;
using grid_mouse::IsKeyHeld;

namespace {

bool InGridRect(const TGridRect& G, Integer ACol, Integer ARow) {
    return ACol >= std::min(G.Left, G.Right) && ACol <= std::max(G.Left, G.Right) &&
           ARow >= std::min(G.Top, G.Bottom) && ARow <= std::max(G.Top, G.Bottom);
}

TGridRect Normalised(Integer Col1, Integer Row1, Integer Col2, Integer Row2) {
    return TGridRect{std::min(Col1, Col2), std::min(Row1, Row2), std::max(Col1, Col2), std::max(Row1, Row2)};
}

// Only web and mail addresses are handed to the desktop's opener; a link
// to a file, a path or a program is never run from cell text.
bool IsWebOrMailLink(const String& Anchor) {
    const String U = UpperCase(Anchor);
    return U.starts_with(u"HTTP://") || U.starts_with(u"HTTPS://") || U.starts_with(u"MAILTO:");
}

} // namespace

TShiftState TZirOvararIzazInput::HeldModifiers() {
    TShiftState Shift;
    if (IsKeyHeld(VK_CONTROL)) Shift.Include(ssCtrl);
    if (IsKeyHeld(VK_SHIFT)) Shift.Include(ssShift);
    if (IsKeyHeld(VK_MENU)) Shift.Include(ssAlt);
    return Shift;
}

void TZirOvararIzazInput::StartSelectionResize(TMessage& Message, Integer X, Integer Y, bool Standard) {
    SetGridState(gsSelecting);
    FDropSelection = Selection();
    // The copy for the smart fill stays inside the grid: what the user put
    // on the system clipboard is left alone.
    FSmartFillCopy.clear();
    const TGridRect S = Normalised(FDropSelection.Left, FDropSelection.Top, FDropSelection.Right,
                                   FDropSelection.Bottom);
    for (Integer r = S.Top; r <= S.Bottom; ++r) {
        std::vector<String> Line;
        for (Integer c = S.Left; c <= S.Right; ++c) Line.push_back(Cells(RealColIndex(c), r));
        FSmartFillCopy.push_back(std::move(Line));
    }
    FMouseResize = true;
    const TGridRect Sel = Selection();
    const Integer C = Col(), R = Row();
    if (Standard) StandardMouseHandling(Message);
    {
        TFlagScope Forced(FForceSel, true);
        SetSelection(Sel);
        SetCol(C);
        SetRow(R);
    }
    MouseMove(TShiftState(), X, Y);
}

bool TZirOvararIzazInput::AnchorAt(Integer ACol, Integer ARow, Integer X, Integer Y, String& Anchor,
                                   String& CtrlID, String& CtrlType, String& CtrlValue) {
    const Integer RealCol = RealColIndex(ACol);
    TRect R = CellRect(ACol, ARow);
    R.Right -= XYOffset().X;
    R.Left += XYOffset().X + 1;
    R.Top += XYOffset().Y + 1;
    if (HasCheckBox(RealCol, ARow)) R.Left += RoundToInt(ControlLook()->CheckSize() * DPIScale());
    TMarkupDrawParams P;
    P.Canvas = Canvas();
    P.Text = GridCells(RealCol, ARow);
    P.Rect = R;
    P.Images = GetCellImageList(ACol, ARow);
    P.OwnerWindow = HandleAllocated() ? Handle() : nullptr;
    P.HitX = X;
    P.HitY = Y;
    P.HitTestOnly = true;
    TMarkupDrawResult Hit;
    if (!P.Canvas || !DrawMarkupOnCanvas(P, Hit)) return false;
    Anchor = Hit.Anchor;
    CtrlID = Hit.ControlID;
    CtrlType = UpperCase(Hit.ControlType);
    CtrlValue = Hit.ControlValue;
    return !Anchor.empty();
}

bool TZirOvararIzazInput::DisjunctPressBookkeeping(TMessage& Message, Integer ACol, Integer ARow,
                                                   const TGridRect& OldSelection, bool FirstPass) {
    const TMouseActionsSettings& MA = MouseActions()->Settings();
    const bool ColOk = FirstPass ? ACol >= FixedCols() : ACol != 0;
    if (MA.DisjunctRowSelect && ARow >= FixedRows() && (ColOk || (!MA.HotmailRowSelect && !MA.RowSelect))) {
        if (IsKeyHeld(VK_SHIFT)) {
            StandardMouseHandling(Message);
            // From the pressed cell to the old selection's top-left corner,
            // stored normalised so that Left <= Right and Top <= Bottom.
            if (FirstPass) SetSelection(Normalised(ACol, ARow, OldSelection.Left, OldSelection.Top));
            return false;
        }
        if (IsKeyHeld(VK_CONTROL) || MA.DisjunctRowSelectNoCtrl) {
            const Integer R = MA.RowSelectPersistent ? RealRowIndex(ARow) : ARow;
            if (RowSelect(R)) FDeselectState = true;
        } else {
            FMouseDownFlag = true;
            if (!IsKeyHeld(VK_MENU)) ClearRowSelectList();
        }
    }
    if (MA.DisjunctColSelect && ACol >= FixedCols()) {
        if (IsKeyHeld(VK_CONTROL) || MA.DisjunctColSelectNoCtrl) {
            if (ColSelect(ACol)) FDeselectState = true;
        } else {
            FMouseDownFlag = true;
            ClearColSelect();
        }
    }
    return true;
}

void TZirOvararIzazInput::HandleWMLButtonDown(TMessage& Message) {
    Integer X = GET_X_LPARAM(Message.LParam);
    Integer Y = GET_Y_LPARAM(Message.LParam);
    const TMouseActionsSettings& MA = MouseActions()->Settings();
    const bool Designing = ComponentState().Contains(csDesigning);

    // Set-up.
    FDoOnClick = FMouseDownMove = FMouseKeepDown = true;
    FSpinUpClick = FSpinDnClick = FAnchorClick = false;
    bool RangeEditOff = false;
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    // Every modifier that is down.
    const TShiftState Shift = HeldModifiers();
    bool DirectAllowed = true;
    if (auto* F = dynamic_cast<TForm*>(LookupParentForm(this))) DirectAllowed = F->FormStyle() == fsNormal;
    const TGridRect OldSelection = Selection();
    FOrigSelection = OldSelection;
    if (MA.DisjunctRowSelect && OldSelection.Top >= 0 && OldSelection.Top < RowCount() &&
        !RowSelect(OldSelection.Top))
        FOrigSelection = TGridRect{-1, -1, -1, -1};

    // The selection's resize handle.
    if (SelectionResizer() && SelectionRectangle() && ACol >= 0 && ARow >= 0) {
        const TGridRect S = Selection();
        const TRect R = CellRect(S.Right, S.Bottom);
        const Integer Side = RoundToInt(6 * DPIScale());
        const TRect Zone = BiDiMode() == bdLeftToRight ? TRect(R.Right - Side, R.Bottom - Side, R.Right, R.Bottom)
                                                       : TRect(R.Left, R.Bottom - Side, R.Left + Side, R.Bottom);
        if (InRect(Zone, X, Y)) {
            StartSelectionResize(Message, X, Y,
                                 !(Options().Contains(goEditing) || MA.RangeSelectAndEdit));
            Message.Result = 1;
            return;
        }
    }

    // Touch scrolling.
    if (MA.TouchScroll && !FEditMode && !(ACol == Col() && ARow == Row()) && ARow >= FixedRows() &&
        ACol >= FixedCols() && !Shift.Contains(ssShift)) {
        DoClickCell(ARow, ACol);
        FTimeStart = GetTickCount();
        FPtDown = TPoint(X, Y);
        FTopDown = TopRow();
        FLeftRight = LeftCol();
        FScrollStart = true;
        FScrollSteps = 0;
        if (Options().Contains(goRowSelect)) {
            if (Shift.Contains(ssCtrl)) {
                SetRowSelect(ARow, !RowSelect(ARow));
            } else {
                ClearRowSelect();
                SetRow(ARow);
            }
        }
        StandardMouseHandling(Message);
        SetMouseCapture(true);
        Message.Result = 1;
        return;
    }

    // Common preparation.
    if (Options().Contains(goEditing) && MA.RangeSelectAndEdit && !InGridRect(Selection(), ACol, ARow))
        SetOptions(WithOption(Options(), goEditing, false));
    SearchInc.clear();
    FMoveColInd = FMoveRowInd = -1;
    FSelectionClick = false;
    FPushedCellButton = TPoint(-1, -1);
    const Integer LeftColAtPress = LeftCol();
    const Integer TopRowAtPress = TopRow();
    FPressTopRow = TopRowAtPress;
    FPressLeftCol = LeftColAtPress;

    bool Allow = true;
    if (OnCanClickCell) OnCanClickCell(this, ARow, ACol, Allow);
    if (!Allow) return;

    const Integer PressCol = ACol, PressRow = ARow;
    if (FCellSelectorMode) {
        CellSelectorClick(ACol, ARow);
        return;
    }
    if (FMouseSelectMode == msResize) {
        StartSelectionResize(Message, X, Y, !Options().Contains(goEditing));
        return;
    }

    if (MA.DisjunctCellSelect && !Shift.Contains(ssCtrl) && !IsFixed(ACol, ARow) && FSelectedCells) {
        FSelectedCells->Clear();
        Invalidate();
    }
    if (ARow != 0 && ACol != 0)
        MouseToCell(X - 5, Y - 4, FColClicked, FRowClicked);
    else if (ARow != 0)
        MouseToCell(X, Y - 4, FColClicked, FRowClicked);
    else
        MouseToCell(X - 5, Y, FColClicked, FRowClicked);
    if (FColClicked >= 0 && FRowClicked >= 0) {
        FColClickedSize = ColWidths(FColClicked);
        FRowClickedSize = RowHeights(FRowClicked);
    }
    FClickPos = TPoint(X, Y);
    FMouseDownPt = TPoint(ACol, ARow);
    const bool InFixedArea = ACol >= 0 && ARow >= 0 && (ARow < FixedRows() || ACol < FixedCols());

    // Outside the cells.
    if (ACol == -1 || ARow == -1) {
        HideInplaceEdit();
        if (FixedRowAlways()) {
            FireMouseDown(mbLeft, Shift, X, Y);
            if (Enabled() && RowCount() > FixedRows()) StandardMouseHandling(Message);
        } else {
            StandardMouseHandling(Message);
        }
        return;
    }

    // A merged area is pressed at its base cell.
    {
        const TPoint Base = BaseCell(RealColIndex(ACol), ARow);
        ACol = RealToDisplColumn(Base.X);
        ARow = Base.Y;
    }
    const TRect CellR = CellRect(ACol, ARow);
    if (FixedColAlways() && ACol == 0 && ColCount() == FixedCols()) return;
    if (MA.CaretPositioning) FLButFlg = true;

    // Fixed areas.
    bool IsNodeRow = IsNode(ARow);
    bool FixedByEvent = false;
    if (FSizeFixed) {
        FSizingFixed = true;
        FSizeFixedX = X;
        Integer S = 0;
        for (Integer i = 0; i < FixedCols(); ++i) {
            if (std::abs(S + ColWidths(i) - X) < 3 && !Designing) FSizingFixedCol = i;
            S += ColWidths(i) + 1;
        }
    } else if (FSizeFixedR) {
        FSizingFixedR = true;
        FSizeFixedY = Y;
        Integer S = 0;
        for (Integer i = 0; i < FixedRows(); ++i) {
            if (std::abs(S + RowHeights(i) - Y) < 3 && !Designing) FSizingFixedRow = i;
            S += RowHeights(i) + 1;
        }
    } else {
        const bool CountsFixed = IsFixed(ACol, ARow);
        if (InFixedArea || CountsFixed) HideInplaceEdit();
        FixedByEvent = CountsFixed && !InFixedArea;
        if ((InFixedArea || FixedByEvent) && FixedAsButtons() && Options().Contains(goFixedVertLine) &&
            Options().Contains(goFixedHorzLine) && Ctl3D() && !(IsNodeRow && IsInNodeButton(ARow, X))) {
            FPushedFixedCell = CellRect(ACol, ARow);
            FPushedCellButton = TPoint(ACol, ARow);
            FFixedCellPushed = true;
            RepaintCell(ACol, ARow);
            IsNodeRow = false;
        }
    }

    // Dragging selected rows.
    if (MA.DisjunctRowSelect && MA.DisjunctRowSelectDrag && RowSelect(ARow) && !(IsNodeRow && ACol == 0)) {
        FireMouseDown(mbLeft, Shift, X, Y);
        return;
    }

    const Integer RealCol = RealColIndex(ACol);
    if (!Designing) {
        // The halves of an always-visible spin button.
        if (ControlLook()->SpinButtonsAlwaysVisible() && DoHasSpinEdit(ACol, ARow, edNone) && X > CellR.Right - 18) {
            if (Y > CellR.Top + (CellR.Bottom - CellR.Top) / 2)
                FSpinDnClick = true;
            else
                FSpinUpClick = true;
        }
        // Node glyphs.
        if (ARow < FixedRows() && CellNode()->NodeColumn() == ACol && IsNodeRow && IsInNodeButton(ARow, X) &&
            MA.NodeAllExpandContract) {
            if (TCellGraphic* G = GetCellGraphic(CellNode()->NodeColumn(), ARow)) {
                if (G->CellBoolean())
                    ExpandAll();
                else
                    ContractAll();
                G->SetCellBoolean(!G->CellBoolean());
            }
        }
        if (ARow >= FixedRows() && CellNode()->NodeColumn() == ACol && IsNodeRow && IsInNodeButton(ARow, X)) {
            FireMouseDown(mbLeft, Shift, X, Y);
            DoClickCell(ARow, ACol);
            const Integer RealRow = RealRowIndex(ARow);
            bool Go = true;
            // The node object's flag is set while the node is contracted.
            if (GetNodeState(ARow)) {
                if (OnBeforeExpandNode) OnBeforeExpandNode(this, ARow, RealRow, Go);
                if (Go) {
                    ExpandNode(RealRow);
                    if (OnExpandNode) OnExpandNode(this, ARow, RealRow);
                }
            } else {
                if (OnBeforeContractNode) OnBeforeContractNode(this, ARow, RealRow, Go);
                if (Go) {
                    ContractNode(RealRow);
                    if (OnContractNode) OnContractNode(this, ARow, RealRow);
                }
            }
            if (MA.MoveRowOnNodeClick) SetRow(ARow);
            return;
        }
        // Radio lists.
        if (IsRadio(RealCol, ARow) && (IsEditable(RealCol, ARow) || ControlLook()->RadioAlwaysActive())) {
            HideInplaceEdit();
            SelectRadioItemAt(RealCol, ARow, X - CellR.Left, Y - CellR.Top);
            if (CanFocus()) SetFocus();
            return;
        }
        // Column 0 of a node grid.
        if (ACol == 0 && ARow >= FixedRows() && NumNodes() > 0 && !MA.RowSelect &&
            !Options().Contains(goRowSizing) && !HasButton(RealCol, ARow) && !HasRating(RealCol, ARow)) {
            FireMouseDown(mbLeft, Shift, X, Y);
            DoClickCell(ARow, ACol);
            return;
        }
        // A press on a selected cell of an OLE drag source.
        if ((IsSelected(ACol, ARow) || (ARow < FixedRows() && !EnhRowColMove())) && !HasButton(RealCol, ARow) &&
            !HasCheckBox(RealCol, ARow) && DragDropSettings()->OleDropSource() &&
            !((MA.ColSelect || MA.AllSelect) && ARow < FixedRows())) {
            if (ACol >= FixedCols() &&
                ((X > CellR.Left + 3 && X < CellR.Right - 3) || !Options().Contains(goColSizing))) {
                if (CanFocus()) SetFocus();
                FireMouseDown(mbLeft, Shift, X, Y);
                FSelectionClick = true;
                if (!Options().Contains(goEditing)) {
                    DoClickCell(ARow, ACol);
                    return;
                }
            }
        }
    }

    // Ratings: half a star per 9 pixels.
    if (HasRating(RealCol, ARow) && IsEditable(RealCol, ARow)) {
        HideInplaceEdit();
        Double Value = std::trunc(Double(X - CellR.Left) / 9) / 2;
        if (DoRatingChange(RealCol, ARow, Value)) {
            SetFloats(RealCol, ARow, Value);
            RepaintCell(ACol, ARow);
        }
        return;
    }
    // Cell buttons.
    if (HasButton(RealCol, ARow)) {
        HideInplaceEdit();
        if (!IsFixed(ACol, ARow)) {
            TFlagScope Forced(FForceSel, true);
            AllowSelectCell(ACol, ARow);
        }
        if (InRect(GetCellGraphicRect(ACol, ARow), X, Y)) {
            PushButton(ACol, ARow, true);
            FPushedCellButton = TPoint(ACol, ARow);
            SetMouseCapture(true);
            DoClickCell(ARow, ACol);
            return;
        }
        if (DoubleBuffered() && !MA.DisjunctRowSelect) {
            bool Ignored = true;
            DoCellChanging(Row(), Col(), ARow, ACol, Ignored);
            SetSelection(TGridRect{ACol, ARow, ACol, ARow});
            if (CanFocus()) SetFocus();
            if (Options().Contains(goEditing)) return;
        }
    }
    // Expand buttons.
    if (HasExpand(RealCol, ARow)) {
        HideInplaceEdit();
        if (!IsFixed(ACol, ARow)) {
            TFlagScope Forced(FForceSel, true);
            AllowSelectCell(ACol, ARow);
        }
        if (InRect(GetExpandRect(ACol, ARow), X, Y)) {
            PushButton(ACol, ARow, true);
            FPushedCellButton = TPoint(ACol, ARow);
            DoClickCell(ARow, ACol);
            SetMouseCapture(true);
        }
        return;
    }

    const bool HasCombo = ACol >= FixedCols() && ARow >= FixedRows() && ControlLook()->DropDownAlwaysVisible() &&
                          DoHasComboBox(RealCol, ARow, edNone);
    if (IsMergedCell(ACol, ARow) && !IsFixed(ACol, ARow) && !OnMouseDown && !HasCombo) {
        // The platform grid selects the base cell of the merged area.
        X = CellR.Left + 2;
        Y = CellR.Top + 2;
        Message.LParam = MAKELPARAM(X, Y);
    }
    if (ACol >= ColCount() || ARow >= RowCount() || ACol < 0 || ARow < 0) {
        StandardMouseHandling(Message);
        return;
    }

    // Selection bookkeeping and links.
    if (FColClicked >= 0 && FRowClicked >= 0) {
        const TRect R = CellRect(FColClicked, FRowClicked);
        FClickPosD = TPoint(FClickPos.X - R.Right, FClickPos.Y - R.Bottom);
    } else {
        FClickPosD = FClickPos;
    }
    if (FSelHidden) FSelHidden = false;
    if (!DisjunctPressBookkeeping(Message, ACol, ARow, OldSelection, true)) return;

    const String Text = GridCells(RealCol, ARow);
    const bool IsHTML = GetCellTextKind(Text, EnableHTML()) == ctHTML;
    if (URLShow() || IsHTML) {
        String Anchor, CtrlID, CtrlType, CtrlValue;
        if (!IsHTML) {
            if (IsURLText(Text)) Anchor = Text;
        } else {
            AnchorAt(ACol, ARow, X, Y, Anchor, CtrlID, CtrlType, CtrlValue);
        }
        if (!Anchor.empty()) {
            PressOnAnchor(PressCol, PressRow, RealCol, Anchor, CtrlID, CtrlType, CtrlValue);
            return;
        }
        if (IsHTML && HasMarkupControl(Text)) {
            DoClickCell(PressRow, PressCol);
            HideInplaceEdit();
            SetSelection(TGridRect{ACol, ARow, ACol, ARow});
            if (!Options().Contains(goRowSelect) && !MA.RowSelect) return;
        }
    }
    PressOnCell(Message, ACol, ARow, X, Y, Shift, OldSelection, FixedByEvent, DirectAllowed, RangeEditOff);
}

void TZirOvararIzazInput::PressOnAnchor(Integer ACol, Integer ARow, Integer RealCol, const String& Anchor,
                                        const String& CtrlID, const String& CtrlType, const String& CtrlValue) {
    bool AutoHandle = true;
    bool CanEditCell = (Options().Contains(goEditing) || FEditDisable) && !ReadOnly(ACol, ARow);
    FCtrlDownId = CtrlID;
    FAnchorClick = true;
    if (!CtrlID.empty()) DoCanEditCell(ACol, ARow, CanEditCell);
    if (!CtrlID.empty() && CanEditCell) {
        String Text = GridCells(RealCol, ARow);
        if (CtrlType == u"BUTTON") {
            FCtrlXY = TPoint(RealCol, ARow);
            FCtrlDown = true;
            RepaintCell(ACol, ARow);
        } else if (CtrlType == u"CHECK") {
            String Value;
            GetMarkupControlValue(Text, CtrlID, Value);
            SetMarkupControlValue(Text, CtrlID, UpperCase(Value) == u"TRUE" ? u"FALSE" : u"TRUE");
            SetCells(RealCol, ARow, Text);
        } else if (CtrlType == u"RADIO") {
            Text = ClearMarkupRadios(Text);
            SetMarkupControlValue(Text, CtrlID, u"TRUE");
            SetCells(RealCol, ARow, Text);
        }
        String Value = CtrlValue;
        GetMarkupControlValue(GridCells(RealCol, ARow), CtrlID, Value);
        if (OnControlClick) OnControlClick(this, ARow, ACol, CtrlID, CtrlType, Value);
        AutoHandle = false;
    } else {
        if (OnAnchorClick) OnAnchorClick(this, ARow, ACol, Anchor, AutoHandle);
    }
    if (!AutoHandle) return;
    const String Upper = UpperCase(Anchor);
    const auto At = Upper.find(u"CELL://");
    if (At == String::npos) {
        if (IsWebOrMailLink(Anchor)) os::ShellOpen(Anchor);
        return;
    }
    TPoint P;
    if (ParseRCReference(Anchor.substr(At + 7), P) && P.X >= 0 && P.Y >= 0 && P.X < ColCount() &&
        P.Y < RowCount()) {
        // Scrolled to the middle first: once current, the cell would count
        // as shown already.
        ScrollInView(P.X, P.Y, spMiddle);
        SetRow(P.Y);
        SetCol(P.X);
    }
}

void TZirOvararIzazInput::PressOnCell(TMessage& Message, Integer ACol, Integer ARow, Integer X, Integer Y,
                                      TShiftState Shift, const TGridRect& OldSelection, bool FixedByEvent,
                                      bool DirectAllowed, bool RangeEditOff) {
    const TMouseActionsSettings& MA = MouseActions()->Settings();
    const Integer RealCol = RealColIndex(ACol);
    const TRect CellR = CellRect(ACol, ARow);
    const Integer LeftColAtPress = FPressLeftCol, TopRowAtPress = FPressTopRow;

    if (!DisjunctPressBookkeeping(Message, ACol, ARow, OldSelection, false)) return;
    FMoveCell = -1;

    // Select all from the fixed corner.
    if ((ACol == 0 || (ACol < FixedCols() && MA.AllSelectAllFixedColumns)) && ARow < FixedRows() &&
        MA.AllSelect && (Options().Contains(goRangeSelect) || MA.DisjunctRowSelect) && FMouseSelectMode == msAll) {
        const Integer OldTop = Selection().Top, OldLeft = Selection().Left;
        if (CanFocus()) SetFocus();
        ExportNotification(esExportStart, -1);
        ExportNotification(esExportNewRow, RowCount() - 1);
        ExportNotification(esExportFail, -1);
        HideSelection();
        TGridRect NewSel{FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1};
        SelectionChanging(NewSel);
        SetSelection(NewSel);
        if (MA.DisjunctRowSelect)
            for (Integer r = FixedRows(); r <= RowCount() - FixedFooters() - 1; ++r) SetRowSelect(r, true);
        FSelHidden = false;
        DoExit();
        if (ActiveCellShow()) RepaintActiveHeaders(OldLeft, OldTop, ACol, ARow);
    }
    // A row from a fixed column.
    if (ACol < FixedCols() && ARow >= FixedRows() && MA.RowSelect && FMouseSelectMode == msRow) {
        const Integer OldTop = Selection().Top, OldLeft = Selection().Left;
        if (FEditMode && CanFocus()) SetFocus();
        if (MA.DisjunctRowSelect && Shift.Contains(ssCtrl)) {
            SetRowSelect(ARow, !RowSelect(ARow));
        } else {
            if (MA.DisjunctRowSelect) ClearRowSelectList();
            HideSelection();
            if (MA.DisjunctCellSelect && FSelectedCells) FSelectedCells->Clear();
            if (Shift.Contains(ssShift)) {
                SetSelection(Normalised(FixedCols(), ARow, ColCount() - 1, OldTop));
            } else {
                bool Allow = true;
                if (Row() != ARow && OnRowChanging) OnRowChanging(this, OldTop, ARow, Allow);
                if (Allow) {
                    SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, ARow});
                    if (MA.DisjunctRowSelect) SelectionToRowSelect(false);
                }
            }
            FSelHidden = false;
            DoExit();
            FMouseSelectStart = ARow;
        }
        if (ActiveCellShow()) RepaintActiveHeaders(OldLeft, OldTop, ACol, ARow);
        if (!RowIndicator()->Empty()) RepaintCol(0);
    }
    // A column from a fixed row.
    if (ACol >= FixedCols() && ARow < FixedRows() && MA.ColSelect && Options().Contains(goRangeSelect) &&
        FMouseSelectMode == msColumn) {
        const TGridRect Cur = Selection();
        const Integer OldTop = Cur.Top, OldLeft = Cur.Left;
        if (CanFocus()) SetFocus();
        HideSelection();
        if (MA.DisjunctCellSelect && FSelectedCells) FSelectedCells->Clear();
        if (Shift.Contains(ssShift))
            SetSelection(ACol < Cur.Left ? TGridRect{ACol, FixedRows(), Cur.Right, RowCount() - 1}
                                         : TGridRect{OldLeft, FixedRows(), ACol, RowCount() - 1});
        else
            SetSelection(TGridRect{ACol, FixedRows(), ACol, RowCount() - 1});
        FSelHidden = false;
        DoExit();
        FMouseSelectStart = ACol;
        if (ActiveCellShow()) RepaintActiveHeaders(OldLeft, OldTop, ACol, ARow);
    }
    if (ARow < FixedRows() && ACol >= FixedCols()) FMoveCell = ACol;
    if (ACol < FixedCols() && ARow >= FixedRows()) FMoveCell = ARow;
    FMoveOfs = TPoint(X - CellR.Left, Y - CellR.Top);

    // Check boxes and radio buttons.
    bool CanEdit = Options().Contains(goEditing) || MA.RangeSelectAndEdit || FEditDisable;
    DoCanEdit(RealCol, ARow, CanEdit);
    const bool IsRadioButton = HasRadioButton(RealCol, ARow);
    const bool AlwaysActive =
        IsRadioButton ? ControlLook()->RadioAlwaysActive() : ControlLook()->CheckAlwaysActive();
    const bool Inside = ACol < ColCount() && ARow < RowCount();
    if (Inside && (CanEdit || AlwaysActive || (ACol == 0 && MA.HotmailRowSelect)) &&
        (HasCheckBox(RealCol, ARow) || IsRadioButton)) {
        const bool Keep = Options().Contains(goRowSelect) && Navigation()->Settings().KeepHorizScroll;
        if (Keep) BeginUpdate();
        if (FEditDisable) {
            SetOptions(WithOption(Options(), goEditing, true));
            FEditDisable = false;
        }
        HideInplaceEdit();
        if (CanFocus()) SetFocus();
        const Integer RealRow = RealRowIndex(ARow);
        bool Changed = true;
        const bool InBox = IsInCheckBox(RealCol, ARow, X, Y);
        if (InBox) {
            if (IsRadioButton) {
                DoToggleRadioButton(RealCol, ARow, true);
                if (OnRadioButtonClick) OnRadioButtonClick(this, RealCol, ARow);
            } else {
                Changed = DoToggleCheckBox(RealCol, ARow, true) || (ARow < FixedRows() && MA.CheckAllCheck);
            }
        }
        if (Changed) {
            if (ShowModified()->Enabled()) {
                SetRowModified(ARow, true);
                RepaintCell(0, ARow);
            }
            if (ACol == 0 && MA.HotmailRowSelect) {
                SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, ARow});
                SetRowSelect(RealRow, !RowSelect(RealRow));
                if (RealRow != ARow) RepaintCell(0, ARow);
                if (ARow == Row() && !RowSelect(RealRow)) {
                    if (!Shift.Contains(ssCtrl)) HideSelection();
                    FSelHidden = false;
                }
            }
            bool State = false;
            GetCheckBoxState(RealCol, RealRow, State);
            if (!Navigation()->Settings().AlwaysEdit && ACol >= FixedCols() && ARow >= FixedRows())
                MoveColRow(ACol, ARow, true, true);
            if (InBox) DoCheckBoxClick(ACol, ARow, State);
            if (HideFocusRect()) RepaintCell(ACol, ARow);
            if (ARow < FixedRows() && MA.CheckAllCheck && InBox) {
                if (MA.HotmailRowSelect) {
                    for (Integer r = FixedRows(); r < RowCount(); ++r) SetRowSelect(RealRowIndex(r), State);
                } else {
                    for (Integer r = FixedRows(); r < RowCount(); ++r) {
                        const Integer R = HasDataCheckBox(RealCol, r) ? r : RealRowIndex(r);
                        if (!IsSuppressedRow(r)) SetCheckBoxState(RealCol, R, State);
                    }
                    if (OnCheckBoxChange) OnCheckBoxChange(this, RealCol, ARow, State);
                }
                Invalidate();
            }
        }
        FireMouseDown(mbLeft, HeldModifiers(), X, Y);
        Click();
        if (Keep) {
            SetLeftCol(LeftColAtPress);
            EndUpdate();
        }
        return;
    }

    // The always-visible edit button.
    if (ACol >= FixedCols() && ARow >= FixedRows() && ControlLook()->DropDownAlwaysVisible() &&
        DoHasEditBtn(RealCol, ARow, edNone)) {
        const TRect B(CellR.Right - ControlLook()->DropDownButtonWidth() - 2, CellR.Top, CellR.Right - 2,
                      CellR.Bottom);
        if (InRect(B, X, Y)) {
            HideInplaceEdit();
            AllowSelectCell(ACol, ARow);
            SetCol(ACol);
            SetRow(ARow);
            FocusCell(ACol, ARow);
            ShowInplaceEdit();
            if (OnEllipsClick) {
                String Value = Cells(RealCol, ARow);
                OnEllipsClick(this, ACol, ARow, Value);
                if (FEditMode && EditCtrl() && Value != EditCtrl()->Text())
                    EditCtrl()->SetText(Value);
                else
                    SetCells(RealCol, ARow, Value);
                if (CanFocus()) SetFocus();
                ShowInplaceEdit();
                return;
            }
        }
    }

    // Direct editing.
    const bool HasCombo = ACol >= FixedCols() && ARow >= FixedRows() && ControlLook()->DropDownAlwaysVisible() &&
                          DoHasComboBox(RealCol, ARow, edNone);
    if (ACol >= FixedCols() && ARow >= FixedRows() && (CanEdit || (MA.EditOnDblClickOnly && HasCombo)) &&
        ((MA.DirectEdit && DirectAllowed) || (ControlLook()->DropDownAlwaysVisible() && HasCombo))) {
        if (FEditMode) {
            const bool SavedAlways = FAlwaysValidate;
            FAlwaysValidate = false;
            if (MA.DirectEdit) EndSpecialEdit(Col(), Row());
            const String Value = Cells(RealColIndex(Col()), Row());
            if (MA.DirectEdit) FEditMode = false;
            const bool Ok = ValidateCell(Value);
            FAlwaysValidate = SavedAlways;
            if (!Ok) return;
        }
        if (MA.EditOnDblClickOnly && HasCombo) FEditActive = false;
        bool Allow = true;
        if (OnSelectCell) OnSelectCell(this, ACol, ARow, Allow);
        if (Allow) {
            bool Allow2 = true;
            if (OnCellChanging) OnCellChanging(this, Row(), Col(), ARow, ACol, Allow2);
            if (Row() != ARow && OnRowChanging) OnRowChanging(this, Row(), ARow, Allow2);
            if (Col() != ACol && OnColChanging) OnColChanging(this, Col(), ACol, Allow2);
            if (Allow2) {
                auto Saved = OnSelectCell;
                OnSelectCell = nullptr;
                HideInplaceEdit();
                FocusCell(ACol, ARow);
                OnSelectCell = Saved;
                if (ActiveRowShow()) Invalidate();
            }
        }
        if (CanFocus()) SetFocus();
    }

    const TPoint Base = BaseCell(RealCol, ARow);
    const TGridRect S = Selection();
    const bool SameCell = InRect(CellR, X, Y) && S.Left == RealToDisplColumn(Base.X) && S.Right == S.Left &&
                          S.Top == Base.Y && S.Bottom == S.Top;
    if (!SameCell && MA.RangeSelectAndEdit && !IsFixed(ACol, ARow) && !CanEdit) {
        RangeEditOff = true;
        SetOptions(WithOption(Options(), goEditing, false));
    }
    if (FixedByEvent) {
        if (!(ARow == RowCount() - 1 && FloatingFooter()->Visible() &&
              FloatingFooter()->FooterStyle() == fsFixedLastRow))
            DoClickCell(ARow, ACol);
        return;
    }

    // Every other cell: the platform grid's own handling.
    const bool AtEdge = ARow == TopRow() + VisibleRowCount() || ACol == LeftCol() + VisibleColCount() ||
                        (ACol == LeftCol() && LeftCol() > FixedCols());
    if (!CanEdit && ACol == Col() && ARow == Row()) {
        FireMouseDown(mbLeft, Shift, X, Y);
        AllowSelectCell(ACol, ARow);
        DoClickCell(ARow, ACol);
        return;
    }
    const bool Keep = Options().Contains(goRowSelect) && Navigation()->Settings().KeepHorizScroll;
    if (Keep) BeginUpdate();
    try {
        if (!FSelHidden) {
            const bool SavedAlwaysEdit = Navigation()->Settings().AlwaysEdit;
            Navigation()->PlainSettings().AlwaysEdit = false;
            try {
                StandardMouseHandling(Message);
            } catch (...) {
                Navigation()->PlainSettings().AlwaysEdit = SavedAlwaysEdit;
                throw;
            }
            Navigation()->PlainSettings().AlwaysEdit = SavedAlwaysEdit;
        }
        if (GridState() == gsSelecting && AtEdge && MA.NoAutoRangeScroll) SetGridState(gsNormal);
        // A partly shown row or column scrolled into view: the view goes
        // back and the press ends here, without a synthetic release.
        if (TopRow() != TopRowAtPress && MA.NoScrollOnPartialRow) {
            SetTopRow(TopRowAtPress + MA.PartialScrollDelta);
            EndPressState();
        }
        if (LeftCol() != LeftColAtPress && MA.NoScrollOnPartialCol) {
            SetLeftCol(LeftColAtPress + MA.PartialScrollDelta);
            EndPressState();
        }
    } catch (...) {
        if (Keep) {
            SetLeftCol(LeftColAtPress);
            EndUpdate();
        }
        throw;
    }
    if (Keep) {
        SetLeftCol(LeftColAtPress);
        EndUpdate();
    }
    if (!(ARow < FixedRows() && Options().Contains(goColSizing) &&
          (X < CellR.Left + 4 || X > CellR.Right - 4)))
        DoClickCell(ARow, ACol);
    if (OnCellValidate) SaveOldCellText(Col(), Row());
    if (IsMergedCell(ACol, ARow) && !IsFixed(ACol, ARow) && (SameCell || MA.DirectEdit) && CanEdit)
        ShowInplaceEdit();
    if (X > CellR.Left + 3 && X < CellR.Right - 3) {
        if (ACol >= FixedCols() && ARow >= FixedRows() && (CanEdit || (MA.EditOnDblClickOnly && HasCombo)) &&
            (MA.DirectEdit || (ControlLook()->DropDownAlwaysVisible() && CanEdit && HasCombo)) &&
            !IsControlCell(RealCol, ARow)) {
            if (MA.EditOnDblClickOnly && HasCombo && !Options().Contains(goEditing)) {
                SetOptions(WithOption(Options(), goEditing, true));
                if (CanFocus()) SetFocus();
            }
            bool Allow = true;
            if (Col() != ACol && OnColChanging) OnColChanging(this, Col(), ACol, Allow);
            if (Row() != ARow && OnRowChanging) OnRowChanging(this, Row(), ARow, Allow);
            if (!(ACol == Col() && ARow == Row()) && OnCellChanging)
                OnCellChanging(this, Row(), Col(), ARow, ACol, Allow);
            if (Allow) {
                TPoint Target(ACol, ARow);
                const Integer PressCol = FMouseDownPt.X, PressRow = FMouseDownPt.Y;
                if (PressCol >= 0 && PressRow >= 0 && IsBaseCell(RealColIndex(PressCol), PressRow))
                    Target = TPoint(PressCol, PressRow);
                {
                    TFlagScope Forced(FForceSel, true);
                    SetSelection(TGridRect{Target.X, Target.Y, Target.X, Target.Y});
                }
                SaveOldCellText(Target.X, Target.Y);
                ShowEditor();
            }
        }
        if (RangeEditOff) SetGridState(gsSelecting);
    }
}

void TZirOvararIzazInput::SelectRadioItemAt(Integer ACol, Integer ARow, Integer X, Integer Y) {
    TCanvas* Cv = Canvas();
    if (Cv) DoGetCellColor(ACol, ARow, TGridDrawState(), Cv->Brush(), Cv->Font());
    const TPoint Base = BaseCell(ACol, ARow);
    const Integer C = Base.X, R = Base.Y;
    TCellGraphic* G = GetCellGraphic(C, R);
    const Integer DisplayCol = RealToDisplColumn(C);
    if (!IsFixed(DisplayCol, R)) FocusCell(DisplayCol, R);
    const auto Style = ControlLook()->ControlStyle();
    const Integer Box =
        Style == ZirOvararIzaz::csClassic || Style == ZirOvararIzaz::csFlat ? ControlLook()->RadioSize() : 16;
    TStrings* Items = GetRadioStrings(C, R);
    Integer Chosen = -1;
    if (G && Items && Cv) {
        if (G->CellBoolean()) {
            Integer Start = 0;
            for (Integer i = 0; i < Items->Count() && Chosen < 0; ++i) {
                const Integer End = Start + Cv->TextWidth(Items->Strings(i)) + Box;
                if (X > Start && X < End) Chosen = i;
                Start = End;
            }
        } else {
            const Integer H = std::max(Box, Cv->TextHeight(u"gh"));
            for (Integer i = 0; i < Items->Count() && Chosen < 0; ++i)
                if (Y > i * H && Y < (i + 1) * H) Chosen = i;
        }
    }
    if (Chosen >= 0) {
        SetCells(C, R, Items->Strings(Chosen));
        if (G->CellIndex() != -1) G->SetCellIndex(Chosen);
        SetRadioIdx(C, R, Chosen);
        if (OnRadioClick) OnRadioClick(this, DisplayCol, R, Chosen);
    }
    RepaintCell(DisplayCol, R);
}
