#pragma once
// The JSON members the drawing layer's classes carry: each hands the object
// itself to the JSON persistence (kel/KelPersistence.h), which defines the
// routines declared here.

#include "rtl/Stream.h"
#include "rtl/Types.h"

#include <vector>

class TObject;

// The object saved as JSON text (type member first, properties by name).
String ObjectToJSON(TObject* AObject);
// The same without the named properties.
String ObjectToJSONExcluding(TObject* AObject, const std::vector<String>& AExcludedProperties);
// Loads the text without requiring the type member, with the object as IO reference.
void ObjectFromJSON(TObject* AObject, const String& AValue);
// Writes ObjectToJSON to the diagnostics output.
void LogObjectJSON(TObject* AObject);
void SaveObjectToJSONFile(TObject* AObject, const String& AFileName);
void LoadObjectFromJSONFile(TObject* AObject, const String& AFileName);
void SaveObjectToJSONStream(TObject* AObject, TStream* AStream);
void LoadObjectFromJSONStream(TObject* AObject, TStream* AStream);

// Put last in a class body: the eight JSON operations and the JSON property.
#define KEL_JSON_MEMBERS                                                                                     \
public:                                                                                                      \
    String ToJSON() { return ObjectToJSON(this); }                                                           \
    String ToJSON(const std::vector<String>& AExcludedProperties) {                                          \
        return ObjectToJSONExcluding(this, AExcludedProperties);                                             \
    }                                                                                                        \
    void FromJSON(const String& Value) { ObjectFromJSON(this, Value); }                                      \
    void Log() { LogObjectJSON(this); }                                                                      \
    void SaveToJSONFile(const String& AFileName) { SaveObjectToJSONFile(this, AFileName); }                  \
    void LoadFromJSONFile(const String& AFileName) { LoadObjectFromJSONFile(this, AFileName); }              \
    void SaveToJSONStream(TStream* AStream) { SaveObjectToJSONStream(this, AStream); }                       \
    void LoadFromJSONStream(TStream* AStream) { LoadObjectFromJSONStream(this, AStream); }                   \
    String JSON() { return ToJSON(); }                                                                       \
    void SetJSON(const String& Value) { FromJSON(Value); }
