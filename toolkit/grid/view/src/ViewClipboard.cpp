// Cells through the clipboard: copy and cut as TAB/CR LF text, the grid's
// own cell stream, 8-bit rich text and HTML; paste back in the same order
// of preference, with the smart paste of series, fills and repeats.

#include "grid/GridCellStreamIO.h"
#include "grid/GridUnit.h"
#include "grid/ZirOvararIzaz.h"
#include "gridbase/RarEvad.h"
#include "gridbase/UndoRedo.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/Encoding.h"
#include "rtl/Format.h"
#include "rtl/Stream.h"
#include "vcl/Clipbrd.h"
#include "vcl/RichEdit.h"

#include <algorithm>
#include <cstring>

using namespace winapi;

namespace {

const char16_t* const SCannotOpen = u"Cannot open clipboard";

// Opens the window system's clipboard for one operation and closes it on
// every path.
class TClipboardScope {
public:
    explicit TClipboardScope(HWND Owner) {
        if (!OpenClipboard(Owner)) throw EClipboardException(SCannotOpen);
    }
    ~TClipboardScope() { CloseClipboard(); }
    TClipboardScope(const TClipboardScope&) = delete;
    TClipboardScope& operator=(const TClipboardScope&) = delete;
};

// A movable block holding Bytes; null when the memory cannot be had.
HGLOBAL BlockOf(const void* Bytes, size_t Size, UINT Flags = GMEM_MOVEABLE) {
    HGLOBAL Block = GlobalAlloc(Flags, Size);
    if (!Block) return nullptr;
    void* To = GlobalLock(Block);
    if (!To) {
        GlobalFree(Block);
        return nullptr;
    }
    if (Size) std::memcpy(To, Bytes, Size);
    GlobalUnlock(Block);
    return Block;
}

std::string BytesOf(HGLOBAL Block) {
    std::string Bytes;
    if (!Block) return Bytes;
    const void* From = GlobalLock(Block);
    if (!From) return Bytes;
    Bytes.assign(static_cast<const char*>(From), GlobalSize(Block));
    GlobalUnlock(Block);
    return Bytes;
}

// Rich text as other programs take it from the clipboard: 8-bit, the
// characters beyond 7-bit as Windows-1252 escapes, or as Unicode escapes
// where the code page has none.
std::string RichTextBytes(const String& Text) {
    static const char Hex[] = "0123456789abcdef";
    std::string Bytes;
    for (Char C : Text) {
        if (C < 0x80) {
            Bytes.push_back(char(C));
            continue;
        }
        const AnsiString Ansi = ToAnsi(String(1, C));
        if (Ansi.size() == 1 && Ansi != "?") {
            const unsigned char B = static_cast<unsigned char>(Ansi[0]);
            Bytes += "\\'";
            Bytes.push_back(Hex[B >> 4]);
            Bytes.push_back(Hex[B & 15]);
        } else {
            Bytes += "\\u" + std::to_string(int(SmallInt(C))) + "?";
        }
    }
    return Bytes;
}

// A cell text on the clipboard: one with line breaks goes in double quotes,
// each CR LF or lone CR as one LF and its double quotes doubled.
String QuoteClipboardCell(const String& Text) {
    if (Text.find_first_of(u"\r\n") == String::npos) return Text;
    String Out = u"\"";
    for (size_t i = 0; i < Text.size(); ++i) {
        const Char C = Text[i];
        if (C == u'\r') {
            Out += u'\n';
            if (i + 1 < Text.size() && Text[i + 1] == u'\n') ++i;
        } else if (C == u'"') {
            Out += u"\"\"";
        } else {
            Out += C;
        }
    }
    return Out + u"\"";
}

// A pasted field that holds a line break was quoted: its outer quotes go,
// doubled quotes become single, each LF a CR LF and each vertical tab too.
String UnquoteClipboardField(String Field) {
    if (Field.find(u'\n') == String::npos) return Field;
    if (!Field.empty() && Field.front() == u'"') Field.erase(0, 1);
    if (!Field.empty() && Field.back() == u'"' && std::count(Field.begin(), Field.end(), u'"') % 2 == 1)
        Field.pop_back();
    String Out;
    for (size_t i = 0; i < Field.size(); ++i) {
        const Char C = Field[i];
        if (C == u'"' && i + 1 < Field.size() && Field[i + 1] == u'"') {
            Out += u'"';
            ++i;
        } else if (C == u'\n') {
            Out += u"\r\n";
        } else {
            Out += C;
        }
    }
    VerticalTabsToCRLF(Out);
    return Out;
}

// The text's lines: ended by CR, an LF right after the CR skipped. The
// last entry is the remainder after the last line end (empty when the text
// ends with one).
std::vector<String> ClipboardLines(const String& Text) {
    std::vector<String> Lines(1);
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == u'\r') {
            if (i + 1 < Text.size() && Text[i + 1] == u'\n') ++i;
            Lines.emplace_back();
        } else {
            Lines.back() += Text[i];
        }
    }
    return Lines;
}

std::vector<String> SplitTabs(const String& Line) {
    std::vector<String> Fields(1);
    for (Char C : Line) {
        if (C == u'\t')
            Fields.emplace_back();
        else
            Fields.back() += C;
    }
    return Fields;
}

} // namespace

// ---- Copy and cut ----

HWND TZirOvararIzaz::ClipboardOwner() {
    return HandleAllocated() || Parent() ? Handle() : nullptr;
}

bool TZirOvararIzaz::UseFormattedClipboard() {
    return Navigation()->Settings().AllowFmtClipboard;
}

void TZirOvararIzaz::ExpandSelectionToMerged() {
    TGridRect S = Selection();
    bool Merged = false;
    if (IsMergedCell(S.Left, S.Top)) {
        const TPoint Base = BaseCell(S.Left, S.Top);
        S.Left = std::min(S.Left, Base.X);
        S.Top = std::min(S.Top, Base.Y);
        Merged = true;
    }
    if (IsMergedCell(S.Right, S.Bottom)) {
        const TPoint Base = BaseCell(S.Right, S.Bottom);
        const TPoint Span = CellSpan(Base.X, Base.Y);
        S.Right = std::max(S.Right, Base.X + Span.X);
        S.Bottom = std::max(S.Bottom, Base.Y + Span.Y);
        Merged = true;
    }
    if (Merged) SetSelection(S);
}

String TZirOvararIzaz::GetRectAsText(const TGridRect& Rect, bool SelectedOnly) {
    FClipTopLeft = TPoint(Rect.Left, Rect.Top);
    const TMouseActionsSettings& MA = MouseActions()->Settings();
    const bool CopyTags = Navigation()->Settings().CopyHTMLTagsToClipboard;
    const bool Rows = Rect.Top != Rect.Bottom;
    auto RowIncluded = [&](Integer r) {
        return !(MA.DisjunctRowSelect && SelectedOnly && !MA.DisjunctColSelect && !RowSelectEntry(RowSelectIndex(r)));
    };
    auto ColIncluded = [&](Integer c) { return !(MA.DisjunctColSelect && SelectedOnly && !ColSelect(c)); };

    if (Rows) ExportNotification(esExportStart, -1);
    String Result;
    try {
        const bool AllRows = Rect.Top <= FixedRows() && Rect.Bottom >= RowCount() - FixedFooters() - 1;
        if (Rows)
            for (Integer r = Rect.Top; r <= Rect.Bottom; ++r)
                if (RowIncluded(r)) ExportNotification(AllRows ? esExportNewRow : esExportSelRow, r);
        for (Integer r = Rect.Top; r <= Rect.Bottom; ++r) {
            if (!RowIncluded(r)) continue;
            if (Rows) ExportNotification(esExportNewRow, r);
            for (Integer c = Rect.Left; c <= Rect.Right; ++c) {
                if (!ColIncluded(c)) continue;
                const Integer D = RealColIndex(c);
                String Text;
                SaveCell(D, r, Text);
                if (Text.starts_with(u"|\\")) Text = DecodeWideCellText(Text);
                if (!CopyTags && Text.find(u"</") != String::npos) {
                    Text = GetStrippedCell(D, r);
                } else if (Text.find(u"{\\") != String::npos) {
                    CellToRich(D, r, RichEdit());
                    Text = RichEdit()->Document().Text();
                }
                if (ExcelClipboardFormat() && CountTextLines(Text, Multilinecells()) > 1)
                    QuoteMultilineCell(Text);
                else
                    Text = QuoteClipboardCell(Text);
                Result += Text;
                if (c < Rect.Right) Result += u'\t';
            }
            if (Rows) Result += u"\r\n";
        }
    } catch (...) {
        if (Rows) ExportNotification(esExportDone, -1);
        throw;
    }
    if (Rows) ExportNotification(esExportDone, -1);
    return Result;
}

String TZirOvararIzaz::GetSelectionAsText() {
    return GetRectAsText(Selection(), false);
}

void TZirOvararIzaz::CopyRectToClipboard(const TGridRect& Rect, bool SelectedOnly) {
    Clipboard()->SetAsText(GetRectAsText(Rect, SelectedOnly));
    if (Navigation()->Settings().AllowRTFClipboard) CopyCellToClipboardAsRTF(Rect.Left, Rect.Top);
    if (Navigation()->Settings().AllowFmtClipboard) CopyRectToClipboardAsCells(Rect);
}

void TZirOvararIzaz::CopyCellToClipboardAsRTF(Integer ACol, Integer ARow) {
    const String Text = Cells(ACol, ARow);
    if (Text.find(u"{\\") == String::npos) return;
    const std::string Bytes = RichTextBytes(Text);
    HGLOBAL Block = BlockOf(Bytes.c_str(), Bytes.size() + 1);
    if (!Block) return;
    if (!OpenClipboard(ClipboardOwner())) {
        GlobalFree(Block);
        return;
    }
    SetClipboardData(RegisterClipboardFormat(u"Rich Text Format"), Block);
    CloseClipboard();
}

void TZirOvararIzaz::CopyRectToClipboardAsCells(const TGridRect& Rect) {
    TMemoryStream Stream;
    SaveRectToBinStream(TRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom), Stream, false);
    std::string Bytes(size_t(Stream.Size()), '\0');
    Stream.SetPosition(0);
    if (!Bytes.empty()) Stream.ReadBuffer(Bytes.data(), Int64(Bytes.size()));
    TClipboardScope Scope(ClipboardOwner());
    HGLOBAL Block = BlockOf(Bytes.data(), Bytes.size(), GMEM_MOVEABLE | GMEM_DDESHARE);
    if (!Block) throw EOutOfMemory(u"Out of memory");
    SetClipboardData(GridCellsClipboardFormat(), Block); // the clipboard owns the block either way
}

void TZirOvararIzaz::CopyRectToClipboardAsHTML(const TGridRect& ARect) {
    // The clipboard's HTML carries no pictures: none are written beside it.
    FHTMLWithoutPictures = true;
    String Html;
    try {
        Html = SaveRectToHTMLString(ARect, String());
    } catch (...) {
        FHTMLWithoutPictures = false;
        throw;
    }
    FHTMLWithoutPictures = false;
    WrapClipboardHTML(Html);
    const std::string Bytes = Utf8(Html);
    HGLOBAL Block = BlockOf(Bytes.data(), Bytes.size());
    if (!Block) throw EOutOfMemory(u"Out of memory");
    Clipboard()->Open();
    try {
        Clipboard()->SetAsHandle(RegisterClipboardFormat(u"HTML Format"), Block);
        Clipboard()->SetAsText(Html);
    } catch (...) {
        Clipboard()->Close();
        throw;
    }
    Clipboard()->Close();
}

void TZirOvararIzaz::CopyToClipBoardAsHTML() {
    CopyRectToClipboardAsHTML(TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}

TGridRect TZirOvararIzaz::SaveRange() {
    return TGridRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()};
}

void TZirOvararIzaz::CopySelectionToClipboard() {
    ExpandSelectionToMerged();
    const TMouseActionsSettings& MA = MouseActions()->Settings();
    const bool Fmt = Navigation()->Settings().AllowFmtClipboard;
    if (MA.DisjunctRowSelect) {
        if (Fmt)
            CopyRectToClipboard(Selection(), false);
        else
            CopyRectToClipboard(TGridRect{FixedCols(), SaveStartRow(), ColCount() - FixedRightCols() - 1, SaveEndRow()},
                                true);
    } else if (!MA.DisjunctColSelect || Fmt) {
        CopyRectToClipboard(Selection(), false);
    } else {
        CopyRectToClipboard(SaveRange(), true);
    }
    FClipLastOp = coCopy;
}

void TZirOvararIzaz::CopyToClipBoard() {
    CopyRectToClipboard(SaveRange(), false);
    FClipLastOp = coCopy;
}

void TZirOvararIzaz::CutToClipboard() {
    const TGridRect R = SaveRange();
    CopyRectToClipboard(R, false);
    const bool Always = Navigation()->Settings().AllowClipboardAlways;
    for (Integer c = R.Left; c <= R.Right; ++c)
        for (Integer r = R.Top; r <= R.Bottom; ++r)
            if (Always || IsEditable(RealColIndex(c), r)) SetCells(c, r, String());
    if (ShowModified()->Enabled())
        for (Integer r = R.Top; r <= R.Bottom; ++r) SetRowModified(r, true);
    if (Navigation()->Settings().ClipboardCutAction == caRemove && Options().Contains(goRowSelect))
        RemoveRows(R.Top, R.Bottom - R.Top + 1);
    FClipLastOp = coCut;
}

void TZirOvararIzaz::CutSelectionToClipboard() {
    const TGridRect S = Selection();
    CopySelectionToClipboard();
    const TMouseActionsSettings& MA = MouseActions()->Settings();
    const TNavigationSettings& Nav = Navigation()->Settings();
    if (MA.DisjunctRowSelect) {
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (RowSelectEntry(RowSelectIndex(r))) {
                ClearRows(r, 1);
                if (ShowModified()->Enabled()) SetRowModified(r, true);
            }
    } else if (MA.DisjunctColSelect) {
        for (Integer c = FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c)) ClearCols(c, 1);
    } else {
        if (UndoRedo()) UndoRedo()->StartSequence();
        try {
            for (Integer c = S.Left; c <= S.Right; ++c)
                for (Integer r = S.Top; r <= S.Bottom; ++r) {
                    if (!Nav.AllowClipboardAlways && !IsEditable(RealColIndex(c), r)) continue;
                    if (UndoRedo()) UndoRedo()->RegisterChange(c, r, Cells(c, r), String());
                    SetCells(c, r, String());
                }
            if (ShowModified()->Enabled())
                for (Integer r = S.Top; r <= S.Bottom; ++r) SetRowModified(r, true);
        } catch (...) {
            if (UndoRedo()) UndoRedo()->StopSequence();
            throw;
        }
        if (UndoRedo()) UndoRedo()->StopSequence();
        if (Nav.AllowFmtClipboard) ClearCellPropsRange(S.Left, S.Top, S.Right, S.Bottom);
    }
    FClipLastOp = coCut;
    if (OnCellsChanged) OnCellsChanged(this, TRect(S.Left, S.Top, S.Right, S.Bottom));
    if (Nav.ClipboardCutAction == caRemove && Options().Contains(goRowSelect)) {
        if (MA.DisjunctRowSelect) {
            auto* Rows = Create<TIntList>(0, 0);
            for (Integer r = FixedRows(); r < RowCount(); ++r)
                if (RowSelectEntry(RowSelectIndex(r))) Rows->Add(r);
            ClearRowSelectList();
            try {
                RemoveRowList(Rows);
            } catch (...) {
                Free(Rows);
                throw;
            }
            Free(Rows);
        } else {
            RemoveRows(Selection().Top, Selection().Bottom - Selection().Top + 1);
        }
    }
    if (NumHiddenColumns() > 0) Invalidate();
}

void TZirOvararIzaz::SetSelectionAsText(const String& Value) {
    const TGridRect S = Selection();
    const std::vector<String> Lines = ClipboardLines(Value);
    const bool FooterRow = FloatingFooter()->Visible() && FloatingFooter()->FooterStyle() == 0;
    Integer r = S.Top, MaxC = S.Left, MaxR = S.Top;
    for (size_t i = 0; i < Lines.size(); ++i) {
        const bool Remainder = i + 1 == Lines.size() && Lines[i].empty();
        if (Remainder) break;
        Integer c = S.Left;
        for (const String& Field : SplitTabs(Lines[i])) {
            // Grown first, then written: never at ColCount itself.
            if (c >= ColCount()) SetColCount(c + 1);
            if (r < RowCount()) {
                SetGridCells(c, r, UnquoteClipboardField(Field));
                MaxC = std::max(MaxC, c);
                MaxR = std::max(MaxR, r);
            }
            ++c;
        }
        const bool MoreText = i + 1 < Lines.size() && !(i + 2 == Lines.size() && Lines[i + 1].empty());
        if (MoreText) {
            ++r;
            if (r >= RowCount() - (FooterRow ? 1 : 0)) SetRowCount(RowCount() + 1);
        }
    }
    CellsChanged(TRect(RealColIndex(S.Left), S.Top, RealColIndex(MaxC), MaxR));
}

// ---- Paste ----

void TZirOvararIzaz::PasteCell(Integer ACol, Integer ARow, const String& Value) {
    const Integer C = SaveHiddenCells() ? ACol : RealColIndex(ACol);
    if (UndoRedo()) UndoRedo()->RegisterChange(C, ARow, Cells(C, ARow), Value);
    if (!HasCheckBox(C, ARow) || HasDataCheckBox(C, ARow))
        SetCells(C, ARow, Value);
    else
        ApplyCheckBoxState(C, ARow, Value == CheckTrue());
    if (C != ACol) RepaintCell(ACol, ARow);
}

void TZirOvararIzaz::CellsPasted(TPoint FromTopLeft, TGridRect PastedRect, TClipOperation Operation) {
    (void)FromTopLeft, (void)Operation;
    if (ShowModified()->Enabled())
        for (Integer r = PastedRect.Top; r <= PastedRect.Bottom; ++r) SetRowModified(r, true);
}

void TZirOvararIzaz::MeasureClipboardText(const String& Text, TPoint& Size) {
    const std::vector<String> Lines = ClipboardLines(Text);
    Size = TPoint(0, 0);
    for (size_t i = 0; i < Lines.size(); ++i) {
        Size.X = std::max<Integer>(Size.X, Integer(std::count(Lines[i].begin(), Lines[i].end(), u'\t')) + 1);
        if (Lines[i].empty() && Size.Y > 0) --Size.Y;
        if (i + 1 < Lines.size()) ++Size.Y;
    }
}

Integer TZirOvararIzaz::PasteTextAtCell(Integer ACol, Integer ARow, const String& Text, Integer& Cols,
                                        Integer& Rows) {
    Cols = Rows = 0;
    const TNavigationSettings& Nav = Navigation()->Settings();
    if (ACol < 0 || ARow < 0) return 0;
    if (!Options().Contains(goEditing) && !Nav.AllowClipboardAlways && !MouseActions()->Settings().RangeSelectAndEdit)
        return 0;
    const Integer Extra = SaveHiddenCells() ? NumHiddenColumns() : 0;
    const bool FooterRow = FloatingFooter()->Visible() && FloatingFooter()->FooterStyle() == 0;
    const std::vector<String> Lines = ClipboardLines(Text);
    Integer Count = 0, r = ARow, MaxC = -1, MaxR = -1;

    auto PasteField = [&](Integer c, String Value, bool Last) {
        // Grown first, then written: a column is inside while below the count.
        if (c >= ColCount() + Extra && Nav.AllowClipboardColGrow) SetColCount(c + 1 - Extra);
        const bool Inside = (Last ? c < ColCount() : c < ColCount() + Extra) && r < RowCount();
        if (!Inside || !(Nav.AllowClipboardAlways || IsEditable(RealColIndex(c), r))) return;
        bool Allow = true;
        const bool Wide = Value.starts_with(u"|\\");
        if (Wide) {
            String WideValue = DecodeWideCellText(Value);
            if (OnClipboardBeforePasteWideCell) OnClipboardBeforePasteWideCell(this, c, r, WideValue, Allow);
            Value = EncodeWideCellText(WideValue);
        } else if (OnClipboardBeforePasteCell) {
            OnClipboardBeforePasteCell(this, c, r, Value, Allow);
        }
        if (!Allow) return;
        PasteCell(c, r, Value);
        MaxC = std::max(MaxC, c);
        MaxR = std::max(MaxR, r);
        if (Wide && !Last && OnClipboardAfterPasteWideCell)
            OnClipboardAfterPasteWideCell(this, c, r, DecodeWideCellText(Value));
        else if (OnClipboardAfterPasteCell)
            OnClipboardAfterPasteCell(this, c, r, Value);
    };

    if (UndoRedo()) UndoRedo()->StartSequence();
    try {
        for (size_t i = 0; i < Lines.size(); ++i) {
            const String& Line = Lines[i];
            const bool Remainder = i + 1 == Lines.size() && Line.empty() && i > 0;
            ++Rows;
            ImportNotification(FPasteAll ? isImportNewRow : isImportSelRow, r);
            if (!Line.empty()) {
                if (Nav.ClipboardPasteAction == paInsert) InsertRows(r, 1);
                Cols = 1;
            }
            const std::vector<String> Fields = SplitTabs(Line);
            Integer c = ACol;
            for (size_t f = 0; f + 1 < Fields.size(); ++f) {
                ++Cols;
                PasteField(c, UnquoteClipboardField(Fields[f]), false);
                ++Count;
                ++c;
            }
            if (!Remainder) PasteField(c, UnquoteClipboardField(Fields.back()), true);
            ++Count;
            const bool MoreText = i + 1 < Lines.size() && !(i + 2 == Lines.size() && Lines[i + 1].empty());
            if (MoreText) {
                ++r;
                if (r >= RowCount() - (FooterRow ? 1 : 0) && Nav.AllowClipboardRowGrow) SetRowCount(RowCount() + 1);
            }
        }
    } catch (...) {
        if (UndoRedo()) UndoRedo()->StopSequence();
        throw;
    }
    --Rows;
    if (Rows == 0 && Cols > 0) Rows = 1;
    if (UndoRedo()) UndoRedo()->StopSequence();
    const TGridRect Pasted{ACol, ARow, std::max(MaxC, ACol), std::max(MaxR, ARow)};
    CellsPasted(FClipTopLeft, Pasted, FClipLastOp);
    if (MaxC >= 0) CellsChanged(TRect(RealColIndex(ACol), ARow, RealColIndex(MaxC), MaxR));
    return Count;
}

Integer TZirOvararIzaz::PasteAtCell(Integer ACol, Integer ARow, Integer& Cols, Integer& Rows) {
    const TNavigationSettings& Nav = Navigation()->Settings();
    const UINT CellsFormat = GridCellsClipboardFormat();
    if (UseFormattedClipboard() && IsClipboardFormatAvailable(CellsFormat)) {
        TMemoryStream Stream;
        {
            TClipboardScope Scope(ClipboardOwner());
            const std::string Bytes = BytesOf(GetClipboardData(CellsFormat));
            if (!Bytes.empty()) Stream.WriteBuffer(Bytes.data(), Int64(Bytes.size()));
        }
        BeginPaste();
        Integer Result = 0;
        try {
            auto Header = Create<TGridPropIO>(nullptr);
            try {
                Stream.SetPosition(0);
                ReadGridStreamHeader(Stream, *Header);
                if (Nav.AllowClipboardRowGrow || Nav.AllowClipboardColGrow || Nav.ClipboardPasteAction == paInsert) {
                    if (Nav.AllowClipboardColGrow && ACol + Header->ColCount() >= ColCount())
                        SetColCount(ACol + Header->ColCount());
                    if (Nav.AllowClipboardRowGrow && ARow + Header->RowCount() >= RowCount())
                        SetRowCount(ARow + Header->RowCount());
                    Cols = ColCount();
                    Rows = RowCount();
                    if (Nav.ClipboardPasteAction == paInsert) InsertRows(ARow, Header->RowCount());
                }
                Stream.SetPosition(0);
                LoadAtPointFromBinStream(TPoint(ACol, ARow), Stream);
                const TGridRect Pasted{ACol, ARow, ACol + Header->ColCount() - 1, ARow + Header->RowCount() - 1};
                CellsPasted(Header->ID() == GridStreamID() ? FClipTopLeft : TPoint(-1, -1), Pasted, FClipLastOp);
                Result = Header->ColCount() * Header->RowCount();
            } catch (...) {
                Free(Header);
                throw;
            }
            Free(Header);
        } catch (...) {
            EndPaste();
            throw;
        }
        EndPaste();
        return Result;
    }
    const UINT RichFormat = RegisterClipboardFormat(u"Rich Text Format");
    if (Nav.AllowRTFClipboard && IsClipboardFormatAvailable(RichFormat)) {
        std::string Bytes;
        {
            TClipboardScope Scope(ClipboardOwner());
            Bytes = BytesOf(GetClipboardData(RichFormat));
        }
        Bytes = Bytes.substr(0, Bytes.find('\0'));
        if (IsEditable(RealColIndex(ACol), ARow)) PasteCell(ACol, ARow, FromAnsi(Bytes));
        Cols = Rows = 1;
        return 0;
    }
    if (Clipboard()->HasFormat(CF_UNICODETEXT) || Clipboard()->HasFormat(CF_TEXT)) {
        const String Text = Clipboard()->AsText();
        if (Text.empty()) return 0;
        return PasteTextAtCell(ACol, ARow, Text, Cols, Rows);
    }
    return 0;
}

void TZirOvararIzaz::PasteDone(const TGridRect& R) {
    DoClipboardPasteDone();
    if (OnClipboardPasteDone) OnClipboardPasteDone(this, TRect(R.Left, R.Top, R.Right, R.Bottom));
}

void TZirOvararIzaz::PasteFromClipboard() {
    ImportNotification(isImportStart, -1);
    FPasteAll = true;
    Integer Cols = 0, Rows = 0;
    PasteAtCell(SaveStartCol(), SaveStartRow(), Cols, Rows);
    ImportNotification(isImportDone, -1);
    PasteDone(TGridRect{SaveStartCol(), SaveStartRow(), SaveStartCol() + Cols, SaveStartRow() + Rows});
    RecalcFooter(-1);
}

void TZirOvararIzaz::PasteSelectionFromClipboard() {
    ImportNotification(isImportStart, -1);
    FPasteAll = false;
    Integer Cols = 0, Rows = 0;
    ExpandSelectionToMerged();
    const TNavigationSettings& Nav = Navigation()->Settings();
    TGridRect S = Selection();
    const Integer C = PasteAtCell(Options().Contains(goRowSelect) ? FixedCols() : S.Left, S.Top, Cols, Rows);
    if (!Nav.AllowSmartClipboard) {
        if (Cols > 0 && Rows > 0) {
            PasteDone(TGridRect{S.Left, S.Top, S.Left + Cols - 1, S.Top + Rows - 1});
            RecalcFooter(-1);
        }
        return;
    }
    S = Selection();
    const Integer N = (S.Right - S.Left + 1) * (S.Bottom - S.Top + 1);
    if (N <= C) return;
    BeginPaste();
    auto Editable = [&](Integer c, Integer r) { return IsEditable(RealColIndex(c), r); };

    // A single value fills the selection.
    if (C == 1 && N > 1) {
        String Value = Cells(S.Left, S.Top);
        bool State = false;
        if (HasCheckBox(RealColIndex(S.Left), S.Top) && GetCheckBoxState(RealColIndex(S.Left), S.Top, State))
            Value = State ? CheckTrue() : CheckFalse();
        for (Integer c = S.Left; c <= S.Right; ++c)
            for (Integer r = S.Top; r <= S.Bottom; ++r) {
                if (!Nav.AllowClipboardAlways && !Editable(c, r)) continue;
                const bool Origin = c == S.Left && r == S.Top;
                String V = Value;
                bool Allow = true;
                if (!Origin && OnClipboardBeforePasteCell) OnClipboardBeforePasteCell(this, c, r, V, Allow);
                if (Allow) PasteCell(c, r, V);
                CellsPasted(FClipTopLeft, TGridRect{c, r, c, r}, coCopy);
                if (!Origin && OnClipboardAfterPasteCell) OnClipboardAfterPasteCell(this, c, r, V);
            }
    }
    EndPaste();

    const bool Column = S.Left == S.Right, Row = S.Top == S.Bottom;
    bool Repeated = false;
    if (C > 1 && (Column || Row)) {
        const String First = Cells(S.Left, S.Top);
        const String Second = Column ? Cells(S.Left, S.Top + 1) : Cells(S.Left + 1, S.Top);
        std::vector<std::pair<Integer, Integer>> Walk;
        for (Integer c = S.Left; c <= S.Right; ++c)
            for (Integer r = S.Top; r <= S.Bottom; ++r) Walk.emplace_back(c, r);
        // Writes one value of a series; answers whether it was allowed.
        auto WriteSeries = [&](Integer c, Integer r, String V) {
            if (!Editable(c, r)) return false;
            const bool Origin = c == S.Left && r == S.Top;
            bool Allow = true;
            if (!Origin && OnClipboardBeforePasteCell) OnClipboardBeforePasteCell(this, c, r, V, Allow);
            if (Allow) PasteCell(c, r, V);
            return Allow;
        };
        auto AfterSeries = [&](Integer c, Integer r, const String& V) {
            CellsPasted(FClipTopLeft, TGridRect{c, r, c, r}, coCopy);
            if (!(c == S.Left && r == S.Top) && OnClipboardAfterPasteCell) OnClipboardAfterPasteCell(this, c, r, V);
        };
        const Char DateSep = GridDateSeparator(), TimeSep = GridTimeSeparator(), DecSep = GridDecimalSeparator();
        auto IsDateOrTime = [&](const String& T) { return HasTwoDateSeparators(T) || T.find(TimeSep) != String::npos; };
        Integer I1 = 0, I2 = 0;
        if (IsDateOrTime(First) && IsDateOrTime(Second)) {
            TDateTime D1 = 0, D2 = 0;
            if (TryStrToDateTime(First, D1) && TryStrToDateTime(Second, D2)) {
                const bool AsDate = First.find(DateSep) != String::npos;
                Word Y1, M1, Day1, Y2, M2, Day2;
                DecodeDate(D1, Y1, M1, Day1);
                DecodeDate(D2, Y2, M2, Day2);
                TDateTime Value = D1;
                try {
                    for (auto [c, r] : Walk) {
                        const String V = AsDate ? DateToStr(Value) : TimeToStr(Value);
                        if (Editable(c, r)) {
                            WriteSeries(c, r, V);
                            AfterSeries(c, r, V);
                        }
                        Value = ShiftDate(SmallInt(Y2 - Y1), SmallInt(M2 - M1), SmallInt(Day2 - Day1), Value, D2 - D1);
                    }
                } catch (const EConvertError&) {
                    // A date the series cannot reach ends it; the cells written stay.
                }
            }
        } else if (First.find(DecSep) != String::npos || Second.find(DecSep) != String::npos) {
            Double F1 = 0, F2 = 0;
            if (TryStrToFloat(First, F1) && TryStrToFloat(Second, F2)) {
                Double Value = F1;
                for (auto [c, r] : Walk) {
                    const String V = Format(FloatFormat(), {Value});
                    if (WriteSeries(c, r, V)) AfterSeries(c, r, V);
                    Value += F2 - F1;
                }
            }
        } else if (TryStrToInt(First, I1) && TryStrToInt(Second, I2)) {
            Int64 Value = I1;
            for (auto [c, r] : Walk) {
                const String V = IntToStr(Value);
                if (WriteSeries(c, r, V)) AfterSeries(c, r, V);
                Value += Int64(I2) - I1;
            }
        } else {
            // The pasted values repeat over the selection.
            if (Column) {
                for (Integer r = S.Top + C - 1; r <= S.Bottom; ++r) {
                    if (!Editable(S.Left, r)) continue;
                    String V = Cells(S.Left, r - C + 1);
                    bool Allow = true;
                    if (r != S.Top && OnClipboardBeforePasteCell) OnClipboardBeforePasteCell(this, S.Left, r, V, Allow);
                    if (!Allow) continue;
                    PasteCell(S.Left, r, V);
                    if (r != S.Top && OnClipboardAfterPasteCell) OnClipboardAfterPasteCell(this, S.Left, r, V);
                }
                CellsPasted(TPoint(S.Left, S.Top), TGridRect{S.Left, S.Top + C - 1, S.Left, S.Bottom}, coCopy);
            } else {
                for (Integer c = S.Left + C - 1; c <= S.Right; ++c) {
                    if (!Editable(c, S.Top)) continue;
                    String V = Cells(c - C + 1, S.Top);
                    bool Allow = true;
                    if (c != S.Left && OnClipboardBeforePasteCell) OnClipboardBeforePasteCell(this, c, S.Top, V, Allow);
                    if (!Allow) continue;
                    PasteCell(c, S.Top, V);
                    if (c != S.Left && OnClipboardAfterPasteCell) OnClipboardAfterPasteCell(this, c, S.Top, V);
                }
                CellsPasted(TPoint(S.Left, S.Top), TGridRect{S.Left + C - 1, S.Top, S.Right, S.Top}, coCopy);
            }
            Repeated = true;
        }
        if (!Repeated) {
            // A series ends the paste.
            CellsChanged(TRect(S.Left, S.Top, S.Right, S.Bottom));
            return;
        }
    }

    if (S.Bottom > S.Top && S.Right > S.Left) {
        Integer PC = 0, PR = 0;
        if (Rows == 1) {
            for (Integer r = S.Top + 1; r <= S.Bottom; ++r) {
                SetRowEx(r);
                PasteAtCell(S.Left, r, PC, PR);
            }
            SetSelection(S);
        } else if (Cols == 1) {
            for (Integer c = S.Left + 1; c <= S.Right; ++c) {
                SetCol(c);
                PasteAtCell(c, S.Top, PC, PR);
            }
            SetSelection(S);
        }
    }
    ImportNotification(isImportDone, -1);
    CellsChanged(TRect(S.Left, S.Top, S.Right, S.Bottom));
    PasteDone(S);
    RecalcFooter(-1);
}
