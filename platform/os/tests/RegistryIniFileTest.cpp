#include "os/RegistryIniFile.h"

#include "RegistryTestSupport.h"
#include "rtl/StringList.h"

using RegistryIniFile = RegistryFixture;

TEST_F(RegistryIniFile, SectionsAreSubkeysAndIntegersStayIntegers) {
    TRegistryIniFile Ini(u"Software\\Brennhoven\\Grid");
    Ini.WriteInteger(u"Columns", u"Col0", 64);
    Ini.WriteBool(u"Columns", u"Visible", true);
    Ini.WriteString(u"Columns", u"Title", u"Crop µ");

    TRegistry Registry;
    ASSERT_TRUE(Registry.OpenKeyReadOnly(u"Software\\Brennhoven\\Grid\\Columns"));
    EXPECT_EQ(Registry.GetDataType(u"Col0"), rdInteger);
    EXPECT_EQ(Registry.GetDataType(u"Visible"), rdInteger);
    EXPECT_EQ(Registry.GetDataType(u"Title"), rdString);

    EXPECT_EQ(Ini.ReadInteger(u"columns", u"col0", -1), 64);
    EXPECT_EQ(Ini.ReadString(u"Columns", u"Col0", u""), u"64");
    EXPECT_TRUE(Ini.ReadBool(u"Columns", u"Visible", false));
    EXPECT_EQ(Ini.ReadString(u"Columns", u"Title", u""), u"Crop µ");
    EXPECT_EQ(Ini.ReadInteger(u"Columns", u"Title", 7), 7);
    EXPECT_EQ(Ini.ReadInteger(u"Missing", u"Col0", 9), 9);
    EXPECT_TRUE(Ini.ValueExists(u"Columns", u"TITLE"));
    EXPECT_TRUE(Ini.SectionExists(u"Columns"));
    EXPECT_FALSE(Ini.SectionExists(u"Missing"));
}

TEST_F(RegistryIniFile, ListsErasesAndDeletes) {
    TRegistryIniFile Ini(u"Software\\Brennhoven\\Grid");
    Ini.WriteInteger(u"A", u"Pos0", 2);
    Ini.WriteString(u"A", u"Name", u"x");
    Ini.WriteInteger(u"B", u"Pos0", 1);

    TStringList List;
    Ini.ReadSections(List);
    EXPECT_EQ(List.CommaText(), u"A,B");
    Ini.ReadSectionValues(u"A", List);
    EXPECT_EQ(List.CommaText(), u"Pos0=2,Name=x");

    Ini.DeleteKey(u"A", u"Name");
    Ini.ReadSection(u"A", List);
    EXPECT_EQ(List.CommaText(), u"Pos0");
    Ini.DeleteKey(u"Missing", u"Name");  // nothing to delete, no key created

    Ini.EraseSection(u"A");
    Ini.ReadSections(List);
    EXPECT_EQ(List.CommaText(), u"B");
    Ini.ReadSection(u"A", List);
    EXPECT_EQ(List.Count(), 0);
}
