#include "grid/CellNode.h"

#include "grid/GridError.h"
#include "rtl/ClassBuilder.h"

using namespace ZirOvararIzaz;

const TClassInfo& TCellNode::StaticClassInfo() {
    using C = TCellNode;
    static const TClassInfo Info = TClassBuilder<C, TPersistent>()
                                       .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
                                       .Default(TColor(0xC0C0C0))
                                       .Property(u"ContractGlyph", &C::ContractGlyph, &C::SetContractGlyph)
                                       .Property(u"ExpandGlyph", &C::ExpandGlyph, &C::SetExpandGlyph)
                                       .Property(u"ExpandOne", &C::ExpandOne, &C::SetExpandOne)
                                       .Default(false)
                                       .Property(u"NodeColor", TypeInfo_TColor(), &C::NodeColor, &C::SetNodeColor)
                                       .Default(TColor(0))
                                       .Property(u"NodeColumn", &C::NodeColumn, &C::SetNodeColumn)
                                       .Default(0)
                                       .Property(u"NodeIndent", &C::NodeIndent, &C::SetNodeIndent)
                                       .Default(12)
                                       .Property(u"NodeType", &C::NodeType, &C::SetNodeType)
                                       .Default(cnXP)
                                       .Property(u"ShowTree", &C::ShowTree, &C::SetShowTree)
                                       .Default(true)
                                       .Property(u"ShowTreeFull", &C::ShowTreeFull, &C::SetShowTreeFull)
                                       .Default(true)
                                       .Property(u"TreeColor", TypeInfo_TColor(), &C::TreeColor, &C::SetTreeColor)
                                       .Default(TColor(0x808080))
                                       .Build();
    return Info;
}

TCellNode::TCellNode(IGridSettingsOwner* AOwner)
    : FOwner(AOwner), FExpandGlyph(std::make_unique<TBitmap>()), FContractGlyph(std::make_unique<TBitmap>()) {}

TCellNode::~TCellNode() = default;

TPersistent* TCellNode::GetOwner() const {
    return FOwner ? FOwner->GridObject() : nullptr;
}

void TCellNode::SetNodeColumn(Integer Value) {
    if (Value == FNodeColumn) return;
    if (FOwner && FOwner->GridHasNodes()) throw EKelGridError(u"Cannot change node column when grid has nodes");
    FNodeColumn = Value;
}

void TCellNode::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TCellNode*>(Source);
    if (!Other) return;
    FColor = Other->FColor;
    FExpandOne = Other->FExpandOne;
    FNodeType = Other->FNodeType;
    FNodeColor = Other->FNodeColor;
    FNodeColumn = Other->FNodeColumn;
    FNodeIndent = Other->FNodeIndent;
    FExpandGlyph->Assign(Other->FExpandGlyph.get());
    FContractGlyph->Assign(Other->FContractGlyph.get());
    FShowTree = Other->FShowTree;
    FShowTreeFull = Other->FShowTreeFull;
    FTreeColor = Other->FTreeColor;
}
