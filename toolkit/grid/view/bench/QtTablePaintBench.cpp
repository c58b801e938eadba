// Qt's QTableWidget in the paint comparison (QT_QPA_PLATFORM=xcb). A
// repaint is QWidget::repaint of the top-level window (painted and flushed
// to the X server at once); a page down is a Page Down key event sent to
// the table, after which the pending update requests are processed. Each
// ends with a round trip on Qt's own X connection, so the server has
// handled the frame.

#include "GridPaintBenchCommon.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QX11Info>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

void ServerRoundTrip() {
    xcb_connection_t* Connection = QX11Info::connection();
    std::free(xcb_get_input_focus_reply(Connection, xcb_get_input_focus(Connection), nullptr));
}

QString FromUtf8(const std::string& Text) {
    return QString::fromUtf8(Text.data(), int(Text.size()));
}

struct TQtAdapter {
    QTableWidget* Table = nullptr;
    // The table of the CSV cases, never shown.
    QTableWidget* Csv = nullptr;
    void Create(int Cols, int Rows, int Width, int Height, const char* Font, int Points, int ColWidth,
                int RowHeight) {
        Table = new QTableWidget(Rows, Cols);
        Table->setWindowFlags(Qt::FramelessWindowHint);
        Table->setGeometry(0, 0, Width, Height);
        Table->setFont(QFont(QString::fromUtf8(Font), Points));
        Table->horizontalHeader()->setDefaultSectionSize(ColWidth);
        Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        Table->verticalHeader()->setDefaultSectionSize(RowHeight);
        Table->verticalHeader()->setMinimumSectionSize(RowHeight);
        Table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    }
    void Set(int Row, int Col, const std::string& Text) {
        Table->setItem(Row, Col, new QTableWidgetItem(FromUtf8(Text)));
    }
    void Show() {
        Table->show();
        Table->setCurrentCell(0, 0);
        Table->setFocus();
        QApplication::processEvents();
        Repaint();
    }
    void Repaint() {
        Table->repaint();
        ServerRoundTrip();
    }
    void PageDown() {
        QKeyEvent Press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(Table, &Press);
        QApplication::processEvents();
        ServerRoundTrip();
    }
    void CsvFill(int Cols, int Rows) {
        delete Csv;
        Csv = new QTableWidget(Rows, Cols);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) Csv->setItem(r, c, new QTableWidgetItem(FromUtf8(paintbench::CsvText(r, c))));
    }
    void CsvExport(const std::string& Path) {
        paintbench::WriteCsv(Path, Csv->rowCount(), Csv->columnCount(), [this](int Row, int Col) {
            const QTableWidgetItem* Item = Csv->item(Row, Col);
            return Item ? Item->text().toUtf8().toStdString() : std::string();
        });
    }
    void CsvImport(const std::string& Path) {
        const auto Records = paintbench::ReadCsv(Path);
        delete Csv;
        Csv = new QTableWidget(0, 0);
        int Cols = 0;
        for (const auto& Record : Records) Cols = std::max(Cols, int(Record.size()));
        Csv->setRowCount(int(Records.size()));
        Csv->setColumnCount(Cols);
        for (int r = 0; r < int(Records.size()); ++r)
            for (int c = 0; c < int(Records[size_t(r)].size()); ++c)
                Csv->setItem(r, c, new QTableWidgetItem(FromUtf8(Records[size_t(r)][size_t(c)])));
    }
    std::string CsvCell(int Row, int Col) {
        const QTableWidgetItem* Item = Csv->item(Row, Col);
        return Item ? Item->text().toUtf8().toStdString() : std::string();
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication App(argc, argv);
    TQtAdapter Adapter;
    const int Result = paintbench::Run(Adapter);
    delete Adapter.Table;
    delete Adapter.Csv;
    return Result;
}
