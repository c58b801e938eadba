// The column grid's life and the synchronisation of its column items with
// the grid's columns: count, headers, moves, insertion, removal, grouping,
// user and DPI widths, pop-up menus.

#include "grid/VarErozidOvur.h"

#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/MathUtils.h"
#include "vcl/Menus.h"

const TClassInfo& TVarErozidOvur::StaticClassInfo() {
    using C = TVarErozidOvur;
    static const TClassInfo Info =
        TClassBuilder<C, TZirOvararIzaz>()
            .Property(u"ColCount", &C::ColCount, &C::SetColCount)
            .Property(u"AutoFilterDisplay", &C::AutoFilterDisplay, &C::SetAutoFilterDisplay)
            .Default(false)
            .Property(u"Columns", &C::Columns, &C::SetColumns)
            .Property(u"OnAfterColumnMoved", [](const C& G) { return G.OnAfterColumnMoved; },
                      [](C& G, TAfterColumnMoved V) { G.OnAfterColumnMoved = std::move(V); })
            .Property(u"OnColumnPopup", [](const C& G) { return G.OnColumnPopup; },
                      [](C& G, TColumnPopupEvent V) { G.OnColumnPopup = std::move(V); })
            .Property(u"OnRowChanging", [](const C& G) { return G.OnRowChanging; },
                      [](C& G, TRowChangingEvent V) { G.OnRowChanging = std::move(V); })
            .Property(u"OnColChanging", [](const C& G) { return G.OnColChanging; },
                      [](C& G, TColChangingEvent V) { G.OnColChanging = std::move(V); })
            .Property(u"OnGridHint", [](const C& G) { return G.OnGridHint; },
                      [](C& G, TGridHintEvent V) { G.OnGridHint = std::move(V); })
            .Build();
    return Info;
}

namespace {

// The column grid and its items stream by class name.
const bool ClassesRegistered = [] {
    RegisterClasses({&TVarErozidOvur::StaticClassInfo(), &TGridColumnItem::StaticClassInfo(),
                     &TGridColumnCollection::StaticClassInfo()});
    return true;
}();

} // namespace

TVarErozidOvur::TVarErozidOvur(TComponent* AOwner) : TZirOvararIzaz(AOwner) { (void)ClassesRegistered; }

TVarErozidOvur::~TVarErozidOvur() = default;

void TVarErozidOvur::AfterConstruction() {
    TZirOvararIzaz::AfterConstruction();
    FColumnCollection = CreateColumns();
    {
        TNoRecursiveUpdate Guard(FColumnCollection.get());
        SyncColumnCount();
    }
    FColMoving = false;
    FCellGraphic = std::make_unique<TCellGraphic>();
    FSaveCol.reset(Create<TGridColumnItem>(static_cast<TCollection*>(nullptr)));
}

void TVarErozidOvur::BeforeDestruction() {
    // The items go first: the string grid's teardown changes the columns,
    // which must no longer reach them.
    if (FColumnCollection) {
        FColumnCollection->FNoRecursiveUpdate = true;
        FColumnCollection.reset();
    }
    TZirOvararIzaz::BeforeDestruction();
}

std::unique_ptr<TGridColumnCollection> TVarErozidOvur::CreateColumns() {
    return std::make_unique<TGridColumnCollection>(this);
}

void TVarErozidOvur::Loaded() {
    TZirOvararIzaz::Loaded();
    SyncColumnCount();
    FColumnCollection->SetOrganization();
}

void TVarErozidOvur::CreateWnd() {
    FLoaded = IsLoading();
    TZirOvararIzaz::CreateWnd();
}

void TVarErozidOvur::SetColCount(Integer Value) {
    TZirOvararIzaz::SetColCount(Value);
    if (!FColumnCollection) return;
    TNoRecursiveUpdate Guard(FColumnCollection.get());
    SyncColumnCount();
}

TGridColumnItem* TVarErozidOvur::ColumnItem(Integer Index) const {
    if (!FColumnCollection || Index < 0 || Index >= FColumnCollection->Count()) return nullptr;
    return FColumnCollection->Items(Index);
}

TGridColumnItem* TVarErozidOvur::ColumnByName(const String& AName) const {
    for (Integer i = 0; i < FColumnCollection->Count(); ++i)
        if (FColumnCollection->Items(i)->Name() == AName) return FColumnCollection->Items(i);
    return nullptr;
}

void TVarErozidOvur::SyncColumnCount() {
    if (!FColumnCollection) return;
    const Integer Wanted = ColCount() + NumHiddenColumns();
    while (FColumnCollection->Count() < Wanted) FColumnCollection->Add();
    while (FColumnCollection->Count() > Wanted && FColumnCollection->Count() > 0)
        Free(FColumnCollection->Items(FColumnCollection->Count() - 1));
}

void TVarErozidOvur::SyncColumnHeaders() {
    if (!FColumnCollection || FixedRows() <= 0) return;
    TStringList* Headers = ColumnHeaders();
    // The header list's change would come back here through
    // ColumnHeadersChanged; it holds the same texts, so it is held back.
    Headers->BeginUpdate();
    try {
        Headers->Clear();
        for (Integer i = 0; i < FColumnCollection->Count(); ++i) {
            TGridColumnItem* Item = FColumnCollection->Items(i);
            // Row 0 of the item's own column, as the Header setter writes it.
            if (Item->Header().empty() && !Cells(i, 0).empty())
                Item->StoreHeader(Cells(i, 0));
            Headers->Add(Item->Header());
        }
    } catch (...) {
        Headers->EndUpdate();
        throw;
    }
    Headers->EndUpdate();
}

void TVarErozidOvur::ColumnHeadersChanged(TObject* Sender) {
    TZirOvararIzaz::ColumnHeadersChanged(Sender);
    if (!FColumnCollection) return;
    TStringList* Headers = ColumnHeaders();
    for (Integer i = 0; i < Headers->Count() && i < FColumnCollection->Count(); ++i)
        FColumnCollection->Items(i)->StoreHeader(Headers->Strings(i));
}

void TVarErozidOvur::RecalcFooter(Integer ACol) {
    TZirOvararIzaz::RecalcFooter(ACol);
    if (!FColumnCollection) return;
    TNoRecursiveUpdate Guard(FColumnCollection.get());
    SyncColumnCount();
}

void TVarErozidOvur::EditingAllowedChanged() {
    TZirOvararIzaz::EditingAllowedChanged();
    if (!FColumnCollection) return;
    const bool Allowed = Options().Contains(goEditing);
    for (Integer i = 0; i < FColumnCollection->Count(); ++i) FColumnCollection->Items(i)->SetReadOnly(!Allowed);
}

void TVarErozidOvur::StyleApplied() {
    TZirOvararIzaz::StyleApplied();
    if (!FColumnCollection) return;
    TNoRecursiveUpdate Guard(FColumnCollection.get());
    for (Integer i = 0; i < FColumnCollection->Count(); ++i)
        FColumnCollection->Items(i)->HeaderFont()->SetColor(FixedFont()->Color());
}

// ---- Structure ----

namespace {

// Counts an operation that keeps the items in step itself.
class TItemsEditing {
public:
    explicit TItemsEditing(Integer& ACount) : FCount(ACount) { ++FCount; }
    ~TItemsEditing() { --FCount; }
    TItemsEditing(const TItemsEditing&) = delete;
    TItemsEditing& operator=(const TItemsEditing&) = delete;

private:
    Integer& FCount;
};

} // namespace

void TVarErozidOvur::SizeChanged(Integer OldColCount, Integer OldRowCount) {
    TZirOvararIzaz::SizeChanged(OldColCount, OldRowCount);
    if (!FColumnCollection || FItemsEditing > 0 || IsDestroying()) return;
    TNoRecursiveUpdate Guard(FColumnCollection.get());
    SyncColumnCount();
}

void TVarErozidOvur::InsertCols(Integer ColIndex, Integer CCount) {
    {
        TItemsEditing Editing(FItemsEditing);
        TZirOvararIzaz::InsertCols(ColIndex, CCount);
    }
    if (!FColumnCollection) return;
    TNoRecursiveUpdate Guard(FColumnCollection.get());
    const Integer At = std::clamp(ColIndex, 0, FColumnCollection->Count());
    for (Integer i = 0; i < CCount; ++i) FColumnCollection->Insert(At);
    // Any surplus (an insertion the grid refused) goes again.
    SyncColumnCount();
}

void TVarErozidOvur::RemoveCols(Integer ColIndex, Integer CCount) {
    {
        TItemsEditing Editing(FItemsEditing);
        TZirOvararIzaz::RemoveCols(ColIndex, CCount);
    }
    if (!FColumnCollection) return;
    TNoRecursiveUpdate Guard(FColumnCollection.get());
    for (Integer i = 0; i < CCount && ColIndex >= 0 && ColIndex < FColumnCollection->Count(); ++i)
        Free(FColumnCollection->Items(ColIndex));
    SyncColumnCount();
    SyncColumnHeaders();
}

void TVarErozidOvur::Group(Integer ColIndex) {
    if (TGridColumnItem* Item = ColumnItem(ColIndex)) FSaveCol->Assign(Item);
    TZirOvararIzaz::Group(ColIndex);
}

void TVarErozidOvur::UnGroup() {
    const Integer Grouped = GroupColumn();
    TZirOvararIzaz::UnGroup();
    if (Grouped < 0) return;
    if (TGridColumnItem* Item = ColumnItem(Grouped)) {
        TNoRecursiveUpdate Guard(FColumnCollection.get());
        Item->Assign(FSaveCol.get());
    }
}

Integer TVarErozidOvur::GetVersionNr() { return (3 << 24) | (2 << 16) | (0 << 8) | 3; }

String TVarErozidOvur::GetVersionString() {
    const Integer Nr = GetVersionNr();
    return IntToStr((Nr >> 24) & 0xFF) + u"." + IntToStr((Nr >> 16) & 0xFF) + u"." + IntToStr((Nr >> 8) & 0xFF) +
           u"." + IntToStr(Nr & 0xFF) + u" Jun, 2021";
}

void TVarErozidOvur::Notification(TComponent* AComponent, TOperation Operation) {
    TZirOvararIzaz::Notification(AComponent, Operation);
    if (Operation != opRemove || IsDestroying() || !FColumnCollection) return;
    for (Integer i = 0; i < FColumnCollection->Count(); ++i) {
        TGridColumnItem* Item = FColumnCollection->Items(i);
        if (Item->EditLink() == AComponent) Item->SetEditLink(nullptr);
        if (static_cast<TComponent*>(Item->ColumnPopup()) == AComponent) Item->SetColumnPopup(nullptr);
    }
}

// ---- Moves and widths ----

void TVarErozidOvur::ColumnMoved(Integer FromIndex, Integer ToIndex) {
    if (!FColumnCollection) {
        TZirOvararIzaz::ColumnMoved(FromIndex, ToIndex);
        return;
    }
    TGridColumnCollection* Items = FColumnCollection.get();
    Integer FromReal = 0, ToReal = 0;
    {
        TNoRecursiveUpdate Guard(Items);
        const Integer OldTop = TopRow();
        FromReal = RealColIndex(FromIndex);
        ToReal = RealColIndex(ToIndex);
        TItemsEditing Editing(FItemsEditing);
        TZirOvararIzaz::ColumnMoved(FromIndex, ToIndex);
        BeginUpdate();
        FColMoving = true;
        try {
            if (FromReal >= 0 && FromReal < Items->Count() && ToReal >= 0 && ToReal < Items->Count()) {
                // The item leaves FromReal through a copy at the end and
                // enters again at ToReal with all its settings.
                Items->Add()->Assign(Items->Items(FromReal));
                Free(Items->Items(FromReal));
                Items->Insert(ToReal)->Assign(Items->Items(Items->Count() - 1));
                Free(Items->Items(Items->Count() - 1));
            }
        } catch (...) {
            FColMoving = false;
            EndUpdate();
            throw;
        }
        SetTopRow(OldTop);
        FColMoving = false;
        EndUpdate();
    }
    if (OnAfterColumnMoved) OnAfterColumnMoved(this, FromReal, ToReal);
}

void TVarErozidOvur::ColWidthsChanged() {
    TZirOvararIzaz::ColWidthsChanged();
    if (!FColumnCollection || IsLoading() || IsDestroying()) return;
    // The stored widths follow; no grid column changes.
    for (Integer c = 0; c < ColCount(); ++c)
        if (TGridColumnItem* Item = ColumnItem(RealColIndex(c))) Item->StoreWidth(ColWidths(c));
}

void TVarErozidOvur::ChangeScale(Integer M, Integer D) {
    std::vector<Integer> Widths;
    if (FColumnCollection)
        for (Integer i = 0; i < FColumnCollection->Count(); ++i) Widths.push_back(FColumnCollection->Items(i)->Width());
    TZirOvararIzaz::ChangeScale(M, D);
    if (!FColumnCollection || IsDesigning() || !FLoaded || M == D) return;
    for (Integer i = 0; i < ColCount() && i < Integer(Widths.size()); ++i)
        FColumnCollection->Items(i)->SetWidth(MulDiv(Widths[size_t(i)], M, D));
}

void TVarErozidOvur::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TZirOvararIzaz::MouseDown(Button, Shift, X, Y);
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (ACol < 0 || ARow < 0) return;
    TGridColumnItem* Item = ColumnItem(ACol);
    if (!Item || !Item->ColumnPopup()) return;
    const TColumnPopupType Kind = Item->ColumnPopupType();
    const bool Left = Kind == cpFixedCellsLClick || Kind == cpNormalCellsLClick || Kind == cpAllCellsLClick;
    const bool Right = Kind == cpFixedCellsRClick || Kind == cpNormalCellsRClick || Kind == cpAllCellsRClick;
    if (!((Button == mbLeft && Left) || (Button == mbRight && Right))) return;
    TPopupMenu* Menu = Item->ColumnPopup();
    if (OnColumnPopup) OnColumnPopup(this, ACol, ARow, Menu);
    const bool FixedRow = ARow < FixedRows();
    const bool Fixed = Kind == cpFixedCellsLClick || Kind == cpFixedCellsRClick;
    const bool Normal = Kind == cpNormalCellsLClick || Kind == cpNormalCellsRClick;
    const bool All = Kind == cpAllCellsLClick || Kind == cpAllCellsRClick;
    if ((FixedRow && (Fixed || All)) || (!FixedRow && (Normal || All))) {
        const TRect R = CellRect(ACol, ARow);
        const TPoint At = ClientToScreen(TPoint{R.Left, R.Bottom});
        Menu->Popup(At.X, At.Y);
    }
}
