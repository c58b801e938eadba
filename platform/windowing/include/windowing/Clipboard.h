#pragma once
// Movable memory blocks and the clipboard.
//
// The clipboard holds one block per format. Registered formats share the id
// table of registered window messages (0xC000 and up). CF_TEXT (Windows-1252)
// and CF_UNICODETEXT stand in for each other when only one was placed. The
// Unicode text reaches the desktop clipboard where the backend has one, and
// text another program put there is offered as CF_UNICODETEXT.

#include "windowing/Messages.h"

#include <cstddef>

struct TGlobalBlock;

namespace winapi {

using HGLOBAL = TGlobalBlock*;

enum : UINT {
    GMEM_FIXED = 0x0000,
    GMEM_MOVEABLE = 0x0002,
    GMEM_ZEROINIT = 0x0040,
    GMEM_SHARE = 0x2000,
    GMEM_DDESHARE = 0x2000,
    GHND = GMEM_MOVEABLE | GMEM_ZEROINIT,
};

// A block of `size` bytes (zero-filled with GMEM_ZEROINIT); null when the
// memory cannot be had.
HGLOBAL GlobalAlloc(UINT flags, std::size_t size);
// The block's bytes, valid until the matching GlobalUnlock; null for null.
void* GlobalLock(HGLOBAL block);
bool GlobalUnlock(HGLOBAL block); // true while further locks remain
std::size_t GlobalSize(HGLOBAL block);
HGLOBAL GlobalFree(HGLOBAL block); // null on success

enum : UINT {
    CF_TEXT = 1,
    CF_BITMAP = 2,
    CF_OEMTEXT = 7,
    CF_DIB = 8,
    CF_UNICODETEXT = 13,
    CF_HDROP = 15,
    CF_LOCALE = 16,
};

// Opening fails while another window holds the clipboard open.
bool OpenClipboard(HWND owner);
bool CloseClipboard();
// Requires the clipboard open; frees every block and makes the opener the owner.
bool EmptyClipboard();
// Requires the clipboard open; the clipboard owns the block from now on
// (also when the call fails: the block is then freed). Answers the block.
HGLOBAL SetClipboardData(UINT format, HGLOBAL block);
// Requires the clipboard open; the block stays the clipboard's.
HGLOBAL GetClipboardData(UINT format);
bool IsClipboardFormatAvailable(UINT format);
UINT EnumClipboardFormats(UINT format); // the format after `format` (0: the first); 0 at the end
Integer CountClipboardFormats();
UINT RegisterClipboardFormat(const String& name);
Integer GetClipboardFormatName(UINT format, String& name);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();

} // namespace winapi
