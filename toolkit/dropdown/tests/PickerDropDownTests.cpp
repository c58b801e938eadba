// The control, track-bar and memo drop-downs on the headless window system.

#include "DropDownTestSupport.h"
#include "dropdown/KelPickerDropDowns.h"
#include "rtl/Convert.h"
#include "vcl/ExtCtrls.h"
#include "windowing/Input.h"

using namespace winapi;

namespace {

class TLoadableControlDropDown : public TKelControlDropDown {
public:
    using TKelControlDropDown::TKelControlDropDown;
    void RunLoaded() { Loaded(); }
};

class Pickers : public DropDownTest {
protected:
    template <typename T>
    T* NewEdit() {
        Form = NewForm();
        auto* Edit = Create<T>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(20, 20, 200, 21);
        Pump();
        return Edit;
    }

    TForm* Form = nullptr;
};

} // namespace

TEST_F(Pickers, ControlDropDownHostsItsControl) {
    auto* Edit = NewEdit<TLoadableControlDropDown>();
    auto* Panel = Create<TPanel>(Form);
    Panel->SetParent(Form);
    Edit->SetControl(Panel);
    Edit->RunLoaded();
    EXPECT_EQ(Panel->Parent(), Edit->DropDownForm());
    EXPECT_FALSE(Edit->DropDownForm()->Visible());

    Edit->SetControl(Edit); // refused
    EXPECT_EQ(Edit->Control(), Panel);

    auto* Other = Create<TPanel>(Form);
    Other->SetParent(Form);
    Panel->SetAlign(alClient);
    Edit->SetControl(Other);
    EXPECT_FALSE(Panel->Visible());
    EXPECT_EQ(Panel->Align(), alNone);

    Free(Other);
    EXPECT_EQ(Edit->Control(), nullptr);
    Edit->ShowDropDown();
    Pump();
    EXPECT_TRUE(Edit->DroppedDown());
}

TEST_F(Pickers, TrackBarFollowsTheTextAndTheKeysStayInTheRange) {
    auto* Edit = NewEdit<TKelTrackBarDropDown>();
    Edit->SetMin(3);
    Edit->SetMax(10);
    Edit->SetTextUnformatted(u"7");
    EXPECT_EQ(Edit->Position(), 7);
    Edit->SetTextUnformatted(u"");
    EXPECT_EQ(Edit->Position(), 3); // an empty edit gives Min
    EXPECT_EQ(Edit->Text(), u"3");
    Edit->SetTextUnformatted(u"x");
    EXPECT_EQ(Edit->Position(), 3); // not an integer: the position stays
    Edit->SetTextUnformatted(u"3");

    Edit->SetFocus();
    Pump();
    const struct {
        Integer Frequency, Start, Key, Expect;
    } Cases[] = {
        {1, 3, VK_UP, 3}, {1, 10, VK_DOWN, 10}, {1, 5, VK_UP, 4}, {1, 5, VK_DOWN, 6}, {3, 5, VK_UP, 5},
    };
    for (const auto& Case : Cases) {
        Edit->SetFrequency(Case.Frequency);
        Edit->SetPosition(Case.Start);
        Key(Case.Key);
        EXPECT_EQ(Edit->Position(), Case.Expect) << Case.Start << " " << Case.Key;
        EXPECT_EQ(Edit->Text(), IntToStr(Case.Expect));
    }
    Edit->SetMin(0);
    Edit->SetFrequency(3);
    Edit->SetPosition(2);
    Key(VK_UP);
    EXPECT_EQ(Edit->Position(), 2);

    // With the editor enabled the keys only edit.
    Edit->SetEditorEnabled(true);
    Edit->SetPosition(5);
    Key(VK_DOWN);
    EXPECT_EQ(Edit->Position(), 5);
}

namespace {

class TDragProbe : public TKelTrackBarDropDown {
public:
    using TKelTrackBarDropDown::TKelTrackBarDropDown;
    void Drag(std::initializer_list<Integer> Xs) {
        auto It = Xs.begin();
        MouseDown(mbRight, {}, *It, 5);
        for (++It; It != Xs.end(); ++It)
            MouseMove({}, *It, 5);
        MouseUp(mbRight, {}, 0, 5);
    }
};

} // namespace

TEST_F(Pickers, TrackBarDragStepsByThePageSize) {
    auto* Edit = NewEdit<TDragProbe>();
    Edit->SetMax(100);
    const struct {
        Integer PageSize;
        std::initializer_list<Integer> Xs;
        Integer Added;
    } Cases[] = {
        {2, {10, 15}, 2},                 // 5 pixels, page 2
        {2, {10, 11, 12, 13, 14, 15}, 0}, // 1-pixel moves never add up
        {0, {10, 13, 17}, 7},             // page 0 steps by the movement
        {3, {20, 11}, -3},
    };
    for (const auto& Case : Cases) {
        Edit->SetPosition(50);
        Edit->SetPageSize(Case.PageSize);
        Edit->Drag(Case.Xs);
        EXPECT_EQ(Edit->Position(), 50 + Case.Added) << Case.PageSize;
    }
    Edit->SetEditorEnabled(true);
    Edit->SetPosition(50);
    Edit->SetPageSize(1);
    Edit->Drag({10, 30});
    EXPECT_EQ(Edit->Position(), 50);
}

TEST_F(Pickers, MemoEditShowsTheFirstLine) {
    auto* Edit = NewEdit<TKelMemoDropDown>();
    TStringList Lines;
    Lines.SetText(u"first\r\nsecond\r\nthird");
    Edit->SetMemoText(&Lines);
    EXPECT_EQ(Edit->Text(), u"first");
    Edit->SetEditorEnabled(false);
    Edit->SetMemoText(&Lines);
    EXPECT_EQ(Edit->Text(), u"first...");
    Lines.SetText(String(60, u'W') + u"\r\nsecond");
    Edit->SetMemoText(&Lines);
    const String Shown = Edit->Text();
    EXPECT_LT(Shown.size(), 60u);
    ASSERT_GE(Shown.size(), 3u);
    EXPECT_EQ(Shown.substr(Shown.size() - 3), u"...");
    Lines.Clear();
    Edit->SetMemoText(&Lines);
    EXPECT_EQ(Edit->Text(), u"");
}

TEST_F(Pickers, MemoTypingReplacesOnlyTheFirstLine) {
    auto* Edit = NewEdit<TKelMemoDropDown>();
    TStringList Lines;
    Lines.SetText(u"one\r\ntwo\r\nthree");
    Edit->SetMemoText(&Lines);
    Edit->SetFocus();
    Pump();
    Edit->SelectAll();
    Type(u"uno");
    EXPECT_EQ(Edit->MemoText()->Count(), 3);
    EXPECT_EQ(Edit->MemoText()->Strings(0), u"uno");
    EXPECT_EQ(Edit->MemoText()->Strings(2), u"three");
}

TEST_F(Pickers, MemoCtrlASelectsTheMemoAndEscapeRestoresEveryLine) {
    auto* Edit = NewEdit<TKelMemoDropDown>();
    TStringList Lines;
    Lines.SetText(u"one\r\ntwo\r\nthree");
    Edit->SetMemoText(&Lines);
    Edit->SetFocus();
    Pump();
    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(Edit->DroppedDown());
    TMemo* Memo = Edit->Memo();
    ASSERT_TRUE(Memo->Focused());
    Backend->PressKey(VK_CONTROL);
    Backend->TypeKey('A');
    Backend->ReleaseKey(VK_CONTROL);
    Pump();
    EXPECT_EQ(Memo->SelLength(), Integer(Memo->Text().size()));
    EXPECT_EQ(Edit->Text(), u"one");

    Memo->Lines()->SetText(u"1\r\n2\r\n3\r\n4");
    Pump();
    Key(VK_ESCAPE);
    EXPECT_FALSE(Edit->DroppedDown());
    ASSERT_EQ(Edit->MemoText()->Count(), 3);
    EXPECT_EQ(Edit->MemoText()->Strings(1), u"two");
    EXPECT_EQ(Edit->MemoText()->Strings(2), u"three");
    EXPECT_EQ(Edit->Text(), u"one");
}

TEST_F(Pickers, MemoAutoDropOpensOnEnteringAndClosingDoesNotReopen) {
    auto* Edit = NewEdit<TKelMemoDropDown>();
    auto* Other = Create<TEdit>(Form);
    Other->SetParent(Form);
    Other->SetBounds(20, 80, 100, 21);
    Edit->SetAutoDrop(true);
    Pump();
    Other->SetFocus();
    Pump();
    Edit->SetFocus();
    Pump();
    EXPECT_TRUE(Edit->DroppedDown());
    Edit->HideDropDown(false);
    Pump();
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_TRUE(Edit->Focused());
    Pump();
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_TRUE(Edit->AutoDrop());
}
