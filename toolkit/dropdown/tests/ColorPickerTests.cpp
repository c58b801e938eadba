// The colour picker drop-down on the headless window system: the face and
// its text, the selected colour and the list index, picks in each style,
// keys, wheel and type-ahead, cancelling, and the web colour names checked
// against the CSS colour table of Debian's python3-webcolors.

#include "DropDownTestSupport.h"
#include "dropdown/KelColorPickerDropDown.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"

#include <cstdio>
#include <map>
#include <set>
#include <string>

using namespace winapi;

namespace {

// Loaded made callable.
class TLoadablePicker : public TKelColorPickerDropDown {
public:
    using TKelColorPickerDropDown::TKelColorPickerDropDown;
    void CallLoaded() { Loaded(); }
};

class ColorPicker : public DropDownTest {
protected:
    TLoadablePicker* NewPicker(bool Defaults = true) {
        Form = NewForm();
        auto* Edit = Create<TLoadablePicker>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(20, 20, 200, 21);
        if (Defaults) Edit->AddDefaultColors();
        Edit->OnSelect = [this](TObject*) { ++Selects; };
        Edit->SetFocus();
        Pump();
        return Edit;
    }
    void Open(TKelColorPickerDropDown* Edit) {
        Edit->ShowDropDown();
        Pump();
        ASSERT_TRUE(Edit->DroppedDown());
    }
    void ClickIn(TControl* Control, Integer X, Integer Y) {
        const TPoint P = Control->ClientToScreen(TPoint(X, Y));
        Backend->MoveMouse(P.X, P.Y);
        Pump();
        ClickAt(P);
    }

    TForm* Form = nullptr;
    int Selects = 0;
};

} // namespace

TEST_F(ColorPicker, FaceTextByColorValueText) {
    auto* Edit = NewPicker(false);
    struct Case {
        TColorValueText Form;
        TColor Color;
        const char16_t* Text;
    };
    const Case Cases[] = {
        {cvtNone, 0x0000FF, u""},
        {cvtHex, 0x0000FF, u"0000FF"},
        {cvtHex, 0xFF0000, u"FF0000"},
        {cvtHex, 0x0080FF, u"0080FF"},
        {cvtHTML, 0x0000FF, u"#FF0000"},
        {cvtHTML, 0xFF0000, u"#0000FF"},
        {cvtHTML, 0x0080FF, u"#FF8000"},
        {cvtWebName, 0x0000FF, u"clWebRed"},
        {cvtWebName, 0xFF0000, u"clWebBlue"},
        {cvtWebName, 0x0080FF, u"#FF8000"}, // no web colour
        {cvtRGB, 0x0000FF, u"Red:255,Green:0,Blue:0"},
        {cvtRGB, 0xFF0000, u"Red:0,Green:0,Blue:255"},
        {cvtRGB, 0x0080FF, u"Red:255,Green:128,Blue:0"},
    };
    for (const Case& C : Cases) {
        Edit->SetColorValueText(C.Form);
        Edit->SetSelectedColor(C.Color);
        EXPECT_EQ(Edit->GetSelectedColorText(), C.Text) << Integer(C.Form) << " " << C.Color;
    }
    // In the list style a list colour shows its caption.
    Edit->AddDefaultColors();
    Edit->SetColorValueText(cvtHex);
    Edit->SetItemIndex(9);
    EXPECT_EQ(Edit->GetSelectedColorText(), u"Red");
}

TEST_F(ColorPicker, SelectedColorAndItemIndex) {
    auto* Edit = NewPicker();
    Edit->SetColorValueText(cvtHex);
    Edit->SetSelectedColor(0xFF0000);
    EXPECT_EQ(Edit->ItemIndex(), 12); // Blue
    EXPECT_EQ(Selects, 1);
    // A colour no item has leaves no item selected, so the face names no
    // other colour.
    Edit->SetSelectedColor(0x123456);
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Edit->GetSelectedColorText(), u"123456");
    // A system colour is stored as its RGB value and matched through it.
    Edit->SetSelectedColor(clBtnFace);
    EXPECT_EQ(Edit->SelectedColor(), ColorToRGB(clBtnFace));
    Edit->Colors()->Add()->SetColor(clBtnFace);
    Edit->SetSelectedColor(clBlack);
    Edit->SetSelectedColor(clBtnFace);
    EXPECT_EQ(Edit->ItemIndex(), 16);
    EXPECT_EQ(Edit->SelectedColor(), clBtnFace); // the item's colour as it holds it
    // Indexes: at or past Count ignored, negative stored as -1.
    Edit->SetItemIndex(17);
    EXPECT_EQ(Edit->ItemIndex(), 16);
    Edit->SetItemIndex(-5);
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Edit->SelectedColor(), clBtnFace); // -1 keeps the colour
}

TEST_F(ColorPicker, FaceShowsTheBoxAndNothingWithoutAColour) {
    auto* Edit = NewPicker();
    // The pixels of a colour on the face left of the text.
    const auto Count = [&](TColor Color) {
        Edit->Invalidate();
        Pump();
        int N = 0;
        for (Integer X = 0; X < 30; ++X)
            for (Integer Y = 0; Y < Edit->Height(); ++Y)
                if (WindowPixel(Edit->Handle(), X, Y) == Color) ++N;
        return N;
    };
    Edit->SetSelectedColor(0x00FF00);
    EXPECT_GE(Count(0x00FF00), 12 * 12); // the 14 x 14 box inside its frame
    Edit->SetSelectedColor(clNone);
    EXPECT_EQ(Count(0x00FF00), 0);
    EXPECT_EQ(Edit->GetSelectedColorText(), u"");
    Edit->SetSelectedColor(0x00FF00);
    Edit->OnDrawSelectedColor = [](TObject*, TCanvas* Canvas, const TRect& R) {
        Canvas->Brush()->SetColor(0x123456);
        Canvas->FillRect(R);
    };
    EXPECT_EQ(Count(0x00FF00), 0);
    EXPECT_GT(Count(0x123456), 12 * 12);
}

TEST_F(ColorPicker, AFaceTextWithClosingTagsIsDrawnAsMarkup) {
    auto* Edit = NewPicker(false);
    Edit->Colors()->Add()->SetCaption(u"<b>Red</b>");
    Edit->Colors()->Items(0)->SetColor(clRed);
    Edit->SetItemIndex(0);
    // The right end of the ink right of the box: the tags are not drawn, so
    // the text is only as wide as "Red".
    const auto InkEnd = [&] {
        Edit->Invalidate();
        Pump();
        const HWND W = Edit->Handle();
        const TColor Back = WindowPixel(W, Edit->Width() - 24, Edit->Height() / 2);
        Integer Last = -1;
        for (Integer X = 24; X < Edit->Width() - 24; ++X)
            for (Integer Y = 4; Y < Edit->Height() - 4; ++Y)
                if (WindowPixel(W, X, Y) != Back) Last = X;
        return Last;
    };
    const Integer Markup = InkEnd();
    Edit->Colors()->Items(0)->SetCaption(u"<b>Red"); // no "</": one plain line
    const Integer Plain = InkEnd();
    ASSERT_GT(Markup, 24);
    EXPECT_LT(Markup, Plain - 10);
}

TEST_F(ColorPicker, CubeAndSpectrumPicksCloseWithNoListIndex) {
    for (TColorSelectionStyle Style : {csColorCube, csSpectrum}) {
        auto* Edit = NewPicker();
        Edit->SetItemIndex(3);
        Edit->SetColorSelectionStyle(Style);
        Open(Edit);
        Selects = 0;
        if (Style == csColorCube) {
            ASSERT_EQ(Edit->DropDownForm()->Width(), 182 + 2);
            ASSERT_EQ(Edit->DropDownForm()->Height(), 160 + 2);
            const TPoint Red = Edit->ColorCubePanel()->CubeCellCenter(118);
            ClickIn(Edit->ColorCubePanel(), Red.X, Red.Y);
            EXPECT_EQ(Edit->SelectedColor(), TColor(0x0000FF));
            EXPECT_EQ(Selects, 2); // Red of the list, then no list item
        } else {
            ASSERT_EQ(Edit->DropDownForm()->Width(), 150 + 2);
            ClickIn(Edit->SpectrumPanel(), 11 + 64, 10 + 64);
            EXPECT_EQ(Edit->SelectedColor(), TColor(0xFFFF00));
        }
        EXPECT_FALSE(Edit->DroppedDown()) << Integer(Style);
        EXPECT_EQ(Edit->ItemIndex(), -1);
    }
}

TEST_F(ColorPicker, PaletteKeysKeepThePopupOpenAndEnterTakesTheHotBox) {
    auto* Edit = NewPicker();
    Edit->SetColorSelectionStyle(csDiscrete);
    Edit->SetSelectedColor(0xFFFFFF);
    Open(Edit);
    EXPECT_EQ(Edit->DropDownForm()->Width(), 165 + 2);
    EXPECT_EQ(Edit->DropDownForm()->Height(), 84 + 2);
    EXPECT_EQ(Edit->ColorSelector()->ItemIndex(), 0);
    Key(VK_RIGHT);
    EXPECT_EQ(Edit->SelectedColor(), TColor(0x000000));
    Key(VK_DOWN);
    EXPECT_EQ(Edit->SelectedColor(), TColor(0x7F7F7F)); // the shade below
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), -1);
    Backend->Wheel(-120); // the hot box moves
    Pump();
    Backend->Wheel(-120);
    Pump();
    EXPECT_EQ(Edit->ColorSelector()->ItemHot(), 1);
    Key(VK_RETURN);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->SelectedColor(), TColor(0x000000));
}

TEST_F(ColorPicker, EscapeRestoresTheColourOfTheOpeningInEachStyle) {
    struct Case {
        TColorSelectionStyle Style;
        TColor Start;
        Integer StartIndex;
    };
    const Case Cases[] = {
        {csList, 0x0000FF, 9},      // Red: Down moves to Lime
        {csList, 0x123456, -1},     // no list colour: Down selects Black
        {csDiscrete, 0xFFFFFF, 15}, // White, also box 0: Right moves to black
        {csColorCube, 0x00FF00, 10}, {csSpectrum, 0x00FF00, 10},
    };
    for (const Case& C : Cases) {
        auto* Edit = NewPicker();
        Edit->SetColorSelectionStyle(C.Style);
        Edit->SetSelectedColor(C.Start);
        ASSERT_EQ(Edit->ItemIndex(), C.StartIndex);
        Open(Edit);
        Key(C.Style == csDiscrete ? VK_RIGHT : VK_DOWN);
        if (C.Style == csList || C.Style == csDiscrete) {
            EXPECT_NE(Edit->SelectedColor(), C.Start);
        }
        EXPECT_TRUE(Edit->DroppedDown());
        Key(VK_ESCAPE);
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_EQ(Edit->SelectedColor(), C.Start) << Integer(C.Style);
        EXPECT_EQ(Edit->ItemIndex(), C.StartIndex) << Integer(C.Style);
    }
}

TEST_F(ColorPicker, ListKeysWheelAndTypeAhead) {
    auto* Edit = NewPicker();
    struct Step {
        Integer Key;
        Integer Index;
    };
    // Closed: Down from none selects the first, Up at the first stays.
    const Step Closed[] = {{VK_DOWN, 0}, {VK_DOWN, 1}, {VK_UP, 0}, {VK_UP, 0}, {VK_END, 15}, {VK_HOME, 0}};
    for (const Step& S : Closed) {
        Key(S.Key);
        EXPECT_EQ(Edit->ItemIndex(), S.Index) << S.Key;
    }
    Edit->SetColumns(2);
    Open(Edit);
    Key(VK_DOWN); // by the columns
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_TRUE(Edit->DroppedDown());
    // The search starts after the selected item (Green) and wraps round.
    Type(u"b");
    EXPECT_EQ(Edit->ItemIndex(), 12); // Blue
    Key(VK_F2);                       // produces no character
    Type(u"l");
    EXPECT_EQ(Edit->ItemIndex(), 0); // "BL": Black
    Advance(600);
    Pump();
    Type(u"g");
    EXPECT_EQ(Edit->ItemIndex(), 2); // a new search: Green
    EXPECT_TRUE(Edit->DroppedDown());
    Backend->Wheel(-120);
    Pump();
    EXPECT_EQ(Edit->ItemSelector()->ItemHot(), 0);
    Backend->Wheel(-120);
    Pump();
    Selects = 0;
    Key(VK_RETURN);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Selects, 1);
}

TEST_F(ColorPicker, LoadedBuildsOnlyTheCurrentStylesPanel) {
    auto* Edit = NewPicker();
    Edit->SetColorSelectionStyle(csColorCube);
    ASSERT_NE(Edit->ColorCubePanel(), nullptr);
    Edit->CallLoaded();
    EXPECT_EQ(Edit->SpectrumPanel(), nullptr);
    EXPECT_EQ(Edit->ColorSelector(), nullptr);
    EXPECT_EQ(Edit->DropDownForm()->Width(), 182 + 2);
}

// Every name, lower-cased without "clWeb", has in the CSS colour table
// exactly our colour; every CSS colour but the spellings aqua, fuchsia and
// grey is in our table.
TEST(WebColorNames, MatchTheCssColourTable) {
    // Debian's interpreter, where python3-webcolors is installed.
    const char* Script = "/usr/bin/python3 -c \"import webcolors\n"
                         "t = getattr(webcolors, 'CSS3_NAMES_TO_HEX', None) or "
                         "{n: webcolors.name_to_hex(n, 'css3') for n in webcolors.names('css3')}\n"
                         "[print(n, h) for n, h in sorted(t.items())]\"";
    FILE* Pipe = popen(Script, "r");
    ASSERT_NE(Pipe, nullptr);
    std::map<std::string, TColor> Css;
    char Name[64], Hex[16];
    while (std::fscanf(Pipe, "%63s %15s", Name, Hex) == 2) {
        const unsigned long V = std::strtoul(Hex + 1, nullptr, 16);
        Css[Name] = TColor(((V >> 16) & 0xFF) | (V & 0xFF00) | ((V & 0xFF) << 16));
    }
    ASSERT_EQ(pclose(Pipe), 0) << "python3-webcolors is missing";
    ASSERT_GE(Css.size(), 147u);

    std::set<std::string> Ours;
    std::set<TColor> Values;
    for (const TWebColorName& Web : WebColorNames) {
        const String Full = Web.Name;
        ASSERT_EQ(Full.substr(0, 5), u"clWeb");
        std::string Key;
        for (char16_t C : Full.substr(5))
            Key += char(std::tolower(int(C)));
        Ours.insert(Key);
        Values.insert(Web.Color);
        ASSERT_TRUE(Css.count(Key)) << Key;
        EXPECT_EQ(Css[Key], Web.Color) << Key;
    }
    EXPECT_EQ(Ours.size(), 138u);
    EXPECT_EQ(Values.size(), 138u); // one name per colour
    for (const auto& [Key, Color] : Css) {
        if (Ours.count(Key) || Key == "aqua" || Key == "fuchsia") continue;
        // The other spelling of a grey.
        std::string Other = Key;
        if (const auto P = Other.find("grey"); P != std::string::npos)
            Other.replace(P, 4, "gray");
        else if (const auto Q = Other.find("gray"); Q != std::string::npos)
            Other.replace(Q, 4, "grey");
        EXPECT_TRUE(Ours.count(Other)) << Key;
        EXPECT_TRUE(Values.count(Color)) << Key;
    }
}
