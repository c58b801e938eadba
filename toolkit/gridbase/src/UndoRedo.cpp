// The cell-edit history: registering, trimming, undo and redo.

#include "gridbase/UndoRedo.h"

#include "gridbase/BaseGrid.h"
#include "rtl/ClassBuilder.h"

const TClassInfo& TUndoRedoItem::StaticClassInfo() {
    using I = TUndoRedoItem;
    static const TClassInfo Info = TClassBuilder<I, TCollectionItem>()
                                       .Property(u"Row", &I::Row, &I::SetRow)
                                       .Property(u"Col", &I::Col, &I::SetCol)
                                       .Property(u"Value", &I::Value, &I::SetValue)
                                       .Property(u"OrigValue", &I::OrigValue, &I::SetOrigValue)
                                       .Property(u"SequenceStart", &I::SequenceStart, &I::SetSequenceStart)
                                       .Default(false)
                                       .Property(u"SequenceStop", &I::SequenceStop, &I::SetSequenceStop)
                                       .Default(false)
                                       .Build();
    return Info;
}

const TClassInfo& TUndoRedoCollection::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TUndoRedoCollection, TCollection>().Build();
    return Info;
}

TUndoRedoCollection::TUndoRedoCollection() : TCollection(TUndoRedoItem::StaticClassInfo()) {}

const TClassInfo& TKelGridUndoRedo::StaticClassInfo() {
    using U = TKelGridUndoRedo;
    static const TClassInfo Info =
        TClassBuilder<U, TComponent>()
            .Property(u"MaxLevel", &U::MaxLevel, &U::SetMaxLevel)
            .Default(0)
            .Property(u"OnUndo", &U::OnUndo, [](U& O, TKelGridUndoRedoEvent E) { O.OnUndo = std::move(E); })
            .Property(u"OnRedo", &U::OnRedo, [](U& O, TKelGridUndoRedoEvent E) { O.OnRedo = std::move(E); })
            .Build();
    return Info;
}

TKelGridUndoRedo::TKelGridUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TUndoRedoCollection>()) {}

TKelGridUndoRedo::~TKelGridUndoRedo() {
    if (FGrid && FGrid->UndoRedo() == this) FGrid->SetUndoRedo(nullptr);
}

void TKelGridUndoRedo::SetGrid(TBaseGrid* Value) {
    if (FGrid == Value) return;
    if (FGrid) FGrid->RemoveFreeNotification(this);
    FGrid = Value;
    if (FGrid) FGrid->FreeNotification(this);
}

void TKelGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
}

TUndoRedoItem* TKelGridUndoRedo::Append() {
    // What was undone is no longer redoable once something new happens.
    while (FItems->Count() > FLevel)
        FItems->Delete(FItems->Count() - 1);
    return FItems->Add();
}

// Drops the oldest whole step (a change, or a sequence with its markers),
// never a sequence that is still open.
void TKelGridUndoRedo::TrimToMaxLevel() {
    while (FMaxLevel > 0 && FItems->Count() >= FMaxLevel) {
        Integer Remove = 1;
        if (FItems->Items(0)->SequenceStart()) {
            Remove = 0;
            for (Integer I = 1; I < FItems->Count(); ++I)
                if (FItems->Items(I)->SequenceStop()) {
                    Remove = I + 1;
                    break;
                }
            if (Remove == 0) return;
        }
        for (Integer I = 0; I < Remove; ++I)
            FItems->Delete(0);
        FLevel = std::max(FLevel - Remove, 0);
    }
}

void TKelGridUndoRedo::RegisterChange(Integer ACol, Integer ARow, const String& OldValue, const String& NewValue) {
    while (FItems->Count() > FLevel)
        FItems->Delete(FItems->Count() - 1);
    TrimToMaxLevel();
    TUndoRedoItem* Item = Append();
    Item->SetCol(ACol);
    Item->SetRow(ARow);
    Item->SetValue(NewValue);
    Item->SetOrigValue(OldValue);
    FLevel = FItems->Count();
}

void TKelGridUndoRedo::StartSequence() {
    Append()->SetSequenceStart(true);
    FLevel = FItems->Count();
}

void TKelGridUndoRedo::StopSequence() {
    Append()->SetSequenceStop(true);
    FLevel = FItems->Count();
}

void TKelGridUndoRedo::Reset() {
    FItems->Clear();
    FLevel = 0;
}

void TKelGridUndoRedo::Apply(TUndoRedoItem* Item, bool Undoing, bool ThroughCheckBox) {
    const String& Target = Undoing ? Item->OrigValue() : Item->Value();
    const TKelGridUndoRedoEvent& Event = Undoing ? OnUndo : OnRedo;
    if (Event) Event(this, FGrid, Item->Col(), Item->Row(), FGrid->Cells(Item->Col(), Item->Row()), Target);
    if (ThroughCheckBox && FGrid->HasCellCheckBox(Item->Col(), Item->Row()))
        FGrid->SetCellCheckText(Item->Col(), Item->Row(), Target);
    else
        FGrid->SetCells(Item->Col(), Item->Row(), Target);
    // The current cell follows the change, where it can go.
    const Integer DC = FGrid->DisplColIndex(Item->Col());
    if (DC >= FGrid->FixedCols() && DC < FGrid->ColCount() && Item->Row() >= FGrid->FixedRows() &&
        Item->Row() < FGrid->RowCount()) {
        FGrid->SetCol(DC);
        FGrid->SetRow(Item->Row());
    }
}

void TKelGridUndoRedo::Undo() {
    if (!FGrid || FLevel <= 0 || FLevel > FItems->Count()) return;
    TUndoRedoItem* Top = FItems->Items(FLevel - 1);
    if (Top->SequenceStop()) {
        --FLevel;
        while (FLevel > 0 && !FItems->Items(FLevel - 1)->SequenceStart()) {
            TUndoRedoItem* Item = FItems->Items(FLevel - 1);
            if (!Item->SequenceStop()) Apply(Item, true, false);
            --FLevel;
        }
        if (FLevel > 0) --FLevel; // the start marker
        FGrid->Invalidate();
    } else if (Top->SequenceStart()) {
        // A sequence left open: its marker is stepped over.
        --FLevel;
        Undo();
    } else {
        Apply(Top, true, true);
        FGrid->RepaintCell(FGrid->Col(), FGrid->Row());
        --FLevel;
    }
}

void TKelGridUndoRedo::Redo() {
    if (!FGrid || FLevel < 0 || FLevel >= FItems->Count()) return;
    TUndoRedoItem* Item = FItems->Items(FLevel);
    ++FLevel;
    if (Item->SequenceStart()) {
        while (FLevel < FItems->Count() && !FItems->Items(FLevel)->SequenceStop()) {
            TUndoRedoItem* Change = FItems->Items(FLevel);
            if (!Change->SequenceStart()) Apply(Change, false, false);
            ++FLevel;
        }
        if (FLevel < FItems->Count()) ++FLevel; // the stop marker
        FGrid->Invalidate();
    } else if (Item->SequenceStop()) {
        // A stop marker without its start: stepped over.
        Redo();
    } else {
        Apply(Item, false, false);
        FGrid->RepaintCell(FGrid->Col(), FGrid->Row());
    }
}
