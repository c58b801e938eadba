// Connections, queries with bound parameters and transactions on SQLite.

#include "SqliteFixture.h"
#include "rtl/DateTime.h"
#include "rtltesting/ExceptionMessage.h"

#include <filesystem>
#include <fstream>

TEST(Connection, MissingSqliteFileIsAnErrorAndIsNotCreated) {
    TTempFolder Folder;
    const String Missing = Folder / u"VANDREL.db";
    auto* Connection = Create<TADOConnection>(nullptr);
    Connection->SetConnectionString(u"Provider=SQLite;Data Source=" + Missing);
    EXPECT_EQ(MessageOf([&] { Connection->Open(); }), u"Could not find file '" + Missing + u"'.");
    EXPECT_FALSE(Connection->Connected());
    EXPECT_FALSE(std::filesystem::exists(Folder.Native(u"VANDREL.db")));
    Free(Connection);
}

TEST(Connection, UnknownProviderAndFileThatIsNoDatabase) {
    TTempFolder Folder;
    auto* Connection = Create<TADOConnection>(nullptr);
    Connection->SetConnectionString(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb");
    EXPECT_EQ(MessageOf([&] { Connection->Open(); }),
              u"Provider cannot be found. It may not be properly installed.");
    std::ofstream(Folder.Native(u"notes.db"))
        << "these are not the pages of a database, just a plain text file\n";
    Connection->SetConnectionString(u"Provider=SQLite;Data Source=" + Folder / u"notes.db");
    EXPECT_EQ(MessageOf([&] { Connection->Open(); }), u"file is not a database");
    Free(Connection);
}

TEST_F(SqliteFixture, ParametersWithQuotesAndNonAsciiTextRoundTrip) {
    const String Name = u"O'Brien \"Ünïcödé\" 水; DROP TABLE Projects; --";
    const TDateTime Created = EncodeDateTime(2024, 2, 29, 13, 5, 9, 0);
    TADOQuery* Insert = NewQuery(u"INSERT INTO Projects(Name, Description, CreationDate, TravoProjectID) "
                                 u"VALUES (:Name, :Description, :Created, :Travo)");
    ASSERT_EQ(Insert->Parameters()->Count(), 4);
    Insert->Parameters()->ParamByName(u"name")->SetValue(Name);
    Insert->Parameters()->ParamByName(u"Description")->SetValue(Variant::Null());
    Insert->Parameters()->ParamByName(u"Created")->SetValue(Variant::FromDate(Created));
    Insert->Parameters()->ParamByName(u"Travo")->SetValue(Integer(42));
    EXPECT_EQ(Insert->ExecSQL(), 1);
    EXPECT_EQ(Insert->RowsAffected(), 1);
    // Dates are stored as ISO text.
    EXPECT_EQ(Scalar("SELECT CreationDate FROM Projects WHERE TravoProjectID = 42"), "2024-02-29 13:05:09");

    TADOQuery* Select = NewQuery(u"SELECT * FROM Projects WHERE Name = :Name AND Name = :NAME");
    EXPECT_EQ(Select->Parameters()->Count(), 1); // one parameter, used twice
    Select->Parameters()->ParamByName(u"Name")->SetValue(Name);
    Select->Open();
    ASSERT_EQ(Select->RecordCount(), 1);
    EXPECT_EQ(Select->FieldByName(u"NAME")->AsString(), Name);
    EXPECT_TRUE(Select->FieldByName(u"Description")->IsNull());
    EXPECT_DOUBLE_EQ(Select->FieldByName(u"CreationDate")->AsDateTime(), Created);
    EXPECT_EQ(Select->FieldByName(u"CreationDate")->AsString(), DateTimeToStr(Created));
    EXPECT_EQ(Select->FieldByName(u"TravoProjectID")->AsInteger(), 42);
    EXPECT_EQ(Scalar("SELECT count(*) FROM Projects"), "4");

    EXPECT_EQ(MessageOf([&] { Select->Parameters()->ParamByName(u"Nope"); }), u"Parameter 'Nope' not found");
}

TEST_F(SqliteFixture, QueryOpenAndExecSqlAndProviderErrors) {
    TADOQuery* Query = NewQuery(u"  delete from Projects where Name = :n");
    Query->Parameters()->ParamByName(u"n")->SetValue(String(u"Scheldt"));
    EXPECT_EQ(MessageOf([&] { Query->Open(); }), u"CommandText does not return a result set");
    EXPECT_EQ(Query->ExecSQL(), 1);
    EXPECT_EQ(Query->ExecSQL(), 0); // the prepared statement runs again

    Query->SQL()->SetText(u"SELECT Name, length(Name) AS Size, 1.5 * ID AS Half FROM Projects ORDER BY ID");
    Query->Open();
    ASSERT_EQ(Query->FieldCount(), 3);
    EXPECT_EQ(Query->Fields(0)->FieldName(), u"Name");
    EXPECT_EQ(Query->Fields(1)->DataType(), ftInteger); // computed columns take the kind of their value
    EXPECT_EQ(Query->Fields(2)->DataType(), ftFloat);
    EXPECT_EQ(Query->Fields(1)->AsInteger(), 5);
    EXPECT_FALSE(Query->CanModify());
    EXPECT_EQ(MessageOf([&] { Query->Edit(); }), u"Cannot modify a read-only dataset");

    Query->SQL()->SetText(u"SELECT * FROM Nope");
    EXPECT_FALSE(Query->Active()); // changing the text closes the query
    EXPECT_EQ(MessageOf([&] { Query->Open(); }), u"no such table: Nope");
    EXPECT_EQ(MessageOf([&] { Query->FieldByName(u"Name"); }), u"Field 'Name' not found");
}

TEST_F(SqliteFixture, FailedStatementInsideTransactionLeavesNothingBehind) {
    TADOQuery* Insert = NewQuery(u"INSERT INTO runs(RunID, ProjectID) VALUES (:Run, 1)");
    Connection->BeginTrans();
    EXPECT_TRUE(Connection->InTransaction());
    Insert->Parameters()->ParamByName(u"Run")->SetValue(String(u"R1"));
    Insert->ExecSQL();
    Insert->Parameters()->ParamByName(u"Run")->SetValue(Variant::Null());
    EXPECT_EQ(MessageOf([&] { Insert->ExecSQL(); }), u"NOT NULL constraint failed: runs.RunID");
    Connection->RollbackTrans();
    EXPECT_FALSE(Connection->InTransaction());
    EXPECT_EQ(Scalar("SELECT count(*) FROM runs"), "0");

    // The same through a scope that an exception leaves.
    EXPECT_THROW(
        {
            TTransactionScope Transaction(*Connection);
            Insert->Parameters()->ParamByName(u"Run")->SetValue(String(u"R2"));
            Insert->ExecSQL();
            Insert->Parameters()->ParamByName(u"Run")->SetValue(Variant::Null());
            Insert->ExecSQL();
            Transaction.Commit();
        },
        EADOError);
    EXPECT_EQ(Scalar("SELECT count(*) FROM runs"), "0");

    {
        TTransactionScope Transaction(*Connection);
        Insert->Parameters()->ParamByName(u"Run")->SetValue(String(u"R3"));
        Insert->ExecSQL();
        Transaction.Commit();
    }
    EXPECT_EQ(Scalar("SELECT group_concat(RunID) FROM runs"), "R3");
}

TEST_F(SqliteFixture, ClosingTheConnectionClosesItsDataSets) {
    TADOTable* Table = NewTable(u"Projects");
    Table->Open();
    Connection->Close();
    EXPECT_FALSE(Table->Active());
    Table->Open(); // opening a data set opens its connection again
    EXPECT_TRUE(Connection->Connected());
    EXPECT_EQ(Table->RecordCount(), 3);
}
