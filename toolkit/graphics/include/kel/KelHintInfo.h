#pragma once
// TKelHintInfo: the content of an Office-style hint: a title, lines of
// notes, a picture and a help flag. It owns its notes and its picture.

#include "kel/GDIPicture.h"
#include "rtl/Persistent.h"
#include "rtl/StringList.h"

#include <memory>

class TKelHintInfo : public TPersistent {
    RTL_CLASS(TKelHintInfo)
public:
    TKelHintInfo();
    ~TKelHintInfo() override;

    // From another hint info: title, notes, help flag, picture and the wide texts.
    void Assign(const TPersistent* Source) override;
    // No title and no note text; the picture and the wide texts do not count.
    bool IsEmpty() const;

    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    TStringList* Notes() const { return FNotes.get(); }
    // Copies the lines.
    void SetNotes(const TStrings* Value) { FNotes->Assign(Value); }
    TGDIPPicture* Picture() const { return FPicture; }
    // Copies the picture.
    void SetPicture(const TGDIPPicture* Value) { FPicture->Assign(Value); }
    bool ShowHelp() const { return FShowHelp; }
    void SetShowHelp(bool Value) { FShowHelp = Value; }
    const String& WideTitle() const { return FWideTitle; }
    void SetWideTitle(const String& Value) { FWideTitle = Value; }
    const String& WideNotes() const { return FWideNotes; }
    void SetWideNotes(const String& Value) { FWideNotes = Value; }

private:
    String FTitle;
    std::unique_ptr<TStringList> FNotes;
    TGDIPPicture* FPicture = nullptr;
    bool FShowHelp = false;
    String FWideTitle;
    String FWideNotes;
};
