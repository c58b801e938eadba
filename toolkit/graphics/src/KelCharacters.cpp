#include "kel/KelTypes.h"
#include "rtl/Character.h"

bool IsNumericChar(Char ch) {
    if (ch <= 127) return ch >= u'0' && ch <= u'9';
    return IsNumber(ch);
}
