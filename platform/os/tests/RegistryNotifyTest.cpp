#include "os/RegistryNotify.h"

#include "RegistryTestSupport.h"

#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using RegistryNotify = RegistryFixture;

namespace {

constexpr const Char* kCommon = u"Software\\Microsoft\\Office\\16.0\\Common";

void WriteInOtherProcess(const String& key, const String& name, Integer value) {
    pid_t pid = fork();
    if (pid == 0) {
        TRegistry reg;
        bool ok = reg.OpenKey(key, true);
        if (ok) reg.WriteInteger(name, value);
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace

TEST_F(RegistryNotify, FiresForAWriteFromAnotherProcessInTheSubtree) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(String(kCommon) + u"\\General", true));
    os::TRegistryChangeNotification change(HKEY_CURRENT_USER, kCommon, true, REG_NOTIFY_CHANGE_LAST_SET);
    EXPECT_FALSE(change.Wait(0));

    WriteInOtherProcess(String(kCommon) + u"\\General", u"UI Theme", 4);
    EXPECT_TRUE(change.Wait(5000));
    EXPECT_TRUE(change.Wait(0)); // stays signalled
    change.Reset();
    EXPECT_FALSE(change.Wait(0));

    WriteInOtherProcess(u"Software\\Elsewhere", u"x", 1); // outside the watched key
    EXPECT_FALSE(change.Wait(100));
    WriteInOtherProcess(kCommon, u"UI Theme", 3);
    EXPECT_TRUE(change.Wait(5000));
}

TEST_F(RegistryNotify, TheFilterAndTheSubtreeSwitchDecideWhatCounts) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kCommon, true));
    os::TRegistryChangeNotification values(HKEY_CURRENT_USER, kCommon, false, REG_NOTIFY_CHANGE_LAST_SET);
    os::TRegistryChangeNotification names(HKEY_CURRENT_USER, kCommon, false, REG_NOTIFY_CHANGE_NAME);
    reg.CreateKey(u"Sub");
    EXPECT_TRUE(names.Wait(5000));
    EXPECT_FALSE(values.Wait(50));
    names.Reset();
    ASSERT_TRUE(reg.OpenKey(u"Sub", false));
    reg.WriteInteger(u"v", 1); // below the key, not watched without the subtree
    EXPECT_FALSE(values.Wait(50));
    EXPECT_FALSE(names.Wait(0));
}

TEST_F(RegistryNotify, SignalWakesAWaitingThread) {
    os::TRegistryChangeNotification change(HKEY_CURRENT_USER, kCommon, true, REG_NOTIFY_CHANGE_LAST_SET);
    std::thread stopper([&] { change.Signal(); });
    EXPECT_TRUE(change.Wait(-1));
    stopper.join();
}
