// The detail drop-down on the headless window system: completion while
// typing, the keys, the type-ahead, cancelling and the cell drawing.

#include "DropDownTestSupport.h"
#include "dropdown/KelDetailDropDown.h"
#include "gridbase/MarkupRenderer.h"
#include "windowing/Input.h"

using namespace winapi;

namespace {

class DetailDropDown : public DropDownTest {
protected:
    TKelDetailDropDown* NewDetail(std::initializer_list<const char16_t*> Captions) {
        Form = NewForm();
        auto* Edit = Create<TKelDetailDropDown>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(20, 20, 200, 21);
        for (const char16_t* Caption : Captions)
            Edit->Items()->Add()->SetCaption(Caption);
        Edit->OnSelect = [this](TObject*) { ++Selects; };
        Edit->SetFocus();
        Pump();
        return Edit;
    }

    String Selected(TKelDetailDropDown* Edit) {
        return Edit->Text().substr(size_t(Edit->SelStart()), size_t(Edit->SelLength()));
    }

    TForm* Form = nullptr;
    int Selects = 0;
};

} // namespace

TEST_F(DetailDropDown, TypingCompletesWithTheFirstMatchingCaption) {
    auto* Edit = NewDetail({u"Apple", u"Apricot", u"Banana"});
    const struct {
        const char16_t* Typed;
        const char16_t* Text;
        const char16_t* Selection;
        Integer Index;
    } Cases[] = {
        {u"a", u"apple", u"pple", 0},
        {u"p", u"apple", u"ple", 0},
        {u"r", u"apricot", u"icot", 1},
    };
    for (const auto& Case : Cases) {
        Type(Case.Typed);
        EXPECT_EQ(Edit->Text(), Case.Text) << Integer(&Case - Cases);
        EXPECT_EQ(Selected(Edit), Case.Selection) << Integer(&Case - Cases);
        EXPECT_EQ(Edit->ItemIndex(), Case.Index) << Integer(&Case - Cases);
    }
    EXPECT_EQ(Selects, 0);
}

TEST_F(DetailDropDown, NoMatchKeepsTheTypedTextAndBackspaceDoesNotComplete) {
    auto* Edit = NewDetail({u"Apple", u"Apricot", u"Banana"});
    Type(u"ax");
    EXPECT_EQ(Edit->Text(), u"ax");
    EXPECT_EQ(Edit->SelStart(), 2);
    EXPECT_EQ(Edit->SelLength(), 0);

    Edit->SetText(u"");
    Type(u"ap");
    EXPECT_EQ(Edit->Text(), u"apple");
    Key(VK_BACK); // deletes the selected tail
    EXPECT_EQ(Edit->Text(), u"ap");
    Key(VK_BACK);
    EXPECT_EQ(Edit->Text(), u"a");
    // Home, arrows and cutting everything never bring a caption in.
    Key(VK_HOME);
    Key(VK_RIGHT);
    EXPECT_EQ(Edit->Text(), u"a");
    Key(VK_BACK);
    EXPECT_EQ(Edit->Text(), u"");
}

TEST_F(DetailDropDown, EnterSelectsOnlyAnExactCaption) {
    auto* Edit = NewDetail({u"Apple", u"Apricot", u"Banana"});
    Edit->SetTextUnformatted(u"Banana");
    Key(VK_RETURN);
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Selects, 1);

    Edit->SetText(u"");
    Type(u"a"); // "apple": the typed part differs in case from "Apple"
    Key(VK_RETURN);
    EXPECT_EQ(Edit->Text(), u"apple");
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Selects, 1);
}

TEST_F(DetailDropDown, ItemIndexSetterClearsAndIgnores) {
    auto* Edit = NewDetail({u"Apple", u"Apricot", u"Banana"});
    Edit->SetItemIndex(1);
    EXPECT_EQ(Edit->Text(), u"Apricot");
    EXPECT_EQ(Edit->SelLength(), 7);
    EXPECT_EQ(Selects, 1);
    Edit->SetItemIndex(3); // Count
    Edit->SetItemIndex(-2);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    Edit->SetItemIndex(-1);
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Edit->Text(), u"");
    EXPECT_EQ(Selects, 1);
}

TEST_F(DetailDropDown, KeysMoveThroughTheOpenListAndCancelRestores) {
    auto* Edit = NewDetail({u"A0", u"A1", u"A2", u"A3", u"A4", u"A5", u"A6", u"A7", u"A8", u"A9", u"B0", u"B1"});
    Edit->SetItemHeight(20);
    Edit->SetItemIndex(2);
    Selects = 0;
    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(Edit->DroppedDown());
    TKelCustomItemSelector* List = Edit->ItemSelector();
    ASSERT_EQ(List->GetVisibleItemCount(), 5);
    const struct {
        Integer Key;
        Integer Index;
    } Steps[] = {{VK_NEXT, 7}, {VK_NEXT, 11}, {VK_DOWN, 11}, {VK_UP, 10}, {VK_PRIOR, 5}, {VK_HOME, 0}, {VK_END, 11}};
    for (const auto& Step : Steps) {
        Key(Step.Key);
        EXPECT_EQ(Edit->ItemIndex(), Step.Index) << Step.Key;
        EXPECT_EQ(List->ItemIndex(), Step.Index) << Step.Key;
        EXPECT_TRUE(Edit->DroppedDown()) << Step.Key;
    }
    EXPECT_EQ(Edit->Text(), u"B1");
    Key(VK_ESCAPE);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), u"A2");

    // Closed, the arrows step the control itself and stop at the ends.
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Edit->Text(), u"A0");
}

TEST_F(DetailDropDown, TypeAheadCollectsCharactersForHalfASecond) {
    auto* Edit = NewDetail({u"Apple", u"Grape", u"Gruel", u"Rhubarb"});
    Edit->ShowDropDown();
    Pump();
    Type(u"g");
    EXPECT_EQ(Edit->ItemIndex(), 1);
    Advance(300);
    Pump();
    Type(u"r");
    EXPECT_EQ(Edit->ItemIndex(), 2); // "GR"
    EXPECT_TRUE(Edit->DroppedDown());
    Advance(600);
    Pump();
    Type(u"r");
    EXPECT_EQ(Edit->ItemIndex(), 3); // a new search: "R"
    // A key that produces no character adds nothing.
    Key(VK_SHIFT);
    Key(VK_F2);
    EXPECT_EQ(Edit->ItemIndex(), 3);
    EXPECT_EQ(Edit->Text(), u"Rhubarb");
    Key(VK_RETURN);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), u"Rhubarb");
}

TEST_F(DetailDropDown, NotesStartOneCaptionLineAndTwoPixelsBelowTheCellTop) {
    auto* Edit = NewDetail({u"Apple"});
    Edit->Items()->Items(0)->SetNotes(u"X");
    Edit->CaptionFont()->SetColor(clBlue);
    Edit->NotesFont()->SetColor(clRed);
    Edit->CaptionFont()->SetHeight(-20);
    // The first row with a pixel of the red notes (their edges are blended).
    const auto TopRedRow = [](TBitmap* Bitmap) {
        for (Integer Y = 0; Y < Bitmap->Height(); ++Y)
            for (Integer X = 0; X < Bitmap->Width(); ++X)
                if (const TColor C = Bitmap->Canvas()->Pixels(X, Y); (C & 0xFF) == 0xFF && ((C >> 8) & 0xFF) < 0xC0)
                    return Y;
        return -1;
    };
    auto Cell = std::make_unique<TBitmap>();
    Cell->SetSize(200, 80);
    ASSERT_EQ(TopRedRow(Cell.get()), -1);
    Edit->DrawItem(Cell->Canvas(), TRect(0, 10, 200, 80), 0);

    auto Expected = std::make_unique<TBitmap>();
    Expected->SetSize(200, 80);
    Expected->Canvas()->Font()->Assign(Edit->CaptionFont());
    const Integer Line = Expected->Canvas()->TextHeight(u"gh");
    Expected->Canvas()->Font()->Assign(Edit->NotesFont());
    TMarkupDrawParams Params;
    Params.Canvas = Expected->Canvas();
    Params.Text = u"X";
    Params.Rect = TRect(4, 10 + 2 + Line, 196, 80);
    TMarkupDrawResult Result;
    Expected->Canvas()->Brush()->SetStyle(bsClear);
    DrawMarkupOnCanvas(Params, Result);
    ASSERT_GE(TopRedRow(Expected.get()), 0);
    EXPECT_EQ(TopRedRow(Cell.get()), TopRedRow(Expected.get()));
}
