// What the grid answers itself among its window's notifications: a date
// picker's change, the balloon tool tip's request for the text of the cell
// under the mouse with its show and pop notices, and the dialog code.

#include "grid/ZirOvararIzazInput.h"

#include "gridbase/MarkupText.h"
#include "rtl/DateTime.h"
#include "vcl/DateTimePicker.h"
#include "vcl/RichEdit.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/ToolTips.h"

using namespace winapi;

namespace {

constexpr Integer BalloonTextLimit = 2048;
constexpr Integer BalloonTextKept = 2045;
constexpr Integer BalloonTitleLimit = 100;
constexpr Integer BalloonTitleKept = 97;
constexpr Integer BalloonTipWidth = 300;
constexpr Integer InformationIcon = 1;

// A picker's value: 0 when it reports no date.
TDateTime ValueOf(const SYSTEMTIME& St) {
    if (St.wYear == 0 || St.wMonth == 0 || St.wDay == 0) return 0;
    TDateTime Date = 0, Time = 0;
    if (!TryEncodeDate(St.wYear, St.wMonth, St.wDay, Date)) return 0;
    if (!TryEncodeTime(St.wHour, St.wMinute, St.wSecond, St.wMilliseconds, Time)) Time = 0;
    return Date + Time;
}

// The balloon's text as it shows: Tabs before the last character become
// blanks, leading line breaks and Tabs go, a long text is cut with "...".
String CleanBalloonText(String Text) {
    for (size_t i = 0; i + 1 < Text.size(); ++i)
        if (Text[i] == u'\t') Text[i] = u' ';
    size_t Skip = 0;
    while (Skip < Text.size() && (Text[Skip] == u'\r' || Text[Skip] == u'\n' || Text[Skip] == u'\t')) ++Skip;
    if (Integer(Text.size()) > BalloonTextLimit) return Text.substr(Skip, BalloonTextKept) + u"...";
    return Text.substr(Skip);
}

} // namespace

void TZirOvararIzazInput::HandleWMNotify(TMessage& Message) {
    auto* Header = reinterpret_cast<NMHDR*>(Message.LParam);
    if (!Header) {
        TZirOvararIzazCore::WndProc(Message);
        return;
    }
    if (Header->code == DTN_DATETIMECHANGE) {
        if (OnDateTimeChange) {
            const auto* Change = reinterpret_cast<NMDATETIMECHANGE*>(Message.LParam);
            OnDateTimeChange(this, Col(), Row(), ValueOf(Change->st));
        }
        TZirOvararIzazCore::WndProc(Message);
        return;
    }
    if (Header->code == TTN_SHOW || Header->code == TTN_POP) return;
    if (Header->code != TTN_NEEDTEXTW) {
        TZirOvararIzazCore::WndProc(Message);
        return;
    }
    if (!Balloon()->Enable()) return;
    auto* Info = reinterpret_cast<NMTTDISPINFOW*>(Message.LParam);
    TPoint Mouse;
    GetCursorPos(Mouse);
    Mouse = ScreenToClient(Mouse);
    Integer C = -1, R = -1;
    MouseToCell(Mouse.X, Mouse.Y, C, R);
    if (C >= 0 && R >= 0) {
        const TPoint Base = BaseCell(C, R);
        C = Base.X;
        R = Base.Y;
    }
    if (FloatingFooter()->Visible() && R == RowCount() - 1) C = R = -1;
    const bool HasCell = C >= 0 && R >= 0;
    const Integer Real = HasCell ? RealColIndex(C) : -1;
    String Text = HasCell ? BalloonCellText(C, R) : String();
    Integer Icon = InformationIcon;
    String Title = u" ";
    if (!Balloon()->ShowCell()) {
        Title.clear();
        Text.clear();
    }
    if (HasCell) {
        String CellTitle, CellText;
        TBalloonIcon CellIcon = biNone;
        if (IsBalloon(C, R, CellTitle, CellText, CellIcon)) {
            Title = CellTitle;
            Text = CellText;
            Icon = Integer(CellIcon);
        }
    }
    if (OnCellBalloon) OnCellBalloon(this, Real, R, Title, Text, Icon);
    FLastBalloonCell = TPoint{C, R};
    FToolTipBuffer = CleanBalloonText(Text);
    Info->lpszText = FToolTipBuffer.data();
    if (Integer(Title.size()) > BalloonTitleLimit) Title = Title.substr(0, BalloonTitleKept) + u"...";
    HWND Tip = Header->hwndFrom;
    if (!Tip) return;
    SendMessage(Tip, TTM_SETMAXTIPWIDTH, 0, BalloonTipWidth);
    if (Balloon()->TextColor() != clNone) SendMessage(Tip, TTM_SETTIPTEXTCOLOR, WPARAM(ColorToRGB(Balloon()->TextColor())), 0);
    if (Balloon()->BackgroundColor() != clNone)
        SendMessage(Tip, TTM_SETTIPBKCOLOR, WPARAM(ColorToRGB(Balloon()->BackgroundColor())), 0);
    SendMessage(Tip, TTM_SETTITLEW, WPARAM(Icon), reinterpret_cast<LPARAM>(Title.c_str()));
}

String TZirOvararIzazInput::BalloonCellText(Integer ACol, Integer ARow) {
    const String Stored = GridCells(ACol, ARow);
    if (Stored.rfind(u"{\\rtf", 0) == 0) {
        // Rich text shows as the rich-edit control reads it.
        if (TRichEdit* Rich = RichEdit()) {
            CellToRich(ACol, ARow, Rich);
            return Rich->Text();
        }
        return Stored;
    }
    if (Stored.find(u"</") != String::npos) return MarkupToPlainText(Stored);
    return Stored;
}

void TZirOvararIzazInput::HandleWMGetDlgCode(TMessage& Message) {
    TZirOvararIzazCore::WndProc(Message);
    if (Navigation()->Settings().AutoGotoWhenSorted || !Options().Contains(goEditing))
        Message.Result |= DLGC_WANTCHARS;
    // Ctrl+Tab leaves the grid for the next control.
    if (Options().Contains(goTabs) && GetKeyState(VK_CONTROL) < 0) Message.Result &= ~LRESULT(DLGC_WANTTAB);
}
