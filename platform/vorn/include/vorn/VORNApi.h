#pragma once
// The entry points of the substance library VORN, as the desktop program
// binds them by name after loading the library at run time. Both sides of the
// boundary use these types: the bridge in the application core and our own
// stand-in library.
//
// Conventions of every entry point (C linkage, the platform's C calling
// convention):
// - a text argument is a zero-terminated Windows-1252 text;
// - a Boolean is a C++ bool;
// - an output text is a pair of in-out arguments: the address of a text
//   pointer (in: the caller's buffer; out: where the text is) and the address
//   of a size. On the way in the size is the number of characters the buffer
//   offers, not counting the terminating zero, for which the caller always
//   provides one more byte. When the text fits, the library writes it with
//   its zero into the buffer, sets the size to its length and answers true.
//   When it does not fit, the library leaves the buffer alone, sets the size
//   to the length it needs and answers false; the caller calls again with a
//   buffer of that size.
// - after every call the caller fetches the library's error text with
//   "GetLastError"; an empty text means the call succeeded.

#include <cstdint>

namespace vorn {

using TOutText = char**;
using TOutSize = std::int32_t*;

using TCreate = bool (*)(const char* aDecimalSeparator);
using TDestroy = void (*)();
using TOpenUI = void (*)(const char* aSubstanceGUID, bool aCloseConfirmation);
using TSetText = bool (*)(const char* aText);
using TGetText = bool (*)(TOutText aText, TOutSize aSize);
using TGetTextByText = bool (*)(const char* aKey, TOutText aText, TOutSize aSize);
using TGetSubstanceInfoListByGUID = bool (*)(const char* aSubstanceGUID, bool aOnlyRequiredAttribs,
                                             TOutText aText, TOutSize aSize);
using TGetMetabolitesGUIDList = bool (*)(const char* aSubstanceGUID, std::int32_t aCompartmentID,
                                         TOutText aText, TOutSize aSize);
using TGetMetaboliteInfoListByGUID = bool (*)(const char* aParentGUID, const char* aMetaboliteGUID,
                                              std::int32_t aCompartmentID, bool aOnlyRequiredAttribs,
                                              TOutText aText, TOutSize aSize);
using TVanTHoffTempConversion = double (*)(double aRefValue, double aRefTempC, double aTargetTempC,
                                           double aMolarEnthalpyKJMol);
using TShowSubstanceErrorMessages = bool (*)(const char* aSubstanceGUID);
using TImportSubstances = std::int32_t (*)(const char* aFilePath, const char* aFieldSep,
                                           const char* aDecimalSep, const char* aTextQualifier, bool aLock,
                                           bool aEnsure);
using TImportMetabolites = std::int32_t (*)(const char* aFilePath, const char* aFieldSep,
                                            const char* aDecimalSep, const char* aTextQualifier,
                                            bool aEnsure);
using TBooleanToStr = bool (*)(bool aBool, TOutText aText, TOutSize aSize);
using TStrToBoolean = bool (*)(const char* aStrBool);

} // namespace vorn
