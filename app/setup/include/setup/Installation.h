#pragma once
// Where an installed copy of the programs keeps its parts, below its prefix
// (the folder `cmake --install` was given, /usr/local by default):
//
//   bin/Tesvorik                    the engine, copied into each user's engine folder
//   bin/vandrel-setup               the first-run setup
//   lib/vandrel/libvorn.so          the substance library, with its store vorn.sqlite
//   etc/HKEY_LOCAL_MACHINE.reg      the machine-wide registry values
//   share/vandrel/data/             the user's data folder as installed: VANDREL.db,
//                                   PEC/Names.inp, CropArea/default.CropArea, resources/
//   share/vandrel/scenario/         the example scenario database travo.fdb with the
//                                   lateral-entry files under TRAVO/
//   share/vandrel/substances/       the example substance store, to restore a missing one
//   share/vandrel/examples/project/ the engine inputs of the example project

#include "rtl/Types.h"

class TInstallation {
public:
    // Every folder answered ends in '/'.
    explicit TInstallation(const String& prefix);
    // The installation the running program belongs to: the program lives in
    // the prefix's bin/.
    static TInstallation OfRunningProgram();

    const String& Prefix() const { return FPrefix; }
    String EngineProgram() const { return FPrefix + u"bin/Tesvorik"; }
    String SubstanceLibrary() const { return FPrefix + u"lib/vandrel/libvorn.so"; }
    String SubstanceStore() const { return FPrefix + u"lib/vandrel/vorn.sqlite"; }
    String TemplatesFolder() const { return FPrefix + u"share/vandrel/"; }
    String DataTemplates() const { return TemplatesFolder() + u"data/"; }
    String ScenarioTemplates() const { return TemplatesFolder() + u"scenario/"; }
    String SubstanceStoreTemplate() const { return TemplatesFolder() + u"substances/vorn.sqlite"; }

private:
    String FPrefix;
};
