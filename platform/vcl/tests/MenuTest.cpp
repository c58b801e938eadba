// Menus: pop-up menus from code and by right click, the main menu of a
// form by keyboard and shortcuts, item trees and their window menus.

#include "VclTestSupport.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"
#include "windowing/SystemMetrics.h"

using namespace winapi;

namespace {

TMenuItem* NewItem(TComponent* Owner, TMenuItem* Parent, const String& Caption, TLog& Log) {
    auto* Item = new TMenuItem(Owner);
    Item->SetCaption(Caption);
    std::string Name = Narrow(StripHotkey(Caption));
    Item->OnClick = [&Log, Name](TObject*) { Log.push_back("click " + Name); };
    Parent->Add(Item);
    return Item;
}

} // namespace

TEST_F(VclTest, PopupMenuRunsTheChosenItemOnceByKeyboard) {
    TForm* Form = NewForm();
    auto* Menu = new TPopupMenu(Form);
    Menu->OnPopup = [this](TObject*) { Log.push_back("popup"); };
    NewItem(Form, Menu->Items(), u"Alpha", Log);
    TMenuItem* Beta = NewItem(Form, Menu->Items(), u"Beta", Log);
    NewItem(Form, Menu->Items(), u"-", Log);
    TMenuItem* Disabled = NewItem(Form, Menu->Items(), u"&Gamma", Log);
    Disabled->SetEnabled(false);
    TMenuItem* More = NewItem(Form, Menu->Items(), u"&More", Log);
    NewItem(Form, More, u"&Inner", Log);
    TMenuItem* Hidden = NewItem(Form, Menu->Items(), u"&Hidden", Log);
    Hidden->SetVisible(false);

    struct TCase {
        const char* Name;
        std::vector<Integer> Keys; // a negative entry types that character
        TLog Want;
    };
    const std::vector<TCase> Cases = {
        {"arrows and enter", {VK_DOWN, VK_DOWN, VK_RETURN}, {"popup", "click Beta"}},
        {"automatic accelerator", {-'b'}, {"popup", "click Beta"}},
        {"hidden item skipped, enter opens the sub-menu",
         {VK_UP, VK_RETURN, VK_ESCAPE, VK_ESCAPE},
         {"popup", "click More"}},
        {"disabled item and separator skipped", {VK_UP, VK_UP, VK_RETURN}, {"popup", "click Beta"}},
        {"a sub-menu opening clicks its item", {-'m', -'i'}, {"popup", "click More", "click Inner"}},
        {"escape runs nothing", {VK_DOWN, VK_ESCAPE}, {"popup"}},
    };
    for (const TCase& Case : Cases) {
        Log.clear();
        for (Integer Key : Case.Keys)
            if (Key < 0)
                headless::TypeText(String(1, Char(-Key)));
            else
                headless::TypeKey(Key);
        EXPECT_NO_THROW(Menu->Popup(200, 200)) << Case.Name;
        EXPECT_EQ(Log, Case.Want) << Case.Name;
    }
    // Manual accelerators: "b" names no item any more.
    Menu->SetAutoHotkeys(maManual);
    Log.clear();
    headless::TypeText(u"b");
    headless::TypeKey(VK_ESCAPE);
    Menu->Popup(200, 200);
    EXPECT_EQ(Log, TLog{"popup"});
    EXPECT_EQ(Beta->Caption(), u"Beta"); // the automatic accelerator never changes the caption
}

TEST_F(VclTest, AutoCheckAndRadioItems) {
    TForm* Form = NewForm();
    auto* Menu = new TPopupMenu(Form);
    TMenuItem* Check = NewItem(Form, Menu->Items(), u"&Check", Log);
    Check->SetAutoCheck(true);
    TMenuItem* One = NewItem(Form, Menu->Items(), u"&One", Log);
    TMenuItem* Two = NewItem(Form, Menu->Items(), u"&Two", Log);
    for (TMenuItem* Item : {One, Two}) {
        Item->SetRadioItem(true);
        Item->SetAutoCheck(true);
        Item->SetGroupIndex(1);
    }
    One->SetChecked(true);
    headless::TypeText(u"c");
    Menu->Popup(10, 10);
    EXPECT_TRUE(Check->Checked());
    EXPECT_TRUE(GetMenuState(Menu->Handle(), 0, MF_BYPOSITION) & MF_CHECKED);
    headless::TypeText(u"t");
    Menu->Popup(10, 10);
    EXPECT_FALSE(One->Checked());
    EXPECT_TRUE(Two->Checked());
}

TEST_F(VclTest, RightClickShowsThePopupMenuOfTheControlOrItsParent) {
    TForm* Form = NewForm();
    Form->Show();
    auto* Menu = new TPopupMenu(Form);
    NewItem(Form, Menu->Items(), u"&Copy", Log);
    auto* Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 100, 21);
    auto* Label = new TLabel(Form);
    Label->SetParent(Form);
    Label->SetBounds(10, 60, 100, 20);
    Label->SetCaption(u"label");
    Edit->SetPopupMenu(Menu);
    Form->SetPopupMenu(Menu);
    Pump();
    for (TControl* Target : std::initializer_list<TControl*>{Edit, Label}) {
        Log.clear();
        TPoint P = Target->ClientToScreen({5, 5});
        headless::Click(P.X, P.Y, headless::TButton::Right);
        headless::TypeKey(VK_DOWN);
        headless::TypeKey(VK_RETURN);
        Pump();
        EXPECT_EQ(Log, TLog{"click Copy"}) << Narrow(Target->ClassName());
        EXPECT_EQ(Menu->PopupComponent(), Target == Edit ? static_cast<TComponent*>(Edit) : Form);
    }
    Free(Menu);
    EXPECT_EQ(Edit->PopupMenu(), nullptr);
    EXPECT_EQ(Form->PopupMenu(), nullptr);
}

TEST_F(VclTest, MainMenuByAltAcceleratorsAndShortcuts) {
    TForm* Form = NewForm();
    auto* Main = new TMainMenu(Form);
    TMenuItem* File = NewItem(Form, Main->Items(), u"&File", Log);
    TMenuItem* Save = NewItem(Form, File, u"&Save", Log);
    Save->SetShortCut(ShortCut('S', {ssCtrl}));
    NewItem(Form, File, u"E&xit", Log);
    TMenuItem* Help = NewItem(Form, Main->Items(), u"&Help", Log);
    NewItem(Form, Help, u"&About", Log);
    auto* Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Form->HandleNeeded();
    Integer ClientBefore = Form->ClientHeight();
    Form->SetMenu(Main);
    EXPECT_EQ(Form->ClientHeight(), ClientBefore - GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(GetMenuString(GetMenu(Form->Handle()), 0, MF_BYPOSITION), u"&File");
    Form->Show();
    Edit->SetFocus();
    Pump();

    Log.clear();
    headless::TypeKey(VK_MENU);
    headless::TypeKey(VK_RIGHT);
    headless::TypeKey(VK_DOWN);
    headless::TypeKey(VK_RETURN);
    Pump();
    EXPECT_EQ(Log, (TLog{"click Help", "click About"}));

    Log.clear();
    headless::PressKey(VK_MENU);
    headless::TypeKey('F');
    headless::ReleaseKey(VK_MENU);
    headless::TypeText(u"x");
    Pump();
    EXPECT_EQ(Log, (TLog{"click File", "click Exit"}));

    Log.clear();
    headless::TypeKeyWith('S', false, true);
    Pump();
    EXPECT_EQ(Log, TLog{"click Save"});
    EXPECT_EQ(Edit->Text(), u""); // the shortcut did not reach the edit
    EXPECT_EQ(GetMenuString(File->Handle(), 0, MF_BYPOSITION), u"&Save\tCtrl+S");

    // Items added later show in the built menu.
    NewItem(Form, Help, u"&Licence", Log);
    EXPECT_EQ(GetMenuItemCount(Help->Handle()), 2);
    Help->Delete(0);
    EXPECT_EQ(GetMenuItemCount(Help->Handle()), 1);
    Help->Clear();
    EXPECT_EQ(Help->Count(), 0);
    EXPECT_EQ(GetMenuItemID(GetMenu(Form->Handle()), 1), Help->Command());
}

TEST_F(VclTest, MenuItemTreeEditingAndShortcutTexts) {
    TForm* Form = NewForm();
    auto* Menu = new TPopupMenu(Form);
    TMenuItem* A = NewItem(Form, Menu->Items(), u"&A", Log);
    TMenuItem* B = NewItem(Form, Menu->Items(), u"B", Log);
    auto* C = new TMenuItem(Form);
    C->SetCaption(u"C");
    Menu->Items()->Insert(0, C);
    EXPECT_EQ(Menu->Items()->IndexOf(C), 0);
    EXPECT_EQ(A->MenuIndex(), 1);
    EXPECT_EQ(Menu->Items()->Find(u"a"), A);
    EXPECT_THROW(Menu->Items()->Add(A), EMenuError);
    B->SetMenuIndex(0);
    EXPECT_EQ(Menu->Items()->Items(0), B);
    Free(A); // leaves the tree
    EXPECT_EQ(Menu->Items()->Count(), 2);
    EXPECT_EQ(Menu->FindItem(C->Command(), fkCommand), C);

    struct TCase {
        TShortCut Value;
        const char16_t* Text;
    };
    const TCase Cases[] = {
        {ShortCut('S', {ssCtrl}), u"Ctrl+S"},
        {ShortCut(VK_F10, {ssShift}), u"Shift+F10"},
        {ShortCut(VK_DELETE, {}), u"Del"},
        {ShortCut('N', {ssShift, ssCtrl, ssAlt}), u"Shift+Ctrl+Alt+N"},
    };
    for (const TCase& Case : Cases) {
        EXPECT_EQ(ShortCutToText(Case.Value), Case.Text);
        EXPECT_EQ(TextToShortCut(Case.Text), Case.Value);
    }
    EXPECT_EQ(TextToShortCut(u"Ctrl+Nothing"), scNone);
}
