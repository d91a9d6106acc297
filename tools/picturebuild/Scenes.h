#pragma once
// The larger pictures that are drawn by code rather than by grids: the ending scenes.

#include <QImage>
#include <QString>

namespace morvik::art {

class Composer;

// Draws the scene of that name onto the canvas (its size is the picture's);
// false when there is no such scene.
bool drawScene(const QString& name, QImage& canvas, Composer& composer);

}  // namespace morvik::art
