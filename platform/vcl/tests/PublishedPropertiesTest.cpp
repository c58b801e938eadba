// The published properties a layout sets, read and written by name, and
// event properties bound to published methods of the form class.

#include "VclTestSupport.h"
#include "vcl/DateTimePicker.h"
#include "vcl/RichEdit.h"
#include "rtl/ClassBuilder.h"
#include "vcl/StdCtrls.h"

namespace {

class TEventForm : public TForm {
    RTL_CLASS(TEventForm)
public:
    explicit TEventForm(TComponent* AOwner) : TForm(AOwner) {}
    void ButtonClick(TObject*) { ++Clicks; }
    void FormClose(TObject*, TCloseAction& Action) { Action = caFree; }
    Integer Clicks = 0;
};

} // namespace

const TClassInfo& TEventForm::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TEventForm, TForm>()
                                       .Method(u"ButtonClick", &TEventForm::ButtonClick)
                                       .Method(u"FormClose", &TEventForm::FormClose)
                                       .Build();
    return Info;
}

TEST_F(VclTest, PublishedPropertiesAreSetByNameAndEventsBindToPublishedMethods) {
    auto* Form = Create<TEventForm>(nullptr);
    auto* Button = Create<TButton>(Form);
    Button->SetParent(Form);
    SetEnumProp(Form, FindPropInfo(Form, u"WindowState"), u"wsMaximized");
    EXPECT_EQ(Form->WindowState(), wsMaximized);
    SetSetProp(Form, FindPropInfo(Form, u"BorderIcons"), u"biSystemMenu");
    EXPECT_EQ(Form->BorderIcons(), TBorderIcons{biSystemMenu});
    SetEnumProp(Form, FindPropInfo(Form, u"WindowState"), u"wsNormal");
    auto* Font = dynamic_cast<TFont*>(GetObjectProp(Button, FindPropInfo(Button, u"Font")));
    ASSERT_EQ(Font, Button->Font());
    for (const char16_t* Name : {u"Left", u"Top", u"Width", u"Height", u"Align", u"Anchors", u"Caption",
                                 u"Color", u"TabOrder", u"TabStop", u"Visible", u"Enabled", u"Hint",
                                 u"ShowHint", u"Font", u"OnClick", u"OnEnter", u"OnKeyDown"})
        EXPECT_NE(GetPropInfo(Button, Name), nullptr) << Narrow(Name);
    for (const char16_t* Name : {u"AutoScroll", u"HorzScrollBar", u"AlphaBlend", u"Position", u"OnCreate",
                                 u"OnClose", u"OnCloseQuery", u"OnShow"})
        EXPECT_NE(GetPropInfo(Form, Name), nullptr) << Narrow(Name);

    SetMethodProp(Button, FindPropInfo(Button, u"OnClick"), TMethod{Form, u"ButtonClick", true});
    Button->Click();
    EXPECT_EQ(Form->Clicks, 1);
    TMethod Bound = GetMethodProp(Button, FindPropInfo(Button, u"OnClick"));
    EXPECT_EQ(Bound.Data, Form);
    EXPECT_EQ(Bound.Name, u"ButtonClick");
    // A method of another signature does not bind.
    EXPECT_THROW(SetMethodProp(Form, FindPropInfo(Form, u"OnShow"), TMethod{Form, u"FormClose", true}),
                 EPropertyConvertError);
    SetMethodProp(Form, FindPropInfo(Form, u"OnClose"), TMethod{Form, u"FormClose", true});
    EXPECT_EQ(GetMethodProp(Form, FindPropInfo(Form, u"OnClose")).Name, u"FormClose");
    Free(Form);
}

TEST_F(VclTest, PickerAndRichEditPublishTheirProperties) {
    auto* Form = Create<TEventForm>(nullptr);
    auto* Picker = Create<TDateTimePicker>(Form);
    SetEnumProp(Picker, FindPropInfo(Picker, u"Kind"), u"dtkTime");
    EXPECT_EQ(Picker->Kind(), dtkTime);
    SetEnumProp(Picker, FindPropInfo(Picker, u"DateMode"), u"dmUpDown");
    EXPECT_EQ(Picker->DateMode(), dmUpDown);
    for (const char16_t* Name : {u"Date", u"Time", u"Format", u"MinDate", u"MaxDate", u"ShowCheckbox", u"Checked",
                                 u"ParseInput", u"OnChange", u"OnDropDown", u"OnCloseUp"})
        EXPECT_NE(GetPropInfo(Picker, Name), nullptr) << Narrow(Name);
    auto* Rich = Create<TRichEdit>(Form);
    EXPECT_NE(GetPropInfo(Rich, u"PlainText"), nullptr);
    EXPECT_NE(GetPropInfo(Rich, u"OnSelectionChange"), nullptr);
    Free(Form);
}
