#include "engine/InputReader.h"

#include "TestProject.h"

#include <functional>
#include <gtest/gtest.h>

namespace tesvorik {
namespace {

InputReader Reader(std::vector<std::string> lines) {
    return InputReader("Test.inp", std::move(lines));
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const InputError& error) {
        return error.what();
    }
    return "no error";
}

TEST(InputReader, WholeLineReadingCutsOrPadsAndCountsBlankLines) {
    InputReader reader = Reader({"DE PUNT", "", "A NAME LONGER THAN NINETEEN", "last"});
    EXPECT_EQ(reader.ReadLine(19), "DE PUNT            ");
    EXPECT_EQ(reader.ReadLine(19), std::string(19, ' '));
    EXPECT_EQ(reader.ReadLine(19), "A NAME LONGER THAN ");
    reader.SkipLines(1);
    EXPECT_EQ(ErrorOf([&] { reader.ReadLine(5); }), "Error reading Test.inp: the file ends early (line 5)");
}

TEST(InputReader, WordReadingContinuesOverLinesAndDiscardsTheRestOfItsLastLine) {
    InputReader reader = Reader({"1,2\t3", "", "   ", "4 5 6 discarded", "7 rest", "x"});
    {
        auto read = reader.Words();
        for (float expected : {1.0f, 2.0f, 3.0f, 4.0f, 5.0f})
            EXPECT_EQ(read.Number(), expected);
    }
    EXPECT_EQ(reader.Words().Integer(), 7); // a new read starts on a new line
    EXPECT_EQ(reader.Words().Word(3), "x  ");
}

TEST(InputReader, SkippingByWordPassesOverBlankLinesWhileSkippingByLineDoesNot) {
    InputReader byWord = Reader({"* a", "", "* b", "target"});
    byWord.SkipWordLines(2);
    EXPECT_EQ(byWord.Words().Word(6), "target");

    InputReader byLine = Reader({"* a", "", "* b", "target"});
    byLine.SkipLines(2);
    EXPECT_EQ(byLine.ReadLine(3), "* b");
}

TEST(InputReader, WordIsCutToItsField) {
    InputReader reader = Reader({"Yesterday pome_stone_fruit"});
    auto read = reader.Words();
    EXPECT_EQ(read.Word(3), "Yes");
    EXPECT_EQ(read.Word(30), "pome_stone_fruit              ");
}

TEST(InputReader, AcceptsNumbersWithOrWithoutPointAndExponent) {
    struct Case {
        const char* text;
        float expected;
    };
    const Case cases[] = {{"12", 12.0f},       {"5E-001", 0.5f}, {"2.5E+003", 2500.0f}, {"-0.25", -0.25f},
                          {".5", 0.5f},        {"5.", 5.0f},     {"+3e2", 300.0f},      {"1D2", 100.0f},
                          {"273.15", 273.15f}, {"1e-50", 0.0f}};
    for (const Case& c : cases) {
        InputReader reader = Reader({c.text});
        EXPECT_EQ(reader.Words().Number(), c.expected) << c.text;
    }
}

TEST(InputReader, RefusesWordsThatAreNotNumbersWithTheirLine) {
    struct Case {
        const char* text;
        const char* problem;
    };
    const Case cases[] = {
        {"abc", "'abc' is not a number"},   {"1.2.3", "'1.2.3' is not a number"},
        {"E5", "'E5' is not a number"},     {"1e", "'1e' is not a number"},
        {"nan", "'nan' is not a number"},   {"inf", "'inf' is not a number"},
        {"0x10", "'0x10' is not a number"}, {"1e39", "'1e39' is out of range"},
    };
    for (const Case& c : cases) {
        InputReader reader = Reader({"* comment", c.text});
        reader.SkipLines(1);
        EXPECT_EQ(ErrorOf([&] { reader.Words().Number(); }),
                  std::string("Error reading Test.inp: ") + c.problem + " (line 2)");
    }
}

TEST(InputReader, IntegersMustBeWholeNumbers) {
    EXPECT_EQ(Reader({"-17"}).Words().Integer(), -17);
    for (const char* text : {"2.0", "3x", "-"}) {
        InputReader reader = Reader({text});
        EXPECT_EQ(ErrorOf([&] { reader.Words().Integer(); }),
                  std::string("Error reading Test.inp: '") + text + "' is not a whole number (line 1)");
    }
    InputReader reader = Reader({"99999999999"});
    EXPECT_EQ(ErrorOf([&] { reader.Words().Integer(); }),
              "Error reading Test.inp: '99999999999' is out of range (line 1)");
}

TEST(InputReader, ReadsCrLfFilesAndNamesAMissingFile) {
    test::TempFolder folder;
    test::WriteBytes(folder.Path() / "Some.inp", "first\r\n\r\nthird");
    InputReader reader = InputReader::Open(folder.Path(), "Some.inp");
    EXPECT_EQ(reader.ReadLine(6), "first ");
    EXPECT_EQ(reader.ReadLine(1), " ");
    EXPECT_EQ(reader.ReadLine(5), "third");
    EXPECT_EQ(ErrorOf([&] { InputReader::Open(folder.Path(), "Missing.inp"); }),
              "Error reading Missing.inp: cannot open the file");
}

} // namespace
} // namespace tesvorik
