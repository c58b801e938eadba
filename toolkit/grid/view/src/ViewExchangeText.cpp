// The grid's own text format (file and stream forms) and the plain-text
// ASCII table.

#include "Hourglass.h"
#include "grid/ZirOvararIzaz.h"
#include "grid/GridError.h"
#include "gridbase/RarEvad.h"
#include "os/FileUtils.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/Stream.h"
#include "vcl/Forms.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"

#include <cmath>
#include <memory>

namespace {

// Leading blanks skipped, an optional sign, decimal digits (or "$" / "0x"
// hexadecimal); reading stops at the first other character.
Integer LenientInt(std::u16string_view Text) {
    Integer Value = 0, Code = 0;
    size_t i = 0;
    while (i < Text.size() && Text[i] == u' ') ++i;
    Text.remove_prefix(i);
    Val(Text, Value, Code);
    if (Code > 1) Val(Text.substr(0, size_t(Code - 1)), Value, Code);
    return Value;
}

String Before(const String& Text, Char Ch) {
    const size_t At = Text.find(Ch);
    return At == String::npos ? Text : Text.substr(0, At);
}

String After(const String& Text, Char Ch) {
    const size_t At = Text.find(Ch);
    return At == String::npos ? String() : Text.substr(At + 1);
}

void WriteUtf16Line(TStream& Stream, const String& Line) {
    String Out = Line + u"\r\n";
    std::string Bytes;
    Bytes.reserve(Out.size() * 2);
    for (Char Ch : Out) {
        Bytes.push_back(char(Ch & 0xFF));
        Bytes.push_back(char(Ch >> 8));
    }
    Stream.WriteBuffer(Bytes.data(), Int64(Bytes.size()));
}

// 16-bit units up to a CR (not kept), then the LF after it is dropped.
String ReadUtf16Line(TStream& Stream) {
    String Line;
    unsigned char Unit[2];
    while (Stream.Read(Unit, 2) == 2) {
        const Char Ch = Char(Unit[0] | (Unit[1] << 8));
        if (Ch == u'\r') {
            Stream.Read(Unit, 2);
            break;
        }
        Line.push_back(Ch);
    }
    return Line;
}

bool AtEnd(TStream& Stream) { return Stream.Position() >= Stream.Size(); }

} // namespace

void TZirOvararIzaz::FireFileProgress(Integer Percent) {
    if (!OnFileProgress || Percent == FLastFileProgress) return;
    FLastFileProgress = Percent;
    OnFileProgress(this, SmallInt(Percent));
}

void TZirOvararIzaz::SaveToFile(const String& FileName, bool Unicode) {
    const Integer Hidden = SaveHiddenCells() ? NumHiddenColumns() : 0;
    TStringList Lines;
    Lines.Add(IntToStr(SaveColCount() + Hidden) + u"," + IntToStr(SaveRowCount()));
    for (Integer c = SaveStartCol(); c <= SaveEndCol() + Hidden; ++c)
        Lines.Add(u"cw " + IntToStr(c) + u"," + IntToStr(SaveHiddenCells() ? AllColWidths(c) : ColWidths(c)));
    FLastFileProgress = -1;
    ExportNotification(esExportStart, SaveStartRow());
    for (Integer r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        if (!IsSuppressedRow(r)) {
            ExportNotification(esExportNextRow, r);
            for (Integer c = SaveStartCol(); c <= SaveEndCol() + Hidden; ++c) {
                String Text;
                SaveCell(c, r, Text);
                if (!Text.empty())
                    Lines.Add(IntToStr(c) + u"," + IntToStr(r) + u"," + EncodeLineBreaks(Text));
            }
        }
        if (OnFileProgress)
            FireFileProgress(Integer(std::lround(double(r) / std::max(1, SaveRowCount() - 1) * 100.0)));
    }
    ExportNotification(esExportDone, -1);
    Lines.SaveToFile(FileName, Unicode ? &TEncoding::UTF8() : &TEncoding::ANSI());
}

void TZirOvararIzaz::LoadFromFile(const String& FileName) {
    TStringList Lines;
    Lines.LoadFromFile(FileName);
    const Integer ColOffset = SaveFixedCells || SaveFixedCols ? 0 : FixedCols();
    const Integer RowOffset = SaveFixedCells || SaveFixedRows ? 0 : FixedRows();
    Integer Cols = ColCount(), Rows = RowCount();
    if (Lines.Count() > 0 && !Lines.Strings(0).empty()) {
        Cols = LenientInt(Before(Lines.Strings(0), u',')) + ColOffset;
        Rows = LenientInt(After(Lines.Strings(0), u',')) + RowOffset;
    }
    if (Cols <= 0 || Rows <= 0) throw EKelGridError(u"File contains no data or corrupt file " + FileName);
    SetColCount(Cols);
    SetRowCount(Rows);
    FLastFileProgress = -1;
    BeginUpdate();
    try {
        for (Integer i = 1; i < Lines.Count(); ++i) {
            const String Line = Lines.Strings(i);
            if (Line.starts_with(u"cw")) {
                const String Rest = Line.size() > 3 ? Line.substr(3) : String();
                const Integer Index = LenientInt(Before(Rest, u','));
                const Integer Width = LenientInt(After(Rest, u',').substr(0, 255));
                if (Index >= 0 && Index < ColCount()) SetColWidths(Index, Width);
                continue;
            }
            const Integer C = LenientInt(Before(Line, u','));
            const String Rest = After(Line, u',');
            const Integer R = LenientInt(Before(Rest, u','));
            const String Text = After(Rest, u',');
            if (C >= 0 && C < ColCount() && R >= 0 && R < RowCount()) {
                String Value = DecodeLineBreaks(Text, Multilinecells());
                DoLoadCell(C, R, Value);
            }
            if (OnFileProgress && RowCount() > 1)
                FireFileProgress(Integer(std::lround(double(R) / (RowCount() - 1) * 100.0)));
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    RecalcFooter(-1);
}

void TZirOvararIzaz::SaveToStream(TStream& Stream) {
    WriteUtf16Line(Stream, IntToStr(SaveColCount()) + u"," + IntToStr(SaveRowCount()));
    for (Integer c = 0; c < ColCount(); ++c) WriteUtf16Line(Stream, u"cw " + IntToStr(c) + u"," + IntToStr(ColWidths(c)));
    ExportNotification(esExportStart, SaveStartRow());
    for (Integer r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (Integer c = SaveStartCol(); c <= SaveEndCol(); ++c) {
            String Text;
            SaveCell(c, r, Text);
            if (!Text.empty())
                WriteUtf16Line(Stream, IntToStr(c - SaveStartCol()) + u"," + IntToStr(r - SaveStartRow()) + u"," +
                                           EncodeLineBreaks(Text));
        }
    }
    ExportNotification(esExportDone, -1);
}

void TZirOvararIzaz::LoadFromStream(TStream& Stream) {
    if (!AtEnd(Stream)) {
        const String First = ReadUtf16Line(Stream);
        if (!First.empty()) {
            const Integer Cols = StrToInt(Before(First, u','));
            const Integer Rows = StrToInt(After(First, u','));
            SetColCount(Cols + SaveStartCol());
            SetRowCount(Rows + SaveStartRow());
        }
    }
    while (!AtEnd(Stream)) {
        const Int64 Start = Stream.Position();
        const String Line = ReadUtf16Line(Stream);
        if (Line.starts_with(u"cw")) {
            const String Rest = Line.substr(std::min<size_t>(3, Line.size()));
            const Integer Index = StrToInt(Before(Rest, u','));
            const Integer Width = StrToInt(After(Rest, u','));
            if (Index < 0 || Index >= ColCount())
                throw EKelGridError(u"Grid index out of range");
            SetColWidths(Index, Width);
            continue;
        }
        const size_t First = Line.find(u',');
        const size_t Second = First == String::npos ? String::npos : Line.find(u',', First + 1);
        if (First == String::npos || First == 0 || Second == String::npos || Second == First + 1) {
            Stream.SetPosition(Start);
            break;
        }
        const Integer C = StrToInt(Line.substr(0, First));
        const Integer R = StrToInt(Line.substr(First + 1, Second - First - 1));
        String Value = DecodeLineBreaks(Line.substr(Second + 1), Multilinecells());
        DoLoadCell(SaveStartCol() + C, SaveStartRow() + R, Value);
    }
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    RecalcFooter(-1);
}

namespace {

String AlignForASCII(const String& Text, Integer Width, TAlignment HA) {
    String Out = Text;
    if (HA == taRightJustify) {
        if (Integer(Out.size()) < Width) Out.insert(0, size_t(Width) - Out.size(), u' ');
    } else if (HA == taCenter) {
        while (Integer(Out.size()) < Width) Out = u" " + Out + u" ";
    }
    return Out;
}

} // namespace

void TZirOvararIzaz::SaveToASCII(const String& FileName, bool Unicode) {
    // The hourglass shows while the table is built and written.
    THourglass Hourglass;
    TStringList Lines;
    const Integer StartCol = SaveFixedCells || SaveFixedCols ? 0 : FixedCols();
    const Integer StartRow = SaveFixedCells || SaveFixedRows ? 0 : FixedRows();
    const Integer Hidden = SaveHiddenCells() ? NumHiddenColumns() : 0;
    const Integer Cols = ColCount() + Hidden;
    std::vector<Integer> Widths(size_t(std::max(Cols, 0)), 0);
    for (Integer c = StartCol; c < Cols; ++c) {
        const Integer D = SaveColumnIndex(c);
        if (D >= 0 && D < Cols) Widths[size_t(D)] = MaxColumnTextLength(D);
    }
    if (FAppendASCII && FileExists(FileName)) Lines.LoadFromFile(FileName);
    ExportNotification(esExportStart, StartRow);
    try {
        for (Integer r = StartRow; r < RowCount(); ++r) {
            if (IsSuppressedRow(r)) continue;
            ExportNotification(esExportNextRow, r);
            String RowLine;
            std::vector<String> More;
            for (Integer c = StartCol; c < Cols; ++c) {
                const Integer D = SaveColumnIndex(c);
                const Integer W = D >= 0 && D < Cols ? Widths[size_t(D)] : 0;
                String T;
                SaveCell(D, r, T);
                TAlignment HA = taLeftJustify;
                TVAlignment VA = vtaTop;
                ResolveAlignment(D, r, HA, VA);
                String First = T;
                const size_t Break = T.find(u"\r\n");
                if (Break != String::npos) {
                    First = T.substr(0, Break);
                    if (Multilinecells()) {
                        String Rest = T.substr(Break + 2);
                        for (size_t k = 0; !Rest.empty() || k == 0; ++k) {
                            const size_t Next = Rest.find(u"\r\n");
                            const String Part = Rest.substr(0, Next);
                            Rest = Next == String::npos ? String() : Rest.substr(Next + 2);
                            if (More.size() <= k) More.resize(k + 1);
                            String& Line = More[k];
                            // Continuation lines follow the row line's layout.
                            const Integer Pad = Integer(RowLine.size());
                            if (Integer(Line.size()) < Pad) Line.append(size_t(Pad) - Line.size(), u' ');
                            Line += AlignForASCII(Part, W, HA);
                            if (Rest.empty()) break;
                        }
                    }
                }
                const String Aligned = AlignForASCII(First, W, HA);
                RowLine += Aligned;
                if (Integer(Aligned.size()) <= W) RowLine.append(size_t(W) - Aligned.size() + 1, u' ');
            }
            Lines.Add(RowLine);
            for (const String& Line : More) Lines.Add(Line);
        }
    } catch (...) {
        ExportNotification(esExportDone, -1);
        Lines.SaveToFile(FileName, Unicode ? FEncoding : &TEncoding::ANSI());
        throw;
    }
    ExportNotification(esExportDone, -1);
    Lines.SaveToFile(FileName, Unicode ? FEncoding : &TEncoding::ANSI());
}

void TZirOvararIzaz::AppendToASCII(const String& FileName, bool Unicode) {
    FAppendASCII = true;
    try {
        SaveToASCII(FileName, Unicode);
    } catch (...) {
        FAppendASCII = false;
        throw;
    }
    FAppendASCII = false;
}
