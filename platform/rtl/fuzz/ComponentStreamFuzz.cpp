// Component streams: the input is a binary "TPF0" stream (or, when it does
// not start with the signature, the text form of one) read into a component
// with properties of every kind, defined data and children; the stream is
// also turned into its text form. Errors must be exceptions, never faults.

#include "rtl/ClassBuilder.h"
#include "rtl/Collection.h"
#include "rtl/Filer.h"
#include "rtl/StringList.h"
#include "rtltesting/FuzzInput.h"

#include <memory>

namespace {

RTL_ENUM(TFuzzKind, fkPlain, fkFancy)
RTL_ENUM(TFuzzOption, foRound, foShiny)
using TFuzzOptions = TSet<TFuzzOption>;
RTL_SET_INFO(TFuzzOptions)

class TFuzzItem : public TCollectionItem {
    RTL_CLASS(TFuzzItem)
public:
    using TCollectionItem::TCollectionItem;
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }

private:
    String FTitle;
};

class TFuzzPart : public TComponent {
    RTL_CLASS(TFuzzPart)
public:
    explicit TFuzzPart(TComponent* AOwner)
        : TComponent(AOwner), FLines(std::make_unique<TStringList>()),
          FItems(std::make_unique<TCollection>(TFuzzItem::StaticClassInfo())) {}

    Integer Count = 0;
    Int64 Big = 0;
    bool Active = false;
    TFuzzKind Kind = fkPlain;
    TFuzzOptions Options;
    Double Ratio = 0;
    String Caption;
    TFuzzPart* Buddy = nullptr;
    TNotifyEvent OnChange;
    std::vector<Integer> Marks;
    TBytes Blob;
    std::vector<TFuzzPart*> Children;

    TStrings* Lines() const { return FLines.get(); }
    TCollection* Items() const { return FItems.get(); }
    void Changed(TObject*) {}

    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent*) const override {
        for (TFuzzPart* Child : Children)
            Proc(Child);
    }
    void SetParentComponent(TComponent* Value) override {
        if (auto* Parent = dynamic_cast<TFuzzPart*>(Value)) Parent->Children.push_back(this);
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation != opRemove) return;
        if (AComponent == Buddy) Buddy = nullptr;
        std::erase(Children, AComponent);
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
    std::unique_ptr<TStringList> FLines;
    std::unique_ptr<TCollection> FItems;
};

} // namespace

const TClassInfo& TFuzzItem::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TFuzzItem, TCollectionItem>()
                                       .Property(u"Title", &TFuzzItem::Title, &TFuzzItem::SetTitle)
                                       .Build();
    return Info;
}

const TClassInfo& TFuzzPart::StaticClassInfo() {
    using P = TFuzzPart;
    static const TClassInfo Info =
        TClassBuilder<P, TComponent>()
            .Property(u"Name", &P::Name, &P::SetName)
            .Property(u"Count", &P::Count, [](P& S, Integer V) { S.Count = V; })
            .Property(u"Big", &P::Big, [](P& S, Int64 V) { S.Big = V; })
            .Property(u"Active", &P::Active, [](P& S, bool V) { S.Active = V; })
            .Property(u"Kind", &P::Kind, [](P& S, TFuzzKind V) { S.Kind = V; })
            .Property(u"Options", &P::Options, [](P& S, TFuzzOptions V) { S.Options = V; })
            .Property(u"Ratio", &P::Ratio, [](P& S, Double V) { S.Ratio = V; })
            .Property(u"Caption", &P::Caption, [](P& S, String V) { S.Caption = V; })
            .Property(u"Lines", &P::Lines, nullptr)
            .Property(u"Items", &P::Items, nullptr)
            .Property(u"Buddy", &P::Buddy,
                      [](P& S, P* V) {
                          S.Buddy = V;
                          if (V) V->FreeNotification(&S);
                      })
            .Property(u"OnChange", &P::OnChange, [](P& S, TNotifyEvent E) { S.OnChange = E; })
            .Method(u"Changed", &P::Changed)
            .Build();
    return Info;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool Registered = [] {
        RegisterClass<TFuzzPart>();
        return true;
    }();
    (void)Registered;
    TMemoryStream Stream;
    try {
        if (size >= 4 && std::string_view(reinterpret_cast<const char*>(data), 4) == "TPF0")
            Stream.WriteBuffer(data, Int64(size));
        else
            ObjectTextToBinary(FuzzText(data, size), Stream, u"fuzz.txt");
    } catch (const Exception&) {
        return 0;
    }
    try {
        Stream.SetPosition(0);
        ObjectBinaryToText(Stream);
    } catch (const Exception&) {
    }
    auto* Target = Create<TFuzzPart>(nullptr);
    try {
        Stream.SetPosition(0);
        ReadComponent(Stream, Target);
        TMemoryStream Again;
        WriteComponent(Again, Target);
    } catch (const Exception&) {
    }
    Free(Target);
    return 0;
}
