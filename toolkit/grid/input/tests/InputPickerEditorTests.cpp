// The typed in-place editors: spin, date and time pickers, date and time,
// edit with a button and value with a unit. Each is opened on a cell with
// F2, driven with keys through the headless backend, and written back.

#include "InputEditingSupport.h"

#include "grid/GridPickerEditors.h"
#include "gridbase/SpinEdit.h"
#include "rtl/DateTime.h"
#include "vcl/Clipbrd.h"

#include <cmath>

using namespace winapi;

namespace {

std::string Narrow(const String& S) {
    return std::string(S.begin(), S.end());
}

class PickerTest : public EditingTest {
protected:
    // Opens the editor of Kind on cell (1, 1) holding Text.
    void Open(TEditorType Kind, const String& Text) {
        Grid->OnGetEditorType = [Kind](TObject*, Integer, Integer, TEditorType& E) { E = Kind; };
        Grid->SetCells(1, 1, Text);
        Key(VK_F2);
        ASSERT_TRUE(Grid->EditMode());
    }
    String Cell() { return Grid->Cells(1, 1); }
    static TDateTime Day(Word Y, Word M, Word D) { return EncodeDate(Y, M, D); }
    static TDateTime Today() { return std::floor(Now()); }
};

// ---- One row per kind: set up from the cell, changed, written back ----------------

TEST_F(PickerTest, EachKindSetsUpChangesAndWritesBack) {
    struct Case {
        TEditorType Kind;
        const char16_t* Start;
        const char16_t* Typed; // typed after selecting all
        const char16_t* Stored;
    } Cases[] = {
        {edSpinEdit, u"7", u"42", u"42"},
        {edFloatSpinEdit, u"1.5", u"2.25", u"2.25"},
        {edTimeSpinEdit, u"10:15:00", nullptr, u"10:15:00"},
        {edEditBtn, u"abc", u"xyz", u"xyz"},
        {edNumericEditBtn, u"12", u"34", u"34"},
        {edFloatEditBtn, u"1.5", u"2.5", u"2.5"},
        {edUnitEditBtn, u"5", u"8", u"8"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(int(C.Kind));
        Open(C.Kind, C.Start);
        auto* Edit = dynamic_cast<TCustomEdit*>(Grid->EditCtrl());
        ASSERT_NE(Edit, nullptr);
        EXPECT_TRUE(Edit->Visible());
        EXPECT_TRUE(Edit->Focused());
        if (C.Typed) {
            Edit->SelectAll();
            Type(C.Typed);
        }
        Key(VK_RETURN);
        EXPECT_FALSE(Grid->EditMode());
        EXPECT_FALSE(Edit->Visible());
        EXPECT_EQ(Cell(), String(C.Stored));
        Grid->FocusCell(1, 1);
        Pump();
    }
}

TEST_F(PickerTest, DateAndTimeKindsSetUpFromTheCell) {
    const TDateTime D = Day(2024, 3, 5), T = EncodeTime(10, 30, 0, 0);
    Open(edDateSpinEdit, DateToStr(D));
    EXPECT_EQ(std::floor(Grid->SpinEdit()->DateValue()), D);
    EXPECT_EQ(Grid->SpinEdit()->SpinType(), sptDate);
    Key(VK_RETURN);
    EXPECT_EQ(Grid->Dates(1, 1), D);

    Grid->FocusCell(1, 1);
    Open(edTimeEdit, TimeToStr(T));
    TGridDatePicker* P = Grid->DateTimePicker();
    EXPECT_EQ(P->Kind(), dtkTime);
    EXPECT_NEAR(P->Time(), T, 1e-6);
    Key(VK_RETURN);
    EXPECT_EQ(Cell(), TimeToStr(T));

    Grid->FocusCell(1, 1);
    Open(edDateEditUpDown, DateToStr(D));
    EXPECT_EQ(P->Kind(), dtkDate);
    EXPECT_EQ(P->DateMode(), dmUpDown);
    EXPECT_EQ(P->Date(), D);
    Key(VK_RETURN);
    EXPECT_EQ(Cell(), DateToStr(D));
}

TEST_F(PickerTest, DatePickersSetUpFromTheCellAndWriteBack) {
    const String Start = DateToStr(Day(2024, 3, 5));
    Open(edDateEdit, Start);
    TGridDatePicker* P = Grid->DateTimePicker();
    ASSERT_EQ(Grid->EditCtrl(), P);
    EXPECT_EQ(P->Date(), Day(2024, 3, 5));
    Key(VK_UP); // the field under the caret steps
    EXPECT_NE(P->Date(), Day(2024, 3, 5));
    const TDateTime Changed = P->Date();
    Key(VK_RETURN);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Cell(), DateToStr(Changed));

    Grid->FocusCell(1, 1);
    Pump();
    const String Both = DateToStr(Day(2024, 3, 5)) + u" " + TimeToStr(EncodeTime(10, 30, 0, 0));
    Open(edDateTimeEdit, Both);
    TGridDateTimePicker* DT = Grid->DateAndTimePicker();
    ASSERT_EQ(Grid->EditCtrl(), DT);
    EXPECT_EQ(DT->Date(), Day(2024, 3, 5));
    DT->SetDate(Day(2024, 3, 6));
    Key(VK_RETURN);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Cell(), DateToStr(Day(2024, 3, 6)) + u" " + TimeToStr(EncodeTime(10, 30, 0, 0)));
}

// ---- Spin ----------------------------------------------------------------------------

TEST_F(PickerTest, SpinPageAndEndKeysKeepToTheLimits) {
    // Limits 0 to 100, step 1: End gives the minimum, Home the maximum.
    struct Case {
        const char16_t* Start;
        Integer Key;
        Integer Value;
    } Cases[] = {
        {u"100", VK_PRIOR, 100}, {u"99", VK_PRIOR, 100}, {u"0", VK_NEXT, 0},
        {u"5", VK_NEXT, 4},      {u"50", VK_END, 0},     {u"50", VK_HOME, 100},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(Narrow(C.Start) + " key " + std::to_string(C.Key));
        Open(edSpinEdit, C.Start);
        Key(C.Key);
        EXPECT_TRUE(Grid->EditMode());
        EXPECT_EQ(Grid->SpinEdit()->Value(), C.Value);
        Key(VK_RETURN);
        EXPECT_EQ(Cell(), IntToStr(C.Value));
        Grid->FocusCell(1, 1);
        Pump();
    }
}

TEST_F(PickerTest, SpinClampsAtCommitAndWithAlwaysValidate) {
    TGridSpin* S = Grid->SpinEdit();
    S->SetMinValue(10);
    S->SetMaxValue(20);
    Open(edSpinEdit, u"15");
    S->SetText(u"35");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(), u"20");

    // Equal limits mean no limit, unless AlwaysValidate asks for the clamp.
    Grid->FocusCell(1, 1);
    S->SetMinValue(0);
    S->SetMaxValue(0);
    Open(edSpinEdit, u"15");
    S->SetText(u"35");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(), u"35");

    Grid->FocusCell(1, 1);
    S->SetAlwaysValidate(true);
    Open(edSpinEdit, u"15");
    S->SetText(u"35");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(), u"0");
}

TEST_F(PickerTest, SpinClickEventsByType) {
    std::vector<std::string> Events;
    Grid->OnSpinClick = [&](TObject* Sender, Integer ACol, Integer ARow, Integer V, bool Up) {
        EXPECT_EQ(Sender, Grid);
        EXPECT_EQ(ACol, 1);
        EXPECT_EQ(ARow, 1);
        Events.push_back("int " + std::to_string(V) + (Up ? " up" : " down"));
    };
    Grid->OnFloatSpinClick = [&](TObject*, Integer, Integer, Double V, bool Up) {
        Events.push_back("float " + std::to_string(int(V * 10)) + (Up ? " up" : " down"));
    };
    Open(edSpinEdit, u"5");
    Key(VK_PRIOR);
    Key(VK_NEXT);
    Grid->SpinEdit()->UpButtonClick(nullptr);
    Key(VK_ESCAPE);
    Grid->FocusCell(1, 1);
    Open(edFloatSpinEdit, u"1.5");
    Grid->SpinEdit()->UpButtonClick(nullptr);
    Grid->SpinEdit()->DownButtonClick(nullptr);
    Key(VK_ESCAPE);
    EXPECT_EQ(Events, (std::vector<std::string>{"int 6 up", "int 5 down", "int 6 up", "float 16 up",
                                                "float 15 down"}));
}

TEST_F(PickerTest, EscapeLeavesTheCellAsItWas) {
    const TEditorType Kinds[] = {edSpinEdit, edFloatSpinEdit, edDateSpinEdit, edDateEdit, edTimeEdit,
                                 edDateTimeEdit};
    const char16_t* Texts[] = {u"", u"abc", u"31.31.31 99"};
    for (TEditorType Kind : Kinds) {
        for (const char16_t* Text : Texts) {
            SCOPED_TRACE(std::to_string(int(Kind)) + " '" + Narrow(Text) + "'");
            Open(Kind, Text);
            if (auto* S = dynamic_cast<TGridSpin*>(Grid->EditCtrl())) S->SetText(u"12");
            Key(VK_ESCAPE);
            EXPECT_FALSE(Grid->EditMode());
            EXPECT_EQ(Cell(), String(Text));
            Grid->FocusCell(1, 1);
            Pump();
        }
    }
}

// A refused value keeps the editor open on its cell (the Enter advance held
// back), and Esc then gives the cell its text from before the edit.
TEST_F(PickerTest, RefusedValueKeepsTheEditorAndEscapeRestoresTheCell) {
    Grid->Navigation()->SetAdvanceOnEnter(true);
    Grid->OnCellValidate = [](TObject*, Integer, Integer, String&, bool& Valid) { Valid = false; };
    struct Case {
        TEditorType Kind;
        const char16_t* Start;
        const char16_t* Typed;
    } Cases[] = {
        {edSpinEdit, u"7", u"42"},
        {edEditBtn, u"abc", u"xyz"},
        {edUnitEditBtn, u"5", u"8"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(int(C.Kind));
        Open(C.Kind, C.Start);
        auto* Edit = dynamic_cast<TCustomEdit*>(Grid->EditCtrl());
        ASSERT_NE(Edit, nullptr);
        Edit->SelectAll();
        Type(C.Typed);
        Key(VK_RETURN);
        EXPECT_TRUE(Grid->EditMode());
        EXPECT_TRUE(Edit->Visible());
        EXPECT_EQ(Grid->Row(), 1);
        EXPECT_EQ(Grid->Col(), 1);
        Key(VK_ESCAPE);
        EXPECT_FALSE(Grid->EditMode());
        EXPECT_EQ(Cell(), String(C.Start));
        Grid->FocusCell(1, 1);
        Pump();
    }
}

// ---- Date pickers --------------------------------------------------------------------

TEST_F(PickerTest, DatePickerStartsInsideItsLimits) {
    const TDateTime T = Today();
    struct Case {
        TDateTime Min, Max;
        TDateTime Cell; // 0: an empty cell
        TDateTime Start;
    } Cases[] = {
        {0, T - 10, 0, T - 10},            // a maximum before today
        {T + 10, 0, 0, T + 10},            // a minimum after today
        {T - 10, 0, 0, T},                 // a minimum before today
        {T - 10, T + 10, T - 10, T - 10},  // on the minimum: unchanged
        {T - 10, T + 10, T + 10, T + 10},  // on the maximum: unchanged
        {T - 10, T + 10, T - 20, T - 10},  // before the minimum
        {T - 10, T + 10, T + 20, T + 10},  // after the maximum
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::to_string(C.Min - T) + " .. " + std::to_string(C.Max - T) + " cell " +
                     std::to_string(C.Cell ? C.Cell - T : 0));
        TGridDatePicker* P = Grid->DateTimePicker();
        P->SetMinDate(0);
        P->SetMaxDate(0);
        P->SetDateTime(T);
        P->SetMinDate(C.Min);
        P->SetMaxDate(C.Max);
        Open(edDateEdit, C.Cell ? DateToStr(C.Cell) : String());
        EXPECT_EQ(P->Date(), C.Start);
        Key(VK_ESCAPE);
        Grid->FocusCell(1, 1);
        Pump();
    }
}

TEST_F(PickerTest, DatePickerMovesOnWhenADayOrMonthIsComplete) {
    Grid->DateTimePicker()->SetFormat(u"dd-MM-yyyy");
    Open(edDateEdit, DateToStr(Day(2026, 1, 1)));
    TGridDatePicker* P = Grid->DateTimePicker();
    ASSERT_EQ(P->CurrentField(), 0);
    Type(u"0");
    EXPECT_EQ(P->CurrentField(), 0); // nothing changed yet
    Type(u"5");
    EXPECT_EQ(P->CurrentField(), 1); // the day is complete
    Type(u"03");
    EXPECT_EQ(P->CurrentField(), 2); // the month is complete
    Type(u"2027");
    EXPECT_EQ(P->CurrentField(), 2); // the year is the last field
    EXPECT_EQ(P->Date(), Day(2027, 3, 5));
    Key(VK_RETURN);
    EXPECT_EQ(Cell(), DateToStr(Day(2027, 3, 5)));
}

TEST_F(PickerTest, DatePickerOnAnEmptyCellWritesOnlyAChange) {
    Open(edDateEdit, u"");
    Grid->SetFocus();
    Pump();
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Cell(), u"");

    Grid->FocusCell(1, 1);
    Open(edDateEdit, u"");
    Key(VK_UP);
    const TDateTime Changed = Grid->DateTimePicker()->Date();
    Grid->SetFocus();
    Pump();
    EXPECT_EQ(Cell(), DateToStr(Changed));
}

TEST_F(PickerTest, DateAndTimeTabFromTheTimePartCommitsAndMovesOn) {
    TGridOptions Opts = Grid->Options();
    Opts.Include(goTabs);
    Grid->SetOptions(Opts);
    const TDateTime Start = Day(2024, 3, 5) + EncodeTime(10, 30, 0, 0);
    Open(edDateTimeEdit, DateToStr(Start) + u" " + TimeToStr(Start));
    TGridDateTimePicker* P = Grid->DateAndTimePicker();
    ASSERT_NE(P->TimePicker(), nullptr);
    Key(VK_TAB); // from the date part: on to the time part
    EXPECT_TRUE(Grid->EditMode());
    EXPECT_TRUE(P->TimePicker()->Focused());
    P->SetDate(Day(2024, 3, 9));
    Key(VK_TAB);
    EXPECT_EQ(Cell(), DateToStr(Day(2024, 3, 9)) + u" " + TimeToStr(Start));
    EXPECT_EQ(Grid->Col(), 2);
}

TEST_F(PickerTest, DateAndTimeEscapeRestoresTheCellsValue) {
    const TDateTime Start = Day(2024, 3, 5) + EncodeTime(10, 30, 0, 0);
    const String Text = DateToStr(Start) + u" " + TimeToStr(Start);
    Open(edDateTimeEdit, Text);
    TGridDateTimePicker* P = Grid->DateAndTimePicker();
    P->SetDateTime(Day(2025, 1, 1) + EncodeTime(8, 0, 0, 0));
    Key(VK_ESCAPE);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Cell(), Text);
    EXPECT_EQ(P->Date(), Day(2024, 3, 5));
    EXPECT_NEAR(P->Time(), EncodeTime(10, 30, 0, 0), 1e-6);
}

TEST_F(PickerTest, DateAndTimeEnterValidates) {
    bool Refuse = true;
    std::vector<String> Seen;
    Grid->OnCellValidate = [&](TObject*, Integer, Integer, String& Value, bool& Valid) {
        Seen.push_back(Value);
        Valid = !Refuse;
    };
    const TDateTime Start = Day(2024, 3, 5) + EncodeTime(10, 30, 0, 0);
    Open(edDateTimeEdit, DateToStr(Start) + u" " + TimeToStr(Start));
    Grid->DateAndTimePicker()->SetDate(Day(2024, 3, 7));
    const String Expected = DateToStr(Day(2024, 3, 7)) + u" " + TimeToStr(Start);
    Key(VK_RETURN);
    EXPECT_TRUE(Grid->EditMode());
    Refuse = false;
    Key(VK_RETURN);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Seen, (std::vector<String>{Expected, Expected}));
    EXPECT_EQ(Cell(), Expected);
}

// ---- Edit with a button, value with a unit ------------------------------------------

TEST_F(PickerTest, NumericEditButtonTakesOneLeadingMinus) {
    struct Case {
        const char16_t* Start;
        Integer Caret;
        char16_t Ch;
        const char16_t* Result;
        bool Beeps;
    } Cases[] = {
        {u"12", 1, u'-', u"12", true}, {u"12", 0, u'-', u"-12", false}, {u"-12", 0, u'-', u"-12", true},
        {u"12", 2, u'x', u"12", true}, {u"12", 2, u'3', u"123", false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(Narrow(C.Start) + " at " + std::to_string(C.Caret));
        Open(edNumericEditBtn, C.Start);
        TGridEditBtn* E = Grid->BtnEdit();
        E->SetSelStart(C.Caret);
        const Integer Beeps = EditorBeepCount();
        SendMessage(E->Handle(), WM_CHAR, WPARAM(C.Ch), 0);
        Pump();
        EXPECT_EQ(E->Text(), String(C.Result));
        EXPECT_EQ(EditorBeepCount() - Beeps, C.Beeps ? 1 : 0);
        Key(VK_ESCAPE);
        Grid->FocusCell(1, 1);
        Pump();
    }
}

TEST_F(PickerTest, PasteIntoEditButtonCutsOneTrailingLineBreak) {
    struct Case {
        const char16_t* Clip;
        bool Allow;
        const char16_t* Result;
    } Cases[] = {
        {u"abc\r\n", true, u"xabc"},
        {u"a\r\nb", true, u"xa\r\nb"},
        {u"abc", false, u"x"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(Narrow(C.Clip));
        Grid->OnClipboardPaste = [&](TObject*, bool& Allow) { Allow = C.Allow; };
        Clipboard()->SetAsText(C.Clip);
        Open(edEditBtn, u"x");
        TGridEditBtn* E = Grid->BtnEdit();
        E->SetSelStart(1);
        SendMessage(E->Handle(), WM_PASTE, 0, 0);
        EXPECT_EQ(E->Text(), String(C.Result));
        Key(VK_ESCAPE);
        Grid->FocusCell(1, 1);
        Pump();
    }
}

TEST_F(PickerTest, EditButtonClickTakesTheEllipsisTextAndMayStop) {
    Integer Clicks = 0;
    Grid->OnEllipsClick = [&](TObject* Sender, Integer ACol, Integer ARow, String& S) {
        EXPECT_EQ(Sender, Grid);
        EXPECT_EQ(ACol, 1);
        EXPECT_EQ(ARow, 1);
        ++Clicks;
        S = u"picked " + S;
    };
    Open(edEditBtn, u"a");
    TGridEditBtn* E = Grid->BtnEdit();
    E->DoClickBtn(E);
    EXPECT_TRUE(Grid->EditMode());
    EXPECT_EQ(E->Text(), u"picked a");
    EXPECT_EQ(E->SelLength(), 8);
    Key(VK_ESCAPE);
    EXPECT_EQ(Cell(), u"a");

    Grid->FocusCell(1, 1);
    E->SetStopEditAfterClick(true);
    Open(edEditBtn, u"b");
    E->DoClickBtn(E);
    Pump();
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Cell(), u"picked b");
    EXPECT_EQ(Clicks, 2);
}

TEST_F(PickerTest, UnitEditSplitsTheCellAndEscapeRestoresIt) {
    TGridUnitEditBtn* U = Grid->BtnUnitEdit();
    U->Units()->Add(u"kg");
    U->Units()->Add(u"g");
    Open(edUnitEditBtn, u"5kg");
    EXPECT_EQ(U->Text(), u"5");
    EXPECT_EQ(U->UnitID(), u"kg");
    U->SetText(u"7");
    U->SetUnitID(u"g");
    Key(VK_ESCAPE);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(U->UnitID(), u"");
    EXPECT_EQ(Cell(), u"5kg");

    Grid->FocusCell(1, 1);
    Open(edUnitEditBtn, u"5kg");
    U->SetText(u"7");
    U->SetUnitID(u"g");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(), u"7g");
}

TEST_F(PickerTest, EditButtonWalksToTheNeighbourCellAtTheTextsEdges) {
    Grid->Navigation()->PlainSettings().CursorWalkEditor = true;
    Grid->Navigation()->PlainSettings().CursorWalkAlwaysEdit = false;
    Open(edEditBtn, u"ab");
    TGridEditBtn* E = Grid->BtnEdit();
    E->SetSelStart(0);
    Type(u"c");
    Key(VK_RIGHT); // not yet at the end
    EXPECT_TRUE(Grid->EditMode());
    Key(VK_RIGHT); // the caret reaches the end: on to the next cell
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Cell(), u"cab");

    Grid->FocusCell(2, 1);
    Pump();
    Grid->SetCells(2, 1, u"xy");
    Key(VK_F2);
    ASSERT_TRUE(Grid->EditMode());
    E->SetSelStart(1);
    Key(VK_LEFT); // the caret was not at the start when the key went down
    EXPECT_TRUE(Grid->EditMode());
    Key(VK_LEFT);
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Grid->Col(), 1);
}

TEST_F(PickerTest, EditorsReportTheirChangesToTheGrid) {
    std::vector<String> Changes;
    Grid->OnEditChange = [&](TObject* Sender, Integer ACol, Integer ARow, const String& Value) {
        EXPECT_EQ(Sender, Grid);
        EXPECT_EQ(ACol, 1);
        EXPECT_EQ(ARow, 1);
        Changes.push_back(Value);
    };
    Open(edSpinEdit, u"5");
    Key(VK_PRIOR);
    Key(VK_ESCAPE);
    Grid->FocusCell(1, 1);
    Open(edEditBtn, u"a");
    Type(u"b");
    Key(VK_ESCAPE);
    Grid->FocusCell(1, 1);
    Open(edDateEdit, DateToStr(Day(2024, 3, 5)));
    Changes.clear();
    Key(VK_UP);
    EXPECT_EQ(Changes, std::vector<String>{DateToStr(Grid->DateTimePicker()->Date())});
    Key(VK_ESCAPE);

    std::vector<TDateTime> Times;
    Grid->OnDateTimeChange = [&](TObject*, Integer, Integer, TDateTime Value) { Times.push_back(Value); };
    Grid->FocusCell(1, 1);
    const TDateTime Start = Day(2024, 3, 5) + EncodeTime(10, 30, 0, 0);
    Open(edDateTimeEdit, DateToStr(Start) + u" " + TimeToStr(Start));
    Grid->DateAndTimePicker()->TimePicker()->SetFocus();
    Pump();
    Key(VK_UP);
    ASSERT_EQ(Times.size(), 1u);
    EXPECT_NE(Times[0], Start);
    Key(VK_ESCAPE);
}

TEST_F(PickerTest, DirectDateCloseEndsTheEditWhenTheCalendarCloses) {
    std::vector<std::string> Events;
    Grid->OnDatePickerDropDown = [&](TObject*, Integer ARow, Integer ACol) {
        Events.push_back("drop " + std::to_string(ACol) + "," + std::to_string(ARow));
    };
    Grid->OnDatePickerCloseUp = [&](TObject*, Integer, Integer) { Events.push_back("close"); };
    Grid->MouseActions()->PlainSettings().DirectDateClose = true;
    Open(edDateEdit, DateToStr(Day(2024, 3, 5)));
    TGridDatePicker* P = Grid->DateTimePicker();
    P->SetDroppedDown(true);
    Pump();
    EXPECT_TRUE(Grid->EditMode());
    P->SetDroppedDown(false);
    Pump();
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_EQ(Events, (std::vector<std::string>{"drop 1,1", "close"}));
}

} // namespace
