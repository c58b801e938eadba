// Loading an SVG document: the XML text parsed, its nodes walked into
// elements, the view rectangle fixed.

#include "KelGraphicsSVGNumbers.h"
#include "kel/KelGraphicsSVGEngine.h"
#include "kel/RarEvads.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Encoding.h"
#include "rtl/Stream.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"
#include "xml/XMLDocument.h"

#include <algorithm>
#include <limits>

namespace {

// The node names of the element kinds (compared case-sensitively); every
// other name is etUnknown.
TKelGraphicsSVGElementType ElementTypeOf(const String& ANodeName) {
    static const struct {
        std::u16string_view Name;
        TKelGraphicsSVGElementType Type;
    } Kinds[] = {
        {u"g", etContainer},
        {u"switch", etSwitch},
        {u"defs", etDefs},
        {u"use", etUse},
        {u"rect", etRect},
        {u"line", etLine},
        {u"polyline", etPolyline},
        {u"polygon", etPolygon},
        {u"circle", etCircle},
        {u"ellipse", etEllipse},
        {u"path", etPath},
        {u"image", etImage},
        {u"text", etText},
        {u"tspan", etTextSpan},
        {u"#text", etTextSpanChild},
        {u"textPath", etTextPath},
        {u"clipPath", etClipPath},
        {u"linearGradient", etLinearGradient},
        {u"radialGradient", etRadialGradient},
        {u"style", etStyle},
        {u"stop", etStop},
        {u"pattern", etPattern},
    };
    for (const auto& Kind : Kinds)
        if (Kind.Name == ANodeName) return Kind.Type;
    return etUnknown;
}

bool IsWhiteSpace(Char C) {
    return C <= u' ';
}

// The items of AText separated by white space (space and control
// characters), empty items dropped.
std::vector<String> SplitOnWhiteSpace(const String& AText) {
    std::vector<String> Result;
    size_t Start = 0;
    while (Start < AText.size()) {
        while (Start < AText.size() && IsWhiteSpace(AText[Start]))
            ++Start;
        size_t End = Start;
        while (End < AText.size() && !IsWhiteSpace(AText[End]))
            ++End;
        if (End > Start) Result.push_back(AText.substr(Start, End - Start));
        Start = End;
    }
    return Result;
}

// A viewBox value "min-x min-y width height" as the rectangle it spans;
// false when it is not four numbers separated by white space (the document
// then counts as having no viewBox).
bool ParseViewBox(const String& AText, TRectF& ARect) {
    const std::vector<String> Items = SplitOnWhiteSpace(AText);
    if (Items.size() != 4) return false;
    double Values[4];
    for (size_t I = 0; I < 4; ++I)
        if (!TRarEvads::TryStrToFloatDot(Items[I], Values[I])) return false;
    ARect = RectF(static_cast<Single>(Values[0]), static_cast<Single>(Values[1]),
                  static_cast<Single>(Values[0] + Values[2]), static_cast<Single>(Values[1] + Values[3]));
    return true;
}

// The presentation of a node as one declaration text: every attribute as
// "name:value" in document order, the style attribute's declarations at its
// place. A later declaration wins, so a presentation attribute written after
// the style attribute overrides the style's declaration of the same property,
// and one written before it is overridden by it.
String DeclarationsOf(const IXMLNode& ANode) {
    String Result;
    const IXMLNodeList& Attributes = ANode.AttributeNodes();
    for (Integer I = 0; I < Attributes.Count(); ++I) {
        const IXMLNode* Attribute = Attributes.Nodes(I);
        if (!Result.empty()) Result += u';';
        if (Attribute->NodeName() == u"style")
            Result += Attribute->Text();
        else
            Result += Attribute->NodeName() + u":" + Attribute->Text();
    }
    return Result;
}

// The geometry attributes of a gradient as written, percentages as fractions.
void ParseGradientLengths(TKelGraphicsSVGElement* E, const IXMLNode& ANode) {
    static const char16_t* const Linear[] = {u"x1", u"y1", u"x2", u"y2", nullptr};
    static const char16_t* const Radial[] = {u"cx", u"cy", u"r", u"fx", u"fy"};
    const char16_t* const* Names = E->Type() == etLinearGradient ? Linear : Radial;
    for (Integer I = 0; I < TKelGraphicsSVGElement::GradientLengthCount; ++I) {
        if (Names[I] == nullptr || !ANode.HasAttribute(Names[I])) continue;
        Double Value = 0;
        bool Percent = false;
        if (!detail::TryParseSVGLength(Trim(ANode.Attributes(Names[I])), Value, Percent)) continue;
        E->SetGradientLength(I, {Single(Percent ? Value / 100 : Value), true, Percent});
    }
}

bool IsTransformingAncestor(const TKelGraphicsSVGElement* AElement) {
    const TKelGraphicsSVGElementType Type = AElement->Type();
    return Type == etContainer || Type == etText || Type == etTextSpan || Type == etTextPath;
}

} // namespace

const TClassInfo& TKelGraphicsSVGImport::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelGraphicsSVGImport, TKelSVGImport>().Build();
    return Info;
}

TKelGraphicsSVGImport::TKelGraphicsSVGImport() {
    SetViewRect(EmptyViewRect());
}

TKelGraphicsSVGImport::~TKelGraphicsSVGImport() = default;

TRectF TKelGraphicsSVGImport::EmptyViewRect() {
    constexpr Single Marker = 2147483648.0f;
    return RectF(Marker, Marker, -Marker, -Marker);
}

void TKelGraphicsSVGImport::Clear() {
    // The referring lists first: they point into the owning ones.
    FElementClassList.Clear();
    FElementPatternList.Clear();
    FElementClipPathList.Clear();
    FElementList.Clear();
    FDefsList.Clear();
    FXML.reset();
    FIDs.clear();
    FIDsIndexed = false;
    FDrawChain.clear();
    SetViewRect(EmptyViewRect());
}

void TKelGraphicsSVGImport::LoadFromFile(const String& AFile) {
    TMemoryStream Stream;
    Stream.LoadFromFile(AFile);
    LoadFromStream(&Stream);
}

void TKelGraphicsSVGImport::LoadFromStream(TStream* AStream) {
    AStream->SetPosition(0);
    TStringList Lines;
    Lines.LoadFromStream(*AStream, &TEncoding::UTF8());
    LoadFromText(Lines.Text());
}

void TKelGraphicsSVGImport::SaveToStream(TStream* AStream) const {
    if (FXML) FXML->SaveToStream(*AStream);
}

void TKelGraphicsSVGImport::SaveToFile(const String& AFile) const {
    TMemoryStream Stream;
    SaveToStream(&Stream);
    Stream.SaveToFile(AFile);
}

void TKelGraphicsSVGImport::LoadFromText(const String& AText) {
    Clear();
    auto Document = std::make_unique<TXMLDocument>();
    Document->LoadFromXML(AText);
    FXML = std::move(Document);

    const IXMLNode* Root = FXML->DocumentElement();
    if (Root == nullptr || Root->NodeName() != u"svg") return;

    // Numbers are read with "." whatever the process's number format, so the
    // format is left alone.
    const TRectF Empty = EmptyViewRect();
    TRectF Candidate = Empty;
    const String ViewBox = Root->Attributes(u"viewBox");
    if (ViewBox.empty() || !ParseViewBox(ViewBox, Candidate)) {
        const String Width = Root->Attributes(u"width");
        const String Height = Root->Attributes(u"height");
        if (!Width.empty() && !Height.empty())
            Candidate = RectF(0, 0, ParseLength(Width), ParseLength(Height));
    }

    ParseNodes(FElementList, *Root, true, nullptr);

    ResolveClassRefs(FElementPatternList, FDefsList);
    ResolveClassRefs(FElementClipPathList, FDefsList);
    ResolveClassRefs(FElementClassList, FDefsList);
    ResolvePatternRefs(FElementList);
    ResolveHRefs();

    if (Candidate.Left != Empty.Left && Candidate.Top != Empty.Top && Candidate.Right != Empty.Right &&
        Candidate.Bottom != Empty.Bottom)
        SetViewRect(Candidate);
    else if (ViewRect() == Empty)
        SetViewRect(RectF(0, 0, 0, 0));
}

void TKelGraphicsSVGImport::ParseNodes(TKelGraphicsSVGElementList& AList, const IXMLNode& ANode,
                                       bool AExtendsBounds, TKelGraphicsSVGElement* AParent) {
    const IXMLNodeList& Children = ANode.ChildNodes();
    for (Integer I = 0; I < Children.Count(); ++I) {
        const IXMLNode& Node = *Children.Nodes(I);
        const TKelGraphicsSVGElementType Type = ElementTypeOf(Node.NodeName());
        switch (Type) {
        case etUnknown:
        case etSwitch:
            break; // skipped with their content
        case etDefs:
            ParseNodes(FDefsList, Node, false, nullptr);
            break;
        case etStyle:
            ParseStyleSheet(Node.Text());
            break;
        default: {
            if (Type == etTextSpanChild && Trim(Node.Text()).empty()) break;
            auto* Element = Create<TKelGraphicsSVGElement>();
            Element->SetType(Type);
            Element->SetParent(AParent);
            AList.Add(Element);
            ParseElement(Element, Node, AExtendsBounds);
        }
        }
    }
}

void TKelGraphicsSVGImport::ParseGeometry(TKelGraphicsSVGElement* E, const IXMLNode& ANode) {
    auto Length = [&ANode](const char16_t* AName) { return ParseLength(ANode.Attributes(AName)); };
    if (E->Type() == etLinearGradient || E->Type() == etRadialGradient) ParseGradientLengths(E, ANode);
    switch (E->Type()) {
    case etCircle:
        E->SetX(Length(u"cx"));
        E->SetY(Length(u"cy"));
        E->SetRx(Length(u"r"));
        E->SetRy(E->Rx());
        break;
    case etEllipse:
        E->SetX(Length(u"cx"));
        E->SetY(Length(u"cy"));
        E->SetRx(Length(u"rx"));
        E->SetRy(Length(u"ry"));
        break;
    case etLine:
    case etLinearGradient:
        E->SetX(Length(u"x1"));
        E->SetY(Length(u"y1"));
        E->SetWidth(Length(u"x2"));
        E->SetHeight(Length(u"y2"));
        break;
    case etRadialGradient:
        E->SetHasCX(ANode.HasAttribute(u"cx"));
        E->SetHasCY(ANode.HasAttribute(u"cy"));
        E->SetCX(Length(u"cx"));
        E->SetCY(Length(u"cy"));
        break;
    case etUse:
        E->SetX(Length(u"x"));
        E->SetY(Length(u"y"));
        break;
    default:
        E->SetX(Length(u"x"));
        E->SetY(Length(u"y"));
        E->SetWidth(Length(u"width"));
        E->SetHeight(Length(u"height"));
        E->SetRx(Length(u"rx"));
        E->SetRy(Length(u"ry"));
    }
}

void TKelGraphicsSVGImport::ParseElement(TKelGraphicsSVGElement* E, const IXMLNode& ANode,
                                         bool AExtendsBounds) {
    E->SetMatrix(ParseTransform(ANode, u"transform"));
    E->SetGradientMatrix(ParseTransform(ANode, u"gradientTransform"));
    ParseGeometry(E, ANode);
    ParseDeclarations(E, DeclarationsOf(ANode));

    switch (E->Type()) {
    case etContainer:
    case etClipPath:
    case etLinearGradient:
    case etRadialGradient:
    case etPattern:
        // Only a group's content is drawn where it stands.
        ParseNodes(*E->Elements(), ANode, E->Type() == etContainer, E);
        if (E->Type() == etClipPath)
            FElementClipPathList.Add(E);
        else if (E->Type() != etContainer)
            FElementPatternList.Add(E);
        break;
    case etRect:
    case etImage:
        if (AExtendsBounds)
            ExtendViewRect(E, RectF(E->X(), E->Y(), E->X() + E->Width(), E->Y() + E->Height()));
        if (E->Type() == etImage) ImageSource(E, ANode);
        break;
    case etLine:
        if (AExtendsBounds)
            ExtendViewRect(E, RectF(std::min(E->X(), E->Width()), std::min(E->Y(), E->Height()),
                                    std::max(E->X(), E->Width()), std::max(E->Y(), E->Height())));
        break;
    case etCircle:
    case etEllipse:
        if (AExtendsBounds)
            ExtendViewRect(E, RectF(E->X() - E->Rx(), E->Y() - E->Ry(), E->X() + E->Rx(), E->Y() + E->Ry()));
        break;
    case etPolyline:
    case etPolygon:
        // A point list without points draws nothing and leaves the bounds alone.
        if (ParsePoints(E, ANode.Attributes(u"points")) && AExtendsBounds && E->ActivePath()->Count() > 0)
            ExtendViewRect(E, E->ActivePath()->GetBounds());
        break;
    case etPath: {
        ParsePathData(E, ANode.Attributes(u"d"));
        if (!E->HasPaths()) break;
        const bool Transformed = !MatrixIsEmpty(E->Matrix());
        for (Integer I = 0; I < E->Paths()->Count(); ++I) {
            TKelGraphicsPath* Path = E->Paths()->Items(I);
            if (Transformed) Path->ApplyMatrix(E->Matrix());
            if (AExtendsBounds) ExtendViewRect(E, Path->GetBounds());
        }
        break;
    }
    case etText:
    case etTextSpan:
    case etTextPath:
    case etTextSpanChild: {
        const IXMLNodeList& Children = ANode.ChildNodes();
        if (ANode.NodeType() == ntText)
            E->SetText(ANode.Text());
        else if (ANode.NodeName() == u"text" && Children.Count() == 1 &&
                 Children.First()->NodeType() == ntText)
            E->SetText(Children.First()->Text());
        else
            ParseNodes(*E->Elements(), ANode, true, E);
        break;
    }
    default:
        break; // a stop's offset, colour and opacity came with the declarations
    }
}

bool TKelGraphicsSVGImport::ParsePoints(TKelGraphicsSVGElement* E, const String& APoints) {
    String Text;
    Text.reserve(APoints.size());
    for (const Char C : APoints) {
        if (C == u',')
            Text += u' ';
        else if (C == u'-')
            Text += u" -";
        else
            Text += C;
    }
    const std::vector<String> Items = SplitOnWhiteSpace(Text);
    if (Items.size() % 2 != 0) return false;

    auto* Path = Create<TKelGraphicsPath>();
    E->Paths()->Add(Path);
    for (size_t I = 0; I < Items.size(); I += 2) {
        double X = 0;
        double Y = 0;
        if (!TRarEvads::TryStrToFloatDot(Items[I], X)) X = 0;
        if (!TRarEvads::TryStrToFloatDot(Items[I + 1], Y)) Y = 0;
        const TPointF Point = PointF(static_cast<Single>(X), static_cast<Single>(Y));
        if (I == 0)
            Path->MoveTo(Point);
        else
            Path->LineTo(Point);
    }
    if (E->Type() == etPolygon && !Items.empty()) Path->ClosePath();

    // Under a transformed parent the drawing applies the element's transform
    // together with its ancestors'; otherwise it is applied here, once.
    const bool ParentTransformed = E->Parent() != nullptr && !MatrixIsEmpty(E->Parent()->Matrix());
    if (!MatrixIsEmpty(E->Matrix()) && !ParentTransformed) Path->ApplyMatrix(E->Matrix());
    return true;
}

void TKelGraphicsSVGImport::ImageSource(TKelGraphicsSVGElement* E, const IXMLNode& ANode) {
    String Source = ANode.Attributes(u"xlink:href");
    if (Source.find(u"data:") != String::npos) Source.erase(0, 5);
    // A picture that cannot be read (no source, a missing file, data of no
    // known format) leaves the image without picture: it draws nothing, and
    // the rest of the document still loads.
    try {
        const size_t Semicolon = Source.find(u';');
        if (Semicolon != String::npos && Source.compare(Semicolon, 8, u";base64,") == 0) {
            const TBytes Bytes = TRarEvads::Decode64ToBytes(Source.substr(Semicolon + 8), false);
            TBytesStream Stream(Bytes);
            E->Bitmap()->LoadFromStream(&Stream);
        } else if (!Source.empty()) {
            E->Bitmap()->LoadFromFile(Source);
        }
    } catch (const Exception&) {
        if (E->HasBitmap()) E->Bitmap()->SetGraphic(nullptr);
    }
}

void TKelGraphicsSVGImport::ExtendViewRect(const TKelGraphicsSVGElement* AElement, const TRectF& ARect) {
    TKelGraphicsMatrix Matrix = MatrixIdentity();
    for (const TKelGraphicsSVGElement* Ancestor = AElement->Parent();
         Ancestor != nullptr && IsTransformingAncestor(Ancestor); Ancestor = Ancestor->Parent())
        if (!MatrixIsEmpty(Ancestor->Matrix())) Matrix = Matrix * Ancestor->Matrix();

    TKelGraphicsPath Path;
    Path.AddRectangle(ARect);
    Path.ApplyMatrix(Matrix);
    const TRectF Bounds = Path.GetBounds();
    const TRectF Current = ViewRect();
    SetViewRect(RectF(std::min(Current.Left, Bounds.Left), std::min(Current.Top, Bounds.Top),
                      std::max(Current.Right, Bounds.Right), std::max(Current.Bottom, Bounds.Bottom)));
}
