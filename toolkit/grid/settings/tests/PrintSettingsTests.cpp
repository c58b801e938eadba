#include "grid/PrintSettings.h"
#include "rtl/Exception.h"
#include "rtl/IniFile.h"
#include "rtltesting/TestFiles.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const String Section = u"Print";

// Every published ordinal, string and font of the settings, as one text per
// property, so two settings compare in one expectation.
std::vector<std::string> Snapshot(const TPrintSettings& Settings) {
    std::vector<std::string> Lines;
    for (const TPropInfo* Prop : GetPropList(&Settings)) {
        std::string Line = Utf8(Prop->Name) + "=";
        if (Prop->Kind() == tkUString)
            Line += Utf8(GetStrProp(&Settings, *Prop));
        else if (Prop->Kind() != tkClass)
            Line += std::to_string(GetOrdProp(&Settings, *Prop));
        Lines.push_back(Line);
    }
    for (const TFont* Font :
         {Settings.Font(), Settings.FixedFont(), Settings.HeaderFont(), Settings.FooterFont()})
        Lines.push_back(Utf8(Font->Name()) + " " + std::to_string(Font->Size()) + " " +
                        std::to_string(Font->Style().Mask()) + " " + std::to_string(Font->Color()));
    Lines.push_back("TitleLines=" + Utf8(Settings.TitleLines()->Text()));
    return Lines;
}

// Settings with every persisted property away from its default.
void ChangeEverything(TPrintSettings& Settings) {
    Settings.SetFooterSize(11);
    Settings.SetHeaderSize(12);
    Settings.SetTime(ppTopLeft);
    Settings.SetDate(ppBottomCenter);
    Settings.SetDateFormat(u"yyyy-mm-dd");
    Settings.SetPageNr(ppBottomRight);
    Settings.SetTitle(ppTopCenter);
    Settings.SetTitleText(u"Übersicht");
    Settings.TitleLines()->SetText(u"A\r\nB");
    const struct {
        TFont* Font;
        const char16_t* Name;
    } Fonts[] = {{Settings.Font(), u"Courier New"},
                 {Settings.FixedFont(), u"Times New Roman"},
                 {Settings.HeaderFont(), u"Segoe UI"},
                 {Settings.FooterFont(), u"Tahoma"}};
    Integer Size = 7;
    for (const auto& Entry : Fonts) {
        Entry.Font->SetName(Entry.Name);
        Entry.Font->SetSize(Size++);
        Entry.Font->SetStyle(TFontStyles{fsBold, fsUnderline});
        Entry.Font->SetColor(0x102030 + Size);
    }
    Settings.SetBorders(pbAroundVertical);
    Settings.SetBorderStyle(psDashDot);
    Settings.SetBorderColor(0x00FF00);
    Settings.SetCentered(false);
    Settings.SetRepeatFixedRows(true);
    Settings.SetRepeatFixedCols(true);
    Settings.SetLeftSize(-5);
    Settings.SetRightSize(31);
    Settings.SetColumnSpacing(32);
    Settings.SetRowSpacing(33);
    Settings.SetTitleSpacing(34);
    Settings.SetOrientation(poLandscape);
    Settings.SetPagePrefix(u"Page");
    Settings.SetPageSuffix(u"end");
    Settings.SetFixedWidth(35);
    Settings.SetFixedHeight(36);
    Settings.SetUseFixedHeight(true);
    Settings.SetUseFixedWidth(true);
    Settings.SetFitToPage(fpShrink);
    Settings.SetPageNumSep(u"of");
    Settings.SetNoAutoSize(true);
    Settings.SetNoAutoSizeRow(true);
    Settings.SetPrintGraphics(true);
    Settings.SetUseDisplayFont(false);
    Settings.SetUseDefaultOrientation(true);
}

TEST(PrintSettings, NewSettingsHoldTheirConstructionValues) {
    TPrintSettings Settings;
    const struct {
        const char16_t* Name;
        Int64 Value;
    } Ordinals[] = {
        {u"FooterSize", 0},       {u"HeaderSize", 0},        {u"Time", ppNone},
        {u"Date", ppNone},        {u"PageNr", ppNone},       {u"Title", ppNone},
        {u"Borders", pbSingle},   {u"BorderStyle", psSolid}, {u"BorderColor", 0},
        {u"Centered", 1},         {u"RepeatFixedRows", 0},   {u"RepeatFixedCols", 0},
        {u"LeftSize", 0},         {u"RightSize", 0},         {u"ColumnSpacing", 0},
        {u"RowSpacing", 0},       {u"TitleSpacing", 0},      {u"Orientation", poPortrait},
        {u"PageNumberOffset", 0}, {u"MaxPagesOffset", 0},    {u"FixedWidth", 0},
        {u"FixedHeight", 0},      {u"UseFixedHeight", 0},    {u"UseFixedWidth", 0},
        {u"FitToPage", fpNever},  {u"NoAutoSize", 0},        {u"NoAutoSizeRow", 0},
        {u"PrintGraphics", 0},    {u"UseDisplayFont", 1},    {u"UseDefaultOrientation", 0},
    };
    for (const auto& Row : Ordinals)
        EXPECT_EQ(GetOrdProp(&Settings, Row.Name), Row.Value) << Utf8(Row.Name);
    EXPECT_EQ(Settings.DateFormat(), u"dd/mm/yyyy");
    EXPECT_EQ(Settings.PageNumSep(), u"/");
    EXPECT_EQ(Settings.TitleText(), u"");
    EXPECT_EQ(Settings.TitleLines()->Count(), 0);
    EXPECT_FALSE(Settings.FixedCellsAlways());
    EXPECT_TRUE(Settings.PrintComments());
    EXPECT_TRUE(Settings.ScaleHeader());
    EXPECT_TRUE(Settings.ScaleFooter());
    EXPECT_NE(Settings.Font(), Settings.FixedFont());
}

TEST(PrintSettings, AssignCopiesAllButThreePublicSwitches) {
    TPrintSettings Source, Target;
    ChangeEverything(Source);
    Source.SetJobName(u"Job");
    Source.SetPageNumberOffset(3);
    Source.SetMaxPagesOffset(4);
    Source.SetFixedCellsAlways(true);
    Source.SetPrintComments(false);
    Source.SetScaleHeader(false);
    Source.SetScaleFooter(false);
    Target.Assign(&Source);
    EXPECT_EQ(Snapshot(Target), Snapshot(Source));
    EXPECT_FALSE(Target.PrintComments());
    EXPECT_FALSE(Target.FixedCellsAlways());
    EXPECT_TRUE(Target.ScaleHeader());
    EXPECT_TRUE(Target.ScaleFooter());
    EXPECT_NE(Target.Font(), Source.Font());
}

TEST(PrintSettings, AssignFromAnotherClassRaisesTheInvalidCastError) {
    TPrintSettings Settings;
    TFont Font;
    for (const TPersistent* Source :
         {static_cast<const TPersistent*>(&Font), static_cast<const TPersistent*>(nullptr)}) {
        try {
            Settings.Assign(Source);
            ADD_FAILURE() << "no error";
        } catch (const EInvalidCast& Error) {
            EXPECT_EQ(Error.Message(), u"Invalid class typecast");
        }
    }
}

TEST(PrintSettings, FontSettersCopyAndIgnoreNull) {
    TPrintSettings Settings;
    TFont Font;
    Font.SetName(u"Courier New");
    Settings.SetHeaderFont(&Font);
    Settings.SetHeaderFont(nullptr);
    EXPECT_EQ(Settings.HeaderFont()->Name(), u"Courier New");
    EXPECT_NE(Settings.HeaderFont(), &Font);
}

TEST(PrintSettingsIni, SaveThenLoadIntoFreshSettingsRestoresEveryPersistedProperty) {
    TTempFolder Folder;
    TPrintSettings Saved, Loaded;
    ChangeEverything(Saved);
    Saved.SaveToIni(Folder / u"print.ini", Section);
    Loaded.LoadFromIni(Folder / u"print.ini", Section);
    EXPECT_EQ(Snapshot(Loaded), Snapshot(Saved));
}

TEST(PrintSettingsIni, LoadingSetsTheFontStyleToExactlyTheStoredBits) {
    TTempFolder Folder;
    TPrintSettings Plain, Bold;
    Plain.SaveToIni(Folder / u"plain.ini", Section);
    Bold.Font()->SetStyle(TFontStyles{fsBold});
    Bold.LoadFromIni(Folder / u"plain.ini", Section);
    EXPECT_TRUE(Bold.Font()->Style().Empty());
}

TEST(PrintSettingsIni, AnEmptyOrMissingFileGivesTheKeysDefaultsAndIsNotCreated) {
    TTempFolder Folder;
    WriteFileBytes(Folder / u"empty.ini", "");
    for (const String Name : {u"empty.ini", u"missing.ini"}) {
        TPrintSettings Settings;
        ChangeEverything(Settings);
        Settings.LoadFromIni(Folder / Name, Section);
        EXPECT_EQ(Settings.LeftSize(), 100);
        EXPECT_EQ(Settings.RightSize(), 100);
        EXPECT_EQ(Settings.HeaderSize(), 100);
        EXPECT_EQ(Settings.FooterSize(), 100);
        EXPECT_EQ(Settings.ColumnSpacing(), 20);
        EXPECT_EQ(Settings.RowSpacing(), 20);
        EXPECT_EQ(Settings.TitleSpacing(), 20);
        for (const TFont* Font :
             {Settings.Font(), Settings.FixedFont(), Settings.HeaderFont(), Settings.FooterFont()}) {
            EXPECT_EQ(Font->Name(), u"Arial");
            EXPECT_EQ(Font->Size(), 10);
            EXPECT_EQ(Font->Color(), clBlack);
            EXPECT_TRUE(Font->Style().Empty());
        }
        EXPECT_TRUE(Settings.Centered());
        EXPECT_FALSE(Settings.UseDisplayFont());
        EXPECT_FALSE(Settings.RepeatFixedRows());
        EXPECT_EQ(Settings.DateFormat(), u"");
        EXPECT_EQ(Settings.PageNumSep(), u"");
        EXPECT_EQ(Settings.Borders(), pbNoborder);
        EXPECT_EQ(Settings.BorderStyle(), psSolid);
        EXPECT_EQ(Settings.FitToPage(), fpNever);
        EXPECT_EQ(Settings.Orientation(), poPortrait);
        for (TPrintPosition Position :
             {Settings.Date(), Settings.Time(), Settings.PageNr(), Settings.Title()})
            EXPECT_EQ(Position, ppNone);
        EXPECT_EQ(Settings.TitleLines()->Count(), 0);
    }
    EXPECT_EQ(Folder.FileCount(), 1u) << "loading created no file";
}

TEST(PrintSettingsIni, OutOfRangeValuesKeepTheCurrentValueOrGiveNone) {
    const struct {
        const char* Line;
        std::function<Int64(const TPrintSettings&)> Read;
        Int64 Expected;
    } Cases[] = {
        {"Borders=12", [](const TPrintSettings& S) { return S.Borders(); }, pbAroundVertical},
        {"Borders=3", [](const TPrintSettings& S) { return S.Borders(); }, pbVertical},
        {"BorderStyle=7", [](const TPrintSettings& S) { return S.BorderStyle(); }, psDashDot},
        {"BorderStyle=6", [](const TPrintSettings& S) { return S.BorderStyle(); }, psInsideFrame},
        {"FitToPage=9", [](const TPrintSettings& S) { return S.FitToPage(); }, fpShrink},
        {"FitToPage=-1", [](const TPrintSettings& S) { return S.FitToPage(); }, fpShrink},
        {"Orientation=2", [](const TPrintSettings& S) { return S.Orientation(); }, poLandscape},
        {"Orientation=0", [](const TPrintSettings& S) { return S.Orientation(); }, poPortrait},
        {"Date=9", [](const TPrintSettings& S) { return S.Date(); }, ppNone},
        {"Date=6", [](const TPrintSettings& S) { return S.Date(); }, ppBottomCenter},
        {"Time=0", [](const TPrintSettings& S) { return S.Time(); }, ppNone},
        {"PageNr=x", [](const TPrintSettings& S) { return S.PageNr(); }, ppNone},
        {"Centered=y", [](const TPrintSettings& S) { return S.Centered(); }, 0},
        {"Centered=Y", [](const TPrintSettings& S) { return S.Centered(); }, 1},
        {"ColumnSpacing=abc", [](const TPrintSettings& S) { return S.ColumnSpacing(); }, 20},
        {"LeftSize=-40", [](const TPrintSettings& S) { return S.LeftSize(); }, -40},
    };
    TTempFolder Folder;
    for (const auto& Case : Cases) {
        WriteFileBytes(Folder / u"case.ini", "[Print]\r\n" + std::string(Case.Line) + "\r\n");
        TPrintSettings Settings;
        ChangeEverything(Settings);
        Settings.LoadFromIni(Folder / u"case.ini", Section);
        EXPECT_EQ(Case.Read(Settings), Case.Expected) << Case.Line;
    }
}

TEST(PrintSettingsIni, TitleLinesAreStoredOnOneLineWithEscapedBreaks) {
    TTempFolder Folder;
    TPrintSettings Saved, Loaded;
    Saved.TitleLines()->Add(u"A");
    Saved.TitleLines()->Add(u"B");
    Saved.SaveToIni(Folder / u"t.ini", Section);
    TMemIniFile Ini(Folder / u"t.ini");
    EXPECT_EQ(Ini.ReadString(Section, u"TitleLines", u"?"), u"A\\nB\\n");
    Loaded.LoadFromIni(Folder / u"t.ini", Section);
    ASSERT_EQ(Loaded.TitleLines()->Count(), 2);
    EXPECT_EQ(Loaded.TitleLines()->Strings(0), u"A");
    EXPECT_EQ(Loaded.TitleLines()->Strings(1), u"B");
}

TEST(PrintSettingsIni, SavingKeepsOtherSectionsAndWritesUtf8WithoutByteOrderMark) {
    TTempFolder Folder;
    // An old file in UTF-8 with a byte-order mark and a section of its own.
    WriteFileBytes(Folder / u"p.ini", "\xEF\xBB\xBF[Other]\r\nKeep=\xC3\xA9t\xC3\xA9\r\n");
    TPrintSettings Settings;
    Settings.SetTitleText(u"Übersicht");
    Settings.SaveToIni(Folder / u"p.ini", Section);
    const std::string Bytes = ReadFileBytes(Folder / u"p.ini");
    EXPECT_EQ(Bytes.substr(0, 7), "[Other]");
    EXPECT_NE(Bytes.find("Keep=\xC3\xA9t\xC3\xA9\r\n"), std::string::npos);
    EXPECT_NE(Bytes.find("TitleText=\xC3\x9C"
                         "bersicht\r\n"),
              std::string::npos);
}

TEST(PrintSettingsIni, AFileThatIsNotUtf8IsReadAsWindows1252) {
    TTempFolder Folder;
    WriteFileBytes(Folder / u"old.ini", "[Print]\r\nTitleText=\xDC"
                                        "bersicht \x80\r\n");
    TPrintSettings Settings;
    Settings.LoadFromIni(Folder / u"old.ini", Section);
    EXPECT_EQ(Settings.TitleText(), u"Übersicht €");
}

TEST(PrintSettingsIni, LoadingLeavesTheFileUntouchedAndReadsAReadOnlyFile) {
    TTempFolder Folder;
    TPrintSettings Saved;
    ChangeEverything(Saved);
    Saved.SaveToIni(Folder / u"ro.ini", Section);
    const std::string Before = ReadFileBytes(Folder / u"ro.ini");
    ASSERT_EQ(::chmod(Folder.Native(u"ro.ini").c_str(), 0444), 0);
    TPrintSettings Loaded;
    Loaded.LoadFromIni(Folder / u"ro.ini", Section);
    EXPECT_EQ(Loaded.RowSpacing(), 33);
    EXPECT_EQ(ReadFileBytes(Folder / u"ro.ini"), Before);
}

TEST(PrintSettingsIni, AFolderInPlaceOfTheFileRaisesTheFileError) {
    TTempFolder Folder;
    TPrintSettings Settings;
    EXPECT_THROW(Settings.LoadFromIni(Folder.Path(), Section), Exception);
    EXPECT_THROW(Settings.SaveToIni(Folder.Path(), Section), Exception);
}

// The file must read the same in another INI reader: Python's configparser
// (Debian python3) lists the section's keys and values.
TEST(PrintSettingsIni, PythonsConfigParserReadsTheSameKeysAndValues) {
    const char* Python = "/usr/bin/python3";
    if (::access(Python, X_OK) != 0) {
        if (std::getenv("CI")) FAIL() << "python3 is missing";
        GTEST_SKIP() << "python3 is missing";
    }
    TTempFolder Folder;
    TPrintSettings Settings;
    ChangeEverything(Settings);
    Settings.SaveToIni(Folder / u"py.ini", Section);

    const std::string Script =
        "import configparser,sys\n"
        "p=configparser.RawConfigParser()\n"
        "p.optionxform=str\n"
        "p.read(sys.argv[1],encoding='utf-8')\n"
        "sys.stdout.buffer.write(''.join(k+'='+v+'\\n' for k,v in p.items('Print')).encode('utf-8'))\n";
    WriteFileBytes(Folder / u"read.py", Script);
    const std::string Command =
        std::string(Python) + " " + Folder.Native(u"read.py") + " " + Folder.Native(u"py.ini");
    FILE* Pipe = ::popen(Command.c_str(), "r");
    ASSERT_NE(Pipe, nullptr);
    std::string Output;
    char Buffer[4096];
    while (size_t Read = std::fread(Buffer, 1, sizeof Buffer, Pipe))
        Output.append(Buffer, Read);
    ASSERT_EQ(::pclose(Pipe), 0) << Output;

    TMemIniFile Ini(Folder / u"py.ini", &TEncoding::UTF8());
    TStringList Ours;
    Ini.ReadSectionValues(Section, Ours);
    std::string Expected;
    for (Integer I = 0; I < Ours.Count(); ++I)
        Expected += Utf8(Ours.Strings(I)) + "\n";
    EXPECT_EQ(Output, Expected);
    EXPECT_EQ(Ours.Count(), 50);
}

} // namespace
