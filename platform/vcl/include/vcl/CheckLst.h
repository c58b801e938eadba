#pragma once
// A list box with a check box in front of every item. A click on the box,
// or the space bar on the focused item, toggles the item's state and runs
// OnClickCheck; a click on the text only selects the item.

#include "vcl/StdCtrls.h"

#include <vector>

class TCheckListBox : public TCustomListBox {
    RTL_CLASS(TCheckListBox)
public:
    explicit TCheckListBox(TComponent* AOwner);

    // The state of an item; EListError for an index that names none.
    bool Checked(Integer Index) const { return State(Index) == cbChecked; }
    void SetChecked(Integer Index, bool Value) { SetState(Index, Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State(Integer Index) const;
    // Set by code: runs no event.
    void SetState(Integer Index, TCheckBoxState Value);
    // Whether the user's toggling passes through the grayed state.
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }

    TNotifyEvent OnClickCheck;

    void WndProc(TMessage& Message) override;

protected:
    void DrawItem(Integer Index, const TRect& Rect, TOwnerDrawState State) override;
    // The states stay with their items.
    bool KeepsItemData() const override;
    void ItemsMoved(const std::vector<Integer>& From) override;
    virtual void ClickCheck();

private:
    void CheckIndex(Integer Index) const;
    // The user toggles an item: unchecked, checked, grayed (when allowed).
    void Toggle(Integer Index);
    // The states kept as long as the items.
    std::vector<TCheckBoxState>& States() const;

    mutable std::vector<TCheckBoxState> FStates;
    bool FAllowGrayed = false;
};
