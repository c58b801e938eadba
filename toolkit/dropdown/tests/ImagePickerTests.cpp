// The image picker drop-down on the headless window system: items from an
// image list and from a folder, the indexes, the wheel and Enter in the open
// pop-up, cancelling and the pop-up's size.

#include "DropDownTestSupport.h"
#include "dropdown/KelImagePickerDropDown.h"
#include "graphics/ImageList.h"
#include "windowing/Input.h"

#include <filesystem>
#include <fstream>
#include <set>

using namespace winapi;

namespace {

class ImagePicker : public DropDownTest {
protected:
    TKelImagePickerDropDown* NewPicker(Integer ItemCount = 0) {
        Form = NewForm();
        auto* Edit = Create<TKelImagePickerDropDown>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(20, 20, 200, 21);
        for (Integer I = 0; I < ItemCount; ++I)
            Edit->Items()->Add()->SetCaption(u"Item " + String(1, Char(u'A' + I)));
        Edit->OnSelect = [this](TObject*) { ++Selects; };
        Edit->OnChange = [this](TObject*) { ++Changes; };
        Edit->SetFocus();
        Pump();
        return Edit;
    }

    TForm* Form = nullptr;
    int Selects = 0;
    int Changes = 0;
};

// A 1 x 1 PNG picture.
const unsigned char OnePixelPng[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00,
    0x0D, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0x64, 0x60, 0xF8, 0x5F, 0x0F, 0x00, 0x02, 0x87, 0x01, 0x80,
    0xEB, 0x47, 0xBA, 0x92, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

} // namespace

TEST_F(ImagePicker, ItemsFromTheImageList) {
    auto* Edit = NewPicker();
    Edit->AddImagesFromImageList();
    EXPECT_EQ(Edit->Items()->Count(), 0); // no list
    auto* Images = Create<TImageList>(Form);
    Images->SetWidth(8);
    Images->SetHeight(8);
    for (int I = 0; I < 3; ++I) {
        auto Bitmap = std::make_unique<TBitmap>();
        Bitmap->SetSize(8, 8);
        Images->Add(Bitmap.get(), nullptr);
    }
    Edit->SetImages(Images);
    Edit->AddImagesFromImageList();
    ASSERT_EQ(Edit->Items()->Count(), 3);
    for (Integer I = 0; I < 3; ++I) {
        EXPECT_EQ(Edit->Items()->Items(I)->ImageIndex(), I);
        EXPECT_EQ(Edit->Items()->Items(I)->Caption(), u"");
    }
}

TEST_F(ImagePicker, ItemsFromAFolderSkipFoldersAndKeepAnEmptyItemForOtherFiles) {
    namespace fs = std::filesystem;
    const fs::path Dir = fs::temp_directory_path() / ("image-picker-" + std::to_string(::getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir / "sub");
    for (const char* Name : {"one.png", "two.png"}) {
        std::ofstream Out(Dir / Name, std::ios::binary);
        Out.write(reinterpret_cast<const char*>(OnePixelPng), sizeof OnePixelPng);
    }
    std::ofstream(Dir / "notes.png") << "not a picture";

    auto* Edit = NewPicker();
    const std::string Mask = (Dir / "*").string();
    Edit->AddImagesFromFolder(String(Mask.begin(), Mask.end()), true);
    fs::remove_all(Dir);
    ASSERT_EQ(Edit->Items()->Count(), 3);
    std::set<String> Captions;
    int Empty = 0;
    for (Integer I = 0; I < 3; ++I) {
        const TImageItem* Item = Edit->Items()->Items(I);
        const bool HasPicture = Item->Image()->Graphic() && !Item->Image()->Graphic()->Empty();
        if (!HasPicture) {
            ++Empty;
            EXPECT_EQ(Item->Caption(), u"");
        } else {
            EXPECT_EQ(Item->Image()->Width(), 1);
            Captions.insert(Item->Caption());
        }
    }
    EXPECT_EQ(Empty, 1);
    EXPECT_EQ(Captions, (std::set<String>{u"one.png", u"two.png"}));
}

TEST_F(ImagePicker, IndexesAndImageIndex) {
    auto* Edit = NewPicker(3);
    Edit->Items()->Items(1)->SetImageIndex(5);
    Edit->SetImageIndex(5);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Edit->ImageIndex(), 5);
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Changes, 1);
    Edit->SetImageIndex(7); // no item has it
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Edit->ImageIndex(), -1);
    EXPECT_EQ(Selects, 2);
    EXPECT_EQ(Changes, 2);
    Edit->SetItemIndex(3); // Count
    EXPECT_EQ(Edit->ItemIndex(), -1);
    Edit->SetItemIndex(2);
    Edit->SetItemIndex(-2); // stored as -1
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Selects, 4);
}

TEST_F(ImagePicker, WheelMovesTheHotItemAndEnterSelectsItOnce) {
    auto* Edit = NewPicker(4);
    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(Edit->DroppedDown());
    TKelCustomItemSelector* List = Edit->ItemSelector();
    Backend->Wheel(-120);
    Pump();
    Backend->Wheel(-120);
    Pump();
    EXPECT_EQ(List->ItemHot(), 1);
    EXPECT_EQ(Edit->ItemIndex(), -1);
    Key(VK_RETURN);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Selects, 1);
}

TEST_F(ImagePicker, CancelRestoresTheIndexOfTheOpeningEvenNone) {
    auto* Edit = NewPicker(4);
    Edit->ShowDropDown();
    Pump();
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_TRUE(Edit->DroppedDown());
    Key(VK_ESCAPE);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), -1);
}

TEST_F(ImagePicker, ThreeColumnsOfSevenItemsSizeThePopupToThePanel) {
    auto* Edit = NewPicker(7);
    Edit->SetColumns(3);
    Edit->DropDownHeader()->SetVisible(false);
    Edit->DropDownFooter()->SetVisible(false);
    Edit->ShowDropDown();
    Pump();
    TKelCustomItemSelector* List = Edit->ItemSelector();
    TSize Panel{0, 0};
    List->GetPanelSize(Panel);
    const TRect Last = List->Items()->Items(6)->Rect();
    EXPECT_EQ(Last.Left, List->Items()->Items(0)->Rect().Left); // rows of 3, 3, 1
    EXPECT_EQ(Last.Top, 2 * List->Items()->Items(3)->Rect().Top - List->Items()->Items(0)->Rect().Top);
    TDropDownForm* Popup = Edit->DropDownForm();
    EXPECT_EQ(Popup->Width(), Panel.cx + 4);
    EXPECT_EQ(Popup->Height(), Panel.cy + 4 + 2 * Edit->DropDownBorderWidth());
    EXPECT_FALSE(List->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(List->HorzScrollBar()->IsScrollBarVisible());
}

TEST_F(ImagePicker, TypeAheadTakesTheTypedCharactersNotTheKeyCodes) {
    auto* Edit = NewPicker(0);
    for (const char16_t* Caption : {u"Apple", u"Grape", u"Gruel", u"Rhubarb"})
        Edit->Items()->Add()->SetCaption(Caption);
    Edit->ShowDropDown();
    Pump();
    Type(u"g");
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_TRUE(Edit->DroppedDown());
    Key(VK_SHIFT); // produces no character
    Type(u"r");
    EXPECT_EQ(Edit->ItemIndex(), 2); // "GR"
    Advance(600);
    Pump();
    Type(u"r");
    EXPECT_EQ(Edit->ItemIndex(), 3); // a new search: "R"
}
