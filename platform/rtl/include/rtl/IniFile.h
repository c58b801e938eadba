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

// The interface of every INI-style store: the readers and writers of typed
// values are built on ReadString/WriteString, and a store that keeps types of
// its own (the registry) overrides them.
class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const String& FileName) : FFileName(FileName) {}

    const String& FileName() const { return FFileName; }

    virtual String ReadString(const String& Section, const String& Ident, const String& Default) const = 0;
    virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;

    // A value that is missing or not a whole number (decimal, or hexadecimal
    // after "$" or "0x") reads as Default.
    virtual Integer ReadInteger(const String& Section, const String& Ident, Integer Default) const;
    virtual void WriteInteger(const String& Section, const String& Ident, Integer Value);
    // Read as an integer: anything but 0 is true. Written as "1" or "0".
    virtual bool ReadBool(const String& Section, const String& Ident, bool Default) const;
    virtual void WriteBool(const String& Section, const String& Ident, bool Value);
    // In the program's format settings; a value that is missing or not a
    // number reads as Default.
    virtual Double ReadFloat(const String& Section, const String& Ident, Double Default) const;
    virtual void WriteFloat(const String& Section, const String& Ident, Double Value);
    // As the program's date-time text; missing or unreadable reads as Default.
    virtual TDateTime ReadDateTime(const String& Section, const String& Ident, TDateTime Default) const;

    // Fill Strings with the key names of a section, the section names, or
    // the name=value lines of a section.
    virtual void ReadSection(const String& Section, TStrings& Strings) const = 0;
    virtual void ReadSections(TStrings& Strings) const = 0;
    virtual void ReadSectionValues(const String& Section, TStrings& Strings) const = 0;
    virtual void EraseSection(const String& Section) = 0;
    virtual void DeleteKey(const String& Section, const String& Ident) = 0;
    // Writes what is held in memory to the store.
    virtual void UpdateFile() = 0;

    // True when the section has at least one key.
    virtual bool SectionExists(const String& Section) const;
    virtual bool ValueExists(const String& Section, const String& Ident) const;

protected:
    void SetFileNameField(const String& FileName) { FFileName = FileName; }

private:
    String FFileName;
};

// An INI store over the text of an INI file, held in memory or read anew.
class TDocumentIniFile : public TCustomIniFile {
public:
    using TCustomIniFile::TCustomIniFile;

    String ReadString(const String& Section, const String& Ident, const String& Default) const override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings& Strings) const override;
    void ReadSections(TStrings& Strings) const override;
    void ReadSectionValues(const String& Section, TStrings& Strings) const override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    bool SectionExists(const String& Section) const override;
    bool ValueExists(const String& Section, const String& Ident) const override;

protected:
    // The file's contents as the readers see them.
    virtual const detail::TIniDocument& Document() const = 0;
    // Applies Change to the contents; Change answers whether it changed anything.
    virtual void Modify(const std::function<bool(detail::TIniDocument&)>& Change) = 0;
};

// The whole file in memory: read when the object is made, written only by
// UpdateFile (in the encoding it was read in, ANSI for a new file).
class TMemIniFile : public TDocumentIniFile {
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
class TIniFile : public TDocumentIniFile {
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
