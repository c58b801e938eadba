#include "os/FileUtils.h"

#include "os/FilePath.h"
#include "os/Folders.h"
#include "rtltesting/TestFiles.h"

#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

TEST(DeleteDirectory, RemovesANestedTreeWithoutFollowingALinkOutOfIt) {
    TTempFolder temp;
    const String outside = temp / u"outside/";
    ASSERT_TRUE(ForceDirectories(outside + u"deep"));
    WriteFileBytes(outside + u"keep.txt", "keep");
    const String tree = temp / u"tree/";
    ASSERT_TRUE(ForceDirectories(tree + u"a/b/.hidden"));
    WriteFileBytes(tree + u"a/b/file.txt", "x");
    WriteFileBytes(tree + u"a/b/.hidden/f", "x");
    ASSERT_EQ(symlink(Utf8(outside).c_str(), Utf8(tree + u"a/link").c_str()), 0);
    chmod(Utf8(tree + u"a/b/file.txt").c_str(), 0444);

    EXPECT_TRUE(DeleteDirectory(tree));
    EXPECT_FALSE(DirectoryExists(tree));
    EXPECT_EQ(ReadFileBytes(outside + u"keep.txt"), "keep");
    EXPECT_TRUE(DirectoryExists(outside + u"deep"));
    EXPECT_FALSE(DeleteDirectory(tree));
}

TEST(DeleteDirectory, ALinkGivenAsTheFolderIsRemovedItself) {
    TTempFolder temp;
    ASSERT_TRUE(ForceDirectories(temp / u"target/sub"));
    ASSERT_EQ(symlink(temp.Native(u"target").c_str(), temp.Native(u"link").c_str()), 0);
    EXPECT_TRUE(DeleteDirectory(temp / u"link"));
    EXPECT_TRUE(DirectoryExists(temp / u"target/sub"));
    EXPECT_FALSE(FileExists(temp / u"link") || DirectoryExists(temp / u"link"));
}

TEST(Files, CreateCopyRenameAndDelete) {
    TTempFolder temp;
    EXPECT_TRUE(ForceDirectories(temp / u"a/b/c/"));
    EXPECT_TRUE(DirectoryExists(temp / u"a/b/c"));
    EXPECT_FALSE(FileExists(temp / u"a/b/c"));
    EXPECT_FALSE(ForceDirectories(u""));
    EXPECT_FALSE(CreateDir(temp / u"x/y")); // one level only

    const String source = temp / u"a/source.inp";
    WriteFileBytes(source, "line 1\r\nline 2\r\n");
    EXPECT_TRUE(FileExists(source));
    EXPECT_TRUE(CopyFile(source, temp / u"a/copy.inp", true));
    EXPECT_EQ(ReadFileBytes(temp / u"a/copy.inp"), "line 1\r\nline 2\r\n");
    EXPECT_EQ(FileAge(temp / u"a/copy.inp"), FileAge(source));
    WriteFileBytes(temp / u"a/copy.inp", "changed");
    EXPECT_FALSE(CopyFile(source, temp / u"a/copy.inp", true));
    EXPECT_EQ(ReadFileBytes(temp / u"a/copy.inp"), "changed");
    EXPECT_TRUE(CopyFile(source, temp / u"a/copy.inp", false));
    EXPECT_EQ(ReadFileBytes(temp / u"a/copy.inp"), "line 1\r\nline 2\r\n");
    EXPECT_FALSE(CopyFile(temp / u"missing", temp / u"a/other", false));

    EXPECT_FALSE(RenameFile(source, temp / u"a/copy.inp")); // never replaces
    EXPECT_TRUE(RenameFile(source, temp / u"a/renamed.inp"));
    EXPECT_FALSE(FileExists(source));
    EXPECT_TRUE(DeleteFile(temp / u"a/renamed.inp"));
    EXPECT_FALSE(DeleteFile(temp / u"a/renamed.inp"));
    EXPECT_FALSE(DeleteFile(temp / u"a/b")); // a folder is not a file
    EXPECT_FALSE(RemoveDir(temp / u"a/b"));  // not empty
    EXPECT_TRUE(RemoveDir(temp / u"a/b/c"));
}

TEST(Files, FileAgeIsLocalTimeInTwoSecondSteps) {
    TTempFolder temp;
    const String name = temp / u"f";
    WriteFileBytes(name, "x");
    struct tm local {};
    local.tm_year = 2024 - 1900;
    local.tm_mon = 1;
    local.tm_mday = 29;
    local.tm_hour = 13;
    local.tm_min = 45;
    local.tm_sec = 31;
    local.tm_isdst = -1;
    const timespec times[2] = {{mktime(&local), 0}, {mktime(&local), 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, Utf8(name).c_str(), times, 0), 0);

    const Integer age = FileAge(name);
    EXPECT_EQ(age, (44 << 25) | (2 << 21) | (29 << 16) | (13 << 11) | (45 << 5) | 15);
    // 2024-02-29 is day 45351 after 1899-12-30.
    EXPECT_DOUBLE_EQ(FileDateToDateTime(age), 45351 + (13 * 3600 + 45 * 60 + 30) / 86400.0);
    TDateTime exact = 0;
    ASSERT_TRUE(FileAge(name, exact));
    EXPECT_DOUBLE_EQ(exact, 45351 + (13 * 3600 + 45 * 60 + 31) / 86400.0);
    EXPECT_EQ(FileAge(temp / u"missing"), -1);
    EXPECT_FALSE(FileAge(temp / u"missing", exact));
}

TEST(Files, FindListsMatchingEntriesWithTheirAttributes) {
    TTempFolder temp;
    WriteFileBytes(temp / u"a.inp", "12345");
    WriteFileBytes(temp / u"b.out", "");
    WriteFileBytes(temp / u"noext", "");
    WriteFileBytes(temp / u".hidden", "");
    ASSERT_TRUE(CreateDir(temp / u"sub"));

    auto list = [&](const String& pattern, Integer attr) {
        std::set<String> names;
        TSearchRec rec;
        for (Integer found = FindFirst(temp.Path() + pattern, attr, rec); found == 0; found = FindNext(rec))
            names.insert(rec.Name);
        FindClose(rec);
        return names;
    };
    EXPECT_EQ(list(u"*.*", 0), (std::set<String>{u"a.inp", u"b.out", u"noext"}));
    EXPECT_EQ(list(u"*.*", faAnyFile),
              (std::set<String>{u".", u"..", u".hidden", u"a.inp", u"b.out", u"noext", u"sub"}));
    EXPECT_EQ(list(u"?.inp", faAnyFile), (std::set<String>{u"a.inp"}));

    TSearchRec rec;
    ASSERT_EQ(FindFirst(temp / u"a.inp", 0, rec), 0);
    EXPECT_EQ(rec.Size, 5);
    EXPECT_EQ(rec.Attr & faDirectory, 0);
    EXPECT_NE(FindNext(rec), 0);
    FindClose(rec);
    ASSERT_EQ(FindFirst(temp / u"sub", faDirectory, rec), 0);
    EXPECT_EQ(rec.Attr, faDirectory);
    FindClose(rec);
    EXPECT_NE(FindFirst(temp / u"*.xyz", faAnyFile, rec), 0);
    EXPECT_NE(FindFirst(temp / u"missing/*.*", faAnyFile, rec), 0);
}

TEST(Folders, StandardFoldersEndInADelimiter) {
    TTempFolder temp;
    setenv("TMPDIR", temp.Native().c_str(), 1);
    EXPECT_EQ(os::TempFolder(), temp.Path());
    const String file = os::CreateTempFile(String(), u"vnd");
    EXPECT_TRUE(file.starts_with(temp.Path() + u"vnd"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_NE(os::CreateTempFile(String(), u"vnd"), file);

    EXPECT_TRUE(os::ProgramFolder().ends_with(u"/"));
    EXPECT_TRUE(FileExists(os::ProgramFolder() + u"platform_os_tests"));

    const String home = temp / u"home/";
    ASSERT_TRUE(ForceDirectories(home + u".config"));
    ASSERT_TRUE(ForceDirectories(home + u"Dokumente"));
    setenv("HOME", Utf8(ExcludeTrailingPathDelimiter(home)).c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(os::DocumentsFolder(), home);
    WriteFileBytes(home + u".config/user-dirs.dirs", "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(os::DocumentsFolder(), home + u"Dokumente/");
}
