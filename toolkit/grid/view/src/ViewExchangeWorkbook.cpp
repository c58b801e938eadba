// Workbook exchange: .xlsx written with libxlsxwriter or by editing the
// file's package, .xlsx read from its package, legacy .xls read with FreeXL.

#include "Hourglass.h"
#include "OfficePackage.h"
#include "grid/GridError.h"
#include "grid/ZirOvararIzaz.h"
#include "gridbase/RarEvad.h"
#include "os/FileUtils.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/Encoding.h"
#include "rtl/Format.h"
#include "rtl/Stream.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"
#include "vcl/Forms.h"

#include <freexl.h>
#include <libxml/tree.h>
#include <xlsxwriter.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>

using namespace detail;

namespace {

constexpr Integer MaxSheetColumns = 16384;
constexpr Integer MaxSheetRows = 1048576;
constexpr const char* MainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* WorksheetType = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
constexpr const char* WorksheetRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";

[[noreturn]] void IncorrectFile() { throw Exception(u"Incorrect Excel file"); }

// One cell of a sheet (1-based); Error cells are left out of the grid.
struct TSheetCell {
    Integer Row = 0;
    Integer Col = 0;
    bool Error = false;
    String Text;
};

class TWorkbookReader {
public:
    virtual ~TWorkbookReader() = default;
    virtual std::vector<String> SheetNames() = 0;
    virtual size_t ActiveSheet() = 0;
    virtual std::vector<TSheetCell> ReadSheet(size_t Index) = 0;
};

// A serial date of the workbook as a text in the program's format settings.
String SerialDateText(double Serial, bool Date1904) {
    TDateTime D = Date1904 ? Serial + 1462.0 : (Serial < 60.0 ? Serial + 1.0 : Serial);
    if (std::floor(Serial) == 0.0 && !Date1904) D = Serial;
    if (D == std::floor(D)) return DateToStr(D);
    if (std::floor(std::fabs(Serial)) == 0.0) return TimeToStr(D);
    return DateTimeToStr(D);
}

// Whether a number format shows a date or a time.
bool IsDateFormat(Integer Id, const std::string& Code) {
    if ((Id >= 14 && Id <= 22) || (Id >= 45 && Id <= 47)) return true;
    if (Code.empty()) return false;
    bool InQuote = false;
    for (size_t i = 0; i < Code.size(); ++i) {
        const char Ch = Code[i];
        if (InQuote) {
            InQuote = Ch != '"';
        } else if (Ch == '"') {
            InQuote = true;
        } else if (Ch == '\\' || Ch == '_' || Ch == '*') {
            ++i;
        } else if (Ch == '[') {
            const size_t End = Code.find(']', i);
            if (End == std::string::npos) return false;
            const std::string Inside = Code.substr(i + 1, End - i - 1);
            // Elapsed-time brackets ([h], [mm], [ss]) are times; colours and conditions are not.
            if (!Inside.empty() && std::strchr("hHmMsS", Inside[0]) && Inside.find_first_not_of("hHmMsS") == std::string::npos)
                return true;
            i = End;
        } else if (std::strchr("dDmMyYhHsS", Ch)) {
            return true;
        }
    }
    return false;
}

bool ParseDouble(const std::string& Text, double& Value) {
    const char* End = Text.data() + Text.size();
    auto [Ptr, Ec] = std::from_chars(Text.data(), End, Value);
    return Ec == std::errc() && Ptr == End && std::isfinite(Value);
}

// "BC12" -> column 55, row 12; false for anything else or beyond a sheet.
bool ParseCellRef(const std::string& Ref, Integer& Col, Integer& Row) {
    size_t i = 0;
    Integer C = 0;
    while (i < Ref.size() && Ref[i] >= 'A' && Ref[i] <= 'Z') {
        C = C * 26 + (Ref[i] - 'A' + 1);
        if (C > MaxSheetColumns) return false;
        ++i;
    }
    Integer R = 0;
    const size_t Digits = i;
    while (i < Ref.size() && Ref[i] >= '0' && Ref[i] <= '9') {
        R = R * 10 + (Ref[i] - '0');
        if (R > MaxSheetRows) return false;
        ++i;
    }
    if (i != Ref.size() || (Digits == 0 && C == 0)) return false;
    Col = C;
    Row = i > Digits ? R : 0;
    return C > 0 && (Row > 0 || i == Digits);
}

// ---- .xlsx ----

class TXlsxReader : public TWorkbookReader {
public:
    explicit TXlsxReader(const String& FileName) : FPackage(Utf8(FileName), false) {
        FMain = MainPartName(FPackage);
        TXmlDoc Book = ParsePart(FPackage.Read(FMain));
        TXmlDoc Rels = ParsePart(FPackage.Read(RelsPartOf(FMain)));
        std::map<std::string, std::string> Targets;
        std::string SharedPart, StylesPart;
        for (xmlNode* N = xmlDocGetRootElement(Rels.get())->children; N; N = N->next) {
            if (!IsElement(N, "Relationship")) continue;
            const std::string Type = Attr(N, "Type"), Target = ResolveTarget(FMain, Attr(N, "Target"));
            Targets[Attr(N, "Id")] = Target;
            if (Type.ends_with("/sharedStrings")) SharedPart = Target;
            if (Type.ends_with("/styles")) StylesPart = Target;
        }
        xmlNode* Root = xmlDocGetRootElement(Book.get());
        for (xmlNode* N = FirstChild(FirstChild(Root, "sheets"), "sheet"); N; N = N->next) {
            if (!IsElement(N, "sheet")) continue;
            FNames.push_back(FromUtf8(Attr(N, "name")));
            FParts.push_back(Targets[Attr(N, "id", RelNamespace)]);
        }
        if (xmlNode* Pr = FirstChild(Root, "workbookPr")) {
            const std::string D = Attr(Pr, "date1904");
            FDate1904 = D == "1" || D == "true";
        }
        if (xmlNode* View = FirstChild(FirstChild(Root, "bookViews"), "workbookView")) {
            const std::string Tab = Attr(View, "activeTab");
            if (!Tab.empty()) FActive = size_t(std::max(0, std::atoi(Tab.c_str())));
        }
        if (!SharedPart.empty() && FPackage.Has(SharedPart)) ReadSharedStrings(SharedPart);
        if (!StylesPart.empty() && FPackage.Has(StylesPart)) ReadStyles(StylesPart);
    }

    std::vector<String> SheetNames() override { return FNames; }
    size_t ActiveSheet() override { return FActive < FNames.size() ? FActive : 0; }

    std::vector<TSheetCell> ReadSheet(size_t Index) override {
        TXmlDoc Sheet = ParsePart(FPackage.Read(FParts.at(Index)));
        std::vector<TSheetCell> Cells;
        xmlNode* Data = FirstChild(xmlDocGetRootElement(Sheet.get()), "sheetData");
        Integer RowNo = 0;
        for (xmlNode* RowNode = Data ? Data->children : nullptr; RowNode; RowNode = RowNode->next) {
            if (!IsElement(RowNode, "row")) continue;
            const std::string R = Attr(RowNode, "r");
            RowNo = R.empty() ? RowNo + 1 : std::atoi(R.c_str());
            if (RowNo < 1 || RowNo > MaxSheetRows) IncorrectFile();
            Integer ColNo = 0;
            for (xmlNode* C = RowNode->children; C; C = C->next) {
                if (!IsElement(C, "c")) continue;
                const std::string Ref = Attr(C, "r");
                Integer RefCol = 0, RefRow = 0;
                if (Ref.empty()) {
                    ++ColNo;
                } else if (ParseCellRef(Ref, RefCol, RefRow) && (RefRow == 0 || RefRow == RowNo)) {
                    ColNo = RefCol;
                } else {
                    IncorrectFile();
                }
                if (ColNo > MaxSheetColumns) IncorrectFile();
                TSheetCell Cell;
                Cell.Row = RowNo;
                Cell.Col = ColNo;
                if (CellValue(C, Cell)) Cells.push_back(std::move(Cell));
            }
        }
        return Cells;
    }

private:
    // The cell's value as text; false for a cell without a value.
    bool CellValue(xmlNode* C, TSheetCell& Cell) {
        const std::string Type = Attr(C, "t");
        if (Type == "inlineStr") {
            xmlNode* Is = FirstChild(C, "is");
            if (!Is) return false;
            Cell.Text = FromUtf8(RichText(Is));
            return true;
        }
        xmlNode* V = FirstChild(C, "v");
        if (!V) return false;
        const std::string Value = NodeText(V);
        if (Type == "s") {
            const long Index = std::atol(Value.c_str());
            if (Index < 0 || size_t(Index) >= FShared.size()) IncorrectFile();
            Cell.Text = FShared[size_t(Index)];
        } else if (Type == "e") {
            Cell.Error = true;
        } else if (Type == "b") {
            Cell.Text = Value == "1" ? u"True" : u"False";
        } else if (Type == "str" || Type == "d") {
            Cell.Text = FromUtf8(Value);
        } else {
            double Number = 0;
            if (!ParseDouble(Value, Number)) IncorrectFile();
            const std::string S = Attr(C, "s");
            const size_t Style = S.empty() ? 0 : size_t(std::atol(S.c_str()));
            const bool IsDate = Style < FDateStyles.size() && FDateStyles[Style];
            Cell.Text = IsDate ? SerialDateText(Number, FDate1904) : FloatToStr(Number);
        }
        return true;
    }

    // The text of a string item: its own text or its runs' texts (phonetic
    // hints left out).
    static std::string RichText(xmlNode* Item) {
        std::string Out;
        for (xmlNode* N = Item->children; N; N = N->next) {
            if (IsElement(N, "t")) Out += NodeText(N);
            else if (IsElement(N, "r"))
                if (xmlNode* T = FirstChild(N, "t")) Out += NodeText(T);
        }
        return Out;
    }

    void ReadSharedStrings(const std::string& Part) {
        TXmlDoc Doc = ParsePart(FPackage.Read(Part));
        for (xmlNode* N = xmlDocGetRootElement(Doc.get())->children; N; N = N->next)
            if (IsElement(N, "si")) FShared.push_back(FromUtf8(RichText(N)));
    }

    void ReadStyles(const std::string& Part) {
        TXmlDoc Doc = ParsePart(FPackage.Read(Part));
        xmlNode* Root = xmlDocGetRootElement(Doc.get());
        std::map<Integer, std::string> Codes;
        for (xmlNode* N = FirstChild(Root, "numFmts"); N && N->children; N = nullptr)
            for (xmlNode* F = N->children; F; F = F->next)
                if (IsElement(F, "numFmt")) Codes[std::atoi(Attr(F, "numFmtId").c_str())] = Attr(F, "formatCode");
        if (xmlNode* Xfs = FirstChild(Root, "cellXfs"))
            for (xmlNode* F = Xfs->children; F; F = F->next)
                if (IsElement(F, "xf")) {
                    const Integer Id = std::atoi(Attr(F, "numFmtId").c_str());
                    const auto It = Codes.find(Id);
                    FDateStyles.push_back(IsDateFormat(Id, It == Codes.end() ? std::string() : It->second));
                }
    }

    TOfficePackage FPackage;
    std::string FMain;
    std::vector<String> FNames;
    std::vector<std::string> FParts;
    std::vector<String> FShared;
    std::vector<bool> FDateStyles;
    bool FDate1904 = false;
    size_t FActive = 0;
};

// ---- legacy .xls ----

class TXlsReader : public TWorkbookReader {
public:
    explicit TXlsReader(const String& FileName) {
        const int Rc = freexl_open(Utf8(FileName).c_str(), &FHandle);
        if (Rc != FREEXL_OK) IncorrectFile();
        unsigned int Count = 0;
        if (freexl_get_info(FHandle, FREEXL_BIFF_SHEET_COUNT, &Count) != FREEXL_OK) IncorrectFile();
        for (unsigned int i = 0; i < Count; ++i) {
            const char* Name = nullptr;
            if (freexl_get_worksheet_name(FHandle, static_cast<unsigned short>(i), &Name) != FREEXL_OK || !Name)
                IncorrectFile();
            FNames.push_back(FromUtf8(Name));
        }
    }
    ~TXlsReader() override {
        if (FHandle) freexl_close(FHandle);
    }

    std::vector<String> SheetNames() override { return FNames; }
    // The file's active sheet is not known to the reader: the first one.
    size_t ActiveSheet() override { return 0; }

    std::vector<TSheetCell> ReadSheet(size_t Index) override {
        if (freexl_select_active_worksheet(FHandle, static_cast<unsigned short>(Index)) != FREEXL_OK) IncorrectFile();
        unsigned int Rows = 0;
        unsigned short Cols = 0;
        if (freexl_worksheet_dimensions(FHandle, &Rows, &Cols) != FREEXL_OK) IncorrectFile();
        std::vector<TSheetCell> Cells;
        for (unsigned int r = 0; r < Rows && r < unsigned(MaxSheetRows); ++r)
            for (unsigned short c = 0; c < Cols; ++c) {
                FreeXL_CellValue V;
                if (freexl_get_cell_value(FHandle, r, c, &V) != FREEXL_OK) IncorrectFile();
                TSheetCell Cell;
                Cell.Row = Integer(r) + 1;
                Cell.Col = Integer(c) + 1;
                switch (V.type) {
                case FREEXL_CELL_INT: Cell.Text = IntToStr(V.value.int_value); break;
                case FREEXL_CELL_DOUBLE: Cell.Text = FloatToStr(V.value.double_value); break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT: Cell.Text = FromUtf8(V.value.text_value); break;
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME: Cell.Text = DateText(V.type, V.value.text_value); break;
                default: continue;
                }
                Cells.push_back(std::move(Cell));
            }
        return Cells;
    }

private:
    // FreeXL gives "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or "HH:MM:SS".
    static String DateText(int Type, const char* Text) {
        int Y = 0, Mo = 0, D = 0, H = 0, Mi = 0, S = 0;
        TDateTime Date = 0, Time = 0;
        if (Type == FREEXL_CELL_TIME) {
            if (std::sscanf(Text, "%d:%d:%d", &H, &Mi, &S) != 3 || !TryEncodeTime(Word(H), Word(Mi), Word(S), 0, Time))
                return FromUtf8(Text);
            return TimeToStr(Time);
        }
        const int Got = std::sscanf(Text, "%d-%d-%d %d:%d:%d", &Y, &Mo, &D, &H, &Mi, &S);
        if (Got < 3 || !TryEncodeDate(Word(Y), Word(Mo), Word(D), Date)) return FromUtf8(Text);
        if (Type == FREEXL_CELL_DATE || Got < 6) return DateToStr(Date);
        if (!TryEncodeTime(Word(H), Word(Mi), Word(S), 0, Time)) return FromUtf8(Text);
        return DateTimeToStr(Date + Time);
    }

    const void* FHandle = nullptr;
    std::vector<String> FNames;
};

// The reader for the file's content: a zip package or a compound document.
std::unique_ptr<TWorkbookReader> OpenWorkbook(const String& FileName) {
    unsigned char Magic[8] = {};
    {
        TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
        if (Stream.Read(Magic, 8) != 8) IncorrectFile();
    }
    static const unsigned char Zip[4] = {'P', 'K', 3, 4};
    static const unsigned char Compound[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    try {
        if (std::memcmp(Magic, Zip, 4) == 0) return std::make_unique<TXlsxReader>(FileName);
        if (std::memcmp(Magic, Compound, 8) == 0) return std::make_unique<TXlsReader>(FileName);
    } catch (const EOfficePackageError&) {
        IncorrectFile();
    }
    IncorrectFile();
}

// ---- writing ----

// Excel's rules for a sheet name.
void CheckSheetName(const String& Name) {
    if (Name.empty() || Name.size() > 31 || Name.find_first_of(u":\\/?*[]") != String::npos ||
        Name.front() == u'\'' || Name.back() == u'\'')
        throw EKelGridError(u"Invalid worksheet name " + Name);
}

// A workbook cell holds at most 32767 characters.
std::string CellUtf8(const String& Text) {
    String T = Text;
    if (T.size() > 32767) {
        T.resize(32767);
        if (T.back() >= 0xD800 && T.back() <= 0xDBFF) T.pop_back();
    }
    std::string Out = Utf8(T);
    // Characters XML cannot hold are left out (tab and line feed stay).
    std::erase_if(Out, [](char Ch) { return (unsigned char)Ch < 0x20 && Ch != '\t' && Ch != '\n'; });
    return Out;
}

bool CellNumber(const String& Text, double& Value) {
    return !Text.empty() && TryStrToFloat(Text, Value) && std::isfinite(Value);
}

void CheckSheetSize(size_t Rows, size_t Cols, Integer FirstRow) {
    if (Cols > size_t(MaxSheetColumns) || Rows + size_t(FirstRow) - 1 > size_t(MaxSheetRows))
        throw EKelGridError(u"The grid does not fit into a worksheet");
}

void WriteNewWorkbook(const String& FileName, const String& SheetName, const std::vector<std::vector<String>>& Rows) {
    CheckSheetSize(Rows.size(), Rows.empty() ? 0 : Rows[0].size(), 1);
    lxw_workbook* Book = workbook_new(Utf8(FileName).c_str());
    if (!Book) throw EKelGridError(u"Cannot create " + FileName);
    lxw_worksheet* Sheet = workbook_add_worksheet(Book, Utf8(SheetName).c_str());
    lxw_error Error = Sheet ? LXW_NO_ERROR : LXW_ERROR_SHEETNAME_ALREADY_USED;
    for (size_t r = 0; r < Rows.size() && Error == LXW_NO_ERROR; ++r)
        for (size_t c = 0; c < Rows[r].size() && Error == LXW_NO_ERROR; ++c) {
            const String& Text = Rows[r][c];
            double Number = 0;
            if (Text.empty()) continue;
            if (CellNumber(Text, Number))
                Error = worksheet_write_number(Sheet, lxw_row_t(r), lxw_col_t(c), Number, nullptr);
            else
                Error = worksheet_write_string(Sheet, lxw_row_t(r), lxw_col_t(c), CellUtf8(Text).c_str(), nullptr);
        }
    const lxw_error CloseError = workbook_close(Book);
    if (Error == LXW_NO_ERROR) Error = CloseError;
    if (Error != LXW_NO_ERROR)
        throw EKelGridError(u"Cannot write " + FileName + u": " + FromUtf8(lxw_strerror(Error)));
}

std::string NumberText(double Value) {
    char Buffer[64];
    auto [Ptr, Ec] = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
    return std::string(Buffer, Ptr);
}

// Gives every row and cell of the sheet data its explicit reference.
void NumberSheetData(xmlNode* Data) {
    Integer RowNo = 0;
    for (xmlNode* Row = Data->children; Row; Row = Row->next) {
        if (!IsElement(Row, "row")) continue;
        const std::string R = Attr(Row, "r");
        RowNo = R.empty() ? RowNo + 1 : std::atoi(R.c_str());
        if (RowNo < 1 || RowNo > MaxSheetRows) IncorrectFile();
        xmlSetProp(Row, X("r"), X(std::to_string(RowNo)));
        Integer ColNo = 0;
        for (xmlNode* C = Row->children; C; C = C->next) {
            if (!IsElement(C, "c")) continue;
            const std::string Ref = Attr(C, "r");
            Integer RefCol = 0, RefRow = 0;
            if (Ref.empty()) ++ColNo;
            else if (ParseCellRef(Ref, RefCol, RefRow)) ColNo = RefCol;
            else IncorrectFile();
            if (ColNo > MaxSheetColumns) IncorrectFile();
            xmlSetProp(C, X("r"), X(Utf8(TZirOvararIzaz::WorkbookColumnName(ColNo)) + std::to_string(RowNo)));
        }
    }
}

Integer CellColumn(xmlNode* C) {
    Integer Col = 0, Row = 0;
    ParseCellRef(Attr(C, "r"), Col, Row);
    return Col;
}

// Writes the rows into the sheet from row FirstRow, column A on: the cells
// of the block are replaced (an empty text leaves its cell empty), every
// other cell stays.
void WriteSheetBlock(xmlDoc* Doc, Integer FirstRow, const std::vector<std::vector<String>>& Rows) {
    xmlNode* Root = xmlDocGetRootElement(Doc);
    xmlNode* Data = FirstChild(Root, "sheetData");
    if (!Data) IncorrectFile();
    NumberSheetData(Data);
    xmlNs* Ns = Data->ns;
    std::map<Integer, xmlNode*> RowNodes;
    for (xmlNode* Row = Data->children; Row; Row = Row->next)
        if (IsElement(Row, "row")) RowNodes[std::atoi(Attr(Row, "r").c_str())] = Row;
    for (size_t i = 0; i < Rows.size(); ++i) {
        const Integer RowNo = FirstRow + Integer(i);
        const std::vector<String>& Values = Rows[i];
        const Integer Width = Integer(Values.size());
        const bool AnyValue = std::any_of(Values.begin(), Values.end(), [](const String& S) { return !S.empty(); });
        xmlNode* Row = nullptr;
        if (auto It = RowNodes.find(RowNo); It != RowNodes.end()) {
            Row = It->second;
        } else if (AnyValue) {
            Row = xmlNewDocNode(Doc, Ns, X("row"), nullptr);
            xmlSetProp(Row, X("r"), X(std::to_string(RowNo)));
            auto Next = RowNodes.upper_bound(RowNo);
            if (Next != RowNodes.end()) xmlAddPrevSibling(Next->second, Row);
            else xmlAddChild(Data, Row);
            RowNodes[RowNo] = Row;
        } else {
            continue;
        }
        xmlUnsetProp(Row, X("spans"));
        xmlNode* After = nullptr; // the first remaining cell right of the block
        for (xmlNode* C = Row->children; C;) {
            xmlNode* Next = C->next;
            if (IsElement(C, "c")) {
                if (CellColumn(C) <= Width) {
                    xmlUnlinkNode(C);
                    xmlFreeNode(C);
                } else if (!After) {
                    After = C;
                }
            }
            C = Next;
        }
        for (Integer c = 0; c < Width; ++c) {
            const String& Text = Values[size_t(c)];
            if (Text.empty()) continue;
            xmlNode* Cell = xmlNewDocNode(Doc, Ns, X("c"), nullptr);
            xmlSetProp(Cell, X("r"), X(Utf8(TZirOvararIzaz::WorkbookColumnName(c + 1)) + std::to_string(RowNo)));
            double Number = 0;
            if (CellNumber(Text, Number)) {
                xmlNewTextChild(Cell, Ns, X("v"), X(NumberText(Number)));
            } else {
                xmlSetProp(Cell, X("t"), X("inlineStr"));
                xmlNode* Is = xmlNewChild(Cell, Ns, X("is"), nullptr);
                xmlNode* T = xmlNewTextChild(Is, Ns, X("t"), X(CellUtf8(Text)));
                xmlNodeSetSpacePreserve(T, 1);
            }
            if (After) xmlAddPrevSibling(After, Cell);
            else xmlAddChild(Row, Cell);
        }
    }
    // The dimension follows the cells now present.
    if (xmlNode* Dim = FirstChild(Root, "dimension")) {
        Integer MinR = 0, MaxR = 0, MinC = 0, MaxC = 0;
        for (xmlNode* Row = Data->children; Row; Row = Row->next)
            for (xmlNode* C = IsElement(Row, "row") ? Row->children : nullptr; C; C = C->next) {
                if (!IsElement(C, "c")) continue;
                Integer Col = 0, R = 0;
                ParseCellRef(Attr(C, "r"), Col, R);
                MinR = MinR ? std::min(MinR, R) : R, MaxR = std::max(MaxR, R);
                MinC = MinC ? std::min(MinC, Col) : Col, MaxC = std::max(MaxC, Col);
            }
        std::string Ref = "A1";
        if (MinR) {
            Ref = Utf8(TZirOvararIzaz::WorkbookColumnName(MinC)) + std::to_string(MinR);
            if (MinR != MaxR || MinC != MaxC)
                Ref += ":" + Utf8(TZirOvararIzaz::WorkbookColumnName(MaxC)) + std::to_string(MaxR);
        }
        xmlSetProp(Dim, X("ref"), X(Ref));
    }
}

// The row of a sheet's active cell (1 when it has none).
Integer ActiveCellRow(xmlDoc* Sheet) {
    xmlNode* Views = FirstChild(xmlDocGetRootElement(Sheet), "sheetViews");
    for (xmlNode* View = Views ? Views->children : nullptr; View; View = View->next)
        for (xmlNode* Sel = IsElement(View, "sheetView") ? View->children : nullptr; Sel; Sel = Sel->next)
            if (IsElement(Sel, "selection")) {
                Integer Col = 0, Row = 0;
                if (ParseCellRef(Attr(Sel, "activeCell"), Col, Row) && Row > 0) return Row;
            }
    return 1;
}

// Writes the rows into a sheet of an existing workbook package: the named
// sheet (the last of that name; added when missing) from row 1, or the
// active sheet from its active cell's row on.
void EditWorkbook(const String& FileName, const String* SheetName, const std::vector<std::vector<String>>& Rows) {
    TOfficePackage Package(Utf8(FileName), false);
    const std::string Main = MainPartName(Package);
    const std::string RelsName = RelsPartOf(Main);
    TXmlDoc Book = ParsePart(Package.Read(Main));
    TXmlDoc Rels = ParsePart(Package.Read(RelsName));
    TXmlDoc Types = ParsePart(Package.Read("[Content_Types].xml"));
    xmlNode* BookRoot = xmlDocGetRootElement(Book.get());
    xmlNode* RelsRoot = xmlDocGetRootElement(Rels.get());
    xmlNode* TypesRoot = xmlDocGetRootElement(Types.get());
    xmlNode* Sheets = FirstChild(BookRoot, "sheets");
    if (!Sheets) IncorrectFile();

    std::vector<xmlNode*> SheetNodes;
    for (xmlNode* N = Sheets->children; N; N = N->next)
        if (IsElement(N, "sheet")) SheetNodes.push_back(N);
    auto TargetOf = [&](const std::string& Id) {
        for (xmlNode* N = RelsRoot->children; N; N = N->next)
            if (IsElement(N, "Relationship") && Attr(N, "Id") == Id) return ResolveTarget(Main, Attr(N, "Target"));
        IncorrectFile();
    };

    std::string SheetPart;
    Integer FirstRow = 1;
    TXmlDoc Sheet;
    if (SheetName) {
        for (xmlNode* N : SheetNodes)
            if (FromUtf8(Attr(N, "name")) == *SheetName) SheetPart = TargetOf(Attr(N, "id", RelNamespace));
    } else {
        size_t Active = 0;
        if (xmlNode* View = FirstChild(FirstChild(BookRoot, "bookViews"), "workbookView"))
            Active = size_t(std::max(0, std::atoi(Attr(View, "activeTab").c_str())));
        if (SheetNodes.empty()) IncorrectFile();
        if (Active >= SheetNodes.size()) Active = 0;
        SheetPart = TargetOf(Attr(SheetNodes[Active], "id", RelNamespace));
    }

    if (SheetPart.empty()) {
        // A new sheet: its part, its relationship, its content type and its
        // entry in the workbook.
        const std::string Dir = Main.substr(0, Main.rfind('/') + 1);
        Integer N = 1;
        while (Package.Has(Dir + "worksheets/sheet" + std::to_string(N) + ".xml")) ++N;
        const std::string Target = "worksheets/sheet" + std::to_string(N) + ".xml";
        SheetPart = Dir + Target;
        Integer K = 1;
        auto IdUsed = [&](const std::string& Id) {
            for (xmlNode* R = RelsRoot->children; R; R = R->next)
                if (IsElement(R, "Relationship") && Attr(R, "Id") == Id) return true;
            return false;
        };
        while (IdUsed("rId" + std::to_string(K))) ++K;
        const std::string Id = "rId" + std::to_string(K);
        xmlNode* Rel = xmlNewChild(RelsRoot, RelsRoot->ns, X("Relationship"), nullptr);
        xmlSetProp(Rel, X("Id"), X(Id));
        xmlSetProp(Rel, X("Type"), X(WorksheetRel));
        xmlSetProp(Rel, X("Target"), X(Target));
        xmlNode* Override = xmlNewChild(TypesRoot, TypesRoot->ns, X("Override"), nullptr);
        xmlSetProp(Override, X("PartName"), X("/" + SheetPart));
        xmlSetProp(Override, X("ContentType"), X(WorksheetType));
        Integer MaxId = 0;
        for (xmlNode* S : SheetNodes) MaxId = std::max(MaxId, std::atoi(Attr(S, "sheetId").c_str()));
        xmlNode* Entry = xmlNewChild(Sheets, Sheets->ns, X("sheet"), nullptr);
        xmlSetProp(Entry, X("name"), X(Utf8(*SheetName)));
        xmlSetProp(Entry, X("sheetId"), X(std::to_string(MaxId + 1)));
        xmlNs* RNs = xmlSearchNsByHref(Book.get(), Sheets, X(RelNamespace));
        if (!RNs) RNs = xmlNewNs(BookRoot, X(RelNamespace), X("r"));
        xmlSetNsProp(Entry, RNs, X("id"), X(Id));
        Sheet = ParsePart(std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\"") +
                          MainNamespace + "\"><sheetData/></worksheet>");
    } else {
        Sheet = ParsePart(Package.Read(SheetPart));
        if (!SheetName) FirstRow = ActiveCellRow(Sheet.get());
    }
    CheckSheetSize(Rows.size(), Rows.empty() ? 0 : Rows[0].size(), FirstRow);
    WriteSheetBlock(Sheet.get(), FirstRow, Rows);

    // Cells changed under the calculation chain: it goes, and the
    // spreadsheet program builds it anew.
    for (xmlNode* R = RelsRoot->children; R;) {
        xmlNode* Next = R->next;
        if (IsElement(R, "Relationship") && Attr(R, "Type").ends_with("/calcChain")) {
            const std::string Part = ResolveTarget(Main, Attr(R, "Target"));
            Package.Remove(Part);
            for (xmlNode* T = TypesRoot->children; T;) {
                xmlNode* TNext = T->next;
                if (IsElement(T, "Override") && Attr(T, "PartName") == "/" + Part) {
                    xmlUnlinkNode(T);
                    xmlFreeNode(T);
                }
                T = TNext;
            }
            xmlUnlinkNode(R);
            xmlFreeNode(R);
        }
        R = Next;
    }
    Package.Write(SheetPart, DumpPart(Sheet.get()));
    Package.Write(Main, DumpPart(Book.get()));
    Package.Write(RelsName, DumpPart(Rels.get()));
    Package.Write("[Content_Types].xml", DumpPart(Types.get()));
    Package.Commit();
}

bool IsZipFile(const String& FileName) {
    unsigned char Magic[4] = {};
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    return Stream.Read(Magic, 4) == 4 && Magic[0] == 'P' && Magic[1] == 'K' && Magic[2] == 3 && Magic[3] == 4;
}

} // namespace

String TZirOvararIzaz::WorkbookColumnName(Integer Col) {
    String Out;
    while (Col > 0) {
        const Integer Rem = (Col - 1) % 26;
        Out.insert(Out.begin(), Char(u'A' + Rem));
        Col = (Col - 1) / 26;
    }
    return Out;
}

Integer TZirOvararIzaz::WorkbookColumnNumber(const String& Letters) {
    if (Letters.empty() || Letters.size() > 3) return 0;
    Integer N = 0;
    for (Char Ch : Letters) {
        const Char U = Ch >= u'a' && Ch <= u'z' ? Char(Ch - 32) : Ch;
        if (U < u'A' || U > u'Z') return 0;
        N = N * 26 + (U - u'A' + 1);
    }
    return N <= MaxSheetColumns ? N : 0;
}

TStringList* TZirOvararIzaz::GetXLSSheets(const String& FileName) {
    THourglass Hourglass;
    auto Reader = OpenWorkbook(FileName);
    auto List = std::make_unique<TStringList>();
    try {
        for (const String& Name : Reader->SheetNames()) List->Add(Name);
    } catch (const EOfficePackageError&) {
        IncorrectFile();
    }
    return List.release();
}

void TZirOvararIzaz::LoadFromXLS(const String& FileName) { LoadWorkbookSheet(FileName, nullptr); }

void TZirOvararIzaz::LoadFromXLSSheet(const String& FileName, const String& SheetName) {
    LoadWorkbookSheet(FileName, &SheetName);
}

void TZirOvararIzaz::LoadWorkbookSheet(const String& FileName, const String* SheetName) {
    THourglass Hourglass;
    auto Reader = OpenWorkbook(FileName);
    const std::vector<String> Names = Reader->SheetNames();
    size_t Index = Reader->ActiveSheet();
    if (SheetName) {
        const auto It = std::find(Names.begin(), Names.end(), *SheetName);
        if (It == Names.end()) throw EKelGridError(u"Excel worksheet " + *SheetName + u" not found");
        Index = size_t(It - Names.begin());
    } else if (Index >= Names.size()) {
        IncorrectFile();
    }
    std::vector<TSheetCell> Cells;
    try {
        Cells = Reader->ReadSheet(Index);
    } catch (const EOfficePackageError&) {
        IncorrectFile();
    }

    // The used range: the cells that hold a value (A1 for an empty sheet).
    Integer SR = 1, ER = 1, SC = 1, EC = 1;
    if (!Cells.empty()) {
        SR = SC = std::numeric_limits<Integer>::max();
        ER = EC = 0;
        for (const auto& C : Cells) {
            SR = std::min(SR, C.Row), ER = std::max(ER, C.Row);
            SC = std::min(SC, C.Col), EC = std::max(EC, C.Col);
        }
    }
    std::unordered_map<uint64_t, const TSheetCell*> At;
    At.reserve(Cells.size());
    for (const auto& C : Cells) At[uint64_t(C.Row) * (MaxSheetColumns + 1) + uint64_t(C.Col)] = &C;

    try {
        const Integer ColOffset = SaveFixedCells || SaveFixedCols ? 0 : FixedCols();
        const Integer RowOffset = SaveFixedCells || SaveFixedRows ? 0 : FixedRows();
        const Integer OldFixedCols = FixedCols(), OldFixedRows = FixedRows();
        SetColCount(EC - SC + 1 + ColOffset);
        SetRowCount(ER - SR + 1 + RowOffset);
        if (OldFixedCols < ColCount() && FixedCols() != OldFixedCols) SetFixedCols(OldFixedCols);
        if (OldFixedRows < RowCount() && FixedRows() != OldFixedRows) SetFixedRows(OldFixedRows);
        for (Integer i = 1; i <= RowCount() - RowOffset; ++i)
            for (Integer j = 1; j <= ColCount() - ColOffset; ++j) {
                const auto It = At.find(uint64_t(SR + i - 1) * (MaxSheetColumns + 1) + uint64_t(SC + j - 1));
                String Value;
                if (It != At.end()) {
                    if (It->second->Error) continue;
                    Value = It->second->Text;
                }
                DoLoadCell(j + ColOffset - 1, i + RowOffset - 1, Value);
            }
    } catch (...) {
        CellsChanged(TRect(0, 0, ColCount(), RowCount()));
        RecalcFooter(-1);
        throw;
    }
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    RecalcFooter(-1);
}

std::vector<std::vector<String>> TZirOvararIzaz::WorkbookRows() {
    std::vector<std::vector<String>> Rows;
    const Integer StartRow = SaveStartRow(), StartCol = SaveStartCol();
    Rows.reserve(size_t(std::max(0, RowCount() - StartRow)));
    ExportNotification(esExportStart, StartRow);
    for (Integer r = StartRow; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        std::vector<String>& Row = Rows.emplace_back();
        Row.reserve(size_t(std::max(0, ColCount() - StartCol)));
        for (Integer c = StartCol; c < ColCount(); ++c) {
            String Text;
            SaveCell(RealColIndex(c), r, Text);
            Row.push_back(StripCarriageReturns(Text));
        }
    }
    ExportNotification(esExportDone, -1);
    return Rows;
}

void TZirOvararIzaz::SaveToXLS(const String& FileName, bool CreateNewSheet) {
    SaveWorkbookSheet(FileName, nullptr, CreateNewSheet);
}

void TZirOvararIzaz::SaveToXLSSheet(const String& FileName, const String& SheetName) {
    SaveWorkbookSheet(FileName, &SheetName, false);
}

void TZirOvararIzaz::SaveWorkbookSheet(const String& FileName, const String* SheetName, bool CreateNew) {
    THourglass Hourglass;
    if (SheetName) CheckSheetName(*SheetName);
    const std::vector<std::vector<String>> Rows = WorkbookRows();
    if (CreateNew || !FileExists(FileName)) {
        WriteNewWorkbook(FileName, SheetName ? *SheetName : String(u"Sheet1"), Rows);
        return;
    }
    // An existing file that is not a workbook package is never overwritten.
    if (!IsZipFile(FileName)) IncorrectFile();
    try {
        EditWorkbook(FileName, SheetName, Rows);
    } catch (const EOfficePackageError&) {
        IncorrectFile();
    }
}
