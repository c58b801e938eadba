// The file picture and the file string list.

#include "gridbase/FileHelpers.h"

#include "graphics/Picture.h"
#include "os/FileUtils.h"
#include "rtl/ClassBuilder.h"

const TClassInfo& TFilePicture::StaticClassInfo() {
    using P = TFilePicture;
    static const TClassInfo Info = TClassBuilder<P, TPersistent>()
                                       .Property(u"Filename", &P::Filename, &P::SetFilename)
                                       .Property(u"Width", &P::Width, nullptr)
                                       .Property(u"Height", &P::Height, nullptr)
                                       .Build();
    return Info;
}

void TFilePicture::SetFilename(const String& Value) {
    FFilename = Value;
    if (!FileExists(Value)) return;
    try {
        TPicture Picture;
        Picture.LoadFromFile(Value);
        FWidth = Picture.Width();
        FHeight = Picture.Height();
    } catch (const Exception&) {
        // An unreadable file keeps the size it had: the cell shows nothing.
    }
}

void TFilePicture::DrawPicture(TCanvas* ACanvas, const TRect& Rect) const {
    if (FFilename.empty() || !FileExists(FFilename)) return;
    try {
        TPicture Picture;
        Picture.LoadFromFile(FFilename);
        if (Picture.Graphic()) ACanvas->StretchDraw(Rect, Picture.Graphic());
    } catch (const Exception&) {
        // A picture that cannot be read or drawn leaves the cell as it is.
    }
}

void TFilePicture::Assign(const TPersistent* Source) {
    if (const auto* Other = dynamic_cast<const TFilePicture*>(Source)) {
        FFilename = Other->FFilename;
        FWidth = Other->FWidth;
        FHeight = Other->FHeight;
        return;
    }
    TPersistent::Assign(Source);
}

const TClassInfo& TFileStringList::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TFileStringList, TStringList>().Build();
    return Info;
}

void TFileStringList::Reset() {
    FReadPosition = 0;
    FPending.clear();
}

String TFileStringList::ReadLn() {
    if (Eof()) return String();
    return Strings(FReadPosition++);
}

void TFileStringList::Write(const String& S) {
    FPending += S;
}

void TFileStringList::WriteLn(const String& S) {
    Add(FPending + S);
    FPending.clear();
}
