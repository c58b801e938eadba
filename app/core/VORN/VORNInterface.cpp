#include "VORN/VORNInterface.h"

#include "VORN/VORNRegistry.h"
#include "core/UserInteraction.h"
#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "rtl/Assert.h"
#include "rtl/Encoding.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"

#include <string>

namespace {

constexpr const Char* BridgeClassName = u"TVORNInterface";

// Initial buffer sizes of the output texts.
constexpr Integer ShortText = 100;
constexpr Integer InfoListText = 1501;
constexpr Integer SubstanceListText = 3901;
constexpr Integer MetaboliteListText = 381;
constexpr Integer BooleanText = 10;

[[noreturn]] void RaiseFor(const Char* aOperation, const String& aWhat) {
    throw Exception(Format(u"%s.%s : %s", {BridgeClassName, aOperation, aWhat}));
}

void RequireNotBlank(const String& aValue, const Char* aOperation, const Char* aWhat) {
    if (Trim(aValue).empty()) RaiseFor(aOperation, String(u"Error, empty ") + aWhat);
}

void RequireFile(const String& aFilePath, const Char* aOperation) {
    RequireNotBlank(aFilePath, aOperation, u"filepath");
    if (!FileExists(aFilePath)) RaiseFor(aOperation, u"File \"" + aFilePath + u"\" does not exist.");
}

// Calls an entry point that answers an output text: first with a buffer of
// `aInitialSize` blanks, then, when the library answers false, once more with
// a buffer of the size it asked for. `aAfterCall` runs after each call. The
// buffer always has one byte more than the size passed, for the zero.
template <class TCall, class TAfterCall>
String FetchText(Integer aInitialSize, TCall&& aCall, TAfterCall&& aAfterCall) {
    Integer size = aInitialSize;
    std::string buffer(static_cast<size_t>(size), ' ');
    buffer.push_back('\0');
    char* text = buffer.data();
    bool done = aCall(&text, &size);
    aAfterCall();
    if (!done) {
        Assert(size >= 0, u"The substance library asked for a negative text size");
        buffer.assign(static_cast<size_t>(size), ' ');
        buffer.push_back('\0');
        text = buffer.data();
        done = aCall(&text, &size);
        aAfterCall();
        Assert(done, u"The substance library answered false twice for one output text");
    }
    return text ? FromAnsi(text) : String();
}

// Splits a list text on ";" only, honouring double quotes, into the list.
void FillList(TStringList& aList, const String& aText) {
    aList.SetDelimiter(u';');
    aList.SetQuoteChar(u'"');
    aList.SetStrictDelimiter(true);
    aList.SetDelimitedText(aText);
}

// An existing list emptied, or a new one handed back.
TStringList& EmptyList(TStringList*& aList) {
    if (aList)
        aList->Clear();
    else
        aList = Create<TStringList>();
    return *aList;
}

// The same, freeing the information lists attached to the existing list.
TStringList& EmptyListAndObjects(TStringList*& aList) {
    if (aList)
        for (Integer i = 0; i < aList->Count(); ++i) {
            TObject* object = aList->Objects(i);
            aList->SetObjects(i, nullptr);
            Free(object);
        }
    return EmptyList(aList);
}

// Asks the user for the library's file; an empty text when cancelled.
String AskForLibrary() {
    ShowWarning(Format(u"Cannot find the file %s.dll, it has possibly been moved to another location.",
                       {TVORNInterface::LibraryPathValue}) +
                u"\r\rPlease use the open dialog to locate this file yourself.");
    TOpenFileRequest request;
    // The library is a shared object here, not a DLL.
    request.Filter = u"Shared libraries (*.so)|*.so|All files (*.*)|*.*";
    String fileName;
    if (!UserInteraction().OpenFile(request, fileName)) fileName.clear();
    return fileName;
}

// The library's file: a machine-wide value naming an existing file wins (and
// removes the user's copy), else the user's value, else the machine-wide one;
// when the chosen value names no file the user is asked and the answer (also
// an empty one) is stored for the user.
String LocateLibrary() {
    TVORNRegistry& registry = TVORNRegistry::GetSingleton();
    const String name = TVORNInterface::LibraryPathValue;
    const auto askAndStore = [&] {
        const String answer = AskForLibrary();
        registry.HKCUSetStr(name, answer);
        return answer;
    };

    if (registry.HKLMVarExists(name, false) && FileExists(registry.HKLMGetStr(name)) &&
        registry.HKCUVarExists(name, false))
        registry.HKCUDelVar(name);

    if (registry.HKCUVarExists(name, false)) {
        const String path = registry.HKCUGetStr(name);
        return FileExists(path) ? path : askAndStore();
    }
    if (registry.HKLMVarExists(name, false)) {
        const String path = registry.HKLMGetStr(name);
        return FileExists(path) ? path : askAndStore();
    }
    return askAndStore();
}

// Binds one entry point; a missing one raises the binding message.
template <class F>
void Bind(const os::DynamicLibrary& aLibrary, F& aSlot, const Char* aName, const Char* aOperation) {
    aSlot = reinterpret_cast<F>(aLibrary.FindSymbol(aName));
    if (!aSlot) RaiseFor(aOperation, String(u"Failure locating the addres of procedure / function ") + aName);
}

// Creates TVORNRegistry for as long as it is needed, unless it exists.
class TRegistryInUse {
public:
    TRegistryInUse() : FOwned(!TVORNRegistry::Created()) {
        if (FOwned) TVORNRegistry::CreateSingleton(VORNKeyName);
    }
    ~TRegistryInUse() {
        if (FOwned) TVORNRegistry::DestroySingleton();
    }
    TRegistryInUse(const TRegistryInUse&) = delete;
    TRegistryInUse& operator=(const TRegistryInUse&) = delete;

private:
    bool FOwned;
};

} // namespace

// ---- class level

void TVORNInterface::CreateSingleton(const String& aDecimalSeparator) {
    if (FInstance)
        throw Exception(Format(u"%s.%s : Error, object already created, use %s.GetSingleton.",
                               {BridgeClassName, u"CreateSingleton", BridgeClassName}));
    // A bridge that still exists when the program ends is destroyed then.
    static struct TProgramEnd {
        ~TProgramEnd() { DestroySingleton(); }
    } programEnd;

    FCreating = true;
    FDestroying = true;
    TVORNInterface* bridge = nullptr;
    try {
        bridge = new TVORNInterface(aDecimalSeparator);
        bridge->AfterConstruction();
    } catch (...) {
        // The half-built bridge is taken down like a whole one.
        if (bridge) Free(bridge);
        FCreating = false;
        FDestroying = false;
        throw;
    }
    FInstance = bridge;
    FCreating = false;
    FDestroying = false;
    FInstance->TestForException();
}

TVORNInterface& TVORNInterface::GetSingleton() {
    CheckCreated(u"GetSingleton");
    return *FInstance;
}

bool TVORNInterface::Created() {
    return FInstance != nullptr;
}

void TVORNInterface::DestroySingleton() {
    if (!FInstance) return;
    TVORNInterface* bridge = FInstance;
    FInstance = nullptr;
    FDestroying = true;
    Free(bridge);
}

void TVORNInterface::CheckCreated(const Char* aOperation) {
    if (!FInstance)
        throw Exception(Format(u"%s.%s : Error, object not created, use %s.CreateSingleton.",
                               {BridgeClassName, aOperation, BridgeClassName}));
}

String TVORNInterface::Version() {
    TRegistryInUse registry;
    const String path = LocateLibrary();
    if (Trim(path).empty()) RaiseFor(u"Version", u"Error locating the VORN dll path");
    os::DynamicLibrary library(path);
    vorn::TGetText version = nullptr;
    Bind(library, version, u"Version", u"Version");
    return FetchText(ShortText, version, [] {});
}

// ---- life of the bridge

TVORNInterface::TVORNInterface(const String& aDecimalSeparator) : FDecimalSeparator(aDecimalSeparator) {
    if (!FCreating)
        throw Exception(Format(u"%s.%s : Error, do not use %s.Create, use %s.CreateSingleton.",
                               {BridgeClassName, u"Create", BridgeClassName, BridgeClassName}));
}

void TVORNInterface::AfterConstruction() {
    TObject::AfterConstruction();
    FVORNDBConnected = false;
    if (!TVORNRegistry::Created()) TVORNRegistry::CreateSingleton(VORNKeyName);
    const String path = LocateLibrary();
    if (Trim(path).empty()) RaiseFor(u"Create", u"Error locating the VORN dll path");
    FDLLHandle.Load(path);
    BindEntryPoints();
    StartLibrary(path);
}

void TVORNInterface::BindEntryPoints() {
    const Char* operation = u"Create";
    Bind(FDLLHandle, FVORNCreate, u"Create", operation);
    Bind(FDLLHandle, FVORNDestroy, u"Destroy", operation);
    Bind(FDLLHandle, FVORNOpenUI, u"OpenUI", operation);
    Bind(FDLLHandle, FVORNSetModelVersions, u"SetModelVersions", operation);
    Bind(FDLLHandle, FVORNSetCompartments, u"SetCompartments", operation);
    Bind(FDLLHandle, FVORNGetSubstancesGUIDList, u"GetSubstancesGUIDList", operation);
    Bind(FDLLHandle, FVORNGetSubstanceInfoListByGUID, u"GetSubstanceInfoListByGUID", operation);
    Bind(FDLLHandle, FVORNGetSubstanceCodeByGUID, u"GetSubstanceCodeByGUID", operation);
    Bind(FDLLHandle, FVORNGetGUIDBySubstanceCode, u"GetGUIDBySubstanceCode", operation);
    Bind(FDLLHandle, FVORNEnsureUniqueSubstCode, u"EnsureUniqueSubstCode", operation);
    Bind(FDLLHandle, FVORNGetSubstanceChecksumByGUID, u"GetSubstanceChecksumByGUID", operation);
    Bind(FDLLHandle, FVORNGetMetabolitesGUIDList, u"GetMetabolitesGUIDList", operation);
    Bind(FDLLHandle, FVORNGetMetaboliteInfoListByGUID, u"GetMetaboliteInfoListByGUID", operation);
    Bind(FDLLHandle, FVORNGetMetabolitesList, u"GetMetabolitesList", operation);
    Bind(FDLLHandle, FVORNVersion, u"Version", operation);
    Bind(FDLLHandle, FVORNGetLastError, u"GetLastError", operation);
    Bind(FDLLHandle, FVORNIncompleteAttributeName, u"IncompleteAttributeName", operation);
    Bind(FDLLHandle, FVORNIncompleteMetabsAttributeName, u"IncompleteMetabsAttributeName", operation);
    Bind(FDLLHandle, FVORNChecksumName, u"ChecksumName", operation);
    Bind(FDLLHandle, FVORNVanTHoffTempConversion, u"VanTHoffTempConversion", operation);
    Bind(FDLLHandle, FVORNShowSubstanceErrorMessages, u"ShowSubstanceErrorMessages", operation);
    Bind(FDLLHandle, FVORNImportSubstances, u"ImportSubstances", operation);
    Bind(FDLLHandle, FVORNImportMetabolites, u"ImportMetabolites", operation);
    Bind(FDLLHandle, FVORNBooleanToStr, u"BooleanToStr", operation);
    Bind(FDLLHandle, FVORNStrToBoolean, u"StrToBoolean", operation);
    Bind(FDLLHandle, FVORNBooleanTrue, u"BoolTrue", operation);
    Bind(FDLLHandle, FVORNBooleanFalse, u"BoolFalse", operation);
}

// The library starts in its own folder; the working folder is set back
// afterwards in every case.
void TVORNInterface::StartLibrary(const String& aLibraryPath) {
    const String workingFolder = GetCurrentDir();
    const String libraryFolder = ExtractFilePath(aLibraryPath);
    if (!libraryFolder.empty()) SetCurrentDir(libraryFolder);
    try {
        FVORNDBConnected = FVORNCreate(ToAnsi(FDecimalSeparator).c_str());
    } catch (const Exception& e) {
        SetCurrentDir(workingFolder);
        ShowError(e.Message());
        throw;
    } catch (const std::exception& e) {
        SetCurrentDir(workingFolder);
        ShowError(FromUtf8(e.what()));
        throw;
    }
    SetCurrentDir(workingFolder);
}

void TVORNInterface::BeforeDestruction() {
    if (!FDestroying)
        throw Exception(Format(u"%s.%s : Error, do not use %s.Destroy, this would destroy the singleton "
                               u"object, use %s.DestroySingleton !",
                               {BridgeClassName, u"Destroy", BridgeClassName, BridgeClassName}));
    if (FVORNDestroy) FVORNDestroy();
    FDLLHandle.Free();
    TVORNRegistry::DestroySingleton();
    FDestroying = false;
    TObject::BeforeDestruction();
}

// ---- calls into the library

void TVORNInterface::TestForException() {
    CheckCreated(u"TestForException");
    const String text = FetchText(ShortText, FVORNGetLastError, [] {});
    if (!Trim(text).empty()) throw EVORNException(Format(u"EVORNException: %s", {text}));
}

void TVORNInterface::GetSubstancesGUIDList(bool aWithObjects, bool aOnlyRequiredAttribs,
                                           TStringList*& aSubstancesGUIDList) {
    CheckCreated(u"GetSubstancesGUIDList");
    TStringList& list = EmptyListAndObjects(aSubstancesGUIDList);
    FillList(list, FetchText(SubstanceListText, FVORNGetSubstancesGUIDList, [this] { TestForException(); }));
    if (!aWithObjects) return;
    for (Integer i = 0; i < list.Count(); ++i) {
        TStringList* info = nullptr;
        try {
            GetSubstanceInfoListByGUID(list.Strings(i), aOnlyRequiredAttribs, info);
        } catch (...) {
            Free(info);
            throw;
        }
        list.SetObjects(i, info);
    }
}

void TVORNInterface::GetSubstanceInfoListByGUID(const String& aSubstanceGUID, bool aOnlyRequiredAttribs,
                                                TStringList*& aSubstanceInfoList) {
    CheckCreated(u"GetSubstanceInfoListByGUID");
    RequireNotBlank(aSubstanceGUID, u"GetSubstanceInfoListByGUID", u"substance guid");
    const AnsiString guid = ToAnsi(aSubstanceGUID);
    TStringList& list = EmptyList(aSubstanceInfoList);
    FillList(list, FetchText(
                       InfoListText,
                       [&](char** text, Integer* size) {
                           return FVORNGetSubstanceInfoListByGUID(guid.c_str(), aOnlyRequiredAttribs, text,
                                                                  size);
                       },
                       [this] { TestForException(); }));
}

namespace {
// The output text of an entry point that takes one text.
template <class TAfterCall>
String TextByText(vorn::TGetTextByText aEntryPoint, const String& aKey, TAfterCall&& aAfterCall) {
    const AnsiString key = ToAnsi(aKey);
    return FetchText(
        ShortText, [&](char** text, Integer* size) { return aEntryPoint(key.c_str(), text, size); },
        aAfterCall);
}
} // namespace

String TVORNInterface::GetSubstanceChecksumByGUID(const String& aSubstanceGUID) {
    CheckCreated(u"GetSubstanceChecksumByGUID");
    RequireNotBlank(aSubstanceGUID, u"GetSubstanceChecksumByGUID", u"substance guid");
    return TextByText(FVORNGetSubstanceChecksumByGUID, aSubstanceGUID, [this] { TestForException(); });
}

String TVORNInterface::GetSubstanceCodeByGUID(const String& aSubstanceGUID) {
    CheckCreated(u"GetSubstanceCodeByGUID");
    RequireNotBlank(aSubstanceGUID, u"GetSubstanceCodeByGUID", u"substance guid");
    return TextByText(FVORNGetSubstanceCodeByGUID, aSubstanceGUID, [this] { TestForException(); });
}

String TVORNInterface::GetGUIDBySubstanceCode(const String& aSubstanceCode) {
    CheckCreated(u"GetGUIDBySubstanceCode");
    RequireNotBlank(aSubstanceCode, u"GetGUIDBySubstanceCode", u"substance code");
    return TextByText(FVORNGetGUIDBySubstanceCode, aSubstanceCode, [this] { TestForException(); });
}

String TVORNInterface::EnsureUniqueSubstCode(const String& aSubstanceCode) {
    CheckCreated(u"EnsureUniqueSubstCode");
    RequireNotBlank(aSubstanceCode, u"EnsureUniqueSubstCode", u"substance code");
    return TextByText(FVORNEnsureUniqueSubstCode, aSubstanceCode, [this] { TestForException(); });
}

void TVORNInterface::GetMetaboliteGUIDList(const String& aSubstanceGUID, Integer aCompartmentID,
                                           bool aWithObjects, bool aOnlyRequiredAttribs,
                                           TStringList*& aMetabolitesInfoList) {
    CheckCreated(u"GetMetaboliteGUIDList");
    RequireNotBlank(aSubstanceGUID, u"GetMetaboliteGUIDList", u"substance guid");
    const AnsiString guid = ToAnsi(aSubstanceGUID);
    TStringList& list = EmptyListAndObjects(aMetabolitesInfoList);
    FillList(list, FetchText(
                       SubstanceListText,
                       [&](char** text, Integer* size) {
                           return FVORNGetMetabolitesGUIDList(guid.c_str(), aCompartmentID, text, size);
                       },
                       [this] { TestForException(); }));
    if (!aWithObjects) return;
    for (Integer i = 0; i < list.Count(); ++i) {
        TStringList* info = nullptr;
        try {
            GetMetaboliteInfoListByGUID(aSubstanceGUID, list.Strings(i), aCompartmentID, aOnlyRequiredAttribs,
                                        info);
        } catch (...) {
            Free(info);
            throw;
        }
        list.SetObjects(i, info);
    }
}

void TVORNInterface::GetMetaboliteInfoListByGUID(const String& aParentGUID, const String& aMetaboliteGUID,
                                                 Integer aCompartmentID, bool aOnlyRequiredAttribs,
                                                 TStringList*& aSubstanceInfoList) {
    CheckCreated(u"GetMetaboliteInfoListByGUID");
    RequireNotBlank(aParentGUID, u"GetMetaboliteInfoListByGUID", u"parent guid");
    RequireNotBlank(aMetaboliteGUID, u"GetMetaboliteInfoListByGUID", u"metabolite guid");
    const AnsiString parent = ToAnsi(aParentGUID);
    const AnsiString metabolite = ToAnsi(aMetaboliteGUID);
    TStringList& list = EmptyList(aSubstanceInfoList);
    FillList(list, FetchText(
                       InfoListText,
                       [&](char** text, Integer* size) {
                           return FVORNGetMetaboliteInfoListByGUID(parent.c_str(), metabolite.c_str(),
                                                                   aCompartmentID, aOnlyRequiredAttribs, text,
                                                                   size);
                       },
                       [this] { TestForException(); }));
}

void TVORNInterface::GetMetabolitesList(const String& aParentGUID, Integer aCompartmentID,
                                        TStringList*& aMetabolitesGUIDList) {
    CheckCreated(u"GetMetabolitesList");
    RequireNotBlank(aParentGUID, u"GetMetabolitesList", u"parent guid");
    const AnsiString parent = ToAnsi(aParentGUID);
    TStringList& list = EmptyList(aMetabolitesGUIDList);
    FillList(list, FetchText(
                       MetaboliteListText,
                       [&](char** text, Integer* size) {
                           return FVORNGetMetabolitesList(parent.c_str(), aCompartmentID, text, size);
                       },
                       [this] { TestForException(); }));
}

void TVORNInterface::OpenUI(const String& aSubstanceGUID, bool aCloseConfirmation) {
    CheckCreated(u"OpenUI");
    FVORNOpenUI(ToAnsi(aSubstanceGUID).c_str(), aCloseConfirmation);
    TestForException();
}

bool TVORNInterface::SetModelVersions(const String& aModelVersions) {
    CheckCreated(u"SetModelVersions");
    const bool answer = FVORNSetModelVersions(ToAnsi(aModelVersions).c_str());
    TestForException();
    return answer;
}

bool TVORNInterface::SetCompartments(const String& aCompartments) {
    CheckCreated(u"SetCompartments");
    const bool answer = FVORNSetCompartments(ToAnsi(aCompartments).c_str());
    TestForException();
    return answer;
}

String TVORNInterface::IncompleteAttributeName() {
    CheckCreated(u"IncompleteAttributeName");
    return FetchText(ShortText, FVORNIncompleteAttributeName, [this] { TestForException(); });
}

String TVORNInterface::IncompleteMetabsAttributeName() {
    CheckCreated(u"IncompleteMetabsAttributeName");
    return FetchText(ShortText, FVORNIncompleteMetabsAttributeName, [this] { TestForException(); });
}

String TVORNInterface::ChecksumName() {
    CheckCreated(u"ChecksumName");
    return FetchText(ShortText, FVORNChecksumName, [this] { TestForException(); });
}

double TVORNInterface::VanTHoffTempConversion(double aRefValue, double aRefTempC, double aTargetTempC,
                                              double aMolarEnthalpyKJMol) {
    CheckCreated(u"VanTHoffTempConversion");
    const double answer =
        FVORNVanTHoffTempConversion(aRefValue, aRefTempC, aTargetTempC, aMolarEnthalpyKJMol);
    TestForException();
    return answer;
}

bool TVORNInterface::ShowSubstanceErrorMessages(const String& aSubstanceGUID) {
    CheckCreated(u"ShowSubstanceErrorMessages");
    RequireNotBlank(aSubstanceGUID, u"ShowSubstanceErrorMessages", u"substance guid");
    const bool answer = FVORNShowSubstanceErrorMessages(ToAnsi(aSubstanceGUID).c_str());
    TestForException();
    return answer;
}

Integer TVORNInterface::ImportSubstances(const String& aFilePath, const String& aFieldSep,
                                         const String& aDecimalSep, const String& aTextQualifier, bool aLock,
                                         bool aEnsure) {
    CheckCreated(u"ImportSubstances");
    RequireFile(aFilePath, u"ImportSubstances");
    const Integer answer =
        FVORNImportSubstances(ToAnsi(aFilePath).c_str(), ToAnsi(aFieldSep).c_str(),
                              ToAnsi(aDecimalSep).c_str(), ToAnsi(aTextQualifier).c_str(), aLock, aEnsure);
    TestForException();
    return answer;
}

Integer TVORNInterface::ImportMetabolites(const String& aFilePath, const String& aFieldSep,
                                          const String& aDecimalSep, const String& aTextQualifier,
                                          bool aEnsure) {
    CheckCreated(u"ImportMetabolites");
    RequireFile(aFilePath, u"ImportMetabolites");
    const Integer answer =
        FVORNImportMetabolites(ToAnsi(aFilePath).c_str(), ToAnsi(aFieldSep).c_str(),
                               ToAnsi(aDecimalSep).c_str(), ToAnsi(aTextQualifier).c_str(), aEnsure);
    TestForException();
    return answer;
}

String TVORNInterface::BooleanToStr(bool aBool) {
    CheckCreated(u"BooleanToStr");
    return FetchText(
        BooleanText, [&](char** text, Integer* size) { return FVORNBooleanToStr(aBool, text, size); },
        [this] { TestForException(); });
}

bool TVORNInterface::StrToBoolean(const String& aStrBool) {
    CheckCreated(u"StrToBoolean");
    const bool answer = FVORNStrToBoolean(ToAnsi(aStrBool).c_str());
    TestForException();
    return answer;
}

String TVORNInterface::BooleanTrue() {
    CheckCreated(u"BooleanTrue");
    return FetchText(BooleanText, FVORNBooleanTrue, [this] { TestForException(); });
}

String TVORNInterface::BooleanFalse() {
    CheckCreated(u"BooleanFalse");
    return FetchText(BooleanText, FVORNBooleanFalse, [this] { TestForException(); });
}
