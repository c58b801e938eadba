// The entry points of the stand-in substance library, bound by name by the
// desktop program (see vorn/VORNApi.h for the conventions). Every entry point
// clears the error text, does its work and, when that fails, leaves the
// reason as the error text for "GetLastError" and answers false (or -1, or
// NaN). Nothing escapes across the boundary as a C++ exception.
//
// Built three times: the library itself, a test build that also counts the
// calls and lets a test set the next error text (VORN_TEST_HOOKS), and a test
// build without the "ImportMetabolites" entry point
// (VORN_WITHOUT_IMPORT_METABOLITES).

#include "Library.h"
#include "OutputText.h"
#include "SubstanceImport.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/StringUtils.h"
#include "vorn/VORNApi.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <new>
#include <type_traits>

#define VORN_EXPORT extern "C" __attribute__((visibility("default")))

using namespace vorn;

namespace {

constexpr const Char* VersionText = u"1.0 (stand-in substance library of Vandrel)";

#ifdef VORN_TEST_HOOKS
std::int32_t CallCount = 0;
bool HasInjectedError = false;
String InjectedError;
#endif

// Runs one call: the error text is cleared first; a failure becomes the
// error text and the call answers `failed`.
template <class R, class F>
R Call(R failed, F&& work) {
    TLibrary& library = TLibrary::Instance();
    library.LastError.clear();
#ifdef VORN_TEST_HOOKS
    ++CallCount;
#endif
    R answer = failed;
    try {
        answer = work(library);
    } catch (const Exception& e) {
        library.LastError = e.Message();
    } catch (const std::bad_alloc&) {
        library.LastError = u"Out of memory.";
    } catch (const std::exception& e) {
        library.LastError = FromUtf8(e.what());
    }
#ifdef VORN_TEST_HOOKS
    if (HasInjectedError) {
        library.LastError = InjectedError;
        HasInjectedError = false;
    }
#endif
    return answer;
}

Char OneCharacter(const char* text, const Char* what, bool mayBeEmpty) {
    const String value = InText(text);
    if (value.empty() && mayBeEmpty) return 0;
    if (value.size() != 1)
        throw ESubstanceStoreError(String(u"The ") + what + u" must be one character, not \"" + value +
                                   u"\".");
    return value[0];
}

String RequireSubstance(TSubstanceStore& store, const char* aSubstanceGUID) {
    const String guid = InText(aSubstanceGUID);
    if (store.CodeOf(guid).empty()) throw ESubstanceStoreError(u"Unknown substance " + guid + u".");
    return guid;
}

// "MODEL=<model>/SHELL=<shell>;<version>" with a whole version of 1 or more.
bool IsModelVersionsText(const String& text) {
    const Integer shell = Pos(u"/SHELL=", text);
    const Integer semicolon = Pos(u";", text);
    Integer version = 0;
    return Pos(u"MODEL=", text) == 1 && shell > 7 && semicolon > shell + 7 &&
           TryStrToInt(Copy(text, semicolon + 1), version) && version >= 1;
}

// Compartment IDs separated by ";".
bool IsCompartmentsText(const String& text) {
    if (Trim(text).empty()) return false;
    Integer start = 1;
    for (;;) {
        const Integer semicolon = PosEx(u";", text, start);
        const String item = semicolon == 0 ? Copy(text, start) : Copy(text, start, semicolon - start);
        Integer id = 0;
        if (!TryStrToInt(Trim(item), id)) return false;
        if (semicolon == 0) return true;
        start = semicolon + 1;
    }
}

TImportFormat ImportFormat(const char* aFieldSep, const char* aDecimalSep, const char* aTextQualifier) {
    TImportFormat format;
    format.FieldSeparator = OneCharacter(aFieldSep, u"field separator", false);
    format.DecimalSeparator = OneCharacter(aDecimalSep, u"decimal separator", false);
    format.TextQualifier = OneCharacter(aTextQualifier, u"text qualifier", true);
    return format;
}

void RequireFile(const String& fileName) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(Utf8(fileName), error))
        throw ESubstanceStoreError(u"File \"" + fileName + u"\" does not exist.");
}

} // namespace

VORN_EXPORT bool Create(const char* aDecimalSeparator) {
    return Call(false, [&](TLibrary& library) {
        library.Connect(OneCharacter(aDecimalSeparator, u"decimal separator", false));
        return true;
    });
}

VORN_EXPORT void Destroy() {
    Call(0, [](TLibrary& library) {
        library.Disconnect();
        return 0;
    });
}

VORN_EXPORT void OpenUI(const char* aSubstanceGUID, bool /*aCloseConfirmation*/) {
    Call(0, [&](TLibrary& library) -> int {
        const String guid = RequireSubstance(library.Store(), aSubstanceGUID);
        // This library has no window system of its own; say so instead of
        // pretending the substance was edited.
        throw ESubstanceStoreError(u"The substance library cannot show its editing window here; substance " +
                                   library.Store().CodeOf(guid) + u" was not changed.");
    });
}

VORN_EXPORT bool SetModelVersions(const char* aModelVersions) {
    return Call(false, [&](TLibrary& library) {
        library.Store();
        const String text = InText(aModelVersions);
        if (!IsModelVersionsText(text)) return false;
        library.ModelVersions = text;
        return true;
    });
}

VORN_EXPORT bool SetCompartments(const char* aCompartments) {
    return Call(false, [&](TLibrary& library) {
        library.Store();
        const String text = InText(aCompartments);
        if (!IsCompartmentsText(text)) return false;
        library.Compartments = text;
        return true;
    });
}

VORN_EXPORT bool GetSubstancesGUIDList(char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary& library) {
        return PutText(ListText(library.Store().SubstanceGUIDs()), aText, aSize);
    });
}

VORN_EXPORT bool GetSubstanceInfoListByGUID(const char* aSubstanceGUID, bool aOnlyRequiredAttribs,
                                            char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary& library) {
        const TInfoList list = library.Store().InfoList(InText(aSubstanceGUID), aOnlyRequiredAttribs,
                                                        library.DecimalSeparator());
        return PutText(InfoListText(list), aText, aSize);
    });
}

VORN_EXPORT bool GetSubstanceCodeByGUID(const char* aSubstanceGUID, char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary& library) {
        return PutText(library.Store().CodeOf(InText(aSubstanceGUID)), aText, aSize);
    });
}

VORN_EXPORT bool GetGUIDBySubstanceCode(const char* aSubstanceCode, char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary& library) {
        return PutText(library.Store().GUIDOf(InText(aSubstanceCode)), aText, aSize);
    });
}

VORN_EXPORT bool EnsureUniqueSubstCode(const char* aSubstanceCode, char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary& library) {
        return PutText(library.Store().UniqueCode(InText(aSubstanceCode)), aText, aSize);
    });
}

VORN_EXPORT bool GetSubstanceChecksumByGUID(const char* aSubstanceGUID, char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary& library) {
        return PutText(library.Store().Checksum(InText(aSubstanceGUID)), aText, aSize);
    });
}

VORN_EXPORT bool GetMetabolitesGUIDList(const char* aSubstanceGUID, std::int32_t aCompartmentID, char** aText,
                                        std::int32_t* aSize) {
    return Call(false, [&](TLibrary& library) {
        return PutText(ListText(library.Store().Metabolites(InText(aSubstanceGUID), aCompartmentID)), aText,
                       aSize);
    });
}

VORN_EXPORT bool GetMetaboliteInfoListByGUID(const char* aParentGUID, const char* aMetaboliteGUID,
                                             std::int32_t aCompartmentID, bool aOnlyRequiredAttribs,
                                             char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary& library) {
        const TInfoList list =
            library.Store().MetaboliteInfoList(InText(aParentGUID), InText(aMetaboliteGUID), aCompartmentID,
                                               aOnlyRequiredAttribs, library.DecimalSeparator());
        return PutText(InfoListText(list), aText, aSize);
    });
}

VORN_EXPORT bool GetMetabolitesList(const char* aParentGUID, std::int32_t aCompartmentID, char** aText,
                                    std::int32_t* aSize) {
    return Call(false, [&](TLibrary& library) {
        return PutText(ListText(library.Store().MetabolitePathway(InText(aParentGUID), aCompartmentID)),
                       aText, aSize);
    });
}

VORN_EXPORT bool Version(char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary&) { return PutText(VersionText, aText, aSize); });
}

// Hands out the error text of the last call; it stays until the next call, so
// a caller whose buffer was too small can ask again.
VORN_EXPORT bool GetLastError(char** aText, std::int32_t* aSize) {
    try {
        return PutText(TLibrary::Instance().LastError, aText, aSize);
    } catch (...) {
        return false;
    }
}

VORN_EXPORT bool IncompleteAttributeName(char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary&) { return PutText(IncompleteAttribute, aText, aSize); });
}

VORN_EXPORT bool IncompleteMetabsAttributeName(char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary&) { return PutText(MetabolitesIncompleteAttribute, aText, aSize); });
}

VORN_EXPORT bool ChecksumName(char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary&) { return PutText(vorn::ChecksumAttribute, aText, aSize); });
}

// The value at the target temperature by the van 't Hoff equation:
// value * exp(-H / R * (1 / T_target - 1 / T_ref)), temperatures in kelvin.
VORN_EXPORT double VanTHoffTempConversion(double aRefValue, double aRefTempC, double aTargetTempC,
                                          double aMolarEnthalpyKJMol) {
    return Call(std::numeric_limits<double>::quiet_NaN(), [&](TLibrary&) {
        constexpr double ZeroCelsius = 273.15;
        constexpr double GasConstant = 8.314462618; // J/(mol K)
        if (!(aRefTempC > -ZeroCelsius) || !(aTargetTempC > -ZeroCelsius))
            throw ESubstanceStoreError(u"Temperatures must lie above -273.15 C.");
        const double exponent = -aMolarEnthalpyKJMol * 1000.0 / GasConstant *
                                (1.0 / (aTargetTempC + ZeroCelsius) - 1.0 / (aRefTempC + ZeroCelsius));
        return aRefValue * std::exp(exponent);
    });
}

// Without a window of its own the library reports what a substance lacks as
// its error text and answers false; a complete substance answers true.
VORN_EXPORT bool ShowSubstanceErrorMessages(const char* aSubstanceGUID) {
    return Call(false, [&](TLibrary& library) {
        TSubstanceStore& store = library.Store();
        const String guid = RequireSubstance(store, aSubstanceGUID);
        const std::vector<String> missing = store.MissingAttributes(guid);
        if (missing.empty()) return true;
        String names;
        for (const String& name : missing)
            names += (names.empty() ? u"" : u", ") + name;
        library.LastError = u"Substance " + store.CodeOf(guid) + u" lacks " + names + u".";
        return false;
    });
}

VORN_EXPORT std::int32_t ImportSubstances(const char* aFilePath, const char* aFieldSep,
                                          const char* aDecimalSep, const char* aTextQualifier, bool aLock,
                                          bool aEnsure) {
    return Call(std::int32_t(-1), [&](TLibrary& library) {
        TSubstanceStore& store = library.Store();
        const String fileName = InText(aFilePath);
        RequireFile(fileName);
        std::vector<TNewSubstance> substances =
            ReadSubstanceFile(store, fileName, ImportFormat(aFieldSep, aDecimalSep, aTextQualifier));
        for (TNewSubstance& substance : substances)
            substance.Locked = aLock;
        return static_cast<std::int32_t>(store.AddSubstances(substances, aEnsure).size());
    });
}

#ifndef VORN_WITHOUT_IMPORT_METABOLITES
VORN_EXPORT std::int32_t ImportMetabolites(const char* aFilePath, const char* aFieldSep,
                                           const char* aDecimalSep, const char* aTextQualifier,
                                           bool aEnsure) {
    return Call(std::int32_t(-1), [&](TLibrary& library) {
        TSubstanceStore& store = library.Store();
        const String fileName = InText(aFilePath);
        RequireFile(fileName);
        const auto metabolites =
            ReadMetaboliteFile(store, fileName, ImportFormat(aFieldSep, aDecimalSep, aTextQualifier));
        return static_cast<std::int32_t>(store.AddMetabolites(metabolites, aEnsure).size());
    });
}
#endif

VORN_EXPORT bool BooleanToStr(bool aBool, char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary&) { return PutText(BooleanText(aBool), aText, aSize); });
}

VORN_EXPORT bool StrToBoolean(const char* aStrBool) {
    return Call(false, [&](TLibrary&) { return ReadBooleanText(InText(aStrBool)); });
}

VORN_EXPORT bool BoolTrue(char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary&) { return PutText(BooleanText(true), aText, aSize); });
}

VORN_EXPORT bool BoolFalse(char** aText, std::int32_t* aSize) {
    return Call(false, [&](TLibrary&) { return PutText(BooleanText(false), aText, aSize); });
}

// Every entry point has the type the bridge binds it with.
[[maybe_unused]] constexpr TCreate CheckCreate = &Create;
[[maybe_unused]] constexpr TDestroy CheckDestroy = &Destroy;
[[maybe_unused]] constexpr TOpenUI CheckOpenUI = &OpenUI;
[[maybe_unused]] constexpr TSetText CheckSetModelVersions = &SetModelVersions;
[[maybe_unused]] constexpr TSetText CheckSetCompartments = &SetCompartments;
[[maybe_unused]] constexpr TGetText CheckGetSubstancesGUIDList = &GetSubstancesGUIDList;
[[maybe_unused]] constexpr TGetSubstanceInfoListByGUID CheckGetSubstanceInfoListByGUID =
    &GetSubstanceInfoListByGUID;
[[maybe_unused]] constexpr TGetTextByText CheckGetSubstanceCodeByGUID = &GetSubstanceCodeByGUID;
[[maybe_unused]] constexpr TGetTextByText CheckGetGUIDBySubstanceCode = &GetGUIDBySubstanceCode;
[[maybe_unused]] constexpr TGetTextByText CheckEnsureUniqueSubstCode = &EnsureUniqueSubstCode;
[[maybe_unused]] constexpr TGetTextByText CheckGetSubstanceChecksumByGUID = &GetSubstanceChecksumByGUID;
[[maybe_unused]] constexpr TGetMetabolitesGUIDList CheckGetMetabolitesGUIDList = &GetMetabolitesGUIDList;
[[maybe_unused]] constexpr TGetMetaboliteInfoListByGUID CheckGetMetaboliteInfoListByGUID =
    &GetMetaboliteInfoListByGUID;
[[maybe_unused]] constexpr TGetMetabolitesGUIDList CheckGetMetabolitesList = &GetMetabolitesList;
[[maybe_unused]] constexpr TGetText CheckVersion = &Version;
[[maybe_unused]] constexpr TGetText CheckGetLastError = &GetLastError;
[[maybe_unused]] constexpr TGetText CheckIncompleteAttributeName = &IncompleteAttributeName;
[[maybe_unused]] constexpr TGetText CheckIncompleteMetabsAttributeName = &IncompleteMetabsAttributeName;
[[maybe_unused]] constexpr TGetText CheckChecksumName = &ChecksumName;
[[maybe_unused]] constexpr TVanTHoffTempConversion CheckVanTHoffTempConversion = &VanTHoffTempConversion;
[[maybe_unused]] constexpr TShowSubstanceErrorMessages CheckShowSubstanceErrorMessages =
    &ShowSubstanceErrorMessages;
[[maybe_unused]] constexpr TImportSubstances CheckImportSubstances = &ImportSubstances;
#ifndef VORN_WITHOUT_IMPORT_METABOLITES
[[maybe_unused]] constexpr TImportMetabolites CheckImportMetabolites = &ImportMetabolites;
#endif
[[maybe_unused]] constexpr TBooleanToStr CheckBooleanToStr = &BooleanToStr;
[[maybe_unused]] constexpr TStrToBoolean CheckStrToBoolean = &StrToBoolean;
[[maybe_unused]] constexpr TGetText CheckBoolTrue = &BoolTrue;
[[maybe_unused]] constexpr TGetText CheckBoolFalse = &BoolFalse;

#ifdef VORN_TEST_HOOKS
// Test builds only: the number of entry-point calls so far, and an error text
// the next call leaves behind whatever it does.
VORN_EXPORT std::int32_t VORNTestCallCount() {
    return CallCount;
}

VORN_EXPORT void VORNTestSetNextError(const char* aText) {
    InjectedError = InText(aText);
    HasInjectedError = true;
}
#endif
