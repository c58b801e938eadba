// Qt's QTableWidget in the grid comparison (QT_QPA_PLATFORM=offscreen).

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
        Table->setItem(Row, Col, new QTableWidgetItem(QString::fromUtf8(Text.data(), int(Text.size()))));
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
