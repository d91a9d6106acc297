#include "play/JumpMeter.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "core/JumpRules.h"
#include "core/Pictures.h"
#include "core/SoundEffects.h"

namespace morvik {

JumpMeter::JumpMeter(Scheduler& scheduler, Sound& sound, QLabel* picture, std::function<void(int, int)> replayKey)
    : scheduler_(scheduler), sound_(sound), picture_(picture), replayKey_(std::move(replayKey)) {}

JumpMeter::~JumpMeter() { scheduler_.Cancel(timer_); }

void JumpMeter::Start() {
  Reset();
  running_ = true;
  timer_ = scheduler_.After(MeterTickMs, [this] { Tick(); });
}

void JumpMeter::Tick() {
  timer_ = 0;
  if (!running_) return;
  ++level_;
  if (level_ > MeterLevels) {
    sound_.PlayEffect(sfx::Refused);
    Reset();
    return;
  }
  PaintSegment(level_);
  paused_ = true;
  timer_ = scheduler_.After(MeterLevelPauseMs, [this] {
    timer_ = 0;
    paused_ = false;
    auto held = std::move(held_);
    held_.clear();
    for (const auto& [key, mods] : held) replayKey_(key, mods);
    // A held key may have released the meter or reset it: it rises on only if neither.
    if (running_ && !releasing_ && !timer_) timer_ = scheduler_.After(MeterTickMs, [this] { Tick(); });
  });
}

void JumpMeter::Release() {
  releasing_ = true;
  scheduler_.Cancel(timer_);
  timer_ = 0;
}

void JumpMeter::Reset() {
  scheduler_.Cancel(timer_);
  timer_ = 0;
  paused_ = false;
  held_.clear();
  running_ = releasing_ = false;
  level_ = 0;
  QPixmap empty(Width, Height);
  empty.fill(Qt::white);
  picture_->setPixmap(empty);
}

void JumpMeter::PaintSegment(int level) {
  QPixmap meter = picture_->pixmap();
  QPainter p(&meter);
  const int w = meter.width();
  const int x0 = (level - 1) * w / MeterLevels, x1 = level * w / MeterLevels;
  p.fillRect(x0, 0, x1 - x0, meter.height(), QColor::fromRgb(CgaRgb(MeterColourNumber(level))));
  p.end();
  picture_->setPixmap(meter);
}

QImage JumpMeter::Image() const { return picture_->pixmap().toImage(); }

}  // namespace morvik
