// The entry points of the real libvorn.so, called as the bridge calls them.

#include "VORNTestSupport.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::testing;

namespace {

class EntryPointsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(EntryPoint<TCreate>("Create")(",")) << LastError(); }
    void TearDown() override { EntryPoint<TDestroy>("Destroy")(); }

    static std::string Text(const char* entryPoint) { return OutputText(EntryPoint<TGetText>(entryPoint)); }
    static std::string TextBy(const char* entryPoint, const char* key) {
        const auto call = EntryPoint<TGetTextByText>(entryPoint);
        return OutputText([&](char** text, std::int32_t* size) { return call(key, text, size); });
    }
    static std::string InfoList(const char* guid, bool onlyRequired) {
        const auto call = EntryPoint<TGetSubstanceInfoListByGUID>("GetSubstanceInfoListByGUID");
        return OutputText(
            [&](char** text, std::int32_t* size) { return call(guid, onlyRequired, text, size); });
    }
    std::int32_t Import(const std::string& lines, bool ensure) {
        const std::string file = FStore.File("import.csv");
        std::ofstream(file, std::ios::binary) << lines;
        return EntryPoint<TImportSubstances>("ImportSubstances")(file.c_str(), ";", ",", "\"", false, ensure);
    }

    TExampleStore FStore;
};

TEST(EntryPoints, TheLibraryExportsEveryEntryPointTheBridgeBinds) {
    for (const char* name : {"Create",
                             "Destroy",
                             "OpenUI",
                             "SetModelVersions",
                             "SetCompartments",
                             "GetSubstancesGUIDList",
                             "GetSubstanceInfoListByGUID",
                             "GetSubstanceCodeByGUID",
                             "GetGUIDBySubstanceCode",
                             "EnsureUniqueSubstCode",
                             "GetSubstanceChecksumByGUID",
                             "GetMetabolitesGUIDList",
                             "GetMetaboliteInfoListByGUID",
                             "GetMetabolitesList",
                             "Version",
                             "GetLastError",
                             "IncompleteAttributeName",
                             "IncompleteMetabsAttributeName",
                             "ChecksumName",
                             "VanTHoffTempConversion",
                             "ShowSubstanceErrorMessages",
                             "ImportSubstances",
                             "ImportMetabolites",
                             "BooleanToStr",
                             "StrToBoolean",
                             "BoolTrue",
                             "BoolFalse"})
        EXPECT_NE(dlsym(Library(), name), nullptr) << name;
    // Nothing of the libraries linked into it leaks out.
    EXPECT_EQ(dlsym(Library(), "_ZN4vorn15StoreFileNameEv"), nullptr);
}

TEST(EntryPoints, CreateWithoutAStoreFailsWithTheReason) {
    setenv("VORN_STORE", "/nonexistent/vorn.sqlite", 1);
    EXPECT_FALSE(EntryPoint<TCreate>("Create")("."));
    EXPECT_EQ(LastError(),
              "Cannot open the substance store \"/nonexistent/vorn.sqlite\": unable to open database file.");
    std::string buffer(101, ' ');
    char* text = buffer.data();
    std::int32_t size = 100;
    EXPECT_FALSE(EntryPoint<TGetText>("GetSubstancesGUIDList")(&text, &size));
    EXPECT_EQ(LastError(), "The substance library is not connected to its store; call Create first.");
    unsetenv("VORN_STORE");
}

TEST_F(EntryPointsTest, ATooSmallBufferGetsTheNeededSizeAndStaysUntouched) {
    const auto version = EntryPoint<TGetText>("Version");
    const std::string expected = "1.0 (stand-in substance library of Vandrel)";
    std::string buffer(11, '#');
    char* text = buffer.data();
    std::int32_t size = 10;
    EXPECT_FALSE(version(&text, &size));
    EXPECT_EQ(size, std::int32_t(expected.size()));
    EXPECT_EQ(buffer, std::string(11, '#'));
    EXPECT_EQ(LastError(), ""); // too small is no error

    // Exactly the length fits (the caller gives one byte more for the zero).
    buffer.assign(expected.size() + 1, '#');
    text = buffer.data();
    EXPECT_TRUE(version(&text, &size));
    EXPECT_STREQ(text, expected.c_str());
}

TEST_F(EntryPointsTest, SubstancesComeInCodeOrder) {
    EXPECT_EQ(Text("GetSubstancesGUIDList"), "{0F5D8A93-C2B4-4D67-8E1A-935B2C7D4F03};"
                                             "{D41B6E08-7F2C-49A3-85E6-0C9A3B1D7F24};"
                                             "{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11};"
                                             "{9E27C1B5-3A84-4B2F-B7D9-61E0F4A2C856};"
                                             "{B3C94D27-58E1-4F0A-A6D2-7E15C0F98B42}");
}

TEST_F(EntryPointsTest, InfoListsUseTheDecimalSeparatorAndEndWithFlagsAndChecksum) {
    const std::string checksum = TextBy("GetSubstanceChecksumByGUID", ExamplofenGUID);
    ASSERT_EQ(checksum.size(), 16u);
    EXPECT_EQ(InfoList(ExamplofenGUID, true),
              "SubstanceGUID={6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11};SubstanceCode=Examplofen;MolMass=291,3;"
              "DT50WatRef=12,5;TemRefTraWat=20;MolEntTraWat=65,4;SlbWatRef=100;TemRefSlb=20;PreVapRef=2E-5;"
              "TemRefVap=20;KomSed=450;Locked=False;Incomplete=False;MetabolitesIncomplete=False;Checksum=" +
                  checksum);
    // All attributes: the optional ones too, a value with blanks quoted whole.
    const std::string all = InfoList(ExamplofenGUID, false);
    EXPECT_NE(all.find("SubstanceCode=Examplofen;\"Name=Examplofen (example)\";MolMass=291,3;"),
              std::string::npos);
    EXPECT_NE(all.find(";Kom=300;ExpFre=0,9;DT50SedRef=;TemRefTraSed=;"), std::string::npos);

    EXPECT_NE(
        InfoList(DraftazoleGUID, true).find(";PreVapRef=;TemRefVap=;KomSed=;Locked=False;Incomplete=True;"),
        std::string::npos);
    EXPECT_EQ(Text("IncompleteAttributeName"), "Incomplete");
    EXPECT_EQ(Text("ChecksumName"), "Checksum");
}

TEST_F(EntryPointsTest, AnUnknownSubstanceHasNoInfoListCodeOrChecksum) {
    EXPECT_EQ(InfoList("{00000000-0000-0000-0000-000000000000}", true), "");
    EXPECT_EQ(TextBy("GetSubstanceChecksumByGUID", "{00000000-0000-0000-0000-000000000000}"), "");
    EXPECT_EQ(TextBy("GetSubstanceCodeByGUID", "nonsense"), "");
    EXPECT_EQ(LastError(), "");
}

TEST_F(EntryPointsTest, ChecksumsDifferBetweenSubstancesAndStayTheSameAcrossConnections) {
    const std::string examplofen = TextBy("GetSubstanceChecksumByGUID", ExamplofenGUID);
    EXPECT_NE(examplofen, TextBy("GetSubstanceChecksumByGUID", AcidGUID));
    EntryPoint<TDestroy>("Destroy")();
    ASSERT_TRUE(EntryPoint<TCreate>("Create")("."));
    EXPECT_EQ(TextBy("GetSubstanceChecksumByGUID", ExamplofenGUID), examplofen);
}

TEST_F(EntryPointsTest, CodesAndIdentifiers) {
    EXPECT_EQ(TextBy("GetSubstanceCodeByGUID", ExamplofenGUID), "Examplofen");
    EXPECT_EQ(TextBy("GetGUIDBySubstanceCode", "examplofen"), ExamplofenGUID);
    EXPECT_EQ(TextBy("EnsureUniqueSubstCode", "Fresh"), "Fresh");
    EXPECT_EQ(TextBy("EnsureUniqueSubstCode", "Examplofen"), "Examplofen_1");
}

TEST_F(EntryPointsTest, ImportAddsSubstancesAllOrNone) {
    EXPECT_EQ(Import("SubstanceCode;MolMass;Name\r\n\"ABC 12\";120,5;\"one; two\"\r\n\r\nXYZ;99;\r\n", false),
              2);
    EXPECT_EQ(LastError(), "");
    const std::string guid = TextBy("GetGUIDBySubstanceCode", "ABC 12");
    const std::string list = InfoList(guid.c_str(), false);
    EXPECT_NE(list.find(";\"SubstanceCode=ABC 12\";\"Name=one; two\";MolMass=120,5;"), std::string::npos)
        << list;
    EXPECT_NE(list.find(";Incomplete=True;"), std::string::npos);

    // A code in use fails the whole file unless codes are to be made unique.
    EXPECT_EQ(Import("SubstanceCode\r\nNew one\r\nExamplofen\r\n", false), -1);
    EXPECT_EQ(LastError(), "A substance with code \"Examplofen\" exists already.");
    EXPECT_EQ(TextBy("GetGUIDBySubstanceCode", "New one"), "");
    EXPECT_EQ(Import("SubstanceCode\r\nNew one\r\nExamplofen\r\n", true), 2);
    EXPECT_NE(TextBy("GetGUIDBySubstanceCode", "Examplofen_1"), "");
}

TEST_F(EntryPointsTest, ImportRefusesMalformedFiles) {
    const std::string file = FStore.File("import.csv");
    struct TCase {
        std::string Lines;
        std::string Error;
    };
    for (const TCase& c : std::initializer_list<TCase>{
             {"MolMass\r\n12\r\n", "Line 1 of \"" + file + "\": no column SubstanceCode."},
             {"SubstanceCode;Colour\r\nA;red\r\n",
              "Line 2 of \"" + file + "\": Unknown substance attribute \"Colour\"."},
             {"SubstanceCode;MolMass\r\nA;12;13\r\n",
              "Line 2 of \"" + file + "\": 3 fields where the first line names 2 columns."},
             {"SubstanceCode;MolMass\r\nA;heavy\r\n", "\"heavy\" is no number for MolMass of A."},
             {"SubstanceCode;MolMass\r\n ;12\r\n",
              "Line 2 of \"" + file + "\": the substance code is empty."},
         }) {
        EXPECT_EQ(Import(c.Lines, false), -1) << c.Lines;
        EXPECT_EQ(LastError(), c.Error);
    }
    EXPECT_EQ(
        EntryPoint<TImportSubstances>("ImportSubstances")("/nonexistent.csv", ";", ".", "", false, false),
        -1);
    EXPECT_EQ(LastError(), "File \"/nonexistent.csv\" does not exist.");
}

TEST_F(EntryPointsTest, Metabolites) {
    const auto list = EntryPoint<TGetMetabolitesGUIDList>("GetMetabolitesGUIDList");
    const auto fetch = [&](const char* guid, std::int32_t compartment) {
        return OutputText(
            [&](char** text, std::int32_t* size) { return list(guid, compartment, text, size); });
    };
    EXPECT_EQ(fetch(ExamplofenGUID, 1), AcidGUID);
    EXPECT_EQ(fetch(ExamplofenGUID, 2), "");

    const auto info = EntryPoint<TGetMetaboliteInfoListByGUID>("GetMetaboliteInfoListByGUID");
    const std::string acid = OutputText(
        [&](char** text, std::int32_t* size) { return info(ExamplofenGUID, AcidGUID, 1, true, text, size); });
    EXPECT_NE(acid.find("SubstanceCode=Examplofen-acid;"), std::string::npos);
    EXPECT_NE(acid.find(";CompartmentID=1;FormationFraction=0,35"), std::string::npos);
    EXPECT_EQ(Text("IncompleteMetabsAttributeName"), "MetabolitesIncomplete");
}

TEST_F(EntryPointsTest, BooleanTexts) {
    const auto read = EntryPoint<TStrToBoolean>("StrToBoolean");
    EXPECT_TRUE(read("True"));
    EXPECT_TRUE(read("TRUE"));
    EXPECT_FALSE(read("False"));
    EXPECT_EQ(LastError(), "");
    EXPECT_FALSE(read("yes"));
    EXPECT_EQ(LastError(), "\"yes\" is no Boolean text; use \"True\" or \"False\".");
    EXPECT_EQ(Text("BoolTrue"), "True");
    EXPECT_EQ(Text("BoolFalse"), "False");
    const auto write = EntryPoint<TBooleanToStr>("BooleanToStr");
    EXPECT_EQ(OutputText([&](char** text, std::int32_t* size) { return write(false, text, size); }), "False");
}

TEST_F(EntryPointsTest, SettingsTheProgramPasses) {
    const auto versions = EntryPoint<TSetText>("SetModelVersions");
    EXPECT_TRUE(versions("MODEL=VANDREL/SHELL=VANDREL;2"));
    EXPECT_FALSE(versions("MODEL=VANDREL"));
    EXPECT_FALSE(versions("MODEL=VANDREL/SHELL=VANDREL;two"));
    const auto compartments = EntryPoint<TSetText>("SetCompartments");
    EXPECT_TRUE(compartments("1;2"));
    EXPECT_FALSE(compartments("water"));
    EXPECT_EQ(LastError(), "");
}

TEST_F(EntryPointsTest, WithoutAWindowOpenUIAndErrorMessagesReportAsErrors) {
    EntryPoint<TOpenUI>("OpenUI")(ExamplofenGUID, false);
    EXPECT_EQ(
        LastError(),
        "The substance library cannot show its editing window here; substance Examplofen was not changed.");
    const auto show = EntryPoint<TShowSubstanceErrorMessages>("ShowSubstanceErrorMessages");
    EXPECT_TRUE(show(ExamplofenGUID));
    EXPECT_FALSE(show(DraftazoleGUID));
    EXPECT_EQ(LastError(), "Substance Draftazole lacks PreVapRef, TemRefVap, KomSed.");
}

TEST_F(EntryPointsTest, VanTHoffConversion) {
    const auto convert = EntryPoint<TVanTHoffTempConversion>("VanTHoffTempConversion");
    EXPECT_DOUBLE_EQ(convert(2.0, 20.0, 20.0, 65.4), 2.0);
    EXPECT_NEAR(convert(2.0, 20.0, 30.0, 65.4), 4.846490457842188, 1e-12);
    EXPECT_TRUE(std::isnan(convert(2.0, 20.0, -300.0, 65.4)));
    EXPECT_EQ(LastError(), "Temperatures must lie above -273.15 C.");
}

} // namespace
