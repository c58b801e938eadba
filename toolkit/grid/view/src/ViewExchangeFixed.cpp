// Fixed-width text export and import.

#include "grid/ZirOvararIzaz.h"
#include "grid/GridError.h"
#include "gridbase/IntList.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/Stream.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <memory>

void TZirOvararIzaz::SaveToFixed(const String& FileName, TIntList* Positions) {
    std::unique_ptr<TFileStream> File;
    try {
        File = std::make_unique<TFileStream>(FileName, fmCreate);
    } catch (const Exception&) {
        throw EKelGridError(u"Cannot Create file " + FileName);
    }
    const Integer Hidden = SaveHiddenCells() ? NumHiddenColumns() : 0;
    const Integer First = SaveStartCol(), Last = SaveEndCol() + Hidden;
    for (Integer a = First; a <= Last; ++a)
        if (Positions->Count() <= a - First) Positions->Add(MaxColumnTextLength(a) + 1);
    String Text;
    ExportNotification(esExportStart, SaveStartRow());
    for (Integer r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (Integer d = First; d <= Last; ++d) {
            String T;
            SaveCell(SaveColumnIndex(d), r, T);
            const size_t W = size_t(std::max(0, Positions->Items(d - First)));
            if (T.size() > W)
                T.resize(W);
            else
                T.append(W - T.size(), u' ');
            Text += T;
        }
        Text += u"\r\n";
    }
    ExportNotification(esExportDone, -1);
    const std::string Bytes = ToAnsi(Text);
    File->WriteBuffer(Bytes.data(), Int64(Bytes.size()));
}

void TZirOvararIzaz::LoadFromFixed(const String& FileName, TIntList* Positions, bool DoTrim, Integer MaxRows) {
    TStringList Lines;
    try {
        Lines.LoadFromFile(FileName, &TEncoding::ANSI());
    } catch (const Exception&) {
        throw EKelGridError(u"File " + FileName + u" not found");
    }
    const Integer n = Positions->Count();
    std::vector<Integer> Sorted;
    for (Integer k = 0; k < n; ++k) Sorted.push_back(Positions->Items(k));
    std::sort(Sorted.begin(), Sorted.end());
    for (Integer k = 0; k < n; ++k)
        if (Positions->Items(k) != Sorted[size_t(k)]) Positions->SetItems(k, Sorted[size_t(k)]);
    SetColCount(std::max(FixedCols() + n - 1, 1));
    Integer Row = SaveStartRow();
    BeginUpdate();
    try {
        Integer Counter = 1;
        for (Integer i = 0; i < Lines.Count(); ++i) {
            if (Row >= RowCount()) SetRowCount(Row + 1);
            const String Line = Lines.Strings(i);
            for (Integer k = 1; k < n; ++k) {
                String Field = Copy(Line, Sorted[size_t(k - 1)], Sorted[size_t(k)] - Sorted[size_t(k - 1)]);
                if (DoTrim) Field = Trim(Field);
                DoLoadCell(SaveStartCol() + k - 1, Row, Field);
            }
            ++Counter;
            if (MaxRows != -1 && Counter > MaxRows) break;
            if (Row + 1 >= RowCount() && i + 1 < Lines.Count()) SetRowCount(Row + 2);
            ++Row;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    RecalcFooter(-1);
}
