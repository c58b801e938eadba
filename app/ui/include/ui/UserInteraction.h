#pragma once
// The core's user interaction with the program's own windows: message,
// warning, error and Yes/No boxes, the open-file dialog, the event pump, and
// the viewer of the engine's input files with one page per file.

#include "core/UserInteraction.h"
#include "vcl/Forms.h"

class TPageControl;

class TUserInteraction : public IUserInteraction {
public:
    void ShowMessage(const String& text) override;
    void ShowWarning(const String& text) override;
    void ShowError(const String& text) override;
    bool Confirm(const String& text) override;
    bool OpenFile(const TOpenFileRequest& request, String& fileName) override;
    void ProcessMessages() override;
    void ViewTextFiles(const std::vector<TTextFilePage>& pages) override;
};

// The input-file viewer: one read-only page per file, the first active,
// closed with its button or Escape.
class TfrmInputFiles : public TForm {
    RTL_CLASS(TfrmInputFiles)
public:
    explicit TfrmInputFiles(TComponent* AOwner);
    // Adds one page showing the file (empty when it cannot be read).
    void AddPage(const TTextFilePage& Page);
    TPageControl* Pages() const;

    void FormActivate(TObject* Sender);
    void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
};
