// Scrolling controls, frames, forms made with CreateNew, translucent forms,
// and the sizing and activation messages reaching form code.

#include "VclTestSupport.h"
#include "vcl/Frame.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/ScrollBar.h"
#include "windowing/SystemMetrics.h"

using namespace winapi;

namespace {

class ScrollingTest : public VclTest {
protected:
    // A borderless form whose client is 200 x 150 and a child far outside it.
    TForm* ScrollingForm(TLogControl*& Far) {
        TForm* Form = NewForm();
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(100, 100, 200, 150);
        Far = new TLogControl(Form, Log, u"far", Form, Bounds(300, 400, 50, 50));
        Form->Show();
        return Form;
    }
};

} // namespace

TEST_F(ScrollingTest, AutoScrollRangesFollowTheChildrenAndScrollingMovesThem) {
    TLogControl* Far;
    TForm* Form = ScrollingForm(Far);
    EXPECT_EQ(Form->HorzScrollBar()->Range(), 350);
    EXPECT_EQ(Form->VertScrollBar()->Range(), 450);
    EXPECT_TRUE(Form->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_TRUE(Form->VertScrollBar()->IsScrollBarVisible());
    // Both bars take their room from the client area.
    EXPECT_EQ(Form->ClientWidth(), 200 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(Form->ClientHeight(), 150 - GetSystemMetrics(SM_CYHSCROLL));
    SCROLLINFO Info;
    Info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(Form->Handle(), SB_VERT, Info));
    EXPECT_EQ(Info.nMax, 449);
    EXPECT_EQ(Integer(Info.nPage), Form->ClientHeight());

    Form->VertScrollBar()->SetPosition(100);
    EXPECT_EQ(Far->Top(), 300);
    EXPECT_EQ(GetScrollPos(Form->Handle(), SB_VERT), 100);

    struct TCase {
        UINT Msg;
        WPARAM Code;
        Integer Expected; // the position afterwards
    };
    Integer MaxV = 450 - Form->ClientHeight();
    const TCase Cases[] = {
        {WM_VSCROLL, SB_LINEDOWN, 108},
        {WM_VSCROLL, SB_LINEUP, 100},
        {WM_VSCROLL, SB_BOTTOM, MaxV},
        {WM_VSCROLL, SB_PAGEDOWN, MaxV}, // never past the end
        {WM_VSCROLL, SB_TOP, 0},
        {WM_VSCROLL, SB_THUMBPOSITION | (40 << 16), 40},
        {WM_VSCROLL, SB_THUMBTRACK | (60 << 16), 40}, // no tracking by default
    };
    for (const auto& C : Cases) {
        SendMessage(Form->Handle(), C.Msg, C.Code, 0);
        EXPECT_EQ(Form->VertScrollBar()->Position(), C.Expected) << "code " << LOWORD(C.Code);
        EXPECT_EQ(Far->Top(), 400 - C.Expected);
    }
    // The range is the content's, wherever it is scrolled to.
    Form->Realign();
    EXPECT_EQ(Form->VertScrollBar()->Range(), 450);
}

TEST_F(ScrollingTest, SwitchingAutoScrollOffShowsTheUnscrolledContentWithoutBars) {
    TLogControl* Far;
    TForm* Form = ScrollingForm(Far);
    Form->HorzScrollBar()->SetPosition(50);
    EXPECT_EQ(Far->Left(), 250);
    Form->SetAutoScroll(false);
    EXPECT_EQ(Far->Left(), 300);
    EXPECT_FALSE(Form->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(Form->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(Form->ClientWidth(), 200);
}

TEST_F(ScrollingTest, ContentThatFitsShowsNoBarAndScrollInViewBringsAControlIn) {
    TLogControl* Far;
    TForm* Form = ScrollingForm(Far);
    auto* Near = new TLogControl(Form, Log, u"near", Form, Bounds(10, 10, 20, 20));
    Form->ScrollInView(Far);
    TRect Client = Form->ClientRect();
    EXPECT_LE(Far->Left() + Far->Width(), Client.Right);
    EXPECT_LE(Far->Top() + Far->Height(), Client.Bottom);
    // Back only as far as it takes to show the near one.
    Form->ScrollInView(Near);
    EXPECT_EQ(Near->Left(), 0);
    EXPECT_EQ(Near->Top(), 0);
    Free(Far);
    EXPECT_FALSE(Form->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(Form->VertScrollBar()->IsScrollBarVisible());
}

TEST_F(ScrollingTest, FrameIsAChildContainerInItsParentsColourThatScrolls) {
    TForm* Form = NewForm();
    Form->SetColor(clYellow);
    auto* Frame = Create<TFrame>(Form);
    Frame->SetParent(Form);
    Frame->SetBounds(10, 10, 100, 80);
    auto* Inside = new TLogControl(Form, Log, u"inside", Frame, Bounds(5, 200, 20, 20));
    Form->Show();
    EXPECT_EQ(GetParent(Frame->Handle()), Form->Handle());
    EXPECT_TRUE(GetWindowLongPtr(Frame->Handle(), GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(Frame->Color(), clYellow);
    EXPECT_TRUE(Frame->ControlStyle().Contains(csAcceptsControls));
    EXPECT_TRUE(Frame->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(Frame->HorzScrollBar()->IsScrollBarVisible());
    Frame->ScrollInView(Inside);
    EXPECT_LE(Inside->Top() + Inside->Height(), Frame->ClientHeight());
}

TEST_F(ScrollingTest, CreateNewMakesAFormWithoutItsLayout) {
    TForm* Plain = CreateNew<TForm>(nullptr);
    TForm* Designed = Create<TForm>(nullptr);
    EXPECT_TRUE(Plain->CreatedNew());
    EXPECT_FALSE(Designed->CreatedNew());
    EXPECT_EQ(Plain->ControlCount(), 0);
    EXPECT_EQ(Plain->Position(), poDesigned);
    Free(Plain);
    Free(Designed);
}

TEST_F(ScrollingTest, AlphaBlendMakesTheWindowTranslucentAndBack) {
    TForm* Form = NewForm();
    Form->SetAlphaBlendValue(192);
    Form->SetAlphaBlend(true);
    Form->Show();
    Byte Alpha = 0;
    DWORD Flags = 0;
    ASSERT_TRUE(GetWindowLongPtr(Form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    ASSERT_TRUE(GetLayeredWindowAttributes(Form->Handle(), nullptr, &Alpha, &Flags));
    EXPECT_EQ(Alpha, 192);
    EXPECT_EQ(Flags, DWORD(LWA_ALPHA));
    Form->SetAlphaBlendValue(100);
    GetLayeredWindowAttributes(Form->Handle(), nullptr, &Alpha, nullptr);
    EXPECT_EQ(Alpha, 100);
    Form->SetAlphaBlend(false);
    EXPECT_FALSE(GetWindowLongPtr(Form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_FALSE(SetLayeredWindowAttributes(Form->Handle(), 0, 10, LWA_ALPHA)); // not layered any more
}

namespace {

// A borderless pop-up in the manner of a drop-down: sized by its bottom-right
// corner, never at less than 50 x 40, and never activated by a click.
class TPopupSizingForm : public TForm {
public:
    TPopupSizingForm(TComponent* AOwner, TLog& ALog) : TForm(AOwner, 0), FLog(ALog) {
        SetBorderStyle(bsNone);
    }
    void WndProc(TMessage& Message) override {
        switch (Message.Msg) {
        case WM_NCHITTEST: {
            TPoint P = ScreenToClient({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
            Message.Result = P.X > Width() - 10 && P.Y > Height() - 10 ? HTBOTTOMRIGHT : HTCLIENT;
            return;
        }
        case WM_MOUSEACTIVATE:
            Message.Result = MA_NOACTIVATE;
            return;
        case WM_SIZING: {
            auto* R = reinterpret_cast<TRect*>(Message.LParam);
            FLog.push_back("WM_SIZING " + std::to_string(Message.WParam));
            if (R->Width() < 50) R->Right = R->Left + 50;
            if (R->Height() < 40) R->Bottom = R->Top + 40;
            break;
        }
        default:
            break;
        }
        TForm::WndProc(Message);
    }

private:
    TLog& FLog;
};

} // namespace

TEST_F(ScrollingTest, SizingByTheMouseAsksTheFormAndAClickDoesNotActivateIt) {
    TForm* Main = NewForm(u"Main");
    Main->Show();
    ASSERT_EQ(Screen->ActiveCustomForm(), Main);
    auto* Popup = Create<TPopupSizingForm>(nullptr, Log);
    Popup->SetBounds(600, 100, 120, 100);
    ShowWindow(Popup->Handle(), SW_SHOWNOACTIVATE);
    Popup->SetVisible(true);
    Pump();

    headless::MoveMouse(600 + 115, 100 + 95);
    headless::Press();
    headless::MoveMouse(600 + 145, 100 + 125);
    headless::MoveMouse(600 + 10, 100 + 10); // far too small: the form keeps its minimum
    headless::Release();
    Pump();
    EXPECT_EQ(Log, TLog({"WM_SIZING " + std::to_string(WMSZ_BOTTOMRIGHT), "WM_SIZING 8"}));
    EXPECT_EQ(Popup->BoundsRect(), Bounds(600, 100, 50, 40));
    EXPECT_EQ(Screen->ActiveCustomForm(), Main) << "the pop-up answered no activation";
    Free(Popup);
}

TEST_F(ScrollingTest, SizingKeepsTheFormsConstraintsAndEscapeRestoresTheBounds) {
    TForm* Main = NewForm(u"Main");
    Main->Show();
    auto* Popup = Create<TPopupSizingForm>(nullptr, Log);
    Popup->Constraints()->SetMinWidth(90);
    Popup->Constraints()->SetMinHeight(70);
    Popup->Constraints()->SetMaxWidth(200);
    Popup->SetBounds(600, 100, 120, 100);
    ShowWindow(Popup->Handle(), SW_SHOWNOACTIVATE);
    Popup->SetVisible(true);
    Pump();

    headless::MoveMouse(600 + 115, 100 + 95);
    headless::Press();
    headless::MoveMouse(600 + 10, 100 + 10);
    Pump();
    EXPECT_EQ(Popup->BoundsRect(), Bounds(600, 100, 90, 70));
    headless::MoveMouse(600 + 400, 100 + 135);
    Pump();
    EXPECT_EQ(Popup->BoundsRect(), Bounds(600, 100, 200, 140));
    headless::Release();
    Pump();
    EXPECT_EQ(Popup->BoundsRect(), Bounds(600, 100, 200, 140));

    // Escape during a drag puts the bounds of its start back.
    headless::MoveMouse(600 + 195, 100 + 135);
    headless::Press();
    headless::MoveMouse(600 + 150, 100 + 110);
    Pump();
    EXPECT_EQ(Popup->BoundsRect(), Bounds(600, 100, 155, 115));
    headless::TypeKey(winapi::VK_ESCAPE);
    Pump();
    EXPECT_EQ(Popup->BoundsRect(), Bounds(600, 100, 200, 140));
    headless::MoveMouse(600 + 100, 100 + 60);
    headless::Release();
    Pump();
    EXPECT_EQ(Popup->BoundsRect(), Bounds(600, 100, 200, 140));
    Free(Popup);
}
