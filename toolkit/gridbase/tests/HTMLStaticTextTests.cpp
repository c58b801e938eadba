// The HTML static-text control on a headless form: display text, anchors by
// keyboard and mouse, mini scroll, blink on timer messages, embossing,
// automatic sizing and the timer's life with the window.

#include "gridbase/HTMLStaticText.h"

#include "graphics/Graphic.h"
#include "os/Shell.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

#include <gtest/gtest.h>

namespace {

class TTestStaticText : public THTMLStaticText {
public:
    explicit TTestStaticText(TComponent* AOwner) : THTMLStaticText(AOwner) {}
    using THTMLStaticText::KeyDown;
    using THTMLStaticText::MouseDown;
};

class HTMLStaticTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseHeadlessBackend();
        Free(Application);
        Application = Create<TApplication>(nullptr);
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 400, 300);
        Text = new TTestStaticText(Form);
        Text->SetParent(Form);
        Text->SetBounds(0, 0, 200, 40);
        Text->Font()->SetName(u"Arial");
        Text->Font()->SetSize(10);
        Text->SetColor(clWhite);
    }
    void TearDown() override {
        os::SetShellOpenHook(nullptr);
        Free(Form);
        Free(Application);
        Application = Create<TApplication>(nullptr);
    }
    void SetText(const String& Value) { Text->HTMLText()->SetText(Value); }
    // Paints the control into a bitmap of its size.
    TBitmap& Paint() {
        Shot.SetSize(Text->Width(), Text->Height());
        Text->PaintTo(Shot.Canvas()->Handle(), 0, 0);
        return Shot;
    }
    void Show() {
        Form->Show();
        Application->ProcessMessages();
    }
    void Tick(Integer Count) {
        for (Integer I = 0; I < Count; ++I)
            winapi::SendMessage(Text->Handle(), winapi::WM_TIMER, 1, 0);
    }

    TForm* Form = nullptr;
    TTestStaticText* Text = nullptr;
    TBitmap Shot;
};

} // namespace

TEST_F(HTMLStaticTextTest, ListLinesJoinWithoutBreaks) {
    Text->HTMLText()->Add(u"a");
    Text->HTMLText()->Add(u"<b>b</b>");
    EXPECT_EQ(Text->GetDisplayText(), u"a<b>b</b>");
    EXPECT_EQ(Text->PlainText(), u"ab");
    EXPECT_EQ(Text->Version(), u"1.6.0.0");
}

TEST_F(HTMLStaticTextTest, KeyboardMovesTheFocusAroundTheAnchors) {
    SetText(u"<a href=\"http://one\">one</a> <a href=\"two\">two</a> <a href=\"three\">three</a>");
    Show();
    Paint();
    ASSERT_EQ(Text->NumHyperLinks(), 3);
    const struct {
        Word Key;
        Integer Focus;
    } Steps[] = {{winapi::VK_LEFT, 2}, {winapi::VK_RIGHT, 0}, {winapi::VK_RIGHT, 1}, {winapi::VK_UP, 0}};
    for (const auto& S : Steps) {
        Word Key = S.Key;
        Text->KeyDown(Key, {});
        EXPECT_EQ(Key, 0);
        EXPECT_EQ(Text->FocusHyperLink(), S.Focus) << S.Key;
    }
}

TEST_F(HTMLStaticTextTest, ClicksFireTheEventAndOpenOnlyAddresses) {
    SetText(u"<a href=\"mailto:x@y.z\">mail</a> <a href=\"local\">local</a>");
    Show();
    std::vector<String> Clicked, Opened;
    Text->OnAnchorClick = [&](TObject*, const String& A) { Clicked.push_back(A); };
    os::SetShellOpenHook([&](const String& Target) {
        Opened.push_back(Target);
        return true;
    });
    Text->MouseDown(mbLeft, {}, 5, 8);
    Text->MouseDown(mbLeft, {}, Text->Canvas()->TextWidth(u"mail ") + 8, 8);
    Text->MouseDown(mbLeft, {}, 190, 30);
    EXPECT_EQ(Clicked, (std::vector<String>{u"mailto:x@y.z", u"local"}));
    EXPECT_EQ(Opened, (std::vector<String>{u"mailto:x@y.z"}));
}

TEST_F(HTMLStaticTextTest, MiniScrollShowsArrowsAndScrollsByFour) {
    SetText(u"1<br>2<br>3<br>4<br>5<br>6<br>7");
    Text->SetMiniScroll(true);
    Show();
    Paint();
    EXPECT_TRUE(Text->DownScroll());
    EXPECT_FALSE(Text->UpScroll());
    Integer Changes = 0;
    Text->OnScrollChanged = [&](TObject*) { ++Changes; };
    Text->MouseDown(mbLeft, {}, 195, 35);
    EXPECT_EQ(Text->VOffset(), 4);
    EXPECT_EQ(Changes, 1);
    Paint();
    EXPECT_TRUE(Text->UpScroll());
    Text->MouseDown(mbLeft, {}, 195, 3);
    EXPECT_EQ(Text->VOffset(), 0);
}

TEST_F(HTMLStaticTextTest, BlinkTogglesEveryFifthTick) {
    SetText(u"<blink>on</blink>");
    Show();
    Text->SetEnableBlink(true);
    ASSERT_TRUE(Text->TimerRunning());
    const bool Start = Text->Blinking();
    Tick(4);
    EXPECT_EQ(Text->Blinking(), Start);
    Tick(1);
    EXPECT_NE(Text->Blinking(), Start);
    Tick(5);
    EXPECT_EQ(Text->Blinking(), Start);
}

TEST_F(HTMLStaticTextTest, TimerLivesOnlyWithTheWindow) {
    Text->SetMiniScroll(true);
    Show();
    EXPECT_TRUE(Text->TimerRunning());
    Text->DestroyHandle();
    EXPECT_FALSE(Text->TimerRunning());
    Text->HandleNeeded();
    EXPECT_TRUE(Text->TimerRunning());
    Text->SetMiniScroll(false);
    EXPECT_FALSE(Text->TimerRunning());
}

TEST_F(HTMLStaticTextTest, DisabledTextIsEmbossed) {
    SetText(u"<b>WWWW</b>");
    Show();
    Text->SetEnabled(false);
    TBitmap& Shot = Paint();
    bool Grey = false;
    for (Integer Y = 0; Y < 20 && !Grey; ++Y)
        for (Integer X = 0; X < 60 && !Grey; ++X)
            Grey = ColorToRGB(Shot.Canvas()->Pixels(X, Y)) == clGray;
    EXPECT_TRUE(Grey);
}

TEST_F(HTMLStaticTextTest, AutoSizingFollowsTheText) {
    SetText(u"short<br>two lines");
    Text->SetAutoSizeType(asBoth);
    Integer Calls = 0;
    Text->OnNewSize = [&](TObject*, Integer, Integer) { ++Calls; };
    Text->SetAutoSizing(true);
    Show();
    Paint();
    EXPECT_EQ(Text->Width(), Text->HTMLWidth() + 6);
    EXPECT_EQ(Text->Height(), Text->HTMLHeight() - 2 + 6);
    const Integer After = Calls;
    EXPECT_GE(After, 1);
    Paint();
    EXPECT_EQ(Calls, After); // no change, no event
}
