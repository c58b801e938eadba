#include "grid/GridSettingsClasses.h"

#include "grid/AppearanceSettings.h"
#include "grid/BackGround.h"
#include "grid/BalloonSettings.h"
#include "grid/CellNode.h"
#include "grid/ColumnSize.h"
#include "grid/ControlLook.h"
#include "grid/DragDropSettings.h"
#include "grid/FilterSettings.h"
#include "grid/FloatingFooter.h"
#include "grid/GridItem.h"
#include "grid/Grouping.h"
#include "grid/HTMLSettings.h"
#include "grid/HoverButtons.h"
#include "grid/PrintSettings.h"
#include "grid/SizeWhileTyping.h"
#include "grid/SortSettings.h"

void RegisterGridSettingsClasses() {
    RegisterClasses({
        &TControlLook::StaticClassInfo(),
        &TBackGround::StaticClassInfo(),
        &TGridProgressAppearance::StaticClassInfo(),
        &TColorSetting::StaticClassInfo(),
        &TAutoColor::StaticClassInfo(),
        &TShowModified::StaticClassInfo(),
        &TPrintSettings::StaticClassInfo(),
        &TDragDropSettings::StaticClassInfo(),
        &TDragScrollOptions::StaticClassInfo(),
        &TDragScrollDelays::StaticClassInfo(),
        &TDragScrollMargins::StaticClassInfo(),
        &TBalloonSettings::StaticClassInfo(),
        &THoverButtons::StaticClassInfo(),
        &THoverButtonsCollection::StaticClassInfo(),
        &THoverButtonsCollectionItem::StaticClassInfo(),
        &TColumnSize::StaticClassInfo(),
        &TFloatingFooter::StaticClassInfo(),
        &THTMLSettings::StaticClassInfo(),
        &TGridItem::StaticClassInfo(),
        &TSortSettings::StaticClassInfo(),
        &TCellNode::StaticClassInfo(),
        &TGrouping::StaticClassInfo(),
        &TFilterData::StaticClassInfo(),
        &TFilter::StaticClassInfo(),
        &TFilterDropDown::StaticClassInfo(),
        &TFilterEdit::StaticClassInfo(),
        &TSizeWhileTyping::StaticClassInfo(),
    });
}
