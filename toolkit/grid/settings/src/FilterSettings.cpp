#include "grid/FilterSettings.h"

#include "EventProperty.h"
#include "rtl/ClassBuilder.h"

// ---- TFilterData ----------------------------------------------------------------

const TClassInfo& TFilterData::StaticClassInfo() {
    using C = TFilterData;
    static const TClassInfo Info = TClassBuilder<C, TCollectionItem>()
                                       .Property(u"Column", &C::Column, &C::SetColumn)
                                       .Default(0)
                                       .Property(u"Condition", &C::Condition, &C::SetCondition)
                                       .Property(u"CaseSensitive", &C::CaseSensitive, &C::SetCaseSensitive)
                                       .Default(true)
                                       .Property(u"Data", &C::Data, &C::SetData)
                                       .Default(fcVirtual)
                                       .Property(u"Enabled", &C::Enabled, &C::SetEnabled)
                                       .Default(true)
                                       .Property(u"Prefix", &C::Prefix, &C::SetPrefix)
                                       .Property(u"Suffix", &C::Suffix, &C::SetSuffix)
                                       .Property(u"Operation", &C::Operation, &C::SetOperation)
                                       .Property(u"Method", &C::Method, &C::SetMethod)
                                       .Default(fmExpression)
                                       .Property(u"RemoveAccented", &C::RemoveAccented, &C::SetRemoveAccented)
                                       .Default(false)
                                       .Build();
    return Info;
}

TFilterData::TFilterData(TCollection* ACollection) : TCollectionItem(ACollection) {}

void TFilterData::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TFilterData*>(Source);
    if (!Other) return;
    FColumn = Other->FColumn;
    FCondition = Other->FCondition;
    FCaseSensitive = Other->FCaseSensitive;
    FData = Other->FData;
    FPrefix = Other->FPrefix;
    FSuffix = Other->FSuffix;
    FOperation = Other->FOperation;
    FRemoveAccented = Other->FRemoveAccented;
}

void TFilterData::BuildCondition(const String& S) {
    const String T = S.find(u' ') != String::npos ? u"\"" + S + u"\"" : S;
    switch (FFilterType) {
    case ftStartsWith: FCondition = T + u"*"; break;
    case ftEndsWith: FCondition = u"*" + T; break;
    case ftContains: FCondition = u"*" + T + u"*"; break;
    case ftNotContains: FCondition = u"!*" + T + u"*"; break;
    case ftEqual: FCondition = T; break;
    case ftNotEqual: FCondition = u"!" + T; break;
    case ftLargerThan: FCondition = u">" + T; break;
    case ftSmallerThan: FCondition = u"<" + T; break;
    case ftClear:
    case ftNone: break;
    }
}

// ---- TFilter ----------------------------------------------------------------------

const TClassInfo& TFilter::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TFilter, TOwnedCollection>().Build();
    return Info;
}

TFilter::TFilter(IGridSettingsOwner* AOwner)
    : TOwnedCollection(AOwner ? AOwner->GridObject() : nullptr, TFilterData::StaticClassInfo()), FGrid(AOwner) {}

TFilterData* TFilter::Add() {
    auto* Item = static_cast<TFilterData*>(TCollection::Add());
    Item->SetOperation(Count() == 1 ? foNONE : foAND);
    return Item;
}

TFilterData* TFilter::Add(Integer AColumn, const String& ACondition, TFilterOperation AOperation) {
    auto* Item = static_cast<TFilterData*>(TCollection::Add());
    Item->SetColumn(AColumn);
    Item->SetCondition(ACondition);
    Item->SetOperation(AOperation);
    return Item;
}

TFilterData* TFilter::Insert(Integer) {
    return Add();
}

TFilterData* TFilter::ColumnFilter(Integer Col) {
    for (Integer i = 0; i < Count(); ++i)
        if (Items(i)->Column() == Col) return Items(i);
    TFilterData* Item = Add();
    Item->SetColumn(Col);
    return Item;
}

void TFilter::RemoveColumnFilter(Integer Col) {
    for (Integer i = Count() - 1; i >= 0; --i)
        if (Items(i)->Column() == Col) Delete(i);
    if (FGrid) FGrid->RepaintCell(Col, 0);
}

bool TFilter::HasFilter(Integer Col) const {
    for (Integer i = 0; i < Count(); ++i)
        if (Items(i)->Column() == Col) return true;
    return false;
}

bool TFilter::HasOtherFilter(Integer Col) const {
    for (Integer i = 0; i < Count(); ++i)
        if (Items(i)->Column() != Col) return true;
    return false;
}

TFilterType TFilter::HasFilterType(Integer Col) const {
    for (Integer i = 0; i < Count(); ++i)
        if (Items(i)->Column() == Col) return Items(i)->FilterType();
    return ftContains;
}

void TFilter::Update(TCollectionItem* Item) {
    TOwnedCollection::Update(Item);
    if (FGrid && !FGrid->IsDestroying()) FGrid->RepaintRow(0);
}

// ---- TFilterDropDown --------------------------------------------------------------

const TClassInfo& TFilterDropDown::StaticClassInfo() {
    using C = TFilterDropDown;
    static const TClassInfo Info = TClassBuilder<C, TPersistent>()
                                       .Property(u"AutoSize", &C::AutoSize, &C::SetAutoSize)
                                       .Default(false)
                                       .Property(u"CaseSensitive", &C::CaseSensitive, &C::SetCaseSensitive)
                                       .Default(false)
                                       .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
                                       .Default(TColor(clWindow))
                                       .Property(u"ColumnWidth", &C::ColumnWidth, &C::SetColumnWidth)
                                       .Default(false)
                                       .Property(u"Font", &C::Font, &C::SetFont)
                                       .Property(u"Glyph", &C::Glyph, &C::SetGlyph)
                                       .Property(u"GlyphActive", &C::GlyphActive, &C::SetGlyphActive)
                                       .Property(u"Height", &C::Height, &C::SetHeight)
                                       .Default(150)
                                       .Property(u"IgnoreHTML", &C::IgnoreHTML, &C::SetIgnoreHTML)
                                       .Default(true)
                                       .Property(u"Method", &C::Method, &C::SetMethod)
                                       .Default(fmExpression)
                                       .Property(u"Sorted", &C::Sorted, &C::SetSorted)
                                       .Default(true)
                                       .Property(u"TextChecked", &C::TextChecked, &C::SetTextChecked)
                                       .Property(u"TextUnChecked", &C::TextUnChecked, &C::SetTextUnChecked)
                                       .Property(u"Width", &C::Width, &C::SetWidth)
                                       .Default(150)
                                       .Property(u"OnChange", TypeInfo_TNotifyEvent(), &C::OnChange,
                                                 EventSetter(&C::OnChange))
                                       .Build();
    return Info;
}

TFilterDropDown::TFilterDropDown()
    : FFont(std::make_unique<TFont>()), FGlyph(std::make_unique<TBitmap>()), FGlyphActive(std::make_unique<TBitmap>()) {}

TFilterDropDown::~TFilterDropDown() = default;

void TFilterDropDown::SetGlyph(const TBitmap* Value) {
    FGlyph->Assign(Value);
    if (OnChange) OnChange(this);
}

void TFilterDropDown::SetGlyphActive(const TBitmap* Value) {
    FGlyphActive->Assign(Value);
    if (OnChange) OnChange(this);
}

void TFilterDropDown::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TFilterDropDown*>(Source);
    if (!Other) return;
    FCaseSensitive = Other->FCaseSensitive;
    FColor = Other->FColor;
    FColumnWidth = Other->FColumnWidth;
    FFont->Assign(Other->FFont.get());
    FHeight = Other->FHeight;
    FWidth = Other->FWidth;
    FGlyph->Assign(Other->FGlyph.get());
    FGlyphActive->Assign(Other->FGlyphActive.get());
    FTextChecked = Other->FTextChecked;
    FTextUnChecked = Other->FTextUnChecked;
    FIgnoreHTML = Other->FIgnoreHTML;
    FMethod = Other->FMethod;
}

// ---- TFilterEdit ------------------------------------------------------------------

const TClassInfo& TFilterEdit::StaticClassInfo() {
    using C = TFilterEdit;
    static const TClassInfo Info = TClassBuilder<C, TPersistent>()
                                       .Property(u"AutoHotKey", &C::AutoHotKey, &C::SetAutoHotKey)
                                       .Default(false)
                                       .Property(u"CaseSensitive", &C::CaseSensitive, &C::SetCaseSensitive)
                                       .Default(true)
                                       .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
                                       .Default(TColor(0xFFFFFF))
                                       .Property(u"Columns", &C::Columns, &C::SetColumns)
                                       .Default(fdNormal)
                                       .Property(u"Enabled", &C::Enabled, &C::SetEnabled)
                                       .Default(false)
                                       .Property(u"Row", &C::Row, &C::SetRow)
                                       .Default(0)
                                       .Property(u"TypeNames", &C::TypeNames, &C::SetTypeNames)
                                       .Build();
    return Info;
}

TFilterEdit::TFilterEdit(IGridSettingsOwner* AOwner) : FOwner(AOwner), FTypeNames(std::make_unique<TStringList>()) {
    for (const char16_t* Name : {u"Starts with", u"Ends with", u"Contains", u"Not contains", u"Equal", u"Not equal",
                                 u"Larger than", u"Smaller than", u"Clear"})
        FTypeNames->Add(Name);
}

TFilterEdit::~TFilterEdit() = default;

void TFilterEdit::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    if (FOwner) FOwner->FilterEditEnabledChanged();
}

void TFilterEdit::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TFilterEdit*>(Source);
    if (!Other) return;
    FEnabled = Other->FEnabled;
    FRow = Other->FRow;
    FColor = Other->FColor;
    FColumns = Other->FColumns;
    FTypeNames->Assign(Other->FTypeNames.get());
    FCaseSensitive = Other->FCaseSensitive;
    FAutoHotKey = Other->FAutoHotKey;
}
