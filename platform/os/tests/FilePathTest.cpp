#include "os/FilePath.h"

#include "os/FileUtils.h"

#include <gtest/gtest.h>

TEST(FilePath, SplitsNamesAtTheLastDelimiter) {
    struct Case {
        String name, path, file, ext;
    };
    const Case cases[] = {
        {u"/srv/data/x.m2t", u"/srv/data/", u"x.m2t", u".m2t"},
        {u"/srv/data/", u"/srv/data/", u"", u""},
        {u"x.tar.gz", u"", u"x.tar.gz", u".gz"},
        {u"/srv/v1.2/readme", u"/srv/v1.2/", u"readme", u""},
        {u"/home/u/.profile", u"/home/u/", u".profile", u".profile"},
        {u"", u"", u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path);
        EXPECT_EQ(ExtractFileName(c.name), c.file);
        EXPECT_EQ(ExtractFileExt(c.name), c.ext);
    }
}

TEST(FilePath, ChangesExtensionsAndDelimiters) {
    EXPECT_EQ(ChangeFileExt(u"/a/report.csv", u".txt"), u"/a/report.txt");
    EXPECT_EQ(ChangeFileExt(u"/a.b/summary", u".csv"), u"/a.b/summary.csv");
    EXPECT_EQ(ChangeFileExt(u"x.inp", u""), u"x");
    EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a"), u"/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a/"), u"/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(u""), u"/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/a/"), u"/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/a"), u"/a");
}

TEST(FilePath, ExpandsRelativeNamesFromTheCurrentFolder) {
    const String cwd = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(u"/tmp"));
    EXPECT_EQ(ExpandFileName(u"a/./b/../c.txt"), u"/tmp/a/c.txt");
    EXPECT_EQ(ExpandFileName(u"/x/y/../../.."), u"/");
    EXPECT_EQ(ExpandFileName(u"/x//y/"), u"/x/y/");
    EXPECT_EQ(ExpandFileName(u".."), u"/");
    ASSERT_TRUE(SetCurrentDir(cwd));
}
