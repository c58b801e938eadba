#include "ViewTestSupport.h"

#include "grid/GridError.h"

namespace {

class TTestPopup : public TKelGridPopup {
public:
    using TKelGridPopup::TKelGridPopup;
    bool MouseInPopup() override { return false; }
};

} // namespace

TEST_F(ViewTest, ChangeOfScaleFrom96To144) {
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    Grid->SetDefaultRowHeight(22);
    for (Integer c = 0; c < 3; ++c) Grid->SetColWidths(c, 64);
    Grid->SetRowHeights(2, 30);
    Grid->Font()->SetHeight(-11);
    Grid->SetFontSizes(1, 1, 8); // a height of -11 at 96 pixels per inch
    Integer Events = 0;
    Single Scale = 0;
    Grid->OnChangeScale = [&](TObject*, Single NewScale) {
        ++Events;
        Scale = NewScale;
    };

    Grid->HandleChangeScale(1, 1, true);
    EXPECT_EQ(Events, 0);
    EXPECT_EQ(Grid->ColWidths(1), 64);

    Grid->HandleChangeScale(144, 96, true);
    EXPECT_EQ(Events, 1);
    EXPECT_EQ(Scale, Grid->DPIScale());
    for (Integer c = 0; c < 3; ++c) EXPECT_EQ(Grid->ColWidths(c), 96);
    EXPECT_EQ(Grid->DefaultRowHeight(), 33);
    EXPECT_EQ(Grid->RowHeights(2), 45);
    TFont Font;
    TBrush Brush;
    TGridDrawState State;
    Grid->GetFontProperties(1, 1, 1, State, &Font, &Brush, false);
    EXPECT_EQ(Font.Height(), -17);
}

TEST_F(ViewTest, CellToRealReadsNumbersAndLocatesErrors) {
    Grid->SetCells(1, 1, u"");
    EXPECT_EQ(Grid->CellToReal(1, 1), 0.0);
    Grid->SetCells(1, 1, u"12.5");
    EXPECT_EQ(Grid->CellToReal(1, 1), 12.5);
    Grid->SetCells(1, 1, u"(3)");
    EXPECT_EQ(Grid->CellToReal(1, 1), -3.0);
    Grid->SetCells(2, 1, u"12ab");
    try {
        Grid->CellToReal(2, 1);
        FAIL() << "no error";
    } catch (const EKelGridError& E) {
        EXPECT_EQ(E.Message(), u"Error at position: 3 in Cell [2, 1].");
    }
}

TEST_F(ViewTest, PopupToolBarShowsAndHides) {
    auto* Popup = Create<TTestPopup>(nullptr);
    Popup->Hide();
    EXPECT_FALSE(Popup->Visible());
    Popup->Show(TPoint(10, 10));
    EXPECT_TRUE(Popup->Visible());
    Popup->Hide();
    EXPECT_FALSE(Popup->Visible());

    Grid->SetPopupToolBar(Popup);
    EXPECT_EQ(Grid->PopupToolBar(), Popup);
    Free(Popup);
    EXPECT_EQ(Grid->PopupToolBar(), nullptr);
}
