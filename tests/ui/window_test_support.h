#pragma once

#include "board_surface.h"
#include "game.h"
#include "main_window.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Readable failure messages for the Qt values the tests compare.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QSize &size, std::ostream *out)
{
    *out << size.width() << " x " << size.height();
}
inline void PrintTo(const QPoint &point, std::ostream *out)
{
    *out << "(" << point.x() << ", " << point.y() << ")";
}
inline void PrintTo(const QRect &rect, std::ostream *out)
{
    *out << "(" << rect.x() << ", " << rect.y() << ") " << rect.width() << " x " << rect.height();
}

namespace chromatta::ui::test {

// Geometry of the drawn grid in pixels of the surface's inner area.
constexpr int GridLeft = 2, GridTop = 5, CellWidth = 47, CellHeight = 48;

// A board written as seven strings of thirteen codes, row 0 first.
inline Board boardOf(const std::vector<std::string> &rows)
{
    Board board;
    for (int row = 0; row < Board::Rows; ++row)
        for (int column = 0; column < Board::Columns; ++column)
            board.set(row, column, cellCodeFromChar(rows.at(row).at(column)).value());
    return board;
}

// A main window as the program creates it, shown, and deleted after the test unless it has
// closed itself.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = new MainWindow;
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    void TearDown() override { delete window.data(); }

    Game &game() { return window->game(); }
    BoardSurface *dest() { return window->findChild<BoardSurface *>(QStringLiteral("dest")); }
    QString text(const char *label)
    {
        const auto *widget = window->findChild<QLabel *>(QLatin1String(label));
        return widget ? widget->text() : QStringLiteral("<no label %1>").arg(label);
    }

    // A point inside the surface's frame, at the centre of a cell.
    QPoint cellCentre(int row, int column)
    {
        return dest()->contentsRect().topLeft() +
            QPoint(GridLeft + CellWidth * column + CellWidth / 2,
                   GridTop + CellHeight * row + CellHeight / 2);
    }

    // What the screen shows of the window now: no repaint is forced, so a frame that was never
    // handed to the screen is not seen either.
    QImage onScreen() { return window->screen()->grabWindow(window->winId()).toImage(); }

    // The pixels of one cell in an image taken by onScreen().
    QImage cell(const QImage &screen, int row, int column)
    {
        const qreal ratio = screen.devicePixelRatio();
        const QPoint topLeft = dest()->mapTo(window.data(), dest()->contentsRect().topLeft()) +
            QPoint(GridLeft + CellWidth * column, GridTop + CellHeight * row);
        return screen.copy(QRect(topLeft * ratio, QSize(CellWidth, CellHeight) * ratio));
    }

    static bool allBlack(const QImage &image)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != Qt::black)
                    return false;
        return true;
    }

    // Waits until the timer has ticked at least once more.
    void waitForTick()
    {
        auto &nmmc = *window->findChild<QLabel *>(QStringLiteral("Nmmc"));
        nmmc.setText(QString());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !nmmc.text().isEmpty(); }, 2000));
    }

    QPointer<MainWindow> window;
};

} // namespace chromatta::ui::test
