// The published properties a layout sets, read and written by name, and
// event properties bound to published methods of the form class.

#include "VclTestSupport.h"
#include "vcl/DateTimePicker.h"
#include "vcl/RichEdit.h"
#include "rtl/ClassBuilder.h"
#include "vcl/StdCtrls.h"
#include "vcl/CheckLst.h"
#include "vcl/PageControl.h"
#include "vcl/TrackBar.h"

namespace {

class TEventForm : public TForm {
    RTL_CLASS(TEventForm)
public:
    explicit TEventForm(TComponent* AOwner) : TForm(AOwner) {}
    void ButtonClick(TObject*) { ++Clicks; }
    void FormClose(TObject*, TCloseAction& Action) { Action = caFree; }
    void PagesChanging(TObject*, bool& AllowChange) { AllowChange = false; }
    void ItemMeasure(TWinControl*, Integer, Integer& Height) { Height = 30; }
    Integer Clicks = 0;
};

} // namespace

const TClassInfo& TEventForm::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TEventForm, TForm>()
                                       .Method(u"ButtonClick", &TEventForm::ButtonClick)
                                       .Method(u"FormClose", &TEventForm::FormClose)
                                       .Method(u"PagesChanging", &TEventForm::PagesChanging)
                                       .Method(u"ItemMeasure", &TEventForm::ItemMeasure)
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

TEST_F(VclTest, StandardControlsPublishTheirEventsAndSettings) {
    auto* Form = Create<TEventForm>(nullptr);
    struct TCase {
        TControl* Control;
        std::vector<const char16_t*> Names;
    };
    const TCase Cases[] = {
        {Create<TPageControl>(Form), {u"ActivePage", u"TabWidth", u"HotTrack", u"OnChange", u"OnChanging"}},
        {Create<TTabSheet>(Form), {u"PageControl", u"TabVisible", u"OnShow", u"OnHide"}},
        {Create<TTrackBar>(Form), {u"Position", u"Frequency", u"OnChange"}},
        {Create<TCheckListBox>(Form), {u"AllowGrayed", u"OnClickCheck", u"OnDrawItem", u"OnMeasureItem"}},
        {Create<TListBox>(Form), {u"Items", u"Sorted", u"Style", u"ItemHeight", u"MultiSelect", u"OnDrawItem",
                                   u"OnMeasureItem", u"OnClick"}},
        {Create<TComboBox>(Form), {u"Items", u"Style", u"ItemHeight", u"AutoComplete", u"OnChange", u"OnSelect",
                                    u"OnDropDown", u"OnCloseUp", u"OnDrawItem", u"OnMeasureItem"}},
        {Create<TScrollBar>(Form), {u"Kind", u"Min", u"Max", u"Position", u"PageSize", u"SmallChange",
                                     u"LargeChange", u"OnChange", u"OnScroll"}},
    };
    for (const TCase& Case : Cases)
        for (const char16_t* Name : Case.Names)
            EXPECT_NE(GetPropInfo(Case.Control, Name), nullptr) << Narrow(Case.Control->ClassName()) << "." << Narrow(Name);

    // A bound OnChanging vetoes; a measuring handler binds by its own signature.
    auto* Pages = dynamic_cast<TPageControl*>(Cases[0].Control);
    SetMethodProp(Pages, FindPropInfo(Pages, u"OnChanging"), TMethod{Form, u"PagesChanging", true});
    bool Allow = true;
    Pages->OnChanging(Pages, Allow);
    EXPECT_FALSE(Allow);
    auto* List = dynamic_cast<TListBox*>(Cases[4].Control);
    SetMethodProp(List, FindPropInfo(List, u"OnMeasureItem"), TMethod{Form, u"ItemMeasure", true});
    Integer Height = 0;
    List->OnMeasureItem(List, 0, Height);
    EXPECT_EQ(Height, 30);
    EXPECT_THROW(SetMethodProp(List, FindPropInfo(List, u"OnDrawItem"), TMethod{Form, u"ItemMeasure", true}),
                 EPropertyConvertError);
    // Scroll bar limits stream in an order that reads back.
    auto* Bar = dynamic_cast<TScrollBar*>(Cases[6].Control);
    SetOrdProp(Bar, FindPropInfo(Bar, u"Max"), 500);
    SetOrdProp(Bar, FindPropInfo(Bar, u"Min"), 200);
    SetOrdProp(Bar, FindPropInfo(Bar, u"Position"), 300);
    EXPECT_EQ(Bar->Position(), 300);
    Free(Form);
}
