// The file chooser: filters and masks, the folder shown with its folders
// and files, the reading of a typed name, and the chooser form.

#include "vcl/OpenDialog.h"

#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Encoding.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"
#include "vcl/Dialogs.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"
#include "windowing/Messages.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

using namespace winapi;

// ---- Filters and masks ----

std::vector<TFileFilter> ParseFileFilter(const String& Filter) {
    std::vector<String> Parts;
    size_t Start = 0;
    while (Start <= Filter.size()) {
        size_t Bar = Filter.find(u'|', Start);
        if (Bar == String::npos) Bar = Filter.size();
        Parts.push_back(Filter.substr(Start, Bar - Start));
        Start = Bar + 1;
    }
    std::vector<TFileFilter> Result;
    if (Filter.empty()) return Result;
    for (size_t I = 0; I < Parts.size(); I += 2) {
        TFileFilter Entry;
        Entry.Description = Parts[I];
        if (I + 1 < Parts.size()) {
            const String& Masks = Parts[I + 1];
            size_t From = 0;
            while (From <= Masks.size()) {
                size_t Semi = Masks.find(u';', From);
                if (Semi == String::npos) Semi = Masks.size();
                String Mask = Trim(Masks.substr(From, Semi - From));
                if (!Mask.empty()) Entry.Patterns.push_back(Mask);
                From = Semi + 1;
            }
        }
        if (Entry.Patterns.empty()) Entry.Patterns.push_back(u"*");
        Result.push_back(std::move(Entry));
    }
    return Result;
}

bool MatchesFileMask(const String& FileName, const String& Pattern) {
    if (Pattern == u"*.*" || Pattern == u"*") return true;
    const String Name = WideLowerCase(FileName);
    const String Mask = WideLowerCase(Pattern);
    // Iterative matching: on a mismatch after a '*', let the star take one
    // character more.
    size_t N = 0, M = 0, StarM = String::npos, StarN = 0;
    while (N < Name.size()) {
        if (M < Mask.size() && (Mask[M] == u'?' || Mask[M] == Name[N])) {
            ++N;
            ++M;
        } else if (M < Mask.size() && Mask[M] == u'*') {
            StarM = M++;
            StarN = N;
        } else if (StarM != String::npos) {
            M = StarM + 1;
            N = ++StarN;
        } else {
            return false;
        }
    }
    while (M < Mask.size() && Mask[M] == u'*')
        ++M;
    return M == Mask.size();
}

// ---- The chooser ----

namespace {

// An absolute path with "." and ".." resolved on the text alone, without a
// trailing '/' ("/" for the root).
String NormalPath(const String& Path) {
    std::vector<String> Parts;
    size_t Start = 0;
    while (Start <= Path.size()) {
        size_t Slash = Path.find(u'/', Start);
        if (Slash == String::npos) Slash = Path.size();
        String Part = Path.substr(Start, Slash - Start);
        if (Part == u"..") {
            if (!Parts.empty()) Parts.pop_back();
        } else if (!Part.empty() && Part != u".") {
            Parts.push_back(Part);
        }
        Start = Slash + 1;
    }
    String Result;
    for (const String& Part : Parts)
        Result += u"/" + Part;
    return Result.empty() ? String(u"/") : Result;
}

String JoinPath(const String& Folder, const String& Name) {
    return Folder == u"/" ? u"/" + Name : Folder + u"/" + Name;
}

bool IsHidden(const String& Name) {
    return !Name.empty() && Name[0] == u'.';
}

void SortIgnoringCase(std::vector<String>& Names) {
    std::sort(Names.begin(), Names.end(), [](const String& A, const String& B) {
        Integer C = AnsiCompareText(A, B);
        return C != 0 ? C < 0 : A < B;
    });
}

// The entries of a folder, folders or files; nothing for a folder that
// cannot be read.
std::vector<String> FolderEntries(const String& Folder, bool WantFolders) {
    std::vector<String> Names;
    std::error_code Error;
    std::filesystem::directory_iterator It(Utf8(Folder), std::filesystem::directory_options::skip_permission_denied,
                                           Error);
    if (Error) return Names;
    for (const auto& Entry : It) {
        String Name = FromUtf8(Entry.path().filename().string());
        if (IsHidden(Name)) continue;
        std::error_code KindError;
        bool Folder = Entry.is_directory(KindError);
        if (KindError) continue;
        if (Folder == WantFolders) Names.push_back(Name);
    }
    SortIgnoringCase(Names);
    return Names;
}

String WithoutLeadingDots(const String& Extension) {
    size_t First = Extension.find_first_not_of(u'.');
    return First == String::npos ? String() : Extension.substr(First);
}

} // namespace

TFileChooser::TFileChooser(const TFileDialogRequest& Request)
    : FRequest(Request), FFilters(ParseFileFilter(Request.Filter)) {
    SetFilterIndex(Request.FilterIndex);
    // The initial folder, else the folder of the proposed name, else the
    // current folder.
    const String Current = GetCurrentDir();
    auto Absolute = [&](const String& Path) {
        return NormalPath(!Path.empty() && Path[0] == u'/' ? Path : JoinPath(Current, Path));
    };
    String NameFolder = ExtractFilePath(Request.FileName);
    if (!Request.InitialDir.empty() && DirectoryExists(Absolute(Request.InitialDir)))
        FFolder = Absolute(Request.InitialDir);
    else if (!NameFolder.empty() && DirectoryExists(Absolute(NameFolder)))
        FFolder = Absolute(NameFolder);
    else
        FFolder = NormalPath(Current);
}

bool TFileChooser::SetFolder(const String& Value) {
    String Path = NormalPath(!Value.empty() && Value[0] == u'/' ? Value : JoinPath(FFolder, Value));
    if (!DirectoryExists(Path)) return false;
    FFolder = Path;
    return true;
}

void TFileChooser::SetFilterIndex(Integer Value) {
    FFilterIndex = Value >= 1 && Value <= Integer(FFilters.size()) ? Value : 1;
}

std::vector<String> TFileChooser::Folders() const {
    std::vector<String> Names = FolderEntries(FFolder, true);
    if (FFolder != u"/") Names.insert(Names.begin(), u"..");
    return Names;
}

std::vector<String> TFileChooser::Files() const {
    std::vector<String> Names = FolderEntries(FFolder, false);
    if (FFilters.empty()) return Names;
    const std::vector<String>& Patterns = FFilters[size_t(FFilterIndex - 1)].Patterns;
    std::erase_if(Names, [&](const String& Name) {
        return std::none_of(Patterns.begin(), Patterns.end(),
                            [&](const String& Pattern) { return MatchesFileMask(Name, Pattern); });
    });
    return Names;
}

TFileChoice TFileChooser::Resolve(const String& TypedText) const {
    String Typed = Trim(TypedText);
    // A name may be quoted, as when it was pasted with its quotes.
    if (Typed.size() >= 2 && Typed.front() == u'"' && Typed.back() == u'"') Typed = Trim(Typed.substr(1, Typed.size() - 2));
    if (Typed.empty()) return {};
    // A name with a '/' is a path of its own, never appended to the folder
    // shown as it stands: an absolute one replaces it.
    String Path = NormalPath(Typed[0] == u'/' ? Typed : JoinPath(FFolder, Typed));
    if (DirectoryExists(Path)) return {TFileChoice::fcOpenFolder, Path, {}};
    const bool Save = FRequest.Save;
    const TOpenOptions Options = FRequest.Options;
    if (Typed.back() == u'/')
        return {TFileChoice::fcRefused, {}, Typed + u"\nPath does not exist.\nCheck the path and try again."};
    const String Extension = WithoutLeadingDots(FRequest.DefaultExt);
    if (!Extension.empty() && ExtractFileExt(ExtractFileName(Path)).empty()) Path += u"." + Extension;
    const String Name = ExtractFileName(Path);
    const String Parent = ExcludeTrailingPathDelimiter(ExtractFilePath(Path));
    const bool ParentExists = DirectoryExists(Parent.empty() ? String(u"/") : Parent);
    if (!ParentExists && (Save || Options.Contains(ofPathMustExist) || Options.Contains(ofFileMustExist)))
        return {TFileChoice::fcRefused, {}, Typed + u"\nPath does not exist.\nCheck the path and try again."};
    if (DirectoryExists(Path)) return {TFileChoice::fcOpenFolder, Path, {}};
    const bool Exists = FileExists(Path);
    if (!Save && Options.Contains(ofFileMustExist) && !Exists)
        return {TFileChoice::fcRefused, {}, Name + u"\nFile not found.\nCheck the file name and try again."};
    if (Save && Exists && Options.Contains(ofOverwritePrompt))
        return {TFileChoice::fcConfirm, Path, Name + u" already exists.\nDo you want to replace it?"};
    return {TFileChoice::fcAccepted, Path, {}};
}

// ---- The form ----

namespace {

constexpr Integer Gap = 8;
constexpr Integer ListTop = 32;
constexpr Integer ListHeight = 220;
constexpr Integer FolderListWidth = 180;
constexpr Integer FileListWidth = 300;
constexpr Integer LabelWidth = 80;
constexpr Integer ButtonWidth = 75;
constexpr Integer ButtonHeight = 25;

} // namespace

const TClassInfo& TFileChooserForm::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TFileChooserForm, TForm>().Build();
    return Info;
}

TFileChooserForm::TFileChooserForm(TComponent* AOwner, Integer Dummy) : TForm(AOwner, Dummy) {}

void TFileChooserForm::Setup(const TFileDialogRequest& Request) {
    FChooser = std::make_unique<TFileChooser>(Request);
    SetName(u"FileChooser");
    SetCaption(Request.Title);
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetAutoScroll(false);
    SetPosition(poScreenCenter);
    const Integer ClientW = Gap + FolderListWidth + Gap + FileListWidth + Gap;
    const Integer NameTop = ListTop + ListHeight + Gap;
    const Integer FilterTop = NameTop + ButtonHeight + Gap / 2;
    // The frame is known once the window exists; the client size counts without it.
    HandleNeeded();
    SetClientWidth(ClientW);
    SetClientHeight(FilterTop + ButtonHeight + Gap);

    auto AddLabel = [this](const String& Name, const String& Caption, Integer X, Integer Y, Integer W) {
        auto* Label = Create<TLabel>(this);
        Label->SetName(Name);
        Label->SetAutoSize(false);
        Label->SetShowAccelChar(false);
        Label->SetBounds(X, Y, W, 16);
        Label->SetCaption(Caption);
        Label->SetParent(this);
        return Label;
    };
    AddLabel(u"LookInLabel", u"Look in:", Gap, Gap + 2, LabelWidth);
    FFolderLabel = AddLabel(u"FolderLabel", String(), Gap + LabelWidth, Gap + 2, ClientW - 2 * Gap - LabelWidth);

    FFolderList = Create<TListBox>(this);
    FFolderList->SetName(u"FolderList");
    FFolderList->SetBounds(Gap, ListTop, FolderListWidth, ListHeight);
    FFolderList->SetParent(this);
    FFolderList->OnDblClick = [this](TObject*) {
        if (FFolderList->ItemIndex() >= 0) OpenFolder(FFolderList->Items()->Strings(FFolderList->ItemIndex()));
    };
    FFolderList->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) {
        FolderListKeyDown(Sender, Key, Shift);
    };

    FFileList = Create<TListBox>(this);
    FFileList->SetName(u"FileList");
    FFileList->SetBounds(2 * Gap + FolderListWidth, ListTop, FileListWidth, ListHeight);
    FFileList->SetParent(this);
    FFileList->OnClick = [this](TObject*) {
        if (FFileList->ItemIndex() >= 0) FFileNameEdit->SetText(FFileList->Items()->Strings(FFileList->ItemIndex()));
    };
    FFileList->OnDblClick = [this](TObject*) {
        if (FFileList->ItemIndex() < 0) return;
        FFileNameEdit->SetText(FFileList->Items()->Strings(FFileList->ItemIndex()));
        Accept();
    };
    FFileList->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) {
        FolderListKeyDown(Sender, Key, Shift);
    };

    const Integer EditLeft = Gap + LabelWidth;
    const Integer EditWidth = ClientW - EditLeft - 2 * Gap - ButtonWidth;
    AddLabel(u"FileNameLabel", u"File name:", Gap, NameTop + 4, LabelWidth);
    FFileNameEdit = Create<TEdit>(this);
    FFileNameEdit->SetName(u"FileNameEdit");
    FFileNameEdit->SetBounds(EditLeft, NameTop + 2, EditWidth, 21);
    FFileNameEdit->SetParent(this);
    FFileNameEdit->SetText(ExtractFileName(Request.FileName));

    AddLabel(u"FilterLabel", u"Files of type:", Gap, FilterTop + 4, LabelWidth);
    FFilterCombo = Create<TComboBox>(this);
    FFilterCombo->SetName(u"FilterCombo");
    FFilterCombo->SetStyle(csDropDownList);
    FFilterCombo->SetBounds(EditLeft, FilterTop + 2, EditWidth, 21);
    FFilterCombo->SetParent(this);
    for (const TFileFilter& Filter : FChooser->Filters())
        FFilterCombo->Items()->Add(Filter.Description);
    if (!FChooser->Filters().empty()) FFilterCombo->SetItemIndex(FChooser->FilterIndex() - 1);
    FFilterCombo->OnChange = [this](TObject*) {
        FChooser->SetFilterIndex(FFilterCombo->ItemIndex() + 1);
        FillLists();
    };

    FOkButton = Create<TButton>(this);
    FOkButton->SetName(u"OK");
    FOkButton->SetCaption(Request.Save ? u"&Save" : u"&Open");
    FOkButton->SetBounds(ClientW - Gap - ButtonWidth, NameTop, ButtonWidth, ButtonHeight);
    FOkButton->SetParent(this);
    FOkButton->SetDefault(true);
    FOkButton->OnClick = [this](TObject*) { Accept(); };

    FCancelButton = Create<TButton>(this);
    FCancelButton->SetName(u"Cancel");
    FCancelButton->SetCaption(u"Cancel");
    FCancelButton->SetBounds(ClientW - Gap - ButtonWidth, FilterTop, ButtonWidth, ButtonHeight);
    FCancelButton->SetParent(this);
    FCancelButton->SetCancel(true);
    FCancelButton->SetModalResult(mrCancel);

    // Tab order: name, filter, OK, Cancel, folders, files.
    Integer Order = 0;
    for (TWinControl* Control : std::initializer_list<TWinControl*>{FFileNameEdit, FFilterCombo, FOkButton,
                                                                   FCancelButton, FFolderList, FFileList}) {
        Control->SetTabStop(true);
        Control->SetTabOrder(Order++);
    }
    SetActiveControl(FFileNameEdit);
    if (Request.Owner) SetParentWindow(Request.Owner);
    FillLists();
}

void TFileChooserForm::FillLists() {
    FFolderLabel->SetCaption(FChooser->Folder());
    FFolderList->Items()->Clear();
    for (const String& Name : FChooser->Folders())
        FFolderList->Items()->Add(Name);
    FFileList->Items()->Clear();
    for (const String& Name : FChooser->Files())
        FFileList->Items()->Add(Name);
}

void TFileChooserForm::OpenFolder(const String& Folder) {
    if (FChooser->SetFolder(Folder)) FillLists();
}

void TFileChooserForm::FolderListKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
    if (Key == VK_BACK && Shift.Empty()) {
        OpenFolder(u"..");
        Key = 0;
    } else if (Key == VK_RETURN && Sender == FFolderList && FFolderList->ItemIndex() >= 0) {
        OpenFolder(FFolderList->Items()->Strings(FFolderList->ItemIndex()));
        Key = 0;
    }
}

void TFileChooserForm::Accept() {
    if (ActiveControl() == FFolderList && FFolderList->ItemIndex() >= 0) {
        OpenFolder(FFolderList->Items()->Strings(FFolderList->ItemIndex()));
        return;
    }
    TFileChoice Choice = FChooser->Resolve(FFileNameEdit->Text());
    switch (Choice.Kind) {
    case TFileChoice::fcNothing:
        return;
    case TFileChoice::fcOpenFolder:
        OpenFolder(Choice.Path);
        FFileNameEdit->SetText(String());
        return;
    case TFileChoice::fcRefused:
        MessageDlg(Choice.Message, mtWarning, TMsgDlgButtons{mbOK}, 0);
        return;
    case TFileChoice::fcConfirm:
        if (MessageDlg(Choice.Message, mtWarning, mbYesNo, 0) != mrYes) return;
        break;
    case TFileChoice::fcAccepted:
        break;
    }
    FChosen = Choice.Path;
    SetModalResult(mrOk);
}
