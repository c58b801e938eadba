#include "grid/Grouping.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TGrouping::StaticClassInfo() {
    using C = TGrouping;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"AutoSelectGroup", &C::AutoSelectGroup, &C::SetAutoSelectGroup)
            .Default(false)
            .Property(u"AutoCheckGroup", &C::AutoCheckGroup, &C::SetAutoCheckGroup)
            .Default(false)
            .Property(u"GroupCountFormat", &C::GroupCountFormat, &C::SetGroupCountFormat)
            .Property(u"HeaderColor", TypeInfo_TColor(), &C::HeaderColor, &C::SetHeaderColor)
            .Default(TColor(clNone))
            .Property(u"HeaderColorTo", TypeInfo_TColor(), &C::HeaderColorTo, &C::SetHeaderColorTo)
            .Default(TColor(clNone))
            .Property(u"HeaderTextColor", TypeInfo_TColor(), &C::HeaderTextColor, &C::SetHeaderTextColor)
            .Default(TColor(clNone))
            .Property(u"HeaderUnderline", &C::HeaderUnderline, &C::SetHeaderUnderline)
            .Default(false)
            .Property(u"HeaderLineColor", TypeInfo_TColor(), &C::HeaderLineColor, &C::SetHeaderLineColor)
            .Default(TColor(0xFF0000))
            .Property(u"HeaderLineWidth", &C::HeaderLineWidth, &C::SetHeaderLineWidth)
            .Default(2)
            .Property(u"MergeHeader", &C::MergeHeader, &C::SetMergeHeader)
            .Default(false)
            .Property(u"MergeSummary", &C::MergeSummary, &C::SetMergeSummary)
            .Default(false)
            .Property(u"ShowGroupCount", &C::ShowGroupCount, &C::SetShowGroupCount)
            .Default(false)
            .Property(u"Summary", &C::Summary, &C::SetSummary)
            .Default(false)
            .Property(u"SummaryColor", TypeInfo_TColor(), &C::SummaryColor, &C::SetSummaryColor)
            .Default(TColor(clNone))
            .Property(u"SummaryColorTo", TypeInfo_TColor(), &C::SummaryColorTo, &C::SetSummaryColorTo)
            .Default(TColor(clNone))
            .Property(u"SummaryTextColor", TypeInfo_TColor(), &C::SummaryTextColor, &C::SetSummaryTextColor)
            .Default(TColor(clNone))
            .Property(u"SummaryLine", &C::SummaryLine, &C::SetSummaryLine)
            .Default(false)
            .Property(u"SummaryLineColor", TypeInfo_TColor(), &C::SummaryLineColor, &C::SetSummaryLineColor)
            .Default(TColor(0xFF0000))
            .Property(u"SummaryLineWidth", &C::SummaryLineWidth, &C::SetSummaryLineWidth)
            .Default(2)
            .Build();
    return Info;
}

void TGrouping::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TGrouping*>(Source);
    if (!Other) return;
    FGroupCountFormat = Other->FGroupCountFormat;
    FHeaderColor = Other->FHeaderColor;
    FHeaderColorTo = Other->FHeaderColorTo;
    FHeaderTextColor = Other->FHeaderTextColor;
    FHeaderUnderline = Other->FHeaderUnderline;
    FMergeHeader = Other->FMergeHeader;
    FMergeSummary = Other->FMergeSummary;
    FShowGroupCount = Other->FShowGroupCount;
    FSummaryColor = Other->FSummaryColor;
    FSummaryColorTo = Other->FSummaryColorTo;
    FSummaryTextColor = Other->FSummaryTextColor;
    FSummaryLine = Other->FSummaryLine;
    FAutoCheckGroup = Other->FAutoCheckGroup;
    FAutoSelectGroup = Other->FAutoSelectGroup;
}
