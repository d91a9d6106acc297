#pragma once
// The picture sources: named images, each a recipe of drawing steps, read from the
// ".pix" text files.
//
//   sprite NAME W H          a W x H grid of palette keys follows, one row a line;
//   ROWS...                  '.' is transparent
//
//   image NAME W H           an image built by the steps up to "end";
//   pic NAME W H             the same, and written out as NAME.png
//     fill K                 every pixel in colour K
//     grid                   a W x H grid follows; '.' leaves the pixel as it is
//     draw REF [X Y] [flip] [scale N] [map ab cd ...]
//                            draws image REF at (X, Y), mirrored left-right, enlarged
//                            N times, with key a drawn as key b; transparent pixels
//                            leave what lies below
//     outline K              paints K on every transparent pixel beside an opaque one
//     code SCENE             the scene SCENE drawn by the tool's own code
//   end
//
// Lines starting with '#' are comments. Rows may be indented.

#include "Palette.h"

#include <QString>

#include <array>
#include <map>
#include <vector>

namespace morvik::art {

struct Grid {
    int width = 0, height = 0;
    std::vector<QByteArray> rows;
};

struct Step {
    enum class Kind { Fill, Grid, Draw, Outline, Code };
    Kind kind = Kind::Fill;
    char key = '.';                 // Fill, Outline
    Grid grid;                      // Grid
    QString ref;                    // Draw: image; Code: scene
    int x = 0, y = 0, scale = 1;    // Draw
    bool flip = false;              // Draw
    std::array<char, 128> keyMap{}; // Draw: key -> key drawn; 0 = unchanged
    QString file;
    int line = 0;
};

struct Recipe {
    QString name;
    int width = 0, height = 0;
    bool output = false;
    std::vector<Step> steps;
    QString file;
    int line = 0;
};

class Library {
public:
    // Reads "palette.txt" and every "*.pix" file of the folder (in name order).
    static Library load(const QString& folder);
    // For tests and tools: the palette text and the sources as (file name, text).
    static Library parse(const QString& paletteText,
                         const std::vector<std::pair<QString, QString>>& sources);

    const Palette& palette() const { return palette_; }
    const Recipe* find(const QString& name) const;
    // The names of the pictures to write, in source order.
    const std::vector<QString>& outputs() const { return outputs_; }

private:
    void parseFile(const QString& file, const QString& text);

    Palette palette_;
    std::map<QString, Recipe> recipes_;
    std::vector<QString> outputs_;
};

}  // namespace morvik::art
