// Check boxes and radio buttons of the string grid in its control styles.

#include "ViewTestSupport.h"

#include "graphics/Graphic.h"
#include "grid/GridUnit.h"
#include "rtl/StringList.h"

#include <functional>
#include <memory>

using namespace ZirOvararIzaz;

namespace {

struct TPixels {
    Integer W = 0, H = 0;
    std::vector<TColor> P;
    TColor At(Integer X, Integer Y) const { return P[Y * W + X]; }
    bool operator==(const TPixels& O) const { return W == O.W && H == O.H && P == O.P; }
};

// What a drawing leaves on a magenta 48 x 48 canvas (a colour no glyph
// uses).
constexpr TColor Back = clFuchsia;

TPixels Render(const std::function<void(TCanvas*)>& Draw, Integer W = 48, Integer H = 48) {
    TBitmap Bmp;
    Bmp.SetSize(W, H);
    Bmp.Canvas()->Brush()->SetColor(Back);
    Bmp.Canvas()->FillRect(TRect(0, 0, W, H));
    Draw(Bmp.Canvas());
    TPixels Out{W, H, {}};
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) Out.P.push_back(Bmp.Canvas()->Pixels(x, y));
    return Out;
}

// The smallest rectangle holding every pixel drawn.
TRect Extent(const TPixels& Px) {
    TRect R(Px.W, Px.H, -1, -1);
    for (Integer y = 0; y < Px.H; ++y)
        for (Integer x = 0; x < Px.W; ++x)
            if (Px.At(x, y) != Back) {
                R.Left = std::min(R.Left, x), R.Top = std::min(R.Top, y);
                R.Right = std::max(R.Right, x + 1), R.Bottom = std::max(R.Bottom, y + 1);
            }
    return R;
}

} // namespace

TEST_F(ViewTest, EveryCheckAndRadioPictureIsASixteenPixelSquare) {
    for (const char16_t* Kind : {u"ZOICHK0", u"ZOIRAD0"})
        for (char16_t i = u'1'; i <= u'8'; ++i) {
            const String Name = String(Kind) + i;
            const TResourceEntry* Entry = GridResourceInstance()->Find(Name.c_str());
            ASSERT_NE(Entry, nullptr) << int(i);
            TBitmap Bmp;
            TBytesStream Data(TBytes(Entry->Data.begin(), Entry->Data.end()));
            Bmp.LoadFromStream(&Data);
            EXPECT_EQ(Bmp.Width(), 16) << int(i);
            EXPECT_EQ(Bmp.Height(), 16) << int(i);
        }
}

TEST_F(ViewTest, AGrayedBoxShowsMixedOnlyInTheFrameControlStyles) {
    struct TCase {
        ZirOvararIzaz::TControlStyle Style;
        bool MixedShown;
    };
    for (TCase C : {TCase{csClassic, true}, TCase{csFlat, true}, TCase{csTheme, true}, TCase{csWinXP, false},
                    TCase{csDOV, false}}) {
        auto Box = [&](TCheckBoxState State) {
            return Render([&](TCanvas* Cv) { Grid->DrawCheck(Cv, TRect(4, 4, 24, 24), false, true, false, C.Style, true, State); });
        };
        const TPixels Grayed = Box(cbGrayed), Unchecked = Box(cbUnchecked), Checked = Box(cbChecked);
        EXPECT_NE(Unchecked, Checked) << C.Style;
        EXPECT_EQ(Grayed == Unchecked, !C.MixedShown) << C.Style;
        EXPECT_NE(Grayed, Checked) << C.Style;
    }
}

TEST_F(ViewTest, TheThemedStyleDrawsTheClassicGlyphs) {
    for (bool Checked : {false, true}) {
        auto Box = [&](ZirOvararIzaz::TControlStyle S) {
            return Render([&](TCanvas* Cv) {
                Grid->DrawCheck(Cv, TRect(0, 0, 20, 20), Checked, true, false, S, false, cbUnchecked);
                Grid->DrawRadio(Cv, TRect(0, 24, 48, 44), 1, Checked ? 0 : -2, true, false, nullptr, false, 1, 1, S, 1, false);
            });
        };
        EXPECT_EQ(Box(csTheme), Box(csClassic));
    }
}

TEST_F(ViewTest, AClassicBoxAtScaleOneAndAHalfWithSizeFifteenIsTwentyTwoPixels) {
    Grid->ControlLook()->SetCheckSize(15);
    Grid->SetDPIScaleValue(1.5f);
    const TRect E = Extent(Render([&](TCanvas* Cv) {
        Grid->DrawCheck(Cv, TRect(0, 0, 40, 40), true, true, false, csClassic, false, cbUnchecked);
    }));
    EXPECT_EQ(E.Width(), 22);
    EXPECT_EQ(E.Height(), 22);
    EXPECT_EQ(E.Left, 9); // centred: (40 - 22) / 2
}

TEST_F(ViewTest, ReadOnlyBoxesKeepTheirEnabledLookOnRequest) {
    for (ZirOvararIzaz::TControlStyle S : {csClassic, csWinXP, csDOV, csBorland}) {
        auto Draw = [&](bool Enabled) {
            return Render([&](TCanvas* Cv) {
                Grid->DrawCheck(Cv, TRect(2, 2, 18, 18), true, Enabled, false, S, false, cbUnchecked);
                Grid->DrawRadio(Cv, TRect(0, 20, 48, 40), 1, 0, true, !Enabled, nullptr, false, 1, 1, S, 1, false);
            });
        };
        Grid->ControlLook()->SetNoDisabledCheckRadioLook(false);
        EXPECT_NE(Draw(false), Draw(true)) << S;
        Grid->ControlLook()->SetNoDisabledCheckRadioLook(true);
        EXPECT_EQ(Draw(false), Draw(true)) << S;
    }
}

TEST_F(ViewTest, ARadioGroupChecksTheItemWhoseTextIsTheCellText) {
    auto Items = std::make_unique<TStringList>();
    Items->Add(u"A");
    Items->Add(u"B");
    Items->Add(u"C");
    for (ZirOvararIzaz::TControlStyle S : {csClassic, csWinXP, csBorland})
        for (bool Horizontal : {false, true}) {
            auto Group = [&](Integer CheckedIndex) {
                return Render(
                    [&](TCanvas* Cv) {
                        Grid->DrawRadio(Cv, TRect(0, 0, 120, 60), 3, CheckedIndex, Horizontal, false, Items.get(),
                                        false, 1, 1, S, 1, false);
                    },
                    120, 60);
            };
            Grid->SetCells(1, 1, u"B");
            EXPECT_EQ(Group(-1), Group(1)) << S << Horizontal;
            EXPECT_NE(Group(-1), Group(0)) << S << Horizontal;
            Grid->SetCells(1, 1, u"Z");
            EXPECT_EQ(Group(-1), Group(7)) << S << Horizontal; // none checked
        }
}

TEST_F(ViewTest, RadioItemsStackAtTheRowStepAndNoCountDrawsNothing) {
    // Unlabelled vertical items are centred and one row step (16 for the
    // pictures, more than the text height here) apart.
    const Integer Step = std::max(16, Grid->Canvas()->TextHeight(u"gh"));
    const TPixels Two = Render([&](TCanvas* Cv) {
        Grid->DrawRadio(Cv, TRect(0, 0, 48, 48), 2, 0, false, false, nullptr, false, 1, 1, csWinXP, 1, false);
    });
    const TPixels One = Render([&](TCanvas* Cv) {
        Grid->DrawRadio(Cv, TRect(0, Step, 48, 48), 1, -2, false, false, nullptr, false, 1, 1, csWinXP, 1, false);
    });
    // The pictures leave their first row and column to the background.
    EXPECT_EQ(Extent(Two).Left, (48 - 16) / 2 + 1);
    EXPECT_EQ(Extent(Two).Bottom, Extent(One).Bottom);
    EXPECT_EQ(Extent(One).Top, Step + 2 + 1);
    EXPECT_EQ(Render([&](TCanvas* Cv) {
                  Grid->DrawRadio(Cv, TRect(0, 0, 48, 48), 0, 0, true, false, nullptr, false, 1, 1, csClassic, 1, false);
              }),
              Render([](TCanvas*) {}));
}
