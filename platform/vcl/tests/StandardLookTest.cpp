// One form holding every standard control, in normal, focused, disabled and
// pressed states: the classic look checked at chosen pixels.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "vcl/Buttons.h"
#include "vcl/CheckLst.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Grids.h"
#include "vcl/GroupBox.h"
#include "vcl/Image.h"
#include "vcl/PageControl.h"
#include "vcl/StaticText.h"
#include "vcl/TrackBar.h"
#include "rtl/Encoding.h"

#include <cstdlib>

namespace {

template <class T>
T* Place(TWinControl* Parent, Integer Left, Integer Top, Integer Width, Integer Height,
         const String& Caption = String()) {
    auto* Control = new T(Parent);
    Control->SetParent(Parent);
    Control->SetBounds(Left, Top, Width, Height);
    if (!Caption.empty()) Control->SetCaption(Caption);
    return Control;
}

} // namespace

TEST_F(VclTest, EveryStandardControlOnOneFormShowsTheClassicLook) {
    TForm* Form = NewForm();
    Form->SetBounds(50, 50, 660, 470);
    auto* Edit = Place<TEdit>(Form, 10, 10, 120, 21);
    Edit->SetText(u"Focused edit");
    auto* OffEdit = Place<TEdit>(Form, 10, 40, 120, 21);
    OffEdit->SetText(u"Disabled");
    OffEdit->SetEnabled(false);
    Place<TLabel>(Form, 140, 12, 80, 17, u"&Label");
    auto* Ok = Place<TButton>(Form, 140, 38, 75, 25, u"OK");
    Ok->SetDefault(true);
    auto* OffButton = Place<TButton>(Form, 220, 38, 75, 25, u"Disabled");
    OffButton->SetEnabled(false);
    auto* Check = Place<TCheckBox>(Form, 10, 70, 110, 17, u"Check box");
    Check->SetChecked(true);
    Place<TRadioButton>(Form, 10, 90, 110, 17, u"Radio button");
    auto* Memo = Place<TMemo>(Form, 10, 112, 120, 60);
    Memo->Lines()->SetText(u"Memo\r\nlines");
    auto* List = Place<TListBox>(Form, 140, 70, 100, 60);
    List->Items()->SetCommaText(u"Maize,Wheat,Potatoes");
    List->SetItemIndex(1);
    auto* Combo = Place<TComboBox>(Form, 140, 140, 100, 21);
    Combo->Items()->SetCommaText(u"Rhine,Meuse");
    Combo->SetItemIndex(0);
    auto* Bar = Place<TScrollBar>(Form, 10, 180, 230, 17);
    Bar->SetPosition(30);
    auto* Panel = Place<TPanel>(Form, 250, 70, 120, 40, u"Panel");
    Panel->SetBevelInner(bvLowered);
    auto* Group = Place<TGroupBox>(Form, 250, 115, 120, 80, u"Group box");
    Place<TRadioButton>(Group, 8, 20, 100, 17, u"Inside");
    auto* Static = Place<TStaticText>(Form, 300, 10, 100, 17, u"Static text");
    Static->SetBorderStyle(sbsSunken);
    auto* Flat = Place<TSpeedButton>(Form, 410, 10, 60, 25, u"Flat");
    Flat->SetFlat(true);
    auto* Down = Place<TSpeedButton>(Form, 475, 10, 60, 25, u"Down");
    Down->SetGroupIndex(1);
    Down->SetDown(true);
    auto* Bit = Place<TBitBtn>(Form, 540, 10, 90, 25);
    Bit->SetKind(bkCancel);
    auto* Image = Place<TImage>(Form, 410, 45, 60, 60);
    {
        TBitmap Picture;
        Picture.SetSize(30, 30);
        Picture.Canvas()->Brush()->SetColor(clTeal);
        Picture.Canvas()->FillRect({0, 0, 30, 30});
        Image->Picture()->SetGraphic(&Picture);
    }
    Image->SetStretch(true);
    auto* Track = Place<TTrackBar>(Form, 475, 45, 160, 45);
    Track->SetPosition(4);
    auto* Checks = Place<TCheckListBox>(Form, 475, 95, 160, 60);
    Checks->Items()->SetCommaText(u"First,Second");
    Checks->SetChecked(0, true);
    auto* Pages = Place<TPageControl>(Form, 10, 210, 360, 200);
    for (const char16_t* Caption : {u"General", u"Crops"}) {
        auto* Sheet = new TTabSheet(Form);
        Sheet->SetPageControl(Pages);
        Sheet->SetCaption(Caption);
    }
    Place<TCheckBox>(Pages->Pages(0), 10, 10, 120, 17, u"On a sheet");
    auto* Grid = Place<TStringGrid>(Form, 380, 210, 250, 200);
    Grid->SetCells(1, 1, u"Cell");

    Form->Show();
    Pump();
    Edit->SetFocus();
    Pump();

    // The default button's dark frame and a disabled button's grey caption area.
    EXPECT_EQ(ControlPixel(Ok, 0, 12), ColorToRGB(clWindowFrame));
    EXPECT_EQ(ControlPixel(OffButton, 0, 12), ColorToRGB(clBtnHighlight));
    // A down speed button: sunken, with the lighter face; a flat one without a frame.
    EXPECT_EQ(ControlPixel(Down, 0, 12), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(ControlPixel(Down, 4, 4), ColorToRGB(cl3DLight));
    EXPECT_EQ(ControlPixel(Flat, 0, 12), ColorToRGB(clBtnFace));
    // Sunken static text, etched group box, raised panel with a lowered inner bevel.
    EXPECT_EQ(ControlPixel(Static, 0, 8), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ControlPixel(Group, 0, 40), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ControlPixel(Panel, 0, 20), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(ControlPixel(Panel, 1, 20), ColorToRGB(clBtnShadow));
    // The stretched picture fills the image control.
    EXPECT_EQ(ControlPixel(Image, 55, 55), clTeal);
    // The track bar's thumb face and the check list's mark.
    TRect Thumb = Track->ThumbRect();
    EXPECT_EQ(ControlPixel(Track, (Thumb.Left + Thumb.Right) / 2, (Thumb.Top + Thumb.Bottom) / 2),
              ColorToRGB(clBtnFace));
    TRect First = Checks->ItemRect(0);
    EXPECT_EQ(ControlPixel(Checks, 8, (First.Top + First.Bottom) / 2), ColorToRGB(clWindowText));
    // The page control's frame below the tabs; the selected list item.
    EXPECT_EQ(ControlPixel(Pages, 0, Pages->TabRect(0).Bottom + 5), ColorToRGB(cl3DLight));
    EXPECT_EQ(ControlPixel(Pages, 1, Pages->TabRect(0).Bottom + 5), ColorToRGB(clBtnHighlight));
    TRect Item = List->ItemRect(1);
    EXPECT_EQ(ControlPixel(List, Item.Right - 3, Item.Top + 2), ColorToRGB(clHighlight));
    if (const char* Folder = std::getenv("VANDREL_SCREENSHOTS"))
        SaveWindowToPng(Form->Handle(), FromUtf8(std::string(Folder) + "/standard-controls.png"));
}
