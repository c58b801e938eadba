// The substance store: checksums follow the attributes; other files are no
// store.

#include "SubstanceStore.h"

#include "SqliteDatabase.h"
#include "VORNTestSupport.h"

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

} // namespace
