// Text form layouts: the registry of layouts by class, reading them into
// new forms and frames through the component stream reader, writing them
// back, and the registration of the framework's classes.

#include "rtl/Encoding.h"
#include "rtl/Convert.h"
#include "rtl/Filer.h"
#include "vcl/ActnList.h"
#include "vcl/Buttons.h"
#include "vcl/CheckLst.h"
#include "vcl/ColorNames.h"
#include "vcl/ExtCtrls.h"
#include "vcl/FormLayout.h"
#include "vcl/Forms.h"
#include "vcl/Frame.h"
#include "vcl/Grids.h"
#include "vcl/GroupBox.h"
#include "vcl/Image.h"
#include "vcl/Mask.h"
#include "vcl/Menus.h"
#include "vcl/MonthCalendar.h"
#include "vcl/OpenDialog.h"
#include "vcl/PageControl.h"
#include "vcl/ScrollBox.h"
#include "vcl/StaticText.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timer.h"
#include "vcl/TrackBar.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace {

struct TLayoutSource {
    String FileName;
    std::optional<String> Text; // none: read from the file
};

std::map<const TClassInfo*, TLayoutSource>& Layouts() {
    static std::map<const TClassInfo*, TLayoutSource> Map;
    return Map;
}

String LoadText(const String& FileName) {
    std::ifstream File(Utf8(FileName), std::ios::binary);
    if (!File) throw EFOpenError(u"Cannot open file \"" + FileName + u"\"");
    std::stringstream Bytes;
    Bytes << File.rdbuf();
    std::string Data = Bytes.str();
    if (Data.size() >= 3 && Data.compare(0, 3, "\xEF\xBB\xBF") == 0) Data.erase(0, 3);
    return FromUtf8(Data);
}

} // namespace

void RegisterLayout(const TClassInfo& Class, const String& FileName) {
    Layouts()[&Class] = {FileName, std::nullopt};
}

void RegisterLayoutText(const TClassInfo& Class, const String& Text, const String& FileName) {
    Layouts()[&Class] = {FileName, Text};
}

bool HasLayout(const TClassInfo& Class) {
    return Layouts().count(&Class) != 0;
}

void ReadLayoutText(TComponent* Root, const String& Text, const String& FileName) {
    RegisterStandardClasses();
    // The whole text is parsed before anything is set.
    TMemoryStream Stream;
    std::vector<std::pair<Int64, Integer>> Lines;
    ObjectTextToBinary(Text, Stream, FileName, Lines);
    Stream.SetPosition(0);
    TReader Reader(&Stream);
    Reader.DescribePosition = [&](Int64 Offset) {
        Integer Line = 1;
        for (const auto& [Start, AtLine] : Lines) {
            if (Start > Offset) break;
            Line = AtLine;
        }
        return FileName + u"(" + IntToStr(Line) + u")";
    };
    Reader.ReadRootComponent(Root);
}

void ReadLayout(TComponent* Root) {
    std::vector<const TClassInfo*> Chain;
    for (const TClassInfo* Class = &Root->ClassType(); Class; Class = Class->Parent)
        if (HasLayout(*Class)) Chain.push_back(Class);
    std::reverse(Chain.begin(), Chain.end());
    for (const TClassInfo* Class : Chain) {
        const TLayoutSource& Source = Layouts()[Class];
        ReadLayoutText(Root, Source.Text ? *Source.Text : LoadText(Source.FileName), Source.FileName);
    }
}

String WriteLayoutText(TComponent* Root) {
    TMemoryStream Stream;
    WriteComponent(Stream, Root);
    Stream.SetPosition(0);
    return ObjectBinaryToText(Stream);
}

void RegisterStandardClasses() {
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterIntegerConsts(TypeInfo_TColor(), IdentToColor, ColorToIdent);
    RegisterClasses({&TForm::StaticClassInfo(),         &TFrame::StaticClassInfo(),
                     &TButton::StaticClassInfo(),       &TCheckBox::StaticClassInfo(),
                     &TRadioButton::StaticClassInfo(),  &TSpeedButton::StaticClassInfo(),
                     &TBitBtn::StaticClassInfo(),       &TCheckListBox::StaticClassInfo(),
                     &TComboBox::StaticClassInfo(),     &TDrawGrid::StaticClassInfo(),
                     &TStringGrid::StaticClassInfo(),   &TEdit::StaticClassInfo(),
                     &TMaskEdit::StaticClassInfo(),     &TMemo::StaticClassInfo(),
                     &TGroupBox::StaticClassInfo(),     &TImage::StaticClassInfo(),
                     &TLabel::StaticClassInfo(),        &TListBox::StaticClassInfo(),
                     &TMonthCalendar::StaticClassInfo(), &TPageControl::StaticClassInfo(),
                     &TTabSheet::StaticClassInfo(),     &TPanel::StaticClassInfo(),
                     &TScrollBar::StaticClassInfo(),    &TScrollBox::StaticClassInfo(),
                     &TStaticText::StaticClassInfo(),   &TTimer::StaticClassInfo(),
                     &TTrackBar::StaticClassInfo(),     &TMainMenu::StaticClassInfo(),
                     &TPopupMenu::StaticClassInfo(),    &TMenuItem::StaticClassInfo(),
                     &TAction::StaticClassInfo(),
                     &TOpenDialog::StaticClassInfo(),   &TSaveDialog::StaticClassInfo()});
}

// ---- Where components go in streams ----

namespace {

// A form's or frame's own components that have no parent come first.
void OwnedWithoutParent(const TComponent& Self, const std::function<void(TComponent*)>& Proc, TComponent* Root) {
    if (&Self != Root) return;
    for (Integer i = 0; i < Self.ComponentCount(); ++i)
        if (!Self.Components(i)->HasParent()) Proc(Self.Components(i));
}

} // namespace

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
    OwnedWithoutParent(*this, Proc, Root);
    TScrollingWinControl::GetChildren(Proc, Root);
}

void TCustomFrame::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
    OwnedWithoutParent(*this, Proc, Root);
    TScrollingWinControl::GetChildren(Proc, Root);
}

void TCustomFrame::AfterConstruction() {
    TScrollingWinControl::AfterConstruction();
    ReadLayout(this);
}
