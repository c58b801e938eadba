// The Firebird provider through the embedded engine: a database made at test
// time, read with the scenario tool's kind of queries.

#include "TestDatabases.h"
#include "data/ADODataSet.h"
#include "rtl/DateTime.h"

#include <gtest/gtest.h>

// The embedded engine keeps its character-set converters for the life of the
// process and never frees them; that is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfbclient.so\n";
}

namespace {

class FirebirdTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeFirebirdDatabase(
            Folder.Native(u"travo.fdb"),
            {
                "CREATE TABLE SYSDBINFO (DBVERSION INTEGER)",
                "INSERT INTO SYSDBINFO VALUES (3)",
                "CREATE TABLE Projects (ProjectID INTEGER NOT NULL PRIMARY KEY, Caption VARCHAR(60), "
                "Description BLOB SUB_TYPE TEXT, CreationDate TIMESTAMP, Path VARCHAR(250), Focus CHAR(3))",
                "CREATE TABLE FocusCrops (CropID INTEGER, Caption VARCHAR(60), Dir_name VARCHAR(60), CropNr "
                "INTEGER)",
                "CREATE TABLE Runs (RunID INTEGER, ProjectID INTEGER, CropID INTEGER, Rate NUMERIC(9,3))",
                "INSERT INTO Projects VALUES (1, 'Rhine', 'first', '2024-01-05 08:30:00', 'c:\\travo\\p1', "
                "'NO')",
                "INSERT INTO Projects VALUES (2, 'Maas', NULL, NULL, NULL, 'YES')",
                "INSERT INTO FocusCrops VALUES (5, 'Cereals, winter', 'cereals_w', 11)",
                "INSERT INTO Runs VALUES (101, 1, 5, 0.125)",
                "INSERT INTO Runs VALUES (102, 1, 5, 1.5)",
            });
        Connection = Create<TADOConnection>(nullptr);
        Connection->SetLoginPrompt(false);
        Connection->SetConnectionString(u"Provider=Firebird;Database=" + Folder / u"travo.fdb" +
                                        u";User ID=SYSDBA");
        Connection->Open();
    }
    void TearDown() override { Free(Connection); }

    TADOQuery* NewQuery(const String& Sql) {
        auto* Query = Create<TADOQuery>(Connection);
        Query->SetConnection(Connection);
        Query->SQL()->SetText(Sql);
        return Query;
    }

    TTempFolder Folder;
    TADOConnection* Connection = nullptr;
};

} // namespace

TEST_F(FirebirdTest, SelectWithCaseInsensitiveFieldLookup) {
    TADOQuery* Version = NewQuery(u"SELECT DBVERSION FROM SYSDBINFO");
    Version->Open();
    ASSERT_EQ(Version->RecordCount(), 1);
    EXPECT_EQ(Version->FieldByName(u"DBVERSION")->AsInteger(), 3);
    EXPECT_EQ(Version->FieldByName(u"DbVersion"), Version->Fields(0));

    TADOQuery* Runs = NewQuery(
        u"SELECT r.*, c.Dir_name, c.CropNr AS nr, c.Caption as CropCaption FROM Runs r, FocusCrops AS c "
        u"WHERE r.ProjectID = :ProjectID AND r.CropID = c.CropID ORDER BY r.RunID");
    Runs->Parameters()->ParamByName(u"ProjectID")->SetValue(Integer(1));
    Runs->Open();
    ASSERT_EQ(Runs->RecordCount(), 2);
    EXPECT_EQ(Runs->FieldByName(u"RunID")->AsString(), u"101");
    EXPECT_EQ(Runs->FieldByName(u"nr")->AsInteger(), 11);
    EXPECT_EQ(Runs->FieldByName(u"CropCaption")->AsString(), u"Cereals, winter");
    EXPECT_EQ(Runs->FieldByName(u"Dir_Name")->AsString(), u"cereals_w");
    EXPECT_DOUBLE_EQ(Runs->FieldByName(u"Rate")->AsFloat(), 0.125); // a scaled number reads as a float
    Runs->Next();
    EXPECT_DOUBLE_EQ(Runs->FieldByName(u"rate")->AsFloat(), 1.5);

    TADOQuery* Projects = NewQuery(u"SELECT * FROM Projects WHERE ProjectID = 1 AND Focus = 'NO'");
    Projects->Open();
    ASSERT_EQ(Projects->RecordCount(), 1);
    EXPECT_DOUBLE_EQ(Projects->FieldByName(u"CreationDate")->AsDateTime(),
                     EncodeDateTime(2024, 1, 5, 8, 30, 0, 0));
    EXPECT_EQ(Projects->FieldByName(u"Path")->AsString(), u"c:\\travo\\p1");
    EXPECT_EQ(Projects->FieldByName(u"Description")->DataType(), ftMemo); // a text blob
    EXPECT_EQ(Projects->FieldByName(u"Description")->AsString(), u"first");
}

TEST_F(FirebirdTest, ParametersRoundTripAndFailedStatementInTransactionLeavesNothing) {
    const String Caption = u"O'Brien \"Ünïcödé\" 水";
    TADOQuery* Insert =
        NewQuery(u"INSERT INTO Projects (ProjectID, Caption, CreationDate) VALUES (:ID, :Caption, :Created)");
    Connection->BeginTrans();
    Insert->Parameters()->ParamByName(u"ID")->SetValue(Integer(3));
    Insert->Parameters()->ParamByName(u"Caption")->SetValue(Caption);
    Insert->Parameters()
        ->ParamByName(u"Created")
        ->SetValue(Variant::FromDate(EncodeDateTime(1999, 12, 31, 23, 59, 58, 0)));
    EXPECT_EQ(Insert->ExecSQL(), 1);
    EXPECT_THROW(Insert->ExecSQL(), EADOError); // the same key again
    Connection->RollbackTrans();

    TADOQuery* Count = NewQuery(u"SELECT COUNT(*) AS N FROM Projects");
    Count->Open();
    EXPECT_EQ(Count->FieldByName(u"n")->AsInteger(), 2);

    EXPECT_EQ(Insert->ExecSQL(), 1); // outside a transaction each statement commits on its own
    TADOQuery* Read = NewQuery(u"SELECT Caption, CreationDate FROM Projects WHERE Caption = :Caption");
    Read->Parameters()->ParamByName(u"Caption")->SetValue(Caption);
    Read->Open();
    ASSERT_EQ(Read->RecordCount(), 1);
    EXPECT_EQ(Read->FieldByName(u"CAPTION")->AsString(), Caption);
    EXPECT_DOUBLE_EQ(Read->FieldByName(u"CreationDate")->AsDateTime(),
                     EncodeDateTime(1999, 12, 31, 23, 59, 58, 0));
}

TEST_F(FirebirdTest, ProviderMessagesAndReadOnlyTables) {
    TADOQuery* Bad = NewQuery(u"SELECT Nope FROM Projects");
    try {
        Bad->Open();
        ADD_FAILURE();
    } catch (const EADOError& E) {
        EXPECT_NE(E.Message().find(u"Column unknown"), String::npos) << E.what();
    }
    auto* Table = Create<TADOTable>(Connection);
    Table->SetConnection(Connection);
    Table->SetTableName(u"Projects");
    Table->Open();
    EXPECT_EQ(Table->RecordCount(), 2);
    EXPECT_FALSE(Table->CanModify());

    auto* Missing = Create<TADOConnection>(nullptr);
    Missing->SetConnectionString(u"Provider=Firebird;Database=" + Folder / u"gone.fdb" + u";User ID=SYSDBA");
    try {
        Missing->Open();
        ADD_FAILURE();
    } catch (const EADOError& E) {
        EXPECT_NE(E.Message().find(Folder / u"gone.fdb"), String::npos) << E.what();
    }
    Free(Missing);
}
