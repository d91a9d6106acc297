#include "Composer.h"

#include "Scenes.h"

#include <QHash>

namespace morvik::art {

namespace pix {

QRgb blend(QRgb dst, QRgb src)
{
    const int sa = qAlpha(src);
    if (sa == 255)
        return src;
    if (sa == 0)
        return dst;
    const int da = qAlpha(dst);
    const int oa = sa + da * (255 - sa) / 255;
    if (oa == 0)
        return qRgba(0, 0, 0, 0);
    auto mix = [&](int s, int d) { return (s * sa + d * da * (255 - sa) / 255 + oa / 2) / oa; };
    return qRgba(mix(qRed(src), qRed(dst)), mix(qGreen(src), qGreen(dst)), mix(qBlue(src), qBlue(dst)), oa);
}

void setPixel(QImage& img, int x, int y, QRgb colour)
{
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height())
        return;
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    line[x] = blend(line[x], colour);
}

void draw(QImage& dst, const QImage& src, int x, int y, int scale, bool flip)
{
    for (int sy = 0; sy < src.height(); ++sy) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        for (int sx = 0; sx < src.width(); ++sx) {
            const QRgb c = line[flip ? src.width() - 1 - sx : sx];
            if (qAlpha(c) == 0)
                continue;
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    setPixel(dst, x + sx * scale + dx, y + sy * scale + dy, c);
        }
    }
}

void outline(QImage& img, QRgb colour)
{
    const QImage before = img.copy();
    auto opaque = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < before.width() && y < before.height() && qAlpha(before.pixel(x, y)) != 0;
    };
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!opaque(x, y) && (opaque(x - 1, y) || opaque(x + 1, y) || opaque(x, y - 1) || opaque(x, y + 1)))
                img.setPixel(x, y, colour);
}

void fillRect(QImage& img, int x, int y, int w, int h, QRgb colour)
{
    for (int yy = std::max(0, y); yy < std::min(img.height(), y + h); ++yy)
        for (int xx = std::max(0, x); xx < std::min(img.width(), x + w); ++xx)
            setPixel(img, xx, yy, colour);
}

QImage greyed(const QImage& img)
{
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x];
            const int g = (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114 + 500) / 1000;
            line[x] = qRgba(g, g, g, qAlpha(c));
        }
    }
    return out;
}

QImage blank(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(qRgba(0, 0, 0, 0));
    return img;
}

}  // namespace pix

const QImage& Composer::image(const QString& name)
{
    if (const auto it = done_.find(name); it != done_.end())
        return it->second;
    const Recipe* r = lib_.find(name);
    if (!r)
        throw SourceError(QStringLiteral("(sources)"), 0, QStringLiteral("no image named %1").arg(name));
    if (building_.count(name))
        throw SourceError(r->file, r->line, QStringLiteral("%1 is drawn from itself").arg(name));
    building_.insert(name);
    QImage img = build(*r);
    building_.erase(name);
    return done_.emplace(name, std::move(img)).first->second;
}

QImage Composer::build(const Recipe& r)
{
    const Palette& pal = lib_.palette();
    QImage img = pix::blank(r.width, r.height);
    for (const Step& s : r.steps) {
        switch (s.kind) {
        case Step::Kind::Fill:
            img.fill(*pal.colour(s.key));
            break;
        case Step::Kind::Grid:
            for (int y = 0; y < s.grid.height; ++y)
                for (int x = 0; x < s.grid.width; ++x) {
                    const char k = s.grid.rows[size_t(y)][x];
                    if (k != '.')
                        pix::setPixel(img, x, y, *pal.colour(k));
                }
            break;
        case Step::Kind::Draw: {
            QImage src = image(s.ref);
            QHash<QRgb, QRgb> recolour;
            for (int k = 0; k < 128; ++k)
                if (s.keyMap[size_t(k)])
                    recolour.insert(*pal.colour(char(k)), *pal.colour(s.keyMap[size_t(k)]));
            if (!recolour.isEmpty()) {
                src = src.copy();
                for (int y = 0; y < src.height(); ++y)
                    for (int x = 0; x < src.width(); ++x)
                        if (const auto it = recolour.constFind(src.pixel(x, y)); it != recolour.constEnd())
                            src.setPixel(x, y, *it);
            }
            pix::draw(img, src, s.x, s.y, s.scale, s.flip);
            break;
        }
        case Step::Kind::Outline:
            pix::outline(img, *pal.colour(s.key));
            break;
        case Step::Kind::Code:
            if (!drawScene(s.ref, img, *this))
                throw SourceError(s.file, s.line, QStringLiteral("no scene named %1").arg(s.ref));
            break;
        }
    }
    return img;
}

}  // namespace morvik::art
