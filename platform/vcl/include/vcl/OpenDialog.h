#pragma once
// The open and save dialogs and the file chooser form they show: a folder
// list, a file list filtered by the chosen filter, the typed name and the
// filter list, with OK and Cancel.
//
// What the user types is read by one set of rules (TFileChooser::Resolve)
// whoever types it: the form, or a test's script (SetFileDialogHandler),
// which answers like a user typing a name into the name box, so the checks
// (file must exist, the overwrite prompt) hold for scripted answers too.
// Without a script and without a display (the headless backend), asking the
// user is an error (EFileDialogUnavailable). A test that wants the real form
// on the headless backend installs a driver (SetFileDialogDriver).
//
// A typed name holding '/' is a path: absolute when it starts with '/',
// otherwise relative to the folder shown; "." and ".." are resolved. A typed
// name that is an existing folder opens that folder instead of being chosen.

#include "vcl/Forms.h"

#include <functional>
#include <vector>

class TEdit;
class TListBox;
class TComboBox;
class TButton;
class TLabel;

RTL_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
         ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware,
         ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog,
         ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden)
using TOpenOptions = TSet<TOpenOption>;
RTL_SET_INFO(TOpenOptions)

class EFileDialogUnavailable : public Exception {
public:
    explicit EFileDialogUnavailable(String message) : Exception(std::move(message)) {}
};

// One entry of a filter text "Description|pattern;pattern|...".
struct TFileFilter {
    String Description;
    std::vector<String> Patterns; // "*.txt", "*.*" ...
};
// The entries of a filter text; a description without a pattern gets "*".
// An empty text gives no entry (every file is listed).
std::vector<TFileFilter> ParseFileFilter(const String& Filter);
// Whether a file name matches a pattern of '*' and '?', ignoring case;
// "*.*" matches every name, also one without a dot.
bool MatchesFileMask(const String& FileName, const String& Pattern);

// Everything a dialog asks, for scripts and the chooser.
struct TFileDialogRequest {
    bool Save = false;
    winapi::HWND Owner = nullptr;
    String Title;
    String Filter;
    Integer FilterIndex = 1; // 1-based
    String InitialDir;
    String FileName;
    String DefaultExt; // with or without its leading dot
    TOpenOptions Options;
};

// What typing a name and pressing OK leads to.
struct TFileChoice {
    enum TKind {
        fcNothing,  // an empty name
        fcOpenFolder, // Path is a folder to show
        fcRefused,  // Message says why; the dialog stays
        fcConfirm,  // Message asks whether to replace Path
        fcAccepted, // Path is the chosen file
    };
    TKind Kind = fcNothing;
    String Path;
    String Message;
};

// The chooser without its form: the folder shown, the chosen filter, the
// folders and files listed, and the reading of a typed name.
class TFileChooser {
public:
    explicit TFileChooser(const TFileDialogRequest& Request);

    const TFileDialogRequest& Request() const { return FRequest; }
    // The folder shown: an absolute path without a trailing '/' ("/" for the root).
    const String& Folder() const { return FFolder; }
    // False (and nothing changes) when Value is not an existing folder.
    bool SetFolder(const String& Value);
    const std::vector<TFileFilter>& Filters() const { return FFilters; }
    // 1-based; a value outside the filters gives the first.
    Integer FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(Integer Value);
    // ".." (except at the root), then the subfolders, sorted ignoring case;
    // hidden folders (starting with '.') are left out.
    std::vector<String> Folders() const;
    // The files of the folder that match the chosen filter, sorted ignoring
    // case; hidden files are left out.
    std::vector<String> Files() const;
    // Reads a typed name as the dialog's options ask.
    TFileChoice Resolve(const String& Typed) const;

private:
    TFileDialogRequest FRequest;
    std::vector<TFileFilter> FFilters;
    String FFolder;
    Integer FFilterIndex = 1;
};

// The form of the chooser. Keys: Enter presses OK (which opens the folder
// selected in the folder list when that list has the focus), Escape
// cancels, Backspace in either list shows the parent folder. Mouse: a click
// on a file puts its name into the name box, a double click on a file
// chooses it, a double click on a folder opens it.
class TFileChooserForm : public TForm {
    RTL_CLASS(TFileChooserForm)
public:
    TFileChooserForm(TComponent* AOwner, Integer Dummy);
    // Builds the controls for a request; call once, before showing.
    void Setup(const TFileDialogRequest& Request);

    TFileChooser& Chooser() { return *FChooser; }
    TLabel* FolderLabel() const { return FFolderLabel; }
    TListBox* FolderList() const { return FFolderList; }
    TListBox* FileList() const { return FFileList; }
    TEdit* FileNameEdit() const { return FFileNameEdit; }
    TComboBox* FilterCombo() const { return FFilterCombo; }
    TButton* OkButton() const { return FOkButton; }
    TButton* CancelButton() const { return FCancelButton; }
    // The chosen file once the form closed with mrOk.
    const String& ChosenFile() const { return FChosen; }

    // Shows a folder and fills both lists.
    void OpenFolder(const String& Folder);
    // What OK does: open the selected folder, or read the typed name.
    void Accept();

private:
    void FillLists();
    void FolderListKeyDown(TObject* Sender, Word& Key, TShiftState Shift);

    std::unique_ptr<TFileChooser> FChooser;
    TLabel* FFolderLabel = nullptr;
    TListBox* FFolderList = nullptr;
    TListBox* FFileList = nullptr;
    TEdit* FFileNameEdit = nullptr;
    TComboBox* FFilterCombo = nullptr;
    TButton* FOkButton = nullptr;
    TButton* FCancelButton = nullptr;
    String FChosen;
};

// A scripted user: asked with the request and the folder shown, answers
// what the user types into the name box and presses OK with (Ok true, the
// name, and a filter index, 0 to keep the one shown), or cancels (Ok false).
// A refused name is followed by the message box saying why (answered by the
// message-box script, when one is set) and the script is asked again; a
// folder is opened and the script asked again.
struct TFileDialogAnswer {
    bool Ok = false;
    String FileName;
    Integer FilterIndex = 0;
};
using TFileDialogHandler = std::function<TFileDialogAnswer(const TFileDialogRequest& Request, const String& Folder)>;
TFileDialogHandler SetFileDialogHandler(TFileDialogHandler Handler);
// Called with the chooser form once it is shown and active, before the modal loop runs;
// lets the real form run without a display (null: none).
using TFileDialogDriver = std::function<void(TFileChooserForm* Dialog)>;
TFileDialogDriver SetFileDialogDriver(TFileDialogDriver Driver);

class TOpenDialog : public TComponent {
    RTL_CLASS(TOpenDialog)
public:
    explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

    const String& FileName() const { return FFileName; }
    void SetFileName(const String& Value) { FFileName = Value; }
    const String& Filter() const { return FFilter; }
    void SetFilter(const String& Value) { FFilter = Value; }
    Integer FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(Integer Value) { FFilterIndex = Value; }
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& Value) { FInitialDir = Value; }
    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& Value) { FDefaultExt = Value; }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }

    // Asks the user; true with FileName and FilterIndex set when a file was
    // chosen, false (nothing changed) when cancelled.
    virtual bool Execute();
    bool Execute(winapi::HWND ParentWnd);

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    virtual bool IsSave() const { return false; }

private:
    String FFileName;
    String FFilter;
    Integer FFilterIndex = 1;
    String FInitialDir;
    String FDefaultExt;
    String FTitle;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
    RTL_CLASS(TSaveDialog)
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

protected:
    bool IsSave() const override { return true; }
};
