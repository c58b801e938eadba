// Qt's QTableWidget in the paint comparison (QT_QPA_PLATFORM=xcb). A
// repaint asks every widget of the window for an update (QWidget::repaint
// of the table alone paints its frame, not the cells of its viewport) and
// processes events until the viewport has painted; a page down is a Page
// Down key event sent to the table, waited for the same way. Each ends with
// a round trip on Qt's own X connection, so the server has handled the
// frame.

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

// Counts the paint events of the widget it watches.
class TPaintCounter : public QObject {
public:
    explicit TPaintCounter(long& Count) : FCount(Count) {}
    bool eventFilter(QObject*, QEvent* Event) override {
        if (Event->type() == QEvent::Paint) ++FCount;
        return false;
    }

private:
    long& FCount;
};

struct TQtAdapter {
    QTableWidget* Table = nullptr;
    long ViewportPaints = 0;
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
        Table->viewport()->installEventFilter(new TPaintCounter(ViewportPaints));
    }
    // Processes events until the cells have painted after Before paints.
    void WaitForPaint(long Before) {
        for (int i = 0; ViewportPaints == Before && i < 100000; ++i) QApplication::processEvents();
        if (ViewportPaints == Before) std::fprintf(stderr, "the table's cells did not paint\n");
        ServerRoundTrip();
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
        const long Before = ViewportPaints;
        Table->update();
        for (QWidget* Child : Table->findChildren<QWidget*>()) Child->update();
        WaitForPaint(Before);
    }
    void PageDown() {
        const long Before = ViewportPaints;
        QKeyEvent Press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(Table, &Press);
        WaitForPaint(Before);
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
