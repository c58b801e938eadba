#include "core/Folders.h"

#include "coretesting/TestFolders.h"
#include "os/FileUtils.h"
#include "os/Folders.h"
#include "os/WindowsPath.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtltesting/ExceptionMessage.h"

#include <gtest/gtest.h>

namespace {

class Folders : public ::testing::Test {
protected:
    void SetUp() override { ClearDataPath(); }
    void TearDown() override { ClearDataPath(); }

    void WriteDataPath(const String& value) {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(u"SOFTWARE\\Brennhoven\\VANDREL142", true));
        registry.WriteString(u"Datapath", value);
    }

    TRegistrySandbox FRegistry;
};

} // namespace

TEST_F(Folders, BeforeTheDataPathIsReadEveryDataFolderRefuses) {
    EXPECT_EQ(MessageOf(GetDataDir), u"Vandrel datapath not set!");
    EXPECT_EQ(MessageOf(GetProjectsDir), u"Vandrel datapath not set!");
    EXPECT_EQ(MessageOf(GetPECDir), u"VANDREL datapath not set!");
}

TEST_F(Folders, AMissingOrEmptyDataPathNamesTheKeyAndKeepsNothing) {
    EXPECT_EQ(MessageOf(GetDataPath), u"No value found in registry for SOFTWARE\\Brennhoven\\VANDREL142");
    WriteDataPath(u"");
    EXPECT_EQ(MessageOf(GetDataPath), u"No value found in registry for SOFTWARE\\Brennhoven\\VANDREL142");
    EXPECT_EQ(MessageOf(GetDataDir), u"Vandrel datapath not set!");
}

TEST_F(Folders, TheDataPathIsReadOnceAndTheFoldersLieBelowIt) {
    WriteDataPath(u"/srv/vandrel");
    EXPECT_EQ(GetDataPath(), u"/srv/vandrel/");
    WriteDataPath(u"/elsewhere/");
    EXPECT_EQ(GetDataPath(), u"/srv/vandrel/");
    EXPECT_EQ(GetDataDir(), u"/srv/vandrel/data/");
    EXPECT_EQ(GetProjectsDir(), u"/srv/vandrel/projects/");
    EXPECT_EQ(GetPECDir(), u"/srv/vandrel/data/PEC/");
}

TEST_F(Folders, ADataPathWrittenOnWindowsIsConverted) {
    TTestFolder drive;
    ASSERT_TRUE(ForceDirectories(drive / u"Vandrel/Data"));
    os::SetDriveRoot(u'D', drive.Path());
    WriteDataPath(u"D:\\vandrel\\data");
    EXPECT_EQ(GetDataPath(), drive / u"Vandrel/Data/");
    os::SetDriveRoot(u'D', u"");
}

TEST_F(Folders, ProgramFolders) {
    EXPECT_EQ(GetProgramDir(), os::ProgramFolder());
    EXPECT_EQ(GetResourcesDir(), os::ProgramFolder() + u"data/resources/");
    EXPECT_EQ(GetFirebirdClientPath(), os::ProgramFolder() + u"libfbclient.so");
}

TEST_F(Folders, InstalledProgramDataLiesInShareBesideTheProgramFolder) {
    TTestFolder prefix;
    ASSERT_TRUE(ForceDirectories(prefix / u"bin"));
    EXPECT_EQ(ProgramDataDirFor(prefix / u"bin/"), prefix / u"bin/");
    ASSERT_TRUE(ForceDirectories(prefix / u"share/vandrel"));
    EXPECT_EQ(ProgramDataDirFor(prefix / u"bin/"), prefix / u"share/vandrel/");
}

TEST_F(Folders, ReadRegistryStringAnswersEmptyForAMissingKeyOrValue) {
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, u"SOFTWARE\\Brennhoven\\VANDREL142", u"Datapath"), u"");
    WriteDataPath(u"/srv/vandrel");
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, u"software\\brennhoven\\vandrel142", u"datapath"),
              u"/srv/vandrel");
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, u"SOFTWARE\\Brennhoven\\VANDREL142", u"travo_db"), u"");
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Brennhoven\\VANDREL142", u"Datapath"), u"");
}

TEST(DeleteFolder, AnEmptyOrMissingNameDeletesNothing) {
    TTestFolder folder;
    ASSERT_TRUE(ForceDirectories(folder / u"keep"));
    EXPECT_FALSE(DeleteDirectory(u""));
    EXPECT_FALSE(DeleteDirectory(folder / u"missing"));
    EXPECT_TRUE(DirectoryExists(folder / u"keep"));
}
