#include "OddsAndEnds/VANDRELRegistry.h"
#include "VORN/VORNRegistry.h"
#include "coretesting/TestFolders.h"
#include "rtl/Encoding.h"
#include "rtltesting/ExceptionMessage.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Both registry classes run the same protocol; only their names and keys differ.
struct TVANDRELCase {
    using Class = TVANDRELRegistry;
    static constexpr const Char* Name = u"TVANDRELRegistry";
    static constexpr const Char* Key = u"Brennhoven\\VANDREL142";
};
struct TVORNCase {
    using Class = TVORNRegistry;
    static constexpr const Char* Name = u"TVORNRegistry";
    static constexpr const Char* Key = u"Brennhoven\\VORN";
};

template <class TCase>
class Singleton : public ::testing::Test {
protected:
    using R = typename TCase::Class;
    void TearDown() override { R::DestroySingleton(); }
    static String Text(const Char* format) { return Format(format, {TCase::Name, TCase::Name}); }
    TRegistrySandbox FRegistry;
};

using Cases = ::testing::Types<TVANDRELCase, TVORNCase>;
TYPED_TEST_SUITE(Singleton, Cases);

} // namespace

TYPED_TEST(Singleton, CreateGetAndDestroy) {
    using R = typename TestFixture::R;
    EXPECT_FALSE(R::Created());
    R::CreateSingleton(TypeParam::Key);
    EXPECT_TRUE(R::Created());
    EXPECT_EQ(R::GetSingleton().SoftwareKeyName(), TypeParam::Key);
    R::DestroySingleton();
    EXPECT_FALSE(R::Created());
    R::DestroySingleton(); // without an instance: nothing
    EXPECT_EQ(MessageOf<Exception>([] { R::GetSingleton(); }),
              this->Text(u"Error: Object not created, use %s.CreateSingleton."));
}

TYPED_TEST(Singleton, ASecondCreateIsRefusedAndTheFirstInstanceStays) {
    using R = typename TestFixture::R;
    R::CreateSingleton(TypeParam::Key);
    R* first = &R::GetSingleton();
    EXPECT_EQ(MessageOf<Exception>([] { R::CreateSingleton(u"Other\\Key"); }),
              this->Text(u"Error: Object already created, use %s.GetSingleton."));
    EXPECT_EQ(&R::GetSingleton(), first);
    EXPECT_EQ(first->SoftwareKeyName(), TypeParam::Key);
}

TYPED_TEST(Singleton, DirectCreateAndDestroyAreRefused) {
    using R = typename TestFixture::R;
    EXPECT_EQ(MessageOf<Exception>([] { new R(TypeParam::Key); }),
              this->Text(u"Error: Do not use %s.Create, use %s.CreateSingleton."));
    EXPECT_FALSE(R::Created());

    R::CreateSingleton(TypeParam::Key);
    EXPECT_EQ(MessageOf<Exception>([] { Free(&R::GetSingleton()); }),
              this->Text(u"Error: Do not use %s.Destroy, this would destroy the singleton object, use "
                         u"%s.DestroySingleton !"));
    EXPECT_TRUE(R::Created());
    EXPECT_EQ(R::GetSingleton().SoftwareKeyName(), TypeParam::Key);
}

TYPED_TEST(Singleton, ABlankKeyNameLeavesNoInstance) {
    using R = typename TestFixture::R;
    for (const String key : {u"", u"   "}) {
        EXPECT_THROW(R::CreateSingleton(key), EAssertionFailed);
        EXPECT_FALSE(R::Created());
    }
    R::CreateSingleton(u" Padded\\Key "); // kept as given
    EXPECT_EQ(R::GetSingleton().SoftwareKeyName(), u" Padded\\Key ");
}

TYPED_TEST(Singleton, MissingValuesNameTheWholePath) {
    using R = typename TestFixture::R;
    R::CreateSingleton(TypeParam::Key);
    R& registry = R::GetSingleton();
    const String key = TypeParam::Key;
    EXPECT_FALSE(registry.HKCUVarExists(u"travo_db", false));
    EXPECT_FALSE(registry.HKLMVarExists(u"vorn_dll", false));
    const String hkcu = u"Key\\Variable: HKEY_CURRENT_USER\\SOFTWARE\\" + key + u"\\travo_db not found";
    const String hklm = u"Key\\Variable: HKEY_LOCAL_MACHINE\\SOFTWARE\\" + key + u"\\vorn_dll not found";
    EXPECT_EQ(MessageOf<Exception>([&] { registry.HKCUVarExists(u"travo_db", true); }), hkcu);
    EXPECT_EQ(MessageOf<Exception>([&] { registry.HKCUGetStr(u"travo_db"); }), hkcu);
    EXPECT_EQ(MessageOf<Exception>([&] { registry.HKLMVarExists(u"vorn_dll", true); }), hklm);
    EXPECT_EQ(MessageOf<Exception>([&] { registry.HKLMGetStr(u"vorn_dll"); }), hklm);
    // The key exists now, the value still not.
    registry.HKCUSetStr(u"other", u"x");
    EXPECT_EQ(MessageOf<Exception>([&] { registry.HKCUGetStr(u"travo_db"); }), hkcu);
}

TYPED_TEST(Singleton, ValuesAreWrittenThroughAndDeleted) {
    using R = typename TestFixture::R;
    R::CreateSingleton(TypeParam::Key);
    R& registry = R::GetSingleton();
    const String keyPath = String(u"SOFTWARE\\") + TypeParam::Key;

    registry.HKCUSetStr(u"travo_db", u"/data/travo.fdb"); // creates the key
    registry.HKLMSetStr(u"vorn_dll", u"/opt/vorn/libvorn.so");
    TRegistry reader(KEY_READ);
    ASSERT_TRUE(reader.OpenKeyReadOnly(keyPath));
    EXPECT_EQ(reader.ReadString(u"travo_db"), u"/data/travo.fdb");
    reader.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reader.OpenKeyReadOnly(keyPath));
    EXPECT_EQ(reader.ReadString(u"vorn_dll"), u"/opt/vorn/libvorn.so");

    EXPECT_TRUE(registry.HKCUVarExists(u"TRAVO_DB", true));
    EXPECT_EQ(registry.HKCUGetStr(u"travo_db"), u"/data/travo.fdb");
    EXPECT_EQ(registry.HKLMGetStr(u"vorn_dll"), u"/opt/vorn/libvorn.so");

    registry.HKCUDelVar(u"travo_db");
    registry.HKCUDelVar(u"travo_db"); // a missing value is no error
    EXPECT_FALSE(registry.HKCUVarExists(u"travo_db", false));
    EXPECT_TRUE(registry.HKLMVarExists(u"vorn_dll", false));
}

TYPED_TEST(Singleton, DelKeyIsTakenFromTheRootOfTheCurrentUser) {
    using R = typename TestFixture::R;
    R::CreateSingleton(TypeParam::Key);
    R& registry = R::GetSingleton();
    registry.HKCUSetStr(u"kept", u"1");
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(u"Scratch\\Sub", true));
    writer.WriteString(u"v", u"1");
    registry.HKCUDelKey(u"Scratch");
    EXPECT_FALSE(writer.KeyExists(u"\\Scratch"));
    EXPECT_TRUE(registry.HKCUVarExists(u"kept", false));
}

TYPED_TEST(Singleton, BlankNamesAreRefusedByEveryOperation) {
    using R = typename TestFixture::R;
    R::CreateSingleton(TypeParam::Key);
    R& r = R::GetSingleton();
    const std::function<void(const String&)> operations[] = {
        [&](const String& n) { r.HKLMVarExists(n, false); },
        [&](const String& n) { r.HKLMGetStr(n); },
        [&](const String& n) { r.HKLMSetStr(n, u"x"); },
        [&](const String& n) { r.HKCUVarExists(n, false); },
        [&](const String& n) { r.HKCUGetStr(n); },
        [&](const String& n) { r.HKCUSetStr(n, u"x"); },
        [&](const String& n) { r.HKCUDelVar(n); },
        [&](const String& n) { r.HKCUDelKey(n); },
    };
    for (const auto& operation : operations)
        for (const String blank : {u"", u"  "})
            EXPECT_THROW(operation(blank), EAssertionFailed);
    TRegistry reader(KEY_READ);
    EXPECT_FALSE(reader.KeyExists(String(u"SOFTWARE\\") + TypeParam::Key));
}

TEST(Singletons, EachClassHasItsOwnInstance) {
    TRegistrySandbox sandbox;
    TVANDRELRegistry::CreateSingleton(u"Brennhoven\\VANDREL142");
    EXPECT_FALSE(TVORNRegistry::Created());
    EXPECT_EQ(MessageOf<Exception>([] { TVORNRegistry::GetSingleton(); }),
              u"Error: Object not created, use TVORNRegistry.CreateSingleton.");
    TVORNRegistry::CreateSingleton(VORNKeyName);
    TVANDRELRegistry::DestroySingleton();
    EXPECT_TRUE(TVORNRegistry::Created());
    EXPECT_EQ(TVORNRegistry::GetSingleton().SoftwareKeyName(), u"Brennhoven\\VORN");
    TVORNRegistry::DestroySingleton();
}
