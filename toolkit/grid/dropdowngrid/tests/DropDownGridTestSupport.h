#pragma once
// The grid drop-down on a headless form with a manual clock: a control with
// a lookup column and items, real keys injected into the focused window,
// and presses on the pop-up grid's cells.

#include "dropdowngrid/ZedArudorIdudIvudAriz.h"
#include "dropdown/DropDownForm.h"
#include "grid_testing/GridFormTest.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Input.h"

#include <initializer_list>

class TTestKelGridDropDown : public ZedArudorIdudIvudAriz::TCustomKelGridDropDown {
public:
    using TCustomKelGridDropDown::TCustomKelGridDropDown;
    using TCustomKelGridDropDown::AdjustDropDownHeight;
    using TCustomKelGridDropDown::DoEnter;
};

class KelGridDropDownTest : public GridFormTest<TTestKelGridDropDown> {
protected:
    using TDropDownItem = ZedArudorIdudIvudAriz::TDropDownItem;

    void SetUp() override {
        GridFormTest::SetUp();
        Edit = Grid;
        Edit->SetBounds(20, 20, 200, 21);
        Edit->Columns()->Add()->SetHeader(u"Name");
        Edit->Columns()->Add()->SetHeader(u"Notes");
        Edit->OnSelect = [this](TObject*) { ++Selects; };
        Show();
        Edit->SetFocus();
        Pump();
    }
    void SetItems(std::initializer_list<const char16_t*> Names) {
        Edit->Items()->Clear();
        for (const char16_t* Name : Names) {
            TDropDownItem* Item = Edit->Items()->Add();
            Item->Text()->Add(Name);
            Item->Text()->Add(String(u"about ") + Name);
        }
        Edit->EndUpdate();
    }
    THeadlessBackend& Input() { return static_cast<THeadlessBackend&>(Backend()); }
    // Each character as a real key on the focused window: key-down, the
    // character, key-up.
    void Press(const String& Text) {
        for (Char C : Text) {
            Integer Key = C;
            if (C >= u'a' && C <= u'z') Key = C - u'a' + u'A';
            Input().PressKey(Key, String(1, C));
            Pump();
            Input().ReleaseKey(Key);
            Pump();
        }
    }
    void Key(Integer VirtualKey) {
        Input().TypeKey(VirtualKey);
        Pump();
    }
    void Open() {
        Edit->ShowDropDown();
        Pump();
    }
    bool IsOpen() const { return Edit->DropDownForm() && Edit->DropDownForm()->Visible(); }
    ZedArudorIdudIvudAriz::TZazUruDava* List() const { return Edit->DropDownGrid(); }
    Integer DataRows() const { return List()->RowCount() - List()->FixedRows(); }
    // A left click in the middle of a cell of the pop-up grid.
    void ClickCell(Integer ACol, Integer ARow) {
        const TRect R = List()->CellRect(ACol, ARow);
        const TPoint P = List()->ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
        Input().Click(P.X, P.Y);
        Pump();
    }
    String Selected() const {
        return Edit->Text().substr(size_t(Edit->SelStart()), size_t(Edit->SelLength()));
    }

    TTestKelGridDropDown* Edit = nullptr;
    int Selects = 0;
};
