// Drag and drop of grid data: the grid as a drop target for text, cell
// streams, columns, rich text, links and files, and as the source of a
// drag of its selection or of a column.

#include "grid/GridCellStreamIO.h"
#include "grid/ZirOvararIzaz.h"
#include "gridbase/OleDragDrop.h"
#include "rtl/Convert.h"
#include "rtl/StringUtils.h"

#include <algorithm>

using namespace winapi;

// ---- The drop target ----

TGridDropTarget::TGridDropTarget(TZirOvararIzaz* AGrid) : FGrid(AGrid) {}

bool TGridDropTarget::DropText(TPoint Point, const String& Text) {
    return FGrid && FGrid->OleDropText(Point, Text);
}
void TGridDropTarget::DropStream(TPoint Point, TStream& Stream) {
    if (FGrid) FGrid->OleDropStream(Point, Stream);
}
void TGridDropTarget::DropCol(TPoint Point, Integer Column) {
    if (FGrid) FGrid->OleDropCol(Point, Column);
}
void TGridDropTarget::DropRTF(TPoint Point, const String& RTF) {
    if (FGrid) FGrid->OleDropCellText(Point, RTF, false);
}
void TGridDropTarget::DropFiles(TPoint Point, TStrings& Files) {
    if (FGrid) FGrid->OleDropFiles(Point, Files);
}
void TGridDropTarget::DropFileContents(TPoint) {}
void TGridDropTarget::DropURL(TPoint Point, const String& URL) {
    if (FGrid) FGrid->OleDropCellText(Point, URL, true);
}
void TGridDropTarget::DragMouseMove(TPoint Point, bool& Allow, TDropFormats Formats) {
    if (FGrid)
        FGrid->OleDragOver(Point, Allow, Formats);
    else
        Allow = false;
}
void TGridDropTarget::DragMouseEnter() {}
void TGridDropTarget::DragMouseLeave() {
    if (FGrid) FGrid->HideDropArrows();
}

TZirOvararIzaz::TDropTargetHolder::~TDropTargetHolder() {
    if (Target) Target->Detach();
}

bool TZirOvararIzaz::RegisterDropTarget() {
    if (!HandleAllocated()) return false;
    if (FDropTarget) return true;
    FDropTarget.Target = std::make_shared<TGridDropTarget>(this);
    if (FAILED(RegisterDragDrop(Handle(), FDropTarget.Target))) {
        FDropTarget->Detach();
        FDropTarget.Target.reset();
        return false;
    }
    return true;
}

void TZirOvararIzaz::RevokeDropTarget() {
    if (!FDropTarget) return;
    if (HandleAllocated()) RevokeDragDrop(Handle());
    // The platform may still hold the target for a drag in progress.
    FDropTarget->Detach();
    FDropTarget.Target.reset();
}

// ---- Positions ----

TPoint TZirOvararIzaz::DropCell(TPoint ScreenPoint, bool& OverCell) {
    const TPoint P = ScreenToClient(ScreenPoint);
    Integer C = -1, R = -1;
    MouseToCell(P.X, P.Y, C, R);
    OverCell = C >= 0 && R >= 0 && C < ColCount() && R < RowCount();
    return TPoint(C, R);
}

bool TZirOvararIzaz::IsAppendPoint(TPoint ScreenPoint, Integer ARow, bool ColumnDrag) {
    const TDragDropSettings* D = DragDropSettings();
    if (ARow >= 0 || ColumnDrag || !D->OleEntireRows() || !D->OleAppendRows()) return false;
    const TPoint P = ScreenToClient(ScreenPoint);
    const TRect Last = CellRect(FixedCols(), RowCount() - 1);
    return P.Y >= Last.Bottom;
}

void TZirOvararIzaz::InsertDropRows(Integer& ARow, Integer Count, bool Append) {
    const Integer Top = TopRow() > FixedRows() ? TopRow() + 1 : TopRow();
    if (Append) {
        SetRowCount(RowCount() + Count);
        ++ARow;
    } else {
        InsertRows(ARow, Count);
    }
    if (Top > 0 && Top < RowCount()) SetTopRow(Top);
}

// ---- Drag over ----

void TZirOvararIzaz::HideDropArrows() {
    for (TArrowWindow* Arrow : {FArrowDown, FArrowUp, FArrowLeft})
        if (Arrow) Arrow->SetVisible(false);
}

TArrowWindow* TZirOvararIzaz::DropArrow(TArrowWindow*& Arrow, TArrowDirection Direction) {
    if (!Arrow && Parent()) Arrow = Create<TArrowWindow>(static_cast<TWinControl*>(Parent()), Direction);
    return Arrow;
}

void TZirOvararIzaz::OleDragOver(TPoint Point, bool& Allow, TDropFormats Formats) {
    const TDragDropSettings* D = DragDropSettings();
    const bool ColumnDrag = Formats.Contains(dfCol);
    bool OverCell = false;
    TPoint Cell = DropCell(Point, OverCell);
    Integer ACol = Cell.X, ARow = Cell.Y;
    const bool Append = IsAppendPoint(Point, OverCell ? ARow : -1, ColumnDrag);
    if (Append) {
        ACol = FixedCols();
        ARow = RowCount() - 1;
        OverCell = true;
    }
    Allow = OverCell;

    if (Allow && !ColumnDrag) {
        const TPoint P = ScreenToClient(Point);
        if ((ARow == 0 && TopRow() > FixedRows()) || (P.Y < 8 && FixedRows() == 0 && TopRow() > 0))
            SetTopRow(TopRow() - 1);
        else if (ARow == TopRow() + VisibleRowCount() && TopRow() + VisibleRowCount() < RowCount())
            SetTopRow(TopRow() + 1);
        if (FDropTicks % 2 == 0) {
            if (ACol == 0 && LeftCol() > FixedCols()) {
                SetLeftCol(LeftCol() - 1);
                ++FDropTicks;
            } else if (ACol == LeftCol() + VisibleColCount() && LeftCol() + VisibleColCount() < ColCount()) {
                SetLeftCol(LeftCol() + 1);
                ++FDropTicks;
            }
        }
    }

    if (!ColumnDrag) {
        if (Allow && ARow < FixedRows() && !(RowCount() == 1 && FixedRowAlways())) Allow = false;
    } else if (!OverCell) {
        ACol = ColCount();
        ARow = 0;
        Allow = true;
    } else if (ARow < FixedRows()) {
        if (ACol < FixedCols()) Allow = false;
    } else {
        Allow = false;
    }

    if (Formats.Contains(dfFile) || Formats.Contains(dfGridCells)) {
        Allow = Allow || Formats.Contains(dfFile);
    } else if ((Formats.Contains(dfURL) || Formats.Contains(dfURI)) && !D->OleAcceptURLs()) {
        Allow = false;
    }

    if (OnOleDragOver) OnOleDragOver(this, ARow, ACol, Allow);

    HideDropArrows();
    if (!Allow) return;
    // The arrows live beside the grid, in its parent's co-ordinates.
    const TPoint Origin(BoundsRect().Left, BoundsRect().Top);
    if (ColumnDrag) {
        const TRect R = CellRect(std::min(ACol, ColCount() - 1), 0);
        const Integer X = Origin.X + (ACol >= ColCount() ? R.Right : R.Left);
        if (TArrowWindow* Down = DropArrow(FArrowDown, arrDown)) {
            Down->SetBounds(X, Origin.Y + R.Top - 8, Down->Width(), Down->Height());
            Down->SetVisible(true);
        }
        if (TArrowWindow* Up = DropArrow(FArrowUp, arrUp)) {
            Up->SetBounds(X, Origin.Y + R.Bottom, Up->Width(), Up->Height());
            Up->SetVisible(true);
        }
    } else if (TArrowWindow* LeftArrow = DropArrow(FArrowLeft, arrLeft)) {
        const bool FixedRowDrop = ARow == 0 && FixedRowAlways();
        const TRect R = CellRect(D->OleEntireRows() ? FixedCols() : std::max(ACol, 0), FixedRowDrop ? 1 : ARow);
        const Integer Y = Append && !FixedRowDrop ? R.Bottom : R.Top;
        LeftArrow->SetBounds(Origin.X + R.Left - 10, Origin.Y + Y, LeftArrow->Width(), LeftArrow->Height());
        LeftArrow->SetVisible(true);
    }
}

// ---- Drops ----

bool TZirOvararIzaz::OleDropText(TPoint Point, const String& Text) {
    const TDragDropSettings* D = DragDropSettings();
    bool OverCell = false;
    TPoint Cell = DropCell(Point, OverCell);
    Integer ACol = Cell.X, ARow = Cell.Y;
    const bool Append = IsAppendPoint(Point, OverCell ? ARow : -1, false);
    if (Append) {
        ACol = FixedCols();
        ARow = RowCount() - 1;
    }
    if (D->OleEntireRows()) ACol = 0;
    TPoint Size;
    MeasureClipboardText(Text, Size);
    if (Options().Contains(goRowSelect)) ACol = D->OleEntireRows() ? 0 : FixedCols();

    bool Allow = true;
    if (OnOleDrop) OnOleDrop(this, ARow, ACol, Text, Allow);
    if (!Allow) {
        HideDropArrows();
        return false;
    }
    if (ARow <= FDropSelection.Top && D->OleRemoveRows()) {
        FDropSelection.Top += Size.Y + 1;
        FDropSelection.Bottom += Size.Y + 1;
    }
    if (ARow == 0 && RowCount() == 1 && FixedRowAlways()) ARow = 1;
    if (D->OleInsertRows()) InsertDropRows(ARow, Size.Y + 1, Append);
    Integer Cols = 0, Rows = 0;
    PasteTextAtCell(std::max(ACol, 0), std::max(ARow, 0), Text, Cols, Rows);
    ACol = std::max(ACol, FixedCols());
    const Integer Right = Options().Contains(goRowSelect) ? ACol + Size.X - FixedCols() : ACol + Size.X - 1;
    SetSelection(TGridRect{ACol, ARow, std::max(ACol, std::min(Right, ColCount() - 1)),
                           std::min(ARow + Size.Y, RowCount() - 1)});
    HideDropArrows();
    if (OnOleDropped) OnOleDropped(this, Selection());
    return true;
}

void TZirOvararIzaz::OleDropStream(TPoint Point, TStream& Stream) {
    TDragDropSettings* D = DragDropSettings();
    bool OverCell = false;
    TPoint Cell = DropCell(Point, OverCell);
    Integer ACol = D->OleEntireRows() ? 0 : Cell.X, ARow = Cell.Y;
    auto* Header = Create<TGridPropIO>(nullptr);
    try {
        const Int64 Start = Stream.Position();
        ReadGridStreamHeader(Stream, *Header);
        Stream.SetPosition(Start);
        if (ARow < D->SourceRow()) D->SetRowDelta(Header->RowCount());
        const bool Append = IsAppendPoint(Point, OverCell ? ARow : -1, false);
        if (Append) {
            ACol = FixedCols();
            ARow = RowCount() - 1;
        }
        const Integer First = Append ? ARow + 1 : ARow;
        if (D->OleInsertRows()) InsertDropRows(ARow, Header->RowCount(), Append);
        LoadAtPointFromBinStream(TPoint(std::max(ACol, 0), std::max(ARow, 0)), Stream);
        if (D->OleInsertRows()) {
            TStringList Heights;
            Heights.SetCommaText(Header->RowHeights());
            Integer r = First;
            for (Integer i = 0; i < Heights.Count() && r < RowCount(); ++i) {
                Integer H = 0;
                if (!TryStrToInt(Heights.Strings(i), H)) continue;
                SetRowHeights(r++, H);
            }
        }
    } catch (...) {
        Free(Header);
        HideDropArrows();
        throw;
    }
    Free(Header);
    HideDropArrows();
    if (OnOleDropped) OnOleDropped(this, Selection());
}

void TZirOvararIzaz::OleDropCol(TPoint Point, Integer Column) {
    const TDragDropSettings* D = DragDropSettings();
    bool OverCell = false;
    TPoint Cell = DropCell(Point, OverCell);
    Integer ACol = OverCell ? Cell.X : ColCount();
    const Integer ARow = OverCell ? Cell.Y : 0;
    HideDropArrows();
    if (D->OleColumnReorder()) {
        ACol = std::min(ACol, ColCount() - 1);
        const Integer From = DisplColIndex(Column);
        if (From != ACol && From >= 0 && From < ColCount()) {
            const bool Enhanced = EnhRowColMove();
            SetEnhRowColMove(true);
            try {
                MoveColumn(From, ACol);
            } catch (...) {
                SetEnhRowColMove(Enhanced);
                throw;
            }
            SetEnhRowColMove(Enhanced);
        }
    }
    if (OnOleDropCol) OnOleDropCol(this, ARow, ACol, Column);
}

void TZirOvararIzaz::OleDropCellText(TPoint Point, const String& Text, bool IsURL) {
    bool OverCell = false;
    const TPoint Cell = DropCell(Point, OverCell);
    HideDropArrows();
    if (!OverCell) return;
    bool Allow = true;
    if (IsURL) {
        if (OnOleDropURL) OnOleDropURL(this, Cell.Y, Cell.X, Text, Allow);
    } else if (OnOleDrop) {
        OnOleDrop(this, Cell.Y, Cell.X, Text, Allow);
    }
    if (Allow) SetCells(Cell.X, Cell.Y, Text);
}

void TZirOvararIzaz::OleDropFiles(TPoint Point, TStrings& Files) {
    bool OverCell = false;
    const TPoint Cell = DropCell(Point, OverCell);
    HideDropArrows();
    if (Files.Count() == 1) {
        const String Name = Files.Strings(0);
        bool Allow = true;
        if (OnOleDropFile) OnOleDropFile(this, Cell.Y, Cell.X, Name, Allow);
        if (!Allow) return;
        const String Upper = UpperCase(Name);
        if (Upper.find(u".CSV") != String::npos) {
            if (OnOleDrop) OnOleDrop(this, -1, -1, Name, Allow);
            if (Allow) LoadFromCSV(Name, -1, -1);
        } else if (Upper.find(u".XLS") != String::npos) {
            if (OnOleDrop) OnOleDrop(this, -1, -1, Name, Allow);
            if (Allow) LoadFromXLS(Name);
        }
    } else if (Files.Count() > 1 && OnOleDropFiles) {
        OnOleDropFiles(this, Cell.Y, Cell.X, Files);
    }
}

// ---- The drag source ----

TGridDropSource::TGridDropSource(TZirOvararIzaz* AGrid) : FGrid(AGrid) {}

bool TZirOvararIzaz::OleDragStart(Integer ACol, Integer ARow) {
    TDragDropSettings* D = DragDropSettings();
    const Integer RealCol = RealColIndex(ACol);
    bool Allow = true;
    if (D->OleColumnsOnly() && ARow >= FixedRows())
        Allow = false;
    else if (OnOleDrag)
        OnOleDrag(this, ARow, RealCol, Cells(RealCol, ARow), Allow);
    if (!Allow) return false;

    TGridDropSource Source(this);
    if (OnOleDragStart) OnOleDragStart(this, ARow, RealCol);
    DoStartBlockFocus();
    DWORD Effect = DROPEFFECT_NONE;
    if (ARow < FixedRows() && D->OleColumnDragDrop()) {
        if (BeginColumnDrag(Source, RealCol, DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect) != DRAGDROP_S_CANCEL &&
            OnOleDragStop)
            OnOleDragStop(this, Integer(Effect));
        HideDropArrows();
        return true;
    }

    FDropSelection = Selection();
    D->SetRowDelta(0);
    D->SetSourceRow(std::min(FDropSelection.Top, FDropSelection.Bottom));
    std::unique_ptr<TMemoryStream> Cells;
    if (Navigation()->Settings().AllowFmtClipboard) {
        Cells = std::make_unique<TMemoryStream>();
        TRect R(FDropSelection.Left, FDropSelection.Top, FDropSelection.Right, FDropSelection.Bottom);
        if (D->OleEntireRows()) R.Left = 0, R.Right = ColCount() - 1;
        SaveRectToBinStream(R, *Cells, false);
    }
    const HRESULT Result = BeginTextDrag(Source, SelectedText(), this->Cells(RealCol, ARow), Cells.get(),
                                         DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect);
    if (Result == DRAGDROP_S_CANCEL) return true;
    if (Effect == DROPEFFECT_MOVE && !D->OleCopyAlways()) {
        const bool Disjunct = MouseActions()->Settings().DisjunctRowSelect;
        const Integer Delta = D->RowDelta();
        if (D->OleRemoveRows() && Options().Contains(goRowSelect)) {
            if (Disjunct) {
                auto* Rows = Create<TIntList>(0, 0);
                for (Integer r = FixedRows(); r < RowCount(); ++r)
                    if (RowSelectEntry(RowSelectIndex(r))) Rows->Add(r);
                try {
                    RemoveRowList(Rows);
                } catch (...) {
                    Free(Rows);
                    throw;
                }
                Free(Rows);
            } else {
                RemoveRows(FDropSelection.Top + Delta, FDropSelection.Bottom - FDropSelection.Top + 1);
            }
        } else if (!D->OleRemoveRows()) {
            const TGridRect S = Disjunct ? Selection()
                                         : TGridRect{FDropSelection.Left, FDropSelection.Top + Delta,
                                                     FDropSelection.Right, FDropSelection.Bottom + Delta};
            for (Integer r = S.Top; r <= S.Bottom && r < RowCount(); ++r)
                for (Integer c = S.Left; c <= S.Right && c < ColCount(); ++c) SetCells(c, r, String());
        }
    }
    if (OnOleDragStop) OnOleDragStop(this, Integer(Effect));
    return true;
}
