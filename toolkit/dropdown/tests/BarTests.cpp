// The glossy button and the pop-up's header and footer bars, by pixels and
// by clicks on the headless window system.

#include "DropDownTestSupport.h"
#include "dropdown/KelBars.h"
#include "dropdown/KelDropDown.h"
#include "rtl/Exception.h"
#include "vcl/Buttons.h"
#include "vcl/ExtCtrls.h"
#include "windowing/Paint.h"

using namespace winapi;

namespace {

class Bars : public DropDownTest {
protected:
    // A drop-down at (20, 20) of a form hosting a 150 x 100 panel.
    TKelDropDown* NewDropDown() {
        Form = NewForm();
        auto* Edit = Create<TKelDropDown>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(20, 20, 200, 21);
        auto* Hosted = Create<TPanel>(Form);
        Hosted->SetParent(Form);
        Hosted->SetBounds(0, 0, 150, 100);
        Edit->SetControl(Hosted);
        Pump();
        Edit->SetFocus();
        Pump();
        return Edit;
    }

    void Open(TKelDropDown* Edit) {
        Edit->ShowDropDown();
        Pump();
        ASSERT_TRUE(Edit->DroppedDown());
    }

    TPoint Centre(TControl* Control) { return Control->ClientToScreen({Control->Width() / 2, Control->Height() / 2}); }

    void Paint(TWinControl* Control) {
        Control->Invalidate();
        Pump();
    }

    TForm* Form = nullptr;
};

} // namespace

TEST_F(Bars, DefaultButtonShowsItsParentAndADisabledOneIsFilledAndFramed) {
    TForm* Host = NewForm();
    Host->SetColor(clLime);
    TKelButtonAppearance Look;
    auto* Button = Create<TKelButton>(Host);
    Button->SetParent(Host);
    Button->SetBounds(10, 10, 60, 22);
    Button->SetAppearance(&Look);
    Button->SetCaption(u"OK");
    Pump();
    Paint(Button);
    // No face: the form's colour around the caption, at the edges too.
    EXPECT_EQ(WindowPixel(Button->Handle(), 2, 2), clLime);
    EXPECT_EQ(WindowPixel(Button->Handle(), 0, 0), clLime);
    Button->SetEnabled(false);
    Paint(Button);
    EXPECT_EQ(WindowPixel(Button->Handle(), 0, 10), 0x808080);
    EXPECT_EQ(WindowPixel(Button->Handle(), 3, 3), 0xF2F2F2);
}

TEST_F(Bars, GroupedButtonsReleaseEachOtherAndADownOneStaysDown) {
    TForm* Host = NewForm();
    TKelButton* Buttons[2];
    for (Integer I = 0; I < 2; ++I) {
        Buttons[I] = Create<TKelButton>(Host);
        Buttons[I]->SetParent(Host);
        Buttons[I]->SetBounds(10 + 40 * I, 10, 30, 22);
        Buttons[I]->SetGroupIndex(1);
    }
    Pump();
    ClickAt(Centre(Buttons[0]));
    EXPECT_TRUE(Buttons[0]->Down());
    ClickAt(Centre(Buttons[1]));
    EXPECT_FALSE(Buttons[0]->Down());
    EXPECT_TRUE(Buttons[1]->Down());
    ClickAt(Centre(Buttons[1]));
    EXPECT_TRUE(Buttons[1]->Down());
    // A speed button of the same group index is another kind: its group
    // message releases none of these.
    auto* Speed = Create<TSpeedButton>(Host);
    Speed->SetParent(Host);
    Speed->SetBounds(90, 10, 30, 22);
    Speed->SetGroupIndex(1);
    Pump();
    ClickAt(Centre(Speed));
    EXPECT_TRUE(Speed->Down());
    EXPECT_TRUE(Buttons[1]->Down());
}

TEST_F(Bars, AutoSizeTakesTheLargerOfImageAndCaptionPlusEight) {
    TForm* Host = NewForm();
    TKelButtonAppearance Look;
    auto* Images = Create<TImageList>(Host);
    Images->SetWidth(100);
    Images->SetHeight(40);
    auto* Button = Create<TKelButton>(Host);
    Button->SetParent(Host);
    Button->SetAppearance(&Look);
    Button->SetCaption(u"Go");
    Button->AutoSizeToContent();
    const Integer TextWidth = Button->Width() - 8;
    EXPECT_GT(TextWidth, 0);
    EXPECT_LT(TextWidth, 100);
    Button->SetImages(Images);
    Button->SetImageIndex(0);
    Button->AutoSizeToContent();
    EXPECT_EQ(Button->Width(), 108);
    EXPECT_EQ(Button->Height(), 44);
}

TEST_F(Bars, FooterModalResultsCloseKeepOrCancel) {
    const struct {
        TModalResult Result;
        bool Open;
        const char16_t* Text;
    } Cases[] = {{mrRetry, true, u"typed"}, {mrYes, false, u"typed"}, {mrNo, false, u"start"},
                 {mrOk, false, u"typed"},   {mrCancel, false, u"start"}};
    for (const auto& Case : Cases) {
        TKelDropDown* Edit = NewDropDown();
        Edit->DropDownFooter()->Buttons()->Add()->SetCaption(u"Act");
        Edit->DropDownFooter()->Buttons()->Items(0)->SetModalResult(Case.Result);
        Edit->SetText(u"start");
        Open(Edit);
        Edit->SetTextUnformatted(u"typed");
        TKelFooter* Footer = Edit->DropDownForm()->Footer();
        ASSERT_NE(Footer, nullptr);
        ASSERT_EQ(Footer->ButtonList().Count(), 1);
        ClickAt(Centre(Footer->BarButton(0)));
        EXPECT_EQ(Edit->DroppedDown(), Case.Open) << Case.Result;
        EXPECT_EQ(Edit->Text(), Case.Text) << Case.Result;
        Free(Form);
    }
}

TEST_F(Bars, SpaceOnAnOkButtonClosesWithoutOnClick) {
    TKelDropDown* Edit = NewDropDown();
    Edit->DropDownFooter()->Buttons()->Add()->SetModalResult(mrOk);
    bool Clicked = false;
    Edit->OnDropDownFooterButtonClick = [&](TObject*, Integer) { Clicked = true; };
    Open(Edit);
    TKelButton* Button = Edit->DropDownForm()->Footer()->BarButton(0);
    Button->Perform(WM_KEYDOWN, VK_SPACE, 0);
    Pump();
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_FALSE(Clicked);
}

TEST_F(Bars, ButtonsStandRightToLeftAndAClickReportsTheirIndex) {
    TKelDropDown* Edit = NewDropDown();
    for (const char16_t* Caption : {u"One", u"Two", u"Three"})
        Edit->DropDownFooter()->Buttons()->Add()->SetCaption(Caption);
    Edit->DropDownHeader()->Buttons()->Add()->SetHeight(200);
    Integer Index = -1;
    TObject* Sender = nullptr;
    Edit->OnDropDownFooterButtonClick = [&](TObject* S, Integer I) {
        Sender = S;
        Index = I;
    };
    Open(Edit);
    TKelFooter* Footer = Edit->DropDownForm()->Footer();
    const TRect R = Footer->ButtonsRect();
    // The grip takes 14 pixels at the right.
    EXPECT_EQ(R.Right, Footer->ClientWidth() - 14);
    EXPECT_EQ(Footer->BarButton(0)->Left() + Footer->BarButton(0)->Width(), R.Right);
    for (Integer I = 1; I < 3; ++I)
        EXPECT_EQ(Footer->BarButton(I)->Left() + Footer->BarButton(I)->Width(), Footer->BarButton(I - 1)->Left());
    // A definition taller than the bar is cut to its inner height.
    TKelHeader* Header = Edit->DropDownForm()->Header();
    EXPECT_EQ(Header->BarButton(0)->Height(), Header->ButtonsRect().Height());
    ClickAt(Centre(Footer->BarButton(2)));
    EXPECT_EQ(Index, 2);
    EXPECT_EQ(Sender, Edit);
}

TEST_F(Bars, BackgroundBorderLinesAndOwnPainting) {
    TKelDropDown* Edit = NewDropDown();
    Edit->DropDownHeader()->SetColor(clNone);
    Edit->DropDownHeader()->SetColorTo(clNone);
    Edit->DropDownHeader()->SetBorderColor(clRed);
    Edit->DropDownFooter()->SetColor(clYellow);
    Edit->DropDownFooter()->SetColorTo(clNone);
    Edit->DropDownFooter()->SetBorderColor(clBlue);
    Edit->SetDropDownColor(clAqua);
    Open(Edit);
    TKelHeader* Header = Edit->DropDownForm()->Header();
    TKelFooter* Footer = Edit->DropDownForm()->Footer();
    Paint(Header);
    Paint(Footer);
    const Integer HB = Header->ClientHeight() - 1;
    // The pop-up has a frame: the header draws only its bottom line, the
    // footer only its top line; the rest of the header is not painted.
    EXPECT_EQ(WindowPixel(Header->Handle(), 40, HB), clRed);
    EXPECT_NE(WindowPixel(Header->Handle(), 40, 0), clRed);
    EXPECT_NE(WindowPixel(Header->Handle(), 0, 10), clRed);
    EXPECT_EQ(WindowPixel(Header->Handle(), 40, 10), WindowPixel(Edit->DropDownForm()->Handle(), 60, 40));
    EXPECT_EQ(WindowPixel(Footer->Handle(), 40, 0), clBlue);
    EXPECT_NE(WindowPixel(Footer->Handle(), 0, 10), clBlue);
    EXPECT_EQ(WindowPixel(Footer->Handle(), 40, 10), clYellow);

    // A handler of its own replaces all painting of the bar.
    Edit->HideDropDown(false);
    Edit->DropDownHeader()->Buttons()->Add()->SetCaption(u"B");
    Edit->OnDrawHeader = [](TObject*, TCanvas* Canvas, const TRect& R) {
        Canvas->Brush()->SetColor(clFuchsia);
        Canvas->FillRect(R);
    };
    Pump();
    Open(Edit);
    Paint(Header);
    EXPECT_EQ(WindowPixel(Header->Handle(), 2, HB), clFuchsia);
    EXPECT_EQ(Header->ButtonList().Count(), 1);
}

TEST_F(Bars, GripZoneAndGrip) {
    TKelDropDown* Edit = NewDropDown();
    Edit->DropDownFooter()->SetColor(clWhite);
    Edit->DropDownFooter()->SetColorTo(clNone);
    Edit->DropDownFooter()->SetBorderColor(clBlack);
    Edit->SetDropDownWidth(202); // a 200-pixel footer inside the frame
    Open(Edit);
    TKelFooter* Footer = Edit->DropDownForm()->Footer();
    ASSERT_EQ(Footer->Width(), 200);
    ASSERT_EQ(Footer->Height(), 22);
    EXPECT_TRUE(Footer->InGripZone(189, 8));
    EXPECT_FALSE(Footer->InGripZone(188, 8));
    EXPECT_FALSE(Footer->InGripZone(189, 7));
    Paint(Footer);
    // Dark dots inside the 16 pixels left of the border, none left of them.
    Integer Leftmost = 200;
    for (Integer X = 150; X < 200; ++X)
        for (Integer Y = 1; Y < 21; ++Y)
            if (WindowPixel(Footer->Handle(), X, Y) == clBlack && X < 199) Leftmost = std::min(Leftmost, X);
    EXPECT_GE(Leftmost, 200 - 1 - 16);
    EXPECT_LT(Leftmost, 200 - 1 - 8);
    Edit->SetDropDownSizeable(false);
    EXPECT_FALSE(Footer->InGripZone(195, 20));
}

TEST(DbgList, ReadsAndWritesPastTheEndRaise) {
    TDbgList List;
    int A = 1, B = 2;
    TList Source;
    Source.Add(&A);
    Source.Add(&B);
    List.AssignList(&Source);
    EXPECT_EQ(List.GetItemsEx(1), &B);
    List.SetItemsEx(0, &B);
    EXPECT_EQ(List.GetItemsEx(0), &B);
    try {
        List.GetItemsEx(2);
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"Index out of bounds in list read access");
    }
    try {
        List.SetItemsEx(2, &A);
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"Index out of bounds in list write access");
    }
}

TEST_F(Bars, DraggingTheGripResizesThePopupWhichKeepsThatSize) {
    TKelDropDown* Edit = NewDropDown();
    Open(Edit);
    TDropDownForm* Pop = Edit->DropDownForm();
    Integer Sizing = 0;
    Pop->OnSizing = [&](TObject*) { ++Sizing; };
    TKelFooter* Footer = Pop->Footer();
    const TRect Start = Pop->BoundsRect();
    const TPoint Grip = Footer->ClientToScreen({Footer->Width() - 5, Footer->Height() - 5});
    Backend->MoveMouse(Grip.X, Grip.Y);
    Backend->PressButton(mbLeft);
    Pump();
    Backend->MoveMouse(Grip.X + 40, Grip.Y + 30);
    Pump();
    EXPECT_GT(Sizing, 0);
    EXPECT_EQ(Pop->Width(), Start.Width() + 40);
    EXPECT_EQ(Pop->Height(), Start.Height() + 30);
    // Never below 80 x 50.
    Backend->MoveMouse(Grip.X - 400, Grip.Y - 400);
    Pump();
    EXPECT_EQ(Pop->Width(), 80);
    EXPECT_EQ(Pop->Height(), 50);
    Backend->MoveMouse(Grip.X + 20, Grip.Y + 10);
    Backend->ReleaseButton(mbLeft);
    Pump();
    ASSERT_TRUE(Edit->DroppedDown());
    const TSize Sized{Pop->Width(), Pop->Height()};
    EXPECT_EQ(Sized.cx, Start.Width() + 20);

    // Escape during a drag restores the size of its start.
    const TPoint Grip2 = Footer->ClientToScreen({Footer->Width() - 5, Footer->Height() - 5});
    Backend->MoveMouse(Grip2.X, Grip2.Y);
    Backend->PressButton(mbLeft);
    Pump();
    Backend->MoveMouse(Grip2.X + 50, Grip2.Y + 50);
    Pump();
    Backend->TypeKey(VK_ESCAPE);
    Pump();
    EXPECT_EQ(Pop->Width(), Sized.cx);
    EXPECT_EQ(Pop->Height(), Sized.cy);
    Backend->ReleaseButton(mbLeft);
    Pump();

    Edit->HideDropDown(false);
    Pump();
    Open(Edit);
    EXPECT_EQ(Pop->Width(), Sized.cx);
    EXPECT_EQ(Pop->Height(), Sized.cy);
}
