#include "SqliteDatabase.h"

#include "rtl/Encoding.h"

#include <sqlite3.h>

namespace vorn {

TSqliteStatement::TSqliteStatement(const TSqliteDatabase& database, const char* sql) : FDatabase(database) {
    if (sqlite3_prepare_v2(database.Handle(), sql, -1, &FStatement, nullptr) != SQLITE_OK)
        database.RaiseError(u"Cannot prepare a query of the substance store");
}

TSqliteStatement::~TSqliteStatement() {
    sqlite3_finalize(FStatement);
}

TSqliteStatement& TSqliteStatement::Bind(int index, const String& value) {
    const std::string text = Utf8(value);
    if (sqlite3_bind_text(FStatement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        FDatabase.RaiseError(u"Cannot bind a query parameter");
    return *this;
}

TSqliteStatement& TSqliteStatement::Bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(FStatement, index, value) != SQLITE_OK)
        FDatabase.RaiseError(u"Cannot bind a query parameter");
    return *this;
}

bool TSqliteStatement::Step() {
    switch (sqlite3_step(FStatement)) {
    case SQLITE_ROW:
        return true;
    case SQLITE_DONE:
        return false;
    default:
        FDatabase.RaiseError(u"Cannot read the substance store");
    }
}

void TSqliteStatement::Execute() {
    while (Step()) {
    }
}

void TSqliteStatement::Reset() {
    sqlite3_reset(FStatement);
    sqlite3_clear_bindings(FStatement);
}

String TSqliteStatement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(FStatement, column));
    return text ? FromUtf8(std::string_view(text, sqlite3_column_bytes(FStatement, column))) : String();
}

std::int64_t TSqliteStatement::Int(int column) const {
    return sqlite3_column_int64(FStatement, column);
}

bool TSqliteStatement::IsNull(int column) const {
    return sqlite3_column_type(FStatement, column) == SQLITE_NULL;
}

TSqliteDatabase::TSqliteDatabase(const String& fileName, bool create) : FFileName(fileName) {
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(Utf8(fileName).c_str(), &FHandle, flags, nullptr) != SQLITE_OK) {
        const String reason = FHandle ? FromUtf8(sqlite3_errmsg(FHandle)) : String(u"out of memory");
        sqlite3_close(FHandle);
        throw ESubstanceStoreError(u"Cannot open the substance store \"" + fileName + u"\": " + reason +
                                   u".");
    }
    sqlite3_extended_result_codes(FHandle, 1);
    sqlite3_busy_timeout(FHandle, 5000);
    ExecuteScript(u"PRAGMA foreign_keys = ON");
}

TSqliteDatabase::~TSqliteDatabase() {
    sqlite3_close_v2(FHandle);
}

void TSqliteDatabase::ExecuteScript(const String& sql) {
    char* message = nullptr;
    if (sqlite3_exec(FHandle, Utf8(sql).c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const String reason = message ? FromUtf8(message) : FromUtf8(sqlite3_errmsg(FHandle));
        sqlite3_free(message);
        throw ESubstanceStoreError(u"Error in the substance store \"" + FFileName + u"\": " + reason + u".");
    }
}

void TSqliteDatabase::RaiseError(const String& doing) const {
    throw ESubstanceStoreError(doing + u" \"" + FFileName + u"\": " + FromUtf8(sqlite3_errmsg(FHandle)) +
                               u".");
}

void TSqliteDatabase::RollBack() noexcept {
    sqlite3_exec(FHandle, "ROLLBACK", nullptr, nullptr, nullptr);
}

} // namespace vorn
