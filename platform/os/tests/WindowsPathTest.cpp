#include "os/WindowsPath.h"

#include "os/FileUtils.h"
#include "rtltesting/TestFiles.h"

#include <fstream>
#include <gtest/gtest.h>

TEST(WindowsPath, MapsTheDriveAndFindsComponentsWithoutRegardToCase) {
    TTempFolder temp;
    const String root = temp / u"drive-c/";
    ASSERT_TRUE(ForceDirectories(root + u"travo/projects/p1/macro/Maize"));
    ASSERT_TRUE(ForceDirectories(root + u"Data/PEC"));
    std::ofstream(Utf8(root + u"travo/projects/p1/macro/Maize/x.m2t")) << "x";
    os::SetDriveRoot(u'c', root);

    struct Case {
        String windows, converted;
    };
    const Case cases[] = {
        {u"C:\\Travo\\Projects\\p1\\MACRO\\maize\\x.m2t", root + u"travo/projects/p1/macro/Maize/x.m2t"},
        {u"c:\\DATA\\pec\\", root + u"Data/PEC/"},
        {u"C:\\Travo\\Missing\\MACRO\\x.m2t", root + u"travo/Missing/MACRO/x.m2t"},
        {u"C:", root},
        {u"data\\PEC\\Summary.out", u"data/PEC/Summary.out"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(os::ConvertWindowsPath(c.windows), c.converted) << Utf8(c.windows);
}

TEST(WindowsPath, UnmappedDrivesUseTheDefaultRoot) {
    unsetenv("VANDREL_DRIVE_ROOT");
    EXPECT_EQ(os::DriveRoot(u'Q'), u"/");
    EXPECT_EQ(os::ConvertWindowsPath(u"Q:\\nothing\\here"), u"/nothing/here");
    setenv("VANDREL_DRIVE_ROOT", "/srv/windows", 1);
    EXPECT_EQ(os::ConvertWindowsPath(u"q:\\nothing"), u"/srv/windows/nothing");
    unsetenv("VANDREL_DRIVE_ROOT");
}
