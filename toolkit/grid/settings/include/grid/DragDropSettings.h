#pragma once
// TDragDropSettings: how the grid takes part in OLE drag and drop; and
// TDragScrollOptions (with TDragScrollDelays and TDragScrollMargins): when
// the grid scrolls while something is dragged over it.

#include "grid/GridSettingsOwner.h"

#include <memory>

class TDragDropSettings : public TPersistent {
    RTL_CLASS(TDragDropSettings)
public:
    explicit TDragDropSettings(IGridSettingsOwner* AGrid);

    // From other drag-and-drop settings: the sixteen switches, field by
    // field, without the setters (so no drop target is registered and the
    // rich-text support stays as it is); the bookkeeping rows are not
    // copied. Other sources are ignored.
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override;

    // Switches the OLE layer's process-wide rich-text support, then stores.
    bool OleDropRTF() const { return FOleDropRTF; }
    void SetOleDropRTF(bool Value);
    bool OleAcceptText() const { return FOleAcceptText; }
    void SetOleAcceptText(bool Value) { FOleAcceptText = Value; }
    bool OleEntireRows() const { return FOleEntireRows; }
    void SetOleEntireRows(bool Value) { FOleEntireRows = Value; }
    bool OleDropSource() const { return FOleDropSource; }
    void SetOleDropSource(bool Value) { FOleDropSource = Value; }
    bool OleRemoveRows() const { return FOleRemoveRows; }
    void SetOleRemoveRows(bool Value) { FOleRemoveRows = Value; }
    bool OleAcceptFiles() const { return FOleAcceptFiles; }
    void SetOleAcceptFiles(bool Value) { FOleAcceptFiles = Value; }
    bool OleAcceptURLs() const { return FOleAcceptURLs; }
    void SetOleAcceptURLs(bool Value) { FOleAcceptURLs = Value; }
    // On a change (not at design time): registers the grid's window as a
    // drop target, or revokes a registration that succeeded.
    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool Value) { WriteOleDropTarget(Value); }
    void WriteOleDropTarget(bool Value);
    bool OleInsertRows() const { return FOleInsertRows; }
    void SetOleInsertRows(bool Value) { FOleInsertRows = Value; }
    bool OleAppendRows() const { return FOleAppendRows; }
    void SetOleAppendRows(bool Value) { FOleAppendRows = Value; }
    bool OleCopyAlways() const { return FOleCopyAlways; }
    void SetOleCopyAlways(bool Value) { FOleCopyAlways = Value; }
    bool OleColumnDragDrop() const { return FOleColumnDragDrop; }
    void SetOleColumnDragDrop(bool Value) { FOleColumnDragDrop = Value; }
    bool OleColumnReorder() const { return FOleColumnReorder; }
    void SetOleColumnReorder(bool Value) { FOleColumnReorder = Value; }
    bool OleColumnsOnly() const { return FOleColumnsOnly; }
    void SetOleColumnsOnly(bool Value) { FOleColumnsOnly = Value; }
    bool OleColumnPicker() const { return FOleColumnPicker; }
    void SetOleColumnPicker(bool Value) { FOleColumnPicker = Value; }
    bool ShowCells() const { return FShowCells; }
    void SetShowCells(bool Value) { FShowCells = Value; }

    // Bookkeeping of a drag: the first row of the dragged block, and the
    // rows a drop into the same grid inserted above it.
    Integer SourceRow() const { return FSourceRow; }
    void SetSourceRow(Integer Value) { FSourceRow = Value; }
    Integer RowDelta() const { return FRowDelta; }
    void SetRowDelta(Integer Value) { FRowDelta = Value; }

    // Whether the last registration as a drop target succeeded.
    bool DropTargetRegistered() const { return FDropTargetRegistered; }

private:
    IGridSettingsOwner* FGrid;
    bool FOleDropRTF = false;
    bool FOleAcceptText = true;
    bool FOleEntireRows = false;
    bool FOleDropSource = false;
    bool FOleRemoveRows = false;
    bool FOleAcceptFiles = true;
    bool FOleAcceptURLs = true;
    bool FOleDropTarget = false;
    bool FOleInsertRows = false;
    bool FOleAppendRows = false;
    bool FOleCopyAlways = false;
    bool FOleColumnDragDrop = false;
    bool FOleColumnReorder = false;
    bool FOleColumnsOnly = false;
    bool FOleColumnPicker = false;
    bool FShowCells = true;
    Integer FSourceRow = 0;
    Integer FRowDelta = 0;
    bool FDropTargetRegistered = false;
};

// Milliseconds before the first scroll step and between the following ones.
class TDragScrollDelays : public TPersistent {
    RTL_CLASS(TDragScrollDelays)
public:
    TDragScrollDelays() = default;
    void Assign(const TPersistent* Source) override;

    Integer InitialDelay() const { return FInitialDelay; }
    void SetInitialDelay(Integer Value) { FInitialDelay = Value; }
    Integer RepeatDelay() const { return FRepeatDelay; }
    void SetRepeatDelay(Integer Value) { FRepeatDelay = Value; }

private:
    Integer FInitialDelay = 1000;
    Integer FRepeatDelay = 250;
};

// Pixels from each edge within which a drag scrolls the grid.
class TDragScrollMargins : public TPersistent {
    RTL_CLASS(TDragScrollMargins)
public:
    TDragScrollMargins() = default;
    void Assign(const TPersistent* Source) override;

    Integer TopMargin() const { return FTopMargin; }
    void SetTopMargin(Integer Value) { FTopMargin = Value; }
    Integer BottomMargin() const { return FBottomMargin; }
    void SetBottomMargin(Integer Value) { FBottomMargin = Value; }
    Integer LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(Integer Value) { FLeftMargin = Value; }
    Integer RightMargin() const { return FRightMargin; }
    void SetRightMargin(Integer Value) { FRightMargin = Value; }

private:
    Integer FTopMargin = 50;
    Integer FBottomMargin = 50;
    Integer FLeftMargin = 50;
    Integer FRightMargin = 50;
};

class TDragScrollOptions : public TPersistent {
    RTL_CLASS(TDragScrollOptions)
public:
    TDragScrollOptions();
    ~TDragScrollOptions() override;

    // Margins and delays through their own Assign, then Active; other
    // sources are ignored.
    void Assign(const TPersistent* Source) override;

    bool Active() const { return FActive; }
    void SetActive(bool Value) { FActive = Value; }
    TDragScrollDelays* Delays() const { return FDelays.get(); }
    void SetDelays(const TDragScrollDelays* Value) { FDelays->Assign(Value); }
    TDragScrollMargins* Margins() const { return FMargins.get(); }
    void SetMargins(const TDragScrollMargins* Value) { FMargins->Assign(Value); }

private:
    bool FActive = false;
    std::unique_ptr<TDragScrollDelays> FDelays;
    std::unique_ptr<TDragScrollMargins> FMargins;
};
