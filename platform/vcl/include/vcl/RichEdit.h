#pragma once
// The rich edit: a memo whose characters carry fonts, sizes, styles,
// colours and a raised or lowered offset, and whose paragraphs carry an
// alignment; its lines load and save Rich Text Format (or plain text with
// PlainText). SelAttributes reads and sets the format of the selection (of
// the text typed next when nothing is selected), DefAttributes that of the
// whole text. Character positions count a paragraph break as two
// characters (CR LF), as the text holds it.
//
// Messages: EM_GETCHARFORMAT / EM_SETCHARFORMAT (CHARFORMAT2W, SCF_SELECTION
// or SCF_ALL), EM_REQUESTRESIZE and, while ENM_REQUESTRESIZE is in the event
// mask (it is by default), every change of the content's size sends
// EN_REQUESTRESIZE to the parent with the size the content needs;
// EM_FORMATRANGE draws the text into a twips rectangle of a device context.

#include "vcl/RichDocument.h"
#include "vcl/StdCtrls.h"

namespace winapi {

enum : UINT {
    EM_EXGETSEL = WM_USER + 52,
    EM_EXSETSEL = WM_USER + 55,
    EM_FORMATRANGE = WM_USER + 57,
    EM_GETCHARFORMAT = WM_USER + 58,
    EM_GETEVENTMASK = WM_USER + 59,
    EM_REQUESTRESIZE = WM_USER + 65,
    EM_SETCHARFORMAT = WM_USER + 68,
    EM_SETEVENTMASK = WM_USER + 69,
};

// Notification codes (NMHDR::code) of rich edits.
enum : UINT {
    EN_REQUESTRESIZE = 0x0701,
    EN_SELCHANGE = 0x0702,
};

// The event mask.
enum : DWORD {
    ENM_CHANGE = 0x00000001,
    ENM_REQUESTRESIZE = 0x00040000,
    ENM_SELCHANGE = 0x00080000,
};

// Which characters EM_SETCHARFORMAT formats.
enum : WPARAM {
    SCF_DEFAULT = 0x0000,
    SCF_SELECTION = 0x0001,
    SCF_ALL = 0x0004,
};

// CHARFORMAT2W::dwMask and dwEffects.
enum : DWORD {
    CFM_BOLD = 0x00000001,
    CFM_ITALIC = 0x00000002,
    CFM_UNDERLINE = 0x00000004,
    CFM_STRIKEOUT = 0x00000008,
    CFM_OFFSET = 0x10000000,
    CFM_FACE = 0x20000000,
    CFM_COLOR = 0x40000000,
    CFM_SIZE = 0x80000000,
    CFE_BOLD = CFM_BOLD,
    CFE_ITALIC = CFM_ITALIC,
    CFE_UNDERLINE = CFM_UNDERLINE,
    CFE_STRIKEOUT = CFM_STRIKEOUT,
    CFE_AUTOCOLOR = 0x40000000,
};

struct CHARRANGE {
    Integer cpMin = 0;
    Integer cpMax = 0; // -1: to the end
};

// Heights and offsets in twips.
struct CHARFORMAT2W {
    UINT cbSize = sizeof(CHARFORMAT2W);
    DWORD dwMask = 0;
    DWORD dwEffects = 0;
    Integer yHeight = 0;
    Integer yOffset = 0;
    TColor crTextColor = 0;
    Byte bCharSet = 0;
    Byte bPitchAndFamily = 0;
    Char szFaceName[32] = {};
    Word wWeight = 0;
    SmallInt sSpacing = 0;
    TColor crBackColor = 0;
};

struct REQRESIZE {
    NMHDR nmhdr;
    TRect rc;
};

struct SELCHANGE {
    NMHDR nmhdr;
    CHARRANGE chrg;
    Word seltyp = 0;
};

// rc and rcPage in twips on hdc; the characters of chrg.
struct FORMATRANGE {
    HDC hdc = nullptr;
    HDC hdcTarget = nullptr;
    TRect rc;
    TRect rcPage;
    CHARRANGE chrg;
};

} // namespace winapi

class TCustomRichEdit;

enum TAttributeType { atSelected, atDefaultText };

// The character format of a rich edit's selection or of all its text.
class TTextAttributes : public TPersistent {
public:
    TTextAttributes(TCustomRichEdit& Owner, TAttributeType Type) : FOwner(Owner), FType(Type) {}

    String Name() const { return Get().Name; }
    void SetName(const String& Value);
    Integer Size() const { return Get().Size; }
    void SetSize(Integer Value);
    // -Size in pixels of 96 per inch, as a font's Height.
    Integer Height() const;
    void SetHeight(Integer Value);
    TFontStyles Style() const { return Get().Style; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return Get().Color; }
    void SetColor(TColor Value);
    // Twips above (positive) or below the base line.
    Integer Offset() const { return Get().Offset; }
    void SetOffset(Integer Value);
    // Takes a font's name, size, style and colour.
    void Assign(const TPersistent* Source) override;

private:
    TCharFormat Get() const;
    template <class F>
    void Change(F&& Edit);

    TCustomRichEdit& FOwner;
    TAttributeType FType;
};

// The paragraph format of the selection's paragraphs.
class TParaAttributes : public TPersistent {
public:
    explicit TParaAttributes(TCustomRichEdit& Owner) : FOwner(Owner) {}
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);

private:
    TCustomRichEdit& FOwner;
};

// The lines of a rich edit: loading and saving go through Rich Text Format
// unless the edit's PlainText is set (and loading falls back to plain text
// when the bytes are not RTF).
class TRichEditStrings : public TStrings {
public:
    explicit TRichEditStrings(TCustomRichEdit& Edit) : FEdit(Edit) {}
    Integer Count() const override;
    String Get(Integer Index) const override;
    void Put(Integer Index, const String& S) override;
    void Clear() override;
    void Delete(Integer Index) override;
    void Insert(Integer Index, const String& S) override;
    String Text() const override;

    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream) const;
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName) const;

protected:
    void SetAllLines(std::vector<String> Lines) override;

private:
    TStrings& Plain() const;
    TCustomRichEdit& FEdit;
};

using TRichEditResizeEvent = std::function<void(TObject* Sender, const TRect& Rect)>;

class TCustomRichEdit : public TCustomMemo {
    RTL_CLASS(TCustomRichEdit)
public:
    explicit TCustomRichEdit(TComponent* AOwner);
    ~TCustomRichEdit() override;

    TRichEditStrings* Lines() const { return FRichLines.get(); }
    TTextAttributes* SelAttributes() const { return FSelAttributes.get(); }
    TTextAttributes* DefAttributes() const { return FDefAttributes.get(); }
    TParaAttributes* Paragraph() const { return FParagraph.get(); }
    // Lines load and save plain text instead of RTF.
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool Value) { FPlainText = Value; }

    // The content (its text follows the edit's text).
    const TRichDocument& Document() const;
    void LoadRichText(const std::string& Bytes);
    std::string SaveRichText() const;

    // The size the content needs (the client width with WordWrap).
    TSize ContentSize() const;

    TRichEditResizeEvent OnResizeRequest;
    TNotifyEvent OnSelectionChange;

    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void Change() override;
    void CreateWnd() override;

private:
    friend class TTextAttributes;
    friend class TParaAttributes;
    friend class TRichEditStrings;
    TRichDocument& Doc() const;
    // The format for text typed at the caret.
    TCharFormat InsertFormat() const;
    void ApplyFormat(TAttributeType Type, const std::function<void(TCharFormat&)>& Edit);
    void RequestResize();
    void NotifyParent(winapi::NMHDR& Header, winapi::UINT Code);
    void CharFormatMessage(TMessage& Message);
    Integer FormatRange(const winapi::FORMATRANGE& Range, bool Render);

    mutable TRichDocument FDoc;
    std::unique_ptr<TRichEditStrings> FRichLines;
    std::unique_ptr<TTextAttributes> FSelAttributes;
    std::unique_ptr<TTextAttributes> FDefAttributes;
    std::unique_ptr<TParaAttributes> FParagraph;
    bool FPlainText = false;
    bool FHasPending = false; // a format set with nothing selected waits for typing
    TCharFormat FPending;
    Integer FPendingAt = -1;
    winapi::DWORD FEventMask = winapi::ENM_CHANGE | winapi::ENM_REQUESTRESIZE | winapi::ENM_SELCHANGE;
    TSize FLastRequest{-1, -1};
};

class TRichEdit : public TCustomRichEdit {
    RTL_CLASS(TRichEdit)
public:
    explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};
