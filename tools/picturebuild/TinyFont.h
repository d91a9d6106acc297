#pragma once
// A 3 x 5 pixel font for the labels of the review sheets.

#include <QImage>
#include <QString>

namespace morvik::art {

// Draws text at (x, y), each font pixel `scale` pixels wide; returns the width drawn.
int drawTinyText(QImage& img, int x, int y, const QString& text, QRgb colour, int scale = 1);
int tinyTextWidth(const QString& text, int scale = 1);

}  // namespace morvik::art
