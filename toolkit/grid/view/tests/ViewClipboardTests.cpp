#include "ViewTestSupport.h"

#include "gridbase/UndoRedo.h"
#include "rtl/DateTime.h"
#include "rtl/FormatSettings.h"
#include "vcl/Clipbrd.h"

namespace {

class TClipboardGrid : public TTestGrid {
public:
    using TTestGrid::TTestGrid;
    struct TPasted {
        TPoint From;
        TGridRect Rect;
    };
    std::vector<TPasted> Pasted;
    void CellsPasted(TPoint FromTopLeft, TGridRect PastedRect, TClipOperation Operation) override {
        Pasted.push_back({FromTopLeft, PastedRect});
        TTestGrid::CellsPasted(FromTopLeft, PastedRect, Operation);
    }
};

class ClipboardTest : public GridFormTest<TClipboardGrid> {
protected:
    void SetUp() override {
        GridFormTest<TClipboardGrid>::SetUp();
        Saved = FormatSettings;
        Grid->SetColCount(5);
        Grid->SetRowCount(12);
        Grid->SetOptions(Grid->Options() + TGridOptions{goEditing, goRangeSelect});
        Clipboard()->Clear();
    }
    void TearDown() override {
        FormatSettings = Saved;
        GridFormTest<TClipboardGrid>::TearDown();
    }
    void Select(Integer L, Integer T, Integer R, Integer B) { Grid->SetSelection(TGridRect{L, T, R, B}); }
    TNavigationSettings& Nav() { return Grid->Navigation()->PlainSettings(); }
    std::vector<String> Column(Integer c, Integer From, Integer To) {
        std::vector<String> Texts;
        for (Integer r = From; r <= To; ++r) Texts.push_back(Grid->Cells(c, r));
        return Texts;
    }
    TFormatSettings Saved;
};

TEST_F(ClipboardTest, RangesCopyAsTabAndLineText) {
    Grid->SetCells(1, 1, u"a");
    Grid->SetCells(2, 1, u"b");
    Grid->SetCells(1, 2, u"c");
    Grid->SetCells(2, 2, u"d");
    Grid->SetCells(3, 3, u"x\r\ny");
    Grid->SetCells(4, 3, u"say \"hi\"\rthere");
    struct Case {
        TGridRect Rect;
        const char16_t* Text;
    };
    const Case Cases[] = {
        {{1, 1, 1, 1}, u"a"},
        {{1, 1, 2, 2}, u"a\tb\r\nc\td\r\n"},
        {{3, 3, 3, 3}, u"\"x\ny\""},
        {{4, 3, 4, 3}, u"\"say \"\"hi\"\"\nthere\""},
    };
    for (const Case& C : Cases) {
        Select(C.Rect.Left, C.Rect.Top, C.Rect.Right, C.Rect.Bottom);
        Grid->CopySelectionToClipboard();
        EXPECT_EQ(Clipboard()->AsText(), C.Text);
        EXPECT_EQ(Grid->ClipLastOp(), coCopy);
    }
    // A quoted multi-line cell pastes back as it was.
    Select(3, 3, 4, 3);
    Grid->CopySelectionToClipboard();
    Select(1, 5, 1, 5);
    Grid->PasteSelectionFromClipboard();
    EXPECT_EQ(Grid->Cells(1, 5), u"x\r\ny");
    EXPECT_EQ(Grid->Cells(2, 5), u"say \"hi\"\r\nthere");
}

TEST_F(ClipboardTest, AMergedCornerWidensTheSelection) {
    Grid->MergeCells(1, 1, 2, 2);
    Select(2, 2, 3, 3);
    Grid->CopySelectionToClipboard();
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 3, 3}));
}

TEST_F(ClipboardTest, ACutIsUndoneInOneStep) {
    auto* Undo = Create<TKelGridUndoRedo>(Form);
    Grid->SetUndoRedo(Undo);
    Grid->SetCells(1, 1, u"p");
    Grid->SetCells(2, 1, u"q");
    Undo->Reset();
    Select(1, 1, 2, 1);
    Grid->CutSelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), u"p\tq");
    EXPECT_EQ(Grid->Cells(1, 1), u"");
    EXPECT_EQ(Grid->ClipLastOp(), coCut);
    Undo->Undo();
    EXPECT_EQ(Grid->Cells(1, 1), u"p");
    EXPECT_EQ(Grid->Cells(2, 1), u"q");
    EXPECT_FALSE(Undo->CanUndo());
}

TEST_F(ClipboardTest, TextPasteCountsFieldsAndLines) {
    struct Case {
        const char16_t* Text;
        Integer Count, Cols, Rows;
    };
    const Case Cases[] = {{u"a", 1, 1, 1}, {u"x\r\n", 2, 1, 1}, {u"a\tb\r\nc\td\r\n", 5, 2, 2}, {u"a\r\nb", 2, 1, 1}};
    for (const Case& C : Cases) {
        Integer Cols = -1, Rows = -1;
        EXPECT_EQ(Grid->PasteTextAtCell(1, 1, C.Text, Cols, Rows), C.Count) << Utf8(C.Text);
        EXPECT_EQ(Cols, C.Cols) << Utf8(C.Text);
        EXPECT_EQ(Rows, C.Rows) << Utf8(C.Text);
    }
    EXPECT_EQ(Grid->Cells(2, 2), u"d");
    TPoint Size;
    TZirOvararIzaz::MeasureClipboardText(u"a\r\nb", Size);
    EXPECT_EQ(Size, TPoint(1, 1));
    TZirOvararIzaz::MeasureClipboardText(u"a\tb\tc\r\nb\r\n", Size);
    EXPECT_EQ(Size, TPoint(3, 1));
    // Nothing without editing.
    Grid->SetOptions(TGridOptions{});
    Integer Cols = 0, Rows = 0;
    EXPECT_EQ(Grid->PasteTextAtCell(1, 1, u"zz", Cols, Rows), 0);
    EXPECT_EQ(Grid->Cells(1, 1), u"a");
}

TEST_F(ClipboardTest, TheGridGrowsOnlyWhereAllowedAndNeverWritesPastItsEnd) {
    struct Case {
        bool ColGrow, RowGrow;
        Integer Cols, Rows;
    };
    const Case Cases[] = {{false, false, 5, 12}, {true, false, 7, 12}, {false, true, 5, 13}, {true, true, 7, 13}};
    for (const Case& C : Cases) {
        Grid->SetColCount(5);
        Grid->SetRowCount(12);
        Nav().AllowClipboardColGrow = C.ColGrow;
        Nav().AllowClipboardRowGrow = C.RowGrow;
        Integer Cols = 0, Rows = 0;
        Grid->PasteTextAtCell(3, 11, u"a\tb\tc\td\r\ne\r\n", Cols, Rows);
        EXPECT_EQ(Grid->ColCount(), C.Cols) << C.ColGrow << C.RowGrow;
        EXPECT_EQ(Grid->RowCount(), C.Rows) << C.ColGrow << C.RowGrow;
        EXPECT_EQ(Grid->Cells(4, 11), u"b");
        EXPECT_EQ(Grid->Cells(6, 11), C.ColGrow ? u"d" : u"");
        EXPECT_EQ(Grid->Cells(3, 12), C.RowGrow ? u"e" : u"");
    }
}

TEST_F(ClipboardTest, SmartPasteContinuesSeriesAndFills) {
    Nav().AllowSmartClipboard = true;
    FormatSettings.DecimalSeparator = u'.';
    FormatSettings.DateSeparator = u'-';
    FormatSettings.ShortDateFormat = u"yyyy-mm-dd";
    Grid->SetFloatFormat(u"%.1f");
    struct Case {
        const char16_t* Text;
        std::vector<String> Expected;
    };
    const Case Cases[] = {
        {u"1\r\n2\r\n", {u"1", u"2", u"3", u"4", u"5"}},
        {u"1.5\r\n2\r\n", {u"1.5", u"2.0", u"2.5", u"3.0", u"3.5"}},
        {u"2020-01-15\r\n2020-02-15\r\n", {u"2020-01-15", u"2020-02-15", u"2020-03-15", u"2020-04-15", u"2020-05-15"}},
        {u"2020-01-01\r\n2020-02-02\r\n", {u"2020-01-01", u"2020-02-02", u"2020-03-05", u"2020-04-06", u"2020-05-08"}},
        {u"x\r\ny\r\n", {u"x", u"y", u"x", u"y", u"x"}},
        {u"v", {u"v", u"v", u"v", u"v", u"v"}},
    };
    for (const Case& C : Cases) {
        Clipboard()->SetAsText(C.Text);
        Select(1, 1, 1, 5);
        Grid->PasteSelectionFromClipboard();
        EXPECT_EQ(Column(1, 1, 5), C.Expected) << Utf8(C.Text);
    }
    // A check-box cell as the source spreads its state as text.
    Grid->AddCheckBox(2, 1, true, false);
    Clipboard()->SetAsText(Grid->CheckTrue());
    Select(2, 1, 2, 3);
    Grid->PasteSelectionFromClipboard();
    EXPECT_EQ(Column(2, 2, 3), (std::vector<String>{Grid->CheckTrue(), Grid->CheckTrue()}));
}

TEST_F(ClipboardTest, OneRowRepeatsOverABlock) {
    Nav().AllowSmartClipboard = true;
    Clipboard()->SetAsText(u"a\tb");
    Select(1, 1, 2, 3);
    Grid->PasteSelectionFromClipboard();
    for (Integer r = 1; r <= 3; ++r) {
        EXPECT_EQ(Grid->Cells(1, r), u"a") << r;
        EXPECT_EQ(Grid->Cells(2, r), u"b") << r;
    }
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 2, 3}));
}

TEST_F(ClipboardTest, TheCellFormatCarriesCellsAndTellsWhoseCopyItIs) {
    Nav().AllowFmtClipboard = true;
    Grid->SetCells(1, 1, u"one");
    Grid->CellProperties(1, 1)->SetBrushColor(clYellow);
    Select(1, 1, 1, 1);
    Grid->CopySelectionToClipboard();

    Select(3, 4, 3, 4);
    Grid->Pasted.clear();
    Grid->PasteSelectionFromClipboard();
    EXPECT_EQ(Grid->Cells(3, 4), u"one");
    EXPECT_EQ(Grid->GetRawObject(3, 4)->BrushColor(), clYellow);
    ASSERT_FALSE(Grid->Pasted.empty());
    EXPECT_EQ(Grid->Pasted.back().From, TPoint(1, 1));
    EXPECT_EQ(Grid->Pasted.back().Rect, (TGridRect{3, 4, 3, 4}));

    auto* Other = Create<TClipboardGrid>(Form);
    Other->SetParent(Form);
    Other->Navigation()->PlainSettings().AllowFmtClipboard = true;
    Other->SetOptions(Other->Options() + TGridOptions{goEditing});
    Integer Cols = 0, Rows = 0;
    EXPECT_EQ(Other->PasteAtCell(2, 2, Cols, Rows), 1);
    EXPECT_EQ(Other->Cells(2, 2), u"one");
    ASSERT_FALSE(Other->Pasted.empty());
    EXPECT_EQ(Other->Pasted.back().From, TPoint(-1, -1));
}

TEST_F(ClipboardTest, RichTextTravelsAsEightBitAndHtmlWithoutPictures) {
    Nav().AllowRTFClipboard = true;
    Grid->SetCells(1, 1, u"{\\rtf1 Gr\u00f6\u00dfe \u0416}");
    Select(1, 1, 1, 1);
    Grid->CopySelectionToClipboard();
    const winapi::UINT Rtf = winapi::RegisterClipboardFormat(u"Rich Text Format");
    ASSERT_TRUE(Clipboard()->HasFormat(Rtf));
    Clipboard()->Open();
    winapi::HGLOBAL Block = Clipboard()->GetAsHandle(Rtf);
    const std::string Bytes(static_cast<const char*>(winapi::GlobalLock(Block)));
    winapi::GlobalUnlock(Block);
    Clipboard()->Close();
    EXPECT_EQ(Bytes, "{\\rtf1 Gr\\'f6\\'dfe \\u1046?}");
    EXPECT_TRUE(Clipboard()->HasFormat(winapi::CF_UNICODETEXT));

    Select(2, 2, 2, 2);
    Grid->PasteSelectionFromClipboard();
    EXPECT_EQ(Grid->Cells(2, 2), u"{\\rtf1 Gr\\'f6\\'dfe \\u1046?}");

    auto* Bitmap = Create<TBitmap>();
    Bitmap->SetSize(2, 2);
    Grid->AddBitmap(3, 3, Bitmap, false, haLeft, vaTop);
    Grid->SetCells(3, 3, u"pic");
    Grid->CopyRectToClipboardAsHTML(TGridRect{3, 3, 3, 3});
    const String Html = Clipboard()->AsText();
    EXPECT_NE(Html.find(u"pic"), String::npos);
    EXPECT_EQ(Html.find(u"<img"), String::npos);
    EXPECT_TRUE(Clipboard()->HasFormat(winapi::RegisterClipboardFormat(u"HTML Format")));
    Free(Bitmap);
}

} // namespace
