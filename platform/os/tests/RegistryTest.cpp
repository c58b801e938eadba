#include "os/Registry.h"

#include "RegistryTestSupport.h"
#include "rtl/StringList.h"

#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs body in a child process and answers whether it ended normally with 0.
template <class F>
pid_t Fork(F body) {
    pid_t pid = fork();
    if (pid == 0) {
        int code = 1;
        try {
            code = body() ? 0 : 1;
        } catch (...) {
        }
        _exit(code);
    }
    return pid;
}

bool Succeeded(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

using Registry = RegistryFixture;

TEST_F(Registry, ValuesSurviveAReopenAndAreWrittenAtOnce) {
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.OpenKey(u"SOFTWARE\\Brennhoven\\VANDREL142", true));
        reg.WriteString(u"travo_db", u"/srv/travo/\"db\"\\x.fdb");
        reg.WriteInteger(u"Col0", -64);
        reg.WriteBool(u"Flag", true);
        reg.WriteString(u"Note", u"two\r\nlines µ");
    }
    EXPECT_EQ(ReadFileBytes(Hives() / u"HKEY_CURRENT_USER.reg"),
              "; HKEY_CURRENT_USER\n"
              "[SOFTWARE]\n"
              "[SOFTWARE\\Brennhoven]\n"
              "[SOFTWARE\\Brennhoven\\VANDREL142]\n"
              "\"travo_db\"=\"/srv/travo/\\\"db\\\"\\\\x.fdb\"\n"
              "\"Col0\"=dword:ffffffc0\n"
              "\"Flag\"=dword:00000001\n"
              "\"Note\"=\"two\\r\\nlines \xC2\xB5\"\n");

    // Another process reads what this one wrote.
    EXPECT_TRUE(Succeeded(Fork([] {
        TRegistry reg;
        return reg.OpenKeyReadOnly(u"\\Software\\brennhoven\\vandrel142") &&
               reg.ReadString(u"TRAVO_DB") == u"/srv/travo/\"db\"\\x.fdb" &&
               reg.ReadInteger(u"col0") == -64 && reg.ReadBool(u"Flag") &&
               reg.ReadString(u"Note") == u"two\r\nlines µ";
    })));
}

TEST_F(Registry, NamesCompareCaseInsensitivelyAndKeepTheirCase) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(u"Software\\Microsoft\\Office\\16.0\\Common", true));
    reg.WriteInteger(u"UI Theme", 3);
    reg.WriteInteger(u"ui theme", 4);
    EXPECT_EQ(reg.ValueNames(), std::vector<String>{u"UI Theme"});
    EXPECT_EQ(reg.ReadInteger(u"UI THEME"), 4);
    reg.WriteString(u"Größe", u"1");
    EXPECT_EQ(reg.ReadString(u"GRÖßE"), u"1");
    reg.CloseKey();
    EXPECT_TRUE(reg.KeyExists(u"SOFTWARE\\MICROSOFT\\office\\16.0\\common"));
    EXPECT_TRUE(reg.OpenKey(u"software\\microsoft", false));
    EXPECT_TRUE(reg.OpenKey(u"OFFICE", true)); // relative to the open key
    EXPECT_EQ(reg.CurrentPath(), u"software\\microsoft\\OFFICE");
    EXPECT_TRUE(reg.CreateKey(u"12.0"));
    EXPECT_TRUE(reg.CreateKey(u"Alpha"));
    TStringList names;
    names.Add(u"old");
    reg.GetKeyNames(&names);
    EXPECT_EQ(names.CommaText(), u"12.0,16.0,Alpha");
    EXPECT_TRUE(reg.HasSubKeys());
}

TEST_F(Registry, MissingKeysValuesAndTypes) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(u"Software\\Nothing", false));
    EXPECT_FALSE(reg.OpenKeyReadOnly(u"Software\\Nothing"));
    EXPECT_EQ(reg.CurrentKey(), 0u);
    EXPECT_FALSE(reg.KeyExists(u"Software"));
    ASSERT_TRUE(reg.OpenKey(u"Software\\Brennhoven\\VORN", true));
    EXPECT_FALSE(reg.ValueExists(u"vorn_dll"));
    EXPECT_EQ(reg.GetDataType(u"vorn_dll"), rdUnknown);
    EXPECT_EQ(reg.ReadString(u"vorn_dll"), u"");
    reg.WriteString(u"Theme", u"3");
    reg.WriteInteger(u"Count", 7);
    EXPECT_EQ(reg.GetDataType(u"Theme"), rdString);
    EXPECT_EQ(reg.GetDataType(u"Count"), rdInteger);

    struct Case {
        std::function<void()> call;
        String message;
    };
    const Case cases[] = {
        {[&] { reg.ReadInteger(u"vorn_dll"); }, u"Failed to get data for 'vorn_dll'"},
        {[&] { reg.ReadInteger(u"Theme"); }, u"Invalid data type for 'Theme'"},
        {[&] { reg.ReadString(u"Count"); }, u"Invalid data type for 'Count'"},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "no exception for " << Utf8(c.message);
        } catch (const ERegistryException& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    EXPECT_TRUE(reg.DeleteValue(u"THEME"));
    EXPECT_FALSE(reg.DeleteValue(u"Theme"));
    TStringList names;
    reg.GetValueNames(&names);
    EXPECT_EQ(names.CommaText(), u"Count");
}

TEST_F(Registry, ReadOnlyKeysRefuseWrites) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(u"Software\\A", true));
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKeyReadOnly(u"Software\\A"));
    try {
        reg.WriteString(u"x", u"y");
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), u"Failed to set data for 'x'");
    }
    EXPECT_FALSE(reg.DeleteValue(u"x"));
    reg.CloseKey();
    EXPECT_THROW(reg.WriteInteger(u"x", 1), ERegistryException); // no key open

    TRegistry reader(KEY_READ);
    EXPECT_FALSE(reader.OpenKey(u"Software\\B", true));
    EXPECT_FALSE(reader.KeyExists(u"Software\\B"));
}

TEST_F(Registry, DeleteKeyRemovesTheSubtreeAndLaterWritesToItFail) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(u"Software\\Brennhoven\\VANDREL142\\Grid", true));
    reg.WriteInteger(u"Col0", 1);
    TRegistry other;
    EXPECT_TRUE(other.DeleteKey(u"software\\brennhoven"));
    EXPECT_FALSE(other.DeleteKey(u"software\\brennhoven"));
    EXPECT_TRUE(other.KeyExists(u"Software"));
    EXPECT_FALSE(other.KeyExists(u"Software\\Brennhoven\\VANDREL142"));
    EXPECT_THROW(reg.WriteInteger(u"Col0", 2), ERegistryException);
    EXPECT_FALSE(reg.ValueExists(u"Col0"));
}

TEST_F(Registry, TheTwoRootsAreSeparateFiles) {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey(u"SOFTWARE\\Brennhoven\\VORN", true));
    reg.WriteString(u"vorn_dll", u"/opt/vorn/libvorn.so");
    reg.SetRootKey(HKEY_CURRENT_USER);
    EXPECT_EQ(reg.CurrentKey(), 0u);
    EXPECT_FALSE(reg.KeyExists(u"SOFTWARE\\Brennhoven\\VORN"));
    EXPECT_EQ(RegistryHiveFileName(HKEY_LOCAL_MACHINE), Hives() / u"HKEY_LOCAL_MACHINE.reg");
}

TEST_F(Registry, HiveFilesWrittenByHandAreRead) {
    WriteFileBytes(Hives() / u"HKEY_CURRENT_USER.reg",
                   "; written by hand\r\n\r\n[Software\\X\\Y]\r\n\"a\"=\"1\"\r\n@=dword:0000000A\r\n");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(u"Software\\X\\Y"));
    EXPECT_EQ(reg.ReadString(u"a"), u"1");
    EXPECT_EQ(reg.ReadInteger(u""), 10);
    EXPECT_TRUE(reg.KeyExists(u"\\Software\\X"));
}

TEST_F(Registry, ADamagedHiveIsReportedNotOverwritten) {
    const std::string damaged = "[Software]\n\"a\"=\"unterminated\n";
    WriteFileBytes(Hives() / u"HKEY_CURRENT_USER.reg", damaged);
    TRegistry reg;
    try {
        reg.OpenKey(u"Software", true);
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(),
                  u"The registry file \"" + Hives() / u"HKEY_CURRENT_USER.reg" + u"\" is damaged at line 2.");
    }
    EXPECT_THROW(reg.CreateKey(u"Other"), ERegistryException);
    EXPECT_EQ(ReadFileBytes(Hives() / u"HKEY_CURRENT_USER.reg"), damaged);
}

TEST_F(Registry, ConcurrentWritersFromTwoProcessesLoseNothing) {
    constexpr int kWrites = 60;
    auto writer = [](const char16_t* prefix) {
        return [prefix] {
            TRegistry reg;
            if (!reg.OpenKey(u"Software\\Shared", true)) return false;
            for (int i = 0; i < kWrites; ++i)
                reg.WriteInteger(prefix + FromUtf8(std::to_string(i)), i);
            return true;
        };
    };
    pid_t a = Fork(writer(u"a"));
    pid_t b = Fork(writer(u"b"));
    ASSERT_TRUE(Succeeded(a));
    ASSERT_TRUE(Succeeded(b));
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(u"Software\\Shared"));
    EXPECT_EQ(reg.ValueNames().size(), 2u * kWrites);
    EXPECT_EQ(reg.ReadInteger(u"a59") + reg.ReadInteger(u"b59"), 118);
}

TEST_F(Registry, AReaderNeverSeesAHalfWrittenHive) {
    // Each write replaces a large value by one of equal length; a reader that
    // saw a partly written file would read a damaged hive or a short value.
    const String big(20000, u'x');
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(u"Software\\Big", true));
        reg.WriteString(u"v", big);
    }
    pid_t writer = Fork([&] {
        TRegistry reg;
        if (!reg.OpenKey(u"Software\\Big", false)) return false;
        for (int i = 0; i < 150; ++i)
            reg.WriteString(u"v", String(20000, i % 2 ? u'y' : u'x'));
        return true;
    });
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(u"Software\\Big"));
    int reads = 0, status = 0;
    for (; waitpid(writer, &status, WNOHANG) == 0; ++reads) {
        const String value = reg.ReadString(u"v");
        ASSERT_EQ(value.size(), 20000u);
        ASSERT_EQ(value.find_first_not_of(value.front()), String::npos);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_GT(reads, 0);
}
