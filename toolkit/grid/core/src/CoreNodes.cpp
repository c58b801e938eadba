// Tree nodes: node rows with their span, level and state, contracting
// (hiding or suppressing the children) and expanding, the tree queries and
// the row inserts and removals that keep spans in step.
//
// A node's span counts real rows: while a nested node is contracted its
// children are hidden but still inside the span of every node around it.
// So the rows a node covers are always the real rows RealRowIndex(node) ..
// RealRowIndex(node) + span - 1, whatever is hidden among them.

#include "grid/ZirOvararIzazCore.h"

#include <algorithm>

namespace {

// BeginUpdate now, EndUpdate when the scope ends (also by an exception).
class TUpdateScope {
public:
    explicit TUpdateScope(TZirOvararIzazCore* AGrid) : FGrid(AGrid) { FGrid->BeginUpdate(); }
    ~TUpdateScope() { FGrid->EndUpdate(); }
    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
    TZirOvararIzazCore* FGrid;
};

} // namespace

// ---- Node objects and levels ----

TCellGraphic* TZirOvararIzazCore::NodeObject(Integer ARow) const {
    const Integer c = FCellNode->NodeColumn();
    if (ARow < 0 || ARow >= RowCount() || c < 0 || c >= TotalColCount()) return nullptr;
    auto* G = dynamic_cast<TCellGraphic*>(GraphicObjects(c, ARow));
    return G && G->CellType() == ctNode ? G : nullptr;
}

bool TZirOvararIzazCore::IsNode(Integer ARow) {
    return NodeObject(ARow) != nullptr;
}

bool TZirOvararIzazCore::IsSummary(Integer ARow) {
    if (ARow < 0 || ARow >= RowCount() || TotalColCount() < 1) return false;
    auto* G = dynamic_cast<TCellGraphic*>(GraphicObjects(0, ARow));
    return G && G->CellType() == ctSummary;
}

void TZirOvararIzazCore::ShiftNodeLevels(Integer FromRow, Integer ToRow, Integer Delta, bool Absolute) {
    const Integer c = FCellNode->NodeColumn();
    if (c < 0 || c >= TotalColCount()) return;
    const Integer Last = std::min(ToRow, TotalRowCount() - 1);
    for (Integer r = std::max(FromRow, 0); r <= Last; ++r) {
        TCellProperties* P = nullptr;
        const bool Make = Absolute || Delta > 0;
        if (TGridItem* Entry = HiddenEntryOf(r)) {
            // A hidden row's record is parked with it.
            TStringList* Items = Entry->Items();
            if (c >= Items->Count()) continue;
            P = static_cast<TCellProperties*>(Items->Objects(c));
            if (!P && Make) {
                P = Create<TCellProperties>(this, c, r);
                P->SetAlignment(DefaultCellAlignment());
                Items->SetObjects(c, P);
            }
        } else {
            const Integer d = DisplRowIndex(r);
            P = Make ? CellProperties(c, d) : GetRawObject(c, d);
        }
        if (P) P->SetNodeLevel(Absolute ? Delta : std::max(0, P->NodeLevel() + Delta));
    }
}

void TZirOvararIzazCore::SetNodeCollapsed(Integer ARow, bool Value) {
    TCellGraphic* G = NodeObject(ARow);
    if (!G) return;
    G->SetCellBoolean(Value);
    // The painter draws a contracted node row's merged cells one row high.
    for (Integer c = 0; c < ColCount(); ++c)
        if (TCellProperties* P = GetRawObject(RealColIndex(c), ARow)) P->SetMergeCollaps(Value);
}

Integer TZirOvararIzazCore::NodeSpanEnd(Integer ARow) {
    TCellGraphic* G = NodeObject(ARow);
    if (!G) return ARow + 1;
    if (G->CellIndex() > 0) {
        // The displayed row after the last real row of the span.
        const Integer LastReal = RealRowIndex(ARow) + G->CellIndex() - 1;
        return std::min(DisplRowIndex(LastReal + 1), RowCount());
    }
    Integer e = ARow + 1;
    while (e < RowCount() && !NodeObject(e)) ++e;
    return e;
}

// ---- Adding and removing nodes ----

void TZirOvararIzazCore::AddNode(Integer ARow, Integer Span) {
    if (Span <= 0 || IsHiddenRow(ARow)) return;
    const Integer a = DisplRowIndex(ARow);
    const Integer c = FCellNode->NodeColumn();
    if (a < 0 || a >= RowCount() || c < 0 || c >= TotalColCount()) return;
    // Making a node row a node again replaces the old node and its levels.
    if (NodeObject(a)) RemoveNode(ARow);
    TCellGraphic* G = CreateCellGraphic(c, a);
    if (!G) return;
    G->SetCellType(ctNode);
    G->SetCellAngle(a);
    G->SetCellBoolean(false);
    G->SetCellIndex(Span);
    G->SetCellHAlign(haBeforeText);
    G->SetCellVAlign(vaCenter);
    G->SetCellErrFrom(0);
    G->SetCellVar(-1);
    ShiftNodeLevels(ARow, ARow + Span - 1, 1);
    if (FNodeCount == 0) RepaintCol(DisplColIndex(c));
    ++FNodeCount;
    if (Col() == 0 && ColCount() > 1) SetCol(1);
}

void TZirOvararIzazCore::RemoveNode(Integer ARow) {
    if (IsHiddenRow(ARow)) return;
    if (!NodeObject(DisplRowIndex(ARow))) return;
    ExpandNodeRows(ARow);
    const Integer a = DisplRowIndex(ARow);
    TCellGraphic* G = NodeObject(a);
    if (G->CellIndex() > 0) ShiftNodeLevels(ARow, ARow + G->CellIndex() - 1, -1);
    TCellProperties* P = GetRawObject(FCellNode->NodeColumn(), a);
    const bool Owned = P->GraphicOwned();
    P->SetGraphicObject(nullptr);
    if (Owned) Free(G);
    if (FNodeCount > 0) --FNodeCount;
    Invalidate();
}

void TZirOvararIzazCore::RemoveAllNodes() {
    for (Integer r = 0; r < RowCount(); ++r)
        if (NodeObject(r)) RemoveNode(RealRowIndex(r));
    Invalidate();
}

// ---- Queries ----

bool TZirOvararIzazCore::GetNodeState(Integer ARow) {
    TCellGraphic* G = NodeObject(ARow);
    return G && G->CellBoolean();
}

void TZirOvararIzazCore::SetNodeState(Integer ARow, bool Value) {
    TCellGraphic* G = NodeObject(ARow);
    if (!G || G->CellBoolean() == Value) return;
    if (Value)
        ContractNode(RealRowIndex(ARow));
    else
        ExpandNode(RealRowIndex(ARow));
}

Integer TZirOvararIzazCore::GetNodeLevel(Integer ARow) {
    if (!NodeObject(ARow)) return -1;
    const TCellProperties* P = GetRawObject(FCellNode->NodeColumn(), ARow);
    return P ? P->NodeLevel() : 0;
}

Integer TZirOvararIzazCore::GetNodeSpan(Integer ARow) {
    TCellGraphic* G = NodeObject(ARow);
    return G ? G->CellIndex() : -1;
}

void TZirOvararIzazCore::SetNodeSpan(Integer ARow, Integer Span) {
    TCellGraphic* G = NodeObject(ARow);
    if (!G) return;
    G->SetCellIndex(Span);
    const Integer Level = GetNodeLevel(ARow);
    const Integer Real = RealRowIndex(ARow);
    ShiftNodeLevels(Real, Real + Span - 1, Level, true);
    RepaintCol(DisplColIndex(FCellNode->NodeColumn()));
}

void TZirOvararIzazCore::UpdateNodeSpan(Integer ARow, Integer Delta) {
    if (TCellGraphic* G = NodeObject(ARow)) G->SetCellIndex(G->CellIndex() + Delta);
}

void TZirOvararIzazCore::UpdateSubNodeCount(Integer ARow, Integer Delta) {
    if (TCellGraphic* G = NodeObject(ARow)) G->SetCellErrFrom(std::max(0, G->CellErrFrom() + Delta));
}

Integer TZirOvararIzazCore::GetSubNodeCount(Integer ARow) {
    TCellGraphic* G = NodeObject(ARow);
    return G ? G->CellErrFrom() : 0;
}

Integer TZirOvararIzazCore::GetParentRow(Integer ARow) {
    if (FNodeCount <= 0 || ARow < 0 || ARow >= RowCount()) return -1;
    // A node row's parent has a lower level; any node may hold another row.
    const Integer Level = NodeObject(ARow) ? GetNodeLevel(ARow) : 65535;
    const Integer Real = RealRowIndex(ARow);
    for (Integer r = ARow - 1; r >= FixedRows(); --r) {
        if (!NodeObject(r) || GetNodeLevel(r) >= Level) continue;
        if (NodeSpanEnd(r) > ARow && RealRowIndex(r) < Real) return r;
    }
    return -1;
}

Integer TZirOvararIzazCore::GetNodeSpanType(Integer ARow) {
    if (NodeObject(ARow)) return 0;
    const Integer c = FCellNode->NodeColumn();
    if (ARow >= 0 && ARow < RowCount() - FFixedFooters - 1 && c >= 0 && c < TotalColCount()) {
        const TCellProperties* Next = GetRawObject(c, ARow + 1);
        const TCellProperties* This = GetRawObject(c, ARow);
        if (Next && Next->NodeLevel() >= (This ? This->NodeLevel() : 0)) return 2;
    }
    return 1;
}

// ---- Expanding and contracting ----

void TZirOvararIzazCore::ExpandNodeRows(Integer ARow) {
    if (IsHiddenRow(ARow)) return;
    const Integer b = DisplRowIndex(ARow);
    TCellGraphic* G = NodeObject(b);
    if (!G || !G->CellBoolean()) return;
    SetNodeCollapsed(b, false);
    const Integer Span = G->CellIndex();
    const Integer OldTop = TopRow(), OldRow = Row();
    bool& Disjunct = FMouseActions->PlainSettings().DisjunctRowSelect;
    const bool OldDisjunct = Disjunct;
    Disjunct = false;
    const TGridOptions OldOptions = Options();
    const bool RowSelectOn = OldOptions.Contains(goRowSelect);
    if (RowSelectOn) {
        TGridOptions Opts = OldOptions;
        Opts.Exclude(goRowSelect);
        SetOptions(Opts);
    }
    try {
        TUpdateScope Update(this);
        if (FFilterType == ftSuppress) {
            const Integer e = Span > 0 ? std::min(b + Span, RowCount()) : NodeSpanEnd(b);
            UnSuppressRows(b + 1, e - 1);
            for (Integer r = b + 1; r < e; ++r) SetNodeCollapsed(r, false);
        } else {
            // The hidden rows between the node and the next displayed row, as
            // far as the span reaches (rows a filter hid after it stay).
            Integer Last = RealRowIndex(b + 1) - 1;
            if (Span > 0) Last = std::min(Last, ARow + Span - 1);
            if (Last > ARow) UnHideRows(ARow + 1, Last);
        }
    } catch (...) {
        Disjunct = OldDisjunct;
        throw;
    }
    Disjunct = OldDisjunct;
    if (RowSelectOn) {
        SetOptions(OldOptions);
        if (OldRow < RowCount()) SetRowEx(OldRow);
        if (OldTop < RowCount()) SetTopRow(OldTop);
    }
    CalcFooter(-1);
}

void TZirOvararIzazCore::ExpandNode(Integer ARow) {
    if (IsHiddenRow(ARow)) return;
    if (FCellNode->ExpandOne()) {
        for (Integer r = FixedRows(); r < RowCount(); ++r) {
            TCellGraphic* G = NodeObject(r);
            if (!G || G->CellBoolean()) continue;
            const Integer Real = RealRowIndex(r);
            // The node itself and the nodes around it stay open.
            if (Real == ARow || (Real < ARow && ARow < Real + std::max(G->CellIndex(), 1))) continue;
            ContractNode(Real);
        }
    }
    ExpandNodeRows(ARow);
}

void TZirOvararIzazCore::ContractNode(Integer ARow) {
    if (IsHiddenRow(ARow)) return;
    HideInplaceEdit();
    const Integer a = DisplRowIndex(ARow);
    TCellGraphic* G = NodeObject(a);
    if (!G || G->CellBoolean()) return;
    SetNodeCollapsed(a, true);
    const Integer E = NodeSpanEnd(a);
    if (FFilterType == ftSuppress) {
        SuppressRows(a + 1, E - 1);
    } else {
        // A nested contracted node goes with its children and opens again
        // with its parent.
        for (Integer b = a + 1; b < E; ++b) SetNodeCollapsed(b, false);
        if (E > a + 1) HideRows(ARow + 1, RealRowIndex(E - 1));
    }
    CalcFooter(-1);
}

void TZirOvararIzazCore::ToggleNode(Integer ARow) {
    if (IsHiddenRow(ARow)) return;
    TCellGraphic* G = NodeObject(DisplRowIndex(ARow));
    if (!G) return;
    if (G->CellBoolean())
        ExpandNode(ARow);
    else
        ContractNode(ARow);
}

void TZirOvararIzazCore::ExpandAll() {
    if (FFilterType == ftSuppress) {
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (GetNodeState(r)) ExpandNodeRows(RealRowIndex(r));
        return;
    }
    // Every hidden row comes back in real order; whatever a filter hid is
    // shown too, so the grid is no longer filtered (its conditions stay).
    UnHideRowsAll();
    FFilterActive = false;
    FFilterLevel = 0;
    {
        TUpdateScope Update(this);
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (GetNodeState(r)) SetNodeCollapsed(r, false);
    }
    if (FFloatingFooter->Visible()) CalcFooter(-1);
}

void TZirOvararIzazCore::ContractAll() {
    if (FFilterType == ftSuppress) {
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (NodeObject(r) && !GetNodeState(r)) ContractNode(RealRowIndex(r));
        return;
    }
    bool AnyOpen = false;
    for (Integer r = FixedRows(); r < RowCount() && !AnyOpen; ++r) AnyOpen = NodeObject(r) && !GetNodeState(r);
    if (!AnyOpen) return;
    {
        TUpdateScope Update(this);
        ExpandAll();
        // Upwards, so that the rows above keep their indexes.
        for (Integer r = RowCount() - 1; r >= FixedRows(); --r)
            if (NodeObject(r)) ContractNode(RealRowIndex(r));
    }
    CellControlsUpdate(false);
    CalcFooter(-1);
}

void TZirOvararIzazCore::UnSuppressAllOpenRows() {
    for (Integer r = FixedRows(); r < RowCount();) {
        if (GetNodeState(r)) {
            r = std::max(NodeSpanEnd(r), r + 1);
            continue;
        }
        if (RowHeights(r) == 0 && r < FSuppressRowSizes->Count() && FSuppressRowSizes->Items(r) > 0)
            SetRowHeights(r, FSuppressRowSizes->Items(r));
        ++r;
    }
}

// ---- Rows in the tree ----

void TZirOvararIzazCore::InsertNormalRow(Integer ARow) {
    // InsertRows keeps the hidden rows after the new one in step.
    InsertRows(DisplRowIndex(ARow), 1, true);
}

void TZirOvararIzazCore::RemoveNormalRow(Integer ARow) {
    RemoveRows(ARow, 1);
}

void TZirOvararIzazCore::InsertChildRow(Integer ARow, Integer InsertAt) {
    if (IsHiddenRow(ARow)) return;
    Integer a = DisplRowIndex(ARow);
    if (a < 0 || a >= RowCount()) return;
    const Integer P = NodeObject(a) ? a : GetParentRow(a);
    Integer Level = 0;
    if (P >= 0) {
        UpdateNodeSpan(P, 1);
        UpdateSubNodeCount(P, 1);
        ExpandNode(RealRowIndex(P));
        Level = GetNodeLevel(P);
        for (Integer Q = GetParentRow(P); Q >= 0; Q = GetParentRow(Q)) {
            UpdateNodeSpan(Q, 1);
            UpdateSubNodeCount(Q, 1);
            ExpandNodeRows(RealRowIndex(Q));
        }
        a = DisplRowIndex(ARow);
    }
    Integer At = a + InsertAt;
    if (NodeObject(a) && InsertAt == 0) {
        // The node row's texts and user objects move into the new child row;
        // the node row keeps its node with empty texts.
        At = a + 1;
        InsertRows(At, 1, true);
        for (Integer c = 0; c < TotalColCount(); ++c) {
            TStringGrid::SetCells(c, At, TStringGrid::Cells(c, a));
            TStringGrid::SetCells(c, a, String());
            if (c > 0 && Objects(c, a)) {
                SetObjects(c, At, Objects(c, a));
                SetObjects(c, a, nullptr);
            }
        }
    } else {
        InsertRows(At, 1, true);
    }
    if (P >= 0 && At >= 0 && At < RowCount() && FCellNode->NodeColumn() < TotalColCount())
        CellProperties(FCellNode->NodeColumn(), At)->SetNodeLevel(Level);
}

void TZirOvararIzazCore::RemoveChildRow(Integer ARow) {
    if (IsHiddenRow(ARow)) return;
    const Integer a = DisplRowIndex(ARow);
    if (a < 0 || a >= RowCount()) return;
    Integer P = GetParentRow(a);
    if (P >= 0) {
        const Integer Level = GetNodeLevel(P);
        if (GetNodeSpan(P) > 1) {
            UpdateNodeSpan(P, -1);
            UpdateSubNodeCount(P, -1);
        }
        for (;;) {
            ExpandNodeRows(RealRowIndex(P));
            if (GetNodeLevel(P) <= 1) break;
            const Integer Q = GetParentRow(P);
            if (Q < 0 || GetNodeLevel(Q) >= Level) break;
            if (GetNodeSpan(Q) > 1) {
                UpdateNodeSpan(Q, -1);
                UpdateSubNodeCount(Q, -1);
            }
            P = Q;
        }
    }
    // RemoveRows moves the controls, flags and hidden rows after the row.
    RemoveRows(DisplRowIndex(ARow), 1);
    DiscardHiddenLookup();
}

void TZirOvararIzazCore::MarkSummaryRow(Integer ARow) {
    if (TCellGraphic* G = CreateCellGraphic(0, DisplRowIndex(ARow))) G->SetCellType(ctSummary);
}

// ---- The node button ----

bool TZirOvararIzazCore::IsInNodeButton(Integer ARow, Integer X) {
    if (!FMouseActions->Settings().PreciseNodeClick) return true;
    using namespace ZirOvararIzaz;
    const Integer x0 = CellRect(DisplColIndex(FCellNode->NodeColumn()), 0).Left;
    const TCellProperties* P = GetRawObject(FCellNode->NodeColumn(), ARow);
    const Integer v = P ? P->NodeLevel() : 0;
    const Integer Indent = FCellNode->NodeIndent();
    const Integer GlyphW = FCellNode->ExpandGlyph()->Empty() ? 0 : FCellNode->ExpandGlyph()->Width();
    Integer w = 4, m = 4;
    switch (FCellNode->NodeType()) {
    case cn3D: w = 6, m = 0; break;
    case cnGlyph: w = GlyphW / 2, m = GlyphW > 0 ? 2 : 0; break;
    case cnLeaf: w = 8, m = 2; break;
    case cnFlat:
    case cnXP: w = 4, m = 4; break;
    }
    if (BiDiMode() == bdLeftToRight) {
        const Integer d = X - x0;
        return m + (v - 1) * Indent < d && d < w + v * Indent;
    }
    Integer d = X - x0;
    if (VisibleRowCount() < RowCount() - FixedRows()) d += FScrollWidth;
    const Integer W = Width();
    return W - v * Indent - w - 2 <= d && d < W - (v - 1) * Indent;
}
