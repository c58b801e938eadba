#include "grid/ColumnSize.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TColumnSize::StaticClassInfo() {
    using C = TColumnSize;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"Rows", &C::Rows, &C::SetRows)
            .Default(arAll)
            .Property(u"Save", &C::Save, &C::SetSave)
            .Default(false)
            .Property(u"Key", &C::Key, &C::SetKey)
            .Property(u"Section", &C::Section, &C::SetSection)
            .Property(u"Stretch", &C::Stretch, &C::SetStretch)
            .Default(false)
            .Property(u"StretchAll", &C::StretchAll, &C::SetStretchAll)
            .Default(false)
            .Property(u"StretchColumn", &C::StretchColumn, &C::SetStretchColumn)
            .Default(-1)
            .Property(u"SynchWithGrid", &C::SynchWithGrid, &C::SetSynchWithGrid)
            .Default(false)
            .Property(u"SynchNormalCellsOnly", &C::SynchNormalCellsOnly, &C::SetSynchNormalCellsOnly)
            .Default(false)
            .Property(u"Location", &C::Location, &C::SetLocation)
            .Default(clRegistry)
            .Build();
    return Info;
}

TColumnSize::TColumnSize(IGridSettingsOwner* AOwner) : FOwner(AOwner) {}

TPersistent* TColumnSize::GetOwner() const {
    return FOwner ? FOwner->GridObject() : nullptr;
}

void TColumnSize::WriteStretch(bool Value) {
    FStretch = Value;
    if (FOwner) FOwner->ReStretchColumns();
}

void TColumnSize::SetStretchAll(bool Value) {
    if (FStretchAll == Value) return;
    if (Value) FStretchColumn = -1;
    FStretchAll = Value;
    if (FOwner) FOwner->ReStretchAllColumns();
}

void TColumnSize::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TColumnSize*>(Source);
    if (!Other) return;
    FRows = Other->FRows;
    FSave = Other->FSave;
    FKey = Other->FKey;
    FSection = Other->FSection;
    FStretch = Other->FStretch;
    FStretchAll = Other->FStretchAll;
    FStretchColumn = Other->FStretchColumn;
    FSynchWithGrid = Other->FSynchWithGrid;
    FSynchNormalCellsOnly = Other->FSynchNormalCellsOnly;
    FLocation = Other->FLocation;
}
