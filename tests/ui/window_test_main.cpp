// The window tests' entry point: a QApplication on the offscreen platform unless one is chosen.
#include "support.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // No screen is needed, also when ctest lists the tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The tests close windows and run the event loop themselves.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return statusWithSkips(RUN_ALL_TESTS());
}
