// The grid's messages, keyboard navigation, mouse selection, column and
// row sizing and moving, and its in-place editor.

#include "vcl/Grids.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/ScrollBar.h"
#include "windowing/Timers.h"

#include <algorithm>

using namespace winapi;

namespace {

// How near (in pixels) to a column's right or a row's bottom edge a press starts sizing it.
constexpr Integer SizingMargin = 2;
// The timer that scrolls while a drag goes beyond the cells, and its pace.
constexpr NativeUInt ScrollTimerId = 1;
constexpr Cardinal ScrollTimerInterval = 60;

} // namespace

void TCustomGrid::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE: {
        Integer Code = DLGC_WANTARROWS;
        if (FOptions.Contains(goTabs)) Code |= DLGC_WANTTAB;
        if (FOptions.Contains(goEditing)) Code |= DLGC_WANTCHARS;
        Message.Result = Code;
        return;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
        HandleScroll(Message.Msg == WM_VSCROLL, LOWORD(Message.WParam), HIWORD(Message.WParam));
        Message.Result = 0;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        InvalidateRange(Selection());
        return;
    case WM_TIMER:
        if (FScrollTimer && Message.WParam == ScrollTimerId) {
            TimedScroll();
            return;
        }
        TCustomControl::WndProc(Message);
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

bool TCustomGrid::SelectCell(Integer, Integer) {
    return true;
}

// ---- Keyboard ----------------------------------------------------------------------------------------

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    const bool Ctrl = Shift.Contains(ssCtrl);
    const bool RowSelect = FOptions.Contains(goRowSelect);
    bool Extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
    TGridCoord Target = FCurrent;
    switch (Key) {
    case VK_UP:
        --Target.Y;
        break;
    case VK_DOWN:
        ++Target.Y;
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        Integer Step = Key == VK_LEFT ? -1 : 1;
        if (RowSelect) {
            SetLeftCol(LeftCol() + Step);
            return;
        }
        Target.X += Step;
        break;
    }
    case VK_NEXT:
        if (Ctrl) {
            Target.Y = TopRow() + VisibleRowCount() - 1;
        } else {
            Target.Y += VisibleRowCount();
            SetTopRow(TopRow() + VisibleRowCount());
        }
        break;
    case VK_PRIOR:
        if (Ctrl) {
            Target.Y = TopRow();
        } else {
            Target.Y -= VisibleRowCount();
            SetTopRow(TopRow() - VisibleRowCount());
        }
        break;
    case VK_HOME:
        if (Ctrl || RowSelect) Target.Y = FFixedRows;
        if (!RowSelect) Target.X = FFixedCols;
        break;
    case VK_END:
        if (Ctrl || RowSelect) Target.Y = FRowCount - 1;
        if (!RowSelect) Target.X = FColCount - 1;
        break;
    case VK_TAB:
        if (!FOptions.Contains(goTabs) || Shift.Contains(ssAlt)) return;
        Extend = false;
        if (!Shift.Contains(ssShift)) {
            if (Target.X < FColCount - 1) {
                ++Target.X;
            } else if (Target.Y < FRowCount - 1) {
                Target.X = FFixedCols;
                ++Target.Y;
            }
        } else if (Target.X > FFixedCols) {
            --Target.X;
        } else if (Target.Y > FFixedRows) {
            Target.X = FColCount - 1;
            --Target.Y;
        }
        break;
    case VK_F2:
        SetEditorMode(true);
        return;
    case VK_ESCAPE:
        // Escape gives up the edit: the cell keeps the text it had.
        if (FEditorMode && FInplaceEdit && FInplaceEdit->Visible()) {
            FInplaceEdit->UpdateContents();
            HideEditor();
        }
        return;
    default:
        return;
    }
    Target.X = std::clamp(Target.X, FFixedCols, FColCount - 1);
    Target.Y = std::clamp(Target.Y, FFixedRows, FRowCount - 1);
    if (!(Target == FCurrent)) MoveColRow(Target.X, Target.Y, !Extend, true);
}

void TCustomGrid::KeyPress(Char& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == 0 || !FOptions.Contains(goEditing)) return;
    if (Key == u'\r') {
        if (!FOptions.Contains(goAlwaysShowEditor)) {
            if (FEditorMode)
                HideEditor();
            else
                ShowEditor();
        }
        return;
    }
    if (Key >= u' ' && !FEditorMode) {
        ShowEditor();
        // The typed character starts the editor's text.
        if (FInplaceEdit && FInplaceEdit->HandleAllocated())
            PostMessage(FInplaceEdit->Handle(), WM_CHAR, Key, 0);
    }
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
    if (FCurrent.Y < FRowCount - 1) SetRow(FCurrent.Y + 1);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
    if (FCurrent.Y > FFixedRows) SetRow(FCurrent.Y - 1);
    return true;
}

// ---- Mouse -------------------------------------------------------------------------------------------

void TCustomGrid::CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                                  Integer& SizingOfs) {
    State = gsNormal;
    Index = -1;
    // An edge of a shown column (row) within the fixed rows (columns).
    auto FindEdge = [&](const TAxis& Axis, Integer Pos) {
        for (Integer I = 0; I <= Axis.LastShown(); ++I) {
            if (I >= Axis.FixedCount && I < Axis.First) continue;
            Integer Start = Axis.Start(I);
            if (Start < 0 || Axis.Size(I) == 0) continue;
            Integer Edge = Start + Axis.Size(I);
            if (Pos >= Edge - SizingMargin && Pos <= Edge + Axis.LineWidth + SizingMargin) {
                Index = I;
                SizingPos = Start;
                SizingOfs = Edge - Pos;
                return true;
            }
        }
        return false;
    };
    TAxis H = Horz();
    TAxis V = Vert();
    if (FOptions.Contains(goColSizing) && Y < V.FixedExtent() && FindEdge(H, X))
        State = gsColSizing;
    else if (FOptions.Contains(goRowSizing) && X < H.FixedExtent() && FindEdge(V, Y))
        State = gsRowSizing;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (Button == mbLeft && !ComponentState().Contains(csDesigning)) {
        if (CanFocus() && !Focused()) SetFocus();
        TGridState State;
        CalcSizingState(X, Y, State, FSizingIndex, FSizingPos, FSizingOfs);
        TGridCoord Cell = MouseCoord(X, Y);
        if (State != gsNormal) {
            FGridState = State;
        } else if (Cell.X >= 0) {
            bool InFixedRow = Cell.Y < FFixedRows;
            bool InFixedCol = Cell.X < FFixedCols;
            if (InFixedRow && !InFixedCol && FOptions.Contains(goColMoving)) {
                FGridState = gsColMoving;
                FMoveIndex = Cell.X;
            } else if (InFixedCol && !InFixedRow && FOptions.Contains(goRowMoving)) {
                FGridState = gsRowMoving;
                FMoveIndex = Cell.Y;
            } else if (!InFixedRow && !InFixedCol) {
                bool WasCurrent = Cell == FCurrent;
                bool Extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
                MoveColRow(Cell.X, Cell.Y, !Extend, true);
                FGridState = gsSelecting;
                if (WasCurrent && !Extend && FOptions.Contains(goEditing) && Cell == FCurrent) ShowEditor();
            }
        }
        if (FGridState != gsNormal) {
            SetMouseCapture(true);
            StartScrollTimer();
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    if (FGridState == gsSelecting) {
        TGridCoord Cell = MouseCoord(X, Y);
        if (Cell.X >= FFixedCols && Cell.Y >= FFixedRows && !(Cell == FCurrent))
            MoveColRow(Cell.X, Cell.Y, false, true);
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (Button == mbLeft && FGridState != gsNormal) EndMouseState(X, Y);
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::EndMouseState(Integer X, Integer Y) {
    TGridState State = FGridState;
    FGridState = gsNormal;
    StopScrollTimer();
    SetMouseCapture(false);
    switch (State) {
    case gsColSizing:
        SetColWidths(FSizingIndex, X + FSizingOfs - FSizingPos);
        break;
    case gsRowSizing:
        SetRowHeights(FSizingIndex, Y + FSizingOfs - FSizingPos);
        break;
    case gsColMoving: {
        Integer Target = Horz().IndexAt(X);
        if (Target >= FFixedCols && Target != FMoveIndex) MoveColumn(FMoveIndex, Target);
        break;
    }
    case gsRowMoving: {
        Integer Target = Vert().IndexAt(Y);
        if (Target >= FFixedRows && Target != FMoveIndex) MoveRow(FMoveIndex, Target);
        break;
    }
    default:
        break;
    }
}

// ---- Scrolling while dragging beyond the cells ----

void TCustomGrid::StartScrollTimer() {
    if (FScrollTimer || !HandleAllocated()) return;
    FScrollTimer = SetTimer(Handle(), ScrollTimerId, ScrollTimerInterval, nullptr) != 0;
}

void TCustomGrid::StopScrollTimer() {
    if (!FScrollTimer) return;
    FScrollTimer = false;
    if (HandleAllocated()) KillTimer(Handle(), ScrollTimerId);
}

// One step towards the mouse when it stands before the scrollable cells or
// beyond the client area; a selection follows to the cell at that edge.
void TCustomGrid::TimedScroll() {
    if (FGridState == gsNormal) {
        StopScrollTimer();
        return;
    }
    TPoint Mouse;
    GetCursorPos(Mouse);
    Mouse = ScreenToClient(Mouse);
    TAxis H = Horz();
    TAxis V = Vert();
    bool Rows = FGridState != gsColSizing && FGridState != gsColMoving;
    bool Cols = FGridState != gsRowSizing && FGridState != gsRowMoving;
    Integer StepX = 0, StepY = 0;
    if (Cols) StepX = Mouse.X < H.FixedExtent() ? -1 : Mouse.X >= ClientWidth() ? 1 : 0;
    if (Rows) StepY = Mouse.Y < V.FixedExtent() ? -1 : Mouse.Y >= ClientHeight() ? 1 : 0;
    if (StepX == 0 && StepY == 0) return;
    if (StepX != 0) SetLeftCol(std::clamp(LeftCol() + StepX, FFixedCols, std::max(Horz().MaxFirst(), FFixedCols)));
    if (StepY != 0) SetTopRow(std::clamp(TopRow() + StepY, FFixedRows, std::max(Vert().MaxFirst(), FFixedRows)));
    if (FGridState != gsSelecting) return;
    TGridCoord Target = FCurrent;
    if (StepX < 0) Target.X = LeftCol();
    if (StepX > 0) Target.X = std::min(LeftCol() + VisibleColCount() - 1, FColCount - 1);
    if (StepY < 0) Target.Y = TopRow();
    if (StepY > 0) Target.Y = std::min(TopRow() + VisibleRowCount() - 1, FRowCount - 1);
    if (!(Target == FCurrent)) MoveColRow(Target.X, Target.Y, false, false);
}

// ---- Moving columns and rows -------------------------------------------------------------------------

void TCustomGrid::MoveSizes(std::vector<Integer>& Sizes, Integer DefaultSize, Integer Count, Integer From,
                            Integer To) {
    if (Sizes.empty()) return; // every size is the default
    Sizes.resize(Count, DefaultSize);
    auto First = Sizes.begin();
    if (From < To)
        std::rotate(First + From, First + From + 1, First + To + 1);
    else
        std::rotate(First + To, First + From, First + From + 1);
}

namespace {

// Where an index ends up when the item at From moves to To.
Integer MovedIndex(Integer Index, Integer From, Integer To) {
    if (Index == From) return To;
    if (From < To && Index > From && Index <= To) return Index - 1;
    if (From > To && Index >= To && Index < From) return Index + 1;
    return Index;
}

} // namespace

void TCustomGrid::MoveColumn(Integer FromIndex, Integer ToIndex) {
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount)
        throw EInvalidGridOperation(u"Grid index out of range");
    if (FromIndex == ToIndex) return;
    MoveSizes(FColWidths, FDefaultColWidth, FColCount, FromIndex, ToIndex);
    FCurrent.X = std::max(MovedIndex(FCurrent.X, FromIndex, ToIndex), FFixedCols);
    FAnchor.X = std::max(MovedIndex(FAnchor.X, FromIndex, ToIndex), FFixedCols);
    ColumnMoved(FromIndex, ToIndex);
    ColWidthsChanged();
}

void TCustomGrid::MoveRow(Integer FromIndex, Integer ToIndex) {
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount)
        throw EInvalidGridOperation(u"Grid index out of range");
    if (FromIndex == ToIndex) return;
    MoveSizes(FRowHeights, FDefaultRowHeight, FRowCount, FromIndex, ToIndex);
    FCurrent.Y = std::max(MovedIndex(FCurrent.Y, FromIndex, ToIndex), FFixedRows);
    FAnchor.Y = std::max(MovedIndex(FAnchor.Y, FromIndex, ToIndex), FFixedRows);
    RowMoved(FromIndex, ToIndex);
    RowHeightsChanged();
}

void TCustomGrid::DeleteColumn(Integer ACol) {
    MoveColumn(ACol, FColCount - 1);
    SetColCount(FColCount - 1);
    ColumnDeleted(FColCount);
}

void TCustomGrid::DeleteRow(Integer ARow) {
    MoveRow(ARow, FRowCount - 1);
    SetRowCount(FRowCount - 1);
    RowDeleted(FRowCount);
}

// ---- Row-store block operations ----------------------------------------------------------------------

void TCustomGrid::RowCountChangedByBlock(Integer OldRowCount) {
    if (FRowCount <= FFixedRows) FFixedRows = FRowCount - 1;
    if (Integer(FRowHeights.size()) > FRowCount) FRowHeights.resize(FRowCount);
    FCurrent.Y = std::clamp(FCurrent.Y, FFixedRows, FRowCount - 1);
    FAnchor.Y = std::clamp(FAnchor.Y, FFixedRows, FRowCount - 1);
    if (OldRowCount != FRowCount) SizeChanged(FColCount, OldRowCount);
    AfterSizesChanged();
}

void TCustomGrid::InsertRowBlock(Integer Index, Integer Count) {
    if (Index < 0 || Index > FRowCount || Count < 0) throw EInvalidGridOperation(u"Grid index out of range");
    if (Count == 0) return;
    // A size list shorter than the index holds only rows that follow the
    // default, and so do the new ones.
    if (Integer(FRowHeights.size()) > Index) FRowHeights.insert(FRowHeights.begin() + Index, size_t(Count), FDefaultRowHeight);
    const Integer Old = FRowCount;
    FRowCount += Count;
    RowCountChangedByBlock(Old);
}

void TCustomGrid::DeleteRowBlock(Integer Index, Integer Count) {
    if (Index < 0 || Count < 0 || Index + Count > FRowCount) throw EInvalidGridOperation(u"Grid index out of range");
    if (Count == 0) return;
    if (Count >= FRowCount) throw EInvalidGridOperation(u"A grid keeps at least one row");
    if (Integer(FRowHeights.size()) > Index)
        FRowHeights.erase(FRowHeights.begin() + Index,
                          FRowHeights.begin() + std::min<Integer>(Index + Count, Integer(FRowHeights.size())));
    const Integer Old = FRowCount;
    FRowCount -= Count;
    RowCountChangedByBlock(Old);
}

void TCustomGrid::MoveRowBlock(Integer From, Integer Count, Integer To) {
    if (From < 0 || Count < 0 || To < 0 || From + Count > FRowCount || To + Count > FRowCount)
        throw EInvalidGridOperation(u"Grid index out of range");
    if (Count == 0 || From == To) return;
    if (!FRowHeights.empty()) {
        FRowHeights.resize(FRowCount, FDefaultRowHeight);
        auto First = FRowHeights.begin();
        if (From < To)
            std::rotate(First + From, First + From + Count, First + To + Count);
        else
            std::rotate(First + To, First + From, First + From + Count);
    }
    AfterSizesChanged();
}

void TCustomGrid::PermuteRows(Integer First, const std::vector<Integer>& Order) {
    const Integer N = Integer(Order.size());
    if (First < 0 || First + N > FRowCount) throw EInvalidGridOperation(u"Grid index out of range");
    if (!FRowHeights.empty()) {
        FRowHeights.resize(FRowCount, FDefaultRowHeight);
        std::vector<Integer> Old(FRowHeights.begin() + First, FRowHeights.begin() + First + N);
        for (Integer i = 0; i < N; ++i) FRowHeights[size_t(First + i)] = Old[size_t(Order[size_t(i)])];
    }
    AfterSizesChanged();
}

// ---- In-place editor ---------------------------------------------------------------------------------

String TCustomGrid::GetEditText(Integer, Integer) {
    return {};
}
void TCustomGrid::SetEditText(Integer, Integer, const String&) {}
String TCustomGrid::GetEditMask(Integer, Integer) {
    return {};
}
Integer TCustomGrid::GetEditLimit() {
    return 0;
}

bool TCustomGrid::CanEditShow() {
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode &&
           !ComponentState().Contains(csDesigning);
}

TInplaceEdit* TCustomGrid::CreateEditor() {
    return new TInplaceEdit(this);
}

void TCustomGrid::SetEditorMode(bool Value) {
    if (Value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor() {
    FEditorMode = true;
    UpdateEditor();
}

void TCustomGrid::HideEditor() {
    if (FInplaceEdit && FInplaceEdit->Visible()) {
        bool HadFocus = FInplaceEdit->HandleAllocated() && FInplaceEdit->Focused();
        SetEditText(FCurrent.X, FCurrent.Y, FInplaceEdit->Text());
        FInplaceEdit->Hide();
        if (HadFocus && CanFocus()) SetFocus();
    }
    FEditorMode = FOptions.Contains(goAlwaysShowEditor) && FOptions.Contains(goEditing);
}

void TCustomGrid::UpdateEditor() {
    if (!FEditorMode) return;
    if (!CanEditShow()) {
        if (FInplaceEdit) FInplaceEdit->Hide();
        return;
    }
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        if (!FInplaceEdit) return;
        FInplaceEdit->FGrid = this;
        FInplaceEdit->FreeNotification(this);
        FInplaceEdit->SetParent(this);
    }
    TRect Loc = CellRect(FCurrent.X, FCurrent.Y);
    if (Loc.IsEmpty()) {
        FInplaceEdit->Hide();
        return;
    }
    FInplaceEdit->UpdateContents();
    FInplaceEdit->Move(Loc);
    if (HandleAllocated() && Focused() && FInplaceEdit->CanFocus()) FInplaceEdit->SetFocus();
}
