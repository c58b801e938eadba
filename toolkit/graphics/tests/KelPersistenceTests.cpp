// JSON persistence: the saved form of the drawing layer's objects, round
// trips, filters, colours, events, the type member and the reader's errors.

#include "KelDrawingTestSupport.h"
#include "kel/KelGraphicsFill.h"
#include "kel/KelGraphicsFont.h"
#include "kel/KelGraphicsStroke.h"
#include "kel/KelPersistence.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Encoding.h"
#include "rtl/FormatSettings.h"
#include "rtltesting/TestFiles.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

namespace {

template <class T>
using TOwned = std::unique_ptr<T, void (*)(TObject*)>;

template <class T, class... A>
TOwned<T> Make(A&&... Args) {
    return TOwned<T>(Create<T>(std::forward<A>(Args)...), &Free);
}

String Saved(TObject* AObject) {
    TBytesStream Stream;
    TKelPersistence::SaveSettingsToStream(AObject, &Stream);
    return FromAnsi(std::string(Stream.Bytes().begin(), Stream.Bytes().end()));
}

void Load(TObject* AObject, const std::string& AText) {
    TBytesStream Stream(TBytes(AText.begin(), AText.end()));
    TKelPersistence::LoadSettingsFromStream(AObject, &Stream);
}

// A root component publishing a handler for the fill's OnChanged event.
class TRootForm : public TComponent {
    RTL_CLASS(TRootForm)
public:
    explicit TRootForm(TComponent* AOwner) : TComponent(AOwner) {}
    void FillChanged(TObject*) { ++Changes; }
    Integer Changes = 0;
};

} // namespace

const TClassInfo& TRootForm::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TRootForm, TComponent>().Method(u"FillChanged", &TRootForm::FillChanged).Build();
    return Info;
}

namespace {

const char* const WhiteFill =
    R"({"$type":"TKelGraphicsFill","Color":"#FFFFFF","ColorMirror":"gcNull","ColorMirrorTo":"gcNull",)"
    R"("ColorTo":"#808080","Kind":1,"OnChanged":null,"Orientation":1,"Texture":"","TextureMode":2})";

TEST(KelPersistence, NewSolidWhiteFillSavesAsOneLine) {
    auto Fill = Make<TKelGraphicsFill>();
    EXPECT_EQ(Utf8(Saved(Fill.get())), WhiteFill);
    EXPECT_EQ(Utf8(ObjectToJSON(Fill.get())), WhiteFill);
}

TEST(KelPersistence, ObjectsOfEachClassReadBackEqual) {
    auto Fill = Make<TKelGraphicsFill>();
    Fill->SetColor(0x123456);
    Fill->SetColorTo(0x00FF00);
    Fill->SetKind(gfkGradient);
    Fill->Texture()->Assign(SolidPicture(3, 2, clRed).get());
    auto Stroke = Make<TKelGraphicsStroke>();
    Stroke->SetColor(0x0000FF);
    Stroke->SetWidth(2.5f);
    auto Font = Make<TKelGraphicsFont>();
    Font->SetName(u"DejaVu Sans");
    Font->SetStyle({fsBold, fsItalic});
    Font->SetColor(0x00AA00);

    TObject* const Objects[] = {Fill.get(), Stroke.get(), Font.get()};
    for (TObject* Original : Objects) {
        SCOPED_TRACE(Utf8(Original->ClassName()));
        const String Text = Saved(Original);
        // A new object of the class the document names, made by its constructor.
        const AnsiString Bytes = ToAnsi(Text);
        TBytesStream Stream(TBytes(Bytes.begin(), Bytes.end()));
        auto Reader = Make<TKelReader>(Stream);
        TOwned<TObject> Copy(Reader->Read(TPersistent::StaticClassInfo()), &Free);
        ASSERT_NE(Copy, nullptr);
        EXPECT_EQ(Copy->ClassName(), Original->ClassName());
        EXPECT_EQ(Saved(Copy.get()), Text);
    }
    auto FillCopy = Make<TKelGraphicsFill>();
    Load(FillCopy.get(), Utf8(Saved(Fill.get())));
    EXPECT_EQ(FillCopy->Color(), 0x123456);
    EXPECT_EQ(FillCopy->Texture()->Width(), 3);
}

TEST(KelPersistence, WrittenTextParsesWithPythonsJsonModule) {
    if (std::system("python3 -c 'import json' > /dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
    TTempFolder Folder;
    auto Fill = Make<TKelGraphicsFill>();
    Fill->Texture()->Assign(SolidPicture(2, 2, clBlue).get());
    auto Font = Make<TKelGraphicsFont>();
    Font->SetName(u"Na\u00EFve \"quoted\" \\ name");
    for (TObject* O : {static_cast<TObject*>(Fill.get()), static_cast<TObject*>(Font.get())}) {
        const String Path = Folder / u"saved.json";
        SaveObjectToJSONFile(O, Path);
        const std::string Command = "python3 -c 'import json,sys; json.load(open(sys.argv[1], encoding=\"cp1252\"))' '" +
                                    Utf8(Path) + "'";
        EXPECT_EQ(std::system(Command.c_str()), 0) << Utf8(Saved(O));
        auto Copy = Make<TKelGraphicsFont>();
        if (O == Font.get()) {
            LoadObjectFromJSONFile(Copy.get(), Path);
            EXPECT_EQ(Copy->Name(), Font->Name());
        }
    }
}

TEST(KelPersistence, ColoursReadInEitherCaseAndBadColoursRaise) {
    auto Fill = Make<TKelGraphicsFill>();
    ObjectFromJSON(Fill.get(), u"{\"Color\":\"#ff0000\",\"ColorTo\":\"#00FF00\",\"ColorMirror\":\"gcNull\"}");
    EXPECT_EQ(Fill->Color(), 0x0000FF);
    EXPECT_EQ(Fill->ColorTo(), 0x00FF00);
    EXPECT_EQ(Fill->ColorMirror(), -1);
    for (const char16_t* Bad : {u"{\"Color\":\"#GG0000\"}", u"{\"Color\":\"red\"}", u"{\"Color\":\"#FFF\"}"})
        EXPECT_THROW(ObjectFromJSON(Fill.get(), Bad), EConvertError) << Utf8(Bad);
}

TEST(KelPersistence, TypeMemberIsRequiredByLoadButNotByFromJSON) {
    auto Fill = Make<TKelGraphicsFill>();
    const std::string Short = R"({"Color":"#000080"})";
    try {
        Load(Fill.get(), Short);
        FAIL() << "no error";
    } catch (const EKelReaderException& E) {
        EXPECT_EQ(E.Message(), u"\"$type\" property not found in Object descriptor.");
    }
    ObjectFromJSON(Fill.get(), FromUtf8(Short));
    EXPECT_EQ(Fill->Color(), 0x800000);
    EXPECT_EQ(TypeKey, u"$type"); // put back
}

TEST(KelPersistence, ClassErrorsHaveTheirMessages) {
    struct {
        const char* Text;
        String Message;
    } const Cases[] = {
        {R"({"$type":"TNoSuchClass"})", u"Type \"TNoSuchClass\" not found"},
        {R"({"$type":"TKelGraphicsStroke"})", u"Type \"TKelGraphicsStroke\" does not inherit from TKelGraphicsFill"},
    };
    for (const auto& C : Cases) {
        TBytesStream Stream(TBytes(C.Text, C.Text + std::strlen(C.Text)));
        auto Reader = Make<TKelReader>(Stream);
        try {
            TOwned<TObject> O(Reader->Read(TKelGraphicsFill::StaticClassInfo()), &Free);
            FAIL() << C.Text;
        } catch (const EKelReaderException& E) {
            EXPECT_EQ(E.Message(), C.Message);
        }
    }
}

TEST(KelPersistence, DamagedInputRaisesTheReadersErrors) {
    auto Fill = Make<TKelGraphicsFill>();
    EXPECT_THROW(Load(Fill.get(), R"({"$type":"TKelGraphicsFill","Kind":1)"), TKelJSONStreamReader::EEndOfInputReached);
    EXPECT_THROW(Load(Fill.get(), R"({"$type":"TKelGraphicsFill" "Kind":1})"), TKelJSONReader::EUnterminatedObject);
    EXPECT_THROW(Load(Fill.get(), R"({"$type":"TKelGraphicsFill",Kind:1})"), TKelJSONReader::ENameExpected);
    EXPECT_THROW(Load(Fill.get(), R"({"$type":"TKelGraphicsFill","Kind":"one"})"), EConvertError);
    EXPECT_THROW(Load(Fill.get(), R"({"$type":"TKelGraphicsFill","Kind":[1]})"),
                 TKelJSONReader::EInvalidStateException);
    EXPECT_THROW(Load(Fill.get(), ""), TKelJSONReader::EObjectOrArrayExpected);
    // The error tells where in the file the damage is.
    try {
        Load(Fill.get(), "{\n  \"$type\": \"TKelGraphicsFill\",\n  \"Kind\": 1\n  \"Color\": 255\n}");
        ADD_FAILURE() << "no exception";
    } catch (const TKelJSONReader::EUnterminatedObject& E) {
        EXPECT_EQ(E.Line(), 4);
        EXPECT_EQ(E.Column(), 3);
    }
}

TEST(KelPersistence, UnknownMembersAreSkippedAndExcludedPropertiesLeftOut) {
    auto Fill = Make<TKelGraphicsFill>();
    Load(Fill.get(), R"({"$type":"TKelGraphicsFill","Extra":{"a":[1,2,{"b":null}]},"More":[1],"Kind":2})");
    EXPECT_EQ(Fill->Kind(), gfkGradient);

    const String Text = ObjectToJSONExcluding(Fill.get(), {u"color"});
    EXPECT_EQ(Text.find(u"\"Color\""), String::npos);
    EXPECT_NE(Text.find(u"\"ColorTo\""), String::npos);
    EXPECT_TRUE(GlobalExcludeList.empty());

    GlobalExcludeList = {u"COLOR"};
    Load(Fill.get(), R"({"$type":"TKelGraphicsFill","Color":"#0000FF"})");
    GlobalExcludeList.clear();
    EXPECT_EQ(Fill->Color(), 0xFFFFFF);
}

TEST(KelPersistence, EventsAreNamedByTheRootObjectsPublishedMethods) {
    auto Root = Make<TRootForm>(nullptr);
    auto Fill = Make<TKelGraphicsFill>();
    SetMethodProp(Fill.get(), FindPropInfo(Fill.get(), u"OnChanged"), TMethod{Root.get(), u"FillChanged", true});
    EXPECT_NE(Utf8(Saved(Fill.get())).find("\"OnChanged\":null"), std::string::npos); // no root object
    GlobalRootObject = Root.get();
    EXPECT_NE(Utf8(Saved(Fill.get())).find("\"OnChanged\":\"FillChanged\""), std::string::npos);

    auto Copy = Make<TKelGraphicsFill>();
    Load(Copy.get(), Utf8(Saved(Fill.get())));
    Copy->SetColor(0x010203);
    EXPECT_GT(Root->Changes, 0);
    Load(Copy.get(), WhiteFill); // null clears the event
    GlobalRootObject = nullptr;
    const Integer Before = Root->Changes;
    Copy->SetColor(0x030201);
    EXPECT_EQ(Root->Changes, Before);
}

TEST(KelPersistence, FontSizesAndFloatsKeepTheirValues) {
    auto Font = Make<TKelGraphicsFont>();
    const String Text = Saved(Font.get());
    EXPECT_NE(Text.find(u"\"IsFMX\":false"), String::npos);
    Load(Font.get(), R"({"$type":"TKelGraphicsFont","Size":8,"IsFMX":true})");
    EXPECT_EQ(Font->Size(), 6);

    const Char Saved_ = FormatSettings.DecimalSeparator;
    FormatSettings.DecimalSeparator = u',';
    auto Stroke = Make<TKelGraphicsStroke>();
    Stroke->SetWidth(1.5f);
    const String StrokeText = Saved(Stroke.get());
    auto Copy = Make<TKelGraphicsStroke>();
    Load(Copy.get(), Utf8(StrokeText));
    FormatSettings.DecimalSeparator = Saved_;
    EXPECT_NE(StrokeText.find(u"\"Width\":1.5"), String::npos);
    EXPECT_FLOAT_EQ(Copy->Width(), 1.5f);
}

} // namespace

namespace {

TEST(KelPersistence, DrawingLayerClassesCarryTheJSONMembers) {
    TDrawingSurface S(4, 4);
    EXPECT_EQ(S.Graphics->JSON(), u"{\"$type\":\"TKelGraphics\"}");
    S.Graphics->SetJSON(u"{\"Unknown\":[1,{\"a\":2}]}");
    TBytesStream Stream;
    S.Graphics->SaveToJSONStream(&Stream);
    S.Graphics->LoadFromJSONStream(&Stream);
    EXPECT_EQ(TypeKey, u"$type");
    EXPECT_EQ(GlobalIOReference, nullptr);
    // A failed load leaves the process-wide settings as they were.
    EXPECT_THROW(S.Graphics->FromJSON(u"{\"x\":"), Exception);
    EXPECT_EQ(TypeKey, u"$type");
    EXPECT_EQ(GlobalIOReference, nullptr);
}

} // namespace

namespace {

TEST(KelPersistence, CollectionsReadBackTheirItems) {
    auto Fill = Make<TKelGraphicsFill>();
    Fill->AddGradientItem(0x0000FF, 0.25f, 0.5f);
    Fill->AddGradientItem(0x00FF00, 0.75f, 1);
    TBytesStream Stream;
    TKelPersistence::SaveSettingsToStream(Fill->GradientItems(), &Stream);
    const std::string Text(Stream.Bytes().begin(), Stream.Bytes().end());
    EXPECT_EQ(Text.front(), '[');

    auto Copy = Make<TKelGraphicsFill>();
    Copy->AddGradientItem(0xFFFFFF, 0, 1); // replaced by the load
    Load(Copy->GradientItems(), Text);
    ASSERT_EQ(Copy->GradientItems()->Count(), 2);
    const auto* Second = static_cast<TKelGraphicsFillGradientItem*>(Copy->GradientItems()->Items(1));
    EXPECT_EQ(Second->Color(), 0x00FF00);
    EXPECT_FLOAT_EQ(Second->Position(), 0.75f);
}

} // namespace
