// The button edit and the unit edit on a headless form: the unit split, the
// unit menu, F4, typing with the editor off and mask validation.

#include "gridbase/EditBtn.h"

#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Input.h"
#include "windowing/Menu.h"

#include <deque>
#include <gtest/gtest.h>

using namespace winapi;

namespace {

class EditBtnTest : public ::testing::Test {
protected:
    void SetUp() override {
        Backend = &UseHeadlessBackend();
        Free(Application);
        Application = Create<TApplication>(nullptr);
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 300, 200);
        Edit = new TVazUnitEditBtn(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 140, 24);
        Edit->Units()->Add(u"m");
        Edit->Units()->Add(u"mm");
        Edit->Units()->Add(u"kg");
        Edit->OnClickBtn = [this](TObject* Sender) { Clicks.push_back(Sender); };
        Edit->OnUnitChanged = [this](TObject*, const String& Unit) { Changes.push_back(Unit); };
        Form->Show();
        Application->ProcessMessages();
        Edit->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Backend->SetIdleHandler(nullptr);
        Free(Form);
        Free(Application);
        Application = Create<TApplication>(nullptr);
    }
    // Opens the unit menu and chooses its Index-th item (1-based) by keys.
    void PickUnit(Integer Index) {
        std::deque<Integer> Keys(size_t(Index), VK_DOWN);
        Keys.push_back(VK_RETURN);
        Backend->SetIdleHandler([this, Keys]() mutable {
            if (!IsMenuTracking() || Keys.empty()) return;
            const Integer K = Keys.front();
            Keys.pop_front();
            Backend->TypeKey(K);
        });
        Edit->DoClickBtn(Edit->Host());
        Backend->SetIdleHandler(nullptr);
        Application->ProcessMessages();
    }
    void Key(Integer VirtualKey, std::initializer_list<Integer> Held = {}) {
        for (Integer H : Held) Backend->PressKey(H);
        Backend->TypeKey(VirtualKey);
        for (Integer H : Held) Backend->ReleaseKey(H);
        Application->ProcessMessages();
    }

    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
    TVazUnitEditBtn* Edit = nullptr;
    std::vector<TObject*> Clicks;
    std::vector<String> Changes;
};

TEST_F(EditBtnTest, TextAndUnitSplitsAtTheUnitThatEndsTheValue) {
    struct Case {
        const char16_t* Value;
        const char16_t* Text;
        const char16_t* Unit;
    } Cases[] = {
        {u"12mm", u"12", u"mm"}, // "m" first occurs inside, not at the end
        {u"7m", u"7", u"m"},
        {u"3kg", u"3", u"kg"},
        {u"5t", u"3", u"kg"}, // no unit ends it: nothing changes
    };
    for (const Case& C : Cases) {
        Edit->WriteTextAndUnit(C.Value);
        EXPECT_EQ(Edit->Text(), C.Text) << String(C.Value).size();
        EXPECT_EQ(Edit->UnitID(), C.Unit);
    }
    EXPECT_EQ(Edit->ReadTextAndUnit(), u"3kg");
    EXPECT_TRUE(Changes.empty()); // writing is no user's choice
}

TEST_F(EditBtnTest, UnitMenuFiresOnlyOnChange) {
    Edit->WriteUnitID(u"m");
    PickUnit(2);
    EXPECT_EQ(Edit->UnitID(), u"mm");
    ASSERT_EQ(Changes.size(), 1u);
    EXPECT_EQ(Changes[0], u"mm");
    ASSERT_EQ(Clicks.size(), 1u);
    EXPECT_EQ(Clicks[0], Edit);
    PickUnit(2); // the unit already chosen
    EXPECT_EQ(Edit->UnitID(), u"mm");
    EXPECT_EQ(Changes.size(), 1u);
}

TEST_F(EditBtnTest, F4ClicksOnlyWithoutCtrl) {
    auto* Plain = new TVazEditBtn(Form);
    Plain->SetParent(Form);
    Plain->SetBounds(10, 60, 140, 24);
    std::vector<TObject*> PlainClicks;
    Plain->OnClickBtn = [&](TObject* Sender) { PlainClicks.push_back(Sender); };
    Plain->SetFocus();
    Application->ProcessMessages();
    // (Alt+F4 is the form's close key; the Alt rule is the same test.)
    Key(VK_F4, {VK_CONTROL});
    EXPECT_TRUE(PlainClicks.empty());
    Key(VK_F4);
    ASSERT_EQ(PlainClicks.size(), 1u);
    EXPECT_EQ(PlainClicks[0], Plain);
    // A click on the button comes from the host.
    TKelSpeedButton* B = Plain->Host()->Button();
    const TPoint At = B->ClientToScreen({B->Width() / 2, B->Height() / 2});
    Backend->Click(At.X, At.Y);
    Application->ProcessMessages();
    ASSERT_EQ(PlainClicks.size(), 2u);
    EXPECT_EQ(PlainClicks[1], Plain->Host());
    EXPECT_TRUE(Plain->Focused());
}

TEST_F(EditBtnTest, EditorOffDropsTypingButTheButtonWorks) {
    Edit->SetEditorEnabled(false);
    Edit->SetText(u"5");
    Edit->SetSelStart(1);
    Backend->TypeText(u"9");
    Application->ProcessMessages();
    EXPECT_EQ(Edit->Text(), u"5");
    // F4 still offers the units; Escape closes the menu.
    Backend->SetIdleHandler([this] {
        if (IsMenuTracking()) Backend->TypeKey(VK_ESCAPE);
    });
    Key(VK_F4);
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(EditBtnTest, ValidateEditNeverRaises) {
    auto* Masked = new TVazEditBtn(Form);
    Masked->SetParent(Form);
    Masked->SetBounds(10, 60, 140, 24);
    Masked->SetEditMask(u"000;1;_");
    Masked->SetFocus();
    Application->ProcessMessages();
    Backend->TypeText(u"1");
    Application->ProcessMessages();
    ASSERT_TRUE(Masked->Modified());
    EXPECT_NO_THROW(Masked->ValidateEdit());
    EXPECT_NO_THROW({
        Edit->SetFocus();
        Application->ProcessMessages();
    });
    EXPECT_TRUE(Edit->Focused());
}

} // namespace
