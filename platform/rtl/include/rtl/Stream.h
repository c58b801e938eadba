#pragma once
// Streams: sequential and random access to bytes, held in memory or in a
// file. Positions and sizes are 64-bit byte counts from the stream's start.

#include "rtl/Encoding.h"
#include "rtl/Object.h"
#include "rtl/Types.h"

#include <vector>

using TBytes = std::vector<Byte>;

enum TSeekOrigin : Word { soBeginning = 0, soCurrent = 1, soEnd = 2 };

// The older names of the three origins.
inline constexpr TSeekOrigin soFromBeginning = soBeginning;
inline constexpr TSeekOrigin soFromCurrent = soCurrent;
inline constexpr TSeekOrigin soFromEnd = soEnd;

class TStream : public TObject {
public:
    // Transfer up to Count bytes at the position and advance it; the answer
    // is the number of bytes moved (0 at the end, or on failure).
    virtual Int64 Read(void* Buffer, Int64 Count) = 0;
    virtual Int64 Write(const void* Buffer, Int64 Count) = 0;

    // Moves the position; the answer is the new position, or -1 when the
    // stream refuses it.
    virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

    // As Read and Write, but all Count bytes or EReadError "Stream read
    // error" / EWriteError "Stream write error".
    void ReadBuffer(void* Buffer, Int64 Count);
    void WriteBuffer(const void* Buffer, Int64 Count);

    Int64 Position() { return Seek(0, soCurrent); }
    void SetPosition(Int64 Value) { Seek(Value, soBeginning); }

    virtual Int64 Size();
    virtual void SetSize(Int64 NewSize) = 0;

    // Copies Count bytes from Source's position to this stream's position;
    // Count 0 copies the whole of Source from its start. Answers the count.
    Int64 CopyFrom(TStream& Source, Int64 Count);
};

// A stream over a block of memory that grows as it is written.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;

    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    Int64 Size() override { return static_cast<Int64>(FData.size()); }
    // New bytes read as zero; a position beyond the new end moves to it.
    void SetSize(Int64 NewSize) override;

    // The stream's bytes; valid until the size next changes.
    Byte* Memory() { return FData.data(); }
    const Byte* Memory() const { return FData.data(); }

    void Clear();

    // Replace the contents with the whole of Stream (read from its start) or
    // of a file; write the whole contents to a stream or a (new) file.
    void LoadFromStream(TStream& Stream);
    void LoadFromFile(const String& FileName);
    void SaveToStream(TStream& Stream);
    void SaveToFile(const String& FileName);

protected:
    TBytes FData;
    Int64 FPosition = 0;
};

// A memory stream whose contents are a byte array.
class TBytesStream : public TMemoryStream {
public:
    TBytesStream() = default;
    explicit TBytesStream(TBytes Data) { FData = std::move(Data); }

    // Exactly the stream's Size bytes.
    const TBytes& Bytes() const { return FData; }
};

// A memory stream over text in an encoding (ANSI by default): the text's
// bytes, without a byte-order mark.
class TStringStream : public TBytesStream {
public:
    explicit TStringStream(const String& AString = String(),
                           const TEncoding& AEncoding = TEncoding::Default());
    explicit TStringStream(TBytes ABytes)
        : TBytesStream(std::move(ABytes)), FEncoding(&TEncoding::Default()) {}

    // All of the stream's bytes as text.
    String DataString() const;
    // Count bytes from the position on (fewer at the end) as text.
    String ReadString(Int64 Count);
    // The text's bytes at the position.
    void WriteString(const String& AString);
    const TEncoding& Encoding() const { return *FEncoding; }

private:
    const TEncoding* FEncoding;
};

// File open modes: one access mode, or fmCreate, combined with one share
// mode. Share modes are accepted for compatibility; Linux files are shared.
inline constexpr Word fmOpenRead = 0x0000;
inline constexpr Word fmOpenWrite = 0x0001;
inline constexpr Word fmOpenReadWrite = 0x0002;
inline constexpr Word fmCreate = 0xFF00;
inline constexpr Word fmShareCompat = 0x0000;
inline constexpr Word fmShareExclusive = 0x0010;
inline constexpr Word fmShareDenyWrite = 0x0020;
inline constexpr Word fmShareDenyRead = 0x0030;
inline constexpr Word fmShareDenyNone = 0x0040;

// A stream over an open file. fmCreate creates the file or empties an
// existing one and opens it for reading and writing; failures raise
// EFCreateError "Cannot create file "<name>". <reason>" or, for the open
// modes, EFOpenError "Cannot open file "<name>". <reason>".
class TFileStream : public TStream {
public:
    TFileStream(const String& FileName, Word Mode);
    ~TFileStream() override;

    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    // Raises EStreamError with the system's reason when the file refuses.
    void SetSize(Int64 NewSize) override;

    const String& FileName() const { return FFileName; }
    int Handle() const { return FHandle; }

private:
    String FFileName;
    int FHandle = -1;
};
