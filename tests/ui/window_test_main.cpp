// The window tests' main: a QApplication on the offscreen platform around GoogleTest.
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
    return RUN_ALL_TESTS();
}
