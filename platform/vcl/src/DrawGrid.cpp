// The draw grid: the cell painting, the select-cell query and the other
// grid notifications as events.

#include "rtl/ClassBuilder.h"
#include "vcl/Grids.h"

const TClassInfo& TCustomDrawGrid::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCustomDrawGrid, TCustomGrid>().Build();
    return Info;
}

const TClassInfo& TDrawGrid::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDrawGrid, TCustomDrawGrid>().Build();
    return Info;
}

TCustomDrawGrid::TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

String TCustomDrawGrid::GetEditText(Integer ACol, Integer ARow) {
    String Value;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, Value);
    return Value;
}

void TCustomDrawGrid::SetEditText(Integer ACol, Integer ARow, const String& Value) {
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

bool TCustomDrawGrid::SelectCell(Integer ACol, Integer ARow) {
    bool CanSelect = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, CanSelect);
    return CanSelect;
}

void TCustomDrawGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

void TCustomDrawGrid::TopLeftChanged() {
    TCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomDrawGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}
