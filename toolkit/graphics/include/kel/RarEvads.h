#pragma once
// TRarEvads: the utility routines the drawing layer's units share, as
// class-level functions of a class that is never instantiated, and the four
// routines on 16-bit words.
//
// Texts are UTF-16 with 1-based positions. "Upper-casing" without more is the
// ASCII-only upper-casing (a to z become A to Z).

#include "kel/KelTypes.h"
#include "kel/Resources.h"
#include "rtl/FormatSettings.h"
#include "rtl/Stream.h"
#include "rtl/Types.h"
#include "vcl/Dialogs.h"

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class TComponent;
class TControl;
class TCustomForm;
class TKelBitmap;
class TStrings;
class TStringList;
class TPicture;
class TFont;
struct TGraphicClass;

// Characters in the order they were added; duplicates allowed.
using TRarEvadsCharSet = std::vector<Char>;

// Told the chosen file name and whether the dialog was confirmed.
using TRarEvadsFileCallBackEvent = std::function<void(const String& AFileName, bool AConfirmed)>;

class TRarEvads {
public:
    TRarEvads() = delete;

    // --- Search and replace --------------------------------------------------

    // Position of su in s ignoring ASCII case; 0 when absent.
    static Integer IPos(const String& su, const String& s);
    // Position of ASubValue in AValue (also stored in AResult); 0 when absent.
    static Integer VarPos(const String& ASubValue, const String& AValue, Integer& AResult);
    static Integer VarPosNoCase(const String& ASubValue, const String& AValue, Integer& AResult);
    // Replaces the first occurrence of Srch in Dest (found ignoring ASCII case)
    // by Repl; false, with Dest untouched, when there is none.
    static bool TagReplaceString(const String& Srch, const String& Repl, String& Dest);
    // The character at Index; character 0 outside the text.
    static Char CharInStr(const String& s, Integer Index);
    // Fills AStrings with the items of AInput separated by ADelimiter only; an
    // item in double quotes keeps delimiters and loses its quotes. With
    // AClearEmptyStrings the empty items are dropped.
    static void Split(Char ADelimiter, const String& AInput, TStrings* AStrings, bool AClearEmptyStrings);

    // --- HTML entities ---------------------------------------------------------

    // Escapes "&", double quotes, "<" and ">"; with SpecialChars also the
    // characters of the special-character table and every character above 256.
    static String FixMarkup(const String& su, bool SpecialChars = true);
    // Turns the entities of FixMarkup back into their characters.
    static String UnFixMarkup(const String& su, bool SpecialChars = true);
    // The character text of row Value (1 to 86) of the special-character
    // table; empty outside.
    static String GetSpecialChar(Integer Value);
    // 0-based row of the entity in the special-character table, or -1.
    static Integer GetMarkupIndex(const String& Markup);
    // First index of AText in AValues ignoring ASCII case; an accented entity
    // name (one holding "cute", "grave", "uml", "circ", "tilde", "ring" or
    // "cedil") must match exactly. -1 when none.
    static Integer IndexOfTextInArray(const String& AText, std::span<const String> AValues);
    // Text holding "</", "/>" or "<BR>" (any case).
    static bool IsHTML(const String& AValue);
    static bool IsHTMLUnicode(const String& AValue);
    // The text without tags; "<BR>" and "<HR>" become line breaks.
    static String HTMLStrip(const String& AHTML);

    // --- Escaping --------------------------------------------------------------

    // Pure-ASCII text: quotes, backslashes, control characters of the escape
    // table and everything from 128 up written as "\uXXXX".
    static String EscapeString(const String& AValue);
    // The reverse; raises Exception "Unexpected end of string" or "Invalid code
    // at position %s".
    static String UnescapeString(const String& AValue);
    // A reversible scramble of each character's low five bits.
    static String EnDeCrypt(const String& AValue);

    // --- Character sets ----------------------------------------------------------

    static TRarEvadsCharSet NumericCharSet();
    static TRarEvadsCharSet AlphaCharSet();
    static TRarEvadsCharSet CreateCharSet(const String& AValue);
    static TRarEvadsCharSet AddCharSet(const TRarEvadsCharSet& ACharSet1, const TRarEvadsCharSet& ACharSet2);
    static TRarEvadsCharSet SubCharSet(const TRarEvadsCharSet& ACharSet1, const TRarEvadsCharSet& ACharSet2);
    static bool CharInSet(Char ch, const TRarEvadsCharSet& ACharSet);
    // The first character of ACharset outside double quotes, with its position
    // in spos; character 0 and spos -1 when none.
    static Char FirstChar(const TRarEvadsCharSet& ACharset, const String& AValue, Integer& spos);

    // --- Filter expressions ------------------------------------------------------

    // Removes every space outside double quotes.
    static String StripLogicSpaces(const String& AValue);
    // Removes every thousand separator of the program's format settings.
    static String StripThousandSep(const String& ps);
    // Position of the ")" that closes the first "("; 0 when none.
    static Integer ClosingParenthesis(const String& s1);
    // Whether the value passes the filter condition: comparisons with numbers,
    // dates and texts, wildcard patterns, "!" negation, joined by "&" (and),
    // ";", "^", "|" (or) and brackets, evaluated left to right.
    static bool MatchStrEx(const String& AValue1, const String& AValue2, bool ACaseSensitive);
    // One condition without separators (upper-casing both unless case-sensitive).
    static bool MatchStr(const String& AValue1, const String& AValue2, bool ACaseSensitive);
    static bool Matches(const String& s0a, const String& s1a);
    static bool Matches(const Char* s0a, const Char* s1a);
    // A date with an optional time in the short date format, date separator and
    // time separator of the settings (the program's when not given).
    static bool IsDate(const String& AValue, TDateTime& ADate);
    static bool IsDate(const String& AValue, TDateTime& ADate, const TFormatSettings& ASettings);

    // --- Numbers and dates -------------------------------------------------------

    // "." as decimal separator whatever the program's format settings.
    static bool TryStrToFloatDot(const String& AValue, double& AResult);
    // Raises EConvertError for a text that is no number.
    static double StrToFloatDot(const String& AValue);
    static String FloatToStrDot(double AValue);
    // "1023 Bytes", "1.50 KB" … up to TB; empty for a size of -1 or less.
    static String FormatBytesAsString(Extended ASize);
    // Seconds since 1970-01-01 00:00 UTC (a 32-bit integer text) as a UTC date-time.
    static TDateTime EpochToDateTime(const String& AEpoch);
    // nNumber * nNumerator / nDenominator rounded half away from zero; -1 for a
    // zero denominator.
    static Integer MulDivInt(Integer nNumber, Integer nNumerator, Integer nDenominator);
    static Single MulDivSingle(Single nNumber, Single nNumerator, Single nDenominator);

    // --- Picture type ------------------------------------------------------------

    // ".gif", ".bmp", ".png", ".tiff", ".jpg", ".unknown" (an icon header) or
    // ".empty" by the first four bytes at the stream's position (at its start
    // with AResetPosition); empty when none matches or fewer than four bytes
    // are left. The position is restored.
    static String GetImageType(TStream* AData, bool AResetPosition);
    // The type of the picture's saved data.
    static String GetImageType(const TPicture* ABitmap);
    // The picture class for data starting with Buffer; false and null when the
    // format is unknown or has no class here.
    static bool FindGraphicClass(const Byte* Buffer, Int64 BufferSize, const TGraphicClass*& GraphicClass);

    // --- Encodings ---------------------------------------------------------------

    // The whole stream from its start as Base64 with padding (URL-safe
    // alphabet, no padding with AURL); the stream is left at its end.
    static String SaveStreamToBase64(TStream* AStream, bool AURL);
    // The whole stream from its start, two upper-case hexadecimal digits a byte.
    static String SaveStreamToHexStr(TStream* AStream);
    // The picture's saved data as above; empty for a picture without graphic.
    static String SaveBitmapToBase64(const TPicture* ABitmap, bool AURL);
    static String SaveBitmapToHexStr(const TPicture* ABitmap);
    // Base64 (URL-safe with AURL) to bytes; raises EConvertError for a text
    // that is no Base64.
    static TBytes Decode64ToBytes(const String& AValue, bool AURL);
    // Raises EConvertError for an odd length or a character that is no
    // hexadecimal digit.
    static TBytes HexStrToBytes(const String& AValue);
    // The decoded bytes written at the stream's position.
    static void LoadStreamFromBase64(const String& ABase64, TStream* AStream, bool AURL);
    static void LoadStreamFromHexStr(const String& AHexStr, TStream* AStream);
    // The picture loaded from Base64 data, also from a data URL.
    static void LoadBitmapFromBase64(const String& ABase64, TPicture* ABitmap, bool AURL);
    // The picture loaded from hexadecimal data; left alone for an unknown format.
    static void LoadBitmapFromHexStr(const String& AHexStr, TPicture* ABitmap);
    // A new picture loaded as LoadBitmapFromBase64 and LoadBitmapFromHexStr do.
    static std::unique_ptr<TKelBitmap> CreateBitmapFromBase64(const String& ABase64, bool AURL);
    static std::unique_ptr<TKelBitmap> CreateBitmapFromHexStr(const String& AHexStr);
    // The picture as JPEG data of quality round(AQuality * 100) (AQuality from
    // 0 to 1), transparent parts over ABackgroundColor (white for clNone or
    // -1); a JPEG picture is copied as it is. Null for a picture without a
    // graphic of a known format.
    static std::unique_ptr<TMemoryStream> ConvertBitmapToJPEGStream(const TPicture* ABitmap, Single AQuality,
                                                                    TColor ABackgroundColor);
    // Percent-encoding of the UTF-8 bytes, all but "-", ".", "_", digits and
    // ASCII letters.
    static String URLEncode(const String& AURL);
    static String URLDecode(const String& AURL);

    // --- DPI and fonts -----------------------------------------------------------

    // The screen's pixels per inch (the platform's fixed 96 unless changed
    // with SetScreenPixelsPerInch) divided by ADefaultDPI, or by 96 when that
    // is 0 or less.
    static Single GetDPIScale(const TComponent* AOwner = nullptr, Integer ADefaultDPI = 0);
    static bool IsHighDPIScale(const TComponent* AOwner = nullptr, Integer ADefaultDPI = 0);
    // ASize is a pixel size at 96 pixels per inch: the font gets the nearest
    // whole point size, as a negative height.
    static void SetFontSize(TFont* AFont, Single ASize);
    // Rescales the control (and its children) from its form's pixels per
    // inch to ADPI; a form keeps ADPI as its pixels per inch. Nothing for null.
    static void ScaleForDPI(TControl* AControl, Integer ADPI);
    // Every control of the form but forms, children first, gets its font
    // height at 96 pixels per inch; then the form scales to the screen's
    // pixels per inch. Nothing for null.
    static void ScaleForCurrentDPI(TCustomForm* AForm);
    // The font families of the screen, sorted, each name once.
    static void GetFonts(TStringList* FontList);

    // --- Components ----------------------------------------------------------------

    // The first form among the component's owners (not the component itself).
    static TCustomForm* GetOwnerForm(const TComponent* AComponent);
    // The control's top-level parent form.
    static TCustomForm* GetParentForm(const TControl* AControl);
    // A new component of the same class without owner and with an empty name,
    // holding the source's published properties; the caller frees it with Free.
    // Null for null.
    static TComponent* Clone(TComponent* AComponent);

    // --- Message boxes -----------------------------------------------------------

    // An information box with an OK button; the box's modal result.
    static Integer Message(const String& AMessage);
    static Integer Message(const String& AMessage, TMsgDlgType ADialogType, TMsgDlgButtons AButtons,
                           Integer AHelpContext = 0);

    // --- File dialogs ------------------------------------------------------------

    // An open dialog (the file must exist) in ADefaultFolder, or the
    // documents folder when that is empty, listing by AFilter. Confirmed:
    // AFileName becomes the chosen file and the answer is true. The callback,
    // when given, hears AFileName and the answer in every case.
    static bool SelectFile(String& AFileName, const String& ADefaultFolder, const String& AFilter,
                           const TRarEvadsFileCallBackEvent& ACallBack = nullptr);
    // A save dialog that asks before replacing a file, in the folder of
    // AFileName (or the documents folder) proposing its name. Confirmed:
    // AFileName becomes the chosen name, with the extension of the name
    // passed in when the chosen one has none. The callback as above.
    static bool SaveFile(String& AFileName, const String& AFilter,
                         const TRarEvadsFileCallBackEvent& ACallBack = nullptr);

    // --- Folders -----------------------------------------------------------------

    // Each ends in "/"; GetTempPath is empty when there is no temporary folder.
    static String GetTempPath();
    static String GetAppPath();
    // Raises EOSError when the user has no home folder.
    static String GetDocumentsPath();
    static String AddBackslash(const String& AValue);
    static String AddForwardslash(const String& AValue);

    // --- Shell and web -----------------------------------------------------------

    // Opens a file, folder or link with the desktop's opener; nothing happens
    // for a target the opener refuses.
    static void OpenFile(const String& AFile, const TObject* AControlReference = nullptr);
    static void OpenURL(const String& AURL);
    // There is no internet service here: raises Exception "Unable to
    // initialize Wininet".
    static std::unique_ptr<TMemoryStream> DownloadImage(const String& AURL);

    // --- Resources and diagnostics -----------------------------------------------

    static HINSTANCE GetHInstance();
    // A stream over the module's resource of that name; null when it has none.
    static std::unique_ptr<TMemoryStream> GetResourceStream(const String& AResourceName);
    static std::unique_ptr<TMemoryStream> GetResourceStream(const String& AResourceName, HINSTANCE AInstance);
    // Writes the text to the diagnostics output (standard error).
    static void Log(const String& AMessage);
    // The mouse cursor's screen position.
    static TPointF GetMousePos();
};

// The clipboard formats of the toolkit: four registered by name, and the
// platform's bitmap format.
struct TRarEvadsClipboardFormats {
    Word RichEditorText = 0;
    Word StreamFormat = 0;
    Word RichTextFormat = 0;
    Word HTMLFormat = 0;
    Word Bitmap = 2;
};
inline constexpr std::array<const Char*, 4> RarEvadsClipboardFormatNames{
    u"RichEditorText", u"TKelClipBoard.StreamFormat", u"Rich Text Format", u"HTML Format"};
// Registers the four names with the clipboard on the first call (the program
// calls it at start-up) and answers the identifiers.
const TRarEvadsClipboardFormats& RarEvadsClipboardFormats();

// Packing a four-part version number of one byte per part.
Word HighWordOf(Cardinal AValue);
Word LowWordOf(Cardinal AValue);
Cardinal PackWord(Cardinal Lo, Cardinal Hi);
Cardinal PackLong(Cardinal Lo, Cardinal Hi);
