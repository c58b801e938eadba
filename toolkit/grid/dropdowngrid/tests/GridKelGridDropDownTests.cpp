// The string grid's edKelGridDropDown editor: it opens over the cell, a
// pick writes the item's text back, Escape leaves the cell as it was.

#include "dropdowngrid/GridKelGridDropDown.h"
#include "dropdown/DropDownForm.h"
#include "grid_testing/GridFormTest.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Input.h"

using namespace winapi;
using namespace ZedArudorIdudIvudAriz;

namespace {

class GridEditorTest : public GridFormTest<TZirOvararIzaz> {
protected:
    void SetUp() override {
        GridFormTest::SetUp();
        RegisterGridKelGridDropDown();
        Grid->SetBounds(0, 0, 500, 300);
        Grid->SetColCount(3);
        Grid->SetRowCount(4);
        TGridOptions Opts = Grid->Options();
        Opts.Include(goEditing);
        Grid->SetOptions(Opts);
        Grid->SetCells(1, 1, u"Banana");
        Grid->OnGetEditorType = [](TObject*, Integer, Integer, TEditorType& Kind) { Kind = edKelGridDropDown; };
        Grid->OnGetEditorProp = [this](TObject*, Integer, Integer, TObject*) {
            auto* Editor = static_cast<TGridKelGridDropDown*>(Grid->KelGridDropDown());
            Editor->Items()->Clear();
            for (const char16_t* Name : {u"Apple", u"Banana", u"Cherry"})
                Editor->Items()->Add()->Text()->Add(Name);
            Editor->Columns()->Clear();
            Editor->Columns()->Add()->SetHeader(u"Fruit");
        };
        Show();
        Grid->SetFocus();
        Pump();
        Grid->FocusCell(1, 1);
        Pump();
    }
    THeadlessBackend& Input() { return static_cast<THeadlessBackend&>(Backend()); }
    void Key(Integer VirtualKey) {
        Input().TypeKey(VirtualKey);
        Pump();
    }
    TGridKelGridDropDown* Open() {
        Key(VK_F2);
        EXPECT_TRUE(Grid->EditMode());
        auto* Editor = dynamic_cast<TGridKelGridDropDown*>(Grid->EditCtrl());
        EXPECT_NE(Editor, nullptr);
        return Editor;
    }
};

} // namespace

TEST_F(GridEditorTest, TheEditorOpensOverTheCellWithItsItemChosen) {
    TGridKelGridDropDown* Editor = Open();
    ASSERT_NE(Editor, nullptr);
    EXPECT_TRUE(Editor->Visible());
    EXPECT_TRUE(Editor->Focused());
    const TRect Cell = Grid->CellRect(1, 1);
    EXPECT_EQ(Editor->Left(), Cell.Left);
    EXPECT_EQ(Editor->Top(), Cell.Top);
    EXPECT_EQ(Editor->Text(), u"Banana");
    EXPECT_EQ(Editor->ItemIndex(), 1);
    EXPECT_FALSE(Editor->IsModified());
}

TEST_F(GridEditorTest, APickInTheListWritesTheItemsTextBack) {
    TGridKelGridDropDown* Editor = Open();
    ASSERT_NE(Editor, nullptr);
    Editor->ShowDropDown();
    Pump();
    ASSERT_NE(Editor->Grid(), nullptr);
    EXPECT_EQ(Editor->Grid()->Row(), 2);
    const TRect R = Editor->Grid()->CellRect(0, 3);
    const TPoint P = Editor->Grid()->ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    Input().Click(P.X, P.Y);
    Pump();
    EXPECT_FALSE(Editor->DropDownForm()->Visible());
    EXPECT_EQ(Editor->Text(), u"Cherry");
    Key(VK_RETURN);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Grid->Cells(1, 1), u"Cherry");
}

TEST_F(GridEditorTest, EscapeLeavesTheCellAsItWas) {
    TGridKelGridDropDown* Editor = Open();
    ASSERT_NE(Editor, nullptr);
    Input().TypeText(u"c");
    Pump();
    EXPECT_EQ(Editor->Text(), u"Cherry");
    Key(VK_ESCAPE);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Grid->Cells(1, 1), u"Banana");
}
