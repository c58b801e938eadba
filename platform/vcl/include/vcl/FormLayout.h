#pragma once
// Text form layouts: one text file per form or frame class holding its
// object tree (the components it owns, their published properties,
// collections and event handler names), read into every new instance at
// creation and written back from a live one.
//
// A form or frame class registers its layout once (RegisterLayout with the
// file's path, or RegisterLayoutText with the text itself); forms made
// with CreateNew read none. Components named in a layout are made from the
// class registry (RegisterClass); the standard controls, menus and actions
// are registered by RegisterStandardClasses, which reading a layout calls.
// Errors name the file and the line: a damaged file changes nothing, an
// unknown class or property stops the creation of the form.

#include "rtl/Component.h"

void RegisterLayout(const TClassInfo& Class, const String& FileName);
void RegisterLayoutText(const TClassInfo& Class, const String& Text, const String& FileName);
bool HasLayout(const TClassInfo& Class);

// Reads the layouts of Root's class and of its ancestors (the ancestor's
// first) into Root.
void ReadLayout(TComponent* Root);
// Reads one layout text into Root; FileName names it in errors.
void ReadLayoutText(TComponent* Root, const String& Text, const String& FileName);
// The layout text of Root as it is now.
String WriteLayoutText(TComponent* Root);

// Registers the classes of the controls framework for layouts and streams,
// and the colour identifiers of TColor properties; runs once.
void RegisterStandardClasses();
