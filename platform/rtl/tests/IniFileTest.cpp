#include "rtl/IniFile.h"

#include "rtl/DateTime.h"
#include "rtl/Exception.h"
#include "rtltesting/StringLines.h"
#include "rtltesting/TestFiles.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const std::string kSample = "; settings of the filter\r\n"
                            "\r\n"
                            "[FILTER]\r\n"
                            "COUNT = 2\r\n"
                            "; two items\r\n"
                            "Name=  first value  \r\n"
                            "\r\n"
                            "\r\n"
                            "[Item0]\r\n"
                            "Condition=*a b*\r\n"
                            "plain line\r\n";

} // namespace

TEST(MemIniFile, ReadsSectionsAndKeysInFileOrderIgnoringCase) {
    TTempFolder Folder;
    WriteFileBytes(Folder / u"s.ini", kSample);
    TMemIniFile Ini(Folder / u"s.ini");
    EXPECT_EQ(Ini.ReadString(u"filter", u"name", u"?"), u"first value");
    EXPECT_EQ(Ini.ReadInteger(u"Filter", u"count", -1), 2);
    EXPECT_EQ(Ini.ReadString(u"ITEM0", u"condition", u""), u"*a b*");
    EXPECT_EQ(Ini.ReadString(u"Item0", u"plain line", u"none"), u"none");

    TStringList List;
    Ini.ReadSections(List);
    EXPECT_EQ(LinesOf(List), (std::vector<String>{u"FILTER", u"Item0"}));
    Ini.ReadSection(u"filter", List);
    EXPECT_EQ(LinesOf(List), (std::vector<String>{u"COUNT", u"Name"}));
    Ini.ReadSectionValues(u"filter", List);
    EXPECT_EQ(LinesOf(List), (std::vector<String>{u"COUNT=2", u"Name=first value"}));
    EXPECT_TRUE(Ini.SectionExists(u"item0"));
    EXPECT_FALSE(Ini.SectionExists(u"Item1"));
    EXPECT_TRUE(Ini.ValueExists(u"Item0", u"CONDITION"));
    EXPECT_FALSE(Ini.ValueExists(u"Item0", u"plain line"));
}

TEST(MemIniFile, UpdateFileKeepsOrderAndCommentsAndWritesChangesOnly) {
    TTempFolder Folder;
    WriteFileBytes(Folder / u"s.ini", kSample);
    TMemIniFile Ini(Folder / u"s.ini");
    Ini.WriteInteger(u"filter", u"COUNT", 3); // the key keeps its place and spelling
    Ini.WriteString(u"Item0", u"Column", u"4");
    Ini.WriteBool(u"Item1", u"CASE", true);
    Ini.WriteBool(u"Item1", u"ENABLED", false);
    Ini.WriteFloat(u"Item1", u"Width", 0.25);
    EXPECT_EQ(ReadFileBytes(Folder / u"s.ini"), kSample); // nothing written before UpdateFile
    Ini.UpdateFile();
    EXPECT_EQ(ReadFileBytes(Folder / u"s.ini"), "; settings of the filter\r\n"
                                                "\r\n"
                                                "[FILTER]\r\n"
                                                "COUNT=3\r\n"
                                                "; two items\r\n"
                                                "Name=first value\r\n"
                                                "\r\n"
                                                "[Item0]\r\n"
                                                "Condition=*a b*\r\n"
                                                "plain line\r\n"
                                                "Column=4\r\n"
                                                "\r\n"
                                                "[Item1]\r\n"
                                                "CASE=1\r\n"
                                                "ENABLED=0\r\n"
                                                "Width=0.25\r\n"
                                                "\r\n");
    Ini.DeleteKey(u"ITEM1", u"case");
    Ini.EraseSection(u"filter");
    Ini.UpdateFile();
    TMemIniFile Again(Folder / u"s.ini");
    TStringList List;
    Again.GetStrings(List);
    EXPECT_EQ(LinesOf(List), (std::vector<String>{u"; settings of the filter", u"", u"[Item0]",
                                                  u"Condition=*a b*", u"plain line", u"Column=4", u"",
                                                  u"[Item1]", u"ENABLED=0", u"Width=0.25", u""}));
}

TEST(MemIniFile, MissingFileReadsAsEmptyAndIsCreatedByUpdateFile) {
    TTempFolder Folder;
    TMemIniFile Ini(Folder / u"new.ini");
    EXPECT_EQ(Ini.ReadInteger(u"FILTER", u"COUNT", -1), -1);
    EXPECT_EQ(Folder.FileCount(), 0u);
    Ini.UpdateFile(); // as loading print settings does: an empty file appears
    EXPECT_EQ(ReadFileBytes(Folder / u"new.ini"), "");
    Ini.WriteString(u"S", u"Unit", u"µg/L");
    Ini.UpdateFile();
    EXPECT_EQ(ReadFileBytes(Folder / u"new.ini"), "[S]\r\nUnit=\xB5g/L\r\n\r\n"); // ANSI for a new file
}

TEST(MemIniFile, KeepsTheEncodingOfTheFile) {
    TTempFolder Folder;
    WriteFileBytes(Folder / u"u.ini", "\xEF\xBB\xBF[S]\r\nUnit=\xC2\xB5g/L\r\n");
    TMemIniFile Ini(Folder / u"u.ini");
    EXPECT_EQ(Ini.ReadString(u"S", u"Unit", u""), u"µg/L");
    Ini.WriteString(u"S", u"Sign", u"€");
    Ini.UpdateFile();
    EXPECT_EQ(ReadFileBytes(Folder / u"u.ini"),
              "\xEF\xBB\xBF[S]\r\nUnit=\xC2\xB5g/L\r\nSign=\xE2\x82\xAC\r\n\r\n");
}

TEST(IniFile, TypedReadsFallBackToTheDefault) {
    struct Case {
        const char16_t* Text;
        Integer Integer_;
        bool Bool;
        Double Float;
    };
    const Case Cases[] = {
        {u"12", 12, true, 12},  {u"0", 0, false, 0},     {u"-3", -3, true, -3},
        {u"$1F", 31, true, -1}, {u"0x1F", 31, true, -1}, {u"1.5", -1, true, 1.5},
        {u"abc", -1, true, -1}, {u"Y", -1, true, -1},    {u"", -1, true, -1},
    };
    TTempFolder Folder;
    TIniFile Ini(Folder / u"t.ini");
    for (const Case& C : Cases) {
        Ini.WriteString(u"S", u"K", C.Text);
        EXPECT_EQ(Ini.ReadInteger(u"S", u"K", -1), C.Integer_) << Utf8(C.Text);
        EXPECT_EQ(Ini.ReadBool(u"S", u"K", true), C.Bool) << Utf8(C.Text);
        EXPECT_EQ(Ini.ReadFloat(u"S", u"K", -1), C.Float) << Utf8(C.Text);
    }
    EXPECT_EQ(Ini.ReadInteger(u"S", u"missing", 7), 7);

    // Date-time texts in the program's format settings.
    Ini.WriteString(u"S", u"When", DateTimeToStr(EncodeDate(2009, 5, 12) + EncodeTime(13, 45, 0, 0)));
    EXPECT_EQ(Ini.ReadDateTime(u"S", u"When", 0), EncodeDate(2009, 5, 12) + EncodeTime(13, 45, 0, 0));
    Ini.WriteString(u"S", u"When", u"not a date");
    EXPECT_EQ(Ini.ReadDateTime(u"S", u"When", 1.5), 1.5);
    EXPECT_FALSE(Ini.ReadBool(u"missing", u"K", false));
}

TEST(IniFile, WritesAtOnceAndReadsWhatOthersWrote) {
    TTempFolder Folder;
    const String Name = Folder / u"live.ini";
    TIniFile First(Name);
    TIniFile Second(Name);
    First.WriteInteger(u"FILTER", u"COUNT", 1);
    EXPECT_EQ(ReadFileBytes(Folder / u"live.ini"), "[FILTER]\r\nCOUNT=1\r\n\r\n");
    EXPECT_EQ(Second.ReadInteger(u"filter", u"count", -1), 1);
    Second.WriteString(u"ITEM0", u"CONDITION", u"x");
    EXPECT_TRUE(First.SectionExists(u"item0"));
    First.EraseSection(u"ITEM0");
    EXPECT_EQ(ReadFileBytes(Folder / u"live.ini"), "[FILTER]\r\nCOUNT=1\r\n\r\n");

    // Deleting from a file that does not exist creates nothing.
    TIniFile Absent(Folder / u"absent.ini");
    Absent.EraseSection(u"S");
    Absent.DeleteKey(u"S", u"K");
    EXPECT_EQ(Folder.FileCount(), 1u);
}

TEST(IniFile, RefusesWhatWouldBreakTheFileLines) {
    TTempFolder Folder;
    TIniFile Ini(Folder / u"x.ini");
    Ini.WriteString(u"S", u"K", u"kept");
    auto MessageOf = [&](const String& Section, const String& Ident, const String& Value) -> String {
        try {
            Ini.WriteString(Section, Ident, Value);
        } catch (const EArgumentException& Error) {
            return Error.Message();
        }
        return u"<no exception>";
    };
    EXPECT_EQ(MessageOf(u"S", u"K", u"a\r\n[Other]"), u"INI value of key \"K\" holds a line break");
    EXPECT_EQ(MessageOf(u"S", u"a=b", u"1"), u"Invalid INI key name \"a=b\"");
    EXPECT_EQ(MessageOf(u"a]b", u"K", u"1"), u"Invalid INI section name \"a]b\"");
    EXPECT_EQ(ReadFileBytes(Folder / u"x.ini"), "[S]\r\nK=kept\r\n\r\n");
}

TEST(IniFile, FailedWriteLeavesTheOldFileWholeAndNoTemporaryFile) {
    TTempFolder Folder;
    WriteFileBytes(Folder / u"keep.ini", "[S]\r\nK=old\r\n");
    ::chmod(Folder.Native(u"keep.ini").c_str(), 0640);
    const String Name = Folder / u"keep.ini";
    TIniFile Ini(Name);

    // Files larger than 64 bytes cannot be written while the limit holds.
    struct rlimit Saved {};
    ::getrlimit(RLIMIT_FSIZE, &Saved);
    const auto OldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit Small = Saved;
    Small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &Small);
    String Message;
    try {
        Ini.WriteString(u"S", u"K", String(100, u'x'));
    } catch (const EFCreateError& Error) {
        Message = Error.Message();
    }
    ::setrlimit(RLIMIT_FSIZE, &Saved);
    std::signal(SIGXFSZ, OldHandler);

    EXPECT_EQ(Message, u"Cannot create file \"" + Name + u"\". File too large");
    EXPECT_EQ(ReadFileBytes(Folder / u"keep.ini"), "[S]\r\nK=old\r\n");
    EXPECT_EQ(Folder.FileCount(), 1u);

    // A successful write keeps the file's permissions.
    Ini.WriteString(u"S", u"K", u"new");
    struct stat Info {};
    ::stat(Folder.Native(u"keep.ini").c_str(), &Info);
    EXPECT_EQ(Info.st_mode & 0777, 0640u);

    const String NoFolder = Folder / u"no/such.ini";
    TMemIniFile Orphan(NoFolder);
    try {
        Orphan.UpdateFile();
        ADD_FAILURE() << "no exception";
    } catch (const EFCreateError& Error) {
        EXPECT_EQ(Error.Message(), u"Cannot create file \"" + NoFolder + u"\". No such file or directory");
    }
}
