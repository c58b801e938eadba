// The substance-library bridge against the libvorn.so the project builds (and
// two test builds of it), with a private registry and a scripted user.

#include "VORN/VORNInterface.h"

#include "VORN/VORNRegistry.h"
#include "coretesting/ScriptedUserInteraction.h"
#include "coretesting/TestFolders.h"
#include "os/FileUtils.h"
#include "os/Registry.h"
#include "rtl/Encoding.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"
#include "rtltesting/ExceptionMessage.h"

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

using TCallKind = TScriptedUserInteraction::TCallKind;

const String Library = FromUtf8(VORN_LIBRARY);
const String HooksLibrary = FromUtf8(VORN_TEST_HOOKS_LIBRARY);
const String LibraryWithoutExport = FromUtf8(VORN_WITHOUT_EXPORT_LIBRARY);
const String ExamplofenGUID = u"{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}";
const String DraftazoleGUID = u"{D41B6E08-7F2C-49A3-85E6-0C9A3B1D7F24}";
const Char* KeyPath = u"SOFTWARE\\Brennhoven\\VORN";

void WriteLibraryPath(HKEY root, const String& path) {
    TRegistry registry;
    registry.SetRootKey(root);
    ASSERT_TRUE(registry.OpenKey(KeyPath, true));
    registry.WriteString(TVORNInterface::LibraryPathValue, path);
}

std::optional<String> LibraryPath(HKEY root) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(root);
    if (!registry.OpenKeyReadOnly(KeyPath) || !registry.ValueExists(TVORNInterface::LibraryPathValue))
        return std::nullopt;
    return registry.ReadString(TVORNInterface::LibraryPathValue);
}

// A GUID list or information list handed out by the bridge, freed with the
// information lists attached to it.
struct TOwnedList {
    TStringList* List = nullptr;
    ~TOwnedList() {
        for (Integer i = 0; List && i < List->Count(); ++i)
            Free(List->Objects(i));
        Free(List);
    }
    TStringList* Info(Integer index) const { return static_cast<TStringList*>(List->Objects(index)); }
};

class VORNInterface : public ::testing::Test {
protected:
    VORNInterface() {
        std::filesystem::copy_file(VORN_EXAMPLE_STORE, Utf8(FStore / u"vorn.sqlite"));
        setenv("VORN_STORE", Utf8(FStore / u"vorn.sqlite").c_str(), 1);
    }
    ~VORNInterface() override {
        TVORNInterface::DestroySingleton();
        TVORNRegistry::DestroySingleton();
        unsetenv("VORN_STORE");
    }

    // The bridge over the given library, named machine-wide.
    static void CreateBridge(const String& library = Library) {
        WriteLibraryPath(HKEY_LOCAL_MACHINE, library);
        TVORNInterface::CreateSingleton(u".");
    }
    static TVORNInterface& Bridge() { return TVORNInterface::GetSingleton(); }

    TRegistrySandbox FRegistry;
    TTestFolder FStore;
    TScriptedUserInteraction FUser;
};

TEST_F(VORNInterface, ListsSubstancesWithTheirInfoListsAndChecksums) {
    const String workingFolder = GetCurrentDir();
    CreateBridge();
    EXPECT_EQ(GetCurrentDir(), workingFolder);
    EXPECT_TRUE(Bridge().VORNDBConnected());
    EXPECT_TRUE(Bridge().SetModelVersions(u"MODEL=VANDREL/SHELL=VANDREL;2"));
    const String checksumName = Bridge().ChecksumName();
    const String incompleteName = Bridge().IncompleteAttributeName();

    TOwnedList substances;
    Bridge().GetSubstancesGUIDList(true, true, substances.List);
    ASSERT_EQ(substances.List->Count(), 5);
    EXPECT_EQ(substances.List->Strings(0), u"{0F5D8A93-C2B4-4D67-8E1A-935B2C7D4F03}");
    EXPECT_EQ(substances.Info(0)->Values(u"SubstanceCode"), u"Demothrin");
    EXPECT_EQ(substances.Info(1)->Values(u"SubstanceGUID"), DraftazoleGUID);
    EXPECT_TRUE(Bridge().StrToBoolean(substances.Info(1)->Values(incompleteName)));
    EXPECT_FALSE(Bridge().StrToBoolean(substances.Info(2)->Values(incompleteName)));

    const TStringList& examplofen = *substances.Info(2);
    EXPECT_EQ(examplofen.Values(u"SubstanceCode"), u"Examplofen");
    for (const auto& [name, value] :
         std::initializer_list<std::pair<const Char*, const Char*>>{{u"DT50WatRef", u"12.5"},
                                                                    {u"TemRefTraWat", u"20"},
                                                                    {u"SlbWatRef", u"100"},
                                                                    {u"TemRefSlb", u"20"},
                                                                    {u"MolMass", u"291.3"},
                                                                    {u"PreVapRef", u"2E-5"},
                                                                    {u"TemRefVap", u"20"},
                                                                    {u"KomSed", u"450"},
                                                                    {u"MolEntTraWat", u"65.4"}})
        EXPECT_EQ(examplofen.Values(name), value) << Utf8(name);
    EXPECT_EQ(Bridge().GetSubstanceChecksumByGUID(ExamplofenGUID), examplofen.Values(checksumName));
    EXPECT_EQ(Length(examplofen.Values(checksumName)), 16);
    EXPECT_EQ(Bridge().GetSubstanceChecksumByGUID(u"{00000000-0000-0000-0000-000000000000}"), u"");

    // A list passed in is emptied and refilled, its information lists freed.
    Bridge().GetSubstancesGUIDList(false, true, substances.List);
    EXPECT_EQ(substances.List->Count(), 5);
    EXPECT_EQ(substances.List->Objects(0), nullptr);
}

TEST_F(VORNInterface, ALongTextComesBackWholeThroughTheRetryAndBlanksStayInsideValues) {
    CreateBridge();
    const String file = FStore / u"many.csv";
    {
        std::ofstream lines(Utf8(file), std::ios::binary);
        lines << "SubstanceCode;Name\r\n";
        for (int i = 0; i < 120; ++i)
            lines << "\"Code " << i << "\";\"Substance number " << i << "\"\r\n";
    }
    EXPECT_EQ(Bridge().ImportSubstances(file, u";", u".", u"\"", false, false), 120);

    // 125 identifiers of 38 characters with separators exceed the first
    // buffer of 3901 characters.
    TOwnedList substances;
    Bridge().GetSubstancesGUIDList(false, false, substances.List);
    ASSERT_EQ(substances.List->Count(), 125);
    std::set<String> distinct;
    for (Integer i = 0; i < substances.List->Count(); ++i) {
        EXPECT_EQ(Length(substances.List->Strings(i)), 38);
        distinct.insert(substances.List->Strings(i));
    }
    EXPECT_EQ(distinct.size(), 125u);

    TOwnedList info;
    Bridge().GetSubstanceInfoListByGUID(Bridge().GetGUIDBySubstanceCode(u"Code 7"), false, info.List);
    EXPECT_EQ(info.List->Values(u"SubstanceCode"), u"Code 7");
    EXPECT_EQ(info.List->Values(u"Name"), u"Substance number 7");
}

TEST_F(VORNInterface, AnErrorOfTheLibraryBecomesEVORNException) {
    CreateBridge();
    EXPECT_EQ(
        MessageOf<EVORNException>([] { Bridge().OpenUI(ExamplofenGUID, false); }),
        u"EVORNException: The substance library cannot show its editing window here; substance Examplofen "
        u"was not changed.");
    EXPECT_EQ(MessageOf<EVORNException>([] { Bridge().StrToBoolean(u"maybe"); }),
              u"EVORNException: \"maybe\" is no Boolean text; use \"True\" or \"False\".");
}

TEST_F(VORNInterface, AnErrorWhileTheLibraryStartsIsRaisedAndTheBridgeStays) {
    setenv("VORN_STORE", "/nonexistent/vorn.sqlite", 1);
    EXPECT_EQ(MessageOf<EVORNException>([] { CreateBridge(); }),
              u"EVORNException: Cannot open the substance store \"/nonexistent/vorn.sqlite\": unable to open "
              u"database "
              u"file.");
    ASSERT_TRUE(TVORNInterface::Created());
    EXPECT_FALSE(Bridge().VORNDBConnected());
}

TEST_F(VORNInterface, BlankArgumentsAreRefusedBeforeAnyLibraryCall) {
    CreateBridge(HooksLibrary);
    void* hooks = dlopen(VORN_TEST_HOOKS_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(hooks, nullptr);
    const auto callCount = reinterpret_cast<std::int32_t (*)()>(dlsym(hooks, "VORNTestCallCount"));
    dlclose(hooks);
    const std::int32_t callsBefore = callCount();

    TStringList* list = nullptr;
    const String missing = FStore / u"missing.csv";
    struct TCase {
        std::function<void()> Call;
        String Message;
    };
    for (const TCase& c : std::initializer_list<TCase>{
             {[] { Bridge().GetSubstanceChecksumByGUID(u"   "); },
              u"TVORNInterface.GetSubstanceChecksumByGUID : Error, empty substance guid"},
             {[&] { Bridge().GetSubstanceInfoListByGUID(u"", true, list); },
              u"TVORNInterface.GetSubstanceInfoListByGUID : Error, empty substance guid"},
             {[] { Bridge().GetSubstanceCodeByGUID(u" "); },
              u"TVORNInterface.GetSubstanceCodeByGUID : Error, empty substance guid"},
             {[] { Bridge().GetGUIDBySubstanceCode(u"\t"); },
              u"TVORNInterface.GetGUIDBySubstanceCode : Error, empty substance code"},
             {[] { Bridge().EnsureUniqueSubstCode(u""); },
              u"TVORNInterface.EnsureUniqueSubstCode : Error, empty substance code"},
             {[&] { Bridge().GetMetaboliteInfoListByGUID(u" ", ExamplofenGUID, 1, true, list); },
              u"TVORNInterface.GetMetaboliteInfoListByGUID : Error, empty parent guid"},
             {[&] { Bridge().GetMetaboliteInfoListByGUID(ExamplofenGUID, u" ", 1, true, list); },
              u"TVORNInterface.GetMetaboliteInfoListByGUID : Error, empty metabolite guid"},
             {[&] { Bridge().GetMetabolitesList(u"", 1, list); },
              u"TVORNInterface.GetMetabolitesList : Error, empty parent guid"},
             {[] { Bridge().ImportSubstances(u" ", u";", u".", u"\"", false, false); },
              u"TVORNInterface.ImportSubstances : Error, empty filepath"},
             {[&] { Bridge().ImportMetabolites(missing, u";", u".", u"\"", false); },
              u"TVORNInterface.ImportMetabolites : File \"" + missing + u"\" does not exist."},
         })
        EXPECT_EQ(MessageOf(c.Call), c.Message);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(callCount(), callsBefore);
}

TEST_F(VORNInterface, AnErrorTextOfBlanksRaisesNothing) {
    CreateBridge(HooksLibrary);
    void* hooks = dlopen(VORN_TEST_HOOKS_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(hooks, nullptr);
    const auto setNextError = reinterpret_cast<void (*)(const char*)>(dlsym(hooks, "VORNTestSetNextError"));
    dlclose(hooks);

    setNextError("   ");
    EXPECT_EQ(Bridge().GetSubstanceCodeByGUID(ExamplofenGUID), u"Examplofen");
    setNextError(" Disk full ");
    EXPECT_EQ(MessageOf<EVORNException>([] { Bridge().GetSubstanceCodeByGUID(ExamplofenGUID); }),
              u"EVORNException:  Disk full ");
}

TEST_F(VORNInterface, ALibraryLackingAnEntryPointIsNotBound) {
    EXPECT_EQ(
        MessageOf([] { CreateBridge(LibraryWithoutExport); }),
        u"TVORNInterface.Create : Failure locating the addres of procedure / function ImportMetabolites");
    EXPECT_FALSE(TVORNInterface::Created());
    EXPECT_FALSE(TVORNRegistry::Created());
    EXPECT_EQ(dlopen(VORN_WITHOUT_EXPORT_LIBRARY, RTLD_NOW | RTLD_NOLOAD), nullptr); // released again
}

TEST_F(VORNInterface, TheBridgeIsASingleton) {
    EXPECT_EQ(MessageOf([] { (void)new TVORNInterface(u"."); }),
              u"TVORNInterface.Create : Error, do not use TVORNInterface.Create, use "
              u"TVORNInterface.CreateSingleton.");
    EXPECT_EQ(
        MessageOf([] { TVORNInterface::GetSingleton(); }),
        u"TVORNInterface.GetSingleton : Error, object not created, use TVORNInterface.CreateSingleton.");

    CreateBridge();
    TVORNInterface* first = &Bridge();
    EXPECT_TRUE(TVORNRegistry::Created());
    EXPECT_EQ(
        MessageOf([] { TVORNInterface::CreateSingleton(u"."); }),
        u"TVORNInterface.CreateSingleton : Error, object already created, use TVORNInterface.GetSingleton.");
    EXPECT_EQ(MessageOf([] { Free(&Bridge()); }), u"TVORNInterface.Destroy : Error, do not use "
                                                  u"TVORNInterface.Destroy, this would destroy the singleton "
                                                  u"object, use TVORNInterface.DestroySingleton !");
    EXPECT_EQ(&Bridge(), first);
    EXPECT_EQ(Bridge().GetSubstanceCodeByGUID(ExamplofenGUID), u"Examplofen");

    TVORNInterface::DestroySingleton();
    EXPECT_FALSE(TVORNInterface::Created());
    EXPECT_FALSE(TVORNRegistry::Created());
    EXPECT_EQ(dlopen(VORN_LIBRARY, RTLD_NOW | RTLD_NOLOAD), nullptr); // released
}

TEST_F(VORNInterface, AValidMachineWideLibraryWinsAndTheUsersCopyIsDeleted) {
    WriteLibraryPath(HKEY_CURRENT_USER, u"/old/place/libvorn.so");
    CreateBridge();
    EXPECT_EQ(LibraryPath(HKEY_CURRENT_USER), std::nullopt);
    EXPECT_EQ(LibraryPath(HKEY_LOCAL_MACHINE), Library);
    EXPECT_TRUE(FUser.Calls().empty());
}

TEST_F(VORNInterface, WithoutALibraryFileTheUserIsAskedAndTheAnswerKeptForTheUser) {
    FUser.AnswerOpenFile(Library);
    CreateBridge(u"/moved/libvorn.so");
    EXPECT_TRUE(TVORNInterface::Created());
    EXPECT_EQ(LibraryPath(HKEY_CURRENT_USER), Library);
    EXPECT_EQ(LibraryPath(HKEY_LOCAL_MACHINE), u"/moved/libvorn.so");
    EXPECT_EQ(FUser.Texts(TCallKind::Warning),
              std::vector<String>{u"Cannot find the file vorn_dll.dll, it has possibly been moved to another "
                                  u"location.\r\rPlease use the open dialog to locate this file yourself."});
    ASSERT_EQ(FUser.OpenFileRequests().size(), 1u);
    EXPECT_EQ(FUser.OpenFileRequests()[0].Filter, u"Shared libraries (*.so)|*.so|All files (*.*)|*.*");
}

TEST_F(VORNInterface, TheUsersValueComesBeforeAMissingMachineWideOne) {
    WriteLibraryPath(HKEY_CURRENT_USER, Library);
    CreateBridge(u"/moved/libvorn.so");
    EXPECT_TRUE(FUser.Calls().empty());
    EXPECT_EQ(LibraryPath(HKEY_CURRENT_USER), Library);
}

TEST_F(VORNInterface, ACancelledSearchFailsAndIsRememberedAsEmpty) {
    FUser.CancelOpenFile();
    EXPECT_EQ(MessageOf([] { TVORNInterface::CreateSingleton(u"."); }),
              u"TVORNInterface.Create : Error locating the VORN dll path");
    EXPECT_FALSE(TVORNInterface::Created());
    EXPECT_FALSE(TVORNRegistry::Created());
    EXPECT_EQ(LibraryPath(HKEY_CURRENT_USER), u"");

    // The next start asks again.
    FUser.AnswerOpenFile(Library);
    TVORNInterface::CreateSingleton(u".");
    EXPECT_EQ(LibraryPath(HKEY_CURRENT_USER), Library);
}

TEST_F(VORNInterface, VersionNeedsNoBridge) {
    WriteLibraryPath(HKEY_LOCAL_MACHINE, Library);
    EXPECT_EQ(TVORNInterface::Version(), u"1.0 (stand-in substance library of Vandrel)");
    EXPECT_FALSE(TVORNRegistry::Created());
    EXPECT_FALSE(TVORNInterface::Created());
}

} // namespace
