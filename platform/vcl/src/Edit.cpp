// The edit window: text, caret and selection, keys, mouse, clipboard and the
// edit messages, and its painting.

#include "graphics/DeviceContext.h"
#include "graphics/GdiText.h"
#include "rtl/ClassBuilder.h"
#include "rtl/StringUtils.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "windowing/Clipboard.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/ScrollBar.h"
#include "windowing/ToolTips.h"
#include "windowing/Window.h"

#include <algorithm>
#include <cstring>

using namespace winapi;

const TClassInfo& TCustomEdit::StaticClassInfo() {
    static const TClassInfo Info = 
        TClassBuilder<TCustomEdit, TCustomControl>()
            .Property(u"Caption", &TCustomEdit::Caption, &TCustomEdit::SetCaption)
            .Stored(false)
            .Property(u"Text", &TCustomEdit::Text, &TCustomEdit::SetText)
            .Property(u"ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly)
            .Default(false)
            .Property(u"MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength)
            .Default(0)
            .Property(u"CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase)
            .Default(ecNormal)
            .Property(u"Alignment", &TCustomEdit::Alignment, &TCustomEdit::SetAlignment)
            .Default(taLeftJustify)
            .Property(u"PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar)
            .Default(0)
            .Property(u"OnChange", &TCustomEdit::OnChange, [](TCustomEdit& E, TNotifyEvent V) { E.OnChange = std::move(V); })
            .Build();
    return Info;
}
const TClassInfo& TEdit::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TEdit, TCustomEdit>().Build();
    return Info;
}

namespace {

bool IsWordChar(Char C) {
    return C != u' ' && C != u'\t' && C != u'\r' && C != u'\n';
}

} // namespace

// Text widths in the edit's font, on a memory context of its own so that
// measuring works with or without a window.
class TCustomEdit::TMeasure {
public:
    explicit TMeasure(const TCustomEdit& Edit) : FDC(CreateCompatibleDC(nullptr)) {
        FOld = SelectObject(FDC, Edit.Font()->Handle());
    }
    ~TMeasure() {
        SelectObject(FDC, FOld);
        DeleteDC(FDC);
    }
    TMeasure(const TMeasure&) = delete;
    TMeasure& operator=(const TMeasure&) = delete;

    Integer Width(const String& Text) const {
        if (Text.empty()) return 0;
        TSize Size;
        GetTextExtentPoint32(FDC, Text, Size);
        return Size.cx;
    }
    Integer Height() const {
        TTextMetric Metrics;
        GetTextMetrics(FDC, Metrics);
        return Metrics.tmHeight;
    }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(
        TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight});
    InitAppearance(true, clWindow, true);
    Brush()->SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetCursor(crIBeam);
}

TCustomEdit::~TCustomEdit() {
    if (FBalloon && IsWindow(FBalloon)) DestroyWindow(FBalloon);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (FReadOnly) Params.Style |= ES_READONLY;
    if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
    if (FPasswordChar != 0) Params.Style |= ES_PASSWORD;
    if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
    if (FAlignment == taRightJustify) Params.Style |= ES_RIGHT;
    if (FAlignment == taCenter) Params.Style |= ES_CENTER;
    if (FCharCase == ecUpperCase) Params.Style |= ES_UPPERCASE;
    if (FCharCase == ecLowerCase) Params.Style |= ES_LOWERCASE;
}

void TCustomEdit::CreateWnd() {
    TCustomControl::CreateWnd();
    FEditStyle = DWORD(GetWindowLong(Handle(), GWL_STYLE));
    FLayoutValid = false;
    UpdateScrollBars();
}

// ---- Properties ----

Integer TCustomEdit::SelStart() const {
    return std::min(FAnchor, FCaret);
}

Integer TCustomEdit::SelLength() const {
    return std::abs(FCaret - FAnchor);
}

void TCustomEdit::SetSelStart(Integer Value) {
    Select(Value, Value);
}

void TCustomEdit::SetSelLength(Integer Value) {
    Integer Start = SelStart();
    Select(Start, Start + Value);
}

String TCustomEdit::SelText() const {
    return FText.substr(size_t(SelStart()), size_t(SelLength()));
}

void TCustomEdit::SetSelText(const String& Value) {
    ReplaceSelection(Value, false);
}

void TCustomEdit::SelectAll() {
    Select(0, Integer(FText.size()));
}

void TCustomEdit::ClearSelection() {
    if (SelLength() > 0) ReplaceSelection(String(), false);
}

void TCustomEdit::SetReadOnly(bool Value) {
    FReadOnly = Value;
}

void TCustomEdit::SetMaxLength(Integer Value) {
    FMaxLength = std::max(Value, 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value) {
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    Invalidate();
}

void TCustomEdit::SetPasswordChar(Char Value) {
    if (FPasswordChar == Value) return;
    FPasswordChar = Value;
    FLayoutValid = false;
    Invalidate();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
    if (FCharCase == Value) return;
    FCharCase = Value;
    // Only the case changes: the text is not announced as changed.
    String Converted = ApplyCharCase(FText);
    if (Converted != FText) {
        FText = Converted;
        TextChanged();
    }
    if (HandleAllocated()) RecreateWnd();
}

String TCustomEdit::ApplyCharCase(const String& Value) const {
    if (FCharCase == ecUpperCase) return AnsiUpperCase(Value);
    if (FCharCase == ecLowerCase) return AnsiLowerCase(Value);
    return Value;
}

void TCustomEdit::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    if (HandleAllocated())
        RecreateWnd();
    else
        Invalidate();
}

TAlignment TCustomEdit::TextAlignment() const {
    if (!HandleAllocated()) return FAlignment;
    if (FEditStyle & ES_RIGHT) return taRightJustify;
    if (FEditStyle & ES_CENTER) return taCenter;
    return taLeftJustify;
}

Integer TCustomEdit::AlignShift(const TEditLine& Line) const {
    TAlignment Where = TextAlignment();
    if (Where == taLeftJustify) return 0;
    Integer Room = FormatRect().Width() - 1 - TMeasure(*this).Width(DisplayText(Line));
    if (Room <= 0) return 0;
    return Where == taRightJustify ? Room : Room / 2;
}

// ---- Balloon tip ----

bool TCustomEdit::ShowBalloonTip(const EDITBALLOONTIP& Tip) {
    if (!HandleAllocated() || !Tip.pszText) return false;
    if (!FBalloon || !IsWindow(FBalloon)) {
        FBalloon = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, u"", WS_POPUP | TTS_NOPREFIX | TTS_BALLOON, 0, 0,
                                  0, 0, Handle(), 0, nullptr);
        if (!FBalloon) return false;
        SendMessage(FBalloon, TTM_SETMAXTIPWIDTH, 0, 300);
    }
    TOOLINFOW Info;
    Info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    Info.hwnd = Handle();
    Info.uId = 1;
    String Text = Tip.pszText;
    Info.lpszText = Text.data();
    SendMessage(FBalloon, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&Info));
    SendMessage(FBalloon, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&Info));
    SendMessage(FBalloon, TTM_SETTITLEW, WPARAM(Tip.ttiIcon),
                reinterpret_cast<LPARAM>(Tip.pszTitle ? Tip.pszTitle : u""));
    // The stem points at the caret, from below the line.
    TPoint At = PointFromChar(FCaret);
    At.Y += LineHeight();
    At = ClientToScreen(At);
    SendMessage(FBalloon, TTM_TRACKPOSITION, 0, MAKELPARAM(Word(At.X - 12), Word(At.Y)));
    SendMessage(FBalloon, TTM_TRACKACTIVATE, 1, reinterpret_cast<LPARAM>(&Info));
    FBalloonShown = true;
    return true;
}

void TCustomEdit::HideBalloonTip() {
    if (!FBalloonShown) return;
    FBalloonShown = false;
    if (!FBalloon || !IsWindow(FBalloon)) return;
    TOOLINFOW Info;
    Info.hwnd = HandleAllocated() ? Handle() : nullptr;
    Info.uId = 1;
    SendMessage(FBalloon, TTM_TRACKACTIVATE, 0, reinterpret_cast<LPARAM>(&Info));
}

// ---- Undo ----

void TCustomEdit::SaveUndo() {
    FUndoText = FText;
    FUndoAnchor = FAnchor;
    FUndoCaret = FCaret;
    FCanUndo = true;
}

void TCustomEdit::ClearUndo() {
    FCanUndo = false;
    FUndoText.clear();
    FTypedEnd = -1;
}

// Swaps the text with the buffer, so that a second undo redoes.
void TCustomEdit::Undo() {
    if (!FCanUndo || FReadOnly) return;
    String Text = FUndoText;
    Integer Anchor = FUndoAnchor;
    Integer Caret = FUndoCaret;
    SaveUndo();
    FTypedEnd = -1;
    FText = Text;
    FAnchor = FCaret = 0;
    FModified = true;
    TextChanged();
    Select(Anchor, Caret);
    NotifyChange();
}

void TCustomEdit::UserChangeText(const String& Value, Integer Anchor, Integer Caret) {
    FTypedEnd = -1;
    if (Value != FText) {
        SaveUndo();
        FText = Value;
        FAnchor = FCaret = 0;
        FModified = true;
        TextChanged();
        Select(Anchor, Caret);
        NotifyChange();
    } else {
        Select(Anchor, Caret);
    }
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

// Entering by keyboard selects the whole text of a single-line edit; a
// click places the caret instead.
void TCustomEdit::DoEnter() {
    if (FAutoSelect && !FSelecting && !MultiLine()) SelectAll();
    TCustomControl::DoEnter();
}

// ---- Clipboard ----

void TCustomEdit::CopyToClipboard() {
    // A password never leaves the edit.
    if (FPasswordChar != 0 || SelLength() == 0) return;
    String Text = SelText();
    HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE, (Text.size() + 1) * sizeof(Char));
    if (!Block) return;
    std::memcpy(GlobalLock(Block), Text.c_str(), (Text.size() + 1) * sizeof(Char));
    GlobalUnlock(Block);
    if (!OpenClipboard(HandleAllocated() ? Handle() : nullptr)) {
        GlobalFree(Block);
        return;
    }
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, Block);
    CloseClipboard();
}

void TCustomEdit::CutToClipboard() {
    if (FPasswordChar != 0 || FReadOnly || SelLength() == 0) return;
    CopyToClipboard();
    ReplaceSelection(String(), true);
}

void TCustomEdit::PasteFromClipboard() {
    if (FReadOnly) return;
    String Text = ClipboardText();
    // A single-line edit takes the first line only.
    if (!MultiLine()) Text = Text.substr(0, Text.find_first_of(u"\r\n"));
    if (!Text.empty()) ReplaceSelection(Text, true);
}

String TCustomEdit::ClipboardText() {
    if (!OpenClipboard(HandleAllocated() ? Handle() : nullptr)) return String();
    String Text;
    if (HGLOBAL Block = GetClipboardData(CF_UNICODETEXT)) {
        const Char* Data = static_cast<const Char*>(GlobalLock(Block));
        size_t Count = GlobalSize(Block) / sizeof(Char);
        Text.assign(Data, std::find(Data, Data + Count, Char(0)));
        GlobalUnlock(Block);
    }
    CloseClipboard();
    return Text;
}

// ---- Editing ----

void TCustomEdit::Select(Integer Anchor, Integer Caret) {
    Integer Length = Integer(FText.size());
    Anchor = std::clamp(Anchor, 0, Length);
    Caret = std::clamp(Caret, 0, Length);
    // The caret never stands inside a CR LF pair.
    auto OutOfBreak = [&](Integer I) {
        return I > 0 && I < Length && FText[size_t(I - 1)] == u'\r' && FText[size_t(I)] == u'\n' ? I - 1 : I;
    };
    Anchor = OutOfBreak(Anchor);
    Caret = OutOfBreak(Caret);
    FCaretX = -1;
    if (Anchor == FAnchor && Caret == FCaret) return;
    FAnchor = Anchor;
    FCaret = Caret;
    ScrollCaret();
    Invalidate();
}

void TCustomEdit::MoveCaret(Integer Caret, bool Extend) {
    Integer KeepX = FCaretX;
    Select(Extend ? FAnchor : Caret, Caret);
    FCaretX = KeepX;
}

// Puts Value in place of the selection, cut to MaxLength when the user
// types or pastes; the caret follows the new text.
void TCustomEdit::ReplaceSelection(const String& Value, bool ByUser, bool Typed) {
    String Insert = ByUser ? ApplyCharCase(Value) : Value;
    Integer Start = SelStart();
    Integer Removed = SelLength();
    if (ByUser && FMaxLength > 0) {
        Integer Room = std::max(FMaxLength - (Integer(FText.size()) - Removed), 0);
        if (Integer(Insert.size()) > Room) Insert.resize(size_t(Room));
    }
    if (Removed == 0 && Insert.empty()) return;
    // A typed character that continues the run before it joins its undo step.
    bool ContinuesRun = Typed && Removed == 0 && FTypedEnd == Start && FCanUndo;
    if (ByUser && !ContinuesRun) SaveUndo();
    FText.replace(size_t(Start), size_t(Removed), Insert);
    FTypedEnd = Typed ? Start + Integer(Insert.size()) : -1;
    FAnchor = FCaret = Start + Integer(Insert.size());
    FCaretX = -1;
    if (ByUser) FModified = true;
    TextChanged();
    NotifyChange();
}

void TCustomEdit::TextChanged() {
    FLayoutValid = false;
    UpdateScrollBars();
    ScrollCaret();
    Invalidate();
}

Word TCustomEdit::ChangeNotifyCode() const {
    return EN_CHANGE;
}

// EN_CHANGE goes to the parent, which reflects it back as CN_COMMAND.
void TCustomEdit::NotifyChange() {
    WPARAM Code = MAKEWPARAM(0, ChangeNotifyCode());
    if (HandleAllocated() && Parent() && Parent()->HandleAllocated())
        SendMessage(Parent()->Handle(), WM_COMMAND, Code, HandleToLParam(Handle()));
    else
        Perform(CN_COMMAND, Code, HandleAllocated() ? HandleToLParam(Handle()) : 0);
}

Integer TCustomEdit::WordStart(Integer Index) const {
    while (Index > 0 && !IsWordChar(FText[size_t(Index - 1)]))
        --Index;
    while (Index > 0 && IsWordChar(FText[size_t(Index - 1)]))
        --Index;
    return Index;
}

Integer TCustomEdit::WordEnd(Integer Index) const {
    Integer Length = Integer(FText.size());
    while (Index < Length && IsWordChar(FText[size_t(Index)]))
        ++Index;
    while (Index < Length && !IsWordChar(FText[size_t(Index)]))
        ++Index;
    return Index;
}

// The keys an edit moves and deletes with; false for keys it leaves alone.
bool TCustomEdit::HandleKey(Word Key, TShiftState Shift) {
    bool Extend = Shift.Contains(ssShift);
    bool Ctrl = Shift.Contains(ssCtrl);
    Integer Length = Integer(FText.size());
    TPoint Point = CaretPoint();
    const auto& Lines = Layout();
    auto LineEnd = [&](Integer Line) { return Lines[size_t(Line)].Start + Lines[size_t(Line)].Length; };
    switch (Key) {
    case VK_LEFT:
        if (!Extend && SelLength() > 0)
            Select(SelStart(), SelStart());
        else if (Ctrl)
            MoveCaret(WordStart(FCaret), Extend);
        else if (FCaret > 1 && FText[size_t(FCaret - 1)] == u'\n' && FText[size_t(FCaret - 2)] == u'\r')
            MoveCaret(FCaret - 2, Extend);
        else
            MoveCaret(FCaret - 1, Extend);
        return true;
    case VK_RIGHT:
        if (!Extend && SelLength() > 0)
            Select(SelStart() + SelLength(), SelStart() + SelLength());
        else if (Ctrl)
            MoveCaret(WordEnd(FCaret), Extend);
        else if (FCaret + 1 < Length && FText[size_t(FCaret)] == u'\r' && FText[size_t(FCaret + 1)] == u'\n')
            MoveCaret(FCaret + 2, Extend);
        else
            MoveCaret(FCaret + 1, Extend);
        return true;
    case VK_HOME:
        MoveCaret(Ctrl ? 0 : Lines[size_t(Point.Y)].Start, Extend);
        return true;
    case VK_END:
        MoveCaret(Ctrl ? Length : LineEnd(Point.Y), Extend);
        return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        if (!MultiLine()) return false;
        Integer Step = Key == VK_UP || Key == VK_DOWN ? 1 : std::max(VisibleLineCount() - 1, 1);
        Integer Target = Point.Y + (Key == VK_UP || Key == VK_PRIOR ? -Step : Step);
        Target = std::clamp(Target, 0, Integer(Lines.size()) - 1);
        if (FCaretX < 0) FCaretX = PointFromChar(FCaret).X;
        MoveCaret(CharFromX(Target, FCaretX), Extend);
        return true;
    }
    case VK_DELETE:
        if (Extend) {
            CutToClipboard();
        } else if (!FReadOnly) {
            if (SelLength() == 0) {
                Integer Next = FCaret + 1;
                if (Next < Length && FText[size_t(FCaret)] == u'\r' && FText[size_t(Next)] == u'\n') ++Next;
                if (Ctrl) Next = WordEnd(FCaret);
                FAnchor = std::min(Next, Length);
            }
            ReplaceSelection(String(), true);
        }
        return true;
    case VK_INSERT:
        if (Ctrl)
            CopyToClipboard();
        else if (Extend)
            PasteFromClipboard();
        return true;
    default:
        return false;
    }
}

void TCustomEdit::HandleChar(Char C) {
    switch (C) {
    case 1: // Ctrl+A
        SelectAll();
        return;
    case 3: // Ctrl+C
        CopyToClipboard();
        return;
    case 22: // Ctrl+V
        PasteFromClipboard();
        return;
    case 24: // Ctrl+X
        CutToClipboard();
        return;
    case 26: // Ctrl+Z
        Undo();
        return;
    case 8: // Backspace
        if (FReadOnly) return;
        if (SelLength() == 0 && FCaret > 0) {
            Integer Previous = FCaret - 1;
            if (Previous > 0 && FText[size_t(Previous)] == u'\n' && FText[size_t(Previous - 1)] == u'\r')
                --Previous;
            FAnchor = Previous;
        }
        ReplaceSelection(String(), true);
        return;
    case 13:
        if (MultiLine() && !FReadOnly) ReplaceSelection(u"\r\n", true);
        return;
    case 9:
        if (MultiLine() && !FReadOnly) ReplaceSelection(u"\t", true);
        return;
    default:
        if (C >= 32 && C != 127 && !FReadOnly) ReplaceSelection(String(1, C), true, true);
        return;
    }
}

// ---- Layout ----

TRect TCustomEdit::FormatRect() const {
    if (FHasFormatRect) return FFormatRect;
    TRect Rect = ClientRect();
    Rect.Left += 1;
    Rect.Right -= 1;
    return Rect;
}

Integer TCustomEdit::LineHeight() const {
    return std::max(TMeasure(*this).Height(), 1);
}

String TCustomEdit::DisplayText(const TEditLine& Line) const {
    if (FPasswordChar != 0) return String(size_t(Line.Length), FPasswordChar);
    return FText.substr(size_t(Line.Start), size_t(Line.Length));
}

// The lines on the screen: one for a single-line edit; for a multi-line
// one, the text between line breaks, broken after the last space that fits
// when the lines wrap.
const std::vector<TCustomEdit::TEditLine>& TCustomEdit::Layout() const {
    if (FLayoutValid) return FLines;
    FLines.clear();
    Integer Length = Integer(FText.size());
    if (!MultiLine()) {
        FLines.push_back({0, Length});
        FLayoutValid = true;
        return FLines;
    }
    TMeasure Measure(*this);
    Integer Width = FormatRect().Width();
    Integer Start = 0;
    while (true) {
        Integer End = Start;
        while (End < Length && FText[size_t(End)] != u'\r' && FText[size_t(End)] != u'\n')
            ++End;
        Integer LineStart = Start;
        while (WrapLines() && Width > 0 && LineStart < End &&
               Measure.Width(FText.substr(size_t(LineStart), size_t(End - LineStart))) > Width) {
            // The longest piece that fits, ending after a space where there is one.
            Integer Fit = LineStart + 1;
            while (Fit < End &&
                   Measure.Width(FText.substr(size_t(LineStart), size_t(Fit + 1 - LineStart))) <= Width)
                ++Fit;
            Integer Break = Fit;
            while (Break > LineStart && FText[size_t(Break - 1)] != u' ')
                --Break;
            if (Break == LineStart) Break = Fit;
            FLines.push_back({LineStart, Break - LineStart});
            LineStart = Break;
        }
        FLines.push_back({LineStart, End - LineStart});
        if (End >= Length) break;
        Start = End +
                (FText[size_t(End)] == u'\r' && End + 1 < Length && FText[size_t(End + 1)] == u'\n' ? 2 : 1);
    }
    FLayoutValid = true;
    return FLines;
}

Integer TCustomEdit::LineOfChar(Integer Index) const {
    const auto& Lines = Layout();
    for (size_t I = 1; I < Lines.size(); ++I)
        if (Lines[I].Start > Index) return Integer(I - 1);
    return Integer(Lines.size()) - 1;
}

TPoint TCustomEdit::CaretPoint() const {
    Integer Line = LineOfChar(FCaret);
    return {FCaret - Layout()[size_t(Line)].Start, Line};
}

void TCustomEdit::SetCaretPoint(TPoint Value) {
    const auto& Lines = Layout();
    Integer Line = std::clamp(Value.Y, 0, Integer(Lines.size()) - 1);
    Integer Index = Lines[size_t(Line)].Start + std::clamp(Value.X, 0, Lines[size_t(Line)].Length);
    Select(Index, Index);
}

Integer TCustomEdit::VisibleLineCount() const {
    return std::max(FormatRect().Height() / LineHeight(), 1);
}

void TCustomEdit::SetTopLine(Integer Value) {
    Integer Last = std::max(Integer(Layout().size()) - VisibleLineCount(), 0);
    Value = std::clamp(Value, 0, Last);
    if (Value == FTopLine) return;
    FTopLine = Value;
    if (HandleAllocated() && (FEditStyle & WS_VSCROLL)) SetScrollPos(Handle(), SB_VERT, FTopLine, true);
    Invalidate();
}

void TCustomEdit::UpdateScrollBars() {
    if (!HandleAllocated() || !(FEditStyle & WS_VSCROLL)) return;
    SCROLLINFO Info;
    Info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    Info.nMax = Integer(Layout().size()) - 1;
    Info.nPage = UINT(VisibleLineCount());
    Info.nPos = FTopLine;
    SetScrollInfo(Handle(), SB_VERT, Info, true);
}

// The top left of a character in client coordinates.
TPoint TCustomEdit::PointFromChar(Integer Index) const {
    const auto& Lines = Layout();
    Integer Line = LineOfChar(Index);
    TEditLine Piece = Lines[size_t(Line)];
    Piece.Length = std::min(Index - Piece.Start, Piece.Length);
    TRect Rect = FormatRect();
    return {Rect.Left - FScrollX + AlignShift(Lines[size_t(Line)]) + TMeasure(*this).Width(DisplayText(Piece)),
            Rect.Top + (Line - FTopLine) * LineHeight()};
}

// The character boundary in Line nearest to the client x coordinate X.
Integer TCustomEdit::CharFromX(Integer Line, Integer X) const {
    const TEditLine& Piece = Layout()[size_t(Line)];
    String Shown = DisplayText(Piece);
    TMeasure Measure(*this);
    Integer Offset = X - (FormatRect().Left - FScrollX + AlignShift(Piece));
    Integer Previous = 0;
    for (Integer I = 1; I <= Piece.Length; ++I) {
        Integer Right = Measure.Width(Shown.substr(0, size_t(I)));
        if (Offset < (Previous + Right + 1) / 2) return Piece.Start + I - 1;
        Previous = Right;
    }
    return Piece.Start + Piece.Length;
}

Integer TCustomEdit::CharFromPoint(TPoint Point) const {
    Integer Line = FTopLine + (Point.Y - FormatRect().Top) / LineHeight();
    if (Point.Y < FormatRect().Top) Line = FTopLine - 1;
    Line = std::clamp(Line, 0, Integer(Layout().size()) - 1);
    return CharFromX(Line, Point.X);
}

// Scrolls so that the caret is inside the formatting rectangle.
void TCustomEdit::ScrollCaret() {
    if (MultiLine()) {
        Integer Line = LineOfChar(FCaret);
        if (Line < FTopLine)
            SetTopLine(Line);
        else if (Line >= FTopLine + VisibleLineCount())
            SetTopLine(Line - VisibleLineCount() + 1);
    }
    if (MultiLine() && WrapLines()) {
        FScrollX = 0;
        return;
    }
    TRect Rect = FormatRect();
    Integer X = PointFromChar(FCaret).X + FScrollX - Rect.Left;
    Integer Width = std::max(Rect.Width() - 1, 0);
    if (X - FScrollX > Width)
        FScrollX = X - Width + Width / 4;
    else if (X < FScrollX)
        FScrollX = std::max(X - Width / 4, 0);
}

void TCustomEdit::HandleScroll(WPARAM Code) {
    switch (LOWORD(Code)) {
    case SB_LINEUP:
        SetTopLine(FTopLine - 1);
        break;
    case SB_LINEDOWN:
        SetTopLine(FTopLine + 1);
        break;
    case SB_PAGEUP:
        SetTopLine(FTopLine - VisibleLineCount());
        break;
    case SB_PAGEDOWN:
        SetTopLine(FTopLine + VisibleLineCount());
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        SetTopLine(HIWORD(Code));
        break;
    case SB_TOP:
        SetTopLine(0);
        break;
    case SB_BOTTOM:
        SetTopLine(Integer(Layout().size()));
        break;
    default:
        break;
    }
}

// ---- Painting ----

void TCustomEdit::Paint() {
    TCanvas* C = Canvas();
    TRect Client = ClientRect();
    C->Brush()->SetColor(Color());
    C->FillRect(Client);
    C->Font()->Assign(Font());
    TRect Rect = FormatRect();
    HDC DC = C->Handle();
    Integer Saved = SaveDC(DC);
    IntersectClipRect(DC, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
    bool ShowSelection = SelLength() > 0 && (Focused() || !FHideSelection);
    Integer SelFrom = SelStart();
    Integer SelTo = SelFrom + SelLength();
    TColor TextColor = Enabled() ? Font()->Color() : clGrayText;
    const auto& Lines = Layout();
    Integer Height = LineHeight();
    SetBkMode(DC, TRANSPARENT);
    for (Integer Line = FTopLine; Line < Integer(Lines.size()); ++Line) {
        Integer Y = Rect.Top + (Line - FTopLine) * Height;
        if (Y >= Rect.Bottom) break;
        const TEditLine& Piece = Lines[size_t(Line)];
        String Shown = DisplayText(Piece);
        Integer X = Rect.Left - FScrollX + AlignShift(Piece);
        SetTextColor(DC, TextColor);
        TextOut(DC, X, Y, Shown);
        Integer From = std::clamp(SelFrom - Piece.Start, 0, Piece.Length);
        Integer To = std::clamp(SelTo - Piece.Start, 0, Piece.Length);
        if (ShowSelection && From < To) {
            Integer Left = X + C->TextWidth(Shown.substr(0, size_t(From)));
            Integer Right = X + C->TextWidth(Shown.substr(0, size_t(To)));
            C->Brush()->SetColor(clHighlight);
            C->FillRect({Left, Y, Right, Y + Height});
            SetBkMode(DC, TRANSPARENT);
            SetTextColor(DC, clHighlightText);
            TextOut(DC, Left, Y, Shown.substr(size_t(From), size_t(To - From)));
        }
    }
    RestoreDC(DC, Saved);
    // The caret: a line of the text's height, drawn while the edit has the focus.
    if (Focused()) {
        TPoint At = PointFromChar(FCaret);
        if (PtInRect(Rect, At)) {
            C->Pen()->SetColor(Font()->Color());
            C->MoveTo(At.X, At.Y);
            C->LineTo(At.X, At.Y + Height);
        }
    }
}

// ---- Messages ----

void TCustomEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        if (MultiLine()) Message.Result |= DLGC_WANTALLKEYS;
        return;
    case WM_SETTEXT:
        TCustomControl::WndProc(Message);
        // New text: caret at the start, nothing selected, not modified.
        FAnchor = FCaret = 0;
        FScrollX = 0;
        FTopLine = 0;
        FModified = false;
        ClearUndo();
        TextChanged();
        NotifyChange();
        return;
    case CN_COMMAND:
        if (HIWORD(Message.WParam) == EN_CHANGE) Change();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (Message.Msg == WM_KILLFOCUS) HideBalloonTip();
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case WM_SIZE:
    case CM_FONTCHANGED:
        TCustomControl::WndProc(Message);
        TextChanged();
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}

// The edit window's own procedure: what the control classes leave to it.
void TCustomEdit::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN:
        if (HandleKey(Word(Message.WParam), KeyDataToShiftState(Message.LParam))) return;
        break;
    case WM_CHAR:
        HideBalloonTip();
        HandleChar(Char(Message.WParam));
        return;
    case EM_SHOWBALLOONTIP:
        Message.Result = Message.LParam && ShowBalloonTip(*reinterpret_cast<const EDITBALLOONTIP*>(Message.LParam));
        return;
    case EM_HIDEBALLOONTIP:
        Message.Result = FBalloonShown;
        HideBalloonTip();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TPoint Point{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        FSelecting = true;
        if (CanFocus() && !Focused()) SetFocus();
        Integer Index = CharFromPoint(Point);
        if (Message.Msg == WM_LBUTTONDBLCLK) {
            Integer Start = Index;
            while (Start > 0 && IsWordChar(FText[size_t(Start - 1)]))
                --Start;
            Integer End = Index;
            while (End < Integer(FText.size()) && IsWordChar(FText[size_t(End)]))
                ++End;
            Select(Start, End);
            FSelecting = false;
        } else {
            MoveCaret(Index, (Message.WParam & MK_SHIFT) != 0);
        }
        return;
    }
    case WM_MOUSEMOVE:
        if (FSelecting)
            MoveCaret(CharFromPoint({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}), true);
        return;
    case WM_LBUTTONUP:
        FSelecting = false;
        return;
    case WM_VSCROLL:
        HandleScroll(Message.WParam);
        return;
    case WM_COPY:
        CopyToClipboard();
        return;
    case WM_CUT:
        CutToClipboard();
        return;
    case WM_PASTE:
        PasteFromClipboard();
        return;
    case WM_UNDO:
        Message.Result = FCanUndo;
        Undo();
        return;
    case WM_SYSKEYDOWN:
        // Alt+Backspace undoes, as Ctrl+Z does.
        if (Message.WParam == VK_BACK) {
            Undo();
            return;
        }
        break;
    case WM_CLEAR:
        if (!FReadOnly) ClearSelection();
        return;
    default:
        if (Message.Msg >= EM_GETSEL && Message.Msg <= EM_CHARFROMPOS) {
            HandleEditMessage(Message);
            return;
        }
        break;
    }
    TCustomControl::DefaultHandler(Message);
}

void TCustomEdit::HandleEditMessage(TMessage& Message) {
    Integer Length = Integer(FText.size());
    switch (Message.Msg) {
    case EM_GETSEL: {
        DWORD Start = DWORD(SelStart());
        DWORD End = DWORD(SelStart() + SelLength());
        if (Message.WParam) *reinterpret_cast<DWORD*>(Message.WParam) = Start;
        if (Message.LParam) *reinterpret_cast<DWORD*>(Message.LParam) = End;
        Message.Result =
            LRESULT(MAKELONG(Word(std::min<DWORD>(Start, 0xFFFF)), Word(std::min<DWORD>(End, 0xFFFF))));
        return;
    }
    case EM_SETSEL: {
        Integer Start = Integer(NativeInt(Message.WParam));
        Integer End = Integer(NativeInt(Message.LParam));
        if (Start < 0) {
            Select(FCaret, FCaret);
            return;
        }
        if (End < 0) End = Length;
        Select(Start, End);
        return;
    }
    case EM_GETRECT:
        if (Message.LParam) *reinterpret_cast<TRect*>(Message.LParam) = FormatRect();
        return;
    case EM_SETRECT:
    case EM_SETRECTNP:
        FHasFormatRect = Message.LParam != 0;
        if (FHasFormatRect) FFormatRect = *reinterpret_cast<const TRect*>(Message.LParam);
        FLayoutValid = false;
        ScrollCaret();
        if (Message.Msg == EM_SETRECT) Invalidate();
        return;
    case EM_SCROLLCARET:
        ScrollCaret();
        Invalidate();
        return;
    case EM_GETMODIFY:
        Message.Result = FModified;
        return;
    case EM_SETMODIFY:
        FModified = Message.WParam != 0;
        return;
    case EM_GETLINECOUNT:
        Message.Result = LRESULT(Layout().size());
        return;
    case EM_LINEINDEX: {
        Integer Line = Integer(NativeInt(Message.WParam));
        if (Line < 0) Line = LineOfChar(FCaret);
        Message.Result = Line < Integer(Layout().size()) ? Layout()[size_t(Line)].Start : -1;
        return;
    }
    case EM_LINELENGTH: {
        Integer Index = Integer(NativeInt(Message.WParam));
        Message.Result = Layout()[size_t(LineOfChar(std::clamp(Index, 0, Length)))].Length;
        return;
    }
    case EM_LINEFROMCHAR: {
        Integer Index = Integer(NativeInt(Message.WParam));
        Message.Result = LineOfChar(Index < 0 ? FCaret : std::min(Index, Length));
        return;
    }
    case EM_REPLACESEL:
        // WParam non-zero: the replacement can be undone.
        if (Message.WParam && Message.LParam) SaveUndo();
        if (Message.LParam) ReplaceSelection(*reinterpret_cast<const String*>(Message.LParam), false);
        return;
    case EM_CANUNDO:
        Message.Result = FCanUndo;
        return;
    case EM_UNDO:
        Message.Result = FCanUndo;
        Undo();
        return;
    case EM_EMPTYUNDOBUFFER:
        ClearUndo();
        return;
    case EM_LIMITTEXT:
        SetMaxLength(Integer(Message.WParam));
        return;
    case EM_GETLIMITTEXT:
        Message.Result = FMaxLength > 0 ? FMaxLength : 0x7FFFFFFE;
        return;
    case EM_SETPASSWORDCHAR:
        SetPasswordChar(Char(Message.WParam));
        return;
    case EM_SETREADONLY:
        SetReadOnly(Message.WParam != 0);
        Message.Result = 1;
        return;
    case EM_POSFROMCHAR: {
        Integer Index = Integer(NativeInt(Message.WParam));
        if (Index < 0 || Index > Length) {
            Message.Result = -1;
            return;
        }
        TPoint At = PointFromChar(Index);
        Message.Result = LRESULT(MAKELONG(Word(At.X), Word(At.Y)));
        return;
    }
    case EM_CHARFROMPOS: {
        TPoint Point{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        Integer Index = CharFromPoint(Point);
        Message.Result = LRESULT(MAKELONG(Word(Index), Word(LineOfChar(Index))));
        return;
    }
    default:
        return;
    }
}
