#pragma once
// The style vocabulary of the toolkit's styled controls: the 27 visual
// styles, the Office colour schemes, colour tones and the interfaces through
// which a styler hands a style or tones to a control; and the routines with
// which a control finds out how it should look on the user's machine.
//
// Detection reads HKEY_CURRENT_USER anew on every call (nothing is cached)
// and asks the operating system through WindowsPlatform(). Every routine runs
// on the GUI thread.

#include "rtl/Types.h"

#include <string_view>

class TCanvas;
class TComponent;
class TControl;

// The visual styles; the ordinals are stored and compared by other code.
enum TKelStyle : Byte {
    tsOffice2003Blue,
    tsOffice2003Silver,
    tsOffice2003Olive,
    tsOffice2003Classic,
    tsOffice2007Luna,
    tsOffice2007Obsidian,
    tsWindowsXP,
    tsWhidbey,
    tsCustom, // no built-in style applies: the default of every styled control
    tsOffice2007Silver,
    tsWindowsVista,
    tsWindows7,
    tsTerminal,
    tsOffice2010Blue,
    tsOffice2010Silver,
    tsOffice2010Black,
    tsWindows8,
    tsOffice2013White,
    tsOffice2013LightGray,
    tsOffice2013Gray,
    tsWindows10,
    tsOffice2016White,
    tsOffice2016Gray,
    tsOffice2016Black,
    tsOffice2019White,
    tsOffice2019Gray,
    tsOffice2019Black,
};

enum TOfficeTheme : Byte {
    ot2003Blue,
    ot2003Silver,
    ot2003Olive,
    ot2003Classic,
    ot2007Blue,
    ot2007Silver,
    ot2007Black,
    ot2010Blue,
    ot2010Silver,
    ot2010Black,
    ot2013White,
    ot2013Silver,
    ot2013Gray,
    ot2016White,
    ot2016Gray,
    ot2016Black,
    ot2019White,
    ot2019Gray,
    ot2019Black,
    otUnknown,
};

enum TMetroStyle : Byte { msLight, msDark };

struct TColorTone {
    TColor BrushColor = 0; // fill
    TColor BorderColor = 0;
    TColor TextColor = 0;
    friend bool operator==(const TColorTone&, const TColorTone&) = default;
};

// A plain value record, copied whole when passed or stored.
struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
    friend bool operator==(const TColorTones&, const TColorTones&) = default;
};

// ---- Interfaces a styled control implements ----
// The implementers are components; holding an interface of one never keeps
// it alive or frees it. A caller asks a component for an interface with
// dynamic_cast (no answer: the component does not support it).

class IKelStyle {
public:
    static constexpr std::u16string_view IID = u"{11AC2DDC-C087-4298-AB6E-EA1B5017511B}";
    // Take on the colours of a style.
    virtual void SetComponentStyle(TKelStyle AStyle) = 0;

protected:
    ~IKelStyle() = default;
};

class IKelStyleEx : public IKelStyle {
public:
    static constexpr std::u16string_view IID = u"{037BA87F-7CBD-4FDD-854E-2B3F0BCC06AE}";
    void SetComponentStyle(TKelStyle AStyle) override = 0;
    // Take on a style with an application accent colour (clNone for none).
    virtual void SetComponentStyleAndAppColor(TKelStyle AStyle, TColor AppColor) = 0;

protected:
    ~IKelStyleEx() = default;
};

class IKelTones {
public:
    static constexpr std::u16string_view IID = u"{1F492643-6699-4F25-8B34-3233FA735036}";
    // Paint with these tones.
    virtual void SetColorTones(const TColorTones& ATones) = 0;

protected:
    ~IKelTones() = default;
};

// ---- Detection ----

// The style that matches the user's Office colour scheme, or without Office
// the Windows look: the Office XP colour scheme with UseXPScheme, else the
// Windows version's style (Windows 10: light or dark by the app setting).
TKelStyle CurrentOfficeStyle(bool UseXPScheme);
// CurrentOfficeStyle(true) as an Office theme; an Office whose setting is not
// recognised reports ot2019Black.
TOfficeTheme CurrentOfficeTheme();
// 0 (none, or Office 11.0) .. 4 (Office 16.0): the highest Office version
// with a Software\Microsoft\Office\<v>\Common\General key.
Integer InstalledOfficeVersion();

// True when kernel32 exports GetLocaleInfoEx.
bool IsVistaOrLater();
// "Segoe UI" from Windows Vista on, else "Tahoma".
String DefaultFontName();
// The style of the first enabled form styler (TKelFormStyler, in
// kel/KelAppStyler.h) with a style other than tsCustom among the components
// of the form, or of the control's top-level parent form; ADefault for none,
// for null and for other components.
TKelStyle FormStylerStyle(TComponent* AComponent, TKelStyle ADefault);
// False for the dark styles tsOffice2016Black, tsOffice2019Gray and
// tsOffice2019Black.
bool IsLightStyle(TKelStyle AStyle);

// What the GUI library's style services report: whether a style is enabled
// and the active style's name.
struct TStyleServicesState {
    bool Enabled = false;
    String Name = u"Windows";
};
// Not designing: enabled and a style other than "Windows". Designing: a
// style other than "Windows10" and "Mountain_Mist". Names compare exactly.
bool VCLStylesActive(const TStyleServicesState& AStyleServices, bool ADesigning);

// The scale factor of a control's pixels against 96 per inch: the monitor's
// pixels per inch of a control on a scaled standard form (1 on an unscaled
// one); otherwise those of the canvas's device, when it has one; otherwise
// the screen's. Never 0.
Single ControlDPIScale(TControl* AControl, TCanvas* ACanvas);

// Each channel of the colour (a system colour is looked up) becomes
// round((100 - APercent) * channel / 100), halves to even, within 0..255:
// a positive percentage darkens, a negative one lightens.
TColor ScaleColorChannels(TColor AColor, Integer APercent);
TColor ShadeColor(TColor AColor, Integer APercent);
