// The column grid answers the per-cell questions from the cell's column.

#include "ColumnGridTestSupport.h"
