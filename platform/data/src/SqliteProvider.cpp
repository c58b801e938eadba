// The SQLite provider: "Provider=SQLite;Data Source=<file>". The file must
// exist; it is opened for reading and writing and never created.

#include "ConnectionString.h"
#include "IsoDateTime.h"
#include "Provider.h"
#include "data/DataErrors.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/StringUtils.h"

#include <filesystem>
#include <sqlite3.h>

namespace detail {

namespace {

[[noreturn]] void RaiseSqliteError(sqlite3* db) {
    throw EADOError(FromUtf8(sqlite3_errmsg(db)));
}

// The column kind from the type a table declares for the column.
TDbColumn DescribeDeclaredColumn(const char* name, const char* declared) {
    TDbColumn Column;
    Column.Name = FromUtf8(name ? name : "");
    const String Type = UpperCase(FromUtf8(declared ? declared : ""));
    auto Has = [&Type](std::u16string_view part) { return Type.find(part) != String::npos; };
    if (Has(u"BOOL") || Has(u"BIT") || Has(u"YESNO"))
        Column.Kind = TDbColumnKind::Boolean;
    else if (Has(u"DATE") || Has(u"TIME"))
        Column.Kind = TDbColumnKind::DateTime;
    else if (Has(u"INT") || Has(u"COUNTER"))
        Column.Kind = TDbColumnKind::Integer;
    else if (Has(u"MEMO") || Has(u"CLOB"))
        Column.Kind = TDbColumnKind::Memo;
    else if (Has(u"CHAR") || Has(u"TEXT"))
        Column.Kind = TDbColumnKind::Text;
    else if (Has(u"BLOB"))
        Column.Kind = TDbColumnKind::Blob;
    else if (Has(u"REAL") || Has(u"FLOA") || Has(u"DOUB") || Has(u"NUM") || Has(u"DEC") || Has(u"CURR"))
        Column.Kind = TDbColumnKind::Float;
    const size_t Open = Type.find(u'(');
    if (Column.Kind == TDbColumnKind::Text && Open != String::npos)
        Column.Size = StrToIntDef(Copy(Type, static_cast<Integer>(Open) + 2), 0);
    return Column;
}

class TSqliteStatement final : public IDbStatement {
public:
    TSqliteStatement(sqlite3* db, sqlite3_stmt* stmt) : FDb(db), FStmt(stmt) {
        const int Count = sqlite3_column_count(stmt);
        FColumns.reserve(static_cast<size_t>(Count));
        FTypeKnown.reserve(static_cast<size_t>(Count));
        for (int i = 0; i < Count; ++i) {
            const char* Declared = sqlite3_column_decltype(stmt, i);
            FColumns.push_back(DescribeDeclaredColumn(sqlite3_column_name(stmt, i), Declared));
            FTypeKnown.push_back(Declared != nullptr && *Declared != 0);
        }
    }
    ~TSqliteStatement() override { sqlite3_finalize(FStmt); }

    Integer ParamCount() const override { return sqlite3_bind_parameter_count(FStmt); }

    void Bind(Integer index, const TDbValue& value) override {
        const int At = index + 1;
        int rc = SQLITE_OK;
        if (const auto* I = std::get_if<Int64>(&value)) {
            rc = sqlite3_bind_int64(FStmt, At, *I);
        } else if (const auto* D = std::get_if<double>(&value)) {
            rc = sqlite3_bind_double(FStmt, At, *D);
        } else if (const auto* S = std::get_if<String>(&value)) {
            const std::string Text = Utf8(*S);
            rc = sqlite3_bind_text(FStmt, At, Text.data(), static_cast<int>(Text.size()), SQLITE_TRANSIENT);
        } else if (const auto* T = std::get_if<TDbDateTime>(&value)) {
            const std::string Text = Utf8(FormatIsoDateTime(T->Value));
            rc = sqlite3_bind_text(FStmt, At, Text.data(), static_cast<int>(Text.size()), SQLITE_TRANSIENT);
        } else {
            rc = sqlite3_bind_null(FStmt, At);
        }
        if (rc != SQLITE_OK) RaiseSqliteError(FDb);
    }

    const std::vector<TDbColumn>& Columns() const override { return FColumns; }

    bool Fetch(std::vector<TDbValue>& row) override {
        if (FDone) return false;
        const int rc = sqlite3_step(FStmt);
        if (rc == SQLITE_DONE) {
            FDone = true;
            return false;
        }
        if (rc != SQLITE_ROW) RaiseSqliteError(FDb);
        row.resize(FColumns.size());
        for (size_t i = 0; i < FColumns.size(); ++i)
            row[i] = ReadColumn(static_cast<int>(i));
        return true;
    }

    Int64 Execute() override {
        const int rc = sqlite3_step(FStmt);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) RaiseSqliteError(FDb);
        FDone = true;
        return sqlite3_changes64(FDb);
    }

    void Reset() override {
        sqlite3_reset(FStmt);
        FDone = false;
    }

private:
    TDbValue ReadColumn(int i) {
        const int Type = sqlite3_column_type(FStmt, i);
        if (Type == SQLITE_NULL) return std::monostate();
        TDbColumn& Column = FColumns[static_cast<size_t>(i)];
        if (!FTypeKnown[static_cast<size_t>(i)]) {
            // A computed column declares no type: the first value tells it.
            Column.Kind = Type == SQLITE_INTEGER ? TDbColumnKind::Integer
                          : Type == SQLITE_FLOAT ? TDbColumnKind::Float
                          : Type == SQLITE_BLOB  ? TDbColumnKind::Blob
                                                 : TDbColumnKind::Text;
            FTypeKnown[static_cast<size_t>(i)] = true;
        }
        switch (Type) {
        case SQLITE_INTEGER:
            return static_cast<Int64>(sqlite3_column_int64(FStmt, i));
        case SQLITE_FLOAT:
            return sqlite3_column_double(FStmt, i);
        default: {
            const auto* Bytes = static_cast<const char*>(sqlite3_column_blob(FStmt, i));
            const int Size = sqlite3_column_bytes(FStmt, i);
            String Text =
                Type == SQLITE_BLOB
                    ? BytesToString(std::string_view(Bytes ? Bytes : "", Size)) // one byte per character
                    : FromUtf8(std::string_view(Bytes ? Bytes : "", Size));
            if (Column.Kind == TDbColumnKind::DateTime) {
                TDateTime When;
                if (TryParseIsoDateTime(Text, When)) return TDbDateTime{When};
            }
            return Text;
        }
        }
    }

    sqlite3* FDb;
    sqlite3_stmt* FStmt;
    std::vector<TDbColumn> FColumns;
    std::vector<bool> FTypeKnown;
    bool FDone = false;
};

class TSqliteConnection final : public IDbConnection {
public:
    explicit TSqliteConnection(const String& fileName) {
        std::error_code Error;
        if (fileName.empty() ||
            !std::filesystem::is_regular_file(std::filesystem::path(Utf8(fileName)), Error))
            throw EADOError(u"Could not find file '%s'.", {fileName});
        const int rc = sqlite3_open_v2(Utf8(fileName).c_str(), &FDb, SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK) {
            const String Message = FDb ? FromUtf8(sqlite3_errmsg(FDb)) : String(u"out of memory");
            sqlite3_close(FDb);
            throw EADOError(Message);
        }
        // Shared use: another program may hold the file; wait for its locks
        // instead of failing at once.
        sqlite3_busy_timeout(FDb, 5000);
        // A file that is not a database fails here rather than at the first query.
        Exec("SELECT count(*) FROM sqlite_master", /*closeOnError=*/true);
    }
    ~TSqliteConnection() override { sqlite3_close_v2(FDb); }

    std::unique_ptr<IDbStatement> Prepare(std::u16string_view sql) override {
        const std::string Text = Utf8(sql);
        sqlite3_stmt* Stmt = nullptr;
        if (sqlite3_prepare_v2(FDb, Text.c_str(), static_cast<int>(Text.size()), &Stmt, nullptr) != SQLITE_OK)
            RaiseSqliteError(FDb);
        if (!Stmt) throw EADOError(u"Command text was not set for the command object.");
        return std::make_unique<TSqliteStatement>(FDb, Stmt);
    }

    void BeginTransaction() override { Exec("BEGIN"); }
    void Commit() override { Exec("COMMIT"); }
    void Rollback() override { Exec("ROLLBACK"); }
    bool InTransaction() const override { return sqlite3_get_autocommit(FDb) == 0; }

    String RowIdentity() const override { return u"rowid"; }
    TDbValue LastInsertIdentity() override { return static_cast<Int64>(sqlite3_last_insert_rowid(FDb)); }

private:
    void Exec(const char* sql, bool closeOnError = false) {
        if (sqlite3_exec(FDb, sql, nullptr, nullptr, nullptr) == SQLITE_OK) return;
        const String Message = FromUtf8(sqlite3_errmsg(FDb));
        if (closeOnError) {
            sqlite3_close(FDb);
            FDb = nullptr;
        }
        throw EADOError(Message);
    }

    sqlite3* FDb = nullptr;
};

} // namespace

std::unique_ptr<IDbConnection> OpenSqliteDatabase(const TConnectionString& settings) {
    return std::make_unique<TSqliteConnection>(settings.Value(u"Data Source"));
}

} // namespace detail
