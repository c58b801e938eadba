// The item selector: layout, type-ahead, stepping, painting and scrolling.

#include "DropDownTestSupport.h"
#include "dropdown/KelItemSelector.h"
#include "windowing/Paint.h"

using namespace winapi;

namespace {

class ItemSelector : public DropDownTest {
protected:
    TKelCustomItemSelector* NewSelector(std::initializer_list<const char16_t*> Captions, Integer Columns = 1) {
        TForm* Form = NewForm();
        auto* Selector = Create<TKelCustomItemSelector>(Form);
        Selector->SetParent(Form);
        Selector->SetBounds(10, 10, 300, 250);
        Selector->SetColumns(Columns);
        for (const char16_t* Caption : Captions)
            Selector->Items()->Add()->SetCaption(Caption);
        Selector->UpdateSelectorPanel();
        Pump();
        return Selector;
    }
};

} // namespace

TEST_F(ItemSelector, CellsFillRowsOverTheColumnsAndThePanelFitsThem) {
    TKelCustomItemSelector* Selector = NewSelector({u"a", u"b", u"c", u"d", u"e"}, 2);
    TSelectorItems* Items = Selector->Items();
    const TRect First = Items->Items(0)->Rect();
    const Integer Cw = First.Width(), Ch = First.Height();
    ASSERT_GT(Cw, 0);
    EXPECT_EQ(First.TopLeft(), TPoint(2, 2));
    EXPECT_EQ(Items->Items(1)->Rect().Left, 2 + Cw);
    EXPECT_EQ(Items->Items(4)->Rect().TopLeft(), TPoint(2, 2 + 2 * Ch));
    TSize Size;
    Selector->GetPanelSize(Size);
    EXPECT_EQ(Size.cx, 2 * Cw + 4);
    EXPECT_EQ(Size.cy, 3 * Ch + 4);

    TKelCustomItemSelector* Empty = NewSelector({});
    Empty->GetPanelSize(Size);
    EXPECT_EQ(Size.cx, 100);
    EXPECT_EQ(Size.cy, 50);
    EXPECT_EQ(Empty->GetVisibleItemCount(), 0);
}

TEST_F(ItemSelector, TypeAheadWrapsAndIgnoresMarkup) {
    TKelCustomItemSelector* Selector = NewSelector({u"Red", u"Green", u"Grey", u"<b>Blue</b>"});
    const struct {
        Integer Start;
        const char16_t* Typed;
        Integer Expect;
    } Cases[] = {{1, u"GR", 2}, {2, u"GR", 1}, {-1, u"GR", 1}, {-1, u"BL", 3}, {0, u"X", 0}};
    for (const auto& Case : Cases) {
        Selector->SetItemIndex(Case.Start);
        Selector->LookupItem(Case.Typed);
        EXPECT_EQ(Selector->ItemIndex(), Case.Expect) << Case.Start << " " << Utf8(Case.Typed);
    }
}

TEST_F(ItemSelector, SteppingStopsAtADisabledItemAndAnIndexOfCountIsIgnored) {
    TKelCustomItemSelector* Selector = NewSelector({u"a", u"b", u"c"});
    Selector->Items()->Items(1)->SetEnabled(false);
    Integer Selected = 0;
    Selector->OnItemSelect = [&](TObject*) { ++Selected; };
    Selector->SelectNext();
    EXPECT_EQ(Selector->ItemIndex(), 0);
    Selector->SelectNext();
    EXPECT_EQ(Selector->ItemIndex(), 0);
    Selector->SetItemIndex(3);
    EXPECT_EQ(Selector->ItemIndex(), 0);
    EXPECT_EQ(Selected, 1);
    Selector->Panel()->SetItemHot(3);
    EXPECT_EQ(Selector->ItemHot(), -1);
}

TEST_F(ItemSelector, HotAndSelectedPaintsTheSelectedColours) {
    TKelCustomItemSelector* Selector = NewSelector({u"a", u"b"});
    TItemAppearance* Look = Selector->ItemAppearance();
    Look->SetBorderColorTop(clNone);
    Look->SetColorSelected(clRed);
    Look->SetColorSelectedTo(clRed);
    Look->SetColorHot(clBlue);
    Look->SetColorHotTo(clBlue);
    Selector->SetItemIndex(0);
    Selector->Panel()->SetItemHot(0);
    Selector->Panel()->Repaint();
    Pump();
    const TRect R = Selector->Items()->Items(0)->Rect();
    EXPECT_EQ(WindowPixel(Selector->Panel()->Handle(), R.Right - 3, R.Top + 3), clRed);
    Selector->Panel()->SetItemHot(1);
    Selector->Panel()->Repaint();
    Pump();
    const TRect R1 = Selector->Items()->Items(1)->Rect();
    EXPECT_EQ(WindowPixel(Selector->Panel()->Handle(), R1.Right - 3, R1.Top + 3), clBlue);
}

TEST_F(ItemSelector, CaptionBelowTheImageLeavesTheGap) {
    TKelCustomItemSelector* Selector = NewSelector({});
    Selector->SetItemLayout(ilCaptionBottom);
    auto* Images = Create<TImageList>(Selector);
    Images->SetWidth(16);
    Images->SetHeight(32);
    TBitmap Image;
    Image.SetPixelFormat(pf24bit);
    Image.SetSize(16, 32);
    Image.Canvas()->Brush()->SetColor(clLime);
    Image.Canvas()->FillRect(TRect(0, 0, 16, 32));
    Images->Add(&Image, nullptr);
    Selector->SetImages(Images);
    TSelectorItem* Item = Selector->Items()->Add();
    Item->SetCaption(u"Wide caption");
    Item->SetImageIndex(0);
    Selector->ItemAppearance()->Font()->SetColor(clBlack);
    Selector->UpdateSelectorPanel();
    Selector->Panel()->Repaint();
    Pump();
    const HWND Panel = Selector->Panel()->Handle();
    const TRect Cell = Item->Rect();
    // The image stands at the cell's top inset; the caption's first ink is
    // at least the gap below its bottom edge.
    const Integer ImageBottom = Cell.Top + 4 + 32;
    Integer TextTop = -1;
    for (Integer Y = Cell.Top; Y < Cell.Bottom && TextTop < 0; ++Y)
        for (Integer X = Cell.Left; X < Cell.Right && TextTop < 0; ++X) {
            const TColor Pixel = WindowPixel(Panel, X, Y);
            if (Pixel != clLime && Pixel != clWhite) TextTop = Y;
        }
    EXPECT_EQ(Cell.Height(), 4 + 32 + 4 + (Cell.Height() - 44) + 4);
    ASSERT_GT(TextTop, 0);
    EXPECT_GE(TextTop - ImageBottom, 4);
    EXPECT_LE(TextTop - ImageBottom, 4 + 10); // the line's leading above the glyphs
}

TEST_F(ItemSelector, AssigningAnotherStyleReloadsItsPreset) {
    TItemAppearance Source, Target;
    Source.SetColorStyle(scWindows7);
    Source.SetColorHot(clRed);
    Source.SetColorSelectedText(clGreen);
    Target.Assign(&Source);
    EXPECT_EQ(Target.ColorStyle(), scWindows7);
    EXPECT_EQ(Target.ColorHot(), TColor(0xFCEBDC));
    EXPECT_EQ(Target.ColorSelectedText(), clGreen);
}

TEST_F(ItemSelector, ScrollsTheLastCellIntoView) {
    TKelCustomItemSelector* Selector =
        NewSelector({u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"12"});
    Selector->SetBounds(10, 10, 200, 60);
    Pump();
    ASSERT_TRUE(Selector->VertScrollBar()->IsScrollBarVisible());
    Selector->SetItemIndex(11);
    Pump();
    const TRect R = Selector->Items()->Items(11)->Rect();
    const TPoint Bottom = Selector->ScreenToClient(Selector->Panel()->ClientToScreen({R.Left, R.Bottom}));
    EXPECT_GT(Selector->VertScrollBar()->Position(), 0);
    EXPECT_LE(Bottom.Y, Selector->ClientHeight());
    EXPECT_GE(Bottom.Y - R.Height(), 0);
}

TEST_F(ItemSelector, ZeroCellHeightCountsNoVisibleItems) {
    TKelCustomItemSelector* Selector = NewSelector({});
    Selector->OnItemSize = [](TObject*, TSize& Size) { Size = {40, 0}; };
    Selector->Items()->Add()->SetCaption(u"a");
    Selector->UpdateSelectorPanel();
    EXPECT_EQ(Selector->GetVisibleItemCount(), 0);
}
