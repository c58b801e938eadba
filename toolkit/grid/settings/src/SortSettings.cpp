#include "grid/SortSettings.h"

#include "grid/GridError.h"
#include "gridbase/IntList.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"

const TClassInfo& TSortSettings::StaticClassInfo() {
    using C = TSortSettings;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"AutoSortForGrouping", &C::AutoSortForGrouping, &C::SetAutoSortForGrouping)
            .Default(true)
            .Property(u"AutoColumnMerge", &C::AutoColumnMerge, &C::SetAutoColumnMerge)
            .Default(false)
            .Property(u"DefaultFormat", &C::DefaultFormat, &C::SetDefaultFormat)
            .Default(ssAutomatic)
            .Property(u"Column", &C::Column, &C::SetColumn)
            .Default(-1)
            .Property(u"Show", &C::Show, &C::SetShow)
            .Default(false)
            .Property(u"IndexShow", &C::IndexShow, &C::SetIndexShow)
            .Default(false)
            .Property(u"IndexColor", TypeInfo_TColor(), &C::IndexColor, &C::SetIndexColor)
            .Default(TColor(0x0000FFFF))
            .Property(u"IndexSortKey", &C::IndexSortKey, &C::SetIndexSortKey)
            .Default(ikShift)
            .Property(u"Full", &C::Full, &C::SetFull)
            .Default(true)
            .Property(u"SingleColumn", &C::SingleColumn, &C::SetSingleColumn)
            .Default(false)
            .Property(u"IgnoreBlanks", &C::IgnoreBlanks, &C::SetIgnoreBlanks)
            .Default(false)
            .Property(u"BlankPos", &C::BlankPos, &C::SetBlankPos)
            .Default(blFirst)
            .Property(u"AutoFormat", &C::AutoFormat, &C::SetAutoFormat)
            .Default(true)
            .Property(u"Direction", &C::Direction, &C::SetDirection)
            .Default(sdAscending)
            .Property(u"UpGlyph", &C::UpGlyph, &C::SetUpGlyph)
            .Property(u"DownGlyph", &C::DownGlyph, &C::SetDownGlyph)
            .Property(u"IgnoreCase", &C::IgnoreCase, &C::SetIgnoreCase)
            .Default(false)
            .Property(u"IndexUpGlyph", &C::IndexUpGlyph, &C::SetIndexUpGlyph)
            .Property(u"IndexDownGlyph", &C::IndexDownGlyph, &C::SetIndexDownGlyph)
            .Property(u"InitSortDirection", &C::InitSortDirection, &C::SetInitSortDirection)
            .Default(sdAscending)
            .Property(u"FixedCols", &C::FixedCols, &C::SetFixedCols)
            .Default(false)
            .Property(u"NormalCellsOnly", &C::NormalCellsOnly, &C::SetNormalCellsOnly)
            .Default(false)
            .Property(u"Row", &C::Row, &C::SetRow)
            .Default(0)
            .Property(u"UndoSort", &C::UndoSort, &C::SetUndoSort)
            .Default(false)
            .Property(u"SortOnVirtualCells", &C::SortOnVirtualCells, &C::SetSortOnVirtualCells)
            .Default(true)
            .Property(u"HeaderColor", TypeInfo_TColor(), &C::HeaderColor, &C::SetHeaderColor)
            .Default(TColor(clNone))
            .Property(u"HeaderColorTo", TypeInfo_TColor(), &C::HeaderColorTo, &C::SetHeaderColorTo)
            .Default(TColor(clNone))
            .Property(u"HeaderMirrorColor", TypeInfo_TColor(), &C::HeaderMirrorColor, &C::SetHeaderMirrorColor)
            .Default(TColor(clNone))
            .Property(u"HeaderMirrorColorTo", TypeInfo_TColor(), &C::HeaderMirrorColorTo, &C::SetHeaderMirrorColorTo)
            .Default(TColor(clNone))
            .Build();
    return Info;
}

TSortSettings::TSortSettings(IGridSettingsOwner* AOwner)
    : FOwner(AOwner), FUpGlyph(std::make_unique<TBitmap>()), FDownGlyph(std::make_unique<TBitmap>()),
      FIndexUpGlyph(std::make_unique<TBitmap>()), FIndexDownGlyph(std::make_unique<TBitmap>()) {}

TSortSettings::~TSortSettings() = default;

TPersistent* TSortSettings::GetOwner() const {
    return FOwner ? FOwner->GridObject() : nullptr;
}

void TSortSettings::SetShow(bool Value) {
    if (FShow == Value) return;
    FShow = Value;
    if (FOwner) FOwner->Repaint();
}

void TSortSettings::SetColumn(Integer Value) {
    if (FColumn == Value) return;
    FColumn = Value;
    if (FOwner && FRow >= 0) FOwner->RepaintRow(FRow);
}

void TSortSettings::SetHeaderColour(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    const Integer HeaderRow = OnHeaderRow ? OnHeaderRow() : -1;
    if (FOwner && HeaderRow >= 0) FOwner->RepaintRow(HeaderRow);
}

void TSortSettings::SetUpGlyph(const TBitmap* Value) {
    FUpGlyph->Assign(Value);
}
void TSortSettings::SetDownGlyph(const TBitmap* Value) {
    FDownGlyph->Assign(Value);
}
void TSortSettings::SetIndexUpGlyph(const TBitmap* Value) {
    FIndexUpGlyph->Assign(Value);
}
void TSortSettings::SetIndexDownGlyph(const TBitmap* Value) {
    FIndexDownGlyph->Assign(Value);
}

void TSortSettings::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TSortSettings*>(Source);
    if (!Other) return;
    FShow = Other->FShow;
    FIndexShow = Other->FIndexShow;
    FFull = Other->FFull;
    FSingleColumn = Other->FSingleColumn;
    FIgnoreBlanks = Other->FIgnoreBlanks;
    FBlankPos = Other->FBlankPos;
    FAutoFormat = Other->FAutoFormat;
    FDirection = Other->FDirection;
    FUpGlyph->Assign(Other->FUpGlyph.get());
    FDownGlyph->Assign(Other->FDownGlyph.get());
    FIndexUpGlyph->Assign(Other->FIndexUpGlyph.get());
    FIndexDownGlyph->Assign(Other->FIndexDownGlyph.get());
    FNormalCellsOnly = Other->FNormalCellsOnly;
    FFixedCols = Other->FFixedCols;
    FColumn = Other->FColumn;
    FRow = Other->FRow;
    FAutoColumnMerge = Other->FAutoColumnMerge;
    FIndexColor = Other->FIndexColor;
    FInitSortDirection = Other->FInitSortDirection;
    FUndoSort = Other->FUndoSort;
    FAutoSortForGrouping = Other->FAutoSortForGrouping;
    FHeaderColor = Other->FHeaderColor;
    FHeaderColorTo = Other->FHeaderColorTo;
    FHeaderMirrorColor = Other->FHeaderMirrorColor;
    FHeaderMirrorColorTo = Other->FHeaderMirrorColorTo;
    FIndexSortKey = Other->FIndexSortKey;
    FDefaultFormat = Other->FDefaultFormat;
}

void TSortSettings::SetRow(Integer Value) {
    const Integer Fixed = FOwner && !FOwner->IsLoading() ? FOwner->SortFixedRows() : -1;
    if (Fixed >= 0 && Value >= Fixed) throw EKelGridError(u"Sort row should be smaller than number of fixed rows");
    FRow = Value;
}

void TSortSettings::Remove() {
    SetColumn(-1);
    if (!FOwner) return;
    if (TSortIndexList* Indexes = FOwner->SortIndexList()) Indexes->Clear();
    const Integer Fixed = FOwner->SortFixedRows();
    if (Fixed > 0) FOwner->RepaintRow(Fixed - 1);
}

String TSortSettings::SaveToString() const {
    if (FIndexShow) {
        const TSortIndexList* Indexes = FOwner ? FOwner->SortIndexList() : nullptr;
        return u"i;" + (Indexes ? Indexes->SaveToString() : String());
    }
    return (FDirection == sdAscending ? u"u" : u"d") + IntToStr(FColumn);
}

void TSortSettings::LoadFromString(const String& Value) {
    if (Value.empty()) return;
    SetShow(true);
    if (Value.size() < 2) throw EKelGridError(u"Invalid sort settings specifier");
    if (Value.find(u"i;") != String::npos) {
        FIndexShow = true;
        const String Rest = Value.substr(2);
        TSortIndexList* Indexes = FOwner ? FOwner->SortIndexList() : nullptr;
        if (Rest.empty() || !Indexes) return;
        Indexes->LoadFromString(Rest);
        FOwner->SortOnIndexes();
        return;
    }
    FIndexShow = false;
    FDirection = Value.find(u'u') != String::npos ? sdAscending : sdDescending;
    Integer NewColumn = 0;
    if (!TryStrToInt(Value.substr(1), NewColumn)) return;
    SetColumn(NewColumn);
    if (FOwner) FOwner->SortOnColumn();
}
