// The content of a rich edit and its Rich Text Format reader and writer.

#include "vcl/RichDocument.h"

#include "rtl/Encoding.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>

// ---- The model ----

const TCharFormat& TRichDocument::Format(Integer Index) const {
    if (Index < 0 || Index >= Integer(FFormatOf.size())) return FDefault;
    return FFormats[size_t(FFormatOf[size_t(Index)])];
}

Integer TRichDocument::FormatIndex(const TCharFormat& Format) {
    auto Found = std::find(FFormats.begin(), FFormats.end(), Format);
    if (Found != FFormats.end()) return Integer(Found - FFormats.begin());
    FFormats.push_back(Format);
    return Integer(FFormats.size()) - 1;
}

Integer TRichDocument::ParagraphOf(Integer Index) const {
    Integer Paragraph = 0;
    Index = std::clamp(Index, 0, Length());
    for (Integer I = 0; I + 1 < Length() + 1 && I < Index; ++I)
        if (FText[size_t(I)] == u'\r' && I + 1 < Length() && FText[size_t(I) + 1] == u'\n') ++Paragraph;
    return Paragraph;
}

TAlignment TRichDocument::ParagraphAlignment(Integer Index) const {
    Integer Paragraph = ParagraphOf(Index);
    return Paragraph < Integer(FParagraphs.size()) ? FParagraphs[size_t(Paragraph)] : taLeftJustify;
}

void TRichDocument::Replace(Integer Start, Integer Count, const String& Text, const TCharFormat& Format) {
    Start = std::clamp(Start, 0, Length());
    Count = std::clamp(Count, 0, Length() - Start);
    // Paragraph breaks removed and added change the list of alignments.
    auto Breaks = [](std::u16string_view Part) {
        Integer N = 0;
        for (size_t I = 0; I + 1 < Part.size(); ++I)
            if (Part[I] == u'\r' && Part[I + 1] == u'\n') ++N;
        return N;
    };
    Integer First = ParagraphOf(Start);
    Integer Removed = Breaks(std::u16string_view(FText).substr(size_t(Start), size_t(Count)));
    Integer Added = Breaks(Text);
    TAlignment Kept = First < Integer(FParagraphs.size()) ? FParagraphs[size_t(First)] : taLeftJustify;
    auto At = FParagraphs.begin() + std::min<Integer>(First + 1, Integer(FParagraphs.size()));
    Integer CanRemove = std::min<Integer>(Removed, Integer(FParagraphs.end() - At));
    At = FParagraphs.erase(At, At + CanRemove);
    FParagraphs.insert(At, size_t(Added), Kept);
    Integer Index = FormatIndex(Format);
    FText.replace(size_t(Start), size_t(Count), Text);
    FFormatOf.erase(FFormatOf.begin() + Start, FFormatOf.begin() + Start + Count);
    FFormatOf.insert(FFormatOf.begin() + Start, Text.size(), Index);
}

void TRichDocument::SetFormat(Integer Start, Integer Count, const TCharFormat& Format) {
    Integer Index = FormatIndex(Format);
    for (Integer I = std::max(Start, 0); I < Start + Count && I < Length(); ++I) FFormatOf[size_t(I)] = Index;
}

void TRichDocument::SetParagraphAlignment(Integer Start, Integer Count, TAlignment Value) {
    Integer First = ParagraphOf(Start);
    Integer Last = ParagraphOf(Start + std::max(Count, 0));
    for (Integer P = First; P <= Last && P < Integer(FParagraphs.size()); ++P) FParagraphs[size_t(P)] = Value;
}

void TRichDocument::SetPlainText(const String& Text) {
    FText.clear();
    FFormatOf.clear();
    FFormats.clear();
    FParagraphs.assign(1, taLeftJustify);
    Replace(0, 0, Text, FDefault);
}

void TRichDocument::FollowText(const String& NewText, const TCharFormat* InsertFormat) {
    if (NewText == FText) return;
    size_t Prefix = 0;
    size_t Limit = std::min(NewText.size(), FText.size());
    while (Prefix < Limit && NewText[Prefix] == FText[Prefix]) ++Prefix;
    size_t Suffix = 0;
    while (Suffix < Limit - Prefix && NewText[NewText.size() - 1 - Suffix] == FText[FText.size() - 1 - Suffix])
        ++Suffix;
    Integer Removed = Integer(FText.size() - Prefix - Suffix);
    String Inserted = NewText.substr(Prefix, NewText.size() - Prefix - Suffix);
    TCharFormat Inherited = InsertFormat ? *InsertFormat : Format(Integer(Prefix) - 1 >= 0 ? Integer(Prefix) - 1 : 0);
    Replace(Integer(Prefix), Removed, Inserted, Inherited);
}

// ---- Reading RTF ----

bool TRichDocument::IsRichText(const std::string& Bytes) {
    size_t Start = Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (Start < Bytes.size() && (Bytes[Start] == ' ' || Bytes[Start] == '\r' || Bytes[Start] == '\n')) ++Start;
    return Bytes.compare(Start, 5, "{\\rtf") == 0;
}

namespace {

// The state a group of RTF carries and restores at its end.
struct TRtfState {
    TCharFormat Format;
    Integer FontIndex = 0;
    bool Skip = false;          // an ignored destination
    Integer Destination = 0;    // 0 text, 1 font table, 2 colour table
    Integer UnicodeSkip = 1;    // characters after \u that stand in for it
    bool FontSet = false;       // a font was chosen (else the default font applies)
};

class TRtfReader {
public:
    TRtfReader(const std::string& Bytes, TRichDocument& Document) : FIn(Bytes), FDoc(Document) {}

    void Read() {
        FDefault = FDoc.DefaultFormat();
        FDefault.Size = 12; // the size of RTF text without \fs
        FState.Format = FDefault;
        while (FPos < FIn.size()) {
            char C = FIn[FPos++];
            switch (C) {
            case '{':
                FStack.push_back(FState);
                break;
            case '}':
                EndGroup();
                if (FStack.empty() && FStarted) {
                    Finish();
                    return;
                }
                break;
            case '\\':
                ControlWord();
                break;
            case '\r':
            case '\n':
                break;
            default:
                Character(FromAnsi(std::string_view(&C, 1)));
                break;
            }
        }
        Finish();
    }

private:
    void EndGroup() {
        if (FState.Destination == 1) EndFont();
        if (FStack.empty()) return;
        FState = FStack.back();
        FStack.pop_back();
    }

    void Character(const String& Text) {
        // Control characters from escapes (\'0a, \u10) are not text: only tabs
        // and the line breaks of \line stay, as the writer keeps only those.
        if (Text.size() == 1 && Text[0] < 0x20 && Text[0] != u'\t') return;
        if (FSkipChars > 0) {
            --FSkipChars;
            return;
        }
        if (FState.Skip) return;
        if (FState.Destination == 1) {
            if (Text == u";")
                EndFont();
            else
                FFontName += Text;
            return;
        }
        if (FState.Destination == 2) {
            // ';' ends an entry; one without colour words is the automatic colour.
            if (Text == u";") {
                if (!FColorOpen) FColors.push_back(-1);
                FColorOpen = false;
            }
            return;
        }
        Append(Text);
    }

    void Append(const String& Text) {
        if (!FState.FontSet) {
            // Text before any \f is in the document's default font.
            auto Found = FFonts.find(FDefaultFont);
            if (Found != FFonts.end()) FState.Format.Name = Found->second;
            FState.FontSet = true;
        }
        FText += Text;
        FFormats.insert(FFormats.end(), Text.size(), FState.Format);
    }

    void Paragraph() {
        FParagraphs.push_back(FAlignment);
        Append(u"\r\n");
    }

    // A font table entry ends at its ';' or its group.
    void EndFont() {
        String Name = FFontName;
        while (!Name.empty() && (Name.back() == u';' || Name.back() == u' ')) Name.pop_back();
        if (!Name.empty()) FFonts[FState.FontIndex] = Name;
        FFontName.clear();
    }

    void ControlWord() {
        if (FPos >= FIn.size()) return;
        char C = FIn[FPos];
        if (!std::isalpha(static_cast<unsigned char>(C))) {
            ++FPos;
            ControlSymbol(C);
            return;
        }
        size_t Start = FPos;
        while (FPos < FIn.size() && std::isalpha(static_cast<unsigned char>(FIn[FPos]))) ++FPos;
        std::string Word = FIn.substr(Start, FPos - Start);
        bool HasParameter = false;
        long Parameter = 0;
        if (FPos < FIn.size() && (FIn[FPos] == '-' || std::isdigit(static_cast<unsigned char>(FIn[FPos])))) {
            size_t NumberStart = FPos;
            ++FPos;
            while (FPos < FIn.size() && std::isdigit(static_cast<unsigned char>(FIn[FPos]))) ++FPos;
            // Parameters are 16-bit numbers (\u also written unsigned); longer digit
            // runs are held at that range so no later arithmetic overflows.
            Parameter = std::clamp(std::strtol(FIn.substr(NumberStart, FPos - NumberStart).c_str(), nullptr, 10),
                                   -65535L, 65535L);
            HasParameter = true;
        }
        if (FPos < FIn.size() && FIn[FPos] == ' ') ++FPos; // the delimiter belongs to the word
        Apply(Word, HasParameter, Parameter);
    }

    void ControlSymbol(char C) {
        switch (C) {
        case '\\':
        case '{':
        case '}':
            Character(String(1, Char(C)));
            break;
        case '~':
            Character(u"\u00A0");
            break;
        case '-':
            break; // an optional hyphen
        case '_':
            Character(u"\u2011");
            break;
        case '*':
            FState.Skip = true;
            break;
        case '\'': {
            // Exactly two hex digits; an escape without them stands for nothing.
            if (FPos + 2 > FIn.size() || !std::isxdigit(static_cast<unsigned char>(FIn[FPos])) ||
                !std::isxdigit(static_cast<unsigned char>(FIn[FPos + 1])))
                return;
            char Byte = char(std::strtol(FIn.substr(FPos, 2).c_str(), nullptr, 16));
            FPos += 2;
            Character(FromAnsi(std::string_view(&Byte, 1)));
            break;
        }
        case '\r':
        case '\n':
            if (!FState.Skip && FState.Destination == 0) Paragraph();
            break;
        default:
            break;
        }
    }

    void Apply(const std::string& Word, bool HasParameter, long Parameter) {
        TCharFormat& F = FState.Format;
        bool On = !HasParameter || Parameter != 0;
        if (Word == "rtf") {
            FStarted = true;
        } else if (Word == "fonttbl") {
            FState.Destination = 1;
        } else if (Word == "colortbl") {
            FState.Destination = 2;
            FColors.clear();
            FColorOpen = false;
        } else if (Word == "stylesheet" || Word == "info" || Word == "pict" || Word == "header" ||
                   Word == "footer" || Word == "headerl" || Word == "headerr" || Word == "footerl" ||
                   Word == "footerr" || Word == "object" || Word == "listtable" || Word == "listoverridetable" ||
                   Word == "revtbl" || Word == "rsidtbl" || Word == "xmlnstbl" || Word == "generator" ||
                   Word == "themedata" || Word == "colorschememapping" || Word == "latentstyles" ||
                   Word == "datastore" || Word == "fldinst" || Word == "footnote" || Word == "pgdsctbl") {
            FState.Skip = true;
        } else if (FState.Destination == 2 && (Word == "red" || Word == "green" || Word == "blue")) {
            if (!FColorOpen) {
                FColors.push_back(0);
                FColorOpen = true;
            }
            Integer Shift = Word == "red" ? 0 : Word == "green" ? 8 : 16;
            FColors.back() |= (Integer(Parameter) & 0xFF) << Shift;
        } else if (Word == "f") {
            if (FState.Destination == 1) {
                FState.FontIndex = Integer(Parameter);
            } else {
                FState.FontIndex = Integer(Parameter);
                auto Found = FFonts.find(Integer(Parameter));
                if (Found != FFonts.end()) F.Name = Found->second;
                FState.FontSet = true;
            }
        } else if (Word == "deff") {
            FDefaultFont = Integer(Parameter);
        } else if (Word == "fs") {
            F.Size = HasParameter ? Integer((Parameter + 1) / 2) : 12;
        } else if (Word == "b") {
            Set(F.Style, fsBold, On);
        } else if (Word == "i") {
            Set(F.Style, fsItalic, On);
        } else if (Word == "ul" || Word == "uld" || Word == "uldb" || Word == "ulw" || Word == "uldash" ||
                   Word == "ulth" || Word == "ulwave") {
            Set(F.Style, fsUnderline, On);
        } else if (Word == "ulnone") {
            Set(F.Style, fsUnderline, false);
        } else if (Word == "strike") {
            Set(F.Style, fsStrikeOut, On);
        } else if (Word == "cf") {
            F.Color = Parameter > 0 && Parameter < long(FColors.size()) && FColors[size_t(Parameter)] >= 0
                          ? FColors[size_t(Parameter)]
                          : FDefault.Color;
        } else if (Word == "up") {
            F.Offset = Integer(HasParameter ? Parameter : 6) * 10;
        } else if (Word == "dn") {
            F.Offset = -Integer(HasParameter ? Parameter : 6) * 10;
        } else if (Word == "super") {
            F.Offset = 40;
        } else if (Word == "sub") {
            F.Offset = -40;
        } else if (Word == "nosupersub") {
            F.Offset = 0;
        } else if (Word == "plain") {
            TCharFormat Plain = FDefault;
            auto Found = FFonts.find(FDefaultFont);
            if (Found != FFonts.end()) Plain.Name = Found->second;
            F = Plain;
            FState.FontSet = true;
        } else if (Word == "par") {
            if (!FState.Skip && FState.Destination == 0) Paragraph();
        } else if (Word == "line") {
            if (!FState.Skip && FState.Destination == 0) Character(u"\r\n");
        } else if (Word == "tab") {
            Character(u"\t");
        } else if (Word == "emdash") {
            Character(u"\u2014");
        } else if (Word == "endash") {
            Character(u"\u2013");
        } else if (Word == "bullet") {
            Character(u"\u2022");
        } else if (Word == "lquote") {
            Character(u"\u2018");
        } else if (Word == "rquote") {
            Character(u"\u2019");
        } else if (Word == "ldblquote") {
            Character(u"\u201C");
        } else if (Word == "rdblquote") {
            Character(u"\u201D");
        } else if (Word == "pard") {
            FAlignment = taLeftJustify;
        } else if (Word == "ql" || Word == "qj") {
            FAlignment = taLeftJustify;
        } else if (Word == "qc") {
            FAlignment = taCenter;
        } else if (Word == "qr") {
            FAlignment = taRightJustify;
        } else if (Word == "uc") {
            FState.UnicodeSkip = Integer(Parameter);
        } else if (Word == "u") {
            long Code = Parameter < 0 ? Parameter + 65536 : Parameter;
            Character(String(1, Char(Code)));
            FSkipChars = FState.UnicodeSkip;
        }
        // Every other word changes nothing this reader keeps.
    }

    static void Set(TFontStyles& Styles, TFontStyle Style, bool On) {
        if (On)
            Styles.Include(Style);
        else
            Styles.Exclude(Style);
    }

    void Finish() {
        if (!FStarted) throw ERichTextError(u"The text is not in Rich Text Format");
        // The last paragraph mark of a document ends it; it makes no empty paragraph.
        if (FText.size() >= 2 && FText.compare(FText.size() - 2, 2, u"\r\n") == 0 && !FParagraphs.empty()) {
            FText.resize(FText.size() - 2);
            FFormats.resize(FFormats.size() - 2);
            FAlignment = FParagraphs.back();
            FParagraphs.pop_back();
        }
        FParagraphs.push_back(FAlignment);
        FDoc.SetPlainText(FText);
        for (size_t I = 0; I < FFormats.size(); ++I) FDoc.SetFormat(Integer(I), 1, FFormats[I]);
        Integer Start = 0;
        for (size_t P = 0; P < FParagraphs.size(); ++P) {
            FDoc.SetParagraphAlignment(Start, 0, FParagraphs[P]);
            size_t Break = FText.find(u"\r\n", size_t(Start));
            if (Break == String::npos) break;
            Start = Integer(Break) + 2;
        }
    }

    const std::string& FIn;
    TRichDocument& FDoc;
    size_t FPos = 0;
    bool FStarted = false;
    TRtfState FState;
    std::vector<TRtfState> FStack;
    TCharFormat FDefault;
    std::map<Integer, String> FFonts;
    Integer FDefaultFont = 0;
    String FFontName;
    std::vector<TColor> FColors{-1};
    bool FColorOpen = false;
    Integer FSkipChars = 0;
    TAlignment FAlignment = taLeftJustify;
    String FText;
    std::vector<TCharFormat> FFormats;
    std::vector<TAlignment> FParagraphs;
};

} // namespace

void TRichDocument::LoadRtf(const std::string& Bytes) {
    if (!IsRichText(Bytes)) throw ERichTextError(u"The text is not in Rich Text Format");
    TRtfReader(Bytes, *this).Read();
}

// ---- Writing RTF ----

namespace {

// One character of text as RTF: the three special characters escaped, tabs as
// \tab, characters of the code page as \'hh, others as \u.
void AppendRtfCharacter(std::string& Out, Char C) {
    if (C == u'\\' || C == u'{' || C == u'}') {
        Out += '\\';
        Out += char(C);
    } else if (C == u'\t') {
        Out += "\\tab ";
    } else if (C >= 0x20 && C < 0x80) {
        Out += char(C);
    } else if (C < 0x20) {
        // Other control characters have no place in the text.
    } else {
        AnsiString Ansi = ToAnsi(std::u16string_view(&C, 1));
        char Hex[8];
        if (Ansi != "?") {
            std::snprintf(Hex, sizeof Hex, "\\'%02x", static_cast<unsigned char>(Ansi[0]));
            Out += Hex;
        } else {
            Out += "\\u" + std::to_string(int16_t(C)) + "?";
        }
    }
}

} // namespace

std::string TRichDocument::SaveRtf() const {
    std::vector<String> Fonts{FDefault.Name};
    std::vector<TColor> Colors;
    auto FontNumber = [&](const String& Name) {
        auto Found = std::find(Fonts.begin(), Fonts.end(), Name);
        if (Found != Fonts.end()) return Integer(Found - Fonts.begin());
        Fonts.push_back(Name);
        return Integer(Fonts.size()) - 1;
    };
    auto ColorNumber = [&](TColor Color) {
        TColor Rgb = ColorToRGB(Color);
        auto Found = std::find(Colors.begin(), Colors.end(), Rgb);
        if (Found != Colors.end()) return Integer(Found - Colors.begin()) + 1;
        Colors.push_back(Rgb);
        return Integer(Colors.size());
    };
    for (Integer I = 0; I < Length(); ++I) {
        FontNumber(Format(I).Name);
        ColorNumber(Format(I).Color);
    }
    std::string Body;
    auto Words = [](const TCharFormat& F, Integer Font, Integer Color) {
        std::string W = "\\f" + std::to_string(Font) + "\\fs" + std::to_string(F.Size * 2);
        W += F.Style.Contains(fsBold) ? "\\b" : "\\b0";
        W += F.Style.Contains(fsItalic) ? "\\i" : "\\i0";
        W += F.Style.Contains(fsUnderline) ? "\\ul" : "\\ulnone";
        W += F.Style.Contains(fsStrikeOut) ? "\\strike" : "\\strike0";
        W += "\\cf" + std::to_string(Color);
        if (F.Offset > 0)
            W += "\\up" + std::to_string(F.Offset / 10);
        else if (F.Offset < 0)
            W += "\\dn" + std::to_string(-F.Offset / 10);
        else
            W += "\\up0";
        return W + " ";
    };
    auto Alignment = [](TAlignment A) {
        return std::string(A == taCenter ? "\\qc" : A == taRightJustify ? "\\qr" : "\\ql");
    };
    Body += "\\pard" + Alignment(ParagraphAlignment(0)) + " ";
    const TCharFormat* Current = nullptr;
    for (Integer I = 0; I < Length(); ++I) {
        Char C = FText[size_t(I)];
        if (C == u'\r' && I + 1 < Length() && FText[size_t(I) + 1] == u'\n') {
            Body += "\\par\r\n\\pard" + Alignment(ParagraphAlignment(I + 2)) + " ";
            ++I;
            continue;
        }
        const TCharFormat& F = Format(I);
        if (!Current || !(F == *Current)) {
            Body += Words(F, FontNumber(F.Name), ColorNumber(F.Color));
            Current = &F;
        }
        AppendRtfCharacter(Body, C);
    }
    std::string Out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (size_t F = 0; F < Fonts.size(); ++F) {
        Out += "{\\f" + std::to_string(F) + "\\fnil ";
        for (Char C : Fonts[F]) AppendRtfCharacter(Out, C); // a brace in a name must not end its group
        Out += ";}";
    }
    Out += "}\r\n{\\colortbl ;";
    for (TColor Color : Colors)
        Out += "\\red" + std::to_string(GetRValue(Color)) + "\\green" + std::to_string(GetGValue(Color)) +
               "\\blue" + std::to_string(GetBValue(Color)) + ";";
    Out += "}\r\n\\uc1" + Body + "\\par\r\n}\r\n";
    return Out;
}
