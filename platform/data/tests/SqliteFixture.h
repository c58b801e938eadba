#pragma once
// A small project database in a fresh folder, opened through the SQLite
// provider.

#include "TestDatabases.h"
#include "data/ADODataSet.h"
#include "data/Connection.h"

#include <gtest/gtest.h>

class SqliteFixture : public ::testing::Test {
protected:
    void SetUp() override {
        MakeSqliteDatabase(FileName(), R"sql(
            CREATE TABLE Projects(ID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT, Description TEXT,
                                  CreationDate DATETIME, ModificationDate DATETIME, TravoProjectID INTEGER);
            CREATE TABLE AbstractionPoints(ID INTEGER PRIMARY KEY, Name TEXT, Caption TEXT, DefaultADF REAL,
                                           DefaultArea REAL);
            CREATE TABLE runs(RunID TEXT NOT NULL, ProjectID INTEGER, CropCode TEXT, PecPeak REAL,
                              DatePeak TEXT, CausedBy INTEGER, KorvalisCropID TEXT);
            CREATE TABLE substances(ProjectID INTEGER, Name TEXT, IsParent BOOLEAN, MolMass REAL);
            INSERT INTO Projects(Name, Description, CreationDate, TravoProjectID) VALUES
                ('Rhine', 'first', '2024-01-05 08:30:00', 7),
                ('meuse', 'second', '2024-02-29', 8),
                ('Scheldt', NULL, NULL, NULL);
            INSERT INTO AbstractionPoints VALUES
                (10, 'Brakel2', 'Brakel (Bommelerwaard)', 1.0, 150.5), (1, 'Andijk', 'Andijk', 0.5, 1000),
                (2, 'Heel', 'Heel', 0.5, 2000), (3, 'Enschede', 'Enschede', 0.5, 300),
                (4, 'Nieuwegein', 'Nieuwegein', 0.5, 400), (5, 'DePunt', 'De Punt', 0.5, 500),
                (6, 'Brakel', 'Brakel', 0.5, 600), (7, 'Scheelhoek', 'Scheelhoek', 0.5, 700),
                (8, 'Nieuwersluis', 'Nieuwersluis', 0.5, 800), (9, 'Petrusplaat', 'Petrusplaat', 0.5, 900);
        )sql");
        Connection = Create<TADOConnection>(nullptr);
        Connection->SetLoginPrompt(false);
        Connection->SetConnectionString(u"Provider=SQLite;Data Source=" + Folder / u"VANDREL.db");
        Connection->Open();
    }
    void TearDown() override { Free(Connection); }

    std::string FileName() const { return Folder.Native(u"VANDREL.db"); }

    TADOQuery* NewQuery(const String& Sql) {
        auto* Query = Create<TADOQuery>(Connection);
        Query->SetConnection(Connection);
        Query->SQL()->SetText(Sql);
        return Query;
    }
    TADOTable* NewTable(const String& Name, const String& Order = String()) {
        auto* Table = Create<TADOTable>(Connection);
        if (!Connection->FindComponent(u"tbl" + Name)) Table->SetName(u"tbl" + Name);
        Table->SetConnection(Connection);
        Table->SetTableName(Name);
        Table->SetIndexFieldNames(Order);
        return Table;
    }
    std::string Scalar(const char* Sql) const { return SqliteScalar(FileName(), Sql); }

    TTempFolder Folder;
    TADOConnection* Connection = nullptr;
};
