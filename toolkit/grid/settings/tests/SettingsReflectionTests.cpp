// Every settings class streams through the reflection tables: its published
// properties, in declaration order, with type and stream default, listed
// against the classes' tables.

#include "grid/GridSettingsClasses.h"
#include "rtl/Encoding.h"
#include "rtl/TypeInfo.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {

// "Name Type Default": the default as an enumeration name, a colour in hex
// or a number; "-" where the property has none (strings are written when
// not empty, objects always); "stored-if" where a rule decides.
std::vector<std::string> Describe(const TClassInfo& Class) {
    std::vector<std::string> Lines;
    for (const TPropInfo* Prop : GetPropList(Class)) {
        std::string Line = Utf8(Prop->Name) + " " + Utf8(Prop->PropType->Name) + " ";
        if (!Prop->HasDefault) {
            Line += "-";
        } else if (Prop->Kind() == tkEnumeration) {
            Line += Utf8(GetEnumName(*Prop->PropType, Prop->Default));
        } else if (Prop->PropType->Name == u"TColor") {
            char Hex[16];
            std::snprintf(Hex, sizeof Hex, "0x%X", static_cast<unsigned>(Prop->Default));
            Line += Hex;
        } else {
            Line += std::to_string(Prop->Default);
        }
        if (Prop->StoredFunc) Line += " stored-if";
        Lines.push_back(Line);
    }
    return Lines;
}

using Table = std::vector<std::string>;

const struct {
    const char16_t* Class;
    Table Properties;
} Classes[] = {
    {u"TControlLook",
     {"ButtonPrefix Boolean False",
      "Color TColor 0x0",
      "CommentColor TColor 0xFF",
      "CheckedGlyph TBitmap -",
      "FixedGradientFrom TColor 0x1FFFFFFF",
      "FixedGradientTo TColor 0x1FFFFFFF",
      "FixedGradientMirrorFrom TColor 0x1FFFFFFF",
      "FixedGradientMirrorTo TColor 0x1FFFFFFF",
      "FixedGradientHoverFrom TColor 0xFFFFFF",
      "FixedGradientHoverTo TColor 0x808080",
      "FixedGradientHoverMirrorFrom TColor 0x1FFFFFFF",
      "FixedGradientHoverMirrorTo TColor 0x1FFFFFFF",
      "FixedGradientHoverBorder TColor 0xC0C0C0",
      "FixedGradientDownFrom TColor 0xC0C0C0",
      "FixedGradientDownTo TColor 0x808080",
      "FixedGradientDownMirrorFrom TColor 0x1FFFFFFF",
      "FixedGradientDownMirrorTo TColor 0x1FFFFFFF",
      "FixedGradientDownBorder TColor 0x808080",
      "FixedDropDownButton Boolean False",
      "HintMaxWidth Integer 0",
      "UnCheckedGlyph TBitmap -",
      "RadioOnGlyph TBitmap -",
      "RadioOffGlyph TBitmap -",
      "CheckSize Integer 15",
      "CheckAlwaysActive Boolean False",
      "RadioSize Integer 10",
      "RadioAlwaysActive Boolean False",
      "RadioRange Boolean False",
      "ControlStyle TControlStyle csTheme",
      "DropDownAlwaysVisible Boolean False",
      "DropDownButtonWidth Integer 16",
      "DropDownCount Integer 8",
      "DropDownHeader TPersistent -",
      "DropDownFooter TPersistent -",
      "SpinButtonsAlwaysVisible Boolean False",
      "FlatButton Boolean False",
      "NoDisabledCheckRadioLook Boolean False",
      "NoDisabledButtonLook Boolean False",
      "ProgressBorderColor TColor 0x808080",
      "ProgressMarginX Integer 2",
      "ProgressMarginY Integer 2",
      "ProgressXP Boolean False",
      "ProgressHeight Integer 0"}},
    {u"TBackGround",
     {"Top Integer 0", "Left Integer 0", "Display TBackGroundDisplay bdTile", "Bitmap TBitmap -",
      "Cells TBackGroundCells bcNormal", "Color TColor 0xFF000005", "ColorTo TColor 0xFF00000F"}},
    {u"TGridProgressAppearance",
     {"CompleteColor TColor 0xFF",
      "CompleteFontColor TColor 0xFF0000",
      "UnCompleteColor TColor 0x1FFFFFFF",
      "UnCompleteFontColor TColor 0xFF000008",
      "OnChange TNotifyEvent -",
      "Level0Color TColor 0xFF00",
      "Level0ColorTo TColor 0xE1FFE1",
      "Level1Color TColor 0xFFFF",
      "Level1ColorTo TColor 0xCAFFFF",
      "Level2Color TColor 0x53A9FF",
      "Level2ColorTo TColor 0xA8D3FF",
      "Level3Color TColor 0xFF",
      "Level3ColorTo TColor 0xCACAFF",
      "Level1Perc Integer 70",
      "Level2Perc Integer 90",
      "BorderColor TColor 0x0",
      "ShowBorder Boolean False",
      "Stacked Boolean False",
      "ShowPercentage Boolean True",
      "CompletionSmooth Boolean True",
      "ShowGradient Boolean True",
      "Steps Integer 11"}},
    {u"TColorSetting",
     {"TextColor TColor 0x1FFFFFFF", "BkgColor TColor 0x1FFFFFFF", "OnChange TNotifyEvent -"}},
    {u"TAutoColor",
     {"NegativeNumber TColorSetting -", "PositiveNumber TColorSetting -", "OnChange TNotifyEvent -"}},
    {u"TShowModified", {"Enabled Boolean False", "Color TColor 0xFFFF", "OnChange TNotifyEvent -"}},
    {u"TPrintSettings",
     {"FooterSize Integer 0",
      "HeaderSize Integer 0",
      "Time TPrintPosition ppNone",
      "Date TPrintPosition ppNone",
      "DateFormat string -",
      "PageNr TPrintPosition ppNone",
      "Title TPrintPosition ppNone",
      "TitleText string -",
      "TitleLines TStringList - stored-if",
      "Font TFont -",
      "FixedFont TFont -",
      "HeaderFont TFont -",
      "FooterFont TFont -",
      "Borders TPrintBorders pbSingle",
      "BorderStyle TPenStyle psSolid",
      "BorderColor TColor 0x0",
      "Centered Boolean True",
      "RepeatFixedRows Boolean False",
      "RepeatFixedCols Boolean False",
      "LeftSize Integer 0",
      "RightSize Integer 0",
      "ColumnSpacing Integer 0",
      "RowSpacing Integer 0",
      "TitleSpacing Integer 0",
      "Orientation TPrinterOrientation poPortrait",
      "PagePrefix string -",
      "PageSuffix string -",
      "PageNumberOffset Integer 0",
      "MaxPagesOffset Integer 0",
      "FixedWidth Integer 0",
      "FixedHeight Integer 0",
      "UseFixedHeight Boolean False",
      "UseFixedWidth Boolean False",
      "FitToPage TFitToPage fpNever",
      "JobName string -",
      "PageNumSep string -",
      "NoAutoSize Boolean False",
      "NoAutoSizeRow Boolean False",
      "PrintGraphics Boolean False",
      "UseDisplayFont Boolean True",
      "UseDefaultOrientation Boolean False"}},
    {u"TDragDropSettings",
     {"OleDropRTF Boolean False", "OleAcceptText Boolean True", "OleEntireRows Boolean False",
      "OleDropSource Boolean False", "OleRemoveRows Boolean False", "OleAcceptFiles Boolean True",
      "OleAcceptURLs Boolean True", "OleDropTarget Boolean False", "OleInsertRows Boolean False",
      "OleAppendRows Boolean False", "OleCopyAlways Boolean False", "OleColumnDragDrop Boolean False",
      "OleColumnReorder Boolean False", "OleColumnsOnly Boolean False", "OleColumnPicker Boolean False",
      "ShowCells Boolean True"}},
    {u"TDragScrollOptions",
     {"Active Boolean False", "Delays TDragScrollDelays -", "Margins TDragScrollMargins -"}},
    {u"TDragScrollDelays", {"InitialDelay Integer 1000", "RepeatDelay Integer 250"}},
    {u"TDragScrollMargins",
     {"TopMargin Integer 50", "BottomMargin Integer 50", "LeftMargin Integer 50", "RightMargin Integer 50"}},
    {u"TBalloonSettings",
     {"AutoHideDelay Integer -1", "BackgroundColor TColor 0x1FFFFFFF", "Enable Boolean False",
      "InitialDelay Integer -1", "ReshowDelay Integer -1", "ShowCell Boolean True",
      "TextColor TColor 0x1FFFFFFF", "Transparency Byte 0", "OnEnableChange TNotifyEvent -"}},
    {u"THoverButtons",
     {"Enabled Boolean False", "Column Integer 0", "Position THoverButtonPosition hbLeftFromColumnLeft",
      "Buttons THoverButtonsCollection -", "Rows THoverRows hrNormal", "MoveActiveRow Boolean True"}},
    {u"THoverButtonsCollection", {}},
    {u"THoverButtonsCollectionItem",
     {"Enabled Boolean True", "Hint string -", "Picture TPicture -", "Caption string -", "Tag Integer 0",
      "ImageIndex Integer 0", "Flat Boolean False", "Width Integer 0"}},
    {u"TColumnSize",
     {"Rows TAutoSizeRows arAll", "Save Boolean False", "Key string -", "Section string -",
      "Stretch Boolean False", "StretchAll Boolean False", "StretchColumn Integer -1",
      "SynchWithGrid Boolean False", "SynchNormalCellsOnly Boolean False",
      "Location TColumnSizeLocation clRegistry"}},
    {u"TFloatingFooter",
     {"BorderColor TColor 0x1FFFFFFF", "CalculateHiddenRows Boolean True", "Color TColor 0xFF00000F",
      "Column Integer 0", "CustomTemplate string -", "FooterStyle TFooterStyle fsFixedLastRow",
      "ShowHint Boolean False", "Visible Boolean False", "OnCalcFooter TCalcFooterEvent -"}},
    {u"THTMLSettings",
     {"AutoPreview Boolean False",
      "BorderSize Integer 1",
      "CellSpacing Integer 0",
      "CellPadding Integer 0",
      "ConvertSpecialChars Boolean False",
      "ExportImages Boolean True",
      "FooterFile string -",
      "FooterText string -",
      "HeaderFile string -",
      "HeaderText string -",
      "ImageFolder string -",
      "ImageBaseName string -",
      "NonBreakingText Boolean False",
      "PrefixTag string -",
      "SaveColor Boolean True",
      "SaveFonts Boolean True",
      "SuffixTag string -",
      "Summary string -",
      "TableStyle string -",
      "Width Integer 100",
      "XHTML Boolean False"}},
    {u"TSortSettings",
     {"AutoSortForGrouping Boolean True", "AutoColumnMerge Boolean False", "DefaultFormat TSortStyle ssAutomatic",
      "Column Integer -1", "Show Boolean False", "IndexShow Boolean False", "IndexColor TColor 0xFFFF",
      "IndexSortKey TIndexSortKey ikShift", "Full Boolean True", "SingleColumn Boolean False",
      "IgnoreBlanks Boolean False", "BlankPos TSortBlankPosition blFirst", "AutoFormat Boolean True",
      "Direction TSortDirection sdAscending", "UpGlyph TBitmap -", "DownGlyph TBitmap -",
      "IgnoreCase Boolean False", "IndexUpGlyph TBitmap -", "IndexDownGlyph TBitmap -",
      "InitSortDirection TSortDirection sdAscending", "FixedCols Boolean False", "NormalCellsOnly Boolean False",
      "Row Integer 0", "UndoSort Boolean False", "SortOnVirtualCells Boolean True",
      "HeaderColor TColor 0x1FFFFFFF", "HeaderColorTo TColor 0x1FFFFFFF", "HeaderMirrorColor TColor 0x1FFFFFFF",
      "HeaderMirrorColorTo TColor 0x1FFFFFFF"}},
    {u"TFilterData",
     {"Column Integer 0", "Condition string -", "CaseSensitive Boolean True", "Data TFilterCells fcVirtual",
      "Enabled Boolean True", "Prefix string -", "Suffix string -", "Operation TFilterOperation -",
      "Method TFilterMethod fmExpression", "RemoveAccented Boolean False"}},
    {u"TFilterDropDown",
     {"AutoSize Boolean False", "CaseSensitive Boolean False", "Color TColor 0xFF000005",
      "ColumnWidth Boolean False", "Font TFont -", "Glyph TBitmap -", "GlyphActive TBitmap -",
      "Height Integer 150", "IgnoreHTML Boolean True", "Method TFilterMethod fmExpression",
      "Sorted Boolean True", "TextChecked string -", "TextUnChecked string -", "Width Integer 150",
      "OnChange TNotifyEvent -"}},
    {u"TFilterEdit",
     {"AutoHotKey Boolean False", "CaseSensitive Boolean True", "Color TColor 0xFFFFFF",
      "Columns TFilterDropDownColumns fdNormal", "Enabled Boolean False", "Row Integer 0",
      "TypeNames TStringList -"}},
    {u"TSizeWhileTyping", {"Height Boolean False", "Width Boolean False"}},
    {u"TGridItem", {"Idx Integer 0", "Height Integer 0", "Level Integer 0"}},
};

TEST(SettingsReflection, EveryClassIsRegisteredWithItsPublishedPropertiesAndStreamDefaults) {
    RegisterGridSettingsClasses();
    RegisterGridSettingsClasses();
    for (const auto& Entry : Classes) {
        const TClassInfo* Class = GetClass(Entry.Class);
        ASSERT_NE(Class, nullptr) << Utf8(Entry.Class);
        EXPECT_EQ(Describe(*Class), Entry.Properties) << Utf8(Entry.Class);
    }
}

TEST(SettingsReflection, CollectionItemsAreMadeByTheirCollectionClass) {
    RegisterGridSettingsClasses();
    const TClassInfo& Item = FindClass(u"THoverButtonsCollectionItem");
    EXPECT_TRUE(static_cast<bool>(Item.ItemFactory));
}

} // namespace
