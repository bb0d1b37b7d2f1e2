// The stand-in faces for the designed fonts, installed once per program.
#include "fonts.h"

#include <fontconfig/fontconfig.h>

#include <cmath>
#include <system_error>

namespace chromatta::ui {

void installFontSubstitutes()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    // Liberation Sans has the metrics of Arial and the look of the old MS Sans Serif;
    // DejaVu Sans is the nearest to Verdana's wide, open shapes. DejaVu has no Black face, so
    // "Arial Black" (asked for with the Black weight) comes out as DejaVu Sans Bold. The small
    // status text of "Small Fonts" stays legible in DejaVu Sans bold at its tiny size.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), LiberationSans);
    QFont::insertSubstitution(QStringLiteral("Arial"), LiberationSans);
    QFont::insertSubstitution(QStringLiteral("Verdana"), DejaVuSans);
    QFont::insertSubstitution(QStringLiteral("Arial Black"), DejaVuSans);
    QFont::insertSubstitution(QStringLiteral("Small Fonts"), DejaVuSans);
}

FontConfigurationAhead::FontConfigurationAhead()
{
    try {
        // FcInit's answer does not matter here: Qt asks again and handles a failure its way.
        read_ = std::async(std::launch::async, [] { FcInit(); });
    } catch (const std::system_error &) { }
}

FontConfigurationAhead::~FontConfigurationAhead()
{
    finish();
}

void FontConfigurationAhead::finish()
{
    if (read_.valid())
        read_.get();
}

QFont designFont(const QString &family, double points, bool bold)
{
    QFont font(family);
    font.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    if (family == QLatin1String("Arial Black"))
        font.setWeight(QFont::Black);
    return font;
}

} // namespace chromatta::ui
