// Movable memory blocks and the clipboard, with the Unicode text bridged to
// the desktop clipboard of the backend.

#include "WindowSystem.h"
#include "rtl/Encoding.h"

#include <algorithm>
#include <cstring>
#include <new>

using namespace winapi;

struct TGlobalBlock {
    std::vector<Byte> Bytes;
    Integer Locks = 0;
};

namespace {

HGLOBAL TextBlock(const void* data, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (block && size) std::memcpy(block->Bytes.data(), data, size);
    return block;
}

// The text of a zero-terminated block of 8-bit or 16-bit characters, never
// reading past the block's end.
String BlockUnicodeText(HGLOBAL block) {
    const auto* chars = reinterpret_cast<const Char*>(block->Bytes.data());
    std::size_t count = block->Bytes.size() / 2;
    std::size_t length = 0;
    while (length < count && chars[length])
        ++length;
    return String(chars, length);
}

AnsiString BlockAnsiText(HGLOBAL block) {
    const auto* chars = reinterpret_cast<const char*>(block->Bytes.data());
    std::size_t length = 0;
    while (length < block->Bytes.size() && chars[length])
        ++length;
    return AnsiString(chars, length);
}

HGLOBAL UnicodeBlock(const String& text) {
    String terminated = text + Char(0);
    return TextBlock(terminated.data(), terminated.size() * sizeof(Char));
}

HGLOBAL AnsiBlock(const AnsiString& text) {
    return TextBlock(text.c_str(), text.size() + 1);
}

HGLOBAL Stored(UINT format) {
    for (auto& [f, block] : System().Clipboard.Formats)
        if (f == format) return block;
    return nullptr;
}

void Store(UINT format, HGLOBAL block) {
    auto& formats = System().Clipboard.Formats;
    for (auto& [f, existing] : formats)
        if (f == format) {
            if (existing != block) GlobalFree(existing);
            existing = block;
            return;
        }
    formats.emplace_back(format, block);
}

// Text another program placed on the desktop clipboard replaces ours.
void TakeDesktopText() {
    auto& clip = System().Clipboard;
    auto text = System().BackendPtr->DesktopClipboardText();
    if (!text || (clip.PushedText && *clip.PushedText == *text)) return;
    for (auto& [format, block] : clip.Formats)
        GlobalFree(block);
    clip.Formats.clear();
    clip.Owner = nullptr;
    clip.Formats.emplace_back(CF_UNICODETEXT, UnicodeBlock(*text));
    clip.PushedText = *text;
}

} // namespace

namespace detail {

void ForgetClipboardWindow(HWND window) {
    auto& clip = System().Clipboard;
    if (clip.Owner == window) clip.Owner = nullptr;
    if (clip.Open && clip.OpenBy == window) clip.OpenBy = nullptr;
}

} // namespace detail

namespace winapi {

HGLOBAL GlobalAlloc(UINT, std::size_t size) {
    auto* block = new (std::nothrow) TGlobalBlock;
    if (!block) return nullptr;
    try {
        block->Bytes.assign(size, 0); // always zero-filled: no stale bytes reach another reader
    } catch (const std::bad_alloc&) {
        delete block;
        return nullptr;
    }
    return block;
}

void* GlobalLock(HGLOBAL block) {
    if (!block) return nullptr;
    ++block->Locks;
    // A zero-sized block still answers a valid address.
    return block->Bytes.empty() ? static_cast<void*>(block) : block->Bytes.data();
}

bool GlobalUnlock(HGLOBAL block) {
    if (!block || block->Locks == 0) return false;
    return --block->Locks > 0;
}

std::size_t GlobalSize(HGLOBAL block) {
    return block ? block->Bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    delete block;
    return nullptr;
}

bool OpenClipboard(HWND owner) {
    auto& clip = System().Clipboard;
    if (owner && !Record(owner)) return false;
    if (clip.Open) return clip.OpenBy == owner; // open already: only its opener may reopen
    clip.Open = true;
    clip.OpenBy = owner;
    TakeDesktopText();
    return true;
}

bool CloseClipboard() {
    auto& system = System();
    auto& clip = system.Clipboard;
    if (!clip.Open) return false;
    clip.Open = false;
    clip.OpenBy = nullptr;
    if (HGLOBAL text = Stored(CF_UNICODETEXT)) {
        String value = BlockUnicodeText(text);
        if (!clip.PushedText || *clip.PushedText != value) {
            clip.PushedText = value;
            system.BackendPtr->SetDesktopClipboardText(value);
        }
    } else if (HGLOBAL ansi = Stored(CF_TEXT)) {
        String value = FromAnsi(BlockAnsiText(ansi));
        if (!clip.PushedText || *clip.PushedText != value) {
            clip.PushedText = value;
            system.BackendPtr->SetDesktopClipboardText(value);
        }
    }
    return true;
}

bool EmptyClipboard() {
    auto& clip = System().Clipboard;
    if (!clip.Open) return false;
    for (auto& [format, block] : clip.Formats)
        GlobalFree(block);
    clip.Formats.clear();
    clip.Owner = clip.OpenBy;
    return true;
}

HGLOBAL SetClipboardData(UINT format, HGLOBAL block) {
    auto& clip = System().Clipboard;
    if (!clip.Open || format == 0 || !block) {
        GlobalFree(block);
        return nullptr;
    }
    Store(format, block);
    return block;
}

HGLOBAL GetClipboardData(UINT format) {
    auto& clip = System().Clipboard;
    if (!clip.Open) return nullptr;
    if (HGLOBAL block = Stored(format)) return block;
    // The two text formats stand in for each other; the made block is kept with the others.
    if (format == CF_UNICODETEXT) {
        if (HGLOBAL ansi = Stored(CF_TEXT)) {
            HGLOBAL made = UnicodeBlock(FromAnsi(BlockAnsiText(ansi)));
            if (made) clip.Formats.emplace_back(CF_UNICODETEXT, made);
            return made;
        }
    } else if (format == CF_TEXT || format == CF_OEMTEXT) {
        if (HGLOBAL wide = Stored(CF_UNICODETEXT)) {
            HGLOBAL made = AnsiBlock(ToAnsi(BlockUnicodeText(wide)));
            if (made) clip.Formats.emplace_back(format, made);
            return made;
        }
    }
    return nullptr;
}

bool IsClipboardFormatAvailable(UINT format) {
    auto& clip = System().Clipboard;
    if (!clip.Open) TakeDesktopText();
    if (Stored(format)) return true;
    if (format == CF_UNICODETEXT) return Stored(CF_TEXT) != nullptr;
    if (format == CF_TEXT || format == CF_OEMTEXT) return Stored(CF_UNICODETEXT) != nullptr;
    return false;
}

UINT EnumClipboardFormats(UINT format) {
    auto& clip = System().Clipboard;
    if (!clip.Open) return 0;
    auto& formats = clip.Formats;
    if (format == 0) return formats.empty() ? 0 : formats.front().first;
    for (std::size_t i = 0; i + 1 < formats.size(); ++i)
        if (formats[i].first == format) return formats[i + 1].first;
    return 0;
}

Integer CountClipboardFormats() {
    return Integer(System().Clipboard.Formats.size());
}

UINT RegisterClipboardFormat(const String& name) {
    return detail::RegisterAtom(name);
}

Integer GetClipboardFormatName(UINT format, String& name) {
    if (!detail::AtomName(format, name)) return 0;
    return Integer(name.size());
}

HWND GetClipboardOwner() {
    return Record(System().Clipboard.Owner);
}
HWND GetOpenClipboardWindow() {
    auto& clip = System().Clipboard;
    return clip.Open ? Record(clip.OpenBy) : nullptr;
}

} // namespace winapi
