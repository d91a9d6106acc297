// The pictures of the program folder, as the build drew them: every file the picture
// loader asks for, its size and where it is see-through; and the picture builder's
// handling of its text sources.

#include "Composer.h"
#include "Library.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

QString pictureDir() { return QStringLiteral(MORVIK_PICTURE_DIR); }

QImage load(const QString& name)
{
    return QImage(QDir(pictureDir()).filePath(name + QStringLiteral(".png"))).convertToFormat(QImage::Format_ARGB32);
}

int alphaAt(const QImage& img, int x, int y) { return qAlpha(img.pixel(x, y)); }

int countPixels(const QImage& img, const std::function<bool(int, int)>& pred)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += pred(x, y) ? 1 : 0;
    return n;
}

// How a picture is see-through.
enum class Look {
    Opaque,     // every pixel solid
    Figure,     // see-through corners around a solid figure
    Sparse,     // see-through corners, something visible
    Empty,      // nothing at all
    ShoreLeft, ShoreTop, ShoreRight, ShoreBottom,  // a band along one edge only
};

struct Expected {
    std::string name;
    int width, height;
    Look look;
};

std::vector<Expected> everyPicture()
{
    std::vector<Expected> all;
    const std::set<int> terrain = {13, 14, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37,
                                   38, 39, 50, 51, 52, 53, 54, 55, 56, 57, 58, 60, 61, 62, 63, 64};
    for (int k = 0; k <= 64; ++k) {
        if (k == 59)
            continue;
        char name[8];
        std::snprintf(name, sizeof name, "elm_%02d", k);
        all.push_back({name, 32, 32, terrain.count(k) ? Look::Opaque : k == 17 ? Look::Empty : Look::Figure});
    }
    all.push_back({"shadow", 32, 32, Look::Sparse});
    const Look sides[4] = {Look::ShoreLeft, Look::ShoreTop, Look::ShoreRight, Look::ShoreBottom};
    for (int i = 0; i < 8; ++i)
        all.push_back({"shore_" + std::to_string(i), 32, 32, sides[i % 4]});
    for (int i = 0; i < 6; ++i)
        all.push_back({"inwater_" + std::to_string(i), 32, 32, i == 5 ? Look::Empty : Look::Sparse});
    for (int i = 0; i < 3; ++i)
        all.push_back({"guide_" + std::to_string(i), 32, 32, Look::Sparse});
    for (int i = 0; i < 4; ++i)
        all.push_back({"gan_" + std::to_string(i), 32, 32, Look::Figure});
    all.push_back({"advice", 32, 32, Look::Figure});
    all.push_back({"mussan", 64, 64, Look::Figure});
    all.push_back({"meter_frame", 144, 20, Look::Sparse});
    all.push_back({"edit_test", 32, 32, Look::Figure});
    all.push_back({"title_portrait", 144, 192, Look::Opaque});
    all.push_back({"eye_open", 64, 25, Look::Opaque});
    all.push_back({"eye_closed", 64, 25, Look::Opaque});
    all.push_back({"ending_0", 567, 325, Look::Opaque});
    all.push_back({"ending_1", 600, 400, Look::Opaque});
    all.push_back({"ending_2", 567, 325, Look::Opaque});
    all.push_back({"ending_3", 567, 325, Look::Opaque});
    all.push_back({"staff_1", 32, 32, Look::Figure});
    all.push_back({"staff_2", 32, 32, Look::Figure});
    for (int s : {16, 32, 48, 64, 128, 256})
        all.push_back({"icon_" + std::to_string(s), s, s, Look::Figure});
    return all;
}

// Distance of a pixel from the edge a shore picture belongs to.
int depthFromEdge(Look look, int x, int y, int w, int h)
{
    switch (look) {
    case Look::ShoreLeft: return x;
    case Look::ShoreTop: return y;
    case Look::ShoreRight: return w - 1 - x;
    default: return h - 1 - y;
    }
}

TEST(Pictures, EveryPictureExistsWithItsSizeAndSeeThroughParts)
{
    for (const Expected& e : everyPicture()) {
        SCOPED_TRACE(e.name);
        const QString name = QString::fromStdString(e.name);
        ASSERT_TRUE(QFileInfo::exists(QDir(pictureDir()).filePath(name + QStringLiteral(".png"))));
        const QImage img = load(name);
        ASSERT_FALSE(img.isNull());
        ASSERT_EQ(img.width(), e.width);
        ASSERT_EQ(img.height(), e.height);
        const int w = img.width(), h = img.height(), area = w * h;
        const int solid = countPixels(img, [&](int x, int y) { return alphaAt(img, x, y) == 255; });
        const int visible = countPixels(img, [&](int x, int y) { return alphaAt(img, x, y) > 0; });
        const bool cornersClear = alphaAt(img, 0, 0) == 0 && alphaAt(img, w - 1, 0) == 0 && alphaAt(img, 0, h - 1) == 0
                                  && alphaAt(img, w - 1, h - 1) == 0;
        switch (e.look) {
        case Look::Opaque:
            EXPECT_EQ(solid, area);
            break;
        case Look::Figure:
            EXPECT_TRUE(cornersClear);
            EXPECT_GE(solid, area / 8) << "the figure is too small or not solid";
            EXPECT_LT(visible, area) << "nothing around the figure is see-through";
            break;
        case Look::Sparse:
            EXPECT_TRUE(cornersClear);
            EXPECT_GT(visible, 0);
            break;
        case Look::Empty:
            EXPECT_EQ(visible, 0);
            break;
        default: {
            // Every pixel along the edge shows; nothing shows away from it.
            int edgeShown = 0, inland = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const int d = depthFromEdge(e.look, x, y, w, h);
                    if (d == 0 && alphaAt(img, x, y) > 0)
                        ++edgeShown;
                    if (d >= 6 && alphaAt(img, x, y) > 0)
                        ++inland;
                }
            EXPECT_EQ(edgeShown, 32);
            EXPECT_EQ(inland, 0);
        }
        }
    }
}

TEST(Pictures, OpenEyesMatchThePortraitAndClosedEyesDoNot)
{
    const QImage portrait = load(QStringLiteral("title_portrait"));
    const QImage open = load(QStringLiteral("eye_open"));
    const QImage closed = load(QStringLiteral("eye_closed"));
    ASSERT_FALSE(portrait.isNull());
    const QImage crop = portrait.copy(30, 40, 64, 25);
    EXPECT_EQ(open, crop);
    ASSERT_EQ(closed.size(), crop.size());
    const int changed = countPixels(closed, [&](int x, int y) { return closed.pixel(x, y) != crop.pixel(x, y); });
    EXPECT_GE(changed, 40) << "the closed eyes should clearly differ from the open ones";
}

// Solid pixels of a picture, ignoring see-through ones such as the ground shadow.
std::vector<bool> solidMask(const QImage& img)
{
    std::vector<bool> m;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            m.push_back(alphaAt(img, x, y) == 255);
    return m;
}

TEST(Pictures, YellowAndRedFlowersDifferInShapeNotOnlyInColour)
{
    const auto yellow = solidMask(load(QStringLiteral("elm_10")));
    const auto red = solidMask(load(QStringLiteral("elm_11")));
    ASSERT_EQ(yellow.size(), red.size());
    int differ = 0, either = 0;
    for (size_t i = 0; i < yellow.size(); ++i) {
        differ += yellow[i] != red[i];
        either += yellow[i] || red[i];
    }
    EXPECT_GE(differ * 5, either) << "their outlines overlap too much to tell them apart without colour";
}

// The colours a picture shows where it is solid.
std::set<QRgb> coloursOf(const QImage& img)
{
    std::set<QRgb> colours;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (alphaAt(img, x, y) == 255)
                colours.insert(img.pixel(x, y));
    return colours;
}

TEST(Pictures, AFilledHoleSharesNoColourWithALooseStone)
{
    // A stone pushed into a hole lies level with the ground; it must not be taken for a stone
    // that can still be pushed. Filled holes of light ground, grass, snow and sand, each with
    // the ground it is found in.
    const std::set<QRgb> stone = coloursOf(load(QStringLiteral("elm_12")));
    const std::pair<int, int> filledOnGround[] = {{23, 20}, {24, 22}, {54, 52}, {55, 21}};
    for (const auto& [filled, ground] : filledOnGround) {
        const std::set<QRgb> tile = coloursOf(load(QStringLiteral("elm_%1").arg(filled)));
        const std::set<QRgb> groundColours = coloursOf(load(QStringLiteral("elm_%1").arg(ground)));
        for (QRgb c : stone)
            EXPECT_FALSE(tile.count(c) && !groundColours.count(c))
                << "elm_" << filled << " shows the stone's colour " << std::hex << c;
    }
}

TEST(Pictures, JumpPadsAndSpikesShowNoLightGround)
{
    // These two tiles stand on snow, sand, boards and grass alike: no light ground may show
    // around them as a square of its own.
    const std::set<QRgb> ground = coloursOf(load(QStringLiteral("elm_20")));
    for (int tile : {28, 29}) {
        const std::set<QRgb> colours = coloursOf(load(QStringLiteral("elm_%1").arg(tile)));
        for (QRgb c : ground)
            EXPECT_FALSE(colours.count(c)) << "elm_" << tile << " shows the light ground's colour " << std::hex << c;
    }
}

TEST(Pictures, EveryPoseOfTheHeroIsItsOwnPicture)
{
    // standing, first foot, second foot, take-off, flight; facing left, up, right, down
    const int poses[5][4] = {{19, 3, 18, 0}, {8, 4, 6, 1}, {9, 5, 7, 2}, {42, 43, 44, 45}, {46, 47, 48, 49}};
    std::vector<std::pair<int, QImage>> all;
    for (const auto& row : poses)
        for (int k : row)
            all.emplace_back(k, load(QStringLiteral("elm_%1").arg(k, 2, 10, QChar('0'))));
    for (int k : {16, 40, 41})
        all.emplace_back(k, load(QStringLiteral("elm_%1").arg(k, 2, 10, QChar('0'))));
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            EXPECT_NE(all[i].second, all[j].second) << "poses " << all[i].first << " and " << all[j].first << " are the same picture";
}

TEST(Pictures, TheGreyClosingSceneIsTheColourSceneInGreyTones)
{
    const QImage colour = load(QStringLiteral("ending_0"));
    const QImage grey = load(QStringLiteral("ending_1"));
    ASSERT_FALSE(colour.isNull());
    ASSERT_FALSE(grey.isNull());
    EXPECT_EQ(countPixels(grey, [&](int x, int y) {
                  const QRgb c = grey.pixel(x, y);
                  return qRed(c) != qGreen(c) || qGreen(c) != qBlue(c);
              }),
              0);
    EXPECT_GT(countPixels(colour, [&](int x, int y) {
                  const QRgb c = colour.pixel(x, y);
                  return qRed(c) != qGreen(c) || qGreen(c) != qBlue(c);
              }),
              colour.width() * colour.height() / 2);
    // Grey by luminance (0.299 R + 0.587 G + 0.114 B) over the part both pictures show.
    int off = 0;
    for (int y = 0; y < colour.height(); ++y)
        for (int x = 0; x < colour.width(); ++x) {
            const QRgb c = colour.pixel(x, y);
            const double lum = 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
            off += std::abs(lum - qRed(grey.pixel(x, y))) > 1.0;
        }
    EXPECT_EQ(off, 0);
}

TEST(Pictures, TheMeterFrameLeavesTheStripClear)
{
    const QImage frame = load(QStringLiteral("meter_frame"));
    ASSERT_EQ(frame.size(), QSize(144, 20));
    EXPECT_EQ(countPixels(frame, [&](int x, int y) { return x >= 2 && x < 142 && y >= 2 && y < 18 && alphaAt(frame, x, y) > 0; }), 0);
    // The ring just around the strip is solid all the way round.
    EXPECT_EQ(countPixels(frame, [&](int x, int y) {
                  const bool ring = x >= 1 && x <= 142 && y >= 1 && y <= 18 && (x == 1 || x == 142 || y == 1 || y == 18);
                  return ring && alphaAt(frame, x, y) == 255;
              }),
              2 * 142 + 2 * 16);
}

// The builder itself: faults in a source are reported with their place, and the
// drawing steps do what the sources say.
using morvik::art::Composer;
using morvik::art::Library;

const char* kPalette = "# test\nk #000000 outline\nw #ffffff white\nr #ff0000 red\n";

QString faultOf(const QString& source)
{
    try {
        Library::parse(QString::fromLatin1(kPalette), {{QStringLiteral("t.pix"), source}});
    } catch (const std::exception& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

TEST(PictureBuilder, ReportsFaultsInASourceWithItsLine)
{
    const struct {
        const char* source;
        const char* fault;
    } cases[] = {
        {"sprite a 3 2\nkkk\nkk\n", "t.pix:3: row has 2 pixels, expected 3"},
        {"sprite a 2 1\nkz\n", "t.pix:2: unknown palette key 'z'"},
        {"sprite a 2 2\nkk\n", "grid ends after 1 of 2 rows"},
        {"pic a 2 2\n  draw b\nend\n", "t.pix:2: no image named b"},
        {"pic a 2 2\n  fill k\n", "has no end"},
        {"pic a 2 2\n  paint k\nend\n", "t.pix:2: unknown step: paint k"},
        {"sprite a 1 1\nk\nsprite a 1 1\nw\n", "t.pix:3: a is defined twice"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_TRUE(faultOf(QString::fromLatin1(c.source)).contains(QString::fromLatin1(c.fault)))
            << faultOf(QString::fromLatin1(c.source)).toStdString();
    }
    EXPECT_TRUE(faultOf(QStringLiteral("sprite a 1 1\nk\n")).isEmpty());
}

TEST(PictureBuilder, DrawsMirroredEnlargedAndRecolouredImages)
{
    const Library lib = Library::parse(QString::fromLatin1(kPalette),
                                       {{QStringLiteral("t.pix"),
                                         QStringLiteral("sprite a 2 1\nk.\n"
                                                        "pic b 4 3\n  fill w\n  draw a 0 1 scale 2 flip map kr\nend\n"
                                                        "pic c 3 3\n  draw a 1 1\n  outline r\nend\n")}});
    ASSERT_EQ(lib.outputs().size(), 2u);
    Composer comp(lib);
    const QImage& b = comp.image(QStringLiteral("b"));
    // "k." mirrored is ".k"; twice as large from (0, 1) it fills x 2..3, y 1..2, in red.
    const QRgb W = qRgb(255, 255, 255), R = qRgb(255, 0, 0);
    const QRgb expectB[3][4] = {{W, W, W, W}, {W, W, R, R}, {W, W, R, R}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(b.pixel(x, y), expectB[y][x]) << x << "," << y;
    // The outline goes round the one solid pixel at (1, 1), and corners stay clear.
    const QImage& c = comp.image(QStringLiteral("c"));
    EXPECT_EQ(c.pixel(1, 1), qRgb(0, 0, 0));
    for (auto [x, y] : {std::pair{0, 1}, {2, 1}, {1, 0}, {1, 2}})
        EXPECT_EQ(c.pixel(x, y), R);
    for (auto [x, y] : {std::pair{0, 0}, {2, 0}, {0, 2}, {2, 2}})
        EXPECT_EQ(qAlpha(c.pixel(x, y)), 0);
}

TEST(PictureBuilder, RefusesAnImageDrawnFromItself)
{
    const Library lib = Library::parse(QString::fromLatin1(kPalette),
                                       {{QStringLiteral("t.pix"),
                                         QStringLiteral("image a 1 1\n  draw b\nend\nimage b 1 1\n  draw a\nend\n")}});
    Composer comp(lib);
    EXPECT_THROW(comp.image(QStringLiteral("a")), morvik::art::SourceError);
}

}  // namespace
