// Prints the folder Qt reports as the program's, which the game's sounds are looked up in.
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    const QCoreApplication application(argc, argv);
    std::puts(qPrintable(QCoreApplication::applicationDirPath()));
    return 0;
}
