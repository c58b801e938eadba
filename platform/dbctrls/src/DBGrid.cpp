// The data-aware grid: columns over fields, rows over records, the grid's
// row and the data set's cursor kept together.

#include "dbctrls/DBGrid.h"

#include "dbctrls/DBNavigator.h"
#include "vcl/FormLayout.h"

#include "graphics/GdiText.h"
#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Format.h"
#include "windowing/Paint.h"

#include <algorithm>

using namespace winapi;

const TClassInfo& TDBGrid::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDBGrid, TCustomGrid>()
                                       .Property(u"Columns", &TDBGrid::Columns, &TDBGrid::SetColumns)
                                       .Property(u"DataSource", &TDBGrid::DataSource, &TDBGrid::SetDataSource)
                                       .Build();
    return Info;
}

namespace {
constexpr Integer IndicatorWidth = 11;
constexpr Cardinal AlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

Integer DigitWidth(const TFont* Font) {
    HDC DC = GetDC(nullptr);
    TCanvas Measure;
    Measure.SetHandle(DC);
    Measure.Font()->Assign(Font);
    Integer Width = Measure.TextWidth(u"0");
    Measure.SetHandle(nullptr);
    ReleaseDC(nullptr, DC);
    return Width;
}
} // namespace

// ---- Columns ----

const TClassInfo& TColumnTitle::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TColumnTitle, TPersistent>()
                                       .Property(u"Caption", &TColumnTitle::StoredCaption, &TColumnTitle::SetCaption)
                                       .Build();
    return Info;
}

void TColumnTitle::Assign(const TPersistent* Source) {
    if (const auto* Other = dynamic_cast<const TColumnTitle*>(Source)) {
        SetCaption(Other->FCaption);
        return;
    }
    TPersistent::Assign(Source);
}

String TColumnTitle::Caption() const {
    if (!FCaption.empty()) return FCaption;
    TField* F = FColumn->Field();
    return F ? F->DisplayLabel() : FColumn->FieldName();
}

void TColumnTitle::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    FColumn->ColumnChanged();
}

TPersistent* TColumnTitle::GetOwner() const {
    return FColumn;
}

const TClassInfo& TColumn::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TColumn, TCollectionItem>()
                                       .Property(u"FieldName", &TColumn::FieldName, &TColumn::SetFieldName)
                                       .Property(u"Title", &TColumn::Title, &TColumn::SetTitle)
                                       .Property(u"Width", &TColumn::Width, &TColumn::SetWidth)
                                       .Stored(&TColumn::IsWidthStored)
                                       .Property(u"Alignment", &TColumn::Alignment, &TColumn::SetAlignment)
                                       .Stored(&TColumn::IsAlignmentStored)
                                       .Build();
    return Info;
}

TColumn::TColumn(TCollection* ACollection)
    : TCollectionItem(ACollection), FTitle(std::make_unique<TColumnTitle>(this)) {}

TColumn::~TColumn() = default;

void TColumn::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TColumn*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    FFieldName = Other->FFieldName;
    FTitle->FCaption = Other->FTitle->StoredCaption();
    FWidth = Other->FWidth;
    FAlignment = Other->FAlignment;
    FAlignmentSet = Other->FAlignmentSet;
    ColumnChanged();
}

String TColumn::DisplayName() const {
    return FFieldName.empty() ? TCollectionItem::DisplayName() : FFieldName;
}

TDBGrid* TColumn::Grid() const {
    auto* Columns = dynamic_cast<TDBGridColumns*>(Collection());
    return Columns ? Columns->Grid() : nullptr;
}

void TColumn::SetFieldName(const String& Value) {
    if (FFieldName == Value) return;
    FFieldName = Value;
    ColumnChanged();
}

TField* TColumn::Field() const {
    TDBGrid* G = Grid();
    TDataSet* DataSet = G && G->DataSource() ? G->DataSource()->DataSet() : nullptr;
    return DataSet && DataSet->Active() ? DataSet->FindField(FFieldName) : nullptr;
}

Integer TColumn::Width() const {
    if (FWidth > 0) return FWidth;
    TField* F = Field();
    TDBGrid* G = Grid();
    return (F ? F->DisplayWidth() : 10) * (G ? DigitWidth(G->Font()) : 8) + 4;
}

void TColumn::SetWidth(Integer Value) {
    FWidth = std::max(Value, 0);
    ColumnChanged();
}

TAlignment TColumn::Alignment() const {
    if (FAlignmentSet) return FAlignment;
    TField* F = Field();
    return F ? F->Alignment() : taLeftJustify;
}

void TColumn::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    FAlignmentSet = true;
    ColumnChanged();
}

const TClassInfo& TDBGridColumns::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDBGridColumns, TOwnedCollection>().Build();
    return Info;
}

TDBGridColumns::TDBGridColumns(TDBGrid* AGrid) : TOwnedCollection(AGrid, TColumn::StaticClassInfo()), FGrid(AGrid) {}

TColumn* TDBGridColumns::Add() {
    BeginUpdate();
    TCollectionItem* Item = nullptr;
    try {
        Item = TCollection::Add();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return static_cast<TColumn*>(Item);
}

void TDBGridColumns::Update(TCollectionItem* Item) {
    TOwnedCollection::Update(Item);
    // An item joins while its base is being made; the grid waits for the
    // change that follows (Add's end of update, or a property set by a reader).
    for (Integer I = 0; I < Count(); ++I)
        if (!dynamic_cast<TColumn*>(TCollection::Items(I))) return;
    if (FGrid) FGrid->LayoutChanged();
}

// ---- The link to the data ----

class TDBGrid::TGridDataLink : public TDataLink {
public:
    explicit TGridDataLink(TDBGrid& Grid) : FGrid(Grid) {}

protected:
    void ActiveChanged() override { FGrid.DataChanged(); }
    void DataSetChanged() override { FGrid.DataChanged(); }
    void DataSetScrolled() override { FGrid.Scrolled(); }
    void RecordChanged(TField*) override { FGrid.Invalidate(); }

private:
    TDBGrid& FGrid;
};

// ---- TDBGrid ----

TDBGrid::TDBGrid(TComponent* AOwner)
    : TCustomGrid(AOwner), FDataLink(std::make_unique<TGridDataLink>(*this)),
      FColumns(std::make_unique<TDBGridColumns>(this)) {
    SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRowSelect,
                            goColSizing});
    SetColCount(2);
    SetRowCount(2);
    SetColWidths(0, IndicatorWidth);
    SetDefaultRowHeight(18);
}

TDBGrid::~TDBGrid() = default;

void TDBGrid::BeforeDestruction() {
    FDataLink->SetDataSource(nullptr);
    TCustomGrid::BeforeDestruction();
}

TDataSource* TDBGrid::DataSource() const {
    return FDataLink->DataSource();
}

void TDBGrid::SetDataSource(TDataSource* Value) {
    if (Value == DataSource()) return;
    if (DataSource()) DataSource()->RemoveFreeNotification(this);
    FDataLink->SetDataSource(Value);
    if (Value) Value->FreeNotification(this);
    DataChanged();
}

void TDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == DataSource()) {
        FDataLink->SetDataSource(nullptr);
        DataChanged();
    }
}

Integer TDBGrid::ShownColumnCount() const {
    if (FColumns->Count() > 0) return FColumns->Count();
    return FDataLink->Active() ? FDataLink->DataSet()->FieldCount() : 0;
}

TField* TDBGrid::ShownField(Integer Index) const {
    if (FColumns->Count() > 0) return FColumns->Items(Index)->Field();
    return FDataLink->Active() ? FDataLink->DataSet()->Fields(Index) : nullptr;
}

String TDBGrid::ShownTitle(Integer Index) const {
    if (FColumns->Count() > 0) return FColumns->Items(Index)->TitleCaption();
    TField* F = ShownField(Index);
    return F ? F->DisplayLabel() : String();
}

TAlignment TDBGrid::ShownAlignment(Integer Index) const {
    if (FColumns->Count() > 0) return FColumns->Items(Index)->Alignment();
    TField* F = ShownField(Index);
    return F ? F->Alignment() : taLeftJustify;
}

Integer TDBGrid::ShownWidth(Integer Index) const {
    if (FColumns->Count() > 0) return FColumns->Items(Index)->Width();
    TField* F = ShownField(Index);
    return (F ? F->DisplayWidth() : 10) * DigitWidth(Font()) + 4;
}

TField* TDBGrid::SelectedField() const {
    Integer Index = Col() - 1;
    return Index >= 0 && Index < ShownColumnCount() ? ShownField(Index) : nullptr;
}

void TDBGrid::LayoutChanged() {
    DataChanged();
}

void TDBGrid::DataChanged() {
    if (ComponentState().Contains(csDestroying)) return;
    Integer Columns = ShownColumnCount();
    Integer Records = FDataLink->Active() ? FDataLink->DataSet()->RecordCount() : 0;
    FSyncing = true;
    SetColCount(1 + std::max(Columns, 1));
    SetRowCount(1 + std::max(Records, 1));
    SetColWidths(0, IndicatorWidth);
    for (Integer I = 0; I < Columns; ++I) SetColWidths(I + 1, ShownWidth(I));
    FSyncing = false;
    Scrolled();
    Invalidate();
}

void TDBGrid::Scrolled() {
    if (FSyncing || !FDataLink->Active()) {
        Invalidate();
        return;
    }
    Integer RecNo = std::max(FDataLink->DataSet()->RecNo(), 1);
    FSyncing = true;
    if (RecNo < RowCount()) MoveColRow(std::max(Col(), 1), RecNo, true, true);
    FSyncing = false;
    Invalidate();
}

bool TDBGrid::SelectCell(Integer ACol, Integer ARow) {
    if (FSyncing || !FDataLink->Active()) return true;
    TDataSet* DataSet = FDataLink->DataSet();
    if (ARow < 1 || ARow > DataSet->RecordCount()) return false;
    if (ARow != DataSet->RecNo()) {
        FSyncing = true;
        try {
            DataSet->SetRecNo(ARow);
        } catch (...) {
            FSyncing = false;
            throw;
        }
        FSyncing = false;
    }
    (void)ACol;
    return true;
}

void TDBGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
    TCanvas* C = Canvas();
    HDC DC = C->Handle();
    SetBkMode(DC, TRANSPARENT);
    bool Active = FDataLink->Active();
    if (ACol == 0) {
        // The indicator: a black triangle at the current record.
        if (Active && ARow > 0 && ARow == FDataLink->DataSet()->RecNo()) {
            Integer MidY = (ARect.Top + ARect.Bottom) / 2;
            C->Brush()->SetColor(clBlack);
            C->Pen()->SetColor(clBlack);
            C->Polygon({{ARect.Left + 3, MidY - 4}, {ARect.Left + 7, MidY}, {ARect.Left + 3, MidY + 4}});
        }
        return;
    }
    Integer Index = ACol - 1;
    if (Index >= ShownColumnCount()) return;
    TRect Text = ARect;
    InflateRect(Text, -2, 0);
    Cardinal Flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (ARow == 0) {
        DrawText(DC, ShownTitle(Index), Text, Flags | DT_LEFT);
        return;
    }
    TField* F = ShownField(Index);
    if (!Active || !F) return;
    (void)AState;
    DrawText(DC, FDataLink->DataSet()->DisplayTextAt(ARow, *F), Text,
             Flags | AlignmentFlags[ShownAlignment(Index)]);
}

void RegisterDBControlClasses() {
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterStandardClasses();
    RegisterClasses({&TDBGrid::StaticClassInfo(), &TDBNavigator::StaticClassInfo()});
}
