// Checks the committed pictures and sounds that the window and the sound player load by name.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QStringList>
#include <QXmlStreamReader>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

const QDir Assets(QStringLiteral(CHROMATTA_ASSETS_DIR));

struct Picture
{
    const char *name;
    QSize size;
    bool doubled; // has a NAME@2x.png twin
};

const Picture Pictures[] = {
    {"background", {640, 480}, true},
    {"box-yellow", {45, 43}, true},
    {"box-red", {45, 43}, true},
    {"box-green", {45, 44}, true},
    {"box-violet", {43, 44}, true},
    {"box-yellow-highlighted", {45, 43}, true},
    {"box-red-highlighted", {45, 43}, true},
    {"box-green-highlighted", {45, 44}, true},
    {"box-violet-highlighted", {43, 44}, true},
    {"swatch-red", {31, 30}, true},
    {"swatch-violet", {29, 30}, true},
    {"swatch-green", {31, 30}, true},
    {"swatch-yellow", {31, 30}, true},
    {"emblem", {32, 32}, true},
    {"icon-32", {32, 32}, true},
    {"icon-48", {48, 48}, false},
    {"icon-64", {64, 64}, false},
    {"icon-128", {128, 128}, false},
    {"icon-256", {256, 256}, false},
};

QStringList resourceList()
{
    QFile file(Assets.filePath(QStringLiteral("images.qrc")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QStringList files;
    bool atRoot = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("qresource"))
            atRoot = xml.attributes().value(QLatin1String("prefix")) == QLatin1String("/");
        else if (xml.isStartElement() && xml.name() == QLatin1String("file") && atRoot)
            files.append(xml.readElementText());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return files;
}

QImage load(const QString &fileName)
{
    QImageReader reader(Assets.filePath(fileName));
    QImage image = reader.read();
    EXPECT_FALSE(image.isNull()) << fileName.toStdString() << ": "
                                 << reader.errorString().toStdString();
    return image;
}

// How white a pixel looks on the black board: its weakest channel. Any strong colour, yellow
// included, scores low; only a light, greyish pixel scores high.
int whitenessOnBlack(QRgb pixel)
{
    return qAlpha(pixel) * std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)}) / 255;
}

// The mean whiteness of the ring that starts one pixel inside the picture's edge and is two pixels
// wide (at 1x; scaled with the picture).
double ringWhiteness(const QImage &image, int scale)
{
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int inset = std::min({x, y, image.width() - 1 - x, image.height() - 1 - y});
            if (inset >= scale && inset < 3 * scale) {
                sum += whitenessOnBlack(image.pixel(x, y));
                ++count;
            }
        }
    }
    return sum / count;
}

TEST(PicturesTest, ResourceListNamesExactlyThePicturesInTheFolder)
{
    QStringList listed = resourceList();
    ASSERT_FALSE(listed.isEmpty());
    for (const QString &file : listed)
        EXPECT_TRUE(Assets.exists(file)) << file.toStdString() << " is listed but missing";

    QStringList present = Assets.entryList({QStringLiteral("*.png")}, QDir::Files);
    listed.sort();
    present.sort();
    EXPECT_EQ(listed.join(' ').toStdString(), present.join(' ').toStdString());
    EXPECT_EQ(listed.removeDuplicates(), 0);
}

TEST(PicturesTest, EachHasItsSizeAndItsTwinForDenseScreensIsExactlyDouble)
{
    QStringList expected;
    for (const Picture &picture : Pictures) {
        const QString name = QLatin1String(picture.name);
        expected << name + ".png";
        EXPECT_EQ(load(name + ".png").size(), picture.size) << picture.name;
        if (picture.doubled) {
            expected << name + "@2x.png";
            EXPECT_EQ(load(name + "@2x.png").size(), picture.size * 2) << picture.name;
        }
    }
    // No picture of an unknown size slips in.
    QStringList present = Assets.entryList({QStringLiteral("*.png")}, QDir::Files);
    expected.sort();
    present.sort();
    EXPECT_EQ(present.join(' ').toStdString(), expected.join(' ').toStdString());
}

TEST(PicturesTest, BoxesAndSwatchesShowTheColourOfTheirCode)
{
    struct Hue
    {
        const char *box;
        const char *swatch;
        int low, high; // hue range in degrees
    };
    const Hue hues[] = {{"box-yellow", "swatch-yellow", 38, 60},
                        {"box-red", "swatch-red", -10, 10},
                        {"box-green", "swatch-green", 100, 140},
                        {"box-violet", "swatch-violet", 260, 290}};
    for (const Hue &hue : hues) {
        for (const char *name : {hue.box, hue.swatch}) {
            const QImage image = load(QLatin1String(name) + ".png");
            // Below the mark, in the plain colour of the box.
            const QColor colour =
                QColor::fromRgb(image.pixel(image.width() / 2, image.height() * 85 / 100));
            int degrees = colour.hsvHue();
            if (degrees > 180 && hue.low < 0)
                degrees -= 360;
            EXPECT_GE(degrees, hue.low) << name;
            EXPECT_LE(degrees, hue.high) << name;
            EXPECT_GT(colour.hsvSaturation(), 120) << name;
        }
    }
}

TEST(PicturesTest, HighlightedBoxesStandOutByALightFrame)
{
    for (const char *colour : {"yellow", "red", "green", "violet"}) {
        for (int scale : {1, 2}) {
            const QString suffix = scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png");
            const QString plain = QStringLiteral("box-") + colour + suffix;
            const QString lit = QStringLiteral("box-") + colour + "-highlighted" + suffix;
            EXPECT_GT(ringWhiteness(load(lit), scale), ringWhiteness(load(plain), scale) + 60)
                << lit.toStdString();
        }
    }
}

struct Sound
{
    const char *name;
    double shortest, longest; // seconds
};

TEST(SoundsTest, AreShortModerate16BitPcmWavesThatStartAndEndInSilence)
{
    for (const Sound &sound : {Sound {"clearbox.wav", 0.05, 0.3}, Sound {"win.wav", 0.7, 1.5}}) {
        SCOPED_TRACE(sound.name);
        SF_INFO info {};
        SNDFILE *file =
            sf_open(QFile::encodeName(Assets.filePath(QLatin1String(sound.name))), SFM_READ, &info);
        ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
        EXPECT_EQ(info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_WAV);
        EXPECT_EQ(info.format & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_16);
        EXPECT_EQ(info.samplerate, 44100);
        EXPECT_TRUE(info.channels == 1 || info.channels == 2);
        const double seconds = double(info.frames) / info.samplerate;
        EXPECT_GT(seconds, sound.shortest);
        EXPECT_LT(seconds, sound.longest);

        std::vector<short> samples(std::size_t(info.frames) * std::size_t(info.channels));
        EXPECT_EQ(sf_readf_short(file, samples.data(), info.frames), info.frames);
        sf_close(file);
        ASSERT_FALSE(samples.empty());

        int peak = 0;
        for (short sample : samples)
            peak = std::max(peak, std::abs(int(sample)));
        const double peakDb = 20 * std::log10(peak / 32768.0);
        EXPECT_GT(peakDb, -12);
        EXPECT_LT(peakDb, -3);
        // Silence at both ends, so the sound neither starts nor stops with a click.
        EXPECT_LT(std::abs(int(samples.front())), 100);
        EXPECT_LT(std::abs(int(samples.back())), 100);
    }
}

} // namespace
