#pragma once
// A picture given by its file name and drawn into a cell, and a string list
// used as a line-oriented text file by the grid's import and export.

#include "graphics/Canvas.h"
#include "rtl/Persistent.h"
#include "rtl/StringList.h"

// Nothing is cached: the file is read whenever its size or its pixels are
// needed, and a file that cannot be read leaves everything as it was.
class TFilePicture : public TPersistent {
    RTL_CLASS(TFilePicture)
public:
    TFilePicture() = default;

    const String& Filename() const { return FFilename; }
    // Takes the size of the picture in the file when it can be read.
    void SetFilename(const String& Value);
    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }

    // The picture in the file stretched into Rect; nothing when the file is
    // missing or unreadable.
    void DrawPicture(TCanvas* ACanvas, const TRect& Rect) const;
    void Assign(const TPersistent* Source) override;

private:
    String FFilename;
    Integer FWidth = 0;
    Integer FHeight = 0;
};

class TFileStringList : public TStringList {
    RTL_CLASS(TFileStringList)
public:
    TFileStringList() = default;

    // Back to the first line, with no pending line.
    void Reset();
    bool Eof() const { return FReadPosition >= Count(); }
    // The line at the read position, which then advances; empty past the end.
    String ReadLn();
    // Appends to the pending line.
    void Write(const String& S);
    // Adds the pending line followed by S as one line.
    void WriteLn(const String& S);

private:
    Integer FReadPosition = 0;
    String FPending;
};
