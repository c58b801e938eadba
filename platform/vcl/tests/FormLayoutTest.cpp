// Text form layouts: a form read from its layout equals the form built in
// code, writing it back gives the same text, frames read their own layout,
// errors name the file and the line; and control action links.

#include "VclTestSupport.h"
#include "rtl/ClassBuilder.h"
#include "vcl/ActnList.h"
#include "vcl/ExtCtrls.h"
#include "vcl/FormLayout.h"
#include "vcl/Frame.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

using namespace winapi;

namespace {

class TLayoutForm : public TForm {
    RTL_CLASS(TLayoutForm)
public:
    explicit TLayoutForm(TComponent* AOwner) : TForm(AOwner) {}
    TLayoutForm(TComponent* AOwner, Integer Dummy) : TForm(AOwner, Dummy) {}
    void btnOKClick(TObject*) { ++OKClicks; }
    void miExitClick(TObject*) { ++ExitClicks; }
    Integer OKClicks = 0;
    Integer ExitClicks = 0;
    bool LoadedSawButton = false;

protected:
    void Loaded() override {
        TForm::Loaded();
        LoadedSawButton = FindComponent(u"btnOK") != nullptr;
    }
};

class TLayoutFrame : public TFrame {
    RTL_CLASS(TLayoutFrame)
public:
    explicit TLayoutFrame(TComponent* AOwner) : TFrame(AOwner) {}
};

} // namespace

const TClassInfo& TLayoutForm::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TLayoutForm, TForm>()
                                       .Method(u"btnOKClick", &TLayoutForm::btnOKClick)
                                       .Method(u"miExitClick", &TLayoutForm::miExitClick)
                                       .Build();
    return Info;
}

const TClassInfo& TLayoutFrame::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TLayoutFrame, TFrame>().Build();
    return Info;
}

namespace {

const char16_t* const FrameLayout = u"object LayoutFrame: TLayoutFrame\r\n"
                                    u"  Width = 200\r\n"
                                    u"  Height = 60\r\n"
                                    u"  object btnInner: TButton\r\n"
                                    u"    Left = 4\r\n"
                                    u"    Top = 4\r\n"
                                    u"    Width = 75\r\n"
                                    u"    Height = 25\r\n"
                                    u"    Caption = 'Inner'\r\n"
                                    u"    TabOrder = 0\r\n"
                                    u"  end\r\n"
                                    u"end\r\n";

class FormLayoutTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        RegisterStandardClasses();
        RegisterClass<TLayoutForm>();
        RegisterClass<TLayoutFrame>();
        RegisterLayoutText(TLayoutFrame::StaticClassInfo(), FrameLayout, u"LayoutFrame.layout");
    }
    void TearDown() override {
        RegisterLayoutText(TLayoutForm::StaticClassInfo(), u"", u"");
        VclTest::TearDown();
    }
    TLayoutForm* ReadForm(const String& Text) {
        RegisterLayoutText(TLayoutForm::StaticClassInfo(), Text, u"LayoutForm.layout");
        return Create<TLayoutForm>(Application);
    }
    static void Bind(TControl* Control, const String& Event, TComponent* Form, const String& Method) {
        SetMethodProp(Control, FindPropInfo(Control, Event), FindMethod(Form, Method));
    }
};

TEST_F(FormLayoutTest, FormReadFromItsLayoutEqualsTheFormBuiltInCode) {
    // Built in code.
    auto* Built = CreateNew<TLayoutForm>(Application);
    Built->SetName(u"LayoutForm");
    Built->SetBounds(100, 80, 400, 300);
    Built->SetCaption(u"Layout");
    auto* Main = new TMainMenu(Built);
    Main->SetName(u"mmMain");
    auto* File = new TMenuItem(Built);
    File->SetName(u"miFile");
    File->SetCaption(u"&File");
    Main->Items()->Add(File);
    auto* Exit = new TMenuItem(Built);
    Exit->SetName(u"miExit");
    Exit->SetCaption(u"E&xit");
    SetMethodProp(Exit, FindPropInfo(Exit, u"OnClick"), FindMethod(Built, u"miExitClick"));
    File->Add(Exit);
    auto* Popup = new TPopupMenu(Built);
    Popup->SetName(u"pmEdit");
    auto* Copy = new TMenuItem(Built);
    Copy->SetName(u"miCopy");
    Copy->SetCaption(u"&Copy");
    Popup->Items()->Add(Copy);
    Built->SetMenu(Main);
    auto* Panel = new TPanel(Built);
    Panel->SetName(u"pnlTop");
    Panel->SetParent(Built);
    Panel->SetAlign(alTop);
    Panel->SetHeight(41);
    Panel->SetCaption(u"");
    auto* Edit = new TEdit(Built);
    Edit->SetName(u"edtName");
    Edit->SetParent(Panel);
    Edit->SetBounds(96, 8, 121, 21);
    Edit->SetText(u"Vandrel");
    Edit->SetPopupMenu(Popup);
    auto* OK = new TButton(Built);
    OK->SetName(u"btnOK");
    OK->SetParent(Panel);
    OK->SetBounds(232, 8, 75, 25);
    OK->SetCaption(u"OK");
    OK->SetDefault(true);
    Bind(OK, u"OnClick", Built, u"btnOKClick");
    OK->SetTabOrder(0); // before the edit
    auto* Label = new TLabel(Built);
    Label->SetName(u"lblName");
    Label->SetParent(Built);
    Label->SetBounds(8, 56, 31, 13);
    Label->SetCaption(u"&Name");
    Label->SetFocusControl(Edit);
    auto* Frame = Create<TLayoutFrame>(Built);
    Frame->SetName(u"fraInner");
    Frame->SetParent(Built);
    Frame->SetBounds(8, 80, 200, 60);
    String Text = WriteLayoutText(Built);

    // Read from the text that the built form writes.
    Built->SetName(u"Other");
    TLayoutForm* Read = ReadForm(Text);
    EXPECT_EQ(Read->Name(), u"LayoutForm");
    EXPECT_EQ(WriteLayoutText(Read), Text); // every property, child order and tab order alike
    EXPECT_TRUE(Read->LoadedSawButton);
    auto* ReadOK = dynamic_cast<TButton*>(Read->FindComponent(u"btnOK"));
    auto* ReadEdit = dynamic_cast<TEdit*>(Read->FindComponent(u"edtName"));
    auto* ReadPanel = dynamic_cast<TPanel*>(Read->FindComponent(u"pnlTop"));
    ASSERT_TRUE(ReadOK && ReadEdit && ReadPanel);
    EXPECT_EQ(ReadOK->Parent(), ReadPanel);
    EXPECT_EQ(ReadOK->TabOrder(), 0);
    EXPECT_EQ(ReadEdit->TabOrder(), 1);
    EXPECT_EQ(ReadEdit->Text(), u"Vandrel");
    EXPECT_EQ(ReadEdit->PopupMenu(), Read->FindComponent(u"pmEdit"));
    EXPECT_EQ(Read->Menu(), Read->FindComponent(u"mmMain"));
    EXPECT_EQ(static_cast<TLabel*>(Read->FindComponent(u"lblName"))->FocusControl(), ReadEdit);
    auto* ReadFrame = dynamic_cast<TLayoutFrame*>(Read->FindComponent(u"fraInner"));
    ASSERT_NE(ReadFrame, nullptr);
    EXPECT_NE(ReadFrame->FindComponent(u"btnInner"), nullptr); // from the frame's own layout
    EXPECT_EQ(ReadFrame->Left(), 8);
    // The event bindings work.
    ReadOK->Click();
    static_cast<TMenuItem*>(Read->FindComponent(u"miExit"))->Click();
    EXPECT_EQ(Read->OKClicks, 1);
    EXPECT_EQ(Read->ExitClicks, 1);
    Free(Read);
    Free(Built);
}

TEST_F(FormLayoutTest, InlineFrameChangesItsInheritedChildren) {
    TLayoutForm* Form = ReadForm(u"object LayoutForm: TLayoutForm\r\n"
                                 u"  inline fraInner: TLayoutFrame\r\n"
                                 u"    Left = 10\r\n"
                                 u"    inherited btnInner: TButton\r\n"
                                 u"      Caption = 'Changed'\r\n"
                                 u"    end\r\n"
                                 u"  end\r\n"
                                 u"end\r\n");
    auto* Frame = static_cast<TLayoutFrame*>(Form->FindComponent(u"fraInner"));
    ASSERT_NE(Frame, nullptr);
    EXPECT_EQ(Frame->Parent(), Form);
    EXPECT_EQ(Frame->Left(), 10);
    EXPECT_EQ(static_cast<TButton*>(Frame->FindComponent(u"btnInner"))->Caption(), u"Changed");
    Free(Form);
}

TEST_F(FormLayoutTest, LayoutErrorsNameFileAndLineAndMakeNoForm) {
    struct TCase {
        const char16_t* Text;
        const char16_t* Message;
    };
    const TCase Cases[] = {
        {u"object LayoutForm: TLayoutForm\r\n  Caption = 'x'\r\n  Colour = clRed\r\nend\r\n",
         u"LayoutForm.layout(3): Property Colour does not exist"},
        {u"object LayoutForm: TLayoutForm\r\n  object X: TNoSuchControl\r\n  end\r\nend\r\n",
         u"LayoutForm.layout(2): Class TNoSuchControl not found"},
        {u"object LayoutForm: TLayoutForm\r\n  OnClick = NoHandler\r\nend\r\n",
         u"LayoutForm.layout(2): Method NoHandler not found"},
        {u"object LayoutForm: TLayoutForm\r\n  Caption = 'open\r\nend\r\n", u"LayoutForm.layout(2): Unterminated string"},
        {u"object LayoutForm: TLayoutForm\r\n  Color = clNoSuchColour\r\nend\r\n",
         u"LayoutForm.layout(2): Invalid property value: clNoSuchColour"},
    };
    Integer Forms = Screen->FormCount();
    for (const TCase& Case : Cases) {
        try {
            ReadForm(Case.Text);
            ADD_FAILURE() << Narrow(Case.Text);
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message(), Case.Message);
        }
        EXPECT_EQ(Screen->FormCount(), Forms);
    }
}

TEST_F(FormLayoutTest, ShownAndHiddenFormsReadBackAsTheyWereWritten) {
    for (bool Shown : {false, true}) {
        auto* Built = CreateNew<TLayoutForm>(Application);
        Built->SetName(u"LayoutForm");
        Built->SetBounds(100, 80, 400, 300);
        if (Shown) Built->Show();
        String Text = WriteLayoutText(Built);
        EXPECT_EQ(Text.find(u"Visible = True") != String::npos, Shown) << Narrow(Text);
        EXPECT_EQ(Text.find(u"Visible = False"), String::npos) << "a hidden form is the default";
        Built->SetName(u"Other");
        TLayoutForm* Read = ReadForm(Text);
        EXPECT_EQ(Read->Visible(), Shown);
        EXPECT_EQ(Read->HandleAllocated() && IsWindowVisible(Read->Handle()), Shown);
        EXPECT_EQ(WriteLayoutText(Read), Text);
        Free(Read);
        Free(Built);
    }
}

TEST_F(FormLayoutTest, ControlFollowsItsActionWhileItShowsTheActionsValues) {
    TForm* Form = NewForm();
    auto* Action = new TAction(Form);
    Action->SetCaption(u"Run");
    Action->SetHint(u"Runs it");
    Action->OnExecute = [this](TObject*) { Log.push_back("execute"); };
    auto* Button = new TButton(Form);
    Button->SetParent(Form);
    auto* Other = new TButton(Form);
    Other->SetParent(Form);
    Button->SetAction(Action);
    Other->SetAction(Action);
    EXPECT_EQ(Button->Caption(), u"Run");
    EXPECT_EQ(Button->Hint(), u"Runs it");
    Other->SetCaption(u"Mine"); // no longer the action's caption
    Action->SetCaption(u"Go");
    Action->SetEnabled(false);
    EXPECT_EQ(Button->Caption(), u"Go");
    EXPECT_EQ(Other->Caption(), u"Mine");
    EXPECT_FALSE(Button->Enabled());
    EXPECT_FALSE(Other->Enabled());
    Action->SetEnabled(true);
    Button->Click(); // no OnClick: the action runs
    Other->OnClick = [this](TObject*) { Log.push_back("own click"); };
    Other->Click();
    EXPECT_EQ(Log, (TLog{"execute", "own click"}));
    Free(Action);
    EXPECT_EQ(Button->Action(), nullptr);
    EXPECT_EQ(Button->Caption(), u"Go");
}

} // namespace
