// The file picture and the file string list.

#include "gridbase/FileHelpers.h"

#include "graphics/Graphic.h"
#include "rtltesting/TestFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(FileHelpers, StringListReadsAndWritesLines) {
    TFileStringList List;
    List.Write(u"a");
    List.Write(u"b");
    List.WriteLn(u"c");
    List.WriteLn(u"d");
    ASSERT_EQ(List.Count(), 2);
    EXPECT_EQ(List.Strings(0), u"abc");
    EXPECT_EQ(List.Strings(1), u"d");
    List.Reset();
    EXPECT_FALSE(List.Eof());
    EXPECT_EQ(List.ReadLn(), u"abc");
    EXPECT_EQ(List.ReadLn(), u"d");
    EXPECT_TRUE(List.Eof());
    EXPECT_EQ(List.ReadLn(), u""); // past the end: nothing, no fault
    List.Write(u"x");
    List.Reset(); // the pending text goes too
    List.WriteLn(u"y");
    EXPECT_EQ(List.Strings(2), u"y");
}

TEST(FileHelpers, PictureTakesItsSizeFromTheFileOnly) {
    TTempFolder Folder;
    TBitmap Source;
    Source.SetSize(7, 5);
    Source.Canvas()->Brush()->SetColor(clRed);
    Source.Canvas()->FillRect({0, 0, 7, 5});
    Source.SaveToFile(Folder / u"red.bmp");
    WriteFileBytes(Folder / u"broken.bmp", "BM not a bitmap");

    TFilePicture Picture;
    Picture.SetFilename(Folder / u"red.bmp");
    EXPECT_EQ(Picture.Width(), 7);
    EXPECT_EQ(Picture.Height(), 5);
    // A missing or unreadable file keeps the size it had.
    for (const String Name : {u"missing.bmp", u"broken.bmp"}) {
        Picture.SetFilename(Folder / Name);
        EXPECT_EQ(Picture.Filename(), Folder / Name);
        EXPECT_EQ(Picture.Width(), 7);
        EXPECT_EQ(Picture.Height(), 5);
    }

    TBitmap Cell;
    Cell.SetSize(20, 20);
    Cell.Canvas()->Brush()->SetColor(clWhite);
    Cell.Canvas()->FillRect({0, 0, 20, 20});
    Picture.DrawPicture(Cell.Canvas(), {0, 0, 14, 10}); // unreadable: nothing drawn
    EXPECT_EQ(Cell.Canvas()->Pixels(5, 5), clWhite);
    TFilePicture Copy;
    Picture.SetFilename(Folder / u"red.bmp");
    Copy.Assign(&Picture);
    Copy.DrawPicture(Cell.Canvas(), {0, 0, 14, 10}); // stretched into the rectangle
    EXPECT_EQ(Cell.Canvas()->Pixels(12, 8), clRed);
    EXPECT_EQ(Cell.Canvas()->Pixels(15, 12), clWhite);
    EXPECT_EQ(Copy.Width(), 7);
}

} // namespace
