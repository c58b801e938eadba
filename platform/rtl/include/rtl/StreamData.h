#pragma once
// Typed values on a stream in the little-endian byte order of the program's
// binary files: integers of 1, 2, 4 and 8 bytes, IEEE floats of 4 and 8
// bytes, 80-bit extended floats, and short strings (one length byte, then at most 255 bytes). Each
// read raises EReadError "Stream read error" when the stream ends early;
// each write raises EWriteError "Stream write error" when it is refused.

#include "rtl/Stream.h"

Byte ReadByte(TStream& Stream);
ShortInt ReadShortInt(TStream& Stream);
Word ReadWord(TStream& Stream);
SmallInt ReadSmallInt(TStream& Stream);
Cardinal ReadCardinal(TStream& Stream);
Integer ReadInteger(TStream& Stream);
Int64 ReadInt64(TStream& Stream);
Single ReadSingle(TStream& Stream);
Double ReadDouble(TStream& Stream);
// An 80-bit extended value (10 bytes), as the nearest double.
Extended ReadExtended(TStream& Stream);
// The bytes of a short string, as stored (the caller knows their encoding).
AnsiString ReadShortString(TStream& Stream);

void WriteByte(TStream& Stream, Byte Value);
void WriteShortInt(TStream& Stream, ShortInt Value);
void WriteWord(TStream& Stream, Word Value);
void WriteSmallInt(TStream& Stream, SmallInt Value);
void WriteCardinal(TStream& Stream, Cardinal Value);
void WriteInteger(TStream& Stream, Integer Value);
void WriteInt64(TStream& Stream, Int64 Value);
void WriteSingle(TStream& Stream, Single Value);
void WriteDouble(TStream& Stream, Double Value);
// As an 80-bit extended value (10 bytes); every double is exact in it.
void WriteExtended(TStream& Stream, Extended Value);
// Raises EWriteError "Stream write error" for more than 255 bytes rather
// than cut the text short.
void WriteShortString(TStream& Stream, const AnsiString& Bytes);
