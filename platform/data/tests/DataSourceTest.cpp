// What data sources and data links hear of a data set.

#include "data/DataSource.h"

#include "SqliteFixture.h"

namespace {

// A data-aware control's link that writes down what it hears.
class RecordingLink : public TDataLink {
public:
    std::vector<std::string> Heard;

protected:
    void ActiveChanged() override { Heard.push_back(Active() ? "active" : "inactive"); }
    void EditingChanged() override { Heard.push_back(Editing() ? "editing" : "browsing"); }
    void DataSetChanged() override { Heard.push_back("changed"); }
    void DataSetScrolled() override { Heard.push_back("scrolled"); }
    void RecordChanged(TField* Field) override {
        Heard.push_back(Field ? "field " + Utf8(Field->FieldName()) : "record");
    }
};

class DataSourceTest : public SqliteFixture {
protected:
    void SetUp() override {
        SqliteFixture::SetUp();
        Projects = NewTable(u"Projects", u"ID");
        Source = Create<TDataSource>(Connection);
        Source->SetDataSet(Projects);
        Source->OnDataChange = [this](TObject* Sender, TField* Field) {
            EXPECT_EQ(Sender, Source);
            Changes.push_back(Field ? Utf8(Field->FieldName()) : "record");
        };
    }
    // The changes heard since the last call.
    std::vector<std::string> Take() { return std::exchange(Changes, {}); }

    TADOTable* Projects = nullptr;
    TDataSource* Source = nullptr;
    std::vector<std::string> Changes;
};

using Heard = std::vector<std::string>;

} // namespace

TEST_F(DataSourceTest, OneRecordChangePerMove) {
    Projects->Open();
    EXPECT_EQ(Take(), Heard{"record"});
    Projects->First(); // already there: no move
    Projects->Next();
    EXPECT_EQ(Take(), Heard{"record"});
    Projects->Last();
    Projects->Next(); // past the end: no move
    EXPECT_EQ(Take(), Heard{"record"});
    Projects->Locate(u"ID", Integer(1));
    Projects->Locate(u"ID", Integer(99));
    EXPECT_EQ(Take(), Heard{"record"});

    Projects->Edit();
    Projects->FieldByName(u"Name")->SetAsString(u"Rijn");
    EXPECT_EQ(Take(), Heard{"Name"}); // a field change names the field
    Projects->Post();
    EXPECT_EQ(Take(), Heard{"record"});
    Projects->Delete();
    EXPECT_EQ(Take(), Heard{"record"});
    Projects->Refresh();
    EXPECT_EQ(Take(), Heard{"record"});
    Projects->Close();
    EXPECT_EQ(Take(), Heard{});
}

TEST_F(DataSourceTest, DisabledControlsReportOnceWhenEnabledAgain) {
    Projects->Open();
    Take();
    Projects->DisableControls();
    Projects->DisableControls();
    for (Projects->First(); !Projects->Eof(); Projects->Next()) {
        Projects->Edit();
        Projects->FieldByName(u"Description")->SetAsString(u"checked");
        Projects->Post();
    }
    Projects->EnableControls();
    EXPECT_EQ(Take(), Heard{}); // still disabled once
    Projects->EnableControls();
    EXPECT_EQ(Take(), Heard{"record"});
    EXPECT_EQ(Scalar("SELECT count(*) FROM Projects WHERE Description = 'checked'"), "3");
}

TEST_F(DataSourceTest, DisabledSourceAndDetachedHandlerHearNothing) {
    Source->SetEnabled(false);
    Projects->Open();
    Projects->Next();
    EXPECT_EQ(Take(), Heard{});
    EXPECT_EQ(Source->State(), dsInactive);
    Source->SetEnabled(true);
    EXPECT_EQ(Source->State(), dsBrowse);
    Projects->Next();
    EXPECT_EQ(Take(), Heard{"record"});

    auto Handler = std::move(Source->OnDataChange);
    Source->OnDataChange = nullptr;
    Projects->Close();
    Projects->Open();
    Source->OnDataChange = std::move(Handler);
    EXPECT_EQ(Take(), Heard{});
}

TEST_F(DataSourceTest, DataLinkFollowsTheDataSet) {
    RecordingLink Link;
    Link.SetDataSource(Source);
    EXPECT_FALSE(Link.Active());
    Projects->Open();
    Projects->Next();
    Projects->Edit();
    Projects->FieldByName(u"Name")->SetAsString(u"Maas");
    Projects->Cancel();
    Projects->Close();
    EXPECT_EQ(Link.Heard, (Heard{"active", "changed", "scrolled", "editing", "field Name", "browsing",
                                 "changed", "inactive"}));
    EXPECT_EQ(Link.DataSet(), Projects);

    // Freeing the data set leaves the source without one.
    Free(Projects);
    EXPECT_EQ(Source->DataSet(), nullptr);
    EXPECT_FALSE(Link.Active());
}
