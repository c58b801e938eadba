#include "core/RunAndWait.h"

#include "coretesting/ScriptedUserInteraction.h"
#include "coretesting/TestFolders.h"
#include "os/FileUtils.h"
#include "rtl/Encoding.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// A program that writes its folder and its argument count, then sleeps.
String WriteProgram(const TTestFolder& folder, const std::string& sleep) {
    const String program = folder / u"Tesvorik";
    std::ofstream(Utf8(program)) << "#!/bin/sh\npwd > pwd.txt\necho $# > count.txt\nsleep " << sleep << "\n";
    chmod(Utf8(program).c_str(), 0755);
    return program;
}

} // namespace

TEST(RunAndWait, RunsInTheWorkingFolderAndPumpsUntilTheProgramEnds) {
    TTestFolder folder;
    ForceDirectories(folder / u"PEC");
    const String program = WriteProgram(folder, "0.2");
    TScriptedUserInteraction ui;
    bool activeWhileWaiting = false;
    ui.OnProcessMessages = [&] { activeWhileWaiting = RunAndWaitActive(); };

    EXPECT_TRUE(RunAndWait(program, u"", folder / u"PEC"));
    EXPECT_GE(ui.ProcessMessagesCount(), 1);
    EXPECT_TRUE(activeWhileWaiting);
    EXPECT_FALSE(RunAndWaitActive());
    EXPECT_EQ(ReadFileBytes(folder / u"PEC/pwd.txt"), Utf8(folder / u"PEC") + "\n");
    // Empty parameters hand the program no arguments at all.
    EXPECT_EQ(ReadFileBytes(folder / u"PEC/count.txt"), "0\n");
    EXPECT_TRUE(ui.Calls().empty());
}

TEST(RunAndWait, AProgramThatCannotStartAnswersFalseWithoutWaiting) {
    TTestFolder folder;
    TScriptedUserInteraction ui;
    EXPECT_FALSE(RunAndWait(folder / u"Tesvorik", u"", folder.Path()));
    EXPECT_EQ(ui.ProcessMessagesCount(), 0);
    EXPECT_FALSE(RunAndWaitActive());
}

TEST(RunAndWait, AnEventHandlerCannotStartASecondProgramWhileOneRuns) {
    TTestFolder folder;
    const String program = WriteProgram(folder, "0.2");
    TScriptedUserInteraction ui;
    int nestedStarts = 0;
    bool nestedAnswer = true;
    ui.OnProcessMessages = [&] {
        if (nestedStarts++ == 0) nestedAnswer = RunAndWait(program, u"second", folder.Path());
    };
    EXPECT_TRUE(RunAndWait(program, u"", folder.Path()));
    EXPECT_FALSE(nestedAnswer);
    EXPECT_EQ(ReadFileBytes(folder / u"count.txt"), "0\n"); // only the first program ran
    EXPECT_TRUE(RunAndWait(program, u"again \"with blanks\"", folder.Path()));
    EXPECT_EQ(ReadFileBytes(folder / u"count.txt"), "2\n");
}

TEST(RunAndWait, WorksWithoutAUserInteraction) {
    TTestFolder folder;
    EXPECT_TRUE(RunAndWait(WriteProgram(folder, "0"), u"", folder.Path()));
}
