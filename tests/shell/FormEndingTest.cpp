// The ending on virtual time: when each step of the show begins and what it shows, the
// caption and its colours, the credit lines typed letter by letter with their places and
// colours, the icons, the dissolves on the pixels, Esc, and leaving.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <set>

#include "platform/Fonts.h"
#include "platform/VirtualScheduler.h"
#include "shell/FormEnding.h"
#include "tests/play/PlayFixture.h"

namespace morvik {
namespace {

constexpr int W = 571, H = 329;
constexpr int kBlockW = 60, kBlockH = 40;  // the display picture's dissolve blocks
const QRgb kGrey = qRgb(0x30, 0x0f, 0x00);     // the display picture, box 1
const QRgb kSecond = qRgb(0x0c, 0xf0, 0x01);   // box 2
const QRgb kThird = qRgb(0x81, 0x42, 0x24);    // box 3
const QRgb kIconA = qRgb(200, 30, 40), kIconB = qRgb(20, 40, 220);

QImage Solid(QSize size, QRgb colour) {
  QImage img(size, QImage::Format_ARGB32);
  img.fill(colour);
  return img;
}

struct EndingFixture {
  EndingFixture() {
    // The face the program puts in place of the one the screens name (as main does).
    morvik::InstallCaptionFace();
    Solid({567, 325}, qRgb(90, 160, 60)).save(dir.filePath("ending_0.png"));
    Solid({600, 400}, kGrey).save(dir.filePath("ending_1.png"));
    Solid({567, 325}, kSecond).save(dir.filePath("ending_2.png"));
    Solid({567, 325}, kThird).save(dir.filePath("ending_3.png"));
    // Icons: a solid square with a transparent corner, which shows the white ground.
    for (auto [name, colour] : {std::pair{"staff_1.png", kIconA}, std::pair{"staff_2.png", kIconB}}) {
      QImage icon = Solid({32, 32}, colour);
      icon.setPixel(0, 0, qRgba(0, 0, 0, 0));
      icon.save(dir.filePath(name));
    }
    pictures.LoadFrom(dir.path());
    form = std::make_unique<FormEnding>(platform, [this] {
      ++randomCalls;
      if (fixedRandom >= 0) return fixedRandom;
      if (!randoms.empty()) {
        const double r = randoms.front();
        randoms.pop_front();
        return r;
      }
      seed = seed * 1103515245u + 12345u;
      return ((seed >> 8) & 0xffff) / 65536.0;
    });
    form->hooks.endProgram = [this] { ++ended; };
    form->show();
    form->Start();
  }
  QLabel* Label(const QString& name) {
    auto* l = form->findChild<QLabel*>(name);
    EXPECT_NE(l, nullptr) << name.toStdString();
    return l;
  }
  QWidget* Box(const QString& name) {
    auto* w = form->findChild<QWidget*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  QLabel* Staff(int i) { return Label(QStringLiteral("LabelStaff%1").arg(i)); }
  bool Shown(const QString& name) { return Box(name)->isVisible(); }
  void Esc() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &press);
  }
  // Runs on until the show reaches the step, nothing is left to run, or longer than the whole
  // show would take; returns the time.
  std::int64_t RunTo(int step) {
    const std::int64_t limit = scheduler.Now() + 200'000;
    while (form->EndingStep() < step && !scheduler.Idle() && scheduler.Now() < limit) scheduler.Advance(1);
    EXPECT_GE(form->EndingStep(), step) << "the show stopped short";
    return scheduler.Now();
  }

  QTemporaryDir dir;
  VirtualScheduler scheduler;
  RecordingSound sound;
  test::AnsweringMessages messages;
  PictureStore pictures;
  Platform platform{scheduler, sound, messages, pictures};
  std::deque<double> randoms;  // the random values to give next; then a generator of its own
  double fixedRandom = -1;     // when set, the only value given
  int randomCalls = 0;
  unsigned seed = 7;
  int ended = 0;
  std::unique_ptr<FormEnding> form;
};

// When each step begins, from the timings of the show: 7 s rest; the caption 800 ms a step;
// 10 s red and 3 s grey; " STAFF " 4 s and 1 s; each credit line typed one letter per 50 ms
// and one tick more, then 1.5 s and the next tick (800 ms), or 4 s more after a group's last
// line; the dissolves 99 × 5 ms and 99 × 1 ms, 8 s, again, 2 s and a tick; the closing line
// typed letter by letter, one tick more.
std::vector<std::int64_t> StepStarts() {
  std::vector<std::int64_t> at;  // at[s]: when step s begins
  std::int64_t t = 7000;
  for (int s = 0; s <= 5; ++s) at.push_back(t += 800);
  at.push_back(t += 10000 + 3000 + 800);  // 6
  at.push_back(t += 4000 + 1000 + 800);   // 7
  for (int g = 0; g < 3; ++g)
    for (int idx = 0; idx < FormEnding::CreditCount(g); ++idx) {
      const bool last = idx == FormEnding::CreditCount(g) - 1;
      at.push_back(t += 50 * (FormEnding::CreditLine(g, idx).size() + 1) + 1500 + (last ? 4000 : 800));
    }
  at.push_back(t += 99 * 5 + 99 * 1 + 8000 + 99 * 5 + 99 * 1 + 2000 + 800);  // 18
  at.push_back(t += 50 * (23 + 1));                                         // 19
  return at;
}

TEST(FormEnding, CreditRolesAreTheFixedTexts) {
  const std::vector<std::pair<std::pair<int, int>, QString>> roles = {
      {{0, 0}, " GAME DESIGN "}, {{0, 1}, " PROGRAM "},     {{0, 2}, " MUSIC "},
      {{1, 0}, " ARTS "},        {{1, 1}, " GAME DESIGN "}, {{2, 0}, "Special Thanks to:"},
  };
  for (const auto& [where, text] : roles) EXPECT_EQ(FormEnding::CreditLine(where.first, where.second), text);
  EXPECT_EQ(FormEnding::CreditCount(0), 4);
  EXPECT_EQ(FormEnding::CreditCount(1), 3);
  EXPECT_EQ(FormEnding::CreditCount(2), 3);
  for (int g = 0; g < 3; ++g)
    EXPECT_FALSE(FormEnding::CreditLine(g, FormEnding::CreditCount(g) - 1).trimmed().isEmpty()) << "a name in group " << g;
}

TEST(FormEnding, WindowIsBorderlessAndTakesTheSceneSize) {
  EndingFixture f;
  EXPECT_EQ(f.form->size(), QSize(W, H));
  EXPECT_TRUE(f.form->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(f.form->windowTitle(), "モルビク -Morvik-");
  EXPECT_EQ(f.Box("PicEnding1")->size(), QSize(600, 400));
  EXPECT_EQ(f.Box("PicEnding1")->pos(), QPoint(0, 0));
  EXPECT_EQ(f.form->Picture(1).pixel(10, 10), kGrey);
}

TEST(FormEnding, EveryStepBeginsOnTimeAndTheShowThenRests) {
  EndingFixture f;
  const std::vector<std::int64_t> at = StepStarts();
  ASSERT_EQ(at.size(), 20u);
  f.scheduler.Advance(6999);
  EXPECT_FALSE(f.Shown("LabelHappy")) << "the colour scene rests 7 s first";
  EXPECT_TRUE(f.Shown("PicEnding0"));
  f.scheduler.Advance(1);
  EXPECT_TRUE(f.Shown("LabelHappy"));
  EXPECT_EQ(f.Label("LabelHappy")->text(), "") << "shown still empty";
  for (int step = 0; step < 20; ++step) {
    f.scheduler.Advance(at[step] - 1 - f.scheduler.Now());
    EXPECT_EQ(f.form->EndingStep(), step - 1) << "just before step " << step;
    f.scheduler.Advance(1);
    EXPECT_EQ(f.form->EndingStep(), step) << "at " << at[step];
    // The colour scene until the caption is done, the display picture from then on.
    EXPECT_EQ(f.Shown("PicEnding0"), step <= 5) << step;
    EXPECT_EQ(f.Shown("PicEnding1"), step > 5) << step;
    EXPECT_EQ(f.Shown("LabelHappy"), step <= 5) << step;
    EXPECT_EQ(f.Shown("LabelEsc"), step == 19) << step;
  }
  EXPECT_FALSE(f.form->Pending()) << "nothing runs once the hint shows";
  EXPECT_EQ(f.scheduler.RunUntilIdle(), 0);
  EXPECT_EQ(f.form->EndingStep(), 19);
  EXPECT_EQ(f.Staff(0)->text(), "Thank You For Playing !");
  EXPECT_EQ(f.Label("LabelEsc")->text(), "[ESC]:終了");
  // The hint in the bottom right corner; the closing line centred by the width it had before.
  QLabel* esc = f.Label("LabelEsc");
  EXPECT_EQ(esc->geometry().bottomRight(), QPoint(W - 1, H - 1));
  EXPECT_EQ(f.sound.effects, (std::vector<int>{4, 20, 20}));
}

TEST(FormEnding, GreyPictureTurnsTenSecondsAfterTheCaptionAndStaffShowsFourSeconds) {
  EndingFixture f;
  const std::int64_t t5 = f.RunTo(5);
  f.scheduler.Advance(9999);
  EXPECT_TRUE(f.Shown("LabelHappy"));
  f.scheduler.Advance(1);
  EXPECT_FALSE(f.Shown("LabelHappy"));
  EXPECT_TRUE(f.Shown("PicEnding1"));
  EXPECT_FALSE(f.Shown("PicEnding0"));
  const std::int64_t t6 = f.RunTo(6);
  EXPECT_EQ(t6 - t5, 13800);
  QLabel* staff = f.Staff(0);
  EXPECT_TRUE(staff->isVisible());
  EXPECT_EQ(staff->text(), " STAFF ");
  // Centred by its size before the caption: its first caption is the same text.
  EXPECT_NEAR(staff->x() + staff->width() / 2.0, W / 2.0, 0.5);
  EXPECT_NEAR(staff->y() + staff->height() / 2.0, H / 2.0, 0.5);
  f.scheduler.Advance(3999);
  EXPECT_TRUE(staff->isVisible());
  f.scheduler.Advance(1);
  EXPECT_FALSE(staff->isVisible());
}

TEST(FormEnding, CaptionGrowsFromTheMiddleAndFlickersInRandomColours) {
  EndingFixture f;
  f.scheduler.Advance(7799);
  EXPECT_EQ(f.randomCalls, 0) << "before the first step the flicker does nothing";
  QLabel* happy = f.Label("LabelHappy");
  const QRect placed = happy->geometry();
  EXPECT_NEAR(placed.x() + placed.width() / 2.0, W / 2.0, 0.5);
  EXPECT_EQ(placed.top(), 41) << "H / 8";

  const char* captions[5] = {"ULAT", "ATULATIO", "GRATULATIONS", "ONGRATULATIONS !", " CONGRATULATIONS !! "};
  // Random values and the palette colour they pick: k = the integer part of r × 15.
  const std::vector<std::pair<double, QColor>> flicker = {
      {0.0, QColor(0, 0, 0)},           {0.07, QColor(0, 0, 128)},    {0.2, QColor(0, 128, 128)},
      {0.5, QColor(192, 192, 192)},     {0.55, QColor(128, 128, 128)}, {0.75, QColor(0, 255, 255)},
      {0.8, QColor(255, 0, 0)},         {0.87, QColor(255, 0, 255)},   {0.9999, QColor(255, 255, 0)},
  };
  size_t next = 0;
  for (int step = 0; step <= 4; ++step) {
    for (int tick = 0; tick < 16; ++tick) {
      const auto& [r, colour] = flicker[next++ % flicker.size()];
      f.randoms = {r};
      f.scheduler.Advance(tick == 0 ? (step == 0 ? 1 : 50) : 50);
      EXPECT_EQ(f.form->EndingStep(), step);
      EXPECT_TRUE(f.randoms.empty()) << "one colour per 50 ms tick";
      EXPECT_EQ(happy->palette().color(QPalette::WindowText), colour) << "r = " << r;
      EXPECT_EQ(happy->geometry(), placed) << "the caption stays where it was placed";
    }
    EXPECT_EQ(happy->text(), captions[step]);
  }
  // Step 5: red for good, effect 4, no more flicker.
  f.scheduler.Advance(50);
  EXPECT_EQ(f.form->EndingStep(), 5);
  EXPECT_EQ(happy->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(f.sound.effects, std::vector<int>{4});
  EXPECT_FALSE(f.form->TimerStringShineEnabled());
  EXPECT_FALSE(f.form->TimerEndingEnabled());
  const int calls = f.randomCalls;
  f.scheduler.Advance(9000);
  EXPECT_EQ(f.randomCalls, calls);
  EXPECT_EQ(happy->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(happy->palette().color(QPalette::Window), QColor(255, 255, 192));
}

TEST(FormEnding, CreditLineIsTypedOneLetterEachFiftyMilliseconds) {
  EndingFixture f;
  const std::int64_t t7 = f.RunTo(7);
  QLabel* line = f.Staff(0);
  EXPECT_TRUE(line->isVisible());
  EXPECT_EQ(line->text(), "");
  EXPECT_EQ(f.form->RevealText(), " GAME DESIGN ");
  for (int k = 1; k <= 13; ++k) {
    f.scheduler.Advance(50);
    EXPECT_EQ(line->text(), QString(" GAME DESIGN ").left(k));
  }
  // The fourteenth tick finds the line complete; the 1.5 s pause begins there.
  f.scheduler.Advance(50);
  EXPECT_EQ(line->text(), " GAME DESIGN ");
  EXPECT_EQ(f.form->RevealLen(), 0);
  f.scheduler.Advance(1499);
  EXPECT_FALSE(f.form->TimerEndingEnabled());
  f.scheduler.Advance(1);
  EXPECT_TRUE(f.form->TimerEndingEnabled());
  EXPECT_FALSE(f.form->TimerStringShineEnabled());
  EXPECT_EQ(f.scheduler.Now() - t7, 14 * 50 + 1500);
  f.scheduler.Advance(799);
  EXPECT_EQ(f.form->EndingStep(), 7);
  f.scheduler.Advance(1);
  EXPECT_EQ(f.form->EndingStep(), 8);
  EXPECT_TRUE(line->isVisible()) << "the lines of a group stay together";
  EXPECT_EQ(f.Staff(1)->text(), "");
}

TEST(FormEnding, EachCreditLineIsPlacedAndColouredByItsGroup) {
  // Step, label, its text and ground colours, and what the line adds to the place of a
  // centred line: names go right by W / 2.5, and down below their roles but never over the
  // figures of the scene (their heads from 58 % of its height down), a group's names H / 8 apart.
  struct Row {
    int step, idx;
    QColor text, ground;
    double dx, dy;
  };
  const QColor black(0, 0, 0), white(255, 255, 255);
  const std::vector<Row> rows = {
      {7, 0, QColor(255, 255, 0), black, 0, 0},     {8, 1, QColor(0, 255, 255), black, 0, 0},
      {9, 2, QColor(0, 255, 0), black, 0, 0},       {10, 3, QColor(0, 0, 128), white, W / 2.5, H / 6.0},
      {11, 0, QColor(255, 0, 0), black, 0, 0},      {12, 1, QColor(255, 255, 0), black, 0, 0},
      {13, 2, QColor(0, 255, 0), white, W / 2.5, H / 4.0}, {14, 0, white, black, 0, 0},
      {15, 1, black, white, W / 2.5, H / 4.0},      {16, 2, black, white, W / 2.5, H / 4.0},
  };
  EndingFixture f;
  for (const Row& r : rows) {
    f.RunTo(r.step - 1);
    QLabel* label = f.Staff(r.idx);
    const QSize before = label->size();
    f.RunTo(r.step);
    const double left = W / 3.0 - before.width() / 2.0 + r.dx;
    const double top = H / 3.0 - before.height() / 2.0 + H * (r.idx - 1) / 8.0;
    if (r.dx == 0) {
      EXPECT_EQ(label->pos(), QPoint(qRound(left), qRound(top))) << "step " << r.step;
    } else {
      EXPECT_EQ(label->x(), qRound(left)) << "step " << r.step;
      EXPECT_LE(label->geometry().bottom(), qRound(H * 0.58)) << "over the figures at step " << r.step;
      EXPECT_GT(label->y(), qRound(top - H / 8.0)) << "below the line before it at step " << r.step;
      EXPECT_LE(label->y(), qRound(top + r.dy)) << "step " << r.step;
      if (r.step == 16) {
        EXPECT_EQ(label->y() - f.Staff(1)->y(), qRound(H / 8.0)) << "the names of a group keep their rows";
      }
    }
    EXPECT_TRUE(label->isVisible()) << r.step;
    EXPECT_EQ(label->palette().color(QPalette::WindowText), r.text) << r.step;
    EXPECT_EQ(label->palette().color(QPalette::Window), r.ground) << r.step;
    EXPECT_TRUE(label->autoFillBackground()) << "opaque";
    // The line lies inside the window once typed.
    f.scheduler.Advance(50 * (f.form->RevealText().size() + 1));
    EXPECT_EQ(label->text(), f.form->RevealText());
    EXPECT_TRUE(QRect(0, 0, W, H).contains(label->geometry())) << r.step;
  }
}

TEST(FormEnding, IconShowsBesideTheNameWithEffectTwentyThenTheGroupClears) {
  struct Row {
    int step, idx;
    QRgb icon;  // 0: the group has no icon
  };
  const std::vector<Row> rows = {{10, 3, kIconA}, {13, 2, kIconB}, {16, 2, 0}};
  EndingFixture f;
  int icons = 0;
  for (const Row& r : rows) {
    const std::int64_t t = f.RunTo(r.step);
    QLabel* name = f.Staff(r.idx);
    QWidget* icon = f.Box("PicStaff0");
    const int typed = 50 * (f.form->RevealText().size() + 1);
    f.scheduler.Advance(typed + 1499);
    EXPECT_FALSE(icon->isVisible());
    EXPECT_EQ(f.sound.effects.size(), 1u + icons);
    f.scheduler.Advance(1);
    if (r.icon) {
      ++icons;
      EXPECT_TRUE(icon->isVisible()) << r.step;
      EXPECT_EQ(f.sound.effects.back(), 20);
      EXPECT_EQ(icon->pos(), QPoint(name->x() + name->width() + 3, name->y()));
      EXPECT_TRUE(QRect(0, 0, W, H).contains(icon->geometry())) << r.step;
      const QImage shown = icon->grab().toImage();
      EXPECT_EQ(shown.pixel(16, 16), r.icon);
      EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 255, 255)) << "the icon stands on white";
    } else {
      EXPECT_FALSE(icon->isVisible());
    }
    EXPECT_EQ(f.sound.effects.size(), 1u + icons);
    // 4 s with the whole group, then it clears and the next step begins at once.
    f.scheduler.Advance(3999);
    EXPECT_TRUE(name->isVisible());
    EXPECT_EQ(f.form->EndingStep(), r.step);
    f.scheduler.Advance(1);
    EXPECT_FALSE(icon->isVisible());
    // Only the next group's first line, if there is one.
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f.Staff(i)->isVisible(), i == 0 && r.step + 1 < 17) << r.step << " " << i;
    EXPECT_EQ(f.form->EndingStep(), r.step + 1);
    EXPECT_EQ(f.scheduler.Now() - t, typed + 1500 + 4000);
  }
}

// How many of the display picture's blocks show the colour at a point of theirs (by default
// the middle).
int BlocksOf(const QImage& img, QRgb colour, QPoint in = {kBlockW / 2, kBlockH / 2}) {
  int n = 0;
  for (int m = 0; m < 10; ++m)
    for (int o = 0; o < 10; ++o) n += img.pixel(m * kBlockW + in.x(), o * kBlockH + in.y()) == colour;
  return n;
}

TEST(FormEnding, FadeInOrsThePictureOntoTheDisplayBlockByBlock) {
  EndingFixture f;
  f.form->Stop();
  int done = 0;
  f.form->FadeIn(2, [&] { ++done; });
  const QRgb ored = kGrey | kSecond;  // 3c ff 01
  // Blocks by their top left pixel: the bottom row lies below the 325-pixel-high picture and
  // takes nothing from it.
  int shown = BlocksOf(f.form->Picture(1), ored, {0, 0});
  EXPECT_LE(shown, 1) << "the first block at once";
  for (int k = 2; k <= 100; ++k) {
    EXPECT_EQ(done, 0);
    f.scheduler.Advance(1);
    const int now = BlocksOf(f.form->Picture(1), ored, {0, 0});
    EXPECT_LE(now - shown, 1) << "one block per millisecond";
    EXPECT_GE(now, shown);
    shown = now;
  }
  EXPECT_EQ(shown, 90);
  EXPECT_EQ(f.scheduler.Now(), 99);
  EXPECT_EQ(done, 1);
  EXPECT_TRUE(f.scheduler.Idle());
  // Within the picture's 567 × 325 the OR of both; beyond it the display picture as it was.
  const QImage& img = f.form->Picture(1);
  EXPECT_EQ(img.pixel(0, 0), ored);
  EXPECT_EQ(img.pixel(566, 324), ored);
  EXPECT_EQ(img.pixel(567, 100), kGrey);
  EXPECT_EQ(img.pixel(100, 325), kGrey);
}

TEST(FormEnding, FadeOutBlackensEveryBlockOnceThenFadeInShowsThePicture) {
  EndingFixture f;
  f.form->Stop();
  int out = 0, in = 0;
  f.form->FadeOut(1, [&] { ++out; });
  const QRgb black = qRgb(0, 0, 0);
  for (int k = 1; k < 100; ++k) {
    ASSERT_EQ(BlocksOf(f.form->Picture(1), black), k);
    f.scheduler.Advance(4);
    EXPECT_EQ(BlocksOf(f.form->Picture(1), black), k) << "5 ms between blocks";
    f.scheduler.Advance(1);
  }
  EXPECT_EQ(BlocksOf(f.form->Picture(1), black), 100);
  EXPECT_EQ(f.scheduler.Now(), 99 * 5);
  EXPECT_EQ(out, 1);
  EXPECT_EQ(f.form->Picture(1).pixelColor(595, 395), QColor(0, 0, 0)) << "whole blocks, to the edge";

  f.form->FadeIn(3, [&] { ++in; });
  f.scheduler.RunUntilIdle();
  EXPECT_EQ(in, 1);
  const QImage& img = f.form->Picture(1);
  EXPECT_EQ(img.copy(0, 0, 567, 325), f.form->Picture(3)) << "on black the picture itself";
  EXPECT_EQ(img.pixel(580, 10), black);
}

TEST(FormEnding, DissolveOrderFollowsTheRandomSourceAndEndsEvenWhenItRepeats) {
  EndingFixture f;
  f.form->Stop();
  // m = 3 and o = 7 first: the block at (180, 280).
  f.randoms = {0.3, 0.7};
  f.form->FadeOut(1);
  EXPECT_EQ(f.form->Picture(1).pixel(180 + 30, 280 + 20), qRgb(0, 0, 0));
  EXPECT_EQ(BlocksOf(f.form->Picture(1), qRgb(0, 0, 0)), 1);
  // A source that always gives the same value still covers every block.
  f.fixedRandom = 0.0;
  f.scheduler.RunUntilIdle();
  EXPECT_EQ(BlocksOf(f.form->Picture(1), qRgb(0, 0, 0)), 100);
}

TEST(FormEnding, EscAsksUntilTheClosingLineAndEndsAtOnceAfter) {
  struct Row {
    const char* when;
    int step;         // run to this step (−2: stay in the opening rest)
    int extraMs;      // and this much further
    bool asks;
  };
  const std::vector<Row> rows = {
      {"opening rest", -2, 3000, true}, {"caption", 2, 10, true},   {"red pause", 5, 5000, true},
      {"staff", 6, 100, true},          {"typing", 12, 120, true},  {"icon pause", 13, 2500, true},
      {"dissolve", 17, 300, true},      {"closing line", 18, 200, false}, {"resting", 19, 1000, false},
  };
  for (bool yes : {false, true})
    for (const Row& r : rows) {
      EndingFixture f;
      if (r.step > -2) f.RunTo(r.step);
      f.scheduler.Advance(r.extraMs);
      const int step = f.form->EndingStep();
      f.messages.answers = {yes ? MsgResult::Yes : MsgResult::No};
      f.Esc();
      if (r.asks) {
        ASSERT_EQ(f.messages.shown.size(), 1u) << r.when;
        EXPECT_EQ(f.messages.shown[0], "モルビク -Morvik-|終了しますか？");
      } else {
        EXPECT_TRUE(f.messages.shown.empty()) << r.when;
      }
      const bool ends = yes || !r.asks;
      EXPECT_EQ(f.ended, ends ? 1 : 0) << r.when;
      if (ends) {
        EXPECT_FALSE(f.form->Pending()) << r.when;
        EXPECT_TRUE(f.scheduler.Idle()) << r.when;
      } else {
        // No: the show goes on from where it was.
        EXPECT_EQ(f.form->EndingStep(), step) << r.when;
        f.RunTo(19);
        EXPECT_EQ(f.form->EndingStep(), 19) << r.when;
        EXPECT_EQ(f.ended, 0);
      }
    }
}

TEST(FormEnding, OtherKeysDoNothingAndClosingTheWindowActsAsEsc) {
  EndingFixture f;
  f.RunTo(3);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(f.form.get(), &enter);
  EXPECT_TRUE(f.messages.shown.empty());
  f.messages.answers = {MsgResult::No};
  f.form->close();
  EXPECT_EQ(f.messages.shown.size(), 1u);
  EXPECT_TRUE(f.form->isVisible()) << "No keeps the show";
  EXPECT_EQ(f.ended, 0);
  f.RunTo(19);
  f.form->close();
  EXPECT_EQ(f.ended, 1);
  EXPECT_EQ(f.messages.shown.size(), 1u);
}

TEST(FormEnding, LeavingCancelsWhatThePlayWasDoing) {
  // Destroyed in the opening rest, while a line is typed, in a pause with a tick due, during
  // a dissolve, and while the closing line is typed: nothing of it runs afterwards.
  const std::vector<std::pair<int, int>> points = {{-2, 100}, {8, 120}, {10, 3000}, {17, 200}, {18, 100}};
  for (const auto& [step, extra] : points) {
    EndingFixture f;
    if (step > -2) f.RunTo(step);
    f.scheduler.Advance(extra);
    ASSERT_FALSE(f.scheduler.Idle());
    f.form.reset();
    EXPECT_TRUE(f.scheduler.Idle()) << "step " << step;
    EXPECT_EQ(f.scheduler.RunUntilIdle(), 0);
  }
  // Stop alone cancels the same way.
  EndingFixture f;
  f.RunTo(12);
  f.form->Stop();
  EXPECT_TRUE(f.scheduler.Idle());
}

}  // namespace
}  // namespace morvik
