// Drag and drop of the grid: the grid's data object and enumerator, the
// format reader over well-formed and malformed blocks, the drop target's
// effect and dispatch rules, the drop source, and a text drag from one
// headless window to another.

#include "gridbase/OleDragDrop.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Input.h"

#include <cstring>
#include <gtest/gtest.h>
#include <map>

using namespace winapi;

namespace {

using Bytes = std::vector<Byte>;
using Strings = std::vector<std::string>;

Bytes BlockBytes(HGLOBAL Block) {
    const auto* First = static_cast<const Byte*>(GlobalLock(Block));
    Bytes Result(First, First + GlobalSize(Block));
    GlobalUnlock(Block);
    return Result;
}

Bytes Le32(Cardinal Value) {
    Bytes Result(4);
    std::memcpy(Result.data(), &Value, 4);
    return Result;
}

Bytes Join(std::initializer_list<Bytes> Parts) {
    Bytes Result;
    for (const Bytes& Part : Parts)
        Result.insert(Result.end(), Part.begin(), Part.end());
    return Result;
}

Bytes Wide(const String& Text) {
    Bytes Result(2 * Text.size());
    std::memcpy(Result.data(), Text.data(), Result.size());
    return Result;
}

Bytes DropFilesHeader(Cardinal Offset, bool WideNames) {
    DROPFILES Header;
    Header.pFiles = Offset;
    Header.fWide = WideNames ? 1 : 0;
    Bytes Result(sizeof Header);
    std::memcpy(Result.data(), &Header, sizeof Header);
    return Result;
}

std::vector<UINT> ListedFormats(IEnumFORMATETC& Enumerator) {
    std::vector<FORMATETC> Entries(10);
    UINT Fetched = 0;
    EXPECT_EQ(Enumerator.Next(10, Entries.data(), &Fetched), S_FALSE);
    std::vector<UINT> Result;
    for (UINT i = 0; i < Fetched; ++i) {
        EXPECT_EQ(Entries[i].dwAspect, DWORD(DVASPECT_CONTENT));
        EXPECT_EQ(Entries[i].lindex, -1);
        EXPECT_EQ(Entries[i].tymed, DWORD(TYMED_HGLOBAL));
        Result.push_back(Entries[i].cfFormat);
    }
    return Result;
}

// A data object of another program: any bytes under any format, listed in
// the given order; or no enumerator at all.
class TForeignData : public IDataObject {
public:
    TForeignData(std::vector<std::pair<UINT, Bytes>> Blocks, bool WithEnumerator = true)
        : FBlocks(std::move(Blocks)), FWithEnumerator(WithEnumerator) {}

    HRESULT GetData(const FORMATETC& Format, STGMEDIUM& Medium) override {
        Medium = STGMEDIUM();
        for (auto& [Id, Data] : FBlocks) {
            if (Id != Format.cfFormat) continue;
            Medium.tymed = TYMED_HGLOBAL;
            Medium.hGlobal = GlobalAlloc(GHND, Data.size());
            if (!Data.empty()) std::memcpy(GlobalLock(Medium.hGlobal), Data.data(), Data.size());
            GlobalUnlock(Medium.hGlobal);
            return S_OK;
        }
        return DV_E_FORMATETC;
    }
    HRESULT GetDataHere(const FORMATETC&, STGMEDIUM&) override { return DV_E_FORMATETC; }
    HRESULT QueryGetData(const FORMATETC&) override { return S_OK; }
    HRESULT GetCanonicalFormatEtc(const FORMATETC&, FORMATETC&) override { return E_NOTIMPL; }
    HRESULT SetData(const FORMATETC&, STGMEDIUM&, bool) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(DWORD, std::shared_ptr<IEnumFORMATETC>& Enumerator) override {
        if (!FWithEnumerator) return E_NOTIMPL;
        Enumerator = std::make_shared<TList>(FBlocks);
        return S_OK;
    }

private:
    class TList : public IEnumFORMATETC {
    public:
        explicit TList(const std::vector<std::pair<UINT, Bytes>>& Blocks) : FBlocks(Blocks) {}
        HRESULT Next(UINT Count, FORMATETC* Formats, UINT* Fetched) override {
            UINT Filled = 0;
            for (; Filled < Count && FAt < FBlocks.size(); ++Filled)
                Formats[Filled] = FORMATETC{FBlocks[FAt++].first};
            if (Fetched) *Fetched = Filled;
            return Filled == Count ? S_OK : S_FALSE;
        }
        HRESULT Skip(UINT) override { return E_NOTIMPL; }
        HRESULT Reset() override {
            FAt = 0;
            return S_OK;
        }
        HRESULT Clone(std::shared_ptr<IEnumFORMATETC>&) override { return E_NOTIMPL; }

    private:
        const std::vector<std::pair<UINT, Bytes>>& FBlocks;
        std::size_t FAt = 0;
    };
    std::vector<std::pair<UINT, Bytes>> FBlocks;
    bool FWithEnumerator;
};

// A drop target that logs what it is handed.
class TRecordingTarget : public TZOIDropTarget {
public:
    Strings Calls;
    bool TakeText = true;
    bool AllowHere = true;

protected:
    bool DropText(TPoint Point, const String& Text) override {
        Calls.push_back("text " + Utf8(Text) + At(Point));
        return TakeText;
    }
    void DropStream(TPoint, TStream& Stream) override {
        Calls.push_back("cells " + std::to_string(Stream.Size()));
    }
    void DropCol(TPoint, Integer Column) override { Calls.push_back("col " + std::to_string(Column)); }
    void DropRTF(TPoint, const String& RTF) override { Calls.push_back("rtf " + Utf8(RTF)); }
    void DropFiles(TPoint, TStrings& Files) override {
        std::string Names;
        for (Integer i = 0; i < Files.Count(); ++i)
            Names += (i ? "|" : "") + Utf8(Files.Strings(i));
        Calls.push_back("files " + Names);
    }
    void DropFileContents(TPoint) override { Calls.push_back("contents"); }
    void DropURL(TPoint, const String& URL) override { Calls.push_back("url " + Utf8(URL)); }
    void DragMouseMove(TPoint Point, bool& Allow, TDropFormats) override {
        Calls.push_back("over" + At(Point) + (Allow ? " allowed" : " refused"));
        Allow = Allow && AllowHere;
    }
    void DragMouseEnter() override { Calls.push_back("enter"); }
    void DragMouseLeave() override { Calls.push_back("leave"); }

private:
    static std::string At(TPoint Point) {
        return " @" + std::to_string(Point.X) + "," + std::to_string(Point.Y);
    }
};

class TRecordingSource : public TZOIDropSource {
public:
    std::vector<DWORD> Effects;
    Integer Ended = 0;
    Integer Queries = 0;

protected:
    void DragEnded() override { ++Ended; }
    void CurrentEffect(DWORD Effect) override { Effects.push_back(Effect); }
    void QueryDrag() override { ++Queries; }
};

class OleDragDropTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetOleRTFSupport(false);
        // Makes the registered ids known.
        TSourceDataObject Probe(String(), String(), -1, nullptr);
        Ids = GridDropFormatIds();
    }
    void TearDown() override { SetOleRTFSupport(false); }
    TGridDropFormatIds Ids;
};

TEST_F(OleDragDropTest, RegisteredFormatsAreLookedUpByName) {
    EXPECT_EQ(Ids.RTF, RegisterClipboardFormat(u"Rich Text Format"));
    EXPECT_EQ(Ids.Column, RegisterClipboardFormat(u"Grid Column"));
    EXPECT_EQ(Ids.GridCells, RegisterClipboardFormat(u"TZirOvararIzaz Cells"));
    EXPECT_EQ(Ids.URL, RegisterClipboardFormat(u"UniformResourceLocator"));
    EXPECT_NE(Ids.RTF, 0u);
}

TEST_F(OleDragDropTest, SourceEnumeratorListsThreeToFiveFormats) {
    struct TCase {
        bool HasCol, HasCells;
        std::vector<UINT> Expected;
    };
    const TCase Cases[] = {
        {false, false, {CF_TEXT, CF_UNICODETEXT, Ids.RTF}},
        {true, false, {CF_TEXT, CF_UNICODETEXT, Ids.RTF, Ids.Column}},
        {false, true, {CF_TEXT, CF_UNICODETEXT, Ids.RTF, Ids.GridCells}},
        {true, true, {CF_TEXT, CF_UNICODETEXT, Ids.RTF, Ids.Column, Ids.GridCells}},
    };
    for (const TCase& Case : Cases) {
        TSourceEnumFormatEtc Enumerator(Case.HasCol, Case.HasCells);
        EXPECT_EQ(ListedFormats(Enumerator), Case.Expected) << Case.HasCol << Case.HasCells;
    }
    TSourceEnumFormatEtc Enumerator(true, false);
    EXPECT_EQ(Enumerator.Skip(3), S_OK);
    std::shared_ptr<IEnumFORMATETC> Clone;
    ASSERT_EQ(Enumerator.Clone(Clone), S_OK);
    EXPECT_EQ(ListedFormats(*Clone), std::vector<UINT>({Ids.Column})) << "the clone keeps the position";
    EXPECT_EQ(Enumerator.Skip(2), S_FALSE);
    FORMATETC Entry;
    UINT Fetched = 9;
    EXPECT_EQ(Enumerator.Next(1, &Entry, &Fetched), S_FALSE);
    EXPECT_EQ(Fetched, 0u);
    EXPECT_EQ(Enumerator.Reset(), S_OK);
    EXPECT_EQ(Enumerator.Next(1, &Entry, nullptr), S_OK);
    EXPECT_EQ(Entry.cfFormat, UINT(CF_TEXT));
}

TEST_F(OleDragDropTest, DataObjectOffersFormatsByContentAndSwitch) {
    TMemoryStream Cells;
    TSourceDataObject TextDrag(u"a\u00e9", u"{\\rtf1 x}", -1, &Cells);
    TSourceDataObject ColumnDrag(String(), String(), 3, nullptr);
    struct TCase {
        IDataObject* Data;
        UINT Format;
        bool RichText;
        HRESULT Expected;
    };
    const TCase Cases[] = {
        {&TextDrag, CF_TEXT, false, S_OK},
        {&TextDrag, CF_UNICODETEXT, false, S_OK},
        {&TextDrag, Ids.RTF, false, DV_E_FORMATETC},
        {&TextDrag, Ids.RTF, true, S_OK},
        {&TextDrag, Ids.GridCells, false, S_OK},
        {&TextDrag, Ids.Column, false, DV_E_FORMATETC},
        {&TextDrag, CF_HDROP, false, DV_E_FORMATETC},
        {&ColumnDrag, Ids.Column, false, S_OK},
        {&ColumnDrag, CF_UNICODETEXT, false, DV_E_FORMATETC},
        {&ColumnDrag, Ids.RTF, true, DV_E_FORMATETC},
        {&ColumnDrag, Ids.GridCells, false, DV_E_FORMATETC},
    };
    for (const TCase& Case : Cases) {
        SetOleRTFSupport(Case.RichText);
        EXPECT_EQ(Case.Data->QueryGetData(FORMATETC{Case.Format}), Case.Expected)
            << Case.Format << " rich text " << Case.RichText;
    }
    FORMATETC WrongAspect{CF_TEXT};
    WrongAspect.dwAspect = 4;
    FORMATETC WrongMedium{CF_TEXT};
    WrongMedium.tymed = TYMED_HGLOBAL | 4;
    EXPECT_EQ(TextDrag.QueryGetData(WrongAspect), DV_E_FORMATETC);
    EXPECT_EQ(TextDrag.QueryGetData(WrongMedium), DV_E_FORMATETC);
    STGMEDIUM Medium;
    Medium.tymed = TYMED_HGLOBAL;
    EXPECT_EQ(TextDrag.GetData(WrongMedium, Medium), DV_E_FORMATETC);
    EXPECT_EQ(Medium.tymed, DWORD(TYMED_NULL)) << "the medium is cleared";

    std::shared_ptr<IEnumFORMATETC> Enumerator = std::make_shared<TSourceEnumFormatEtc>(false, false);
    EXPECT_EQ(TextDrag.EnumFormatEtc(DATADIR_SET, Enumerator), E_NOTIMPL);
    EXPECT_FALSE(Enumerator);
    FORMATETC Canonical;
    Canonical.ptd = &Canonical;
    EXPECT_EQ(TextDrag.GetCanonicalFormatEtc(FORMATETC{CF_TEXT}, Canonical), E_NOTIMPL);
    EXPECT_EQ(Canonical.ptd, nullptr);
    EXPECT_EQ(TextDrag.GetDataHere(FORMATETC{CF_TEXT}, Medium), DV_E_FORMATETC);
    EXPECT_EQ(TextDrag.SetData(FORMATETC{CF_TEXT}, Medium, false), DV_E_FORMATETC);
    EXPECT_EQ(TextDrag.DAdvise(), OLE_E_ADVISENOTSUPPORTED);
}

TEST_F(OleDragDropTest, DataObjectBlockLayouts) {
    SetOleRTFSupport(true);
    TMemoryStream Cells;
    Cells.WriteBuffer("\x01\x02\x03", 3);
    TSourceDataObject TextDrag(u"a\u00e9", u"{\\rtf1}", -1, &Cells);
    TSourceDataObject NoRichText(u"b", String(), -1, nullptr);
    TSourceDataObject ColumnDrag(String(), String(), 7, nullptr);
    struct TCase {
        IDataObject* Data;
        UINT Format;
        Bytes Expected;
    };
    const TCase Cases[] = {
        {&TextDrag, CF_TEXT, {'a', 0xE9, 0}},
        {&TextDrag, CF_UNICODETEXT, {'a', 0, 0xE9, 0, 0, 0}},
        {&TextDrag, Ids.RTF, {'{', '\\', 'r', 't', 'f', '1', '}', 0}},
        {&NoRichText, Ids.RTF, {0}},
        {&TextDrag, Ids.GridCells, {3, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3}},
        {&ColumnDrag, Ids.Column, {7, 0, 0, 0}},
    };
    for (const TCase& Case : Cases) {
        STGMEDIUM Medium;
        ASSERT_EQ(Case.Data->GetData(FORMATETC{Case.Format}, Medium), S_OK) << Case.Format;
        EXPECT_EQ(Medium.tymed, DWORD(TYMED_HGLOBAL));
        EXPECT_EQ(Medium.pUnkForRelease, nullptr);
        EXPECT_EQ(BlockBytes(Medium.hGlobal), Case.Expected) << Case.Format;
        ReleaseStgMedium(Medium);
    }
}

TEST_F(OleDragDropTest, ReaderTakesBackTheGridsOwnBlocks) {
    SetOleRTFSupport(true);
    TMemoryStream Cells;
    Cells.WriteBuffer("cells", 5);
    TSourceDataObject TextDrag(u"x\ty\r\n\u20ac", u"{\\rtf1 \u00e9}", -1, &Cells);
    TEnumFormats Reader(TextDrag);
    EXPECT_EQ(Reader.Text(), u"x\ty\r\n\u20ac");
    EXPECT_EQ(Reader.RTF(), u"{\\rtf1 \u00e9}");
    EXPECT_EQ(Reader.Col(), -1);
    std::unique_ptr<TMemoryStream> Stream = Reader.Stream();
    ASSERT_TRUE(Stream);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(Stream->Memory()), Stream->Size()), "cells");
    EXPECT_EQ(Stream->Position(), 0);
    EXPECT_FALSE(Reader.HasCol());
    EXPECT_FALSE(Reader.HasFileContents());

    TSourceDataObject ColumnDrag(String(), String(), 12, nullptr);
    TEnumFormats ColumnReader(ColumnDrag);
    EXPECT_EQ(ColumnReader.Col(), 12);
    EXPECT_TRUE(ColumnReader.HasText()) << "listed, though the text itself is refused";
    EXPECT_EQ(ColumnReader.Text(), u"");
    EXPECT_FALSE(ColumnReader.Stream());
    EXPECT_EQ(ColumnReader.GlobalHandle(), nullptr) << "no current entry after a failed test";
}

TEST_F(OleDragDropTest, ReaderWithoutEnumeratorRaisesAndTargetRefuses) {
    TForeignData Data({{CF_UNICODETEXT, Wide(u"x")}}, false);
    try {
        TEnumFormats Reader(Data);
        FAIL() << "no error";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"Cannot get the format enumerator");
    }
    auto Target = std::make_shared<TRecordingTarget>();
    DWORD Effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(Target->DragEnter(Data, MK_LBUTTON, {1, 2}, Effect), S_OK);
    EXPECT_EQ(Effect, DWORD(DROPEFFECT_NONE));
    Effect = DROPEFFECT_MOVE;
    EXPECT_EQ(Target->Drop(Data, 0, {1, 2}, Effect), S_OK);
    EXPECT_EQ(Effect, DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(Target->Calls, Strings({"enter"}));
}

// Foreign blocks are read only inside their size.
TEST_F(OleDragDropTest, MalformedBlocksAreRefused) {
    auto CellsOf = [&](Bytes Block) {
        TForeignData Data({{Ids.GridCells, std::move(Block)}});
        std::unique_ptr<TMemoryStream> Stream = TEnumFormats(Data).Stream();
        return Stream ? Integer(Stream->Size()) : -1;
    };
    EXPECT_EQ(CellsOf(Join({Le32(3), Le32(0), {1, 2, 3}})), 3);
    EXPECT_EQ(CellsOf(Join({Le32(4), Le32(0), {1, 2, 3}})), -1) << "count past the end";
    EXPECT_EQ(CellsOf(Join({Le32(0xFFFFFFFF), Le32(0)})), -1);
    EXPECT_EQ(CellsOf({3, 0, 0, 0, 0}), -1) << "shorter than the header";

    TForeignData ShortColumn({{Ids.Column, {5, 0}}});
    EXPECT_EQ(TEnumFormats(ShortColumn).Col(), -1);

    TForeignData Unterminated({{CF_UNICODETEXT, Wide(u"abc")}, {Ids.RTF, {'r', 't'}}});
    TEnumFormats TextReader(Unterminated);
    SetOleRTFSupport(true);
    EXPECT_EQ(TextReader.Text(), u"abc");
    EXPECT_EQ(TextReader.RTF(), u"rt");

    struct TCase {
        const char* Name;
        Bytes Block;
        std::vector<std::string> Expected;
    };
    const TCase Cases[] = {
        {"wide names in order",
         Join({DropFilesHeader(20, true), Wide(u"/a/\u00fc.csv"), {0, 0}, Wide(u"/b"), {0, 0, 0, 0}}),
         {"/a/\u00fc.csv", "/b"}},
        {"8-bit names",
         Join({DropFilesHeader(20, false), {'/', 'x', 0xE9, 0, '/', 'y', 0, 0}}),
         {"/x\u00e9", "/y"}},
        {"names after a gap", Join({DropFilesHeader(24, false), {9, 9, 9, 9, '/', 'z', 0, 0}}), {"/z"}},
        {"list without its closing empty name", Join({DropFilesHeader(20, false), {'/', 'p', 0}}), {"/p"}},
        {"last name unterminated",
         Join({DropFilesHeader(20, true), Wide(u"/ok"), {0, 0}, Wide(u"/cut")}),
         {"/ok"}},
        {"odd end of a wide name", Join({DropFilesHeader(20, true), {'/', 0, 'q'}}), {}},
        {"offset past the end", Join({DropFilesHeader(200, false), {'/', 'a', 0, 0}}), {}},
        {"offset into the header", Join({DropFilesHeader(4, false), {'/', 'a', 0, 0}}), {}},
        {"header cut short", {20, 0, 0, 0, 0, 0}, {}},
        {"empty list", Join({DropFilesHeader(20, false), {0}}), {}},
    };
    for (const TCase& Case : Cases) {
        TForeignData Data({{CF_HDROP, Case.Block}});
        TEnumFormats Reader(Data);
        ASSERT_TRUE(Reader.HasFile());
        EXPECT_EQ(Reader.ReadFileDropList(Reader.Files()), !Case.Expected.empty()) << Case.Name;
        std::vector<std::string> Names;
        for (Integer i = 0; i < Reader.Files().Count(); ++i)
            Names.push_back(Utf8(Reader.Files().Strings(i)));
        EXPECT_EQ(Names, Case.Expected) << Case.Name;
    }
    TForeignData Files(
        {{CF_UNICODETEXT, Wide(u"x")}, {CF_HDROP, Join({DropFilesHeader(20, false), {'/', 0, 0}})}});
    TEnumFormats Reader(Files);
    Reader.HasText();
    EXPECT_FALSE(Reader.ReadFileDropList(Reader.Files())) << "the current entry must be the file list";
}

// What DragEnter and then DragOver report, by offer, accept flags and keys.
// Flags: accept t(ext), f(iles), c(olumns), u(RLs); r: the rich-text switch on.
TEST_F(OleDragDropTest, DropTargetEffectRules) {
    const DWORD CopyMove = DROPEFFECT_COPY | DROPEFFECT_MOVE, Ctrl = MK_LBUTTON | MK_CONTROL;
    const UINT Text = CF_UNICODETEXT, VirtualFile = RegisterClipboardFormat(u"FileContents");
    struct TCase {
        const char* Name;
        std::vector<UINT> Offered;
        std::string Flags;
        DWORD Expected;
        DWORD Keys = MK_LBUTTON;
        DWORD Allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    };
    const TCase Cases[] = {
        {"text moves", {Text}, "tfu", DROPEFFECT_MOVE},
        {"ctrl copies", {Text}, "tfu", DROPEFFECT_COPY, Ctrl},
        {"copy when move is not allowed", {Text}, "tfu", DROPEFFECT_COPY, MK_LBUTTON, DROPEFFECT_COPY},
        {"text refused", {Text}, "fu", DROPEFFECT_NONE},
        {"files taken with text refused", {Text, CF_HDROP}, "fu", DROPEFFECT_MOVE},
        {"link", {Text, Ids.URL}, "tfu", DROPEFFECT_LINK, Ctrl},
        {"link not accepted", {Text, Ids.URL}, "f", DROPEFFECT_NONE},
        {"rich text while off", {Ids.RTF}, "tfu", DROPEFFECT_NONE},
        {"rich text while on", {Ids.RTF}, "tfur", DROPEFFECT_MOVE},
        {"rich text needs text accepted", {Ids.RTF}, "fur", DROPEFFECT_NONE},
        {"column refused", {Ids.Column}, "tfu", DROPEFFECT_NONE},
        {"column accepted", {Ids.Column}, "c", DROPEFFECT_MOVE},
        {"cells always", {Ids.GridCells}, "", DROPEFFECT_MOVE},
        {"virtual files never", {VirtualFile}, "tfcur", DROPEFFECT_NONE},
    };
    for (const TCase& Case : Cases) {
        std::vector<std::pair<UINT, Bytes>> Blocks;
        for (UINT Format : Case.Offered)
            Blocks.push_back({Format, {'x', 0, 0, 0}});
        TForeignData Data(Blocks);
        auto Has = [&](char Flag) { return Case.Flags.find(Flag) != std::string::npos; };
        SetOleRTFSupport(Has('r'));
        TRecordingTarget Target;
        Target.SetAcceptText(Has('t'));
        Target.SetAcceptFiles(Has('f'));
        Target.SetAcceptCols(Has('c'));
        Target.SetAcceptURLs(Has('u'));
        DWORD Effect = Case.Allowed;
        Target.DragEnter(Data, Case.Keys, {5, 6}, Effect);
        EXPECT_EQ(Effect, Case.Expected) << Case.Name << " (enter)";
        Effect = Case.Allowed;
        Target.DragOver(Case.Keys, {7, 8}, Effect);
        EXPECT_EQ(Effect, Case.Expected) << Case.Name << " (over)";
        EXPECT_FALSE(Target.DropFormats().Contains(dfFileContents));
    }
    TForeignData Link({{Text, {0, 0}}, {Ids.URL, {0, 0}}, {CF_HDROP, {0, 0}}});
    TRecordingTarget Target;
    DWORD Effect = CopyMove;
    Target.DragEnter(Link, MK_LBUTTON, {0, 0}, Effect);
    EXPECT_EQ(Target.DropFormats(), (TDropFormats{dfText, dfFile, dfURL, dfURI}));
    Target.AllowHere = false;
    Effect = CopyMove;
    Target.DragOver(MK_LBUTTON, {3, 4}, Effect);
    EXPECT_EQ(Effect, DWORD(DROPEFFECT_NONE)) << "DragMouseMove refused";
    Target.DragLeave();
    EXPECT_EQ(Target.Calls, Strings({"enter", "over @3,4 allowed", "leave"}));
}

// Which operation a drop reaches, first match wins; files come in addition.
// Flags: u: AcceptURLs; r: the rich-text switch on; n: DropText answers false.
TEST_F(OleDragDropTest, DropDispatchOrder) {
    const std::pair<UINT, Bytes> Text{CF_UNICODETEXT, Join({Wide(u"http://x/"), {0, 0}})};
    const std::pair<UINT, Bytes> Link{Ids.URL, Text.second}, Column{Ids.Column, Le32(2)},
        Rich{Ids.RTF, {'r', 0}};
    const std::pair<UINT, Bytes> Cells{Ids.GridCells, Join({Le32(4), Le32(0), {1, 2, 3, 4}})};
    const std::pair<UINT, Bytes> Files{CF_HDROP,
                                       Join({DropFilesHeader(20, false), {'/', 'f', 0, '/', 'g', 0, 0}})};
    const std::pair<UINT, Bytes> Oversized{Ids.GridCells, Join({Le32(99), Le32(0)})};
    const DWORD Move = DROPEFFECT_MOVE;
    struct TCase {
        const char* Name;
        std::vector<std::pair<UINT, Bytes>> Offered;
        std::string Flags;
        Strings Expected;
        DWORD Effect;
    };
    const TCase Cases[] = {
        {"link first", {Text, Link, Column}, "u", {"url http://x/"}, Move},
        {"link not accepted is plain text", {Text, Link}, "", {"text http://x/ @4,5"}, Move},
        {"column before text", {Text, Column, Files}, "u", {"col 2"}, Move},
        {"cells before text, files in addition",
         {Text, Rich, Cells, Files},
         "ur",
         {"cells 4", "files /f|/g"},
         Move},
        {"rich text while on", {Text, Rich}, "ur", {"rtf r"}, Move},
        {"text while rich text is off", {Text, Rich}, "u", {"text http://x/ @4,5"}, Move},
        {"refused text drops nothing", {Text}, "un", {"text http://x/ @4,5"}, DROPEFFECT_NONE},
        {"files alone", {Files}, "u", {"files /f|/g"}, Move},
        {"oversized cells are not dropped", {Oversized}, "u", {}, Move},
    };
    for (const TCase& Case : Cases) {
        TForeignData Data(Case.Offered);
        auto Has = [&](char Flag) { return Case.Flags.find(Flag) != std::string::npos; };
        SetOleRTFSupport(Has('r'));
        TRecordingTarget Target;
        Target.SetAcceptURLs(Has('u'));
        Target.TakeText = !Has('n');
        DWORD Effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        Target.DragEnter(Data, MK_LBUTTON, {4, 5}, Effect);
        Target.Calls.clear();
        Effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(Target.Drop(Data, 0, {4, 5}, Effect), S_OK);
        EXPECT_EQ(Target.Calls, Case.Expected) << Case.Name;
        EXPECT_EQ(Effect, Case.Effect) << Case.Name;
    }
    // Not accepted on entry: nothing is read on the drop.
    TForeignData Refused({Text});
    TRecordingTarget Target;
    Target.SetAcceptText(false);
    DWORD Effect = DROPEFFECT_MOVE;
    Target.DragEnter(Refused, MK_LBUTTON, {0, 0}, Effect);
    Effect = DROPEFFECT_MOVE;
    Target.Drop(Refused, 0, {0, 0}, Effect);
    EXPECT_EQ(Effect, DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(Target.Calls, Strings({"enter"}));
}

TEST_F(OleDragDropTest, DropSourceAnswers) {
    struct TCase {
        bool Escape;
        DWORD Keys;
        HRESULT Expected;
        Integer Ended;
    };
    const TCase Cases[] = {
        {true, MK_LBUTTON, DRAGDROP_S_CANCEL, 1},
        {true, 0, DRAGDROP_S_CANCEL, 1},
        {false, 0, DRAGDROP_S_DROP, 1},
        {false, MK_RBUTTON, DRAGDROP_S_DROP, 1},
        {false, MK_LBUTTON | MK_CONTROL, S_OK, 0},
    };
    for (const TCase& Case : Cases) {
        TRecordingSource Source;
        EXPECT_EQ(Source.QueryContinueDrag(Case.Escape, Case.Keys), Case.Expected);
        EXPECT_EQ(Source.Ended, Case.Ended);
        EXPECT_EQ(Source.Queries, 1);
    }
    TRecordingSource Source;
    EXPECT_EQ(Source.GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(Source.NoAccept());
    EXPECT_EQ(Source.GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_FALSE(Source.NoAccept());
    EXPECT_EQ(Source.Effects, std::vector<DWORD>({DROPEFFECT_NONE, DROPEFFECT_COPY}));
}

// A drag from one headless window to another in the same process.
class OleDragDropWindowTest : public OleDragDropTest {
protected:
    void SetUp() override {
        OleDragDropTest::SetUp();
        Backend = &UseHeadlessBackend();
        Free(Application);
        Application = Create<TApplication>(nullptr);
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 400, 200);
        From = new TPanel(Form);
        From->SetParent(Form);
        From->SetBounds(0, 0, 150, 150);
        To = new TPanel(Form);
        To->SetParent(Form);
        To->SetBounds(200, 0, 150, 150);
        Form->Show();
        Application->ProcessMessages();
        Target = std::make_shared<TRecordingTarget>();
        ASSERT_EQ(RegisterDragDrop(To->Handle(), Target), S_OK);
        // The press that starts the drag has been handled by the source window.
        const TPoint Start = From->ClientToScreen({20, 20});
        Backend->MoveMouse(Start.X, Start.Y);
        Backend->PressButton();
        Application->ProcessMessages();
    }
    void TearDown() override {
        RevokeDragDrop(To->Handle());
        Free(Form);
        Free(Application);
        Application = Create<TApplication>(nullptr);
        OleDragDropTest::TearDown();
    }
    static std::string At(TControl* Control, TPoint Point) {
        const TPoint Screen = Control->ClientToScreen(Point);
        return " @" + std::to_string(Screen.X) + "," + std::to_string(Screen.Y);
    }
    void MoveTo(TControl* Control, TPoint Point) {
        const TPoint At = Control->ClientToScreen(Point);
        Backend->MoveMouse(At.X, At.Y);
    }

    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
    TPanel* From = nullptr;
    TPanel* To = nullptr;
    std::shared_ptr<TRecordingTarget> Target;
    TRecordingSource Source;
};

TEST_F(OleDragDropWindowTest, TextReachesTheOtherWindowWithTheEffectReportedBack) {
    MoveTo(To, {10, 10});
    Backend->PressKey(VK_CONTROL);
    MoveTo(To, {12, 10});
    Backend->ReleaseButton();
    DWORD Effect = 99;
    EXPECT_EQ(
        BeginTextDrag(Source, u"a\tb", u"{\\rtf1 a}", nullptr, DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect),
        DRAGDROP_S_DROP);
    EXPECT_EQ(Effect, DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(Target->Calls,
              Strings({"enter", "over" + At(To, {10, 10}) + " allowed",
                       "over" + At(To, {12, 10}) + " allowed", "text a\tb" + At(To, {12, 10})}));
    EXPECT_EQ(Source.Effects,
              std::vector<DWORD>({DROPEFFECT_NONE, DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_COPY}))
        << "none over the source window, move on entry, copy once Ctrl is held";
    EXPECT_EQ(Source.Ended, 1);
    Backend->ReleaseKey(VK_CONTROL);
    Application->ProcessMessages();
}

TEST_F(OleDragDropWindowTest, ColumnDragMovesTheColumn) {
    Target->SetAcceptCols(true);
    MoveTo(To, {10, 10});
    Backend->ReleaseButton();
    DWORD Effect = 0;
    EXPECT_EQ(BeginColumnDrag(Source, 4, DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect), DRAGDROP_S_DROP);
    EXPECT_EQ(Effect, DWORD(DROPEFFECT_MOVE));
    EXPECT_EQ(Target->Calls.back(), "col 4");
}

TEST_F(OleDragDropWindowTest, EscapeCancels) {
    MoveTo(To, {10, 10});
    Backend->PressKey(VK_ESCAPE);
    DWORD Effect = 99;
    EXPECT_EQ(BeginTextDrag(Source, u"a", String(), nullptr, DROPEFFECT_MOVE, Effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(Effect, DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(Target->Calls, Strings({"enter", "leave"}));
    EXPECT_EQ(Source.Ended, 1);
    Backend->ReleaseButton();
    Application->ProcessMessages();
}

TEST_F(OleDragDropWindowTest, ReleaseOverARefusingWindowCancels) {
    Target->SetAcceptText(false);
    MoveTo(To, {10, 10});
    Backend->ReleaseButton();
    DWORD Effect = 99;
    EXPECT_EQ(BeginTextDrag(Source, u"a", String(), nullptr, DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect),
              DRAGDROP_S_CANCEL);
    EXPECT_EQ(Effect, DWORD(DROPEFFECT_NONE));
    EXPECT_TRUE(Source.NoAccept());
    EXPECT_EQ(Target->Calls, Strings({"enter", "leave"}));
}

} // namespace
