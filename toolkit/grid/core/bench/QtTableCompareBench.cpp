// Qt's QTableWidget in the grid comparison (QT_QPA_PLATFORM=offscreen).
// The integer column is held as numbers, so that sortItems compares values;
// the undo of the sorts sorts on a hidden column of the first row numbers,
// made with the table (a column inserted into a full QTableWidget moves
// every later item once per row) and filled before the first sort. The
// search is findItems with Qt::MatchContains (the hidden column's cells
// left out of the count); the filter a QSortFilterProxyModel on the
// table's model with a fixed string, removed by an empty one.

#include "GridBenchCommon.h"

#include <QApplication>
#include <QSortFilterProxyModel>
#include <QTableWidget>

namespace {

struct TQtAdapter {
    QTableWidget* Table = nullptr;
    void Create(int Rows, int Cols) {
        Table = new QTableWidget(Rows, Cols + 1);
        Table->setColumnHidden(Cols, true);
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
        const int Order = Table->columnCount() - 1;
        for (int r = 0; r < Table->rowCount(); ++r) {
            auto* Item = new QTableWidgetItem;
            Item->setData(Qt::DisplayRole, r);
            Table->setItem(r, Order, Item);
        }
    }
    void SortNumbers(int Col) { Table->sortItems(Col, Qt::AscendingOrder); }
    void SortTexts(int Col) { Table->sortItems(Col, Qt::AscendingOrder); }
    void UnSort() { Table->sortItems(Table->columnCount() - 1, Qt::AscendingOrder); }
    int FindAll(const char* Text) {
        int Found = 0;
        for (const QTableWidgetItem* Item : Table->findItems(QString::fromUtf8(Text), Qt::MatchContains))
            if (Item->column() < gridbench::Columns) ++Found;
        return Found;
    }
    QSortFilterProxyModel* Proxy = nullptr;
    void PrepareFilter() {
        Proxy = new QSortFilterProxyModel(Table);
        Proxy->setSourceModel(Table->model());
        Proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    }
    // The proxy builds its row mapping when it is asked for its rows.
    int Filter(int Col, const char* Text) {
        Proxy->setFilterKeyColumn(Col);
        Proxy->setFilterFixedString(QString::fromUtf8(Text));
        return Proxy->rowCount();
    }
    int Unfilter() {
        Proxy->setFilterFixedString(QString());
        return Proxy->rowCount();
    }
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
