// Reading a 10 MB document shaped like the grid's XML export (a list of
// records of text fields), from bytes in memory, and walking every node of
// it once as the grid's import does.

#include "rtl/Stream.h"
#include "xml/XMLDocument.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr size_t kDocumentBytes = 10u << 20;

const std::string& GridExport() {
    static const std::string Bytes = [] {
        std::string Text = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST>\r\n";
        for (size_t Row = 0; Text.size() < kDocumentBytes; ++Row) {
            Text += "<ROW>\r\n";
            for (int Field = 0; Field < 8; ++Field)
                Text += "<FIELD" + std::to_string(Field) + ">Abstraction point " + std::to_string(Row) +
                        " &lt;" + std::to_string(Field) + "&gt; \xB5g/L</FIELD" + std::to_string(Field) +
                        ">\r\n";
            Text += "</ROW>\r\n";
        }
        return Text + "</LIST>\r\n";
    }();
    return Bytes;
}

void Load(TXMLDocument& Document, const std::string& Bytes) {
    TMemoryStream Stream;
    Stream.WriteBuffer(Bytes.data(), Int64(Bytes.size()));
    Stream.SetPosition(0);
    Document.LoadFromStream(Stream);
}

size_t CountNodes(IXMLNode& Node) {
    size_t Count = 1;
    IXMLNodeList& Children = Node.ChildNodes();
    for (Integer I = 0; I < Children.Count(); ++I)
        Count += CountNodes(*Children.Nodes(I));
    return Count;
}

void BM_Parse10MB(benchmark::State& State) {
    const std::string& Bytes = GridExport();
    for (auto _ : State) {
        TXMLDocument Document;
        Load(Document, Bytes);
        benchmark::DoNotOptimize(Document.DocumentElement());
    }
    State.SetBytesProcessed(Int64(State.iterations()) * Int64(Bytes.size()));
}
BENCHMARK(BM_Parse10MB)->Unit(benchmark::kMillisecond);

void BM_ParseAndWalk10MB(benchmark::State& State) {
    const std::string& Bytes = GridExport();
    for (auto _ : State) {
        TXMLDocument Document;
        Load(Document, Bytes);
        size_t Count = 0;
        for (IXMLNode* Row = Document.DocumentElement()->ChildNodes().First(); Row; Row = Row->NextSibling())
            Count += CountNodes(*Row);
        benchmark::DoNotOptimize(Count);
    }
    State.SetBytesProcessed(Int64(State.iterations()) * Int64(Bytes.size()));
}
BENCHMARK(BM_ParseAndWalk10MB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
