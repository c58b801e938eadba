// The notifications the grid answers itself: a date picker's change, the
// balloon tool tip's text request with its show and pop notices, and the
// dialog code.

#include "InputTestSupport.h"

#include "rtl/DateTime.h"
#include "windowing/HeadlessBackend.h"

#include "vcl/DateTimePicker.h"
#include "windowing/Input.h"
#include "windowing/ToolTips.h"

using namespace winapi;

namespace {

// Stands in for the tool-tip window: keeps what the grid sends it.
class TTipRecorder : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    void WndProc(TMessage& Message) override {
        if (Message.Msg == TTM_SETTITLEW) {
            Icon = Integer(Message.WParam);
            Title = reinterpret_cast<const Char*>(Message.LParam);
        }
        if (Message.Msg == TTM_SETMAXTIPWIDTH) MaxWidth = Integer(Message.LParam);
        if (Message.Msg == TTM_SETTIPTEXTCOLOR) TextColor = TColor(Message.WParam);
        TCustomControl::WndProc(Message);
    }
    Integer Icon = -1;
    String Title;
    Integer MaxWidth = 0;
    TColor TextColor = clNone;
};

class NotificationTest : public InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        Grid->SetBounds(0, 0, 400, 300);
        Grid->SetColCount(4);
        Grid->SetRowCount(6);
        Show();
        Tip = Create<TTipRecorder>(Form);
        Tip->SetParent(Form);
        Tip->HandleNeeded();
        Grid->Balloon()->SetEnable(true);
        Grid->OnCellBalloon = [this](TObject*, Integer ACol, Integer ARow, String& ATitle, String& AText,
                                     Integer& AIcon) {
            Seen = {ACol, ARow};
            SeenTitle = ATitle;
            SeenText = AText;
            SeenIcon = AIcon;
            if (Fill) Fill(ATitle, AText);
        };
    }
    // Asks for the balloon text with the mouse over a client point.
    String Ask(TPoint At) {
        const TPoint Screen = Grid->ClientToScreen(At);
        SetCursorPos(Screen.X, Screen.Y);
        Pump();
        NMTTDISPINFOW Info;
        Info.hdr.hwndFrom = Tip->Handle();
        Info.hdr.code = TTN_NEEDTEXTW;
        Grid->Perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&Info));
        return Info.lpszText ? String(Info.lpszText) : String(u"(none)");
    }
    THeadlessBackend& Keys() { return static_cast<THeadlessBackend&>(Backend()); }
    TPoint CellCentre(Integer ACol, Integer ARow) {
        const TRect R = Grid->CellRect(ACol, ARow);
        return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    }

    TTipRecorder* Tip = nullptr;
    std::pair<Integer, Integer> Seen{-9, -9};
    String SeenTitle, SeenText;
    Integer SeenIcon = -9;
    std::function<void(String&, String&)> Fill;
};

} // namespace

TEST_F(NotificationTest, BalloonShowsTheCellTextCleanedAndCut) {
    struct TCase {
        const char* Name;
        String Cell;
        String Shown;
    } Cases[] = {
        {"plain", u"Apple", u"Apple"},
        {"leading breaks", u"\r\n\r\nApple", u"Apple"},
        {"tabs inside", u"a\tb\t", u"a b\t"},
        {"markup", u"<b>bold</b><br>next", u"bold\r\nnext"},
        {"long", String(3000, u'x'), String(2045, u'x') + u"..."},
        {"just short enough", String(2048, u'y'), String(2048, u'y')},
    };
    for (const TCase& Case : Cases) {
        Grid->SetCells(2, 3, Case.Cell);
        const String Shown = Ask(CellCentre(2, 3));
        EXPECT_TRUE(Shown == Case.Shown) << Case.Name << ": " << Shown.size() << " characters";
        EXPECT_EQ(Seen, std::make_pair(2, 3)) << Case.Name;
        EXPECT_EQ(SeenTitle, u" ");
        EXPECT_EQ(SeenIcon, 1);
        EXPECT_EQ(Tip->Title, u" ");
        EXPECT_EQ(Tip->Icon, 1);
        EXPECT_EQ(Tip->MaxWidth, 300);
    }
    EXPECT_EQ(Grid->LastBalloonCell(), (TPoint{2, 3}));
}

TEST_F(NotificationTest, BalloonTitleIsCutAndTheHandlerHasTheLastWord) {
    Fill = [](String& Title, String& Text) {
        Title = String(120, u't');
        Text = u"\nfrom the handler";
    };
    EXPECT_EQ(Ask(CellCentre(1, 1)), u"from the handler");
    EXPECT_EQ(Tip->Title, String(97, u't') + u"...");
    // A cell's own balloon comes before the handler.
    Fill = nullptr;
    Grid->AddBalloon(1, 1, u"Own", u"own text", biWarning);
    EXPECT_EQ(Ask(CellCentre(1, 1)), u"own text");
    EXPECT_EQ(Tip->Title, u"Own");
    EXPECT_EQ(Tip->Icon, Integer(biWarning));
    Grid->Balloon()->SetTextColor(0x0000FF);
    Ask(CellCentre(1, 1));
    EXPECT_EQ(Tip->TextColor, 0x0000FF);
}

TEST_F(NotificationTest, BalloonWithoutACellOrWithoutCellTextStillAnswers) {
    Grid->SetCells(1, 1, u"text");
    // Below the last row: no cell.
    EXPECT_EQ(Ask(TPoint{5, 295}), u"");
    EXPECT_EQ(Seen, std::make_pair(-1, -1));
    EXPECT_EQ(Tip->Title, u" ");
    EXPECT_EQ(Tip->Icon, 1);
    // The floating footer's row counts as no cell.
    Grid->FloatingFooter()->SetVisible(true);
    Ask(CellCentre(1, 5));
    EXPECT_EQ(Seen.second, -1);
    Grid->FloatingFooter()->SetVisible(false);
    // ShowCell off: no text and no title.
    Grid->Balloon()->SetShowCell(false);
    EXPECT_EQ(Ask(CellCentre(1, 1)), u"");
    EXPECT_EQ(Tip->Title, u"");
    // Balloons off: the request goes unanswered.
    Grid->Balloon()->SetEnable(false);
    Seen = {-9, -9};
    EXPECT_EQ(Ask(CellCentre(1, 1)), u"(none)");
    EXPECT_EQ(Seen, std::make_pair(-9, -9));
}

TEST_F(NotificationTest, DatePickerChangeGivesTheDateOrZero) {
    std::vector<TDateTime> Told;
    Grid->OnDateTimeChange = [&](TObject*, Integer, Integer, TDateTime Value) { Told.push_back(Value); };
    NMDATETIMECHANGE Change;
    Change.nmhdr.code = DTN_DATETIMECHANGE;
    Change.st.wYear = 2024;
    Change.st.wMonth = 3;
    Change.st.wDay = 5;
    Change.st.wHour = 12;
    Grid->Perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&Change));
    Change.st.wMonth = 0;
    Grid->Perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&Change));
    ASSERT_EQ(Told.size(), 2u);
    EXPECT_DOUBLE_EQ(Told[0], EncodeDate(2024, 3, 5) + 0.5);
    EXPECT_EQ(Told[1], 0);
    // Show and pop notices are swallowed.
    NMHDR Show;
    Show.code = TTN_SHOW;
    EXPECT_EQ(Grid->Perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&Show)), 0);
}

TEST_F(NotificationTest, DialogCodeWantsCharactersAndLetsCtrlTabOut) {
    struct TCase {
        bool Tabs, Ctrl, Editing, AutoGoto;
        bool WantTab, WantChars;
    } Cases[] = {
        {true, false, true, false, true, true},
        {true, true, true, false, false, true},
        {false, false, true, false, false, true},
        {false, false, false, false, false, true},
        {false, false, false, true, false, true},
    };
    for (const TCase& Case : Cases) {
        TGridOptions Options = Grid->Options();
        Case.Tabs ? Options.Include(goTabs) : Options.Exclude(goTabs);
        Case.Editing ? Options.Include(goEditing) : Options.Exclude(goEditing);
        Grid->SetOptions(Options);
        Grid->Navigation()->SetAutoGotoWhenSorted(Case.AutoGoto);
        if (Case.Ctrl) Keys().PressKey(VK_CONTROL);
        Pump();
        const LRESULT Code = Grid->Perform(WM_GETDLGCODE, 0, 0);
        if (Case.Ctrl) Keys().ReleaseKey(VK_CONTROL);
        Pump();
        EXPECT_EQ((Code & DLGC_WANTTAB) != 0, Case.WantTab) << Case.Tabs << Case.Ctrl;
        EXPECT_EQ((Code & DLGC_WANTCHARS) != 0, Case.WantChars) << Case.Editing << Case.AutoGoto;
        EXPECT_NE(Code & DLGC_WANTARROWS, 0);
    }
}
