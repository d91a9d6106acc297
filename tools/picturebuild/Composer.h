#pragma once
// Turns the recipes of the library into images.

#include "Library.h"

#include <QImage>

#include <map>
#include <set>

namespace morvik::art {

class Composer {
public:
    explicit Composer(const Library& library) : lib_(library) {}

    // The finished image of that name (ARGB32, not premultiplied); built once, then kept.
    // Throws SourceError for a fault in its sources.
    const QImage& image(const QString& name);

    const Library& library() const { return lib_; }
    const Palette& palette() const { return lib_.palette(); }

private:
    QImage build(const Recipe& r);

    const Library& lib_;
    std::map<QString, QImage> done_;
    std::set<QString> building_;
};

// Pixel operations shared by the recipes, the scenes and the review sheets.
namespace pix {

// src over dst for one pixel, neither premultiplied.
QRgb blend(QRgb dst, QRgb src);
// Draws src at (x, y), enlarged `scale` times, optionally mirrored; blends by alpha.
void draw(QImage& dst, const QImage& src, int x, int y, int scale = 1, bool flip = false);
// Paints `colour` on every transparent pixel that has an opaque 4-neighbour.
void outline(QImage& img, QRgb colour);
// Fills a rectangle (clipped), blending by the colour's alpha.
void fillRect(QImage& img, int x, int y, int w, int h, QRgb colour);
void setPixel(QImage& img, int x, int y, QRgb colour);  // clipped, blending
// A grey-tone copy: each colour by its luminance, alpha kept.
QImage greyed(const QImage& img);
// A new, fully transparent ARGB32 image.
QImage blank(int w, int h);

}  // namespace pix

}  // namespace morvik::art
