#pragma once
// The first-run setup of one user: completes the user's data path from an
// installation and writes the registry values the programs start from, as
// the Windows installer of the desktop program did. Running it again repairs
// what is missing and changes nothing else: a file or folder that exists is
// never replaced (the project database, the scenario database, projects and
// every data file stay as the user left them), except the engine program in
// the engine folder, which follows the installed one.
//
// The data path it completes (every folder ends in '/'):
//   data/                 the project database VANDREL.db
//   data/PEC/             the engine Tesvorik and its Names.inp
//   data/CropArea/        default.CropArea
//   data/resources/       the information windows' pictures
//   scenario/             the example scenario database travo.fdb, and under
//                         TRAVO/ the lateral-entry files its runs name
//   projects/             one folder per project
//
// The registry values:
//   HKEY_CURRENT_USER\SOFTWARE\Brennhoven\VANDREL142 "Datapath"  the data path
//   HKEY_CURRENT_USER\SOFTWARE\Brennhoven\VANDREL142 "travo_db"  the scenario
//       database, unless the value already names an existing file
//   HKEY_LOCAL_MACHINE\SOFTWARE\Brennhoven\VORN "vorn_dll"       the installed
//       substance library, unless the value already names an existing file
// The substance library's store beside the library is restored when missing.

#include "rtl/Exception.h"
#include "setup/Installation.h"

#include <vector>

class ESetupError : public Exception {
public:
    using Exception::Exception;
};

// The data path used when none is asked for: the registered "Datapath" (a
// path written on Windows is converted), else $XDG_DATA_HOME/Vandrel/
// (~/.local/share/Vandrel/ when XDG_DATA_HOME is not set). Raises ESetupError
// "The user's home folder is unknown." when neither is known.
String DefaultDataPath();

class TFirstRunSetup {
public:
    TFirstRunSetup(TInstallation installation, const String& dataPath);

    const String& DataPath() const { return FDataPath; }
    // The example scenario database in the data path.
    String ScenarioDatabase() const { return FDataPath + u"scenario/travo.fdb"; }

    // Runs every step and answers one line for every change made, in order;
    // none when everything was in place. Raises ESetupError, with nothing
    // changed, when the installation lacks one of its parts:
    // "The installation in <prefix> lacks <file>."; and when a folder or file
    // cannot be made: "Cannot create the folder <folder>.",
    // "Cannot copy <file> to <file>.". A registry file that cannot be written
    // raises the registry's own error.
    std::vector<String> Run();

private:
    void CheckInstallation() const;
    // True when the folder had to be made.
    bool MakeFolder(const String& folder);
    // Copies every file and folder of `from` that `to` lacks, recursively.
    void CopyMissing(const String& from, const String& to);
    // Copies a missing file, or with `replace` puts a new copy in place of one.
    void CopyFileTo(const String& from, const String& to, bool replace);
    void PlaceEngine();
    void PlaceSubstanceStore();
    void WriteRegistryValues();

    TInstallation FInstallation;
    String FDataPath;
    std::vector<String> FChanges;
};
