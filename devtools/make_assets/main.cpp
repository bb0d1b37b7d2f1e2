// make_assets: draws every picture and synthesises both sounds of the game into one folder,
// together with the resource list of the pictures.
#include "make_assets.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>

namespace {

// The resource list: every picture at the root of the resources, ":/box-yellow.png" and so on.
void writeResourceList(const QDir &folder, QStringList pictures)
{
    pictures.sort();
    QFile file(folder.filePath(QStringLiteral("images.qrc")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw std::runtime_error("cannot write " + file.fileName().toStdString());
    QTextStream out(&file);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString &picture : pictures)
        out << "    <file>" << picture << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    out.flush();
    if (file.error() != QFileDevice::NoError)
        throw std::runtime_error("cannot write " + file.fileName().toStdString());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    // Nothing is shown: the pictures are painted into images.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QDir folder(QFile::decodeName(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "make_assets: cannot create %s\n", argv[1]);
        return 1;
    }
    try {
        using namespace chromatta::assets;
        PictureWriter writer(folder);
        writeBackground(writer);
        writeBoxes(writer);
        writeIcons(writer);
        writeResourceList(folder, writer.written());
        writeSounds(folder);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "make_assets: %s\n", error.what());
        return 1;
    }
    return EXIT_SUCCESS;
}
