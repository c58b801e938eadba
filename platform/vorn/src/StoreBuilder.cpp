#include "vorn/StoreBuilder.h"

#include "SqliteDatabase.h"
#include "rtl/Encoding.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vorn {

namespace {

String ReadSqlFile(const String& fileName) {
    std::ifstream file(Utf8(fileName), std::ios::binary);
    if (!file) throw ESubstanceStoreError(u"Cannot read \"" + fileName + u"\".");
    std::ostringstream text;
    text << file.rdbuf();
    return FromUtf8(text.str());
}

} // namespace

void BuildSubstanceStore(const String& storeFile, const std::vector<String>& sqlFiles) {
    namespace fs = std::filesystem;
    const fs::path target = Utf8(storeFile);
    std::error_code error;
    if (fs::exists(target, error))
        throw ESubstanceStoreError(u"The substance store \"" + storeFile +
                                   u"\" exists already; it is not replaced.");

    // Built beside the target under another name, then renamed into place.
    const String building = storeFile + u".building";
    fs::remove(Utf8(building), error);
    try {
        TSqliteDatabase database(building, true);
        database.InTransaction([&] {
            for (const String& sqlFile : sqlFiles) {
                try {
                    database.ExecuteScript(ReadSqlFile(sqlFile));
                } catch (const ESubstanceStoreError& e) {
                    throw ESubstanceStoreError(u"\"" + sqlFile + u"\": " + e.Message());
                }
            }
        });
    } catch (...) {
        fs::remove(Utf8(building), error);
        throw;
    }
    fs::rename(Utf8(building), target, error);
    if (error)
        throw ESubstanceStoreError(u"Cannot create the substance store \"" + storeFile + u"\": " +
                                   FromUtf8(error.message()) + u".");
}

} // namespace vorn
