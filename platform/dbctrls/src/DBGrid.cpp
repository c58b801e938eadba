// The data-aware grid: columns over fields, rows over records, the grid's
// row and the data set's cursor kept together.

#include "dbctrls/DBGrid.h"

#include "graphics/GdiText.h"
#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Format.h"
#include "windowing/Paint.h"

#include <algorithm>

using namespace winapi;

const TClassInfo& TDBGrid::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDBGrid, TCustomGrid>()
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

void TColumn::Changed() {
    if (FGrid) FGrid->LayoutChanged();
}

void TColumn::SetFieldName(const String& Value) {
    FFieldName = Value;
    Changed();
}

TField* TColumn::Field() const {
    TDataSet* DataSet = FGrid->DataSource() ? FGrid->DataSource()->DataSet() : nullptr;
    return DataSet && DataSet->Active() ? DataSet->FindField(FFieldName) : nullptr;
}

String TColumn::TitleCaption() const {
    if (!FTitleCaption.empty()) return FTitleCaption;
    TField* F = Field();
    return F ? F->DisplayLabel() : FFieldName;
}

void TColumn::SetTitleCaption(const String& Value) {
    FTitleCaption = Value;
    Changed();
}

Integer TColumn::Width() const {
    if (FWidth > 0) return FWidth;
    TField* F = Field();
    return (F ? F->DisplayWidth() : 10) * DigitWidth(FGrid->Font()) + 4;
}

void TColumn::SetWidth(Integer Value) {
    FWidth = std::max(Value, 0);
    Changed();
}

TAlignment TColumn::Alignment() const {
    if (FAlignmentSet) return FAlignment;
    TField* F = Field();
    return F ? F->Alignment() : taLeftJustify;
}

void TColumn::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    FAlignmentSet = true;
    Changed();
}

TColumn* TDBGridColumns::Add() {
    FItems.push_back(std::make_unique<TColumn>(FGrid));
    FGrid->LayoutChanged();
    return FItems.back().get();
}

TColumn* TDBGridColumns::Items(Integer Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(Format(u"List index out of bounds (%d)", {Index}));
    return FItems[std::size_t(Index)].get();
}

void TDBGridColumns::Clear() {
    FItems.clear();
    FGrid->LayoutChanged();
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
