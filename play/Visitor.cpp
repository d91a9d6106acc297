#include "play/Visitor.h"

#include <QCoreApplication>

#include "core/Board.h"
#include "core/Pictures.h"
#include "core/SoundEffects.h"

namespace morvik {

namespace {
constexpr int kTickMs = 400;
constexpr int kCallingClicks = 3;
}  // namespace

Visitor::Visitor(Platform& platform, FieldScene& scene, std::function<void()> repaint)
    : platform_(platform), scene_(scene), repaint_(std::move(repaint)) {}

Visitor::~Visitor() { platform_.scheduler.Cancel(timer_); }

void Visitor::MeterDoubleClicked() {
  if (Present() || ++doubleClicks_ < kCallingClicks) return;
  doubleClicks_ = 0;
  platform_.sound.PlayEffect(sfx::Chime);
  Appear(FieldSize - 1, 0);
}

void Visitor::Appear(int x, int y) {
  x_ = x;
  y_ = y;
  scene_.gan.pos = QPoint(x * CellPixels, y * CellPixels);
  scene_.gan.visible = true;
  repaint_();
  platform_.scheduler.Cancel(timer_);
  timer_ = platform_.scheduler.After(kTickMs, [this] { Tick(); });
}

void Visitor::Tick() {
  timer_ = 0;
  // The hero's picture, not the board: a step is on the board before its walk has been shown.
  if (scene_.hero.pos == QPoint(x_ * CellPixels, y_ * CellPixels)) {
    SayWatchword();
    return;
  }
  // Back and forth through the four frames, each end frame shown twice.
  if (frame_ > 3) {
    frame_ = 3;
    step_ = -1;
  } else if (frame_ < 0) {
    frame_ = 0;
    step_ = 1;
  }
  scene_.gan.picture = frame_;
  frame_ += step_;
  repaint_();
  timer_ = platform_.scheduler.After(kTickMs, [this] { Tick(); });
}

void Visitor::SayWatchword() {
  platform_.messages.Show(QCoreApplication::translate("FormMain", "合言葉は、\n「BLUEKITES」だ。\n\nじゃあな！また会おうや。"),
                          QCoreApplication::translate("FormMain", "頑さんからのメッセージ"), MsgIcon::None, MsgButtons::Ok);
  platform_.sound.PlayEffect(sfx::Chime);
  Stop();
}

void Visitor::Stop() {
  platform_.scheduler.Cancel(timer_);
  timer_ = 0;
  scene_.gan.visible = false;
  repaint_();
}

}  // namespace morvik
