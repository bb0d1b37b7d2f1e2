// chromatta-zududo: the game. It takes no arguments of its own; Qt's are honoured.
#include "display_check.h"
#include "main_window.h"

#include <QApplication>
#include <QPointer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (const auto problem = chromatta::ui::displayProblem(argc, argv)) {
        std::fprintf(stderr,
                     "chromatta-zududo: %s; run it inside a desktop session, or with "
                     "QT_QPA_PLATFORM=offscreen to run it without one\n",
                     problem->c_str());
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Chromatta Zududo"));
    // Lets the desktop match the window with the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.chromatta_zududo.ChromattaZududo"));

    // The window deletes itself when closed; "Quit" may end the program before that happens.
    QPointer<chromatta::ui::MainWindow> window = new chromatta::ui::MainWindow;
    window->show();
    const int status = QApplication::exec();
    delete window.data();
    return status;
}
