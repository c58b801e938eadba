// Component streams: the binary format byte by byte, round trips of every
// property kind with defined data, the text form, and damaged streams.

#include "rtl/ClassBuilder.h"
#include "rtl/Collection.h"
#include "rtl/Convert.h"
#include "rtl/Filer.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

RTL_ENUM(TPartKind, pkPlain, pkFancy, pkOdd)
RTL_ENUM(TPartOption, poRound, poShiny, poLarge)
using TPartOptions = TSet<TPartOption>;
RTL_SET_INFO(TPartOptions)

class TPartPen : public TPersistent {
    RTL_CLASS(TPartPen)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { FWidth = Value; }

private:
    TColor FColor = 0;
    Integer FWidth = 1;
};

class TPartItem : public TCollectionItem {
    RTL_CLASS(TPartItem)
public:
    using TCollectionItem::TCollectionItem;
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    Integer Size() const { return FSize; }
    void SetSize(Integer Value) { FSize = Value; }

private:
    String FTitle;
    Integer FSize = 0;
};

// A component with one property of every kind, and defined data: a list of
// numbers ("Marks") and a block of bytes ("Blob").
class TPart : public TComponent {
    RTL_CLASS(TPart)
public:
    explicit TPart(TComponent* AOwner)
        : TComponent(AOwner), FPen(std::make_unique<TPartPen>()), FLines(std::make_unique<TStringList>()),
          FItems(std::make_unique<TCollection>(TPartItem::StaticClassInfo())) {}

    Integer Count() const { return FCount; }
    void SetCount(Integer Value) { FCount = Value; }
    Int64 Big() const { return FBig; }
    void SetBig(Int64 Value) { FBig = Value; }
    bool Active() const { return FActive; }
    void SetActive(bool Value) { FActive = Value; }
    TPartKind Kind() const { return FKind; }
    void SetKind(TPartKind Value) { FKind = Value; }
    TPartOptions Options() const { return FOptions; }
    void SetOptions(TPartOptions Value) { FOptions = Value; }
    Double Ratio() const { return FRatio; }
    void SetRatio(Double Value) { FRatio = Value; }
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TPartPen* Pen() const { return FPen.get(); }
    TStrings* Lines() const { return FLines.get(); }
    TCollection* Items() const { return FItems.get(); }
    TPart* Buddy() const { return FBuddy; }
    void SetBuddy(TPart* Value) { FBuddy = Value; }
    TNotifyEvent OnChange;

    std::vector<Integer> Marks;
    TBytes Blob;
    std::vector<TPart*> Children;

    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent*) const override {
        for (TPart* Child : Children)
            Proc(Child);
    }
    void SetParentComponent(TComponent* Value) override {
        if (auto* Parent = dynamic_cast<TPart*>(Value)) Parent->Children.push_back(this);
    }
    void PartChanged(TObject*) {}
    Integer LoadedCount = 0;

protected:
    void Loaded() override {
        TComponent::Loaded();
        ++LoadedCount;
    }
    void DefineProperties(TFiler* Filer) override {
        Filer->DefineProperty(
            u"Marks",
            [this](TReader* Reader) {
                Marks.clear();
                Reader->ReadListBegin();
                while (!Reader->EndOfList())
                    Marks.push_back(Reader->ReadInteger());
                Reader->ReadListEnd();
            },
            [this](TWriter* Writer) {
                Writer->WriteListBegin();
                for (Integer Mark : Marks)
                    Writer->WriteInteger(Mark);
                Writer->WriteListEnd();
            },
            !Marks.empty());
        Filer->DefineBinaryProperty(
            u"Blob",
            [this](TStream* Stream) {
                Blob.assign(size_t(Stream->Size()), 0);
                if (!Blob.empty()) Stream->ReadBuffer(Blob.data(), Int64(Blob.size()));
            },
            [this](TStream* Stream) {
                if (!Blob.empty()) Stream->WriteBuffer(Blob.data(), Int64(Blob.size()));
            },
            !Blob.empty());
    }

private:
    Integer FCount = 0;
    Int64 FBig = 0;
    bool FActive = false;
    TPartKind FKind = pkPlain;
    TPartOptions FOptions;
    Double FRatio = 0;
    String FCaption;
    TColor FColor = 0;
    std::unique_ptr<TPartPen> FPen;
    std::unique_ptr<TStringList> FLines;
    std::unique_ptr<TCollection> FItems;
    TPart* FBuddy = nullptr;
};

} // namespace

const TClassInfo& TPartPen::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TPartPen, TPersistent>()
                                       .Property(u"Color", TypeInfo_TColor(), &TPartPen::Color, &TPartPen::SetColor)
                                       .Default(0)
                                       .Property(u"Width", &TPartPen::Width, &TPartPen::SetWidth)
                                       .Default(1)
                                       .Build();
    return Info;
}

const TClassInfo& TPartItem::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TPartItem, TCollectionItem>()
                                       .Property(u"Title", &TPartItem::Title, &TPartItem::SetTitle)
                                       .Property(u"Size", &TPartItem::Size, &TPartItem::SetSize)
                                       .Default(0)
                                       .Build();
    return Info;
}

const TClassInfo& TPart::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TPart, TComponent>()
            .Property(u"Name", &TPart::Name, &TPart::SetName)
            .Property(u"Count", &TPart::Count, &TPart::SetCount)
            .Default(0)
            .Property(u"Big", &TPart::Big, &TPart::SetBig)
            .Property(u"Active", &TPart::Active, &TPart::SetActive)
            .Default(false)
            .Property(u"Kind", &TPart::Kind, &TPart::SetKind)
            .Default(pkPlain)
            .Property(u"Options", &TPart::Options, &TPart::SetOptions)
            .Default(TPartOptions{})
            .Property(u"Ratio", &TPart::Ratio, &TPart::SetRatio)
            .Property(u"Caption", &TPart::Caption, &TPart::SetCaption)
            .Property(u"Color", TypeInfo_TColor(), &TPart::Color, &TPart::SetColor)
            .Default(0)
            .Property(u"Pen", &TPart::Pen, nullptr)
            .Property(u"Lines", &TPart::Lines, nullptr)
            .Property(u"Items", &TPart::Items, nullptr)
            .Property(u"Buddy", &TPart::Buddy, &TPart::SetBuddy)
            .Property(u"OnChange", &TPart::OnChange, [](TPart& P, TNotifyEvent E) { P.OnChange = std::move(E); })
            .Method(u"PartChanged", &TPart::PartChanged)
            .Build();
    return Info;
}

namespace {

class FilerTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterClass<TPart>();
        static bool Registered = false;
        if (!Registered) {
            RegisterIntegerConsts(
                TypeInfo_TColor(),
                [](const String& Ident, Integer& Value) {
                    if (Ident != u"clTeal") return false;
                    Value = 0x808000;
                    return true;
                },
                [](Integer Value, String& Ident) {
                    if (Value != 0x808000) return false;
                    Ident = u"clTeal";
                    return true;
                });
            Registered = true;
        }
    }

    // A tree with every property kind set away from its default.
    TPart* MakeTree(TComponent* Owner) {
        auto* Root = Create<TPart>(Owner);
        Root->SetName(u"Root");
        Root->SetCount(300);
        Root->SetBig(Int64(1) << 40);
        Root->SetActive(true);
        Root->SetKind(pkFancy);
        Root->SetOptions({poRound, poLarge});
        Root->SetRatio(2.5);
        Root->SetCaption(u"Grüße 'quoted'");
        Root->SetColor(0x808000);
        Root->Pen()->SetWidth(3);
        Root->Lines()->Add(u"one");
        Root->Lines()->Add(u"two");
        auto* Item = static_cast<TPartItem*>(Root->Items()->Add());
        Item->SetTitle(u"first");
        Item->SetSize(-70000);
        Root->Items()->Add();
        Root->OnChange = std::any_cast<TNotifyEvent>(
            TPart::StaticClassInfo().MethodAddress(u"PartChanged")->Bind(Root, *TPart::StaticClassInfo().MethodAddress(u"PartChanged")));
        Root->Marks = {1, 200, 70000};
        Root->Blob = {0xDE, 0xAD, 0x00, 0x01};
        auto* Child = Create<TPart>(Root);
        Child->SetName(u"Child");
        Child->SetCaption(std::u16string(300, u'x'));
        Child->SetBuddy(Root);
        Root->Children.push_back(Child);
        Root->SetBuddy(Child);
        return Root;
    }
    static TBytes Bytes(TMemoryStream& Stream) {
        TBytes Result(size_t(Stream.Size()));
        Stream.SetPosition(0);
        if (!Result.empty()) Stream.ReadBuffer(Result.data(), Int64(Result.size()));
        Stream.SetPosition(0);
        return Result;
    }
};

TEST_F(FilerTest, SmallComponentIsWrittenByteForByte) {
    auto Part = std::unique_ptr<TPart, void (*)(TObject*)>(Create<TPart>(nullptr), Free);
    Part->SetCount(-2);
    Part->SetActive(true);
    Part->SetOptions({poShiny});
    TMemoryStream Stream;
    WriteComponent(Stream, Part.get());
    const TBytes Want = {'T', 'P', 'F', '0', 5, 'T', 'P', 'a', 'r', 't', 0,                  // class, empty name
                         5, 'C', 'o', 'u', 'n', 't', vaInt8, 0xFE,                            // Count = -2
                         3, 'B', 'i', 'g', vaInt8, 0,                                          // Big has no default
                         6, 'A', 'c', 't', 'i', 'v', 'e', vaTrue,                              // Active = True
                         7, 'O', 'p', 't', 'i', 'o', 'n', 's', vaSet, 7, 'p', 'o', 'S', 'h', 'i', 'n', 'y', 0,
                         5, 'R', 'a', 't', 'i', 'o', vaExtended, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // floats always
                         5, 'I', 't', 'e', 'm', 's', vaCollection, 0,                         // collections always
                         0, 0};                                                               // end of properties, of children
    EXPECT_EQ(Bytes(Stream), Want);
}

TEST_F(FilerTest, EveryPropertyKindAndDefinedDataRoundTrip) {
    TComponent Owner(nullptr);
    TPart* Source = MakeTree(&Owner);
    TMemoryStream Stream;
    WriteComponent(Stream, Source);
    Stream.SetPosition(0);

    auto Copy = std::unique_ptr<TPart, void (*)(TObject*)>(Create<TPart>(nullptr), Free);
    ReadComponent(Stream, Copy.get());
    EXPECT_EQ(Copy->Name(), u"Root");
    EXPECT_EQ(Copy->Count(), 300);
    EXPECT_EQ(Copy->Big(), Int64(1) << 40);
    EXPECT_TRUE(Copy->Active());
    EXPECT_EQ(Copy->Kind(), pkFancy);
    EXPECT_EQ(Copy->Options(), (TPartOptions{poRound, poLarge}));
    EXPECT_EQ(Copy->Ratio(), 2.5);
    EXPECT_EQ(Copy->Caption(), u"Grüße 'quoted'");
    EXPECT_EQ(Copy->Color(), 0x808000);
    EXPECT_EQ(Copy->Pen()->Width(), 3);
    EXPECT_EQ(Copy->Lines()->Text(), u"one\r\ntwo\r\n");
    ASSERT_EQ(Copy->Items()->Count(), 2);
    EXPECT_EQ(static_cast<TPartItem*>(Copy->Items()->Items(0))->Title(), u"first");
    EXPECT_EQ(static_cast<TPartItem*>(Copy->Items()->Items(0))->Size(), -70000);
    EXPECT_EQ(GetMethodProp(Copy.get(), FindPropInfo(Copy.get(), u"OnChange")).Name, u"PartChanged");
    EXPECT_EQ(Copy->Marks, (std::vector<Integer>{1, 200, 70000}));
    EXPECT_EQ(Copy->Blob, (TBytes{0xDE, 0xAD, 0x00, 0x01}));
    ASSERT_EQ(Copy->Children.size(), 1u);
    TPart* Child = Copy->Children[0];
    EXPECT_EQ(Child->Owner(), Copy.get());
    EXPECT_EQ(Child->Caption(), std::u16string(300, u'x'));
    EXPECT_EQ(Copy->Buddy(), Child); // a forward reference, resolved at the end
    EXPECT_EQ(Child->Buddy(), Copy.get());
    EXPECT_EQ(Copy->LoadedCount, 1);
    EXPECT_EQ(Child->LoadedCount, 1);
    EXPECT_FALSE(Copy->ComponentState().Contains(csLoading));

    // The text form says the same and converts back to the same bytes.
    Stream.SetPosition(0);
    String Text = ObjectBinaryToText(Stream);
    EXPECT_NE(Text.find(u"  Caption = 'Gr'#252#223'e ''quoted'''\r\n"), String::npos) << Utf8(Text);
    EXPECT_NE(Text.find(u"  Color = clTeal\r\n"), String::npos);
    EXPECT_NE(Text.find(u"  Lines.Strings = (\r\n    'one'\r\n    'two')\r\n"), String::npos);
    EXPECT_NE(Text.find(u"  object Child: TPart\r\n"), String::npos);
    TMemoryStream Again;
    ObjectTextToBinary(Text, Again, u"part.layout");
    EXPECT_EQ(Bytes(Again), Bytes(Stream));
}

TEST_F(FilerTest, StringsTakeTheShortestTag) {
    struct TCase {
        String Value;
        Byte Tag;
    };
    const TCase Cases[] = {
        {u"abc", vaString},
        {String(256, u'a'), vaLString},
        {u"aé", vaUTF8String},         // 3 UTF-8 bytes < 4
        {u"\u4e2d\u6587", vaWString}, // 6 UTF-8 bytes >= 4
    };
    for (const TCase& Case : Cases) {
        TMemoryStream Stream;
        TWriter Writer(&Stream);
        Writer.WriteString(Case.Value);
        EXPECT_EQ(Bytes(Stream).at(0), Case.Tag);
        TReader Reader(&Stream);
        EXPECT_EQ(Reader.ReadString(), Case.Value);
    }
}

TEST_F(FilerTest, DamagedStreamsNameThePlaceAndChangeNothing) {
    TComponent Owner(nullptr);
    TMemoryStream Good;
    WriteComponent(Good, MakeTree(&Owner));
    TBytes Whole = Bytes(Good);
    struct TCase {
        const char* Name;
        TBytes Data;
        const char16_t* Message;
    };
    TBytes Truncated(Whole.begin(), Whole.begin() + Integer(Whole.size() / 2));
    TBytes BadTag = Whole;
    BadTag[21] = 0x77; // the tag of the first value (after the header and "Count")
    const TCase Cases[] = {
        {"no signature", {'T', 'P', 'F', '1'}, u"Offset 0: Invalid stream format"},
        {"truncated", Truncated, nullptr},
        {"unknown tag", BadTag, u"Offset 21: Invalid stream format"},
    };
    for (const TCase& Case : Cases) {
        TMemoryStream Stream;
        Stream.WriteBuffer(Case.Data.data(), Int64(Case.Data.size()));
        Stream.SetPosition(0);
        auto Target = std::unique_ptr<TPart, void (*)(TObject*)>(Create<TPart>(nullptr), Free);
        try {
            ReadComponent(Stream, Target.get());
            ADD_FAILURE() << Case.Name;
        } catch (const EReadError& E) {
            if (Case.Message) {
                EXPECT_EQ(E.Message(), Case.Message) << Case.Name;
            }
        }
        EXPECT_EQ(Target->Count(), 0) << Case.Name; // nothing was set
        EXPECT_TRUE(Target->Name().empty()) << Case.Name;
    }
}

TEST_F(FilerTest, TextErrorsNameTheFileAndLine) {
    struct TCase {
        const char16_t* Text;
        const char16_t* Message;
    };
    const TCase Cases[] = {
        {u"object Root: TPart\r\n  Count = ,\r\nend\r\n", u"parts.layout(2): Property value expected"},
        {u"object Root: TPart\r\n  Caption = 'open\r\nend\r\n", u"parts.layout(2): Unterminated string"},
        {u"object Root: TPart\r\n  Count = 1\r\n", u"parts.layout(3): 'end' expected"},
        {u"thing Root: TPart\r\nend\r\n", u"parts.layout(1): 'object' expected"},
        {u"object Root: TPart\r\n  Caption = #65536\r\nend\r\n", u"parts.layout(2): Invalid character code"},
        // Digits beyond any code stop at the first one too many, without overflowing.
        {u"object Root: TPart\r\n  Caption = #33333333333333333333\r\nend\r\n",
         u"parts.layout(2): Invalid character code"},
        {u"object Root: TPart\r\n  Caption = #$FFFFFFFFFFFF\r\nend\r\n", u"parts.layout(2): Invalid character code"},
    };
    for (const TCase& Case : Cases) {
        TMemoryStream Stream;
        try {
            ObjectTextToBinary(Case.Text, Stream, u"parts.layout");
            ADD_FAILURE() << Utf8(Case.Text);
        } catch (const EParserError& E) {
            EXPECT_EQ(E.Message(), Case.Message);
        }
    }
}

TEST_F(FilerTest, UnknownPropertiesClassesAndReferencesAreErrors) {
    struct TCase {
        const char16_t* Text;
        const char16_t* Message;
    };
    const TCase Cases[] = {
        {u"object Root: TPart\r\n  Colour = 1\r\nend\r\n", u"Offset 15: Property Colour does not exist"},
        {u"object Root: TPart\r\n  object X: TNoSuchThing\r\n  end\r\nend\r\n", u"Offset 16: Class TNoSuchThing not found"},
        {u"object Root: TPart\r\n  Buddy = Nobody\r\nend\r\n", u"Offset 15: Component Nobody not found"},
        {u"object Root: TPart\r\n  OnChange = Missing\r\nend\r\n", u"Offset 15: Method Missing not found"},
        {u"object Root: TPart\r\n  Kind = pkNone\r\nend\r\n",
         u"Offset 15: Error reading Root.Kind: Invalid property element: pkNone"},
    };
    for (const TCase& Case : Cases) {
        TMemoryStream Stream;
        ObjectTextToBinary(Case.Text, Stream, u"parts.layout");
        Stream.SetPosition(0);
        auto Target = std::unique_ptr<TPart, void (*)(TObject*)>(Create<TPart>(nullptr), Free);
        try {
            ReadComponent(Stream, Target.get());
            ADD_FAILURE() << Utf8(Case.Text);
        } catch (const EReadError& E) {
            EXPECT_EQ(E.Message(), Case.Message);
        }
    }
}

TEST_F(FilerTest, AReferenceLookupResolvesNamesTheRootDoesNotOwn) {
    TComponent Elsewhere(nullptr);
    auto* Known = Create<TPart>(&Elsewhere);
    Known->SetName(u"Known");
    for (const char16_t* Name : {u"Known", u"Nobody"}) {
        TMemoryStream Stream;
        ObjectTextToBinary(u"object Root: TPart\r\n  Buddy = " + String(Name) + u"\r\nend\r\n", Stream);
        Stream.SetPosition(0);
        auto Target = std::unique_ptr<TPart, void (*)(TObject*)>(Create<TPart>(nullptr), Free);
        Target->SetBuddy(Target.get());
        TReader Reader(&Stream);
        Reader.FindReference = [&](const String& Wanted) -> TComponent* { return Elsewhere.FindComponent(Wanted); };
        Reader.ReadRootComponent(Target.get());
        EXPECT_EQ(Target->Buddy(), Name == String(u"Known") ? Known : nullptr) << Utf8(Name);
    }
}

} // namespace
