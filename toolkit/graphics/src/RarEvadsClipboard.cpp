#include "kel/RarEvads.h"
#include "windowing/Clipboard.h"

const TRarEvadsClipboardFormats& RarEvadsClipboardFormats() {
    static const TRarEvadsClipboardFormats formats = [] {
        const auto registered = [](std::size_t index) {
            return Word(winapi::RegisterClipboardFormat(RarEvadsClipboardFormatNames[index]));
        };
        TRarEvadsClipboardFormats result;
        result.RichEditorText = registered(0);
        result.StreamFormat = registered(1);
        result.RichTextFormat = registered(2);
        result.HTMLFormat = registered(3);
        result.Bitmap = Word(winapi::CF_BITMAP);
        return result;
    }();
    return formats;
}
