#pragma once
// The registry string the program starts from and the folder layout below
// the data path and the program folder. Every folder ends in '/'.
//
//   GetDataPath            the data path (registry value "Datapath")
//   GetDataDir             data path + "data/"       the project database
//   GetProjectsDir         data path + "projects/"   one folder per project
//   GetPECDir              data path + "data/PEC/"   the engine, its data, inputs and outputs
//   GetProgramDir          the folder of the running program file
//   GetProgramDataDir      the folder of the data installed with the program:
//                          <prefix>/share/vandrel/ for a program installed in
//                          <prefix>/bin/, else the program folder (a build tree)
//   GetResourcesDir        program data + "data/resources/"
//   GetDefaultCropAreaFile program data + "data/CropArea/default.CropArea"
//   GetFirebirdClientPath  program folder + the Firebird client library (a file)

#include "os/Registry.h"
#include "rtl/Types.h"

// The program's key below SOFTWARE\ in the registry.
inline constexpr const Char* ProgramKeyName = u"Brennhoven\\VANDREL142";

// The string value `valueName` of `keyPath` under `rootKey`; empty when the
// key cannot be opened or the value is absent. The key is opened read-only.
String ReadRegistryString(HKEY rootKey, const String& keyPath, const String& valueName);

// Read once from HKEY_CURRENT_USER\SOFTWARE\Brennhoven\VANDREL142 "Datapath"
// (a path written on Windows is converted) and kept; later calls answer the
// kept value. Raises "No value found in registry for SOFTWARE\Brennhoven\VANDREL142"
// when the value is missing or empty, and then keeps nothing.
String GetDataPath();
// Forgets the kept data path (at program end, and between tests).
void ClearDataPath();

// These use only the kept data path and raise when GetDataPath has not read
// it yet: "Vandrel datapath not set!" ("VANDREL datapath not set!" for the
// engine folder).
String GetDataDir();
String GetProjectsDir();
String GetPECDir();

String GetProgramDir();
String GetProgramDataDir();
// The installed-data folder for a program in `programDir` (ending in '/').
String ProgramDataDirFor(const String& programDir);
String GetResourcesDir();
String GetDefaultCropAreaFile();
String GetFirebirdClientPath();
