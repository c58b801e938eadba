// Controls and windowed controls: windows made on demand, notifications of
// property changes, alignment, painting of graphic children, focus and tab
// order, mouse and keyboard events.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"

using namespace winapi;

namespace {

TLog Only(const TLog& Log, const std::string& Part) {
    TLog Result;
    for (const auto& Entry : Log)
        if (Entry.find(Part) != std::string::npos) Result.push_back(Entry);
    return Result;
}

} // namespace

// ---- Windows made on demand ----

TEST_F(VclTest, WindowsAreMadeWhenTheFormShowsParentFirstAndGoChildrenLast) {
    TForm* Form = NewForm();
    auto* Outer = new TLogControl(Form, Log, u"outer", Form, Bounds(10, 10, 200, 100));
    auto* Inner = new TLogControl(Form, Log, u"inner", Outer, Bounds(5, 5, 50, 20));
    EXPECT_FALSE(Outer->HandleAllocated());
    Form->Show();
    ASSERT_TRUE(Inner->HandleAllocated());
    EXPECT_EQ(Only(Log, "WM_CREATE"), TLog({"outer:WM_CREATE", "inner:WM_CREATE"}));
    EXPECT_EQ(GetParent(Inner->Handle()), Outer->Handle());
    EXPECT_EQ(FindControl(Inner->Handle()), Inner);
    EXPECT_TRUE(IsWindowVisible(Inner->Handle()));

    Log.clear();
    HWND OldInner = Inner->Handle();
    Free(Form);
    EXPECT_EQ(Only(Log, "DESTROY"),
              TLog({"inner:WM_DESTROY", "inner:WM_NCDESTROY", "outer:WM_DESTROY", "outer:WM_NCDESTROY"}));
    EXPECT_FALSE(IsWindow(OldInner));
    EXPECT_EQ(FindControl(OldInner), nullptr);
}

TEST_F(VclTest, RecreatedWindowKeepsTextChildrenAndFocus) {
    TForm* Form = NewForm();
    auto* Outer = new TLogControl(Form, Log, u"outer", Form, Bounds(10, 10, 200, 100));
    auto* Inner = new TLogControl(Form, Log, u"inner", Outer, Bounds(5, 5, 50, 20));
    Outer->SetText(u"Caption");
    Form->Show();
    Outer->SetFocus();
    HWND Old = Outer->Handle();
    Outer->RecreateWnd();
    EXPECT_NE(Outer->Handle(), Old);
    EXPECT_EQ(GetWindowText(Outer->Handle()), u"Caption");
    EXPECT_TRUE(Inner->HandleAllocated());
    EXPECT_EQ(GetParent(Inner->Handle()), Outer->Handle());
    EXPECT_TRUE(Outer->Focused());
}

TEST_F(VclTest, ChildWithoutParentWindowCannotMakeItsWindow) {
    TLogControl Orphan(nullptr, Log, u"orphan", nullptr, Bounds(0, 0, 10, 10));
    try {
        Orphan.Handle();
        FAIL() << "no exception";
    } catch (const EInvalidOperation& E) {
        EXPECT_EQ(E.Message(), u"Control 'orphan' has no parent window");
    }
}

TEST_F(VclTest, MovingAWindowedControlToAnotherParentMakesItsWindowThere) {
    TForm* First = NewForm(u"First");
    TForm* Second = NewForm(u"Second");
    auto* Moving = new TLogControl(First, Log, u"moving", First, Bounds(10, 10, 50, 20));
    First->Show();
    Second->Show();
    Moving->SetParent(Second);
    ASSERT_TRUE(Moving->HandleAllocated());
    EXPECT_EQ(GetParent(Moving->Handle()), Second->Handle());
    EXPECT_EQ(First->ControlCount(), 0);
    EXPECT_EQ(Second->Controls(0), Moving);
}

// ---- Notifications of property changes ----

TEST_F(VclTest, PropertyChangesNotifyTheControlAndItsChildren) {
    TForm* Form = NewForm();
    auto* Parent = new TLogControl(Form, Log, u"parent", Form, Bounds(0, 0, 200, 100));
    auto* Child = new TLogControl(Form, Log, u"child", Parent, Bounds(0, 0, 50, 20));
    auto* Own = new TLogGraphic(Form, Log, u"own", Parent, Bounds(60, 0, 50, 20));
    Own->Font()->SetStyle({fsBold}); // no longer the parent's font
    struct TCase {
        const char* What;
        std::function<void()> Change;
        TLog Expected;
    } Cases[] = {
        {"enabled", [&] { Parent->SetEnabled(false); }, {"parent:CM_ENABLEDCHANGED"}},
        {"enabled again, same value", [&] { Parent->SetEnabled(false); }, {}},
        {"visible", [&] { Child->SetVisible(false); }, {"child:CM_VISIBLECHANGED"}},
        {"text", [&] { Parent->SetText(u"Hello"); }, {"parent:CM_TEXTCHANGED"}},
        {"same text", [&] { Parent->SetText(u"Hello"); }, {}},
        {"colour",
         [&] { Parent->SetColor(clRed); },
         {"parent:CM_COLORCHANGED", "own:CM_PARENTCOLORCHANGED", "own:CM_COLORCHANGED",
          "child:CM_PARENTCOLORCHANGED", "child:CM_COLORCHANGED"}},
        {"font",
         [&] { Parent->Font()->SetHeight(-20); },
         {"parent:CM_FONTCHANGED", "own:CM_PARENTFONTCHANGED", "child:CM_PARENTFONTCHANGED",
          "child:CM_FONTCHANGED"}},
        {"cursor", [&] { Child->SetCursor(crHandPoint); }, {"child:CM_CURSORCHANGED"}},
    };
    for (auto& Case : Cases) {
        Log.clear();
        Case.Change();
        EXPECT_EQ(Log, Case.Expected) << Case.What;
    }
    EXPECT_EQ(Child->Color(), clRed);
    EXPECT_TRUE(Child->ParentColor());
    EXPECT_EQ(Child->Font()->Height(), -20);
    EXPECT_TRUE(Child->ParentFont());
    EXPECT_EQ(Own->Font()->Height(), -11);
    EXPECT_FALSE(Own->ParentFont());
}

TEST_F(VclTest, ControlTakesItsParentsLookWhenInserted) {
    TForm* Form = NewForm();
    Form->SetColor(clYellow);
    Form->Font()->SetName(u"Arial");
    Form->SetShowHint(true);
    auto* Child = new TLogGraphic(Form, Log, u"child", Form, Bounds(0, 0, 10, 10));
    EXPECT_EQ(Child->Color(), clYellow);
    EXPECT_EQ(Child->Font()->Name(), u"Arial");
    EXPECT_TRUE(Child->ShowHint());
}

TEST_F(VclTest, Ctl3DFollowsTheParentUntilSetOnTheControl) {
    TForm* Form = NewForm();
    auto* Child = new TLogControl(Form, Log, u"child", Form, Bounds(0, 0, 10, 10));
    EXPECT_TRUE(Child->Ctl3D());
    Form->SetCtl3D(false);
    EXPECT_FALSE(Child->Ctl3D());
    Child->SetCtl3D(true);
    EXPECT_FALSE(Child->ParentCtl3D());
    EXPECT_TRUE(Child->Ctl3D());
    Child->SetParentCtl3D(true);
    EXPECT_FALSE(Child->Ctl3D());
    EXPECT_EQ(Child->BevelKind(), bkNone);
    EXPECT_EQ(Child->StyleElements(), TStyleElements({seFont, seClient, seBorder}));
}

// ---- Alignment ----

TEST_F(VclTest, AlignmentFillsTheParentBarsFirstThenTheClient) {
    TForm* Form = NewForm();
    auto* Host = new TLogControl(Form, Log, u"host", Form, Bounds(0, 0, 300, 200));
    auto Make = [&](const char16_t* Name, TAlign Align, TRect Bounds) {
        auto* Control = new TLogGraphic(Form, Log, Name, Host, Bounds);
        Control->SetAlign(Align);
        return Control;
    };
    auto* Top2 = Make(u"top2", alTop, Bounds(0, 50, 10, 15));
    auto* Top1 = Make(u"top1", alTop, Bounds(0, 0, 10, 10));
    auto* Bottom = Make(u"bottom", alBottom, Bounds(0, 0, 10, 20));
    auto* Left = Make(u"left", alLeft, Bounds(0, 0, 30, 10));
    auto* Right = Make(u"right", alRight, Bounds(0, 0, 40, 10));
    auto* Client = Make(u"client", alClient, Bounds(0, 0, 1, 1));
    auto* Fixed = Make(u"fixed", alNone, Bounds(7, 8, 9, 10));
    struct TCase {
        TControl* Control;
        TRect Expected;
    } Cases[] = {
        {Top1, Rect(0, 0, 300, 10)},  {Top2, Rect(0, 10, 300, 25)},     {Bottom, Rect(0, 180, 300, 200)},
        {Left, Rect(0, 25, 30, 180)}, {Right, Rect(260, 25, 300, 180)}, {Client, Rect(30, 25, 260, 180)},
        {Fixed, Rect(7, 8, 16, 18)},
    };
    for (auto& Case : Cases)
        EXPECT_EQ(Case.Control->BoundsRect(), Case.Expected) << Narrow(Case.Control->Name());

    Host->SetBounds(0, 0, 400, 100);
    EXPECT_EQ(Client->BoundsRect(), Rect(30, 25, 360, 80));
    EXPECT_EQ(Right->BoundsRect(), Rect(360, 25, 400, 80));
    // A minimum height the client cannot shrink below.
    Client->Constraints()->SetMinHeight(100);
    EXPECT_EQ(Client->Height(), 100);
}

TEST_F(VclTest, AnchorsKeepDistancesToTheParentsEdges) {
    TForm* Form = NewForm();
    auto* Host = new TLogControl(Form, Log, u"host", Form, Bounds(0, 0, 200, 100));
    auto Make = [&](TAnchors Anchors) {
        auto* Control = new TLogGraphic(Form, Log, u"", Host, Bounds(20, 30, 40, 10));
        Control->SetAnchors(Anchors);
        return Control;
    };
    auto* RightBottom = Make({akRight, akBottom});
    auto* Stretch = Make({akLeft, akTop, akRight});
    auto* Centred = Make({});
    Host->SetBounds(0, 0, 300, 150);
    EXPECT_EQ(RightBottom->BoundsRect(), Bounds(120, 80, 40, 10));
    EXPECT_EQ(Stretch->BoundsRect(), Bounds(20, 30, 140, 10));
    // The centre stays at the same share of the parent: MulDiv(35, 150, 100) = 53.
    EXPECT_EQ(Centred->BoundsRect(), Bounds(40, 48, 40, 10));
}

// ---- Painting ----

TEST_F(VclTest, GraphicChildIsPaintedByItsParentOnTopOfTheBackground) {
    for (bool Buffered : {false, true}) {
        TForm* Form = NewForm();
        Form->SetColor(clWhite);
        Form->SetDoubleBuffered(Buffered);
        auto* Graphic = new TLogGraphic(Form, Log, u"graphic", Form, Bounds(20, 20, 30, 30));
        Graphic->SetColor(clRed);
        Form->Show();
        Pump();
        EXPECT_GE(Graphic->PaintCount, 1);
        TPoint Inside = Form->ScreenToClient(Centre(Graphic));
        TRect Window;
        GetWindowRect(Form->Handle(), Window);
        TPoint Origin = Form->ClientOrigin();
        Integer DX = Origin.X - Window.Left, DY = Origin.Y - Window.Top;
        EXPECT_EQ(WindowPixel(Form->Handle(), Inside.X + DX, Inside.Y + DY), clRed) << Buffered;
        EXPECT_EQ(WindowPixel(Form->Handle(), 5 + DX, 5 + DY), clWhite) << Buffered;

        // Moving the child repaints both places.
        Graphic->SetLeft(100);
        Pump();
        EXPECT_EQ(WindowPixel(Form->Handle(), Inside.X + DX, Inside.Y + DY), clWhite) << Buffered;
        EXPECT_EQ(WindowPixel(Form->Handle(), 110 + DX, 30 + DY), clRed) << Buffered;
        Free(Form);
    }
}

// ---- Focus ----

class FocusTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Form = NewForm();
        PanelA = new TLogControl(Form, Log, u"panelA", Form, Bounds(0, 0, 150, 100));
        PanelB = new TLogControl(Form, Log, u"panelB", Form, Bounds(160, 0, 150, 100));
        PanelA->SetTabStop(false);
        PanelB->SetTabStop(false);
        A1 = new TLogControl(Form, Log, u"a1", PanelA, Bounds(10, 10, 50, 20));
        A2 = new TLogControl(Form, Log, u"a2", PanelA, Bounds(10, 40, 50, 20));
        B1 = new TLogControl(Form, Log, u"b1", PanelB, Bounds(10, 10, 50, 20));
        Log.clear();
        Form->Show();
    }
    TForm* Form = nullptr;
    TLogControl *PanelA = nullptr, *PanelB = nullptr, *A1 = nullptr, *A2 = nullptr, *B1 = nullptr;
};

TEST_F(FocusTest, ShowingTheFormFocusesTheFirstTabStop) {
    EXPECT_EQ(Form->ActiveControl(), A1);
    EXPECT_TRUE(A1->Focused());
    EXPECT_EQ(Screen->ActiveControl(), A1);
    EXPECT_EQ(Screen->ActiveForm(), Form);
    EXPECT_EQ(Only(Log, "CM_"), TLog({"panelA:CM_ENTER", "a1:CM_ENTER"}));
}

TEST_F(FocusTest, ActivatingAnotherFormNeitherExitsNorEntersControls) {
    TForm* Other = NewForm(u"Other");
    auto* O1 = new TLogControl(Other, Log, u"o1", Other, Bounds(10, 10, 50, 20));
    Other->Show();
    EXPECT_TRUE(O1->Focused());
    Log.clear();
    Form->Show();
    EXPECT_TRUE(A1->Focused());
    EXPECT_EQ(Screen->ActiveForm(), Form);
    EXPECT_EQ(Screen->Forms(0), Form);
    EXPECT_EQ(Only(Log, "CM_"), TLog());
}

TEST_F(FocusTest, FocusChangeExitsUpToTheCommonParentThenEntersDown) {
    Log.clear();
    B1->SetFocus();
    EXPECT_EQ(Log, TLog({"a1:WM_KILLFOCUS", "b1:WM_SETFOCUS", "a1:CM_EXIT", "a1:OnExit", "panelA:CM_EXIT",
                         "panelA:OnExit", "panelB:CM_ENTER", "panelB:OnEnter", "b1:CM_ENTER", "b1:OnEnter"}));
    EXPECT_EQ(Form->ActiveControl(), B1);
    EXPECT_EQ(Screen->ActiveControl(), B1);

    Log.clear();
    B1->SetFocus();
    EXPECT_TRUE(Log.empty());
    A1->SetFocus();
    Log.clear();
    A2->SetFocus();
    EXPECT_EQ(Only(Log, "CM_"), TLog({"a1:CM_EXIT", "a2:CM_ENTER"}));
}

TEST_F(FocusTest, ExitHandlerThatMovesTheFocusStopsTheOldChange) {
    A1->OnExit = [&](TObject*) { A2->SetFocus(); };
    Log.clear();
    B1->SetFocus();
    EXPECT_TRUE(A2->Focused());
    EXPECT_EQ(Form->ActiveControl(), A2);
    EXPECT_EQ(Only(Log, "CM_ENTER"), TLog({"a2:CM_ENTER"}));
    EXPECT_EQ(Only(Log, "b1:CM_"), TLog());
}

TEST_F(FocusTest, HiddenDisabledOrFreedControlsLoseTheFocus) {
    EXPECT_TRUE(B1->CanFocus());
    PanelB->SetEnabled(false);
    EXPECT_FALSE(B1->CanFocus());
    try {
        B1->SetFocus();
        FAIL() << "no exception";
    } catch (const EInvalidOperation& E) {
        EXPECT_EQ(E.Message(), u"Cannot focus a disabled or invisible window");
    }
    A1->SetVisible(false);
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    A2->SetFocus();
    TWinControl* Freed = A2;
    Free(A2);
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    EXPECT_NE(Screen->ActiveControl(), Freed);
    EXPECT_EQ(GetFocus(), Form->Handle());
}

TEST_F(FocusTest, TabAndShiftTabFollowTheTabOrderSkippingWhatCannotTakeTheFocus) {
    A2->SetTabOrder(0); // a2 before a1 within panelA
    auto* Skipped = new TLogControl(Form, Log, u"skipped", PanelB, Bounds(10, 40, 50, 20));
    Skipped->SetTabStop(false);
    auto* Disabled = new TLogControl(Form, Log, u"disabled", PanelB, Bounds(10, 70, 50, 20));
    Disabled->SetEnabled(false);
    A2->SetFocus();
    std::vector<TWinControl*> Seen;
    for (int I = 0; I < 3; ++I) {
        headless::TypeKey(VK_TAB);
        Pump();
        Seen.push_back(FindControl(GetFocus()));
    }
    EXPECT_EQ(Seen, std::vector<TWinControl*>({A1, B1, A2}));
    headless::PressKey(VK_SHIFT);
    headless::TypeKey(VK_TAB);
    headless::ReleaseKey(VK_SHIFT);
    Pump();
    EXPECT_EQ(FindControl(GetFocus()), B1);
}

TEST_F(FocusTest, ControlThatWantsTabOrArrowsGetsThemAsKeys) {
    A1->LogKeys = true;
    A1->DialogCode = DLGC_WANTTAB;
    A1->SetFocus();
    Log.clear();
    headless::TypeKey(VK_TAB);
    Pump();
    EXPECT_TRUE(A1->Focused());
    EXPECT_EQ(Only(Log, "WM_KEY"), TLog({"a1:WM_KEYDOWN", "a1:WM_KEYUP"}));

    // Without the dialog code an arrow moves among the siblings.
    A1->DialogCode = 0;
    headless::TypeKey(VK_DOWN);
    Pump();
    EXPECT_TRUE(A2->Focused());
}

// ---- Keys ----

TEST_F(FocusTest, KeyPreviewLetsTheFormUseAKeyFirst) {
    std::vector<std::string> Seen;
    Form->SetKeyPreview(true);
    Form->OnKeyDown = [&](TObject*, Word& Key, TShiftState Shift) {
        Seen.push_back("form:" + std::to_string(Key) + (Shift.Contains(ssCtrl) ? "+ctrl" : ""));
        if (Key == 'X') Key = 0;
    };
    A1->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { Seen.push_back("a1:" + std::to_string(Key)); };
    A1->OnKeyPress = [&](TObject*, Char& Key) { Seen.push_back(std::string("a1 press:") + char(Key)); };
    headless::TypeKey('X');
    headless::PressKey(VK_CONTROL);
    headless::TypeKey('Y');
    headless::ReleaseKey(VK_CONTROL);
    Pump();
    EXPECT_EQ(Seen, TLog({"form:88", "a1 press:x", "form:17+ctrl", "a1:17", "form:89+ctrl", "a1:89",
                          std::string("a1 press:") + char(25)}));
}

// ---- Mouse ----

TEST_F(VclTest, MousePressAndReleaseInsideIsAClickWithShiftAndCoordinates) {
    TForm* Form = NewForm();
    auto* Target = new TLogControl(Form, Log, u"target", Form, Bounds(20, 20, 100, 50));
    auto* Graphic = new TLogGraphic(Form, Log, u"graphic", Form, Bounds(200, 20, 60, 30));
    Form->Show();
    TLog Seen;
    auto Watch = [&](TControl* Control, const std::string& Name) {
        Control->OnMouseDown = [&, Name](TObject*, TMouseButton Button, TShiftState Shift, Integer X,
                                         Integer Y) {
            Seen.push_back(Name + " down " + std::to_string(Button) + " " + std::to_string(Shift.Mask()) +
                           " " + std::to_string(X) + "," + std::to_string(Y));
        };
        Control->OnMouseUp = [&, Name](TObject*, TMouseButton, TShiftState, Integer X, Integer Y) {
            Seen.push_back(Name + " up " + std::to_string(X) + "," + std::to_string(Y));
        };
        Control->OnClick = [&, Name](TObject*) { Seen.push_back(Name + " click"); };
        Control->OnDblClick = [&, Name](TObject*) { Seen.push_back(Name + " dblclick"); };
    };
    Watch(Target, "target");
    Watch(Graphic, "graphic");

    TPoint P = Target->ClientToScreen({10, 15});
    headless::MoveMouse(P.X, P.Y);
    headless::PressKey(VK_SHIFT);
    headless::Press();
    headless::Release();
    headless::ReleaseKey(VK_SHIFT);
    Pump();
    TShiftState ShiftLeft{ssShift, ssLeft};
    EXPECT_EQ(Seen, TLog({"target down 0 " + std::to_string(ShiftLeft.Mask()) + " 10,15", "target click",
                          "target up 10,15"}));

    // The graphic control gets the mouse in its own coordinates, through its parent.
    Seen.clear();
    TPoint G = Graphic->ClientToScreen({3, 4});
    headless::Click(G.X, G.Y);
    headless::AdvanceClock(100);
    headless::Click(G.X, G.Y);
    Pump();
    TShiftState LeftDouble{ssLeft, ssDouble};
    EXPECT_EQ(Seen, TLog({"graphic down 0 " + std::to_string(TShiftState{ssLeft}.Mask()) + " 3,4",
                          "graphic click", "graphic up 3,4", "graphic dblclick",
                          "graphic down 0 " + std::to_string(LeftDouble.Mask()) + " 3,4", "graphic up 3,4"}));
}

TEST_F(VclTest, ReleaseOutsideAfterAPressIsNoClickAndTheCaptureFollowsTheMouse) {
    TForm* Form = NewForm();
    auto* Graphic = new TLogGraphic(Form, Log, u"graphic", Form, Bounds(20, 20, 60, 30));
    Form->Show();
    TLog Seen;
    Graphic->OnMouseMove = [&](TObject*, TShiftState, Integer X, Integer Y) {
        Seen.push_back("move " + std::to_string(X) + "," + std::to_string(Y));
    };
    Graphic->OnClick = [&](TObject*) { Seen.push_back("click"); };
    TPoint P = Graphic->ClientToScreen({5, 5});
    headless::MoveMouse(P.X, P.Y);
    headless::Press();
    Pump();
    EXPECT_TRUE(Graphic->MouseCapture());
    EXPECT_EQ(GetCapture(), Form->Handle());
    headless::MoveMouse(P.X + 200, P.Y);
    headless::Release();
    Pump();
    EXPECT_FALSE(Graphic->MouseCapture());
    EXPECT_EQ(Seen, TLog({"move 5,5", "move 205,5"}));
}

TEST_F(VclTest, MouseEnterAndLeaveFollowTheControlUnderTheCursor) {
    TForm* Form = NewForm();
    auto* Windowed = new TLogControl(Form, Log, u"windowed", Form, Bounds(20, 20, 60, 30));
    auto* Graphic = new TLogGraphic(Form, Log, u"graphic", Form, Bounds(120, 20, 60, 30));
    Form->Show();
    TLog Events;
    Windowed->OnMouseEnter = [&](TObject*) { Events.push_back("windowed enter"); };
    Windowed->OnMouseLeave = [&](TObject*) { Events.push_back("windowed leave"); };
    Graphic->OnMouseEnter = [&](TObject*) { Events.push_back("graphic enter"); };
    Graphic->OnMouseLeave = [&](TObject*) { Events.push_back("graphic leave"); };
    for (TControl* Control : std::initializer_list<TControl*>{Windowed, Graphic}) {
        TPoint P = Centre(Control);
        headless::MoveMouse(P.X, P.Y);
        Pump();
    }
    headless::MoveMouse(1500, 900); // off the form
    Pump();
    EXPECT_EQ(Events, TLog({"windowed enter", "windowed leave", "graphic enter", "graphic leave"}));
    EXPECT_EQ(Only(Log, "graphic:CM_MOUSE"), TLog({"graphic:CM_MOUSEENTER", "graphic:CM_MOUSELEAVE"}));
}

TEST_F(FocusTest, WheelGoesToTheFocusedControlAndBubblesUpToTheForm) {
    TLog Seen;
    A1->OnMouseWheel = [&](TObject*, TShiftState, Integer Delta, TPoint, bool&) {
        Seen.push_back("a1 wheel " + std::to_string(Delta));
    };
    Form->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        Seen.push_back("form down");
        Handled = true;
    };
    TPoint P = Centre(B1);
    headless::MoveMouse(P.X, P.Y);
    headless::Wheel(-WHEEL_DELTA);
    Pump();
    EXPECT_EQ(Seen, TLog({"a1 wheel -120", "form down"}));
}
