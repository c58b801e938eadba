#include "os/Process.h"

#include "rtltesting/TestFiles.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>

using namespace std::chrono_literals;

TEST(Process, RunsInItsFolderWithTheCallersEnvironmentAtLowPriority) {
    TTempFolder temp;
    setenv("OS_PROCESS_TEST", "from the caller", 1);
    const int callerPriority = getpriority(PRIO_PROCESS, 0);
    auto child = os::SpawnProcess(
        u"/bin/sh", u"-c \"pwd > pwd.txt; echo \"\"$OS_PROCESS_TEST\"\" > env.txt; sleep 0.3\"", temp.Path());
    ASSERT_NE(child, nullptr);
    int pumps = 0;
    bool lowered = false;
    child->WaitFor(
        [&] {
            if (pumps++ == 0) lowered = getpriority(PRIO_PROCESS, static_cast<id_t>(child->Pid())) == 19;
        },
        50ms);
    EXPECT_TRUE(child->Ended());
    EXPECT_TRUE(lowered);
    EXPECT_GE(pumps, 4); // 300 ms in slices of 50 ms
    EXPECT_EQ(ReadFileBytes(temp / u"pwd.txt"), temp.Native().substr(0, temp.Native().size() - 1) + "\n");
    EXPECT_EQ(ReadFileBytes(temp / u"env.txt"), "from the caller\n");
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), callerPriority);
}

TEST(Process, APumpRunsAfterTheLastSliceToo) {
    auto child = os::SpawnProcess(u"/bin/true", u"", u"/");
    ASSERT_NE(child, nullptr);
    int pumps = 0;
    child->WaitFor([&] { ++pumps; }, 5000ms);
    EXPECT_EQ(pumps, 1);
}

TEST(Process, AProgramThatCannotStartAnswersNull) {
    TTempFolder temp;
    EXPECT_EQ(os::SpawnProcess(temp / u"Tesvorik", u"", temp.Path()), nullptr);
    EXPECT_EQ(os::SpawnProcess(u"/bin/true", u"", temp / u"missing"), nullptr);
    EXPECT_EQ(os::SpawnProcess(u"", u"", temp.Path()), nullptr);
    EXPECT_EQ(String(u"Tesvorik") + os::ExeSuffix, u"Tesvorik");
}

TEST(Process, ParametersSplitLikeACommandLine) {
    struct Case {
        String text;
        std::vector<String> arguments;
    };
    const Case cases[] = {
        {u"", {}},
        {u" ", {}},
        {u"a  b\tc ", {u"a", u"b", u"c"}},
        {u"\"C:/Program Files/x\" y", {u"C:/Program Files/x", u"y"}},
        {u"\"say \"\"hi\"\"\"", {u"say \"hi\""}},
        {u"\"\"", {u""}},
        {u"pre\"fix suf\"fix", {u"prefix suffix"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(os::SplitParameters(c.text), c.arguments) << Utf8(c.text);
}
