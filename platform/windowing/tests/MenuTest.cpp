#include "WindowingTestSupport.h"

#include "graphics/Colors.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/Menu.h"
#include "windowing/Paint.h"
#include "windowing/SystemMetrics.h"

#include <deque>

using namespace winapi;

namespace {

// One step of a scripted user: runs when the menu loop waits for input.
using TStep = std::function<void()>;

class MenuTest : public WindowingTest {
protected:
    void SetUp() override {
        WindowingTest::SetUp();
        Owner = Create("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, TRect(0, 0, 600, 400));
        // "&Open" 1, "&Save" 2 (disabled), separator, "E&xport" > ("&PDF" 11, "&CSV" 12),
        // "&Close\tCtrl+W" 4, "Cl&ear" 5.
        Export = CreatePopupMenu();
        AppendMenu(Export, MF_STRING, 11, u"&PDF");
        AppendMenu(Export, MF_STRING, 12, u"&CSV");
        Menu = CreatePopupMenu();
        AppendMenu(Menu, MF_STRING, 1, u"&Open");
        AppendMenu(Menu, MF_STRING | MF_GRAYED, 2, u"&Save");
        AppendMenu(Menu, MF_SEPARATOR, 0, u"");
        AppendMenu(Menu, MF_POPUP, reinterpret_cast<NativeUInt>(Export), u"E&xport");
        AppendMenu(Menu, MF_STRING, 4, u"&Close\tCtrl+W");
        AppendMenu(Menu, MF_STRING, 5, u"Cl&ear");
        Headless->SetIdleHandler([this] {
            if (Steps.empty()) throw EWindowingError(u"the script ran out");
            TStep step = std::move(Steps.front());
            Steps.pop_front();
            step();
        });
    }
    void TearDown() override {
        Headless->SetIdleHandler(nullptr);
        DestroyMenu(Menu);
        WindowingTest::TearDown();
    }

    // The open menu windows, outermost first.
    static std::vector<HWND> MenuWindows() {
        std::vector<HWND> result;
        for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
            String name;
            GetClassName(window, name);
            if (name == u"#32768" && IsWindowVisible(window)) result.insert(result.begin(), window);
        }
        return result;
    }
    // The screen centre of item `index` of an open menu window (items 22
    // pixels high, separators 9, inside a border and a 2-pixel padding).
    static TPoint ItemCentre(HWND window, Integer index, Integer separatorsBefore = 0) {
        TRect r;
        GetWindowRect(window, r);
        return {r.Left + 30, r.Top + 1 + 2 + (index - separatorsBefore) * 22 + separatorsBefore * 9 + 11};
    }
    Integer Track(UINT flags = TPM_RETURNCMD) { return TrackPopupMenu(Menu, flags, 100, 100, Owner); }

    HWND Owner = nullptr;
    HMENU Menu = nullptr;
    HMENU Export = nullptr;
    std::deque<TStep> Steps;
};

struct TKeyCase {
    const char* Name;
    std::vector<Integer> Keys; // a negative entry types that character (as -c)
    Integer Command;
};

TEST_F(MenuTest, KeyboardMovesOverItemsAndChooses) {
    const Integer X = -'x', C = -'c', S = -'s';
    const std::vector<TKeyCase> cases = {
        {"first item", {VK_DOWN, VK_RETURN}, 1},
        {"skips disabled and separator", {VK_DOWN, VK_DOWN, VK_RETURN, VK_RETURN}, 11},
        {"right opens the sub-menu", {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, 12},
        {"left closes the sub-menu", {VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RETURN}, 4},
        {"escape closes one level", {VK_DOWN, VK_DOWN, VK_RIGHT, VK_ESCAPE, VK_DOWN, VK_RETURN}, 4},
        {"up wraps to the last", {VK_UP, VK_RETURN}, 5},
        {"down wraps to the first", {VK_UP, VK_DOWN, VK_RETURN}, 1},
        {"end and home", {VK_END, VK_HOME, VK_RETURN}, 1},
        {"accelerator chooses", {C}, 4},
        {"accelerator opens a sub-menu", {X, C}, 12},
        {"disabled accelerator does nothing", {S, VK_ESCAPE}, 0},
        {"escape chooses nothing", {VK_DOWN, VK_ESCAPE}, 0},
        {"enter without a highlight closes", {VK_RETURN}, 0},
    };
    for (const auto& c : cases) {
        for (Integer key : c.Keys)
            if (key < 0)
                Headless->TypeText(String(1, Char(-key)));
            else
                Headless->TypeKey(key);
        EXPECT_EQ(Track(), c.Command) << c.Name;
        EXPECT_TRUE(MenuWindows().empty()) << c.Name;
        EXPECT_FALSE(IsMenuTracking()) << c.Name;
    }
}

TEST_F(MenuTest, MouseChoosesOnReleaseAndClosesOnAPressOutside) {
    struct TMouseCase {
        const char* Name;
        std::vector<TStep> Script;
        Integer Command;
    };
    auto clickItem = [this](size_t window, Integer index, Integer separators) {
        return [=, this] {
            TPoint p = ItemCentre(MenuWindows().at(window), index, separators);
            Headless->Click(p.X, p.Y);
        };
    };
    auto moveToItem = [this](Integer index) {
        return [=, this] {
            TPoint p = ItemCentre(MenuWindows().at(0), index, index > 2 ? 1 : 0);
            Headless->MoveMouse(p.X, p.Y);
        };
    };
    const std::vector<TMouseCase> cases = {
        {"click an item", {clickItem(0, 0, 0)}, 1},
        {"press outside closes", {[this] { Headless->Click(20, 20); }}, 0},
        {"a disabled item is not chosen", {clickItem(0, 1, 0), [this] { Headless->TypeKey(VK_ESCAPE); }}, 0},
        {"hovering opens a sub-menu whose item is clicked", {moveToItem(3), clickItem(1, 1, 0)}, 12},
        {"moving to another item closes the sub-menu",
         {moveToItem(3), moveToItem(4),
          [this] {
              EXPECT_EQ(MenuWindows().size(), 1u);
              Headless->TypeKey(VK_RETURN);
          }},
         4},
    };
    for (const auto& c : cases) {
        Steps.assign(c.Script.begin(), c.Script.end());
        EXPECT_EQ(Track(), c.Command) << c.Name;
        EXPECT_TRUE(MenuWindows().empty()) << c.Name;
    }
}

TEST_F(MenuTest, ChosenCommandIsPostedToTheOwnerOnceAndPopupsAreAnnounced) {
    Headless->TypeKey(VK_DOWN);
    Headless->TypeKey(VK_DOWN);
    Headless->TypeKey(VK_RIGHT);
    Headless->TypeKey(VK_RETURN);
    EXPECT_EQ(Track(TPM_LEFTBUTTON), 1);
    Pump();
    std::vector<WPARAM> commands;
    std::vector<WPARAM> announced;
    for (const auto& entry : Entries()) {
        if (entry.Message == WM_COMMAND) commands.push_back(entry.WParam);
        if (entry.Message == WM_INITMENUPOPUP) announced.push_back(entry.WParam);
    }
    EXPECT_EQ(commands, std::vector<WPARAM>{11});
    EXPECT_EQ(announced, (std::vector<WPARAM>{reinterpret_cast<WPARAM>(Menu), reinterpret_cast<WPARAM>(Export)}));
}

TEST_F(MenuTest, HighlightedItemIsDrawnInTheHighlightColour) {
    Headless->TypeKey(VK_DOWN);
    Steps.push_back([this] {
        HWND window = MenuWindows().at(0);
        EXPECT_EQ(WindowPixel(window, 6, 1 + 2 + 3), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(WindowPixel(window, 6, 1 + 2 + 22 + 3), GetSysColor(COLOR_MENU));
        Headless->TypeKey(VK_ESCAPE);
    });
    EXPECT_EQ(Track(), 0);
}

TEST_F(MenuTest, ItemStatesAndEditing) {
    EXPECT_EQ(GetMenuItemCount(Menu), 6);
    EXPECT_EQ(GetMenuItemID(Menu, 3), UINT(-1));
    EXPECT_EQ(GetSubMenu(Menu, 3), Export);
    EXPECT_EQ(CheckMenuItem(Menu, 12, MF_BYCOMMAND | MF_CHECKED), 0u); // found inside the sub-menu
    EXPECT_TRUE(GetMenuState(Export, 1, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(EnableMenuItem(Menu, 2, MF_BYCOMMAND | MF_ENABLED), Integer(MF_GRAYED));
    EXPECT_TRUE(InsertMenu(Menu, 0, MF_BYPOSITION, 9, u"&New"));
    EXPECT_EQ(GetMenuString(Menu, 0, MF_BYPOSITION), u"&New");
    EXPECT_TRUE(DeleteMenu(Menu, 4, MF_BYPOSITION)); // the sub-menu goes with its item
    EXPECT_FALSE(IsMenu(Export));
    EXPECT_EQ(GetMenuItemCount(Menu), 6);
    EXPECT_EQ(GetMenuState(Menu, 77, MF_BYCOMMAND), UINT(-1));
}

TEST_F(MenuTest, MenuBarOpensWithAltAndAcceleratorsAndByClick) {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, 21, u"&New");
    AppendMenu(file, MF_STRING, 22, u"E&xit");
    HMENU help = CreatePopupMenu();
    AppendMenu(help, MF_STRING, 31, u"&About");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<NativeUInt>(file), u"&File");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<NativeUInt>(help), u"&Help");
    TRect before;
    GetClientRect(Owner, before);
    ASSERT_TRUE(SetMenu(Owner, bar));
    TRect after;
    GetClientRect(Owner, after);
    EXPECT_EQ(after.Height(), before.Height() - GetSystemMetrics(SM_CYMENU));
    SetFocus(Owner);

    auto commands = [this] {
        std::vector<WPARAM> result;
        for (const auto& entry : Entries())
            if (entry.Message == WM_COMMAND) result.push_back(entry.WParam);
        ClearLog();
        return result;
    };
    // Alt alone highlights the bar; Right moves to Help, Down opens it.
    Headless->TypeKey(VK_MENU);
    Headless->TypeKey(VK_RIGHT);
    Headless->TypeKey(VK_DOWN);
    Headless->TypeKey(VK_RETURN);
    Pump();
    EXPECT_EQ(commands(), std::vector<WPARAM>{31});
    // Alt+F opens File; the accelerator x chooses Exit.
    Headless->PressKey(VK_MENU);
    Headless->TypeKey('F');
    Headless->ReleaseKey(VK_MENU);
    Headless->TypeText(u"x");
    Pump();
    EXPECT_EQ(commands(), std::vector<WPARAM>{22});
    // A click on the bar item, then on the item below it; Left moves back from Help to File.
    TRect fileRect;
    ASSERT_TRUE(GetMenuItemRect(Owner, bar, 0, fileRect));
    Headless->Click(fileRect.Left + 5, fileRect.Top + 5);
    Steps.push_back([this] {
        TPoint p = ItemCentre(MenuWindows().at(0), 0);
        Headless->Click(p.X, p.Y);
    });
    Pump();
    EXPECT_EQ(commands(), std::vector<WPARAM>{21});
    // Alt then Escape closes without a command; keys reach the window again.
    Headless->TypeKey(VK_MENU);
    Headless->TypeKey(VK_ESCAPE);
    Pump();
    EXPECT_TRUE(commands().empty());
    EXPECT_FALSE(IsMenuTracking());
    SetMenu(Owner, nullptr);
    DestroyMenu(bar);
}

} // namespace
