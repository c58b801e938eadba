#include "os/RegistryIniFile.h"

#include "rtl/Convert.h"
#include "rtl/StringList.h"

TRegistryIniFile::TRegistryIniFile(const String& FileName, HKEY Root) : TCustomIniFile(FileName), FRoot(Root) {}

String TRegistryIniFile::SectionKey(const String& Section) const {
    String Key = u"\\" + FileName();
    if (!Section.empty()) Key += u"\\" + Section;
    return Key;
}

bool TRegistryIniFile::OpenSection(TRegistry& Registry, const String& Section) const {
    Registry.SetRootKey(FRoot);
    return Registry.OpenKeyReadOnly(SectionKey(Section));
}

void TRegistryIniFile::OpenSectionForWriting(TRegistry& Registry, const String& Section) const {
    Registry.SetRootKey(FRoot);
    if (!Registry.OpenKey(SectionKey(Section), true))
        throw ERegistryException(u"Failed to create key " + SectionKey(Section));
}

String TRegistryIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const {
    TRegistry Registry(KEY_READ);
    if (!OpenSection(Registry, Section) || !Registry.ValueExists(Ident)) return Default;
    if (Registry.GetDataType(Ident) == rdInteger) return IntToStr(Registry.ReadInteger(Ident));
    return Registry.ReadString(Ident);
}

void TRegistryIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    TRegistry Registry;
    OpenSectionForWriting(Registry, Section);
    Registry.WriteString(Ident, Value);
}

Integer TRegistryIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default) const {
    TRegistry Registry(KEY_READ);
    if (!OpenSection(Registry, Section) || !Registry.ValueExists(Ident)) return Default;
    if (Registry.GetDataType(Ident) == rdInteger) return Registry.ReadInteger(Ident);
    return StrToIntDef(Registry.ReadString(Ident), Default);
}

void TRegistryIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value) {
    TRegistry Registry;
    OpenSectionForWriting(Registry, Section);
    Registry.WriteInteger(Ident, Value);
}

void TRegistryIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
    WriteInteger(Section, Ident, Value ? 1 : 0);
}

void TRegistryIniFile::ReadSection(const String& Section, TStrings& Strings) const {
    TRegistry Registry(KEY_READ);
    if (OpenSection(Registry, Section))
        Registry.GetValueNames(&Strings);
    else
        Strings.Clear();
}

void TRegistryIniFile::ReadSections(TStrings& Strings) const {
    TRegistry Registry(KEY_READ);
    if (OpenSection(Registry, u""))
        Registry.GetKeyNames(&Strings);
    else
        Strings.Clear();
}

void TRegistryIniFile::ReadSectionValues(const String& Section, TStrings& Strings) const {
    TStringList Names;
    ReadSection(Section, Names);
    Strings.BeginUpdate();
    try {
        Strings.Clear();
        for (Integer I = 0; I < Names.Count(); ++I)
            Strings.Add(Names.Strings(I) + u"=" + ReadString(Section, Names.Strings(I), u""));
    } catch (...) {
        Strings.EndUpdate();
        throw;
    }
    Strings.EndUpdate();
}

void TRegistryIniFile::EraseSection(const String& Section) {
    TRegistry Registry;
    Registry.SetRootKey(FRoot);
    Registry.DeleteKey(SectionKey(Section));
}

void TRegistryIniFile::DeleteKey(const String& Section, const String& Ident) {
    TRegistry Registry;
    Registry.SetRootKey(FRoot);
    if (Registry.OpenKey(SectionKey(Section), false)) Registry.DeleteValue(Ident);
}
