// The copy dialog on a copy of the installed project database: the free
// name it proposes, the characters it refuses while typing, and the names it
// refuses at OK.

#include "ProjectDatabaseFixture.h"
#include "UiTestSupport.h"
#include "ui/CopyProject.h"
#include "ui/UiGlobals.h"
#include "vcl/StdCtrls.h"

namespace {

using TKind = TScriptedUserInteraction::TCallKind;

class UiCopyDialog : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        {
            TRegistry Registry;
            ASSERT_TRUE(Registry.OpenKey(u"SOFTWARE\\Brennhoven\\VANDREL142", true));
            Registry.WriteString(u"Datapath", Folder.Path());
        }
        ClearDataPath();
        GetDataPath();
        ASSERT_TRUE(ForceDirectories(GetDataDir()));
        ASSERT_TRUE(CopyFile(FromUtf8(VANDREL_PROJECT_DATABASE), GetDataDir() + u"VANDREL.db", false));
        dm = Create<TTestDataModule>();
        dm->SetSubstanceLibrary(&Library);
        dm->OpenProjectDatabase(GetDataDir() + u"VANDREL.db");
        dmDataObjects = dm;
        for (const Char* Name : {u"A", u"Copy_of_A", u"Copy1_of_A"})
            dm->ExecDWTQuery(u"INSERT INTO Projects (Name, Description) VALUES (:Name, 'd')", {Variant(Name)});
        Form = Create<TfrmCopyProject>(Application);
        Form->edtName()->SetText(u"A");
        Form->edtDesc()->SetText(u"first try");
    }
    void TearDown() override {
        Free(Form);
        dmDataObjects = nullptr;
        Free(dm);
        ClearDataPath();
        UiTest::TearDown();
    }

    TRegistrySandbox Registry;
    TTestFolder Folder;
    TTestSubstanceLibrary Library;
    TTestDataModule* dm = nullptr;
    TfrmCopyProject* Form = nullptr;
};

} // namespace

TEST_F(UiCopyDialog, ProposesTheFirstFreeNameAndTheDescriptionAndFocusesTheNewName) {
    Form->Show();
    Pump();
    EXPECT_EQ(Form->edtNameNew()->Text(), u"Copy2_of_A");
    EXPECT_EQ(Form->edtDescNew()->Text(), u"Copy_of_first try");
    EXPECT_EQ(Form->newName(), u"Copy2_of_A");
    EXPECT_EQ(Form->ActiveControl(), Form->edtNameNew());
}

TEST_F(UiCopyDialog, ForbiddenCharactersAreRefusedAndAccentsRemovedWhileTyping) {
    struct TCase {
        String Typed;
        String Text;    // the box afterwards
        bool Refused;   // the invalid-characters message shown
    };
    const TCase Cases[] = {
        {u"ab ", u"ab", true},
        {u"ab.", u"ab", true},
        {u"ab/", u"ab", true},
        {u"a\u00E9b", u"ab", false},
        {u"Ab_1-x", u"Ab_1-x", false},
    };
    Form->Show();
    Pump();
    for (const TCase& C : Cases) {
        Form->edtNameNew()->SetText(u"");
        Boxes.clear();
        Type(C.Typed);
        EXPECT_EQ(Form->edtNameNew()->Text(), C.Text) << Narrow(C.Typed);
        EXPECT_EQ(Form->newName(), C.Text) << Narrow(C.Typed);
        EXPECT_EQ(Boxes, C.Refused ? std::vector<String>{InvalidNameCharsMessage()} : std::vector<String>{})
            << Narrow(C.Typed);
    }
    EXPECT_EQ(InvalidNameCharsMessage(), u"invalid characters: <space> = / \\ ( ) * : ? \" < > | , . ");
}

TEST_F(UiCopyDialog, OKRefusesAnEmptyNameAndAStoredNameOfAnyCaseAndTakesAFreeOne) {
    struct TCase {
        String Name;
        String Error; // empty: the dialog closes with OK
    };
    const TCase Cases[] = {
        {u"", u"Enter a name"},
        {u"copy_of_a", u"Name already exists"},
        {u"Copy1_of_A", u"Name already exists"},
        {u"Fresh", u""},
    };
    for (const TCase& C : Cases) {
        Free(Form);
        Form = Create<TfrmCopyProject>(Application);
        Form->edtName()->SetText(u"A");
        const size_t ErrorsBefore = User.Texts(TKind::Error).size();
        bool StillOpen = false;
        std::vector<std::function<void()>> Script{[&] {
            Form->edtNameNew()->SetText(C.Name);
            static_cast<TButton*>(Form->FindComponent(u"btnOK"))->Click();
        }};
        if (!C.Error.empty())
            Script.push_back([&] {
                StillOpen = Form->Visible();
                EXPECT_EQ(Form->ActiveControl(), Form->edtNameNew());
                static_cast<TButton*>(Form->FindComponent(u"btnCancel"))->Click();
            });
        Steps(Script);
        const Integer Result = Form->ShowModal();
        EXPECT_TRUE(StepsDone());
        const std::vector<String> Errors = User.Texts(TKind::Error);
        if (C.Error.empty()) {
            EXPECT_EQ(Result, mrOk) << Narrow(C.Name);
            EXPECT_EQ(Errors.size(), ErrorsBefore);
        } else {
            EXPECT_TRUE(StillOpen) << Narrow(C.Name);
            EXPECT_EQ(Result, mrCancel) << Narrow(C.Name);
            ASSERT_EQ(Errors.size(), ErrorsBefore + 1);
            EXPECT_EQ(Errors.back(), C.Error);
        }
    }
}
