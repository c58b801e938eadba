// The data-aware grid and the navigator over a real SQLite table of 10,000
// projects: browsing by navigator, clicks and keys, deleting, and a delete
// refused by BeforeDelete.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "data/ADODataSet.h"
#include "data/Connection.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBNavigator.h"
#include "rtl/Encoding.h"
#include "vcl/FormLayout.h"
#include "windowing/Input.h"

#include <filesystem>
#include <sqlite3.h>
#include <unistd.h>

using namespace winapi;

namespace {

constexpr Integer RowCount = 10000;

// A project database with RowCount rows in a folder of its own.
class TProjectsFile {
public:
    TProjectsFile() {
        std::string Template = (std::filesystem::temp_directory_path() / "vandrel-dbctrls-XXXXXX").string();
        Folder = mkdtemp(Template.data());
        Path = Folder + "/VANDREL.db";
        Sql("CREATE TABLE Projects(ID INTEGER PRIMARY KEY, Name TEXT, Description TEXT);"
            "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < 10000) "
            "INSERT INTO Projects SELECT I, 'Project ' || I, 'Description of ' || I FROM N;");
    }
    ~TProjectsFile() { std::filesystem::remove_all(Folder); }

    void Sql(const std::string& Text) const {
        sqlite3* Db = nullptr;
        ASSERT_EQ(sqlite3_open(Path.c_str(), &Db), SQLITE_OK);
        char* Error = nullptr;
        EXPECT_EQ(sqlite3_exec(Db, Text.c_str(), nullptr, nullptr, &Error), SQLITE_OK) << (Error ? Error : "");
        sqlite3_free(Error);
        sqlite3_close(Db);
    }
    Integer Count(const std::string& Where = "1") const {
        sqlite3* Db = nullptr;
        sqlite3_open(Path.c_str(), &Db);
        sqlite3_stmt* Statement = nullptr;
        sqlite3_prepare_v2(Db, ("SELECT COUNT(*) FROM Projects WHERE " + Where).c_str(), -1, &Statement, nullptr);
        sqlite3_step(Statement);
        Integer Result = sqlite3_column_int(Statement, 0);
        sqlite3_finalize(Statement);
        sqlite3_close(Db);
        return Result;
    }

    std::string Folder;
    std::string Path;
};

class DBControlsTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Connection = Create<TADOConnection>(nullptr);
        Connection->SetLoginPrompt(false);
        Connection->SetConnectionString(u"Provider=SQLite;Data Source=" + FromUtf8(File.Path));
        Connection->Open();
        Table = Create<TADOTable>(Connection);
        Table->SetConnection(Connection);
        Table->SetTableName(u"Projects");
        Table->SetIndexFieldNames(u"ID");
        Source = Create<TDataSource>(Connection);
        Source->SetDataSet(Table);
        Form = NewForm();
        Grid = new TDBGrid(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 30, 390, 200);
        Grid->SetDataSource(Source);
        Navigator = new TDBNavigator(Form);
        Navigator->SetParent(Form);
        Navigator->SetVisibleButtons(TNavButtonSet{nbFirst, nbPrior, nbNext, nbLast, nbDelete});
        Navigator->SetDataSource(Source);
        Table->Open();
        Form->Show();
        Pump();
    }
    void TearDown() override {
        Free(Form);
        Free(Connection);
        VclTest::TearDown();
    }
    void Press(TNavigateBtn Which) {
        TPoint P = Centre(Navigator->Button(Which));
        headless::Click(P.X, P.Y);
        Pump();
    }

    TProjectsFile File;
    TADOConnection* Connection = nullptr;
    TADOTable* Table = nullptr;
    TDataSource* Source = nullptr;
    TForm* Form = nullptr;
    TDBGrid* Grid = nullptr;
    TDBNavigator* Navigator = nullptr;
};

} // namespace

TEST_F(DBControlsTest, GridAndNavigatorBrowseTenThousandRows) {
    EXPECT_EQ(Grid->RowCount(), RowCount + 1);
    EXPECT_EQ(Grid->ColCount(), 4) << "the indicator and one column per field";
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_FALSE(Navigator->Button(nbPrior)->Enabled());
    EXPECT_TRUE(Navigator->Button(nbNext)->Enabled());
    EXPECT_EQ(Navigator->Button(nbLast)->Hint(), u"Last record");
    EXPECT_FALSE(Navigator->Button(nbInsert)->Visible());

    Press(nbLast);
    EXPECT_EQ(Table->RecNo(), RowCount);
    EXPECT_EQ(Grid->Row(), RowCount) << "the grid follows the cursor";
    EXPECT_GE(Grid->TopRow() + Grid->VisibleRowCount() - 1, RowCount) << "and shows it";
    EXPECT_FALSE(Navigator->Button(nbNext)->Enabled());
    Press(nbPrior);
    EXPECT_EQ(Table->FieldByName(u"Name")->AsString(), u"Project 9999");
    EXPECT_EQ(Grid->Row(), RowCount - 1);
    Press(nbFirst);
    EXPECT_EQ(Table->RecNo(), 1);
    Press(nbNext);
    EXPECT_EQ(Table->RecNo(), 2);

    // The grid moves the cursor: a click on a row, then the arrow keys.
    TRect Cell = Grid->CellRect(1, 4);
    TPoint P = ScreenAt(Grid, Cell.Left + 5, Cell.Top + 5);
    headless::Click(P.X, P.Y);
    Pump();
    EXPECT_EQ(Table->RecNo(), 4);
    EXPECT_EQ(Table->FieldByName(u"ID")->AsString(), u"4");
    headless::TypeKey(VK_DOWN);
    headless::TypeKey(VK_DOWN);
    Pump();
    EXPECT_EQ(Table->RecNo(), 6);
    headless::TypeKey(VK_NEXT);
    Pump();
    EXPECT_EQ(Table->RecNo(), Grid->Row());
    EXPECT_GT(Table->RecNo(), 6);
    // A row far from the cursor reads its own record.
    EXPECT_EQ(Table->DisplayTextAt(7777, *Table->FieldByName(u"Name")), u"Project 7777");
    EXPECT_EQ(Table->DisplayTextAt(RowCount + 1, *Table->FieldByName(u"Name")), u"");
}

TEST_F(DBControlsTest, NavigatorDeletesTheRowUnlessBeforeDeleteRefuses) {
    Table->SetRecNo(5);
    Pump();
    bool Refuse = true;
    Integer Asked = 0;
    Table->BeforeDelete = [&](TDataSet*) {
        ++Asked;
        if (Refuse) throw EAbort(u"Operation aborted");
    };
    Press(nbDelete);
    EXPECT_EQ(Asked, 1);
    EXPECT_EQ(Table->RecordCount(), RowCount) << "the refused row stays";
    EXPECT_EQ(Table->RecNo(), 5) << "and so does the position";
    EXPECT_EQ(File.Count(), RowCount);
    EXPECT_EQ(Grid->Row(), 5);

    Refuse = false;
    Press(nbDelete);
    EXPECT_EQ(Table->RecordCount(), RowCount - 1);
    EXPECT_EQ(File.Count(), RowCount - 1);
    EXPECT_EQ(File.Count("ID = 5"), 0);
    EXPECT_EQ(Table->FieldByName(u"ID")->AsString(), u"6") << "the cursor moves to the neighbour";
    EXPECT_EQ(Grid->RowCount(), RowCount);
    EXPECT_EQ(Grid->Row(), Table->RecNo());
}

TEST_F(DBControlsTest, DeleteOnAnEmptyTableDoesNothing) {
    Table->Close();
    File.Sql("DELETE FROM Projects;");
    Table->Open();
    Pump();
    EXPECT_FALSE(Navigator->Button(nbDelete)->Enabled());
    bool Asked = false;
    Table->BeforeDelete = [&](TDataSet*) { Asked = true; };
    EXPECT_NO_THROW(Navigator->BtnClick(nbDelete));
    EXPECT_FALSE(Asked);
    EXPECT_EQ(Grid->RowCount(), 2) << "one empty row under the titles";
}

TEST_F(DBControlsTest, GridColumnsGiveTitlesWidthsAndAlignment) {
    TColumn* Name = Grid->Columns()->Add();
    Name->SetFieldName(u"Name");
    Name->SetWidth(125);
    TColumn* Id = Grid->Columns()->Add();
    Id->SetFieldName(u"ID");
    Id->SetTitleCaption(u"Number");
    Id->SetWidth(60);
    Id->SetAlignment(taRightJustify);
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->ColWidths(1), 125);
    EXPECT_EQ(Grid->ColWidths(2), 60);
    EXPECT_EQ(Name->TitleCaption(), u"Name") << "the field's label without a title of its own";
    EXPECT_EQ(Id->TitleCaption(), u"Number");
    Grid->SetCol(2);
    EXPECT_EQ(Grid->SelectedField(), Table->FieldByName(u"ID"));
    Pump();
    // The current row is selected as a whole: the highlight runs under both columns.
    TRect Row = Grid->CellRect(1, 1);
    EXPECT_EQ(ControlPixel(Grid, Row.Right - 3, Row.Top + 2), ColorToRGB(clHighlight));
}

TEST_F(DBControlsTest, GridColumnsStreamWithTheLayoutAndReadBack) {
    RegisterDBControlClasses();
    TForm* Host = NewForm(u"Host");
    auto* Projects = new TDBGrid(Host);
    Projects->SetName(u"grdProjects");
    Projects->SetParent(Host);
    Projects->Columns()->Add()->SetFieldName(u"Name");
    TColumn* Created = Projects->Columns()->Add();
    Created->SetFieldName(u"CreationDate");
    Created->SetTitleCaption(u"Created");
    Created->SetWidth(135);
    Created->SetAlignment(taRightJustify);
    const String Text = WriteLayoutText(Host);
    const std::string Written = Narrow(Text);
    EXPECT_NE(Written.find("Columns = <"), std::string::npos) << Written;
    EXPECT_NE(Written.find("Title.Caption = 'Created'"), std::string::npos) << Written;
    EXPECT_NE(Written.find("Width = 135"), std::string::npos) << Written;
    EXPECT_NE(Written.find("Alignment = taRightJustify"), std::string::npos) << Written;
    EXPECT_EQ(Written.find("Width = 84"), std::string::npos) << "a width from the field is not stored";

    TForm* Copy = NewForm(u"Copy");
    ReadLayoutText(Copy, Text, u"Host.layout");
    auto* Read = dynamic_cast<TDBGrid*>(Copy->FindComponent(u"grdProjects"));
    ASSERT_NE(Read, nullptr);
    ASSERT_EQ(Read->Columns()->Count(), 2);
    EXPECT_EQ(Read->Columns()->Items(0)->FieldName(), u"Name");
    EXPECT_EQ(Read->Columns()->Items(1)->TitleCaption(), u"Created");
    EXPECT_EQ(Read->Columns()->Items(1)->Width(), 135);
    EXPECT_EQ(Read->Columns()->Items(1)->Alignment(), taRightJustify);
    EXPECT_EQ(Read->ColWidths(2), 135);
    EXPECT_EQ(WriteLayoutText(Copy), Text);

    // The navigator's click event binds like any other.
    EXPECT_NE(GetPropInfo(Navigator, u"OnClick"), nullptr);
    EXPECT_NE(GetPropInfo(Read, u"DataSource"), nullptr);
}
