#include "shell/FormEnding.h"

#include <QCoreApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <memory>
#include <span>
#include <vector>

#include "core/SoundEffects.h"
#include "platform/Fonts.h"
#include "platform/WindowPlacement.h"

namespace morvik {

namespace {

constexpr QSize kSceneBox(571, 329);    // a 567 × 325 scene in a 2-pixel frame
constexpr QSize kDisplayBox(600, 400);  // the grey scene, larger than the window
constexpr QSize kIconBox(32, 32);
constexpr int kFrame = 2;
constexpr int kIconGap = 3;       // between a name and its icon
constexpr int kLabelPadding = 3;  // at each side of a credit line's text
constexpr double kFiguresTop = 0.58;  // where the heads of the scene's figures begin, of its height
constexpr int kOpeningRestMs = 7000;
constexpr int kEffectCaptionDone = sfx::Thud, kEffectIcon = sfx::Blink;
constexpr int kBlocks = 10;  // a dissolve has kBlocks × kBlocks blocks

const QColor kLightYellow(255, 255, 192), kRed(255, 0, 0), kYellow(255, 255, 0), kCyan(0, 255, 255),
    kGreen(0, 255, 0), kNavy(0, 0, 128);
const QColor kFrameOuter(24, 20, 18), kFrameInner(84, 76, 70);

// The sixteen colours of the standard palette, of which the caption flickers in the first 15.
const QColor kPalette[16] = {
    {0, 0, 0},     {0, 0, 128},   {0, 128, 0},   {0, 128, 128}, {128, 0, 0},   {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0},   {0, 255, 255},
    {255, 0, 0},   {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
};

const QString kCaptionLeft = QStringLiteral(" CONGRAT");
const QString kCaptionMiddle = QStringLiteral("ULAT");
const QString kCaptionRight = QStringLiteral("IONS !! ");

// The credits. The names are the team's own; the role texts keep their blanks, which pad
// the lines' black boxes.
const QString kCredits[3][4] = {
    {QStringLiteral(" GAME DESIGN "), QStringLiteral(" PROGRAM "), QStringLiteral(" MUSIC "), QStringLiteral("Morvik Team")},
    {QStringLiteral(" ARTS "), QStringLiteral(" GAME DESIGN "), QStringLiteral("Art Team"), QString()},
    {QStringLiteral("Special Thanks to:"), QStringLiteral("Our Testers"), QStringLiteral("And You !"), QString()},
};
constexpr int kCreditCounts[3] = {4, 3, 3};
constexpr int kCreditIcons[3] = {1, 2, 0};

const QString kStaffCaption = QStringLiteral(" STAFF ");
const QString kClosingLine = QStringLiteral("Thank You For Playing !");

void SetColours(QLabel* label, const QColor& text, const QColor* ground = nullptr) {
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, text);
  if (ground) p.setColor(QPalette::Window, *ground);
  label->setPalette(p);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QFont& font, const QColor& text, const QColor& ground) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(font);
  label->setAutoFillBackground(true);  // opaque
  label->setMargin(0);
  label->setIndent(0);
  label->setContentsMargins(kLabelPadding, 0, kLabelPadding, 0);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  SetColours(label, text, &ground);
  label->hide();
  return label;
}

// Rounds to a whole pixel, halves to even.
int Pixels(double v) { return static_cast<int>(std::lrint(v)); }

}  // namespace

// The show as a timeline. Each tick of the show's clock (800 ms) starts the next step, whose
// cues play in order as an effect script does: a rest or a dissolve holds the rest of the step
// until it is over, and clock ticks that fall due meanwhile wait for it. A step that stops
// the clock leaves it to a later cue, or to the typing of its line, to start it again.
enum class EndingAct {
  Rest,             // a: milliseconds
  FadeOut,          // a: picture box to black
  FadeIn,           // a: picture onto the display
  Sound,            // a: effect
  StartClock,
  StopClock,
  StartShine,       // the 50 ms timer that flickers the caption and types the lines
  StopShine,
  ShowCaption,      // the congratulation caption, still empty
  GrowCaption,      // a: how far it has grown, 0 to 4
  SettleCaption,    // red for good
  ShowDisplay,      // the caption and the colour scene go, the display picture shows
  ShowStaffCaption,
  HideStaffCaption,
  Credit,           // a: group, b: line; the line is typed by the shine timer
  ClosingLine,      // typed by the shine timer; the show then rests
};

struct EndingCue {
  EndingAct act;
  int a = 0, b = 0;
};

namespace {

using Cues = std::vector<EndingCue>;

using A = EndingAct;

const Cues kOpening = {{A::Rest, kOpeningRestMs}, {A::ShowCaption}, {A::StartClock}, {A::StartShine}};

// Step by step, from the first tick of the clock.
const std::vector<Cues> kTimeline = {
    {{A::GrowCaption, 0}},  // 0-4: the caption grows from the middle while it flickers
    {{A::GrowCaption, 1}},
    {{A::GrowCaption, 2}},
    {{A::GrowCaption, 3}},
    {{A::GrowCaption, 4}},
    {{A::Sound, kEffectCaptionDone}, {A::StopShine}, {A::SettleCaption}, {A::StopClock},  // 5
     {A::Rest, 10000}, {A::ShowDisplay}, {A::Rest, 3000}, {A::StartClock}},
    {{A::StopClock}, {A::ShowStaffCaption}, {A::Rest, 4000}, {A::HideStaffCaption}, {A::Rest, 1000},  // 6
     {A::StartClock}},
    {{A::Credit, 0, 0}},  // 7-16: the credits, group by group
    {{A::Credit, 0, 1}},
    {{A::Credit, 0, 2}},
    {{A::Credit, 0, 3}},
    {{A::Credit, 1, 0}},
    {{A::Credit, 1, 1}},
    {{A::Credit, 1, 2}},
    {{A::Credit, 2, 0}},
    {{A::Credit, 2, 1}},
    {{A::Credit, 2, 2}},
    {{A::StopClock}, {A::FadeOut, 1}, {A::FadeIn, 2}, {A::Rest, 8000},  // 17: two further scenes
     {A::FadeOut, 1}, {A::FadeIn, 3}, {A::Rest, 2000}, {A::StartClock}},
    {{A::StopClock}, {A::ClosingLine}, {A::StartShine}},  // 18
};

// What a step is about: its first cue that shows something (the shine timer reads it).
const EndingCue* MainCueOf(int step) {
  if (step < 0 || step >= static_cast<int>(kTimeline.size())) return nullptr;
  for (const EndingCue& c : kTimeline[step])
    if (c.act == EndingAct::GrowCaption || c.act == EndingAct::Credit || c.act == EndingAct::ClosingLine) return &c;
  return nullptr;
}

// The step of the closing line: from there on Esc ends the show without asking.
int ClosingLineStep() {
  for (int step = 0; step < static_cast<int>(kTimeline.size()); ++step)
    if (const EndingCue* c = MainCueOf(step); c && c->act == EndingAct::ClosingLine) return step;
  return static_cast<int>(kTimeline.size());
}

}  // namespace

double CenterOffset(long a, long b, int c) { return static_cast<double>(a) / c - static_cast<double>(b) / 2; }

// A picture box: a persistent opaque image inside a thin dark frame. Controls placed on it
// are its children, positioned from its outer corner.
class FormEnding::PictureBox final : public QWidget {
 public:
  PictureBox(QWidget* parent, const char* name, QSize size, int frame, const QColor& ground)
      : QWidget(parent), image(size - QSize(2 * frame, 2 * frame), QImage::Format_RGB32), frame_(frame) {
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(size);
    image.fill(ground);
  }
  // Paints a picture into the image at its top left corner; transparent parts show the ground.
  void Paint(const QImage& picture) {
    QPainter p(&image);
    p.drawImage(0, 0, picture);
  }

  QImage image;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (frame_ > 0) {
      p.fillRect(rect(), kFrameOuter);
      p.fillRect(rect().adjusted(1, 1, -1, -1), kFrameInner);
    }
    p.drawImage(frame_, frame_, image);
  }

 private:
  int frame_;
};

FormEnding::FormEnding(Platform& platform, std::function<double()> random, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), platform_(platform), random_(std::move(random)) {
  if (!random_) random_ = [] { return QRandomGenerator::global()->generateDouble(); };
  setObjectName(QStringLiteral("FormEnding"));
  setWindowTitle(QCoreApplication::translate("FormEnding", "モルビク -Morvik-"));
  setFocusPolicy(Qt::StrongFocus);
  BuildControls();

  // Load: the two shown picture boxes to the corner; the window takes box 3's size and is
  // centred on the screen.
  picEnding_[0]->move(0, 0);
  picEnding_[1]->move(0, 0);
  w_ = picEnding_[3]->width();
  h_ = picEnding_[3]->height();
  setFixedSize(w_, h_);
  CentreOnScreen(*this);
}

FormEnding::~FormEnding() { Stop(); }

void FormEnding::BuildControls() {
  const PictureStore& pictures = platform_.pictures;
  const char* boxNames[4] = {"PicEnding0", "PicEnding1", "PicEnding2", "PicEnding3"};
  for (int n = 0; n < 4; ++n) {
    picEnding_[n] = new PictureBox(this, boxNames[n], n == 1 ? kDisplayBox : kSceneBox, kFrame, Qt::black);
    picEnding_[n]->Paint(pictures.Named(QStringLiteral("ending_%1").arg(n)));
    picEnding_[n]->setVisible(n == 0);
  }
  picEnding_[0]->raise();

  const char* iconNames[3] = {"PicStaff0", "PicStaff1", "PicStaff2"};
  for (int i = 0; i < 3; ++i) {
    // The icons stand on white, as the names beside them do.
    QWidget* holder = i == 0 ? static_cast<QWidget*>(picEnding_[1]) : this;
    picStaff_[i] = new PictureBox(holder, iconNames[i], kIconBox, 0, Qt::white);
    if (i > 0) picStaff_[i]->Paint(pictures.Named(QStringLiteral("staff_%1").arg(i)));
    picStaff_[i]->hide();
  }

  labelHappy_ = MakeLabel(picEnding_[0], "LabelHappy", CaptionFontOf(27.75, false), kRed, kLightYellow);
  labelHappy_->setAlignment(Qt::AlignCenter);  // the caption grows from the middle
  {
    const QFontMetrics fm(labelHappy_->font());
    labelHappy_->resize(fm.horizontalAdvance(kCaptionLeft + kCaptionMiddle + kCaptionRight) + 2 * fm.averageCharWidth(),
                        fm.height() + 6);
  }

  // The credit labels size themselves to their text. Their first captions (never shown) give
  // the first placements their widths: the role lines of the first group start in one column
  // and its name stands in the middle of the right half.
  const QFont staffFont = CaptionFontOf(24, true);
  const char* staffNames[4] = {"LabelStaff0", "LabelStaff1", "LabelStaff2", "LabelStaff3"};
  for (int i = 0; i < 4; ++i) {
    labelStaff_[i] = i < 3 ? MakeLabel(picEnding_[1], staffNames[i], staffFont, Qt::white, Qt::black)
                           : MakeLabel(picEnding_[1], staffNames[i], staffFont, kNavy, Qt::white);
    SetCaption(labelStaff_[i], i < 3 ? kStaffCaption : kCredits[0][3]);
  }

  labelEsc_ = MakeLabel(picEnding_[1], "LabelEsc", CaptionFontOf(14.25, true), Qt::white, Qt::black);
  SetCaption(labelEsc_, QCoreApplication::translate("FormEnding", "[ESC]:終了"));
}

const QString& FormEnding::CreditLine(int group, int idx) {
  static const QString none;
  if (group < 0 || group > 2 || idx < 0 || idx >= kCreditCounts[group]) return none;
  return kCredits[group][idx];
}
int FormEnding::CreditCount(int group) { return group >= 0 && group <= 2 ? kCreditCounts[group] : 0; }
int FormEnding::CreditIcon(int group) { return group >= 0 && group <= 2 ? kCreditIcons[group] : 0; }

const QImage& FormEnding::Picture(int n) const { return picEnding_[std::clamp(n, 0, 3)]->image; }

void FormEnding::SetCaption(QLabel* label, const QString& text) {
  // The label fits its text, with a little room at the sides; empty, it has no width.
  label->setText(text);
  const QFontMetrics fm(label->font());
  label->resize(text.isEmpty() ? 0 : fm.horizontalAdvance(text) + 2 * kLabelPadding, fm.height());
}

// ---- time ------------------------------------------------------------------------------

void FormEnding::StartTicker(Ticker& t) {
  if (t.id) return;
  t.due = false;
  t.id = platform_.scheduler.After(t.intervalMs, [this, &t] { TickerFired(t); });
}

void FormEnding::StopTicker(Ticker& t) {
  platform_.scheduler.Cancel(t.id);
  t.id = 0;
  t.due = false;
}

void FormEnding::TickerFired(Ticker& t) {
  t.id = platform_.scheduler.After(t.intervalMs, [this, &t] { TickerFired(t); });
  if (pause_) {
    t.due = true;  // the show rests: the tick comes when the rest is over
    return;
  }
  (this->*t.tick)();
}

void FormEnding::Pause(int ms, std::function<void()> next) {
  platform_.scheduler.Cancel(pause_);
  pause_ = platform_.scheduler.After(ms, [this, next = std::move(next)] {
    pause_ = 0;
    next();
    if (!pause_) RunDueTicks();
  });
}

void FormEnding::RunDueTicks() {
  for (Ticker* t : {&ending_, &shine_}) {
    if (pause_) return;
    if (t->id && t->due) {
      t->due = false;
      (this->*t->tick)();
    }
  }
}

void FormEnding::Start() {
  if (started_) return;
  started_ = true;
  labelHappy_->move(Pixels(w_ / 2.0 - labelHappy_->width() / 2.0), Pixels(h_ / 8.0));
  setFocus();
  endingStep_ = -1;
  PlayCues(kOpening);
}

void FormEnding::Stop() {
  StopTicker(ending_);
  StopTicker(shine_);
  platform_.scheduler.Cancel(pause_);
  pause_ = 0;
}

// ---- the show --------------------------------------------------------------------------

void FormEnding::TimerEnding_Timer() {
  ++endingStep_;
  // Past the last step the show rests.
  if (endingStep_ >= 0 && endingStep_ < static_cast<int>(kTimeline.size())) PlayCues(kTimeline[endingStep_]);
}

void FormEnding::PlayCues(std::span<const EndingCue> cues) {
  for (std::size_t i = 0; i < cues.size(); ++i) {
    const EndingCue& c = cues[i];
    const std::span<const EndingCue> rest = cues.subspan(i + 1);
    auto goOn = [this, rest] { PlayCues(rest); };
    switch (c.act) {
      case EndingAct::Rest: Pause(c.a, goOn); return;
      case EndingAct::FadeOut: FadeOut(c.a, goOn); return;
      case EndingAct::FadeIn: FadeIn(c.a, goOn); return;
      case EndingAct::Sound: platform_.sound.PlayEffect(c.a); break;
      case EndingAct::StartClock: StartTicker(ending_); break;
      case EndingAct::StopClock: StopTicker(ending_); break;
      case EndingAct::StartShine: StartTicker(shine_); break;
      case EndingAct::StopShine: StopTicker(shine_); break;
      case EndingAct::ShowCaption: labelHappy_->show(); break;
      case EndingAct::GrowCaption:
        labelHappy_->setText(kCaptionLeft.right(2 * c.a) + kCaptionMiddle + kCaptionRight.left(2 * c.a));
        break;
      case EndingAct::SettleCaption: SetColours(labelHappy_, kRed); break;
      case EndingAct::ShowDisplay:
        labelHappy_->hide();
        picEnding_[1]->show();
        picEnding_[0]->hide();
        break;
      case EndingAct::ShowStaffCaption: {
        QLabel* label = labelStaff_[0];
        label->move(Pixels(w_ / 2.0 - label->width() / 2.0), Pixels(h_ / 2.0 - label->height() / 2.0));
        SetCaption(label, kStaffCaption);
        label->show();
        break;
      }
      case EndingAct::HideStaffCaption: labelStaff_[0]->hide(); break;
      case EndingAct::Credit: CreditStep(c.a, c.b); break;
      case EndingAct::ClosingLine: {
        const QPointF at = PlaceStaffText(0, kClosingLine, 2, 2);
        labelStaff_[0]->move(Pixels(at.x()), Pixels(at.y()));
        labelEsc_->move(w_ - labelEsc_->width(), h_ - labelEsc_->height());
        labelStaff_[0]->show();
        break;
      }
    }
  }
}

void FormEnding::CreditStep(int group, int idx) {
  StopTicker(ending_);  // until the line has been typed
  QLabel** l = labelStaff_.data();
  switch (group) {
    case 0:
      SetColours(l[0], kYellow);
      SetColours(l[1], kCyan);
      SetColours(l[2], kGreen);
      break;
    case 1: {
      const QColor white(Qt::white);
      SetColours(l[0], kRed);
      SetColours(l[1], kYellow);
      SetColours(l[2], kGreen, &white);
      break;
    }
    default: {
      const QColor white(Qt::white);
      SetColours(l[0], Qt::white);
      SetColours(l[2], Qt::black);
      SetColours(l[1], Qt::black, &white);
      break;
    }
  }
  const QPointF at = PlaceStaffText(idx, kCredits[group][idx], 3, 3);
  // Names stand to the right, below their roles.
  QLabel* label = l[idx];
  double left = at.x(), top = at.y();
  const bool name = group == 0 ? idx == 3 : group == 1 ? idx == 2 : idx >= 1;
  if (name) {
    const double down = group == 0 ? h_ / 6.0 : h_ / 4.0;
    left += w_ / 2.5;
    top += down;
    // The figures of the scene stand in its lower part: a group's names go up together until
    // the last of them clears the figures' heads.
    const int last = kCreditCounts[group] - 1;
    const double lastBottom = h_ / 3.0 + label->height() / 2.0 + down + h_ * (last - 1) / 8.0;
    top -= std::max(0.0, lastBottom - h_ * kFiguresTop);
  }
  top += h_ * (idx - 1) / 8.0;
  label->move(Pixels(left), Pixels(top));
  label->show();
  StartTicker(shine_);
}

QPointF FormEnding::PlaceStaffText(int idx, const QString& text, int xdiv, int ydiv) {
  QLabel* label = labelStaff_[idx];
  // The placement takes the label's size before its new text: the width of its last caption.
  const QPointF at(CenterOffset(w_, label->width(), xdiv), static_cast<double>(h_) / ydiv - label->height() / 2.0);
  SetCaption(label, QString());
  revealText_ = text;
  return at;
}

void FormEnding::TimerStringShine_Timer() {
  const EndingCue* step = MainCueOf(endingStep_);
  if (!step) return;
  if (step->act == EndingAct::GrowCaption) {
    SetColours(labelHappy_, kPalette[RandomIndex(15)]);
    revealLen_ = 0;
    return;
  }
  if (step->act == EndingAct::Credit) {
    const int group = step->a, idx = step->b;
    ++revealLen_;
    if (revealText_.size() >= revealLen_) {
      SetCaption(labelStaff_[idx], revealText_.left(revealLen_));
      return;
    }
    revealLen_ = 0;
    Pause(1500, [this, group, idx] { LineTyped(group, idx); });
    return;
  }
  // The closing line.
  ++revealLen_;
  if (revealText_.size() < revealLen_) {
    endingStep_ = static_cast<int>(kTimeline.size());
    labelEsc_->show();
    // Nothing is left for the timer to do.
    StopTicker(shine_);
    return;
  }
  SetCaption(labelStaff_[0], revealText_.left(revealLen_));
}

void FormEnding::LineTyped(int group, int idx) {
  StartTicker(ending_);
  StopTicker(shine_);
  if (idx != kCreditCounts[group] - 1) return;
  if (const int icon = kCreditIcons[group]) {
    QLabel* name = labelStaff_[idx];
    picStaff_[0]->image = picStaff_[icon]->image;
    picStaff_[0]->move(name->width() + name->x() + kIconGap, name->y());
    picStaff_[0]->raise();
    picStaff_[0]->show();
    platform_.sound.PlayEffect(kEffectIcon);
  }
  // The group stays a while; the next tick (due meanwhile) then starts the next group.
  Pause(4000, [this] {
    for (QLabel* label : labelStaff_) label->hide();
    picStaff_[0]->hide();
  });
}

// ---- dissolves -------------------------------------------------------------------------

int FormEnding::RandomIndex(int n) { return std::clamp(static_cast<int>(random_() * n), 0, n - 1); }

void FormEnding::FadeOut(int n, std::function<void()> done) { Dissolve(n, false, 5, std::move(done)); }
void FormEnding::FadeIn(int n, std::function<void()> done) { Dissolve(n, true, 1, std::move(done)); }

// One dissolve in progress: the box drawn on, the picture shown block by block (fading in),
// the block size and the blocks done.
struct FormEnding::DissolveState {
  PictureBox* target = nullptr;
  const QImage* source = nullptr;
  int bw = 0, bh = 0, pauseMs = 0;
  int drawn = 0;
  std::array<std::array<bool, kBlocks>, kBlocks> done{};
  std::function<void()> then;
};

void FormEnding::Dissolve(int n, bool in, int pauseMs, std::function<void()> done) {
  if (n < 0 || n > 3) {
    if (done) done();
    return;
  }
  auto s = std::make_shared<DissolveState>();
  const PictureBox* sizeFrom = in ? picEnding_[1] : picEnding_[n];
  s->target = in ? picEnding_[1] : picEnding_[n];
  s->source = in ? &picEnding_[n]->image : nullptr;
  s->bw = Pixels(sizeFrom->width() / static_cast<double>(kBlocks));
  s->bh = Pixels(sizeFrom->height() / static_cast<double>(kBlocks));
  s->pauseMs = pauseMs;
  s->then = std::move(done);
  DissolveBlock(s);
}

void FormEnding::DissolveBlock(const std::shared_ptr<DissolveState>& s) {
  // A block not drawn yet, picked at random; a source that keeps repeating itself falls back
  // to the next free block, so that the dissolve always ends.
  int m = RandomIndex(kBlocks), o = RandomIndex(kBlocks);
  for (int tries = 0; s->done[m][o] && tries < 10000; ++tries) {
    m = RandomIndex(kBlocks);
    o = RandomIndex(kBlocks);
  }
  while (s->done[m][o]) {
    m = (m + (o + 1) / kBlocks) % kBlocks;
    o = (o + 1) % kBlocks;
  }
  s->done[m][o] = true;
  const QRect rect(s->bw * m, s->bh * o, s->bw, s->bh);
  {
    QPainter p(&s->target->image);
    if (s->source) {
      // Source paint: the picture ORed onto what the display picture holds.
      const QRect from = rect & s->source->rect();
      p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
      if (!from.isEmpty()) p.drawImage(from.topLeft(), *s->source, from);
    } else {
      p.fillRect(rect, Qt::black);
    }
  }
  s->target->update();
  if (++s->drawn < kBlocks * kBlocks) {
    Pause(s->pauseMs, [this, s] { DissolveBlock(s); });
  } else if (s->then) {
    s->then();
  }
}

// ---- keys ------------------------------------------------------------------------------

void FormEnding::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    Form_KeyDown(27);
    return;
  }
  QWidget::keyPressEvent(e);
}

void FormEnding::Form_KeyDown(int keyCode) {
  if (keyCode != 27) return;
  if (endingStep_ < ClosingLineStep() &&
      platform_.messages.Show(QCoreApplication::translate("FormEnding", "終了しますか？"), QCoreApplication::translate("FormEnding", "モルビク -Morvik-"), MsgIcon::Question,
                              MsgButtons::YesNo) != MsgResult::Yes)
    return;
  Stop();
  if (hooks.endProgram) hooks.endProgram();
}

void FormEnding::closeEvent(QCloseEvent* e) {
  // The window manager's close ends the program as Esc does: a hidden show would leave the
  // program running with no window.
  e->ignore();
  Form_KeyDown(27);
}

}  // namespace morvik
