// The text form of component streams: conversion of a binary stream to
// text, and the parser that turns text back into the binary stream.

#include "rtl/Convert.h"
#include "rtl/Filer.h"
#include "rtl/StreamData.h"
#include "rtl/TextCompare.h"

#include <cmath>
#include <cstdio>

namespace {

// ---- Binary to text ----

String FloatText(Extended Value) {
    char Buffer[64];
    for (int Precision = 15; Precision <= 17; ++Precision) {
        std::snprintf(Buffer, sizeof Buffer, "%.*g", Precision, double(Value));
        if (std::strtod(Buffer, nullptr) == double(Value)) break;
    }
    std::string Text = Buffer;
    if (Text.find_first_of(".eEin") == std::string::npos) Text += ".0";
    return String(Text.begin(), Text.end());
}

String QuotedText(const String& Value) {
    if (Value.empty()) return u"''";
    String Result;
    bool InQuotes = false;
    for (Char C : Value) {
        if (C >= u' ' && C < 0x7F) {
            if (!InQuotes) Result += u'\'';
            InQuotes = true;
            Result += C;
            if (C == u'\'') Result += u'\'';
        } else {
            if (InQuotes) Result += u'\'';
            InQuotes = false;
            Result += u"#" + IntToStr(Integer(C));
        }
    }
    if (InQuotes) Result += u'\'';
    return Result;
}

class TBinaryToText {
public:
    explicit TBinaryToText(TStream& Input) : FReader(&Input), FInput(Input) {}

    String Convert() {
        FReader.ReadSignature();
        ConvertObject(0);
        return FOut;
    }

private:
    static String Indent(Integer Level) { return String(size_t(Level) * 2, u' '); }

    void ConvertObject(Integer Level) {
        Byte Flags = 0;
        Byte Prefix = ReadByte(FInput);
        Integer Position = -1;
        if ((Prefix & 0xF0) == 0xF0) {
            Flags = Prefix & 0x0F;
            if (Flags & ffChildPos) Position = FReader.ReadInteger();
        } else {
            FInput.Seek(-1, soCurrent);
        }
        String ClassName = FReader.ReadStr();
        String Name = FReader.ReadStr();
        String Keyword = (Flags & ffInline) ? u"inline" : (Flags & ffInherited) ? u"inherited" : u"object";
        FOut += Indent(Level) + Keyword + u" " + (Name.empty() ? String() : Name + u": ") + ClassName;
        if (Position >= 0) FOut += u" [" + IntToStr(Position) + u"]";
        FOut += u"\r\n";
        while (!FReader.EndOfList())
            ConvertProperty(Level + 1);
        FReader.ReadListEnd();
        while (!FReader.EndOfList())
            ConvertObject(Level + 1);
        FReader.ReadListEnd();
        FOut += Indent(Level) + u"end\r\n";
    }

    void ConvertProperty(Integer Level) {
        FOut += Indent(Level) + FReader.ReadStr() + u" = ";
        ConvertValue(Level);
        FOut += u"\r\n";
    }

    void ConvertValue(Integer Level) {
        switch (FReader.NextValue()) {
        case vaList:
            FReader.ReadListBegin();
            FOut += u"(";
            while (!FReader.EndOfList()) {
                FOut += u"\r\n" + Indent(Level + 1);
                ConvertValue(Level + 1);
            }
            FReader.ReadListEnd();
            FOut += u")";
            return;
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64:
            FOut += IntToStr(FReader.ReadInt64());
            return;
        case vaExtended:
        case vaDouble:
        case vaSingle:
            FOut += FloatText(FReader.ReadFloat());
            return;
        case vaString:
        case vaLString:
        case vaWString:
        case vaUTF8String:
            FOut += QuotedText(FReader.ReadString());
            return;
        case vaIdent:
        case vaFalse:
        case vaTrue:
        case vaNil:
        case vaNull:
            FOut += FReader.ReadIdent();
            return;
        case vaSet: {
            std::vector<String> Names = FReader.ReadSet();
            FOut += u"[";
            for (size_t i = 0; i < Names.size(); ++i)
                FOut += (i ? u", " : u"") + Names[i];
            FOut += u"]";
            return;
        }
        case vaCollection:
            FReader.ReadValue();
            FOut += u"<";
            while (!FReader.EndOfList()) {
                FOut += u"\r\n" + Indent(Level + 1) + u"item";
                TValueType Next = FReader.NextValue();
                if (Next == vaInt8 || Next == vaInt16 || Next == vaInt32)
                    FOut += u" [" + IntToStr(FReader.ReadInteger()) + u"]";
                FOut += u"\r\n";
                FReader.ReadListBegin();
                while (!FReader.EndOfList())
                    ConvertProperty(Level + 2);
                FReader.ReadListEnd();
                FOut += Indent(Level + 1) + u"end";
            }
            FReader.ReadListEnd();
            FOut += u">";
            return;
        case vaBinary: {
            TBytes Data = FReader.ReadBinary();
            FOut += u"{";
            static const char16_t* Digits = u"0123456789ABCDEF";
            for (size_t i = 0; i < Data.size(); ++i) {
                if (i % 32 == 0) FOut += u"\r\n" + Indent(Level + 1);
                FOut += Digits[Data[i] >> 4];
                FOut += Digits[Data[i] & 15];
            }
            FOut += u"}";
            return;
        }
        default:
            throw EReadError(u"Offset " + IntToStr(FInput.Position()) + u": Invalid stream format");
        }
    }

    TReader FReader;
    TStream& FInput;
    String FOut;
};

// ---- Text to binary ----

enum class TToken { End, Symbol, Identifier, Integer, Float, String, Hex };

class TTextToBinary {
public:
    TTextToBinary(const String& Text, TStream& Output, const String& FileName,
                  std::vector<std::pair<Int64, Integer>>& Lines)
        : FText(Text), FWriter(&Output), FOutput(Output), FFileName(FileName), FLines(Lines) {
        Next();
    }

    void Convert() {
        FWriter.WriteSignature();
        ConvertObject();
        if (FToken != TToken::End) Error(u"End of text expected");
    }

private:
    [[noreturn]] void Error(const String& Message) const {
        throw EParserError(FFileName + u"(" + IntToStr(FTokenLine) + u"): " + Message);
    }

    static bool IsIdentStart(Char C) { return (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z') || C == u'_'; }
    static bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }

    void SkipBlanks() {
        while (FPos < FText.size()) {
            Char C = FText[FPos];
            if (C == u'\n') {
                ++FLine;
                ++FPos;
            } else if (C == u' ' || C == u'\t' || C == u'\r') {
                ++FPos;
            } else {
                break;
            }
        }
    }

    void Next() {
        SkipBlanks();
        FTokenLine = FLine;
        FValue.clear();
        if (FPos >= FText.size()) {
            FToken = TToken::End;
            return;
        }
        Char C = FText[FPos];
        if (IsIdentStart(C)) {
            size_t Start = FPos;
            while (FPos < FText.size() && (IsIdentStart(FText[FPos]) || IsDigit(FText[FPos]) || FText[FPos] == u'.'))
                ++FPos;
            FValue = FText.substr(Start, FPos - Start);
            FToken = TToken::Identifier;
            return;
        }
        if (C == u'\'' || C == u'#') {
            ReadStringToken();
            return;
        }
        if (IsDigit(C) || ((C == u'-' || C == u'+') && FPos + 1 < FText.size() && IsDigit(FText[FPos + 1]))) {
            size_t Start = FPos++;
            bool Float = false;
            while (FPos < FText.size()) {
                Char D = FText[FPos];
                if (IsDigit(D)) {
                    ++FPos;
                } else if (D == u'.' || D == u'e' || D == u'E') {
                    Float = true;
                    ++FPos;
                    if (FPos < FText.size() && (FText[FPos] == u'-' || FText[FPos] == u'+')) ++FPos;
                } else {
                    break;
                }
            }
            FValue = FText.substr(Start, FPos - Start);
            FToken = Float ? TToken::Float : TToken::Integer;
            return;
        }
        if (C == u'$') {
            size_t Start = ++FPos;
            while (FPos < FText.size() && std::isxdigit(int(FText[FPos]) & 0x7F) && FText[FPos] < 0x80)
                ++FPos;
            if (FPos == Start) Error(u"Invalid number");
            FValue = u"$" + FText.substr(Start, FPos - Start);
            FToken = TToken::Integer;
            return;
        }
        ++FPos;
        FValue = String(1, C);
        FToken = TToken::Symbol;
    }

    // Quoted runs and #nnn characters, joined; "+" continues a string on the next line.
    void ReadStringToken() {
        String Result;
        for (;;) {
            if (FPos < FText.size() && FText[FPos] == u'\'') {
                ++FPos;
                for (;;) {
                    if (FPos >= FText.size() || FText[FPos] == u'\n') Error(u"Unterminated string");
                    Char C = FText[FPos++];
                    if (C == u'\'') {
                        if (FPos < FText.size() && FText[FPos] == u'\'') {
                            Result += u'\'';
                            ++FPos;
                            continue;
                        }
                        break;
                    }
                    Result += C;
                }
            } else if (FPos < FText.size() && FText[FPos] == u'#') {
                ++FPos;
                size_t Start = FPos;
                Integer Code = 0;
                if (FPos < FText.size() && FText[FPos] == u'$') {
                    ++FPos;
                    Start = FPos;
                    while (FPos < FText.size() && FText[FPos] < 0x80 && std::isxdigit(int(FText[FPos]))) {
                        Code = Code * 16 + Integer(std::stoi(std::string(1, char(FText[FPos++])), nullptr, 16));
                        if (Code > 0xFFFF) Error(u"Invalid character code");
                    }
                } else {
                    while (FPos < FText.size() && IsDigit(FText[FPos])) {
                        Code = Code * 10 + (FText[FPos++] - u'0');
                        if (Code > 0xFFFF) Error(u"Invalid character code");
                    }
                }
                if (FPos == Start || Code > 0xFFFF) Error(u"Invalid character code");
                Result += Char(Code);
            } else {
                // A "+" after the string joins the string that follows.
                size_t Saved = FPos;
                Integer SavedLine = FLine;
                SkipBlanks();
                if (FPos < FText.size() && FText[FPos] == u'+') {
                    ++FPos;
                    SkipBlanks();
                    if (FPos < FText.size() && (FText[FPos] == u'\'' || FText[FPos] == u'#')) continue;
                }
                FPos = Saved;
                FLine = SavedLine;
                break;
            }
        }
        FValue = Result;
        FToken = TToken::String;
    }

    bool IsSymbol(Char C) const { return FToken == TToken::Symbol && FValue[0] == C; }
    void Expect(Char C) {
        if (!IsSymbol(C)) Error(String(u"'") + C + u"' expected");
        Next();
    }
    String ExpectIdentifier() {
        if (FToken != TToken::Identifier) Error(u"Identifier expected");
        String Value = FValue;
        Next();
        return Value;
    }
    void Mark() { FLines.emplace_back(FOutput.Position(), FTokenLine); }

    void ConvertObject() {
        Mark();
        if (FToken != TToken::Identifier) Error(u"'object' expected");
        Byte Flags = 0;
        if (SameText(FValue, u"inherited"))
            Flags = ffInherited;
        else if (SameText(FValue, u"inline"))
            Flags = ffInline;
        else if (!SameText(FValue, u"object"))
            Error(u"'object' expected");
        Next();
        String Name = ExpectIdentifier();
        String ClassName;
        if (IsSymbol(u':')) {
            Next();
            ClassName = ExpectIdentifier();
        } else {
            ClassName = Name;
            Name.clear();
        }
        Integer Position = -1;
        if (IsSymbol(u'[')) {
            Next();
            if (FToken != TToken::Integer) Error(u"Integer expected");
            Position = StrToInt(FValue);
            Next();
            Expect(u']');
            Flags |= ffChildPos;
        }
        if (Flags) {
            WriteByte(FOutput, Byte(0xF0 | Flags));
            if (Position >= 0) FWriter.WriteInteger(Position);
        }
        FWriter.WriteStr(ClassName);
        FWriter.WriteStr(Name);
        while (FToken == TToken::Identifier && !SameText(FValue, u"end") && !SameText(FValue, u"object") &&
               !SameText(FValue, u"inherited") && !SameText(FValue, u"inline"))
            ConvertProperty();
        FWriter.WriteListEnd();
        while (FToken == TToken::Identifier && !SameText(FValue, u"end"))
            ConvertObject();
        FWriter.WriteListEnd();
        if (FToken != TToken::Identifier || !SameText(FValue, u"end")) Error(u"'end' expected");
        Next();
    }

    void ConvertProperty() {
        Mark();
        FWriter.WriteStr(ExpectIdentifier());
        Expect(u'=');
        ConvertValue();
    }

    void ConvertValue() {
        switch (FToken) {
        case TToken::Integer: {
            Int64 Value = 0;
            if (!TryStrToInt64(FValue, Value)) Error(u"Invalid integer " + FValue);
            FWriter.WriteInteger(Value);
            Next();
            return;
        }
        case TToken::Float: {
            std::string Narrow(FValue.begin(), FValue.end());
            char* End = nullptr;
            double Value = std::strtod(Narrow.c_str(), &End);
            if (!End || *End) Error(u"Invalid number " + FValue);
            FWriter.WriteFloat(Value);
            Next();
            return;
        }
        case TToken::String:
            FWriter.WriteString(FValue);
            Next();
            return;
        case TToken::Identifier:
            FWriter.WriteIdent(FValue);
            Next();
            return;
        case TToken::Symbol:
            break;
        default:
            Error(u"Property value expected");
        }
        if (IsSymbol(u'[')) {
            Next();
            std::vector<String> Names;
            while (!IsSymbol(u']')) {
                Names.push_back(ExpectIdentifier());
                if (IsSymbol(u',')) Next();
                else if (!IsSymbol(u']')) Error(u"']' expected");
            }
            Next();
            FWriter.WriteSet(Names);
        } else if (IsSymbol(u'(')) {
            Next();
            FWriter.WriteListBegin();
            while (!IsSymbol(u')')) {
                if (FToken == TToken::End) Error(u"')' expected");
                ConvertValue();
            }
            Next();
            FWriter.WriteListEnd();
        } else if (IsSymbol(u'<')) {
            Next();
            FWriter.WriteValue(vaCollection);
            while (!IsSymbol(u'>')) {
                if (FToken != TToken::Identifier || !SameText(FValue, u"item")) Error(u"'item' expected");
                Next();
                if (IsSymbol(u'[')) {
                    Next();
                    if (FToken != TToken::Integer) Error(u"Integer expected");
                    FWriter.WriteInteger(StrToInt(FValue));
                    Next();
                    Expect(u']');
                }
                FWriter.WriteListBegin();
                while (FToken == TToken::Identifier && !SameText(FValue, u"end"))
                    ConvertProperty();
                if (FToken != TToken::Identifier || !SameText(FValue, u"end")) Error(u"'end' expected");
                Next();
                FWriter.WriteListEnd();
            }
            Next();
            FWriter.WriteListEnd();
        } else if (IsSymbol(u'{')) {
            // Hexadecimal digits up to the closing brace, across lines.
            TBytes Data;
            String Digits;
            while (FPos < FText.size() && FText[FPos] != u'}') {
                Char C = FText[FPos++];
                if (C == u'\n') ++FLine;
                if (C == u' ' || C == u'\t' || C == u'\r' || C == u'\n') continue;
                if (C >= 0x80 || !std::isxdigit(int(C))) Error(u"Invalid binary value");
                Digits += C;
            }
            if (FPos >= FText.size() || Digits.size() % 2) Error(u"Invalid binary value");
            ++FPos;
            for (size_t i = 0; i < Digits.size(); i += 2)
                Data.push_back(Byte(std::stoi(std::string{char(Digits[i]), char(Digits[i + 1])}, nullptr, 16)));
            FWriter.WriteBinary(Data);
            Next();
        } else {
            Error(u"Property value expected");
        }
    }

    const String& FText;
    TWriter FWriter;
    TStream& FOutput;
    String FFileName;
    std::vector<std::pair<Int64, Integer>>& FLines;
    size_t FPos = 0;
    Integer FLine = 1;
    Integer FTokenLine = 1;
    TToken FToken = TToken::End;
    String FValue;
};

} // namespace

String ObjectBinaryToText(TStream& Input) {
    return TBinaryToText(Input).Convert();
}

void ObjectTextToBinary(const String& Text, TStream& Output, const String& FileName,
                        std::vector<std::pair<Int64, Integer>>& OffsetLines) {
    TTextToBinary(Text, Output, FileName, OffsetLines).Convert();
}

void ObjectTextToBinary(const String& Text, TStream& Output, const String& FileName) {
    std::vector<std::pair<Int64, Integer>> Lines;
    ObjectTextToBinary(Text, Output, FileName, Lines);
}
