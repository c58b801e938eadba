// Writing a 10 MB JSON document shaped like a saved object list (objects of
// names, texts with escaped characters, integers and floating-point numbers)
// and reading it back token by token.

#include "kel/KelJSONReader.h"
#include "kel/KelJSONWriter.h"
#include "rtl/Stream.h"

#include <benchmark/benchmark.h>

namespace {

constexpr Int64 kDocumentBytes = 10 << 20;

void WriteRecord(TKelJSONWriter& AWriter, Int64 ARow) {
    AWriter.WriteBeginObject();
    AWriter.WriteName(u"$type").WriteString(u"TKelGraphicsFill");
    AWriter.WriteName(u"Caption").WriteString(u"Abstraction point \u00B5g/L \"north\"");
    AWriter.WriteName(u"Index").WriteInteger(ARow);
    AWriter.WriteName(u"Opacity").WriteDouble(0.125 * Double(ARow % 8));
    AWriter.WriteName(u"Visible").WriteBoolean(ARow % 2 == 0);
    AWriter.WriteName(u"OnChanged").WriteNull();
    AWriter.WriteName(u"Points").WriteBeginArray();
    for (int point = 0; point < 4; ++point)
        AWriter.WriteDouble(Double(ARow) + point / 4.0);
    AWriter.WriteEndArray();
    AWriter.WriteEndObject();
}

void WriteDocument(TBytesStream& ATarget, Integer AIndentLength, Int64 ARecords) {
    TKelJSONWriter* writer = Create<TKelJSONWriter>(ATarget);
    writer->SetIndentLength(AIndentLength);
    writer->WriteBeginArray();
    for (Int64 row = 0; row < ARecords; ++row)
        WriteRecord(*writer, row);
    writer->WriteEndArray().Close();
    Free(writer);
}

// The number of records that make a document of about 10 MB.
Int64 RecordsFor10MB(Integer AIndentLength) {
    constexpr Int64 sample = 1000;
    TBytesStream target;
    WriteDocument(target, AIndentLength, sample);
    return kDocumentBytes * sample / target.Size();
}

Int64 ReadDocument(TStream& ASource) {
    ASource.SetPosition(0);
    TKelJSONReader* reader = Create<TKelJSONReader>(ASource);
    Int64 values = 0;
    reader->ReadBeginArray();
    while (reader->HasNext()) {
        reader->ReadBeginObject();
        while (reader->HasNext()) {
            reader->ReadName();
            switch (reader->Peek()) {
            case jstoText:
                benchmark::DoNotOptimize(reader->ReadString());
                break;
            case jstoNumber:
                benchmark::DoNotOptimize(reader->ReadDouble());
                break;
            default:
                reader->SkipValue();
                break;
            }
            ++values;
        }
        reader->ReadEndObject();
    }
    reader->ReadEndArray();
    Free(reader);
    return values;
}

void BM_Write10MB(benchmark::State& State) {
    const Integer indentLength = Integer(State.range(0));
    const Int64 records = RecordsFor10MB(indentLength);
    Int64 bytes = 0;
    for (auto _ : State) {
        TBytesStream target;
        WriteDocument(target, indentLength, records);
        bytes = target.Size();
    }
    State.SetBytesProcessed(Int64(State.iterations()) * bytes);
    State.counters["MB"] = Double(bytes) / (1 << 20);
}
BENCHMARK(BM_Write10MB)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_Read10MB(benchmark::State& State) {
    const Integer indentLength = Integer(State.range(0));
    TBytesStream source;
    WriteDocument(source, indentLength, RecordsFor10MB(indentLength));
    for (auto _ : State)
        benchmark::DoNotOptimize(ReadDocument(source));
    State.SetBytesProcessed(Int64(State.iterations()) * source.Size());
    State.counters["MB"] = Double(source.Size()) / (1 << 20);
}
BENCHMARK(BM_Read10MB)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
