#pragma once
// How the application core reaches the user. The core is headless: its
// message boxes, file dialogs, the event pump while the engine runs and the
// viewer of text files all go through the one IUserInteraction installed for
// the process. The desktop program installs its windows at start; tests
// install a scripted fake.

#include "rtl/Types.h"

#include <vector>

// What an open-file dialog shows. The chosen file must exist.
struct TOpenFileRequest {
    String Title;
    String InitialDir;
    String FileName;
    // Pairs of description and pattern, e.g. "Firebird files (*.fdb)|*.fdb|All files (*.*)|*.*".
    String Filter;
};

// One page of the text-file viewer: its caption and the file it shows.
struct TTextFilePage {
    String Caption;
    String FileName;
};

class IUserInteraction {
public:
    virtual ~IUserInteraction() = default;

    // Modal boxes centred on the screen, each with one OK button.
    virtual void ShowMessage(const String& text) = 0;
    virtual void ShowWarning(const String& text) = 0;
    virtual void ShowError(const String& text) = 0;
    // A modal box with Yes and No; true for Yes (closing it counts as No).
    virtual bool Confirm(const String& text) = 0;
    // True with the chosen file in `fileName`; false when the user cancels.
    virtual bool OpenFile(const TOpenFileRequest& request, String& fileName) = 0;
    // Handles every pending window event, so windows repaint and buttons
    // work while the core waits.
    virtual void ProcessMessages() = 0;
    // Shows the files read-only, one page each, modally; the first page is
    // active.
    virtual void ViewTextFiles(const std::vector<TTextFilePage>& pages) = 0;
};

// Installs the process's user interaction (null removes it) and answers the
// one it replaces. The caller keeps ownership.
IUserInteraction* SetUserInteraction(IUserInteraction* interaction);
// The installed user interaction; raises EInvalidOperation "No user
// interaction installed" when there is none, so a question is never answered
// silently.
IUserInteraction& UserInteraction();
bool HasUserInteraction();

// The message routines the whole program shares, through UserInteraction().
void ShowWarning(const String& text);
void ShowError(const String& text);
bool Confirm(const String& text);
