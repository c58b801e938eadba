# Writes a C++ source holding the text of every layout file, so the program
# carries its window layouts and needs no files beside it. Runs at configure
# time; the layout files are configure dependencies, so editing one makes the
# next build configure again.
function(vandrel_embed_layouts output)
  set(entries "")
  foreach(file IN LISTS ARGN)
    get_filename_component(name ${file} NAME)
    file(READ ${file} text)
    string(APPEND entries "    {u\"${name}\", uR\"VANDREL_LAYOUT(${text})VANDREL_LAYOUT\"},\n")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  endforeach()
  file(CONFIGURE OUTPUT ${output} CONTENT
"// Generated from the layout files of app/ui/layouts; do not edit.
#include \"ui/UiLayouts.h\"

#include <string_view>

namespace {
struct TEmbeddedLayout {
    const char16_t* Name;
    const char16_t* Text;
};
const TEmbeddedLayout Layouts[] = {
@entries@};
} // namespace

const char16_t* EmbeddedLayoutText(const String& FileName) {
    for (const TEmbeddedLayout& Layout : Layouts)
        if (FileName == Layout.Name) return Layout.Text;
    return nullptr;
}
" @ONLY)
endfunction()
