#pragma once
// Databases for the tests, made in a throw-away folder: an SQLite file made
// with SQLite's own interface (the connection never creates one) and a
// Firebird file made through the embedded engine.

#include "rtltesting/TestFiles.h"

#include <firebird/Interface.h>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

// Creates an SQLite file and runs the script in it.
inline void MakeSqliteDatabase(const std::string& File, const char* Script) {
    sqlite3* Db = nullptr;
    if (sqlite3_open(File.c_str(), &Db) != SQLITE_OK) throw std::runtime_error("cannot create " + File);
    char* Error = nullptr;
    const int rc = sqlite3_exec(Db, Script, nullptr, nullptr, &Error);
    const std::string Message = Error ? Error : "";
    sqlite3_free(Error);
    sqlite3_close(Db);
    if (rc != SQLITE_OK) throw std::runtime_error(Message);
}

// One value of the SQLite file as text, read past the data-access layer.
inline std::string SqliteScalar(const std::string& File, const char* Sql) {
    sqlite3* Db = nullptr;
    sqlite3_open_v2(File.c_str(), &Db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* Stmt = nullptr;
    std::string Result = "<no row>";
    if (sqlite3_prepare_v2(Db, Sql, -1, &Stmt, nullptr) == SQLITE_OK && sqlite3_step(Stmt) == SQLITE_ROW)
        Result = sqlite3_column_text(Stmt, 0) ? reinterpret_cast<const char*>(sqlite3_column_text(Stmt, 0))
                                              : "<null>";
    sqlite3_finalize(Stmt);
    sqlite3_close(Db);
    return Result;
}

// Creates a Firebird file through the embedded engine and runs each
// statement of the list in it, committing after every one (so tables exist
// before rows go into them).
inline void MakeFirebirdDatabase(const std::string& File, std::initializer_list<const char*> Statements) {
    using namespace Firebird;
    IMaster* Master = fb_get_master_interface();
    ThrowStatusWrapper Status(Master->getStatus());
    IProvider* Provider = Master->getDispatcher();
    try {
        IXpbBuilder* Dpb = Master->getUtilInterface()->getXpbBuilder(&Status, IXpbBuilder::DPB, nullptr, 0);
        Dpb->insertString(&Status, isc_dpb_user_name, "SYSDBA");
        Dpb->insertString(&Status, isc_dpb_lc_ctype, "UTF8");
        Dpb->insertString(&Status, isc_dpb_set_db_charset, "UTF8");
        Dpb->insertInt(&Status, isc_dpb_sql_dialect, 3);
        Dpb->insertString(&Status, isc_dpb_config, "Providers=Engine12");
        IAttachment* Attachment = Provider->createDatabase(
            &Status, File.c_str(), Dpb->getBufferLength(&Status), Dpb->getBuffer(&Status));
        Dpb->dispose();
        for (const char* Sql : Statements) {
            ITransaction* Transaction = Attachment->startTransaction(&Status, 0, nullptr);
            Attachment->execute(&Status, Transaction, 0, Sql, SQL_DIALECT_V6, nullptr, nullptr, nullptr,
                                nullptr);
            Transaction->commit(&Status);
        }
        Attachment->detach(&Status);
    } catch (const FbException& Error) {
        char Text[1024];
        Master->getUtilInterface()->formatStatus(Text, sizeof Text, Error.getStatus());
        Provider->release();
        Status.dispose();
        throw std::runtime_error(Text);
    }
    Provider->release();
    Status.dispose();
}
