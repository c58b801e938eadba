// Inserting and reading back 100,000 rows through TADOQuery on SQLite, next
// to the same work through SQLite's own interface.

#include "data/ADODataSet.h"
#include "rtl/Encoding.h"
#include "rtltesting/TestFiles.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <string>

namespace {

constexpr int RowCount = 100000;

// A fresh database file with an empty table, removed afterwards.
class BenchDatabase {
public:
    BenchDatabase() {
        sqlite3* Db = nullptr;
        sqlite3_open(File().c_str(), &Db);
        sqlite3_exec(Db, "CREATE TABLE Samples(ID INTEGER, Name TEXT, Value REAL)", nullptr, nullptr,
                     nullptr);
        sqlite3_close(Db);
    }
    std::string File() const { return FFolder.Native(u"bench.db"); }

private:
    TTempFolder FFolder;
};

String SampleName(int i) {
    return u"Sample " + FromUtf8(std::to_string(i));
}

void InsertThroughQuery(TADOConnection& Connection) {
    auto* Insert = Create<TADOQuery>(nullptr);
    Insert->SetConnection(&Connection);
    Insert->SQL()->SetText(u"INSERT INTO Samples(ID, Name, Value) VALUES (:ID, :Name, :Value)");
    TParameter* Id = Insert->Parameters()->ParamByName(u"ID");
    TParameter* Name = Insert->Parameters()->ParamByName(u"Name");
    TParameter* Value = Insert->Parameters()->ParamByName(u"Value");
    Connection.BeginTrans();
    for (int i = 0; i < RowCount; ++i) {
        Id->SetValue(Integer(i));
        Name->SetValue(SampleName(i));
        Value->SetValue(i * 0.5);
        Insert->ExecSQL();
    }
    Connection.CommitTrans();
    Free(Insert);
}

double ReadThroughQuery(TADOConnection& Connection) {
    auto* Select = Create<TADOQuery>(nullptr);
    Select->SetConnection(&Connection);
    Select->SQL()->SetText(u"SELECT ID, Name, Value FROM Samples");
    Select->Open();
    TField* Id = Select->Fields(0);
    TField* Name = Select->Fields(1);
    TField* Value = Select->Fields(2);
    double Sum = 0;
    for (; !Select->Eof(); Select->Next())
        Sum += Id->AsInteger() + Value->AsFloat() + static_cast<double>(Name->AsString().size());
    Free(Select);
    return Sum;
}

void InsertThroughSqlite(sqlite3* Db) {
    sqlite3_stmt* Stmt = nullptr;
    sqlite3_prepare_v2(Db, "INSERT INTO Samples(ID, Name, Value) VALUES (?, ?, ?)", -1, &Stmt, nullptr);
    sqlite3_exec(Db, "BEGIN", nullptr, nullptr, nullptr);
    for (int i = 0; i < RowCount; ++i) {
        // The same text conversion the program's strings need at this edge.
        const std::string Name = Utf8(SampleName(i));
        sqlite3_bind_int64(Stmt, 1, i);
        sqlite3_bind_text(Stmt, 2, Name.data(), static_cast<int>(Name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(Stmt, 3, i * 0.5);
        sqlite3_step(Stmt);
        sqlite3_reset(Stmt);
    }
    sqlite3_exec(Db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(Stmt);
}

double ReadThroughSqlite(sqlite3* Db) {
    sqlite3_stmt* Stmt = nullptr;
    sqlite3_prepare_v2(Db, "SELECT ID, Name, Value FROM Samples", -1, &Stmt, nullptr);
    double Sum = 0;
    while (sqlite3_step(Stmt) == SQLITE_ROW) {
        const auto* Text = reinterpret_cast<const char*>(sqlite3_column_text(Stmt, 1));
        const String Name =
            FromUtf8(std::string_view(Text, static_cast<size_t>(sqlite3_column_bytes(Stmt, 1))));
        Sum += static_cast<double>(sqlite3_column_int64(Stmt, 0)) + sqlite3_column_double(Stmt, 2) +
               static_cast<double>(Name.size());
    }
    sqlite3_finalize(Stmt);
    return Sum;
}

void BM_InsertAndReadThroughQuery(benchmark::State& State) {
    for (auto _ : State) {
        State.PauseTiming();
        BenchDatabase Database;
        auto* Connection = Create<TADOConnection>(nullptr);
        Connection->SetConnectionString(u"Provider=SQLite;Data Source=" + FromUtf8(Database.File()));
        Connection->Open();
        State.ResumeTiming();
        InsertThroughQuery(*Connection);
        benchmark::DoNotOptimize(ReadThroughQuery(*Connection));
        State.PauseTiming();
        Free(Connection);
        State.ResumeTiming();
    }
    State.SetItemsProcessed(State.iterations() * RowCount);
}

void BM_InsertAndReadThroughSqlite(benchmark::State& State) {
    for (auto _ : State) {
        State.PauseTiming();
        BenchDatabase Database;
        sqlite3* Db = nullptr;
        sqlite3_open_v2(Database.File().c_str(), &Db, SQLITE_OPEN_READWRITE, nullptr);
        State.ResumeTiming();
        InsertThroughSqlite(Db);
        benchmark::DoNotOptimize(ReadThroughSqlite(Db));
        State.PauseTiming();
        sqlite3_close(Db);
        State.ResumeTiming();
    }
    State.SetItemsProcessed(State.iterations() * RowCount);
}

} // namespace

BENCHMARK(BM_InsertAndReadThroughQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertAndReadThroughSqlite)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
