#pragma once
// A 4 x 5 input grid (one fixed row and column) on a headless form, with
// editing on, the current cell (1, 1) and cell texts "c<col>r<row>";
// typing and keys go through the headless backend.

#include "InputTestSupport.h"

#include "rtl/Convert.h"
#include "windowing/Backend.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Input.h"

#include <string>
#include <vector>

// Typing and keys go to the window with the focus, as a user's would.
class EditingTest : public InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        Grid->SetBounds(0, 0, 500, 300);
        Grid->SetColCount(4);
        Grid->SetRowCount(5);
        TGridOptions Opts = Grid->Options();
        Opts.Include(goEditing);
        Grid->SetOptions(Opts);
        for (Integer r = 1; r < 5; ++r)
            for (Integer c = 1; c < 4; ++c) Grid->SetCells(c, r, u"c" + IntToStr(c) + u"r" + IntToStr(r));
        Show();
        Grid->SetFocus();
        Pump();
        Grid->FocusCell(1, 1);
        Pump();
    }
    THeadlessBackend& Input() { return static_cast<THeadlessBackend&>(Backend()); }
    void Type(const String& Text) {
        Input().TypeText(Text);
        Pump();
    }
    void Key(Integer VirtualKey, std::initializer_list<Integer> Held = {}) {
        for (Integer H : Held) Input().PressKey(H);
        Input().TypeKey(VirtualKey);
        for (Integer H : Held) Input().ReleaseKey(H);
        Pump();
    }
    // Opens the editor on the current cell with F2.
    void Edit() {
        Key(winapi::VK_F2);
        ASSERT_TRUE(Grid->EditMode());
        ASSERT_NE(Grid->NormalEdit(), nullptr);
        ASSERT_TRUE(Grid->NormalEdit()->Visible());
    }
    TKelInplaceEdit* Editor() { return Grid->NormalEdit(); }
    std::vector<std::string> Log;
};

