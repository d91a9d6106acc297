#include "Scenes.h"

#include "Composer.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>

namespace morvik::art {

namespace {

// The scenes are painted at half size, on a 300 x 200 sheet, from the palette and the
// game's own tiles and figures, then shown twice as large: so their pixels are the
// size of the title portrait's and they look like the rest of the game.
constexpr int kSheetW = 300, kSheetH = 200, kScale = 2;

// A fixed pseudo-random sequence, so that every build draws the same stars.
class Dice {
public:
    explicit Dice(uint32_t seed) : s_(seed) {}
    int below(int n)
    {
        s_ = s_ * 1664525u + 1013904223u;
        return int((s_ >> 8) % uint32_t(n));
    }

private:
    uint32_t s_;
};

class Sheet {
public:
    explicit Sheet(Composer& c) : c_(c), img_(pix::blank(kSheetW, kSheetH)) {}

    QRgb col(const char* name) const { return c_.palette().named(QString::fromLatin1(name)); }

    // Horizontal bands from colour to colour between the rows, blended with an ordered dither.
    void gradient(int y0, int y1, const std::vector<const char*>& names)
    {
        static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
        const int bands = int(names.size()) - 1;
        for (int y = y0; y < y1; ++y) {
            const double t = double(y - y0) / double(y1 - y0) * bands;
            const int b = std::min(bands - 1, int(t));
            const double f = t - b;
            for (int x = 0; x < kSheetW; ++x) {
                const bool next = f * 16.0 > bayer[y & 3][x & 3] + 0.5;
                pix::setPixel(img_, x, y, col(names[size_t(b + (next ? 1 : 0))]));
            }
        }
    }

    void ellipse(double cx, double cy, double rx, double ry, QRgb c)
    {
        for (int y = int(cy - ry) - 1; y <= int(cy + ry) + 1; ++y)
            for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
                const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
                if (dx * dx + dy * dy <= 1.0)
                    pix::setPixel(img_, x, y, c);
            }
    }

    // A crescent: the disc at (cx, cy) less the same-sized disc moved by (dx, dy).
    void crescent(double cx, double cy, double r, double dx, double dy, QRgb c)
    {
        for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y)
            for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x) {
                const double ax = x + 0.5 - cx, ay = y + 0.5 - cy, bx = ax - dx, by = ay - dy;
                if (ax * ax + ay * ay <= r * r && bx * bx + by * by > (r - 2) * (r - 2))
                    pix::setPixel(img_, x, y, c);
            }
    }

    // A cloud: puffs in white with a shaded underside.
    void cloud(int x, int y, int w)
    {
        const QRgb white = col("white"), shade = col("snow_mid");
        for (int pass = 0; pass < 2; ++pass)
            for (int i = 0; i <= w / 8; ++i) {
                const double px = x + i * 8.0, r = (i == w / 16 || i == w / 16 + 1) ? 8.0 : 5.5;
                ellipse(px, y - r / 2 + (pass ? 0 : 2), r * 1.2, r * 0.8, pass ? white : shade);
            }
    }

    // Rolling hills: the ground line rises and falls; everything below is filled.
    void hills(int base, double amp, double wave, double phase, QRgb fill, QRgb edge)
    {
        for (int x = 0; x < kSheetW; ++x) {
            const int top = base + int(std::lround(amp * std::sin(x / wave + phase) + amp / 3 * std::sin(x / (wave / 2.7) + phase * 2)));
            for (int y = top; y < kSheetH; ++y)
                pix::setPixel(img_, x, y, y == top ? edge : fill);
        }
    }

    void stamp(const char* name, int x, int y, bool flip = false, int scale = 1)
    {
        pix::draw(img_, c_.image(QString::fromLatin1(name)), x, y, scale, flip);
    }

    void tiles(const char* name, int y, int x0 = 0, int x1 = kSheetW)
    {
        for (int x = x0; x < x1; x += 32)
            stamp(name, x, y);
    }

    void stars(int count, int yMax, uint32_t seed)
    {
        Dice d(seed);
        for (int i = 0; i < count; ++i) {
            const int x = d.below(kSheetW), y = d.below(yMax);
            const bool big = d.below(6) == 0;
            pix::setPixel(img_, x, y, col(big ? "yellow_light" : "white"));
            if (big) {
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                    pix::setPixel(img_, x + dx, y + dy, col("yellow_mid"));
            }
        }
    }

    void put(QImage& canvas) const { pix::draw(canvas, img_, 0, 0, kScale); }

private:
    Composer& c_;
    QImage img_;
};

// The closing scene: a bright day on the meadow, everyone gathered, the hero cheering.
void daySheet(Sheet& s)
{
    s.gradient(0, 96, {"sky_mid", "sky_light", "sky_pale"});
    // the sun
    s.ellipse(246, 30, 17, 17, s.col("yellow_light"));
    s.ellipse(246, 30, 13, 13, s.col("white"));
    s.cloud(40, 30, 48);
    s.cloud(150, 18, 40);
    s.cloud(206, 58, 32);
    // far mountains and hills
    for (int x = -8; x < kSheetW; x += 26)
        s.stamp("snowy_mountain", x, 52 + ((x / 26) % 2) * 6, (x / 26) % 2 == 1);
    s.hills(80, 5, 23, 0.5, s.col("grass_dark"), s.col("grass_mid"));
    s.hills(92, 3, 17, 2.0, s.col("grass_mid"), s.col("grass_light"));
    s.tiles("grass", 100);
    s.tiles("grass", 132);
    s.tiles("grass", 164);
    // the village at the left, trees at the back
    s.stamp("cottage", 12, 74);
    s.stamp("firs", 44, 72);
    s.stamp("leafy_tree", 70, 76);
    s.stamp("firs", 214, 70);
    s.stamp("leafy_tree", 266, 74);
    // friends and flowers
    s.stamp("stump", 196, 116);
    s.stamp("mussan_small", 196, 96);
    s.stamp("gan_2", 232, 120);
    const char* flowers[][3] = {{"elm_10", "40", "112"}, {"elm_11", "70", "126"}, {"elm_10", "90", "100"},
                                {"elm_11", "176", "128"}, {"elm_10", "166", "104"}, {"elm_11", "18", "132"},
                                {"elm_10", "262", "130"}, {"elm_11", "244", "92"}};
    for (const auto& f : flowers)
        s.stamp(f[0], std::atoi(f[1]), std::atoi(f[2]));
    // the hero, nearest of all
    s.stamp("elm_40", 112, 98, false, 2);
}

void day(QImage& canvas, Composer& c)
{
    Sheet s(c);
    daySheet(s);
    s.put(canvas);
}

void dayGrey(QImage& canvas, Composer& c)
{
    Sheet s(c);
    daySheet(s);
    QImage colour = pix::blank(canvas.width(), canvas.height());
    s.put(colour);
    pix::draw(canvas, pix::greyed(colour), 0, 0);
}

// Evening at the lake: the hero on the shore watching the sun go down.
void evening(QImage& canvas, Composer& c)
{
    Sheet s(c);
    s.gradient(0, 72, {"dusk_purple", "dusk_pink", "dusk_orange", "yellow_light"});
    s.ellipse(196, 66, 20, 20, s.col("yellow_light"));
    s.ellipse(196, 66, 15, 15, s.col("white"));
    s.cloud(40, 20, 56);
    s.cloud(232, 30, 32);
    s.hills(60, 5, 29, 1.0, s.col("purple_dark"), s.col("dusk_purple"));
    // the lake
    s.tiles("water", 68);
    s.tiles("water", 100);
    for (int x = 0; x < kSheetW; x += 32)
        s.stamp("shore_1", x, 68);
    // the sun's glitter on the water
    for (int i = 0; i < 8; ++i)
        s.ellipse(196 + (i % 2 ? 4 : -3), 76 + i * 5, 13 - i, 1, s.col(i % 2 ? "yellow_light" : "white"));
    // the near shore of sand
    s.tiles("sand", 128);
    s.tiles("sand", 160);
    for (int x = 0; x < kSheetW; x += 32)
        s.stamp("shore_5", x, 128);
    s.stamp("cactus", 18, 112);
    s.stamp("adobe_house", 252, 110);
    s.stamp("elm_10", 70, 130);
    s.stamp("elm_11", 214, 132);
    s.stamp("mussan_small", 104, 118);
    s.stamp("elm_03", 132, 108, false, 2);
    s.put(canvas);
}

// A snowy night: stars over the village, the visitor asleep by the snowman.
void night(QImage& canvas, Composer& c)
{
    Sheet s(c);
    s.gradient(0, 110, {"night_deep", "night_dark", "night_mid"});
    s.stars(90, 90, 20240601u);
    // the moon, a crescent
    s.crescent(60, 36, 14, 6, -5, s.col("yellow_light"));
    for (int x = -10; x < kSheetW; x += 28)
        s.stamp("snowy_mountain", x, 70 + ((x / 28) % 2) * 5, (x / 28) % 2 == 0);
    s.hills(96, 4, 19, 0.3, s.col("snow_dark"), s.col("snow_mid"));
    s.tiles("snow", 104);
    s.tiles("snow", 136);
    s.tiles("snow", 168);
    s.tiles("ice", 168, 96, 224);
    s.stamp("cottage_lit", 20, 92);
    s.stamp("cottage_lit", 226, 96);
    s.stamp("firs", 60, 94);
    s.stamp("firs", 262, 100);
    s.stamp("snowman", 180, 108);
    s.stamp("gan_3", 206, 118);
    s.stamp("stump", 84, 124);
    s.stamp("mussan_small", 84, 104);
    s.stamp("elm_03", 116, 100, false, 2);
    s.put(canvas);
}

}  // namespace

bool drawScene(const QString& name, QImage& canvas, Composer& composer)
{
    using Fn = std::function<void(QImage&, Composer&)>;
    static const std::map<QString, Fn> scenes = {
        {QStringLiteral("ending_day"), day},
        {QStringLiteral("ending_day_grey"), dayGrey},
        {QStringLiteral("ending_evening"), evening},
        {QStringLiteral("ending_night"), night},
    };
    const auto it = scenes.find(name);
    if (it == scenes.end())
        return false;
    it->second(canvas, composer);
    return true;
}

}  // namespace morvik::art
