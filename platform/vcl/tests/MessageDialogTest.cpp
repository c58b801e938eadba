// Message boxes: the dialog the user sees (buttons, default and cancel
// answers by keyboard, wrapping, drawing), the scripted answers of tests,
// and the refusal to answer without anyone to ask.

#include "VclTestSupport.h"
#include "vcl/Dialogs.h"
#include "vcl/StdCtrls.h"
#include "rtl/Convert.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"

using namespace winapi;

namespace {

class MessageDialogTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        SetMessageBoxHandler(nullptr); // the real dialog
    }
    void TearDown() override {
        SetMessageDialogDriver(nullptr);
        VclTest::TearDown();
    }
    // Runs the real dialog, typing `Keys` once it is up; remembers what it showed.
    void Answer(std::vector<Integer> Keys) {
        SetMessageDialogDriver([this, Keys](TForm* Dialog) {
            Shown = Dialog;
            Captions.clear();
            for (Integer I = 0; I < Dialog->ControlCount(); ++I)
                if (auto* B = dynamic_cast<TButton*>(Dialog->Controls(I))) {
                    Captions.push_back(Narrow(B->Caption()) + (B->Default() ? "*" : "") + (B->Cancel() ? "^" : ""));
                }
            for (Integer Key : Keys)
                headless::TypeKey(Key);
        });
    }
    TForm* Shown = nullptr;
    std::vector<std::string> Captions; // "Caption", * default, ^ cancel
};

} // namespace

TEST_F(MessageDialogTest, ButtonSetsAnswerTheirDefaultAndCancelByKeyboard) {
    struct TCase {
        TMsgDlgButtons Buttons;
        std::vector<std::string> Captions;
        Integer Key;
        TModalResult Expected;
    };
    const TCase Cases[] = {
        {TMsgDlgButtons{mbOK}, {"OK*^"}, VK_RETURN, mrOk},
        {TMsgDlgButtons{mbOK}, {"OK*^"}, VK_ESCAPE, mrOk},
        {mbOKCancel, {"OK*", "Cancel^"}, VK_RETURN, mrOk},
        {mbOKCancel, {"OK*", "Cancel^"}, VK_ESCAPE, mrCancel},
        {mbYesNo, {"&Yes*", "&No^"}, VK_RETURN, mrYes},
        {mbYesNo, {"&Yes*", "&No^"}, VK_ESCAPE, mrNo},
        {mbYesNoCancel, {"&Yes*", "&No", "Cancel^"}, VK_ESCAPE, mrCancel},
        {mbAbortRetryIgnore, {"&Abort*", "&Retry", "&Ignore"}, VK_RETURN, mrAbort},
    };
    for (const auto& C : Cases) {
        Answer({C.Key});
        EXPECT_EQ(MessageDlg(u"Proceed?", mtConfirmation, C.Buttons, 0), C.Expected);
        EXPECT_EQ(Captions, C.Captions);
    }
}

TEST_F(MessageDialogTest, TabMovesToTheNextButtonAndEnterPressesIt) {
    Answer({VK_TAB, VK_RETURN});
    EXPECT_EQ(MessageDlg(u"Save the changes?", mtConfirmation, mbYesNoCancel, 0), mrNo);
}

TEST_F(MessageDialogTest, MessageBoxFlagsChooseButtonsIconCaptionAndDefault) {
    Answer({VK_RETURN});
    EXPECT_EQ(MessageBox(nullptr, u"Retry the copy?", u"Copy", MB_RETRYCANCEL | MB_ICONWARNING | MB_DEFBUTTON2),
              IDCANCEL);
    EXPECT_EQ(Captions, std::vector<std::string>({"&Retry", "Cancel*^"}));
    Answer({VK_RETURN});
    EXPECT_EQ(Application->MessageBox(u"Done", u"Title"), IDOK);
}

TEST_F(MessageDialogTest, LongTextWrapsAndTheDialogDrawsIconTextAndButtons) {
    String Long;
    for (int I = 0; I < 40; ++I)
        Long += u"word" + IntToStr(I) + u" ";
    cairo_surface_t* Picture = nullptr;
    TRect MessageRect, DialogRect;
    SetMessageDialogDriver([&](TForm* Dialog) {
        auto* Message = dynamic_cast<TLabel*>(Dialog->FindComponent(u"Message"));
        ASSERT_NE(Message, nullptr);
        MessageRect = Message->BoundsRect();
        DialogRect = Dialog->BoundsRect();
        headless::SetIdleHandler([&, Dialog] {
            // Drawn and waiting: look at it, then answer.
            if (Picture) return;
            Dialog->Update();
            Picture = cairo_surface_reference(WindowSurface(Dialog->Handle()));
            headless::TypeKey(VK_RETURN);
        });
    });
    EXPECT_EQ(MessageDlg(Long, mtError, TMsgDlgButtons{mbOK}, 0), mrOk);
    headless::SetIdleHandler(nullptr);
    EXPECT_LE(MessageRect.Width(), 400);
    EXPECT_GT(MessageRect.Height(), 3 * 13) << "the text takes several lines";
    EXPECT_LT(DialogRect.Width(), 500);
    ASSERT_NE(Picture, nullptr);
    cairo_surface_destroy(Picture);
}

TEST_F(MessageDialogTest, ErrorIconIsRedAndTheDefaultButtonIsFramed) {
    TColor IconCentre = clNone, Face = clNone;
    SetMessageDialogDriver([&](TForm* Dialog) {
        headless::SetIdleHandler([&, Dialog] {
            if (IconCentre != clNone) return;
            Dialog->Update();
            TPoint Icon = Dialog->ClientToScreen({16 + 16, 16 + 8});
            TPoint Origin = Dialog->ClientToScreen({0, 0});
            TRect Window;
            GetWindowRect(Dialog->Handle(), Window);
            IconCentre = WindowPixel(Dialog->Handle(), Icon.X - Window.Left, Icon.Y - Window.Top);
            Face = WindowPixel(Dialog->Handle(), Origin.X - Window.Left + 4, Origin.Y - Window.Top + 4);
            headless::TypeKey(VK_RETURN);
        });
    });
    MessageDlg(u"Broken", mtError, TMsgDlgButtons{mbOK}, 0);
    headless::SetIdleHandler(nullptr);
    EXPECT_EQ(IconCentre, clRed);
    EXPECT_EQ(ColorToRGB(Face), ColorToRGB(clBtnFace));
}

TEST_F(MessageDialogTest, WithoutDisplayOrScriptAQuestionIsAnErrorNeverAYes) {
    try {
        MessageDlg(u"Delete the project?", mtConfirmation, mbYesNo, 0);
        FAIL() << "answered without asking";
    } catch (const EMessageBoxUnavailable& E) {
        EXPECT_EQ(E.Message(), u"No display to ask: Confirmation: Delete the project?");
    }
    EXPECT_THROW(MessageBox(nullptr, u"Sure?", u"Ask", MB_YESNO), EMessageBoxUnavailable);
    // Telling something asks nothing: it goes to the error output.
    EXPECT_EQ(MessageBox(nullptr, u"Saved", u"Note", MB_OK), IDOK);
}

TEST_F(MessageDialogTest, ScriptedAnswerSeesTheBoxAsMessageBoxFlags) {
    std::vector<String> Seen;
    SetMessageBoxHandler([&](HWND, const String& Text, const String& Caption, UINT Type) {
        Seen.push_back(Caption + u"|" + Text + u"|" + IntToStr(Integer(Type)));
        return IDNO;
    });
    EXPECT_EQ(MessageDlg(u"Overwrite?", mtWarning, mbYesNo, 0), mrNo);
    ShowMessage(u"Hello");
    EXPECT_EQ(Seen, std::vector<String>({u"Warning|Overwrite?|" + IntToStr(Integer(MB_YESNO | MB_ICONWARNING)),
                                         Application->Title() + u"|Hello|0"}));
}
