// XML export and import, JSON export.

#include "grid/ZirOvararIzaz.h"
#include "grid/GridError.h"
#include "os/FileUtils.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/Stream.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"
#include "xml/XMLDocument.h"

#include <cmath>
#include <functional>
#include <memory>

namespace {

// Standard XML escaping; a CR is written as a character reference so that
// it survives the parser's line-end normalisation, and every character
// beyond Latin-1 as its code point, so the text fits any declared encoding.
String EscapeXML(const String& Text) {
    String Out;
    Out.reserve(Text.size());
    for (size_t i = 0; i < Text.size(); ++i) {
        const Char Ch = Text[i];
        switch (Ch) {
        case u'&': Out += u"&amp;"; break;
        case u'>': Out += u"&gt;"; break;
        case u'<': Out += u"&lt;"; break;
        case u'"': Out += u"&quot;"; break;
        case u'\r': Out += u"&#13;"; break;
        default:
            if (Ch >= 0xD800 && Ch <= 0xDBFF && i + 1 < Text.size() && Text[i + 1] >= 0xDC00 && Text[i + 1] <= 0xDFFF) {
                const Integer Code = 0x10000 + ((Ch - 0xD800) << 10) + (Text[i + 1] - 0xDC00);
                Out += u"&#" + IntToStr(Code) + u";";
                ++i;
            } else if (Ch >= 256) {
                Out += u"&#" + IntToStr(Ch) + u";";
            } else if (Ch < 0x20 && Ch != u'\t' && Ch != u'\n') {
                // XML cannot hold the other control characters; they are left out.
            } else {
                Out += Ch;
            }
        }
    }
    return Out;
}

// Files written before standard escaping hold "$amp;" for "&".
String UnescapeOldXML(const String& Text) { return StringReplace(Text, u"$amp;", u"&", {rfReplaceAll}); }

// The declared encoding the file is written in: Latin-1, Windows-1252 or
// UTF-8 (UTF-8 for a name not known here, declared as such).
struct TXMLFileEncoding {
    String Name;
    std::string (*Encode)(const String&);
};

std::string ToLatin1(const String& Text) {
    std::string Out;
    Out.reserve(Text.size());
    for (Char Ch : Text) Out.push_back(Ch < 256 ? char(Ch) : '?');
    return Out;
}

TXMLFileEncoding XMLFileEncoding(const String& Declared) {
    const String Name = UpperCase(Declared);
    if (Name == u"ISO-8859-1" || Name == u"LATIN1" || Name == u"ISO_8859-1")
        return {Declared, ToLatin1};
    if (Name == u"WINDOWS-1252" || Name == u"CP1252")
        return {Declared, [](const String& T) { return std::string(ToAnsi(T)); }};
    if (Name == u"UTF-8") return {Declared, [](const String& T) { return Utf8(T); }};
    return {u"UTF-8", [](const String& T) { return Utf8(T); }};
}

String EscapeJSON(const String& Text) {
    String Out;
    Out.reserve(Text.size());
    for (Char Ch : Text) {
        switch (Ch) {
        case u'"': Out += u"\\\""; break;
        case u'\\': Out += u"\\\\"; break;
        case u'\n': Out += u"\\n"; break;
        case u'\r': Out += u"\\r"; break;
        case u'\t': Out += u"\\t"; break;
        case u'\b': Out += u"\\b"; break;
        case u'\f': Out += u"\\f"; break;
        default:
            if (Ch < 0x20)
                Out += u"\\u00" + IntToHex(Integer(Ch), 2);
            else
                Out += Ch;
        }
    }
    return Out;
}

} // namespace

void TZirOvararIzaz::SaveToXML(const String& FileName, const String& ListDescr, const String& RecordDescr,
                               TStrings* FieldDescr, bool ExportEmptyCells) {
    std::unique_ptr<TFileStream> File;
    try {
        File = std::make_unique<TFileStream>(FileName, fmCreate);
    } catch (const Exception&) {
        throw EKelGridError(u"Cannot Create file " + FileName);
    }
    const TXMLFileEncoding Enc = XMLFileEncoding(XMLEncoding());
    String Text = u"<?xml version=\"1.0\" encoding=\"" + Enc.Name + u"\" ?>\r\n<" + ListDescr + u">\r\n";
    FLastFileProgress = -1;
    ExportNotification(esExportStart, SaveStartRow());
    const Integer Hidden = SaveHiddenCells() ? NumHiddenColumns() : 0;
    for (Integer r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        Text += u"<" + RecordDescr + u">\r\n";
        for (Integer b = SaveStartCol(); b <= SaveEndCol() + Hidden; ++b) {
            const Integer p = SaveColumnIndex(b);
            if (!IsBaseCell(p, r)) continue;
            String T;
            SaveCell(p, r, T);
            if (T.empty() && !ExportEmptyCells) continue;
            if (T.empty() && FQuoteEmptyCells) T = u"\"\"";
            const Integer Index = p - SaveStartCol();
            const String Name = FieldDescr && Index >= 0 && Index < FieldDescr->Count()
                                    ? FieldDescr->Strings(Index)
                                    : u"FIELD" + IntToStr(Index);
            Text += u"<" + Name + u">" + EscapeXML(T) + u"</" + Name + u">\r\n";
        }
        Text += u"</" + RecordDescr + u">\r\n";
        if (OnFileProgress)
            FireFileProgress(Integer(std::lround(double(r) / std::max(1, SaveEndRow() - SaveStartRow()) * 100.0)));
    }
    Text += u"</" + ListDescr + u">\r\n";
    ExportNotification(esExportDone, -1);
    const std::string Bytes = Enc.Encode(Text);
    File->WriteBuffer(Bytes.data(), Int64(Bytes.size()));
}

void TZirOvararIzaz::LoadFromXML(const String& FileName, bool LevelToRow, bool LoadFieldDescr) {
    if (!FileExists(FileName)) throw Exception(u"XML file not found");
    TXMLDocument Doc;
    try {
        Doc.LoadFromFile(FileName);
    } catch (const EDOMParseError& E) {
        throw Exception(u"XMLDOM Parsing error " + IntToStr(E.ErrorCode()) + u" on line " + IntToStr(E.Line()));
    }
    IXMLNode* Root = Doc.DocumentElement();
    if (!Root) return;

    const Integer C0 = SaveStartCol();
    const Integer R0 = (!SaveFixedCells && !SaveFixedRows) || LoadFieldDescr ? FixedRows() : 0;
    const bool HeaderNames = SaveFixedCells || SaveFixedRows;
    Integer MaxCol = C0, MaxRow = R0, RowCounter = 0, ColCounter = 0, Level = 1;

    auto Grow = [&] {
        const Integer c = C0 + ColCounter, r = R0 + RowCounter;
        if (c >= ColCount()) SetColCount(c + 1);
        if (r >= RowCount()) SetRowCount(r + 1);
    };
    auto Header = [&](const String& Name) {
        const Integer c = C0 + ColCounter;
        if (HeaderNames && Cells(c, 0).empty()) {
            String Value = Name;
            DoLoadCell(c, 0, Value);
        }
    };
    auto LoadValue = [&](String Value) {
        const Integer c = C0 + ColCounter, r = R0 + RowCounter;
        DoLoadCell(c, r, Value);
        MaxCol = std::max(MaxCol, c);
        MaxRow = std::max(MaxRow, r);
        ++ColCounter;
    };

    std::function<void(IXMLNode*)> Walk = [&](IXMLNode* Node) {
        bool Advanced = false;
        if (Node->NodeType() == ntElement) {
            IXMLNodeList& Attrs = Node->AttributeNodes();
            for (Integer a = 0; a < Attrs.Count(); ++a) {
                IXMLNode* Attr = Attrs.Nodes(a);
                Grow();
                Header(Attr->NodeName());
                LoadValue(UnescapeOldXML(Attr->Text()));
            }
            if (LevelToRow && Attrs.Count() > 0) {
                ++RowCounter;
                ColCounter = Level;
                Advanced = true;
            }
        }
        IXMLNodeList& Children = Node->ChildNodes();
        if (Children.Count() > 1) {
            if (LevelToRow && !Advanced) {
                ++RowCounter;
                ColCounter = 0;
            }
            ++Level;
            for (Integer k = 0; k < Children.Count(); ++k) Walk(Children.Nodes(k));
        } else if (Children.Count() == 0) {
            String Empty;
            DoLoadCell(C0 + ColCounter, R0 + RowCounter, Empty);
            ++ColCounter;
        } else {
            Grow();
            if (LoadFieldDescr) Header(Node->NodeName());
            String Value = UnescapeOldXML(Node->Text());
            if (FQuoteEmptyCells && Value == u"\"\"") Value.clear();
            LoadValue(Value);
        }
    };

    IXMLNodeList& Records = Root->ChildNodes();
    for (Integer i = 0; i < Records.Count(); ++i) {
        IXMLNode* Child = Records.Nodes(i);
        ColCounter = 0;
        Level = 1;
        if (LevelToRow && i == 0 && (Child->NodeType() != ntElement || Child->AttributeNodes().Count() == 0))
            RowCounter = -1;
        Walk(Child);
        if (!LevelToRow) ++RowCounter;
    }
    SetColCount(MaxCol + 1);
    SetRowCount(MaxRow + 1);
    RecalcFooter(-1);
}

void TZirOvararIzaz::SaveToJSON(const String& RecordDescr, TStrings* FieldDescr, String& JSON) {
    const Integer Cols = SaveEndCol() - SaveStartCol() + 1;
    const bool Named = FieldDescr && FieldDescr->Count() >= Cols;
    String Out;
    bool First = true;
    for (Integer r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        if (IsSuppressedRow(r)) continue;
        String Row;
        for (Integer a = SaveStartCol(); a <= SaveEndCol(); ++a) {
            if (a > SaveStartCol()) Row += u",";
            String T;
            SaveCell(a, r, T);
            if (Named)
                Row += u"{\"" + EscapeJSON(FieldDescr->Strings(a - SaveStartCol())) + u"\":\"" + EscapeJSON(T) + u"\"}";
            else
                Row += u"\"" + EscapeJSON(T) + u"\"";
        }
        Row = RecordDescr.empty() ? u"[" + Row + u"]" : u"{\"" + EscapeJSON(RecordDescr) + u"\":[" + Row + u"]}";
        Out += (First ? u"{\"grid\":[" : u",") + Row + u"\r\n";
        First = false;
    }
    // Without rows the document is still a whole object.
    Out += First ? u"{\"grid\":[]}\r\n" : u"]}\r\n";
    JSON = Out;
}

void TZirOvararIzaz::SaveToJSON(const String& FileName, const String& RecordDescr, TStrings* FieldDescr) {
    String JSON;
    SaveToJSON(RecordDescr, FieldDescr, JSON);
    TFileStream File(FileName, fmCreate);
    const std::string Bytes = Utf8(JSON);
    File.WriteBuffer(Bytes.data(), Int64(Bytes.size()));
}
