// Qt's QTableWidget in the grid comparison (QT_QPA_PLATFORM=offscreen).
// The integer column is held as numbers, so that sortItems compares values;
// the undo of the sorts sorts on a hidden column of the first row numbers.

#include "GridBenchCommon.h"

#include <QApplication>
#include <QTableWidget>

namespace {

struct TQtAdapter {
    QTableWidget* Table = nullptr;
    void Create(int Rows, int Cols) {
        Table = new QTableWidget(Rows, Cols);
    }
    void Set(int Row, int Col, const std::string& Text) {
        auto* Item = new QTableWidgetItem;
        if (Col == gridbench::IntColumn && !Text.empty())
            Item->setData(Qt::DisplayRole, qlonglong(std::stoll(Text)));
        else
            Item->setText(QString::fromUtf8(Text.data(), int(Text.size())));
        Table->setItem(Row, Col, Item);
    }
    // One row through insertRow; a block through the model's insertRows.
    void InsertRows(int At, int Count) {
        if (Count == 1)
            Table->insertRow(At);
        else
            Table->model()->insertRows(At, Count);
    }
    void DeleteRows(int At, int Count) {
        if (Count == 1)
            Table->removeRow(At);
        else
            Table->model()->removeRows(At, Count);
    }
    int RowCount() const { return Table->rowCount(); }
    std::string Get(int Row, int Col) {
        const QTableWidgetItem* Item = Table->item(Row, Col);
        return Item ? Item->text().toStdString() : std::string();
    }
    void PrepareSort() {
        const int Order = Table->columnCount();
        Table->insertColumn(Order);
        for (int r = 0; r < Table->rowCount(); ++r) {
            auto* Item = new QTableWidgetItem;
            Item->setData(Qt::DisplayRole, r);
            Table->setItem(r, Order, Item);
        }
        Table->setColumnHidden(Order, true);
    }
    void SortNumbers(int Col) { Table->sortItems(Col, Qt::AscendingOrder); }
    void SortTexts(int Col) { Table->sortItems(Col, Qt::AscendingOrder); }
    void UnSort() { Table->sortItems(Table->columnCount() - 1, Qt::AscendingOrder); }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: %s data-file\n", argv[0]);
        return 2;
    }
    QApplication App(argc, argv);
    TQtAdapter Adapter;
    const int Result = gridbench::Run(Adapter, argv[1]);
    delete Adapter.Table;
    return Result;
}
