#pragma once
// IGridSettingsOwner: what the settings objects need of the string grid that
// owns them, without knowing the grid class. The grid implements it and
// hands itself to each settings object it creates; a settings object made
// without an owner (a stand-alone copy) keeps its values and reaches no grid.

#include "rtl/Persistent.h"
#include "rtl/TypeInfo.h"

#include <memory>

class TSortIndexList;

// The grid's fixed-cell gradient colours that the control look writes
// through. From, To and their mirror colours are stored as RGB and repaint
// the grid; the hover and down colours are stored as given, without repaint.
RTL_ENUM(TDOVGradientColor, dgFrom, dgTo, dgMirrorFrom, dgMirrorTo, dgHoverFrom, dgHoverTo, dgHoverMirrorFrom,
         dgHoverMirrorTo, dgHoverBorder, dgDownFrom, dgDownTo, dgDownMirrorFrom, dgDownMirrorTo, dgDownBorder)

class IGridSettingsOwner {
public:
    virtual ~IGridSettingsOwner() = default;

    // The grid as an object: the owner the settings name in their paths.
    virtual TPersistent* GridObject() = 0;
    // The grid is being read from a stream, or is on a designer's form.
    virtual bool IsLoading() const = 0;
    virtual bool IsDesigning() const = 0;

    // Repaint the whole grid; the cells of column 0 (the modified-row mark);
    // the floating footer's panel.
    virtual void Repaint() = 0;
    virtual void RepaintColumn0() = 0;
    virtual void RepaintFooterPanel() = 0;

    // Write one of the grid's DOVGradient* colours through its setter.
    virtual void SetDOVGradient(TDOVGradientColor Which, TColor Value) = 0;

    // The look objects of the drop-down editors' header and footer bars,
    // made with the grid as their owner. They belong to the drop-down
    // controls' library, which sits above this one, so the grid makes them;
    // null leaves the control look without them.
    virtual std::unique_ptr<TPersistent> CreateDropDownHeader() = 0;
    virtual std::unique_ptr<TPersistent> CreateDropDownFooter() = 0;

    // Register the grid's window as an OLE drop target (answering whether
    // the platform accepted it), and revoke that registration.
    virtual bool RegisterDropTarget() = 0;
    virtual void RevokeDropTarget() = 0;
    // Switch the OLE layer's process-wide rich-text support.
    virtual void SetOleRTFSupport(bool Value) = 0;

    // The floating footer's settings changed: show or hide the panel with
    // its row-count effects (Visible), add or remove the extra row (style),
    // size the panel (height), pass ShowHint on to the panel.
    virtual void FloatingFooterVisibleChanged() = 0;
    virtual void FloatingFooterStyleChanged() = 0;
    virtual void FloatingFooterHeightChanged() = 0;
    virtual void FloatingFooterShowHintChanged() = 0;

    // Stretch the columns again after a change of the column-size settings.
    virtual void ReStretchColumns() = 0;
    // StretchAll changed: share the width among all normal columns again.
    virtual void ReStretchAllColumns() { ReStretchColumns(); }

    // Repaint one row of the grid (nothing for a row outside it).
    virtual void RepaintRow(Integer /*ARow*/) { Repaint(); }
    // Repaint one cell (displayed column and row).
    virtual void RepaintCell(Integer /*ACol*/, Integer /*ARow*/) { Repaint(); }
    // The grid holds tree nodes (the node column may not change then).
    virtual bool GridHasNodes() const { return false; }
    // The grid is being destroyed: change reports need no repaint.
    virtual bool IsDestroying() const { return false; }

    // What the sort settings reach of the grid: its fixed-row count (-1
    // when there is no grid to ask), its multi-column sort list (null
    // without a grid), and its sorts on the settings' column and on that
    // list.
    virtual Integer SortFixedRows() const { return -1; }
    virtual TSortIndexList* SortIndexList() { return nullptr; }
    virtual void SortOnColumn() {}
    virtual void SortOnIndexes() {}

    // The filter-edit row was switched on or off.
    virtual void FilterEditEnabledChanged() {}
};
