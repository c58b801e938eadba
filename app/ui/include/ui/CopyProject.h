#pragma once
// TfrmCopyProject: the name and description of a copy of a stored project.
// It proposes a free name, refuses characters that cannot stand in a folder
// name as they are typed, and at OK refuses an empty name and a name a stored
// project has.

#include "vcl/Forms.h"

class TEdit;

class TfrmCopyProject : public TForm {
    RTL_CLASS(TfrmCopyProject)
public:
    explicit TfrmCopyProject(TComponent* AOwner);

    TEdit* edtName() const;
    TEdit* edtDesc() const;
    TEdit* edtNameNew() const;
    TEdit* edtDescNew() const;
    // The last new name that passed the character check.
    const String& newName() const { return FNewName; }

    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void edtNameNewChange(TObject* Sender);

    // The first of "Copy_of_" + name, "Copy1_of_" + name, "Copy2_of_" + name
    // ... that no stored project has.
    static String FreeCopyName(const String& SourceName);

private:
    String FNewName;
};

// The message of a name with a character that cannot be part of a folder name.
String InvalidNameCharsMessage();
