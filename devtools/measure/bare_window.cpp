// bare-window: the least a Qt 6 window of the game's size can do, as a yardstick for the game's
// figures: a menu bar, a black board with 91 plain boxes where the game draws its own, and, with
// --timer, an empty 100 ms timer like the game's; with --repaint as well, the timer repaints the
// board on every tick, as the game's does while boxes move.
#include "board_geometry.h"
#include "window_layout.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>

namespace {

class Boxes : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        // The game's grid, 1 px in for the frame the game's surface has and this one has not.
        using chromatta::BoardGrid;
        constexpr int width = BoardGrid::CellWidth;
        constexpr int height = BoardGrid::CellHeight;
        for (int column = 0; column < 13; ++column)
            for (int row = 0; row < 7; ++row)
                painter.fillRect(chromatta::WindowLayout::SurfaceFrame +
                                     BoardGrid::cellLeft(column),
                                 chromatta::WindowLayout::SurfaceFrame + BoardGrid::cellTop(row),
                                 width - 2, height - 2, QColor(200, 40, 40));
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Chromatta Zududo"));
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("Quit"));
    window.menuBar()->addMenu(QStringLiteral("&Help"));
    auto *client = new QWidget;
    using chromatta::WindowLayout;
    client->setFixedSize(WindowLayout::ClientWidth, WindowLayout::ClientHeight);
    auto *board = new Boxes(client);
    board->setGeometry(WindowLayout::SurfaceLeft, WindowLayout::SurfaceTop,
                       WindowLayout::SurfaceWidth, WindowLayout::SurfaceHeight);
    window.setCentralWidget(client);

    QTimer timer;
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.contains(QStringLiteral("--timer"))) {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(100);
        const bool repaint = arguments.contains(QStringLiteral("--repaint"));
        QObject::connect(&timer, &QTimer::timeout, [board, repaint] {
            if (repaint)
                board->update();
        });
        timer.start();
    }
    window.show();
    return QApplication::exec();
}
