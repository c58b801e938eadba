// Column items and the column collection of the column grid.

#include "grid/GridColumnItem.h"

#include "grid/VarErozidOvur.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/MathUtils.h"
#include "vcl/Menus.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

const TCellBorders AllBorders{cbTop, cbLeft, cbRight, cbBottom};
const TStyleElements AllStyleElements{seFont, seClient, seBorder};

} // namespace

// ---- Item ----

const TClassInfo& TGridColumnItem::StaticClassInfo() {
    using C = TGridColumnItem;
    static const TClassInfo Info =
        TClassBuilder<C, TCollectionItem>()
            .Property(u"AutoMinSize", &C::AutoMinSize, &C::SetAutoMinSize)
            .Property(u"AutoMaxSize", &C::AutoMaxSize, &C::SetAutoMaxSize)
            .Property(u"Alignment", &C::Alignment, &C::SetAlignment)
            .Property(u"Borders", &C::Borders, &C::SetBorders)
            .Property(u"BorderPen", &C::BorderPen, &C::SetBorderPen)
            .Property(u"ButtonWidth", &C::ButtonWidth, &C::SetButtonWidth)
            .Default(24)
            .Property(u"ButtonHeight", &C::ButtonHeight, &C::SetButtonHeight)
            .Default(18)
            .Property(u"ButtonCaption", &C::ButtonCaption, &C::SetButtonCaption)
            .Property(u"CheckFalse", &C::CheckFalse, &C::SetCheckFalse)
            .Property(u"CheckTrue", &C::CheckTrue, &C::SetCheckTrue)
            .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
            .Property(u"ColumnPopup", &C::ColumnPopup, &C::SetColumnPopup)
            .Property(u"ColumnPopupType", &C::ColumnPopupType, &C::SetColumnPopupType)
            .Property(u"ComboItems", &C::ComboItems, &C::SetComboItems)
            .Property(u"DropDownCount", &C::DropDownCount, &C::SetDropDownCount)
            .Property(u"EditLength", &C::EditLength, &C::SetEditLength)
            .Property(u"EditLink", &C::EditLink, &C::SetEditLink)
            .Property(u"EditMask", &C::EditMask, &C::SetEditMask)
            .Property(u"Editor", &C::Editor, &C::SetEditor)
            .Property(u"Filter", &C::Filter, &C::SetFilter)
            .Property(u"FilterCaseSensitive", &C::FilterCaseSensitive, &C::SetFilterCaseSensitive)
            .Property(u"Fixed", &C::Fixed, &C::SetFixed)
            .Property(u"FloatFormat", &C::FloatFormat, &C::SetFloatFormat)
            .Property(u"Font", &C::Font, &C::SetFont)
            .Property(u"Header", &C::Header, &C::SetHeader)
            .Property(u"HeaderAlignment", &C::HeaderAlignment, &C::SetHeaderAlignment)
            .Property(u"HeaderFont", &C::HeaderFont, &C::SetHeaderFont)
            .Property(u"MinSize", &C::MinSize, &C::SetMinSize)
            .Property(u"MaxSize", &C::MaxSize, &C::SetMaxSize)
            .Property(u"Name", &C::Name, &C::SetName)
            .Property(u"Password", &C::Password, &C::SetPassword)
            .Property(u"PrintBorderCustom", &C::PrintBorderCustom, &C::SetPrintBorderCustom)
            .Default(true)
            .Property(u"PrintBorders", &C::PrintBorders, &C::SetPrintBorders)
            .Property(u"PrintBorderPen", &C::PrintBorderPen, &C::SetPrintBorderPen)
            .Property(u"PrintColor", TypeInfo_TColor(), &C::PrintColor, &C::SetPrintColor)
            .Property(u"PrintFontCustom", &C::PrintFontCustom, &C::SetPrintFontCustom)
            .Default(true)
            .Property(u"PrintFont", &C::PrintFont, &C::SetPrintFont)
            .Property(u"ReadOnly", &C::ReadOnly, &C::SetReadOnly)
            .Property(u"ShowBands", &C::ShowBands, &C::SetShowBands)
            .Property(u"SortStyle", &C::SortStyle, &C::SetSortStyle)
            .Property(u"SortPrefix", &C::SortPrefix, &C::SetSortPrefix)
            .Property(u"SortSuffix", &C::SortSuffix, &C::SetSortSuffix)
            .Property(u"SpinMax", &C::SpinMax, &C::SetSpinMax)
            .Property(u"SpinMin", &C::SpinMin, &C::SetSpinMin)
            .Property(u"SpinStep", &C::SpinStep, &C::SetSpinStep)
            .Property(u"StyleElements", &C::StyleElements, &C::SetStyleElements)
            .Default(AllStyleElements)
            .Property(u"Tag", &C::Tag, &C::SetTag)
            .Property(u"Width", &C::Width, &C::SetWidth)
            .Build();
    return Info;
}

TGridColumnItem::TGridColumnItem(TCollection* ACollection)
    : TCollectionItem(nullptr),
      FBorderPen(std::make_unique<TPen>()),
      FComboItems(std::make_unique<TStringList>()),
      FFilter(std::make_unique<TStringList>()),
      FFont(std::make_unique<TFont>()),
      FHeaderFont(std::make_unique<TFont>()),
      FPrintBorderPen(std::make_unique<TPen>()),
      FPrintFont(std::make_unique<TFont>()) {
    // The owned objects exist before the item joins its collection, whose
    // change handling may reach them.
    FBorderPen->SetColor(clSilver);
    FPrintBorders = AllBorders;
    FStyleElements = AllStyleElements;
    if (ACollection) SetCollection(ACollection);
    if (TVarErozidOvur* G = Grid()) {
        FFont->Assign(G->Font());
        FHeaderFont->Assign(G->Font());
        FPrintFont->Assign(G->Font());
        FColor = G->Color();
        FFont->OnChange = [this](TObject*) { UpdateCollection(); };
        FHeaderFont->OnChange = [this](TObject*) { UpdateCollection(); };
        FBorderPen->OnChange = [this](TObject*) { UpdateCollection(); };
        FFilter->OnChange = [this](TObject*) { RepaintGrid(); };
    }
}

TGridColumnItem::~TGridColumnItem() {
    FFont->OnChange = nullptr;
    FHeaderFont->OnChange = nullptr;
    FBorderPen->OnChange = nullptr;
    FFilter->OnChange = nullptr;
}

TVarErozidOvur* TGridColumnItem::Grid() const {
    auto* Columns = dynamic_cast<TGridColumnCollection*>(Collection());
    return Columns ? Columns->Grid() : nullptr;
}

TVarErozidOvur& TGridColumnItem::CheckedGrid() const {
    TVarErozidOvur* G = Grid();
    if (!G) throw EListError(u"Column item belongs to no grid");
    return *G;
}

void TGridColumnItem::UpdateCollection() {
    if (auto* Columns = dynamic_cast<TGridColumnCollection*>(Collection())) Columns->UpdateItem(this);
}

void TGridColumnItem::RepaintGrid() {
    if (TVarErozidOvur* G = Grid()) G->Invalidate();
}

String TGridColumnItem::DisplayName() const {
    const String Number = IntToStr(Index());
    return FName.empty() ? u"Column " + Number : u"Col " + Number + u": " + FName;
}

// ---- Settings with effects ----

void TGridColumnItem::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    RepaintGrid();
}

void TGridColumnItem::SetBorders(TCellBorders Value) {
    FBorders = Value;
    UpdateCollection();
}

void TGridColumnItem::SetButtonWidth(Integer Value) {
    FButtonWidth = Value;
    UpdateCollection();
}

void TGridColumnItem::SetButtonHeight(Integer Value) {
    FButtonHeight = Value;
    UpdateCollection();
}

void TGridColumnItem::SetButtonCaption(const String& Value) {
    FButtonCaption = Value;
    UpdateCollection();
}

void TGridColumnItem::SetColor(TColor Value) {
    FColor = Value;
    UpdateCollection();
}

void TGridColumnItem::SetEditor(TEditorType Value) {
    if (Value == FEditor) return;
    // Only the data check box changes what the cell draws.
    const bool Repaint = Value == edDataCheckBox || FEditor == edDataCheckBox;
    FEditor = Value;
    if (Repaint) RepaintGrid();
}

void TGridColumnItem::SetFixed(bool Value) {
    FFixed = Value;
    UpdateCollection();
}

void TGridColumnItem::SetFloatFormat(const String& Value) {
    FFloatFormat = Value;
    RepaintGrid();
}

void TGridColumnItem::SetHeaderAlignment(TAlignment Value) {
    FHeaderAlignment = Value;
    RepaintGrid();
}

void TGridColumnItem::SetHeaderFont(const TFont* Value) {
    FHeaderFont->Assign(Value);
    RepaintGrid();
}

void TGridColumnItem::SetPassword(bool Value) {
    FPassword = Value;
    UpdateCollection();
}

void TGridColumnItem::SetShowBands(bool Value) {
    FShowBands = Value;
    UpdateCollection();
}

void TGridColumnItem::SetHeader(const String& Value) {
    FHeader = Value;
    TVarErozidOvur* G = Grid();
    if (!G) return;
    if (G->FixedRows() > 0 && !G->ColMoving()) {
        // Row 0 of the item's own column: cells keep their real column, a
        // hidden one's too, so item and cell indexes agree.
        G->SetCells(Index(), 0, Value);
        UpdateCollection();
    }
    TStringList* Headers = G->ColumnHeaders();
    Headers->BeginUpdate();
    try {
        Headers->Clear();
        for (Integer i = 0; i < G->Columns()->Count(); ++i) Headers->Add(G->Columns()->Items(i)->Header());
    } catch (...) {
        Headers->EndUpdate();
        throw;
    }
    Headers->EndUpdate();
}

Integer TGridColumnItem::Width() const {
    TVarErozidOvur* G = Grid();
    if (!G) return 0;
    const Integer I = Index();
    return I < G->AllColCount() ? G->AllColWidths(I) : FWidth;
}

void TGridColumnItem::SetWidth(Integer Value) {
    FWidth = Value;
    TVarErozidOvur* G = Grid();
    if (!G) return;
    const Integer I = Index();
    if (I >= 0 && I < G->AllColCount()) G->SetAllColWidths(I, Value);
}

// ---- Copies ----

void TGridColumnItem::Assign(const TPersistent* Source) {
    const auto* S = dynamic_cast<const TGridColumnItem*>(Source);
    if (!S) return;
    FAutoMinSize = S->FAutoMinSize;
    FAutoMaxSize = S->FAutoMaxSize;
    FAlignment = S->FAlignment;
    FBorders = S->FBorders;
    FBorderPen->Assign(S->FBorderPen.get());
    FButtonWidth = S->FButtonWidth;
    FButtonHeight = S->FButtonHeight;
    FButtonCaption = S->FButtonCaption;
    FCheckFalse = S->FCheckFalse;
    FCheckTrue = S->FCheckTrue;
    FColor = S->FColor;
    FColumnPopup = S->FColumnPopup;
    FColumnPopupType = S->FColumnPopupType;
    FComboItems->Assign(S->FComboItems.get());
    FDropDownCount = S->FDropDownCount;
    FEditLength = S->FEditLength;
    FEditLink = S->FEditLink;
    FEditMask = S->FEditMask;
    FEditor = S->FEditor;
    FFilter->Assign(S->FFilter.get());
    FFilterCaseSensitive = S->FFilterCaseSensitive;
    FFixed = S->FFixed;
    FFloatFormat = S->FFloatFormat;
    FFont->Assign(S->FFont.get());
    FHeader = S->FHeader;
    FHeaderAlignment = S->FHeaderAlignment;
    FHeaderFont->Assign(S->FHeaderFont.get());
    FMinSize = S->FMinSize;
    FMaxSize = S->FMaxSize;
    FName = S->FName;
    FPassword = S->FPassword;
    FPrintBorderCustom = S->FPrintBorderCustom;
    FPrintBorders = S->FPrintBorders;
    FPrintBorderPen->Assign(S->FPrintBorderPen.get());
    FPrintColor = S->FPrintColor;
    FPrintFontCustom = S->FPrintFontCustom;
    FPrintFont->Assign(S->FPrintFont.get());
    FReadOnly = S->FReadOnly;
    FShowBands = S->FShowBands;
    FSortStyle = S->FSortStyle;
    FSortPrefix = S->FSortPrefix;
    FSortSuffix = S->FSortSuffix;
    FSpinMax = S->FSpinMax;
    FSpinMin = S->FSpinMin;
    FSpinStep = S->FSpinStep;
    FStyleElements = S->FStyleElements;
    FTag = S->FTag;
    FWidth = S->Width();
    FDefIdx = S->FDefIdx;
}

void TGridColumnItem::AssignVisuals(const TPersistent* Source) {
    const auto* S = dynamic_cast<const TGridColumnItem*>(Source);
    if (!S) return;
    FAlignment = S->FAlignment;
    FHeaderAlignment = S->FHeaderAlignment;
    FBorderPen->Assign(S->FBorderPen.get());
    FBorders = S->FBorders;
    FCheckFalse = S->FCheckFalse;
    FCheckTrue = S->FCheckTrue;
    FEditLength = S->FEditLength;
    FEditLink = S->FEditLink;
    FEditMask = S->FEditMask;
    FEditor = S->FEditor;
    FFixed = S->FFixed;
    FHeaderFont->Assign(S->FHeaderFont.get());
    FPassword = S->FPassword;
    FPrintBorderPen->Assign(S->FPrintBorderPen.get());
    FPrintBorders = S->FPrintBorders;
    FPrintColor = S->FPrintColor;
    FPrintFont->Assign(S->FPrintFont.get());
    FReadOnly = S->FReadOnly;
    FSortPrefix = S->FSortPrefix;
    FSortStyle = S->FSortStyle;
    FSortSuffix = S->FSortSuffix;
    FSpinMax = S->FSpinMax;
    FSpinMin = S->FSpinMin;
    FSpinStep = S->FSpinStep;
    FColumnPopup = S->FColumnPopup;
    FWidth = S->Width();
    FShowBands = S->FShowBands;
    FMinSize = S->FMinSize;
    FMaxSize = S->FMaxSize;
    FAutoMinSize = S->FAutoMinSize;
    FAutoMaxSize = S->FAutoMaxSize;
    FFilter->Assign(S->FFilter.get());
    FFilterCaseSensitive = S->FFilterCaseSensitive;
    FDefIdx = S->FDefIdx;
    FFloatFormat = S->FFloatFormat;
    FButtonWidth = S->FButtonWidth;
    FButtonHeight = S->FButtonHeight;
    FButtonCaption = S->FButtonCaption;
    // Colour and font come from the grid; a font designed at 96 dots per
    // inch is brought back to that size on a larger scale.
    if (TVarErozidOvur* G = Grid()) {
        FColor = G->Color();
        FFont->Assign(G->Font());
        const Single Scale = G->DPIScale();
        if (Scale > 1.0f) FFont->SetHeight(Integer(std::nearbyint(Single(FFont->Height()) / Scale)));
    }
}

// ---- Cells of the column ----

String TGridColumnItem::Rows(Integer ARow) const { return CheckedGrid().Cells(Index(), ARow); }
void TGridColumnItem::SetRows(Integer ARow, const String& Value) { CheckedGrid().SetCells(Index(), ARow, Value); }
Integer TGridColumnItem::Ints(Integer ARow) const { return CheckedGrid().Ints(Index(), ARow); }
void TGridColumnItem::SetInts(Integer ARow, Integer Value) { CheckedGrid().SetInts(Index(), ARow, Value); }
Double TGridColumnItem::Floats(Integer ARow) const { return CheckedGrid().Floats(Index(), ARow); }
void TGridColumnItem::SetFloats(Integer ARow, Double Value) { CheckedGrid().SetFloats(Index(), ARow, Value); }
TDateTime TGridColumnItem::Dates(Integer ARow) const { return CheckedGrid().Dates(Index(), ARow); }
void TGridColumnItem::SetDates(Integer ARow, TDateTime Value) { CheckedGrid().SetDates(Index(), ARow, Value); }
TDateTime TGridColumnItem::Times(Integer ARow) const { return CheckedGrid().Times(Index(), ARow); }
void TGridColumnItem::SetTimes(Integer ARow, TDateTime Value) { CheckedGrid().SetTimes(Index(), ARow, Value); }

// ---- Collection ----

const TClassInfo& TGridColumnCollection::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridColumnCollection, TOwnedCollection>().Build();
    return Info;
}

TGridColumnCollection::TGridColumnCollection(TVarErozidOvur* AOwner)
    : TOwnedCollection(AOwner, TGridColumnItem::StaticClassInfo()), FOwner(AOwner) {}

TGridColumnItem* TGridColumnCollection::Add() {
    Integer Largest = -1;
    for (Integer i = 0; i < Count(); ++i) Largest = std::max(Largest, Items(i)->DefIdx());
    auto* Item = static_cast<TGridColumnItem*>(TCollection::Add());
    if (Count() > FOwner->FixedCols() && Count() > 1) Item->AssignVisuals(Items(Count() - 2));
    // Default positions stay distinct: a new column ranks after every other.
    Item->SetDefIdx(Largest + 1);
    return Item;
}

TGridColumnItem* TGridColumnCollection::Insert(Integer Index) {
    return static_cast<TGridColumnItem*>(TCollection::Insert(Index));
}

void TGridColumnCollection::Update(TCollectionItem* Item) {
    TOwnedCollection::Update(Item);
    if (UpdateCount() > 0 || FNoRecursiveUpdate || FOwner->IsLoading()) return;
    const Integer N = Count() - FOwner->NumHiddenColumns();
    if (FOwner->ColCount() != N && FOwner->FixedCols() < N) FOwner->SetColCount(N);
    FOwner->SyncColumnHeaders();
    if (FOwner->HandleAllocated()) FOwner->Invalidate();
}

void TGridColumnCollection::SetOrganization() {
    {
        TNoRecursiveUpdate Guard(this);
        FOwner->SyncColumnCount();
    }
    for (Integer i = 0; i < Count(); ++i) Items(i)->SetDefIdx(i);
}

void TGridColumnCollection::ResetOrganization() {
    const Integer N = Count();
    // The target order, computed once: ascending DefIdx, ties in their
    // present order, values outside 0 .. N-1 after all others.
    std::vector<Integer> Order(size_t(N), 0);
    std::iota(Order.begin(), Order.end(), 0);
    auto Key = [this, N](Integer i) {
        const Integer D = Items(i)->DefIdx();
        return D >= 0 && D < N ? Int64(D) : Int64(N);
    };
    std::stable_sort(Order.begin(), Order.end(), [&Key](Integer a, Integer b) { return Key(a) < Key(b); });
    // Bring the item meant for each position there, left to right: every
    // column moves at most once. Current[k] is the original index of the
    // item now at k.
    std::vector<Integer> Current(size_t(N), 0);
    std::iota(Current.begin(), Current.end(), 0);
    for (Integer Target = 0; Target < N; ++Target) {
        const Integer From =
            Integer(std::find(Current.begin(), Current.end(), Order[size_t(Target)]) - Current.begin());
        if (From == Target) continue;
        const Integer ShownFrom = FOwner->RealToDisplColumn(From);
        const Integer ShownTo = FOwner->RealToDisplColumn(Target);
        if (FOwner->IsHiddenColumn(From) || FOwner->IsHiddenColumn(Target)) continue;
        FOwner->MoveColumn(ShownFrom, ShownTo);
        const Integer Moved = Current[size_t(From)];
        Current.erase(Current.begin() + From);
        Current.insert(Current.begin() + Target, Moved);
    }
}
