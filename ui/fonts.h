// The fonts the windows ask for by their designed names, and the faces that stand in for them.
#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QString>

#include <future>

namespace chromatta::ui {

// Debian ships none of the faces the window was designed with. The stand-ins are chosen here
// and nowhere else; every control still asks for its designed family by name. Each window calls
// this before it builds its controls; only the first call does anything.
void installFontSubstitutes();

// The faces that stand in for the designed ones (Debian: fonts-dejavu-core, fonts-liberation2).
inline const QString DejaVuSans = QStringLiteral("DejaVu Sans");
inline const QString LiberationSans = QStringLiteral("Liberation Sans");
// The first stand-in this machine lacks, or nothing: the texts are sized for these faces.
inline QString missingStandInFont()
{
    for (const QString &family : {DejaVuSans, LiberationSans})
        if (!QFontDatabase::hasFamily(family))
            return family;
    return {};
}

// Reads the desktop's font configuration (fontconfig's files and caches) on a thread of its own
// from the moment this is made, while Qt starts its platform; Qt's own first question about fonts
// then finds it read. Without a thread to be had, nothing is read ahead and Qt reads the
// configuration itself, as it always would.
class FontConfigurationAhead
{
public:
    FontConfigurationAhead();
    ~FontConfigurationAhead();
    FontConfigurationAhead(const FontConfigurationAhead &) = delete;
    FontConfigurationAhead &operator=(const FontConfigurationAhead &) = delete;
    // Waits for the thread and ends it: a thread that has returned keeps its stack until then,
    // address space a game under a limit needs for its sounds.
    void finish();

private:
    std::future<void> read_;
};

// The designed font of a control: a family, a size in points at 96 dots per inch, bold or not.
// The size is turned into pixels because the window's layout is fixed in pixels: a desktop set
// to a larger DPI must not push the texts out of their labels.
QFont designFont(const QString &family, double points, bool bold);

} // namespace chromatta::ui
