#pragma once
// The controls placed in grid cells: each item names a cell and a control
// it does not own; the list owns its items.

#include "rtl/List.h"
#include "rtl/Object.h"
#include "windowing/Messages.h"

class TControl;

class TControlItem : public TObject {
public:
    TControlItem(Integer AX, Integer AY, TControl* AObject) : X(AX), Y(AY), FObject(AObject) {}
    TControl* Control() const { return FObject; }
    void SetControl(TControl* Value) { FObject = Value; }

    Integer X;
    Integer Y;

private:
    TControl* FObject;
};

class TKelControlList : public TList {
public:
    TKelControlList() = default;
    ~TKelControlList() override;
    TKelControlList(const TKelControlList&) = delete;
    TKelControlList& operator=(const TKelControlList&) = delete;

    void AddControl(Integer X, Integer Y, TControl* AObject);
    // The first item of the cell; -1 when none.
    Integer ControlIndex(Integer X, Integer Y) const;
    TControlItem* GetControl(Integer Index) const { return static_cast<TControlItem*>(Items(Index)); }
    TControlItem* Control(Integer Index) const { return GetControl(Index); }
    // Whether some item's control is a windowed control with this handle.
    bool HasHandle(winapi::HWND Handle) const;
    void RemoveControl(Integer Index);
    void ClearControls();
};
