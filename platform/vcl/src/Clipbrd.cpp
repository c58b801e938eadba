// The clipboard object over the window system's clipboard.

#include "rtl/ClassBuilder.h"
#include "vcl/Clipbrd.h"
#include "vcl/Forms.h"

#include <cstring>
#include <memory>

using namespace winapi;

const TClassInfo& TClipboard::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TClipboard, TPersistent>().Build();
    return Info;
}

TClipboard::~TClipboard() {
    if (FOpenRefCount > 0) CloseClipboard();
}

void TClipboard::Open() {
    if (FOpenRefCount == 0) {
        HWND Owner = Application ? Application->Handle() : nullptr;
        if (!OpenClipboard(Owner)) throw EClipboardException(u"Cannot open clipboard");
        FEmptied = false;
    }
    ++FOpenRefCount;
}

void TClipboard::Close() {
    if (FOpenRefCount == 0) return;
    if (--FOpenRefCount == 0) CloseClipboard();
}

void TClipboard::Clear() {
    Open();
    EmptyClipboard();
    FEmptied = true;
    Close();
}

void TClipboard::Adding() {
    if (FOpenRefCount != 0 && !FEmptied) {
        EmptyClipboard();
        FEmptied = true;
    }
}

bool TClipboard::HasFormat(UINT Format) const {
    return IsClipboardFormatAvailable(Format);
}

Integer TClipboard::FormatCount() const {
    return CountClipboardFormats();
}

UINT TClipboard::Formats(Integer Index) const {
    UINT Format = 0;
    for (Integer I = 0; I <= Index; ++I) {
        Format = EnumClipboardFormats(Format);
        if (Format == 0) break;
    }
    return Format;
}

String TClipboard::AsText() {
    Open();
    String Text;
    try {
        if (HGLOBAL Block = GetClipboardData(CF_UNICODETEXT)) {
            const auto* Chars = static_cast<const char16_t*>(GlobalLock(Block));
            std::size_t Count = GlobalSize(Block) / sizeof(char16_t);
            std::size_t Length = 0;
            while (Chars && Length < Count && Chars[Length] != 0)
                ++Length;
            if (Chars) Text.assign(Chars, Length);
            GlobalUnlock(Block);
        }
    } catch (...) {
        Close();
        throw;
    }
    Close();
    return Text;
}

void TClipboard::SetAsText(const String& Value) {
    HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE, (Value.size() + 1) * sizeof(char16_t));
    if (!Block) throw EClipboardException(u"Out of memory while placing text on the clipboard");
    auto* Chars = static_cast<char16_t*>(GlobalLock(Block));
    std::memcpy(Chars, Value.c_str(), (Value.size() + 1) * sizeof(char16_t));
    GlobalUnlock(Block);
    SetAsHandle(CF_UNICODETEXT, Block);
}

HGLOBAL TClipboard::GetAsHandle(UINT Format) {
    Open();
    HGLOBAL Block = GetClipboardData(Format);
    Close();
    return Block;
}

void TClipboard::SetAsHandle(UINT Format, HGLOBAL Value) {
    Open();
    try {
        Adding();
        // A refused block is freed by the clipboard all the same.
        if (!SetClipboardData(Format, Value)) throw EClipboardException(u"Cannot place data on the clipboard");
    } catch (...) {
        Close();
        throw;
    }
    Close();
}

TClipboard* Clipboard() {
    static std::unique_ptr<TClipboard> Instance = std::make_unique<TClipboard>();
    return Instance.get();
}
