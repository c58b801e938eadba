#pragma once
// The inline form controls of the grid's markup ("<CONTROL TYPE="EDIT"
// ID="name" VALUE="…" WIDTH="80">"): reading one tag, and finding, reading
// and rewriting controls in a markup text by ID. VALUE and PROP are stored
// entity-encoded and come back decoded.

#include "rtl/Types.h"

struct TMarkupControl {
    String Type; // upper-cased: EDIT, PASSWORD, MASK, COMBO, CHECK, RADIO, BUTTON
    String ID;
    String MaxLen;
    String Prop; // decoded
    String Height;
    String Width;
    String Value; // decoded
};

// Reads the attributes of one CONTROL tag: each name followed by "=" is
// found ignoring case outside quoted values (first occurrence), its value is
// the text between the next two double quotes. Absent attributes are empty.
TMarkupControl ParseControlTag(const String& AAttributes);

// The text holds a "<CONTROL" tag (any case).
bool HasMarkupControl(const String& AText);
// The ID of the first editable control (not BUTTON, CHECK or RADIO) after
// the control with AID, or of the first one when AID is empty; empty when
// there is none.
String NextMarkupControlID(const String& AText, const String& AID);
// Every RADIO control's VALUE set to "FALSE".
String ClearMarkupRadios(const String& AText);
// The VALUE of the first control with AID; false, with AValue untouched,
// when no control has that ID.
bool GetMarkupControlValue(const String& AText, const String& AID, String& AValue);
String GetMarkupControlProp(const String& AText, const String& AID);
// MAXLEN by its leading digits; 0 when absent or when no control has AID.
Integer GetMarkupControlMaxLen(const String& AText, const String& AID);
// Rewrites the first control with AID with AValue, keeping its other
// attributes; false, with the text unchanged, when no control has that ID.
bool SetMarkupControlValue(String& AText, const String& AID, const String& AValue);
// One "*" per character.
String PasswordMask(const String& AText);
