#pragma once
// INI files: sections of name=value keys. Section and key names compare
// without regard to case; sections and keys stay in file order, comments
// stay where they stand. A file that does not exist reads as empty. Every
// write replaces the file atomically (a complete new file is renamed over
// the old one), so a failed write never leaves a half-written file; it
// raises EFCreateError "Cannot create file "<name>". <reason>".
//
// Values are trimmed of blanks. A section, key or value that cannot be
// written without breaking the file's lines (a line break anywhere, "=" in
// a key name, "]" in a section name) raises EArgumentException.

#include "rtl/Encoding.h"
#include "rtl/Object.h"
#include "rtl/StringList.h"

#include <functional>
#include <memory>

namespace detail {
class TIniDocument;
}

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const String& FileName) : FFileName(FileName) {}

    const String& FileName() const { return FFileName; }

    virtual String ReadString(const String& Section, const String& Ident, const String& Default) const;
    virtual void WriteString(const String& Section, const String& Ident, const String& Value);

    // A value that is missing or not a whole number (decimal, or hexadecimal
    // after "$" or "0x") reads as Default.
    Integer ReadInteger(const String& Section, const String& Ident, Integer Default) const;
    void WriteInteger(const String& Section, const String& Ident, Integer Value);
    // Read as an integer: anything but 0 is true. Written as "1" or "0".
    bool ReadBool(const String& Section, const String& Ident, bool Default) const;
    void WriteBool(const String& Section, const String& Ident, bool Value);
    // In the program's format settings; a value that is missing or not a
    // number reads as Default.
    Double ReadFloat(const String& Section, const String& Ident, Double Default) const;
    void WriteFloat(const String& Section, const String& Ident, Double Value);
    // As the program's date-time text; missing or unreadable reads as Default.
    TDateTime ReadDateTime(const String& Section, const String& Ident, TDateTime Default) const;

    // Fill Strings with the key names of a section, the section names, or
    // the name=value lines of a section.
    virtual void ReadSection(const String& Section, TStrings& Strings) const;
    virtual void ReadSections(TStrings& Strings) const;
    virtual void ReadSectionValues(const String& Section, TStrings& Strings) const;
    virtual void EraseSection(const String& Section);
    virtual void DeleteKey(const String& Section, const String& Ident);
    // Writes what is held in memory to the file.
    virtual void UpdateFile() = 0;

    // True when the section has at least one key.
    bool SectionExists(const String& Section) const;
    bool ValueExists(const String& Section, const String& Ident) const;

protected:
    // The file's contents as the readers see them.
    virtual const detail::TIniDocument& Document() const = 0;
    // Applies Change to the contents; Change answers whether it changed anything.
    virtual void Modify(const std::function<bool(detail::TIniDocument&)>& Change) = 0;

    void SetFileNameField(const String& FileName) { FFileName = FileName; }

private:
    String FFileName;
};

// The whole file in memory: read when the object is made, written only by
// UpdateFile (in the encoding it was read in, ANSI for a new file).
class TMemIniFile : public TCustomIniFile {
public:
    // Encoding applies to a file without a byte-order mark.
    explicit TMemIniFile(const String& FileName, const TEncoding* Encoding = nullptr);
    ~TMemIniFile() override;

    void UpdateFile() override;

    // Forgets every section.
    void Clear();
    // The file's lines as they would be written; replace them from lines.
    void GetStrings(TStrings& Strings) const;
    void SetStrings(const TStrings& Strings);
    // Points the object at another file, reading it when Reload is set.
    void Rename(const String& FileName, bool Reload);
    const TEncoding& Encoding() const { return *FEncoding; }

protected:
    const detail::TIniDocument& Document() const override { return *FDocument; }
    void Modify(const std::function<bool(detail::TIniDocument&)>& Change) override;

private:
    std::unique_ptr<detail::TIniDocument> FDocument;
    const TEncoding* FEncoding;
};

// Every read reads the file and every change writes it at once (in the
// encoding it was in, ANSI for a new file), so other programs and other
// objects on the same file see each other's changes.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const String& FileName);
    ~TIniFile() override;

    // Nothing is held back: every change is already in the file.
    void UpdateFile() override {}

protected:
    const detail::TIniDocument& Document() const override;
    void Modify(const std::function<bool(detail::TIniDocument&)>& Change) override;

private:
    // The file as last read.
    mutable std::unique_ptr<detail::TIniDocument> FSnapshot;
};
