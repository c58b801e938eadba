// Forms and the application: modal loops, closing, the message loop,
// exceptions escaping events, placement; the screen, the mouse, timers and hints.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Menus.h"
#include "vcl/Timer.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

using namespace winapi;

// ---- Modal forms ----

TEST_F(VclTest, ModalLoopEndsWhenAClickSetsTheModalResult) {
    TForm* Owner = NewForm(u"Owner");
    Owner->Show();
    TForm* Dialog = NewForm(u"Dialog");
    Dialog->SetPosition(poScreenCenter);
    auto* Ok = new TLogControl(Dialog, Log, u"ok", Dialog, Bounds(10, 10, 80, 25));
    Ok->OnClick = [&](TObject*) { Dialog->SetModalResult(mrOk); };
    bool OwnerEnabledMeanwhile = true;
    headless::SetIdleHandler([&] {
        OwnerEnabledMeanwhile = IsWindowEnabled(Owner->Handle());
        TPoint P = Centre(Ok);
        headless::Click(P.X, P.Y);
    });
    EXPECT_EQ(Dialog->ShowModal(), mrOk);
    EXPECT_FALSE(OwnerEnabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(Owner->Handle()));
    EXPECT_FALSE(Dialog->Visible());
    EXPECT_FALSE(Dialog->FormState().Contains(fsModal));
    EXPECT_EQ(Dialog->BoundsRect(), Bounds((1920 - 400) / 2, (1080 - 300) / 2, 400, 300));
    EXPECT_EQ(GetActiveWindow(), Owner->Handle());
}

TEST_F(VclTest, CloseQueryCanKeepAModalFormOpen) {
    TForm* Dialog = NewForm(u"Dialog");
    Integer Asked = 0;
    Dialog->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++Asked > 1; };
    TLog Events;
    Dialog->OnShow = [&](TObject*) { Events.push_back("show"); };
    Dialog->OnHide = [&](TObject*) { Events.push_back("hide"); };
    Dialog->OnClose = [&](TObject*, TCloseAction& Action) {
        Events.push_back("close " + std::to_string(Action));
    };
    headless::SetIdleHandler([&] {
        Events.push_back("modal result " + std::to_string(Dialog->ModalResult()));
        Dialog->Close(); // a modal form's close is a cancel
        PostMessage(Dialog->Handle(), WM_NULL, 0, 0);
    });
    EXPECT_EQ(Dialog->ShowModal(), mrCancel);
    EXPECT_EQ(Asked, 2);
    EXPECT_EQ(Events, TLog({"show", "modal result 0", "modal result 0", "close 1", "hide"}));
}

TEST_F(VclTest, VisibleFormCannotBeShownModally) {
    TForm* Form = NewForm();
    Form->Show();
    try {
        Form->ShowModal();
        FAIL() << "no exception";
    } catch (const EInvalidOperation& E) {
        EXPECT_EQ(E.Message(), u"Cannot make a visible window modal");
    }
}

// ---- Closing ----

TEST_F(VclTest, CloseHidesOrFreesAsOnCloseDecides) {
    struct TCase {
        TCloseAction Action;
        bool Vetoed;
        bool ExpectVisible;
        bool ExpectFreed;
    } Cases[] = {
        {caHide, false, false, false},
        {caNone, false, true, false},
        {caFree, false, false, true},
        {caHide, true, true, false},
    };
    for (const auto& Case : Cases) {
        TForm* Form = NewForm();
        bool Destroyed = false;
        Form->OnDestroy = [&](TObject*) { Destroyed = true; };
        Form->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = !Case.Vetoed; };
        Form->OnClose = [&](TObject*, TCloseAction& Action) { Action = Case.Action; };
        Form->Show();
        SendMessage(Form->Handle(), WM_CLOSE, 0, 0);
        Pump();
        EXPECT_EQ(Destroyed, Case.ExpectFreed) << Case.Action;
        if (!Destroyed) {
            EXPECT_EQ(Form->Visible(), Case.ExpectVisible) << Case.Action;
            Free(Form);
        }
    }
}

// ---- The application ----

TEST_F(VclTest, RunShowsTheMainFormAndTerminateTakesEffectInTheLoop) {
    TForm* Main = nullptr;
    Application->CreateForm(Main);
    TForm* Second = nullptr;
    Application->CreateForm(Second);
    EXPECT_EQ(Application->MainForm(), Main);
    TLog Events;
    Main->OnShow = [&](TObject*) {
        Events.push_back("show");
        Application->Terminate();
        Events.push_back(Application->Terminated() ? "terminated at once" : "terminate requested");
    };
    Application->Run();
    EXPECT_EQ(Events, TLog({"show", "terminate requested"}));
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(Main->Visible());
}

TEST_F(VclTest, ClosingTheMainFormEndsRun) {
    TForm* Main = nullptr;
    Application->CreateForm(Main);
    headless::SetIdleHandler([&] { Main->Close(); });
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(VclTest, ExceptionsEscapingEventsGoToOnExceptionOrTheDefaultBox) {
    TForm* Form = NewForm();
    auto* Target = new TLogControl(Form, Log, u"target", Form, Bounds(10, 10, 80, 25));
    String Raised = u"Enter a name";
    Target->OnClick = [&](TObject*) { throw EConvertError(Raised); };
    Form->Show();
    Application->SetTitle(u"VANDREL_1.4.2");
    auto ClickTarget = [&] {
        headless::AdvanceClock(1000); // not a double click
        TPoint P = Centre(Target);
        headless::Click(P.X, P.Y);
        Pump();
    };

    ClickTarget();
    EXPECT_EQ(Boxes, std::vector<String>({u"VANDREL_1.4.2|Enter a name"}));

    TObject* Sender = nullptr;
    String Seen;
    Application->OnException = [&](TObject* S, Exception* E) {
        Sender = S;
        Seen = E->Message();
    };
    Raised = u"value must be in range [0,1]";
    ClickTarget();
    EXPECT_EQ(Sender, Target);
    EXPECT_EQ(Seen, u"value must be in range [0,1]");

    // Abort is silent.
    Seen.clear();
    Target->OnClick = [&](TObject*) { throw EAbort(u"ignored"); };
    ClickTarget();
    EXPECT_TRUE(Seen.empty());
    EXPECT_EQ(Boxes.size(), 1u);
}

TEST_F(VclTest, ApplicationWindowCarriesTheTitle) {
    Application->SetTitle(u"VANDREL_1.4.2");
    Application->Initialize();
    String ClassName = u"TApplication", Title = u"VANDREL_1.4.2";
    EXPECT_EQ(FindWindow(&ClassName, &Title), Application->Handle());
    EXPECT_FALSE(IsWindowVisible(Application->Handle()));
}

// ---- Placement and scaling ----

TEST_F(VclTest, FormStyleAndBorderStyleShapeTheWindow) {
    TForm* Form = NewForm();
    Form->SetBorderStyle(bsNone);
    Form->SetFormStyle(fsStayOnTop);
    DWORD Style = DWORD(GetWindowLongPtr(Form->Handle(), GWL_STYLE));
    DWORD ExStyle = DWORD(GetWindowLongPtr(Form->Handle(), GWL_EXSTYLE));
    EXPECT_TRUE(Style & WS_POPUP);
    EXPECT_FALSE(Style & WS_CAPTION);
    EXPECT_TRUE(ExStyle & WS_EX_TOPMOST);
    EXPECT_EQ(Form->ClientRect(), Rect(0, 0, 400, 300));

    TForm* Popup = NewForm(u"Popup");
    Popup->SetPopupParent(Form);
    EXPECT_EQ(GetParent(Popup->Handle()), Form->Handle());
    Free(Form);
    EXPECT_EQ(Popup->PopupParent(), nullptr);
}

TEST_F(VclTest, ClientAreaBeforeTheWindowExistsLeavesRoomForTheFrame) {
    struct TCase {
        const char* Name;
        TFormBorderStyle Border;
        bool WithMenu;
    };
    const TCase Cases[] = {
        {"sizeable", bsSizeable, false}, {"single", bsSingle, false}, {"dialog", bsDialog, false},
        {"none", bsNone, false},         {"tool", bsToolWindow, false}, {"sizeable with menu", bsSizeable, true},
    };
    for (const TCase& Case : Cases) {
        auto* Form = CreateNew<TForm>(nullptr);
        Form->SetBorderStyle(Case.Border);
        if (Case.WithMenu) {
            auto* Menu = new TMainMenu(Form);
            auto* Item = new TMenuItem(Form);
            Item->SetCaption(u"&File");
            Menu->Items()->Add(Item);
            Form->SetMenu(Menu);
        }
        Form->SetClientWidth(300);
        Form->SetClientHeight(200);
        auto* Panel = new TPanel(Form);
        Panel->SetParent(Form);
        Panel->SetAlign(alClient);
        EXPECT_EQ(Form->ClientRect(), Rect(0, 0, 300, 200)) << Case.Name;
        EXPECT_EQ(Panel->BoundsRect(), Rect(0, 0, 300, 200)) << Case.Name;
        Form->HandleNeeded();
        EXPECT_EQ(Form->ClientRect(), Rect(0, 0, 300, 200)) << Case.Name << " with its window";
        EXPECT_EQ(Panel->BoundsRect(), Rect(0, 0, 300, 200)) << Case.Name << " with its window";
        Free(Form);
    }
}

TEST_F(VclTest, ScaledFormGrowsWithTheScreensPixelsPerInch) {
    Screen->SetPixelsPerInch(144);
    struct TScaledForm : TForm {
        explicit TScaledForm(TComponent* AOwner) : TForm(AOwner) {
            SetBounds(0, 0, 200, 100);
            Child = new TLogGraphic(this, Dummy, u"child", this, Bounds(10, 20, 30, 40));
        }
        TLog Dummy;
        TLogGraphic* Child;
    };
    auto* Form = Create<TScaledForm>(nullptr);
    Screen->SetPixelsPerInch(96);
    EXPECT_EQ(Form->Width(), 300);
    EXPECT_EQ(Form->Child->BoundsRect(), Bounds(15, 30, 45, 60));
    EXPECT_EQ(Form->PixelsPerInch(), 144);
    Free(Form);
}

// ---- Screen and mouse ----

TEST_F(VclTest, ScreenAndMouseAnswerFromTheWindowSystem) {
    EXPECT_EQ(Screen->PixelsPerInch(), 96);
    EXPECT_EQ(Screen->Width(), 1920);
    EXPECT_EQ(Screen->Height(), 1080);
    EXPECT_EQ(Screen->MonitorCount(), 1);
    ASSERT_NE(Screen->Monitors(0), nullptr);
    EXPECT_TRUE(Screen->Monitors(0)->Primary());
    EXPECT_EQ(Screen->Monitors(0)->BoundsRect(), Rect(0, 0, 1920, 1080));
    EXPECT_EQ(Screen->MonitorFromPoint({5000, 10}), Screen->PrimaryMonitor());
    EXPECT_EQ(Screen->WorkAreaRect(), Screen->Monitors(0)->WorkareaRect());

    headless::MoveMouse(300, 200);
    Pump();
    EXPECT_EQ(Mouse->CursorPos(), Point(300, 200));
    EXPECT_EQ(Mouse->WheelScrollLines(), 3);
}

TEST_F(VclTest, CursorOfTheControlUnderTheMouseUnlessTheScreenOverridesIt) {
    TForm* Form = NewForm();
    auto* Graphic = new TLogGraphic(Form, Log, u"graphic", Form, Bounds(10, 10, 50, 50));
    Graphic->SetCursor(crHandPoint);
    Form->Show();
    TPoint P = Centre(Graphic);
    headless::MoveMouse(P.X, P.Y);
    Pump();
    EXPECT_EQ(CursorShape(GetCursor()), IDC_HAND);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(CursorShape(GetCursor()), IDC_WAIT);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(CursorShape(GetCursor()), IDC_HAND);
    Screen->SetCursors(54, LoadCursor(IDC_CROSS));
    Graphic->SetCursor(54);
    EXPECT_EQ(CursorShape(GetCursor()), IDC_CROSS);
}

// ---- Timers ----

TEST_F(VclTest, TimerFiresOnTheManualClockAndEnablingItAgainKeepsItsSchedule) {
    TTimer Timer(nullptr);
    Integer Fired = 0;
    Timer.OnTimer = [&](TObject*) { ++Fired; };
    Timer.SetInterval(100);
    struct TStep {
        UInt64 Advance;
        std::function<void()> Then;
        Integer Expected;
    } Steps[] = {
        {99, nullptr, 0},
        {1, nullptr, 1},
        {60, [&] { Timer.SetEnabled(true); }, 1},
        {40, nullptr, 2},
        {100, [&] { Timer.SetEnabled(false); }, 2},
        {500, [&] { Timer.SetEnabled(true); }, 2},
        {100, nullptr, 3},
        {50, [&] { Timer.SetInterval(0); }, 3},
        {500, nullptr, 3},
    };
    Integer Index = 0;
    for (auto& Step : Steps) {
        headless::AdvanceClock(Step.Advance);
        if (Step.Then) Step.Then();
        Pump();
        EXPECT_EQ(Fired, Step.Expected) << "step " << Index++;
    }
}

TEST_F(VclTest, TimerExceptionGoesToTheApplication) {
    auto* Timer = Create<TTimer>(nullptr);
    Timer->SetInterval(10);
    Timer->OnTimer = [&](TObject*) { throw Exception(u"tick failed"); };
    TObject* Sender = nullptr;
    Application->OnException = [&](TObject* S, Exception* E) {
        Sender = S;
        Log.push_back(Narrow(E->Message()));
    };
    headless::AdvanceClock(10);
    Pump();
    EXPECT_EQ(Sender, Timer);
    EXPECT_EQ(Log, TLog({"tick failed"}));
    Free(Timer);
    headless::AdvanceClock(10);
    Pump();
    EXPECT_EQ(Log.size(), 1u);
}

// ---- Hints ----

TEST_F(VclTest, HintShowsAfterThePauseWithWhatTheControlAnswers) {
    TForm* Form = NewForm();
    struct THinted : TLogGraphic {
        using TLogGraphic::TLogGraphic;
        void WndProc(TMessage& Message) override {
            if (Message.Msg == CM_HINTSHOW) {
                auto* Info = reinterpret_cast<THintInfo*>(Message.LParam);
                Seen = Info->HintStr;
                SeenPos = Info->CursorPos;
                Info->HintStr = u"Row 3";
                return;
            }
            TLogGraphic::WndProc(Message);
        }
        String Seen;
        TPoint SeenPos;
    };
    auto* Hinted = new THinted(Form, Log, u"hinted", Form, Bounds(10, 10, 100, 50));
    Hinted->SetHint(u"Short|Longer help");
    Hinted->SetShowHint(true);
    Form->Show(); // hints show without the program naming a hint window class
    TPoint P = Hinted->ClientToScreen({7, 8});
    headless::MoveMouse(P.X, P.Y);
    Pump();
    EXPECT_EQ(Application->HintWindow(), nullptr);
    headless::AdvanceClock(500);
    Pump();
    EXPECT_EQ(Hinted->Seen, u"Short");
    EXPECT_EQ(Hinted->SeenPos, Point(7, 8));
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_EQ(Application->HintWindow()->Caption(), u"Row 3");
    EXPECT_TRUE(IsWindowVisible(Application->HintWindow()->Handle()));
    EXPECT_EQ(Application->HintWindow()->ClassName(), u"THintWindow");
    EXPECT_EQ(GetActiveWindow(), Form->Handle());
    headless::AdvanceClock(2500);
    Pump();
    EXPECT_EQ(Application->HintWindow(), nullptr);
}
