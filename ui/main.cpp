// chromatta-zududo: the game. It takes no arguments of its own; Qt's are honoured.
#include "descriptor_check.h"
#include "display_check.h"
#include "file_size_limit.h"
#include "fonts.h"
#include "main_window.h"
#include "memory_check.h"
#include "thread_check.h"

#include <QApplication>
#include <QPointer>

int main(int argc, char **argv)
{
    chromatta::ui::keepFileSizeLimitFromEndingTheGame();
    chromatta::ui::shareOneHeapUnderAnAddressSpaceLimit();
    if (!chromatta::ui::enoughAddressSpaceToStart() || !chromatta::ui::enoughDescriptorsToStart() ||
        !chromatta::ui::enoughThreadsToStart())
        return 1;
    // Qt starts its platform meanwhile.
    chromatta::ui::FontConfigurationAhead fonts;
    chromatta::ui::PlatformStartGuard guard;
    QApplication app(argc, argv);
    guard.finish();
    fonts.finish();
    if (const auto problem = chromatta::ui::screenProblem()) {
        chromatta::ui::reportDisplayProblem(*problem);
        return 1;
    }
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
