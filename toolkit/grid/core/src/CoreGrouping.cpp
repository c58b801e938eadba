// Grouping: header rows as nodes over runs of equal values of a column,
// summary rows, sub-groups, and the calculations written per group.

#include "grid/ZirOvararIzazCore.h"

Double TZirOvararIzazCore::GroupCustomCalc(Integer ACol, Integer FromRow, Integer ToRow) {
    Double Res = 0;
    if (OnGroupCalc) OnGroupCalc(this, ACol, FromRow, ToRow, Res);
    return Res;
}
