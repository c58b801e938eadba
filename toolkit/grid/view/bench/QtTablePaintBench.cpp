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

struct TQtAdapter {
    QTableWidget* Table = nullptr;
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
        Table->setItem(Row, Col, new QTableWidgetItem(QString::fromUtf8(Text.data(), int(Text.size()))));
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
};

} // namespace

int main(int argc, char** argv) {
    QApplication App(argc, argv);
    TQtAdapter Adapter;
    const int Result = paintbench::Run(Adapter);
    delete Adapter.Table;
    return Result;
}
