// Hint information: emptiness and copying.

#include <memory>

#include "PictureTestSupport.h"
#include "kel/KelHintInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(KelHintInfo, EmptyUnlessTitleOrNotesAndAssignCopiesEverything) {
    TKelHintInfo Info;
    EXPECT_TRUE(Info.IsEmpty());
    Info.Picture()->LoadFromStream(StreamOf(PngBytes(4, 3, 0xFF00FF00)).get());
    Info.SetWideTitle(u"wide");
    EXPECT_TRUE(Info.IsEmpty()); // a picture alone is no content
    Info.Notes()->Add(u"line");
    EXPECT_FALSE(Info.IsEmpty());
    Info.Notes()->Clear();
    Info.SetTitle(u"Title");
    EXPECT_FALSE(Info.IsEmpty());
    Info.Notes()->Add(u"one");
    Info.Notes()->Add(u"two");
    Info.SetShowHelp(true);
    Info.SetWideNotes(u"notes");

    TKelHintInfo Copy;
    Copy.Assign(&Info);
    EXPECT_EQ(Copy.Title(), u"Title");
    EXPECT_EQ(Copy.Notes()->Text(), Info.Notes()->Text());
    EXPECT_NE(Copy.Notes(), Info.Notes());
    EXPECT_TRUE(Copy.ShowHelp());
    EXPECT_EQ(Copy.WideTitle(), u"wide");
    EXPECT_EQ(Copy.WideNotes(), u"notes");
    EXPECT_EQ(Copy.Picture()->Width(), 4);
    EXPECT_NE(Copy.Picture(), Info.Picture());
}

} // namespace
