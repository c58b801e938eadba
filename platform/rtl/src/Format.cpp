// Format: the printf-like formatting of the run-time library.

#include "rtl/Format.h"

#include "DecimalText.h"
#include "rtl/Exception.h"

#include <charconv>

namespace {

[[noreturn]] void RaiseInvalid(std::u16string_view format) {
    throw EConvertError(u"Format '" + String(format) + u"' invalid or incompatible with argument");
}

[[noreturn]] void RaiseMissing(std::u16string_view format) {
    throw EConvertError(u"No argument for format '" + String(format) + u"'");
}

struct TSpec {
    bool LeftAlign = false;
    int Width = 0;
    int Precision = -1; // -1: none given
    Char Type = 0;
};

void AppendHex(String& out, UInt64 value) {
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, 16).ptr;
    for (const char* p = buf; p < end; ++p)
        out += static_cast<Char>(*p >= 'a' ? *p - 'a' + 'A' : *p);
}

// Integer argument as sign and magnitude; false when it is not an integer.
bool IntegerOf(const TVarRec& arg, bool& negative, UInt64& magnitude) {
    switch (arg.Kind()) {
    case TVarRec::TKind::Integer:
    case TVarRec::TKind::Int64: {
        const Int64 v = arg.AsInt64();
        negative = v < 0;
        magnitude = negative ? UInt64(0) - static_cast<UInt64>(v) : static_cast<UInt64>(v);
        return true;
    }
    case TVarRec::TKind::Cardinal:
    case TVarRec::TKind::UInt64:
    case TVarRec::TKind::Boolean:
        negative = false;
        magnitude = arg.AsUInt64();
        return true;
    default:
        return false;
    }
}

// The bits of an integer argument as an unsigned number of its own width.
UInt64 UnsignedBitsOf(const TVarRec& arg) {
    if (arg.Kind() == TVarRec::TKind::Integer) return static_cast<Cardinal>(arg.AsInt64());
    if (arg.Kind() == TVarRec::TKind::Int64) return static_cast<UInt64>(arg.AsInt64());
    return arg.AsUInt64();
}

void AppendDigitsWithPrecision(String& out, const String& digits, int precision) {
    if (precision > static_cast<int>(digits.size())) out.append(precision - digits.size(), u'0');
    out += digits;
}

// Appends the converted argument (without padding) to `item`.
void Convert(String& item, const TSpec& specifier, const TVarRec& arg, std::u16string_view format,
             const TFormatSettings& settings) {
    const bool isFloat = arg.Kind() == TVarRec::TKind::Extended;
    String digits;
    switch (specifier.Type) {
    case u'd': {
        bool negative = false;
        UInt64 magnitude = 0;
        if (!IntegerOf(arg, negative, magnitude)) RaiseInvalid(format);
        if (negative) item += u'-';
        detail::AppendUnsigned(digits, magnitude);
        AppendDigitsWithPrecision(item, digits, specifier.Precision);
        return;
    }
    case u'u':
    case u'x': {
        bool negative = false;
        UInt64 magnitude = 0;
        if (!IntegerOf(arg, negative, magnitude)) RaiseInvalid(format);
        if (specifier.Type == u'u')
            detail::AppendUnsigned(digits, UnsignedBitsOf(arg));
        else
            AppendHex(digits, UnsignedBitsOf(arg));
        AppendDigitsWithPrecision(item, digits, specifier.Precision);
        return;
    }
    case u'e':
        if (!isFloat) RaiseInvalid(format);
        item += FloatToStrF(arg.AsDouble(), ffExponent, specifier.Precision < 0 ? 15 : specifier.Precision, 3,
                            settings);
        return;
    case u'f':
    case u'n':
    case u'm': {
        if (!isFloat) RaiseInvalid(format);
        const TFloatFormat kind = specifier.Type == u'f'   ? ffFixed
                                  : specifier.Type == u'n' ? ffNumber
                                                           : ffCurrency;
        const int defaultDecimals = specifier.Type == u'm' ? settings.CurrencyDecimals : 2;
        item += FloatToStrF(arg.AsDouble(), kind, 18,
                            specifier.Precision < 0 ? defaultDecimals : specifier.Precision, settings);
        return;
    }
    case u'g':
        if (!isFloat) RaiseInvalid(format);
        item += FloatToStrF(arg.AsDouble(), ffGeneral, specifier.Precision < 0 ? 15 : specifier.Precision, 3,
                            settings);
        return;
    case u's': {
        std::u16string_view text;
        Char ch = 0;
        switch (arg.Kind()) {
        case TVarRec::TKind::String:
            text = arg.AsText();
            break;
        case TVarRec::TKind::Char:
            ch = static_cast<Char>(arg.AsUInt64());
            text = std::u16string_view(&ch, 1);
            break;
        case TVarRec::TKind::Boolean:
            text = arg.AsUInt64() ? u"True" : u"False";
            break;
        default:
            RaiseInvalid(format);
        }
        if (specifier.Precision >= 0 && static_cast<size_t>(specifier.Precision) < text.size())
            text = text.substr(0, specifier.Precision);
        item += text;
        return;
    }
    case u'p': {
        if (arg.Kind() != TVarRec::TKind::Pointer) RaiseInvalid(format);
        AppendHex(digits, reinterpret_cast<UInt64>(arg.AsPointer()));
        AppendDigitsWithPrecision(item, digits, 2 * static_cast<int>(sizeof(void*)));
        return;
    }
    default:
        RaiseInvalid(format);
    }
}

// Reads digits or "*" at `i`; -1 when there are none.
int ReadNumber(std::u16string_view format, size_t& i, std::span<const TVarRec> args, size_t& next) {
    if (i < format.size() && format[i] == u'*') {
        ++i;
        if (next >= args.size()) RaiseMissing(format);
        const TVarRec& arg = args[next++];
        if (arg.Kind() != TVarRec::TKind::Integer) RaiseInvalid(format);
        return static_cast<int>(arg.AsInt64());
    }
    if (i >= format.size() || format[i] < u'0' || format[i] > u'9') return -1;
    int value = 0;
    while (i < format.size() && format[i] >= u'0' && format[i] <= u'9') {
        value = value * 10 + (format[i++] - u'0');
        if (value > 1'000'000) RaiseInvalid(format);
    }
    return value;
}

} // namespace

String Format(std::u16string_view format, std::span<const TVarRec> args, const TFormatSettings& settings) {
    String out;
    out.reserve(format.size() + 16 * args.size());
    String item;
    size_t next = 0;
    size_t i = 0;
    while (i < format.size()) {
        const size_t percent = format.find(u'%', i);
        if (percent == std::u16string_view::npos) {
            out.append(format.substr(i));
            break;
        }
        out.append(format.substr(i, percent - i));
        i = percent + 1;
        if (i >= format.size()) RaiseInvalid(format);
        if (format[i] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        TSpec specifier;
        int number = ReadNumber(format, i, args, next);
        if (i < format.size() && format[i] == u':') { // "%index:..."
            if (number < 0) RaiseInvalid(format);
            next = static_cast<size_t>(number);
            ++i;
            number = -1;
        }
        if (number < 0 && i < format.size() && format[i] == u'-') {
            specifier.LeftAlign = true;
            ++i;
        }
        if (number < 0) number = ReadNumber(format, i, args, next);
        specifier.Width = std::max(number, 0);
        if (i < format.size() && format[i] == u'.') {
            ++i;
            specifier.Precision = ReadNumber(format, i, args, next);
            if (specifier.Precision < 0) RaiseInvalid(format);
        }
        if (i >= format.size()) RaiseInvalid(format);
        specifier.Type = format[i++];
        if (specifier.Type >= u'A' && specifier.Type <= u'Z')
            specifier.Type = static_cast<Char>(specifier.Type - u'A' + u'a');
        if (next >= args.size()) RaiseMissing(format);

        item.clear();
        Convert(item, specifier, args[next++], format, settings);
        const size_t pad =
            specifier.Width > static_cast<int>(item.size()) ? specifier.Width - item.size() : 0;
        if (!specifier.LeftAlign) out.append(pad, u' ');
        out += item;
        if (specifier.LeftAlign) out.append(pad, u' ');
    }
    return out;
}

String Format(std::u16string_view format, std::span<const TVarRec> args) {
    return Format(format, args, FormatSettings);
}
