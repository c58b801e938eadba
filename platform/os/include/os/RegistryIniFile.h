#pragma once
// INI-style access to a registry key: the "file name" is a key path below the
// root (HKEY_CURRENT_USER unless given), sections are its subkeys and keys
// are their values. Integers and Booleans are kept as integer values, as the
// registry types them; everything else as text.

#include "os/Registry.h"
#include "rtl/IniFile.h"

class TRegistryIniFile : public TCustomIniFile {
public:
    explicit TRegistryIniFile(const String& FileName, HKEY Root = HKEY_CURRENT_USER);

    // A value kept as an integer reads as its decimal text.
    String ReadString(const String& Section, const String& Ident, const String& Default) const override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    // A value kept as text reads as a whole number when it is one.
    Integer ReadInteger(const String& Section, const String& Ident, Integer Default) const override;
    void WriteInteger(const String& Section, const String& Ident, Integer Value) override;
    void WriteBool(const String& Section, const String& Ident, bool Value) override;

    void ReadSection(const String& Section, TStrings& Strings) const override;
    void ReadSections(TStrings& Strings) const override;
    void ReadSectionValues(const String& Section, TStrings& Strings) const override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    // Every change is already written through.
    void UpdateFile() override {}

    HKEY RootKey() const { return FRoot; }

private:
    String SectionKey(const String& Section) const;
    // Opens the section's key read-only; false when it does not exist.
    bool OpenSection(TRegistry& Registry, const String& Section) const;
    // Opens the section's key for writing, creating it when missing.
    void OpenSectionForWriting(TRegistry& Registry, const String& Section) const;

    HKEY FRoot;
};
