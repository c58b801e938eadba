#pragma once
// The undo and redo of cell edits: a linear history of cell-text changes of
// one grid, where a sequence framed by a start and a stop marker undoes and
// redoes as one step.

#include "gridbase/GridTypes.h"
#include "rtl/Collection.h"
#include "rtl/Component.h"

class TBaseGrid;

class TUndoRedoItem : public TCollectionItem {
    RTL_CLASS(TUndoRedoItem)
public:
    explicit TUndoRedoItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

    Integer Row() const { return FRow; }
    void SetRow(Integer Value) { FRow = Value; }
    Integer Col() const { return FCol; }
    void SetCol(Integer Value) { FCol = Value; }
    // The text after the change (written by redo) and before it (by undo).
    const String& Value() const { return FValue; }
    void SetValue(const String& Value) { FValue = Value; }
    const String& OrigValue() const { return FOrigValue; }
    void SetOrigValue(const String& Value) { FOrigValue = Value; }
    bool SequenceStart() const { return FSequenceStart; }
    void SetSequenceStart(bool Value) { FSequenceStart = Value; }
    bool SequenceStop() const { return FSequenceStop; }
    void SetSequenceStop(bool Value) { FSequenceStop = Value; }

private:
    Integer FRow = -1;
    Integer FCol = -1;
    String FValue;
    String FOrigValue;
    bool FSequenceStart = false;
    bool FSequenceStop = false;
};

class TUndoRedoCollection : public TCollection {
    RTL_CLASS(TUndoRedoCollection)
public:
    TUndoRedoCollection();
    TUndoRedoItem* Items(Integer Index) const { return static_cast<TUndoRedoItem*>(TCollection::Items(Index)); }
    TUndoRedoItem* Add() { return static_cast<TUndoRedoItem*>(TCollection::Add()); }
};

class TKelGridUndoRedo : public TComponent {
    RTL_CLASS(TKelGridUndoRedo)
public:
    explicit TKelGridUndoRedo(TComponent* AOwner);
    ~TKelGridUndoRedo() override;

    TUndoRedoCollection* Items() const { return FItems.get(); }
    TBaseGrid* Grid() const { return FGrid; }
    void SetGrid(TBaseGrid* Value);
    // How many items are in effect; those from Level on are undone.
    Integer Level() const { return FLevel; }
    // The longest history kept (0: no bound); the oldest whole step goes
    // first.
    Integer MaxLevel() const { return FMaxLevel; }
    void SetMaxLevel(Integer Value) { FMaxLevel = Value; }

    // A change after an undo drops the undone items: the history stays linear.
    virtual void RegisterChange(Integer ACol, Integer ARow, const String& OldValue, const String& NewValue);
    virtual void StartSequence();
    virtual void StopSequence();

    void Undo();
    void Redo();
    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FLevel < FItems->Count(); }
    void Reset();

    TKelGridUndoRedoEvent OnUndo;
    TKelGridUndoRedoEvent OnRedo;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TUndoRedoItem* Append();
    void TrimToMaxLevel();
    // Writes one item's text into the grid and moves the current cell to it.
    void Apply(TUndoRedoItem* Item, bool Undoing, bool ThroughCheckBox);

    std::unique_ptr<TUndoRedoCollection> FItems;
    TBaseGrid* FGrid = nullptr;
    Integer FLevel = 0;
    Integer FMaxLevel = 0;
};
