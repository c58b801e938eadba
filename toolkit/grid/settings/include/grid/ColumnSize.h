#pragma once
// TColumnSize: the grid's ColumnSize settings: where column widths and
// positions are stored, whether the grid keeps them itself, and column
// stretching. Storing and restoring are the grid's operations.

#include "grid/GridSettingsOwner.h"
#include "grid/GridSettingsTypes.h"

class TColumnSize : public TPersistent {
    RTL_CLASS(TColumnSize)
public:
    explicit TColumnSize(IGridSettingsOwner* AOwner);

    // From another column size: every published setting, Stretch and
    // StretchAll included, without stretching again; other sources are
    // ignored.
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override;

    TAutoSizeRows Rows() const { return FRows; }
    void SetRows(TAutoSizeRows Value) { FRows = Value; }
    bool Save() const { return FSave; }
    void SetSave(bool Value) { FSave = Value; }
    // A registry key below HKEY_CURRENT_USER, or an INI file name.
    const String& Key() const { return FKey; }
    void SetKey(const String& Value) { FKey = Value; }
    // The registry subkey below Key, or the INI section.
    const String& Section() const { return FSection; }
    void SetSection(const String& Value) { FSection = Value; }
    // Stores and has the grid stretch its columns again.
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value) { WriteStretch(Value); }
    void WriteStretch(bool Value);
    // On a change: stored (True also makes StretchColumn -1), and the grid
    // shares its width among the normal columns again.
    bool StretchAll() const { return FStretchAll; }
    void SetStretchAll(bool Value);
    // The flags alone, without stretching (the grid stretches itself).
    void StoreStretch(bool Value) { FStretch = Value; }
    void StoreStretchAll(bool Value) { FStretchAll = Value; }
    // -1: the last column.
    Integer StretchColumn() const { return FStretchColumn; }
    void SetStretchColumn(Integer Value) { FStretchColumn = Value; }
    bool SynchWithGrid() const { return FSynchWithGrid; }
    void SetSynchWithGrid(bool Value) { FSynchWithGrid = Value; }
    bool SynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
    void SetSynchNormalCellsOnly(bool Value) { FSynchNormalCellsOnly = Value; }
    TColumnSizeLocation Location() const { return FLocation; }
    void SetLocation(TColumnSizeLocation Value) { FLocation = Value; }

private:
    IGridSettingsOwner* FOwner;
    TAutoSizeRows FRows = arAll;
    bool FSave = false;
    String FKey;
    String FSection;
    bool FStretch = false;
    bool FStretchAll = false;
    Integer FStretchColumn = -1;
    bool FSynchWithGrid = false;
    bool FSynchNormalCellsOnly = false;
    TColumnSizeLocation FLocation = clRegistry;
};
