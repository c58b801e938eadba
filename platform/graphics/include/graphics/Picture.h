#pragma once
// TPicture: holds one graphic of any registered format, loads files by their
// extension and streams by their content.

#include "graphics/Graphic.h"

#include <functional>
#include <memory>

// A registered graphic class: its name, how to make one, and (optional) how
// to recognise its data at a stream's position.
struct TGraphicClass {
    String ClassName;
    std::function<std::unique_ptr<TGraphic>()> Create;
    std::function<bool(TStream*)> CanLoadFromStream;
};

template <class T>
TGraphicClass GraphicClassOf() {
    return {T::StaticClassInfo().Name, [] { return std::unique_ptr<TGraphic>(new T); }, nullptr};
}

class TPicture : public TPersistent {
    RTL_CLASS(TPicture)
public:
    TPicture();
    ~TPicture() override;

    // Null while empty.
    TGraphic* Graphic() const { return FGraphic.get(); }
    // A copy of the graphic (same class), or empty for null.
    void SetGraphic(const TGraphic* value);
    // The graphic as a bitmap: an empty picture or another format becomes a
    // new bitmap (other formats are drawn onto it).
    TBitmap* Bitmap();
    Integer Width() const { return FGraphic ? FGraphic->Width() : 0; }
    Integer Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // The format comes from the extension: EInvalidGraphic "Unknown picture
    // file extension (.ext)" for one nobody registered.
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName) const;
    // The format comes from the data: EInvalidGraphic "Unknown picture
    // format" when no registered class recognises it.
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream) const;
    void Assign(const TPersistent* Source) override;

    // Registers (or replaces) the class for an extension, without the dot.
    static void RegisterFileFormat(const String& Extension, const String& Description,
                                   TGraphicClass GraphicClass);
    // Removes every extension of the class.
    static void UnregisterGraphicClass(const String& ClassName);
    // The registered class of an extension; null for none.
    static const TGraphicClass* FindGraphicClass(const String& Extension);

    TNotifyEvent OnChange;

private:
    void Changed();
    void Adopt(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> FGraphic;
};
