// Document and database exchange: the grid as a table in a .docx file, and
// the result of a query on an SQLite database file loaded into the grid.

#include "Hourglass.h"
#include "OfficePackage.h"
#include "grid/GridError.h"
#include "grid/ZirOvararIzaz.h"
#include "data/ADODataSet.h"
#include "gridbase/RarEvad.h"
#include "data/Connection.h"
#include "data/Field.h"
#include "os/FileUtils.h"
#include "rtl/Encoding.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"
#include "vcl/Forms.h"

#include <libxml/tree.h>

#include <cstring>
#include <fstream>

using namespace detail;

namespace {

constexpr const char* WordNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

[[noreturn]] void IncorrectDocument() { throw Exception(u"Incorrect Word file"); }

// The parts of a new, empty document package.
void WriteEmptyDocument(TOfficePackage& Package) {
    Package.Write("[Content_Types].xml",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                  "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                  "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                  "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                  "<Override PartName=\"/word/document.xml\" "
                  "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
                  "</Types>");
    Package.Write("_rels/.rels",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                  "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                  "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
                  "officeDocument\" Target=\"word/document.xml\"/></Relationships>");
}

std::string EmptyDocumentXML() {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document xmlns:w=\"") +
           WordNamespace +
           "\"><w:body><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1440\" w:right=\"1440\" "
           "w:bottom=\"1440\" w:left=\"1440\" w:header=\"708\" w:footer=\"708\" w:gutter=\"0\"/></w:sectPr></w:body>"
           "</w:document>";
}

// Text runs for a cell or paragraph: line feeds become line breaks,
// characters XML cannot hold are left out.
void AddRuns(xmlNode* Paragraph, xmlNs* W, const String& Text) {
    if (Text.empty()) return;
    xmlNode* Run = xmlNewChild(Paragraph, W, X("r"), nullptr);
    std::string Bytes = Utf8(Text);
    std::erase_if(Bytes, [](char Ch) { return (unsigned char)Ch < 0x20 && Ch != '\t' && Ch != '\n'; });
    size_t Start = 0;
    while (true) {
        const size_t End = Bytes.find('\n', Start);
        xmlNode* T = xmlNewTextChild(Run, W, X("t"), X(Bytes.substr(Start, End - Start)));
        xmlNodeSetSpacePreserve(T, 1);
        if (End == std::string::npos) break;
        xmlNewChild(Run, W, X("br"), nullptr);
        Start = End + 1;
    }
}

xmlNode* NewParagraph(xmlDoc* Doc, xmlNs* W, const String& Text) {
    xmlNode* P = xmlNewDocNode(Doc, W, X("p"), nullptr);
    AddRuns(P, W, Text);
    return P;
}

// Places Node in the body before Before, or at the end (before the section
// properties) when Before is null.
void InsertInBody(xmlNode* Body, xmlNode* Node, xmlNode* Before) {
    if (!Before) {
        for (xmlNode* N = Body->last; N; N = N->prev)
            if (IsElement(N, "sectPr")) {
                Before = N;
                break;
            }
    }
    if (Before) xmlAddPrevSibling(Before, Node);
    else xmlAddChild(Body, Node);
}

// The body element (a paragraph or a table) that holds the bookmark; null
// when the document has no bookmark of that name (names compare without
// regard to case, as the word processor's do).
xmlNode* BookmarkBlock(xmlNode* Body, const String& Bookmark) {
    for (xmlNode* Block = Body->children; Block; Block = Block->next) {
        if (Block->type != XML_ELEMENT_NODE) continue;
        std::vector<xmlNode*> Stack{Block};
        while (!Stack.empty()) {
            xmlNode* N = Stack.back();
            Stack.pop_back();
            if (IsElement(N, "bookmarkStart") && SameText(FromUtf8(Attr(N, "name", WordNamespace)), Bookmark))
                return Block;
            for (xmlNode* C = N->children; C; C = C->next)
                if (C->type == XML_ELEMENT_NODE) Stack.push_back(C);
        }
    }
    return nullptr;
}

struct TDocCell {
    String Text;
    TAlignment Align = taLeftJustify;
};

xmlNode* NewTable(xmlDoc* Doc, xmlNs* W, const std::vector<std::vector<TDocCell>>& Cells, Integer Cols) {
    auto Set = [&](xmlNode* N, const char* Name, const std::string& Value) { xmlSetNsProp(N, W, X(Name), X(Value)); };
    xmlNode* Table = xmlNewDocNode(Doc, W, X("tbl"), nullptr);
    xmlNode* Pr = xmlNewChild(Table, W, X("tblPr"), nullptr);
    xmlNode* Width = xmlNewChild(Pr, W, X("tblW"), nullptr);
    Set(Width, "w", "0");
    Set(Width, "type", "auto");
    xmlNode* Borders = xmlNewChild(Pr, W, X("tblBorders"), nullptr);
    for (const char* Side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        xmlNode* B = xmlNewChild(Borders, W, X(Side), nullptr);
        Set(B, "val", "single");
        Set(B, "sz", "4");
        Set(B, "space", "0");
        Set(B, "color", "auto");
    }
    const std::string ColWidth = std::to_string(std::max(1, 9000 / std::max(1, Cols)));
    xmlNode* Grid = xmlNewChild(Table, W, X("tblGrid"), nullptr);
    for (Integer c = 0; c < Cols; ++c) Set(xmlNewChild(Grid, W, X("gridCol"), nullptr), "w", ColWidth);
    for (const auto& Row : Cells) {
        xmlNode* Tr = xmlNewChild(Table, W, X("tr"), nullptr);
        for (const auto& Cell : Row) {
            xmlNode* Tc = xmlNewChild(Tr, W, X("tc"), nullptr);
            xmlNode* TcW = xmlNewChild(xmlNewChild(Tc, W, X("tcPr"), nullptr), W, X("tcW"), nullptr);
            Set(TcW, "w", ColWidth);
            Set(TcW, "type", "dxa");
            xmlNode* P = xmlNewChild(Tc, W, X("p"), nullptr);
            if (Cell.Align == taRightJustify || Cell.Align == taCenter)
                Set(xmlNewChild(xmlNewChild(P, W, X("pPr"), nullptr), W, X("jc"), nullptr), "val",
                    Cell.Align == taRightJustify ? "right" : "center");
            AddRuns(P, W, Cell.Text);
        }
    }
    return Table;
}

} // namespace

void TZirOvararIzaz::SaveToDOC(const String& FileName, bool CreateNewDocument) {
    WriteDocument(FileName, false, CreateNewDocument || !FileExists(FileName), String());
}

void TZirOvararIzaz::AppendToDoc(const String& FileName, const String& Bookmark) {
    WriteDocument(FileName, true, false, Bookmark);
}

void TZirOvararIzaz::WriteDocument(const String& FileName, bool Append, bool CreateNew, const String& Bookmark) {
    THourglass Hourglass;
    // The table's texts and alignments.
    std::vector<std::vector<TDocCell>> Cells(static_cast<size_t>(RowCount()));
    ExportNotification(esExportStart, 0);
    for (Integer r = 0; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        auto& Row = Cells[size_t(r)];
        Row.resize(size_t(ColCount()));
        for (Integer c = 0; c < ColCount(); ++c) {
            SaveCell(RealColIndex(c), r, Row[size_t(c)].Text);
            Row[size_t(c)].Text = StripCarriageReturns(Row[size_t(c)].Text);
            TVAlignment VA{};
            ResolveAlignment(c, r, Row[size_t(c)].Align, VA);
        }
    }
    ExportNotification(esExportDone, -1);

    try {
        std::unique_ptr<TOfficePackage> Package;
        std::string Main = "word/document.xml";
        TXmlDoc Doc;
        if (CreateNew) {
            Package = std::make_unique<TOfficePackage>(Utf8(FileName), true);
            WriteEmptyDocument(*Package);
            Doc = ParsePart(EmptyDocumentXML());
        } else {
            Package = std::make_unique<TOfficePackage>(Utf8(FileName), false);
            Main = MainPartName(*Package);
            Doc = ParsePart(Package->Read(Main));
        }
        xmlNode* Body = FirstChild(xmlDocGetRootElement(Doc.get()), "body");
        if (!Body) IncorrectDocument();
        xmlNs* W = Body->ns;

        // The grid's own text as the document's first paragraph.
        xmlNode* First = nullptr;
        for (xmlNode* N = Body->children; N && !First; N = N->next)
            if (N->type == XML_ELEMENT_NODE) First = N;
        InsertInBody(Body, NewParagraph(Doc.get(), W, Text()), First);

        xmlNode* Table = NewTable(Doc.get(), W, Cells, ColCount());
        if (!Append) {
            xmlNode* Start = nullptr;
            for (xmlNode* N = Body->children; N && !Start; N = N->next)
                if (N->type == XML_ELEMENT_NODE) Start = N;
            InsertInBody(Body, Table, Start);
        } else if (xmlNode* At = Bookmark.empty() ? nullptr : BookmarkBlock(Body, Bookmark)) {
            InsertInBody(Body, Table, At);
        } else {
            // After the last line: the table, then the paragraph a document
            // ends with.
            InsertInBody(Body, Table, nullptr);
            InsertInBody(Body, NewParagraph(Doc.get(), W, String()), nullptr);
        }
        Package->Write(Main, DumpPart(Doc.get()));
        Package->Commit();
    } catch (const EOfficePackageError&) {
        IncorrectDocument();
    }
}

void TZirOvararIzaz::LoadFromMDBTable(const String& FileName, const String& Table) {
    LoadFromMDBSQL(FileName, u"SELECT * FROM " + Table);
}

void TZirOvararIzaz::LoadFromMDBSQL(const String& FileName, const String& SQL) {
    // Access files (Jet and ACE) are told by their signature.
    {
        std::ifstream In(Utf8(FileName), std::ios::binary);
        char Head[20] = {};
        if (In.read(Head, sizeof Head) &&
            (std::memcmp(Head + 4, "Standard Jet DB", 15) == 0 || std::memcmp(Head + 4, "Standard ACE DB", 15) == 0))
            throw EKelGridError(u"Access database files are not supported");
    }
    struct TFreeLater {
        TObject* Object;
        ~TFreeLater() { Free(Object); }
    };
    auto* Connection = Create<TADOConnection>(nullptr);
    TFreeLater FreeConnection{Connection};
    auto* Query = Create<TADOQuery>(nullptr);
    TFreeLater FreeQuery{Query};
    Connection->SetLoginPrompt(false);
    Connection->SetConnectionString(u"Provider=SQLite;Data Source=" + FileName);
    Connection->Open();
    Query->SetConnection(Connection);
    Query->SQL()->SetText(SQL);
    Query->Open();

    const Integer N = Query->FieldCount();
    SetColCount(FixedCols() + N);
    if (FixedRows() > 0)
        for (Integer i = 0; i < N; ++i) SetCells(FixedCols() + i, FixedRows() - 1, Query->Fields(i)->FieldName());
    if (Query->RecordCount() > 0) SetRowCount(FixedRows() + Query->RecordCount());
    Integer Row = FixedRows();
    while (!Query->Eof()) {
        for (Integer i = 0; i < N; ++i) {
            TField* Field = Query->Fields(i);
            String Value = Field->IsNull() ? String() : Field->AsString();
            DoLoadCell(FixedCols() + i, Row, Value);
        }
        Query->Next();
        ++Row;
        if (RowCount() < Row) SetRowCount(RowCount() + 1);
    }
    Query->Close();
    Connection->Close();
}
