// The thin scroll control the grid paints itself for the painted scroll
// type: thumb metrics from the grid's view, paging and dragging with the
// mouse, transparent painting over the grid.

#include "grid/ZirOvararIzazCore.h"

#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"

#include <algorithm>

using namespace winapi;

namespace {

constexpr Integer MinThumbSize = 20;

// The view along one direction of the grid, read the same way for rows and
// columns.
struct TScrollAxis {
    Integer Count;
    Integer Fixed;
    Integer First;   // top row or left column
    Integer Visible; // visible rows or columns
    Integer FixedExtent;
    Integer FirstSize; // height of row 0 or width of column 0
};

TScrollAxis AxisOf(TZirOvararIzazCore* G, bool Vertical) {
    TScrollAxis A{};
    if (Vertical) {
        A.Count = G->RowCount();
        A.Fixed = G->FixedRows();
        A.First = G->TopRow();
        A.Visible = G->VisibleRowCount();
        for (Integer R = 0; R < A.Fixed && R < A.Count; ++R) A.FixedExtent += G->RowHeights(R);
        for (Integer R = std::max(A.Fixed, A.Count - G->FixedFooters()); R < A.Count; ++R)
            A.FixedExtent += G->RowHeights(R);
        A.FirstSize = A.Count > 0 ? G->RowHeights(0) : 0;
    } else {
        A.Count = G->ColCount();
        A.Fixed = G->FixedCols();
        A.First = G->LeftCol();
        A.Visible = G->VisibleColCount();
        for (Integer C = 0; C < A.Fixed && C < A.Count; ++C) A.FixedExtent += G->ColWidths(C);
        for (Integer C = std::max(A.Fixed, A.Count - G->FixedRightCols()); C < A.Count; ++C)
            A.FixedExtent += G->ColWidths(C);
        A.FirstSize = A.Count > 0 ? G->ColWidths(0) : 0;
    }
    return A;
}

// The total extent of the leading fixed rows (columns) only.
Integer LeadingFixedExtent(TZirOvararIzazCore* G, bool Vertical) {
    Integer Sum = 0;
    if (Vertical)
        for (Integer R = 0; R < G->FixedRows() && R < G->RowCount(); ++R) Sum += G->RowHeights(R);
    else
        for (Integer C = 0; C < G->FixedCols() && C < G->ColCount(); ++C) Sum += G->ColWidths(C);
    return Sum;
}

void SetFirst(TZirOvararIzazCore* G, bool Vertical, Integer Value) {
    if (Vertical)
        G->SetTopRow(Value);
    else
        G->SetLeftCol(Value);
}

} // namespace

const TClassInfo& TScrollControl::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TScrollControl, TCustomControl>().Build();
    return Info;
}

TScrollControl::TScrollControl(TComponent* AOwner) : TCustomControl(AOwner) {}

void TScrollControl::SetThumbColor(TColor Value) {
    if (FThumbColor == Value) return;
    FThumbColor = Value;
    Invalidate();
}

TZirOvararIzazCore* TScrollControl::Grid() const {
    return dynamic_cast<TZirOvararIzazCore*>(Parent());
}

Integer TScrollControl::TrackLength() const {
    TZirOvararIzazCore* G = Grid();
    if (!G) return 0;
    return Length() - AxisOf(G, Vertical()).FixedExtent;
}

void TScrollControl::Thumb(Integer& Pos, Integer& Size) const {
    Pos = Size = 0;
    TZirOvararIzazCore* G = Grid();
    if (!G) return;
    const TScrollAxis A = AxisOf(G, Vertical());
    const Integer Track = Length() - A.FixedExtent;
    Pos = LeadingFixedExtent(G, Vertical()) +
          Integer(Round(Double(Track) * (A.First - A.Fixed) / std::max(1, A.Count - A.Fixed)));
    Size = std::max(MinThumbSize, Integer(Round(Double(Track) * A.Visible / std::max(1, A.Count))));
    if (Pos + Size > Length()) Pos = Length() - Size;
    // A thumb longer than a short control starts at its edge, not before it.
    Pos = std::max(0, Pos);
}

Integer TScrollControl::ThumbPos() const {
    Integer Pos, Size;
    Thumb(Pos, Size);
    return Pos;
}

Integer TScrollControl::ThumbSize() const {
    Integer Pos, Size;
    Thumb(Pos, Size);
    return Size;
}

bool TScrollControl::ThumbShown() const {
    TZirOvararIzazCore* G = Grid();
    if (!G) return false;
    const TScrollAxis A = AxisOf(G, Vertical());
    const Integer Normal = Vertical() ? A.Count - A.Fixed - G->FixedFooters() : A.Count - A.Fixed - G->FixedRightCols();
    return Normal > A.Visible;
}

void TScrollControl::Paint() {
    if (!ThumbShown()) return;
    Integer Pos, Size;
    Thumb(Pos, Size);
    TCanvas* C = Canvas();
    C->Pen()->SetColor(FThumbColor);
    C->Brush()->SetColor(FThumbColor);
    if (Vertical())
        C->Rectangle(0, Pos, FScrollWidth, Pos + Size);
    else
        C->Rectangle(Pos, 0, Pos + Size, FScrollWidth);
}

void TScrollControl::WndProc(TMessage& Message) {
    if (Message.Msg == WM_PAINT && Message.WParam != 0 && Parent() && Parent()->HandleAllocated()) {
        // The control is see-through: what the parent shows under it goes
        // into the given context first.
        HDC DC = reinterpret_cast<HDC>(Message.WParam);
        const Integer Saved = SaveDC(DC);
        OffsetViewportOrgEx(DC, -Left(), -Top(), nullptr);
        Parent()->Perform(WM_ERASEBKGND, Message.WParam, Message.WParam);
        Parent()->Perform(WM_PAINT, Message.WParam, 0);
        RestoreDC(DC, Saved);
    }
    TCustomControl::WndProc(Message);
}

void TScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    TZirOvararIzazCore* G = Grid();
    if (!G) return;
    const TScrollAxis A = AxisOf(G, Vertical());
    const Integer At = Vertical() ? Y : X;
    Integer Pos, Size;
    Thumb(Pos, Size);
    if (At < Pos)
        SetFirst(G, Vertical(), std::max(A.Fixed, A.First - A.Visible));
    else if (At >= Pos + Size)
        SetFirst(G, Vertical(), std::min(A.First + A.Visible, A.Count - A.Visible));
    else {
        FDownOnScroller = true;
        FDownPos = At;
        FDownRow = A.First;
    }
}

void TScrollControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    TZirOvararIzazCore* G = Grid();
    if (!G || !FDownOnScroller) return;
    const TScrollAxis A = AxisOf(G, Vertical());
    // The drag's scale: the control's length less the first row (column).
    // A control no longer than that has no scale, and the move is skipped.
    const Integer Scale = Length() - A.FirstSize;
    if (Scale <= 0) return;
    const Integer At = Vertical() ? Y : X;
    const Integer Target = FDownRow + Integer(Round(Double(At - FDownPos) / Scale * A.Count));
    SetFirst(G, Vertical(), std::max(A.Fixed, std::min(Target, A.Count - A.Visible)));
}

void TScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FDownOnScroller = false;
}
