#include "rtl/StringList.h"

#include "TrackedObject.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtltesting/ExceptionMessage.h"
#include "rtltesting/StringLines.h"
#include "rtltesting/TestFiles.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using Lines = std::vector<String>;

void Fill(TStrings& List, const Lines& Items) {
    List.Clear();
    for (const String& Item : Items)
        List.Add(Item);
}

std::string Printable(const String& Text) {
    return Utf8(Text);
}

} // namespace

// ------------------------------------------------------------- comma text

TEST(StringListCommaText, SplitsByThePlatformRules) {
    struct Case {
        String Text;
        Lines Expected;
    };
    const Case Cases[] = {
        {u"a,b,c", {u"a", u"b", u"c"}},
        {u"a b", {u"a", u"b"}}, // blanks separate too
        {u"a\tb\x01"
         u"c",
         {u"a", u"b", u"c"}},                     // so do control characters
        {u"  a ,  b  ", {u"a", u"b"}},            // blanks around items and commas drop
        {u"\"a b\",c", {u"a b", u"c"}},           // quotes group
        {u"\"say \"\"hi\"\"\"", {u"say \"hi\""}}, // doubled quotes inside
        {u"a,,b", {u"a", u"", u"b"}},             // empty item between commas
        {u"a,", {u"a", u""}},                     // a trailing comma adds an empty item
        {u",", {u"", u""}},
        {u"a, ,b", {u"a", u"", u"b"}},
        {u"", {}},
        {u"   ", {}},
        {u"\"\"", {u""}},
        {u"\"a\"b", {u"a", u"b"}},        // text after the closing quote is a new item
        {u"a\"b", {u"a\"b"}},             // a quote inside an item is plain text
        {u"\"open, end", {u"open, end"}}, // a missing closing quote takes the rest
        {u"1, \"ABC 12\",x", {u"1", u"ABC 12", u"x"}},
    };
    TStringList List;
    for (const Case& C : Cases) {
        List.SetCommaText(C.Text);
        EXPECT_EQ(LinesOf(List), C.Expected) << Printable(C.Text);
    }
}

TEST(StringListCommaText, QuotesOnlyWhatNeedsIt) {
    struct Case {
        Lines Items;
        String Expected;
    };
    const Case Cases[] = {
        {{u"a", u"b"}, u"a,b"},
        {{u"a b"}, u"\"a b\""},
        {{u"a,b"}, u"\"a,b\""},
        {{u"say \"hi\""}, u"\"say \"\"hi\"\"\""},
        {{u"tab\there"}, u"\"tab\there\""},
        {{u""}, u"\"\""}, // one empty item must read back as one
        {{u"", u"a"}, u",a"},
        {{u"a", u""}, u"a,"},
        {{}, u""},
        {{u"µg/L"}, u"µg/L"},
    };
    TStringList List;
    for (const Case& C : Cases) {
        Fill(List, C.Items);
        EXPECT_EQ(List.CommaText(), C.Expected) << Printable(C.Expected);
        // Whatever is written reads back as the same items.
        TStringList Back;
        Back.SetCommaText(List.CommaText());
        EXPECT_EQ(LinesOf(Back), C.Items) << Printable(C.Expected);
    }
}

TEST(StringListDelimitedText, DelimiterQuoteCharAndStrictDelimiter) {
    struct Case {
        Char Delimiter;
        Char Quote;
        bool Strict;
        String Text;
        Lines Expected;
    };
    const Case Cases[] = {
        {u';', u'"', false, u"a b;c", {u"a", u"b", u"c"}},  {u';', u'"', true, u"a b;c", {u"a b", u"c"}},
        {u';', u'"', true, u" a ; b ", {u" a ", u" b "}},   {u';', u'"', true, u"a;", {u"a", u""}},
        {u';', u'"', true, u";;", {u"", u"", u""}},         {u';', u'"', true, u"\"x;y\";z", {u"x;y", u"z"}},
        {u';', u'\'', true, u"'it''s';b", {u"it's", u"b"}}, {u'|', u'"', false, u"a|b c", {u"a", u"b", u"c"}},
    };
    TStringList List;
    for (const Case& C : Cases) {
        List.SetDelimiter(C.Delimiter);
        List.SetQuoteChar(C.Quote);
        List.SetStrictDelimiter(C.Strict);
        List.SetDelimitedText(C.Text);
        EXPECT_EQ(LinesOf(List), C.Expected) << Printable(C.Text);
    }

    // Written with the same rules: blanks need no quotes when strict.
    List.SetDelimiter(u';');
    List.SetQuoteChar(u'"');
    List.SetStrictDelimiter(true);
    Fill(List, {u"a b", u"c;d", u"e\"f"});
    EXPECT_EQ(List.DelimitedText(), u"a b;\"c;d\";\"e\"\"f\"");
    List.SetStrictDelimiter(false);
    EXPECT_EQ(List.DelimitedText(), u"\"a b\";\"c;d\";\"e\"\"f\"");
    // CommaText keeps its own rules whatever the delimiter settings are.
    EXPECT_EQ(List.CommaText(), u"\"a b\",c;d,\"e\"\"f\"");
}

// ---------------------------------------------------------------- values

TEST(StringListValues, NameValueLines) {
    TStringList List;
    Fill(List, {u"Caption=Atrazine", u"plain line", u"CAS=1912-24-9=x", u"empty="});
    EXPECT_EQ(List.Values(u"caption"), u"Atrazine"); // names ignore case
    EXPECT_EQ(List.Values(u"CAS"), u"1912-24-9=x");  // the first separator splits
    EXPECT_EQ(List.Values(u"plain line"), u"");      // a line without separator has no name
    EXPECT_EQ(List.IndexOfName(u"EMPTY"), 3);
    EXPECT_EQ(List.Names(1), u"");
    EXPECT_EQ(List.ValueFromIndex(1), u"");
    EXPECT_EQ(List.Names(2), u"CAS");

    List.SetValues(u"CAPTION", u"Simazine"); // replaces the line, with the name as given
    List.SetValues(u"New", u"1");            // adds a line
    List.SetValues(u"cas", u"");             // an empty value deletes the line
    List.SetValues(u"absent", u"");          // nothing to delete
    EXPECT_EQ(LinesOf(List), (Lines{u"CAPTION=Simazine", u"plain line", u"empty=", u"New=1"}));

    List.SetValueFromIndex(3, u"2");
    List.SetValueFromIndex(2, u"");
    EXPECT_EQ(LinesOf(List), (Lines{u"CAPTION=Simazine", u"plain line", u"New=2"}));

    List.SetNameValueSeparator(u':');
    List.SetValues(u"Unit", u"µg/L");
    EXPECT_EQ(List.Strings(3), u"Unit:µg/L");
    EXPECT_EQ(List.Values(u"unit"), u"µg/L");
}

TEST(StringListValues, SettingAValueInASortedListKeepsItSorted) {
    TStringList List;
    List.SetSorted(true);
    List.SetValues(u"b", u"2");
    List.SetValues(u"a", u"1");
    EXPECT_EQ(LinesOf(List), (Lines{u"a=1", u"b=2"}));
}

// --------------------------------------------------------------- sorting

TEST(StringListSort, CaseInsensitiveByDefaultAndLinguistic) {
    TStringList List;
    Fill(List, {u"b", u"A", u"Zebra", u"a", u"B", u"apple", u"Émile", u"eagle"});
    List.Sort();
    // Equal in all but case keep their order; accents sort after the plain letter.
    EXPECT_EQ(LinesOf(List), (Lines{u"A", u"a", u"apple", u"b", u"B", u"eagle", u"Émile", u"Zebra"}));
    EXPECT_EQ(List.IndexOf(u"ZEBRA"), 7);

    List.SetCaseSensitive(true);
    List.Sort();
    EXPECT_EQ(LinesOf(List), (Lines{u"a", u"A", u"apple", u"b", u"B", u"eagle", u"Émile", u"Zebra"}));
    EXPECT_EQ(List.IndexOf(u"ZEBRA"), -1);
}

TEST(StringListSort, SortedListInsertsInOrderAndFinds) {
    TStringList List;
    Fill(List, {u"pear", u"Apple", u"fig"});
    List.SetSorted(true);
    EXPECT_EQ(LinesOf(List), (Lines{u"Apple", u"fig", u"pear"}));
    EXPECT_EQ(List.Add(u"banana"), 1);
    Integer Index = -1;
    EXPECT_TRUE(List.Find(u"FIG", Index));
    EXPECT_EQ(Index, 2);
    EXPECT_FALSE(List.Find(u"cherry", Index));
    EXPECT_EQ(Index, 2); // where it would go

    // Switching case sensitivity re-sorts a sorted list.
    List.SetSorted(false);
    Fill(List, {u"B", u"b", u"a"});
    List.SetSorted(true);
    EXPECT_EQ(LinesOf(List), (Lines{u"a", u"B", u"b"}));
    List.SetCaseSensitive(true);
    EXPECT_EQ(LinesOf(List), (Lines{u"a", u"b", u"B"}));

    const String Refused = u"Operation not allowed on sorted list";
    EXPECT_EQ(MessageOf<EStringListError>([&] { List.Insert(0, u"x"); }), Refused);
    EXPECT_EQ(MessageOf<EStringListError>([&] { List.SetStrings(0, u"x"); }), Refused);
    EXPECT_EQ(MessageOf<EStringListError>([&] { List.Move(0, 2); }), Refused);
    EXPECT_EQ(LinesOf(List), (Lines{u"a", u"b", u"B"})); // nothing lost
}

TEST(StringListSort, Duplicates) {
    TStringList List;
    List.SetSorted(true);
    List.Add(u"a");
    List.Add(u"b");

    EXPECT_EQ(List.Add(u"B"), 1); // dupIgnore (default): the equal line's index
    EXPECT_EQ(List.Count(), 2);

    List.SetDuplicates(dupAccept);
    EXPECT_EQ(List.Add(u"B"), 1);
    EXPECT_EQ(LinesOf(List), (Lines{u"a", u"B", u"b"}));

    List.SetDuplicates(dupError);
    EXPECT_EQ(MessageOf<EStringListError>([&] { List.Add(u"A"); }), u"String list does not allow duplicates");
    EXPECT_EQ(List.Count(), 3);

    // Unsorted lists take every line.
    TStringList Plain;
    Plain.SetDuplicates(dupError);
    Plain.Add(u"x");
    Plain.Add(u"x");
    EXPECT_EQ(Plain.Count(), 2);
}

// The moving add keeps the rules of AddObject: a sorted list sorts the line
// in and applies Duplicates; an unsorted list appends with its object.
TEST(StringListSort, AddObjectMovedKeepsTheRulesOfAdd) {
    int Alive = 0;
    TTracked Tag(Alive);
    TStringList Plain;
    Plain.SetCapacity(4);
    Plain.Add(u"z");
    String Long(40, u'x');
    EXPECT_EQ(Plain.AddObjectMoved(std::move(Long), &Tag), 1);
    EXPECT_EQ(LinesOf(Plain), (Lines{u"z", String(40, u'x')}));
    EXPECT_EQ(Plain.Objects(1), &Tag);

    TStringList Sorted;
    Sorted.SetSorted(true);
    Sorted.Add(u"b");
    EXPECT_EQ(Sorted.AddObjectMoved(u"a", nullptr), 0);
    EXPECT_EQ(Sorted.AddObjectMoved(u"B", nullptr), 1); // dupIgnore: the equal line's index
    EXPECT_EQ(LinesOf(Sorted), (Lines{u"a", u"b"}));
    Sorted.SetDuplicates(dupError);
    EXPECT_EQ(MessageOf<EStringListError>([&] { Sorted.AddObjectMoved(u"A", nullptr); }),
              u"String list does not allow duplicates");
}

TEST(StringListSort, CustomSortSeesTheListByIndex) {
    TStringList List;
    Fill(List, {u"ccc", u"a", u"bb", u"dd"});
    List.CustomSort([](TStringList& L, Integer I1, Integer I2) {
        return static_cast<Integer>(L.Strings(I1).size()) - static_cast<Integer>(L.Strings(I2).size());
    });
    EXPECT_EQ(LinesOf(List), (Lines{u"a", u"bb", u"dd", u"ccc"}));
}

// ------------------------------------------------------ lines and objects

TEST(StringList, InsertDeleteExchangeMoveAndIndexErrors) {
    TStringList List;
    Fill(List, {u"a", u"b", u"c"});
    List.Insert(3, u"d");
    List.Exchange(0, 3);
    List.Move(0, 2);
    EXPECT_EQ(LinesOf(List), (Lines{u"b", u"c", u"d", u"a"}));
    List.Move(3, 0);
    List.Delete(1);
    EXPECT_EQ(LinesOf(List), (Lines{u"a", u"c", u"d"}));

    struct Case {
        const char* Name;
        std::function<void()> Action;
        String Message;
    };
    const Case Cases[] = {
        {"get", [&] { List.Strings(3); }, u"List index out of bounds (3)"},
        {"negative", [&] { List.Strings(-1); }, u"List index out of bounds (-1)"},
        {"object", [&] { List.Objects(7); }, u"List index out of bounds (7)"},
        {"put", [&] { List.SetStrings(3, u"x"); }, u"List index out of bounds (3)"},
        {"insert", [&] { List.Insert(4, u"x"); }, u"List index out of bounds (4)"},
        {"delete", [&] { List.Delete(5); }, u"List index out of bounds (5)"},
        {"exchange", [&] { List.Exchange(0, 3); }, u"List index out of bounds (3)"},
        {"move", [&] { List.Move(0, 9); }, u"List index out of bounds (9)"},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(MessageOf<EStringListError>(C.Action), C.Message) << C.Name;
    EXPECT_EQ(LinesOf(List), (Lines{u"a", u"c", u"d"}));
}

TEST(StringList, ObjectsFollowTheirLinesAndAreFreedWhenOwned) {
    int Alive = 0;
    {
        TStringList List(true);
        auto* First = Create<TTracked>(Alive);
        auto* Second = Create<TTracked>(Alive);
        List.AddObject(u"first", First);
        List.AddObject(u"second", Second);
        List.AddObject(u"third", Create<TTracked>(Alive));
        List.Exchange(0, 1);
        EXPECT_EQ(List.Objects(0), Second);
        EXPECT_EQ(List.IndexOfObject(First), 1);
        List.SetSorted(true);
        EXPECT_EQ(List.Objects(0), First);
        List.Delete(0);
        EXPECT_EQ(Alive, 2);
        List.Clear();
        EXPECT_EQ(Alive, 0);
        List.AddObject(u"left at the end", Create<TTracked>(Alive));
    }
    EXPECT_EQ(Alive, 0);

    TTracked Borrowed(Alive);
    {
        TStringList List;
        List.AddObject(u"x", &Borrowed);
        List.Delete(0);
        List.AddObject(u"x", &Borrowed);
    }
    EXPECT_EQ(Alive, 1);
}

TEST(StringList, AssignCopiesLinesObjectsAndSettings) {
    int Alive = 0;
    TTracked Object(Alive);
    TStringList Source;
    Source.SetCaseSensitive(true);
    Source.SetSorted(true);
    Source.SetDelimiter(u';');
    Source.AddObject(u"b", &Object);
    Source.Add(u"a");
    TStringList Target;
    Target.Add(u"old");
    Target.Assign(&Source);
    EXPECT_EQ(LinesOf(Target), (Lines{u"a", u"b"}));
    EXPECT_EQ(Target.Objects(1), &Object);
    EXPECT_TRUE(Target.Sorted());
    EXPECT_TRUE(Target.CaseSensitive());
    EXPECT_EQ(Target.DelimitedText(), u"a;b");

    auto* Other = Create<TPersistent>();
    EXPECT_EQ(MessageOf<EConvertError>([&] { Target.Assign(Other); }),
              u"Cannot assign a TPersistent to a TStringList");
    Free(Other);
}

TEST(StringList, ChangeEventsFireOncePerChangeOrUpdate) {
    TStringList List;
    int Changing = 0, Changed = 0;
    List.OnChanging = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &List);
        ++Changing;
    };
    List.OnChange = [&](TObject*) { ++Changed; };

    List.Add(u"a");
    EXPECT_EQ(std::pair(Changing, Changed), std::pair(1, 1));

    List.BeginUpdate();
    List.Add(u"b");
    List.BeginUpdate();
    List.Delete(0);
    List.EndUpdate();
    List.SetValues(u"x", u"1");
    EXPECT_EQ(std::pair(Changing, Changed), std::pair(2, 1));
    List.EndUpdate();
    EXPECT_EQ(std::pair(Changing, Changed), std::pair(2, 2));

    List.SetText(u"1\r\n2\r\n3");
    List.SetCommaText(u"a,b");
    EXPECT_EQ(std::pair(Changing, Changed), std::pair(4, 4));
}

// -------------------------------------------------------------- text

TEST(StringListText, WritesCrLfAndReadsEveryLineBreak) {
    TStringList List;
    Fill(List, {u"a", u"", u"b"});
    EXPECT_EQ(List.Text(), u"a\r\n\r\nb\r\n");

    struct Case {
        String Text;
        Lines Expected;
    };
    const Case Cases[] = {
        {u"a\r\nb\nc\rd", {u"a", u"b", u"c", u"d"}},
        {u"a\r\n", {u"a"}},
        {u"a\r\n\r\n", {u"a", u""}},
        {u"\n\r", {u"", u""}}, // LF then CR: two breaks
        {u"", {}},
        {u"last without break", {u"last without break"}},
    };
    for (const Case& C : Cases) {
        List.SetText(C.Text);
        EXPECT_EQ(LinesOf(List), C.Expected) << Printable(C.Text);
    }
}

// ------------------------------------------------------------- files

TEST(StringListFiles, EncodingsRoundTripThroughFiles) {
    struct Case {
        const char* Name;
        const TEncoding* Encoding; // null: the default
        std::string Bytes;
    };
    const Case Cases[] = {
        {"ANSI by default", nullptr, "5 \xB5g/L \x80\r\nx\r\n"},
        {"ANSI", &TEncoding::ANSI(), "5 \xB5g/L \x80\r\nx\r\n"},
        {"UTF-8", &TEncoding::UTF8(),
         "\xEF\xBB\xBF"
         "5 \xC2\xB5g/L \xE2\x82\xAC\r\nx\r\n"},
        {"UTF-16 LE", &TEncoding::Unicode(),
         std::string("\xFF\xFE"
                     "5\0 \0\xB5\0g\0/\0L\0 \0\xAC\x20\r\0\n\0x\0\r\0\n\0",
                     28)},
        {"UTF-16 BE", &TEncoding::BigEndianUnicode(),
         std::string("\xFE\xFF"
                     "\0"
                     "5\0 \0\xB5\0g\0/\0L\0 \x20\xAC\0\r\0\n\0x\0\r\0\n",
                     28)},
    };
    TTempFolder Folder;
    for (const Case& C : Cases) {
        TStringList List;
        Fill(List, {u"5 µg/L €", u"x"});
        List.SaveToFile(Folder / u"out.txt", C.Encoding);
        EXPECT_EQ(ReadFileBytes(Folder / u"out.txt"), C.Bytes) << C.Name;

        // Loading detects the mark, and saving again keeps the encoding.
        TStringList Loaded;
        Loaded.LoadFromFile(Folder / u"out.txt");
        EXPECT_EQ(LinesOf(Loaded), (Lines{u"5 µg/L €", u"x"})) << C.Name;
        Loaded.SaveToFile(Folder / u"again.txt");
        EXPECT_EQ(ReadFileBytes(Folder / u"again.txt"), C.Bytes) << C.Name;
    }
}

TEST(StringListFiles, LoadAcceptsEveryLineBreakAndAGivenEncoding) {
    TTempFolder Folder;
    WriteFileBytes(Folder / u"mixed.txt", "a\nb\rc\r\nd");
    TStringList List;
    List.LoadFromFile(Folder / u"mixed.txt");
    EXPECT_EQ(LinesOf(List), (Lines{u"a", u"b", u"c", u"d"}));

    // UTF-8 without a mark is read as UTF-8 only when asked to.
    WriteFileBytes(Folder / u"plain.txt", "\xC2\xB5");
    List.LoadFromFile(Folder / u"plain.txt");
    EXPECT_EQ(List.Strings(0), u"Âµ");
    List.LoadFromFile(Folder / u"plain.txt", &TEncoding::UTF8());
    EXPECT_EQ(List.Strings(0), u"µ");

    // A stream loads from its position on.
    TBytesStream Stream(TBytes{'s', 'k', 'i', 'p', '\n', 'k', 'e', 'p', 't'});
    Stream.SetPosition(5);
    List.LoadFromStream(Stream);
    EXPECT_EQ(LinesOf(List), (Lines{u"kept"}));
}

TEST(StringListFiles, FileErrorsNameTheFile) {
    TTempFolder Folder;
    TStringList List;
    List.Add(u"keep me");
    const String Missing = Folder / u"missing.txt";
    EXPECT_EQ(MessageOf<EFOpenError>([&] { List.LoadFromFile(Missing); }),
              u"Cannot open file \"" + Missing + u"\". No such file or directory");
    EXPECT_EQ(LinesOf(List), (Lines{u"keep me"}));
    const String Unwritable = Folder / u"no/folder.txt";
    EXPECT_EQ(MessageOf<EFCreateError>([&] { List.SaveToFile(Unwritable); }),
              u"Cannot create file \"" + Unwritable + u"\". No such file or directory");
}
