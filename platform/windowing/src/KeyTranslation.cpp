// The US keyboard layout: scan codes of keys and the characters a key gives,
// for TranslateMessage when the backend did not name them.

#include "WindowSystem.h"

using namespace winapi;

namespace {

bool IsDown(const std::array<Byte, 256>& state, Integer key) {
    return state[Byte(key)] & 0x80;
}
bool IsToggled(const std::array<Byte, 256>& state, Integer key) {
    return state[Byte(key)] & 0x01;
}

struct TScan {
    Integer Key;
    Integer Code;
    bool Extended;
};

// Set-1 scan codes. The numeric-keypad keys all have bit 0x40 set, which is
// how a program tells the keypad's decimal key from the main period.
constexpr TScan ScanCodes[] = {
    {VK_ESCAPE, 0x01, false},     {'1', 0x02, false},         {'2', 0x03, false},
    {'3', 0x04, false},           {'4', 0x05, false},         {'5', 0x06, false},
    {'6', 0x07, false},           {'7', 0x08, false},         {'8', 0x09, false},
    {'9', 0x0A, false},           {'0', 0x0B, false},         {VK_OEM_MINUS, 0x0C, false},
    {VK_OEM_PLUS, 0x0D, false},   {VK_BACK, 0x0E, false},     {VK_TAB, 0x0F, false},
    {'Q', 0x10, false},           {'W', 0x11, false},         {'E', 0x12, false},
    {'R', 0x13, false},           {'T', 0x14, false},         {'Y', 0x15, false},
    {'U', 0x16, false},           {'I', 0x17, false},         {'O', 0x18, false},
    {'P', 0x19, false},           {VK_OEM_4, 0x1A, false},    {VK_OEM_6, 0x1B, false},
    {VK_RETURN, 0x1C, false},     {VK_CONTROL, 0x1D, false},  {VK_LCONTROL, 0x1D, false},
    {VK_RCONTROL, 0x1D, true},    {'A', 0x1E, false},         {'S', 0x1F, false},
    {'D', 0x20, false},           {'F', 0x21, false},         {'G', 0x22, false},
    {'H', 0x23, false},           {'J', 0x24, false},         {'K', 0x25, false},
    {'L', 0x26, false},           {VK_OEM_1, 0x27, false},    {VK_OEM_7, 0x28, false},
    {VK_OEM_3, 0x29, false},      {VK_SHIFT, 0x2A, false},    {VK_LSHIFT, 0x2A, false},
    {VK_OEM_5, 0x2B, false},      {'Z', 0x2C, false},         {'X', 0x2D, false},
    {'C', 0x2E, false},           {'V', 0x2F, false},         {'B', 0x30, false},
    {'N', 0x31, false},           {'M', 0x32, false},         {VK_OEM_COMMA, 0x33, false},
    {VK_OEM_PERIOD, 0x34, false}, {VK_OEM_2, 0x35, false},    {VK_DIVIDE, 0x35, true},
    {VK_RSHIFT, 0x36, false},     {VK_MULTIPLY, 0x37, false}, {VK_MENU, 0x38, false},
    {VK_LMENU, 0x38, false},      {VK_RMENU, 0x38, true},     {VK_SPACE, 0x39, false},
    {VK_CAPITAL, 0x3A, false},    {VK_F1, 0x3B, false},       {VK_F2, 0x3C, false},
    {VK_F3, 0x3D, false},         {VK_F4, 0x3E, false},       {VK_F5, 0x3F, false},
    {VK_F6, 0x40, false},         {VK_F7, 0x41, false},       {VK_F8, 0x42, false},
    {VK_F9, 0x43, false},         {VK_F10, 0x44, false},      {VK_NUMLOCK, 0x45, true},
    {VK_SCROLL, 0x46, false},     {VK_NUMPAD7, 0x47, false},  {VK_NUMPAD8, 0x48, false},
    {VK_NUMPAD9, 0x49, false},    {VK_SUBTRACT, 0x4A, false}, {VK_NUMPAD4, 0x4B, false},
    {VK_NUMPAD5, 0x4C, false},    {VK_NUMPAD6, 0x4D, false},  {VK_ADD, 0x4E, false},
    {VK_NUMPAD1, 0x4F, false},    {VK_NUMPAD2, 0x50, false},  {VK_NUMPAD3, 0x51, false},
    {VK_NUMPAD0, 0x52, false},    {VK_DECIMAL, 0x53, false},  {VK_F11, 0x57, false},
    {VK_F12, 0x58, false},        {VK_HOME, 0x47, true},      {VK_UP, 0x48, true},
    {VK_PRIOR, 0x49, true},       {VK_LEFT, 0x4B, true},      {VK_RIGHT, 0x4D, true},
    {VK_END, 0x4F, true},         {VK_DOWN, 0x50, true},      {VK_NEXT, 0x51, true},
    {VK_INSERT, 0x52, true},      {VK_DELETE, 0x53, true},    {VK_LWIN, 0x5B, true},
    {VK_RWIN, 0x5C, true},        {VK_APPS, 0x5D, true},
};

struct TPunctuation {
    Integer Key;
    Char Plain;
    Char Shifted;
};

constexpr TPunctuation Punctuation[] = {
    {VK_OEM_1, u';', u':'},     {VK_OEM_PLUS, u'=', u'+'},   {VK_OEM_COMMA, u',', u'<'},
    {VK_OEM_MINUS, u'-', u'_'}, {VK_OEM_PERIOD, u'.', u'>'}, {VK_OEM_2, u'/', u'?'},
    {VK_OEM_3, u'`', u'~'},     {VK_OEM_4, u'[', u'{'},      {VK_OEM_5, u'\\', u'|'},
    {VK_OEM_6, u']', u'}'},     {VK_OEM_7, u'\'', u'"'},
};

constexpr char16_t ShiftedDigits[] = u")!@#$%^&*(";

} // namespace

namespace detail {

Integer StandardScanCode(Integer virtualKey, bool& extended) {
    for (const auto& scan : ScanCodes)
        if (scan.Key == virtualKey) {
            extended = scan.Extended;
            return scan.Code;
        }
    extended = false;
    return 0;
}

String KeyCharacters(Integer key, const std::array<Byte, 256>& state) {
    bool shift = IsDown(state, VK_SHIFT);
    bool ctrl = IsDown(state, VK_CONTROL);
    bool alt = IsDown(state, VK_MENU);
    if (ctrl && alt) return String(); // no AltGr characters on this layout
    switch (key) {
    case VK_BACK:
        return ctrl ? String(1, Char(0x7F)) : String(1, Char(8));
    case VK_TAB:
        return ctrl ? String() : String(1, Char(9));
    case VK_RETURN:
        return String(1, ctrl ? Char(10) : Char(13));
    case VK_ESCAPE:
        return String(1, Char(27));
    case VK_SPACE:
        return String(1, u' ');
    default:
        break;
    }
    if (key >= 'A' && key <= 'Z') {
        if (ctrl) return String(1, Char(key - 'A' + 1));
        bool upper = shift != IsToggled(state, VK_CAPITAL);
        return String(1, Char(upper ? key : key + 32));
    }
    if (ctrl) return String();
    if (key >= '0' && key <= '9') return String(1, shift ? ShiftedDigits[key - '0'] : Char(key));
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return IsToggled(state, VK_NUMLOCK) ? String(1, Char(u'0' + key - VK_NUMPAD0)) : String();
    switch (key) {
    case VK_DECIMAL:
        return IsToggled(state, VK_NUMLOCK) ? String(1, u'.') : String();
    case VK_MULTIPLY:
        return String(1, u'*');
    case VK_ADD:
        return String(1, u'+');
    case VK_SUBTRACT:
        return String(1, u'-');
    case VK_DIVIDE:
        return String(1, u'/');
    default:
        break;
    }
    for (const auto& p : Punctuation)
        if (p.Key == key) return String(1, shift ? p.Shifted : p.Plain);
    return String();
}

} // namespace detail
