#include "rtl/StreamData.h"

#include "rtl/Exception.h"
#include "rtl/MathUtils.h"

#include <bit>
#include <cstdint>

namespace {

template <class Unsigned>
Unsigned ReadLittleEndian(TStream& Stream) {
    Byte Bytes[sizeof(Unsigned)];
    Stream.ReadBuffer(Bytes, sizeof Bytes);
    Unsigned Value = 0;
    for (size_t I = sizeof(Unsigned); I-- > 0;)
        Value = static_cast<Unsigned>((Value << 8) | Bytes[I]);
    return Value;
}

template <class Unsigned>
void WriteLittleEndian(TStream& Stream, Unsigned Value) {
    Byte Bytes[sizeof(Unsigned)];
    for (size_t I = 0; I < sizeof(Unsigned); ++I)
        Bytes[I] = static_cast<Byte>(Value >> (8 * I));
    Stream.WriteBuffer(Bytes, sizeof Bytes);
}

} // namespace

Byte ReadByte(TStream& Stream) {
    return ReadLittleEndian<std::uint8_t>(Stream);
}
ShortInt ReadShortInt(TStream& Stream) {
    return static_cast<ShortInt>(ReadLittleEndian<std::uint8_t>(Stream));
}
Word ReadWord(TStream& Stream) {
    return ReadLittleEndian<std::uint16_t>(Stream);
}
SmallInt ReadSmallInt(TStream& Stream) {
    return static_cast<SmallInt>(ReadLittleEndian<std::uint16_t>(Stream));
}
Cardinal ReadCardinal(TStream& Stream) {
    return ReadLittleEndian<std::uint32_t>(Stream);
}
Integer ReadInteger(TStream& Stream) {
    return static_cast<Integer>(ReadLittleEndian<std::uint32_t>(Stream));
}
Int64 ReadInt64(TStream& Stream) {
    return static_cast<Int64>(ReadLittleEndian<std::uint64_t>(Stream));
}
Single ReadSingle(TStream& Stream) {
    return std::bit_cast<Single>(ReadLittleEndian<std::uint32_t>(Stream));
}
Double ReadDouble(TStream& Stream) {
    return std::bit_cast<Double>(ReadLittleEndian<std::uint64_t>(Stream));
}

Extended ReadExtended(TStream& Stream) {
    TExtended80 Bytes;
    Stream.ReadBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
    return ExtendedToDouble(Bytes);
}

AnsiString ReadShortString(TStream& Stream) {
    AnsiString Bytes(ReadByte(Stream), '\0');
    Stream.ReadBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
    return Bytes;
}

void WriteByte(TStream& Stream, Byte Value) {
    WriteLittleEndian<std::uint8_t>(Stream, Value);
}
void WriteShortInt(TStream& Stream, ShortInt Value) {
    WriteLittleEndian(Stream, static_cast<std::uint8_t>(Value));
}
void WriteWord(TStream& Stream, Word Value) {
    WriteLittleEndian<std::uint16_t>(Stream, Value);
}
void WriteSmallInt(TStream& Stream, SmallInt Value) {
    WriteLittleEndian(Stream, static_cast<std::uint16_t>(Value));
}
void WriteCardinal(TStream& Stream, Cardinal Value) {
    WriteLittleEndian<std::uint32_t>(Stream, Value);
}
void WriteInteger(TStream& Stream, Integer Value) {
    WriteLittleEndian(Stream, static_cast<std::uint32_t>(Value));
}
void WriteInt64(TStream& Stream, Int64 Value) {
    WriteLittleEndian(Stream, static_cast<std::uint64_t>(Value));
}
void WriteSingle(TStream& Stream, Single Value) {
    WriteLittleEndian(Stream, std::bit_cast<std::uint32_t>(Value));
}
void WriteDouble(TStream& Stream, Double Value) {
    WriteLittleEndian(Stream, std::bit_cast<std::uint64_t>(Value));
}

void WriteExtended(TStream& Stream, Extended Value) {
    const TExtended80 Bytes = DoubleToExtended(Value);
    Stream.WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
}

void WriteShortString(TStream& Stream, const AnsiString& Bytes) {
    if (Bytes.size() > 255) throw EWriteError(u"Stream write error");
    WriteByte(Stream, static_cast<Byte>(Bytes.size()));
    Stream.WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
}
