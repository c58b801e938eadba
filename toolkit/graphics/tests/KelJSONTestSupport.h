#pragma once
// Readers over literal documents and documents written into bytes, for the
// JSON reader and writer tests.

#include "kel/KelJSONReader.h"
#include "kel/KelJSONWriter.h"
#include "rtl/Stream.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct TFreeObject {
    void operator()(TObject* AObject) const { Free(AObject); }
};
using TReaderPtr = std::unique_ptr<TKelJSONReader, TFreeObject>;

// A reader over the bytes (one character each, Windows-1252).
inline TReaderPtr ReaderOf(std::string_view ABytes) {
    TBytesStream source(TBytes(ABytes.begin(), ABytes.end()));
    return TReaderPtr(Create<TKelJSONReader>(source));
}

inline std::string BytesOf(TBytesStream& AStream) {
    return std::string(AStream.Bytes().begin(), AStream.Bytes().end());
}

// The bytes a writer hands to its target after the calls; the writer is
// freed also when a call raises, and the exception passes on.
inline std::string Written(const std::function<void(TKelJSONWriter&)>& ACalls, Integer AIndentLength = 0) {
    TBytesStream target;
    TKelJSONWriter* writer = Create<TKelJSONWriter>(target);
    writer->SetIndentLength(AIndentLength);
    try {
        ACalls(*writer);
    } catch (...) {
        Free(writer);
        throw;
    }
    Free(writer);
    return BytesOf(target);
}
