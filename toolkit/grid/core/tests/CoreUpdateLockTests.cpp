// The update lock, typing that starts an edit, and the grid timer.

#include "CoreTestSupport.h"

#include "windowing/Input.h"

namespace {

TEST_F(CoreTest, TheLockNestsAndRepaintsOnceAtItsEnd) {
    Show();
    Grid->Paints = 0;
    Grid->Drawn.clear();
    Grid->BeginUpdate();
    Grid->BeginUpdate();
    for (Integer r = 1; r < 10; ++r) Grid->SetCells(1, r, u"bulk");
    Grid->Invalidate();
    Pump();
    Grid->EndUpdate();
    Pump();
    EXPECT_TRUE(Grid->IsUpdating());
    EXPECT_TRUE(Grid->Drawn.empty()) << "nothing is painted while the lock holds";
    Grid->EndUpdate();
    EXPECT_FALSE(Grid->IsUpdating());
    Pump();
    EXPECT_EQ(Grid->Paints, 1);
    EXPECT_GT((Grid->Drawn[{1, 5}]), 0);
    Grid->EndUpdate();
    EXPECT_EQ(Grid->UpdateCount(), 0) << "one end too many changes nothing";
    Grid->SetLockUpdate(true);
    EXPECT_TRUE(Grid->LockUpdate());
    Grid->SetLockUpdate(false);
    EXPECT_FALSE(Grid->LockUpdate());
}

TEST_F(CoreTest, AGridHiddenInsideTheLockPaintsAgainWhenShown) {
    Show();
    Grid->BeginUpdate();
    Grid->SetVisible(false);
    Grid->BeginUpdate();
    EXPECT_EQ(Grid->UpdateCount(), 2) << "the lock counts for a hidden grid too";
    Grid->EndUpdate();
    Grid->EndUpdate();
    EXPECT_FALSE(Grid->IsUpdating());
    Grid->SetVisible(true);
    Grid->Paints = 0;
    Grid->Invalidate();
    Pump();
    EXPECT_GE(Grid->Paints, 1);
}

TEST_F(CoreTest, TypingStartsAnEditWhereTheCellMayBeEdited) {
    Show();
    Grid->SetFocus();
    Grid->FocusCell(2, 2, true);
    std::vector<Char> Pressed;
    Grid->OnKeyPress = [&](TObject*, Char& Key) { Pressed.push_back(Key); };
    bool Refuse = false;
    Grid->OnCanEditCell = [&](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = !Refuse; };
    TGridOptions Opts = Grid->Options();
    Opts.Include(goEditing);
    Grid->SetOptions(Opts);
    const struct {
        Char Ch;
        bool Refused;
        bool Opens;
    } Cases[] = {
        {u'a', true, false},     // a refused cell hears the key press only
        {u'\u20AC', false, true}, // beyond Latin-1
        {u'x', false, true},
        {winapi::VK_BACK, false, true},
        {winapi::VK_TAB, false, false},
    };
    for (const auto& Case : Cases) {
        Grid->HideEditor();
        Pressed.clear();
        Refuse = Case.Refused;
        winapi::SendMessage(Grid->Handle(), winapi::WM_CHAR, Case.Ch, 0);
        EXPECT_EQ(Grid->EditorMode(), Case.Opens) << int(Case.Ch);
        if (Case.Ch != winapi::VK_TAB) {
            EXPECT_EQ(Pressed, std::vector<Char>{Case.Ch}) << int(Case.Ch);
        }
    }
    Pump();
    ASSERT_NE(Grid->InplaceEditor(), nullptr);
}

TEST_F(CoreTest, RangeSelectAndEditOpensTheEditorDirectly) {
    Show();
    Grid->SetFocus();
    Grid->FocusCell(3, 4, true);
    Grid->MouseActions()->PlainSettings().RangeSelectAndEdit = true;
    EXPECT_FALSE(Grid->Options().Contains(goEditing));
    winapi::SendMessage(Grid->Handle(), winapi::WM_CHAR, u'q', 0);
    EXPECT_TRUE(Grid->Options().Contains(goEditing));
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 4);
}

TEST_F(CoreTest, TheGridTimerExpiresTheSearchTextAndBlinksOnlyBlinkingCells) {
    Show();
    Grid->Navigation()->PlainSettings().AutoGotoIncremental = true;
    Grid->SearchInc = u"ab";
    Tick(3);
    EXPECT_EQ(Grid->SearchInc, u"ab");
    Tick(1);
    EXPECT_EQ(Grid->SearchInc, u"");
    EXPECT_EQ(Grid->TimerTicks(), 4);

    Grid->SetEnableBlink(true);
    Grid->SetCells(2, 2, u"<blink>on</blink>");
    Grid->SetCells(3, 3, u"plain");
    Pump();
    Grid->Drawn.clear();
    Tick(1);
    EXPECT_TRUE(Grid->GridBlink());
    EXPECT_GT((Grid->Drawn[{2, 2}]), 0);
    EXPECT_EQ(Grid->Drawn.count({3, 3}), 0u);
}

} // namespace
