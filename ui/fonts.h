// The fonts the windows ask for by their designed names, and the faces that stand in for them.
#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QString>

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

// The designed font of a control: a family, a size in points at 96 dots per inch, bold or not.
// The size is turned into pixels because the window's layout is fixed in pixels: a desktop set
// to a larger DPI must not push the texts out of their labels.
QFont designFont(const QString &family, double points, bool bold);

} // namespace chromatta::ui
