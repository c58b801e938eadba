#pragma once
// TCellNode: the look of the grid's tree nodes (button, indent, tree lines)
// and the column that carries them. The node operations are the grid's.

#include "graphics/Graphic.h"
#include "grid/GridSettingsOwner.h"

#include <memory>

// The xml library has a TNodeType of its own; this one belongs to the
// grid's unit.
namespace ZirOvararIzaz {
RTL_ENUM(TNodeType, cnFlat, cn3D, cnGlyph, cnLeaf, cnXP)
} // namespace ZirOvararIzaz

class TCellNode : public TPersistent {
    RTL_CLASS(TCellNode)
public:
    explicit TCellNode(IGridSettingsOwner* AOwner = nullptr);
    ~TCellNode() override;

    // From another cell node: every setting, NodeColumn included (without
    // the nodes check); other sources are ignored.
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    bool ExpandOne() const { return FExpandOne; }
    void SetExpandOne(bool Value) { FExpandOne = Value; }
    // NodeType, NodeIndent, ShowTree, ShowTreeFull and TreeColor repaint the
    // grid when they change.
    ZirOvararIzaz::TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(ZirOvararIzaz::TNodeType Value) { Change(FNodeType, Value); }
    TColor NodeColor() const { return FNodeColor; }
    void SetNodeColor(TColor Value) { FNodeColor = Value; }
    // Refused with "Cannot change node column when grid has nodes" while the
    // grid holds nodes.
    Integer NodeColumn() const { return FNodeColumn; }
    void SetNodeColumn(Integer Value);
    Integer NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(Integer Value) { Change(FNodeIndent, Value); }
    // The glyph setters copy the picture.
    TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
    void SetExpandGlyph(const TBitmap* Value) { FExpandGlyph->Assign(Value); }
    TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
    void SetContractGlyph(const TBitmap* Value) { FContractGlyph->Assign(Value); }
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool Value) { Change(FShowTree, Value); }
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool Value) { Change(FShowTreeFull, Value); }
    TColor TreeColor() const { return FTreeColor; }
    void SetTreeColor(TColor Value) { Change(FTreeColor, Value); }

private:
    template <typename T>
    void Change(T& Field, T Value) {
        if (Field == Value) return;
        Field = Value;
        if (FOwner) FOwner->Repaint();
    }

    IGridSettingsOwner* FOwner;
    TColor FColor = 0xC0C0C0;
    bool FExpandOne = false;
    ZirOvararIzaz::TNodeType FNodeType = ZirOvararIzaz::cnXP;
    TColor FNodeColor = 0;
    Integer FNodeColumn = 0;
    Integer FNodeIndent = 12;
    std::unique_ptr<TBitmap> FExpandGlyph;
    std::unique_ptr<TBitmap> FContractGlyph;
    bool FShowTree = true;
    bool FShowTreeFull = true;
    TColor FTreeColor = 0x808080;
};
