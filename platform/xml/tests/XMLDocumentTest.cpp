#include "xml/XMLDocument.h"

#include "rtl/Encoding.h"
#include "rtl/Stream.h"
#include "rtltesting/ExceptionMessage.h"
#include "rtltesting/TestFiles.h"

#include <gtest/gtest.h>

namespace {

const std::string Fixtures = VANDREL_FIXTURES;

EDOMParseError ParseErrorOf(const String& Text) {
    TXMLDocument Document;
    try {
        Document.LoadFromXML(Text);
    } catch (const EDOMParseError& Error) {
        return Error;
    }
    ADD_FAILURE() << "no parse error for " << Utf8(Text);
    return EDOMParseError(0, u"", 0, 0);
}

void LoadBytes(TXMLDocument& Document, const std::string& Bytes) {
    TMemoryStream Stream;
    Stream.WriteBuffer(Bytes.data(), Int64(Bytes.size()));
    Stream.SetPosition(0);
    Document.LoadFromStream(Stream);
}

// The names of a node's children, joined by spaces.
std::string ChildNames(const IXMLNode& Node) {
    std::string Names;
    for (Integer I = 0; I < Node.ChildNodes().Count(); ++I)
        Names += (I ? " " : "") + Utf8(Node.ChildNodes().Nodes(I)->NodeName());
    return Names;
}

std::string AttributeNames(const IXMLNode& Node) {
    std::string Names;
    for (Integer I = 0; I < Node.AttributeNodes().Count(); ++I)
        Names += (I ? " " : "") + Utf8(Node.AttributeNodes().Nodes(I)->NodeName());
    return Names;
}

} // namespace

TEST(XMLDocument, WalksAnSvgFileWithPrefixesEntitiesAndWhitespace) {
    TXMLDocument Document;
    Document.LoadFromFile(FromUtf8(Fixtures + "/illustrator.svg"));

    EXPECT_EQ(ChildNames(Document.Node()), "#comment svg svg");
    EXPECT_EQ(Document.ChildNodes().Nodes(1)->NodeType(), ntDocType);
    IXMLNode* Svg = Document.DocumentElement();
    ASSERT_NE(Svg, nullptr);
    EXPECT_EQ(Svg->ParentNode(), &Document.Node());
    // Indentation between elements is gone; entities of the internal subset
    // are expanded in attribute values, including namespace declarations.
    EXPECT_EQ(ChildNames(*Svg), "defs g text style");
    EXPECT_EQ(AttributeNames(*Svg), "xmlns xmlns:xlink version viewBox");
    EXPECT_EQ(Svg->Attributes(u"xmlns:xlink"), u"http://www.w3.org/1999/xlink");
    EXPECT_EQ(Svg->NamespaceURI(), u"http://www.w3.org/2000/svg");
    EXPECT_EQ(Svg->Attributes(u"viewBox"), u"0 0 100 50");
    EXPECT_FALSE(Svg->HasAttribute(u"width"));
    EXPECT_EQ(Svg->Attributes(u"width"), u"");

    IXMLNode* Group = Svg->ChildNodes().FindNode(u"g");
    ASSERT_NE(Group, nullptr);
    EXPECT_EQ(Svg->ChildNodes().IndexOf(Group), 1);
    EXPECT_EQ(Group->PreviousSibling()->NodeName(), u"defs");
    EXPECT_EQ(Group->NextSibling()->NodeName(), u"text");
    IXMLNode* Rect = Group->ChildNodes().First();
    EXPECT_EQ(Rect->Attributes(u"style"), u"fill:#FF0000;");
    IXMLNode* Image = Group->ChildNodes().Last();
    ASSERT_TRUE(Image->HasAttribute(u"xlink:href"));
    EXPECT_FALSE(Image->HasAttribute(u"href"));
    IXMLNode* Href = Image->AttributeNodes().First();
    EXPECT_EQ(Href->NodeType(), ntAttribute);
    EXPECT_EQ(Href->NodeName(), u"xlink:href");
    EXPECT_EQ(Href->Prefix(), u"xlink");
    EXPECT_EQ(Href->LocalName(), u"href");
    EXPECT_EQ(Href->NamespaceURI(), u"http://www.w3.org/1999/xlink");
    EXPECT_EQ(Href->Text(), u"picture.png");
    EXPECT_EQ(Href->NodeValue(), u"picture.png");
    EXPECT_EQ(Href->ParentNode(), nullptr);

    // Mixed content keeps its text exactly, character references decoded.
    IXMLNode* Text = Svg->ChildNodes().Nodes(2);
    EXPECT_EQ(ChildNames(*Text), "#text tspan");
    EXPECT_EQ(Text->ChildNodes().First()->NodeType(), ntText);
    EXPECT_EQ(Text->ChildNodes().First()->Text(), u"Caf\u00e9 & ");
    EXPECT_EQ(Text->Text(), u"Caf\u00e9 & bar");
    EXPECT_EQ(Text->NodeValue(), u"");
    // A CDATA section reads as the style element's one text node.
    IXMLNode* Style = Svg->ChildNodes().Last();
    ASSERT_EQ(Style->ChildNodes().Count(), 1);
    EXPECT_EQ(Style->ChildNodes().First()->NodeType(), ntText);
    EXPECT_EQ(Style->Text(), u"\n\t\t.a{fill:#00ff00}\n\t");
}

TEST(XMLDocument, KeepsWhiteSpaceThatIsContent) {
    struct Case {
        const char16_t* Xml;
        const char* Children;
    } Cases[] = {
        {u"<r>\r\n  <a/>\r\n  <b/>\r\n</r>", "a b"},
        {u"<r> </r>", "#text"},
        {u"<r><a/> x <b/></r>", "a #text b"},
        {u"<r> <!-- c --> </r>", "#comment"},
        {u"<r xml:space=\"preserve\"> <a/> </r>", "#text a #text"},
    };
    for (const Case& C : Cases) {
        TXMLDocument Document;
        Document.LoadFromXML(C.Xml);
        EXPECT_EQ(ChildNames(*Document.DocumentElement()), C.Children) << Utf8(C.Xml);
    }
}

TEST(XMLDocument, ReadsTheGridsExportFormat) {
    TXMLDocument Document;
    LoadBytes(Document,
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST>\r\n<ROW>\r\n"
              "<FIELD0>a$amp;b \xE9</FIELD0>\r\n<FIELD1>&quot;&quot;</FIELD1>\r\n</ROW>\r\n</LIST>\r\n");
    IXMLNode* Row = Document.DocumentElement()->ChildNodes().Nodes(0);
    EXPECT_EQ(Document.DocumentElement()->ChildNodes().Count(), 1);
    EXPECT_EQ(Row->AttributeNodes().Count(), 0);
    ASSERT_EQ(Row->ChildNodes().Count(), 2);
    EXPECT_EQ(Row->ChildNodes().Nodes(0)->ChildNodes().Count(), 1);
    EXPECT_EQ(Row->ChildNodes().Nodes(0)->Text(), u"a$amp;b \u00e9");
    EXPECT_EQ(Row->ChildNodes().Nodes(1)->Text(), u"\"\"");
    EXPECT_EQ(Row->ChildNodes().Nodes(1)->ChildNodes().First()->AttributeNodes().Count(), 0);
    EXPECT_EQ(Document.Encoding(), u"ISO-8859-1");
}

TEST(XMLDocument, HonoursTheDeclaredEncodingOfBytes) {
    struct Case {
        std::string Bytes;
        String Text;
    } Cases[] = {
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?><r>\x80\xE9</r>", u"\u20ac\u00e9"},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>\x80\xE9</r>", u"\u0080\u00e9"},
        {"<r>\xE2\x82\xAC</r>", u"\u20ac"},
        {"\xEF\xBB\xBF<r>\xE2\x82\xAC</r>", u"\u20ac"},
        {std::string("\xFF\xFE<\0r\0>\0\xAC\x20<\0/\0r\0>\0", 18), u"\u20ac"},
    };
    for (const Case& C : Cases) {
        TXMLDocument Document;
        LoadBytes(Document, C.Bytes);
        EXPECT_EQ(Document.DocumentElement()->Text(), C.Text) << C.Bytes;
    }
    // Text is decoded already: its declaration does not apply.
    TXMLDocument Document;
    Document.LoadFromXML(u"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>\u20ac</r>");
    EXPECT_EQ(Document.DocumentElement()->Text(), u"\u20ac");
}

TEST(XMLDocument, NeverLoadsAnExternalEntity) {
    const std::string Secret = "file://" + Fixtures + "/secret.txt";
    // A general entity and a parameter entity are refused by name.
    for (const std::string& Xml : std::initializer_list<std::string>{
             "<!DOCTYPE r [\n<!ENTITY x SYSTEM \"" + Secret + "\">\n]>\n<r>&x;</r>",
             "<!DOCTYPE r [\n<!ENTITY % p SYSTEM \"" + Secret + "\">\n%p;\n]>\n<r/>",
             "<!DOCTYPE r [\n<!ENTITY x SYSTEM \"http://127.0.0.1:9/x\">\n]>\n<r>&x;</r>"}) {
        const EDOMParseError Error = ParseErrorOf(FromUtf8(Xml));
        EXPECT_NE(Error.ErrorCode(), 0);
        EXPECT_EQ(Error.Reason().find(u"External entity \""), 0u) << Utf8(Error.Reason());
        EXPECT_NE(Error.Reason().find(u"\" is not loaded"), String::npos);
        EXPECT_EQ(Error.Message().find(u"SECRET"), String::npos);
    }
    // An external document type is accepted and ignored: the entity it
    // declares is not there.
    TXMLDocument Document;
    Document.LoadFromXML(
        FromUtf8("<!DOCTYPE r SYSTEM \"file://" + Fixtures + "/secret.dtd\"><r>a&secret;b</r>"));
    EXPECT_EQ(Document.DocumentElement()->Text().find(u"SECRET"), String::npos);
}

TEST(XMLDocument, ReportsMalformedTextWithLineAndColumn) {
    const EDOMParseError Error = ParseErrorOf(u"<svg>\n  <g>\n</svg>");
    EXPECT_EQ(Error.Line(), 3);
    EXPECT_EQ(Error.LinePos(), 7);
    EXPECT_EQ(Error.ErrorCode(), 76);
    EXPECT_EQ(Error.Reason(), u"Opening and ending tag mismatch: g line 2 and svg");
    EXPECT_EQ(Error.Message(), u"Opening and ending tag mismatch: g line 2 and svg (line 3, column 7)");

    struct Case {
        const char16_t* Xml;
        Integer Line;
    } Cases[] = {
        {u"", 1},
        {u"<r>&undeclared;</r>", 1},
        {u"<r a=\"1\" a=\"2\"/>", 1},
        {u"<r/>\n<second/>", 2},
        // Entities that would expand a few hundred bytes into gigabytes.
        {u"<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
         u"<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
         u"<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\"><!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">"
         u"<!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\"><!ENTITY h \"&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;\">"
         u"<!ENTITY i \"&h;&h;&h;&h;&h;&h;&h;&h;&h;&h;\">]><r>&i;</r>",
         1},
    };
    for (const Case& C : Cases) {
        const EDOMParseError Error = ParseErrorOf(C.Xml);
        EXPECT_NE(Error.ErrorCode(), 0) << Utf8(C.Xml);
        EXPECT_EQ(Error.Line(), C.Line) << Utf8(C.Xml);
        EXPECT_FALSE(Error.Reason().empty());
    }
}

TEST(XMLDocument, AFailedLoadKeepsTheDocument) {
    TXMLDocument Document;
    Document.LoadFromXML(u"<kept/>");
    IXMLNode* Kept = Document.DocumentElement();
    EXPECT_THROW(Document.LoadFromXML(u"<broken>"), EDOMParseError);
    EXPECT_EQ(Document.DocumentElement(), Kept);
    EXPECT_EQ(MessageOf<EFOpenError>([&] { Document.LoadFromFile(u"/nonexistent/x.xml"); }),
              u"Cannot open file \"/nonexistent/x.xml\". No such file or directory");
    EXPECT_EQ(Kept->NodeName(), u"kept");
}

TEST(XMLDocument, BuildsSavesAndReadsBack) {
    TXMLDocument Built;
    EXPECT_FALSE(Built.Active());
    IXMLNode* Svg = Built.AddChild(u"svg");
    EXPECT_TRUE(Built.Active());
    Svg->SetAttributes(u"xmlns", u"http://www.w3.org/2000/svg");
    Svg->SetAttributes(u"xmlns:xlink", u"http://www.w3.org/1999/xlink");
    IXMLNode* Image = Svg->AddChild(u"image");
    Image->SetAttributes(u"xlink:href", u"a&b<c>\"d\".png");
    Image->SetAttributes(u"note", u"line\r\nbreak\ttab");
    Svg->AddChild(u"text")->SetText(u"  <&> \u20ac \U0001F600\r\n");
    Svg->AddChild(u"empty");
    EXPECT_EQ(Image->NamespaceURI(), u"http://www.w3.org/2000/svg");
    EXPECT_EQ(Image->AttributeNodes().Last()->NamespaceURI(), u"");
    EXPECT_EQ(Image->AttributeNodes().First()->NamespaceURI(), u"http://www.w3.org/1999/xlink");

    for (const String Encoding : {u"", u"ISO-8859-1", u"windows-1252", u"UTF-16"}) {
        if (!Encoding.empty()) Built.SetEncoding(Encoding);
        TMemoryStream Stream;
        Built.SaveToStream(Stream);
        TXMLDocument Read;
        Stream.SetPosition(0);
        Read.LoadFromStream(Stream);
        IXMLNode* Root = Read.DocumentElement();
        EXPECT_EQ(ChildNames(*Root), "image text empty") << Utf8(Encoding);
        IXMLNode* ReadImage = Root->ChildNodes().First();
        EXPECT_EQ(ReadImage->Attributes(u"xlink:href"), u"a&b<c>\"d\".png");
        EXPECT_EQ(ReadImage->AttributeNodes().First()->NamespaceURI(), u"http://www.w3.org/1999/xlink");
        EXPECT_EQ(ReadImage->Attributes(u"note"), u"line\r\nbreak\ttab");
        EXPECT_EQ(Root->ChildNodes().Nodes(1)->Text(), u"  <&> \u20ac \U0001F600\r\n");
        EXPECT_FALSE(Root->ChildNodes().Last()->HasChildNodes());
        EXPECT_EQ(Read.Encoding(), Encoding.empty() ? u"UTF-8" : Encoding);
    }

    // The file holds the declared encoding's bytes; what the encoding lacks
    // is written as a character reference.
    TTempFolder Folder;
    Built.SetEncoding(u"ISO-8859-1");
    Built.SaveToFile(Folder / u"latin.xml");
    const std::string Bytes = ReadFileBytes(Folder / u"latin.xml");
    EXPECT_EQ(Bytes.rfind("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<svg", 0), 0u) << Bytes;
    EXPECT_NE(Bytes.find("&#8364;"), std::string::npos) << Bytes;
    TXMLDocument Read;
    Read.LoadFromFile(Folder / u"latin.xml");
    EXPECT_EQ(Read.XML(), Built.XML());
    EXPECT_EQ(Read.DocumentElement()->ChildNodes().Nodes(1)->XML(),
              u"<text>  &lt;&amp;&gt; \u20ac \U0001F600&#13;\n</text>");
}

TEST(XMLDocument, ChangingANodeKeepsEarlierNodesValid) {
    TXMLDocument Document;
    Document.LoadFromXML(u"<r><a>1</a><b x=\"1\"/></r>");
    IXMLNode* Root = Document.DocumentElement();
    IXMLNode* A = Root->ChildNodes().First();
    EXPECT_EQ(Root->ChildNodes().Count(), 2);
    Root->AddChild(u"c");
    EXPECT_EQ(ChildNames(*Root), "a b c");
    IXMLNode* B = Root->ChildNodes().Nodes(1);
    B->SetAttributes(u"x", u"2");
    B->SetAttributes(u"y", u"3");
    EXPECT_EQ(AttributeNames(*B), "x y");
    B->AttributeNodes().First()->SetText(u"4");
    EXPECT_EQ(B->Attributes(u"x"), u"4");
    Root->SetText(u"replaced");
    EXPECT_EQ(ChildNames(*Root), "#text");
    // The old children are out of the tree but still readable.
    EXPECT_EQ(A->Text(), u"1");
    EXPECT_EQ(A->ParentNode(), nullptr);
    EXPECT_EQ(Document.XML(), u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>replaced</r>\n");
}

TEST(XMLDocument, RefusesWhatCannotBeWritten) {
    TXMLDocument Document;
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Document.Node(); }), u"No active document");
    TMemoryStream Stream;
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Document.SaveToStream(Stream); }), u"No active document");
    EXPECT_EQ(Document.DocumentElement(), nullptr);
    EXPECT_EQ(Document.XML(), u"");

    IXMLNode* Root = Document.AddChild(u"r");
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Document.AddChild(u"s"); }),
              u"The document has a document element already");
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Root->AddChild(u"1st"); }), u"\"1st\" is not a valid XML name");
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Root->SetAttributes(u"a b", u""); }),
              u"\"a b\" is not a valid XML name");
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Root->SetText(u"bell\a"); }),
              u"Character #7 cannot be stored in an XML document");
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Root->SetAttributes(u"a", String(1, Char(0xD800))); }),
              u"Character #55296 cannot be stored in an XML document");
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Document.SetEncoding(u"no-such-encoding"); }),
              u"The encoding \"no-such-encoding\" is not supported");
    EXPECT_EQ(MessageOf<EListError>([&] { Root->ChildNodes().Nodes(0); }), u"List index out of bounds (0)");
    IXMLNode* Text = Root->AddChild(u"t");
    Text->SetText(u"x");
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Text->ChildNodes().First()->AddChild(u"u"); }),
              u"A #text node cannot have child elements");
    EXPECT_EQ(MessageOf<EXMLDocError>([&] { Text->ChildNodes().First()->SetAttributes(u"u", u""); }),
              u"Only element nodes have attributes");

    Document.SetActive(false);
    EXPECT_FALSE(Document.Active());
    EXPECT_EQ(Document.DocumentElement(), nullptr);
}
