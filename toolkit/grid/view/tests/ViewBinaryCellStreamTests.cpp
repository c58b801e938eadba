#include "ViewTestSupport.h"

#include "grid/GridCellStreamIO.h"
#include "rtl/Filer.h"
#include "rtl/FormatSettings.h"
#include "rtl/Stream.h"
#include "rtltesting/TestFiles.h"

namespace {

std::string Bytes(TMemoryStream& Stream) {
    std::string Data(size_t(Stream.Size()), '\0');
    Stream.SetPosition(0);
    if (!Data.empty()) Stream.ReadBuffer(Data.data(), Int64(Data.size()));
    Stream.SetPosition(0);
    return Data;
}

void Put(TMemoryStream& Stream, const std::string& Data) {
    Stream.SetSize(0);
    Stream.WriteBuffer(Data.data(), Int64(Data.size()));
    Stream.SetPosition(0);
}

template <class T>
std::string RecordOf(T& Record) {
    TMemoryStream Stream;
    WriteComponent(Stream, &Record);
    return Bytes(Stream);
}

TDecodedImage Checker(Integer W, Integer H) {
    TDecodedImage Image;
    Image.Width = W;
    Image.Height = H;
    for (Integer i = 0; i < W * H; ++i) Image.Pixels.push_back(i % 2 ? 0xFF102030u : 0xFFF0E0D0u);
    return Image;
}

class BinaryCellStreamTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        Saved = FormatSettings;
        Other = Create<TTestGrid>(Form);
        Other->SetParent(Form);
    }
    void TearDown() override {
        FormatSettings = Saved;
        ViewTest::TearDown();
    }
    std::string SavedRect(const TRect& Rect) {
        TMemoryStream Stream;
        Grid->SaveRectToBinStream(Rect, Stream, false);
        return Bytes(Stream);
    }
    TFormatSettings Saved;
    TTestGrid* Other = nullptr;
};

TEST_F(BinaryCellStreamTest, ACellRecordIsByteExactAndASingleCellSendsNoNotifications) {
    Grid->SetCells(1, 2, u"ab");
    Grid->ExportCalls.clear();
    const std::string Data = SavedRect(TRect(1, 2, 1, 2));
    const std::string Cell("\x54\x50\x46\x30\x0B" "TGridCellIO" "\x00\x03" "Col\x02\x01\x03Row\x02\x02\x04"
                           "Cell\x06\x02" "ab\x07" "HasProp\x08\x00\x00",
                           49);
    ASSERT_GT(Data.size(), Cell.size());
    EXPECT_EQ(Data.substr(Data.size() - Cell.size()), Cell);
    EXPECT_EQ(Data.substr(0, 16), std::string("TPF0\x0BTGridPropIO", 16));
    EXPECT_TRUE(Grid->ExportCalls.empty());
}

TEST_F(BinaryCellStreamTest, IntegersTakeTheSmallestTag) {
    struct Case {
        Integer Value;
        std::string Encoded;
    };
    const Case Cases[] = {{100, std::string("\x02\x64", 2)},
                          {200, std::string("\x03\xC8\x00", 3)},
                          {40000, std::string("\x04\x40\x9C\x00\x00", 5)},
                          {-1, std::string("\x02\xFF", 2)}};
    for (const Case& C : Cases) {
        auto* Record = Create<TGridCellIO>(nullptr);
        Record->SetCol(C.Value);
        const std::string Data = RecordOf(*Record);
        Free(Record);
        EXPECT_NE(Data.find("\x03" "Col" + C.Encoded + "\x03" "Row"), std::string::npos) << C.Value;
    }
}

TEST_F(BinaryCellStreamTest, PropertiesAndObjectsTravelToAnotherGrid) {
    Grid->SetColCount(4);
    Grid->SetRowCount(4);
    Grid->SetCells(1, 1, u"text");
    TCellProperties* P = Grid->CellProperties(1, 1);
    P->SetBrushColor(clRed);
    P->SetBrushColorTo(0x123456);
    P->SetFontStyle(TFontStyles{fsBold});
    P->SetFontSize(-16); // 12 points at 96 pixels per inch
    P->SetAlignment(taCenter);

    auto* Bitmap = Create<TBitmap>();
    Bitmap->SetPixels(Checker(3, 2));
    Grid->AddBitmap(2, 1, Bitmap, false, haCenter, vaBottom); // handed in: written
    Grid->CreateBitmap(3, 1, false, haLeft, vaTop)->SetPixels(Checker(2, 2)); // the grid's own: not written
    auto* Icon = Create<TIcon>();
    Icon->SetPixels(Checker(4, 4));
    Grid->AddIcon(1, 2, Icon, haLeft, vaTop);
    auto* Items = Create<TStringList>();
    Items->Add(u"one");
    Items->Add(u"two");
    Grid->AddRadio(2, 2, 0, 1, Items);
    TCellGraphic* Images = Grid->CreateCellGraphic(3, 2);
    Images->SetCellType(ctImages);
    Images->SetCellBitmap(Create<TIntList>(3, 2));
    Images->ImageIndexes()->SetStrValue(u"4,0,7");
    Grid->AddColorComment(3, 2, u"note", clBlue);
    Grid->AddColorComment(1, 3, u"plain", clGreen);
    Grid->AddBitmap(2, 3, Bitmap, false, haLeft, vaTop);
    Grid->AddColorComment(2, 3, u"pictured", clLime);

    Grid->SaveFixedCells = true;
    TMemoryStream Stream;
    Grid->SaveRectToBinStream(TRect(0, 0, 3, 3), Stream, false);
    Stream.SetPosition(0);
    Other->LoadFromBinStream(Stream);

    EXPECT_EQ(Other->Cells(1, 1), u"text");
    ASSERT_TRUE(Other->HasCellProperties(1, 1));
    const TCellProperties* Q = Other->GetRawObject(1, 1);
    EXPECT_EQ(Q->BrushColor(), clRed);
    EXPECT_EQ(Q->BrushColorTo(), 0x123456);
    EXPECT_EQ(Q->FontStyle(), TFontStyles{fsBold});
    EXPECT_EQ(Q->FontSize(), -16);
    EXPECT_EQ(Q->Alignment(), taCenter);

    ASSERT_NE(Other->GetBitmap(2, 1), nullptr);
    EXPECT_NE(Other->GetBitmap(2, 1), Bitmap);
    EXPECT_EQ(Other->GetBitmap(2, 1)->Pixels().Pixels, Checker(3, 2).Pixels);
    EXPECT_EQ(Other->GetCellGraphic(2, 1)->CellHAlign(), haCenter);
    EXPECT_EQ(Other->GetCellGraphic(2, 1)->CellVAlign(), vaBottom);
    EXPECT_EQ(Other->GetCellType(3, 1), ctEmpty);
    ASSERT_EQ(Other->GetCellType(1, 2), ctIcon);
    EXPECT_EQ(Other->GetCellGraphic(1, 2)->Icon()->Width(), 4);
    ASSERT_NE(Other->GetRadioStrings(2, 2), nullptr);
    EXPECT_EQ(Other->GetRadioStrings(2, 2)->Text(), u"one\r\ntwo\r\n");
    ASSERT_NE(Other->GetCellImages(3, 2), nullptr);
    EXPECT_EQ(Other->GetCellImages(3, 2)->StrValue(), u"4,0,7");
    EXPECT_EQ(Other->GetComment(3, 2), u"note");
    EXPECT_EQ(Other->GetCellGraphic(3, 2)->CommentColor(), clBlue);
    EXPECT_EQ(Other->GetCellType(1, 3), ctNone);
    EXPECT_EQ(Other->GetComment(1, 3), u"plain");
    // A bitmap with a comment keeps both, and the records stay in step.
    EXPECT_EQ(Other->GetCellType(2, 3), ctBitmap);
    EXPECT_EQ(Other->GetComment(2, 3), u"pictured");
    EXPECT_EQ(Other->GetCellGraphic(2, 3)->CommentColor(), clLime);
    Free(Bitmap);
    Free(Icon);
    Free(Items);
}

TEST_F(BinaryCellStreamTest, AWholeGridResizesAndAPartialStreamLandsAtThePoint) {
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    Grid->SetColWidths(2, 33);
    Grid->SetRowHeights(1, 44);
    Grid->SetCells(1, 1, u"a");
    Grid->SetCells(2, 2, u"b");
    Grid->SaveFixedCells = true;
    TMemoryStream Whole;
    Grid->SaveToBinStream(Whole);
    Other->SetColCount(9);
    Other->SetRowCount(9);
    Other->SetCells(8, 8, u"gone");
    Whole.SetPosition(0);
    Other->LoadAtPointFromBinStream(TPoint(5, 3), Whole);
    EXPECT_EQ(Other->ColCount(), 3);
    EXPECT_EQ(Other->RowCount(), 3);
    EXPECT_EQ(Other->ColWidths(2), 33);
    EXPECT_EQ(Other->RowHeights(1), 44);
    EXPECT_EQ(Other->Cells(1, 1), u"a");
    EXPECT_EQ(Other->Cells(2, 2), u"b");

    TMemoryStream Part;
    Grid->SaveRectToBinStream(TRect(1, 1, 2, 2), Part, false);
    Other->SetColCount(10);
    Other->SetRowCount(10);
    Part.SetPosition(0);
    Other->LoadAtPointFromBinStream(TPoint(5, 3), Part);
    EXPECT_EQ(Other->ColCount(), 10);
    EXPECT_EQ(Other->Cells(5, 3), u"a");
    EXPECT_EQ(Other->Cells(6, 4), u"b");
}

TEST_F(BinaryCellStreamTest, NumbersTravelInvariantAndReadInTheReadersNotation) {
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
    Grid->SetCells(1, 1, u"1.234,5");
    TMemoryStream Stream;
    Grid->SaveRectToBinStream(TRect(1, 1, 1, 1), Stream, false);
    EXPECT_NE(Bytes(Stream).find("\x06\x06" "1234.5"), std::string::npos);
    Other->LoadAtPointFromBinStream(TPoint(2, 2), Stream);
    EXPECT_EQ(Other->Cells(2, 2), u"1234,5");
}

TEST_F(BinaryCellStreamTest, FilesRoundTripAndAMissingFileRaises) {
    TTempFolder Folder;
    Grid->SetCells(1, 1, u"kept");
    Grid->SaveToBinFile(Folder / u"cells.bin");
    Other->LoadFromBinFile(Folder / u"cells.bin");
    EXPECT_EQ(Other->Cells(1, 1), u"kept");
    EXPECT_THROW(Other->LoadFromBinFile(Folder / u"missing.bin"), EFOpenError);
}

// A header record with the given values.
std::string HeaderBytes(Integer Cols, Integer Rows, const String& Widths, const String& Heights) {
    auto* Header = Create<TGridPropIO>(nullptr);
    Header->SetColCount(Cols);
    Header->SetRowCount(Rows);
    Header->SetColWidths(Widths);
    Header->SetRowHeights(Heights);
    Header->SetFullGrid(true);
    std::string Data = RecordOf(*Header);
    Free(Header);
    return Data;
}

TEST_F(BinaryCellStreamTest, DamagedStreamsRaiseAndChangeNothing) {
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    Grid->SetCells(1, 1, u"x");
    TMemoryStream Good;
    Grid->SaveFixedCells = true;
    Grid->SaveToBinStream(Good);
    const std::string Valid = Bytes(Good);

    std::string UnknownProperty = Valid;
    UnknownProperty.replace(UnknownProperty.find("HasProp"), 7, "HasPro?");
    std::string WrongTag = Valid;
    WrongTag[WrongTag.find("HasProp") + 7] = '\x06';
    std::string HugeString = Valid;
    const size_t Cell = HugeString.find(std::string("Cell\x06\x01x", 7));
    ASSERT_NE(Cell, std::string::npos);
    HugeString.replace(Cell + 4, 3, std::string("\x0C\xFF\xFF\xFF\x7Fx", 6));

    struct Case {
        const char* Name;
        std::string Data;
        bool TextStays; // the header was whole: the grid was cleared
    };
    const Case Cases[] = {
        {"truncated header", Valid.substr(0, 30), true},
        {"truncated cell", Valid.substr(0, Valid.size() - 3), false},
        {"unknown property", UnknownProperty, false},
        {"wrong tag", WrongTag, false},
        {"string longer than the stream", HugeString, false},
        {"huge column count", HeaderBytes(2000000000, 1, u"1", u"1"), true},
        {"huge row count", HeaderBytes(1, 2000000000, u"1", u"1"), true},
        {"too few widths", HeaderBytes(4, 1, u"1,2", u"5"), true},
        {"width not a number", HeaderBytes(2, 1, u"1,x", u"5"), true},
    };
    for (const Case& C : Cases) {
        Other->SetColCount(3);
        Other->SetRowCount(3);
        Other->SetCells(1, 1, u"old");
        TMemoryStream Stream;
        Put(Stream, C.Data);
        EXPECT_ANY_THROW(Other->LoadFromBinStream(Stream)) << C.Name;
        EXPECT_EQ(Other->ColCount(), 3) << C.Name;
        EXPECT_EQ(Other->RowCount(), 3) << C.Name;
        if (C.TextStays) {
            EXPECT_EQ(Other->Cells(1, 1), u"old") << C.Name;
        }
    }
    TMemoryStream Stream;
    Put(Stream, UnknownProperty);
    try {
        Other->LoadFromBinStream(Stream);
        ADD_FAILURE() << "no error";
    } catch (const EReadError& E) {
        EXPECT_NE(E.Message().find(u"Property HasPro? does not exist"), String::npos);
    }
}

} // namespace

namespace {

// A whole grid through the component stream: the panels and controls it
// makes itself (footer, search footer, focus window) are not streamed, so
// the stream reads back.
TEST_F(BinaryCellStreamTest, AStreamedGridWithItsSearchFooterReadsBack) {
    auto* Source = Create<TZirOvararIzaz>(Form);
    Source->SetParent(Form);
    Source->SearchFooter()->SetVisible(true);
    Show();
    Source->SetBounds(5, 6, 300, 200);
    TMemoryStream Stream;
    WriteComponent(Stream, Source);
    Stream.SetPosition(0);
    auto* Copy = Create<TZirOvararIzaz>(Form);
    try {
        ReadComponent(Stream, Copy);
    } catch (const Exception& E) {
        ADD_FAILURE() << Utf8(E.Message());
    }
    EXPECT_EQ(Copy->BoundsRect(), TRect(5, 6, 305, 206));
}

} // namespace
