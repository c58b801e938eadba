// CSV export and import: quoting, multi-line cells, delimiter detection.

#include "grid/ZirOvararIzaz.h"
#include "gridbase/RarEvad.h"
#include "os/FileUtils.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/Stream.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"

#include <cmath>

namespace {

constexpr Char Quote = u'"';
constexpr Char Candidates[] = {u',', u';', u'#', u'\t', u'|', u'@', u'*', u'-', u'+', u'&'};

bool IsValidUtf8(std::string_view Bytes) {
    size_t i = 0;
    const size_t n = Bytes.size();
    while (i < n) {
        const unsigned char B = static_cast<unsigned char>(Bytes[i]);
        if (B < 0x80) {
            ++i;
            continue;
        }
        size_t More;
        uint32_t Code;
        if ((B & 0xE0) == 0xC0) More = 1, Code = B & 0x1F;
        else if ((B & 0xF0) == 0xE0) More = 2, Code = B & 0x0F;
        else if ((B & 0xF8) == 0xF0) More = 3, Code = B & 0x07;
        else return false;
        for (size_t k = 1; k <= More; ++k) {
            if (i + k >= n) return false;
            const unsigned char C = static_cast<unsigned char>(Bytes[i + k]);
            if ((C & 0xC0) != 0x80) return false;
            Code = (Code << 6) | (C & 0x3F);
        }
        static constexpr uint32_t Least[] = {0, 0x80, 0x800, 0x10000};
        if (Code < Least[More] || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) return false;
        i += More + 1;
    }
    return true;
}

// A byte-order mark selects its encoding; text without one is UTF-8 when
// it is valid UTF-8, else Windows-1252.
String DecodeCSVBytes(std::string_view Bytes) {
    const TBomInfo Bom = DetectBom(Bytes);
    if (Bom.Encoding != TBomEncoding::None) return DecodeText(Bytes);
    return IsValidUtf8(Bytes) ? FromUtf8(Bytes) : FromAnsi(Bytes);
}

std::string ReadRest(TStream& Stream) {
    std::string Bytes(size_t(std::max<Int64>(Stream.Size() - Stream.Position(), 0)), '\0');
    if (!Bytes.empty()) Stream.ReadBuffer(Bytes.data(), Int64(Bytes.size()));
    return Bytes;
}

// Lines split at CR LF, CR or LF; a final line break starts no line.
std::vector<String> SplitLines(const String& Text) {
    std::vector<String> Lines;
    size_t Start = 0;
    const size_t n = Text.size();
    for (size_t i = 0; i < n; ++i) {
        const Char Ch = Text[i];
        if (Ch != u'\r' && Ch != u'\n') continue;
        Lines.emplace_back(Text, Start, i - Start);
        if (Ch == u'\r' && i + 1 < n && Text[i + 1] == u'\n') ++i;
        Start = i + 1;
    }
    if (Start < n) Lines.emplace_back(Text, Start, n - Start);
    return Lines;
}

Char DetectDelimiter(const std::vector<String>& Lines) {
    const String& L1 = Lines[0];
    const String L2 = Lines.size() > 1 ? Lines[1] : String();
    Char Found = 0;
    Integer Best = 0;
    for (Char C : Candidates) {
        const Integer C1 = CountUnquotedChar(C, L1), C2 = CountUnquotedChar(C, L2);
        if (C1 == C2 && C1 > Best) Found = C, Best = C1;
    }
    if (Best == 0)
        for (Char C : Candidates) {
            const Integer C1 = CountCharInText(C, L1), C2 = CountCharInText(C, L2);
            if (C1 == C2 && C1 > Best) Found = C, Best = C1;
        }
    if (Best == 0)
        for (Char C : Candidates) {
            const Integer C1 = CountCharInText(C, L1), C2 = CountCharInText(C, L2);
            if (C1 > Best || C2 > Best) Found = C, Best = std::max(C1, C2);
        }
    return Found;
}

Integer QuoteCount(const String& Text) { return Integer(std::count(Text.begin(), Text.end(), Quote)); }

} // namespace

// ---- Writing ----

void TZirOvararIzaz::SaveToCSV(const String& FileName, bool Unicode) {
    SaveToCSV(FileName, Unicode ? TEncoding::UTF8() : TEncoding::ASCII());
}

void TZirOvararIzaz::SaveToCSV(const String& FileName, const TGridRect& ARect, bool Unicode) {
    SaveToCSV(FileName, ARect, Unicode ? TEncoding::UTF8() : TEncoding::ASCII());
}

void TZirOvararIzaz::SaveToCSV(const String& FileName, const TEncoding& AEncoding) {
    SaveCSVWorker(FileName, TGridRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), AEncoding, false);
}

void TZirOvararIzaz::SaveToCSV(const String& FileName, const TGridRect& ARect, const TEncoding& AEncoding) {
    SaveCSVWorker(FileName, ARect, AEncoding, false);
}

void TZirOvararIzaz::AppendToCSV(const String& FileName, bool Unicode) {
    AppendToCSV(FileName, Unicode ? TEncoding::UTF8() : TEncoding::ASCII());
}

void TZirOvararIzaz::AppendToCSV(const String& FileName, const TEncoding& AEncoding) {
    SaveCSVWorker(FileName, TGridRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), AEncoding, true);
}

void TZirOvararIzaz::SaveCSVWorker(const String& FileName, const TGridRect& ARect, const TEncoding& AEncoding,
                                   bool Append) {
    BeginUpdate();
    std::vector<Integer> Collapsed;
    auto Finish = [&] {
        for (Integer R : Collapsed) ContractNode(R);
        EndUpdate();
    };
    try {
        if (SaveHiddenCells()) {
            for (Integer r = 0; r < RowCount(); ++r)
                if (IsNode(r) && GetNodeState(r)) Collapsed.push_back(RealRowIndex(r));
            if (!Collapsed.empty()) ExpandAll();
        }
        const Integer Hidden = SaveHiddenCells() ? NumHiddenColumns() : 0;
        const Char Delim = FDelimiter ? FDelimiter : u',';
        TStringList Out;
        if (Append && FileExists(FileName)) Out.LoadFromFile(FileName);
        std::vector<String> Rows;
        FLastFileProgress = -1;
        ExportNotification(esExportStart, SaveStartRow());
        for (Integer r = ARect.Top; r <= ARect.Bottom; ++r) {
            if (!IsSuppressedRow(r)) {
                ExportNotification(esExportNextRow, r);
                String Line;
                for (Integer c = ARect.Left; c <= ARect.Right + Hidden; ++c) {
                    if (c > ARect.Left) Line += Delim;
                    String T;
                    SaveCell(SaveColumnIndex(c), r, T);
                    if (FQuoteQuoteCells) T = EscapeQuotes(T);
                    if (OemConvert()) ConvertToOEM(T);
                    const bool HasDelim = T.find(Delim) != String::npos;
                    const bool Quote = FAlwaysQuotes || (!HasDelim && T.find(u'"') != String::npos);
                    bool Quoted = false;
                    if (Quote && FQuoteQuoteCells) {
                        T = u"\"" + T + u"\"";
                        Quoted = true;
                    }
                    if (T.empty()) {
                        if (FJavaCSV)
                            T = u"^";
                        else if (FQuoteEmptyCells)
                            T = u"\"\"";
                    }
                    // A field holding a line break is always enclosed, so the
                    // record stays one record.
                    if (HasDelim || T.find_first_of(u"\r\n") != String::npos) {
                        if (FJavaCSV)
                            T = LineBreaksToTildes(T);
                        else if (Multilinecells())
                            T = u"\"" + T + u"\"";
                        else if (Quoted)
                            CRLFToLF(T);
                        else
                            T = u"\"" + StringReplace(T, u"\r\n", u"\v", {rfReplaceAll}) + u"\"";
                    }
                    Line += T;
                }
                Out.Add(Line);
            }
            if (OnFileProgress && RowCount() > 1)
                FireFileProgress(Integer(std::lround(double(r) / (RowCount() - 1) * 100.0)));
        }
        ExportNotification(esExportDone, -1);
        Out.SaveToFile(FileName, &AEncoding);
    } catch (...) {
        Finish();
        throw;
    }
    Finish();
}

// ---- Reading ----

void TZirOvararIzaz::LoadFromCSV(const String& FileName, Integer MaxRows, Integer IgnoreRows) {
    TFileStream File(FileName, fmOpenRead | fmShareDenyNone);
    const std::string Bytes = ReadRest(File);
    if (Bytes.empty()) return;
    LoadCSVWorker(DecodeCSVBytes(Bytes), false, MaxRows, IgnoreRows);
}

void TZirOvararIzaz::LoadFromCSV(const String& FileName, const TEncoding& AEncoding, Integer MaxRows,
                                 Integer IgnoreRows) {
    TFileStream File(FileName, fmOpenRead | fmShareDenyNone);
    const std::string Bytes = ReadRest(File);
    if (Bytes.empty()) return;
    const TEncoding* Enc = &AEncoding;
    const Integer Skip = TEncoding::GetBufferEncoding(Bytes, Enc);
    LoadCSVWorker(AEncoding.GetString(std::string_view(Bytes).substr(size_t(Skip))), false, MaxRows, IgnoreRows);
}

void TZirOvararIzaz::LoadFromCSVStream(TStream& AStream, Integer MaxRows, Integer IgnoreRows) {
    LoadCSVWorker(DecodeCSVBytes(ReadRest(AStream)), false, MaxRows, IgnoreRows);
}

void TZirOvararIzaz::InsertFromCSV(const String& FileName, Integer MaxRows, Integer IgnoreRows) {
    TFileStream File(FileName, fmOpenRead | fmShareDenyNone);
    LoadCSVWorker(DecodeCSVBytes(ReadRest(File)), true, MaxRows, IgnoreRows);
}

void TZirOvararIzaz::InsertFromCSV(const String& FileName, const TEncoding& AEncoding, Integer MaxRows,
                                   Integer IgnoreRows) {
    TFileStream File(FileName, fmOpenRead | fmShareDenyNone);
    const std::string Bytes = ReadRest(File);
    const TEncoding* Enc = &AEncoding;
    const Integer Skip = TEncoding::GetBufferEncoding(Bytes, Enc);
    LoadCSVWorker(AEncoding.GetString(std::string_view(Bytes).substr(size_t(Skip))), true, MaxRows, IgnoreRows);
}

void TZirOvararIzaz::LoadCSVWorker(const String& Text, bool Insert, Integer MaxRows, Integer IgnoreRows) {
    const Integer StartCol = SaveStartCol();
    std::vector<String> Raw = SplitLines(Text);
    if (IgnoreRows > 0 && IgnoreRows < Integer(Raw.size())) Raw.erase(Raw.begin(), Raw.begin() + IgnoreRows);
    if (Raw.empty()) throw Exception(u"File is empty");

    BeginUpdate();
    const Char SavedDelimiter = FDelimiter;
    try {
        // A line with an odd number of quotes goes on on the next line.
        std::vector<String> Lines;
        if (FCSVMultilineCellImport) {
            Lines.reserve(Raw.size());
            for (size_t i = 0; i < Raw.size(); ++i) {
                String Line = std::move(Raw[i]);
                Integer Quotes = QuoteCount(Line);
                while (Quotes % 2 == 1 && i + 1 < Raw.size()) {
                    ++i;
                    Line += u"\r\n";
                    Line += Raw[i];
                    Quotes += QuoteCount(Raw[i]);
                }
                Lines.push_back(std::move(Line));
            }
        } else {
            Lines = std::move(Raw);
        }

        Integer Row = SaveStartRow();
        bool FooterSaved = false;
        std::vector<String> FooterTexts;
        if (Insert) {
            Row = RowCount();
            if (FloatingFooter()->Visible() && RowCount() > 0) {
                const Integer Last = RowCount() - 1;
                for (Integer c = 0; c < ColCount(); ++c) {
                    FooterTexts.push_back(Cells(c, Last));
                    SetCells(c, Last, String());
                }
                FooterSaved = true;
                Row = Last;
            }
        }

        const Char Delim = FDelimiter ? FDelimiter : DetectDelimiter(Lines);

        const Integer Count = Integer(Lines.size());
        const Integer N = FLoadFirstRow ? Count : Count - 1;
        FLastFileProgress = -1;
        if (OnFileProgress)
            SetRowCount(Insert ? Count + RowCount() : SaveStartRow() + Count + FixedFooters());

        const Integer Hidden = SaveHiddenCells() ? NumHiddenColumns() : 0;
        auto Store = [&](Integer c, String& Field) {
            if (FJavaCSV)
                Field = TildesToLineBreaks(Field);
            else
                VerticalTabsToCRLF(Field);
            if (c + 1 > ColCount() + Hidden) SetColCount(c + 1 - Hidden);
            DoLoadCell(c, Row, Field);
        };

        Integer Read = 0;
        for (Integer i = FLoadFirstRow ? 0 : 1; i < Count && (MaxRows <= 0 || Read < MaxRows); ++i) {
            String Line = std::move(Lines[size_t(i)]);
            if (OemConvert()) ConvertFromOEM(Line);
            if (Row >= RowCount() - FixedFooters()) SetRowCount(Row + 1000);
            Integer c = StartCol;
            size_t Off = 0;
            bool Consumed = false; // the whole line was taken by the fields
            bool EndedOnDelimiter = false;
            size_t P;
            while (Delim && !Consumed && (P = Line.find(Delim, Off)) != String::npos) {
                if (FCSVTrimSpaces)
                    while (Line.size() - Off >= 2 && Line[Off] == u' ' && Off < P) ++Off;
                String Field;
                if (Line[Off] == Quote) {
                    ++Off;
                    String Rest = Line.substr(Off);
                    Integer Close = 0;
                    FindClosingQuote(Quote, Rest, Close);
                    if (Close == 0) {
                        // An unterminated quote takes the rest of the line.
                        Field = CollapseDoubledChar(Quote, Rest);
                        Consumed = true;
                    } else {
                        Field = CollapseDoubledChar(Quote, Rest.substr(0, size_t(Close - 1)));
                        Off += size_t(Close);
                        P = Line.find(Delim, Off);
                        if (P == String::npos) Consumed = true;
                    }
                } else {
                    Field = Line.substr(Off, P - Off);
                }
                Store(c, Field);
                ++c;
                if (!Consumed) {
                    Off = P + 1;
                    EndedOnDelimiter = Off == Line.size();
                }
            }
            if (!Consumed) {
                String Field = Line.substr(Off);
                if (!Field.empty()) {
                    if (FCSVTrimSpaces) {
                        size_t Blanks = 0;
                        while (Field.size() - Blanks >= 2 && Field[Blanks] == u' ') ++Blanks;
                        Field.erase(0, Blanks);
                    }
                    if (!Field.empty() && Field[0] == Quote) {
                        Field.erase(0, 1);
                        if (!Field.empty() && Field.back() == Quote) Field.pop_back();
                        Field = CollapseDoubledChar(Quote, Field);
                    }
                    Store(c, Field);
                } else if (EndedOnDelimiter) {
                    // A line ending with the delimiter empties the last column.
                    Store(c, Field);
                }
            }
            ++Row;
            ++Read;
            if (OnFileProgress && N >= 1) FireFileProgress(Integer(std::lround(double(Read) / N * 100.0)));
        }

        SetRowCount(Row + FixedFooters());
        if (FooterSaved) {
            const Integer Last = RowCount() - 1;
            for (Integer c = 0; c < ColCount() && c < Integer(FooterTexts.size()); ++c) SetCells(c, Last, FooterTexts[size_t(c)]);
        }
    } catch (...) {
        FDelimiter = SavedDelimiter;
        EndUpdate();
        throw;
    }
    FDelimiter = SavedDelimiter;
    EndUpdate();
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    RecalcFooter(-1);
}
