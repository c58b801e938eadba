#include "rtl/Stream.h"

#include "rtl/Exception.h"
#include "rtl/StreamData.h"
#include "rtltesting/ExceptionMessage.h"
#include "rtltesting/TestFiles.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

std::string Contents(TMemoryStream& Stream) {
    return {reinterpret_cast<const char*>(Stream.Memory()), static_cast<size_t>(Stream.Size())};
}

} // namespace

TEST(MemoryStream, ReadsWritesAndSeeksLikeAFile) {
    TMemoryStream Stream;
    Stream.WriteBuffer("abcdef", 6);
    EXPECT_EQ(Stream.Position(), 6);
    EXPECT_EQ(Stream.Seek(-4, soCurrent), 2);
    char Buffer[8] = {};
    EXPECT_EQ(Stream.Read(Buffer, 8), 4); // short read at the end
    EXPECT_STREQ(Buffer, "cdef");
    EXPECT_EQ(Stream.Read(Buffer, 1), 0);

    // Writing past the end fills the gap with zero bytes.
    Stream.Seek(2, soEnd);
    Stream.WriteBuffer("g", 1);
    EXPECT_EQ(Contents(Stream), std::string("abcdef\0\0g", 9));

    // Shrinking pulls the position back to the new end.
    Stream.SetSize(3);
    EXPECT_EQ(Stream.Position(), 3);
    EXPECT_EQ(Contents(Stream), "abc");
    Stream.Clear();
    EXPECT_EQ(Stream.Size(), 0);
    EXPECT_EQ(Stream.Position(), 0);
}

TEST(MemoryStream, ShortTransfersRaiseStreamErrors) {
    TMemoryStream Stream;
    Stream.WriteBuffer("ab", 2);
    Stream.SetPosition(0);
    char Buffer[4];
    EXPECT_EQ(MessageOf<EReadError>([&] { Stream.ReadBuffer(Buffer, 3); }), u"Stream read error");
    Stream.SetPosition(-1);
    EXPECT_EQ(MessageOf<EWriteError>([&] { Stream.WriteBuffer("x", 1); }), u"Stream write error");
}

TEST(MemoryStream, CopyFromWholeSourceOrPart) {
    TBytesStream Source(TBytes{'1', '2', '3', '4'});
    Source.SetPosition(3);
    TMemoryStream Target;
    EXPECT_EQ(Target.CopyFrom(Source, 0), 4); // 0: all of it, from the start
    Source.SetPosition(1);
    EXPECT_EQ(Target.CopyFrom(Source, 2), 2);
    EXPECT_EQ(Contents(Target), "123423");
    EXPECT_THROW(Target.CopyFrom(Source, 5), EReadError);
}

TEST(StringStream, TextInItsEncoding) {
    TStringStream Ansi(u"5 µg");
    EXPECT_EQ(Contents(Ansi), "5 \xB5g"); // ANSI by default, no byte-order mark
    TStringStream Utf8Stream(u"µ", TEncoding::UTF8());
    EXPECT_EQ(Contents(Utf8Stream), "\xC2\xB5");
    Utf8Stream.Seek(0, soEnd);
    Utf8Stream.WriteString(u"g/L");
    EXPECT_EQ(Utf8Stream.DataString(), u"µg/L");
    Utf8Stream.SetPosition(2);
    EXPECT_EQ(Utf8Stream.ReadString(2), u"g/");
    EXPECT_EQ(Utf8Stream.ReadString(99), u"L");
}

TEST(FileStream, CreatesOpensAndRoundTripsThroughMemory) {
    TTempFolder Folder;
    {
        TFileStream File(Folder / u"data.bin", fmCreate | fmShareExclusive);
        File.WriteBuffer("hello world", 11);
        File.SetSize(5);
        EXPECT_EQ(File.Position(), 5);
    }
    EXPECT_EQ(ReadFileBytes(Folder / u"data.bin"), "hello");

    TMemoryStream Memory;
    Memory.LoadFromFile(Folder / u"data.bin");
    EXPECT_EQ(Contents(Memory), "hello");
    Memory.Seek(0, soEnd);
    Memory.WriteBuffer("!", 1);
    Memory.SaveToFile(Folder / u"copy.bin");
    EXPECT_EQ(ReadFileBytes(Folder / u"copy.bin"), "hello!");

    // fmCreate empties an existing file; fmOpenReadWrite keeps it.
    {
        TFileStream File(Folder / u"copy.bin", fmOpenReadWrite);
        EXPECT_EQ(File.Size(), 6);
        File.Seek(-1, soEnd);
        File.WriteBuffer("?", 1);
    }
    EXPECT_EQ(ReadFileBytes(Folder / u"copy.bin"), "hello?");
    TFileStream Emptied(Folder / u"copy.bin", fmCreate);
    EXPECT_EQ(Emptied.Size(), 0);
}

TEST(FileStream, FailuresNameTheFileAndTheSystemReason) {
    TTempFolder Folder;
    const String Missing = Folder / u"missing.txt";
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream(Missing, fmOpenRead); }),
              u"Cannot open file \"" + Missing + u"\". No such file or directory");
    const String NoFolder = Folder / u"no/such/file.txt";
    EXPECT_EQ(MessageOf<EFCreateError>([&] { TFileStream(NoFolder, fmCreate); }),
              u"Cannot create file \"" + NoFolder + u"\". No such file or directory");
    const String Itself = Folder / u"";
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream(Itself, fmOpenRead); }),
              u"Cannot open file \"" + Itself + u"\". Is a directory");

    // A file opened for writing only cannot be read.
    WriteFileBytes(Folder / u"w.txt", "abc");
    TFileStream WriteOnly(Folder / u"w.txt", fmOpenWrite);
    char Buffer[3];
    EXPECT_THROW(WriteOnly.ReadBuffer(Buffer, 3), EReadError);
}

TEST(StreamData, WritesLittleEndianValuesAndReadsThemBack) {
    TMemoryStream Stream;
    WriteByte(Stream, 0xAB);
    WriteShortInt(Stream, -2);
    WriteWord(Stream, 0x1234);
    WriteSmallInt(Stream, -2);
    WriteCardinal(Stream, 0x89ABCDEF);
    WriteInteger(Stream, -40000);
    WriteInt64(Stream, 0x0102030405060708);
    WriteSingle(Stream, 1.5f);
    WriteDouble(Stream, -0.1);
    WriteShortString(Stream, "TPF0");
    WriteShortString(Stream, "");
    EXPECT_EQ(Contents(Stream), std::string("\xAB\xFE"
                                            "\x34\x12"
                                            "\xFE\xFF"
                                            "\xEF\xCD\xAB\x89"
                                            "\xC0\x63\xFF\xFF"
                                            "\x08\x07\x06\x05\x04\x03\x02\x01"
                                            "\x00\x00\xC0\x3F"
                                            "\x9A\x99\x99\x99\x99\x99\xB9\xBF"
                                            "\x04TPF0"
                                            "\x00",
                                            40));
    Stream.SetPosition(0);
    EXPECT_EQ(ReadByte(Stream), 0xAB);
    EXPECT_EQ(ReadShortInt(Stream), -2);
    EXPECT_EQ(ReadWord(Stream), 0x1234);
    EXPECT_EQ(ReadSmallInt(Stream), -2);
    EXPECT_EQ(ReadCardinal(Stream), 0x89ABCDEFu);
    EXPECT_EQ(ReadInteger(Stream), -40000);
    EXPECT_EQ(ReadInt64(Stream), 0x0102030405060708);
    EXPECT_EQ(ReadSingle(Stream), 1.5f);
    EXPECT_EQ(ReadDouble(Stream), -0.1);
    EXPECT_EQ(ReadShortString(Stream), "TPF0");
    EXPECT_EQ(ReadShortString(Stream), "");
    EXPECT_EQ(MessageOf<EReadError>([&] { ReadWord(Stream); }), u"Stream read error");
}

TEST(StreamData, ExtendedValuesTakeTenBytes) {
    TMemoryStream Stream;
    WriteExtended(Stream, 1.0);
    WriteExtended(Stream, -0.1);
    // 1.0: mantissa 0x8000000000000000, exponent 0x3FFF.
    EXPECT_EQ(Contents(Stream).substr(0, 10), std::string("\0\0\0\0\0\0\0\x80\xFF\x3F", 10));
    EXPECT_EQ(Stream.Size(), 20);
    Stream.SetPosition(0);
    EXPECT_EQ(ReadExtended(Stream), 1.0);
    EXPECT_EQ(ReadExtended(Stream), -0.1);
    EXPECT_THROW(ReadExtended(Stream), EReadError);
}

TEST(StreamData, ShortStringsAreNeverCutShort) {
    TMemoryStream Stream;
    WriteShortString(Stream, std::string(255, 'x'));
    EXPECT_EQ(Stream.Size(), 256);
    EXPECT_THROW(WriteShortString(Stream, std::string(256, 'x')), EWriteError);
    EXPECT_EQ(Stream.Size(), 256);

    // A length byte that promises more than the stream holds.
    TBytesStream Truncated(TBytes{5, 'a', 'b'});
    EXPECT_THROW(ReadShortString(Truncated), EReadError);
}
