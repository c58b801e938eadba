// Page controls: changing sheets by tab clicks and keys, the OnChanging
// veto, OnShow, hidden tabs, the focus following the sheet.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "vcl/PageControl.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

using namespace winapi;

namespace {

struct TPages {
    TPageControl* Control;
    std::vector<TTabSheet*> Sheets;
    std::vector<TEdit*> Edits; // one on each sheet
};

TPages NewPages(TForm* Form, TLog& Log) {
    TPages Pages;
    Pages.Control = new TPageControl(Form);
    Pages.Control->SetParent(Form);
    Pages.Control->SetBounds(10, 10, 300, 200);
    for (const char16_t* Caption : {u"General", u"Crops", u"Substances"}) {
        auto* Sheet = new TTabSheet(Form);
        Sheet->SetPageControl(Pages.Control);
        Sheet->SetCaption(Caption);
        std::string Name = Narrow(Caption);
        Sheet->OnShow = [&Log, Name](TObject*) { Log.push_back("show " + Name); };
        auto* Edit = new TEdit(Form);
        Edit->SetParent(Sheet);
        Pages.Sheets.push_back(Sheet);
        Pages.Edits.push_back(Edit);
    }
    Pages.Control->OnChange = [&Log](TObject*) { Log.push_back("change"); };
    return Pages;
}

void CtrlTab(bool Shift) {
    headless::TypeKeyWith(VK_TAB, Shift, true);
}

} // namespace

TEST_F(VclTest, PageControlChangesSheetsByKeysWithOnChangingVeto) {
    struct TCase {
        const char* Name;
        Integer Start;       // active page at the start
        bool FocusInSheet;   // the focus in the start sheet's edit, else on the page control
        Integer Key;         // VK_TAB means Ctrl+Tab
        bool Shift;
        bool Veto;
        Integer WantPage;
    };
    const TCase Cases[] = {
        {"ctrl+tab from an edit in the sheet", 0, true, VK_TAB, false, false, 1},
        {"ctrl+tab wraps at the end", 2, true, VK_TAB, false, false, 0},
        {"ctrl+shift+tab goes back round the start", 0, true, VK_TAB, true, false, 2},
        {"ctrl+tab on the page control itself", 1, false, VK_TAB, false, false, 2},
        {"right arrow on the page control", 0, false, VK_RIGHT, false, false, 1},
        {"left arrow stops at the first tab", 0, false, VK_LEFT, false, false, 0},
        {"vetoed ctrl+tab keeps sheet and focus", 0, true, VK_TAB, false, true, 0},
        {"vetoed arrow keeps sheet and focus", 1, false, VK_RIGHT, false, true, 1},
    };
    for (const TCase& Case : Cases) {
        TLog Log;
        TForm* Form = NewForm();
        TPages Pages = NewPages(Form, Log);
        Pages.Control->SetActivePageIndex(Case.Start);
        bool Asked = false;
        Pages.Control->OnChanging = [&](TObject*, bool& Allow) {
            Asked = true;
            Allow = !Case.Veto;
        };
        Form->Show();
        Pump();
        TWinControl* Focus = Case.FocusInSheet ? static_cast<TWinControl*>(Pages.Edits[Case.Start]) : Pages.Control;
        Focus->SetFocus();
        Log.clear();
        if (Case.Key == VK_TAB)
            CtrlTab(Case.Shift);
        else
            headless::TypeKey(Case.Key);
        Pump();
        EXPECT_EQ(Pages.Control->ActivePageIndex(), Case.WantPage) << Case.Name;
        bool Moved = Case.WantPage != Case.Start;
        EXPECT_EQ(Asked, Moved || Case.Veto) << Case.Name;
        if (Moved) {
            EXPECT_EQ(Log, TLog({"show " + Narrow(Pages.Sheets[Case.WantPage]->Caption()), "change"})) << Case.Name;
            TWinControl* WantFocus =
                Case.FocusInSheet ? static_cast<TWinControl*>(Pages.Edits[Case.WantPage]) : Pages.Control;
            EXPECT_TRUE(WantFocus->Focused()) << Case.Name;
        } else {
            EXPECT_TRUE(Log.empty()) << Case.Name;
            EXPECT_TRUE(Focus->Focused()) << Case.Name;
        }
        for (Integer I = 0; I < 3; ++I) EXPECT_EQ(Pages.Sheets[I]->Visible(), I == Case.WantPage) << Case.Name;
        Free(Form);
    }
}

TEST_F(VclTest, PageControlTabClicksChangeTheSheetUnlessVetoed) {
    TLog Log;
    TForm* Form = NewForm();
    TPages Pages = NewPages(Form, Log);
    bool Veto = false;
    Pages.Control->OnChanging = [&](TObject*, bool& Allow) { Allow = !Veto; };
    Form->Show();
    Pump();
    Pages.Edits[0]->SetFocus();
    Log.clear();
    auto ClickTab = [&](Integer Tab) {
        TRect R = Pages.Control->TabRect(Tab);
        TPoint P = ScreenAt(Pages.Control, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
        headless::Click(P.X, P.Y);
        Pump();
    };
    ClickTab(2);
    EXPECT_EQ(Pages.Control->ActivePage(), Pages.Sheets[2]);
    EXPECT_EQ(Log, TLog({"show Substances", "change"}));
    EXPECT_TRUE(Pages.Control->Focused());
    Pages.Edits[2]->SetFocus();
    Veto = true;
    Log.clear();
    ClickTab(0);
    EXPECT_EQ(Pages.Control->ActivePage(), Pages.Sheets[2]);
    EXPECT_TRUE(Log.empty());
    EXPECT_TRUE(Pages.Edits[2]->Focused());
    // Code sets the page without asking and without OnChange, but OnShow runs.
    Pages.Control->SetActivePage(Pages.Sheets[1]);
    EXPECT_EQ(Log, TLog({"show Crops"}));
}

TEST_F(VclTest, PageControlTabsFollowTabVisibleAndTabWidth) {
    TLog Log;
    TForm* Form = NewForm();
    TPages Pages = NewPages(Form, Log);
    Pages.Control->SetTabWidth(80);
    EXPECT_EQ(Pages.Control->TabRect(1).Left, 82);
    EXPECT_EQ(Pages.Control->TabRect(1).Width(), 80);
    Pages.Sheets[1]->SetTabVisible(false);
    EXPECT_EQ(Pages.Sheets[1]->TabIndex(), -1);
    EXPECT_EQ(Pages.Sheets[2]->TabIndex(), 1);
    EXPECT_EQ(Pages.Control->FindNextPage(Pages.Sheets[0], true, true), Pages.Sheets[2]);
    // A wizard: no tab shown, the sheets fill the frame, code moves between them.
    for (TTabSheet* Sheet : Pages.Sheets) Sheet->SetTabVisible(false);
    EXPECT_EQ(Pages.Control->DisplayRect(), TRect(4, 4, 296, 196));
    Pages.Control->SetActivePageIndex(1);
    EXPECT_EQ(Pages.Sheets[1]->BoundsRect(), TRect(4, 4, 296, 196));
    EXPECT_EQ(Log, TLog({"show Crops"}));
    // Freeing the active sheet activates the next one.
    Free(Pages.Sheets[1]);
    EXPECT_EQ(Pages.Control->PageCount(), 2);
    EXPECT_EQ(Pages.Control->ActivePage(), Pages.Sheets[2]);
}

TEST_F(VclTest, PageControlHotTrackColoursTheTabUnderTheMouse) {
    TLog Log;
    TForm* Form = NewForm();
    TPages Pages = NewPages(Form, Log);
    Pages.Control->SetHotTrack(true);
    Form->Show();
    Pump();
    TRect R = Pages.Control->TabRect(1);
    TPoint P = ScreenAt(Pages.Control, R.Left + 3, R.Top + 3);
    headless::MoveMouse(P.X, P.Y);
    Pump();
    EXPECT_EQ(Pages.Control->HotTab(), 1);
    headless::MoveMouse(5, 5);
    Pump();
    EXPECT_EQ(Pages.Control->HotTab(), -1);
}
