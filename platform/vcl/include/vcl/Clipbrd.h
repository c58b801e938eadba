#pragma once
// TClipboard: the program's view of the window system's clipboard. Open and
// Close nest; everything placed between the first Open and the last Close
// goes in together (the clipboard is emptied once, by the first placement).
// Reading or placing outside an Open opens and closes around that one call.

#include "rtl/Persistent.h"
#include "windowing/Clipboard.h"

class EClipboardException : public Exception {
public:
    explicit EClipboardException(String message) : Exception(std::move(message)) {}
};

class TClipboard : public TPersistent {
    RTL_CLASS(TClipboard)
public:
    TClipboard() = default;
    ~TClipboard() override;

    // Raises EClipboardException "Cannot open clipboard" when another window
    // holds it open.
    void Open();
    void Close();
    void Clear();
    bool HasFormat(winapi::UINT Format) const;
    Integer FormatCount() const;
    winapi::UINT Formats(Integer Index) const;

    String AsText();
    void SetAsText(const String& Value);
    // The block of a format (null: none); the clipboard keeps owning it.
    winapi::HGLOBAL GetAsHandle(winapi::UINT Format);
    // Places a block the clipboard then owns.
    void SetAsHandle(winapi::UINT Format, winapi::HGLOBAL Value);

private:
    // Before placing data: empties the clipboard once per Open.
    void Adding();

    Integer FOpenRefCount = 0;
    bool FEmptied = false;
};

// The program's clipboard object.
TClipboard* Clipboard();
