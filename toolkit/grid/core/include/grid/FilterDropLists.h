#pragma once
// The two pop-up lists of a column's filter button, and the events of the
// filter drop-down. The grid owns one list of each kind, hidden and of size
// 0; its input side fills, places and shows them. A list only reports: the
// grid turns a pick (OnSelect) into filter conditions.

#include "grid/FilterSettings.h"
#include "rtl/StringList.h"
#include "vcl/CheckLst.h"
#include "vcl/StdCtrls.h"

#include <functional>

// An entry of a filter list was chosen (the item index, -1 for none).
using TDropSelectEvent = std::function<void(TObject* Sender, Integer ItemIndex)>;

// The value list of a column was built; the handler may change it.
using TGetColumnFilterEvent = std::function<void(TObject* Sender, Integer Column, TStrings* Filter)>;
// A pick of the single-pick list, and one ticked entry of the check list,
// before it becomes a condition; the handler may change the condition.
using TFilterSelectEvent = std::function<void(TObject* Sender, Integer Column, Integer ItemIndex,
                                              const String& FriendlyName, String& FilterCondition)>;
using TFilterCheckEvent =
    std::function<void(TObject* Sender, Integer Column, Integer ItemIndex, const String& FriendlyName,
                       String& FilterCondition, TCheckListBox* CheckList)>;
// A tick of the check list changed (State: the entry's tick).
using TFilterCheckClickEvent = std::function<void(TObject* Sender, Integer Column, Integer ItemIndex, bool State,
                                                  TCheckListBox* CheckList)>;
// The texts of a data check box; Value starts as the grid's CheckTrue
// (CheckFalse).
using TGetCheckTextEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;

// Hides the list and reports when the capture is lost with the cursor
// outside the list (extended upwards over the filter button): the grid then
// closes the column's filter.
class TDropCancelRule {
public:
    // How far above the list the cursor still counts as on it.
    static constexpr Integer ButtonReach = 20;
    // Whether a cursor at the parent's client point Pos leaves the list of
    // the given bounds.
    static bool Outside(const TRect& Bounds, TPoint Pos);
};

// The single-pick list: Enter and a mouse release pick the current entry,
// Escape closes; both hide the list first.
class TDropList : public TListBox {
    RTL_CLASS(TDropList)
public:
    explicit TDropList(TComponent* AOwner);

    TDropSelectEvent OnSelect;
    TNotifyEvent OnClose;
    // The capture was lost with the cursor away from the list.
    TNotifyEvent OnCancel;

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
};

// The check list: every change of a tick reports the current entry;
// Escape hides the list and closes.
class TDropCheckList : public TCheckListBox {
    RTL_CLASS(TDropCheckList)
public:
    explicit TDropCheckList(TComponent* AOwner);

    TDropSelectEvent OnSelect;
    TNotifyEvent OnClose;
    TNotifyEvent OnCancel;

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void ClickCheck() override;
};
