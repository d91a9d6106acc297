#include "play/StageOpening.h"

#include <algorithm>

namespace morvik {

namespace {
constexpr int kTickMs = 200;
constexpr int kGreyStep = 32;  // the caption's grey rises by this much a tick, to white
constexpr int kLastNumberedStage = 30;
}  // namespace

StageOpening::StageOpening(Scheduler& scheduler, FieldScene& scene, std::function<void()> repaint)
    : scheduler_(scheduler), scene_(scene), repaint_(std::move(repaint)) {}

StageOpening::~StageOpening() { scheduler_.Cancel(timer_); }

QString StageOpening::CaptionOf(int stageNo) {
  return stageNo >= 1 && stageNo <= kLastNumberedStage ? QStringLiteral("STAGE %1").arg(stageNo) : QStringLiteral("SPECIAL");
}

void StageOpening::Start(const QString& caption, std::function<void()> ended) {
  ended_ = std::move(ended);
  scene_.black = {true, {}, Qt::black, Qt::black, true};
  scene_.stageMessage = {true, caption, Qt::black, Qt::black, false};
  ticks_ = 0;
  scheduler_.Cancel(timer_);
  timer_ = scheduler_.After(kTickMs, [this] { Tick(); });
}

void StageOpening::Cancel() {
  scheduler_.Cancel(timer_);
  timer_ = 0;
}

void StageOpening::Tick() {
  timer_ = 0;
  ++ticks_;
  const int grey = kGreyStep * ticks_;
  if (grey <= 256) {
    const int shade = std::min(grey, 255);
    scene_.stageMessage.text_colour = QColor(shade, shade, shade);
    timer_ = scheduler_.After(kTickMs, [this] { Tick(); });
    repaint_();
    return;
  }
  scene_.stageMessage.visible = false;
  scene_.stageMessage.text_colour = Qt::black;
  scene_.black.visible = false;
  ticks_ = 0;
  if (ended_) ended_();
}

}  // namespace morvik
