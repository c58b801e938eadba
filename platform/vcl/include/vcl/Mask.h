#pragma once
// The masked edit: an edit whose text follows an edit mask.
//
// An edit mask has up to three fields separated by ';': the mask itself,
// whether the literals are kept in Text ('0' drops them, anything else keeps
// them; kept by default) and the blank character that stands for an empty
// position ('_' by default). In the mask:
//   0  a digit, required        9  a digit, optional
//   #  a digit or sign, optional
//   L  a letter, required       l  a letter, optional
//   A  a letter or digit, required   a  the same, optional
//   C  any character, required  c  any character, optional
//   >  what follows is upper-cased, <  lower-cased, <> neither
//   \  the next character is a literal
//   :  the time separator, /  the date separator (literals)
//   _  a space (literal)
//   !  optional positions left empty are leading rather than trailing
// Every other character is a literal. EditText is what the edit shows: one
// character per mask position, literals in place and the blank character in
// empty positions. Text is EditText with empty positions as spaces, and
// without the literals when the mask says so.
//
// Typing overwrites: a character goes to the next position that takes
// input, the caret skips literals, and a character that does not fit the
// position is refused with a beep. Backspace and Delete empty positions;
// paste fills positions from the caret with the characters that fit and
// drops the rest; cut empties the cut positions.

#include "rtl/Exception.h"
#include "vcl/StdCtrls.h"

#include <vector>

// A masked edit's text that leaves required positions empty.
class EDBEditError : public Exception {
public:
    using Exception::Exception;
};

// The text of the validation error.
inline constexpr const Char* SMaskEditErr = u"Invalid input value. Use escape key to abandon changes";

// An edit mask, parsed.
class TEditMask {
public:
    TEditMask() = default;
    explicit TEditMask(const String& Mask);

    const String& Source() const { return FSource; }
    bool Empty() const { return FPositions.empty(); }
    // The number of positions (the length of EditText).
    Integer Length() const { return Integer(FPositions.size()); }
    bool SaveLiterals() const { return FSaveLiterals; }
    Char Blank() const { return FBlank; }
    bool LeadingBlanks() const { return FLeadingBlanks; }

    bool IsLiteral(Integer Pos) const;
    bool IsRequired(Integer Pos) const;
    // Whether C fits the position; Out is C in the position's case.
    bool Accepts(Integer Pos, Char C, Char& Out) const;
    // The first position at or after Pos that takes input (Length: none).
    Integer NextInput(Integer Pos) const;
    // The last position before Pos that takes input (-1: none).
    Integer PreviousInput(Integer Pos) const;

    // EditText with every position empty.
    String EmptyText() const;
    // Text (with or without literals, as the mask keeps them) as EditText;
    // characters that do not fit their positions are dropped.
    String Format(const String& Text) const;
    // Any string as EditText, position by position.
    String Normalize(const String& EditText) const;
    // EditText as Text.
    String Strip(const String& EditText) const;
    // The first required position left empty (-1: none).
    Integer FirstMissing(const String& EditText) const;

private:
    enum class TKind { Literal, Digit, DigitOrSign, Letter, LetterOrDigit, Any };
    enum class TCase { None, Upper, Lower };
    struct TPosition {
        TKind Kind = TKind::Literal;
        bool Required = false;
        TCase Case = TCase::None;
        Char Literal = 0;
    };
    String FSource;
    std::vector<TPosition> FPositions;
    bool FSaveLiterals = true;
    Char FBlank = u'_';
    bool FLeadingBlanks = false;
};

// Formats a value with an edit mask as a masked edit would show it.
String FormatMaskText(const String& EditMask, const String& Value);

class TCustomMaskEdit : public TCustomEdit {
    RTL_CLASS(TCustomMaskEdit)
public:
    explicit TCustomMaskEdit(TComponent* AOwner);

    const String& EditMask() const { return FMask.Source(); }
    // A new mask formats the text there is (Text as the old mask gave it).
    void SetEditMask(const String& Value);
    bool IsMasked() const { return !FMask.Empty(); }
    const TEditMask& Mask() const { return FMask; }

    // The text as shown, literals and blank characters included.
    String EditText() const { return TCustomEdit::Text(); }
    void SetEditText(const String& Value);
    // The text as the mask saves it; without a mask, as the edit holds it.
    String Text() const;
    void SetText(const String& Value);

    // Raises EDBEditError (SMaskEditErr) with the caret on the first
    // required position left empty, when the edit is masked and modified.
    virtual void ValidateEdit();
    // Whether Value fills the mask's required positions; Pos is the first
    // that does not.
    virtual bool Validate(const String& Value, Integer& Pos);

    void CutToClipboard();
    void PasteFromClipboard();
    void Clear();

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void DoExit() override;

private:
    // Empties the input positions from Start to End (exclusive).
    String Blanked(const String& Text, Integer Start, Integer End) const;
    void TypeChar(Char C);
    void DeleteBack();
    void DeleteForward();
    void PasteText(const String& Value);
    Integer SkipLiterals(Integer Caret) const;

    TEditMask FMask;
    bool FRefocusPending = false;
};

class TMaskEdit : public TCustomMaskEdit {
    RTL_CLASS(TMaskEdit)
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};
