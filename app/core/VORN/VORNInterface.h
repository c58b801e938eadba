#pragma once
// The bridge to the substance library VORN: one object per process that
// loads the library by the path in the registry (or the one the user picks),
// binds its 27 entry points by name and turns its interface (Windows-1252
// texts, caller-supplied buffers that may have to grow, an error text after
// every call) into operations on Unicode texts, string lists and
// EVORNException.
//
// A singleton: made and destroyed only through the class-level
// CreateSingleton and DestroySingleton; constructing or freeing it any other
// way is refused with an exception. TVORNRegistry lives exactly as long as the
// bridge.
//
// Lists. GUID lists and information lists arrive as one text of items
// separated by ";", an item enclosed in double quotes when it holds a ";",
// a double quote or a blank. Only ";" separates items, so a value with a
// blank stays one value. Information lists hold Name=Value items; read them
// with TStrings::Values (first match, name compared regardless of case).

#include "os/DynamicLibrary.h"
#include "rtl/Exception.h"
#include "rtl/Object.h"
#include "vorn/VORNApi.h"

class TStringList;

// The substance library's error text after a call, as
// "EVORNException: <text>".
class EVORNException : public Exception {
public:
    explicit EVORNException(String message) : Exception(std::move(message)) {}
};

class TVORNInterface final : public TObject {
public:
    // The registry value, under the substance tool's key, that holds the
    // library's file.
    static constexpr const Char* LibraryPathValue = u"vorn_dll";

    // Locates and loads the library, binds its entry points and starts it
    // with the decimal separator (a one-character text) in the library's
    // folder; then raises the error the library reports, if any, as
    // EVORNException (the bridge then exists). Raises
    // "TVORNInterface.CreateSingleton : Error, object already created, use
    // TVORNInterface.GetSingleton." when the bridge exists, and when the
    // library cannot be located, loaded, bound or started (the bridge then
    // does not exist).
    static void CreateSingleton(const String& aDecimalSeparator);
    static TVORNInterface& GetSingleton();
    static bool Created();
    // Destroys the bridge when it exists (the library is released and
    // TVORNRegistry destroyed); nothing otherwise.
    static void DestroySingleton();
    // The library's version text, with the library loaded just for it; no
    // bridge needed.
    static String Version();

    // Refused ("... do not use TVORNInterface.Create ...") unless
    // CreateSingleton runs it. The work of starting is done by
    // AfterConstruction, which CreateSingleton calls.
    explicit TVORNInterface(const String& aDecimalSeparator);

    // The library's answer to its start: connected to its substances.
    bool VORNDBConnected() const { return FVORNDBConnected; }

    // Raises EVORNException "EVORNException: <text>" when the library reports
    // an error text that is not blank.
    void TestForException();

    // Lists passed in by reference: an existing list is emptied (for the GUID
    // lists the information lists attached to it are freed first), a null one
    // is replaced by a new list. The caller owns the list and the information
    // lists attached to it (they are not freed by the list itself).
    void GetSubstancesGUIDList(bool aWithObjects, bool aOnlyRequiredAttribs,
                               TStringList*& aSubstancesGUIDList);
    void GetSubstanceInfoListByGUID(const String& aSubstanceGUID, bool aOnlyRequiredAttribs,
                                    TStringList*& aSubstanceInfoList);
    // Empty when the library does not know the substance.
    String GetSubstanceChecksumByGUID(const String& aSubstanceGUID);
    String GetSubstanceCodeByGUID(const String& aSubstanceGUID);
    String GetGUIDBySubstanceCode(const String& aSubstanceCode);
    String EnsureUniqueSubstCode(const String& aSubstanceCode);
    void GetMetaboliteGUIDList(const String& aSubstanceGUID, Integer aCompartmentID, bool aWithObjects,
                               bool aOnlyRequiredAttribs, TStringList*& aMetabolitesInfoList);
    void GetMetaboliteInfoListByGUID(const String& aParentGUID, const String& aMetaboliteGUID,
                                     Integer aCompartmentID, bool aOnlyRequiredAttribs,
                                     TStringList*& aSubstanceInfoList);
    void GetMetabolitesList(const String& aParentGUID, Integer aCompartmentID,
                            TStringList*& aMetabolitesGUIDList);
    // Asks the library to open its own editing window for the substance.
    void OpenUI(const String& aSubstanceGUID, bool aCloseConfirmation);
    bool SetModelVersions(const String& aModelVersions);
    bool SetCompartments(const String& aCompartments);
    String IncompleteAttributeName();
    String IncompleteMetabsAttributeName();
    String ChecksumName();
    double VanTHoffTempConversion(double aRefValue, double aRefTempC, double aTargetTempC,
                                  double aMolarEnthalpyKJMol);
    bool ShowSubstanceErrorMessages(const String& aSubstanceGUID);
    Integer ImportSubstances(const String& aFilePath, const String& aFieldSep, const String& aDecimalSep,
                             const String& aTextQualifier, bool aLock, bool aEnsure);
    Integer ImportMetabolites(const String& aFilePath, const String& aFieldSep, const String& aDecimalSep,
                              const String& aTextQualifier, bool aEnsure);
    String BooleanToStr(bool aBool);
    bool StrToBoolean(const String& aStrBool);
    String BooleanTrue();
    String BooleanFalse();

    // Starts the bridge (see CreateSingleton); refuses to destroy it unless
    // DestroySingleton does, else stops the library and releases it.
    void AfterConstruction() override;
    void BeforeDestruction() override;

private:
    ~TVORNInterface() override = default;

    // Raises "TVORNInterface.<operation> : Error, object not created, use
    // TVORNInterface.CreateSingleton." when the bridge does not exist.
    static void CheckCreated(const Char* aOperation);
    void BindEntryPoints();
    void StartLibrary(const String& aLibraryPath);

    String FDecimalSeparator;
    os::DynamicLibrary FDLLHandle;
    vorn::TCreate FVORNCreate = nullptr;
    vorn::TDestroy FVORNDestroy = nullptr;
    vorn::TOpenUI FVORNOpenUI = nullptr;
    vorn::TSetText FVORNSetModelVersions = nullptr;
    vorn::TSetText FVORNSetCompartments = nullptr;
    vorn::TGetText FVORNGetSubstancesGUIDList = nullptr;
    vorn::TGetSubstanceInfoListByGUID FVORNGetSubstanceInfoListByGUID = nullptr;
    vorn::TGetTextByText FVORNGetSubstanceCodeByGUID = nullptr;
    vorn::TGetTextByText FVORNGetGUIDBySubstanceCode = nullptr;
    vorn::TGetTextByText FVORNEnsureUniqueSubstCode = nullptr;
    vorn::TGetTextByText FVORNGetSubstanceChecksumByGUID = nullptr;
    vorn::TGetMetabolitesGUIDList FVORNGetMetabolitesGUIDList = nullptr;
    vorn::TGetMetaboliteInfoListByGUID FVORNGetMetaboliteInfoListByGUID = nullptr;
    vorn::TGetMetabolitesGUIDList FVORNGetMetabolitesList = nullptr;
    vorn::TGetText FVORNVersion = nullptr;
    vorn::TGetText FVORNGetLastError = nullptr;
    vorn::TGetText FVORNIncompleteAttributeName = nullptr;
    vorn::TGetText FVORNIncompleteMetabsAttributeName = nullptr;
    vorn::TGetText FVORNChecksumName = nullptr;
    vorn::TVanTHoffTempConversion FVORNVanTHoffTempConversion = nullptr;
    vorn::TShowSubstanceErrorMessages FVORNShowSubstanceErrorMessages = nullptr;
    vorn::TImportSubstances FVORNImportSubstances = nullptr;
    vorn::TImportMetabolites FVORNImportMetabolites = nullptr;
    vorn::TBooleanToStr FVORNBooleanToStr = nullptr;
    vorn::TStrToBoolean FVORNStrToBoolean = nullptr;
    vorn::TGetText FVORNBooleanTrue = nullptr;
    vorn::TGetText FVORNBooleanFalse = nullptr;
    bool FVORNDBConnected = false;

    static inline TVORNInterface* FInstance = nullptr;
    static inline bool FCreating = false;
    static inline bool FDestroying = false;
};
