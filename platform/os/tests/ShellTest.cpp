#include "os/Shell.h"

#include "rtltesting/TestFiles.h"

#include <fstream>
#include <gtest/gtest.h>

TEST(Shell, OpensLinksFilesAndFoldersAndRefusesTheRest) {
    TTempFolder temp;
    std::ofstream(temp.Native(u"manual.pdf")) << "%PDF";
    std::vector<String> opened;
    os::SetShellOpenHook([&](const String& target) {
        opened.push_back(target);
        return true;
    });

    struct Case {
        String target;
        bool accepted;
    };
    const Case cases[] = {
        {u"https://example.org/vandrel", true},
        {u"HTTP://example.org", true},
        {u"mailto:support@example.org", true},
        {temp / u"manual.pdf", true},
        {u"file://" + temp / u"manual.pdf", true},
        {temp.Path(), true},
        {temp / u"missing.pdf", false},
        {u"ftp://example.org/file", false},
        {u"javascript:alert(1)", false},
        {u"-h", false},
        {u"", false},
        {u"https://example.org/\nX", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(os::ShellOpen(c.target), c.accepted) << Utf8(c.target);
    EXPECT_EQ(opened, (std::vector<String>{u"https://example.org/vandrel", u"HTTP://example.org",
                                           u"mailto:support@example.org", temp / u"manual.pdf",
                                           temp / u"manual.pdf", temp.Path()}));
    os::SetShellOpenHook(nullptr);
}
