#pragma once
// TInputFile: the base of the program's line-oriented text files, whose
// leading lines beginning with "*" are comments and may carry a version
// date; TM2TFile: a run's lateral-entry file read as lines.

#include "rtl/Object.h"
#include "rtl/StringList.h"
#include "rtl/Types.h"

#include <memory>
#include <vector>

class TInputFile : public TObject {
public:
    TInputFile();

    // The file's lines, as read (8-bit text).
    TStringList* Lines() const { return FLines.get(); }
    // The texts of the lines above the "* ID abstraction point" line, each
    // without its first character and blanks; empty texts at the end dropped.
    TStringList* Comment() const { return FComment.get(); }
    // The text of the last " (version " line among the leading comment lines
    // (and the first line after them), without "(version", stars, ")" and
    // surrounding blanks: "* (Version 12-05-2009)" gives "12-05-2009".
    const String& VersionDate() const { return FVersionDate; }
    // Index (from 0) of the first line that does not begin with "*"; -1 when
    // every line does.
    Integer FirstDataLine() const { return FFirstDataLine; }

    const String& FileName() const { return FFileName; }
    // Loads the file (Load).
    void SetFileName(const String& Value) { Load(Value); }

    // The index of the first line beginning with LineStart, ignoring case;
    // -1 when none.
    Integer IndexOf(const String& LineStart) const;
    // The values after LineStart on that line, split as comma text (blanks
    // and commas separate, double quotes group); empty when no line begins so.
    std::vector<String> ValuesOf(const String& LineStart) const;

    // Reads the file and its comment lines. A file that cannot be opened
    // raises the string list's file-open error and changes nothing.
    virtual void Load(const String& FileName);
    // Raises "cannot save <class name>"; only files that say how they are
    // written can be saved.
    virtual void Save(const String& FileName);

protected:
    // Makes this file's name, lines, comment, version date and first data
    // line a copy of Source's, without reading the file.
    void CopyLinesFrom(const TInputFile& Source);

private:
    void ReadComment();
    void ReadVersionDate();
    void FindFirstDataLine();

    std::unique_ptr<TStringList> FLines;
    std::unique_ptr<TStringList> FComment;
    String FVersionDate;
    Integer FFirstDataLine = -1;
    String FFileName;
};

class TM2TFile : public TInputFile {
public:
    // Line i (0-based) of the loaded file; outside the lines the line list's
    // index error.
    String GetLine(Integer i) const { return Lines()->Strings(i); }
};
