#pragma once
// The window layouts the program carries (app/ui/layouts, embedded at build
// time), and the one registration of the program's window classes with their
// layouts.

#include "rtl/Component.h"
#include "rtl/Exception.h"
#include "rtl/Types.h"

// The text of the embedded layout file of that name ("Results.layout");
// null when there is none.
const char16_t* EmbeddedLayoutText(const String& FileName);

// Registers the window and frame classes of the program for the layout
// reader and gives each its embedded layout. Runs once; every window calls it
// before it is made.
void RegisterUiClasses();

// The component of a window's layout by its name and class; a layout that
// lacks it raises "The layout lacks " + the name.
template <class T>
T* LayoutPart(const TComponent* Owner, const String& Name) {
    auto* Found = dynamic_cast<T*>(Owner->FindComponent(Name));
    if (!Found) throw Exception(u"The layout lacks " + Name);
    return Found;
}
