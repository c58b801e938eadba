#pragma once
// JSON persistence: an object's published properties saved as JSON and
// loaded back, driven by the reflection tables. TKelWriter writes an object
// graph through the JSON writer, TKelReader reads it back into existing
// objects or creates objects by their registered class name, and
// TKelPersistence offers save and load to files and streams with the class
// tests they use. The ObjectToJSON family below is what the drawing layer's
// classes forward their JSON members to.
//
// A saved object is one JSON object without whitespace: first the type
// member (TypeKey, "$type") with the class name, then every published
// property in name order (ignoring case). Colours are "#RRGGBB" or
// "gcNull"; events are the names of the root object's published methods;
// collections, string lists and pictures have value forms of their own.

#include "kel/KelJSONMembers.h"
#include "kel/KelJSONReader.h"
#include "kel/KelJSONWriter.h"
#include "rtl/Exception.h"
#include "rtl/Stream.h"
#include "rtl/TypeInfo.h"

#include <functional>
#include <memory>
#include <vector>

class TComponent;
class TStrings;

class EKelReaderException : public Exception {
public:
    using Exception::Exception;
};

using TKelObjectArray = std::vector<TObject*>;
using TKelExcludePropertyListArray = std::vector<String>;
using TKelObjectExcludePropertyListArray = std::vector<String>;

using TKelWriterCustomWritePropertyEvent = std::function<void(
    TObject* AObject, const String& APropertyName, TTypeKind APropertyKind, TKelJSONWriter* AWriter,
    bool& ACanWrite)>;
using TKelReaderCustomReadPropertyEvent = std::function<void(
    TObject* AObject, const String& APropertyName, TTypeKind APropertyKind, TKelJSONReader* AReader,
    bool& ACanRead)>;
using TKelWriterCustomIsAssignablePropertyEvent =
    std::function<void(TObject* AObject, const String& APropertyName, bool& AIsAssignable)>;

// Optional interfaces an object or the IO reference may implement.
class IObjectCreator {
public:
    static constexpr std::u16string_view IID = u"{91DEAFC3-8932-45F4-A3ED-5AAA0C0E9250}";
    virtual TObject* CreateObject(const String& AClassName, const TClassInfo* ABaseClass) = 0;

protected:
    ~IObjectCreator() = default;
};

class IReferenceResolver {
public:
    static constexpr std::u16string_view IID = u"{11B625F8-447A-4AE5-BB88-5ECDEA979AF7}";
    virtual TObject* CreateObject(const String& AClassName, const TClassInfo* ABaseClass) = 0;
    virtual bool NeedsObjectReference(const TClassInfo& AClass) = 0;
    virtual String GetObjectReference(TObject* AObject) = 0;
    virtual TObject* FindObject(const String& AReference) = 0;
    virtual void FixOwner(TObject* AObject, TObject* AOwner) = 0;

protected:
    ~IReferenceResolver() = default;
};

class IPropertyFilter {
public:
    static constexpr std::u16string_view IID = u"{363F04AF-B8A7-4C47-A2D6-8ED9C44CEFF6}";
    virtual bool CanSaveProperty(TObject* AObject, const String& APropertyName, TTypeKind APropertyKind) = 0;
    virtual bool CanLoadProperty(TObject* AObject, const String& APropertyName, TTypeKind APropertyKind) = 0;

protected:
    ~IPropertyFilter() = default;
};

// --- Process-wide settings --------------------------------------------------------
// The name of the type member; empty: none is written or expected.
extern String TypeKey;
// Properties neither written nor read (names compared ignoring ASCII case).
extern TKelExcludePropertyListArray GlobalExcludeList;
// An object that may implement the optional interfaces.
extern TObject* GlobalIOReference;
// The component owning the event handlers and the components properties name.
extern TComponent* GlobalRootObject;
extern TKelReaderCustomReadPropertyEvent GlobalReadPropertyHook;
extern TKelWriterCustomWritePropertyEvent GlobalWritePropertyHook;

class TKelWriter : public TObject {
    RTL_CLASS(TKelWriter)
public:
    explicit TKelWriter(TStream& AStream);
    // Frees the JSON writer, which hands its text to the stream.
    ~TKelWriter() override;

    TKelJSONWriter* JSONWriter() const { return FWriter.get(); }
    TObject* IOReference() const { return FIOReference; }
    void SetIOReference(TObject* Value);
    TComponent* RootObject() const { return FRootObject; }
    void SetRootObject(TComponent* Value);
    const TKelExcludePropertyListArray& ExcludeProperties() const { return FExcludeProperties; }
    void SetExcludeProperties(const TKelExcludePropertyListArray& Value);
    TKelWriterCustomWritePropertyEvent OnCustomWriteProperty;
    TKelWriterCustomIsAssignablePropertyEvent OnCustomIsAssignableProperty;

    // The value form of the object as the whole document.
    void Write(TObject* AObject);
    // An object with one member AName: the array of the saved objects.
    void WriteArray(const String& AName, const TKelObjectArray& AArray);

private:
    void WriteValue(TObject* AObject);
    void WriteObject(TObject* AObject);
    void WriteProperty(TObject* AObject, const TPropInfo& AProp);

    std::unique_ptr<TKelJSONWriter, void (*)(TObject*)> FWriter;
    TObject* FIOReference = nullptr;
    TComponent* FRootObject = nullptr;
    TKelExcludePropertyListArray FExcludeProperties;

    KEL_JSON_MEMBERS
};

class TKelReader : public TObject {
    RTL_CLASS(TKelReader)
public:
    // A property waiting for an object reference.
    class TKelObjectReference : public TObject {
        RTL_CLASS(TKelObjectReference)
    public:
        TKelObjectReference(TObject* AInstance, const TPropInfo* AProp, const String& AId)
            : Instance(AInstance), Prop(AProp), Id(AId) {}
        TObject* Instance;
        const TPropInfo* Prop;
        String Id;

        KEL_JSON_MEMBERS
    };

    explicit TKelReader(TStream& AStream);
    ~TKelReader() override;

    TKelJSONReader* JSONReader() const { return FReader.get(); }
    TObject* IOReference() const { return FIOReference; }
    void SetIOReference(TObject* Value);
    TComponent* RootObject() const { return FRootObject; }
    void SetRootObject(TComponent* Value);
    const TKelExcludePropertyListArray& ExcludeProperties() const { return FExcludeProperties; }
    void SetExcludeProperties(const TKelExcludePropertyListArray& Value);
    TKelReaderCustomReadPropertyEvent OnCustomReadProperty;
    TKelWriterCustomIsAssignablePropertyEvent OnCustomIsAssignableProperty;

    // A new object of the class its type member names (AClass when there is
    // none); the caller owns it. Null when the IO reference made none.
    TObject* Read(const TClassInfo& AClass);
    // The document read into an existing object.
    void Read(TObject* AObject);
    // The objects of the member AName of what WriteArray wrote; the caller owns them.
    TKelObjectArray ReadArray(const String& AName);
    // Sets the recorded reference properties through the IO reference's resolver.
    void SolveReferences();

private:
    void ReadValue(TObject* AObject);
    void ReadObject(TObject* AObject);
    TObject* ReadNewObject(const TClassInfo* ABaseClass);
    void ReadProperty(TObject* AObject, const TPropInfo& AProp);
    void ReadClassProperty(TObject* AObject, const TPropInfo& AProp);
    void ReadTypeMember(String* AClassName);

    std::vector<std::unique_ptr<TKelObjectReference>> FReferences;
    std::unique_ptr<TKelJSONReader, void (*)(TObject*)> FReader;
    TObject* FIOReference = nullptr;
    TComponent* FRootObject = nullptr;
    TKelExcludePropertyListArray FExcludeProperties;

    KEL_JSON_MEMBERS
};

class TKelPersistence : public TObject {
    RTL_CLASS(TKelPersistence)
public:
    static void SaveSettingsToStream(TObject* AObject, TStream* AStream);
    // Writes no file when the save fails.
    static void SaveSettingsToFile(TObject* AObject, const String& AFileName);
    static void LoadSettingsFromStream(TObject* AObject, TStream* AStream);
    static void LoadSettingsFromFile(TObject* AObject, const String& AFileName);
    // A new object of the registered class AClassName, which must descend
    // from BaseClass (when given); created through its registered constructor.
    static TObject* CreateObject(const String& AClassName, const TClassInfo* BaseClass);
    // The names of the property's enumeration (a set's element enumeration).
    static void GetEnumValues(TStrings* AValues, const TPropInfo* APropInfo);
    static String GetPropInfoTypeName(const TPropInfo* APropInfo);
    static const TClassInfo* GetPropInfoDataTypeInfoClassType(const TPropInfo* APropInfo);
    static String GetEnumName(const TPropInfo* APropInfo, Integer AValue);

    static TTypeKind GetPropInfoType(const TPropInfo* APropInfo) { return APropInfo->Kind(); }
    static String GetPropInfoName(const TPropInfo* APropInfo) { return APropInfo->Name; }
    static bool IsWriteOnly(const TPropInfo* APropInfo);
    static bool IsReadOnly(const TPropInfo* APropInfo) { return APropInfo->IsReadOnly(); }
    static bool IsAssignableProperty(const TObject* AObject, const TPropInfo* APropInfo);
    static bool IsColor(const String& ATypeName);
    static bool IsStrokeKind(const String& ATypeName) { return ATypeName == u"TKelGraphicsStrokeKind"; }
    static bool IsFillKind(const String& ATypeName) { return ATypeName == u"TKelGraphicsFillKind"; }
    static bool IsDate(const String& ATypeName) { return ATypeName == u"TDate"; }
    static bool IsDateTime(const String& ATypeName) { return ATypeName == u"TDateTime"; }
    static bool IsTime(const String& ATypeName) { return ATypeName == u"TTime"; }
    static bool IsCollection(const TClassInfo* AClass) { return IsDescendingClass(AClass, {u"TCollection"}); }
    static bool IsComponent(const TClassInfo* AClass) {
        return IsDescendingClass(AClass, {u"TComponent", u"TKelCustomComponent"});
    }
    static bool IsControl(const TClassInfo* AClass) { return IsDescendingClass(AClass, {u"TControl"}); }
    static bool IsList(const TClassInfo* AClass) { return IsDescendingClass(AClass, {u"TList"}); }
    static bool IsBitmap(const TClassInfo* AClass) {
        return IsDescendingClass(AClass, {u"TBitmap", u"TPicture", u"TKelBitmap"});
    }
    static bool IsStrings(const TClassInfo* AClass) { return IsDescendingClass(AClass, {u"TStrings"}); }
    // Some class of the ancestry (the class itself first) has one of the names.
    static bool IsDescendingClass(const TClassInfo* AClass, std::initializer_list<const char16_t*> ANames);

    KEL_JSON_MEMBERS
};

// The routines the JSON members forward to: kel/KelJSONMembers.h.

// Registers the drawing layer's persistent value classes by name (once).
void RegisterKelPersistentClasses();
