#pragma once
// TGrouping: the look of grouped rows (header and summary colours, lines,
// merging, the group count). Grouping itself is an operation of the grid.

#include "graphics/Colors.h"
#include "grid/GridSettingsOwner.h"

#define GROUPING_SETTING(Type, Name, Initial)                                                                 \
public:                                                                                                       \
    Type Name() const { return F##Name; }                                                                     \
    void Set##Name(Type Value) { F##Name = Value; }                                                           \
                                                                                                              \
private:                                                                                                      \
    Type F##Name = Initial;

class TGrouping : public TPersistent {
    RTL_CLASS(TGrouping)
public:
    explicit TGrouping(IGridSettingsOwner* AOwner = nullptr) : FOwner(AOwner) {}

    // From another grouping: everything but Summary and the two lines'
    // colours and widths; other sources are ignored.
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override { return FOwner ? FOwner->GridObject() : nullptr; }

    GROUPING_SETTING(bool, AutoSelectGroup, false)
    GROUPING_SETTING(bool, AutoCheckGroup, false)
    GROUPING_SETTING(String, GroupCountFormat, String())
    GROUPING_SETTING(TColor, HeaderColor, clNone)
    GROUPING_SETTING(TColor, HeaderColorTo, clNone)
    GROUPING_SETTING(TColor, HeaderTextColor, clNone)
    GROUPING_SETTING(bool, HeaderUnderline, false)
    GROUPING_SETTING(TColor, HeaderLineColor, 0xFF0000)
    GROUPING_SETTING(Integer, HeaderLineWidth, 2)
    GROUPING_SETTING(bool, MergeHeader, false)
    GROUPING_SETTING(bool, MergeSummary, false)
    GROUPING_SETTING(bool, ShowGroupCount, false)
    GROUPING_SETTING(bool, Summary, false)
    GROUPING_SETTING(TColor, SummaryColor, clNone)
    GROUPING_SETTING(TColor, SummaryColorTo, clNone)
    GROUPING_SETTING(TColor, SummaryTextColor, clNone)
    GROUPING_SETTING(bool, SummaryLine, false)
    GROUPING_SETTING(TColor, SummaryLineColor, 0xFF0000)
    GROUPING_SETTING(Integer, SummaryLineWidth, 2)

private:
    IGridSettingsOwner* FOwner;
};

#undef GROUPING_SETTING
