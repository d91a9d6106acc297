#include "Review.h"

#include "TinyFont.h"

#include <QStringList>

#include <algorithm>

namespace morvik::art {

namespace {

const QRgb kSheet = qRgb(58, 58, 72);
const QRgb kLabel = qRgb(235, 235, 240);

void checker(QImage& img, int x, int y, int w, int h)
{
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx)
            pix::setPixel(img, x + xx, y + yy, ((xx / 8 + yy / 8) & 1) ? qRgb(200, 200, 208) : qRgb(168, 168, 180));
}

struct Placed {
    QString name;
    const QImage* image;
    int scale;
};

}  // namespace

QImage contactSheet(Composer& composer)
{
    std::vector<Placed> small, large;
    // By name, numbers in order: elm_00 ... elm_64, then the rest.
    std::vector<QString> names = composer.library().outputs();
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        auto key = [](const QString& s) {
            const int us = int(s.lastIndexOf('_'));
            bool ok = false;
            const int n = us < 0 ? 0 : s.mid(us + 1).toInt(&ok);
            return std::make_pair(ok ? s.left(us) : s, ok ? n : -1);
        };
        const auto ka = key(a), kb = key(b);
        if (ka.first != kb.first)
            return (ka.first == QLatin1String("elm")) != (kb.first == QLatin1String("elm")) ? ka.first == QLatin1String("elm")
                                                                                             : ka.first < kb.first;
        return ka.second < kb.second;
    });
    for (const QString& name : names) {
        const QImage& img = composer.image(name);
        if (img.width() <= 64 && img.height() <= 64)
            small.push_back({name, &img, img.width() <= 32 && img.height() <= 32 ? 2 : 1});
        else
            large.push_back({name, &img, 1});
    }
    const int sheetWidth = 1320, cellW = 88, cellH = 64 + 18, margin = 8;
    const int perRow = (sheetWidth - margin) / cellW;
    int height = margin + int((small.size() + perRow - 1) / perRow) * cellH + margin;
    // Large pictures flow in rows below.
    struct Spot { int x, y; };
    std::vector<Spot> spots;
    int x = margin, y = height, rowH = 0;
    for (const Placed& p : large) {
        const int w = p.image->width(), h = p.image->height() + 18;
        if (x + w > sheetWidth - margin && x > margin) {
            x = margin;
            y += rowH + margin;
            rowH = 0;
        }
        spots.push_back({x, y});
        x += w + margin;
        rowH = std::max(rowH, h);
    }
    height = y + rowH + margin;

    QImage sheet(sheetWidth, height, QImage::Format_ARGB32);
    sheet.fill(kSheet);
    for (size_t i = 0; i < small.size(); ++i) {
        const Placed& p = small[i];
        const int cx = margin + int(i % size_t(perRow)) * cellW, cy = margin + int(i / size_t(perRow)) * cellH;
        const int w = p.image->width() * p.scale, h = p.image->height() * p.scale;
        const int ox = cx + (cellW - 8 - w) / 2, oy = cy + (64 - h) / 2;
        checker(sheet, ox, oy, w, h);
        pix::draw(sheet, *p.image, ox, oy, p.scale);
        drawTinyText(sheet, cx + (cellW - 8 - tinyTextWidth(p.name, 2)) / 2, cy + 66, p.name, kLabel, 2);
    }
    for (size_t i = 0; i < large.size(); ++i) {
        const Placed& p = large[i];
        checker(sheet, spots[i].x, spots[i].y, p.image->width(), p.image->height());
        pix::draw(sheet, *p.image, spots[i].x, spots[i].y);
        drawTinyText(sheet, spots[i].x, spots[i].y + p.image->height() + 4, p.name, kLabel, 2);
    }
    return sheet;
}

namespace {

struct Chara {
    int x, y;
    const char* picture;
};

struct Field {
    const char* rows[10];
    std::vector<Chara> charas;
};

bool isWater(int c) { return c == 32 || c == 33; }
bool isSandy(int c) { return c == 21 || c == 36 || c == 62 || c == 55 || c == 57; }

QImage paintField(Composer& composer, const Field& f)
{
    int code[12][12];
    for (auto& row : code)
        for (int& c : row)
            c = 32;  // outside the field counts as water
    for (int y = 0; y < 10; ++y) {
        const QStringList cells = QString::fromLatin1(f.rows[y]).split(' ', Qt::SkipEmptyParts);
        for (int x = 0; x < 10; ++x)
            code[x + 1][y + 1] = cells.value(x, QStringLiteral("20")).toInt();
    }
    QImage img = pix::blank(320, 320);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            pix::draw(img, composer.image(QStringLiteral("elm_%1").arg(code[x + 1][y + 1], 2, 10, QChar('0'))), x * 32, y * 32);
    const int dx[4] = {-1, 0, 1, 0}, dy[4] = {0, -1, 0, 1};
    for (int y = 1; y <= 10; ++y)
        for (int x = 1; x <= 10; ++x) {
            const int c = code[x][y];
            for (int side = 0; side < 4; ++side) {
                const int n = code[x + dx[side]][y + dy[side]];
                if (isWater(c) && !isWater(n))
                    pix::draw(img, composer.image(QStringLiteral("shore_%1").arg(side)), (x - 1) * 32, (y - 1) * 32);
            }
            for (int side = 0; side < 4; ++side) {
                const int n = code[x + dx[side]][y + dy[side]];
                if (isSandy(c) && !isSandy(n))
                    pix::draw(img, composer.image(QStringLiteral("shore_%1").arg(side + 4)), (x - 1) * 32, (y - 1) * 32);
            }
        }
    for (const Chara& ch : f.charas)
        pix::draw(img, composer.image(QString::fromLatin1(ch.picture)), ch.x * 32, ch.y * 32);
    return img;
}

}  // namespace

QImage mockField(Composer& composer)
{
    const Field meadow{
        {"30 30 31 34 35 22 22 32 32 33",
         "30 20 20 22 22 22 14 32 33 33",
         "34 20 13 23 22 62 22 21 32 33",
         "35 20 20 25 28 22 22 21 21 32",
         "22 22 22 22 22 37 27 21 36 21",
         "22 26 24 29 22 22 22 21 39 55",
         "50 51 50 22 32 32 22 21 57 21",
         "50 63 51 22 32 33 32 21 21 21",
         "22 22 64 22 22 32 22 21 21 36",
         "34 35 22 22 22 22 22 22 21 21"},
        {{2, 2, "elm_17"}, {3, 1, "elm_10"}, {6, 2, "elm_11"}, {4, 4, "elm_12"}, {1, 3, "elm_15"},
         {4, 3, "elm_00"}, {4, 3, "shadow"}, {7, 8, "elm_10"}, {8, 3, "elm_11"}, {3, 8, "elm_12"},
         {0, 5, "gan_2"}, {6, 5, "elm_18"}, {2, 4, "guide_0"}, {5, 7, "inwater_3"}, {9, 9, "elm_40"}}};
    const Field winter{
        {"60 60 52 52 61 52 31 60 32 32",
         "52 52 52 38 54 52 52 52 32 33",
         "52 53 53 53 58 58 52 56 32 33",
         "52 53 53 58 33 58 52 52 32 32",
         "52 52 53 58 58 53 52 61 52 52",
         "64 52 52 52 28 52 52 52 34 52",
         "52 52 52 52 52 52 52 52 52 52",
         "50 50 50 51 52 37 52 39 21 21",
         "50 62 50 51 52 27 52 21 57 36",
         "50 50 50 51 52 52 52 21 21 55"},
        {{3, 1, "elm_17"}, {1, 2, "elm_41"}, {5, 4, "elm_48"}, {6, 4, "shadow"}, {5, 5, "elm_11"},
         {2, 6, "elm_10"}, {6, 6, "elm_12"}, {4, 7, "elm_15"}, {4, 3, "elm_16"}, {7, 1, "elm_43"},
         {8, 6, "elm_09"}, {2, 0, "elm_47"}, {3, 5, "guide_2"}, {6, 1, "guide_1"}}};
    QImage out(2 * 640 + 24, 640 + 16, QImage::Format_ARGB32);
    out.fill(kSheet);
    pix::draw(out, paintField(composer, meadow), 8, 8, 2);
    pix::draw(out, paintField(composer, winter), 640 + 16, 8, 2);
    return out;
}

}  // namespace morvik::art
