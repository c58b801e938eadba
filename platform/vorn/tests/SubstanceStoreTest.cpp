// The substance store: checksums follow the attributes, and a store is built
// all or nothing.

#include "SubstanceStore.h"

#include "SqliteDatabase.h"
#include "VORNTestSupport.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::testing;

namespace {

TEST(SubstanceStore, TheChecksumChangesWithAnyAttributeAndOnlyThen) {
    TExampleStore folder;
    const String guid = FromUtf8(ExamplofenGUID);
    const String before = TSubstanceStore(FromUtf8(folder.StoreFile())).Checksum(guid);
    {
        TSqliteDatabase database(FromUtf8(folder.StoreFile()), false);
        database.ExecuteScript(u"UPDATE SubstanceAttributes SET Value = '12.6' WHERE Name = 'DT50WatRef' AND "
                               u"SubstanceGUID = '" +
                               guid + u"'");
    }
    TSubstanceStore store(FromUtf8(folder.StoreFile()));
    const String after = store.Checksum(guid);
    EXPECT_NE(after, before);
    EXPECT_EQ(store.Checksum(guid), after);
    EXPECT_EQ(store.Checksum(FromUtf8(AcidGUID)),
              TSubstanceStore(FromUtf8(folder.StoreFile())).Checksum(FromUtf8(AcidGUID)));
}

TEST(SubstanceStore, AFileThatIsNoStoreIsRefused) {
    TExampleStore folder;
    const std::string other = folder.File("other.sqlite");
    TSqliteDatabase(FromUtf8(other), true).ExecuteScript(u"CREATE TABLE Something (A)");
    try {
        TSubstanceStore store(FromUtf8(other));
        FAIL();
    } catch (const ESubstanceStoreError& e) {
        EXPECT_EQ(Utf8(e.Message()), "\"" + other + "\" is no substance store.");
    }
}

TEST(StoreBuilder, AFailingScriptLeavesNoStoreAndAnExistingStoreIsKept) {
    TExampleStore folder;
    const std::string broken = folder.File("broken.sql");
    std::ofstream(broken) << "CREATE TABLE A (X);\nINSERT INTO Nowhere VALUES (1);\n";
    const String target = FromUtf8(folder.File("new.sqlite"));
    try {
        BuildSubstanceStore(target, {FromUtf8(broken)});
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(Utf8(e.Message()), "\"" + broken + "\": Error in the substance store \"" +
                                         folder.File("new.sqlite") + ".building\": no such table: Nowhere.");
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("new.sqlite")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("new.sqlite.building")));

    EXPECT_THROW(BuildSubstanceStore(FromUtf8(folder.StoreFile()), {FromUtf8(broken)}), Exception);
    EXPECT_EQ(TSubstanceStore(FromUtf8(folder.StoreFile())).SubstanceGUIDs().size(), 5u);
}

} // namespace
