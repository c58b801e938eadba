// The grid module: start-up once, the registered format and messages, the
// focus-window hook, natural order and the format-setting readers.

#include "CoreTestSupport.h"

#include "rtl/FormatSettings.h"
#include "windowing/Clipboard.h"

namespace {

TEST(GridUnit, StartUpRunsOnceAndKeepsItsIds) {
    GridModuleStartUp();
    const winapi::UINT Done = WM_GRIDEDITDONE();
    const winapi::UINT Format = GridCellsClipboardFormat();
    GridModuleStartUp();
    EXPECT_EQ(WM_GRIDEDITDONE(), Done);
    EXPECT_EQ(GridCellsClipboardFormat(), Format);
    EXPECT_EQ(WM_GRIDEDITDONE(), winapi::RegisterWindowMessage(u"GridEditDone"));
    EXPECT_EQ(WM_DTPSHIFTFOCUS(), winapi::RegisterWindowMessage(u"DTPShiftFocus"));
    EXPECT_EQ(WM_FILTEREDITUPDATE(), winapi::RegisterWindowMessage(u"FilterEditUpdate"));
    EXPECT_EQ(Format, winapi::RegisterClipboardFormat(u"TZirOvararIzaz Cells"));
    std::vector<winapi::UINT> Ids{WM_GRIDEDITDONE(), WM_GRIDEDITSHOW(), WM_GRIDEDITINVALID(),
                                  WM_GRIDEDITPROP(), WM_DTPSHIFTFOCUS(), WM_FILTEREDITUPDATE()};
    std::sort(Ids.begin(), Ids.end());
    EXPECT_EQ(std::unique(Ids.begin(), Ids.end()), Ids.end()) << "six different messages";
    EXPECT_TRUE(ComCtlDatePickerAvailable());
    EXPECT_TRUE(FocusWindowHookInstalled());
    InstallFocusWindowHook();
    EXPECT_TRUE(FocusWindowHookInstalled());
    EXPECT_NE(GetClass(u"TSortSettings"), nullptr);
    EXPECT_EQ(LinkPrefixes().size(), 7u);
    GridModuleShutDown();
    EXPECT_TRUE(GridModuleStarted()) << "one shut-down request per start-up";
}

TEST(GridUnit, FileVersionsAndDatePickers) {
    EXPECT_EQ(GetFileVersionMS(u"COMCTL32.DLL"), (6 << 16) | 16);
    EXPECT_EQ(GetFileVersionMS(u"nothing.dll"), -1);
    GridPlatformAnswers().FileVersionMS = [](const String&) { return (4 << 16) | 69; };
    EXPECT_FALSE(GetFileVersionMS(u"comctl32.dll") > 262213);
    ResetGridPlatformAnswers();
}

TEST(GridUnit, NaturalCompareTextOrdersDigitRunsByValue) {
    const struct {
        const char16_t* A;
        const char16_t* B;
        Integer Sign;
    } Cases[] = {{u"item2", u"item10", -1}, {u"Item10", u"item2", 1}, {u"ABC", u"abc", 0},
                 {u"a", u"b", -1},          {u"x9y", u"x09z", -1},    {u"", u"a", -1}};
    for (const auto& Case : Cases) {
        const Integer Result = NaturalCompareText(Case.A, Case.B);
        EXPECT_EQ((Result > 0) - (Result < 0), Case.Sign) << Utf8(Case.A) << " " << Utf8(Case.B);
    }
}

TEST(GridUnit, FormatReadersSeeLaterChanges) {
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ShortDateFormat = u"yyyy-MM-dd";
    EXPECT_EQ(GridDecimalSeparator(), u',');
    EXPECT_EQ(GridShortDateFormat(), u"yyyy-MM-dd");
    FormatSettings = TFormatSettings::Create();
    EXPECT_EQ(GridDecimalSeparator(), u'.');
    const TGridRect R = MakeGridRect(1, 2, 3, 4);
    EXPECT_EQ(R, (TGridRect{1, 2, 3, 4}));
}

class TMovingCore : public TTestCore {
public:
    using TTestCore::TTestCore;
    void UpdateFocusWindow() override { ++Moves; }
    Integer Moves = 0;
};

TEST_F(CoreTest, AWindowMoveMovesTheActiveGridsFocusWindow) {
    Show();
    auto* Moving = Create<TMovingCore>(Form);
    Moving->SetParent(Form);
    Form->SetBounds(120, 100, 600, 400);
    EXPECT_EQ(Moving->Moves, 0) << "no active grid: the hook only passes on";
    SetActiveFocusGrid(Moving);
    Form->SetBounds(140, 100, 600, 400);
    EXPECT_GT(Moving->Moves, 0);
    SetActiveFocusGrid(nullptr);
}

} // namespace

// fontconfig keeps caches for the life of the process that it never frees.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
