#pragma once
// A small RAII layer over the SQLite C library for the substance store:
// one connection, prepared statements with bound parameters, transactions.
// Every failure raises ESubstanceStoreError with SQLite's own reason.

#include "rtl/Exception.h"
#include "rtl/Types.h"

#include <cstdint>

struct sqlite3;
struct sqlite3_stmt;

namespace vorn {

class ESubstanceStoreError : public Exception {
public:
    explicit ESubstanceStoreError(String message) : Exception(std::move(message)) {}
};

class TSqliteDatabase;

class TSqliteStatement {
public:
    TSqliteStatement(const TSqliteDatabase& database, const char* sql);
    ~TSqliteStatement();
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;

    // Parameters count from 1, as in the SQL text's "?" order.
    TSqliteStatement& Bind(int index, const String& value);
    TSqliteStatement& Bind(int index, std::int64_t value);
    // True while there is a row to read; false when the statement is done.
    bool Step();
    // Runs a statement that yields no rows.
    void Execute();
    // Ready to run again with new parameters.
    void Reset();

    String Text(int column) const;
    std::int64_t Int(int column) const;
    bool IsNull(int column) const;

private:
    const TSqliteDatabase& FDatabase;
    sqlite3_stmt* FStatement = nullptr;
};

class TSqliteDatabase {
public:
    // Opens an existing database file for reading and writing; with
    // `create` a missing file is created. Raises ESubstanceStoreError.
    TSqliteDatabase(const String& fileName, bool create);
    ~TSqliteDatabase();
    TSqliteDatabase(const TSqliteDatabase&) = delete;
    TSqliteDatabase& operator=(const TSqliteDatabase&) = delete;

    // Runs one or more statements that yield no rows.
    void ExecuteScript(const String& sql);

    // Runs `work` in one transaction: committed when it returns, rolled back
    // when it raises.
    template <class F>
    void InTransaction(F&& work) {
        ExecuteScript(u"BEGIN IMMEDIATE");
        try {
            work();
        } catch (...) {
            RollBack();
            throw;
        }
        ExecuteScript(u"COMMIT");
    }

    const String& FileName() const { return FFileName; }
    sqlite3* Handle() const { return FHandle; }
    // Raises the connection's last error, prefixed with what was being done.
    [[noreturn]] void RaiseError(const String& doing) const;

private:
    void RollBack() noexcept;

    sqlite3* FHandle = nullptr;
    String FFileName;
};

} // namespace vorn
