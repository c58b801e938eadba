#include "ViewTestSupport.h"

#include "rtl/Encoding.h"
#include "rtltesting/TestFiles.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

class ViewVisualPropsTest : public ViewTest {
protected:
    String File(const char* Name) const { return Folder.Path() + FromUtf8(Name); }
    static std::string Bytes(const String& Path) {
        std::ifstream In(Utf8(Path), std::ios::binary);
        std::ostringstream S;
        S << In.rdbuf();
        return S.str();
    }
    static void WriteBytes(const String& Path, const std::string& Text) {
        std::ofstream(Utf8(Path), std::ios::binary) << Text;
    }
    // The saved file with the line of one key replaced (or removed, for an
    // empty Line).
    std::string Edited(TZirOvararIzaz* From, const std::string& Key, const std::string& Line) {
        From->SaveVisualProps(File("edit.txt"));
        std::string Text = Bytes(File("edit.txt"));
        const size_t At = Text.find("\r\n" + Key + "=");
        EXPECT_NE(At, std::string::npos) << Key;
        const size_t End = Text.find("\r\n", At + 2);
        Text.replace(At + 2, End + 2 - (At + 2), Line.empty() ? "" : Line + "\r\n");
        return Text;
    }
    // The saved file of a grid, as the settings it holds.
    std::string Saved(TZirOvararIzaz* G) {
        G->SaveVisualProps(File("state.txt"));
        return Bytes(File("state.txt"));
    }
    static std::string WithoutLook(std::string Text) {
        const size_t At = Text.find("\r\nLook=");
        return Text.erase(At, Text.find("\r\n", At + 2) - At);
    }

    TTempFolder Folder;
};

} // namespace

TEST_F(ViewVisualPropsTest, SaveThenLoadReproducesTheSettings) {
    Grid->SetStyle(gsOffice2016Black);
    // The loaded control look follows the grid's gradient, as saving keeps it.
    Grid->ControlLook()->SetFixedGradientFrom(Grid->DOVGradientFrom());
    Grid->ControlLook()->SetFixedGradientTo(Grid->DOVGradientTo());
    Grid->SetSelectionColor(0x102030);
    Grid->SetSelectionColorTo(0x203040);
    Grid->SetSelectionMirrorColor(0x304050);
    Grid->SetSelectionMirrorColorTo(0x405060);
    Grid->SetSelectionTextColor(clYellow);
    Grid->SetSelectionStyle(ssWin7);
    Grid->Font()->SetStyle(TFontStyles{fsBold, fsUnderline});
    Grid->Font()->SetSize(12);
    Grid->FixedFont()->SetName(u"Courier New");
    Grid->SetURLShow(true);
    Grid->SetURLColor(clGreen);
    Grid->Bands()->SetActive(true);
    Grid->Balloon()->SetTransparency(200);
    Grid->Grouping()->SetSummaryLineWidth(5);
    Grid->BackGround()->SetDisplay(bdGradientVert);
    Grid->BackGround()->SetCells(bcAll);
    Grid->ControlLook()->SetControlStyle(ZirOvararIzaz::csFlat);
    Grid->SetActiveRowShow(true);
    const std::string Original = Saved(Grid);
    EXPECT_NE(Original.find("\r\nFont.Style=fsBold,fsUnderline\r\n"), std::string::npos);

    auto* Other = Create<TTestGrid>(Form);
    Other->SetLook(glStandard);
    Grid->SaveVisualProps(File("look.txt"));
    Other->LoadVisualProps(File("look.txt"));
    EXPECT_EQ(Other->Look(), glCustom);
    EXPECT_EQ(Other->SelectionColor(), 0x102030);
    EXPECT_EQ(Other->SelectionMirrorColorTo(), 0x405060);
    EXPECT_EQ(WithoutLook(Saved(Other)), WithoutLook(Original));
}

TEST_F(ViewVisualPropsTest, FontStylesAreFoundAnywhereInTheValue) {
    WriteBytes(File("f.txt"), Edited(Grid, "Font.Style", "Font.Style=fsItalic,fsBold"));
    Grid->LoadVisualProps(File("f.txt"));
    EXPECT_EQ(Grid->Font()->Style(), (TFontStyles{fsBold, fsItalic}));
}

TEST_F(ViewVisualPropsTest, AnEmptyLookAppliesNoPreset) {
    Grid->SetFixedColor(0x123456);
    WriteBytes(File("f.txt"), Edited(Grid, "Look", "Look="));
    Grid->LoadVisualProps(File("f.txt"));
    EXPECT_EQ(Grid->FixedColor(), 0x123456);

    WriteBytes(File("f.txt"), Edited(Grid, "Look", "look=GLCLASSIC"));
    Grid->LoadVisualProps(File("f.txt"));
    EXPECT_EQ(Grid->FixedColor(), clBtnFace);
    EXPECT_EQ(Grid->Look(), glCustom);
}

TEST_F(ViewVisualPropsTest, BooleansAndMissingKeys) {
    const struct {
        const char* Line;
        bool Expected;
    } Cases[] = {{"URLShow=True", true}, {"URLShow=TRUE", true}, {"urlshow=true", true},
                 {"URLShow=1", false},   {"URLShow=", false},    {"", false}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Line);
        Grid->SetURLShow(!C.Expected);
        WriteBytes(File("f.txt"), Edited(Grid, "URLShow", C.Line));
        Grid->LoadVisualProps(File("f.txt"));
        EXPECT_EQ(Grid->URLShow(), C.Expected);
    }
    // A missing colour is no colour.
    WriteBytes(File("f.txt"), Edited(Grid, "GridLineColor", ""));
    Grid->LoadVisualProps(File("f.txt"));
    EXPECT_EQ(Grid->GridLineColor(), clNone);
}

TEST_F(ViewVisualPropsTest, ABadValueLeavesTheGridAsItWas) {
    auto* Source = Create<TTestGrid>(Form);
    Source->SetStyle(gsOffice2010Black);
    const struct {
        const char* Key;
        const char* Line;
        const char16_t* Message;
    } Cases[] = {
        {"Font.Size", "Font.Size=", u"'' is not a valid integer value"},
        {"GridLineColor", "GridLineColor=clNoSuchColour", u"'clNoSuchColour' is not a valid integer value"},
        {"SelectionStyle", "SelectionStyle=x", u"'x' is not a valid integer value"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Line);
        const std::string Before = Saved(Grid);
        WriteBytes(File("f.txt"), Edited(Source, C.Key, C.Line));
        try {
            Grid->LoadVisualProps(File("f.txt"));
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& E) {
            EXPECT_EQ(E.Message(), C.Message);
        }
        EXPECT_EQ(Saved(Grid), Before);
        EXPECT_EQ(Grid->Look(), glXP);
    }
}

TEST_F(ViewVisualPropsTest, FilesThatCannotBeOpened) {
    const String Missing = File("no/such/folder/look.txt");
    try {
        Grid->SaveVisualProps(Missing);
        ADD_FAILURE() << "no error";
    } catch (const EKelGridError& E) {
        EXPECT_EQ(E.Message(), u"Cannot Create " + Missing);
    }
    try {
        Grid->LoadVisualProps(Missing);
        ADD_FAILURE() << "no error";
    } catch (const EKelGridError& E) {
        EXPECT_EQ(E.Message(), u"Cannot open file " + Missing);
    }
}

TEST_F(ViewVisualPropsTest, TheFileIsWindows1252WithCRLF) {
    Grid->Font()->SetName(u"Caf\u00E9 \u0161\u4E2D");
    Grid->SaveVisualProps(File("ansi.txt"));
    const std::string Text = Bytes(File("ansi.txt"));
    ASSERT_GE(Text.size(), 2u);
    EXPECT_EQ(Text.substr(Text.size() - 2), "\r\n");
    for (size_t i = 0; i < Text.size(); ++i)
        if (Text[i] == '\n') {
            ASSERT_EQ(Text[i - 1], '\r') << "at byte " << i;
        }
    // é and š are in the code page, the CJK character is not.
    EXPECT_NE(Text.find("\r\nFont.Name=Caf\xE9 \x9A?\r\n"), std::string::npos);
    const std::string Command = "iconv -f WINDOWS-1252 -t UTF-8 '" + Folder.Native(u"ansi.txt") + "' > '" +
                                Folder.Native(u"utf8.txt") + "'";
    ASSERT_EQ(std::system(Command.c_str()), 0);
    EXPECT_NE(Bytes(File("utf8.txt")).find("Font.Name=Caf\xC3\xA9 \xC5\xA1?"), std::string::npos);
}
