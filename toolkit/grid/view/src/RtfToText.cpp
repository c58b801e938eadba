// Rich text to plain text through the rich-text reader of the controls
// library, without a control.

#include "grid/RtfToText.h"

#include "rtl/Encoding.h"
#include "vcl/RichDocument.h"

String RtfToText(const String& Rtf) {
    const std::string Bytes = Utf8(Rtf);
    if (!TRichDocument::IsRichText(Bytes)) return Rtf;
    TRichDocument Document;
    Document.LoadRtf(Bytes);
    return Document.Text();
}
