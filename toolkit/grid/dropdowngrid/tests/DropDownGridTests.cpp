// The pop-up grid of the grid drop-down: items and their collections, how
// the grid fills and sizes itself, and how keys and presses become a choice.

#include "DropDownGridTestSupport.h"

#include "graphics/GdiText.h"
#include "graphics/ImageList.h"

using namespace winapi;
using namespace ZedArudorIdudIvudAriz;

TEST_F(KelGridDropDownTest, AssigningItemCollectionsCopiesTextsAndImageIndexes) {
    TDropDownItems Source(nullptr), Copy(nullptr);
    TDropDownItem* A = Source.Add();
    A->Text()->Add(u"one");
    A->Text()->Add(u"first");
    A->SetImageIndex(3);
    Source.Add()->Text()->Add(u"two");
    Copy.Add()->Text()->Add(u"replaced");
    Copy.Assign(&Source);
    ASSERT_EQ(Copy.Count(), 2);
    EXPECT_EQ(Copy.Items(0)->Text()->Count(), 2);
    EXPECT_EQ(Copy.Items(0)->Text()->Strings(1), u"first");
    EXPECT_EQ(Copy.Items(0)->ImageIndex(), 3);
    EXPECT_EQ(Copy.Items(1)->Text()->Strings(0), u"two");
    EXPECT_EQ(Copy.Items(1)->ImageIndex(), -1);
}

TEST_F(KelGridDropDownTest, TheListShowsAHeaderAndARowPerItemWithEmptyCellsForMissingTexts) {
    SetItems({u"Apple", u"Banana"});
    Edit->Items()->Add()->Text()->Add(u"Cherry"); // no second text
    Open();
    ASSERT_TRUE(IsOpen());
    ASSERT_EQ(List()->RowCount(), 4);
    EXPECT_EQ(List()->Cells(0, 0), u"Name");
    EXPECT_EQ(List()->Cells(1, 0), u"Notes");
    EXPECT_EQ(List()->Cells(1, 2), u"about Banana");
    EXPECT_EQ(List()->Cells(0, 3), u"Cherry");
    EXPECT_EQ(List()->Cells(1, 3), u"");
    // Each data row names its item with a typed link; the header row has none.
    EXPECT_EQ(List()->Objects(0, 0), nullptr);
    EXPECT_EQ(List()->RowItem(0), -1);
    for (Integer R = 1; R < 4; ++R)
        EXPECT_EQ(List()->RowItem(R), R - 1);
}

TEST_F(KelGridDropDownTest, AnAutoSizedImageColumnMeasuresImageAndText) {
    auto* Images = Create<TImageList>(Form);
    Images->SetWidth(16);
    Images->SetHeight(16);
    Edit->SetImages(Images);
    TDropDownColumn* Column = Edit->Columns()->Items(0);
    Column->SetColumnType(ctImage);
    Column->SetAutoSize(true);
    SetItems({u"Kiwi", u"Watermelon"});
    Edit->Items()->Items(1)->SetImageIndex(0);
    Open();
    ASSERT_TRUE(IsOpen());
    auto* PopupForm = static_cast<TCustomForm*>(List()->Parent());
    PopupForm->Canvas()->Font()->Assign(Column->Font());
    TRect Box{0, 0, 1000, 500};
    DrawText(PopupForm->Canvas()->Handle(), u"Watermelon", Box, DT_CALCRECT | DT_SINGLELINE);
    static_cast<TControlCanvas*>(PopupForm->Canvas())->FreeHandle();
    // image + 4, then 6 + the text's width
    EXPECT_EQ(List()->Columns()->Items(0)->Width(), 16 + 4 + 6 + Box.Right);
    EXPECT_EQ(List()->Columns()->Items(1)->Width(), 80); // not auto-sized
}

TEST_F(KelGridDropDownTest, WordWrappedRowsAreAtLeast24High) {
    Edit->Columns()->Items(1)->SetWordwrap(true);
    SetItems({u"Fig", u"Plum"});
    Edit->Items()->Items(1)->Text()->Put(1, u"a long note that wraps over several lines in a narrow column");
    Open();
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(List()->RowHeights(1), 24);
    EXPECT_GT(List()->RowHeights(2), 24);
    EXPECT_EQ(List()->RowHeights(0), 25); // the header keeps its height
}

TEST_F(KelGridDropDownTest, EnterInTheListChoosesOnceAndItsCharacterIsAnsweredAsHandled) {
    SetItems({u"Apple", u"Banana", u"Cherry"});
    Open();
    ASSERT_TRUE(List()->Focused());
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(Selects, 1);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), u"Banana");
    EXPECT_EQ(SendMessage(List()->Handle(), WM_CHAR, VK_RETURN, 0), 1);
    EXPECT_EQ(SendMessage(List()->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTTAB);
}

TEST_F(KelGridDropDownTest, TabInTheListDoesNothing) {
    SetItems({u"Apple", u"Banana", u"Cherry"});
    Open();
    Key(VK_DOWN);
    const Integer Row = List()->Row();
    Key(VK_TAB);
    EXPECT_TRUE(IsOpen());
    EXPECT_TRUE(List()->Focused());
    EXPECT_EQ(List()->Row(), Row);
    EXPECT_EQ(Selects, 0);
}

TEST_F(KelGridDropDownTest, OnlyAReleaseOverAPlainDataCellChooses) {
    SetItems({u"Apple", u"Banana", u"Cherry"});
    Open();
    List()->AddCheckBox(1, 3, false, false);
    ClickCell(0, 0); // header
    EXPECT_EQ(Selects, 0);
    ClickCell(1, 3); // a check box
    EXPECT_EQ(Selects, 0);
    EXPECT_TRUE(IsOpen());
    ClickCell(0, 2);
    EXPECT_EQ(Selects, 1);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Edit->ItemIndex(), 1);
}

// fontconfig keeps a few bytes of its configuration parser unreachable for
// the life of the process; the leak checker is told so.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
