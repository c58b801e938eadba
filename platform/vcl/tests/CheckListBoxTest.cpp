// Check list boxes: Space and clicks on the box toggle, clicks on the text
// select; states, grayed, the look of the box.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "vcl/CheckLst.h"
#include "windowing/Input.h"

using namespace winapi;

TEST_F(VclTest, CheckListBoxTogglesBySpaceAndBoxClicksButNotTextClicks) {
    struct TCase {
        const char* Name;
        Integer X;      // client x of a click on item 1, or -1 for Space on item 1
        bool AllowGrayed;
        Integer Times;  // how often
        TCheckBoxState Want;
        Integer WantChecks;
    };
    const TCase Cases[] = {
        {"space checks", -1, false, 1, cbChecked, 1},
        {"space twice unchecks", -1, false, 2, cbUnchecked, 2},
        {"click on the box checks", 6, false, 1, cbChecked, 1},
        {"click on the text only selects", 60, false, 1, cbUnchecked, 0},
        {"grayed comes third when allowed", 6, true, 2, cbGrayed, 2},
        {"and then unchecked", -1, true, 3, cbUnchecked, 3},
    };
    for (const TCase& Case : Cases) {
        TForm* Form = NewForm();
        auto* List = new TCheckListBox(Form);
        List->SetParent(Form);
        List->SetBounds(10, 10, 150, 100);
        List->Items()->SetCommaText(u"Maize,Wheat,Potatoes");
        List->SetAllowGrayed(Case.AllowGrayed);
        Integer Checks = 0, Clicks = 0;
        List->OnClickCheck = [&](TObject*) { ++Checks; };
        List->OnClick = [&](TObject*) { ++Clicks; };
        Form->Show();
        Pump();
        List->SetFocus();
        List->SetItemIndex(1);
        TRect Item = List->ItemRect(1);
        for (Integer I = 0; I < Case.Times; ++I) {
            if (Case.X < 0) {
                headless::TypeKey(VK_SPACE);
            } else {
                TPoint P = ScreenAt(List, Case.X, (Item.Top + Item.Bottom) / 2);
                headless::Click(P.X, P.Y);
            }
            Pump();
        }
        EXPECT_EQ(List->State(1), Case.Want) << Case.Name;
        EXPECT_EQ(Checks, Case.WantChecks) << Case.Name;
        EXPECT_FALSE(List->Checked(0)) << Case.Name;
        EXPECT_EQ(List->ItemIndex(), 1) << Case.Name;
        Free(Form);
    }
}

TEST_F(VclTest, CheckListBoxStatesSetByCodeShowAndRunNoEvent) {
    TForm* Form = NewForm();
    auto* List = new TCheckListBox(Form);
    List->SetParent(Form);
    List->SetBounds(10, 10, 150, 100);
    List->Items()->SetCommaText(u"Maize,Wheat");
    Integer Checks = 0;
    List->OnClickCheck = [&](TObject*) { ++Checks; };
    Form->Show();
    Pump();
    TRect Item = List->ItemRect(0);
    Integer MarkY = Item.Top + Item.Height() / 2;
    EXPECT_EQ(ControlPixel(List, 8, MarkY), ColorToRGB(clWindow));
    List->SetChecked(0, true);
    Pump();
    EXPECT_EQ(ControlPixel(List, 8, MarkY), ColorToRGB(clWindowText));
    EXPECT_TRUE(List->Checked(0));
    EXPECT_EQ(Checks, 0);
    EXPECT_THROW(List->SetChecked(2, true), EListError);
    try {
        List->State(-1);
        FAIL();
    } catch (const EListError& E) {
        EXPECT_EQ(E.Message(), u"List index out of bounds (-1)");
    }
}

TEST_F(VclTest, CheckListBoxStatesStayWithTheirItems) {
    TForm* Form = NewForm();
    auto* List = new TCheckListBox(Form);
    List->SetParent(Form);
    auto States = [List] {
        std::string Out;
        for (Integer I = 0; I < List->Count(); ++I)
            Out += Narrow(List->Items()->Get(I)) + (List->State(I) == cbChecked ? "+" : List->State(I) == cbGrayed ? "?" : "-") + " ";
        return Out;
    };
    List->Items()->SetCommaText(u"Maize,Wheat,Potatoes");
    List->SetChecked(1, true);
    List->SetState(2, cbGrayed);
    List->Items()->Insert(0, u"Barley");
    EXPECT_EQ(States(), "Barley- Maize- Wheat+ Potatoes? ");
    List->Items()->Delete(1);
    EXPECT_EQ(States(), "Barley- Wheat+ Potatoes? ");
    List->Items()->Move(2, 0);
    EXPECT_EQ(States(), "Potatoes? Barley- Wheat+ ");
    List->SetSorted(true);
    EXPECT_EQ(States(), "Barley- Potatoes? Wheat+ ");
    List->Items()->Add(u"Oats"); // a sorted list inserts in order
    EXPECT_EQ(States(), "Barley- Oats- Potatoes? Wheat+ ");
    List->SetSorted(false);
    List->Items()->Put(3, u"Winter wheat"); // renamed in place
    EXPECT_EQ(States(), "Barley- Oats- Potatoes? Winter wheat+ ");
    List->Items()->BeginUpdate();
    List->Items()->Exchange(0, 3);
    List->Items()->Insert(1, u"Rye");
    List->Items()->EndUpdate();
    EXPECT_EQ(States(), "Winter wheat+ Rye- Oats- Potatoes? Barley- ");
    // Cleared items are new when they come back.
    List->Items()->BeginUpdate();
    List->Items()->Clear();
    List->Items()->Add(u"Winter wheat");
    List->Items()->EndUpdate();
    EXPECT_EQ(States(), "Winter wheat- ");
}
