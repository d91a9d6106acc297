// Shores on the field image, read back from its pixels. The pictures are plain: every tile
// one colour, every shore edge an opaque band of its own colour along one side.
#include <gtest/gtest.h>

#include <QPainter>

#include "play/FieldImage.h"
#include "tests/core/Fixture.h"

namespace morvik {
namespace {

const QColor kFoam(255, 255, 255), kRim(250, 200, 0);
constexpr int kBand = 3;

QColor TileColour(int k) { return QColor::fromHsv((k * 37) % 360, 200, 150); }

PictureStore PlainPictures() {
  PictureStore p;
  for (int k = 0; k < PictureStore::ElmCount; ++k) {
    QImage tile(32, 32, QImage::Format_ARGB32_Premultiplied);
    tile.fill(TileColour(k));
    p.SetElm(k, tile);
  }
  for (int i = 0; i < 8; ++i) {
    QImage edge(32, 32, QImage::Format_ARGB32_Premultiplied);
    edge.fill(Qt::transparent);
    QPainter painter(&edge);
    const QRect bands[4] = {{0, 0, kBand, 32}, {0, 0, 32, kBand}, {32 - kBand, 0, kBand, 32}, {0, 32 - kBand, 32, kBand}};
    painter.fillRect(bands[i % 4], i < 4 ? kFoam : kRim);
    p.SetShore(i, edge);
  }
  return p;
}

// What lies along each side of a cell: 'f' foam, 'r' rim, '-' the tile itself (middle of each edge).
std::string Edges(const FieldImage& f, int x, int y) {
  const QPoint at[4] = {{1, 16}, {16, 1}, {30, 16}, {16, 30}};
  std::string out;
  for (const QPoint& p : at) {
    const QColor c = f.Image().pixelColor(x * 32 + p.x(), y * 32 + p.y());
    out += c == kFoam ? 'f' : c == kRim ? 'r' : c == TileColour(0) ? '?' : '-';
  }
  return out;
}

struct ShoreCase {
  const char* name;
  std::vector<std::string> terrain;  // in the stage picture notation; the rest of the field is grass
  int x, y;
  std::string edges;                 // left, top, right, bottom
};

class FieldImageShores : public testing::TestWithParam<ShoreCase> {};
void PrintTo(const ShoreCase& c, std::ostream* os) { *os << c.name; }

std::vector<std::string> Grass(std::vector<std::string> rows) {
  rows.resize(10);
  for (auto& r : rows)
    while (r.size() < 20) r += ", ";
  return rows;
}

TEST_P(FieldImageShores, FullPaint) {
  const ShoreCase& c = GetParam();
  const PictureStore pictures = PlainPictures();
  FieldImage f(pictures);
  f.PaintAll(test::MakeBoard(Grass(c.terrain)));
  EXPECT_EQ(Edges(f, c.x, c.y), c.edges);
}

const ShoreCase kShoreCases[] = {
    {"LoneSandInGrass", {"", "", ", , , : , , , , , , "}, 3, 2, "rrrr"},
    {"SandOnBorderRimsTheOutside", {": , , , , , , , , , "}, 0, 0, "rrrr"},
    {"WaterInGrass", {"", ", ~ , "}, 1, 1, "ffff"},
    {"WaterOnBorderHasNoFoamOutside", {"~ , , , , , , , , , "}, 0, 0, "--ff"},
    {"WaterBesideSand", {"", ", ~ : "}, 1, 1, "ffff"},
    {"SandBesideWater", {"", ", ~ : "}, 2, 1, "rrrr"},
    {"TwoWatersShareNoLine", {"", ", ~ ~ , "}, 1, 1, "ff-f"},
    {"TwoSandsShareNoLine", {"", ", : : , "}, 2, 1, "-rrr"},
    {"CornerWater", {"", "", "", "", "", "", "", "", "", ", , , , , , , , , ~ "}, 9, 9, "ff--"},
    {"Grass", {}, 5, 5, "----"},
};
INSTANTIATE_TEST_SUITE_P(Cases, FieldImageShores, testing::ValuesIn(kShoreCases),
                         [](const testing::TestParamInfo<ShoreCase>& i) { return std::string(i.param.name); });

TEST(FieldImage, FieldOfWaterShowsNoFoam) {
  const PictureStore pictures = PlainPictures();
  FieldImage f(pictures);
  f.PaintAll(test::MakeBoard(std::vector<std::string>(10, "~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ")));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(Edges(f, x, y), "----") << x << "," << y;
}

TEST(FieldImage, BrokenIceBetweenWatersJoinsThem) {
  const PictureStore pictures = PlainPictures();
  FieldImage f(pictures);
  Board b = test::MakeBoard(Grass({"", ", ~ c ~ , "}));
  f.PaintAll(b);
  ASSERT_EQ(Edges(f, 1, 1), "ffff");
  b.T(2, 1) = cell::DeepWater;
  f.PaintTile(2, 1, cell::DeepWater);
  f.RenewShores(b, 2, 1);
  EXPECT_EQ(Edges(f, 1, 1), "ff-f");
  EXPECT_EQ(Edges(f, 2, 1), "-f-f");
  EXPECT_EQ(Edges(f, 3, 1), "-fff");
}

TEST(FieldImage, AFilledSandHoleLosesTheRimsAroundIt) {
  const PictureStore pictures = PlainPictures();
  FieldImage f(pictures);
  Board b = test::MakeBoard(Grass({"", ", : : : , ", ", : d : , ", ", : : : , "}));
  f.PaintAll(b);
  ASSERT_EQ(Edges(f, 1, 2), "r-r-") << "the sand left of the hole is rimmed towards it";
  ASSERT_TRUE(ShoresChange(cell::HoleSand, cell::FilledSand));
  EXPECT_FALSE(ShoresChange(cell::Sand, cell::FilledSand));
  b.T(2, 2) = cell::FilledSand;
  f.PaintTile(2, 2, cell::FilledSand);
  f.RenewShores(b, 2, 2);
  FieldImage fresh(pictures);
  fresh.PaintAll(b);
  EXPECT_EQ(f.Image(), fresh.Image()) << "as if painted afresh";
  EXPECT_EQ(Edges(f, 1, 2), "r---");
}

TEST(FieldImage, ShorePassOverASquarePartlyOffTheFieldStaysInside) {
  const PictureStore pictures = PlainPictures();
  FieldImage f(pictures);
  const Board b = test::MakeBoard(Grass({": , ", ", : "}));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) f.PaintTile(x, y, b.T(x, y));
  f.DrawShores(b, -1, -1, 2);  // covers (0, 0) but not (1, 1)
  EXPECT_EQ(Edges(f, 0, 0), "rrrr");
  EXPECT_EQ(Edges(f, 1, 1), "----");
}

}  // namespace
}  // namespace morvik
