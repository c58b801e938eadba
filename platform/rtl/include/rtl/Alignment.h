#pragma once
// Horizontal alignment of a text in its box, shared by data fields and the
// controls that show them.

#include "rtl/TypeInfo.h"

RTL_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
