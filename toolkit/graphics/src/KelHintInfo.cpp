// The content of an Office-style hint.

#include "kel/KelHintInfo.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TKelHintInfo::StaticClassInfo() {
    using T = TKelHintInfo;
    static const TClassInfo Info = TClassBuilder<T, TPersistent>()
                                       .Property(u"Title", &T::Title, &T::SetTitle)
                                       .Property(u"ShowHelp", &T::ShowHelp, &T::SetShowHelp)
                                       .Default(0)
                                       .Build();
    return Info;
}

TKelHintInfo::TKelHintInfo() : FNotes(std::make_unique<TStringList>()), FPicture(Create<TGDIPPicture>()) {}

TKelHintInfo::~TKelHintInfo() {
    Free(FPicture);
}

void TKelHintInfo::Assign(const TPersistent* Source) {
    if (const auto* Other = dynamic_cast<const TKelHintInfo*>(Source)) {
        FTitle = Other->FTitle;
        FNotes->Assign(Other->FNotes.get());
        FShowHelp = Other->FShowHelp;
        FPicture->Assign(Other->FPicture);
        FWideTitle = Other->FWideTitle;
        FWideNotes = Other->FWideNotes;
        return;
    }
    TPersistent::Assign(Source);
}

bool TKelHintInfo::IsEmpty() const {
    return FTitle.empty() && FNotes->Text().empty();
}
